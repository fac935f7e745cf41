#include "MainFormFixture.h"

#include "model/CCalcConditionData.h"
#include "model/COutputDataManager.h"
#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/CipherKey.h"

#include "platform/Conversions.h"
#include "platform/qt/ErrorDisplay.h"

namespace {

using Row = std::vector<std::string>;

class CalcTest : public MainFormTest {
protected:
    Row RowAt(int row) {
        Row texts;
        for (int col = 0; col < 15; ++col) {
            texts.push_back(Cell(col, row));
        }
        return texts;
    }
    int RankingCount() { return Form().RankingList->GetCount(); }
};

TEST_F(CalcTest, PackageModeListsTheSitesWithinTheLimitRankedByTotal) {
    Start();
    Calculate();
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場B", "処分場A", "処分場D", "処分場F", "処分場C"}));
    EXPECT_EQ(RowAt(1), (Row{"1", "処分場B", "8.0", "0", "8", "東", "1000", "t", "資料2", "0",
                             "1000", "2000", "3000", "1", "10km以下"}));
    EXPECT_EQ(RowAt(2), (Row{"2", "処分場A", "3.0", "0", "3", "北", "3000", "t", "資料1", "0",
                             "3000", "1000", "4000", "2", "5km以下"}));
    EXPECT_EQ(RowAt(3), (Row{"3", "処分場D", "60.0", "0", "60", "北東", "200", "t", "資料4", "0",
                             "200", "4000", "4200", "3", "60km以下"}))
        << "exactly 60 km is within the limit; 60.1 km (処分場E) never shows";
    EXPECT_EQ(RowAt(5), (Row{"", "処分場C", "12.0", "0", "12", "南", "0", "t", "資料3", "0", "0",
                             "3000", "", "", "20km以下"}))
        << "without a fee: last, unranked";
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
    EXPECT_EQ(Form().SelectedRow, 1);
    EXPECT_EQ(Form().StringGrid->Row(), 1);
    EXPECT_EQ(Utf8(Form().SortKey), "sum");
    EXPECT_EQ(Form().RadioGroupSort->ItemIndex(), 0);
    EXPECT_EQ(Utf8(Form().LastCalcMode), "sp");
    EXPECT_EQ(RankingCount(), 6) << "sites beyond 60 km get rows too";
}

TEST_F(CalcTest, LabourRateModePricesEveryRowByTheBands) {
    Start();
    Form().RadioButtonBugakari->click();
    Calculate();
    EXPECT_TRUE(messages.Calls().empty());
    COutputDataManager& manager = *Form().OutputDataManager;
    ASSERT_EQ(Form().StringGrid->RowCount(), 6);
    for (int row = 1; row < 6; ++row) {
        const double fixed = StrToFloat(Sj(Cell(4, row)));
        EXPECT_EQ(Cell(11, row), Utf8(IntToStr(manager.GetTransportCost(fixed)))) << row;
        EXPECT_EQ(Cell(14, row), Utf8(manager.GetCostChangeDistance(fixed))) << row;
        EXPECT_NE(Cell(11, row), Utf8(IntToStr(manager.GetPackageTransportCost(fixed)))) << row;
    }
    EXPECT_EQ(Utf8(Form().LastCalcMode), "bugakari");
    EXPECT_EQ(Form().CalcConditionData->GetBugakariHimoku(), 0);
}

struct RefusedCoordinateCase {
    const char* name;
    friend void PrintTo(const RefusedCoordinateCase& c, std::ostream* out) { *out << c.name; }
    const char* x;
    const char* y;
    const char* xAfter; // what the X edit shows afterwards
    const char* message;
};

class RefusedCoordinateTest : public CalcTest,
                              public testing::WithParamInterface<RefusedCoordinateCase> {};

TEST_P(RefusedCoordinateTest, ZeroIsRefusedAndTheRunEndsWithAnEmptyGrid) {
    Start();
    Calculate();
    Form().PageControl->SetActivePageIndex(0);
    Choose(Form().ComboBoxSyubetsu, 1);
    messages.Clear();
    Calculate(GetParam().x, GetParam().y);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0], (Call{Sj(GetParam().message), Sj("無効な値"), 0x40030}));
    EXPECT_EQ(Utf8(Form().EditX->Text()), GetParam().xAfter);
    EXPECT_EQ(Form().StringGrid->RowCount(), 2);
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(Form().CalcConditionData->GetSPSyubetsu(), 0) << "the selections are not stored";
    EXPECT_EQ(RankingCount(), 6) << "the rows of the list stay";
    EXPECT_FALSE(Form().ButtonCalc->isEnabled() && Utf8(Form().EditX->Text()) == "0");
}

