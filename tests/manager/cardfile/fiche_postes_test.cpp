// The machine card: its block written and read back line for line, its ten settings, the next
// machine number, and adding, deleting and rewriting machines from the machine page.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include "platform/widgets/stringgrid.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

using namespace cards;

namespace {

const TFiche::Kind P = TFiche::KPoste;

QStringList Machine(int n, const QString& number, const QString& name, const QStringList& more = {})
{
    return Block(n, MachineFields(number, name) + more);
}

QList<QCheckBox*> Settings(TFiche& f)
{
    return {f.CheckBox5,  f.CheckBox6,  f.CheckBox7,  f.CheckBox8,  f.CheckBox9,
            f.CheckBox10, f.CheckBox11, f.CheckBox12, f.CheckBox13, f.CheckBox14};
}

}  // namespace

TEST_F(CardFixture, MachineReadBackWritesTheSameLines)
{
    const QStringList machine =
        Machine(0, "10001", "POSTE1",
                {"MEMOécran changé", "MEMO", "DATA01/03/2024\tClavier\t   12,00", "DATA02/03/2024\tSouris\t    8,00"});
    Set(P, Join({machine, Machine(1, "10002", "POSTE2")}));
    fiche->LitPoste();
    EXPECT_EQ(fiche->Edit17->text(), "POSTE1");
    EXPECT_EQ(fiche->ComboBox1->currentText(), "WinXP");
    EXPECT_EQ(fiche->Memo3->toPlainText(), "écran changé\n");
    EXPECT_EQ(fiche->StringGrid3->Cells(1, 2), "Souris");
    fiche->ModifPoste = true;
    fiche->EcritPoste();
    EXPECT_EQ(Lines(P), Join({machine, Machine(1, "10002", "POSTE2")}));
}

// Disk size and memory are shown without their blanks; the other lines as they are stored.
TEST_F(CardFixture, MachineDiskAndMemoryAreShownTrimmed)
{
    QStringList fields = MachineFields(" 10001", " POSTE1 ");
    fields[2] = " PC ";
    fields[3] = "  40 Go ";
    fields[4] = " 512 Mo";
    fields[6] = " 192.0.2.7 ";
    Set(P, Block(0, fields));
    fiche->LitPoste();
    EXPECT_EQ(fiche->Edit16->text(), " 10001");
    EXPECT_EQ(fiche->Edit17->text(), " POSTE1 ");
    EXPECT_EQ(fiche->Edit18->text(), " PC ");
    EXPECT_EQ(fiche->Edit19->text(), "40 Go");
    EXPECT_EQ(fiche->Edit27->text(), "512 Mo");
    EXPECT_EQ(fiche->Edit29->text(), " 192.0.2.7 ");
}

class MachineSetting : public CardFixture, public ::testing::WithParamInterface<int> {};

// Each settings line drives its own check box, and only a line of exactly "Y" ticks it.
TEST_P(MachineSetting, DrivesOnlyItsOwnCheckBox)
{
    const int setting = GetParam();
    QStringList fields = MachineFields("10001", "POSTE1");
    for (int i = 8; i < 18; ++i)
        fields[i] = i == 8 + setting ? "Y" : (i % 2 ? "y" : "N");
    fields[7] = "y";  // out of service, in small letters: not ticked
    Set(P, Block(0, fields));
    fiche->LitPoste();
    const QList<QCheckBox*> boxes = Settings(*fiche);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(boxes[i]->isChecked(), i == setting) << boxes[i]->objectName().toStdString();
    EXPECT_FALSE(fiche->CheckBox4->isChecked());

    // And it is written back in its own line.
    boxes[setting]->setChecked(false);
    boxes[(setting + 1) % 10]->setChecked(true);
    fiche->EcritPoste();
    const QStringList lines = Lines(P);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(lines[9 + i], i == (setting + 1) % 10 ? "Y" : "N") << i;
    EXPECT_EQ(lines[8], "N");
}

