#include "updater/ServerValueCheck.h"

#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "updater/UpdaterTexts.h"

#include <climits>
#include <unistd.h>

namespace {

// A limit of the file system that holds the folder, or `fallback` when it cannot be asked.
long FileSystemLimit(const std::string& osFolder, int limit, long fallback) {
    const long value = ::pathconf(osFolder.empty() ? "." : osFolder.c_str(), limit);
    return value > 0 ? value : fallback;
}

} // namespace

bool IsSafeServerName(const AnsiString& value) {
    const std::string& bytes = value.str();
    if (bytes.size() > static_cast<std::size_t>(kMaxServerNameLength) ||
        bytes.find("..") != std::string::npos) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (cp932::IsLeadByte(byte) && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC)) {
                ++i; // the second byte of a double-byte character ("\" among them) is no separator
                continue;
            }
        }
        if (byte < 0x20 || byte == 0x7F || byte == '/' || byte == '\\') {
            return false;
        }
    }
    return true;
}

bool IsCheckersOwnProgram(const AnsiString& fileName) {
    for (const AnsiString& own : {LUMBRIXON_EXE, TRAVOMET_EXE, TRAVOMET_ORG_EXE,
                                  VELNARO_TALLISK_EXE, VELNARO_TRAVOMET_ORG_EXE}) {
        if (cp932::SameText(fileName.str(), own.str())) {
            return true;
        }
    }
    return false;
}

bool FitsTheFileSystem(const AnsiString& folder, const AnsiString& name) {
    if (name.IsEmpty()) {
        return true;
    }
    const std::string osFolder = fs932::ToOsPath(folder);
    const std::string osName = fs932::ToOsPath(name);
    // The longest path counts its terminating zero byte.
    return osName.size() <=
               static_cast<std::size_t>(FileSystemLimit(osFolder, _PC_NAME_MAX, NAME_MAX)) &&
           fs932::ToOsPath(folder + name).size() <
               static_cast<std::size_t>(FileSystemLimit(osFolder, _PC_PATH_MAX, PATH_MAX));
}
