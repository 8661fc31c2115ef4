// The ticket's time and price: minutes from the two times, the tariff bands, the details with
// their quick buttons and pick list, the picks of customer and machine, the key filters and the
// quick buttons' set-up.
#include <gtest/gtest.h>
#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QTest>
#include "manager/cardfile/fiche.h"
#include "platform/widgets/stringgrid.h"
#include "support/blocks.h"
#include "support/card_fixture.h"
#include "support/clock.h"
#include "support/dialog_driver.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

using namespace cards;
using rtl::Trim;

namespace {

// Customers with their minutes bought and left.
QStringList Client(int n, const QString& code, const QString& nom, const QString& minutes)
{
    return Block(n, CustomerRecord{.code = code,
                                   .name = nom,
                                   .postalCode = "69001",
                                   .town = "LYON",
                                   .minutes = minutes,
                                   .minutesLeft = minutes});
}

QStringList Article(int n, const QString& code, const QString& designation, const QString& prix)
{
    return Block(n, ArticleRecord{.code = code,
                                  .family = "SERVICES",
                                  .designation = designation,
                                  .price = prix,
                                  .vatCode = "1",
                                  .account = "706000"});
}

// Machines without their settings lines.
QStringList Poste(int n, const QString& numero, const QString& nom)
{
    return Block(n, MachineRecord{.number = numero, .name = nom, .type = "PC", .system = "LINUX", .settings = {}});
}

class Chrono : public ::testing::Test {
protected:
    Chrono()
    {
        // The subscription's hourly price takes no part in a ticket's price.
        SetTariffs(f, {.TarifQuartHeure = 1.10,
                       .TarifDemiHeure = 2.20,
                       .TarifTroisQuarts = 3.30,
                       .TarifHeure = 4.40,
                       .TarifQuartSup = 0.75,
                       .TarifHeureAbo = 99});
        f.ListeArticles = Article(0, "20001", "Impression A4", "   0,20") + Article(1, "20002", "Gravure CD", "   1,50")
                          + Article(2, "20003", "Scan", "   0,50");
        f.PageControl1->setCurrentWidget(f.TabSheet5);
        f.LitCaisse();
    }
    QString Prix() const { return Trim(f.Edit37->text()); }
    QString Cell(int col, int row) const { return f.StringGrid5->Cells(col, row); }
    void Ligne(int row, const QString& designation, const QString& qte, const QString& pu)
    {
        f.StringGrid5->SetCells(0, row, designation);
        f.StringGrid5->SetCells(1, row, qte);
        f.StringGrid5->SetCells(2, row, pu);
    }
    void Montre()
    {
        f.resize(800, 500);
        ASSERT_TRUE(ShowActive(f));
    }

