#include "platform/TMemIniFile.h"
#include "platform/Exceptions.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const AnsiString kSample = PLATFORM_TEST_DATA "/sample.ini";

TEST(TMemIniFileTest, ReadsKeysByTheRulesOfTheFormat) {
    TMemIniFile ini(kSample);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"version", "name", "Vakrel202404"},
        {"VERSION", "ver", "1.2.3"},     // section and key match regardless of case
        {"version", "key", "(missing)"}, // keys are not trimmed: " key" is another key
        {"version", " key", "spaced"},
        {"version", "url", "http://host/a=b"}, // the value is everything after the first "="
        {"version", "empty", ""},
        {"version", "stray", "(missing)"}, // lines before the first section belong to none
        {"nosuch", "name", "(missing)"},
        {"last", "x", "1"}, // last line without a line break
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadString(c.section, c.key, "(missing)"), AnsiString(c.value))
            << c.section << "/" << c.key;
    }
}

TEST(TMemIniFileTest, SectionIsReadWholeSkippingEmptyAndCommentLines) {
    TMemIniFile ini(kSample);
    TStringList lines;
    ini.ReadSectionValues(u8"処分費目"_sj, lines);
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[0], u8"鉄筋ｺﾝｸﾘｰﾄ塊"_sj);
    EXPECT_EQ(lines[1], u8"無筋=ｺﾝｸﾘｰﾄ塊"_sj); // a line with "=" is one whole item
    EXPECT_EQ(lines[2], AnsiString("  "));     // only a truly empty line is skipped
    ini.ReadSectionValues("version", lines);
    ASSERT_EQ(lines.Count(), 5); // the first of two sections with the same name counts
    EXPECT_EQ(lines[0], AnsiString("name=Vakrel202404"));
    ini.ReadSectionValues("nosuch", lines);
    EXPECT_EQ(lines.Count(), 0);
}

TEST(TMemIniFileTest, MissingFileIsEmptyAndUnreadableFileRaises) {
    TempDir dir;
    TMemIniFile missing(AnsiString(dir / "none.ini"));
    EXPECT_EQ(missing.ReadString("a", "b", "d"), AnsiString("d"));
    dir.MakeFolder("folder.ini");
    // A folder is no file: nothing to read.
    EXPECT_NO_THROW(TMemIniFile(AnsiString(dir / "folder.ini")));
}

TEST(TMemIniFileTest, WriteBackKeepsOtherSectionsAndKeys) {
    TempDir dir;
    dir.Write("F.ini", "[Other]\r\nkeep=1\r\n[Sorvane]\r\nold=2\r\n");
    const AnsiString path(dir / "F.ini");
    {
        TMemIniFile ini(path);
        ini.WriteString("Sorvane", u8"地区"_sj, u8"北勢"_sj);
        ini.WriteString("Sorvane", "OLD", "3");
        ini.WriteString("New", "k", "v");
        ini.UpdateFile();
    }
    TMemIniFile again(path);
    EXPECT_EQ(again.ReadString("Other", "keep", ""), AnsiString("1"));
    EXPECT_EQ(again.ReadString("Sorvane", u8"地区"_sj, ""), u8"北勢"_sj);
    EXPECT_EQ(again.ReadString("Sorvane", "old", ""), AnsiString("3"));
    EXPECT_EQ(again.ReadString("New", "k", ""), AnsiString("v"));
    EXPECT_EQ(dir.Read("F.ini"), "[Other]\r\nkeep=1\r\n\r\n[Sorvane]\r\nOLD=3\r\n" +
                                     u8"地区=北勢"_sj.str() + "\r\n\r\n[New]\r\nk=v\r\n\r\n");
}

TEST(TMemIniFileTest, UpdateFileRaisesWhenTheFileCannotBeWritten) {
    TempDir dir;
    TMemIniFile ini(AnsiString(dir / "no/folder/F.ini"));
    ini.WriteString("a", "b", "c");
    EXPECT_THROW(ini.UpdateFile(), EFOpenError);
}

} // namespace
