// The room and history pages: the room following the sessions and the machines, the double click
// that opens a machine's ticket, a machine's history and the printed log.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include "manager/shell/histo.h"
#include "platform/printer.h"
#include "server_fixture.h"

using namespace serveur_test;

namespace {

class Salle : public Serveur {
protected:
    // The room's items as "name:image", in order.
    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < fiche->ListView1->count(); ++i) {
            const QListWidgetItem* item = fiche->ListView1->item(i);
            items << item->text() + ":" + QString::number(item->data(Qt::UserRole).toInt());
        }
        return items;
    }
    void Choisit(std::initializer_list<int> rows)
    {
        fiche->ListView1->clearSelection();
        for (int row : rows)
            fiche->ListView1->item(row)->setSelected(true);
    }
};

TEST_F(Salle, ThePagesShowTheRoomAndTheLog)
{
    fiche->Salle();
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet6);
    EXPECT_EQ(Items(), QStringList({"PC1:0", "PC10:0", "pc2:0"}));
    fiche->Historique();
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet7);
}

// The room is rebuilt when a session opens or closes, keeping what the operator selected.
TEST_F(Salle, TheRoomFollowsTheSessions)
{
    fiche->Salle();
    Choisit({2});
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "pc10");
    EXPECT_EQ(Items(), QStringList({"PC1:0", "PC10:1", "pc2:0"}));
    EXPECT_EQ(fiche->PosteCible(), "pc2");
    EXPECT_TRUE(poste->Demande("quit").endsWith(" bye "));
    EXPECT_EQ(Items(), QStringList({"PC1:0", "PC10:0", "pc2:0"}));
    EXPECT_EQ(fiche->PosteCible(), "pc2");
}

// Busy stays with the machine in session when the machines before it go, when machines are
// added or renamed, and when a set is loaded in which it stands elsewhere.
TEST_F(Salle, BusyFollowsTheMachineNotItsPlace)
{
    auto poste = Connecte();
    Session(*poste, "jdupont", "pw", "PC10");
    fiche->Salle();
    ASSERT_EQ(Items(), QStringList({"PC1:0", "PC10:1", "pc2:0"}));

    fiche->Machines();   // PC1, the first machine
    fiche->Supprime();
    EXPECT_EQ(Items(), QStringList({"PC10:1", "pc2:0"}));

    fiche->Ajout();
    fiche->Edit17->setText("PC3");
    fiche->EcritPoste();
    EXPECT_EQ(Items(), QStringList({"PC10:1", "pc2:0", "PC3:0"}));

    // A machine renamed is another workstation's: the session's machine is the one of its name.
    fiche->IndexPoste = 0;
    fiche->LitPoste();
    fiche->Edit17->setText("PC11");
    fiche->EcritPoste();
    EXPECT_EQ(Items(), QStringList({"PC11:0", "pc2:0", "PC3:0"}));
    fiche->Edit17->setText("pc10");
    fiche->EcritPoste();
    EXPECT_EQ(Items(), QStringList({"pc10:1", "pc2:0", "PC3:0"}));

    QTemporaryDir folder;
    const QString path = folder.filePath("salle.vtr");
    fiche->ModifPoste = false;   // the card is in its block: nothing to write into the next list
    Set(TFiche::KPoste, Join({Block(0, cards::MachineFields("1", "A")), Block(1, cards::MachineFields("2", "B")),
                              Block(2, cards::MachineFields("3", "PC10"))}));
    fiche->SetSauve();
    ASSERT_TRUE(fiche->Sauve(path));
    Set(TFiche::KPoste, Postes());
    ASSERT_TRUE(fiche->Charge(path));
    EXPECT_EQ(Items(), QStringList({"A:0", "B:0", "PC10:1"}));

    // The session ends on a set where its machine stands elsewhere: it is freed there.
    EXPECT_TRUE(poste->Demande("quit").endsWith(" bye "));
    EXPECT_EQ(Items(), QStringList({"A:0", "B:0", "PC10:0"}));
    fiche->Nouveau();
    EXPECT_EQ(fiche->ListView1->count(), 0);
}

