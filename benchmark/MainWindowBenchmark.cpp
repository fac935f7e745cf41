// The main window on generated kits, offscreen: the start-up (deciphering, loading, filling the
// condition page) and a click of [計算実行], with new coordinates (the result rows rebuilt, the
// grid filled) and with the same ones again (the rows refreshed, the grid filled).
#include "MainWindowBenchmark.h"

#include "GeneratedKit.h"
#include "TMainForm.h"

#include "platform/Conversions.h"

#include "platform/qt/ErrorDisplay.h"
#include "platform/testing/MessageBoxRecorder.h"
#include "platform/testing/TempDir.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <map>
#include <memory>

namespace {

constexpr int kPackageMode = 0;
constexpr int kLabourRateMode = 1;

const GeneratedKit& KitOf(int sitesPerMaterial) {
    static std::map<int, std::unique_ptr<GeneratedKit>> kits;
    auto& kit = kits[sitesPerMaterial];
    if (!kit) {
        kit = std::make_unique<GeneratedKit>(sitesPerMaterial);
    }
    return *kit;
}

// Lets the window's pending work (repaints, deferred deletions) run outside the measured time.
void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The first recorded message, for a run that cannot go on.
std::string FirstMessage(const MessageBoxRecorder& messages) {
    return messages.Calls().empty() ? std::string() : messages.Calls().front().text.ToUtf8();
}

// A started main window in a generated kit's folder, kept between the runs of one kit size.
class StartedWindow {
public:
    explicit StartedWindow(int sitesPerMaterial)
        : sites_(sitesPerMaterial), folder_(KitOf(sitesPerMaterial).ProgramFolder()) {
        form_ = std::make_unique<TMainForm>();
        form_->show();
        RunHandler([&] { form_->FormCreate(form_.get()); });
        Settle();
    }
    ~StartedWindow() {
        form_.reset();
        Settle();
    }

    int Sites() const { return sites_; }
    TMainForm& Form() { return *form_; }

private:
    int sites_;
    CurrentDirScope folder_;
    std::unique_ptr<TMainForm> form_;
};

std::unique_ptr<StartedWindow>& KeptWindow() {
    static std::unique_ptr<StartedWindow> window;
    return window;
}

StartedWindow& WindowOf(int sitesPerMaterial) {
    std::unique_ptr<StartedWindow>& window = KeptWindow();
    if (!window || window->Sites() != sitesPerMaterial) {
        window.reset();
        window = std::make_unique<StartedWindow>(sitesPerMaterial);
    }
    return *window;
}

void StartUp(benchmark::State& state) {
    const int sites = static_cast<int>(state.range(0));
    const CurrentDirScope folder(KitOf(sites).ProgramFolder());
    MessageBoxRecorder messages;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<TMainForm>();
        form->show();
        state.ResumeTiming();
        RunHandler([&] { form->FormCreate(form.get()); });
        state.PauseTiming();
        const bool started = !form->QuitRequested() && form->ComboBoxArea->Count() > 0;
        form.reset();
        Settle();
        state.ResumeTiming();
        if (!started || !messages.Calls().empty()) {
            state.SkipWithError(("start-up failed: " + FirstMessage(messages)).c_str());
            break;
        }
    }
    state.counters["sites"] = sites;
}

void Click(benchmark::State& state, bool newCoordinates) {
    MessageBoxRecorder messages;
    StartedWindow& window = WindowOf(static_cast<int>(state.range(0)));
    TMainForm& form = window.Form();
    if (state.range(1) == kLabourRateMode) {
        RunHandler([&] { form.RadioButtonBugakari->SetChecked(true); });
    } else {
        RunHandler([&] { form.RadioButtonSP->SetChecked(true); });
    }
    const AnsiString y = IntToStr(static_cast<int>(GeneratedKit::kWorkY));
    // Two work sites 10 m apart: alternating between them rebuilds the rows at every click.
    const AnsiString xs[] = {IntToStr(static_cast<int>(GeneratedKit::kWorkX)),
                             IntToStr(static_cast<int>(GeneratedKit::kWorkX) + 10)};
    int next = 0;
    form.EditY->SetText(y);
    form.EditX->SetText(xs[next]);
    RunHandler([&] { form.ButtonCalcClick(form.ButtonCalc); });
    Settle();
    for (auto _ : state) {
        if (newCoordinates) {
            state.PauseTiming();
            next = 1 - next;
            form.EditX->SetText(xs[next]);
            state.ResumeTiming();
        }
        RunHandler([&] { form.ButtonCalcClick(form.ButtonCalc); });
        state.PauseTiming();
        Settle();
        state.ResumeTiming();
    }
    const int rows = form.StringGrid->RowCount() - 1;
    if (!messages.Calls().empty() || rows != window.Sites()) {
        state.SkipWithError(
            ("the calculation did not list every site: " + FirstMessage(messages)).c_str());
    }
    state.counters["rows"] = rows;
}

void ClickNewCoordinates(benchmark::State& state) {
    Click(state, true);
}

void ClickSameCoordinates(benchmark::State& state) {
    Click(state, false);
}

void KitSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

void CloseKeptMainWindow() {
    KeptWindow().reset();
}

BENCHMARK(StartUp)->Apply(KitSizes)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(ClickNewCoordinates)
    ->Apply(KitSizes)
    ->ArgNames({"sites", "mode"})
    ->Args({1000, kPackageMode})
    ->Args({10000, kPackageMode})
    ->Args({100000, kPackageMode})
    ->Args({10000, kLabourRateMode});
BENCHMARK(ClickSameCoordinates)
    ->Apply(KitSizes)
    ->ArgNames({"sites", "mode"})
    ->Args({1000, kPackageMode})
    ->Args({10000, kPackageMode})
    ->Args({100000, kPackageMode});
