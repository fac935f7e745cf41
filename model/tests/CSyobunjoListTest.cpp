#include "model/CSyobunjoList.h"
#include "platform/Exceptions.h"
#include "platform/testing/MessageBoxRecorder.h"

#include "ProgramFolderCopy.h"
#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const MessageBoxRecorder::Call kFeeTableMessage{u8"ファイルが開けませんでした。\nET19.txt"_sj,
                                                u8"エラー"_sj, 0x30};
const MessageBoxRecorder::Call kCoordinateMessage{
    u8"ファイルが開けませんでした。\nvor処分場座標.csv"_sj, u8"エラー"_sj, 0x30};

AnsiString Repeat(const AnsiString& text, int times) {
    AnsiString result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

std::vector<const CSyobunjoData*> Sites(CSyobunjoList& list) {
    std::vector<const CSyobunjoData*> sites;
    for (list.First(); !list.IsEnd(); list.Next()) {
        sites.push_back(list.GetCurrent());
    }
    return sites;
}

class CSyobunjoListTest : public testing::Test {
protected:
    ProgramFolderCopy folder_;
    MessageBoxRecorder messages_;
    CSyobunjoList list_;
};

TEST_F(CSyobunjoListTest, LoadsTheSitesOfTheCategoryWithTheirCoordinates) {
    ASSERT_TRUE(list_.LoadFromFile(0));
    EXPECT_EQ(list_.GetCategory(), u8"鉄筋ｺﾝｸﾘｰﾄ塊"_sj);
    EXPECT_TRUE(list_.IsEnd()); // the coordinate pass leaves the cursor at the end
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 6u);
    const CSyobunjoData& first = *sites[0];
    EXPECT_EQ(first.GetKey(), AnsiString("K001"));
    EXPECT_EQ(first.GetName(), u8"北東処分場"_sj);
    EXPECT_EQ(first.GetDisposalCost(), 3000);
    EXPECT_EQ(first.GetUnit(), u8"円/t"_sj);
    EXPECT_EQ(first.GetSource(), u8"見積"_sj);
    // The first of two coordinate lines with key K001 gives the position.
    EXPECT_EQ(first.GetX(), 13000.0);
    EXPECT_EQ(first.GetY(), 24000.0);
    EXPECT_EQ(sites[1]->GetName(), u8"東処分場"_sj); // the plain-concrete line between is skipped
    EXPECT_EQ(sites[4]->GetDisposalCost(), 0);       // empty fee column
    EXPECT_EQ(sites[4]->GetX(), 0.0);                // no coordinate line
    EXPECT_EQ(sites[5]->GetX(), -51000.0);           // key "k006" matches K006
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CSyobunjoListTest, CursorSteps) {
    EXPECT_TRUE(list_.IsEnd());
    list_.First();
    EXPECT_TRUE(list_.IsEnd()); // empty list
    EXPECT_FALSE(list_.Next());
    ASSERT_TRUE(list_.LoadFromFile(2)); // one asphalt site
    list_.First();
    ASSERT_FALSE(list_.IsEnd());
    EXPECT_EQ(list_.GetCurrent()->GetName(), u8"ｱｽｺﾝ処分場"_sj);
    EXPECT_TRUE(list_.Next()); // onto the end
    EXPECT_TRUE(list_.IsEnd());
    EXPECT_FALSE(list_.Next());
    EXPECT_THROW(list_.GetCurrent(), EListError);
}

TEST_F(CSyobunjoListTest, LoadingAgainAppends) {
    ASSERT_TRUE(list_.LoadFromFile(2));
    ASSERT_TRUE(list_.LoadFromFile(1));
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[1]->GetName(), u8"無筋処分場"_sj);
    list_.Clear();
    EXPECT_EQ(list_.Count(), 0);
}

