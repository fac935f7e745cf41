// The condition page: the two calculation modes, the dependent combo boxes and the mode panels,
// the coordinate edits with their key filters, and saving the chosen area.
#include "TMainForm.h"

#include "model/CCalcConditionData.h"
#include "model/SharedConstants.h"

#include "platform/MessageBox.h"
#include "platform/TMemIniFile.h"

namespace {

constexpr char kBackspace = 8;
constexpr char kEnter = 13;

void ShowPanel(QWidget* panel, bool shown) {
    panel->setVisible(shown);
    panel->setEnabled(shown);
}

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

} // namespace

void TMainForm::ComboBoxHimokuChange(QObject*) {
    const int himoku = ComboBoxHimoku->ItemIndex();
    if (himoku == LastHimokuIndex) {
        return;
    }
    ComboBoxSyubetsu->Clear();
    ComboBoxGaraHassei->Clear();
    FillSyubetsuItems();
    FillGaraHasseiItems();
    if (CalcMode == AnsiString("sp")) {
        ComboBoxTsumikomi->Clear();
        FillTsumikomiItems();
    }
    LastHimokuIndex = himoku;
}

void TMainForm::ComboBoxSyubetsuChange(QObject*) {
    if (CalcMode == AnsiString("bugakari")) {
        return;
    }
    const int syubetsu = ComboBoxSyubetsu->ItemIndex();
    if (syubetsu == LastSyubetsuIndex) {
        return;
    }
    ComboBoxGaraHassei->Clear();
    FillGaraHasseiItems();
    LastSyubetsuIndex = syubetsu;
    ShowModePanelForHaulType(syubetsu);
}

// The package mode's panel under the haul type, and the common panel below it.
void TMainForm::ShowModePanelForHaulType(int haulType) {
    ShowPanel(PanelGaraUnpan, false);
    ShowPanel(PanelDensen, false);
    ShowPanel(PanelJinkai, false);
    QWidget* panel = nullptr;
    int commonTop = 0;
    switch (haulType) {
    case 0:
        panel = PanelGaraUnpan;
        commonTop = 360;
        break;
    case 1:
        commonTop = 280;
        break;
    case 2:
        panel = PanelDensen;
        commonTop = 312;
        break;
    case 3:
        panel = PanelJinkai;
        commonTop = 336;
        break;
    default:
        return;
    }
    if (panel) {
        panel->move(panel->x(), 272);
        ShowPanel(panel, true);
    }
    PanelCommon->move(PanelCommon->x(), commonTop);
}

void TMainForm::ComboBoxGaraHasseiChange(QObject*) {
    if (CalcMode == AnsiString("bugakari")) {
        return;
    }
    const int himoku = ComboBoxHimoku->ItemIndex();
    const int garaHassei = ComboBoxGaraHassei->ItemIndex();
    if (himoku == LastTsumikomiHimokuIndex && garaHassei == LastTsumikomiGaraHasseiIndex) {
        return;
    }
    ComboBoxTsumikomi->Clear();
    FillTsumikomiItems();
    LastTsumikomiHimokuIndex = himoku;
    LastTsumikomiGaraHasseiIndex = garaHassei;
}

void TMainForm::RadioButtonSPClick(QObject*) {
    if (CalcMode == AnsiString("sp")) {
        return;
    }
    CalcMode = "sp";
    PanelGaraUnpan->move(PanelGaraUnpan->x(), 272);
    ShowPanel(PanelGaraUnpan, true);
    PanelCommon->move(PanelCommon->x(), 360);
    ComboBoxHimoku->Clear();
    ComboBoxSyubetsu->Clear();
    ComboBoxGaraHassei->Clear();
    ComboBoxTsumikomi->Clear();
    FillHimokuItems();
    ComboBoxHimoku->SetItemIndex(CalcConditionData->GetSPHimoku());
    FillSyubetsuItems();
    ComboBoxSyubetsu->SetItemIndex(CalcConditionData->GetSPSyubetsu());
    FillGaraHasseiItems();
    ComboBoxGaraHassei->SetItemIndex(CalcConditionData->GetSPGaraHassei());
    FillTsumikomiItems();
    ComboBoxTsumikomi->SetItemIndex(CalcConditionData->GetSPTsumikomi());
    if (CalcConditionData->IsSPDID()) {
        RadioButtonDIDTrue->SetChecked(true);
    } else {
        RadioButtonDIDFalse->SetChecked(true);
    }
    if (CalcConditionData->IsSPDTCarry()) {
        RadioButtonDTCarry->SetChecked(true);
    } else {
        RadioButtonDTLend->SetChecked(true);
    }
}

