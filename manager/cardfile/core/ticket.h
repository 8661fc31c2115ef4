#pragma once
// A cash ticket's arithmetic: its minutes, the time price by tariff band, its detail lines, and
// booking it onto the customer's account (what is checked first, the subscription's cover and
// its ten-minute stamps).
#include <QString>
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
    bool unitRead = false;   // both read: the unit price is shown formatted
    double Amount() const { return quantity * unitPrice; }
};
Detail ReadDetail(const QString& quantity, const QString& unitPrice);

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
