#pragma once
// A console reporter that also keeps each benchmark's median real time, for the programs that
// print a measure's ratio to its floor once every benchmark has run. A median is in its
// benchmark's own time unit; a benchmark with arguments is named with them, as
// "BM_SortCustomers/keyLine:4".
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class MedianRecorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            medians_[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median of a benchmark that ran repeated, or 0.
    double Median(const std::string& name) const
    {
        const auto it = medians_.find(name);
        return it == medians_.end() ? 0 : it->second;
    }
    // The measure's median over its floor's, or 0 when either did not run.
    double Ratio(const std::string& measured, const std::string& floor) const
    {
        const double under = Median(floor);
        return under > 0 ? Median(measured) / under : 0;
    }
    // The line that gives a measure against its floor, both timed in milliseconds; nothing when
    // either did not run.
    void PrintRatio(const char* what, const std::string& measured, const std::string& floor, double goal) const
    {
        if (const double ratio = Ratio(measured, floor))
            std::printf("%s: %.1f ms against a floor of %.1f ms, ratio %.2f (goal: at most %.1f)\n", what,
                        Median(measured), Median(floor), ratio, goal);
    }

private:
    std::map<std::string, double> medians_;
};
