#include "platform/TStringList.h"
#include "platform/Exceptions.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.name;
}

class TStringListSplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(TStringListSplitTest, SplitsAtCrLfOrCrLf) {
    TStringList list;
    list.SetText(GetParam().bytes);
    std::vector<std::string> got;
    for (const AnsiString& line : list) {
        got.push_back(line.str());
    }
    EXPECT_EQ(got, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TStringListSplitTest,
    testing::Values(
        SplitCase{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        SplitCase{"FinalBreakAddsNoLine", "a\n", {"a"}},
        SplitCase{"EmptyLineKept", "a\n\nb", {"a", "", "b"}}, SplitCase{"EmptyText", "", {}},
        SplitCase{"OnlyBreak", "\r\n", {""}}, SplitCase{"CrThenCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"LfCr", "a\n\rb", {"a", "", "b"}},
        SplitCase{"NulAndHighBytesKept", std::string("x\0\xFF", 3), {std::string("x\0\xFF", 3)}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(TStringListTest, IndexOutsideTheListRaisesListError) {
    TStringList list;
    list.Add("a");
    EXPECT_EQ(list[0], AnsiString("a"));
    EXPECT_THROW(list[1], EListError);
    EXPECT_THROW(list[-1], EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    list.Delete(0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_THROW(list.Delete(0), EListError);
}

TEST(TStringListTest, LoadFromFileReadsLinesOrRaisesFileOpenError) {
    TempDir dir;
    dir.Write("t.txt", "one\r\ntwo\r\n");
    TStringList list;
    list.LoadFromFile(AnsiString(dir / "t.txt"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], AnsiString("two"));
    list.Add("kept");
    EXPECT_THROW(list.LoadFromFile(AnsiString(dir / "missing.txt")), EFOpenError);
    EXPECT_EQ(list.Count(), 3); // a failed load keeps what the list held
    EXPECT_THROW(list.LoadFromFile(AnsiString(dir.Path())), EFOpenError); // a folder
}

TEST(TStringListTest, SaveToFileWritesCrLfLines) {
    TempDir dir;
    TStringList list;
    list.Add("a");
    list.Add("");
    list.SaveToFile(AnsiString(dir / "out.txt"));
    EXPECT_EQ(dir.Read("out.txt"), "a\r\n\r\n");
    EXPECT_THROW(list.SaveToFile(AnsiString(dir / "no/such/folder.txt")), EFOpenError);
}

} // namespace
