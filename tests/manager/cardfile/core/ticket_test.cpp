// A ticket's arithmetic without its card: minutes, the time price by tariff band, detail lines and
// what booking checks and stamps.
#include <gtest/gtest.h>
#include "manager/cardfile/core/ticket.h"
#include "platform/exception.h"
#include "support/blocks.h"

namespace {

TEST(TimePrice, EachBandAndTheQuartersPastTheHour)
{
    settings::Tariffs t;
    t.TarifQuartHeure = 1;
    t.TarifDemiHeure = 2;
    t.TarifTroisQuarts = 3;
    t.TarifHeure = 4;
    t.TarifQuartSup = 0.5;
    t.TarifHeureAbo = 100;  // plays no part
    const std::pair<int, double> cases[] = {
        {0, 1},
        {15, 1},
        {16, 2},
        {30, 2},
        {31, 3},
        {45, 3},
        {46, 4},
        {60, 4},
        {61, 4.5},
        {74, 4.5},
        {75, 5},
        {89, 5},
        {90, 5.5},
        {104, 5.5},
        {105, 6},
        // A negative count (an hour typed wrong) is priced past the hour, the division truncating.
        {-1, 2.5},
        {-20, 2},
    };
    for (const auto& [minutes, price] : cases)
        EXPECT_DOUBLE_EQ(ticket::TimePrice(minutes, t), price) << minutes;
}

TEST(MinutesBetween, RoundedAndAcrossMidnight)
{
    EXPECT_EQ(ticket::MinutesBetween("10:00", "10:45"), 45);
    EXPECT_EQ(ticket::MinutesBetween("23:30", "00:15"), 45);
    EXPECT_EQ(ticket::MinutesBetween("10:00", "10:00"), 0);
    // No start time: nothing to count, and the end is not read.
    EXPECT_EQ(ticket::MinutesBetween("  :  ", "10:00"), 0);
    EXPECT_EQ(ticket::MinutesBetween("  :30", "garbage"), 0);
    EXPECT_THROW(ticket::MinutesBetween("10:00", "  :  "), EConvertError);
    EXPECT_THROW(ticket::MinutesBetween("1x:00", "10:00"), EConvertError);
}

TEST(NoTime, OnlyBlankHourPositions)
{
    EXPECT_TRUE(ticket::NoTime("  :  "));
    EXPECT_TRUE(ticket::NoTime("  :30"));
    EXPECT_FALSE(ticket::NoTime(" 9:30"));
    EXPECT_FALSE(ticket::NoTime("10:30"));
    EXPECT_FALSE(ticket::NoTime(""));
}

TEST(ReadDetail, QuantityWithAWordAndWhatDoesNotConvert)
{
    struct Case {
        const char* quantity;
        const char* unit;
        double q, u;
        bool read;
    };
    const Case cases[] = {
        {"2", "1,50", 2, 1.5, true},
        {"2 x", "1,50", 2, 1.5, true},
        {"0,5 kg", "3", 0.5, 3, true},
        {"3", "", 3, 0, true},
        // The quantity does not read: nothing counts, the unit is not read.
        {"abc", "1,50", 0, 0, false},
        // The unit does not read: the quantity stays, the unit counts as 0 and is not shown anew.
        {"2", "1,5x", 2, 0, false},
    };
    for (const Case& c : cases) {
        const ticket::Detail d = ticket::ReadDetail(c.quantity, c.unit);
        EXPECT_DOUBLE_EQ(d.quantity, c.q) << c.quantity << " / " << c.unit;
        EXPECT_DOUBLE_EQ(d.unitPrice, c.u) << c.quantity << " / " << c.unit;
        EXPECT_EQ(d.unitRead, c.read) << c.quantity << " / " << c.unit;
        EXPECT_DOUBLE_EQ(d.Amount(), c.q * c.u);
    }
}

// The price a ticket shows, read as its card reads it, at a quarter hour 1, half an hour 2,
// three quarters 3: the first 14 detail rows count, the 15th is shown only and a 16th has no room;
// a subscriber's time is paid by the subscription; without minutes the details make the price,
// or it stays as typed; a detail that does not read counts nothing; a booked ticket keeps its
// price. A walk's memo, which meets the same minutes and rows again, reads each one the same.
TEST(ReadShown, ThePriceEachTicketShows)
{
    QStringList sixteen;
    for (int r = 0; r < 16; ++r)
        sixteen << "DATAImpr.\t1\t1,00";
    struct Case {
        QString minutes, subscriber, booked, price;
        QStringList more;
        QString shown;
    };
    const Case cases[] = {
        {"10", "N", "N", "", sixteen, "15,00"},
        {"20", "Y", "N", "", {"DATACafé\t2\t1,80"}, "3,60"},
        {"", "N", "N", "", {"DATAImpr.\t 2 x\t0,15"}, "0,30"},
        {"", "N", "N", "  2,50", {}, "2,50"},
        {"45", "N", "N", "", {"DATAA\tabc\t1,00", "DATAB\t2\t1,5x"}, "3,00"},
        {"75", "N", "Y", "      3,50", {"DATAImpr.\t1\t1,00"}, "3,50"},
        {"10", "N", "N", "", {}, "1,00"},
        {"10", "N", "N", "", {"DATAImpr.\t1\t1,00"}, "2,00"},
        {"10", "N", "N", "", sixteen, "15,00"},
    };
    QStringList lines;
    for (int n = 0; n < int(std::size(cases)); ++n) {
        const Case& c = cases[n];
        lines << cards::Block(n, cards::TicketRecord{.number = "1",
                                                     .minutes = c.minutes,
                                                     .price = c.price,
                                                     .subscriber = c.subscriber,
                                                     .booked = c.booked,
                                                     .more = c.more});
    }
    const RecordList list = cards::List(lines, 5);
    settings::Tariffs t;
    t.TarifQuartHeure = 1;
    t.TarifDemiHeure = 2;
    t.TarifTroisQuarts = 3;
    t.TarifHeure = 4;
    ticket::PriceMemo memo;
    for (int n = 0; n < int(std::size(cases)); ++n) {
        const ticket::Shown walked = ticket::ReadShown(list, n, t, "0.00", &memo);
        const ticket::Shown alone = ticket::ReadShown(list, n, t, "0.00");
        ASSERT_TRUE(walked.found) << n;
        EXPECT_EQ(walked.price, cases[n].shown) << n;
        EXPECT_EQ(alone.price, cases[n].shown) << n;
    }
}

TEST(Booking, SubscriptionCoverAndStamps)
{
    EXPECT_EQ(ticket::SortableDate("05/03/2024"), "20240305");
    EXPECT_TRUE(ticket::Covered("01/03/2024", "31/03/2024", "20240305"));
    EXPECT_TRUE(ticket::Covered("05/03/2024", "05/03/2024", "20240305"));
    EXPECT_FALSE(ticket::Covered("06/03/2024", "31/03/2024", "20240305"));
    EXPECT_FALSE(ticket::Covered("01/02/2024", "04/03/2024", "20240305"));
    // A blank subscription ("  /  /    ") covers no day.
    EXPECT_FALSE(ticket::Covered("  /  /    ", "  /  /    ", "20240305"));
    const std::pair<int, int> stamps[] = {{0, 0}, {4, 0}, {5, 1}, {14, 1}, {15, 2}, {60, 6}, {64, 6}, {65, 7}};
    for (const auto& [minutes, count] : stamps)
        EXPECT_EQ(ticket::Stamps(minutes), count) << minutes;
}

// A customer block with minutes left on +16 and a subscription on +20 and +21.
RecordList Customer(const QString& left, const QString& from, const QString& to)
{
    return cards::List(cards::Block(
        0, cards::CustomerRecord{.code = "10001", .minutesLeft = left, .subscribedFrom = from, .subscribedTo = to}));
}

TEST(Booking, EveryNumberItWillConvertIsCheckedFirst)
{
    const ticket::CustomerLines lines{16, 20, 21};
    const QString day = "20240305";
    struct Case {
        const char* left;
        const char* from;
        const char* to;
        const char* minutes;
        const char* price;
        bool throws;
    };
    const Case cases[] = {
        {"120", "", "", "45", "3,00", false},
        {"120", "", "", "45", "3,0x", true},
        {"12x", "", "", "45", "", true},
        {"120", "", "", "4x", "", true},
        // Without minutes on the ticket, neither the minutes left nor the minutes are read.
        {"12x", "", "", " ", "", false},
        // No minutes left and no subscription: the ticket's minutes are not read.
        {"", "", "", "4x", "", false},
        // A subscription covering today stamps the minutes: they must read.
        {"", "01/03/2024", "31/03/2024", "4x", "", true},
        {"", "01/04/2024", "30/04/2024", "4x", "", false},
    };
    for (const Case& c : cases) {
        const RecordList list = Customer(c.left, c.from, c.to);
        if (c.throws)
            EXPECT_THROW(ticket::CheckBooking(list, 0, lines, c.minutes, c.price, day), EConvertError)
                << c.left << " " << c.minutes << " " << c.price;
        else
            EXPECT_NO_THROW(ticket::CheckBooking(list, 0, lines, c.minutes, c.price, day))
                << c.left << " " << c.minutes << " " << c.price;
    }
}

TEST(Booking, ACustomerBlockCutShortReadsItsMissingLinesAsEmpty)
{
    RecordList list(4);
    list = QStringList{"<BLOC0000>", "10001"};
    EXPECT_NO_THROW(ticket::CheckBooking(list, 0, {16, 20, 21}, "4x", "", "20240305"));
}

}  // namespace
