#pragma once

#include "platform/AnsiString.h"

#include <string>

// Named texts shared by every unit of the main program. Paths are relative to the current
// folder, which is the program's folder. The katakana of quantity and row-source names are
// half-width, and a blank separates truck size, "DID" and the loading kind in band names.

// Folder and file names.
inline const AnsiString DAT_FOLDER = "./dat/";
inline const AnsiString FILE_DTTANKA_SURYO = "./dat/DTTankaSuryo.ini";
inline const AnsiString FILE_HIMOKU_ROWSOURCE = "./dat/Himoku_RowSource.ini";
inline const AnsiString FILE_SYUBETSU_ROWSOURCE = "./dat/Syubetsu_RowSource.ini";
inline const AnsiString FILE_SPHIMOKU_ROWSOURCE = "./dat/SPHimoku_RowSource.ini";
inline const AnsiString FILE_SPSYUBETSU_ROWSOURCE = "./dat/SPSyubetsu_RowSource.ini";
inline const AnsiString FILE_SPGARAHASSEI_ROWSOURCE = "./dat/SPGaraHassei_RowSource.ini";
inline const AnsiString FILE_SPTSUMIKOMIKUBUN_ROWSOURCE = "./dat/SPTsumikomiKubun_RowSource.ini";
inline const AnsiString FILE_SYOBUNJO_KIKAKU_SOURCE = "./dat/SyobunjoKikakuSource.ini";
// Item sources of the load-class and refuse-kind boxes of the package mode, one list each.
inline const AnsiString FILE_SPSEKISAI_ROWSOURCE = "./dat/SPSekisai_RowSource.ini";
inline const AnsiString FILE_SPJINKAI_ROWSOURCE = "./dat/SPJinkai_RowSource.ini";
inline const AnsiString FILE_SYOBUNJO_ZAHYO = u8"./dat/vor処分場座標.csv"_sj;
inline const AnsiString FILE_F_CHIKU = "./F_chiku.ini";

// File codes: enciphered tables carry an E-code, their working copies the matching D-code.
inline const AnsiString CODE_ER01 = "ER01"; // labour unit price
inline const AnsiString CODE_ES22 = "ES22"; // wear per truck class
inline const AnsiString CODE_ES24 = "ES24"; // machine rent per row
inline const AnsiString CODE_ET02 = "ET02"; // fuel price per area
inline const AnsiString CODE_ET19 = "ET19"; // disposal fees
inline const AnsiString CODE_EC01 = "EC01"; // disposal-site coordinates
inline const AnsiString CODE_EA01 = "EA01"; // areas
inline const AnsiString CODE_ESP2 = "ESP2"; // construction packages
inline const AnsiString CODE_EB01 = "EB01"; // distance bands
inline const AnsiString CODE_DR01 = "DR01";
inline const AnsiString CODE_DS22 = "DS22";
inline const AnsiString CODE_DS24 = "DS24";
inline const AnsiString CODE_DT02 = "DT02";
inline const AnsiString CODE_DT19 = "DT19";
inline const AnsiString CODE_DC01 = "DC01";
inline const AnsiString CODE_DA01 = "DA01";
inline const AnsiString CODE_DSP2 = "DSP2";
inline const AnsiString CODE_DB01 = "DB01";

