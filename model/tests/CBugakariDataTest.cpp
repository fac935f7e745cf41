#include "model/CBugakariData.h"
#include "model/CBugakariList.h"
#include "model/SharedConstants.h"
#include "platform/Exceptions.h"

#include "ProgramFolderCopy.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Section "10t DID無" of the fixture band file: "0,0.5", "5,1.2", "10,2.0", "end".
class CBugakariDataTest : public testing::Test {
protected:
    ProgramFolderCopy folder_;
};

TEST_F(CBugakariDataTest, ParsesBandsUpToTheSectionsLastLine) {
    CBugakariData table(SECTION_BAND_10T_DIDNASHI);
    EXPECT_EQ(table.GetSectionName(), SECTION_BAND_10T_DIDNASHI);
    EXPECT_EQ(table.GetLowerBounds().Lines(), (std::vector<AnsiString>{"0", "5", "10"}));
    EXPECT_EQ(table.GetUpperBounds().Lines(), (std::vector<AnsiString>{"4.999", "9.999", "60"}));
    EXPECT_EQ(table.GetValues().Lines(), (std::vector<AnsiString>{"0.5", "1.2", "2.0"}));
}

struct LookupCase {
    double km;
    double value;
    const char* bandText; // UTF-8
};

void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.km << " km";
}

class CBugakariDataLookup : public testing::TestWithParam<LookupCase> {
protected:
    ProgramFolderCopy folder_;
};

TEST_P(CBugakariDataLookup, FindsTheBandHoldingTheDistance) {
    const LookupCase& c = GetParam();
    CBugakariData table(SECTION_BAND_10T_DIDNASHI);
    EXPECT_EQ(table.GetValue(c.km), c.value);
    EXPECT_EQ(table.GetBandText(c.km), AnsiString::FromUtf8(c.bandText));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CBugakariDataLookup,
    testing::Values(LookupCase{0.0, 0.5, "4.999km以下"}, LookupCase{4.999, 0.5, "4.999km以下"},
                    // Between 4.999 and 5 lies a gap that no band holds.
                    LookupCase{4.9995, 0.0, "km以下"}, LookupCase{5.0, 1.2, "9.999km以下"},
                    LookupCase{7.0, 1.2, "9.999km以下"}, LookupCase{10.0, 2.0, "60km以下"},
                    LookupCase{60.0, 2.0, "60km以下"}, LookupCase{60.05, 99999.0, "99999km以下"},
                    LookupCase{-1.0, 0.0, "km以下"}));

TEST_F(CBugakariDataTest, NotANumberDistanceIsInNoBand) {
    CBugakariData table(SECTION_BAND_10T_DIDNASHI);
    EXPECT_EQ(table.GetValue(std::nan("")), 0.0);
    EXPECT_EQ(table.GetBandText(std::nan("")), u8"km以下"_sj);
}

TEST_F(CBugakariDataTest, OneLineSectionMissingSectionOrFileHasNoBands) {
    CBugakariData oneLine(SECTION_BAND_2T_DIDNASHI_KIKAI);
    CBugakariData missing(SECTION_BAND_4T_DIDARI);
    folder_.Remove("dat/DB01_kyori.ini");
    CBugakariData noFile(SECTION_BAND_10T_DIDNASHI);
    for (const CBugakariData* table : {&oneLine, &missing, &noFile}) {
        EXPECT_EQ(table->GetUpperBounds().Lines(), (std::vector<AnsiString>{"60"}));
        EXPECT_TRUE(table->GetLowerBounds().IsEmpty());
        EXPECT_EQ(table->GetValue(30), 0.0);
        EXPECT_EQ(table->GetBandText(30), u8"km以下"_sj);
        EXPECT_EQ(table->GetValue(61), 99999.0);
    }
}

// Sections of data/bands/malformed.ini, each wrong in one way.
class CBugakariDataMalformed : public testing::Test {
protected:
    CBugakariDataMalformed() { folder_.Install("bands/malformed.ini", "dat/DB01_kyori.ini"); }
    ProgramFolderCopy folder_;
};

