#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace cp932 {
namespace {

// One converter per direction and thread; iconv descriptors are not safe to share between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns the number of input bytes consumed. On failure the
    // output holds everything converted before the failing position.
    std::size_t Convert(std::string_view input, std::string& output, bool& failed) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        failed = false;
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (rc == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    continue;
                }
                failed = true;
                break;
            }
            if (rc > 0) {
                // A character was converted inexactly (iconv reports irreversible conversions).
                failed = true;
                break;
            }
        }
        if (!failed) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            iconv(handle_, nullptr, nullptr, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
        }
        return input.size() - inLeft;
    }

private:
    iconv_t handle_;
};

Converter& ToUtf8Converter() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& FromUtf8Converter() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

bool IsAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

// Length of the UTF-8 sequence that starts with `byte`, 1 for a stray byte.
std::size_t Utf8SequenceLength(unsigned char byte) {
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    if (byte >= 0xE0) {
        return 3;
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        return 2;
    }
    return 1;
}

unsigned char FoldAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// The small letter of a full-width Latin, Greek or Cyrillic capital (two-byte code, lead byte
// first); every other character as it is. Each pair keeps its lead byte, so only trail bytes
// change.
unsigned FoldWideLetter(unsigned code) {
    if (code >= 0x8260 && code <= 0x8279) { // Ａ-Ｚ to ａ-ｚ
        return code + 0x21;
    }
    if (code >= 0x839F && code <= 0x83B6) { // Α-Ω to α-ω
        return code + 0x20;
    }
    if (code >= 0x8440 && code <= 0x844E) { // А-Н to а-н
        return code + 0x30;
    }
    if (code >= 0x844F && code <= 0x8460) { // О-Я to о-я, which skip the non-letter 0x847F
        return code + 0x31;
    }
    return code;
}

} // namespace

std::optional<std::string> ToUtf8Strict(std::string_view sjis) {
    if (IsAscii(sjis)) {
        return std::string(sjis);
    }
    std::string out;
    bool failed = false;
    ToUtf8Converter().Convert(sjis, out, failed);
    if (failed) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> FromUtf8Strict(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    std::string out;
    bool failed = false;
    FromUtf8Converter().Convert(utf8, out, failed);
    if (failed) {
        return std::nullopt;
    }
    return out;
}

std::string ToUtf8(std::string_view sjis) {
    if (IsAscii(sjis)) {
        return std::string(sjis);
    }
    std::string out;
    while (!sjis.empty()) {
        bool failed = false;
        std::size_t used = ToUtf8Converter().Convert(sjis, out, failed);
        sjis.remove_prefix(used);
        if (failed) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            sjis.remove_prefix(1);
        }
    }
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    std::string out;
    while (!utf8.empty()) {
        bool failed = false;
        std::size_t used = FromUtf8Converter().Convert(utf8, out, failed);
        utf8.remove_prefix(used);
        if (failed) {
            out += '?';
            std::size_t skip = Utf8SequenceLength(static_cast<unsigned char>(utf8.front()));
            utf8.remove_prefix(std::min(skip, utf8.size()));
        }
    }
    return out;
}

bool SameText(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(left[i]);
        const unsigned char b = static_cast<unsigned char>(right[i]);
        if (IsLeadByte(a) && i + 1 < left.size()) {
            // A two-byte character: the same character, or two cases of one full-width letter.
            const unsigned codeA = (unsigned{a} << 8) | static_cast<unsigned char>(left[i + 1]);
            const unsigned codeB = (unsigned{b} << 8) | static_cast<unsigned char>(right[i + 1]);
            if (codeA != codeB && FoldWideLetter(codeA) != FoldWideLetter(codeB)) {
                return false;
            }
            ++i;
            continue;
        }
        if (FoldAsciiLetter(a) != FoldAsciiLetter(b)) {
            return false;
        }
    }
    return true;
}

std::string SameTextKey(std::string_view text) {
    std::string key(text);
    for (std::size_t i = 0; i < key.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        if (IsLeadByte(c) && i + 1 < key.size()) {
            // Folding keeps the lead byte, so the characters of the key fall where the text's do.
            const unsigned code = (unsigned{c} << 8) | static_cast<unsigned char>(key[i + 1]);
            key[i + 1] = static_cast<char>(FoldWideLetter(code) & 0xFF);
            ++i;
            continue;
        }
        key[i] = static_cast<char>(FoldAsciiLetter(c));
    }
    return key;
}

} // namespace cp932
