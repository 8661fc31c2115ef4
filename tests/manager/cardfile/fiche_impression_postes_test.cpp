// Printing the machines and cash tickets: the machine card with its settings' marks, the machine
// list with its header on every page, and the ticket card whose details and comment overlap.
#include <gmock/gmock.h>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"
#include "print_fixture.h"

using namespace cards;
using platform::Orientation;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

namespace {

const TFiche::Kind P = TFiche::KPoste;

class MachinePrint : public PrintFixture {};

TEST_F(MachinePrint, TheMachineCardPrintsItsFieldsMarksAndSettingsTexts)
{
    Set(P, Block(0, MachineFields("10001", "POSTE1")));
    fiche->LitPoste();
    fiche->Edit29->setText("192.0.2.99");   // shown, not yet written
    fiche->CheckBox4->setChecked(true);
    fiche->CheckBox8->setChecked(false);
    fiche->ImpFiche4();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Portrait);
    QStringList settings;
    for (QCheckBox* box : {fiche->CheckBox5, fiche->CheckBox6, fiche->CheckBox7, fiche->CheckBox8, fiche->CheckBox9,
                           fiche->CheckBox10, fiche->CheckBox11, fiche->CheckBox12, fiche->CheckBox13,
                           fiche->CheckBox14})
        settings << (box->isChecked() ? "[X] " : "[ ] ");
    EXPECT_THAT(Drawn(), IsSupersetOf(QStringList{
                             "5 5 Numéro machine", "35 5 10001", "55 5 Nom machine", "75 10 POSTE1",
                             "5 10 Type machine", "35 10 PC", "5 15 Taille disque", "35 15 40 Go", "5 20 Ram",
                             "35 20 512 Mo", "5 25 OS", "35 25 WinXP", "5 30 Adresse IP", "35 30 192.0.2.99",
                             "35 35 [X] Hors service",
                             "110 5 " + settings[0] + "Cacher la barre des tâches",
                             "110 10 " + settings[1] + "Cacher les icônes du bureau",
                             "110 15 " + settings[2] + "Empêcher la fermeture du programme client",
                             "110 20 [ ] Démarrer automatiquement le poste  client",
                             "110 25 " + settings[4] + "Empêcher Atl+Ctrl+Del (Win95/98/Me)",
                             "110 30 " + settings[5] + "Autoriser Internet Explorer",
                             "110 35 " + settings[6] + "Autoriser Outlook",
                             "110 40 " + settings[7] + "Autoriser Yahoo",
                             "110 45 " + settings[8] + "Autoriser Word",
                             "110 50 " + settings[9] + "Autoriser Aol",
                         }));
    fiche->CheckBox8->setChecked(true);
    fiche->ImpFiche4();
    EXPECT_THAT(Drawn(1), Contains("110 20 [X] Démarrer automatiquement le poste client"));
}

TEST_F(MachinePrint, AnEmptyHistoryPrintsItsHeadingRowOnlyAndTheCommentBeside)
{
    Set(P, Block(0, MachineFields("10001", "POSTE1") + QStringList{"MEMOécran changé", "MEMOclavier neuf"}));
    fiche->LitPoste();
    fiche->ImpFiche4();
    QStringList below;
    for (const QString& d : Drawn())
        if (d.section(' ', 1, 1).toInt() >= 60)
            below << d;
    EXPECT_THAT(below, ElementsAre("5 60 Date", "35 60 Libellé", "60 60 " + fiche->StringGrid3->Cells(2, 0),
                                   "120 60 écran changé", "120 65 clavier neuf"));
}

TEST_F(MachinePrint, TheMachineListPrintsOneRowAMachineAndBreaksWithItsHeader)
{
    QStringList lines;
    for (int n = 0; n < 40; ++n)
        lines << Block(n, MachineFields(QString::number(10001 + n), "POSTE" + QString::number(n + 1)));
    Set(P, lines);
    dialogs.print(true, [](platform::PrintRange& r) { EXPECT_EQ(r.maxPage, 40); });
    fiche->ImpPostes();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Landscape);
    ASSERT_EQ(canvas.jobs[0].pages, 2);
    const QStringList header{"5 0 Numéro", "20 0 Nom", "60 0 Type", "100 0 Disque", "120 0 Ram", "140 0 OS",
                             "180 0 Adr IP"};
    EXPECT_EQ(Drawn(0, 0).mid(0, 7), header);
    EXPECT_EQ(Drawn(0, 0).mid(7, 7), (QStringList{"5 10 10001", "20 10 POSTE1", "60 10 PC", "100 10 40 Go",
                                                  "120 10 512 Mo", "140 10 WinXP", "180 10 192.0.2.7"}));
    EXPECT_EQ(Drawn(0, 1).mid(0, 7), header);
    EXPECT_EQ(Drawn(0, 1).value(7), "5 10 10037");
    EXPECT_EQ(Drawn(0, 1).size(), 7 + 4 * 7);
    int rulesOnSecond = 0;
    for (const auto& r : canvas.rules)
        rulesOnSecond += r.page == 1;
    EXPECT_EQ(rulesOnSecond, 1);
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
}