INSTANTIATE_TEST_SUITE_P(EachOfTheTen, MachineSetting, ::testing::Range(0, 10));

// Changing only the system or only the comment marks the card, and the next move stores it.
TEST_F(CardFixture, SystemOrCommentAloneMarkTheMachineModified)
{
    Set(P, Join({Machine(0, "10001", "POSTE1"), Machine(1, "10002", "POSTE2")}));
    fiche->Machines();
    ASSERT_FALSE(fiche->ModifPoste);
    fiche->ComboBox1->setCurrentIndex(fiche->ComboBox1->findText("Win98"));
    EXPECT_TRUE(fiche->ModifPoste);
    fiche->EcritPoste();
    EXPECT_EQ(Lines(P)[6], "Win98");

    fiche->LitPoste();
    Type(fiche->Memo3, "ventilateur bruyant");
    EXPECT_TRUE(fiche->ModifPoste);
    fiche->EcritPoste();
    EXPECT_EQ(Lines(P)[19], "MEMOventilateur bruyant");
    // Typing a system of its own counts too.
    fiche->LitPoste();
    ASSERT_FALSE(fiche->ModifPoste);
    fiche->ComboBox1->setFocus();
    fiche->ComboBox1->lineEdit()->selectAll();
    QTest::keyClicks(fiche->ComboBox1->lineEdit(), "Debian");
    EXPECT_EQ(fiche->ComboBox1->currentText(), "Debian");
    EXPECT_TRUE(fiche->ModifPoste);
}

// Leaving the machine page writes what was typed, wherever the operator goes.
TEST_F(CardFixture, MachineIsWrittenWhenThePageIsLeft)
{
    Set(P, Join({Machine(0, "10001", "POSTE1"), Machine(1, "10002", "POSTE2")}), 1);
    fiche->Machines();
    EXPECT_EQ(QApplication::focusWidget(), fiche->Edit17);
    fiche->Edit17->selectAll();
    QTest::keyClicks(fiche->Edit17, "SALLE-B");
    fiche->Caisse();
    EXPECT_EQ(Lines(P), Join({Machine(0, "10001", "POSTE1"), Machine(1, "10002", "SALLE-B")}));
}

// Rewriting machine 0 of three keeps the list's order, which the room view relies on.
TEST_F(CardFixture, RewrittenMachineKeepsItsPlace)
{
    Set(P, Join({Machine(0, "10001", "POSTE1"), Machine(1, "10002", "POSTE2"), Machine(2, "10003", "POSTE3")}));
    fiche->Machines();
    fiche->CheckBox4->setChecked(true);
    fiche->TabSheet4Exit();
    QStringList first = MachineFields("10001", "POSTE1");
    first[7] = "Y";
    EXPECT_EQ(Lines(P), Join({Block(0, first), Machine(1, "10002", "POSTE2"), Machine(2, "10003", "POSTE3")}));
}

TEST_F(CardFixture, MachineReadingEmptiesEveryHistoryRow)
{
    QStringList history;
    for (int i = 1; i <= 63; ++i)
        history << QStringLiteral("DATA01/03/2024\tPièce %1\t1,00").arg(i);
    Set(P, Join({Machine(0, "10001", "POSTE1", history), Machine(1, "10002", "POSTE2")}));
    fiche->Edit30->setText("saisie");
    fiche->LitPoste();
    ASSERT_EQ(fiche->StringGrid3->Cells(1, 63), "Pièce 63");
    EXPECT_EQ(fiche->Edit30->text(), "");
    fiche->IndexPoste = 1;
    fiche->LitPoste();
    for (int row = 1; row <= 63; ++row)
        EXPECT_EQ(fiche->StringGrid3->Cells(1, row), "") << row;
}

// ---- the next number ----------------------------------------------------------------------------

struct NumberCase {
    const char* what;
    QStringList numbers;
    int next;
};

