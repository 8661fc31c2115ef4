#pragma once
// The body of a benchmark program that needs widgets: one application on Qt's offscreen platform
// (unless the environment names another), then every benchmark the command line selects, shown
// by the reporter given (the console's when none is). Interleaved, the repetitions of all the
// benchmarks run in a random order, so that a measure and its floor meet the same machine load;
// the command line can still turn it off.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <vector>

inline int RunQtBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr,
                           bool interleaved = false)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    if (interleaved)
        args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return 0;
}