constexpr const char* kXMessage = "X座標の値が不正です。\r\n再度入力してください。";
constexpr const char* kYMessage = "Y座標の値が不正です。\r\n再度入力してください。";

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedCoordinateTest,
    testing::Values(RefusedCoordinateCase{"EmptyX", "", "20000", "0", kXMessage},
                    RefusedCoordinateCase{"MinusX", "-", "20000", "0", kXMessage},
                    RefusedCoordinateCase{"ZeroX", "0", "20000", "0", kXMessage},
                    RefusedCoordinateCase{"ZeroWithPointX", "0.0", "0", "0.0", kXMessage},
                    RefusedCoordinateCase{"MinusZeroX", "-0", "20000", "-0", kXMessage},
                    RefusedCoordinateCase{"ZeroWithPointY", "-10000", "0.0", "-10000", kYMessage},
                    RefusedCoordinateCase{"EmptyY", "-10000", "", "-10000", kYMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, APastedTextThatIsNoNumberGoesToTheErrorDisplay) {
    Start();
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"12a", "20000", "'12a' は有効な浮動小数点数ではありません。"},
        {"-10000", "1.2.3", "'1.2.3' は有効な浮動小数点数ではありません。"},
        {"１２", "20000", "'１２' は有効な浮動小数点数ではありません。"},
    };
    for (const auto& [x, y, text] : cases) {
        messages.Clear();
        Choose(Form().ComboBoxSyubetsu, 1);
        Calculate(x, y);
        ASSERT_EQ(messages.Calls().size(), 1u) << x << " " << y;
        EXPECT_EQ(messages.Calls()[0], (Call{Sj(text), Sj(ErrorCaption()), 0x10}));
        EXPECT_EQ(Form().StringGrid->RowCount(), 2);
        EXPECT_EQ(Form().CalcConditionData->GetSPSyubetsu(), 0) << "the run ended before";
        EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
        EXPECT_EQ(Utf8(Form().EditX->Text()), x) << "the texts stay as pasted";
        Choose(Form().ComboBoxSyubetsu, 0);
    }
}

// A fetched road distance beyond the limit survives a refresh, which prices it at 0 and
// totals the fee alone; the row stays after the ones within the limit.
TEST_F(CalcTest, AFetchedDistanceBeyondTheLimitSurvivesARefresh) {
    Start();
    Calculate();
    CRankingData* b = Form().RankingList->FindByName(Sj("処分場B"));
    b->SetRouteDistance(75.2);
    b->UpdateFixedDistance();
    b->SetTransportCost(0);
    b->SetTotalCost(0);
    Form().PageControl->SetActivePageIndex(0);
    Calculate();
    const int row = RowOf("処分場B");
    EXPECT_EQ(row, 4);
    EXPECT_EQ(Cell(3, row), "75.2");
    EXPECT_EQ(Cell(11, row), "0");
    EXPECT_EQ(Cell(12, row), "1000");
    EXPECT_EQ(Cell(13, row), "4");
    EXPECT_EQ(Cell(14, row), "上限値を超えています");
}

TEST_F(CalcTest, NoSiteWithinTheLimitGivesTheInformationAndKeepsTheConditionPage) {
    Start();
    Calculate();
    Form().StringGrid->SetRow(3);
    EXPECT_EQ(Form().SelectedRow, 3);
    Form().PageControl->SetActivePageIndex(0);
    messages.Clear();
    Calculate("500000", "20000");
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0], (Call{Sj("60km以内に登録された処分場が見つかりませんでした。\r\n"
                                            "入力された座標を確認してください。"),
                                         Sj("計算結果"), 0x40040}));
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(Form().SelectedRow, 3);
    EXPECT_EQ(Utf8(Form().SortKey), "sum");
    EXPECT_EQ(Form().StringGrid->RowCount(), 2);
}

