// The result grid: the two orderings with their ranks, the typed road distances and fees,
// selection, the sort selector and the heights that follow the window.
#include "ResultGridPainter.h"
#include "TMainForm.h"

#include "model/COutputDataManager.h"
#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/PriceConversion.h"

#include "platform/Conversions.h"
#include "platform/MessageBox.h"

#include <vector>

namespace {

constexpr double kDistanceLimit = 60.0;
constexpr char kBackspace = 8;
constexpr char kEnter = 13;
constexpr unsigned kWarning = mb::TOPMOST | mb::ICONWARNING;
const AnsiString kOverLimit = u8"上限値を超えています"_sj;

bool IsEditableColumn(int col) {
    return col == 3 || col == 9;
}

// The rows of the main list in its present order (the list keeps them).
std::vector<CRankingData*> RowsInOrder(CRankingList& list) {
    std::vector<CRankingData*> rows;
    list.First();
    while (!list.IsEnd()) {
        rows.push_back(list.GetCurrent());
        list.Next();
    }
    return rows;
}

// Rows the result views never show: beyond the limit in a straight line, or without distance.
bool IsHidden(const CRankingData& row) {
    return row.GetDirectDistance() > kDistanceLimit || row.GetFixedDistance() == 0;
}

} // namespace

bool TMainForm::NoResults() const {
    return StringGrid->RowCount() == 2 && StringGrid->Cell(1, 1).IsEmpty();
}

void TMainForm::WriteCommonColumns(int gridRow, const CRankingData& row) {
    TStringGrid& grid = *StringGrid;
    grid.SetCell(1, gridRow, row.GetName());
    grid.SetCell(2, gridRow, FormatFixed(row.GetDirectDistance(), 1));
    grid.SetCell(3, gridRow, FloatToStr(row.GetRouteDistance()));
    grid.SetCell(4, gridRow, FloatToStr(row.GetFixedDistance()));
    grid.SetCell(5, gridRow, row.GetDirection());
    grid.SetCell(6, gridRow, IntToStr(row.GetDisposalCost()));
    grid.SetCell(7, gridRow, row.GetUnit());
    grid.SetCell(8, gridRow, row.GetSource());
    grid.SetCell(9, gridRow, IntToStr(row.GetManualDisposalCost()));
    grid.SetCell(10, gridRow, IntToStr(row.GetFixedDisposalCost()));
    grid.SetCell(11, gridRow, IntToStr(row.GetTransportCost()));
}

void TMainForm::ShowRankingBySum() {
    const AnsiString previous = StringGrid->Cell(1, SelectedRow);
    ClearResultGrid();
    RankingList->SortByTotalCost();
    std::vector<CRankingData*> overLimit;
    std::vector<CRankingData*> noFee;
    int n = 1;
    const auto writeRanked = [&](CRankingData& row, const AnsiString& changeText) {
        StringGrid->SetCell(0, n, IntToStr(n));
        WriteCommonColumns(n, row);
        StringGrid->SetCell(12, n, IntToStr(row.GetTotalCost()));
        row.SetRank(n);
        StringGrid->SetCell(13, n, IntToStr(n));
        StringGrid->SetCell(14, n, changeText);
        ++n;
    };
    for (CRankingData* row : RowsInOrder(*RankingList)) {
        if (IsHidden(*row)) {
            continue;
        }
        if (row->GetFixedDisposalCost() == 0) {
            noFee.push_back(row);
        } else if (row->GetFixedDistance() > kDistanceLimit) {
            overLimit.push_back(row);
        } else {
            writeRanked(*row, row->GetCostChangeDistance());
        }
    }
    for (CRankingData* row : overLimit) {
        writeRanked(*row, kOverLimit);
    }
    for (CRankingData* row : noFee) {
        StringGrid->SetCell(0, n, "");
        WriteCommonColumns(n, *row);
        StringGrid->SetCell(12, n, "");
        row->SetRank(0);
        StringGrid->SetCell(13, n, "");
        StringGrid->SetCell(14, n, row->GetCostChangeDistance());
        ++n;
    }
    SortKey = "sum";
    ShowFilledRows(n, previous);
}

void TMainForm::ShowRankingByDistance() {
    const AnsiString previous = StringGrid->Cell(1, SelectedRow);
    ClearResultGrid();

    // Ranks by total cost, as the total-cost view gives them.
    RankingList->SortByTotalCost();
    int rank = 1;
    std::vector<CRankingData*> overLimit;
    for (CRankingData* row : RowsInOrder(*RankingList)) {
        if (IsHidden(*row)) {
            continue;
        }
        if (row->GetFixedDisposalCost() == 0) {
            // No rank, as in the total-cost view, also when a fee typed earlier gave it one.
            row->SetRank(0);
            continue;
        }
        if (row->GetFixedDistance() > kDistanceLimit) {
            overLimit.push_back(row);
        } else {
            row->SetRank(rank++);
        }
    }
    for (CRankingData* row : overLimit) {
        row->SetRank(rank++);
    }

    RankingList->SortByDistance();
    int n = 1;
    for (CRankingData* row : RowsInOrder(*RankingList)) {
        if (IsHidden(*row)) {
            continue;
        }
        StringGrid->SetCell(0, n, IntToStr(n));
        WriteCommonColumns(n, *row);
        StringGrid->SetCell(
            12, n, row->GetFixedDisposalCost() == 0 ? AnsiString() : IntToStr(row->GetTotalCost()));
        StringGrid->SetCell(13, n, row->GetRank() == 0 ? AnsiString() : IntToStr(row->GetRank()));
        StringGrid->SetCell(
            14, n,
            row->GetFixedDistance() > kDistanceLimit ? kOverLimit : row->GetCostChangeDistance());
        ++n;
    }
    SortKey = "distance";
    ShowFilledRows(n, previous);
}

