#pragma once

#include "platform/AnsiString.h"
#include "platform/qt/KeyChar.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QPainter>

#include <functional>
#include <vector>

// A grid of text cells as the class library's string grid: fixed rows at the top that do not
// scroll, a current cell, an in-place editor, owner drawing after the grid's own drawing, and
// the events OnSelectCell (before the current cell moves, may refuse), OnKeyPress (every typed
// character, from the grid and from its editor, before either takes it), OnDblClick and
// OnDrawCell. Cells are kept for every row ever written, also beyond RowCount: texts survive a
// reduction of RowCount and show again when it grows, and rows can be written before RowCount
// is raised to show them.
class TStringGrid : public QAbstractScrollArea {
public:
    enum Option : unsigned {
        goEditing = 0x1,
        goAlwaysShowEditor = 0x2,
        goColSizing = 0x4,
    };

    struct DrawState {
        bool selected = false; // the current cell
        bool focused = false;  // the current cell while the grid or its editor has the focus
        bool fixed = false;    // a cell of a fixed row
    };

    using DrawCellHandler =
        std::function<void(int col, int row, const QRect& rect, QPainter& canvas, DrawState)>;

    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);

    int DefaultRowHeight() const { return defaultRowHeight_; }
    // Sets every row to the height, as the class library does.
    void SetDefaultRowHeight(int height);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // Cell text of any row (also beyond RowCount); columns outside the grid read as empty and
    // are not written.
    AnsiString Cell(int col, int row) const;
    void SetCell(int col, int row, const AnsiString& text);
    // Empties the cells of rows first to last in every column (as SetCell with "" for each
    // would, in one go); rows beyond the stored ones are left alone.
    void EmptyRows(int first, int last);

    int Col() const { return col_; }
    int Row() const { return row_; }
    // Moves the current cell from code; OnSelectCell runs first when the cell changes.
    void SetCol(int col);
    void SetRow(int row);

    bool HasOption(Option option) const { return (options_ & option) != 0; }
    void SetOption(Option option, bool on);

    // First scrolling row shown below the fixed rows.
    int TopRow() const { return topRow_; }
    // The cell's rectangle on the grid's viewport (empty when the cell is not shown).
    QRect CellRect(int col, int row) const;

    QLineEdit* InplaceEditor() const;
    bool EditorVisible() const;

    DrawCellHandler OnDrawCell;
    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
    KeyPressHandler OnKeyPress;
    std::function<void()> OnDblClick;

    // Runs OnKeyPress for a character as a typed key does; returns the character that remains
    // (0 when the handler dropped it).
    char KeyPress(char key);
    // Runs OnDblClick as a double-click does.
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    class Editor;
    friend class Editor;

    bool MoveCurrent(int col, int row);
    // Handles a navigation key; false when the key is not one.
    bool NavigationKey(QKeyEvent* event);
    void ClampInView(int row);
    int MaxTopRow() const;
    int ColLeft(int col) const;
    // Top of a row on the viewport; -1 for a row scrolled out above. For a row below the
    // viewport some value greater than the viewport's height.
    int RowTop(int row) const;
    bool CellAt(const QPoint& point, int& col, int& row) const;
    int ColumnBorderAt(const QPoint& point) const;
    void DefaultDrawCell(QPainter& painter, int col, int row, const QRect& rect, DrawState state);
    void UpdateScrollBars();
    void UpdateEditor();
    void EnsureStorage(int rows);

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedRows_ = 1;
    int defaultRowHeight_ = 24;
    int defaultColWidth_ = 64;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    std::vector<std::vector<AnsiString>> cells_;
    int col_ = 0;
    int row_ = 1;
    int topRow_ = 1;
    unsigned options_ = goColSizing;
    Editor* editor_ = nullptr;
    bool typingEditor_ = false;
    int sizingCol_ = -1;
    int sizingStartX_ = 0;
    int sizingStartWidth_ = 0;
};
