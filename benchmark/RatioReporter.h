#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, followed by the ratios of paired benchmarks (real time per iteration of
// the first over the second) for every pair whose two sides both ran. With repetitions the
// ratios are those of the medians.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Pair {
        std::string label;
        std::string numerator; // benchmark names as reported, e.g. "StartUp/10000/real_time"
        std::string denominator;
    };

    RatioReporter(OutputOptions options, std::vector<Pair> pairs)
        : ConsoleReporter(options), pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<Pair> pairs_;
    std::map<std::string, double> seconds_; // per iteration, by benchmark name
    std::map<std::string, bool> fromMedian_;
};
