#pragma once
// A cash ticket's arithmetic: its minutes, the time price by tariff band, its detail lines, and
// booking it onto the customer's account (what is checked first, the subscription's cover and
// its ten-minute stamps).
#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include "manager/cardfile/core/number_memo.h"
#include "manager/cardfile/core/recordlist.h"
#include "manager/cardfile/core/settings.h"

namespace ticket {

// A time field holds no time while its hour positions are both blank ("  :  ", "  :30").
bool NoTime(const QString& time);
// The minutes from `start` to `end` ("hh:nn"), rounded; an end earlier than the start is on the
// next day; 0 while the start holds no time. A time that does not read throws EConvertError.
int MinutesBetween(const QString& start, const QString& end);
// The price of `minutes` by tariff band: up to 15 a quarter hour, 16 to 30 half an hour, 31 to
// 45 three quarters, 46 to 60 an hour; beyond, the hour and each started quarter from the 45th
// minute (75 minutes make two more quarters). TarifHeureAbo plays no part.
double TimePrice(int minutes, const settings::Tariffs& tariffs);

// One detail row: a quantity (trimmed, not empty) that may carry a word after a blank ("2 x"),
// and a unit price. What does not convert counts as nothing, without a message: a quantity
// that does not read leaves both at 0, a unit price that does not read leaves it at 0.
struct Detail {
    double quantity = 0, unitPrice = 0;
    bool unitRead = false;  // both read: the unit price is shown formatted
    double Amount() const { return quantity * unitPrice; }
};
Detail ReadDetail(const QString& quantity, const QString& unitPrice);
// The same from cells read in place; `memo`, when given, converts them, and the row reads the same
// with it or without.
Detail ReadDetail(QStringView quantity, QStringView unitPrice, numbers::Memo* memo);

// ---- the price a ticket shows -------------------------------------------------------------------
// Rows 1 to 14 of the detail grid make the total; row 15 is shown but never counted.
constexpr int CountedDetailRows = 14;
// The detail rows of a ticket as counted: the sum of their amounts, and whether any row has a
// quantity (a row without one counts nowhere).
struct Details {
    double total = 0;
    bool any = false;
    // Adds a row by its quantity and unit price as the grid holds them.
    void Add(const QString& quantity, const QString& unitPrice);
    void Add(QStringView quantity, QStringView unitPrice, numbers::Memo* memo);
    // Adds a row with a quantity, as read.
    void Add(const Detail& row);
};
// The time price of `minutes` formatted with `format`, empty for a subscriber (the subscription
// pays the time); none while the minutes are blank. Minutes that are not a whole number throw
// EConvertError.
std::optional<QString> TimePriceText(const QString& minutes, bool subscriber, const settings::Tariffs& tariffs,
                                     const QString& format);
// The price of a ticket that is not booked, formatted, without padding: its time price plus its
// details. A ticket without minutes has no time price: its price is then its details when it has
// any, and otherwise stays as typed (none answered). Adding the details to the price shown
// instead would count them again at every reading of the ticket.
std::optional<QString> Price(const QString& minutes, bool subscriber, const Details& details,
                             const settings::Tariffs& tariffs, const QString& format);

// ---- a ticket as its card shows it ---------------------------------------------------------------
// The fields of ticket block n that the statistics take, as reading the block onto the card shows
// them: the card's reading rules (manager/cardfile/core/blocks.h) and its pricing, without the
// card. A booked ticket shows the price it was booked at, any other the price of its minutes and
// details at the tariffs given. An end date the block lacks shows blank ("  /  /    ").
struct Shown {
    bool found = false;  // the block exists
    QString customer, customerName, machine, machineName, endDate;
    QString price;  // without its padding
};
// Minutes that are not a whole number throw EConvertError, as reading the card does.
// The prices of tickets without details, by their minutes, for a walk at one set of tariffs and
// one amount format: most tickets are sessions of a few usual lengths. Those with details come
// back to the same few sums too: their figures are kept as well.
struct PriceMemo {
    QHash<QString, QString> byMinutes[2];  // not a subscriber, a subscriber
    numbers::Memo numbers;                 // the quantities and unit prices of detail rows
    // By minutes: the time price as written, and what it reads back as.
    QHash<QString, std::pair<QString, std::optional<double>>> timeByMinutes;
    QHash<double, QString> formatted;  // each price written
};
Shown ReadShown(const RecordList& tickets, int n, const settings::Tariffs& tariffs, const QString& format,
                PriceMemo* memo = nullptr);

// ---- booking ------------------------------------------------------------------------------------
// The lines of a customer block that booking reads (from the customer card's table).
struct CustomerLines {
    int minutesLeft, subscriptionFrom, subscriptionTo;
};
// A "dd/mm/yyyy" date as "yyyymmdd", which compares as text in date order.
QString SortableDate(const QString& date);
// Whether `day` ("yyyymmdd") lies in the subscription from `from` to `to` ("dd/mm/yyyy").
bool Covered(const QString& from, const QString& to, const QString& day);
// Every number booking converts, converted before anything changes, so that a wrong one stops it
// with nothing booked rather than half-way: the price when there is one, the customer's minutes
// left when the ticket has minutes and the customer has some, and the ticket's minutes when they
// are taken off or stamped. Throws EConvertError at the first that does not read.
void CheckBooking(const RecordList& customers, int customer, const CustomerLines& lines, const QString& minutes,
                  const QString& price, const QString& day);
// One stamp per ten minutes, five minutes making a stamp.
int Stamps(int minutes);

}  // namespace ticket
