#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between code page 932 bytes and UTF-8, on glibc's iconv.
namespace cp932 {

// Strict conversions: nothing when the input is not valid in its encoding or a character cannot
// be represented in the other one.
std::optional<std::string> ToUtf8Strict(std::string_view sjis);
std::optional<std::string> FromUtf8Strict(std::string_view utf8);

// Lenient conversions for display and input: invalid bytes become U+FFFD (to UTF-8), characters
// without a code-page-932 form become "?" (from UTF-8), and so do the bytes that began a
// character cut short and every byte that begins none (a stray continuation byte, C0, C1,
// F5-FF, the start of an overlong form or of a surrogate). Raw-byte codes (below) show as the
// UTF-8 characters that their bytes form, and as U+FFFD, one a byte, where the bytes form none.
std::string ToUtf8(std::string_view sjis);
std::string FromUtf8(std::string_view utf8);

// Exact conversions for names from the operating system (file names, paths): bytes that have no
// exact code-page-932 form (characters that code page 932 lacks, characters that it holds only
// one way such as U+301C or U+00A5, bytes that are not UTF-8) travel inside code-page-932 text
// as raw-byte codes: the two-byte codes 0xF9 0x40 ... 0xF9 0x7E and 0xF9 0x80 ... 0xF9 0xC0 of
// the last user-defined row stand for the bytes 0x80 ... 0xFF, one code a byte. ASCII bytes
// stay as they are, so codes and separators in a name keep their bytes.
//
// Every character of `bytes` whose code-page-932 form converts back to it unchanged is
// converted; every other byte becomes a raw-byte code.
std::string FromOsBytes(std::string_view bytes);
// The reverse: raw-byte codes give their bytes back, the text between them is converted to
// UTF-8 (or kept as it is where it is no valid code page 932), so that
// ToOsBytes(FromOsBytes(b)) == b for every b.
std::string ToOsBytes(std::string_view sjis);
// True when `bytes` is well-formed UTF-8 throughout.
bool IsUtf8(std::string_view bytes);
// True when the text holds a raw-byte code.
bool HasRawByteCodes(std::string_view sjis);

// True for a byte that starts a two-byte character in code page 932.
inline bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Case-insensitive comparison of two code-page-932 texts, as the locale-aware comparison of a
// Japanese system makes it: ASCII letters and the full-width Latin, Greek and Cyrillic letters
// match regardless of case; everything else must match exactly: other two-byte characters
// (kana among them, and a trail byte that looks like an ASCII letter) and a letter of the other
// width (half-width "A" is not full-width "Ａ").
bool SameText(std::string_view left, std::string_view right);
// A key for lookups by SameText: the keys of two texts are equal exactly when SameText holds for
// them (every letter that SameText folds becomes its small letter, all else stays).
std::string SameTextKey(std::string_view text);

} // namespace cp932
