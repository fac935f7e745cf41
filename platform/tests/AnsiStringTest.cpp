#include "platform/AnsiString.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(AnsiStringTest, JapaneseLiteralsBecomeCodePage932Bytes) {
    EXPECT_EQ(u8"処分"_sj.str(), "\x8F\x88\x95\xAA");
    EXPECT_EQ(u8"ｱｽｺﾝ塊"_sj.Length(), 6); // four half-width katakana and one two-byte kanji
    EXPECT_EQ(u8"処分"_sj.ToUtf8(), "処分");
}

TEST(AnsiStringTest, PositionsAndCutsCountBytes) {
    const AnsiString text = u8"ab処分c"_sj; // a b [8F 88] [95 AA] c
    EXPECT_EQ(text.Length(), 7);
    EXPECT_EQ(text.Pos(u8"分"_sj), 5);
    EXPECT_EQ(text.Pos("c"), 7);
    EXPECT_EQ(text.Pos(""), 0);
    EXPECT_EQ(text.Pos("x"), 0);
    EXPECT_EQ(text.SubString(3, 2), u8"処"_sj);
    EXPECT_EQ(text.SubString(4, 2).str(), "\x88\x95"); // a cut through two characters
    EXPECT_EQ(text.SubString(6, 100), AnsiString("\xAA"
                                                 "c"));
    EXPECT_EQ(text.SubString(0, 3), AnsiString());
    EXPECT_EQ(text.SubString(8, 1), AnsiString());
    EXPECT_EQ(text.SubString(1, 0), AnsiString());
    EXPECT_EQ(text[1], 'a');
    EXPECT_THROW(text[0], ERangeError);
    EXPECT_THROW(text[8], ERangeError);
}

TEST(AnsiStringTest, InvalidBytesSurviveStorageAndShowAsReplacement) {
    const AnsiString broken("\x82"
                            "A\xFF",
                            3); // 0x82 0x41 is no character; 0xFF is never one
    AnsiString copy = broken + "";
    EXPECT_EQ(copy.str(), std::string("\x82"
                                      "A\xFF",
                                      3));
    EXPECT_NE(broken.ToUtf8().find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(Printable(AnsiString("a\r\n")), "a\\r\\n");
    EXPECT_EQ(Printable(AnsiString("\xFF", 1)), "\\xFF");
    EXPECT_EQ(Printable(u8"処分ｱ"_sj), "処分ｱ");
}

TEST(AnsiStringTest, TextWithoutCodePage932FormBecomesQuestionMark) {
    EXPECT_EQ(AnsiString::FromUtf8("a\xF0\x9F\x98\x80z").str(), "a?z"); // an emoji
    EXPECT_EQ(cp932::FromUtf8Strict("\xF0\x9F\x98\x80"), std::nullopt);
}

TEST(AnsiStringTest, SameTextFoldsAsciiLettersButNotTrailBytes) {
    EXPECT_TRUE(cp932::SameText("Version", "vERSION"));
    EXPECT_FALSE(cp932::SameText("key", "key "));
    // 0x83 0x41 ("ア") and 0x83 0x61 ("ヂ") differ only in a trail byte that looks like a letter.
    EXPECT_FALSE(cp932::SameText("\x83\x41", "\x83\x61"));
    EXPECT_TRUE(cp932::SameText(u8"地区"_sj.str(), u8"地区"_sj.str()));
}
