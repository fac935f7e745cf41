#pragma once

#include "platform/AnsiString.h"
#include "platform/TMemIniFile.h"

// The update checker's version file as the main program reads it: one reader for the whole run,
// made from "./lumbrixon/version.ini" the first time it is asked for (the program asks at its
// very start). A missing file gives an empty reader.
TMemIniFile& ProgramVersionFile();
// Empty, or the error text when the version file exists but could not be read; the reader is
// then empty.
const AnsiString& ProgramVersionFileError();

// The texts about the installed edition, from the version file's keys "name" and "ver" of
// section "version" (missing ones read as empty).
class CIniManager {
public:
    // Reads the program's version file (ProgramVersionFile()).
    CIniManager();
    // Reads the given version file.
    explicit CIniManager(const TMemIniFile& versionFile);

    // The last six bytes of name as year and month: "...202404" gives "2024年04月版"; a name of
    // fewer than six bytes gives "年月版". Bytes are used as they stand, even a Japanese
    // character cut in half.
    AnsiString GetEditionText() const;
    // "Ver." + ver + " Pro".
    AnsiString GetVersionText() const;
    // "本ツールは" + edition text + "です。".
    AnsiString GetAboutText() const;

private:
    AnsiString name_;
    AnsiString ver_;
};