TEST_F(CBugakariDataMalformed, MissingFieldsAreEmptyTexts) {
    // "0" (no comma): lower bound 0, empty value; ",1.0": empty lower bound.
    CBugakariData noComma(u8"no comma"_sj);
    EXPECT_EQ(noComma.GetLowerBounds().Lines(), (std::vector<AnsiString>{"0", "5"}));
    EXPECT_EQ(noComma.GetValues().Lines(), (std::vector<AnsiString>{"", "1.0"}));
    EXPECT_THROW(noComma.GetValue(2), EConvertError);
    EXPECT_EQ(noComma.GetValue(7), 1.0);
    EXPECT_EQ(noComma.GetBandText(2), u8"4.999km以下"_sj); // the text needs no value

    CBugakariData leadingComma(u8"leading comma"_sj);
    EXPECT_EQ(leadingComma.GetLowerBounds().Lines(), (std::vector<AnsiString>{""}));
    EXPECT_EQ(leadingComma.GetValues().Lines(), (std::vector<AnsiString>{"1.0"}));
    EXPECT_THROW(leadingComma.GetValue(2), EConvertError);
    EXPECT_EQ(leadingComma.GetValue(61), 99999.0); // beyond 60 km nothing is converted
}

TEST_F(CBugakariDataMalformed, NonNumericTextsRaiseConversionErrors) {
    // A later band's lower bound is converted while parsing.
    EXPECT_THROW(CBugakariData(u8"bad lower bound"_sj), EConvertError);
    CBugakariData notANumber(u8"not a number"_sj);
    EXPECT_THROW(notANumber.GetValue(1), EConvertError);
    CBugakariData notCp932(u8"not cp932"_sj);
    EXPECT_EQ(notCp932.GetLowerBounds()[0], AnsiString("\x81\xFF"));
    EXPECT_THROW(notCp932.GetValue(1), EConvertError);
}

TEST_F(CBugakariDataMalformed, LongFieldIsCutTo255BytesAndFurtherColumnsAreIgnored) {
    CBugakariData longValue(u8"long value"_sj);
    EXPECT_EQ(longValue.GetValues()[0], AnsiString(std::string(255, '1')));
    EXPECT_DOUBLE_EQ(longValue.GetValue(1), 1.1111111111111111e254);
    CBugakariData extra(u8"extra columns"_sj);
    EXPECT_EQ(extra.GetValues().Lines(), (std::vector<AnsiString>{"1.5"}));
    EXPECT_EQ(extra.GetValue(60), 1.5);
}

TEST(CBugakariDataParse, ParseBandsReplacesTheBands) {
    ProgramFolderCopy folder;
    CBugakariData table(SECTION_BAND_10T_DIDNASHI);
    TStringList lines;
    lines.Add("0,3");
    lines.Add("20.5,4");
    lines.Add("last");
    EXPECT_TRUE(table.ParseBands(lines));
    EXPECT_EQ(table.GetUpperBounds().Lines(), (std::vector<AnsiString>{"20.499", "60"}));
    EXPECT_EQ(table.GetValue(20.5), 4.0);
    EXPECT_TRUE(table.ParseBands(TStringList()));
    EXPECT_EQ(table.GetUpperBounds().Lines(), (std::vector<AnsiString>{"60"}));
}

// A lower bound at the top of the double range gives the band before it an upper bound whose
// text rounds a little beyond the largest double; the lookups read it back all the same.
TEST(CBugakariDataParse, BoundsAtTheTopOfTheDoubleRangeReadBack) {
    ProgramFolderCopy folder;
    CBugakariData table(SECTION_BAND_10T_DIDNASHI);
    TStringList lines;
    lines.Add("0,3");
    lines.Add("1.7976931348623157e308,4");
    lines.Add("last");
    EXPECT_TRUE(table.ParseBands(lines));
    EXPECT_EQ(table.GetUpperBounds().Lines(),
              (std::vector<AnsiString>{"1.79769313486232E308", "60"}));
    EXPECT_EQ(table.GetValue(30), 3.0);
    EXPECT_EQ(table.GetBandText(30), u8"1.79769313486232E308km以下"_sj);
}