TEST_F(MachinePrint, ACancelledDialogPrintsNoMachineList)
{
    Set(P, Block(0, MachineFields("10001", "POSTE1")));
    dialogs.print(false);
    fiche->ImpPostes();
    EXPECT_TRUE(canvas.jobs.isEmpty());
}

TEST_F(MachinePrint, TheTicketCardPrintsAmountsAsShownAndItsDetailsOverlapTheComment)
{
    Set(TFiche::KTicket, Block(0, TicketFields("202403001"), 5));
    fiche->LitCaisse();
    fiche->Edit37->setText("   4,50");
    fiche->CheckBox3->setChecked(true);
    TStringGrid* grid = fiche->StringGrid5;
    grid->SetRowCount(13);
    for (int r = 1; r <= 12; ++r) {
        grid->SetCells(0, r, "Article " + QString::number(r));
        grid->SetCells(1, r, "1");
        grid->SetCells(2, r, "  0,50");
        grid->SetCells(3, r, "  0,50");
    }
    fiche->Memo4->setPlainText("payé en espèces\nreçu remis");
    fiche->ImpFiche5();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Portrait);
    const QStringList drawn = Drawn();
    EXPECT_THAT(drawn, IsSupersetOf(QStringList{
                           "5 5 Numéro ticket", "35 5 202403001", "55 5 Code client", "75 10 10001",
                           "5 10 Nom client", "35 10 DUPONT", "5 15 Code machine", "35 15 10001",
                           "5 20 Nom machine", "35 20 POSTE1", "5 25 Date début", "35 25   /  /    ",
                           "60 25 Heure début", "90 25   :  ", "5 30 Date fin", "60 30 Heure fin", "5 35 Temps",
                           "5 40 Prix", "35 40    4,50", "5 45 Réglé", "5 50 solde", "60 50 [X] Ticket payé",
                           "110 10 Désignation", "140 10 Qté", "150 10 P.U", "175 10 Montant",
                           "110 15 Article 1", "140 15 1", "150 15   0,50", "175 15   0,50",
                           "110 60 Article 10", "110 65 Article 11", "120 60 payé en espèces", "120 65 reçu remis",
                       }));
}

TEST_F(MachinePrint, ATicketWithoutDetailsPrintsTheirHeadingRowOnly)
{
    Set(TFiche::KTicket, Block(0, TicketFields("202403001"), 5));
    fiche->LitCaisse();
    fiche->ImpFiche5();
    QStringList details;
    for (const QString& d : Drawn())
        if (d.section(' ', 0, 0).toInt() >= 110)
            details << d;
    EXPECT_THAT(details, ElementsAre("110 10 Désignation", "140 10 Qté", "150 10 P.U", "175 10 Montant"));
}

TEST_F(MachinePrint, ThePrintCommandPrintsTheCardOfThePageShown)
{
    Set(P, Block(0, MachineFields("10001", "POSTE1")));
    Set(TFiche::KTicket, Block(0, TicketFields("202403001"), 5));
    ShowPage(P);
    fiche->LitPoste();
    fiche->ImpFiche();
    ShowPage(TFiche::KTicket);
    fiche->LitCaisse();
    fiche->ImpFiche();
    fiche->PageControl1->setCurrentWidget(fiche->TabSheet6);
    fiche->ImpFiche();
    ASSERT_EQ(canvas.jobs.size(), 2);
    EXPECT_THAT(Drawn(0), Contains("5 5 Numéro machine"));
    EXPECT_THAT(Drawn(1), Contains("5 5 Numéro ticket"));
}

}  // namespace
