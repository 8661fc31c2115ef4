// Both programs in one process on loopback: the counter's card file, loaded from a saved set in a
// temporary folder and serving the workstations on a port the system chose, and the workstation's
// window, pointed at it by its own "Tandel.ini". A customer logs in at the window as at the café;
// what must come out is the ticket at the counter.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include "client/tandel_test.h"
#include "manager/cardfile/fiche.h"
#include "manager/server/blocs.h"
#include "manager/server/clientposte.h"
#include "platform/textfile.h"
#include "platform/widgets/maskedit.h"
#include "support/card_fixture.h"
#include "support/clock.h"

namespace {

using cards::Block;
using cards::Join;
using cards::NoDate;
using cards::NoTime;

// What the workstation calls itself; the machine card spells it in its own case.
const QString NomDuPoste = QStringLiteral("SALLE2");

QStringList Clients()
{
    QStringList dupont = cards::CustomerFields("10001", "DUPONT", "jdupont");
    dupont[13] = "Secret7";
    return Join({Block(0, dupont), Block(1, cards::CustomerFields("10002", "MARTIN", "martin"))});
}

QStringList Postes()
{
    QStringList salle2 = cards::MachineFields("10002", "Salle2");
    // Taskbar and icons hidden, closing refused, task-list keys taken, "Internet Explorer" and
    // "Yahoo" (the ninth character) offered.
    const QString settings = "YYYNYYNNYN";
    for (int i = 0; i < 10; ++i)
        salle2[8 + i] = settings.mid(i, 1);
    return Join({Block(0, cards::MachineFields("10001", "PC1")), Block(1, salle2)});
}

// A ticket of the previous day, closed and paid: the session's ticket comes after it.
QStringList Tickets()
{
    QStringList old = cards::TicketFields("202403001");
    old[5] = "14/03/2024";
    old[6] = "16:00";
    old[7] = "14/03/2024";
    old[8] = "16:20";
    old[9] = "20";
    old[10] = "  2,50";
    old[13] = "Y";
    return Block(0, old, 5);
}

class BoutEnBout : public TandelTest {
protected:
    void SetUp() override
    {
        TandelTest::SetUp();
        station.Name = NomDuPoste;

        // The saved set, as the counter keeps it on disk.
        jeu = dir.filePath(QStringLiteral("cafe.vtr"));
        ASSERT_TRUE(textfile::SaveToFile(jeu, Clients()));
        ASSERT_TRUE(textfile::SaveToFile(dir.filePath(QStringLiteral("cafe.pst")), Postes()));
        ASSERT_TRUE(textfile::SaveToFile(dir.filePath(QStringLiteral("cafe.cai")), Tickets()));
        fiche = std::make_unique<TFiche>();
        ASSERT_TRUE(fiche->Charge(jeu));
        ASSERT_EQ(fiche->NbTickets, 1);
        cards::SetTariffs(*fiche, {.TarifQuartHeure = 1.5,
                                   .TarifDemiHeure = 2.5,
                                   .TarifTroisQuarts = 3.5,
                                   .TarifHeure = 4.2,
                                   .TarifQuartSup = 1});
        fiche->StartServer();
        const int port = fiche->PortEcoute().toInt();
        ASSERT_GT(port, 0);

        // The workstation finds the counter through "Tandel.ini" (127.0.0.1) when its window
        // becomes active: the address it starts with leads nowhere.
        Make(port);
        main->AdresseServeur = QStringLiteral("192.0.2.1");
        ASSERT_TRUE(cards::ShowActive(*main));
        ASSERT_EQ(main->AdresseServeur, "127.0.0.1");
    }
    void TearDown() override
    {
        TandelTest::TearDown();
        fiche.reset();
    }

    // The customer types at the window and clicks "OK"; the whole sequence runs in the click.
    void SeConnecte(const QString& login, const QString& password)
    {
        QTest::keyClicks(main->Edit1, login);
        QTest::keyClicks(main->Edit2, password);
        QTest::mouseClick(main->Button2, Qt::LeftButton);
    }
    // A "time" poll as the timer sends it, and the minutes the window then shows.
    QString Sondage(const QDateTime& now)
    {
        horloge.Set(now);
        const QString before = main->StaticText1->text();
        main->Timer1Timer();
        WaitUntil([&] { return main->StaticText1->text() != before; });
        return main->StaticText2->text();
    }
    // Lines +1 to +16 of ticket block n.
    QStringList Ticket(const TFiche& f, int n) const
    {
        return serveur::ChampsDuBloc(f.ListeTickets, f.ListeTickets.FindBlock(n), 16);
    }
    bool SansConnexion() const
    {
        return WaitUntil([&] { return fiche->SrvSocket->CountClients() == 0; });
    }