    // A moment with seconds, which the start and end times leave out.
    ScopedClock clock{QDateTime(QDate(2024, 3, 5), QTime(14, 7, 30))};
    ScriptedDialogs dialogs;
    TFiche f;
};

// ---- the time price --------------------------------------------------------------------------

TEST_F(Chrono, TimePriceFollowsTheTariffBands)
{
    const struct {
        const char* minutes;
        const char* prix;
    } cases[] = {
        {"0", "1,10"},
        {"15", "1,10"},
        {"16", "2,20"},
        {"30", "2,20"},
        {"31", "3,30"},
        {"45", "3,30"},
        {"46", "4,40"},
        {"60", "4,40"},
        {"61", "5,15"},
        {"74", "5,15"},
        // 75 minutes count two further quarters, 90 three.
        {"75", "5,90"},
        {"89", "5,90"},
        {"90", "6,65"},
        {"-5", "2,15"},
        {" 20", "2,20"},
    };
    for (const auto& c : cases) {
        f.Edit36->setText(c.minutes);
        f.Calcule();
        EXPECT_EQ(Prix(), c.prix) << c.minutes;
        EXPECT_TRUE(f.Edit37->text().startsWith(' ')) << "right-justified: " << c.minutes;
    }
}

TEST_F(Chrono, TimePriceUsesTheAmountFormat)
{
    f.FormatMontant = "0.0";
    f.Edit36->setText("61");
    f.Calcule();
    EXPECT_EQ(Prix(), "5,2");
}

TEST_F(Chrono, WithoutMinutesThePriceStays)
{
    f.Edit37->setText("   7,00");
    for (const char* minutes : {"", "   "}) {
        f.Edit36->setText(minutes);
        f.Calcule();
        EXPECT_EQ(f.Edit37->text(), "   7,00");
    }
}

TEST_F(Chrono, MinutesThatAreNoNumberStopWithThePriceUnchanged)
{
    f.Edit37->setText("   7,00");
    f.Edit36->setText("2O");
    EXPECT_THROW(f.Calcule(), EConvertError);
    EXPECT_EQ(f.Edit37->text(), "   7,00");
}

TEST_F(Chrono, ASubscriberHasNoTimePrice)
{
    f.CheckBox15->setChecked(true);
    f.Edit36->setText("45");
    f.Calcule();
    EXPECT_EQ(f.Edit37->text(), "");
}

// ---- minutes from the times ------------------------------------------------------------------

TEST_F(Chrono, MinutesFromStartAndEnd)
{
    const struct {
        const char* debut;
        const char* fin;
        const char* minutes;
    } cases[] = {
        {"14:00", "14:25", "25"},
        {"23:50", "00:10", "20"},
        {"10:00", "10:00", "0"},
        {"09:59", "10:00", "1"},
        {"00:00", "23:59", "1439"},
        // Without a start time there are no minutes, whatever the end says.
        {"  :  ", "  :  ", "0"},
        {"  :  ", "12:00", "0"},
    };
    for (const auto& c : cases) {
        f.MaskEdit5->SetText(c.debut);
        f.MaskEdit7->SetText(c.fin);
        f.Edit36->setText("x");
        f.Temp();
        EXPECT_EQ(f.Edit36->text(), c.minutes) << c.debut << " " << c.fin;
    }
}

TEST_F(Chrono, AStartWithoutEndStopsTemp)
{
    f.MaskEdit5->SetText("14:00");
    f.MaskEdit7->SetText("  :  ");
    f.Edit36->setText("12");
    EXPECT_THROW(f.Temp(), EConvertError);
    EXPECT_EQ(f.Edit36->text(), "12");
}

TEST_F(Chrono, TheChronoButtonsSetStartAndEndOnce)
{
    f.SpeedButton6->click();
    EXPECT_EQ(f.MaskEdit4->Text(), "05/03/2024");
    EXPECT_EQ(f.MaskEdit5->Text(), "14:07");
    EXPECT_EQ(f.MaskEdit7->Text(), "  :  ");

    clock.Set(QDateTime(QDate(2024, 3, 5), QTime(14, 52, 10)));
    f.SpeedButton6->click();  // a start already set stays
    EXPECT_EQ(f.MaskEdit5->Text(), "14:07");

    f.SpeedButton7->click();
    EXPECT_EQ(f.MaskEdit6->Text(), "05/03/2024");
    EXPECT_EQ(f.MaskEdit7->Text(), "14:52");
    EXPECT_EQ(f.Edit36->text(), "45");
    EXPECT_EQ(Prix(), "3,30");

    clock.Set(QDateTime(QDate(2024, 3, 5), QTime(16, 0)));
    f.SpeedButton7->click();  // an end already set stays, and so does the price
    EXPECT_EQ(f.MaskEdit7->Text(), "14:52");
    EXPECT_EQ(f.Edit36->text(), "45");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Chrono, ASessionAcrossMidnight)
{
    clock.Set(QDateTime(QDate(2024, 3, 5), QTime(23, 50)));
    f.SpeedButton6->click();
    clock.Set(QDateTime(QDate(2024, 3, 6), QTime(0, 10)));
    f.SpeedButton7->click();
    EXPECT_EQ(f.MaskEdit4->Text(), "05/03/2024");
    EXPECT_EQ(f.MaskEdit6->Text(), "06/03/2024");
    EXPECT_EQ(f.Edit36->text(), "20");
    EXPECT_EQ(Prix(), "2,20");
}

TEST_F(Chrono, LeavingTheEndTimeOrTheMinutesPricesTheTicket)
{
    Montre();
    f.MaskEdit5->SetText("14:00");
    f.MaskEdit7->SetText("15:10");
    f.MaskEdit7->setFocus();
    f.Edit42->setFocus();
    EXPECT_EQ(f.Edit36->text(), "70");
    EXPECT_EQ(Prix(), "5,15");

    f.Edit36->setFocus();
    f.Edit36->setText("20");
    f.Edit42->setFocus();
    EXPECT_EQ(Prix(), "2,20");
}

TEST_F(Chrono, LeavingABlankEndTimeShowsTheConversionError)
{
    Montre();
    f.MaskEdit5->SetText("14:00");
    f.Edit36->setText("12");
    f.Edit37->setText("   2,20");
    dialogs.message("'  :  ' is not a valid time");
    f.MaskEdit7->setFocus();
    f.Edit42->setFocus();
    EXPECT_EQ(f.Edit36->text(), "12");
    EXPECT_EQ(f.Edit37->text(), "   2,20");
}

// ---- the details -----------------------------------------------------------------------------

TEST_F(Chrono, DetailsAreComputedRowByRow)
{
    Ligne(1, "Impression", "2 x", "1,5");
    Ligne(2, "Gravure", "abc", "2");
    Ligne(3, "Scan", "3", "");
    Ligne(4, "", "", "5");
    f.StringGrid5->SetCells(3, 4, "old");
    Ligne(5, "Disk", " 1,5 ", "2");
    Ligne(15, "Hors total", "10", "10");
    f.Edit36->setText("25");

    f.Calculec();

    const struct {
        int row;
        const char* qte;
        const char* pu;
        const char* montant;
    } rows[] = {
        {1, "2 x", "1,50", "3,00"},                        // a word after the quantity is allowed
        {2, "abc", "2", "0,00"},                           // letters: nothing counted, no message, price untouched
        {3, "3", "0,00", "0,00"},                          // no unit price counts as 0
        {4, "", "5", "old"},                               // no quantity: the row is passed over
        {5, "1,5", "2,00", "3,00"}, {15, "10", "10", ""},  // the last row is never counted
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Trim(Cell(1, r.row)), r.qte) << r.row;
        EXPECT_EQ(Trim(Cell(2, r.row)), r.pu) << r.row;
        EXPECT_EQ(Trim(Cell(3, r.row)), r.montant) << r.row;
    }
    EXPECT_TRUE(Cell(1, 1).startsWith(' '));
    EXPECT_TRUE(Cell(3, 1).startsWith(' '));
    EXPECT_EQ(f.Label63->text(), "6,00");
    EXPECT_EQ(Prix(), "8,20");  // 25 minutes and the details
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Chrono, ComputingAgainChangesNothing)
{
    Ligne(1, "Impression", "2", "1,5");
    const struct {
        const char* minutes;
        bool abonne;
        const char* prixTape;
        const char* prix;
    } cases[] = {
        {"25", false, "", "5,20"},       // time and details
        {"25", true, "", "3,00"},        // a subscriber pays the details only
        {"", false, "   9,00", "3,00"},  // no minutes: the details are the price
    };
    for (const auto& c : cases) {
        f.Edit36->setText(c.minutes);
        f.CheckBox15->setChecked(c.abonne);
        f.Edit37->setText(c.prixTape);
        for (int fois = 1; fois <= 3; ++fois) {
            f.Calculec();
            EXPECT_EQ(Prix(), c.prix) << c.minutes << " " << c.abonne << " computed " << fois << " times";
            EXPECT_EQ(f.Label63->text(), "3,00");
        }
    }
}

