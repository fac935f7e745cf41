#include "MainFormFixture.h"

#include "model/CRankingData.h"
#include "model/CRankingList.h"

#include "platform/Exceptions.h"
#include "platform/qt/QtText.h"

#include <QImage>

namespace {

class ResultsTest : public MainFormTest {
protected:
    void SetUp() override {
        Start();
        Calculate();
        ASSERT_TRUE(messages.Calls().empty());
    }
    QColor Pixel(const QImage& image, int col, int row) {
        const QRect rect = Form().StringGrid->CellRect(col, row);
        return image.pixelColor(rect.right() - 1, rect.top() + 1);
    }
    QImage Render() {
        QWidget* viewport = Form().StringGrid->viewport();
        QImage image(viewport->size(), QImage::Format_RGB32);
        viewport->render(&image);
        return image;
    }
};

TEST_F(ResultsTest, DistanceOrderCountsLinesAndKeepsTheTotalCostRanks) {
    Form().RadioGroupSort->SetItemIndex(1);
    EXPECT_EQ(Utf8(Form().SortKey), "distance");
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場A", "処分場B", "処分場C", "処分場F", "処分場D"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Column(13), (std::vector<std::string>{"2", "1", "", "4", "3"}));
    EXPECT_EQ(Column(12), (std::vector<std::string>{"4000", "3000", "", "4500", "4200"}));
    EXPECT_EQ(Form().SelectedRow, 2) << "処分場B stays selected";

    const QImage image = Render();
    const QColor red(255, 0, 0), orange(255, 200, 40), yellow(255, 255, 0);
    const QColor lime(0, 255, 0), pink(255, 197, 255), cyan(217, 255, 255);
    EXPECT_EQ(Pixel(image, 1, 1), orange) << "rank 2 on line 1";
    EXPECT_EQ(Pixel(image, 3, 1), lime);
    EXPECT_EQ(Pixel(image, 9, 1), lime);
    EXPECT_EQ(Pixel(image, 13, 1), pink);
    const QColor highlight = Form().StringGrid->palette().highlight().color();
    for (int col : {0, 3, 9, 13, 14}) {
        EXPECT_EQ(Pixel(image, col, 2), highlight) << "the current row over every colour";
    }
    EXPECT_EQ(Pixel(image, 5, 3), cyan) << "no rank";
    EXPECT_EQ(Pixel(image, 5, 4), cyan) << "rank 4";
    EXPECT_EQ(Pixel(image, 14, 5), yellow) << "rank 3 on the last line";
    EXPECT_EQ(Pixel(image, 13, 5), pink);
    EXPECT_EQ(Pixel(image, 1, 0), Form().StringGrid->palette().button().color());

    Form().RadioGroupSort->SetItemIndex(0);
    const QImage bySum = Render();
    EXPECT_EQ(Pixel(bySum, 14, 1), highlight) << "処分場B, rank 1, is current";
    EXPECT_EQ(Pixel(bySum, 14, 2), orange);
    Form().StringGrid->SetRow(4);
    EXPECT_EQ(Pixel(Render(), 14, 1), red);
}

TEST_F(ResultsTest, TheHeadersArePaintedOverTheFixedRowInThreeLines) {
    const QImage image = Render();
    const QRect rect = Form().StringGrid->CellRect(14, 0);
    int inkRows = 0;
    int lastInk = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                ++inkRows;
                lastInk = y;
                break;
            }
        }
    }
    EXPECT_GT(inkRows, 20) << "three lines of text";
    EXPECT_GT(lastInk - rect.top(), 30) << "the third line is drawn inside the row";
    EXPECT_EQ(Form().StringGrid->Cell(14, 0), AnsiString()) << "headers are not stored";
}

TEST_F(ResultsTest, TheSelectedSiteIsFoundAgainByNameAfterAnotherOrder) {
    Form().StringGrid->SetRow(RowOf("処分場F"));
    Form().RadioGroupSort->SetItemIndex(1);
    EXPECT_EQ(Cell(1, Form().SelectedRow), "処分場F");
    EXPECT_EQ(Form().StringGrid->Row(), Form().SelectedRow);
    Form().StringGrid->SetRow(RowOf("処分場A"));
    Form().RadioGroupSort->SetItemIndex(0);
    EXPECT_EQ(Form().SelectedRow, 2);
    EXPECT_EQ(Cell(1, 2), "処分場A");
}