TEST_F(CSyobunjoListTest, MalformedFeeLines) {
    folder_.Install("sites/fees_malformed.txt", "dat/DT19_ryokin.txt");
    folder_.Install("sites/coords_malformed.csv", "dat/DC01_zahyo.csv");
    ASSERT_TRUE(list_.LoadFromFile(0));
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 7u);
    // 10 columns: no fee, unit or source. Its key S01 is on the coordinate table's first line,
    // which takes part in the key list.
    EXPECT_EQ(sites[0]->GetName(), u8"短い行"_sj);
    EXPECT_EQ(sites[0]->GetDisposalCost(), 0);
    EXPECT_EQ(sites[0]->GetUnit(), AnsiString(""));
    EXPECT_EQ(sites[0]->GetX(), 1.0);
    EXPECT_EQ(sites[0]->GetY(), 2.0);
    // 12 columns: fee and unit, no source; empty X and Y columns give 0.
    EXPECT_EQ(sites[1]->GetDisposalCost(), 6000);
    EXPECT_EQ(sites[1]->GetUnit(), u8"円/t"_sj);
    EXPECT_EQ(sites[1]->GetSource(), AnsiString(""));
    EXPECT_EQ(sites[1]->GetX(), 0.0);
    // The category inside the name; column 21 empty, the source still from column 22; the key
    // matches "s03", the first of two lines, without regard to case.
    EXPECT_EQ(sites[2]->GetName(), u8"鉄筋ｺﾝｸﾘｰﾄ塊専用処分場"_sj);
    EXPECT_EQ(sites[2]->GetSource(), u8"出典22"_sj);
    EXPECT_EQ(sites[2]->GetX(), 100.5);
    EXPECT_EQ(sites[2]->GetY(), 200.25);
    // A line of the category text alone has one column.
    EXPECT_EQ(sites[3]->GetKey(), AnsiString(""));
    EXPECT_EQ(sites[3]->GetName(), AnsiString(""));
    // A name of 150 two-byte characters is cut to 255 bytes, half a character included; the
    // columns after it stay in place.
    EXPECT_EQ(sites[4]->GetName().Length(), 255);
    EXPECT_EQ(sites[4]->GetName().SubString(1, 254), Repeat(u8"処"_sj, 127));
    EXPECT_EQ(sites[4]->GetName()[255], u8"処"_sj[1]);
    EXPECT_EQ(sites[4]->GetDisposalCost(), 5000);
    // Bytes that are not valid code page 932 are kept.
    EXPECT_EQ(sites[5]->GetName(), AnsiString("\x81\x20\xFF"));
    EXPECT_EQ(sites[5]->GetX(), 5.0);
    EXPECT_EQ(sites[6]->GetName(), AnsiString(std::string(255, 'x')));
    EXPECT_EQ(sites[6]->GetUnit(), AnsiString(std::string(255, 'y')));
    EXPECT_EQ(sites[6]->GetSource(), u8"見積"_sj);
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CSyobunjoListTest, FilesOfOneLineTakePartLikeAnyOther) {
    folder_.Install("sites/fees_one_line.txt", "dat/DT19_ryokin.txt");
    folder_.Install("sites/coords_one_line.csv", "dat/DC01_zahyo.csv");
    ASSERT_TRUE(list_.LoadFromFile(0));
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 1u);
    EXPECT_EQ(sites[0]->GetName(), u8"見出し行の処分場"_sj);
    EXPECT_EQ(sites[0]->GetX(), 10.0);
    EXPECT_EQ(sites[0]->GetY(), 20.0);
}

TEST_F(CSyobunjoListTest, FeeThatIsNoWholeNumberStopsTheLoadWithItsMessage) {
    folder_.Install("sites/fees_badfee.txt", "dat/DT19_ryokin.txt");
    EXPECT_FALSE(list_.LoadFromFile(0));
    EXPECT_EQ(messages_.Calls(), (std::vector<MessageBoxRecorder::Call>{kFeeTableMessage}));
    // The two sites before the failing line stay, without coordinates.
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[1]->GetName(), u8"良い処分場2"_sj);
    EXPECT_EQ(sites[1]->GetX(), 0.0);
}

TEST_F(CSyobunjoListTest, MissingFeeTable) {
    folder_.Remove("dat/DT19_ryokin.txt");
    EXPECT_FALSE(list_.LoadFromFile(0));
    EXPECT_EQ(messages_.Calls(), (std::vector<MessageBoxRecorder::Call>{kFeeTableMessage}));
    EXPECT_EQ(list_.Count(), 0);
}

TEST_F(CSyobunjoListTest, UnreadableFeeTable) {
    folder_.MakeUnreadable("dat/DT19_ryokin.txt");
    bool loaded = true;
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        loaded = list_.LoadFromFile(0);
    }
    EXPECT_FALSE(loaded);
    EXPECT_EQ(messages_.Calls(), (std::vector<MessageBoxRecorder::Call>{kFeeTableMessage}));
}