TEST_F(Chrono, WithoutMinutesOrDetailsATypedPriceStays)
{
    f.Edit37->setText("   9,00");
    f.Calculec();
    f.Calculec();
    EXPECT_EQ(f.Edit37->text(), "   9,00");
    EXPECT_EQ(f.Label63->text(), "0,00");
}

// A booked ticket keeps the price it was booked at, whatever the tariffs say since: reading it,
// "Calculer", and writing it after an edit of its comment all leave the stored price.
TEST_F(Chrono, ABookedTicketKeepsItsPriceWhenTheTariffsChange)
{
    f.ListeTickets = Block(0,
                           {"NUMT202403001", "10003", "LEROY", "10001", "POSTE1", "05/03/2024", "10:00", "05/03/2024",
                            "10:25", "25", "     2,20", "", "", "N", "N", "Y", "DATAImpression A4\t2\t0,20"},
                           5);
    f.NbTickets = 1;
    f.TarifDemiHeure = 3.00;
    f.LitCaisse();
    EXPECT_EQ(Prix(), "2,20");
    EXPECT_EQ(f.Label63->text(), "0,40");
    f.Calculec();
    EXPECT_EQ(Prix(), "2,20");
    f.Memo4->setPlainText("payé en espèces");
    f.EcritCaisse();
    EXPECT_EQ(f.ListeTickets.Strings(11), "     2,20");
}