TEST_F(ResultsTest, TypedDistancesOfZeroToSixtyAreTakenOthersRefused) {
    const int rowA = RowOf("処分場A");
    TypeIntoCell(3, rowA, "60");
    PressInGrid(Qt::Key_Return);
    EXPECT_TRUE(messages.Calls().empty());
    int a = RowOf("処分場A");
    EXPECT_EQ(Cell(3, a), "60");
    EXPECT_EQ(Cell(4, a), "60");
    EXPECT_EQ(Cell(11, a), "4000");
    EXPECT_EQ(Cell(12, a), "7000");
    EXPECT_EQ(Cell(1, 4), "処分場A") << "moved after 処分場F (4500)";

    TypeIntoCell(3, a, "60.1");
    PressInGrid(Qt::Key_Return);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("運搬距離は0km以上60km以下を入力してください。"), Sj("無効な値"), 0x40030}));
    EXPECT_EQ(Cell(3, a), "") << "the distance cell is emptied";
    EXPECT_EQ(Cell(4, a), "60") << "the row is unchanged";
    EXPECT_EQ(Form().RankingList->FindByName(Sj("処分場A"))->GetRouteDistance(), 60.0);

    messages.Clear();
    PressInGrid(Qt::Key_Return); // the emptied cell
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0], (Call{"Range check error", Sj(ErrorCaption()), 0x10}));
    EXPECT_EQ(Cell(4, a), "60") << "nothing changes";

    messages.Clear();
    TypeIntoCell(3, a, "");
    Form().StringGrid->InplaceEditor()->setText(QStringLiteral("1x")); // pasted
    emit Form().StringGrid->InplaceEditor()->textEdited(QStringLiteral("1x"));
    PressInGrid(Qt::Key_Return);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("'1x' は有効な浮動小数点数ではありません。"), Sj(ErrorCaption()), 0x10}));
    EXPECT_EQ(Cell(4, a), "60");

    messages.Clear();
    TypeIntoCell(3, a, "0");
    PressInGrid(Qt::Key_Return);
    EXPECT_TRUE(messages.Calls().empty());
    a = RowOf("処分場A");
    EXPECT_EQ(Cell(4, a), "3") << "0 goes back to the direct distance";
    EXPECT_EQ(a, 2);
}

TEST_F(ResultsTest, GridKeysKeepNumbersTyped) {
    const int row = RowOf("処分場B");
    TypeIntoCell(3, row, "5");
    EXPECT_EQ(Cell(3, row), "5");
    PressInGrid(Qt::Key_Backspace);
    EXPECT_EQ(Cell(3, row), "0") << "one character never becomes empty";
    EXPECT_EQ(Utf8(FromQString(Form().StringGrid->InplaceEditor()->text())), "0");
    Form().StringGrid->InplaceEditor()->end(false);
    Type(Form().StringGrid->InplaceEditor(), ".");
    Type(Form().StringGrid->InplaceEditor(), ".a-1");
    EXPECT_EQ(Cell(3, row), "0.1");
    PressInGrid(Qt::Key_Backspace);
    EXPECT_EQ(Cell(3, row), "0.");
    Form().StringGrid->SetCell(3, row, "");
    Type(Form().StringGrid->InplaceEditor(), ".");
    EXPECT_EQ(Cell(3, row), "") << "no point in an empty cell";
    EXPECT_TRUE(messages.Calls().empty());
}

TEST_F(ResultsTest, EnterInAnotherColumnTakesTheDistanceAndFeeOfTheSelectedRow) {
    const int rowB = RowOf("処分場B");
    TypeIntoCell(9, rowB, "50");
    Form().StringGrid->SetCol(5);
    EXPECT_FALSE(Form().StringGrid->EditorVisible()) << "only distance and fee are edited";
    Type(Form().StringGrid, "7x"); // not taken in a column that is not edited
    PressInGrid(Qt::Key_Return);
    EXPECT_TRUE(messages.Calls().empty());
    const int b = RowOf("処分場B");
    EXPECT_EQ(Cell(5, b), "東");
    EXPECT_EQ(Cell(10, b), "50");
    EXPECT_EQ(Cell(12, b), "2050");
}