// After a fill of rows 1 to `rows` - 1: when any row was written, the grid takes that many rows,
// the previously selected site is selected again and the result page shows.
void TMainForm::ShowFilledRows(int rows, const AnsiString& previousName) {
    if (rows == 1) {
        return;
    }
    StringGrid->SetRowCount(rows);
    SelectedRow = FindResultRow(previousName);
    StringGrid->SetRow(SelectedRow);
    PageControl->SetActivePageIndex(1);
}

void TMainForm::ShowRankingInCurrentOrder() {
    if (SortKey == AnsiString("sum")) {
        ShowRankingBySum();
    } else {
        ShowRankingByDistance();
    }
}

int TMainForm::FindResultRow(const AnsiString& name) {
    if (name.IsEmpty()) {
        return 1;
    }
    for (int row = 1; row < StringGrid->RowCount(); ++row) {
        if (StringGrid->Cell(1, row) == name) {
            return row;
        }
    }
    return 1;
}

void TMainForm::StringGridDrawCell(QObject*, int ACol, int ARow, const QRect& Rect,
                                   QPainter& Canvas) {
    resultgrid::DrawCell(*StringGrid, ACol, ARow, Rect, Canvas);
}

void TMainForm::StringGridSelectCell(QObject*, int ACol, int ARow, bool&) {
    if (!StringGrid->Cell(1, ARow).IsEmpty()) {
        SelectedRow = ARow;
    }
    StringGrid->viewport()->update();
    AllowEditingInColumn(ACol);
}

// Only the route distance and the manual disposal cost can be typed into.
void TMainForm::AllowEditingInColumn(int col) {
    const bool editable = IsEditableColumn(col);
    StringGrid->SetOption(TStringGrid::goEditing, editable);
    StringGrid->SetOption(TStringGrid::goAlwaysShowEditor, editable);
}

void TMainForm::StringGridKeyPress(QObject*, char& Key) {
    const int col = StringGrid->Col();
    if (Key == kEnter) {
        const double distance = StrToDoubleDef(StringGrid->Cell(3, SelectedRow));
        if (distance > kDistanceLimit || distance < 0.0) {
            ShowMessageBox(u8"運搬距離は0km以上60km以下を入力してください。"_sj, u8"無効な値"_sj,
                           kWarning);
            StringGrid->SetCell(3, SelectedRow, "");
            return;
        }
        CRankingData* row = RankingList->FindByName(StringGrid->Cell(1, SelectedRow));
        if (row == nullptr) {
            return;
        }
        const CRankingData before = *row;
        try {
            row->SetRouteDistance(distance);
            row->UpdateFixedDistance();
            row->SetManualDisposalCost(StrToIntDef(StringGrid->Cell(9, SelectedRow), 0));
            row->UpdateFixedDisposalCost();
            PriceRow(*row, LastCalcMode);
            row->SetTotalCost(AddPrices(row->GetTransportCost(), row->GetFixedDisposalCost()));
        } catch (...) {
            // Typed values that cannot be priced (a fee whose total has no 32-bit value) leave
            // the row as it was; the error goes on to the error display.
            *row = before;
            throw;
        }
        ShowRankingInCurrentOrder();
        return;
    }
    const AnsiString cell = StringGrid->Cell(col, SelectedRow);
    if (Key == kBackspace) {
        if (cell.Length() == 1) {
            StringGrid->SetCell(col, SelectedRow, "0");
            Key = 0;
        }
        return;
    }
    if (Key >= '0' && Key <= '9') {
        return;
    }
    if (Key == '.' && !cell.Contains(".") && !cell.IsEmpty()) {
        return;
    }
    Key = 0;
}

void TMainForm::RadioGroupSortClick(QObject*) {
    if (NoResults()) {
        ShowMessageBox(u8"並び替えるデータがありません。\r\n先に計算を実行してください。"_sj,
                       u8"無効な処理"_sj, kWarning);
        PageControl->SetActivePageIndex(0);
        return;
    }
    switch (RadioGroupSort->ItemIndex()) {
    case 0:
        ShowRankingBySum();
        break;
    case 1:
        ShowRankingByDistance();
        break;
    default:
        break;
    }
}

void TMainForm::StringGridDblClick(QObject*) {
    SelectedRow = StringGrid->Row();
    if (SelectedRow != 0 && !IsEditableColumn(StringGrid->Col())) {
        ButtonSendLaLo->Click();
    }
}

void TMainForm::ButtonToMainClick(QObject*) {
    PageControl->SetActivePageIndex(0);
}

void TMainForm::FormResize(QObject*) {
    const int height = OuterHeight();
    BrowserNyusatsuInfo->resize(BrowserNyusatsuInfo->width(), height - 120);
    BrowserGoogleMaps->resize(BrowserGoogleMaps->width(), height - 144);
    StringGrid->resize(StringGrid->width(), height - 144);
}
