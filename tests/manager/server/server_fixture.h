#pragma once
// A card-file window with its workstation server listening on a port the system chose, a small
// set (three customers, three machines, one ticket), the tariffs and a clock at the suite's date
// (15/03/2024 10:30) that a test moves.
#include <gtest/gtest.h>
#include <QDateTime>
#include <memory>
#include "manager/cardfile/fiche.h"
#include "manager/server/clientposte.h"
#include "poste.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

namespace serveur_test {

using cards::Block;
using cards::Join;
using cards::NoDate;
using cards::NoTime;
using cards::SetRecords;
using cards::SetTariffs;

inline QStringList Clients()
{
    QStringList martin = cards::CustomerFields("10002", "MARTIN", "martin");
    martin[13] = "Secret";
    martin[14] = "600";  // total minutes: a subscriber
    return Join({Block(0, cards::CustomerFields("10001", "DUPONT", "jdupont")), Block(1, martin),
                 Block(2, cards::CustomerFields("10003", "SANSLOGIN", ""))});
}

inline QStringList Postes()
{
    return Join({Block(0, cards::MachineFields("10001", "PC1")), Block(1, cards::MachineFields("10002", "PC10")),
                 Block(2, cards::MachineFields("10003", "pc2"))});
}

class Serveur : public ::testing::Test {
protected:
    void SetUp() override
    {
        fiche = std::make_unique<TFiche>();
        Set(TFiche::KClient, Clients());
        Set(TFiche::KPoste, Postes());
        Set(TFiche::KTicket, Block(0, cards::TicketFields("202403001"), 5));
        SetTariffs(
            *fiche,
            {.TarifQuartHeure = 1, .TarifDemiHeure = 2, .TarifTroisQuarts = 3, .TarifHeure = 4, .TarifQuartSup = 1});
        fiche->StartServer();
        port = fiche->PortEcoute().toInt();
        ASSERT_GT(port, 0);
    }
    void TearDown() override { fiche.reset(); }

    void Set(TFiche::Kind k, const QStringList& lines) { SetRecords(*fiche, k, lines); }

    // A workstation connected and greeted; its entry exists once the greeting came.
    std::unique_ptr<Poste> Connecte(const char* from = "127.0.0.1")
    {
        auto poste = std::make_unique<Poste>(port, from);
        EXPECT_TRUE(poste->Valid());
        EXPECT_EQ(poste->Ligne(), "Welcome to Velmora");
        return poste;
    }
    // Login, password, host name and "connect", each answered as it should be.
    void Session(Poste& poste, const QByteArray& login, const QByteArray& password, const QByteArray& host)
    {
        EXPECT_EQ(poste.Demande("login " + login), "Login OK");
        EXPECT_EQ(poste.Demande("passw " + password), "Passw OK");
        EXPECT_EQ(poste.Demande("hostn " + host), "Host OK");
        EXPECT_EQ(poste.Demande("connect"), "Connect OK ");
    }
    // Lines +1 .. +16 of ticket block n, or nothing when there is no such block.
    QStringList Ticket(int n) const
    {
        const RecordList& list = fiche->ListeTickets;
        const int pos = list.FindBlock(n);
        QStringList fields;
        for (int i = 1; pos >= 0 && i <= 16 && pos + i < list.Count(); ++i)
            fields << list[pos + i];
        return fields;
    }
    QStringList Log() const { return fiche->Memo7->toPlainText().split('\n'); }

    // Network input never raises a box: any box a test does not expect fails it.
    ScriptedDialogs dialogs;
    ScopedClock clock;  // a test moves it
    std::unique_ptr<TFiche> fiche;
    int port = 0;
};

}  // namespace serveur_test
