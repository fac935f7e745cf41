#include "model/SharedConstants.h"

#include <gtest/gtest.h>

namespace {

TEST(SharedConstantsTest, PathsKeepTheByteLengthsThatCutsRelyOn) {
    EXPECT_EQ(DAT_FOLDER.Length(), 6);
    EXPECT_EQ(FILE_SYOBUNJO_ZAHYO.SubString(7, 100), u8"vor処分場座標.csv"_sj);
    EXPECT_EQ(FILE_F_CHIKU, AnsiString("./F_chiku.ini"));
}

TEST(SharedConstantsTest, NamesAreExactCodePage932Texts) {
    // Half-width katakana are one byte each; blanks separate size, DID and loading kind.
    EXPECT_EQ(SECTION_SURYO_10T.str(), "\xC0\xDE\xDD\xCC\xDF\xC4\xD7\xAF\xB8"
                                       "10t\x90\x94\x97\xCA");
    EXPECT_EQ(SECTION_BAND_2T_DIDNASHI_KIKAI, u8"2t DID無 機械"_sj);
    EXPECT_EQ(SECTION_TSUMIKOMI_TORIKOWASHI.ToUtf8(), "ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし");
    EXPECT_EQ(KEY_CHIKU, u8"地区"_sj);
    EXPECT_EQ(SCRIPT_ARGS_C001, AnsiString("'pub', 'C001', '1'"));
    EXPECT_EQ(SCRIPT_POS_OPEN, L"javascript:Pos.open();void(0);");
}

TEST(SharedConstantsTest, DeploymentSettingsComeFromTheEnvironmentWhenSet) {
    ::setenv("VAKREL_TEST_SETTING", "http://127.0.0.1:8080/ppi/pub", 1);
    EXPECT_EQ(DeploymentSettingWide("VAKREL_TEST_SETTING", "http://x/"),
              L"http://127.0.0.1:8080/ppi/pub");
    ::unsetenv("VAKREL_TEST_SETTING");
    EXPECT_EQ(DeploymentSetting("VAKREL_TEST_SETTING", "gis.example"), AnsiString("gis.example"));
    EXPECT_NE(URL_NYUSATSU_INFO.find(L"/ppi/pub"), std::wstring::npos);
}

} // namespace
