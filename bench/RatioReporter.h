#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Prints the runs as usual and keeps each one's CPU time, so that a
// benchmark can print ratios between its sides at the end. With repetitions
// the best run is kept: on a busy machine noise only ever adds time. The
// "min" statistic (MinStatistic) carries it when only aggregates are shown.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    // realTime: keep wall-clock times, for sides that run in another process.
    explicit TRatioReporter(bool realTime = false) : RealTime(realTime) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool best = run.run_type == Run::RT_Iteration ||
                              (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min");
            if (!best)
                continue;
            const double time = RealTime ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            const auto [it, first] = Times.emplace(run.run_name.str(), time);
            if (!first)
                it->second = std::min(it->second, time);
        }
    }
    double Time(const std::string& name) const
    {
        const auto it = Times.find(name);
        return it == Times.end() ? 0 : it->second;
    }
    std::map<std::string, double> Times;
    bool RealTime;
};

inline double MinStatistic(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}
