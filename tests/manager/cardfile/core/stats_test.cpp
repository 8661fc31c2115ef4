// The statistics of the cash tickets from their blocks: a small set worked by hand (two months,
// two machines, a booked ticket, details, a blank end date), keys matched whole, sums kept as
// numbers, the daily window, and the tickets that stop the statistics.
#include <gtest/gtest.h>
#include "manager/cardfile/core/stats.h"
#include "manager/cardfile/core/ticket.h"
#include "support/blocks.h"

namespace {

struct Ticket {
    Ticket(QString customer, QString name, QString machine, QString machineName, QString endDate, QString minutes,
           QString price, bool booked = false, QStringList details = {})
        : customer(customer), name(name), machine(machine), machineName(machineName), endDate(endDate),
          minutes(minutes), price(price), booked(booked), details(details)
    {
    }
    QString customer, name, machine, machineName, endDate, minutes, price;
    bool booked = false;
    QStringList details;  // "DATA" lines without their prefix
};

// A ticket block in the card file's form; the lines the statistics do not read as a blank card
// writes them.
QStringList Block(int n, const Ticket& t)
{
    QStringList details;
    for (const QString& d : t.details)
        details << "DATA" + d;
    return cards::Block(n, cards::TicketRecord{.number = QStringLiteral("2024030%1").arg(n, 2, 10, QLatin1Char('0')),
                                               .customer = t.customer,
                                               .customerName = t.name,
                                               .machine = t.machine,
                                               .machineName = t.machineName,
                                               .endDate = t.endDate,
                                               .minutes = t.minutes,
                                               .price = t.price,
                                               .booked = t.booked ? "Y" : "N",
                                               .more = details});
}

RecordList Tickets(const std::vector<Ticket>& tickets)
{
    QStringList lines;
    for (int n = 0; n < int(tickets.size()); ++n)
        lines << Block(n, tickets[n]);
    RecordList list(5);
    list = lines;
    return list;
}

stats::Context Context()
{
    stats::Context c;
    c.tariffs.TarifQuartHeure = 1;
    c.tariffs.TarifDemiHeure = 2;
    c.tariffs.TarifTroisQuarts = 3;
    c.tariffs.TarifHeure = 4;
    c.tariffs.TarifQuartSup = 1;
    c.vatRate = 20;
    c.today = rtl::EncodeDate(2024, 3, 15);
    return c;
}

// Six tickets worked by hand at the tariffs above (a quarter hour 1, half an hour 2, three
// quarters 3, an hour 4):
//   0  10001 DUPONT       P1  28/02  45 min              3,00
//   1  10002 MARTIN       P2  29/02  60 min + 2 x 0,50   5,00
//   2  10001 DUPONT Jean  P1  01/03  20 min              2,00
//   3  10003 LEROY        P2  blank  booked at 3,50      3,50 (75 min would cost 6,00 today)
//   4  1000  PETIT        P1  05/03  10 min              1,00
//   5  (none) ANONYME     P2  05/03  no minutes, typed   2,00
std::vector<Ticket> HandSet()
{
    return {
        {"10001", "DUPONT", "P1", "poste-1", "28/02/2024", "45", ""},
        {"10002", "MARTIN", "P2", "poste-2", "29/02/2024", "60", "", false, {"Impr.\t2\t0,50"}},
        {"10001", "DUPONT Jean", "P1", "poste-1", "01/03/2024", "20", ""},
        {"10003", "LEROY", "P2", "poste-2", cards::NoDate, "75", "      3,50", true},
        {"1000", "PETIT", "P1", "poste-1", "05/03/2024", "10", ""},
        {"", "ANONYME", "P2", "poste-2", "05/03/2024", "", "2,00"},
    };
}

QStringList Compute(const std::vector<Ticket>& set, stats::By by, const stats::Context& c = Context())
{
    const RecordList list = Tickets(set);
    return stats::Tickets(list, int(set.size()), by, c);
}

TEST(TicketStats, ByCustomerFromTheHandSet)
{
    EXPECT_EQ(Compute(HandSet(), stats::By::Customer),
              (QStringList{"10001\tDUPONT Jean\t5,00", "10002\tMARTIN\t5,00", "10003\tLEROY\t3,50", "1000\tPETIT\t1,00",
                           "\tANONYME\t2,00"}));
}

TEST(TicketStats, ByMachineFromTheHandSet)
{
    EXPECT_EQ(Compute(HandSet(), stats::By::Machine), (QStringList{"P1\tposte-1\t6,00", "P2\tposte-2\t10,50"}));
}

// Without tax at 20 %, each ticket rounded: 2,50 4,17 | 1,67 2,92 0,83 1,67.
TEST(TicketStats, ByMonthFromTheHandSet)
{
    EXPECT_EQ(Compute(HandSet(), stats::By::Month), (QStringList{"Février 2024\t6,67\t8,00", "Mars 2024\t7,09\t8,50"}));
}

TEST(TicketStats, ByDayFromTheHandSet)
{
    EXPECT_EQ(Compute(HandSet(), stats::By::Day),
              (QStringList{"28 février 2024\t2,50\t3,00", "29 février 2024\t4,17\t5,00", "01 mars 2024\t4,59\t5,50",
                           "05 mars 2024\t2,50\t3,00"}));
}

TEST(TicketStats, EachTicketsAmountWithoutTaxIsRoundedBeforeItIsAdded)
{
    std::vector<Ticket> set(3, Ticket{"1", "A", "P", "p", "01/03/2024", "", "1,00"});
    EXPECT_EQ(Compute(set, stats::By::Month), QStringList{"Mars 2024\t2,49\t3,00"});
}

TEST(TicketStats, ARateThatWouldDivideByZeroCountsAsNoTax)
{
    stats::Context c = Context();
    c.vatRate = -100;
    std::vector<Ticket> set(2, Ticket{"1", "A", "P", "p", "01/03/2024", "", "1,50"});
    EXPECT_EQ(Compute(set, stats::By::Month, c), QStringList{"Mars 2024\t3,00\t3,00"});
}

TEST(TicketStats, OnlyThe180DaysAroundTodayCountByDay)
{
    const rtl::TDateTime today = Context().today;
    auto day = [&](int offset) { return rtl::DateToStr(today + offset); };
    const std::vector<Ticket> set = {
        {"1", "A", "P", "p", day(-200), "", "1,00"}, {"1", "A", "P", "p", day(-180), "", "1,00"},
        {"1", "A", "P", "p", day(-179), "", "2,00"}, {"1", "A", "P", "p", day(179), "", "3,00"},
        {"1", "A", "P", "p", day(180), "", "1,00"},
    };
    EXPECT_EQ(Compute(set, stats::By::Day),
              (QStringList{"18 septembre 2023\t1,67\t2,00", "10 septembre 2024\t2,50\t3,00"}));
}

// A date that does not read keeps the key of the ticket before; for the first ticket there is
// none: its line has an empty key.
TEST(TicketStats, AnEndDateThatDoesNotReadKeepsTheKeyBefore)
{
    const std::vector<Ticket> set = {
        {"1", "A", "P", "p", "3x/02/2024", "", "1,00"},
        {"1", "A", "P", "p", "01/03/2024", "", "2,00"},
        {"1", "A", "P", "p", "99/99/2024", "", "4,00"},
    };
    EXPECT_EQ(Compute(set, stats::By::Month), (QStringList{"\t0,83\t1,00", "Mars 2024\t5,00\t6,00"}));
}

TEST(TicketStats, ANumberWithoutBlockAddsNothing)
{
    const std::vector<Ticket> set = {{"1", "A", "P", "p", "01/03/2024", "", "1,00"}};
    const RecordList list = Tickets(set);
    for (stats::By by : {stats::By::Customer, stats::By::Machine, stats::By::Month, stats::By::Day})
        EXPECT_EQ(stats::Tickets(list, 3, by, Context()).size(), 1);
    // The blank card of a new set: a count of 1 and no block.
    EXPECT_TRUE(stats::Tickets(RecordList(5), 1, stats::By::Customer, Context()).isEmpty());
}

// Rewritten blocks may stand anywhere in the list; the keys come in the order of the tags.
TEST(TicketStats, TicketsAreTakenInTagOrder)
{
    const std::vector<Ticket> set = {{"1", "A", "P", "p", "01/03/2024", "", "1,00"},
                                     {"2", "B", "P", "p", "01/03/2024", "", "1,00"}};
    RecordList list(5);
    list = Block(1, set[1]) + Block(0, set[0]);
    EXPECT_EQ(stats::Tickets(list, 2, stats::By::Customer, Context()), (QStringList{"1\tA\t1,00", "2\tB\t1,00"}));
}

TEST(TicketStats, MinutesThatDoNotReadStopOnTheirTicket)
{
    std::vector<Ticket> set = HandSet();
    set[2].minutes = "2x";
    const RecordList list = Tickets(set);
    for (stats::By by : {stats::By::Customer, stats::By::Month}) {
        try {
            stats::Tickets(list, int(set.size()), by, Context());
            ADD_FAILURE() << "no error";
        } catch (const stats::TicketError& e) {
            EXPECT_EQ(e.index, 2);
            EXPECT_EQ(e.Message, "'2x' is not a valid integer value");
        }
    }
}

// A price only reads by month and by day; by customer one that does not read adds nothing.
TEST(TicketStats, APriceThatDoesNotReadStopsOnlyTheDatedStatistics)
{
    std::vector<Ticket> set = HandSet();
    set[3].price = "3,5O";
    const RecordList list = Tickets(set);
    try {
        stats::Tickets(list, int(set.size()), stats::By::Day, Context());
        ADD_FAILURE() << "no error";
    } catch (const stats::TicketError& e) {
        EXPECT_EQ(e.index, 3);
    }
    const QStringList byCustomer = stats::Tickets(list, int(set.size()), stats::By::Customer, Context());
    EXPECT_EQ(byCustomer[2], "10003\tLEROY\t3,5O");
}

TEST(TicketStats, ProgressIsToldEveryStep)
{
    std::vector<Ticket> set(stats::ProgressStep + 1, Ticket{"1", "A", "P", "p", "01/03/2024", "", "1,00"});
    const RecordList list = Tickets(set);
    QList<int> told;
    stats::Tickets(list, int(set.size()), stats::By::Customer, Context(), [&](int i) { told << i; });
    EXPECT_EQ(told, (QList<int>{0, stats::ProgressStep}));
}

// ---- sums per key -------------------------------------------------------------------------------

TEST(Cumuls, KeysAreMatchedWholeInEitherOrder)
{
    stats::Cumuls c;
    c.CumulCli("10001", "A", "1,00");
    c.CumulCli("1000", "B", "2,00");
    c.CumulCli("", "C", "4,00");
    c.CumulCli("10001", "A2", "1,00");
    c.CumulCli("1000", "B", "2,00");
    EXPECT_EQ(c.Lines("0.00"), (QStringList{"10001\tA2\t2,00", "1000\tB\t4,00", "\tC\t4,00"}));
}

// With the "#" format 0,2 + 0,2 shows empty; the later amounts still add up.
TEST(Cumuls, SumsAreFormattedOnceFromNumbers)
{
    stats::Cumuls c;
    for (int i = 0; i < 5; ++i)
        c.CumulCli("1", "A", "0,2");
    c.CumulMois("Mars", " 0,5 ", "0,6");
    c.CumulMois("Mars", "0,5", "0,6");
    c.CumulMois("Avril", "1", "");  // both amounts or nothing
    EXPECT_EQ(c.Lines("#"), (QStringList{"1\tA\t1", "Mars\t1\t1"}));
    EXPECT_EQ(c.Lines("0.0"), (QStringList{"1\tA\t1,0", "Mars\t1,0\t1,2"}));
}

TEST(Cumuls, AOneTicketLineKeepsItsAmountAsTyped)
{
    stats::Cumuls c;
    c.CumulCli("1", "A", "   3 ");
    c.CumulCli("2", "B", "   ");  // blank: no line
    c.CumulCli("3", "C", "abc");
    c.CumulCli("3", "C", "abc");
    c.CumulCli("4", "D", "abc");
    c.CumulCli("4", "D", "2,5");
    EXPECT_EQ(c.Lines("0.00"), (QStringList{"1\tA\t3", "3\tC\tabc", "4\tD\t2,50"}));
}

TEST(Fields, TakenAsExtraitChampTakesThem)
{
    EXPECT_EQ(stats::Fields("a\tb\tc", 3), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(stats::Fields("a\tb", 4), (QStringList{"a", "b", "", ""}));
    EXPECT_EQ(stats::Fields("a\tb\t\tc\td", 4), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(stats::Fields("a\t" + QString(300, 'x'), 2)[1].size(), 255);
}

TEST(Keys, MonthCapitalisedDayNot)
{
    EXPECT_EQ(stats::MonthKey(rtl::EncodeDate(2024, 1, 31)), "Janvier 2024");
    EXPECT_EQ(stats::MonthKey(rtl::EncodeDate(2024, 2, 1)), "Février 2024");
    EXPECT_EQ(stats::MonthKey(rtl::EncodeDate(2024, 8, 1)), "Août 2024");
    EXPECT_EQ(stats::DayKey(rtl::EncodeDate(2024, 3, 5)), "05 mars 2024");
}

}  // namespace
