// Block records at the capacity of the cash-ticket list: 98,999 tickets of 19 lines each (about
// 1.9 million lines). Looking a block up by its start tag, rewriting a ticket in place, deleting a
// ticket with the renumbering of every later one, walking the whole list and reading lines by
// position, each beside the same operation done on a plain QStringList; the ratios of the walks
// and reads to the plain list's (medians) are printed at the end.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>
#include "bench/medians.h"
#include "bench/qt_bench_main.h"
#include "manager/cardfile/fiche.h"

namespace {

constexpr int Tickets = 98999;

QString Tag(const char* prefix, int n)
{
    return QStringLiteral("%1%2>").arg(QLatin1String(prefix)).arg(n, 5, 10, QLatin1Char('0'));
}

QStringList Fields(int n)
{
    return {QStringLiteral("NUMT%1").arg(202400001 + n),
            QString::number(10001 + n % 9999),
            QStringLiteral("Client %1").arg(n % 9999),
            QString::number(10001 + n % 40),
            QStringLiteral("POSTE%1").arg(n % 40),
            QStringLiteral("12/05/2024"),
            QStringLiteral("14:05"),
            QStringLiteral("12/05/2024"),
            QStringLiteral("15:20"),
            QStringLiteral("75"),
            QStringLiteral("      3,75"),
            QStringLiteral("      3,75"),
            QStringLiteral("      0,00"),
            QStringLiteral("Y"),
            QStringLiteral("N"),
            QStringLiteral("N"),
            QStringLiteral("DATAImpr.\t2\t0,15")};
}

QStringList TicketLines(int count)
{
    QStringList lines;
    lines.reserve(count * 19);
    for (int n = 0; n < count; ++n) {
        lines << Tag("<BLOC", n);
        lines << Fields(n);
        lines << Tag("</BLOC", n);
    }
    return lines;
}

// A plain list's block deletion: line after line from the start tag up to the end tag. Answers
// where the block was.
int DeletePlainBlock(QStringList& list, int n)
{
    const QString end = Tag("</BLOC", n);
    const int pos = int(list.indexOf(Tag("<BLOC", n)));
    while (pos >= 0 && pos < list.size()) {
        if (list.takeAt(pos) == end)
            break;
    }
    return pos;
}

const QStringList& Full()
{
    static const QStringList lines = TicketLines(Tickets);
    return lines;
}

TFiche& Window()
{
    static TFiche* fiche = [] {
        auto* f = new TFiche;
        f->PageControl1->setCurrentWidget(f->TabSheet5);
        return f;
    }();
    return *fiche;
}

void Load(TFiche& fiche)
{
    fiche.ListeTickets = Full();
    fiche.NbTickets = Tickets;
}

// ---- lookup by start tag ------------------------------------------------------------------------

void BM_LookupByStartTag(benchmark::State& state)
{
    RecordList list(5);
    list = Full();
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> pick(0, Tickets - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindBlock(pick(rng)));
}
BENCHMARK(BM_LookupByStartTag);

void BM_LookupByStartTag_PlainList(benchmark::State& state)
{
    const QStringList& list = Full();
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> pick(0, Tickets - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.indexOf(Tag("<BLOC", pick(rng))));
}
BENCHMARK(BM_LookupByStartTag_PlainList)->Unit(benchmark::kMillisecond);

// ---- rewrite in place ---------------------------------------------------------------------------

// A ticket card written back with one more detail line each time, so the block changes length.
void BM_RewriteInPlace(benchmark::State& state)
{
    TFiche& fiche = Window();
    Load(fiche);
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> pick(0, Tickets - 1);
    QStringList fields = Fields(0);
    for (auto _ : state) {
        fiche.IndexTicket = pick(rng);
        fields << QStringLiteral("DATAScan\t1\t0,50");
        if (fields.size() > 30)
            fields = Fields(0);
        fiche.RewriteBlock(TFiche::KTicket, fields);
    }
    state.counters["lines"] = fiche.ListeTickets.Count();
}
BENCHMARK(BM_RewriteInPlace);

void BM_RewriteInPlace_PlainList(benchmark::State& state)
{
    QStringList list = Full();
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> pick(0, Tickets - 1);
    QStringList fields = Fields(0);
    for (auto _ : state) {
        const int n = pick(rng);
        fields << QStringLiteral("DATAScan\t1\t0,50");
        if (fields.size() > 30)
            fields = Fields(0);
        const int pos = DeletePlainBlock(list, n);
        QStringList block{Tag("<BLOC", n)};
        block << fields << Tag("</BLOC", n);
        for (int k = 0; k < block.size(); ++k)
            list.insert(pos + k, block[k]);
    }
}
BENCHMARK(BM_RewriteInPlace_PlainList)->Unit(benchmark::kMillisecond);

// ---- delete with renumbering --------------------------------------------------------------------

// What Supprime does to the ticket list (the card is not read here): the block goes and every
// later block is renumbered. A new last ticket is added back outside the timing so the list
// keeps its size.
void BM_DeleteWithRenumbering(benchmark::State& state)
{
    TFiche& fiche = Window();
    Load(fiche);
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pick(0, Tickets - 2);
    for (auto _ : state) {
        fiche.IndexTicket = pick(rng);
        fiche.RemoveBlock(TFiche::KTicket, fiche.IndexTicket);
        fiche.RenumberAfterDelete(TFiche::KTicket);
        state.PauseTiming();
        fiche.ListeTickets.Add(QStringList{Tag("<BLOC", fiche.NbTickets)} + Fields(0)
                               + QStringList{Tag("</BLOC", fiche.NbTickets)});
        ++fiche.NbTickets;
        state.ResumeTiming();
    }
    state.counters["blocks"] = fiche.NbTickets;
}
BENCHMARK(BM_DeleteWithRenumbering)->Unit(benchmark::kMicrosecond);

void BM_DeleteWithRenumbering_PlainList(benchmark::State& state)
{
    QStringList list = Full();
    int count = Tickets;
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pick(0, Tickets - 2);
    for (auto _ : state) {
        const int i = pick(rng);
        DeletePlainBlock(list, i);
        for (QString& line : list) {
            const bool start = line.startsWith(QLatin1String("<BLOC"));
            if (!start && !line.startsWith(QLatin1String("</BLOC")))
                continue;
            const int n = line.mid(start ? 5 : 6, 5).toInt();
            if (n > i)
                line = Tag(start ? "<BLOC" : "</BLOC", n - 1);
        }
        state.PauseTiming();
        list << Tag("<BLOC", count - 1) << Fields(0) << Tag("</BLOC", count - 1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteWithRenumbering_PlainList)->Unit(benchmark::kMillisecond);

// ---- walking and reading by position -----------------------------------------------------------

// One pass over every line, as the statistics and the save read a list: through the walk, which
// makes no string per line.
void BM_WalkAllLines(benchmark::State& state)
{
    RecordList list(5);
    list = Full();
    for (auto _ : state) {
        int numbered = 0;
        list.ForEachLine([&](int, QStringView line) { numbered += line.startsWith(QLatin1String("NUMT")); });
        benchmark::DoNotOptimize(numbered);
    }
    state.counters["lines"] = list.Count();
}
BENCHMARK(BM_WalkAllLines)->Unit(benchmark::kMillisecond);

void BM_WalkAllLines_PlainList(benchmark::State& state)
{
    const QStringList& list = Full();
    for (auto _ : state) {
        int numbered = 0;
        for (int j = 0; j < list.size(); ++j)
            numbered += list[j].startsWith(QLatin1String("NUMT"));
        benchmark::DoNotOptimize(numbered);
    }
}
BENCHMARK(BM_WalkAllLines_PlainList)->Unit(benchmark::kMillisecond);

// The same pass reading each line by its position, as the code not moved to the walk reads.
void BM_WalkByPosition(benchmark::State& state)
{
    RecordList list(5);
    list = Full();
    for (auto _ : state) {
        int numbered = 0;
        for (int j = 0; j < list.Count(); ++j)
            numbered += list[j].startsWith(QLatin1String("NUMT"));
        benchmark::DoNotOptimize(numbered);
    }
}
BENCHMARK(BM_WalkByPosition)->Unit(benchmark::kMillisecond);

// Every line read by its position, one after the other, each kept as a string of its own, as
// the card and server code read a block's fields.
void BM_ReadByPosition(benchmark::State& state)
{
    RecordList list(5);
    list = Full();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int j = 0; j < list.Count(); ++j) {
            const QString line = list[j];
            chars += line.size();
        }
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_ReadByPosition)->Unit(benchmark::kMillisecond);

void BM_ReadByPosition_PlainList(benchmark::State& state)
{
    const QStringList& list = Full();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int j = 0; j < list.size(); ++j) {
            const QString line = list[j];
            chars += line.size();
        }
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_ReadByPosition_PlainList)->Unit(benchmark::kMillisecond);

// Lines read at random positions, as a look-up lands on a block and reads a few of its fields.
const std::vector<int>& RandomPositions()
{
    static const std::vector<int> positions = [] {
        std::mt19937 rng(4);
        std::uniform_int_distribution<int> pick(0, int(Full().size()) - 1);
        std::vector<int> p(1 << 16);
        for (int& n : p)
            n = pick(rng);
        return p;
    }();
    return positions;
}

void BM_ReadAtRandom(benchmark::State& state)
{
    RecordList list(5);
    list = Full();
    const std::vector<int>& at = RandomPositions();
    std::size_t k = 0;
    for (auto _ : state) {
        const QString line = list[at[k]];
        benchmark::DoNotOptimize(line);
        k = (k + 1) % at.size();
    }
}
BENCHMARK(BM_ReadAtRandom);

void BM_ReadAtRandom_PlainList(benchmark::State& state)
{
    const QStringList& list = Full();
    const std::vector<int>& at = RandomPositions();
    std::size_t k = 0;
    for (auto _ : state) {
        const QString line = list[at[k]];
        benchmark::DoNotOptimize(line);
        k = (k + 1) % at.size();
    }
}
BENCHMARK(BM_ReadAtRandom_PlainList);

// ---- loading ------------------------------------------------------------------------------------

void BM_LoadAndSaveLines(benchmark::State& state)
{
    for (auto _ : state) {
        RecordList list(5);
        list = Full();
        benchmark::DoNotOptimize(list.ToStringList());
    }
}
BENCHMARK(BM_LoadAndSaveLines)->Unit(benchmark::kMillisecond);

MedianRecorder Medians;

void Ratio(const char* what, const std::string& measured, const std::string& plain, const char* goal)
{
    if (const double ratio = Medians.Ratio(measured, plain))
        std::printf("%s: ratio %.2f to a plain list (%s)\n", what, ratio, goal);
}

}  // namespace

int main(int argc, char** argv)
{
    if (const int failed = RunQtBenchmarks(argc, argv, &Medians))
        return failed;
    Ratio("Walk", "BM_WalkAllLines", "BM_WalkAllLines_PlainList", "goal: at most 1.5");
    Ratio("Walk by position", "BM_WalkByPosition", "BM_WalkAllLines_PlainList", "as close as can be");
    Ratio("Read by position", "BM_ReadByPosition", "BM_ReadByPosition_PlainList", "as close as can be");
    Ratio("Read at random", "BM_ReadAtRandom", "BM_ReadAtRandom_PlainList", "as close as can be");
    return 0;
}
