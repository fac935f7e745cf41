// Runs the benchmarks (Google Benchmark's usual options apply, e.g. --benchmark_filter) and
// prints the ratios of paired ones after the report. The main window is shown offscreen; its
// bidding-site page goes to a local port that refuses, so nothing leaves the machine.
#include "MainWindowBenchmark.h"
#include "RatioReporter.h"

#include "platform/browser/TWebBrowserSession.h"
#include "platform/qt/ErrorDisplay.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

void SetDefault(const char* name, const char* value) {
    if (qEnvironmentVariableIsEmpty(name)) {
        qputenv(name, value);
    }
}

std::vector<RatioReporter::Pair> Pairs() {
    std::vector<RatioReporter::Pair> pairs;
    const auto growth = [&](const std::string& what, const std::string& name,
                            const std::string& argsLarge, const std::string& argsSmall) {
        pairs.push_back({what + " " + argsLarge + " / " + argsSmall,
                         name + "/" + argsLarge + "/real_time",
                         name + "/" + argsSmall + "/real_time"});
    };
    growth("start-up, sites", "StartUp", "10000", "1000");
    growth("start-up, sites", "StartUp", "100000", "10000");
    growth("click, new coordinates,", "ClickNewCoordinates", "sites:10000/mode:0",
           "sites:1000/mode:0");
    growth("click, new coordinates,", "ClickNewCoordinates", "sites:100000/mode:0",
           "sites:10000/mode:0");
    growth("click, same coordinates,", "ClickSameCoordinates", "sites:10000/mode:0",
           "sites:1000/mode:0");
    growth("click, same coordinates,", "ClickSameCoordinates", "sites:100000/mode:0",
           "sites:10000/mode:0");
    pairs.push_back({"decipher / memcpy, 64 KiB", "Decipher/65536", "Memcpy/65536"});
    pairs.push_back({"decipher / memcpy, 16 MiB", "Decipher/16777216", "Memcpy/16777216"});
    pairs.push_back({"conversion / PROJ proj_trans, per point", "Convert", "ProjTrans"});
    return pairs;
}

// The offscreen platform warns at every raise of a window; the warning says nothing about the
// figures and would bury the report.
QtMessageHandler previousHandler = nullptr;

void QuietRaiseWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text != QStringLiteral("This plugin does not support raise()") && previousHandler) {
        previousHandler(type, context, text);
    }
}

} // namespace

int main(int argc, char** argv) {
    SetDefault("QT_QPA_PLATFORM", "offscreen");
    SetDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    SetDefault("VAKREL_NYUSATSU_URL", "http://nyusatsu.localhost:9/ppi/pub");
    SetDefault("VAKREL_ROUTE_URL", "http://route.localhost:9/distance/index.html");
    PrepareWebBrowserProcess();
    previousHandler = qInstallMessageHandler(QuietRaiseWarning);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    TApplication application(argc, argv);
    SetApplicationTitle("Vakrel_R581_prototype");
    {
        const TWebBrowserSession session;
        const bool terminal = ::isatty(STDOUT_FILENO) != 0;
        RatioReporter reporter(terminal ? RatioReporter::OO_Defaults : RatioReporter::OO_Tabular,
                               Pairs());
        benchmark::RunSpecifiedBenchmarks(&reporter);
        CloseKeptMainWindow();
    }
    benchmark::Shutdown();
    return 0;
}
