#pragma once

#include "platform/AnsiString.h"

// One version file read into memory: the six values of its section "version" and the server
// addresses and installer file names derived from them by plain concatenation. Lengths count
// bytes of the code-page-932 text.
class IniManager {
public:
    // Reads the keys name, ver, target_exe, rootpath, exepath and installer_exe; a missing
    // file, section or key gives "". Raises EFOpenError, changing nothing, when the file exists
    // but cannot be read.
    void Load(const AnsiString& path);

    AnsiString GetName() const { return name_; }
    AnsiString GetVer() const { return ver_; }
    AnsiString GetTargetExe() const { return targetExe_; }
    AnsiString GetInstallerExe() const { return installerExe_; }
    // installer_exe + ".exe": the name the download is saved under.
    AnsiString GetInstallerFileName() const { return installerExe_ + ".exe"; }
    // installer_exe + ".tmp"
    AnsiString GetInstallerTmpName() const { return installerExe_ + ".tmp"; }
    // rootpath + exepath + installer_exe + "(" + ver + ").exe"; for the special target
    // "Dremholt2.exe", + "_" + ver with "." turned into "_" + ".exe" instead.
    AnsiString GetInstallerUrl();
    // rootpath + exepath + "version.ini"
    AnsiString GetVersionFileUrl();
    // installer_exe + "(" + ver + ").exe", for every target.
    AnsiString GetVersionedInstallerName();
    // installer_exe + "(" + ver + ").tmp"; for the special target installer_exe + "_" +
    // underscored ver + ".tmp".
    AnsiString GetVersionedTmpName();
    // target_exe less its last four bytes, followed by ".x".
    AnsiString GetWorkbookPattern() const;
    // ver with every "." replaced by "_".
    AnsiString GetUnderscoredVersion() const;

    // target_exe is exactly "Dremholt2.exe".
    bool IsSpecialTarget() const;

private:
    AnsiString name_;
    AnsiString ver_;
    AnsiString targetExe_;
    AnsiString rootpath_;
    AnsiString exepath_;
    AnsiString installerExe_;
    AnsiString installerUrl_;
    AnsiString versionFileUrl_;
    AnsiString versionedInstallerName_;
    AnsiString versionedTmpName_;
};

// True when version text `candidate` is greater than `current`, compared byte by byte as
// unsigned values; a proper prefix is the smaller, so "" is smaller than everything. Not
// numeric: "1.9" is greater than "1.10".
bool IsNewerVersion(const AnsiString& candidate, const AnsiString& current);