TEST_F(CalcTest, SitesThatAllLackAFeeAreShownWithoutTheResultPageSteps) {
    Start();
    Calculate();
    Form().RadioGroupSort->SetItemIndex(1);
    EXPECT_EQ(Utf8(Form().SortKey), "distance");
    Form().PageControl->SetActivePageIndex(0);
    Choose(Form().ComboBoxHimoku, 2);
    Calculate("-199000", "20000");
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(Column(1), (std::vector<std::string>{"処分場H"}));
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_EQ(Cell(13, 1), "");
    EXPECT_EQ(Form().RadioGroupSort->ItemIndex(), 1) << "the sort selector is not reset";
}

TEST_F(CalcTest, TheSamePointKeepsTypedValuesAndAnotherPointRebuilds) {
    Start();
    Calculate();
    const int rowA = RowOf("処分場A");
    TypeIntoCell(3, rowA, "7");
    PressInGrid(Qt::Key_Return);
    const int rowB = RowOf("処分場B");
    TypeIntoCell(9, rowB, "50");
    PressInGrid(Qt::Key_Return);
    ASSERT_TRUE(messages.Calls().empty());

    const auto check = [&](const char* x, bool kept) {
        Form().PageControl->SetActivePageIndex(0);
        Calculate(x, kFixtureY);
        const int a = RowOf("処分場A");
        const int b = RowOf("処分場B");
        EXPECT_EQ(Cell(3, a), kept ? "7" : "0") << x;
        EXPECT_EQ(Cell(4, a), kept ? "7" : "3") << x;
        EXPECT_EQ(Cell(11, a), kept ? "2000" : "1000") << x;
        EXPECT_EQ(Cell(9, b), kept ? "50" : "0") << x;
        EXPECT_EQ(Cell(10, b), kept ? "50" : "1000") << x;
        EXPECT_EQ(Cell(12, b), kept ? "2050" : "3000") << x;
    };
    check("-10000", true);
    check("-10000.0", true); // the same number written otherwise
    check("-10000.1", false);
}

TEST_F(CalcTest, ARefreshPricesByTheModeOfTheRunAndKeepsRoadDistances) {
    Start();
    Calculate();
    const int rowA = RowOf("処分場A");
    TypeIntoCell(3, rowA, "7");
    PressInGrid(Qt::Key_Return);
    Form().PageControl->SetActivePageIndex(0);
    Form().RadioButtonBugakari->click();
    Calculate();
    COutputDataManager& manager = *Form().OutputDataManager;
    const int a = RowOf("処分場A");
    EXPECT_EQ(Cell(4, a), "7");
    EXPECT_EQ(Cell(11, a), Utf8(IntToStr(manager.GetTransportCost(7.0))));
    EXPECT_EQ(Cell(14, a), Utf8(manager.GetCostChangeDistance(7.0)));
}

// Another disposal item at the same point walks another site list; the rows are built anew
// from it instead of refreshing rows of sites no longer listed.
TEST_F(CalcTest, AnotherSiteListAtTheSamePointRebuildsTheRows) {
    Start();
    Calculate();
    TypeIntoCell(3, RowOf("処分場A"), "7");
    PressInGrid(Qt::Key_Return);
    Form().PageControl->SetActivePageIndex(0);
    Choose(Form().ComboBoxHimoku, 1);
    Calculate();
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(RankingCount(), 3);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"処分場G", "処分場B", "処分場A"}));
    EXPECT_EQ(Column(6), (std::vector<std::string>{"700", "900", "2500"}));
    EXPECT_EQ(Cell(3, RowOf("処分場A")), "0");

    // Back to the first item: the same again.
    Form().PageControl->SetActivePageIndex(0);
    Choose(Form().ComboBoxHimoku, 0);
    Calculate();
    EXPECT_EQ(RankingCount(), 6);
    EXPECT_EQ(Column(1).size(), 5u);
}