TEST_F(ResultsTest, AFeeWhoseTotalHasNo32BitValueIsRefusedAndTheRowKept) {
    const int rowB = RowOf("処分場B");
    TypeIntoCell(9, rowB, "2147483647");
    PressInGrid(Qt::Key_Return);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("金額の合計 2000 + 2147483647 は整数の範囲を超えているため計算できません。"),
                    Sj(ErrorCaption()), 0x10}));
    const CRankingData* b = Form().RankingList->FindByName(Sj("処分場B"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetManualDisposalCost(), 0) << "the row is as it was";
    EXPECT_EQ(b->GetFixedDisposalCost(), 1000);
    EXPECT_EQ(b->GetTotalCost(), 3000);
    Form().RadioGroupSort->SetItemIndex(1);
    EXPECT_EQ(Column(13), (std::vector<std::string>{"2", "1", "", "4", "3"}))
        << "no negative total is ranked first";
}

TEST_F(ResultsTest, ARowWhoseTypedFeeIsRemovedInDistanceOrderLosesItsRank) {
    Form().RadioGroupSort->SetItemIndex(1);
    int c = RowOf("処分場C");
    TypeIntoCell(9, c, "500");
    PressInGrid(Qt::Key_Return);
    c = RowOf("処分場C");
    ASSERT_NE(Cell(13, c), "");
    TypeIntoCell(9, c, "0");
    PressInGrid(Qt::Key_Return);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場A", "処分場B", "処分場C", "処分場F", "処分場D"}));
    EXPECT_EQ(Column(13), (std::vector<std::string>{"2", "1", "", "4", "3"}));
    EXPECT_EQ(Form().RankingList->FindByName(Sj("処分場C"))->GetRank(), 0);
}

TEST_F(ResultsTest, ASiteBeyondTheLimitByRoadComesAfterTheOthersRankedOn) {
    CRankingData* b = Form().RankingList->FindByName(Sj("処分場B"));
    ASSERT_NE(b, nullptr);
    // What a fetched road distance of 61 km leaves in the row.
    b->SetRouteDistance(61);
    b->UpdateFixedDistance();
    b->SetTransportCost(0);
    b->SetTotalCost(0);
    Form().ShowRankingBySum();
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場A", "処分場D", "処分場F", "処分場B", "処分場C"}));
    EXPECT_EQ(Column(13), (std::vector<std::string>{"1", "2", "3", "4", ""}));
    EXPECT_EQ(Cell(14, 4), "上限値を超えています");
    EXPECT_EQ(Cell(12, 4), "0");
    Form().ShowRankingByDistance();
    EXPECT_EQ(Cell(1, 5), "処分場B");
    EXPECT_EQ(Cell(13, 5), "4");
    EXPECT_EQ(Cell(14, 5), "上限値を超えています");
}

TEST_F(ResultsTest, SortingWithoutResultsWarnsAndShowsTheConditions) {
    Form().ClearResultGrid();
    Form().RadioGroupSort->SetItemIndex(1);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("並び替えるデータがありません。\r\n先に計算を実行してください。"),
                    Sj("無効な処理"), 0x40030}));
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(Form().RadioGroupSort->ItemIndex(), 1) << "the selection stays as clicked";
}

TEST_F(ResultsTest, DoubleClickSendsTheRowExceptInTheEditedColumns) {
    int sends = 0;
    Form().ButtonSendLaLo->OnClick = [&] { ++sends; };
    Form().StringGrid->SetRow(3);
    Form().StringGrid->SetCol(5);
    Form().SelectedRow = 0;
    Form().StringGrid->DblClick();
    EXPECT_EQ(Form().SelectedRow, 3);
    EXPECT_EQ(sends, 1);
    Form().StringGrid->SetCol(3);
    Form().StringGrid->DblClick();
    Form().StringGrid->SetCol(9);
    Form().StringGrid->DblClick();
    EXPECT_EQ(sends, 1);
    Form().ButtonSendLaLo->OnClick = nullptr;
    Form().StringGrid->SetCol(1);
    Form().StringGrid->DblClick(); // nothing bound: nothing more happens
}

TEST_F(ResultsTest, ReturningToTheConditionsChangesNothingElse) {
    Click(Form().ButtonToMain);
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(Column(1).size(), 5u);
    EXPECT_EQ(Form().SelectedRow, 1);
}

