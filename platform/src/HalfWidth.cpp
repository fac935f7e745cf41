#include "platform/HalfWidth.h"

#include "platform/Cp932.h"

#include <string>

namespace {

// Decodes one UTF-8 character of `utf8` (which holds exactly one character); 0 when malformed.
char32_t DecodeSingle(const std::string& utf8) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (utf8.size() == 1 && b(0) < 0x80) {
        return b(0);
    }
    if (utf8.size() == 2 && (b(0) & 0xE0) == 0xC0) {
        return static_cast<char32_t>(((b(0) & 0x1F) << 6) | (b(1) & 0x3F));
    }
    if (utf8.size() == 3 && (b(0) & 0xF0) == 0xE0) {
        return static_cast<char32_t>(((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F));
    }
    return 0;
}

// The single-byte form of a full-width character, or 0 when it has none here.
char HalfWidthOf(char32_t c) {
    if (c == U'\u3000') {
        return ' ';
    }
    if (c >= U'\uFF01' && c <= U'\uFF5E') {
        return static_cast<char>(c - 0xFF01 + 0x21);
    }
    // Code page 932 writes the full-width minus as U+2212 in some tables.
    if (c == U'\u2212') {
        return '-';
    }
    return 0;
}

} // namespace

AnsiString ToHalfWidth(const AnsiString& text) {
    const std::string& bytes = text.str();
    std::string result;
    result.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (!cp932::IsLeadByte(lead) || i + 1 >= bytes.size()) {
            result += bytes[i];
            ++i;
            continue;
        }
        const std::string_view pair(bytes.data() + i, 2);
        char half = 0;
        if (auto utf8 = cp932::ToUtf8Strict(pair)) {
            half = HalfWidthOf(DecodeSingle(*utf8));
        }
        if (half != 0) {
            result += half;
        } else {
            result.append(pair);
        }
        i += 2;
    }
    return AnsiString(std::move(result));
}
