// Loading and saving a saved set at full capacity (9,999 customers with their history, 9,999
// articles, 9,999 invoices, 256 machines, 98,999 cash tickets), each measured beside its floor:
// reading and decoding the same five files into lines, and encoding and writing the same bytes.
// The ratios are printed at the end; the goal is at most 3 for both.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include "manager/cardfile/fiche.h"
#include "platform/textfile.h"
#include "bench/full_set.h"

namespace {

QTemporaryDir* Folder;

QString Path(const QString& base, const char* ext)
{
    return Folder->filePath(base + "." + ext);
}

const char* const Extensions[] = {"vtr", "stk", "fct", "pst", "cai"};

using namespace fullset;

std::map<std::string, double> Seconds;  // mean real time per iteration, by benchmark name

void Generate()
{
    const QStringList lists[] = {Customers(), Articles(), Invoices(), Machines(), Tickets()};
    textfile::FileSet set;
    for (int k = 0; k < 5; ++k)
        set.add(Path("set", Extensions[k]), lists[k]);
    QString error;
    if (!set.commit(&error))
        qFatal("cannot write the set: %s", qPrintable(error));
}

void BM_Charge(benchmark::State& state)
{
    TFiche fiche;
    for (auto _ : state)
        fiche.Charge(Path("set", "vtr"));
    state.counters["customers"] = fiche.NbClients;
    state.counters["tickets"] = fiche.NbTickets;
}

// The floor of Charge: the five files' bytes read and decoded into lines.
void BM_ChargeFloor(benchmark::State& state)
{
    for (auto _ : state) {
        for (const char* ext : Extensions) {
            QStringList lines;
            textfile::LoadFromFile(Path("set", ext), lines);
            benchmark::DoNotOptimize(lines);
        }
    }
}

void BM_Sauve(benchmark::State& state)
{
    TFiche fiche;
    fiche.Charge(Path("set", "vtr"));
    for (auto _ : state) {
        fiche.SetSauve();
        if (!fiche.Sauve(Path("copy", "vtr")))
            state.SkipWithError("save failed");
    }
}

// The floor of Sauve: the same lines encoded and written to the same files, without the
// temporary files, the flush to the disk or the renaming that make the save all or nothing.
void BM_SauveFloor(benchmark::State& state)
{
    QStringList lists[5];
    for (int k = 0; k < 5; ++k)
        textfile::LoadFromFile(Path("set", Extensions[k]), lists[k]);
    for (auto _ : state) {
        for (int k = 0; k < 5; ++k) {
            QFile file(Path("floor", Extensions[k]));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                state.SkipWithError("cannot write");
            file.write(textfile::JoinLines(lists[k]));
        }
    }
}

// Repeated and interleaved, so that a measure and its floor meet the same machine load and the
// same state of the heap; the ratios are taken between medians.
BENCHMARK(BM_Charge)->Unit(benchmark::kMillisecond)->MinTime(1)->Repetitions(5);
BENCHMARK(BM_ChargeFloor)->Unit(benchmark::kMillisecond)->MinTime(1)->Repetitions(5);
BENCHMARK(BM_Sauve)->Unit(benchmark::kMillisecond)->MinTime(1)->Repetitions(5);
BENCHMARK(BM_SauveFloor)->Unit(benchmark::kMillisecond)->MinTime(1)->Repetitions(5);

class Recorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                Seconds[run.run_name.function_name] = run.GetAdjustedRealTime() / 1e3;  // ms to s
        ConsoleReporter::ReportRuns(runs);
    }
};

void Ratio(const char* what, const std::string& measured, const std::string& floor)
{
    if (Seconds.count(measured) && Seconds.count(floor) && Seconds[floor] > 0)
        std::printf("%s: %.1f ms against a floor of %.1f ms, ratio %.2f (goal: at most 3)\n", what,
                    Seconds[measured] * 1e3, Seconds[floor] * 1e3, Seconds[measured] / Seconds[floor]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Folder = &folder;
    Generate();

    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    Recorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    Ratio("Charge", "BM_Charge", "BM_ChargeFloor");
    Ratio("Sauve", "BM_Sauve", "BM_SauveFloor");
    return 0;
}
