#include "model/LeftoverWorkingCopies.h"

#include "model/SharedConstants.h"

#include "platform/FileSystem.h"

namespace {

// A working copy is named after its enciphered file with the first byte replaced by "D", so
// its name begins with its D-code. Only the start is compared: the first byte of a name is
// never the second byte of a two-byte character, while further on "DT19" may be the end of
// one ("ゥ" is 0x83 0x44) followed by "T19".
bool BeginsWithAny(const AnsiString& name, std::initializer_list<AnsiString> codes) {
    for (const AnsiString& code : codes) {
        if (name.str().starts_with(code.str())) {
            return true;
        }
    }
    return false;
}

// A table is found by its code anywhere in the name, byte by byte; a name that a table lookup
// could take for a table is kept by the same comparison.
bool CarriesAny(const AnsiString& name, std::initializer_list<AnsiString> codes) {
    for (const AnsiString& code : codes) {
        if (name.Contains(code)) {
            return true;
        }
    }
    return false;
}

bool IsWorkingCopyName(const AnsiString& name) {
    return BeginsWithAny(name, {CODE_DR01, CODE_DS22, CODE_DS24, CODE_DT02, CODE_DT19, CODE_DC01,
                                CODE_DA01, CODE_DSP2, CODE_DB01}) &&
           !CarriesAny(name, {CODE_ER01, CODE_ES22, CODE_ES24, CODE_ET02, CODE_ET19, CODE_EC01,
                              CODE_EA01, CODE_ESP2, CODE_EB01});
}

} // namespace

void DeleteLeftoverWorkingCopies(const AnsiString& folder) {
    const auto entries = fs932::ListFolder(folder);
    if (!entries) {
        return;
    }
    for (const AnsiString& name : *entries) {
        if (!IsWorkingCopyName(name)) {
            continue;
        }
        const AnsiString path = folder + name;
        if (!fs932::DirectoryExists(path)) {
            fs932::DeleteFile(path);
        }
    }
}