TEST_F(Chrono, AQuantityInTheLastRowIsNotInTheTotal)
{
    Ligne(14, "Ligne 14", "1", "2");
    Ligne(15, "Ligne 15", "1", "5");
    f.Calculec();
    EXPECT_EQ(f.Label63->text(), "2,00");
}

// ---- key filters -----------------------------------------------------------------------------

TEST_F(Chrono, AmountKeyFilter)
{
    const struct {
        QChar in;
        QChar out;
    } cases[] = {
        {'.', ','},
        {',', ','},
        {'0', '0'},
        {'9', '9'},
        {'a', QChar()},
        {' ', QChar()},
        {'-', QChar()},
        {'+', QChar()},
        {QChar(8), QChar()},
        {QChar(13), QChar()},
        {QChar(27), QChar()},
        // Moving on and deleting still work.
        {QChar(9), QChar(9)},
        {QChar(127), QChar(127)},
    };
    for (const auto& c : cases) {
        QChar key = c.in;
        f.Edit42KeyPress(key);
        EXPECT_EQ(key, c.out) << "key " << int(c.in.unicode());
    }
}

TEST_F(Chrono, TheAmountFieldsFilterWhatIsTyped)
{
    for (QLineEdit* champ : {f.Edit37, f.Edit42, f.Edit43}) {
        champ->clear();
        QTest::keyClicks(champ, "1a2.5 -0");
        QTest::keyClick(champ, Qt::Key_Backspace);
        EXPECT_EQ(champ->text(), "12,50") << champ->objectName().toStdString();
    }
}

// An amount holds one decimal comma: a second one is dropped, typed as ',' or as '.'; typed over
// a selection that holds the comma, it takes that comma's place.
TEST_F(Chrono, AnAmountHoldsOneComma)
{
    const struct {
        const char* before;
        int selectFrom, selectLength;
        const char* typed;
        const char* after;
    } cases[] = {
        {"", 0, 0, "3,00.9,99", "3,00999"}, {"12,5", 4, 0, ".0", "12,50"}, {"12,5", 0, 4, "2.5", "2,5"},
        {"12,50", 2, 2, ",7", "12,70"},     {"12,50", 0, 2, ",", "12,50"},
    };
    for (QLineEdit* champ : {f.Edit37, f.Edit42, f.Edit43}) {
        for (const auto& c : cases) {
            champ->setText(c.before);
            champ->setCursorPosition(c.selectFrom);
            if (c.selectLength > 0)
                champ->setSelection(c.selectFrom, c.selectLength);
            QTest::keyClicks(champ, c.typed);
            EXPECT_EQ(champ->text(), c.after) << champ->objectName().toStdString() << " " << c.typed;
        }
    }
}

TEST_F(Chrono, DetailGridKeys)
{
    const struct {
        int col;
        QChar in;
        QChar out;
    } cases[] = {
        {1, '.', ','}, {2, 'x', QChar()},       {3, '5', '5'},
        {1, ' ', ' '}, {2, QChar(8), QChar(8)}, {3, QChar(27), QChar(27)},
        {0, 'x', 'x'}, {0, '.', '.'},           {2, QChar(9), QChar(9)},  // Tab moves on, except in the last column
    };
    for (const auto& c : cases) {
        f.ModifTicket = false;
        f.StringGrid5->setCurrentCell(1, c.col);
        QChar key = c.in;
        f.StringGrid5KeyPress(key);
        EXPECT_EQ(key, c.out) << "column " << c.col << " key " << int(c.in.unicode());
        EXPECT_TRUE(f.ModifTicket);
    }
}

