#include "model/LFileOperate.h"

#include "platform/FileSystem.h"

AnsiString LFileOperate::FindFile(const AnsiString& code, const AnsiString& folder) {
    auto entries = fs932::ListFolder(folder);
    if (!entries) {
        return AnsiString();
    }
    // The entry that starts the listing is passed over unexamined.
    for (std::size_t i = 1; i < entries->size(); ++i) {
        const std::string& name = (*entries)[i].str();
        if (name.find(code.str()) != std::string::npos) {
            return folder + (*entries)[i];
        }
    }
    return AnsiString();
}
