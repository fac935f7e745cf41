#pragma once

#include "platform/AnsiString.h"
#include "platform/TStringList.h"

// Deciphers the enciphered data tables into plain working copies and deletes those copies again.
class LEnDecryption {
public:
    // Deciphers the file at `path` (a data folder path as LFileOperate::FindFile gives it) into
    // its working copy: the same path with its 7th byte replaced by "D". The copy's path is
    // added to the program's list of working copies, and the copy holds exactly the deciphered
    // bytes. The copy is created new, never through a symbolic link at its name, and readable by
    // its owner only. False when no file exists at the path, or when it cannot be read (after a
    // message).
    bool DecryptFile(const AnsiString& path);

    // Deletes every file named in the list of working copies, first to last; failures are
    // passed over. The list keeps its entries.
    void DeleteDecryptedFiles();
};

// Every working copy named since the program started, in call order, duplicates included.
TStringList& DecryptedFileList();