TEST_F(Chrono, ADesignationStopsAtFortyCharacters)
{
    f.StringGrid5->SetCells(0, 1, QString(40, 'a'));
    f.StringGrid5->SetCells(0, 2, QString(41, 'a'));
    f.StringGrid5->setCurrentCell(0, 0);
    QChar key = 'b';
    f.StringGrid5KeyPress(key);
    EXPECT_EQ(key, 'b');
    f.StringGrid5->setCurrentCell(1, 0);
    f.StringGrid5KeyPress(key);
    EXPECT_EQ(key, QChar());
}

TEST_F(Chrono, EnterAfterTheQuantityComputesAndGoesToTheNextRow)
{
    Ligne(3, "Scan", "2", "0,5");
    f.StringGrid5->setCurrentCell(2, 1);  // row 3, quantity
    QChar key = QChar(13);
    f.StringGrid5KeyPress(key);
    EXPECT_EQ(Trim(Cell(3, 3)), "1,00");
    EXPECT_EQ(f.StringGrid5->Row(), 4);
    EXPECT_EQ(f.StringGrid5->Col(), 0);
    EXPECT_EQ(f.NbLignesTicket, 3);
    EXPECT_EQ(key, QChar());
}

TEST_F(Chrono, TabInTheAmountColumnActsAsEnter)
{
    Ligne(1, "Scan", "2", "0,5");
    f.StringGrid5->setCurrentCell(0, 3);
    QChar key = QChar(9);
    f.StringGrid5KeyPress(key);
    EXPECT_EQ(Trim(Cell(3, 1)), "1,00");
    EXPECT_EQ(f.StringGrid5->Row(), 2);
    EXPECT_EQ(f.StringGrid5->Col(), 0);
}

TEST_F(Chrono, EnterOnTheDesignationIsLeftToTheGrid)
{
    Ligne(1, "Scan", "2", "0,5");
    f.StringGrid5->setCurrentCell(0, 0);
    QChar key = QChar(13);
    f.StringGrid5KeyPress(key);
    EXPECT_EQ(key, QChar(13));
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(f.StringGrid5->Row(), 1);
}

TEST_F(Chrono, EnterNoLongerMovesDownOnceRowFourteenWasReached)
{
    const struct {
        int row;      // where Enter is pressed
        int reached;  // NbLignesTicket before
        int rowAfter;
    } cases[] = {{13, 0, 14}, {14, 0, 14}, {5, 14, 5}, {15, 0, 15}};
    for (const auto& c : cases) {
        f.NbLignesTicket = c.reached;
        f.StringGrid5->setCurrentCell(c.row - 1, 1);
        QChar key = QChar(13);
        f.StringGrid5KeyPress(key);
        EXPECT_EQ(f.StringGrid5->Row(), c.rowAfter) << c.row;
        EXPECT_EQ(f.StringGrid5->Col(), 0) << c.row;
    }
}

// A designation composed through the input method (accents, an on-screen keyboard) changes the
// ticket as a typed one does.
TEST_F(Chrono, ADetailFromTheInputMethodMarksTheTicket)
{
    Montre();
    f.StringGrid5->setFocus();
    f.StringGrid5->setCurrentCell(0, 0);
    QWidget* editeur = f.StringGrid5->CellEditor();
    ASSERT_NE(editeur, nullptr);
    ASSERT_FALSE(f.ModifTicket);
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("Café"));
    QApplication::sendEvent(editeur, &compose);
    EXPECT_EQ(Cell(0, 1), "Café");
    EXPECT_TRUE(f.ModifTicket);
}

