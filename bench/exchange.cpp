// Import, export and sort at full capacity, each beside its floor:
// - importing 9,998 customers from a CSV file, beside reading the same file into lines;
// - exporting 98,999 cash tickets as CSV, beside writing the same bytes the same way (a temporary
//   file renamed over the target);
// - sorting 9,999 customers by name, beside sorting the same names by precomputed collation keys
//   (the keys computed, then a stable sort of them).
// Each is repeated, all the repetitions run interleaved, and the ratios are taken between medians
// and printed at the end; the goal is at most 3 for each.
#include "manager/cardfile/core/exchange.h"
#include <QCollatorSortKey>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>
#include <string>
#include "bench/full_set.h"
#include "bench/medians.h"
#include "bench/qt_bench_main.h"
#include "manager/cardfile/core/search.h"
#include "manager/cardfile/fiche.h"
#include "platform/textfile.h"

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

TFiche& Window()
{
    static TFiche* fiche = new TFiche;
    return *fiche;
}

// ---- import ---------------------------------------------------------------------------------------

const QString& ImportFile()
{
    static const QString path = [] {
        QStringList lines;
        for (int i = 0; i < exchange::MaxCustomers; ++i)
            lines << QStringLiteral("DUPRÉ Élodie %1;%2 rue de la Gare;Bâtiment B;75011;Paris;France;01 43 55 12 34")
                         .arg(i)
                         .arg(i % 200);
        const QString p = Folder().filePath(QStringLiteral("clients.csv"));
        textfile::SaveToFile(p, lines);
        return p;
    }();
    return path;
}

void BM_ImportCustomers(benchmark::State& state)
{
    TFiche& fiche = Window();
    fiche.PageControl1->setCurrentWidget(fiche.TabSheet1);
    const QString& path = ImportFile();
    for (auto _ : state) {
        state.PauseTiming();
        fiche.ListeClients.Clear();
        fiche.NbClients = fiche.IndexClient = 0;
        fiche.ModifClient = false;
        state.ResumeTiming();
        fiche.ImportCsv(path);
    }
    if (fiche.NbClients != exchange::MaxCustomers)
        state.SkipWithError("not every line was imported");
}
BENCHMARK(BM_ImportCustomers)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_ImportCustomers_ReadingTheFile(benchmark::State& state)
{
    const QString& path = ImportFile();
    for (auto _ : state) {
        QStringList lines;
        textfile::LoadFromFile(path, lines);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ImportCustomers_ReadingTheFile)->Unit(benchmark::kMillisecond)->Repetitions(5);

// ---- export ---------------------------------------------------------------------------------------

void LoadTickets(TFiche& fiche)
{
    static const QStringList tickets = fullset::Tickets();
    if (fiche.NbTickets == 98999)
        return;
    fiche.ListeTickets = tickets;
    fiche.NbTickets = 98999;
}

void BM_ExportTickets(benchmark::State& state)
{
    TFiche& fiche = Window();
    LoadTickets(fiche);
    fiche.PageControl1->setCurrentWidget(fiche.TabSheet5);
    const QString path = Folder().filePath(QStringLiteral("tickets.csv"));
    for (auto _ : state)
        fiche.ExportCsv(path);
}
BENCHMARK(BM_ExportTickets)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_ExportTickets_WritingTheBytes(benchmark::State& state)
{
    TFiche& fiche = Window();
    LoadTickets(fiche);
    const int fields[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};
    const QByteArray bytes = textfile::JoinLines(exchange::ExportLines(fiche.ListeTickets, fields, QLatin1Char(';')));
    const QString path = Folder().filePath(QStringLiteral("bytes.csv"));
    for (auto _ : state) {
        textfile::FileSet set;
        set.add(path, bytes);
        set.commit();
    }
}
BENCHMARK(BM_ExportTickets_WritingTheBytes)->Unit(benchmark::kMillisecond)->Repetitions(5);

// ---- sort -----------------------------------------------------------------------------------------

// The customers in an order far from sorted: the names' numbers reversed in steps.
const QStringList& Unsorted()
{
    static const QStringList lines = [] {
        QStringList names = fullset::Customers();
        RecordList list(4);
        list = names;
        // Sorting by the code (+1) descending, as text, mixes the names well.
        QStringList shuffled;
        for (int i = 0; i < 9999; ++i) {
            const int n = (i * 7919) % 9999;
            const int pos = list.FindBlock(n);
            QStringList block;
            for (int k = pos; k < pos + list.BlockLength(pos, n); ++k)
                block << list[k];
            block.first() = list.StartTag(i);
            block.last() = list.EndTag(i);
            shuffled << block;
        }
        return shuffled;
    }();
    return lines;
}

// By name (line +4), and by town (+8): every customer of the set lives in Paris, so there each
// comparison goes on to the codes.
void BM_SortCustomers(benchmark::State& state)
{
    RecordList list(4);
    for (auto _ : state) {
        state.PauseTiming();
        list = Unsorted();
        state.ResumeTiming();
        search::SortBlocks(list, int(state.range(0)));
    }
}
BENCHMARK(BM_SortCustomers)->ArgName("keyLine")->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_SortCustomersByName_CollationKeys(benchmark::State& state)
{
    RecordList list(4);
    list = Unsorted();
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        if (list[i].startsWith(QLatin1String("<BLOC")))
            names << list[i + 4];
    const QCollator collator = search::SortCollator();
    for (auto _ : state) {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(names.size());
        for (const QString& name : names)
            keys.push_back(collator.sortKey(name));
        std::vector<int> order(names.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
        benchmark::DoNotOptimize(order);
    }
}
BENCHMARK(BM_SortCustomersByName_CollationKeys)->Unit(benchmark::kMillisecond)->Repetitions(5);

MedianRecorder Medians;

}  // namespace

int main(int argc, char** argv)
{
    if (const int failed = RunQtBenchmarks(argc, argv, &Medians, true))
        return failed;
    Medians.PrintRatio("Import", "BM_ImportCustomers", "BM_ImportCustomers_ReadingTheFile", 3);
    Medians.PrintRatio("Export", "BM_ExportTickets", "BM_ExportTickets_WritingTheBytes", 3);
    Medians.PrintRatio("Sort by name", "BM_SortCustomers/keyLine:4", "BM_SortCustomersByName_CollationKeys", 3);
    return 0;
}