TEST_F(CSyobunjoListTest, MissingCoordinateTableKeepsTheSitesAtZero) {
    folder_.Remove("dat/DC01_zahyo.csv");
    EXPECT_TRUE(list_.LoadFromFile(0));
    EXPECT_EQ(messages_.Calls(), (std::vector<MessageBoxRecorder::Call>{kCoordinateMessage}));
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 6u);
    EXPECT_EQ(sites[0]->GetX(), 0.0);
    EXPECT_FALSE(list_.LoadCoordinates());
    EXPECT_EQ(messages_.Calls().size(), 2u);
}

TEST_F(CSyobunjoListTest, CoordinateThatIsNoNumberPassesOut) {
    folder_.Install("sites/fees_malformed.txt", "dat/DT19_ryokin.txt");
    folder_.Install("sites/coords_bad_number.csv", "dat/DC01_zahyo.csv");
    EXPECT_THROW(list_.LoadFromFile(0), EConvertError);
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), 7u);
    EXPECT_EQ(sites[2]->GetX(), 1.0); // S03, before the failing S05
    EXPECT_EQ(sites[5]->GetX(), 0.0); // S06, after it
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CSyobunjoListTest, KeysMatchTheFirstLineThatIsTheSameTextRegardlessOfCase) {
    folder_.Install("sites/fees_folded_keys.txt", "dat/DT19_ryokin.txt");
    folder_.Install("sites/coords_folded_keys.csv", "dat/DC01_zahyo.csv");
    ASSERT_TRUE(list_.LoadFromFile(0));
    const struct {
        const char8_t* key;
        double x, y;
    } expected[] = {
        {u8"abc", 1, 2},      // "Abc", not the later "abc"
        {u8"ＫＥＹ１", 3, 4}, // full-width letters of the other case; the later line is not read
        {u8"ＫＥＹ２", 0, 0}, // half-width "KEY2" is another text
        {u8"ΑΒ", 7, 8},       // Greek small letters
        {u8"ABC", 1, 2},      // a second site of the same key
        {u8"アX", 11, 12},    // not "ヂx", whose trail byte is the small letter of ア's
    };
    const auto sites = Sites(list_);
    ASSERT_EQ(sites.size(), std::size(expected));
    for (std::size_t i = 0; i < sites.size(); ++i) {
        SCOPED_TRACE(Printable(sites[i]->GetKey()));
        EXPECT_EQ(sites[i]->GetKey(),
                  AnsiString::FromUtf8(reinterpret_cast<const char*>(expected[i].key)));
        EXPECT_EQ(sites[i]->GetX(), expected[i].x);
        EXPECT_EQ(sites[i]->GetY(), expected[i].y);
    }
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CSyobunjoListTest, CategoryLineMissingRaisesBeforeAnythingIsRead) {
    folder_.Install("sites/categories_two.ini", "dat/SyobunjoKikakuSource.ini");
    EXPECT_THROW(list_.LoadFromFile(2), EListError);
    EXPECT_THROW(list_.LoadFromFile(-1), EListError);
    folder_.Remove("dat/SyobunjoKikakuSource.ini");
    EXPECT_THROW(list_.LoadFromFile(0), EListError);
    EXPECT_EQ(list_.Count(), 0);
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST(CSyobunjoDataTest, ConvertsItsNumberTexts) {
    CSyobunjoData site;
    site.SetDisposalCost("");
    EXPECT_EQ(site.GetDisposalCost(), 0);
    site.SetDisposalCost("2147483647");
    EXPECT_EQ(site.GetDisposalCost(), 2147483647);
    EXPECT_THROW(site.SetDisposalCost("2147483648"), EConvertError);
    EXPECT_THROW(site.SetDisposalCost("1.5"), EConvertError);
    EXPECT_EQ(site.GetDisposalCost(), 2147483647);
    site.SetX("-123.25");
    EXPECT_EQ(site.GetX(), -123.25);
    site.SetY("");
    EXPECT_EQ(site.GetY(), 0.0);
    EXPECT_THROW(site.SetY("1e999"), EConvertError);
    EXPECT_THROW(site.SetX("12m"), EConvertError);
}

} // namespace