// Tickets 0 to 3 on PC1, PC10, pc1 and PC10: the most recent ticket of PC1 is number 2.
class DoubleClic : public Salle {
protected:
    void SetUp() override
    {
        Salle::SetUp();
        const char* machines[] = {"PC1", "PC10", "pc1", "PC10"};
        QStringList tickets;
        for (int n = 0; n < 4; ++n) {
            QStringList fields = cards::TicketFields("20240300" + QString::number(n + 1));
            fields[4] = machines[n];
            tickets << Block(n, fields, 5);
        }
        Set(TFiche::KTicket, tickets);
        fiche->ValideCaisse = [this] { ++valides; };
        fiche->resize(740, 455);
        fiche->show();
        fiche->Salle();
    }
    void DoubleClique(int row)
    {
        QListWidget* view = fiche->ListView1;
        // The icon view lays its items out from the event loop.
        ASSERT_TRUE(PumpUntil([&] { return view->visualItemRect(view->item(row)).isValid(); }));
        // A double click is a click, then the second press that the system reports as double.
        const QPoint at = view->visualItemRect(view->item(row)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    int valides = 0;
};

TEST_F(DoubleClic, OpensTheMachinesMostRecentTicket)
{
    DoubleClique(0);
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet5);
    EXPECT_EQ(fiche->IndexTicket, 2);
    EXPECT_EQ(fiche->Edit28->text().trimmed(), "202403003");
    EXPECT_EQ(valides, 1);

    fiche->Salle();
    DoubleClique(1);
    EXPECT_EQ(fiche->IndexTicket, 3);
    EXPECT_EQ(fiche->Edit35->text(), "PC10");
    EXPECT_EQ(valides, 2);
}

TEST_F(DoubleClic, AMachineWithoutTicketOpensNothing)
{
    fiche->IndexTicket = 1;
    DoubleClique(2);
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet6);
    EXPECT_EQ(fiche->IndexTicket, 1);
    // Neither does an item without a name, nor a call with two items selected.
    Set(TFiche::KPoste, Join({Block(0, {"10001"}), Block(1, cards::MachineFields("10002", "PC1"))}));
    fiche->Remplit();
    DoubleClique(0);
    Choisit({0, 1});
    fiche->ListView1DblClick();
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet6);
    EXPECT_EQ(valides, 0);
}

// A machine's history: each line naming it (as a whole name, case ignored), then the line
// before and the line after.
TEST_F(Salle, TheHistoryOfAMachine)
{
    for (const char* line : {"Client connecté  Remote: 127.0.0.1/40000 Local: 127.0.0.1/25201", "Login : jdupont",
                             "Poste : PC1", "Login : martin", "Poste : PC10", "Login : x", "Poste : pc1"})
        fiche->Display(line);
    fiche->Salle();
    Choisit({0});
    QString caption, shown;
    dialogs.dialog("THisto", [&](QDialog* d) {
        caption = d->windowTitle();
        shown = static_cast<THisto*>(d)->Memo1->toPlainText();
    });
    // The pop-up menu's item.
    fiche->PopupMenu1->actions().first()->trigger();
    EXPECT_EQ(caption, "Historique");
    EXPECT_EQ(shown.split('\n'),
              QStringList({"Poste : PC1", "Login : jdupont", "Login : martin", "Poste : pc1", "Login : x"}));

    // No window without exactly one machine.
    Choisit({});
    fiche->Historique1Click();
    Choisit({0, 1});
    fiche->Historique1Click();
    EXPECT_TRUE(dialogs.done());
}

class Impression : public Salle {
protected:
    void SetUp() override
    {
        Salle::SetUp();
        ASSERT_TRUE(folder.isValid());
    }
    void TearDown() override
    {
        platform::Printer().setOutputFileName(QString());
        Salle::TearDown();
    }
    void ImprimeVers(const QString& path)
    {
        platform::Printer().setOutputFormat(QPrinter::PdfFormat);
        platform::Printer().setOutputFileName(path);
        fiche->ImpFiche7();
    }
    // The printout's text, pages separated by form feeds, as an independent reader sees it.
    static QString Texte(const QString& pdf)
    {
        QProcess reader;
        reader.start("pdftotext", {"-layout", pdf, "-"});
        EXPECT_TRUE(reader.waitForFinished(20000));
        return QString::fromUtf8(reader.readAllStandardOutput());
    }
    QTemporaryDir folder;
};

TEST_F(Impression, TheLogPrintsOneLineALineOverAsManyPagesAsItNeeds)
{
    for (int i = 1; i <= 150; ++i)
        fiche->Display("Login : client" + QString::number(i));
    fiche->Historique();
    const QString pdf = folder.filePath("log.pdf");
    ImprimeVers(pdf);
    const QString text = Texte(pdf);
    QStringList lines;
    for (const QString& line : text.split(QRegularExpression("[\n\f]")))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    ASSERT_EQ(lines.size(), 150);
    EXPECT_EQ(lines.first(), "Login : client1");
    EXPECT_EQ(lines.last(), "Login : client150");
    EXPECT_GE(text.count('\f'), 2);
}

TEST_F(Impression, OnlyTheHistoryPagePrintsTheLog)
{
    fiche->Display("Login : jdupont");
    fiche->Salle();
    const QString pdf = folder.filePath("log.pdf");
    ImprimeVers(pdf);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(Impression, APrintThatCannotStartIsReported)
{
    fiche->Display("Login : jdupont");
    fiche->Historique();
    dialogs.message("L'impression n'a pas pu commencer.");
    ImprimeVers(folder.filePath("absent/log.pdf"));
    EXPECT_TRUE(dialogs.done());
    // The printer is usable again.
    const QString pdf = folder.filePath("log.pdf");
    ImprimeVers(pdf);
    EXPECT_TRUE(Texte(pdf).contains("Login :"));
}

}  // namespace
