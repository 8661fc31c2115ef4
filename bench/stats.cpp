// The statistics of a full ticket list (98,999 tickets, half of them in the daily window) and the
// journal of a full invoice list (9,999 invoices), each beside its floor: a walk over the same
// blocks that reads every line once, parses one price per block and adds it to a hash by key.
#include <benchmark/benchmark.h>
#include <QHash>
#include "bench/qt_bench_main.h"
#include "manager/cardfile/core/journal.h"
#include "manager/cardfile/core/stats.h"
#include "platform/rtl.h"

namespace {

constexpr int TicketCount = 98999;
constexpr int InvoiceCount = 9999;
const rtl::TDateTime Today = rtl::EncodeDate(2024, 6, 15);

QString Tag(const char* slash, int n, int width)
{
    return QStringLiteral("<%1BLOC%2>").arg(QLatin1String(slash)).arg(n, width, 10, QLatin1Char('0'));
}

// Sessions spread over the year before today, so that half fall within 180 days; one ticket in
// seven with details, one in eleven booked, one in thirteen a subscriber's.
const RecordList& Tickets()
{
    static const RecordList list = [] {
        QStringList lines;
        lines.reserve(TicketCount * 21);
        for (int i = 0; i < TicketCount; ++i) {
            const QString end = rtl::DateToStr(Today - 360 + i * 360.0 / TicketCount);
            const int minutes = 10 + i % 110;
            lines << Tag("", i, 5) << QStringLiteral("NUMT%1").arg(202301001 + i)
                  << QString::number(10001 + i % 9999) << QStringLiteral("DUPRÉ Élodie %1").arg(i % 9999)
                  << QString::number(1 + i % 256) << QStringLiteral("poste-%1").arg(i % 256) << end << "14:05" << end
                  << "15:20" << QString::number(minutes) << QStringLiteral("      %1,50").arg(2 + minutes / 15)
                  << "     10,00" << "      1,00" << "N" << (i % 13 == 0 ? "Y" : "N") << (i % 11 == 0 ? "Y" : "N")
                  << "MEMOPaie en espèces €.";
            if (i % 7 == 0)
                lines << "DATAImpression\t         2\t      0,15" << "DATACafé crème\t         1\t      1,80";
            lines << Tag("/", i, 5);
        }
        RecordList l(5);
        l = lines;
        return l;
    }();
    return list;
}

const RecordList& Invoices()
{
    static const RecordList list = [] {
        QStringList lines;
        for (int i = 0; i < InvoiceCount; ++i) {
            const char* type = i % 10 == 0 ? "Avoir     " : i % 10 == 1 ? "Devis    " : "Facture";
            lines << Tag("", i, 4) << QStringLiteral("NUM%1%2").arg(QLatin1Char(type[0])).arg(202301001 + i)
                  << rtl::DateToStr(Today - 360 + i * 360.0 / InvoiceCount) << QString::number(10001 + i)
                  << "Espèces" << type << QStringLiteral("DUPRÉ Élodie %1").arg(i) << "12 rue de la Gare" << ""
                  << "75011 Paris" << (i % 2 ? "TTCY" : "TTCN") << "N";
            for (int l = 0; l < 10; ++l)
                lines << QStringLiteral("FACTA%1\tCafé crème\t         2\t      1,80\t5\t      3,42\t%2")
                             .arg(l, 5, 10, QLatin1Char('0'))
                             .arg(1 + l % 3);
            lines << "MEMOMerci de votre visite." << Tag("/", i, 4);
        }
        RecordList l(4);
        l = lines;
        return l;
    }();
    return list;
}

stats::Context Context()
{
    stats::Context c;
    c.tariffs.TarifQuartHeure = 1;
    c.tariffs.TarifDemiHeure = 1.8;
    c.tariffs.TarifTroisQuarts = 2.5;
    c.tariffs.TarifHeure = 3;
    c.tariffs.TarifQuartSup = 0.7;
    c.vatRate = 20;
    c.today = Today;
    return c;
}

// Every line of every block read once; the price on the line `priceLine` after the start tag (or,
// with priceLine 0, the price cell of every invoice line) parsed and added to a hash by the line
// `keyLine`.
int Floor(const RecordList& list, int count, int keyLine, int priceLine)
{
    QHash<QString, double> sums;
    for (int n = 0; n < count; ++n) {
        const int pos = list.FindBlock(n);
        const QString end = list.EndTag(n);
        QString key;
        QStringList prices;
        for (int i = pos + 1; i < list.Count(); ++i) {
            const QString line = list.Strings(i);
            if (line == end)
                break;
            if (i - pos == keyLine)
                key = line;
            else if (priceLine ? i - pos == priceLine : line.startsWith(QLatin1String("FACT")))
                prices << (priceLine ? line : line.section(QLatin1Char('\t'), 3, 3));
        }
        double& sum = sums[key];
        for (const QString& price : prices) {
            try {
                sum += rtl::StrToFloat(price);
            } catch (const EConvertError&) {
            }
        }
    }
    return int(sums.size());
}

void BM_TicketFloor(benchmark::State& state, int keyLine)
{
    const RecordList& list = Tickets();
    for (auto _ : state)
        benchmark::DoNotOptimize(Floor(list, TicketCount, keyLine, 11));
}
BENCHMARK_CAPTURE(BM_TicketFloor, customer, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TicketFloor, date, 8)->Unit(benchmark::kMillisecond);

void BM_Statistics(benchmark::State& state, stats::By by)
{
    const RecordList& list = Tickets();
    const stats::Context context = Context();
    for (auto _ : state)
        benchmark::DoNotOptimize(stats::Tickets(list, TicketCount, by, context).size());
}
BENCHMARK_CAPTURE(BM_Statistics, StatsCli, stats::By::Customer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statistics, StatsPst, stats::By::Machine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statistics, StatsVentes, stats::By::Month)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statistics, StatsCaisse, stats::By::Day)->Unit(benchmark::kMillisecond);

void BM_InvoiceFloor(benchmark::State& state)
{
    const RecordList& list = Invoices();
    for (auto _ : state)
        benchmark::DoNotOptimize(Floor(list, InvoiceCount, 2, 0));
}
BENCHMARK(BM_InvoiceFloor)->Unit(benchmark::kMillisecond);

void BM_Journal(benchmark::State& state)
{
    const RecordList& list = Invoices();
    settings::InvoiceSettings rates;
    rates.TauxTVA1 = 20;
    rates.TauxTVA2 = 5.5;
    rates.TauxTVA3 = 10;
    for (auto _ : state)
        benchmark::DoNotOptimize(journal::Journal(list, InvoiceCount, rates, "0.00", Today).lines.size());
}
BENCHMARK(BM_Journal)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
