// Loading and saving a saved set at full capacity (9,999 customers with their history, 9,999
// articles, 9,999 invoices, 256 machines, 98,999 cash tickets), each measured beside its floor:
// reading and decoding the same five files into lines, and encoding and writing the same bytes.
// The ratios are printed at the end; the goals are at most 2 for the load and 1.2 for the save.
// Then the resident memory of a process that holds the set: a fresh copy of this program opens it
// as the card file does and reads its own figures (steady: VmRSS once open; peak: VmHWM).
// `--write_set=FOLDER` only writes the set there as set.vtr and its siblings, for trying the
// program on it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>
#include "bench/full_set.h"
#include "bench/medians.h"
#include "manager/cardfile/fiche.h"
#include "platform/textfile.h"

namespace {

QString Folder;

QString Path(const QString& base, const char* ext)
{
    return QDir(Folder).filePath(base + "." + ext);
}

const char* const Extensions[] = {"vtr", "stk", "fct", "pst", "cai"};

using namespace fullset;

MedianRecorder Medians;  // in milliseconds

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

// A field of /proc/self/status in KiB, or -1.
long StatusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// The child's part: the set opened by a card file in a process that did nothing else, or no set
// at all for an empty path; prints "rss hwm" in KiB once it is open.
int HoldSet(const QString& path)
{
    TFiche fiche;
    if (!path.isEmpty() && !fiche.Charge(path))
        return 1;
    std::printf("%ld %ld\n", StatusKiB("VmRSS"), StatusKiB("VmHWM"));
    return 0;
}

void Resident(const char* what, const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold_set=") + path});
    long rss = -1, hwm = -1;
    if (child.waitForFinished(120000) && child.exitCode() == 0)
        std::sscanf(child.readAllStandardOutput().constData(), "%ld %ld", &rss, &hwm);
    std::printf("Resident memory %s: %.1f MiB steady (VmRSS), %.1f MiB peak (VmHWM)%s\n", what, rss / 1024.0,
                hwm / 1024.0, path.isEmpty() ? "" : " (goal: under 120 MiB)");
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString hold = QStringLiteral("--hold_set=");
    const QString write = QStringLiteral("--write_set=");
    if (argc == 2 && QString::fromLocal8Bit(argv[1]).startsWith(hold))
        return HoldSet(QString::fromLocal8Bit(argv[1]).mid(hold.size()));
    if (argc == 2 && QString::fromLocal8Bit(argv[1]).startsWith(write)) {
        Folder = QString::fromLocal8Bit(argv[1]).mid(write.size());
        Generate();
        return 0;
    }
    QTemporaryDir folder;
    Folder = folder.path();
    Generate();

    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(&Medians);
    benchmark::Shutdown();
    Medians.PrintRatio("Charge", "BM_Charge", "BM_ChargeFloor", 2);
    Medians.PrintRatio("Sauve", "BM_Sauve", "BM_SauveFloor", 1.2);
    Resident("with no set", QString());
    Resident("with the full set open", Path("set", "vtr"));
    return 0;
}
