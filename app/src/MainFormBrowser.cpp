// The bidding service in the main browser: its buttons, the routing of its pop-up windows,
// the refused attachment links, the lock while a GIS map page loads, and [座標取得], which takes
// the work site's coordinates from the map's coordinate pop-up.
#include "CoordinatePopup.h"
#include "TMainForm.h"
#include "TSelectForm.h"

#include "model/COutputDataManager.h"
#include "model/SharedConstants.h"

#include "platform/Conversions.h"
#include "platform/MessageBox.h"
#include "platform/qt/ErrorDisplay.h"

#include <QCoreApplication>

namespace {

constexpr unsigned kWarning = mb::TOPMOST | mb::ICONWARNING;
constexpr int kCoordinateTries = 10;

// Remembered navigations that open a selection page of the bidding service.
const char* const kSelectionMarkers[] = {"'pub','categoryName'", "'pub','orderOrganHName'",
                                         "'pub','orderOrganVName'", "'pub','orderOrganPName'"};

// A control's own enabled state, whatever its parents' (a control inside a disabled page
// control reads as disabled in Qt).
bool OwnEnabled(const QWidget& control) {
    return !control.testAttribute(Qt::WA_ForceDisabled);
}

} // namespace

void TMainForm::ConnectBrowserEvents() {
    BrowserNyusatsuInfo->OnBeforeNavigate2 = [this](TWebBrowser* sender, const AnsiString& url,
                                                    bool& cancel) {
        RunHandler([&] { BrowserNyusatsuInfoBeforeNavigate2(sender, url, cancel); });
    };
    BrowserNyusatsuInfo->OnNewWindow2 = [this](TWebBrowser* sender, TWebBrowser*& newWindow) {
        RunHandler([&] { BrowserNyusatsuInfoNewWindow2(sender, newWindow); });
    };
    BrowserNyusatsuInfo->OnNavigateComplete2 = [this](TWebBrowser* sender, const AnsiString& url) {
        RunHandler([&] { BrowserNyusatsuInfoNavigateComplete2(sender, url); });
    };
    BrowserTemp->OnNavigateComplete2 = [this](TWebBrowser* sender, const AnsiString& url) {
        RunHandler([&] { BrowserTempNavigateComplete2(sender, url); });
    };
    PageControl->OnChanging = [this](bool& allowChange) {
        RunHandler([&] { PageControlChanging(PageControl, allowChange); });
    };
}

void TMainForm::ButtonNyusatsuInfoClick(QObject*) {
    BrowserNyusatsuInfo->Navigate(FromWide(URL_NYUSATSU_INFO));
}

void TMainForm::ButtonPrevClick(QObject*) {
    BrowserNyusatsuInfo->GoBack();
}

void TMainForm::ButtonNextClick(QObject*) {
    BrowserNyusatsuInfo->GoForward();
}

void TMainForm::BrowserNyusatsuInfoBeforeNavigate2(QObject*, const AnsiString& URL, bool& Cancel) {
    // A search call is remembered until the new window that it opens.
    if (!LastNavigateText.Contains(SCRIPT_ARGS_P004)) {
        LastNavigateText = URL;
    }
    if (URL.Contains(SCRIPT_ARGS_C001)) {
        ShowMessageBox(u8"本ツールでは添付ファイルを閲覧することは出来ません。\r\n"
                       u8"InternetExplorer等のブラウザで閲覧してください。"_sj,
                       u8"警告"_sj, kWarning);
        Cancel = true;
    }
}

void TMainForm::BrowserNyusatsuInfoNewWindow2(QObject*, TWebBrowser*& ppDisp) {
    if (LastNavigateText.Contains(SCRIPT_ARGS_P004)) {
        // Search results open outside the program, in a browser window of their own.
        LastNavigateText = "";
        return;
    }
    for (const char* marker : kSelectionMarkers) {
        if (LastNavigateText.Contains(marker)) {
            DeletePopupSelectForm();
            PopupSelectForm = new TSelectForm(this);
            ppDisp = PopupSelectForm->BrowserSelect;
            PopupSelectForm->show();
            return;
        }
    }
    // Anything else loads unseen; a GIS map goes on to the main browser from there.
    ppDisp = BrowserTemp;
}

