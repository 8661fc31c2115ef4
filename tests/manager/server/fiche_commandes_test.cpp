// The operator's orders to the workstations, as raw workstations on loopback receive them.
#include <QListWidget>
#include "server_fixture.h"
#include "platform/textfile.h"

using namespace serveur_test;

namespace {

class Commandes : public Serveur {
protected:
    void SetUp() override
    {
        Serveur::SetUp();
        a = Connecte("127.0.0.1");
        b = Connecte("127.0.0.2");
        fiche->Salle();
    }
    // Selects these room items, and only them.
    void Choisit(std::initializer_list<int> rows)
    {
        fiche->ListView1->clearSelection();
        for (int row : rows)
            fiche->ListView1->item(row)->setSelected(true);
    }
    // True when nothing came to the workstation before the reply to a "time" sent now.
    static bool RienRecu(Poste& poste) { return poste.Demande("time") == "Time 0"; }

    std::unique_ptr<Poste> a, b;
};

struct Ordre {
    const char* name;
    void (TFiche::*op)();
    const char* line;
};

const Ordre Ordres[] = {
    {"FermerClient", &TFiche::FermerClient, "Close PC10"}, {"FermerSession", &TFiche::FermerSession, "Quit PC10"},
    {"Reboot", &TFiche::Reboot, "Reboot PC10"},            {"Arreter", &TFiche::Arreter, "Stop PC10"},
    {"ArreterTous", &TFiche::ArreterTous, "Stop all"},     {"FermerTous", &TFiche::FermerTous, "Close all"},
};

TEST_F(Commandes, EachOrderReachesEveryWorkstationAsOneLine)
{
    Choisit({1});
    for (const Ordre& o : Ordres) {
        SCOPED_TRACE(o.name);
        (fiche.get()->*o.op)();
        EXPECT_EQ(a->Ligne(), o.line);
        EXPECT_EQ(b->Ligne(), o.line);
    }
    EXPECT_TRUE(RienRecu(*a));
    EXPECT_TRUE(RienRecu(*b));
}

// The single orders go to the machine of the card shown, or to the one room item selected; with
// no such machine they send nothing and say nothing.
TEST_F(Commandes, TheTargetIsTheMachineShownOrTheOneItemSelected)
{
    struct Cas {
        const char* name;
        std::function<void()> show;
        const char* line;   // nullptr: nothing is sent
    };
    const Cas cases[] = {
        {"machine card", [&] { fiche->Machines(); }, "Close PC1"},
        {"ticket card",
         [&] {
             fiche->Caisse();
             fiche->Edit35->setText("pc2");
         },
         "Close pc2"},
        {"one room item", [&] { fiche->Salle(); Choisit({2}); }, "Close pc2"},
        {"no room item", [&] { fiche->Salle(); Choisit({}); }, nullptr},
        {"two room items", [&] { fiche->Salle(); Choisit({0, 2}); }, nullptr},
        {"machine card without a name",
         [&] {
             fiche->Machines();
             fiche->Edit17->clear();
         },
         nullptr},
        {"customer card", [&] { fiche->Clients(); }, nullptr},
        {"history page", [&] { fiche->Historique(); }, nullptr},
    };
    for (const Cas& c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        fiche->FermerClient();
        if (c.line) {
            EXPECT_EQ(a->Ligne(), c.line);
            EXPECT_EQ(b->Ligne(), c.line);
        }
        EXPECT_TRUE(RienRecu(*a));
        EXPECT_TRUE(RienRecu(*b));
        // The card is shown again as it is stored.
        fiche->ModifPoste = fiche->ModifTicket = false;
    }
}

// A message is one line: what the operator types across lines is joined by blanks, and the text
// stops where a workstation stops reading.
TEST_F(Commandes, AMessageIsOneLineOfAtMost255Characters)
{
    Choisit({0});
    const QString longText(300, QLatin1Char('x'));
    dialogs.input("Envoyer message", "Fermeture à 20h\r\nmerci").input("Envoyer message", longText);
    fiche->EnvoiMsg();
    const QByteArray expected = textfile::EncodeCp1252("Msg PC1 Fermeture à 20h  merci");
    EXPECT_EQ(a->Ligne(), expected);
    EXPECT_EQ(b->Ligne(), expected);
    fiche->EnvoiMsg();
    EXPECT_EQ(a->Ligne(), "Msg PC1 " + QByteArray(255, 'x'));
    EXPECT_EQ(b->Ligne(), "Msg PC1 " + QByteArray(255, 'x'));

    dialogs.input("Envoyer message", "Bonsoir");
    fiche->MsgTous();
    EXPECT_EQ(a->Ligne(), "Msg all Bonsoir");
    EXPECT_EQ(b->Ligne(), "Msg all Bonsoir");
    EXPECT_TRUE(RienRecu(*a));
}

// An empty text and a cancelled box send nothing; without a target no box is shown at all.
TEST_F(Commandes, NoTextNoMessage)
{
    Choisit({0});
    dialogs.input("Envoyer message", "").inputCancel("Envoyer message").input("Envoyer message", "");
    fiche->EnvoiMsg();
    fiche->EnvoiMsg();
    fiche->MsgTous();
    Choisit({});
    fiche->EnvoiMsg();
    EXPECT_TRUE(RienRecu(*a));
    EXPECT_TRUE(RienRecu(*b));
    EXPECT_TRUE(dialogs.done());
}

TEST_F(Commandes, AMessageToAllAsksNothingWhenNoWorkstationIsConnected)
{
    a->Ferme();
    b->Ferme();
    ASSERT_TRUE(PumpUntil([&] { return fiche->SrvSocket->CountClients() == 0; }));
    fiche->MsgTous();
    fiche->ArreterTous();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A workstation that went away while the order is sent is passed over: the others still get it,
// and the operator is told nothing.
TEST_F(Commandes, AWorkstationGoingAwayIsSkipped)
{
    ASSERT_EQ(fiche->SrvSocket->CountClients(), 2);
    a->Reset();
    fiche->ArreterTous();
    fiche->FermerTous();
    EXPECT_EQ(b->Ligne(), "Stop all");
    EXPECT_EQ(b->Ligne(), "Close all");
    ASSERT_TRUE(PumpUntil([&] { return fiche->SrvSocket->CountClients() == 1; }));
    fiche->ArreterTous();
    EXPECT_EQ(b->Ligne(), "Stop all");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

}  // namespace

namespace {

// The operator's round: two workstations in session, both busy in the room; a message to one, the
// other's session ended (its workstation answers the order as the client does), and both in the
// log.
TEST_F(Commandes, TheOperatorsRound)
{
    Session(*a, "jdupont", "pw", "PC1");
    Session(*b, "martin", "Secret", "pc2");
    fiche->Salle();
    const QListWidget* room = fiche->ListView1;
    EXPECT_EQ(room->item(0)->data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(room->item(1)->data(Qt::UserRole).toInt(), 0);
    EXPECT_EQ(room->item(2)->data(Qt::UserRole).toInt(), 1);

    Choisit({0});
    dialogs.input("Envoyer message", "Encore 5 minutes");
    fiche->EnvoiMsg();
    EXPECT_EQ(a->Ligne(), "Msg PC1 Encore 5 minutes");
    EXPECT_EQ(b->Ligne(), "Msg PC1 Encore 5 minutes");

    Choisit({2});
    fiche->FermerSession();
    EXPECT_EQ(a->Ligne(), "Quit pc2");
    EXPECT_EQ(b->Ligne(), "Quit pc2");
    EXPECT_EQ(b->Demande("quit"), "MARTIN bye ");
    b->Ferme();
    ASSERT_TRUE(PumpUntil([&] { return fiche->SrvSocket->CountClients() == 1; }));
    EXPECT_EQ(room->item(0)->data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(room->item(2)->data(Qt::UserRole).toInt(), 0);
    EXPECT_EQ(Ticket(2)[4], "pc2");
    EXPECT_NE(Ticket(2)[8], NoTime);   // the session's ticket has its end time
    const QStringList log = Log();
    EXPECT_TRUE(log.contains("Poste : PC1"));
    EXPECT_TRUE(log.contains("Poste : pc2"));
    EXPECT_EQ(log.last(), "Actuellement 1 clients connectés.");
}

}  // namespace
