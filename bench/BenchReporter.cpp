#include "BenchReporter.h"

#include <cstdio>

void BenchReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        // With repetitions the median stands for the benchmark.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if ((run.run_type != Run::RT_Iteration && !median) || run.iterations == 0) continue;
        const std::string name = run.run_name.str();
        if (run.counters.count("items_per_second"))
            rates_[name] = run.counters.at("items_per_second");
        // Processor time, as the rates are: on a machine shared with other work the wall
        // clock measures the neighbours too.
        milliseconds_[name] = run.cpu_accumulated_time * 1e3 / double(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
}

void BenchReporter::PrintRateComparison(const std::string& ours, const std::string& theirs) const {
    const auto a = rates_.find(ours), b = rates_.find(theirs);
    if (a == rates_.end() || b == rates_.end() || b->second <= 0) return;
    std::printf("%s: %.1f M points/s; %s: %.1f M points/s; ratio %.2f\n", ours.c_str(),
                a->second / 1e6, theirs.c_str(), b->second / 1e6, a->second / b->second);
}

bool BenchReporter::PrintTimeComparison(const std::string& name, const std::string& ours,
                                        const std::string& theirs) const {
    const auto a = milliseconds_.find(ours), b = milliseconds_.find(theirs);
    if (a == milliseconds_.end() || b == milliseconds_.end() || a->second <= 0) return false;
    std::printf("%s: %.3f ms CPU; %s: %.3f ms CPU; ratio %.2f\n", name.c_str(), a->second,
                theirs.c_str(), b->second, b->second / a->second);
    return true;
}

void BenchReporter::PrintRate(const std::string& name) const {
    const auto a = rates_.find(name);
    if (a != rates_.end()) std::printf("%s: %.1f M points/s\n", name.c_str(), a->second / 1e6);
}

double BenchReporter::NanosecondsPerItem(const std::string& name) const {
    const auto a = rates_.find(name);
    return a == rates_.end() || a->second <= 0 ? 0 : 1e9 / a->second;
}
