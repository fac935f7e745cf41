#pragma once

#include "platform/AnsiString.h"
#include "platform/qt/TStringGrid.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <optional>

// How the result grid paints its cells: background colours by column, the current row marked
// over the rank colours, and the three-line headers over the fixed row.
namespace resultgrid {

constexpr int kColumnCount = 15;
constexpr int kRankColumn = 13;

// Header text of a column ("\r\n" between lines); they are painted, never stored in the cells.
const AnsiString& HeaderText(int col);

// Background of a data cell by its column: the editable columns lime, the rank column light
// pink, every other pale cyan.
QColor ColumnColour(int col);

// Colour that marks ranks 1 to 3 (red, orange, yellow); none for any other rank text.
std::optional<QColor> RankColour(const AnsiString& rankText);

// The grid's owner drawing of one cell: the column colour, then the highlight over the whole
// current row, or else the rank colour of the row on every column but the editable and rank
// columns; the cell text drawn as one line, vertically centred; the headers over row 0.
void DrawCell(const TStringGrid& grid, int col, int row, const QRect& rect, QPainter& canvas);

} // namespace resultgrid
