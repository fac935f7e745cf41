#include "MainFormFixture.h"

#include "model/CCalcConditionData.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <filesystem>

namespace {

std::string Text(const TComboBox* box) {
    return Utf8(box->Text());
}

std::string FirstItem(const TComboBox* box) {
    return box->Count() > 0 ? Utf8(box->Item(0)) : std::string();
}

TEST_F(MainFormTest, ChoosingTheSameItemRefillsNothingAnotherRefillsItsLists) {
    Start();
    Choose(Form().ComboBoxSyubetsu, 1);
    Choose(Form().ComboBoxTsumikomi, 1);
    Choose(Form().ComboBoxHimoku, 0);
    EXPECT_EQ(Form().ComboBoxSyubetsu->ItemIndex(), 1);
    EXPECT_EQ(Form().ComboBoxTsumikomi->ItemIndex(), 1);

    Choose(Form().ComboBoxHimoku, 2);
    EXPECT_EQ(FirstItem(Form().ComboBoxSyubetsu), "As殻運搬");
    EXPECT_EQ(Form().ComboBoxSyubetsu->Count(), 5);
    EXPECT_EQ(Form().ComboBoxSyubetsu->ItemIndex(), 0);
    EXPECT_EQ(Text(Form().ComboBoxGaraHassei), "舗装版破砕");
    EXPECT_EQ(Text(Form().ComboBoxTsumikomi), "舗装機械積込");
    EXPECT_EQ(Form().ComboBoxTsumikomi->Count(), 2);
}

TEST_F(MainFormTest, ChangesMadeFromCodeRunNoChangeHandler) {
    Start();
    Form().ComboBoxHimoku->SetItemIndex(1);
    EXPECT_EQ(FirstItem(Form().ComboBoxSyubetsu), "殻運搬") << "not refilled";
    Form().ComboBoxSyubetsu->SetItemIndex(3);
    EXPECT_TRUE(Form().PanelJinkai->isHidden());
    Choose(Form().ComboBoxHimoku, 1);
    EXPECT_EQ(FirstItem(Form().ComboBoxSyubetsu), "無筋殻運搬");
}

TEST_F(MainFormTest, AModeSwitchKeepsTheLastHandledIndexes) {
    Start();
    Choose(Form().ComboBoxHimoku, 1);
    Form().RadioButtonBugakari->click();
    EXPECT_EQ(Utf8(Form().CalcMode), "bugakari");
    EXPECT_EQ(Form().ComboBoxHimoku->ItemIndex(), 0);
    EXPECT_EQ(FirstItem(Form().ComboBoxSyubetsu), "鉄筋10t");
    Choose(Form().ComboBoxHimoku, 1);
    EXPECT_EQ(FirstItem(Form().ComboBoxSyubetsu), "鉄筋10t")
        << "item 1 was the last one handled, in the other mode";
}

struct HaulTypeCase {
    int haulType;
    TPanel* TMainForm::*panel; // nullptr: none shown
    int commonTop;
};

TEST_F(MainFormTest, TheHaulTypeShowsItsPanelInPackageMode) {
    Start();
    Choose(Form().ComboBoxHimoku, 2); // five haul types
    const HaulTypeCase cases[] = {{1, nullptr, 280},
                                  {2, &TMainForm::PanelDensen, 312},
                                  {3, &TMainForm::PanelJinkai, 336},
                                  {4, nullptr, 336}, // no layout of its own: the common panel stays
                                  {0, &TMainForm::PanelGaraUnpan, 360}};
    for (const HaulTypeCase& c : cases) {
        Choose(Form().ComboBoxSyubetsu, c.haulType);
        for (TPanel* TMainForm::*panel :
             {&TMainForm::PanelGaraUnpan, &TMainForm::PanelDensen, &TMainForm::PanelJinkai}) {
            QWidget* widget = Form().*panel;
            const bool shown = panel == c.panel;
            EXPECT_EQ(!widget->isHidden(), shown)
                << c.haulType << " " << widget->objectName().toStdString();
            EXPECT_EQ(widget->isEnabled(), shown) << c.haulType;
            if (shown) {
                EXPECT_EQ(widget->y(), 272);
            }
        }
        EXPECT_EQ(Form().PanelCommon->y(), c.commonTop) << c.haulType;
    }
}

TEST_F(MainFormTest, AnotherHaulTypeResetsTheRubbleWorkButKeepsTheLoadingMethod) {
    Start();
    Choose(Form().ComboBoxTsumikomi, 1);
    Form().ComboBoxGaraHassei->SetItemIndex(1);
    Choose(Form().ComboBoxSyubetsu, 1);
    EXPECT_EQ(Form().ComboBoxGaraHassei->ItemIndex(), 0);
    EXPECT_EQ(Form().ComboBoxGaraHassei->Count(), 2);
    EXPECT_EQ(Text(Form().ComboBoxTsumikomi), "人力積込") << "kept with its selection";
    EXPECT_EQ(Form().PanelCommon->y(), 280);
    EXPECT_TRUE(Form().PanelGaraUnpan->isHidden());

    Choose(Form().ComboBoxGaraHassei, 1);
    EXPECT_EQ(Text(Form().ComboBoxTsumikomi), "吹付機械積込");
}

TEST_F(MainFormTest, ModeSwitchesBeforeAnyCalculationRestoreTheFirstEntries) {
    Start();
    Choose(Form().ComboBoxHimoku, 1);
    Choose(Form().ComboBoxSyubetsu, 2);
    Form().RadioButtonDIDTrue->click();
    Form().RadioButtonBugakari->click();
    EXPECT_EQ(Form().ComboBoxHimoku->ItemIndex(), 0);
    EXPECT_EQ(Form().ComboBoxSyubetsu->ItemIndex(), 0);
    EXPECT_TRUE(Form().RadioButtonDIDFalse->Checked());
    EXPECT_TRUE(Form().PanelGaraUnpan->isHidden());
    EXPECT_TRUE(Form().PanelDensen->isHidden());
    EXPECT_EQ(Form().PanelCommon->y(), 280);
    Form().RadioButtonBugakari->click(); // the mode in force: nothing happens
    EXPECT_EQ(Utf8(Form().CalcMode), "bugakari");

    Choose(Form().ComboBoxHimoku, 2);
    Form().RadioButtonSP->click();
    EXPECT_EQ(Utf8(Form().CalcMode), "sp");
    for (const TComboBox* box : {Form().ComboBoxHimoku, Form().ComboBoxSyubetsu,
                                 Form().ComboBoxGaraHassei, Form().ComboBoxTsumikomi}) {
        EXPECT_EQ(box->ItemIndex(), 0) << box->objectName().toStdString();
    }
    EXPECT_EQ(FirstItem(Form().ComboBoxSyubetsu), "殻運搬");
    EXPECT_TRUE(Form().RadioButtonDIDFalse->Checked());
    EXPECT_TRUE(Form().RadioButtonDTLend->Checked());
    EXPECT_FALSE(Form().PanelGaraUnpan->isHidden());
    EXPECT_EQ(Form().PanelCommon->y(), 360);
}

TEST_F(MainFormTest, BackInPackageModeTheStoredHaulTypeShowsWithTheFirstLayout) {
    Start();
    Choose(Form().ComboBoxSyubetsu, 2);
    Form().RadioButtonDIDTrue->click();
    Calculate();
    Form().RadioButtonBugakari->click();
    Form().RadioButtonSP->click();
    EXPECT_EQ(Form().ComboBoxSyubetsu->ItemIndex(), 2);
    EXPECT_TRUE(Form().RadioButtonDIDTrue->Checked());
    EXPECT_FALSE(Form().PanelGaraUnpan->isHidden());
    EXPECT_TRUE(Form().PanelDensen->isHidden());
    EXPECT_EQ(Form().PanelCommon->y(), 360);
    Choose(Form().ComboBoxSyubetsu, 2); // the same as the last handled: the layout stays
    EXPECT_EQ(Form().PanelCommon->y(), 360);
    Choose(Form().ComboBoxSyubetsu, 3);
    EXPECT_FALSE(Form().PanelJinkai->isHidden());
    EXPECT_EQ(Form().PanelCommon->y(), 336);
}

struct CoordinateKeysCase {
    const char* typed;
    friend void PrintTo(const CoordinateKeysCase& c, std::ostream* out) {
        *out << '"' << c.typed << '"';
    }
    const char* text;
    bool calcEnabled; // with Y "100"
};

class CoordinateKeysTest : public MainFormTest,
                           public testing::WithParamInterface<CoordinateKeysCase> {};

TEST_P(CoordinateKeysTest, FiltersTypedCharactersByTheWholeText) {
    Start();
    Form().EditY->SetText("100");
    Type(Form().EditX, GetParam().typed);
    EXPECT_EQ(Utf8(Form().EditX->Text()), GetParam().text);
    EXPECT_EQ(Form().ButtonCalc->isEnabled(), GetParam().calcEnabled);
    Form().EditY->SetText("");
    Form().EditY->setFocus();
    Type(Form().EditY, GetParam().typed);
    EXPECT_EQ(Utf8(Form().EditY->Text()), GetParam().text) << "Y filters the same way";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CoordinateKeysTest,
    testing::Values(CoordinateKeysCase{"-.5", "-.5", true}, CoordinateKeysCase{".5", "5", true},
                    CoordinateKeysCase{"-5-", "-5", true}, CoordinateKeysCase{"5-", "5", true},
                    CoordinateKeysCase{"1.2.3", "1.23", true}, CoordinateKeysCase{"0", "0", false},
                    CoordinateKeysCase{"-", "-", false}, CoordinateKeysCase{"0.0", "0.0", true},
                    CoordinateKeysCase{"00", "00", true}, CoordinateKeysCase{"-0", "-0", true},
                    CoordinateKeysCase{"1a2 b", "12", true},
                    CoordinateKeysCase{"-12345.6", "-12345.6", true},
                    CoordinateKeysCase{"", "", false}));

TEST_F(MainFormTest, BackspacePassesTheCoordinateFilterAndControlKeysDoNot) {
    Start();
    Form().EditY->SetText("100");
    Type(Form().EditX, "12");
    QTest::keyClick(Form().EditX, Qt::Key_Backspace);
    EXPECT_EQ(Utf8(Form().EditX->Text()), "1");
    QTest::keyClick(Form().EditX, Qt::Key_Backspace);
    EXPECT_EQ(Utf8(Form().EditX->Text()), "");
    EXPECT_FALSE(Form().ButtonCalc->isEnabled());
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(Form().EditX, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Utf8(Form().EditX->Text()), "") << "Ctrl+V is a control character: dropped";
}

TEST_F(MainFormTest, TheCountEditTakesFiveBytesThenOnlyBackspaceAndEnter) {
    Start();
    Form().PageControl->SetActivePageIndex(1);
    QApplication::setActiveWindow(&Form());
    Form().EditGetLowest->setFocus();
    Type(Form().EditGetLowest, "12345");
    Type(Form().EditGetLowest, "6");
    EXPECT_EQ(Utf8(Form().EditGetLowest->Text()), "12345");
    QTest::keyClick(Form().EditGetLowest, Qt::Key_Backspace);
    EXPECT_EQ(Utf8(Form().EditGetLowest->Text()), "1234");
    Type(Form().EditGetLowest, "x");
    EXPECT_EQ(Utf8(Form().EditGetLowest->Text()), "1234x") << "no other filtering";
    QTest::keyClick(Form().EditGetLowest, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Form().BitBtnGetLowest);

    Form().EditGetLowest->SetText(Sj("１２3")); // five bytes: a full-width digit counts two
    Type(Form().EditGetLowest, "4");
    EXPECT_EQ(Utf8(Form().EditGetLowest->Text()), "１２3");
    Form().EditGetLowest->SetText("1234567"); // pasted, longer than five
    Form().EditGetLowest->end(false);
    Type(Form().EditGetLowest, "8");
    EXPECT_EQ(Utf8(Form().EditGetLowest->Text()), "12345678");
}

TEST_F(MainFormTest, SavingTheAreaWritesItsNameAndKeepsTheFilesOtherEntries) {
    Create();
    Folder().WriteText("F_chiku.ini",
                       "[Other]\r\nkey=value\r\n[Sorvane]\r\n地区=第一地区\r\nx=1\r\n");
    Form().FormCreate(&Form());
    Choose(Form().ComboBoxArea, 1);
    Click(Form().ButtonAreaSave);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(Folder().ReadText("F_chiku.ini"),
              "[Other]\r\nkey=value\r\n\r\n[Sorvane]\r\n地区=第二地区\r\nx=1\r\n\r\n");

    Form().ComboBoxArea->SetItemIndex(-1);
    Click(Form().ButtonAreaSave);
    EXPECT_NE(Folder().ReadText("F_chiku.ini").find("地区=\r\n"), std::string::npos);
}

TEST_F(MainFormTest, AnAreaSavedEmptyIsNoAreaAtTheNextStart) {
    Start();
    Form().ComboBoxArea->SetItemIndex(-1);
    Click(Form().ButtonAreaSave);
    Restart();
    EXPECT_EQ(Form().ComboBoxArea->ItemIndex(), -1);
}

TEST_F(MainFormTest, AnAreaFileThatCannotBeWrittenGivesTheWarningAndKeepsTheSelection) {
    Start();
    std::filesystem::create_directory(Folder().Path("F_chiku.ini"));
    Choose(Form().ComboBoxArea, 2);
    Click(Form().ButtonAreaSave);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("ファイル操作中にエラーが発生しました。\r\nファイル名:./F_chiku.ini\r\n"
                       "再度実行してください。"),
                    Sj("ファイル操作エラー"), 0x40030}));
    EXPECT_EQ(Form().ComboBoxArea->ItemIndex(), 2);
}

} // namespace
