#include "model/CIniManager.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct LabelCase {
    const char* title;
    std::string file; // UTF-8 content of version.ini, converted to code page 932
    const char* edition;
    const char* version;
};

void PrintTo(const LabelCase& c, std::ostream* out) {
    *out << c.title;
}

class CIniManagerTest : public testing::TestWithParam<LabelCase> {};

TEST_P(CIniManagerTest, BuildsTheThreeLabels) {
    TempDir dir;
    dir.Write("version.ini", AnsiString::FromUtf8(GetParam().file).str());
    TMemIniFile file(AnsiString(dir / "version.ini"));
    CIniManager labels(file);
    const AnsiString edition = AnsiString::FromUtf8(GetParam().edition);
    EXPECT_EQ(labels.GetEditionText(), edition);
    EXPECT_EQ(labels.GetVersionText(), AnsiString::FromUtf8(GetParam().version));
    EXPECT_EQ(labels.GetAboutText(), u8"本ツールは"_sj + edition + u8"です。"_sj);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CIniManagerTest,
    testing::Values(
        LabelCase{"Usual", "[version]\r\nname=Vakrel_R581_202404\r\nver=1.2.3\r\n", "2024年04月版",
                  "Ver.1.2.3 Pro"},
        LabelCase{"ExactlySix", "[version]\r\nname=202512\r\nver=2\r\n", "2025年12月版",
                  "Ver.2 Pro"},
        LabelCase{"FiveBytes", "[version]\r\nname=20251\r\nver=\r\n", "年月版", "Ver. Pro"},
        LabelCase{"EmptyName", "[version]\r\nname=\r\n", "年月版", "Ver. Pro"},
        LabelCase{"NotDigits", "[version]\r\nname=abcdefgh\r\n", "cdef年gh月版", "Ver. Pro"},
        LabelCase{"MissingSection", "[other]\r\nname=202404\r\n", "年月版", "Ver. Pro"},
        LabelCase{"KeysAnyCase", "[VERSION]\r\nNAME=x202001\r\nVer=9\r\n", "2020年01月版",
                  "Ver.9 Pro"}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.title; });

TEST(CIniManagerLabelsTest, JapaneseCharacterAtTheEndIsCutInHalf) {
    TempDir dir;
    // "版" is 0x94 0xC5: the last six bytes are "2404" + "版" and the piece ends with 0x94 0xC5.
    dir.Write("version.ini", u8"[version]\r\nname=Vakrel2024版\r\n"_sj.str());
    TMemIniFile file(AnsiString(dir / "version.ini"));
    CIniManager labels(file);
    // "Vakrel2024版" is 12 bytes; the piece is bytes 7-12: "2024" + 0x94 0xC5.
    EXPECT_EQ(labels.GetEditionText(),
              AnsiString("2024") + u8"年"_sj + AnsiString("\x94\xC5") + u8"月版"_sj);
    dir.Write("cut.ini", u8"[version]\r\nname=R5版202\r\n"_sj.str());
    TMemIniFile cut(AnsiString(dir / "cut.ini"));
    // "R5版202" is 7 bytes: the piece "5" 0x94 0xC5 "202" starts inside nothing but ends a
    // character early; bytes are used without repair.
    EXPECT_EQ(CIniManager(cut).GetEditionText(), AnsiString("5\x94\xC5"
                                                            "2") +
                                                     u8"年"_sj + AnsiString("02") + u8"月版"_sj);
}

TEST(CIniManagerLabelsTest, ProgramVersionFileIsReadFromTheUpdateCheckerFolderOnce) {
    TempDir dir;
    dir.Write("lumbrixon/version.ini", "[version]\r\nname=Vakrel202607\r\nver=5.1\r\n");
    {
        CurrentDirScope scope(dir.Path());
        CIniManager labels;
        EXPECT_EQ(labels.GetVersionText(), AnsiString("Ver.5.1 Pro"));
        EXPECT_EQ(labels.GetEditionText(), u8"2026年07月版"_sj);
        EXPECT_TRUE(ProgramVersionFileError().IsEmpty());
    }
    // Later changes of the file are not seen by this run.
    dir.Write("lumbrixon/version.ini", "[version]\r\nver=6\r\n");
    CurrentDirScope scope(dir.Path());
    EXPECT_EQ(CIniManager().GetVersionText(), AnsiString("Ver.5.1 Pro"));
}

} // namespace