TEST_F(ResultsTest, TheBrowsersAndTheGridFollowTheWindowHeight) {
    Form().resize(Form().width(), 600 - TMainForm::kFrameHeight);
    EXPECT_EQ(Form().BrowserNyusatsuInfo->height(), 480);
    EXPECT_EQ(Form().BrowserGoogleMaps->height(), 456);
    EXPECT_EQ(Form().StringGrid->height(), 456);
    EXPECT_EQ(Form().StringGrid->width(), 1121);
    EXPECT_EQ(Form().PageControl->height(), Form().height());
}

// Every refill rewrites the grid from the rows: a refill in the same order gives the same cells,
// and after a refill with fewer rows no text of the longer fill stays behind the last row.
TEST_F(ResultsTest, RefillsGiveTheSameCellsAndLeaveNothingBelow) {
    const auto cells = [&] {
        std::vector<std::vector<std::string>> rows;
        for (int row = 0; row < Form().StringGrid->RowCount() + 3; ++row) {
            std::vector<std::string> texts;
            for (int col = 0; col < 15; ++col) {
                texts.push_back(Cell(col, row));
            }
            rows.push_back(texts);
        }
        return rows;
    };
    const auto bySum = cells();
    ASSERT_EQ(Form().StringGrid->RowCount(), 6);
    Form().RadioGroupSort->SetItemIndex(1);
    const auto byDistance = cells();
    EXPECT_NE(byDistance, bySum);
    Form().RadioGroupSort->SetItemIndex(0);
    EXPECT_EQ(cells(), bySum);
    Form().RadioGroupSort->SetItemIndex(1);
    EXPECT_EQ(cells(), byDistance);

    Form().PageControl->SetActivePageIndex(0);
    Calculate("25000", "68000"); // three sites within the limit
    const int rows = Form().StringGrid->RowCount();
    ASSERT_EQ(rows, 4);
    for (int row = rows; row < 8; ++row) {
        for (int col = 0; col < 15; ++col) {
            EXPECT_EQ(Cell(col, row), "") << col << "," << row;
        }
    }
}

TEST_F(ResultsTest, NoSequenceOfClicksBreaksTheWindow) {
    // Handlers in an order no user would choose: each either works or warns.
    const std::vector<std::function<void()>> actions = {
        [&] { Form().RadioGroupSort->SetItemIndex(1); },
        [&] { Form().ClearResultGrid(); },
        [&] { PressInGrid(Qt::Key_Return); },
        [&] { Form().RadioGroupSort->SetItemIndex(0); },
        [&] { Form().StringGrid->DblClick(); },
        [&] { TypeIntoCell(9, 1, "12"); },
        [&] { PressInGrid(Qt::Key_Backspace); },
        [&] { Calculate(); },
        [&] { Form().RadioButtonBugakari->click(); },
        [&] { PressInGrid(Qt::Key_Return); },
        [&] { Calculate("", ""); },
        [&] { Form().RadioGroupSort->SetItemIndex(1); },
        [&] { Form().RadioButtonSP->click(); },
        [&] { Choose(Form().ComboBoxSyubetsu, 3); },
        [&] { Calculate(); },
        [&] { Form().SelectedRow = 40; },
        [&] { PressInGrid(Qt::Key_Return); },
        [&] { Click(Form().ButtonToMain); },
        [&] { Calculate("x", "y"); },
        [&] { Form().ComboBoxArea->SetItemIndex(-1); },
        [&] { Calculate(); },
        [&] { Click(Form().ButtonAreaSave); },
        [&] { Form().ComboBoxArea->SetItemIndex(3); },
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& action : actions) {
            action();
        }
    }
    Calculate();
    EXPECT_EQ(Column(1).size(), 5u);
}

} // namespace

namespace {

TEST_F(MainFormTest, OnlyTheDistanceAndFeeCellsTakeAnEditorFromTheStartOn) {
    Start();
    EXPECT_FALSE(Form().StringGrid->HasOption(TStringGrid::goEditing));
    Calculate();
    EXPECT_EQ(Form().StringGrid->Col(), 0);
    EXPECT_FALSE(Form().StringGrid->EditorVisible());
    Type(Form().StringGrid, "5");
    EXPECT_EQ(Cell(0, 1), "1") << "the line number is not typed over";
}

} // namespace
