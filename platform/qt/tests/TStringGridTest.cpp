#include "platform/qt/TStringGrid.h"
#include "platform/qt/DrawText.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

class TStringGridTest : public testing::Test {
protected:
    void SetUp() override {
        grid = std::make_unique<TStringGrid>();
        grid->SetColCount(4);
        grid->SetRowCount(2);
        grid->SetDefaultRowHeight(16);
        grid->SetRowHeight(0, 30);
        grid->resize(400, 300);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    }

    std::unique_ptr<TStringGrid> grid;
};

TEST_F(TStringGridTest, CellsSurviveShrinkingAndShowAgainWhenTheGridGrows) {
    grid->SetRowCount(4);
    grid->SetCell(1, 3, "kept");
    grid->SetRowCount(2);
    grid->SetCell(2, 3, "written beyond");
    grid->SetCell(15, 1, "no such column");
    grid->SetRowCount(4);
    EXPECT_EQ(grid->Cell(1, 3), AnsiString("kept"));
    EXPECT_EQ(grid->Cell(2, 3), AnsiString("written beyond"));
    EXPECT_EQ(grid->Cell(15, 1), AnsiString());
    EXPECT_EQ(grid->RowHeight(0), 30);
    EXPECT_EQ(grid->RowHeight(3), 16);
}

TEST_F(TStringGridTest, SelectCellRunsBeforeEachMoveAndMayRefuseIt) {
    grid->SetRowCount(5);
    std::vector<std::pair<int, int>> asked;
    bool allow = true;
    grid->OnSelectCell = [&](int col, int row, bool& canSelect) {
        asked.emplace_back(col, row);
        canSelect = allow;
    };
    EXPECT_EQ(grid->Row(), 1);
    grid->SetRow(3);
    grid->SetRow(3);
    EXPECT_EQ(grid->Row(), 3);
    allow = false;
    grid->SetCol(2);
    EXPECT_EQ(grid->Col(), 0);
    allow = true;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(2, 2).center());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(2, 0).center());
    EXPECT_EQ(grid->Row(), 2) << "a fixed row is never current";
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{0, 3}, {2, 3}, {2, 2}}));
    grid->SetRowCount(2);
    EXPECT_EQ(grid->Row(), 1) << "shrinking moves the current row onto the grid";
}

