#include "MainFormFixture.h"

#include "model/COutputDataManager.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>

namespace {

const std::string kLoadErrorHead =
    "以下の、処分場判定に必要な\r\nデータの読み込みに失敗しました。\r\n\r\n";
const std::string kLoadErrorTail = "\r\nツールを終了します。";

std::vector<std::string> Items(const TComboBox* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->Count(); ++i) {
        items.push_back(Utf8(box->Item(i)));
    }
    return items;
}

TEST_F(MainFormTest, NormalStartFillsTheConditionPage) {
    Start();
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_FALSE(Form().QuitRequested());
    EXPECT_TRUE(Folder().WorkingCopies().empty());

    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(Utf8(Form().CalcMode), "sp");
    EXPECT_TRUE(Form().RadioButtonSP->Checked());
    EXPECT_TRUE(Form().RadioButtonDIDFalse->Checked());
    EXPECT_FALSE(Form().RadioButtonDTCarry->Checked());
    EXPECT_FALSE(Form().RadioButtonDTLend->Checked());
    EXPECT_FALSE(Form().ButtonCalc->isEnabled());
    EXPECT_FALSE(Form().ButtonGetCoord->isEnabled());

    EXPECT_EQ(
        Items(Form().ComboBoxArea),
        (std::vector<std::string>{"第一地区", "第二地区", "第三地区", "第四地区", "Area Five"}));
    EXPECT_EQ(Form().ComboBoxArea->ItemIndex(), 3) << "no remembered area: the fourth";
    EXPECT_EQ(Items(Form().ComboBoxHimoku),
              (std::vector<std::string>{"鉄筋ｺﾝｸﾘｰﾄ殻", "無筋ｺﾝｸﾘｰﾄ殻", "ｱｽﾌｧﾙﾄ殻"}));
    EXPECT_EQ(
        Items(Form().ComboBoxSyubetsu),
        (std::vector<std::string>{"殻運搬", "殻運搬(積込済)", "殻運搬(電線共同溝)", "塵芥運搬"}));
    EXPECT_EQ(Items(Form().ComboBoxGaraHassei),
              (std::vector<std::string>{"構造物とりこわし", "吹付法面取壊し"}));
    EXPECT_EQ(Items(Form().ComboBoxTsumikomi), (std::vector<std::string>{"機械積込", "人力積込"}));
    EXPECT_EQ(Items(Form().ComboBoxSekisai),
              (std::vector<std::string>{"ﾀﾞﾝﾌﾟﾄﾗｯｸ4t積級", "ﾀﾞﾝﾌﾟﾄﾗｯｸ2t積級"}));
    EXPECT_EQ(Items(Form().ComboBoxJinkai), (std::vector<std::string>{"一般塵芥", "刈草･伐採木"}));
    for (const TComboBox* box :
         {Form().ComboBoxHimoku, Form().ComboBoxSyubetsu, Form().ComboBoxGaraHassei,
          Form().ComboBoxTsumikomi, Form().ComboBoxSekisai, Form().ComboBoxJinkai}) {
        EXPECT_EQ(box->ItemIndex(), 0) << box->objectName().toStdString();
    }

    EXPECT_EQ(Utf8(Form().LabelVerJa->Caption()), "2023年11月版");
    EXPECT_EQ(Utf8(Form().LabelVerEn->Caption()), "Ver.2.5.1 Pro");
    EXPECT_EQ(Utf8(Form().LabelExplain->Caption()), "本ツールは2023年11月版です。");
    EXPECT_EQ(
        Utf8(Form().LabelAttention->Caption()),
        "[座標取得]ボタンは、MieClickMapsの地図が\r\n完全に表示されてからクリックしてください。");
    EXPECT_EQ(Form().BitBtnGetLowest->text(),
              QString::fromUtf8("の道のり距離を取得し、\n最安値を計算"));

    EXPECT_FALSE(Form().PanelGaraUnpan->isHidden());
    EXPECT_TRUE(Form().PanelDensen->isHidden());
    EXPECT_TRUE(Form().PanelJinkai->isHidden());
    EXPECT_EQ(Form().PanelGaraUnpan->y(), 272);
    EXPECT_EQ(Form().PanelDensen->y(), 272);
    EXPECT_EQ(Form().PanelJinkai->y(), 272);
    EXPECT_EQ(Form().PanelCommon->y(), 360);

    const TStringGrid& grid = *Form().StringGrid;
    EXPECT_EQ(grid.ColCount(), 15);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.RowHeight(0), 45);
    EXPECT_EQ(grid.RowHeight(1), 16);
    const int widths[15] = {32, 330, 45, 45, 45, 45, 54, 35, 140, 53, 45, 55, 45, 30, 85};
    for (int col = 0; col < 15; ++col) {
        EXPECT_EQ(grid.ColWidth(col), widths[col]) << col;
    }

    // The bidding site is being opened in the main browser.
    QElapsedTimer timer;
    timer.start();
    while (Form().BrowserNyusatsuInfo->Busy() && timer.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(Utf8(Form().BrowserNyusatsuInfo->LocationURL()),
              "http://nyusatsu.localhost:9/ppi/pub");
}

