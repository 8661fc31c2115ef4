// Opening the record-list dialogs on a full-capacity set: 98,999 cash tickets in the ordered
// ticket list, 9,999 invoices in the ordered invoice list, 9,999 customers in the grid list and
// in the customer pick list. Each run fills a new dialog from the list, as the card file does
// when the operator opens it.
#include "bench/qt_bench_main.h"
#include <QListWidget>
#include <QTableWidget>
#include "manager/cardfile/core/recordlist.h"
#include "manager/shell/factliste.h"
#include "manager/shell/fliste.h"
#include "manager/shell/listecli.h"
#include "manager/shell/ticketliste.h"

namespace {

QString Tag(const char* prefix, int n, int width)
{
    return QString("%1%2>").arg(prefix).arg(n, width, 10, QLatin1Char('0'));
}

// Blocks of `fields` field lines and one memo line each, numbered 0 to count-1 in list order.
RecordList Blocks(int count, int width, const std::function<QStringList(int)>& fields)
{
    QStringList lines;
    lines.reserve(count * 20);
    for (int n = 0; n < count; ++n) {
        lines << Tag("<BLOC", n, width);
        lines << fields(n);
        lines << Tag("</BLOC", n, width);
    }
    RecordList list(width);
    list = lines;
    return list;
}

const RecordList& Tickets()
{
    static const RecordList list = Blocks(98999, 5, [](int n) {
        return QStringList{QString("NUMT2024%1").arg(n % 100000, 5, 10, QLatin1Char('0')), QString::number(10001 + n % 9999),
                           "Dupont", "10001", "POSTE1", "05/01/2024", "14:05", "05/01/2024", "15:00", "55",
                           "   4,00", "   4,00", "   0,00", "Y", "N", "N"};
    });
    return list;
}

const RecordList& Invoices()
{
    static const RecordList list = Blocks(9999, 4, [](int n) {
        return QStringList{QString("NUMF2024%1").arg(n, 5, 10, QLatin1Char('0')), "05/01/2024",
                           QString::number(10001 + n), "CB", "Facture   ", "Cyber Étoile", "3 rue Haute", "69001 LYON",
                           "", "TTCN", "N", "FACT1001\tCafé\t1\t1,50\t0\t1,50\t1", "FACT1002\tImpression\t3\t0,20\t0\t0,60\t1"};
    });
    return list;
}

const RecordList& Customers()
{
    static const RecordList list = Blocks(9999, 4, [](int n) {
        return QStringList{QString::number(10001 + n), "N", "N", QString("Client %1").arg(n), "3 rue Haute", "",
                           "69001", "LYON", "France", "04 78 00 00 01", "", "", "login", "pw", "600", "120",
                           "  12,00", "05/01/2024", "14:05", "  /  /    ", "  /  /    ", "", "", "",
                           "DATA05/01/2024\tAchat\t   12,00", "GRID1\t1\t1\t1\t1\t1"};
    });
    return list;
}

template <class Dialog>
void Open(benchmark::State& state, const RecordList& list)
{
    for (auto _ : state) {
        Dialog dialog(nullptr);
        dialog.Init(list);
        benchmark::DoNotOptimize(&dialog);
    }
    state.counters["lines"] = list.Count();
}

void TicketList(benchmark::State& state)
{
    Open<TTicketListe>(state, Tickets());
}

void InvoiceList(benchmark::State& state)
{
    Open<TFactListe>(state, Invoices());
}

void CustomerGrid(benchmark::State& state)
{
    Open<TFListe>(state, Customers());
}

void CustomerPick(benchmark::State& state)
{
    Open<TListeCli>(state, Customers());
}

BENCHMARK(TicketList)->Unit(benchmark::kMillisecond);
BENCHMARK(InvoiceList)->Unit(benchmark::kMillisecond);
BENCHMARK(CustomerGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(CustomerPick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
