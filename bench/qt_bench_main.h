#pragma once
// The body of a benchmark program that needs widgets: one application on Qt's offscreen platform
// (unless the environment names another), then every benchmark the command line selects, shown
// by the reporter given (the console's when none is).
#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunQtBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return 0;
}