class Numerop : public CardFixture, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(Numerop, IsOneAboveTheLargestWholeNumber)
{
    QStringList lines;
    for (int i = 0; i < GetParam().numbers.size(); ++i)
        lines << Machine(i, GetParam().numbers[i], QStringLiteral("P%1").arg(i));
    Set(P, lines);
    EXPECT_EQ(fiche->Numerop(), GetParam().next);
    fiche->IndexPoste = GetParam().numbers.size();
    fiche->LitPoste();
    EXPECT_EQ(fiche->Edit16->text(), QString::number(GetParam().next));
}

INSTANTIATE_TEST_SUITE_P(Cases, Numerop,
                         ::testing::Values(NumberCase{"empty_list", {}, 10001},
                                           NumberCase{"largest_wins", {"10003", "10001", "10002"}, 10004},
                                           NumberCase{"numbers_below_10001_count_for_nothing", {"5", "10000"}, 10001},
                                           NumberCase{
                                               "a_name_instead_of_a_number", {"10004", "POSTE-A", "1O005"}, 10005}),
                         [](const auto& info) { return std::string(info.param.what); });

// ---- adding and deleting on the machine page ----------------------------------------------------

TEST_F(CardFixture, AddingMachinesNumbersThemAndWritesEachWhenTheNextComes)
{
    fiche->Machines();
    fiche->Ajout();
    EXPECT_EQ(fiche->NbPostes, 1);
    EXPECT_EQ(fiche->Edit16->text(), "10001");
    EXPECT_EQ(QApplication::focusWidget(), fiche->Edit17);
    EXPECT_TRUE(fiche->ListePostes.IsEmpty());
    QTest::keyClicks(fiche->Edit17, "POSTE1");
    fiche->Ajout();
    EXPECT_EQ(fiche->NbPostes, 2);
    EXPECT_EQ(fiche->IndexPoste, 1);
    EXPECT_EQ(fiche->Edit16->text(), "10002");
    EXPECT_EQ(fiche->Edit17->text(), "");
    QTest::keyClicks(fiche->Edit17, "POSTE2");
    ShowPage(TFiche::KClient);
    const QStringList blank = {"", "", "", "", "", "N", "N", "N", "N", "N", "N", "N", "N", "N", "N", "N"};
    EXPECT_EQ(Lines(P), Join({Block(0, QStringList{"10001", "POSTE1"} + blank),
                              Block(1, QStringList{"10002", "POSTE2"} + blank)}));
}

TEST_F(CardFixture, DeletingAMachineShowsTheOneThatTookItsNumber)
{
    Set(P, Join({Machine(0, "10001", "POSTE1"), Machine(1, "10002", "POSTE2"), Machine(2, "10003", "POSTE3")}), 1);
    fiche->Machines();
    fiche->Supprime();
    EXPECT_EQ(fiche->NbPostes, 2);
    EXPECT_EQ(fiche->IndexPoste, 1);
    EXPECT_EQ(fiche->Edit17->text(), "POSTE3");
    EXPECT_EQ(Lines(P), Join({Machine(0, "10001", "POSTE1"), Machine(1, "10003", "POSTE3")}));
}

TEST_F(CardFixture, MachineHistoryLineTakesThePickersDate)
{
    Set(P, Machine(0, "10001", "POSTE1"));
    fiche->Machines();
    fiche->DateTimePicker3->setDate(QDate(2024, 3, 4));
    Type(fiche->Edit30, "Écran");
    Type(fiche->Edit31, "89,9");
    QTest::mouseClick(fiche->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(fiche->StringGrid3->Cells(0, 1), "04/03/2024");
    EXPECT_EQ(fiche->StringGrid3->Cells(1, 1), "Écran");
    EXPECT_EQ(fiche->StringGrid3->Cells(2, 1), fiche->Rset("89,90", 95));
    EXPECT_TRUE(fiche->ModifPoste);
    fiche->EcritPoste();
    EXPECT_EQ(Lines(P)[19], "DATA04/03/2024\tÉcran\t" + fiche->Rset("89,90", 95));
}
