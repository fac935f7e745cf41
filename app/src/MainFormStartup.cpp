// Start-up of the main window: the single-instance test, the splash, the update checker, the
// version labels, the data files, and the filled condition page.
#include "TMainForm.h"
#include "TStartForm.h"

#include "model/CAreaData.h"
#include "model/CHimokuRowSource.h"
#include "model/CIniManager.h"
#include "model/COutputDataManager.h"
#include "model/CSPGaraHasseiRowSource.h"
#include "model/CSPHimokuRowSource.h"
#include "model/CSPSyubetsuRowSource.h"
#include "model/CSPTsumikomiRowSource.h"
#include "model/CSyubetsuRowSource.h"
#include "model/LEnDecryption.h"
#include "model/LFileOperate.h"
#include "model/LeftoverWorkingCopies.h"
#include "model/SharedConstants.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/TMemIniFile.h"
#include "platform/qt/ErrorDisplay.h"

#include <QCoreApplication>

#include <array>

namespace {

constexpr unsigned kWarning = mb::TOPMOST | mb::ICONWARNING;

const int kColumnWidths[15] = {32, 330, 45, 45, 45, 45, 54, 35, 140, 53, 45, 55, 45, 30, 85};

// Deletes every working copy when it goes, whichever way the loading ends.
class WorkingCopies {
public:
    explicit WorkingCopies(LEnDecryption& decryption) : decryption_(decryption) {}
    ~WorkingCopies() { decryption_.DeleteDecryptedFiles(); }
    WorkingCopies(const WorkingCopies&) = delete;
    WorkingCopies& operator=(const WorkingCopies&) = delete;

private:
    LEnDecryption& decryption_;
};

// An item file that exists but cannot be read is reported by the error display; its box stays
// empty and the start-up goes on.
void AppendSection(TComboBox& combo, const AnsiString& path, const AnsiString& section) {
    TStringList lines;
    try {
        TMemIniFile(path).ReadSectionValues(section, lines);
    } catch (const Exception& error) {
        ShowApplicationError(error);
        return;
    }
    for (const AnsiString& line : lines) {
        combo.AddItem(line);
    }
    combo.SetItemIndex(0);
}

template <typename Source> void AppendLines(TComboBox& combo, Source& source) {
    source.First();
    while (!source.IsEnd()) {
        combo.AddItem(source.GetCurrent());
        source.Next();
    }
    combo.SetItemIndex(0);
}

} // namespace

void TMainForm::FormCreate(QObject*) {
    if (IsAnotherInstanceRunning(EXE_NAME_CODE, CurrentProcessId())) {
        ShowMessageBox(u8"SorvaneProの多重起動は出来ません。\r\nSorvaneProを終了します。"_sj,
                       u8"多重起動"_sj, kWarning);
        RequestQuit();
        return;
    }

    // The splash stays up while the start-up runs and goes with it on every path.
    auto splash = std::make_unique<TStartForm>();
    splash->show();
    splash->raise();
    splash->activateWindow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    try {
        ShellOpen("./lumbrixon/lumbrixon.exe");
        if (!ProgramVersionFileError().IsEmpty()) {
            throw EFOpenError(ProgramVersionFileError().ToUtf8());
        }
        const CIniManager version;
        LabelVerJa->SetCaption(version.GetEditionText());
        LabelVerEn->SetCaption(version.GetVersionText());
        LabelExplain->SetCaption(version.GetAboutText());
    } catch (...) {
        ShowMessageBox(u8"ファイルが開けませんでした。\r\n"_sj + "version.ini\r\n" +
                           u8"バージョン情報等が設定されません。"_sj,
                       u8"ファイル読み込みエラー"_sj, mb::TOPMOST);
    }

    if (!LoadDataFiles()) {
        RequestQuit();
        return;
    }

    for (int i = 0; i < AreaData->GetCount(); ++i) {
        ComboBoxArea->AddItem(AreaData->GetAreaName(i));
    }
    SelectRememberedArea();

    FillHimokuItems();
    FillSyubetsuItems();
    FillGaraHasseiItems();
    FillTsumikomiItems();
    // The load-class and refuse-kind boxes take their items from one list each, in the manner
    // of the other row sources; a missing file leaves its box empty.
    AppendSection(*ComboBoxSekisai, FILE_SPSEKISAI_ROWSOURCE, SECTION_SPSEKISAI);
    AppendSection(*ComboBoxJinkai, FILE_SPJINKAI_ROWSOURCE, SECTION_SPJINKAI);

    RadioButtonDIDFalse->SetChecked(true);
    RadioButtonSP->SetChecked(true);
    PanelGaraUnpan->move(PanelGaraUnpan->x(), 272);
    PanelDensen->move(PanelDensen->x(), 272);
    PanelJinkai->move(PanelJinkai->x(), 272);
    PanelCommon->move(PanelCommon->x(), 360);

    BrowserNyusatsuInfo->Navigate(FromWide(URL_NYUSATSU_INFO));

    StringGrid->SetRowHeight(0, 45);
    for (int col = 0; col < 15; ++col) {
        StringGrid->SetColWidth(col, kColumnWidths[col]);
    }
    // The grid's first cell is not one that is typed into; its editor stays off until a
    // distance or fee cell is selected.
    AllowEditingInColumn(StringGrid->Col());
    PageControl->SetActivePageIndex(0);
    BitBtnGetLowest->setText(CaptionText(u8"の道のり距離を取得し、\r\n最安値を計算"_sj));
    LabelAttention->SetCaption(u8"[座標取得]ボタンは、MieClickMapsの地図が\r\n"
                               u8"完全に表示されてからクリックしてください。"_sj);
    ButtonCalc->setEnabled(false);
    ButtonGetCoord->setEnabled(false);
}