void TMainForm::RadioButtonBugakariClick(QObject*) {
    if (CalcMode == AnsiString("bugakari")) {
        return;
    }
    CalcMode = "bugakari";
    ShowPanel(PanelGaraUnpan, false);
    ShowPanel(PanelDensen, false);
    ShowPanel(PanelJinkai, false);
    ShowPanel(PanelCommon, true);
    PanelCommon->move(PanelCommon->x(), 280);
    ComboBoxHimoku->Clear();
    ComboBoxSyubetsu->Clear();
    FillHimokuItems();
    ComboBoxHimoku->SetItemIndex(CalcConditionData->GetBugakariHimoku());
    FillSyubetsuItems();
    ComboBoxSyubetsu->SetItemIndex(CalcConditionData->GetBugakariSyubetsu());
    if (CalcConditionData->IsBugakariDID()) {
        RadioButtonDIDTrue->SetChecked(true);
    } else {
        RadioButtonDIDFalse->SetChecked(true);
    }
}

void TMainForm::UpdateCalcButton() {
    const AnsiString x = EditX->Text();
    const AnsiString y = EditY->Text();
    const auto usable = [](const AnsiString& text) {
        return !text.IsEmpty() && text != AnsiString("0") && text != AnsiString("-");
    };
    ButtonCalc->setEnabled(usable(x) && usable(y));
}

void TMainForm::EditXChange(QObject*) {
    UpdateCalcButton();
}

void TMainForm::EditYChange(QObject*) {
    UpdateCalcButton();
}

// Coordinates take digits, one "." after at least one character, and "-" as the first
// character; the whole text decides, not the caret.
void TMainForm::FilterCoordinateKey(const TEdit& edit, char& key) {
    if (key == kBackspace) {
        return;
    }
    if (!IsDigit(key) && key != '.' && key != '-') {
        key = 0;
        return;
    }
    const AnsiString text = edit.Text();
    if (key == '.' && (text.Contains(".") || text.IsEmpty())) {
        key = 0;
    } else if (key == '-' && !text.IsEmpty()) {
        key = 0;
    }
}

void TMainForm::EditXKeyPress(QObject*, char& Key) {
    FilterCoordinateKey(*EditX, Key);
}

void TMainForm::EditYKeyPress(QObject*, char& Key) {
    FilterCoordinateKey(*EditY, Key);
}

void TMainForm::EditGetLowestKeyPress(QObject*, char& Key) {
    if (Key == kBackspace) {
        return;
    }
    if (Key == kEnter) {
        BitBtnGetLowest->setFocus();
        return;
    }
    if (EditGetLowest->Text().Length() == 5) {
        Key = 0;
    }
}

void TMainForm::ButtonAreaSaveClick(QObject*) {
    try {
        TMemIniFile settings(FILE_F_CHIKU);
        settings.WriteString(SECTION_F_CHIKU, KEY_CHIKU, ComboBoxArea->Text());
        settings.UpdateFile();
    } catch (...) {
        ShowMessageBox(u8"ファイル操作中にエラーが発生しました。\r\nファイル名:"_sj + FILE_F_CHIKU +
                           u8"\r\n再度実行してください。"_sj,
                       u8"ファイル操作エラー"_sj, mb::TOPMOST | mb::ICONWARNING);
    }
}
