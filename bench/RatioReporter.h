#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Prints the runs as usual and keeps each one's CPU time, so that a
// benchmark can print ratios between its sides at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                Times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    double Time(const std::string& name) const
    {
        const auto it = Times.find(name);
        return it == Times.end() ? 0 : it->second;
    }
    std::map<std::string, double> Times;
};