TEST_F(Chrono, ABookedTicketsDetailsTakeNoKey)
{
    f.TicketValide = "Y";
    Ligne(1, "Scan", "2", "0,5");
    for (QChar in : {QChar('5'), QChar(13), QChar(8)}) {
        f.StringGrid5->setCurrentCell(0, 1);
        QChar key = in;
        f.StringGrid5KeyPress(key);
        EXPECT_EQ(key, QChar()) << int(in.unicode());
    }
    EXPECT_FALSE(f.ModifTicket);
    EXPECT_EQ(Cell(3, 1), "");
}

// Typed into the grid's own editor: what is typed counts at once, and the computed cells stay
// when the editor moves on.
TEST_F(Chrono, TypingAQuantityAndEnterInTheGrid)
{
    Montre();
    Ligne(1, "Gravure CD", "", "1,50");
    f.StringGrid5->setFocus();
    f.StringGrid5->setCurrentCell(0, 1);
    QWidget* editeur = f.StringGrid5->CellEditor();
    ASSERT_NE(editeur, nullptr);
    QTest::keyClicks(editeur, "2.5");
    QTest::keyClick(editeur, Qt::Key_Return);
    EXPECT_EQ(Trim(Cell(1, 1)), "2,5");
    EXPECT_TRUE(Cell(1, 1).startsWith(' ')) << "the editor must not put back what was typed";
    EXPECT_EQ(Trim(Cell(3, 1)), "3,75");
    EXPECT_EQ(f.Label63->text(), "3,75");
    EXPECT_EQ(f.StringGrid5->Row(), 2);
    EXPECT_EQ(f.StringGrid5->Col(), 0);
    EXPECT_TRUE(f.ModifTicket);
}

