#pragma once
// Real records of each kind, as the card writers lay them out, for the list dialogs' tests.
#include <QStringList>
#include "support/blocks.h"

using cards::List;

// A customer with every address line and an account, and a memo line.
inline QStringList Customer(int n, const QString& code, const QString& name, const QString& town = "LYON")
{
    return cards::Block(n, cards::CustomerRecord{.code = code,
                                                 .name = name,
                                                 .address = "3 rue Haute",
                                                 .address2 = "Bât. B",
                                                 .postalCode = "69001",
                                                 .town = town,
                                                 .country = "France",
                                                 .phone = "04 78 00 00 01",
                                                 .fax = "04 78 00 00 02",
                                                 .email = "a@b.fr",
                                                 .login = "login" + code,
                                                 .password = "pw",
                                                 .turnover = "  0,00",
                                                 .more = {"MEMOnotes"}});
}

inline QStringList Article(int n, const QString& code, const QString& designation)
{
    return cards::Block(n, cards::ArticleRecord{.code = code,
                                                .family = "BOISSONS",
                                                .designation = designation,
                                                .price = "   1,50",
                                                .vatCode = "1",
                                                .account = "707000",
                                                .supplier = "METRO",
                                                .more = {"MEM6desc"}});
}

inline QStringList Machine(int n, const QString& number, const QString& name)
{
    return cards::Block(n, cards::MachineRecord{.number = number,
                                                .name = name,
                                                .type = "PC",
                                                .disk = "40 Go",
                                                .memory = "512 Mo",
                                                .system = "LINUX",
                                                .ip = "192.0.2.7",
                                                .settings = {"Y", "Y", "N", "N", "Y", "N", "N", "N", "Y", "N"}});
}

// An invoice of one line; its number line takes the type's first letter.
inline QStringList Invoice(int n, const QString& number, const QString& customer, const QString& type = "Facture   ",
                           const QString& address = "Cyber Étoile")
{
    return cards::Block(n, cards::InvoiceRecord{.number = number,
                                                .date = "05/01/2024",
                                                .customer = customer,
                                                .payment = "CB",
                                                .type = type,
                                                .address1 = address,
                                                .address2 = "3 rue Haute",
                                                .address3 = "69001 LYON",
                                                .more = {"FACT1001\tCafé\t1\t1,50\t0\t1,50\t1"}});
}

// A cash ticket paid in full.
inline QStringList Ticket(int n, const QString& number, const QString& customer, const QString& name,
                          const QString& machine = "POSTE1", const QString& start = "14:05")
{
    return cards::Block(n, cards::TicketRecord{.number = number,
                                               .customer = customer,
                                               .customerName = name,
                                               .machine = "10001",
                                               .machineName = machine,
                                               .startDate = "05/01/2024",
                                               .startTime = start,
                                               .endDate = "05/01/2024",
                                               .endTime = "15:00",
                                               .minutes = "55",
                                               .price = "   4,00",
                                               .paid = "   4,00",
                                               .balance = "   0,00",
                                               .paidInFull = "Y"});
}
