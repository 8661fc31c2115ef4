#pragma once
// Real record blocks of each kind, as the card writers lay them out, for the list dialogs'
// tests.
#include <QStringList>
#include "manager/cardfile/core/recordlist.h"

inline QString Tag(const char* prefix, int n, int width)
{
    return QString("%1%2>").arg(prefix).arg(n, width, 10, QLatin1Char('0'));
}

inline QStringList Block(int n, const QStringList& fields, int width = 4)
{
    return QStringList{Tag("<BLOC", n, width)} + fields + QStringList{Tag("</BLOC", n, width)};
}

// Customer: code, marked, connected, name, address, address, postal code, town, country,
// telephone, fax, e-mail, login, password, minutes, minutes left, turnover, last visit, ...
inline QStringList Customer(int n, const QString& code, const QString& name, const QString& town = "LYON")
{
    return Block(n, {code, "N", "N", name, "3 rue Haute", "Bât. B", "69001", town, "France", "04 78 00 00 01",
                     "04 78 00 00 02", "a@b.fr", "login" + code, "pw", "", "", "  0,00", "  /  /    ", "  :  ",
                     "  /  /    ", "  /  /    ", "", "", "", "MEMOnotes"});
}

// Article: code, family, designation, price, VAT code, account, supplier.
inline QStringList Article(int n, const QString& code, const QString& designation)
{
    return Block(n, {code, "BOISSONS", designation, "   1,50", "1", "707000", "METRO", "MEM6desc"});
}

// Machine: number, computer name, type, disk, memory, system, IP address, out of service, and
// the ten settings.
inline QStringList Machine(int n, const QString& number, const QString& name)
{
    return Block(n, {number, name, "PC", "40 Go", "512 Mo", "LINUX", "192.0.2.7", "N", "Y", "Y", "N", "N", "Y",
                     "N", "N", "N", "Y", "N"});
}

// Invoice: "NUM" + type letter + number, date, customer code, payment mode, type, four address
// lines, "TTCN"/"TTCY", validated flag, then its lines.
inline QStringList Invoice(int n, const QString& number, const QString& customer, const QString& type = "Facture   ",
                           const QString& address = "Cyber Étoile")
{
    return Block(n, {"NUM" + type.left(1) + number, "05/01/2024", customer, "CB", type, address, "3 rue Haute",
                     "69001 LYON", "", "TTCN", "N", "FACT1001\tCafé\t1\t1,50\t0\t1,50\t1"});
}

// Cash ticket: "NUMT" + number, customer code, customer name, machine number, machine name,
// start date and time, end date and time, minutes, price, paid, balance, paid flag, subscriber,
// booked.
inline QStringList Ticket(int n, const QString& number, const QString& customer, const QString& name,
                          const QString& machine = "POSTE1", const QString& start = "14:05")
{
    return Block(n,
                 {"NUMT" + number, customer, name, "10001", machine, "05/01/2024", start, "05/01/2024", "15:00",
                  "55", "   4,00", "   4,00", "   0,00", "Y", "N", "N"},
                 5);
}

inline RecordList List(const QStringList& lines, int width = 4)
{
    RecordList list(width);
    list = lines;
    return list;
}
