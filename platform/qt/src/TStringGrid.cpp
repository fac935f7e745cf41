#include "platform/qt/TStringGrid.h"

#include "platform/qt/DrawText.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kGridLine = 1;
constexpr int kSizingMargin = 3;

} // namespace

// The in-place editor: typed characters pass the grid's OnKeyPress first, vertical movement
// keys move the grid's current cell, and every change of its text is the cell's text at once.
class TStringGrid::Editor : public QLineEdit {
public:
    explicit Editor(TStringGrid* grid) : QLineEdit(grid->viewport()), grid_(grid) {
        setFrame(false);
        hide();
        connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (col >= 0 && row >= 0) {
                grid_->EnsureStorage(row + 1);
                grid_->cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] =
                    FromQString(text);
            }
        });
    }

    // The cell the editor shows; -1 while it shows none.
    int col = -1;
    int row = -1;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            grid_->NavigationKey(event);
            return;
        default:
            break;
        }
        if (const auto key = KeyCharOf(*event)) {
            const char remaining = grid_->KeyPress(*key);
            if (remaining == 0 || remaining == '\x1b') {
                event->accept();
                return;
            }
            if (remaining == '\r') {
                // Enter keeps the text and selects it whole, as the class library's editor does.
                selectAll();
                event->accept();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    }
    void inputMethodEvent(QInputMethodEvent* event) override {
        if (event->commitString().isEmpty()) {
            QLineEdit::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent filtered(event->preeditString(), event->attributes());
        filtered.setCommitString(
            FilterCommittedText([this](char& key) { key = grid_->KeyPress(key); },
                                event->commitString()),
            event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&filtered);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QLineEdit::mouseDoubleClickEvent(event);
        grid_->DblClick();
    }

private:
    TStringGrid* grid_;
};

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
    rowHeights_.assign(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
    EnsureStorage(rowCount_);
    editor_ = new Editor(this);
    UpdateScrollBars();
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::EnsureStorage(int rows) {
    // Stored rows have a cell for every column already (SetColCount widens them), so only the
    // new rows are made.
    if (static_cast<int>(cells_.size()) < rows) {
        cells_.resize(static_cast<std::size_t>(rows),
                      std::vector<AnsiString>(static_cast<std::size_t>(colCount_)));
    }
    if (static_cast<int>(rowHeights_.size()) < rows) {
        rowHeights_.resize(static_cast<std::size_t>(rows), defaultRowHeight_);
    }
}

void TStringGrid::SetColCount(int count) {
    colCount_ = std::max(1, count);
    colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
    for (auto& line : cells_) {
        if (static_cast<int>(line.size()) < colCount_) {
            line.resize(static_cast<std::size_t>(colCount_));
        }
    }
    EnsureStorage(rowCount_);
    if (col_ >= colCount_) {
        col_ = colCount_ - 1;
    }
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::SetRowCount(int count) {
    rowCount_ = std::max(fixedRows_ + 1, count);
    EnsureStorage(rowCount_);
    if (row_ >= rowCount_) {
        row_ = rowCount_ - 1;
    }
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::SetFixedRows(int count) {
    fixedRows_ = std::clamp(count, 0, rowCount_ - 1);
    row_ = std::max(row_, fixedRows_);
    topRow_ = std::max(topRow_, fixedRows_);
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(1, height);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

int TStringGrid::RowHeight(int row) const {
    if (row < 0 || row >= static_cast<int>(rowHeights_.size())) {
        return defaultRowHeight_;
    }
    return rowHeights_[static_cast<std::size_t>(row)];
}

void TStringGrid::SetRowHeight(int row, int height) {
    if (row < 0) {
        return;
    }
    EnsureStorage(row + 1);
    rowHeights_[static_cast<std::size_t>(row)] = std::max(0, height);
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

int TStringGrid::ColWidth(int col) const {
    if (col < 0 || col >= colCount_) {
        return defaultColWidth_;
    }
    return colWidths_[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= colCount_) {
        return;
    }
    colWidths_[static_cast<std::size_t>(col)] = std::max(0, width);
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

AnsiString TStringGrid::Cell(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= static_cast<int>(cells_.size())) {
        return {};
    }
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, const AnsiString& text) {
    if (col < 0 || col >= colCount_ || row < 0) {
        return;
    }
    EnsureStorage(row + 1);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    if (!editor_->isHidden() && editor_->col == col && editor_->row == row) {
        editor_->setText(ToQString(text));
    }
    const QRect rect = CellRect(col, row);
    if (!rect.isEmpty()) {
        viewport()->update(rect);
    }
}

void TStringGrid::EmptyRows(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(cells_.size()) - 1);
    if (first > last) {
        return;
    }
    for (int row = first; row <= last; ++row) {
        std::vector<AnsiString>& line = cells_[static_cast<std::size_t>(row)];
        std::fill(line.begin(), line.begin() + colCount_, AnsiString());
    }
    if (!editor_->isHidden() && editor_->row >= first && editor_->row <= last &&
        editor_->col >= 0 && editor_->col < colCount_) {
        editor_->setText(QString());
    }
    viewport()->update();
}

void TStringGrid::SetCol(int col) {
    if (col != col_) {
        MoveCurrent(col, row_);
    }
}

void TStringGrid::SetRow(int row) {
    if (row != row_) {
        MoveCurrent(col_, row);
    }
}

void TStringGrid::SetOption(Option option, bool on) {
    const unsigned before = options_;
    options_ = on ? (options_ | option) : (options_ & ~static_cast<unsigned>(option));
    if (options_ != before) {
        if (!HasOption(goEditing)) {
            typingEditor_ = false;
        }
        UpdateEditor();
    }
}

QLineEdit* TStringGrid::InplaceEditor() const {
    return editor_;
}

bool TStringGrid::EditorVisible() const {
    return !editor_->isHidden();
}

char TStringGrid::KeyPress(char key) {
    if (OnKeyPress) {
        OnKeyPress(key);
    }
    return key;
}

void TStringGrid::DblClick() {
    if (OnDblClick) {
        OnDblClick();
    }
}

bool TStringGrid::MoveCurrent(int col, int row) {
    if (col < 0 || col >= colCount_ || row < fixedRows_ || row >= rowCount_) {
        return false;
    }
    bool canSelect = true;
    if (OnSelectCell) {
        OnSelectCell(col, row, canSelect);
    }
    if (!canSelect) {
        return false;
    }
    const QRect before = CellRect(col_, row_);
    col_ = col;
    row_ = row;
    typingEditor_ = false;
    ClampInView(row_);
    viewport()->update(before);
    viewport()->update(CellRect(col_, row_));
    UpdateEditor();
    if (!editor_->isHidden()) {
        editor_->selectAll();
    }
    return true;
}

int TStringGrid::ColLeft(int col) const {
    int x = 0;
    for (int c = 0; c < col && c < colCount_; ++c) {
        x += ColWidth(c) + kGridLine;
    }
    return x - horizontalScrollBar()->value();
}

int TStringGrid::RowTop(int row) const {
    int y = 0;
    for (int r = 0; r < fixedRows_ && r < row; ++r) {
        y += RowHeight(r) + kGridLine;
    }
    if (row < fixedRows_) {
        return y;
    }
    if (row < topRow_) {
        return -1;
    }
    // Below the viewport the exact position does not matter to any caller: the sum stops there,
    // and a row further down than the viewport has pixels (each row takes its grid line at
    // least) is below it without summing.
    const int bottom = viewport()->height();
    if (row - topRow_ > bottom) {
        return y + (row - topRow_);
    }
    for (int r = topRow_; r < row && y <= bottom; ++r) {
        y += RowHeight(r) + kGridLine;
    }
    return y;
}

QRect TStringGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
        return {};
    }
    const int top = RowTop(row);
    if (top < 0 || top >= viewport()->height()) {
        return {};
    }
    return QRect(ColLeft(col), top, ColWidth(col), RowHeight(row));
}

int TStringGrid::MaxTopRow() const {
    int fixedHeight = 0;
    for (int r = 0; r < fixedRows_; ++r) {
        fixedHeight += RowHeight(r) + kGridLine;
    }
    const int available = viewport()->height() - fixedHeight;
    int used = 0;
    int top = rowCount_;
    while (top - 1 >= fixedRows_ && used + RowHeight(top - 1) + kGridLine <= available) {
        used += RowHeight(top - 1) + kGridLine;
        --top;
    }
    return std::clamp(top, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
}

void TStringGrid::ClampInView(int row) {
    if (row < fixedRows_) {
        return;
    }
    if (row < topRow_) {
        topRow_ = row;
    } else {
        while (topRow_ < row) {
            const int top = RowTop(row);
            if (top >= 0 && top + RowHeight(row) <= viewport()->height()) {
                break;
            }
            ++topRow_;
        }
    }
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
    UpdateScrollBars();
}

void TStringGrid::UpdateScrollBars() {
    const int maxTop = MaxTopRow();
    QScrollBar* vertical = verticalScrollBar();
    const QSignalBlocker blockVertical(vertical);
    vertical->setRange(0, std::max(0, maxTop - fixedRows_));
    vertical->setPageStep(std::max(1, viewport()->height() / std::max(1, defaultRowHeight_)));
    vertical->setValue(topRow_ - fixedRows_);
    int width = 0;
    for (int c = 0; c < colCount_; ++c) {
        width += ColWidth(c) + kGridLine;
    }
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, width - viewport()->width()));
    horizontal->setPageStep(std::max(1, viewport()->width()));
}

void TStringGrid::UpdateEditor() {
    const bool wanted = HasOption(goEditing) && (HasOption(goAlwaysShowEditor) || typingEditor_) &&
                        row_ >= fixedRows_ && row_ < rowCount_;
    const QRect rect = CellRect(col_, row_);
    if (!wanted || rect.isEmpty()) {
        const bool hadFocus = editor_->hasFocus();
        editor_->hide();
        editor_->col = -1;
        editor_->row = -1;
        if (hadFocus) {
            setFocus();
        }
        return;
    }
    if (editor_->col != col_ || editor_->row != row_ || editor_->isHidden()) {
        editor_->col = col_;
        editor_->row = row_;
        editor_->setText(ToQString(Cell(col_, row_)));
    }
    editor_->setFont(font());
    editor_->setGeometry(rect);
    const bool gridHadFocus = hasFocus();
    editor_->show();
    if (gridHadFocus) {
        editor_->setFocus();
    }
}

bool TStringGrid::CellAt(const QPoint& point, int& col, int& row) const {
    col = -1;
    row = -1;
    for (int c = 0; c < colCount_; ++c) {
        const int left = ColLeft(c);
        if (point.x() >= left && point.x() < left + ColWidth(c) + kGridLine) {
            col = c;
            break;
        }
    }
    int y = 0;
    for (int r = 0; r < rowCount_; ++r) {
        if (r >= fixedRows_ && r < topRow_) {
            r = topRow_ - 1; // the rows scrolled out of view
            continue;
        }
        const int height = RowHeight(r) + kGridLine;
        if (point.y() >= y && point.y() < y + height) {
            row = r;
            break;
        }
        y += height;
    }
    return col >= 0 && row >= 0;
}

int TStringGrid::ColumnBorderAt(const QPoint& point) const {
    if (!HasOption(goColSizing)) {
        return -1;
    }
    int fixedHeight = 0;
    for (int r = 0; r < fixedRows_; ++r) {
        fixedHeight += RowHeight(r) + kGridLine;
    }
    if (point.y() >= fixedHeight) {
        return -1;
    }
    for (int c = 0; c < colCount_; ++c) {
        const int border = ColLeft(c) + ColWidth(c);
        if (std::abs(point.x() - border) <= kSizingMargin) {
            return c;
        }
    }
    return -1;
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (const int border = ColumnBorderAt(point); border >= 0) {
        sizingCol_ = border;
        sizingStartX_ = point.x();
        sizingStartWidth_ = ColWidth(border);
        return;
    }
    int col = 0;
    int row = 0;
    if (CellAt(point, col, row) && row >= fixedRows_ && (col != col_ || row != row_)) {
        MoveCurrent(col, row);
    }
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (sizingCol_ >= 0) {
        SetColWidth(sizingCol_, std::max(1, sizingStartWidth_ + point.x() - sizingStartX_));
        return;
    }
    viewport()->setCursor(ColumnBorderAt(point) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent*) {
    sizingCol_ = -1;
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && sizingCol_ < 0) {
        DblClick();
    }
}

bool TStringGrid::NavigationKey(QKeyEvent* event) {
    const int page = std::max(1, viewport()->height() / std::max(1, defaultRowHeight_ + 1) - 1);
    int col = col_;
    int row = row_;
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        col = 0;
        break;
    case Qt::Key_End:
        col = colCount_ - 1;
        break;
    default:
        return false;
    }
    col = std::clamp(col, 0, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    if (col != col_ || row != row_) {
        MoveCurrent(col, row);
    }
    event->accept();
    return true;
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    if (NavigationKey(event)) {
        return;
    }
    const auto key = KeyCharOf(*event);
    if (!key) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const char remaining = KeyPress(*key);
    event->accept();
    if (remaining == 0 || !HasOption(goEditing) || static_cast<unsigned char>(remaining) < 0x20 ||
        remaining == '\x7f') {
        return;
    }
    // A typed character (not a control character such as Ctrl+Backspace's DEL) starts editing
    // the current cell with that character.
    typingEditor_ = true;
    UpdateEditor();
    if (!editor_->isHidden()) {
        editor_->setFocus();
        editor_->setText(event->text());
        SetCell(col_, row_, FromQString(event->text()));
    }
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (!editor_->isHidden()) {
        editor_->setFocus();
    }
    viewport()->update();
}

void TStringGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    UpdateScrollBars();
    UpdateEditor();
}

void TStringGrid::scrollContentsBy(int, int) {
    topRow_ = std::clamp(fixedRows_ + verticalScrollBar()->value(), fixedRows_,
                         std::max(fixedRows_, rowCount_ - 1));
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::DefaultDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                                  DrawState state) {
    const QPalette& colors = palette();
    QRect text = rect.adjusted(2, 2, 0, 0);
    if (state.fixed) {
        painter.fillRect(rect, colors.button());
        painter.setPen(colors.light().color());
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(colors.buttonText().color());
    } else if (state.selected && !state.focused) {
        painter.fillRect(rect, colors.highlight());
        painter.setPen(colors.highlightedText().color());
    } else {
        painter.fillRect(rect, colors.base());
        painter.setPen(colors.text().color());
    }
    // The pen stays as set here: owner drawing that follows writes in the same colour.
    DrawText(painter, ToQString(Cell(col, row)), text, dt::LEFT);
}

void TStringGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.fillRect(event->rect(), palette().base());
    const bool focused = hasFocus() || editor_->hasFocus();
    const QColor lineColor = palette().mid().color();
    int y = 0;
    for (int r = 0; r < rowCount_ && y < viewport()->height(); ++r) {
        if (r >= fixedRows_ && r < topRow_) {
            r = topRow_ - 1; // the rows scrolled out of view
            continue;
        }
        const int height = RowHeight(r);
        int totalWidth = 0;
        for (int c = 0; c < colCount_; ++c) {
            totalWidth += ColWidth(c) + kGridLine;
        }
        painter.fillRect(QRect(ColLeft(0), y, totalWidth, height + kGridLine), lineColor);
        for (int c = 0; c < colCount_; ++c) {
            const QRect rect(ColLeft(c), y, ColWidth(c), height);
            if (!rect.intersects(event->rect())) {
                continue;
            }
            DrawState state;
            state.fixed = r < fixedRows_;
            state.selected = !state.fixed && c == col_ && r == row_;
            state.focused = state.selected && focused;
            painter.save();
            painter.setClipRect(rect);
            DefaultDrawCell(painter, c, r, rect, state);
            if (OnDrawCell) {
                OnDrawCell(c, r, rect, painter, state);
            }
            if (state.focused && editor_->isHidden()) {
                QPen dotted(palette().text().color(), 1, Qt::DotLine);
                painter.setPen(dotted);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect.adjusted(0, 0, -1, -1));
            }
            painter.restore();
        }
        y += height + kGridLine;
    }
}
