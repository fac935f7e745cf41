#include "platform/AnsiString.h"

#include "platform/Cp932.h"
#include "platform/Exceptions.h"

#include <cstdio>
#include <ostream>

AnsiString AnsiString::FromUtf8(std::string_view utf8) {
    return AnsiString(cp932::FromUtf8(utf8));
}

std::string AnsiString::ToUtf8() const {
    return cp932::ToUtf8(bytes_);
}

char AnsiString::operator[](int position) const {
    if (position < 1 || position > Length()) {
        throw ERangeError("文字列の位置 " + std::to_string(position) + " が範囲外です。");
    }
    return bytes_[static_cast<std::size_t>(position - 1)];
}

char& AnsiString::operator[](int position) {
    if (position < 1 || position > Length()) {
        throw ERangeError("文字列の位置 " + std::to_string(position) + " が範囲外です。");
    }
    return bytes_[static_cast<std::size_t>(position - 1)];
}

AnsiString AnsiString::SubString(int start, int count) const {
    if (start < 1 || start > Length() || count <= 0) {
        return AnsiString();
    }
    return AnsiString(
        bytes_.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

int AnsiString::Pos(const AnsiString& needle) const {
    if (needle.IsEmpty()) {
        return 0;
    }
    std::size_t at = bytes_.find(needle.bytes_);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

AnsiString operator""_sj(const char8_t* text, std::size_t size) {
    return AnsiString::FromUtf8(std::string_view(reinterpret_cast<const char*>(text), size));
}

AnsiString operator""_sj(const char* text, std::size_t size) {
    return AnsiString::FromUtf8(std::string_view(text, size));
}

std::string Printable(const AnsiString& text) {
    const std::string& bytes = text.str();
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 || c == 0x7F) {
            const char* named = c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : nullptr;
            if (named) {
                out += named;
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            }
            ++i;
            continue;
        }
        std::size_t width = cp932::IsLeadByte(c) ? 2 : 1;
        if (c >= 0xA1 && c <= 0xDF) {
            width = 1; // half-width katakana
        }
        if (i + width > bytes.size()) {
            width = 1;
        }
        std::string_view piece(bytes.data() + i, width);
        auto converted = cp932::ToUtf8Strict(piece);
        if (converted && !(width == 1 && c >= 0x80 && !(c >= 0xA1 && c <= 0xDF))) {
            out += *converted;
        } else {
            for (unsigned char b : piece) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", b);
                out += hex;
            }
        }
        i += width;
    }
    return out;
}

std::ostream& operator<<(std::ostream& out, const AnsiString& text) {
    return out << Printable(text);
}

void PrintTo(const AnsiString& text, std::ostream* out) {
    *out << '"' << Printable(text) << '"';
}
