// The console table of Google Benchmark, remembering each run's rate and time so that the
// comparisons with the other plotting widget can be printed as summary lines after it.
#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

class BenchReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // "ours: R1 M points/s; theirs: R2 M points/s; ratio R1 / R2".
    void PrintRateComparison(const std::string& ours, const std::string& theirs) const;
    // "name: T1 ms CPU; theirs: T2 ms CPU; ratio T2 / T1", the ratio being how many times
    // faster ours is; false, printing nothing, when either was not run.
    bool PrintTimeComparison(const std::string& name, const std::string& ours,
                             const std::string& theirs) const;
    void PrintRate(const std::string& name) const;
    // Processor nanoseconds per item of the named run; 0 when it was not run.
    double NanosecondsPerItem(const std::string& name) const;

private:
    std::map<std::string, double> rates_;
    std::map<std::string, double> milliseconds_;
};
