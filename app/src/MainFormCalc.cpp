// The calculation run of [計算実行]: coordinates checked, conditions stored and handed to the
// data manager, one result row per disposal site built or refreshed, results shown.
#include "TMainForm.h"

#include "model/CCalcConditionData.h"
#include "model/COutputDataManager.h"
#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/LCoordinatesConvert.h"
#include "model/PriceConversion.h"
#include "model/RankingNameIndex.h"

#include "platform/MessageBox.h"

#include <vector>

namespace {

constexpr unsigned kWarning = mb::TOPMOST | mb::ICONWARNING;

// Replaces an empty or "-" coordinate by "0" and returns its value; 0 refuses it.
bool CheckCoordinate(TMainForm& form, TEdit& edit, const AnsiString& message) {
    if (edit.Text().IsEmpty() || edit.Text() == AnsiString("-")) {
        edit.SetText("0");
    }
    if (form.StrToDoubleDef(edit.Text()) == 0) {
        ShowMessageBox(message, u8"無効な値"_sj, kWarning);
        return false;
    }
    return true;
}

} // namespace

void TMainForm::ButtonCalcClick(QObject*) {
    LastCalcMode = CalcMode;
    ClearResultGrid();
    if (!CheckCoordinate(*this, *EditX, u8"X座標の値が不正です。\r\n再度入力してください。"_sj) ||
        !CheckCoordinate(*this, *EditY, u8"Y座標の値が不正です。\r\n再度入力してください。"_sj)) {
        return;
    }

    const bool sp = CalcMode == AnsiString("sp");
    if (CalcMode == AnsiString("bugakari")) {
        CalcConditionData->SetBugakariHimoku(ComboBoxHimoku->ItemIndex());
        CalcConditionData->SetBugakariSyubetsu(ComboBoxSyubetsu->ItemIndex());
        CalcConditionData->SetBugakariDID(RadioButtonDIDTrue->Checked());
    } else if (sp) {
        CalcConditionData->SetSPHimoku(ComboBoxHimoku->ItemIndex());
        CalcConditionData->SetSPSyubetsu(ComboBoxSyubetsu->ItemIndex());
        CalcConditionData->SetSPGaraHassei(ComboBoxGaraHassei->ItemIndex());
        CalcConditionData->SetSPTsumikomi(ComboBoxTsumikomi->ItemIndex());
        CalcConditionData->SetSPSekisai(ComboBoxSekisai->ItemIndex());
        CalcConditionData->SetSPJinkai(ComboBoxJinkai->ItemIndex());
        CalcConditionData->SetSPDID(RadioButtonDIDTrue->Checked());
        CalcConditionData->SetSPDTCarry(RadioButtonDTCarry->Checked());
    }

    const bool did = RadioButtonDIDTrue->Checked();
    const int area = ComboBoxArea->ItemIndex();
    const int himoku = ComboBoxHimoku->ItemIndex();
    const int syubetsu = ComboBoxSyubetsu->ItemIndex();
    OutputDataManager->SetCondition(area, did, himoku, syubetsu);

    if (sp) {
        const AnsiString didKey = did ? u8"DID有"_sj : u8"DID無"_sj;
        const AnsiString haulType = ComboBoxSyubetsu->Text();
        bool selected = false;
        switch (syubetsu) {
        case 0:
            selected = OutputDataManager->SelectPackage(haulType, ComboBoxGaraHassei->Text(),
                                                        ComboBoxTsumikomi->Text(), didKey);
            break;
        case 1:
            selected = OutputDataManager->SelectPackage(haulType, didKey);
            break;
        case 2:
            selected = OutputDataManager->SelectPackage(haulType, ComboBoxSekisai->Text(), didKey);
            break;
        case 3:
            selected = OutputDataManager->SelectPackage(
                haulType, ComboBoxJinkai->Text(),
                RadioButtonDTCarry->Checked() ? u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ持込"_sj : u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ貸与"_sj,
                didKey);
            break;
        default:
            break;
        }
        if (!selected) {
            // Without a package for these conditions the package chosen by an earlier run
            // would price every site: refuse rather than show another condition's prices.
            ShowMessageBox(u8"選択された計算条件に該当する施工パッケージがありません。\r\n"
                           u8"計算条件を確認してください。"_sj,
                           u8"計算条件"_sj, kWarning);
            return;
        }
        OutputDataManager->SetAreaPrices(area);
    }

    const double x = StrToDoubleDef(EditX->Text());
    const double y = StrToDoubleDef(EditY->Text());
    CoordinatesConvert->ConvertXYToLatLon(x, y);
    OutputDataManager->SetSiteCoordinates(CoordinatesConvert->GetLatitude(),
                                          CoordinatesConvert->GetLongitude(), x, y);

    bool rebuild = RebuildRanking || x != LastCalcX || y != LastCalcY;
    if (!rebuild) {
        // When the site list is another one than the rows were built from (another disposal
        // item), a refresh would keep rows of sites no longer listed and miss the new ones.
        rebuild = !RowsMatchSiteList();
        // The check walked the site list; setting the same condition again puts the cursor
        // back on its first site.
        OutputDataManager->SetCondition(area, did, himoku, syubetsu);
    }
    if (rebuild) {
        RebuildRankingList(x, y);
    } else {
        RefreshRankingList();
    }

    ShowRankingBySum();
    if (NoResults()) {
        ShowMessageBox(u8"60km以内に登録された処分場が見つかりませんでした。\r\n"_sj +
                           u8"入力された座標を確認してください。"_sj,
                       u8"計算結果"_sj, mb::TOPMOST | mb::ICONINFORMATION);
        return;
    }
    if (!StringGrid->Cell(0, 1).IsEmpty()) {
        SelectedRow = 1;
        StringGrid->SetRow(1);
        SortKey = "sum";
        RadioGroupSort->SetItemIndex(0);
        PageControl->SetActivePageIndex(1);
    }
}