struct RememberedAreaCase {
    const char* name;
    friend void PrintTo(const RememberedAreaCase& c, std::ostream* out) { *out << c.name; }
    const char* settings; // content of F_chiku.ini, nullptr for no file
    int expected;
};

class RememberedAreaTest : public MainFormTest,
                           public testing::WithParamInterface<RememberedAreaCase> {};

TEST_P(RememberedAreaTest, SelectsTheSavedAreaByItsWholeName) {
    Create();
    if (GetParam().settings) {
        Folder().WriteText("F_chiku.ini", GetParam().settings);
    }
    Form().FormCreate(&Form());
    EXPECT_EQ(Form().ComboBoxArea->ItemIndex(), GetParam().expected);
    EXPECT_TRUE(messages.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RememberedAreaTest,
    testing::Values(RememberedAreaCase{"NoFile", nullptr, 3},
                    RememberedAreaCase{"Listed", "[Sorvane]\r\n地区=第二地区\r\n", 1},
                    RememberedAreaCase{"LetterCaseIgnored", "[sorvane]\n地区=AREA FIVE\n", 4},
                    RememberedAreaCase{"NotListed", "[Sorvane]\r\n地区=第九地区\r\n", -1},
                    RememberedAreaCase{"PartOfAName", "[Sorvane]\r\n地区=第二\r\n", -1},
                    RememberedAreaCase{"SavedEmpty", "[Sorvane]\r\n地区=\r\n", -1},
                    RememberedAreaCase{"NoKey", "[Other]\r\n地区=第二地区\r\n", -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct MissingFileCase {
    const char* name;
    friend void PrintTo(const MissingFileCase& c, std::ostream* out) { *out << c.name; }
    const char* file;
    const char* errorLines; // the lines M3 lists
};

class DataFileFailureTest : public MainFormTest,
                            public testing::WithParamInterface<MissingFileCase> {};

// A missing table gives an empty line, one found without any line its name less the first
// character; either way the program ends after the message, with no working copy left.
TEST_P(DataFileFailureTest, ShowsTheFailedFilesAndEnds) {
    ProgramFolder::Options options;
    if (std::string(GetParam().name).rfind("Missing", 0) == 0) {
        options.omit.insert(GetParam().file);
    } else {
        options.empty.insert(GetParam().file);
    }
    Start(options);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj(kLoadErrorHead + "\r\n" + GetParam().errorLines + kLoadErrorTail),
                    Sj("ファイル読み込みエラー"), 0x40030}));
    EXPECT_TRUE(Form().QuitRequested());
    EXPECT_TRUE(Folder().WorkingCopies().empty());
    EXPECT_EQ(Form().ComboBoxArea->Count(), 0) << "the window is not filled";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFileFailureTest,
    testing::Values(MissingFileCase{"MissingLabour", "dat/ER01_labour.csv", "\r\n"},
                    MissingFileCase{"MissingFuel", "dat/ET02_fuel.csv", "\r\n"},
                    MissingFileCase{"MissingRent", "dat/ES24_rent.csv", "\r\n"},
                    MissingFileCase{"MissingWear", "dat/ES22_wear.csv", "\r\n"},
                    MissingFileCase{"MissingBands", "dat/EB01_bands.ini", "\r\n"},
                    MissingFileCase{"MissingFees", "dat/ET19_fees.csv", "\r\n"},
                    MissingFileCase{"MissingSites", "dat/EC01_sites.csv", "\r\n"},
                    MissingFileCase{"MissingPackages", "dat/ESP2_packages.csv", "\r\n"},
                    MissingFileCase{"EmptyLabour", "dat/ER01_labour.csv", "R01_labour.csv\r\n"},
                    MissingFileCase{"EmptyBands", "dat/EB01_bands.ini", "B01_bands.ini\r\n"},
                    MissingFileCase{"EmptyFees", "dat/ET19_fees.csv", "T19_fees.csv\r\n"},
                    MissingFileCase{"EmptyPackages", "dat/ESP2_packages.csv",
                                    "SP2_packages.csv\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Plain copies that an earlier start-up left behind (it ended between deciphering and deleting
// them) are never loaded: a table whose enciphered file has gone since is reported as missing.
TEST_F(MainFormTest, CopiesLeftByAnEarlierStartAreNotLoaded) {
    Create({{"dat/ER01_labour.csv"}, {}});
    const std::string labour =
        ReadWholeFile(std::string(APP_TEST_DATA) + "/program/dat/ER01_labour.csv");
    Folder().WriteText("dat/DR01_labour.csv", labour);
    Folder().WriteText("dat/DR01.csv", labour);
    Form().FormCreate(&Form());
    EXPECT_EQ(messages.Calls(),
              (std::vector<Call>{{Sj(kLoadErrorHead + "\r\n\r\n" + kLoadErrorTail),
                                  Sj("ファイル読み込みエラー"), 0x40030}}));
    EXPECT_TRUE(Form().QuitRequested());
    EXPECT_TRUE(Folder().WorkingCopies().empty());
}

// A table's name may hold a character that code page 932 holds only one way (here the wave
// dash U+301C): the table is found by its code, deciphered and loaded, or, when it cannot be
// loaded, named in the message as it is named on disk.
TEST_F(MainFormTest, ATableNamedWithAWaveDashIsDecipheredAndNamedAsItIs) {
    const std::string name = "T19_処理料金(4月\xE3\x80\x9C"
                             "6月).csv";
    for (const bool empty : {false, true}) {
        SCOPED_TRACE(empty);
        messages.Clear();
        ProgramFolder::Options options;
        if (empty) {
            options.empty.insert("dat/ET19_fees.csv");
        }
        Create(options);
        std::filesystem::rename(Folder().Path("dat/ET19_fees.csv"), Folder().Path("dat/E" + name));
        Form().FormCreate(&Form());
        if (empty) {
            EXPECT_EQ(messages.Calls(),
                      (std::vector<Call>{{AnsiString::FromUtf8(kLoadErrorHead) + "\r\n" +
                                              fs932::FromOsName(name) + "\r\n" +
                                              AnsiString::FromUtf8(kLoadErrorTail),
                                          Sj("ファイル読み込みエラー"), 0x40030}}));
            EXPECT_EQ(Utf8(messages.Calls().at(0).text),
                      kLoadErrorHead + "\r\n" + name + "\r\n" + kLoadErrorTail)
                << "shown as named on disk";
        } else {
            EXPECT_TRUE(messages.Calls().empty());
            EXPECT_FALSE(Form().QuitRequested());
        }
        EXPECT_TRUE(Folder().WorkingCopies().empty());
    }
}

// The area loader raises instead of reporting; the start-up still deletes the working copies,
// shows the error and ends, since the window cannot work without its areas.
TEST_F(MainFormTest, AnAreaTableThatCannotBeLoadedEndsTheProgramWithoutWorkingCopies) {
    const std::pair<bool, const char*> cases[] = {
        {false, "地区データ (DA01) が見つかりません。"},
        {true, "リストのインデックスが範囲を超えています (0)"}, // a table without any line
    };
    for (const auto& [empty, text] : cases) {
        messages.Clear();
        ProgramFolder::Options options;
        (empty ? options.empty : options.omit).insert("dat/EA01_areas.csv");
        Start(options);
        ASSERT_EQ(messages.Calls().size(), 1u) << empty;
        EXPECT_EQ(messages.Calls()[0], (Call{Sj(text), Sj(ErrorCaption()), 0x10}));
        EXPECT_TRUE(Form().QuitRequested());
        EXPECT_TRUE(Folder().WorkingCopies().empty());
        EXPECT_EQ(Form().ComboBoxArea->Count(), 0);
    }
}

TEST_F(MainFormTest, ClosingTheWindowEndsTheProgram) {
    Start();
    for (TButton* button : {Form().ButtonClose1, Form().ButtonClose2, Form().ButtonClose3}) {
        Form().show();
        Click(button);
        EXPECT_TRUE(Form().isHidden()) << button->objectName().toStdString();
        EXPECT_TRUE(Form().QuitRequested());
    }
}

} // namespace

namespace {

// The version file is read once per process, at its first use: this test needs a process of
// its own, as ctest gives every test.
TEST_F(MainFormTest, AnUnreadableVersionFileLeavesTheLabelsAndTheStartUpGoesOn) {
    if (testing::UnitTest::GetInstance()->test_to_run_count() > 1) {
        GTEST_SKIP() << "the version file is read once per process: this test runs only alone "
                        "(as CTest runs every test)";
    }
    Create({{"lumbrixon/version.ini"}, {}});
    Folder().Dir().MakeFolder("lumbrixon");
    std::filesystem::create_symlink("/proc/self/mem", Folder().Path("lumbrixon/version.ini"));
    Form().FormCreate(&Form());
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(
        messages.Calls()[0],
        (Call{
            Sj("ファイルが開けませんでした。\r\nversion.ini\r\nバージョン情報等が設定されません。"),
            Sj("ファイル読み込みエラー"), 0x40000}));
    EXPECT_EQ(Utf8(Form().LabelVerJa->Caption()), "未設定");
    EXPECT_EQ(Utf8(Form().LabelVerEn->Caption()), "未設定");
    EXPECT_EQ(Utf8(Form().LabelExplain->Caption()), "未設定");
    EXPECT_FALSE(Form().QuitRequested());
    EXPECT_EQ(Form().ComboBoxArea->Count(), 5);
}

} // namespace

namespace {

TEST_F(MainFormTest, AnUnreadableAreaFileIsReportedAndTheStartUpGoesOnWithoutArea) {
    Create();
    std::filesystem::create_symlink("/proc/self/mem", Folder().Path("F_chiku.ini"));
    Form().FormCreate(&Form());
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("ファイル ./F_chiku.ini を開けません。"), Sj(ErrorCaption()), 0x10}));
    EXPECT_EQ(Form().ComboBoxArea->ItemIndex(), -1);
    EXPECT_EQ(Form().ComboBoxArea->Count(), 5);
    EXPECT_FALSE(Form().QuitRequested());
    EXPECT_EQ(Form().ComboBoxHimoku->ItemIndex(), 0) << "the rest of the start-up ran";
}

TEST_F(MainFormTest, AnUnreadableLoadClassListIsReportedAndTheStartUpGoesOn) {
    Create();
    std::filesystem::remove(Folder().Path("dat/SPSekisai_RowSource.ini"));
    std::filesystem::create_symlink("/proc/self/mem", Folder().Path("dat/SPSekisai_RowSource.ini"));
    Form().FormCreate(&Form());
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("ファイル ./dat/SPSekisai_RowSource.ini を開けません。"), Sj(ErrorCaption()),
                    0x10}));
    EXPECT_EQ(Form().ComboBoxSekisai->Count(), 0);
    EXPECT_GT(Form().ComboBoxJinkai->Count(), 0);
    EXPECT_FALSE(Form().QuitRequested());
    EXPECT_TRUE(Form().RadioButtonDIDFalse->Checked()) << "the rest of the start-up ran";
    EXPECT_TRUE(Form().RadioButtonSP->Checked());
    EXPECT_FALSE(Form().ButtonCalc->isEnabled());
    EXPECT_FALSE(Form().ButtonGetCoord->isEnabled());
}

} // namespace