    ScopedClock horloge;  // the suite's day, 15/03/2024 10:30
    QString jeu;
    std::unique_ptr<TFiche> fiche;
};

TEST_F(BoutEnBout, ASessionFromTheWorkstationEndsInAClosedPricedTicketThatIsSavedAndReloaded)
{
    const QStringList ancien = Ticket(*fiche, 0);
    SeConnecte("jdupont", "Secret7");

    // The workstation is in session under its machine's settings.
    ASSERT_EQ(main->PageControl1->currentWidget(), main->TabSheet2);
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_EQ(main->ConfigPoste, "YYYNYYNNYN");
    EXPECT_FALSE(main->FermetureAutorisee);
    EXPECT_FALSE(main->SpeedButton2->isHidden());
    EXPECT_TRUE(main->SpeedButton4->isHidden());
    EXPECT_FALSE(main->SpeedButton5->isHidden());
    EXPECT_TRUE(station.Calls.contains("BlockTaskKeys on"));
    // The counter opened the ticket after the last one, and the machine is busy in the room.
    ASSERT_EQ(fiche->NbTickets, 2);
    EXPECT_EQ(Ticket(*fiche, 1).mid(0, 9), QStringList({"NUMT202403002", "10001", "DUPONT", "10002", "Salle2",
                                                        "15/03/2024", "10:30", NoDate, NoTime}));
    EXPECT_EQ(fiche->Occupation[1], 1);
    EXPECT_EQ(fiche->ListView1->item(1)->data(Qt::UserRole).toInt(), 1);

    EXPECT_EQ(Sondage(QDateTime(QDate(2024, 3, 15), QTime(10, 41))), "11 mn");
    EXPECT_EQ(Sondage(QDateTime(QDate(2024, 3, 15), QTime(11, 17, 20))), "47 mn");

    QTest::mouseClick(main->Button3, Qt::LeftButton);
    EXPECT_EQ(main->PageControl1->currentWidget(), main->TabSheet1);
    EXPECT_FALSE(main->Timer1->isActive());
    EXPECT_EQ(main->StaticText2->text(), "0 mn");
    EXPECT_TRUE(main->FermetureAutorisee);
    // The "quit" reached the counter before the connection closed: the ticket is closed and
    // priced at the hour's tariff (46 to 60 minutes), not paid and not booked yet.
    ASSERT_TRUE(SansConnexion());
    const QStringList ferme = Ticket(*fiche, 1);
    ASSERT_EQ(ferme.size(), 16);
    EXPECT_EQ(ferme.mid(5, 5), QStringList({"15/03/2024", "10:30", "15/03/2024", "11:17", "47"}));
    EXPECT_EQ(ferme[10].trimmed(), "4,20");
    EXPECT_EQ(ferme[13], "N");
    EXPECT_EQ(ferme[15], "N");
    EXPECT_EQ(Ticket(*fiche, 0), ancien);
    EXPECT_EQ(fiche->Occupation[1], 0);
    EXPECT_EQ(fiche->ListView1->item(1)->data(Qt::UserRole).toInt(), 0);
    EXPECT_TRUE(fiche->ListeConnexions.isEmpty());

    ASSERT_TRUE(fiche->DoitSauver);
    ASSERT_TRUE(fiche->Sauve(jeu));
    TFiche relu;
    ASSERT_TRUE(relu.Charge(jeu));
    EXPECT_EQ(relu.NbTickets, 2);
    EXPECT_EQ(Ticket(relu, 1), ferme);
    EXPECT_EQ(Ticket(relu, 0), ancien);
}

// A wrong password is refused at the window and costs the customer nothing at the counter; typed
// right, it opens the session, whose message line no longer speaks of the refusal.
TEST_F(BoutEnBout, ARefusedPasswordLeavesNoTicketAndTheRightOneThenOpensACleanSession)
{
    const QStringList tickets = fiche->ListeTickets.ToStringList();
    SeConnecte("jdupont", "secret");

    EXPECT_EQ(main->PageControl1->currentWidget(), main->TabSheet1);
    EXPECT_EQ(main->StaticText1->text(), "Erreur mot de passe");
    EXPECT_FALSE(main->Timer1->isActive());
    EXPECT_TRUE(main->Edit2->text().isEmpty());
    ASSERT_TRUE(SansConnexion());
    EXPECT_EQ(fiche->NbTickets, 1);
    EXPECT_EQ(fiche->ListeTickets.ToStringList(), tickets);
    EXPECT_EQ(fiche->Occupation[1], 0);
    EXPECT_FALSE(fiche->DoitSauver);

    SeConnecte("jdupont", "Secret7");
    ASSERT_EQ(main->PageControl1->currentWidget(), main->TabSheet2);
    EXPECT_EQ(main->StaticText3->text(), QString());
    EXPECT_EQ(fiche->NbTickets, 2);
    EXPECT_EQ(Ticket(*fiche, 1).mid(0, 5), QStringList({"NUMT202403002", "10001", "DUPONT", "10002", "Salle2"}));
    EXPECT_EQ(fiche->Occupation[1], 1);
}

// The operator gives the session an end on the ticket card; the workstation's next poll is told
// that the end is near, in the counter's words.
TEST_F(BoutEnBout, TheEndTheOperatorSetsIsAnnouncedOnTheWorkstation)
{
    SeConnecte("JDupont", "SECRET7");
    ASSERT_EQ(main->PageControl1->currentWidget(), main->TabSheet2);
    ASSERT_EQ(fiche->IndexTicket, 1);
    fiche->MaskEdit6->SetText("15/03/2024");
    fiche->MaskEdit7->SetText("11:00");
    fiche->MaskEdit7Exit();

    EXPECT_EQ(Sondage(QDateTime(QDate(2024, 3, 15), QTime(10, 50))), "20 mn");
    EXPECT_TRUE(main->StaticText3->text().isEmpty());
    EXPECT_EQ(Sondage(QDateTime(QDate(2024, 3, 15), QTime(10, 59))), "29 mn");
    EXPECT_TRUE(WaitUntil([&] { return !main->StaticText3->text().isEmpty(); }));
    EXPECT_EQ(main->StaticText3->text(), "Attention bientôt déconnecté");
    // The card's end reached the ticket with its minutes and price.
    const QStringList ticket = Ticket(*fiche, 1);
    EXPECT_EQ(ticket.mid(7, 3), QStringList({"15/03/2024", "11:00", "30"}));
    EXPECT_EQ(ticket.value(10).trimmed(), "2,50");
    EXPECT_FALSE(main->Termine());
}

}  // namespace
