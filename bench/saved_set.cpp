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

namespace {

QTemporaryDir* Folder;

QString Path(const QString& base, const char* ext)
{
    return Folder->filePath(base + "." + ext);
}

const char* const Extensions[] = {"vtr", "stk", "fct", "pst", "cai"};

QString Tag(const char* slash, int n, int width)
{
    return QStringLiteral("<%1BLOC%2>").arg(QLatin1String(slash)).arg(n, width, 10, QLatin1Char('0'));
}

void AddBlock(QStringList& list, int n, int width, const QStringList& fields)
{
    list << Tag("", n, width);
    list += fields;
    list << Tag("/", n, width);
}

QString Date(int i)
{
    return QStringLiteral("%1/%2/20%3").arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(20 + i % 5);
}

// Blocks shaped like the cards write them: the fixed field lines, then the repeated ones.
QStringList Customers()
{
    QStringList list;
    for (int i = 0; i < 9999; ++i) {
        QStringList f = {QString::number(10001 + i), "N", "N", QStringLiteral("DUPRÉ Élodie %1").arg(i),
                         QStringLiteral("%1 rue de la Gare").arg(i % 200), "Bâtiment B", "75011", "Paris", "France",
                         "01 43 55 12 34", "", QStringLiteral("client%1@exemple.fr").arg(i),
                         QStringLiteral("login%1").arg(i), "k7Xq2p", "600", "135", "   1 250,00", Date(i), "18:45",
                         Date(i + 3), Date(i + 40), "", ""};
        for (int g = 0; g < 5; ++g)
            f << QStringLiteral("GRID%1\t%2\t\t\t\t").arg(Date(g).left(5), Date(g + 1).left(5));
        for (int h = 0; h < 20; ++h)
            f << QStringLiteral("DATA%1\tAbonnement 10 h — crédit\t     20,00").arg(Date(i + h));
        f << "MEMOHabitué, préfère le poste 12." << "MEMOPaie en espèces €.";
        AddBlock(list, i, 4, f);
    }
    return list;
}

QStringList Articles()
{
    QStringList list;
    for (int i = 0; i < 9999; ++i) {
        QStringList f = {QStringLiteral("A%1").arg(i, 5, 10, QLatin1Char('0')), "Boissons",
                         QStringLiteral("Café crème n°%1").arg(i), "      1,80", "1", "707000", "Brûlerie Œ",
                         "120", "10", "Y"};
        for (int h = 0; h < 5; ++h)
            f << QStringLiteral("DATA%1\tEntrée en stock\t     48,00").arg(Date(i + h));
        f << "MEM5Arabica d'Éthiopie" << "MEM6À servir chaud";
        AddBlock(list, i, 4, f);
    }
    return list;
}

QStringList Invoices()
{
    QStringList list;
    for (int i = 0; i < 9999; ++i) {
        QStringList f = {QStringLiteral("NUMF2024%1").arg(i % 12 * 1000 + i % 1000, 5, 10, QLatin1Char('0')),
                         Date(i), QString::number(10001 + i), "Espèces", QStringLiteral("DUPRÉ Élodie %1").arg(i),
                         "12 rue de la Gare", "", "75011 Paris", "N", "      0,00", "     42,50"};
        for (int l = 0; l < 10; ++l)
            f << QStringLiteral("FACTA%1\tCafé crème\t2\t1,80\t0\t3,60\t1").arg(l, 5, 10, QLatin1Char('0'));
        f << "MEMOMerci de votre visite.";
        AddBlock(list, i, 4, f);
    }
    return list;
}

QStringList Machines()
{
    QStringList list;
    for (int i = 0; i < 256; ++i) {
        QStringList f = {QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("poste-%1").arg(i),
                         "Linux", "192.168.0.1", "N", "Y", "Y", "N", "Y", "N", "Y", "N", "Y", "N"};
        for (int h = 0; h < 10; ++h)
            f << QStringLiteral("DATA%1\tSession\t      2,50").arg(Date(i + h));
        AddBlock(list, i, 4, f);
    }
    return list;
}

QStringList Tickets()
{
    QStringList list;
    for (int i = 0; i < 98999; ++i) {
        QStringList f = {QStringLiteral("NUMT2024%1").arg(i % 100000, 5, 10, QLatin1Char('0')), Date(i),
                         QString::number(10001 + i % 9999), QStringLiteral("poste-%1").arg(i % 256), "14:05",
                         "15:20", "75", "Y", "      5,50"};
        f << "FACTTemps de connexion\t1\t5,50\t5,50" << "FACTCafé crème\t1\t1,80\t1,80";
        AddBlock(list, i, 5, f);
    }
    return list;
}

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
