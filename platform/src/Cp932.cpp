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

// Length of the UTF-8 sequence that `byte` announces: 2 to 4 for a lead byte, 1 for any other
// byte. C0 and C1 could only start overlong forms and F5-FF code points beyond U+10FFFF, so
// they lead no sequence.
std::size_t Utf8SequenceLength(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return 2;
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return 3;
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    return 1;
}

bool IsContinuationByte(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// Whether `byte` may follow the lead byte `first` (one that announces 2 to 4 bytes). The
// second byte's range excludes overlong forms, surrogates and code points beyond U+10FFFF.
bool CanBeSecondByte(unsigned char first, unsigned char byte) {
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first == 0xE0) {
        low = 0xA0;
    } else if (first == 0xED) {
        high = 0x9F;
    } else if (first == 0xF0) {
        low = 0x90;
    } else if (first == 0xF4) {
        high = 0x8F;
    }
    return byte >= low && byte <= high;
}

// Bytes at the start of `utf8` (not empty) that form a well-formed UTF-8 sequence or the
// beginning of one, at least 1: the sequence ends at the first byte that cannot continue it,
// so the character there is kept, and a byte that leads no sequence stands alone.
std::size_t Utf8PrefixLength(std::string_view utf8) {
    const unsigned char first = static_cast<unsigned char>(utf8.front());
    const std::size_t announced = Utf8SequenceLength(first);
    std::size_t length = 1;
    while (length < announced && length < utf8.size()) {
        const unsigned char next = static_cast<unsigned char>(utf8[length]);
        if (length == 1 ? !CanBeSecondByte(first, next) : !IsContinuationByte(next)) {
            break;
        }
        ++length;
    }
    return length;
}

// Length of the well-formed UTF-8 sequence at the start of `text` (not empty), 0 when it starts
// with none (a stray or overlong byte, a surrogate, a sequence cut short).
std::size_t Utf8CharacterLength(std::string_view text) {
    const unsigned char first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) {
        return 1;
    }
    const std::size_t announced = Utf8SequenceLength(first);
    return announced > 1 && Utf8PrefixLength(text) == announced ? announced : 0;
}

// Raw-byte codes: lead 0xF9, then 63 trail bytes 0x40-0x7E and 65 trail bytes 0x80-0xC0 for
// the bytes 0x80-0xFF in order.
constexpr unsigned char kRawByteLead = 0xF9;
constexpr unsigned kLowTrailCount = 0x7E - 0x40 + 1;

bool IsRawByteTrail(unsigned char trail) {
    return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xC0);
}

bool StartsWithRawByteCode(std::string_view text) {
    return text.size() >= 2 && static_cast<unsigned char>(text[0]) == kRawByteLead &&
           IsRawByteTrail(static_cast<unsigned char>(text[1]));
}

char RawByteOf(unsigned char trail) {
    const unsigned index = trail <= 0x7E ? trail - 0x40u : kLowTrailCount + (trail - 0x80u);
    return static_cast<char>(0x80 + index);
}

void AppendRawByteCode(std::string& out, unsigned char byte) {
    const unsigned index = byte - 0x80u;
    out += static_cast<char>(kRawByteLead);
    out +=
        static_cast<char>(index < kLowTrailCount ? 0x40 + index : 0x80 + (index - kLowTrailCount));
}

// Length of the code-page-932 character at the start of `text` (not empty): two bytes for a
// lead byte that has a byte after it, else one.
std::size_t CharacterLength(std::string_view text) {
    return IsLeadByte(static_cast<unsigned char>(text[0])) && text.size() > 1 ? 2 : 1;
}

// Calls `text` for every stretch of `sjis` between raw-byte codes and `raw` for the byte of
// every raw-byte code, in order.
template <typename TextPart, typename RawByte>
void SplitAtRawByteCodes(std::string_view sjis, TextPart text, RawByte raw) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < sjis.size()) {
        const std::string_view rest = sjis.substr(i);
        if (StartsWithRawByteCode(rest)) {
            if (i > start) {
                text(sjis.substr(start, i - start));
            }
            raw(RawByteOf(static_cast<unsigned char>(rest[1])));
            i += 2;
            start = i;
        } else {
            i += CharacterLength(rest);
        }
    }
    if (sjis.size() > start) {
        text(sjis.substr(start));
    }
}

// Shows bytes as UTF-8: well-formed characters as they are, every other byte as U+FFFD.
void AppendShownBytes(std::string& out, std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = Utf8CharacterLength(bytes);
        if (length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
}

void AppendLenientUtf8(std::string& out, std::string_view sjis) {
    if (IsAscii(sjis)) {
        out.append(sjis);
        return;
    }
    while (!sjis.empty()) {
        bool failed = false;
        std::size_t used = ToUtf8Converter().Convert(sjis, out, failed);
        sjis.remove_prefix(used);
        if (failed && !sjis.empty()) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            sjis.remove_prefix(1);
        }
    }
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
    if (!HasRawByteCodes(sjis)) {
        AppendLenientUtf8(out, sjis);
        return out;
    }
    std::string rawBytes;
    SplitAtRawByteCodes(
        sjis,
        [&](std::string_view text) {
            AppendShownBytes(out, rawBytes);
            rawBytes.clear();
            AppendLenientUtf8(out, text);
        },
        [&](char byte) { rawBytes += byte; });
    AppendShownBytes(out, rawBytes);
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
        if (failed && !utf8.empty()) {
            out += '?';
            // The character that failed: one without a code-page-932 form, the bytes that began one
            // before it was cut short, or a byte that begins none.
            utf8.remove_prefix(Utf8PrefixLength(utf8));
        }
    }
    return out;
}

std::string FromOsBytes(std::string_view bytes) {
    std::string out;
    while (!bytes.empty()) {
        const unsigned char first = static_cast<unsigned char>(bytes.front());
        if (first < 0x80) {
            out += bytes.front();
            bytes.remove_prefix(1);
            continue;
        }
        std::size_t length = Utf8CharacterLength(bytes);
        if (length > 0) {
            const std::string_view character = bytes.substr(0, length);
            const auto sjis = FromUtf8Strict(character);
            if (sjis && !StartsWithRawByteCode(*sjis)) {
                const auto back = ToUtf8Strict(*sjis);
                if (back && *back == character) {
                    out += *sjis;
                    bytes.remove_prefix(length);
                    continue;
                }
            }
        } else {
            length = 1;
        }
        for (std::size_t i = 0; i < length; ++i) {
            AppendRawByteCode(out, static_cast<unsigned char>(bytes[i]));
        }
        bytes.remove_prefix(length);
    }
    return out;
}

std::string ToOsBytes(std::string_view sjis) {
    std::string out;
    SplitAtRawByteCodes(
        sjis,
        [&](std::string_view text) {
            const auto utf8 = ToUtf8Strict(text);
            out.append(utf8 ? std::string_view(*utf8) : text);
        },
        [&](char byte) { out += byte; });
    return out;
}

bool IsUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = Utf8CharacterLength(bytes);
        if (length == 0) {
            return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

bool HasRawByteCodes(std::string_view sjis) {
    if (sjis.find(static_cast<char>(kRawByteLead)) == std::string_view::npos) {
        return false;
    }
    for (std::size_t i = 0; i < sjis.size(); i += CharacterLength(sjis.substr(i))) {
        if (StartsWithRawByteCode(sjis.substr(i))) {
            return true;
        }
    }
    return false;
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