// What is typed in the open editor counts before the editor closes.
TEST_F(Chrono, TheOpenEditorsTextCounts)
{
    Montre();
    f.CodeBouton1 = "20001";
    f.StringGrid5->setFocus();
    const auto tape = [&](int row, int col, const QString& texte) {
        f.StringGrid5->setCurrentCell(row - 1, col);
        QWidget* editeur = f.StringGrid5->CellEditor();
        ASSERT_NE(editeur, nullptr);
        QTest::keyClicks(editeur, texte);
    };

    tape(1, 2, "9");  // a unit price typed stays under a quick button's article
    f.SpeedButton8->click();
    EXPECT_EQ(Cell(0, 1), "Impression A4");
    EXPECT_EQ(Cell(2, 1), "9");

    tape(2, 0, "Cafe");  // a designation typed: "Autres" opens no pick list
    f.SpeedButton11->click();
    EXPECT_EQ(Cell(0, 2), "Cafe");

    tape(3, 0, QString(45, 'x'));  // the designation stops growing past 40 characters
    f.StringGrid5->setCurrentCell(3, 0);
    EXPECT_EQ(Cell(0, 3), QString(41, 'x'));

    tape(3, 1, "4");  // "Calculer" while a quantity is being typed
    tape(3, 2, "2");
    f.Calculec();
    EXPECT_EQ(Trim(Cell(3, 3)), "8,00");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// ---- articles into the details ---------------------------------------------------------------

TEST_F(Chrono, TheQuickButtonsPutTheirArticleIntoTheCurrentRow)
{
    f.CodeBouton1 = "20001";
    f.CodeBouton2 = "20002";
    f.CodeBouton3 = "20003";
    const struct {
        QAbstractButton* bouton;
        const char* designation;
        const char* pu;
    } cases[] = {
        {f.SpeedButton8, "Impression A4", "0,20"},
        {f.SpeedButton9, "Gravure CD", "1,50"},
        {f.SpeedButton10, "Scan", "0,50"},
    };
    int row = 1;
    for (const auto& c : cases) {
        f.ModifTicket = f.DoitSauver = false;
        f.StringGrid5->setCurrentCell(row - 1, 0);
        c.bouton->click();
        EXPECT_EQ(Cell(0, row), c.designation);
        EXPECT_EQ(Cell(2, row), c.pu);
        EXPECT_EQ(f.StringGrid5->Col(), 1);  // on to the quantity
        EXPECT_TRUE(f.ModifTicket);
        EXPECT_TRUE(f.DoitSauver);
        ++row;
    }
}

TEST_F(Chrono, AUnitPriceAlreadyTypedStays)
{
    Ligne(2, "Autre chose", "1", "9,99");
    f.StringGrid5->setCurrentCell(1, 2);
    f.Button11("20002");
    EXPECT_EQ(Cell(0, 2), "Gravure CD");
    EXPECT_EQ(Cell(2, 2), "9,99");
}

TEST_F(Chrono, ACodeOfNoArticleOnlyMarksTheTicket)
{
    for (const char* code : {"", "29999", "2000"}) {
        f.ModifTicket = f.DoitSauver = false;
        f.StringGrid5->setCurrentCell(0, 0);
        f.Button11(code);
        EXPECT_EQ(Cell(0, 1), "") << code;
        EXPECT_EQ(Cell(2, 1), "") << code;
        EXPECT_TRUE(f.ModifTicket) << code;
        EXPECT_TRUE(f.DoitSauver) << code;
    }
}

TEST_F(Chrono, ABookedTicketTakesNoArticle)
{
    f.TicketValide = "Y";
    f.CodeBouton1 = "20001";
    f.StringGrid5->setCurrentCell(0, 0);
    f.SpeedButton8->click();
    f.SpeedButton11->click();  // no pick list either
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_FALSE(f.ModifTicket);
    EXPECT_FALSE(f.DoitSauver);
}

TEST_F(Chrono, OthersPicksAnArticleForAnEmptyRow)
{
    f.StringGrid5->setCurrentCell(0, 0);
    dialogs.dialog("TListeArt1", ChooseRow(2));
    f.SpeedButton11->click();
    EXPECT_EQ(Cell(0, 1), "Scan");
    EXPECT_EQ(Cell(2, 1), "0,50");

    f.StringGrid5->setCurrentCell(1, 0);
    dialogs.dialog("TListeArt1", CloseWith(CloseBy::Cancel));
    f.SpeedButton11->click();
    EXPECT_EQ(Cell(0, 2), "");
}

TEST_F(Chrono, OthersLeavesARowWithADesignation)
{
    Ligne(1, "Café", "", "");
    f.StringGrid5->setCurrentCell(0, 0);
    f.SpeedButton11->click();  // no pick list
    EXPECT_EQ(Cell(0, 1), "Café");
    EXPECT_TRUE(f.ModifTicket);
}

// ---- picks -----------------------------------------------------------------------------------

TEST_F(Chrono, PickingTheCustomer)
{
    f.ListeClients = Client(0, "10001", "DUPONT", "600") + Client(1, "10002", "MARTIN", "");
    const struct {
        int item;
        bool abonneAvant;
        const char* code;
        const char* nom;
        bool abonne;
    } cases[] = {
        {0, false, "10001", "DUPONT", true},  // bought minutes make a subscriber
        {1, false, "10002", "MARTIN", false},
        {1, true, "10002", "MARTIN", true},  // never unticked by a pick
    };
    for (const auto& c : cases) {
        f.CheckBox15->setChecked(c.abonneAvant);
        dialogs.dialog("TListeCli", ChooseRow(c.item));
        f.SpeedButton4->click();
        EXPECT_EQ(f.Edit32->text(), c.code);
        EXPECT_EQ(f.Edit33->text(), c.nom);
        EXPECT_EQ(f.CheckBox15->isChecked(), c.abonne) << c.item << c.abonneAvant;
    }
    dialogs.dialog("TListeCli", CloseWith(CloseBy::Cancel));
    f.SpeedButton4->click();
    EXPECT_EQ(f.Edit32->text(), "10002");
}

TEST_F(Chrono, PickingTheMachine)
{
    f.ListePostes = Poste(0, "1", "POSTE-A") + Poste(1, "2", "POSTE-B");
    dialogs.dialog("TListePst", ChooseRow(1));
    f.SpeedButton5->click();
    EXPECT_EQ(f.Edit34->text(), "2");
    EXPECT_EQ(f.Edit35->text(), "POSTE-B");

    dialogs.dialog("TListePst", CloseWith(CloseBy::Cancel));
    f.SpeedButton5->click();
    EXPECT_EQ(f.Edit34->text(), "2");
    EXPECT_EQ(f.Edit35->text(), "POSTE-B");
}

// ---- the quick buttons' set-up ---------------------------------------------------------------

struct ReglageBoutons {
    const char* nom;
    std::function<void(QDialog*)> script;
    QStringList captions;
    QStringList codes;
};

TEST_F(Chrono, SettingUpTheQuickButtons)
{
    const auto tape = [](const char* champ, const char* texte) {
        return [=](QDialog* d) {
            auto* e = d->findChild<QLineEdit*>(champ);
            e->setText(texte);
        };
    };
    const ReglageBoutons cases[] = {
        {"OK",
         [&](QDialog* d) {
             tape("Edit2", "Graver")(d);
             tape("Edit6", "20001")(d);
             Close(*d, CloseBy::Ok);
         },
         {"Impr.", "Graver", "Scan"},
         {"20001", "20002", "20001"}},
        {"Annuler",
         [&](QDialog* d) {
             tape("Edit2", "Graver")(d);
             tape("Edit4", "29999")(d);
             Close(*d, CloseBy::Cancel);
         },
         {"Impr.", "Disk", "Scan"},
         {"20001", "20002", "20003"}},
        // OK with the first caption emptied: the codes are taken, the buttons keep their captions.
        {"OK without first caption",
         [&](QDialog* d) {
             tape("Edit1", "")(d);
             tape("Edit2", "Graver")(d);
             tape("Edit4", "20003")(d);
             Close(*d, CloseBy::Ok);
         },
         {"Impr.", "Disk", "Scan"},
         {"20003", "20002", "20003"}},
    };
    for (const auto& c : cases) {
        f.SpeedButton8->setText("Impr.");
        f.SpeedButton9->setText("Disk");
        f.SpeedButton10->setText("Scan");
        f.CodeBouton1 = "20001";
        f.CodeBouton2 = "20002";
        f.CodeBouton3 = "20003";
        dialogs.dialog("TBoutons", c.script);
        f.Boutons1();
        EXPECT_EQ((QStringList{f.SpeedButton8->text(), f.SpeedButton9->text(), f.SpeedButton10->text()}), c.captions)
            << c.nom;
        EXPECT_EQ((QStringList{f.CodeBouton1, f.CodeBouton2, f.CodeBouton3}), c.codes) << c.nom;
    }
}

TEST_F(Chrono, TheSetUpShowsTheButtonsAndTheirArticles)
{
    f.SpeedButton9->setText("Gravure");
    f.CodeBouton2 = "20002";
    QStringList vu;
    dialogs.dialog("TBoutons", [&](QDialog* d) {
        for (const char* champ : {"Edit2", "Edit5"})
            vu << d->findChild<QLineEdit*>(champ)->text();
        Close(*d, CloseBy::Cancel);
    });
    f.Boutons1();
    EXPECT_EQ(vu, (QStringList{"Gravure", "20002"}));
}

// ---- the main window's commands -------------------------------------------------------------

class PricingCommands : public MainFormTest {
protected:
    ScriptedDialogs dialogs;
};

TEST_F(PricingCommands, CalculerAndBoutonsCaisseReachTheTicketCard)
{
    fiche->Caisse();
    fiche->StringGrid5->SetCells(1, 1, "3");
    fiche->StringGrid5->SetCells(2, 1, "2");
    QAction* calculer = form->Command("SpeedButton13");
    ASSERT_NE(calculer, nullptr);
    calculer->setEnabled(true);
    calculer->trigger();
    EXPECT_EQ(fiche->Label63->text(), "6,00");

    fiche->CodeBouton2 = "20002";
    dialogs.dialog("TBoutons", [](QDialog* d) {
        d->findChild<QLineEdit*>("Edit5")->setText("20009");
        Close(*d, CloseBy::Ok);
    });
    QAction* boutons = form->Command("Boutonscaisse1");
    ASSERT_NE(boutons, nullptr);
    boutons->setEnabled(true);
    boutons->trigger();
    EXPECT_EQ(fiche->CodeBouton2, "20009");
}

}  // namespace
