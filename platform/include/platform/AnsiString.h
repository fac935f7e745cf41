#pragma once

#include <compare>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

// A byte string holding code-page-932 text. Positions and lengths are 1-based and count bytes,
// so a Japanese character counts two; no operation ever converts or drops a byte.
class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* text) : bytes_(text ? text : "") {}
    AnsiString(std::string bytes) : bytes_(std::move(bytes)) {}
    AnsiString(std::string_view bytes) : bytes_(bytes) {}
    AnsiString(const char* data, std::size_t size) : bytes_(data, size) {}

    // Converts UTF-8 text (for example a literal in the source) to code page 932.
    // Characters that code page 932 lacks become "?".
    static AnsiString FromUtf8(std::string_view utf8);
    // The text as UTF-8; bytes that are not valid code page 932 become U+FFFD.
    std::string ToUtf8() const;

    int Length() const { return static_cast<int>(bytes_.size()); }
    bool IsEmpty() const { return bytes_.empty(); }
    const char* c_str() const { return bytes_.c_str(); }
    const std::string& str() const { return bytes_; }
    std::string& str() { return bytes_; }

    // Byte at 1-based position; throws ERangeError outside 1..Length().
    char operator[](int position) const;
    char& operator[](int position);

    // Piece starting at 1-based `start`, at most `count` bytes. A start below 1 or past the end,
    // or a count of 0 or less, gives the empty text.
    AnsiString SubString(int start, int count) const;
    // 1-based position of the first occurrence of `needle`, 0 when absent or when needle is empty.
    int Pos(const AnsiString& needle) const;
    bool Contains(const AnsiString& needle) const { return Pos(needle) > 0; }

    AnsiString& operator+=(const AnsiString& other) {
        bytes_ += other.bytes_;
        return *this;
    }
    friend AnsiString operator+(AnsiString left, const AnsiString& right) {
        left += right;
        return left;
    }
    friend AnsiString operator+(AnsiString left, const char* right) {
        left += AnsiString(right);
        return left;
    }
    friend AnsiString operator+(const char* left, const AnsiString& right) {
        return AnsiString(left) + right;
    }
    friend bool operator==(const AnsiString&, const AnsiString&) = default;
    friend std::strong_ordering operator<=>(const AnsiString&, const AnsiString&) = default;

private:
    std::string bytes_;
};

// Literal written in UTF-8 in the source, converted to code page 932: u8"処分費目"_sj.
AnsiString operator""_sj(const char8_t* text, std::size_t size);
AnsiString operator""_sj(const char* text, std::size_t size);

// Readable form for test output and diagnostics: the text as UTF-8, with bytes that are not valid
// code page 932 shown as \xNN.
std::string Printable(const AnsiString& text);
std::ostream& operator<<(std::ostream& out, const AnsiString& text);
// GoogleTest uses this to print values in failure messages.
void PrintTo(const AnsiString& text, std::ostream* out);
