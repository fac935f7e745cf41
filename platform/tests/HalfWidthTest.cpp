#include "platform/HalfWidth.h"

#include <gtest/gtest.h>

namespace {

struct HalfWidthCase {
    AnsiString input;
    AnsiString expected;
};

void PrintTo(const HalfWidthCase& c, std::ostream* out) {
    *out << Printable(c.input);
}

class HalfWidthTest : public testing::TestWithParam<HalfWidthCase> {};

TEST_P(HalfWidthTest, MapsFullWidthInputCharacters) {
    EXPECT_EQ(ToHalfWidth(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HalfWidthTest,
    testing::Values(HalfWidthCase{u8"３"_sj, "3"}, HalfWidthCase{u8"１２０"_sj, "120"},
                    HalfWidthCase{u8"０１２３４５６７８９"_sj, "0123456789"},
                    HalfWidthCase{u8"－５"_sj, "-5"}, HalfWidthCase{u8"ＡＢｚ"_sj, "ABz"},
                    HalfWidthCase{u8"　１"_sj, " 1"}, HalfWidthCase{u8"１．５"_sj, "1.5"},
                    HalfWidthCase{u8"！＃＄％＆（）＊＋，／：；＜＝＞？＠［］＾＿｛｜｝"_sj,
                                  "!#$%&()*+,/:;<=>?@[]^_{|}"},
                    // Characters without a single-byte form here stay as they are.
                    HalfWidthCase{u8"件数３件"_sj, u8"件数3件"_sj},
                    HalfWidthCase{u8"ｱ12"_sj, u8"ｱ12"_sj}, HalfWidthCase{"", ""},
                    // A lone lead byte at the end and invalid pairs pass through untouched.
                    HalfWidthCase{AnsiString("1\x82"), AnsiString("1\x82")},
                    HalfWidthCase{AnsiString("\x85\x40"
                                             "3"),
                                  AnsiString("\x85\x40"
                                             "3")}));

} // namespace