TEST(CBugakariListTest, LoadsTheTwelveTablesInOrder) {
    ProgramFolderCopy folder;
    CBugakariList list;
    EXPECT_TRUE(list.IsEnd());
    list.LoadFromFile();
    const AnsiString expected[] = {SECTION_BAND_CHOKUSETSU10T_DIDNASHI,
                                   SECTION_BAND_CHOKUSETSU10T_DIDARI,
                                   SECTION_BAND_10T_DIDNASHI,
                                   SECTION_BAND_10T_DIDARI,
                                   SECTION_BAND_4T_DIDNASHI,
                                   SECTION_BAND_4T_DIDARI,
                                   SECTION_BAND_2T_DIDNASHI_KIKAI,
                                   SECTION_BAND_2T_DIDARI_KIKAI,
                                   SECTION_BAND_2T_DIDNASHI_JINRIKI,
                                   SECTION_BAND_2T_DIDARI_JINRIKI,
                                   SECTION_BAND_SESSAKU10T_DIDNASHI,
                                   SECTION_BAND_SESSAKU10T_DIDARI};
    ASSERT_EQ(list.Count(), 12);
    list.First();
    for (const AnsiString& name : expected) {
        ASSERT_FALSE(list.IsEnd());
        EXPECT_EQ(list.GetCurrent()->GetSectionName(), name);
        EXPECT_TRUE(list.Next());
    }
    EXPECT_TRUE(list.IsEnd());
    EXPECT_FALSE(list.Next());
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

struct SectionNameCase {
    int materialType;
    int haulKind;
    const char* withDid; // UTF-8
    const char* withoutDid;
};

void PrintTo(const SectionNameCase& c, std::ostream* out) {
    *out << "type " << c.materialType << ", kind " << c.haulKind;
}

class CBugakariListSection : public testing::TestWithParam<SectionNameCase> {};

TEST_P(CBugakariListSection, NamesTheSectionOfTheCombination) {
    const SectionNameCase& c = GetParam();
    EXPECT_EQ(CBugakariList::GetSectionName(true, c.materialType, c.haulKind),
              AnsiString::FromUtf8(c.withDid));
    EXPECT_EQ(CBugakariList::GetSectionName(false, c.materialType, c.haulKind),
              AnsiString::FromUtf8(c.withoutDid));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CBugakariListSection,
    testing::Values(SectionNameCase{0, 0, "10t DID有", "10t DID無"},
                    SectionNameCase{1, 1, "4t DID有", "4t DID無"},
                    SectionNameCase{0, 2, "2t DID有 機械", "2t DID無 機械"},
                    SectionNameCase{1, 3, "2t DID有 人力", "2t DID無 人力"},
                    SectionNameCase{0, 4, "", ""}, SectionNameCase{1, -1, "", ""},
                    SectionNameCase{2, 0, "10t DID有", "10t DID無"},
                    SectionNameCase{2, 1, "4t DID有", "4t DID無"},
                    SectionNameCase{2, 2, "2t DID有 機械", "2t DID無 機械"},
                    SectionNameCase{2, 3, "直接掘削積込み10t DID有", "直接掘削積込み10t DID無"},
                    SectionNameCase{2, 4, "切削10t DID有", "切削10t DID無"},
                    SectionNameCase{2, 5, "", ""}, SectionNameCase{2, -1, "", ""},
                    SectionNameCase{3, 0, "", ""}, SectionNameCase{-1, 0, "", ""}));

TEST(CBugakariListTest, SelectsTheNamedTableOrNone) {
    ProgramFolderCopy folder;
    CBugakariList list;
    list.LoadFromFile();
    EXPECT_TRUE(list.Select(false, 0, 0));
    EXPECT_EQ(list.GetCurrent()->GetSectionName(), SECTION_BAND_10T_DIDNASHI);
    EXPECT_EQ(list.GetValue(7), 1.2);
    EXPECT_EQ(list.GetBandText(7), u8"9.999km以下"_sj);
    EXPECT_TRUE(list.Select(true, 0, 0));
    EXPECT_EQ(list.GetValue(7), 0.6);
    // No section for the combination: no table, as a table without bands.
    EXPECT_FALSE(list.Select(false, 0, 4));
    EXPECT_TRUE(list.IsEnd());
    EXPECT_EQ(list.GetValue(7), 0.0);
    EXPECT_EQ(list.GetBandText(7), u8"km以下"_sj);
    EXPECT_EQ(list.GetValue(60.1), 99999.0);
    EXPECT_EQ(list.GetBandText(60.1), u8"99999km以下"_sj);
    // An empty list selects nothing either.
    CBugakariList empty;
    EXPECT_FALSE(empty.Select(false, 0, 0));
    EXPECT_EQ(empty.GetValue(7), 0.0);
}

} // namespace