TEST_F(TStringGridTest, EditorKeysPassKeyPressFirstAndWriteTheCell) {
    grid->SetOption(TStringGrid::goEditing, true);
    grid->SetOption(TStringGrid::goAlwaysShowEditor, true);
    grid->SetCell(1, 1, "7");
    grid->SetCol(1);
    ASSERT_TRUE(grid->EditorVisible());
    QLineEdit* editor = grid->InplaceEditor();
    EXPECT_EQ(editor->text(), QStringLiteral("7"));
    std::string seen;
    grid->OnKeyPress = [&](char& key) {
        seen += key;
        if (key == 'x') {
            key = 0;
        }
        if (key == '\b' && grid->Cell(1, 1).Length() == 1) {
            grid->SetCell(1, 1, "0");
            key = 0;
        }
    };
    editor->setFocus();
    editor->end(false);
    QTest::keyClicks(editor, "5x");
    EXPECT_EQ(grid->Cell(1, 1), AnsiString("75"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(grid->Cell(1, 1), AnsiString("7"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(grid->Cell(1, 1), AnsiString("0"));
    EXPECT_EQ(editor->text(), QStringLiteral("0")) << "a cell set from code shows in its editor";
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->selectedText(), QStringLiteral("0"));
    EXPECT_EQ(seen, std::string("5x\b\b\r"));

    grid->SetOption(TStringGrid::goEditing, false);
    EXPECT_FALSE(grid->EditorVisible());
}

TEST_F(TStringGridTest, TypingIntoTheGridItselfRunsKeyPress) {
    std::string seen;
    grid->OnKeyPress = [&](char& key) {
        seen += key;
        key = 0;
    };
    grid->setFocus();
    QTest::keyClicks(grid.get(), "1.");
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_EQ(seen, std::string("1.\r"));
    EXPECT_EQ(grid->Cell(0, 1), AnsiString());
}

// Only a typed character starts editing the current cell with it; Backspace, Enter and their
// Ctrl forms (DEL and line feed) leave the cell as it is.
TEST_F(TStringGridTest, ControlKeysDoNotStartEditingTheCell) {
    grid->SetOption(TStringGrid::goEditing, true);
    grid->SetCell(1, 1, "7");
    grid->SetCol(1);
    std::string seen;
    grid->OnKeyPress = [&](char& key) { seen += key; };
    grid->setFocus();
    ASSERT_FALSE(grid->EditorVisible());
    QTest::keyClick(grid.get(), Qt::Key_Backspace);
    QTest::keyClick(grid.get(), Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(grid.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(seen, std::string("\b\x7f\n"));
    EXPECT_EQ(grid->Cell(1, 1), AnsiString("7"));
    EXPECT_FALSE(grid->EditorVisible());
    QTest::keyClicks(grid.get(), "3");
    EXPECT_EQ(grid->Cell(1, 1), AnsiString("3"));
}

TEST_F(TStringGridTest, DoubleClickOnGridOrEditorRunsDblClick) {
    int clicks = 0;
    grid->OnDblClick = [&] { ++clicks; };
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(0, 1).center());
    grid->SetOption(TStringGrid::goEditing, true);
    grid->SetOption(TStringGrid::goAlwaysShowEditor, true);
    QTest::mouseDClick(grid->InplaceEditor(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks, 2);
}

TEST_F(TStringGridTest, OwnerDrawingFollowsTheDefaultDrawingOfEveryShownCell) {
    grid->SetCell(2, 1, "x");
    std::vector<std::tuple<int, int, bool, bool>> drawn;
    grid->OnDrawCell = [&](int col, int row, const QRect& rect, QPainter& canvas,
                           TStringGrid::DrawState state) {
        drawn.emplace_back(col, row, state.fixed, state.selected);
        if (col == 2 && row == 1) {
            canvas.fillRect(rect, QColor(255, 0, 0));
        }
    };
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    grid->viewport()->render(&image);
    EXPECT_EQ(drawn.size(), 8u);
    EXPECT_TRUE(
        (std::find(drawn.begin(), drawn.end(), std::make_tuple(0, 1, false, true)) != drawn.end()));
    EXPECT_TRUE(
        (std::find(drawn.begin(), drawn.end(), std::make_tuple(3, 0, true, false)) != drawn.end()));
    EXPECT_EQ(image.pixelColor(grid->CellRect(2, 1).center()), QColor(255, 0, 0));
}

TEST_F(TStringGridTest, FixedRowStaysWhileRowsScroll) {
    grid->SetRowCount(100);
    grid->SetRow(99);
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_EQ(grid->CellRect(0, 0).top(), 0);
    EXPECT_FALSE(grid->CellRect(0, 99).isEmpty());
    EXPECT_TRUE(grid->CellRect(0, 1).isEmpty());
    EXPECT_LE(grid->CellRect(0, 99).bottom(), grid->viewport()->height());
}

TEST_F(TStringGridTest, EmptyRowsEmptiesTheRowsAskedAlsoBeyondTheRowCount) {
    grid->SetRowCount(6);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 4; ++col) {
            grid->SetCell(col, row, "x");
        }
    }
    grid->SetOption(TStringGrid::goEditing, true);
    grid->SetOption(TStringGrid::goAlwaysShowEditor, true);
    grid->SetCol(2);
    grid->SetRow(3);
    ASSERT_TRUE(grid->EditorVisible());
    grid->SetRowCount(4); // rows 4 and 5 are kept beyond the count
    grid->EmptyRows(2, 4);
    grid->SetRowCount(6);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool emptied = row >= 2 && row <= 4;
            EXPECT_EQ(grid->Cell(col, row), AnsiString(emptied ? "" : "x")) << col << "," << row;
        }
    }
    EXPECT_EQ(grid->InplaceEditor()->text(), QString()) << "the editor shows its cell emptied";
    grid->EmptyRows(5, 40); // rows never stored are no error
    EXPECT_EQ(grid->Cell(0, 5), AnsiString());
}

TEST_F(TStringGridTest, ColumnsAddedLaterHoldEmptyCellsInEveryStoredRow) {
    grid->SetRowCount(5);
    grid->SetCell(3, 4, "last");
    grid->SetRowCount(2);
    grid->SetColCount(2);
    grid->SetCell(1, 3, "narrow");
    grid->SetColCount(6); // rows 2 to 4 are stored beyond the row count
    grid->SetCell(5, 4, "wide");
    grid->SetRowCount(5);
    EXPECT_EQ(grid->Cell(3, 4), AnsiString("last"))
        << "a column taken away and back keeps its text";
    EXPECT_EQ(grid->Cell(1, 3), AnsiString("narrow"));
    EXPECT_EQ(grid->Cell(5, 4), AnsiString("wide"));
    EXPECT_EQ(grid->Cell(5, 2), AnsiString());
    grid->SetCell(4, 60, "far"); // rows stored on the way have every column too
    EXPECT_EQ(grid->Cell(4, 60), AnsiString("far"));
    EXPECT_EQ(grid->Cell(5, 59), AnsiString());
}

// Far down a long grid only the rows in view are drawn and hit, right under the fixed row.
TEST_F(TStringGridTest, ScrolledFarDownOnlyTheRowsInViewAreDrawnAndHit) {
    grid->SetRowCount(5000);
    grid->SetRow(4000);
    const int top = grid->TopRow();
    ASSERT_GT(top, 3900);
    EXPECT_EQ(grid->CellRect(0, top).top(), 31) << "below the fixed row and its grid line";
    EXPECT_TRUE(grid->CellRect(0, top - 1).isEmpty());
    EXPECT_TRUE(grid->CellRect(0, 4999).isEmpty());
    EXPECT_FALSE(grid->CellRect(0, 4000).isEmpty());
    std::set<int> drawnRows;
    grid->OnDrawCell = [&](int, int row, const QRect&, QPainter&, TStringGrid::DrawState) {
        drawnRows.insert(row);
    };
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    grid->viewport()->render(&image);
    ASSERT_FALSE(drawnRows.empty());
    EXPECT_EQ(*drawnRows.begin(), 0);
    EXPECT_EQ(*std::next(drawnRows.begin()), top);
    EXPECT_EQ(*drawnRows.rbegin() - top + 2, static_cast<int>(drawnRows.size()))
        << "the fixed row and rows from the top row on, without gaps";
    EXPECT_GE(*drawnRows.rbegin(), 4000);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, top + 2).center());
    EXPECT_EQ(grid->Row(), top + 2);
    EXPECT_EQ(grid->Col(), 1);
}

TEST(DrawTextTest, LinesStartAtTheTopAndCentreEachOnItsOwn) {
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    DrawText(painter, QStringLiteral("I\r\nWWWW"), QRect(0, 4, 100, 56),
             dt::EDITCONTROL | dt::CENTER);
    painter.end();
    // The rows and columns that hold ink, per line.
    auto inkColumns = [&](int top, int bottom) {
        int left = image.width();
        int right = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return std::make_pair(left, right);
    };
    const int step = DrawTextLineStep(font);
    const auto first = inkColumns(4, 4 + step);
    const auto second = inkColumns(4 + step, 4 + 2 * step);
    ASSERT_GE(first.second, 0);
    ASSERT_GE(second.second, 0);
    EXPECT_NEAR((first.first + first.second) / 2.0, 50, 3);
    EXPECT_NEAR((second.first + second.second) / 2.0, 50, 3);
    EXPECT_LT(second.first, first.first);
    EXPECT_EQ(inkColumns(0, 4).second, -1) << "nothing above the rectangle";
}

} // namespace