// Deletes the copies an earlier start-up left behind, deciphers the tables into working
// copies, loads them and deletes the copies again. A failed file ends the program after its
// message; so does an error raised by a loader, which the error display shows, since the window
// cannot work without its tables.
bool TMainForm::LoadDataFiles() {
    LFileOperate fileOperate;
    LEnDecryption decryption;
    AnsiString errors;
    try {
        const WorkingCopies copies(decryption);
        DeleteLeftoverWorkingCopies(DAT_FOLDER);
        for (const AnsiString& code : {CODE_EA01, CODE_ER01, CODE_ES22, CODE_ES24, CODE_ET02,
                                       CODE_ET19, CODE_EC01, CODE_EB01, CODE_ESP2}) {
            decryption.DecryptFile(fileOperate.FindFile(code, DAT_FOLDER));
        }
        errors = AreaData->LoadFromFile() + "\r\n" + OutputDataManager->LoadData();
    } catch (const std::exception& error) {
        ShowApplicationError(error);
        return false;
    }
    if (errors != AnsiString("\r\n")) {
        ShowMessageBox(
            u8"以下の、処分場判定に必要な\r\nデータの読み込みに失敗しました。\r\n\r\n"_sj + errors +
                u8"\r\nツールを終了します。"_sj,
            u8"ファイル読み込みエラー"_sj, kWarning);
        return false;
    }
    return true;
}

// Selects the area saved in the remembered-area file; the fourth area when there is no file,
// none when the saved name is empty or not listed (or the file cannot be read).
void TMainForm::SelectRememberedArea() {
    if (!fs932::FileExists(FILE_F_CHIKU)) {
        ComboBoxArea->SetItemIndex(3);
        return;
    }
    AnsiString name;
    try {
        const TMemIniFile settings(FILE_F_CHIKU);
        name = settings.ReadString(SECTION_F_CHIKU, KEY_CHIKU, "");
    } catch (const std::exception& error) {
        ShowApplicationError(error);
    }
    ComboBoxArea->SetItemIndex(name.IsEmpty() ? -1 : ComboBoxArea->IndexOfText(name));
}

// Only the processes of this program's own user count: another user of the machine may run the
// program at the same time.
bool TMainForm::IsAnotherInstanceRunning(const AnsiString& code, std::uint32_t ownId) {
    const std::vector<ProcessEntry> processes = OwnUserProcessSnapshot();
    LFileOperate fileOperate;
    const AnsiString name = fileOperate.FindFile(code, "./").SubString(3, 100);
    if (name.IsEmpty()) {
        return false;
    }
    for (const ProcessEntry& process : processes) {
        if (process.exeName == name && process.id != ownId) {
            return true;
        }
    }
    return false;
}

void TMainForm::FillHimokuItems() {
    if (CalcMode == AnsiString("bugakari")) {
        AppendLines(*ComboBoxHimoku, *HimokuRowSource);
    } else {
        AppendLines(*ComboBoxHimoku, *SPHimokuRowSource);
    }
}

void TMainForm::FillSyubetsuItems() {
    if (CalcMode == AnsiString("bugakari")) {
        SyubetsuRowSource->Select(ComboBoxHimoku->ItemIndex());
        AppendLines(*ComboBoxSyubetsu, *SyubetsuRowSource);
    } else {
        SPSyubetsuRowSource->SetHimoku(ComboBoxHimoku->ItemIndex());
        AppendLines(*ComboBoxSyubetsu, *SPSyubetsuRowSource);
    }
}

void TMainForm::FillGaraHasseiItems() {
    SPGaraHasseiRowSource->SetHimoku(ComboBoxHimoku->ItemIndex());
    AppendLines(*ComboBoxGaraHassei, *SPGaraHasseiRowSource);
}

void TMainForm::FillTsumikomiItems() {
    SPTsumikomiRowSource->SetHimoku(ComboBoxHimoku->ItemIndex(), ComboBoxGaraHassei->ItemIndex());
    AppendLines(*ComboBoxTsumikomi, *SPTsumikomiRowSource);
}
