// Dates and times: day numbers from 30/12/1899, French formats, the injectable clock.
#include <gtest/gtest.h>
#include "convert_error.h"
#include "platform/rtl.h"
#include "support/clock.h"

using namespace rtl;

namespace {

// Restores the system clock whatever the test did.
class FixedClock : public ::testing::Test {
protected:
    void TearDown() override { SetClock({}); }
};

TEST(Dates, DayNumbersCountFromTheLastDaysOf1899)
{
    const struct {
        int y, m, d;
        double serial;
    } cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},    {1900, 1, 1, 2},    {1900, 3, 1, 61},
        {2000, 1, 1, 36526}, {2024, 2, 29, 45351}, {1899, 12, 29, -1},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ((QList<int>{y, m, d}), (QList<int>{c.y, c.m, c.d})) << c.serial;
    }
}

TEST(Dates, EncodeRefusesImpossibleDatesAndTimes)
{
    const int bad[][3] = {{2023, 2, 29}, {2024, 13, 1}, {2024, 0, 10}, {2024, 4, 31}, {0, 1, 1}, {10000, 1, 1}};
    for (const auto& b : bad)
        EXPECT_THROW(EncodeDate(b[0], b[1], b[2]), EConvertError) << b[0] << "-" << b[1] << "-" << b[2];
    EXPECT_THROW(EncodeTime(24, 0), EConvertError);
    EXPECT_THROW(EncodeTime(10, 60), EConvertError);
    EXPECT_THROW(EncodeTime(10, 0, 60), EConvertError);
}

TEST(Dates, TimeOfDayRoundTripsToTheMillisecond)
{
    const int times[][4] = {{0, 0, 0, 0}, {23, 59, 59, 999}, {12, 0, 0, 0}, {8, 5, 3, 1}, {17, 45, 30, 500}};
    for (const auto& t : times) {
        int h, n, s, ms;
        DecodeTime(EncodeDate(2024, 6, 15) + EncodeTime(t[0], t[1], t[2], t[3]), h, n, s, ms);
        EXPECT_EQ((QList<int>{h, n, s, ms}), (QList<int>{t[0], t[1], t[2], t[3]}));
    }
    // A value a hair below midnight belongs to the next day, not to hour 24.
    const TDateTime almost = EncodeDate(2024, 6, 15) + 1 - 1e-10;
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss"), almost), QStringLiteral("16/06/2024 00:00:00"));
}

TEST(FormatDateTime, EveryPatternTheProgramsUse)
{
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(9, 7, 4);
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"dd/mm/yyyy", "05/03/2024"},
        {"hh:mm", "09:07"},
        {"hh:nn:ss", "09:07:04"},
        {"yyyymmdd", "20240305"},
        {"dd/mm", "05/03"},
        {"mmmm yyyy", "mars 2024"},
        {"dd mmmm yyyy", "05 mars 2024"},
        {"d/m/yy", "5/3/24"},
        {"h:n:s", "9:7:4"},
        {"mmm", "mars"},
        {"hh:mm:ss", "09:07:04"},
        {"DD/MM/YYYY", "05/03/2024"},
        {"hh:mm dd/mm", "09:07 05/03"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), t), QString::fromUtf8(c.text)) << c.format;
}

TEST(FormatDateTime, FrenchMonthNames)
{
    const char* full[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                          "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    const char* brief[] = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                           "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
    for (int m = 1; m <= 12; ++m) {
        const TDateTime d = EncodeDate(2023, m, 28);
        EXPECT_EQ(FormatDateTime(QStringLiteral("dd mmmm yyyy"), d),
                  QStringLiteral("28 %1 2023").arg(QString::fromUtf8(full[m - 1])));
        EXPECT_EQ(FormatDateTime(QStringLiteral("mmm"), d), QString::fromUtf8(brief[m - 1]));
    }
}

TEST(FormatDateTime, AnyRunOfFourOrMoreMIsTheFullMonthName)
{
    const TDateTime d = EncodeDate(2024, 12, 9);
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"mmmm yyyy", "décembre 2024"},
        {"mmmmm  yyyy", "décembre  2024"},
        {"mmmmmmmm", "décembre"},
        {"dd mmmmm", "09 décembre"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), d), QString::fromUtf8(c.text)) << c.format;
}