// Rows are found again by name: when two sites share a name, a refresh writes every site of
// that name into the first row of the name in the order shown, as the lookup by name finds it.
TEST_F(CalcTest, SitesSharingANameAreRefreshedThroughTheFirstRowOfTheName) {
    Create();
    std::string fees =
        AnsiString::FromUtf8("No,,,,品目,ｷｰ,,名称,,,料金,単位,,,,,,,,,,出典\r\n"
                             "1,,,,鉄筋ｺﾝｸﾘｰﾄ塊,K02,,処分場A,,,1000,t,,,,,,,,,,資料2\r\n"
                             "2,,,,鉄筋ｺﾝｸﾘｰﾄ塊,K01,,処分場A,,,3000,t,,,,,,,,,,資料1\r\n")
            .str();
    RunningKey().Apply(fees.data(), fees.size());
    Folder().Dir().Write("dat/ET19_fees.csv", fees);
    RunHandler([&] { Form().FormCreate(&Form()); });
    Calculate();
    ASSERT_TRUE(messages.Calls().empty());
    EXPECT_EQ(RowAt(1), (Row{"1", "処分場A", "8.0", "0", "8", "東", "1000", "t", "資料2", "0",
                             "1000", "2000", "3000", "1", "10km以下"}));
    EXPECT_EQ(RowAt(2), (Row{"2", "処分場A", "3.0", "0", "3", "北", "3000", "t", "資料1", "0",
                             "3000", "1000", "4000", "2", "5km以下"}));

    Form().PageControl->SetActivePageIndex(0);
    Calculate(); // the same point: the rows are refreshed
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(RankingCount(), 2);
    EXPECT_EQ(RowAt(1), (Row{"1", "処分場A", "3.0", "0", "3", "北", "3000", "t", "資料1", "0",
                             "3000", "1000", "4000", "1", "5km以下"}));
    EXPECT_EQ(RowAt(2), (Row{"2", "処分場A", "8.0", "0", "8", "東", "3000", "t", "資料2", "0",
                             "3000", "2000", "5000", "2", "10km以下"}))
        << "the row shown first took the fee of the second site, written last";
}

TEST_F(CalcTest, ConditionsWithoutAPackageAreRefusedInsteadOfPricedByAnEarlierOne) {
    Start();
    Calculate();
    ASSERT_TRUE(messages.Calls().empty());
    Form().PageControl->SetActivePageIndex(0);
    // "殻運搬(積込済)" has a package without a DID section only.
    Choose(Form().ComboBoxSyubetsu, 1);
    Form().RadioButtonDIDTrue->click();
    Calculate();
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(
        messages.Calls()[0],
        (MessageBoxRecorder::Call{u8"選択された計算条件に該当する施工パッケージがありません。\r\n"
                                  u8"計算条件を確認してください。"_sj,
                                  u8"計算条件"_sj, 0x40030}));
    EXPECT_EQ(Form().StringGrid->RowCount(), 2);
    EXPECT_EQ(Cell(1, 1), "") << "no prices of the earlier package are shown";
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(RankingCount(), 6) << "the rows of the last run stay";

    // The same conditions without the DID section price again.
    Form().RadioButtonDIDFalse->click();
    Calculate();
    EXPECT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(Cell(11, RowOf("処分場A")), "800");
}

struct PackageKeysCase {
    const char* name;
    friend void PrintTo(const PackageKeysCase& c, std::ostream* out) { *out << c.name; }
    int haulType;
    bool carry;
    bool did;
    const char* costAt3km;
};

class PackageKeysTest : public CalcTest, public testing::WithParamInterface<PackageKeysCase> {};

TEST_P(PackageKeysTest, TheHaulTypeChoosesThePackageKeys) {
    Start();
    Choose(Form().ComboBoxSyubetsu, GetParam().haulType);
    if (GetParam().carry) {
        Form().RadioButtonDTCarry->click();
    }
    if (GetParam().did) {
        Form().RadioButtonDIDTrue->click();
    }
    Calculate();
    EXPECT_EQ(Cell(11, RowOf("処分場A")), GetParam().costAt3km);
    EXPECT_EQ(Form().CalcConditionData->GetSPSyubetsu(), GetParam().haulType);
    EXPECT_EQ(Form().CalcConditionData->IsSPDTCarry(), GetParam().carry);
    EXPECT_EQ(Form().CalcConditionData->IsSPDID(), GetParam().did);
}

INSTANTIATE_TEST_SUITE_P(Cases, PackageKeysTest,
                         testing::Values(PackageKeysCase{"RubbleWorkAndLoading", 0, false, false,
                                                         "1000"},
                                         PackageKeysCase{"WithDID", 0, false, true, "1100"},
                                         PackageKeysCase{"HaulOnly", 1, false, false, "800"},
                                         PackageKeysCase{"LoadClass", 2, false, false, "700"},
                                         PackageKeysCase{"RefuseLent", 3, false, false, "600"},
                                         PackageKeysCase{"RefuseBrought", 3, true, false, "500"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
