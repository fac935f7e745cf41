#include "ResultGridPainter.h"

#include "platform/qt/DrawText.h"
#include "platform/qt/QtText.h"

#include <array>

namespace resultgrid {

namespace {

const QColor kLime(0, 255, 0);
const QColor kLightPink(255, 197, 255);
const QColor kPaleCyan(217, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kOrange(255, 200, 40);
const QColor kYellow(255, 255, 0);

bool IsEditableColumn(int col) {
    return col == 3 || col == 9;
}

void DrawCellText(QPainter& canvas, const TStringGrid& grid, int col, int row, const QRect& rect) {
    DrawText(canvas, ToQString(grid.Cell(col, row)), rect, dt::SINGLELINE | dt::VCENTER);
}

} // namespace

const AnsiString& HeaderText(int col) {
    static const std::array<AnsiString, kColumnCount> headers = {
        AnsiString(""),
        u8"名称"_sj,
        u8"直接\r\n参考\r\n距離"_sj,
        u8"運搬\r\n距離"_sj,
        u8"確定\r\n距離"_sj,
        u8"方向"_sj,
        u8"処分費"_sj,
        u8"単位"_sj,
        u8"出典"_sj,
        u8"処分費\r\n手入力"_sj,
        u8"確定\r\n処分費"_sj,
        u8"運搬費"_sj,
        u8"合計"_sj,
        u8"順位"_sj,
        u8"運搬費が\r\n変更となる\r\n距離"_sj,
    };
    static const AnsiString none;
    return col >= 0 && col < kColumnCount ? headers[static_cast<std::size_t>(col)] : none;
}

QColor ColumnColour(int col) {
    if (IsEditableColumn(col)) {
        return kLime;
    }
    if (col == kRankColumn) {
        return kLightPink;
    }
    return kPaleCyan;
}

std::optional<QColor> RankColour(const AnsiString& rankText) {
    if (rankText == AnsiString("1")) {
        return kRed;
    }
    if (rankText == AnsiString("2")) {
        return kOrange;
    }
    if (rankText == AnsiString("3")) {
        return kYellow;
    }
    return std::nullopt;
}

void DrawCell(const TStringGrid& grid, int col, int row, const QRect& rect, QPainter& canvas) {
    // Data rows start in their column's colour; the fixed row keeps the grid's own colour.
    const QColor base = row > 0 ? ColumnColour(col) : grid.palette().button().color();
    canvas.fillRect(rect, base);
    DrawCellText(canvas, grid, col, row, rect);
    if (row > 0 && row == grid.Row()) {
        canvas.fillRect(rect, grid.palette().highlight());
        DrawCellText(canvas, grid, col, row, rect);
    } else if (row > 0 && !IsEditableColumn(col) && col != kRankColumn) {
        if (const auto rank = RankColour(grid.Cell(kRankColumn, row))) {
            canvas.fillRect(rect, *rank);
            DrawCellText(canvas, grid, col, row, rect);
        }
    }
    if (row == 0) {
        QRect text = rect;
        text.setTop(rect.top() + 4);
        text.setBottom(rect.bottom() + 2 * grid.RowHeight(1));
        DrawText(canvas, ToQString(HeaderText(col)), text, dt::EDITCONTROL | dt::CENTER);
    }
}

} // namespace resultgrid