// True when every site of the current list has a row of its name and the list has no other
// rows. Walks the current site list to its end.
bool TMainForm::RowsMatchSiteList() {
    const RankingNameIndex rowsByName(*RankingList);
    int sites = 0;
    bool allFound = true;
    while (!OutputDataManager->IsEnd()) {
        ++sites;
        if (rowsByName.Find(OutputDataManager->GetSyobunjoName()) == nullptr) {
            allFound = false;
        }
        OutputDataManager->Next();
    }
    return allFound && sites == rowsByName.RowCount();
}

// Transport cost and cost-change text of a row at its fixed distance, by the given mode;
// another mode leaves both.
void TMainForm::PriceRow(CRankingData& row, const AnsiString& mode) {
    const double distance = row.GetFixedDistance();
    if (mode == AnsiString("bugakari")) {
        row.SetTransportCost(OutputDataManager->GetTransportCost(distance));
        row.SetCostChangeDistance(OutputDataManager->GetCostChangeDistance(distance));
    } else if (mode == AnsiString("sp")) {
        row.SetTransportCost(OutputDataManager->GetPackageTransportCost(distance));
        row.SetCostChangeDistance(OutputDataManager->GetPackageCostChangeDistance(distance));
    }
}

void TMainForm::RebuildRankingList(double x, double y) {
    RankingList->Clear();
    while (!OutputDataManager->IsEnd()) {
        auto row = std::make_unique<CRankingData>();
        row->SetName(OutputDataManager->GetSyobunjoName());
        row->SetDirectDistance(OutputDataManager->CalcDistance());
        row->UpdateFixedDistance();
        row->SetDirection(OutputDataManager->GetDirection());
        row->SetDisposalCost(OutputDataManager->GetSyobunjoDisposalCost());
        row->SetUnit(OutputDataManager->GetSyobunjoUnit());
        row->SetSource(OutputDataManager->GetSyobunjoSource());
        row->UpdateFixedDisposalCost();
        PriceRow(*row, CalcMode);
        row->SetTotalCost(AddPrices(row->GetTransportCost(), row->GetFixedDisposalCost()));
        row->SetX(OutputDataManager->GetSyobunjoX());
        row->SetY(OutputDataManager->GetSyobunjoY());
        RankingList->Add(row.release());
        OutputDataManager->Next();
    }
    RebuildRanking = false;
    LastCalcX = x;
    LastCalcY = y;
}

void TMainForm::RefreshRankingList() {
    // Every site has its row here (checked before), so no row is written through a miss. Sites
    // of one name all write the first row of that name.
    const RankingNameIndex rowsByName(*RankingList);
    while (!OutputDataManager->IsEnd()) {
        if (CRankingData* row = rowsByName.Find(OutputDataManager->GetSyobunjoName())) {
            row->SetDisposalCost(OutputDataManager->GetSyobunjoDisposalCost());
            row->UpdateFixedDisposalCost();
            PriceRow(*row, LastCalcMode == AnsiString("bugakari") ? AnsiString("bugakari")
                                                                  : AnsiString("sp"));
            row->SetTotalCost(AddPrices(row->GetTransportCost(), row->GetFixedDisposalCost()));
        }
        OutputDataManager->Next();
    }
}
