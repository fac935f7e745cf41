#include "platform/AnsiString.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>
#include <wctype.h>

namespace {

// The one code point of a UTF-8 text; nothing when it holds more or less than one.
std::optional<char32_t> SingleCodePoint(const std::string& utf8) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (utf8.size() == 2 && (byte(0) & 0xE0) == 0xC0) {
        return char32_t((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
    }
    if (utf8.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
        return char32_t((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F));
    }
    return std::nullopt;
}

struct WideCharacter {
    std::string bytes;  // code page 932
    char32_t lowerCase; // its Unicode character in lower case
};

// Every two-byte character with lead byte 0x81 to 0x84 (signs, digits, full-width Latin letters,
// hiragana, katakana, Greek and Cyrillic letters, box drawing), with its lower-case Unicode form
// as glibc's iconv and the C.UTF-8 locale give it.
std::vector<WideCharacter> LettersAndSigns() {
    const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    EXPECT_NE(utf8, locale_t{}) << "the C.UTF-8 locale is missing";
    std::vector<WideCharacter> characters;
    if (utf8 == locale_t{}) {
        return characters;
    }
    for (unsigned lead = 0x81; lead <= 0x84; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8Text = cp932::ToUtf8Strict(bytes);
            if (!utf8Text) {
                continue; // no character at this code (0x847F among them)
            }
            const auto codePoint = SingleCodePoint(*utf8Text);
            EXPECT_TRUE(codePoint.has_value()) << Printable(AnsiString(bytes));
            if (codePoint) {
                characters.push_back(
                    {bytes, static_cast<char32_t>(::towlower_l(*codePoint, utf8))});
            }
        }
    }
    ::freelocale(utf8);
    return characters;
}

// Two full-width characters are the same text exactly when their Unicode characters agree in
// lower case: the 26 Latin, 24 Greek and 33 Cyrillic pairs, and nothing else (not hiragana and
// katakana, nor small and large kana, nor a letter and the sign beside it).
TEST(SameTextTest, FullWidthLettersMatchTheirOtherCaseAndNothingElse) {
    const auto characters = LettersAndSigns();
    ASSERT_GT(characters.size(), 500u);
    int pairsOfCases = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        for (std::size_t j = 0; j < characters.size(); ++j) {
            const WideCharacter& a = characters[i];
            const WideCharacter& b = characters[j];
            const bool expected = a.lowerCase == b.lowerCase;
            if (cp932::SameText(a.bytes, b.bytes) != expected) {
                ADD_FAILURE() << Printable(AnsiString(a.bytes)) << " and "
                              << Printable(AnsiString(b.bytes)) << " should "
                              << (expected ? "" : "not ") << "be the same text";
            }
            if (expected && i < j) {
                ++pairsOfCases;
            }
        }
    }
    EXPECT_EQ(pairsOfCases, 26 + 24 + 33);
}

TEST(SameTextTest, TextsMatchCharacterByCharacterAtTheirOwnWidth) {
    const struct {
        const char8_t* left;
        const char8_t* right;
        bool same;
    } cases[] = {
        {u8"座標ＫＥＹ１", u8"座標ｋｅｙ１", true},
        {u8"ΑΩ-Жё", u8"αω-жЁ", true},
        {u8"Keyａ", u8"kEYＡ", true},
        {u8"AＡ", u8"ａa", false}, // a letter does not match its other width
        {u8"Ａ", u8"A ", false},   // same byte count, other characters
        {u8"ア", u8"あ", false},
        {u8"ｱ", u8"ア", false},
        {u8"ァ", u8"ア", false},
    };
    for (const auto& c : cases) {
        const AnsiString left = AnsiString::FromUtf8(reinterpret_cast<const char*>(c.left));
        const AnsiString right = AnsiString::FromUtf8(reinterpret_cast<const char*>(c.right));
        SCOPED_TRACE(Printable(left) + " / " + Printable(right));
        EXPECT_EQ(cp932::SameText(left.str(), right.str()), c.same);
        EXPECT_EQ(cp932::SameText(right.str(), left.str()), c.same);
    }
    // A lead byte that ends the text is compared as it is.
    EXPECT_FALSE(cp932::SameText("a\x82", "a\x83"));
    EXPECT_TRUE(cp932::SameText("A\x82", "a\x82"));
}

} // namespace
