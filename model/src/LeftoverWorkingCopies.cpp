#include "model/LeftoverWorkingCopies.h"

#include "model/SharedConstants.h"

#include "platform/FileSystem.h"

namespace {

bool CarriesAny(const AnsiString& name, std::initializer_list<AnsiString> codes) {
    for (const AnsiString& code : codes) {
        if (name.Contains(code)) {
            return true;
        }
    }
    return false;
}

bool IsWorkingCopyName(const AnsiString& name) {
    return CarriesAny(name, {CODE_DR01, CODE_DS22, CODE_DS24, CODE_DT02, CODE_DT19, CODE_DC01,
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
        if (name == AnsiString(".") || name == AnsiString("..") || !IsWorkingCopyName(name)) {
            continue;
        }
        const AnsiString path = folder + name;
        if (!fs932::DirectoryExists(path)) {
            fs932::DeleteFile(path);
        }
    }
}
