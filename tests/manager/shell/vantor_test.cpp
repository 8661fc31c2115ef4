// The "&Vantor" menu and the room and history pages from the main window: each order reaches a
// workstation connected on loopback, and the room's double click enables the cash register.
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include "record_blocks.h"
#include "support/mainform_fixture.h"
#include "support/rawpeer.h"
#include "support/scripted_dialogs.h"
#include "wsocket/wspump.h"

namespace {

class Vantor : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        fiche->ListePostes = List(Machine(0, "10001", "PC1") + Machine(1, "10002", "PC2"));
        fiche->NbPostes = 2;
        fiche->ListeTickets = List(Ticket(0, "202401001", "10001", "DUPONT", "PC2"), 5);
        fiche->NbTickets = 1;
        fiche->StartServer();
        poste = rawpeer::Conn::To(fiche->PortEcoute().toInt());
        ASSERT_TRUE(poste.Valid());
        ASSERT_EQ(Ligne(), "Welcome to Velmora");
    }

    // The next line the workstation receives, "<nothing>" when none comes.
    QByteArray Ligne()
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000) {
            recu += poste.Read(65536, 0);
            const int end = int(recu.indexOf("\r\n"));
            if (end >= 0) {
                const QByteArray line = recu.left(end);
                recu.remove(0, end + 2);
                return line;
            }
            wsocket::WaitForEvents(5);
        }
        return "<nothing>";
    }

    // The room page from the menu, with its first machine selected.
    void SallePC1()
    {
        Run("Salle1");
        fiche->ListView1->clearSelection();
        fiche->ListView1->item(0)->setSelected(true);
    }

    ScriptedDialogs dialogs;
    rawpeer::Conn poste;
    QByteArray recu;
};

TEST_F(Vantor, EveryItemSendsItsOrder)
{
    const struct {
        const char* item;
        const char* line;
    } orders[] = {
        {"Fermersession1", "Quit PC1"},
        {"Fermerclient1", "Close PC1"},
        {"Envoyermessage1", "Msg PC1 Bonjour"},
        {"Rebootermachine1", "Reboot PC1"},
        {"Arrtermachine1", "Stop PC1"},
        {"Fermertouslesclients1", "Close all"},
        {"Envoyermessagetous1", "Msg all Bonsoir"},
        {"Arrtertouteslesmachines1", "Stop all"},
    };
    dialogs.input("Envoyer message", "Bonjour").input("Envoyer message", "Bonsoir");
    SallePC1();
    for (const auto& o : orders) {
        SCOPED_TRACE(o.item);
        Run(o.item);
        EXPECT_EQ(Ligne(), o.line);
    }
    // "Fermer session" stays out of sight.
    EXPECT_FALSE(Command("Fermersession1")->isVisible());
}

TEST_F(Vantor, TheRoomAndHistoryPagesFromTheMenu)
{
    Run("Salle1");
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet6);
    EXPECT_EQ(fiche->ListView1->count(), 2);
    EXPECT_FALSE(Enabled("Salle1"));
    EXPECT_TRUE(Enabled("Fermerclient1"));
    Run("Historique1");
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet7);
    EXPECT_FALSE(Enabled("Historique1"));
    EXPECT_FALSE(Enabled("Fermerclient1"));
    Run("SpeedButton15");
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet6);
}

// A double click on a machine with a ticket opens it and enables the cash register's commands.
TEST_F(Vantor, TheRoomsDoubleClickEnablesTheCashRegister)
{
    Show();
    Run("Salle1");
    QListWidget* view = fiche->ListView1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->visualItemRect(view->item(1)).isValid(); }));
    const QPoint at = view->visualItemRect(view->item(1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(fiche->PageControl1->currentWidget(), fiche->TabSheet5);
    EXPECT_FALSE(Enabled("Caisse1"));
    EXPECT_TRUE(Enabled("Touslestickets1"));
    EXPECT_TRUE(Enabled("Salle1"));
}

}  // namespace
