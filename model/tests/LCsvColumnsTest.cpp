#include "model/LCsvColumns.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* name;
    std::vector<std::string> rows; // split one after the other, without Clear between them
    std::vector<std::string> expected;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.name;
}

class LCsvColumnsSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(LCsvColumnsSplit, KeepsColumnsInPlace) {
    const SplitCase& c = GetParam();
    LCsvColumns columns(static_cast<int>(c.expected.size()), 8);
    columns.Clear();
    for (const std::string& row : c.rows) {
        columns.Split(AnsiString(row));
    }
    for (std::size_t k = 0; k < c.expected.size(); ++k) {
        EXPECT_EQ(columns.Column(static_cast<int>(k + 1)).str(), c.expected[k])
            << c.name << ", column " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LCsvColumnsSplit,
    testing::Values(
        SplitCase{"plain", {"a,b,c"}, {"a", "b", "c"}},
        SplitCase{"no comma is one column", {"abc"}, {"abc", "", ""}},
        SplitCase{"empty row", {""}, {"", ""}},
        SplitCase{"empty columns keep the later ones in place", {",,c,,e"}, {"", "", "c", "", "e"}},
        SplitCase{"trailing comma", {"a,"}, {"a", ""}},
        SplitCase{"columns beyond the holders are ignored", {"a,b,c,d"}, {"a", "b"}},
        // Without Clear an empty column keeps the text of the row before, and a short row
        // leaves the columns it does not reach.
        SplitCase{"empty cell repeats the row above", {"a,b,c", ",,x"}, {"a", "b", "x"}},
        SplitCase{"short row leaves the rest", {"a,b,c", "z"}, {"z", "b", "c"}},
        // The bound counts bytes: eight of them, also when that splits a two-byte character.
        SplitCase{"long column cut", {"123456789,b"}, {"12345678", "b"}},
        SplitCase{"cut inside a two-byte character",
                  {"1234567\x88\x9F,\x82\xA0"},
                  {"1234567\x88", "\x82\xA0"}},
        // Bytes that are not valid code page 932 are kept; a lead byte before a comma does
        // not swallow it.
        SplitCase{"invalid bytes", {"\x81,\xFF\xFD,\x80"}, {"\x81", "\xFF\xFD", "\x80"}}));

TEST(LCsvColumnsTest, ClearEmptiesEveryHolder) {
    LCsvColumns columns(3, 255);
    columns.Split("a,b,c");
    columns.Clear();
    columns.Split(",y");
    EXPECT_EQ(columns.Column(1), AnsiString(""));
    EXPECT_EQ(columns.Column(2), AnsiString("y"));
    EXPECT_EQ(columns.Column(3), AnsiString(""));
}

TEST(LCsvColumnsTest, VeryLongRowIsCutPerColumnAndKeepsPositions) {
    LCsvColumns columns(3, 255);
    const std::string longColumn(100000, 'x');
    columns.Split(AnsiString(longColumn + "," + longColumn + ",end"));
    EXPECT_EQ(columns.Column(1).Length(), 255);
    EXPECT_EQ(columns.Column(2).Length(), 255);
    EXPECT_EQ(columns.Column(3), AnsiString("end"));
}

TEST(LCsvColumnsTest, ColumnOutsideTheHoldersRaisesListError) {
    LCsvColumns columns(2, 15);
    EXPECT_THROW(columns.Column(0), EListError);
    EXPECT_THROW(columns.Column(3), EListError);
}

} // namespace