// INI section and key names.
inline const AnsiString SECTION_SYOBUN_HIMOKU = u8"処分費目"_sj;
inline const AnsiString SECTION_SURYO_10T = u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ10t数量"_sj;
inline const AnsiString SECTION_SURYO_4T = u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ4t数量"_sj;
inline const AnsiString SECTION_SURYO_2T = u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ2t数量"_sj;
inline const AnsiString SECTION_SURYO_10T_SESSAKU = u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ10t(路面切削)"_sj;
inline const AnsiString SECTION_TETSUKIN_CON_KAI = u8"鉄筋ｺﾝｸﾘｰﾄ塊"_sj;
inline const AnsiString SECTION_MUKIN_CON_KAI = u8"無筋ｺﾝｸﾘｰﾄ塊"_sj;
inline const AnsiString SECTION_ASCON_KAI = u8"ｱｽｺﾝ塊"_sj;
inline const AnsiString SECTION_TETSUKIN_CON_GARA = u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj;
inline const AnsiString SECTION_MUKIN_CON_GARA = u8"無筋ｺﾝｸﾘｰﾄ殻"_sj;
inline const AnsiString SECTION_ASPHALT_GARA = u8"ｱｽﾌｧﾙﾄ殻"_sj;
inline const AnsiString SECTION_TSUMIKOMI_TORIKOWASHI = u8"ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし"_sj;
inline const AnsiString SECTION_TSUMIKOMI_FUKITSUKE = u8"吹付法面取壊し(ﾓﾙﾀﾙ)"_sj;
inline const AnsiString SECTION_TSUMIKOMI_HOSOUBAN = u8"舗装版破砕"_sj;
inline const AnsiString SECTION_TSUMIKOMI_DENSENKYODOKO = u8"舗装版破砕積込み(電線共同溝)"_sj;
inline const AnsiString SECTION_SPSEKISAI = u8"積載区分"_sj;
inline const AnsiString SECTION_SPJINKAI = u8"塵芥の種類"_sj;
inline const AnsiString SECTION_F_CHIKU = "Sorvane";
inline const AnsiString KEY_CHIKU = u8"地区"_sj;

// Sections of the distance-band file, in load order.
inline const AnsiString SECTION_BAND_CHOKUSETSU10T_DIDNASHI = u8"直接掘削積込み10t DID無"_sj;
inline const AnsiString SECTION_BAND_CHOKUSETSU10T_DIDARI = u8"直接掘削積込み10t DID有"_sj;
inline const AnsiString SECTION_BAND_10T_DIDNASHI = u8"10t DID無"_sj;
inline const AnsiString SECTION_BAND_10T_DIDARI = u8"10t DID有"_sj;
inline const AnsiString SECTION_BAND_4T_DIDNASHI = u8"4t DID無"_sj;
inline const AnsiString SECTION_BAND_4T_DIDARI = u8"4t DID有"_sj;
inline const AnsiString SECTION_BAND_2T_DIDNASHI_KIKAI = u8"2t DID無 機械"_sj;
inline const AnsiString SECTION_BAND_2T_DIDARI_KIKAI = u8"2t DID有 機械"_sj;
inline const AnsiString SECTION_BAND_2T_DIDNASHI_JINRIKI = u8"2t DID無 人力"_sj;
inline const AnsiString SECTION_BAND_2T_DIDARI_JINRIKI = u8"2t DID有 人力"_sj;
inline const AnsiString SECTION_BAND_SESSAKU10T_DIDNASHI = u8"切削10t DID無"_sj;
inline const AnsiString SECTION_BAND_SESSAKU10T_DIDARI = u8"切削10t DID有"_sj;

// Deployment settings: the built-in value, or the environment variable of the same name.
std::wstring DeploymentSettingWide(const char* variable, const char* builtIn);
AnsiString DeploymentSetting(const char* variable, const char* builtIn);

// Page addresses and scripts. The wide ones are handed straight to the web browser.
inline const std::wstring URL_NYUSATSU_INFO =
    DeploymentSettingWide("VAKREL_NYUSATSU_URL", VAKREL_NYUSATSU_URL_DEFAULT);
inline const AnsiString GIS_HOST = DeploymentSetting("VAKREL_GIS_HOST", VAKREL_GIS_HOST_DEFAULT);
inline const std::wstring URL_ROUTE_PAGE =
    DeploymentSettingWide("VAKREL_ROUTE_URL", VAKREL_ROUTE_URL_DEFAULT);
inline const AnsiString SCRIPT_ARGS_P004 = "('P004','2','search')";
inline const AnsiString SCRIPT_ARGS_C001 = "'pub', 'C001', '1'";
inline const std::wstring SCRIPT_POS_OPEN = L"javascript:Pos.open();void(0);";
inline const AnsiString EXE_NAME_CODE = "Vakrel_R5";
