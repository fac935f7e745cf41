#include "updater/ServerValueCheck.h"

#include "platform/Cp932.h"

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