TEST(DateToStrAndTimeToStr, ShortDateAndLongTime)
{
    const TDateTime t = EncodeDate(1999, 12, 31) + EncodeTime(23, 5, 9);
    EXPECT_EQ(DateToStr(t), QStringLiteral("31/12/1999"));
    EXPECT_EQ(TimeToStr(t), QStringLiteral("23:05:09"));
}

TEST(StrToTime, HoursAndMinutesWithOptionalSeconds)
{
    const struct {
        const char* text;
        int h, n, s;
    } cases[] = {
        {"00:00", 0, 0, 0}, {"09:30", 9, 30, 0}, {"23:59:59", 23, 59, 59}, {" 7:05 ", 7, 5, 0}, {"12:00:01", 12, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(StrToTime(QString::fromUtf8(c.text)), EncodeTime(c.h, c.n, c.s)) << c.text;
}

TEST(StrToTime, RejectsBlankMaskAndOutOfRange)
{
    const char* cases[] = {"  :  ", "",       "24:00", "12:60",       "12:00:60", "12",   "12:",
                           ":30",   "12:30:", "1a:00", "12:30:00:00", "123:00",   "12.30"};
    for (const char* text : cases)
        EXPECT_EQ(ConvertErrorOf([&] { StrToTime(QString::fromUtf8(text)); }),
                  QStringLiteral("'%1' is not a valid time").arg(QString::fromUtf8(text)))
            << text;
}

TEST(StrToDate, DayMonthYearWithCenturyWindow)
{
    const struct {
        const char* text;
        int y, m, d;
    } cases[] = {
        {"05/03/2024", 2024, 3, 5}, {"5/3/2024", 2024, 3, 5}, {"29/02/2024", 2024, 2, 29},
        {"01/01/49", 2049, 1, 1},   {"01/01/50", 1950, 1, 1}, {" 31/12/1999 ", 1999, 12, 31},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(StrToDate(QString::fromUtf8(c.text)), EncodeDate(c.y, c.m, c.d)) << c.text;
}

TEST(StrToDate, RejectsBlankMaskAndImpossibleDates)
{
    const char* cases[] = {"  /  /    ", "",      "29/02/2023", "32/01/2024", "01/13/2024",
                           "01-01-2024", "01/01", "01/01/202",  "1/1/2024/",  "aa/bb/cccc"};
    for (const char* text : cases)
        EXPECT_EQ(ConvertErrorOf([&] { StrToDate(QString::fromUtf8(text)); }),
                  QStringLiteral("'%1' is not a valid date").arg(QString::fromUtf8(text)))
            << text;
}

TEST_F(FixedClock, NowDateAndTimeComeFromTheInjectedClock)
{
    SetClock([] { return QDateTime(QDate(2024, 7, 14), QTime(18, 30, 15)); });
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss"), Now()), QStringLiteral("14/07/2024 18:30:15"));
    EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 7, 14));
    EXPECT_DOUBLE_EQ(Time(), EncodeTime(18, 30, 15));
    EXPECT_EQ(ToQDateTime(Now()), QDateTime(QDate(2024, 7, 14), QTime(18, 30, 15)));
}

TEST_F(FixedClock, EmptyClockGoesBackToTheSystemClock)
{
    SetClock([] { return QDateTime(QDate(2001, 1, 1), QTime(0, 0)); });
    SetClock({});
    const TDateTime before = FromQDateTime(QDateTime::currentDateTime());
    const TDateTime now = Now();
    const TDateTime after = FromQDateTime(QDateTime::currentDateTime());
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}

// The tests' own clock: a clock made inside another gives the outer one back, the last one the
// system's.
TEST(ScopedClock, NestedClocksGiveTheOuterClockBackAndTheLastTheSystemClock)
{
    {
        ScopedClock outer;
        EXPECT_EQ(ToQDateTime(Now()), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
        {
            ScopedClock inner(QDateTime(QDate(2024, 7, 14), QTime(18, 30, 15)));
            inner.Advance(45);
            EXPECT_EQ(ToQDateTime(Now()), QDateTime(QDate(2024, 7, 14), QTime(18, 31)));
        }
        outer.Set(QDateTime(QDate(2024, 3, 16), QTime(0, 10)));
        EXPECT_EQ(ToQDateTime(Now()), QDateTime(QDate(2024, 3, 16), QTime(0, 10)));
    }
    const TDateTime before = FromQDateTime(QDateTime::currentDateTime());
    const TDateTime now = Now();
    EXPECT_LE(before, now);
    EXPECT_LE(now, FromQDateTime(QDateTime::currentDateTime()));
}

}  // namespace
