#include "model/SharedConstants.h"

#include <cstdlib>
#include <string_view>

namespace {

const char* SettingText(const char* variable, const char* builtIn) {
    const char* value = std::getenv(variable);
    return (value && *value) ? value : builtIn;
}

// UTF-8 to wide characters; a malformed byte becomes U+FFFD.
std::wstring WidenUtf8(std::string_view text) {
    std::wstring wide;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80           ? 0
                    : (c >> 5) == 0x6  ? 1
                    : (c >> 4) == 0xE  ? 2
                    : (c >> 3) == 0x1E ? 3
                                       : -1;
        bool truncated = extra > 0 && i + static_cast<std::size_t>(extra) >= text.size();
        if (extra < 0 || truncated) {
            wide += L'\uFFFD';
            ++i;
            continue;
        }
        char32_t code = extra == 0 ? c : (c & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (!ok) {
            wide += L'\uFFFD';
            ++i;
            continue;
        }
        wide += static_cast<wchar_t>(code);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return wide;
}

} // namespace

std::wstring DeploymentSettingWide(const char* variable, const char* builtIn) {
    return WidenUtf8(SettingText(variable, builtIn));
}

AnsiString DeploymentSetting(const char* variable, const char* builtIn) {
    return AnsiString::FromUtf8(SettingText(variable, builtIn));
}
