// Road distances from the route page on page 2: the work site and the selected row's site are
// sent to the page's form, the page computes the route, and its length is read back into the
// row, which is repriced by the last calculation's method.
#include "BrowserAccess.h"
#include "TMainForm.h"

#include "model/COutputDataManager.h"
#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/LCoordinatesConvert.h"
#include "model/PriceConversion.h"
#include "model/SharedConstants.h"

#include "platform/Clock.h"
#include "platform/Conversions.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>

#include <cmath>

namespace {

constexpr unsigned kWarning = mb::TOPMOST | mb::ICONWARNING;
constexpr double kDistanceLimit = 60.0;
constexpr int kReads = 10;
// The Tag of the automatic refinement's button, whose fetches stay silent on failure.
constexpr int kQuietTag = 10;
constexpr int kReadyStateComplete = 4;

const AnsiString kForm = "fm";
const AnsiString kCalcRoute = "javascript:calcRoute();void(0);";

bool IsQuiet(QObject* sender) {
    const auto* button = dynamic_cast<const TButton*>(sender);
    return button != nullptr && button->Tag == kQuietTag;
}

void ShowNoRowSelected() {
    ShowMessageBox(u8"座標を送りたい処分場の\r\n行を選択してください。"_sj, u8"行の未選択"_sj,
                   kWarning);
}

} // namespace

CRankingData* TMainForm::SelectedRankingRow() {
    if (SelectedRow <= 0) {
        return nullptr;
    }
    const AnsiString name = StringGrid->Cell(1, SelectedRow);
    return name.IsEmpty() ? nullptr : RankingList->FindByName(name);
}

void TMainForm::ButtonSendLaLoClick(QObject* Sender) {
    // A selection that names no result row (left over from a run that listed nothing) is no
    // selection.
    if (SelectedRankingRow() == nullptr) {
        ShowNoRowSelected();
        return;
    }
    // [GoogleMapsサイトから距離を取得する] stays disabled until a send runs to its end: a send
    // that fails on the way leaves no route to read.
    ButtonGetDistance->setEnabled(false);
    RoutePage->Navigate(FromWide(URL_ROUTE_PAGE));
    PageControl->SetActivePageIndex(2);

    // A page that never finishes loading would hold the window here for good: the wait ends
    // after a while, and the send with it, nothing written.
    Clock& clock = Clock::Current();
    const std::int64_t start = clock.Milliseconds();
    while (RoutePage->ReadyState() != kReadyStateComplete || RoutePage->Busy()) {
        const std::int64_t waited = clock.Milliseconds() - start;
        if (waited >= kRoutePageTimeoutMs) {
            if (!IsQuiet(Sender)) {
                ShowMessageBox(u8"GoogleMapsサイトの読み込みが終わりませんでした。\r\n"
                               u8"時間をおいて再度「GoogleMapsサイトを開き、座標情報を送る」"
                               u8"ボタンをクリックしてください。"_sj,
                               u8"読み込みの失敗"_sj, kWarning);
            }
            return;
        }
        // The page's progress comes as messages: sleep until the next one instead of spinning.
        HandleMessagesWithin(static_cast<double>(kRoutePageTimeoutMs - waited));
        AbortIfClosed();
    }

    RoutePage->SetFormFieldChecked(kForm, "hand", false);
    RoutePage->SetFormFieldValue(kForm, "stLat", OutputDataManager->GetSiteLatitude());
    RoutePage->SetFormFieldValue(kForm, "stLng", OutputDataManager->GetSiteLongitude());
    // Found again after the wait: the rows may have been rebuilt meanwhile.
    const CRankingData* row = SelectedRankingRow();
    if (row == nullptr) {
        return;
    }
    CoordinatesConvert->ConvertXYToLatLon(row->GetX(), row->GetY());
    RoutePage->SetFormFieldValue(kForm, "edLat", CoordinatesConvert->GetLatitude());
    RoutePage->SetFormFieldValue(kForm, "edLng", CoordinatesConvert->GetLongitude());
    // The document accesses handle messages while they wait for the page's answers.
    AbortIfClosed();
    RoutePage->Navigate(kCalcRoute);
    WaitSeconds(1.0);
    ButtonGetDistance->setEnabled(true);
}

void TMainForm::ButtonGetDistanceClick(QObject* Sender) {
    if (RoutePage->LocationURL().IsEmpty()) {
        ShowMessageBox(u8"先に計算結果から処分場の座標を\r\nGoogleMapsサイト上へ送り、\r\n"
                       u8"距離を取得してください。"_sj,
                       u8"距離の取得に失敗"_sj, kWarning);
        PageControl->SetActivePageIndex(1);
        return;
    }
    const bool quiet = IsQuiet(Sender);
    const auto fail = [&] {
        if (!quiet) {
            AbortIfCloseRequested();
            ShowMessageBox(u8"距離の計算に失敗しました。\r\n再度「GoogleMapsサイトを開き、"
                           u8"座標情報を送る」ボタンをクリックしてください。"_sj,
                           u8"距離の計算に失敗"_sj, kWarning);
            PageControl->SetActivePageIndex(1);
        }
    };

    // A route page that has not finished loading (its send gave up waiting) has no document
    // to read: for the automatic refinement that is a failed fetch like any other.
    if (quiet && (RoutePage->ReadyState() != kReadyStateComplete || RoutePage->Busy())) {
        return;
    }

    // The route is drawn once "km" shows in the page.
    AnsiString body;
    for (int read = 0; read < kReads && !body.Contains("km"); ++read) {
        body = RoutePage->BodyInnerHTML();
        AbortIfClosed();
        QCoreApplication::processEvents();
        AbortIfClosed();
    }
    if (!body.Contains("km")) {
        fail();
        return;
    }
    WaitSeconds(1.0);
    AnsiString value;
    for (int read = 0; read < kReads && value.IsEmpty(); ++read) {
        RoutePage->Update();
        value = RoutePage->FormFieldValue(kForm, "totaldaze");
        AbortIfClosed();
    }
    if (value.IsEmpty()) {
        fail();
        return;
    }
    // The length ends in its unit, "km". No road is shorter than nothing or endless: such a
    // length is a failed read.
    const double distance = StrToFloat(value.SubString(1, value.Length() - 2));
    if (distance < 0 || !std::isfinite(distance)) {
        fail();
        return;
    }

    CRankingData* row = SelectedRankingRow();
    if (row == nullptr) {
        if (!quiet) {
            AbortIfCloseRequested();
            ShowNoRowSelected();
        }
        return;
    }
    const CRankingData before = *row;
    try {
        row->SetRouteDistance(distance);
        row->UpdateFixedDistance();
        const bool beyondLimit = row->GetFixedDistance() > kDistanceLimit;
        if (beyondLimit) {
            // Not priced; the cost-change text stays as it was.
            row->SetTransportCost(0);
        } else {
            PriceRow(*row, LastCalcMode);
        }
        row->UpdateFixedDisposalCost();
        row->SetTotalCost(
            beyondLimit ? 0 : AddPrices(row->GetTransportCost(), row->GetFixedDisposalCost()));
    } catch (...) {
        // A distance that cannot be priced (a total without a 32-bit value) leaves the row as
        // it was; the error goes on to the error display.
        *row = before;
        throw;
    }
    ShowRankingInCurrentOrder();
    PageControl->SetActivePageIndex(1);
}
