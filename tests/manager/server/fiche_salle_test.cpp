// The connection log and the room view.
#include <QListWidget>
#include <QPlainTextEdit>
#include "server_fixture.h"

using namespace serveur_test;

namespace {

struct Logged {
    const char* text;
    const char* line;   // nullptr: not logged
};

const Logged LogCases[] = {
    {"Login : jdupont", "Login : jdupont"},
    {"Login : ", "Login :  Vimor"},
    {"Login : a", "Login : a"},
    {"Login : overtime", nullptr},
    {"Login : timetable", "Login : timetable"},
    {"Login : time and time", "Login : time and time"},
    {"Login : time or timex", "Login : time or timex"},
    {"Poste : config", nullptr},
    {"Poste : configs", "Poste : configs"},
    {"Poste : Time", "Poste : Time"},
};

TEST_F(Serveur, TheLogLeavesOutTextsEndingInAPollsCommand)
{
    for (const Logged& c : LogCases) {
        SCOPED_TRACE(c.text);
        fiche->Memo7->clear();
        fiche->Display(c.text);
        EXPECT_EQ(fiche->Memo7->toPlainText(), c.line ? c.line : "");
    }
}

TEST_F(Serveur, TheLogKeepsItsLast400Lines)
{
    for (int i = 1; i <= 400; ++i)
        fiche->Display("ligne " + QString::number(i));
    EXPECT_EQ(Log().size(), 400);
    fiche->Display("ligne 401");
    const QStringList log = Log();
    ASSERT_EQ(log.size(), 391);
    EXPECT_EQ(log.first(), "ligne 11");
    EXPECT_EQ(log.last(), "ligne 401");
    // Nothing of the lines dropped is kept behind the memo's back.
    EXPECT_EQ(fiche->Memo7->document()->availableUndoSteps(), 0);
}

TEST_F(Serveur, ALoggedNameStaysOnItsLine)
{
    auto poste = Connecte();
    const QByteArray name("a\x0b" "b\x0c" "c");
    EXPECT_EQ(poste->Demande("login " + name), "Login NAK");
    EXPECT_EQ(Log().last(), "Login : a b c");
}

TEST_F(Serveur, TheRoomShowsEachMachineBusyOrFree)
{
    // A block cut short still has its item; a machine past the in-use table is shown free.
    QStringList machines = Postes();
    machines << Block(3, {"10004"});
    for (int i = 4; i < 258; ++i)
        machines << Block(i, cards::MachineFields(QString::number(10001 + i), "M" + QString::number(i)));
    Set(TFiche::KPoste, machines);
    fiche->Occupation[1] = 1;
    fiche->Remplit();
    ASSERT_EQ(fiche->ListView1->count(), 258);
    EXPECT_EQ(fiche->ListView1->item(0)->text(), "PC1");
    EXPECT_EQ(fiche->ListView1->item(1)->text(), "PC10");
    EXPECT_EQ(fiche->ListView1->item(3)->text(), "");
    EXPECT_EQ(fiche->ListView1->item(257)->text(), "M257");
    for (int i : {0, 1, 2, 255, 256, 257})
        EXPECT_EQ(fiche->ListView1->item(i)->data(Qt::UserRole).toInt(), i == 1) << i;
    EXPECT_EQ(fiche->ListView1->iconSize(), QSize(32, 32));

    // The whole name, case ignored; a machine past the table is never marked.
    fiche->Marque("pc1", 1);
    fiche->Marque("PC", 1);
    fiche->Marque("", 1);
    fiche->Marque("M257", 1);
    fiche->Marque("M255", 1);
    EXPECT_EQ(fiche->Occupation.size(), 256);
    EXPECT_EQ(fiche->Occupation.left(4), QByteArray("\1\1\0\0", 4));
    EXPECT_EQ(fiche->Occupation.count('\1'), 3);
    fiche->Marque("PC10", 0);
    EXPECT_EQ(fiche->Occupation.left(2), QByteArray("\1\0", 2));
}

// Loading a set shows its machines, busy where this window's sessions hold them.
TEST_F(Serveur, LoadingASetFillsTheRoom)
{
    fiche->Marque("pc2", 1);
    QTemporaryDir folder;
    const QString path = folder.filePath("salle.vtr");
    fiche->SetSauve();
    ASSERT_TRUE(fiche->Sauve(path));
    TFiche other;
    ASSERT_TRUE(other.Charge(path));
    ASSERT_EQ(other.ListView1->count(), 3);
    EXPECT_EQ(other.ListView1->item(2)->text(), "pc2");
    EXPECT_EQ(other.ListView1->item(2)->data(Qt::UserRole).toInt(), 0);
    fiche->ListView1->clear();
    ASSERT_TRUE(fiche->Charge(path));
    ASSERT_EQ(fiche->ListView1->count(), 3);
    EXPECT_EQ(fiche->ListView1->item(2)->data(Qt::UserRole).toInt(), 1);
}

TEST_F(Serveur, BusyMachinesShowARedScreen)
{
    fiche->Occupation[1] = 1;
    fiche->Remplit();
    // The busy machine's screen is red, the free ones' green.
    const QPixmap busy = fiche->ListView1->item(1)->icon().pixmap(32, 32);
    const QPixmap free = fiche->ListView1->item(0)->icon().pixmap(32, 32);
    const QColor busyScreen = busy.toImage().pixelColor(16, 13);
    const QColor freeScreen = free.toImage().pixelColor(16, 13);
    EXPECT_GT(busyScreen.red(), 150);
    EXPECT_LT(busyScreen.green(), 100);
    EXPECT_GT(freeScreen.green(), 150);
    EXPECT_LT(freeScreen.red(), 100);
}

}  // namespace
