#include "RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) {
            continue;
        }
        const double seconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const std::string name = run.run_name.str();
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            seconds_[name] = seconds;
            fromMedian_[name] = true;
        } else if (run.run_type == Run::RT_Iteration && !fromMedian_[name]) {
            seconds_[name] = seconds;
        }
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    bool heading = false;
    for (const Pair& pair : pairs_) {
        const auto numerator = seconds_.find(pair.numerator);
        const auto denominator = seconds_.find(pair.denominator);
        if (numerator == seconds_.end() || denominator == seconds_.end() ||
            denominator->second <= 0.0) {
            continue;
        }
        if (!heading) {
            std::printf("\nRatios of real time per iteration\n");
            heading = true;
        }
        std::printf("  %-64s %8.2f\n", pair.label.c_str(), numerator->second / denominator->second);
    }
    std::fflush(stdout);
}
