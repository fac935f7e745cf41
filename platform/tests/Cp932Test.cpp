#include "platform/Cp932.h"
#include "platform/AnsiString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LenientCase {
    const char* utf8;
    const char* sjis;
};

// A character that fails costs one "?" and only its own bytes: the conversion goes on at the
// first byte that cannot continue it.
TEST(Cp932Test, LenientConversionGoesOnAtTheFirstByteThatCannotContinueACharacter) {
    const LenientCase cases[] = {
        {"\xE3\x41\x42", "?AB"},               // a lead byte followed by ASCII
        {"\xE3\x81\x41", "?A"},                // cut short after one continuation byte
        {"a\xC3\xA9z", "a?z"},                 // é: whole, but without a code-page-932 form
        {"\xF0\x9F\x98\x80x", "?x"},           // an emoji: four bytes, one mark
        {"\xF0\x9F\xE3\x81\x82", "?\x82\xA0"}, // cut short by the next character, あ
        {"\x80\x41", "?A"},                    // a stray continuation byte
        {"x\xE3", "x?"},                       // cut short by the end
        // Bytes that begin no character cost one mark each: F5-FF would lead code points
        // beyond U+10FFFF, C0 and C1 overlong forms; E0 80, F0 80 and F4 90 begin overlong
        // forms or code points beyond U+10FFFF, ED A0 a surrogate.
        {"\xF9\x82\xA0x", "???x"},
        {"\xF5\x80\x80\x80", "????"},
        {"\xFF\x80\x80", "???"},
        {"\xC0\x80\xC1\xBF", "????"},
        {"\xE0\x80\x80", "???"},
        {"\xED\xA0\x80", "???"},
        {"\xF0\x80\x80\x80", "????"},
        {"\xF4\x90\x80\x80", "????"},
        {"\xE0\xA0", "?"}, // the beginning of a three-byte character, cut short
    };
    for (const LenientCase& c : cases) {
        EXPECT_EQ(cp932::FromUtf8(c.utf8), c.sjis) << Printable(AnsiString(c.utf8));
    }
}

struct NameCase {
    const char* label;
    std::string bytes; // a name as the operating system holds it
    std::string shown; // how it shows (UTF-8)
};

// Names whose code-page-932 form would not lead back to them: characters code page 932 lacks,
// characters it holds only one way, bytes that are no UTF-8, and a character whose
// code-page-932 code stands for a raw byte.
const std::string kMark = "\xEF\xBF\xBD"; // U+FFFD
const std::string kWaveDashName =
    "ET19_\xE5\x87\xA6\xE7\x90\x86\xE6\x96\x99\xE9\x87\x91(4\xE6\x9C\x88\xE3\x80\x9C"
    "6\xE6\x9C\x88).csv"; // ET19_処理料金(4月〜6月).csv
const NameCase kNames[] = {
    {"Latin", "caf\xC3\xA9.ini", "caf\xC3\xA9.ini"},
    {"WaveDash", kWaveDashName, kWaveDashName},
    {"Minus", "a\xE2\x88\x92", "a\xE2\x88\x92"},
    {"Yen", "\xC2\xA5.ini", "\xC2\xA5.ini"},
    {"EmDash", "\xE2\x80\x94", "\xE2\x80\x94"},
    {"DoubleVerticalLine", "\xE2\x80\x96", "\xE2\x80\x96"},
    {"Cent", "\xC2\xA2", "\xC2\xA2"},
    {"Pound", "\xC2\xA3", "\xC2\xA3"},
    {"Not", "\xC2\xAC", "\xC2\xAC"},
    {"Overline", "\xE2\x80\xBE", "\xE2\x80\xBE"},
    {"Emoji", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    {"RawByteCodeCharacter", "\xEE\x9A\x9C", "\xEE\x9A\x9C"}, // U+E69C, the code 0xF9 0x40
    // Bytes that are no UTF-8 show as replacement marks.
    {"Latin1", "caf\xE9.ini", "caf\xEF\xBF\xBD.ini"},
    {"NotUtf8ButCodePage932", "\xE9\x40.ini", "\xEF\xBF\xBD@.ini"},
    // Bytes that begin no UTF-8 character show one mark each, whatever follows them.
    {"BeyondU10FFFF", "\xF9\x82\xA0", kMark + kMark + kMark},
    {"LeadF5", "a\xF5\x80\x80\x80", "a" + kMark + kMark + kMark + kMark},
    {"LeadFF", "\xFF\xBF\xBF", kMark + kMark + kMark},
    {"OverlongC0C1", "\xC0\x80\xC1\xBF", kMark + kMark + kMark + kMark},
    {"OverlongE0", "\xE0\x80\xAF", kMark + kMark + kMark},
    {"OverlongF0", "\xF0\x8F\xBF\xBF", kMark + kMark + kMark + kMark},
    {"Surrogate", "\xED\xA0\x80", kMark + kMark + kMark},
    {"AboveF4", "\xF4\x90\x80\x80", kMark + kMark + kMark + kMark},
};

class RawByteCodeTest : public testing::TestWithParam<NameCase> {};

TEST_P(RawByteCodeTest, NamesComeBackExactlyAndShowAsTheirCharacters) {
    const NameCase& c = GetParam();
    const std::string sjis = cp932::FromOsBytes(c.bytes);
    EXPECT_TRUE(cp932::HasRawByteCodes(sjis));
    EXPECT_TRUE(cp932::ToUtf8Strict(sjis)) << "valid code page 932";
    EXPECT_EQ(cp932::ToOsBytes(sjis), c.bytes);
    EXPECT_EQ(cp932::ToUtf8(sjis), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Names, RawByteCodeTest, testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Cp932Test, RawByteCodesLeaveAsciiAndExactCharactersAsTheyAre) {
    // 処 (0x8F 0x88) keeps its code, the wave dash becomes three codes, ".csv" stays.
    EXPECT_EQ(cp932::FromOsBytes("\xE5\x87\xA6\xE3\x80\x9C.csv"),
              "\x8F\x88\xF9\xA4\xF9\x40\xF9\x5C.csv");
    // Every byte from 0x80 to 0xFF has its own code.
    std::string all;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(cp932::ToOsBytes(cp932::FromOsBytes(all)), all);
    EXPECT_EQ(cp932::FromOsBytes(all).size(), 2 * all.size());
    // A code cut in half, and the 0xF9 that is the second byte of another character, are no
    // raw-byte codes.
    EXPECT_FALSE(cp932::HasRawByteCodes("a\xF9"));
    EXPECT_FALSE(cp932::HasRawByteCodes("\x88\xF9\x40"));
    EXPECT_FALSE(cp932::HasRawByteCodes(u8"処分場"_sj.str()));
}

} // namespace
