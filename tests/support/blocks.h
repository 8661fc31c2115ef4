#pragma once
// Record blocks as the card file stores them: a start tag "<BLOC0007>", the field lines, an end
// tag "</BLOC0007>" (five digits for cash tickets). Each kind's field lines are named once in a
// record below whose defaults are what a blank card writes, so that a test gives only the lines
// it is about:
//     Block(3, CustomerRecord{.code = "10004", .name = "DUPONT", .town = "LYON"})
#include <QStringList>
#include <initializer_list>
#include "manager/cardfile/core/recordlist.h"
#include "support/print.h"

namespace cards {

// A mask edit with nothing typed.
inline const QString NoDate = QStringLiteral("  /  /    ");
inline const QString NoTime = QStringLiteral("  :  ");

inline QString Tag(int n, int width = 4, bool end = false)
{
    return (end ? QStringLiteral("</BLOC") : QStringLiteral("<BLOC"))
           + QString::number(n).rightJustified(width, QLatin1Char('0')) + QLatin1Char('>');
}

inline QStringList Block(int n, const QStringList& lines, int width = 4)
{
    return QStringList{Tag(n, width)} + lines + QStringList{Tag(n, width, true)};
}

// Block n of a record of the kinds below, with its kind's tag width.
template <class Record>
QStringList Block(int n, const Record& record)
{
    return Block(n, record.Lines(), Record::width);
}

inline QStringList Join(std::initializer_list<QStringList> parts)
{
    QStringList all;
    for (const QStringList& p : parts)
        all << p;
    return all;
}

inline RecordList List(const QStringList& lines, int width = 4)
{
    RecordList list(width);
    list = lines;
    return list;
}

// The lines of block n, from its start tag to its end tag (to the list's end when the end tag
// is missing); nothing when there is no such block.
inline QStringList BlockOf(const RecordList& list, int n)
{
    QStringList lines;
    for (int i = list.FindBlock(n); i >= 0 && i < list.Count(); ++i) {
        lines << list.Strings(i);
        if (list.Strings(i) == list.EndTag(n))
            break;
    }
    return lines;
}

// ---- the field lines of each kind ---------------------------------------------------------------

struct CustomerRecord {
    static constexpr int width = 4;
    QString code;  // +1
    QString marked = "N";
    QString connected = "N";
    QString name;     // name or company
    QString address;  // +5
    QString address2;
    QString postalCode;
    QString town;
    QString country;
    QString phone;  // +10
    QString fax;
    QString email;
    QString login;
    QString password;
    QString minutes;  // +15 minutes bought in all
    QString minutesLeft;
    QString turnover;
    QString lastVisit = NoDate;
    QString lastVisitTime = NoTime;
    QString subscribedFrom = NoDate;  // +20
    QString subscribedTo = NoDate;
    QString historyLabel;  // typed on the card, not yet added to the history
    QString historyAmount;
    QString due;            // +24
    QStringList more = {};  // memo ("MEMO"), history ("DATA") and stamp ("GRID") lines

    QStringList Lines() const
    {
        return QStringList{code,          marked,         connected,    name,         address,       address2,
                           postalCode,    town,           country,      phone,        fax,           email,
                           login,         password,       minutes,      minutesLeft,  turnover,      lastVisit,
                           lastVisitTime, subscribedFrom, subscribedTo, historyLabel, historyAmount, due}
               + more;
    }
};

struct ArticleRecord {
    static constexpr int width = 4;
    QString code;  // +1
    QString family;
    QString designation;
    QString price;
    QString vatCode;  // +5
    QString account;
    QString supplier;
    QStringList more = {};  // description lines ("MEM6")

    QStringList Lines() const
    {
        return QStringList{code, family, designation, price, vatCode, account, supplier} + more;
    }
};

struct InvoiceRecord {
    static constexpr int width = 4;
    QString number;  // +1 "NUM", the type's first letter, the number
    QString date;
    QString customer;
    QString payment;
    QString type;  // +5 "Facture", "Devis", "Avoir"...
    QString address1;
    QString address2;
    QString address3;
    QString address4;
    QString taxes = "TTCN";  // +10 "TTCN" or "TTCY"
    QString validated = "N";
    QStringList more = {};  // the invoice's lines ("FACT")

    QStringList Lines() const
    {
        return QStringList{"NUM" + type.left(1) + number,
                           date,
                           customer,
                           payment,
                           type,
                           address1,
                           address2,
                           address3,
                           address4,
                           taxes,
                           validated}
               + more;
    }
};

struct MachineRecord {
    static constexpr int width = 4;
    QString number;  // +1
    QString name;    // the computer's name, by which the server finds it
    QString type;
    QString disk;
    QString memory;  // +5
    QString system;
    QString ip;
    QString outOfService = "N";
    QStringList settings = QStringList(10, "N");  // +9 .. +18
    QStringList more = {};                        // memo and history lines

    QStringList Lines() const
    {
        return QStringList{number, name, type, disk, memory, system, ip, outOfService} + settings + more;
    }
};

struct TicketRecord {
    static constexpr int width = 5;
    QString number;  // +1 "NUMT" and the number
    QString customer;
    QString customerName;
    QString machine;
    QString machineName;  // +5
    QString startDate = NoDate;
    QString startTime = NoTime;
    QString endDate = NoDate;
    QString endTime = NoTime;
    QString minutes;  // +10
    QString price;
    QString paid;
    QString balance;
    QString paidInFull = "N";
    QString subscriber = "N";  // +15
    QString booked = "N";      // onto the customer's account
    QStringList more = {};     // detail rows ("DATA") and memo lines

    QStringList Lines() const
    {
        return QStringList{"NUMT" + number, customer,   customerName, machine, machineName, startDate,
                           startTime,       endDate,    endTime,      minutes, price,       paid,
                           balance,         paidInFull, subscriber,   booked}
               + more;
    }
};

// ---- the records most card tests start from ----------------------------------------------------

// The 24 field lines of a customer: code and name given, the rest plain.
inline QStringList CustomerFields(const QString& code, const QString& name, const QString& login = {})
{
    return CustomerRecord{.code = code,
                          .name = name,
                          .address = "1 rue Haute",
                          .postalCode = "69001",
                          .town = "LYON",
                          .country = "France",
                          .phone = "0478000001",
                          .login = login,
                          .password = "pw"}
        .Lines();
}

// The 18 field lines of a machine.
inline QStringList MachineFields(const QString& number, const QString& name)
{
    return MachineRecord{.number = number,
                         .name = name,
                         .type = "PC",
                         .disk = "40 Go",
                         .memory = "512 Mo",
                         .system = "WinXP",
                         .ip = "192.0.2.7",
                         .settings = {"Y", "Y", "N", "N", "Y", "N", "N", "N", "Y", "N"}}
        .Lines();
}

// The 16 field lines of a cash ticket with no time and no price (nothing for pricing to change).
inline QStringList TicketFields(const QString& number, const QString& customer = "10001",
                                const QString& name = "DUPONT")
{
    return TicketRecord{
        .number = number, .customer = customer, .customerName = name, .machine = "10001", .machineName = "POSTE1"}
        .Lines();
}

}  // namespace cards