// Only the pop-up's own document goes on to the main browser: the completion of one of its
// frames would take the main browser from the map to that frame alone.
void TMainForm::BrowserTempNavigateComplete2(QObject*, const AnsiString& URL) {
    if (URL.Contains(GIS_HOST) && URL == BrowserTemp->LocationURL()) {
        BrowserNyusatsuInfo->Navigate(URL);
    }
}

void TMainForm::BrowserNyusatsuInfoNavigateComplete2(QObject*, const AnsiString& URL) {
    DeletePopupSelectForm();
    if (URL.Contains(GIS_HOST)) {
        LockForGisMap();
    } else if (URL.Contains("about:blank")) {
        UnlockAfterGisMap();
    } else {
        ButtonGetCoord->setEnabled(false);
    }
}

// While a GIS map page loads nothing else of the window can be used. Further completions of the
// map (its frames) keep the state saved by the first one.
void TMainForm::LockForGisMap() {
    if (!GisLocked) {
        SavedButtonCalcEnabled = OwnEnabled(*ButtonCalc);
        GisLocked = true;
    }
    ButtonPrev->setEnabled(false);
    ButtonNext->setEnabled(false);
    ButtonAreaSave->setEnabled(false);
    ButtonCalc->setEnabled(false);
    ButtonClose1->setEnabled(false);
    ButtonNyusatsuInfo->setEnabled(false);
    PageControl->setEnabled(false);
}

// The map page signals the end of its loading with an "about:blank" frame; the map needs a
// moment more before its coordinate pop-up answers. [計算実行] gets back the state it had before
// the lock; without a lock in force it keeps the state it has.
void TMainForm::UnlockAfterGisMap() {
    WaitSeconds(3);
    ButtonGetCoord->setEnabled(true);
    ButtonPrev->setEnabled(true);
    ButtonNext->setEnabled(true);
    ButtonAreaSave->setEnabled(true);
    if (GisLocked) {
        ButtonCalc->setEnabled(SavedButtonCalcEnabled);
        GisLocked = false;
    }
    ButtonClose1->setEnabled(true);
    ButtonNyusatsuInfo->setEnabled(true);
    PageControl->setEnabled(true);
}

void TMainForm::PageControlChanging(QObject*, bool& AllowChange) {
    DeletePopupSelectForm();
    if (!OwnEnabled(*ButtonNyusatsuInfo)) {
        AllowChange = false;
    }
}

void TMainForm::DeletePopupSelectForm() {
    delete PopupSelectForm.data();
    PopupSelectForm = nullptr;
}

void TMainForm::ButtonGetCoordClick(QObject*) {
    if (!BrowserNyusatsuInfo->LocationURL().Contains(GIS_HOST)) {
        ShowMessageBox(u8"MieClickMapsのページが表示されている状態で\r\n"_sj +
                           u8"「座標取得」ボタンを押してください。"_sj,
                       u8"無効なページ"_sj, kWarning);
        return;
    }
    // Values read in one try count in the next.
    PickedCoordinates values;
    bool picked = false;
    for (int attempt = 0; attempt < kCoordinateTries && !picked; ++attempt) {
        BrowserNyusatsuInfo->Navigate(FromWide(SCRIPT_POS_OPEN));
        BrowserNyusatsuInfo->Update();
        QCoreApplication::processEvents();
        WaitSeconds(0.5);
        const AnsiString popup = BrowserNyusatsuInfo->BodyInnerHTML();
        AbortIfClosed();
        ReadCoordinatePopup(popup, values);
        picked = values.Complete();
    }
    if (!picked) {
        AbortIfCloseRequested();
        ShowMessageBox(u8"座標取得に失敗しました。\r\n"
                       u8"再度「座標取得」ボタンをクリックしてください。"_sj,
                       u8"座標取得失敗"_sj, kWarning);
        return;
    }
    OutputDataManager->SetSiteCoordinates(values.latitude, values.longitude, values.x, values.y);
    EditX->SetText(FloatToStr(values.x));
    EditY->SetText(FloatToStr(values.y));
    UpdateCalcButton();
}
