// The automatic refinement of [の道のり距離を取得し、最安値を計算]: road distances are fetched from
// the route page for the cheapest rows, one site at a time and re-sorted by total cost after
// each, until each of the first N rows has one; three failed fetches in a row end it. The
// window is disabled meanwhile and the wait dialog turns.
#include "TMainForm.h"
#include "TWaitCalcThread.h"

#include "platform/Clock.h"
#include "platform/Conversions.h"
#include "platform/HalfWidth.h"
#include "platform/MessageBox.h"

#include <memory>

namespace {

// The count as a decimal integer (an optional sign and digits only), 0 when the text is not one.
int DecimalOrZero(const AnsiString& text) {
    const std::string& s = text.str();
    std::size_t first = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (first == s.size()) {
        return 0;
    }
    for (std::size_t i = first; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') {
            return 0;
        }
    }
    return StrToIntDef(text, 0);
}

constexpr unsigned kWarning = mb::TOPMOST | mb::ICONWARNING;
constexpr int kFailuresToGiveUp = 3;

// The window disabled and the wait dialog turning for the time of a run; Stop (or the end of
// the scope, when an error leaves the run) enables the window and stops the dialog's thread.
class RefinementRun {
public:
    explicit RefinementRun(QWidget& window) : window_(window) {
        window_.setEnabled(false);
        thread_ = std::make_unique<TWaitCalcThread>(&window_);
    }
    ~RefinementRun() { Stop(); }
    RefinementRun(const RefinementRun&) = delete;
    RefinementRun& operator=(const RefinementRun&) = delete;

    void Stop() {
        if (!thread_) {
            return;
        }
        window_.setEnabled(true);
        thread_->Running = false;
        thread_->Terminate();
        thread_.reset();
    }

private:
    QWidget& window_;
    std::unique_ptr<TWaitCalcThread> thread_;
};

} // namespace

void TMainForm::BitBtnGetLowestClick(QObject* Sender) {
    if (NoResults()) {
        ShowMessageBox(u8"表にデータがありません。\r\n先に計算を実行してください。"_sj,
                       u8"無効な処理"_sj, kWarning);
        PageControl->SetActivePageIndex(0);
        return;
    }
    ShowRankingBySum();
    for (int row = 1; row < StringGrid->RowCount(); ++row) {
        if (StringGrid->Cell(3, row).IsEmpty()) {
            StringGrid->SetCell(3, row, "0");
        }
    }
    const int count = DecimalOrZero(ToHalfWidth(EditGetLowest->Text()));
    if (count <= 0) {
        ShowMessageBox(u8"件数の値が不正です。\r\n再度入力してください。"_sj, u8"無効な値"_sj,
                       kWarning);
        EditGetLowest->SetText("");
        return;
    }
    if (ShowMessageBox(u8"計算結果の上位　"_sj + IntToStr(count) +
                           u8"　件の距離が\r\n道のり距離に置き換わるまで\r\n距離を取得し続け、\r\n"
                           u8"最安値を計算します。\r\n\r\n実行してもよろしいですか？"_sj,
                       u8"確認"_sj, mb::TOPMOST | mb::ICONQUESTION | mb::YESNO) == mb::IDNO) {
        return;
    }
    const int limit = std::min(StringGrid->RowCount(), count + 1);

    Clock& clock = Clock::Current();
    const std::int64_t start = clock.Milliseconds();
    RefinementRun run(*this);
    // The dialog comes up before the first page is asked for.
    clock.Sleep(500);

    int r = 1;
    int failures = 0;
    while (r < limit) {
        // A closed window ends the run at once: no further fetch, no message.
        AbortIfClosed();
        if (StrToFloat(StringGrid->Cell(3, r)) != 0) {
            ++r;
        } else {
            const AnsiString name = StringGrid->Cell(1, r);
            SelectedRow = r;
            ButtonSendLaLoClick(Sender);
            AbortIfClosed();
            ButtonGetDistanceClick(Sender);
            // Unchanged when the row still has no distance and still shows the same site; a
            // redisplay that brought another site up is progress too.
            const bool failed =
                StrToFloat(StringGrid->Cell(3, r)) == 0 && StringGrid->Cell(1, r) == name;
            failures = failed ? failures + 1 : 0;
            r = 1;
        }
        AbortIfClosed();
        if (failures == kFailuresToGiveUp) {
            AbortIfCloseRequested();
            run.Stop();
            ShowMessageBox(u8"最安値の計算に連続で失敗したため、\r\n処理を中断します。\r\n"
                           u8"再度実行してください。"_sj,
                           u8"計算失敗"_sj, kWarning);
            RadioGroupSort->SetItemIndex(0);
            PageControl->SetActivePageIndex(1);
            return;
        }
        if (r != StringGrid->RowCount()) {
            StringGrid->SetRow(r);
        }
    }
    AbortIfCloseRequested();
    run.Stop();
    SelectedRow = 1;
    StringGrid->SetRow(1);
    RadioGroupSort->SetItemIndex(0);
    const std::int64_t seconds = (clock.Milliseconds() - start) / 1000;
    ShowMessageBox(u8"計算が完了しました。\r\n所要時間："_sj + IntToStr(seconds) + u8"秒"_sj,
                   u8"計算完了"_sj, mb::TOPMOST);
}
