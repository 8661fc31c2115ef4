// The cash-ticket card: its block written and read back line for line, the YYYYMMnnn numbers,
// booked tickets, the price and paid fields, and adding and rewriting tickets.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

using namespace cards;

namespace {

const TFiche::Kind T = TFiche::KTicket;

QStringList Ticket(int n, const QStringList& fields, const QStringList& more = {})
{
    return Block(n, fields + more, 5);
}

QStringList TicketNumbered(int n, const QString& number)
{
    return Ticket(n, TicketFields(number));
}

}  // namespace

// A ticket as its card shows it: details with quantity and unit price right-justified, the
// price the details total (no minutes), booked and paid.
TEST_F(CardFixture, TicketReadBackWritesTheSameLines)
{
    QStringList fields = TicketFields("202403004", "10002", "MARTIN");
    fields[5] = "15/03/2024";
    fields[6] = "09:05";
    fields[10] = fiche->Rset("1,70", 80);
    fields[11] = fiche->Rset("2,00", 80);
    fields[12] = fiche->Rset("0,30", 80);
    fields[13] = "Y";
    fields[15] = "Y";
    const QStringList details = {
        "MEMOpayé en espèces",
        "DATAImpression\t" + fiche->Rset("2", 40) + "\t" + fiche->Rset("0,50", 60),
        "DATADisquette\t" + fiche->Rset("1", 40) + "\t" + fiche->Rset("0,70", 60),
    };
    const QStringList lines = Join({TicketNumbered(0, "202403001"), Ticket(1, fields, details)});
    Set(T, lines, 1);
    fiche->LitCaisse();
    EXPECT_EQ(fiche->Edit28->text(), "202403004");
    EXPECT_EQ(fiche->MaskEdit5->Text(), "09:05");
    EXPECT_EQ(fiche->MaskEdit7->Text(), NoTime);
    EXPECT_EQ(fiche->TicketValide, "Y");
    EXPECT_EQ(fiche->StringGrid5->Cells(0, 2), "Disquette");
    EXPECT_EQ(fiche->Label63->text(), "1,70");
    EXPECT_FALSE(fiche->ModifTicket);
    fiche->ModifTicket = true;
    fiche->EcritCaisse();
    EXPECT_EQ(Lines(T), lines);
}

// Reading prices the ticket with today's tariffs, and that alone does not make it modified.
TEST_F(CardFixture, ReadingRecomputesThePriceWithoutMarkingTheTicket)
{
    QStringList fields = TicketFields("202403001");
    fields[9] = "45";
    fields[10] = "   9,99";
    Set(T, Ticket(0, fields));
    fiche->TarifTroisQuarts = 3;
    fiche->LitCaisse();
    EXPECT_EQ(fiche->Edit37->text(), fiche->Rset("3,00", 80));
    EXPECT_FALSE(fiche->ModifTicket);
    // A blank ticket is not priced.
    fiche->NbTickets = 2;
    fiche->IndexTicket = 1;
    fiche->LitCaisse();
    EXPECT_EQ(fiche->Edit37->text(), "");
}

// A booked ticket can be neither booked again nor changed in its details; the next ticket can.
TEST_F(CardFixture, BookedTicketDisablesValidationAndDetails)
{
    QStringList booked = TicketFields("202403001");
    booked[15] = "Y";
    Set(T, Join({Ticket(0, booked), TicketNumbered(1, "202403002")}));
    fiche->Caisse();
    EXPECT_FALSE(fiche->Button5->isEnabled());
    EXPECT_FALSE(fiche->StringGrid5->isEnabled());
    fiche->IndexTicket = 1;
    fiche->LitCaisse();
    EXPECT_TRUE(fiche->Button5->isEnabled());
    EXPECT_TRUE(fiche->StringGrid5->isEnabled());
    EXPECT_EQ(fiche->TicketValide, "N");
}

// Once booked, what the customer's account holds of the ticket stays as it was booked: the
// customer, machine, dates and times, minutes, price and paid amounts take no typing, and the
// buttons that fill them do nothing; the comment can still be written. The next ticket can be
// edited again.
TEST_F(CardFixture, ABookedTicketsBookedFieldsAreReadOnly)
{
    QStringList booked = TicketFields("202403001");
    booked[5] = "15/03/2024";
    booked[6] = "09:05";
    booked[7] = "15/03/2024";
    booked[8] = "09:30";
    booked[9] = "25";
    booked[10] = fiche->Rset("2,50", 80);
    booked[11] = fiche->Rset("2,50", 80);
    booked[12] = fiche->Rset("0,00", 80);
    booked[15] = "Y";
    Set(T, Join({Ticket(0, booked), TicketNumbered(1, "202403002")}));
    fiche->TarifDemiHeure = 2.5;
    ScriptedDialogs dialogs;  // nothing to convert, nothing to report
    fiche->Caisse();
    const QList<QLineEdit*> fields = {fiche->Edit28,    fiche->Edit32,    fiche->Edit33,    fiche->Edit34,
                                      fiche->Edit35,    fiche->MaskEdit4, fiche->MaskEdit5, fiche->MaskEdit6,
                                      fiche->MaskEdit7, fiche->Edit36,    fiche->Edit37,    fiche->Edit42,
                                      fiche->Edit43};
    const QList<QAbstractButton*> buttons = {fiche->SpeedButton4,  fiche->SpeedButton5, fiche->SpeedButton6,
                                             fiche->SpeedButton7,  fiche->SpeedButton8, fiche->SpeedButton9,
                                             fiche->SpeedButton10, fiche->SpeedButton11};
    const QColor page = fiche->TabSheet5->palette().color(QPalette::Window);
    for (QLineEdit* field : fields) {
        EXPECT_TRUE(field->isReadOnly()) << field->objectName().toStdString();
        EXPECT_EQ(field->palette().color(QPalette::Base), page) << field->objectName().toStdString();
    }
    for (QAbstractButton* button : buttons)
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();

    // Typing over the price or the paid amount, or going through the end time and the minutes
    // with other tariffs, leaves the booked ticket as it was.
    fiche->TarifDemiHeure = 9;
    Type(fiche->Edit37, "3,009,99");
    Type(fiche->Edit42, "5");
    Type(fiche->MaskEdit7, "10");
    Type(fiche->Edit36, "7");
    Type(fiche->Edit32, "10002");
    EXPECT_FALSE(fiche->ModifTicket);
    Type(fiche->Memo4, "paye comptant");
    EXPECT_TRUE(fiche->ModifTicket);
    fiche->EcritCaisse();
    EXPECT_EQ(Lines(T).mid(0, 19), Ticket(0, booked + QStringList{"MEMOpaye comptant"}));

    fiche->IndexTicket = 1;
    fiche->LitCaisse();
    for (QLineEdit* field : fields) {
        EXPECT_FALSE(field->isReadOnly()) << field->objectName().toStdString();
        EXPECT_NE(field->palette().color(QPalette::Base), page) << field->objectName().toStdString();
    }
    for (QAbstractButton* button : buttons)
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();

    // Nor does pasting another ticket change a booked one.
    fiche->Copier();
    fiche->IndexTicket = 0;
    fiche->LitCaisse();
    fiche->Coller();
    EXPECT_EQ(fiche->Edit37->text(), fiche->Rset("2,50", 80));
    EXPECT_EQ(fiche->MaskEdit5->Text(), "09:05");
    EXPECT_FALSE(fiche->ModifTicket);
}

struct DetailCount {
    int lines;
    int next;
};

class DetailRows : public CardFixture, public ::testing::WithParamInterface<DetailCount> {};

// The detail row reached is the one after the lines read; a blank ticket starts at row 1.
TEST_P(DetailRows, NbLignesTicketFollowsTheTicketShown)
{
    QStringList details;
    for (int i = 0; i < GetParam().lines; ++i)
        details << QStringLiteral("DATAArticle %1\t1\t1,00").arg(i);
    Set(T, Ticket(0, TicketFields("202403001"), details));
    fiche->NbLignesTicket = 9;
    fiche->LitCaisse();
    EXPECT_EQ(fiche->NbLignesTicket, GetParam().next);
    fiche->NbTickets = 2;
    fiche->IndexTicket = 1;
    fiche->LitCaisse();
    EXPECT_EQ(fiche->NbLignesTicket, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DetailRows,
                         ::testing::Values(DetailCount{0, 1}, DetailCount{3, 4}, DetailCount{15, 16}));

// Nothing of one ticket shows on the next: details (all fifteen rows), total, memo, flags.
TEST_F(CardFixture, TicketReadingEmptiesEverythingItOwns)
{
    QStringList fields = TicketFields("202403001");
    fields[13] = "Y";
    fields[14] = "Y";
    QStringList details{"MEMOnote"};
    for (int i = 1; i <= 15; ++i)
        details << QStringLiteral("DATAArticle %1\t1\t1,00").arg(i);
    Set(T, Ticket(0, fields, details));
    fiche->LitCaisse();
    ASSERT_EQ(fiche->StringGrid5->Cells(0, 15), "Article 15");
    ASSERT_FALSE(fiche->Label63->text().isEmpty());

    fiche->NbTickets = 2;
    fiche->IndexTicket = 1;
    fiche->LitCaisse();
    for (int row = 1; row <= 15; ++row)
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(fiche->StringGrid5->Cells(col, row), "") << col << "," << row;
    EXPECT_EQ(fiche->Label63->text(), "");
    EXPECT_EQ(fiche->Memo4->toPlainText(), "");
    EXPECT_FALSE(fiche->CheckBox3->isChecked());
    EXPECT_FALSE(fiche->CheckBox15->isChecked());
    EXPECT_EQ(fiche->Edit32->text(), "");
    EXPECT_EQ(fiche->MaskEdit4->Text(), NoDate);
    EXPECT_EQ(fiche->Edit28->text(), "202403002");
}

// ---- numbers ------------------------------------------------------------------------------------

struct TicketNumberCase {
    const char* what;
    QList<QStringList> tickets;  // the field lines of each ticket
    int next;
};

class Numeroc : public CardFixture, public ::testing::WithParamInterface<TicketNumberCase> {};

TEST_P(Numeroc, ContinuesTheMonthsNumbers)
{
    QStringList lines;
    for (int i = 0; i < GetParam().tickets.size(); ++i)
        lines << Ticket(i, GetParam().tickets[i]);
    Set(T, lines, GetParam().tickets.size());
    fiche->NbTickets = GetParam().tickets.size() + 1;
    EXPECT_EQ(fiche->Numeroc(), GetParam().next);
    fiche->LitCaisse();
    EXPECT_EQ(fiche->Edit28->text(), QString::number(GetParam().next));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Numeroc,
    ::testing::Values(
        TicketNumberCase{"first_of_the_month", {}, 202403001},
        TicketNumberCase{"next_of_the_month", {TicketFields("202403001"), TicketFields("202403002")}, 202403003},
        TicketNumberCase{"last_month_does_not_count", {TicketFields("202402017")}, 202403001},
        TicketNumberCase{"999_runs_into_next_month", {TicketFields("202403999")}, 202404000},
        TicketNumberCase{"a_later_month_is_continued", {TicketFields("202405007")}, 202405008},
        TicketNumberCase{"blanks_around_the_number", {TicketFields(" 202403010 ")}, 202403011},
        TicketNumberCase{
            "a_number_that_is_not_whole", {TicketFields("202403004"), TicketFields("2024O3009")}, 202403005},
        TicketNumberCase{"a_name_beginning_with_NUMT",
                         {TicketFields("202403004", "10001", "NUMT299912001"), {"NUMT202403002", "NUMT202412001"}},
                         202403005}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- price and paid -----------------------------------------------------------------------------

TEST_F(CardFixture, PriceIsTrimmedOnEnteringAndFormattedOnLeaving)
{
    fiche->Caisse();
    fiche->Edit37->setText("    4,00");
    fiche->ModifTicket = false;
    fiche->Edit37->setFocus();
    EXPECT_EQ(fiche->Edit37->text(), "4,00");
    fiche->Edit37->setText("4,5");
    fiche->ModifTicket = false;
    fiche->Edit32->setFocus();
    EXPECT_EQ(fiche->Edit37->text(), fiche->Rset("4,50", 80));
    EXPECT_TRUE(fiche->ModifTicket);
}

TEST_F(CardFixture, PriceThatIsNotANumberStaysAsTyped)
{
    fiche->Caisse();
    fiche->Edit37->setFocus();
    fiche->Edit37->setText("4,,5");
    {
        ScriptedDialogs dialogs;
        dialogs.message("'4,,5' is not a valid floating point value");
        fiche->Edit32->setFocus();
    }
    EXPECT_EQ(fiche->Edit37->text(), "4,,5");
}

struct PaidCase {
    const char* what;
    QString price, paid;
    bool tickedBefore;
    QString paidShown, balance;  // unpadded; empty paid and balance "ancien": left as they were
    bool ticked;
};

class PaidField : public CardFixture, public ::testing::WithParamInterface<PaidCase> {};

TEST_P(PaidField, GivesTheBalanceAndTicksAnExactPayment)
{
    const PaidCase& c = GetParam();
    fiche->Caisse();
    fiche->Edit37->setText(c.price);
    fiche->Edit43->setText("ancien");
    fiche->CheckBox3->setChecked(c.tickedBefore);
    fiche->Edit42->setFocus();
    fiche->Edit42->setText(c.paid);
    fiche->Edit32->setFocus();
    EXPECT_EQ(fiche->Edit42->text(), c.paidShown.isEmpty() ? c.paid : fiche->Rset(c.paidShown, 80));
    EXPECT_EQ(fiche->Edit43->text(), c.balance == "ancien" ? c.balance : fiche->Rset(c.balance, 80));
    EXPECT_EQ(fiche->CheckBox3->isChecked(), c.ticked);
}

INSTANTIATE_TEST_SUITE_P(Cases, PaidField,
                         ::testing::Values(PaidCase{"exact", "   10,00", "10", false, "10,00", "0,00", true},
                                           PaidCase{"rounds_to_nothing_but_is_not", "10,00", "10,004", false, "10,00",
                                                    "0,00", false},
                                           PaidCase{"still_owed", "7,5", "5", false, "5,00", "-2,50", false},
                                           PaidCase{"never_unticked", "7,5", "5", true, "5,00", "-2,50", true},
                                           PaidCase{"too_much", "7,5", "10", false, "10,00", "2,50", false},
                                           PaidCase{"no_price", "", "12", false, "12,00", "ancien", false},
                                           PaidCase{"nothing_paid", "10,00", "  ", false, "", "ancien", false}),
                         [](const auto& info) { return std::string(info.param.what); });

// ---- writing, adding, deleting ------------------------------------------------------------------

TEST_F(CardFixture, TicketIsWrittenWhenThePageIsLeft)
{
    Set(T, TicketNumbered(0, "202403001"));
    fiche->Caisse();
    EXPECT_EQ(QApplication::focusWidget(), fiche->Edit32);
    fiche->Edit33->selectAll();
    Type(fiche->Edit33, "DURAND");
    fiche->Machines();
    EXPECT_EQ(Lines(T), Ticket(0, TicketFields("202403001", "10001", "DURAND")));
}

// Rewriting an older ticket keeps its place: the last block stays the latest ticket.
TEST_F(CardFixture, RewrittenTicketKeepsItsPlace)
{
    Set(T, Join({TicketNumbered(0, "202403001"), TicketNumbered(1, "202403002"), TicketNumbered(2, "202403003")}));
    fiche->Caisse();
    fiche->CheckBox3->setChecked(true);
    fiche->EcritCaisse();
    QStringList paid = TicketFields("202403001");
    paid[13] = "Y";
    EXPECT_EQ(Lines(T), Join({Ticket(0, paid), TicketNumbered(1, "202403002"), TicketNumbered(2, "202403003")}));
}

TEST_F(CardFixture, AddingATicketGivesItTheNextNumber)
{
    Set(T, TicketNumbered(0, "202403006"));
    fiche->Caisse();
    fiche->Ajout();
    EXPECT_EQ(fiche->NbTickets, 2);
    EXPECT_EQ(fiche->IndexTicket, 1);
    EXPECT_EQ(fiche->Edit28->text(), "202403007");
    EXPECT_EQ(QApplication::focusWidget(), fiche->Edit32);
    QTest::keyClicks(fiche->Edit32, "10004");
    ShowPage(TFiche::KClient);
    const QStringList lines = Lines(T);
    ASSERT_EQ(lines.size(), 36);
    EXPECT_EQ(lines.mid(18, 4), (QStringList{"<BLOC00001>", "NUMT202403007", "10004", ""}));
    EXPECT_EQ(lines.last(), "</BLOC00001>");
}

TEST_F(CardFixture, DeletingATicketRenumbersTheFiveDigitTags)
{
    Set(T, Join({TicketNumbered(0, "202403001"), TicketNumbered(1, "202403002"), TicketNumbered(2, "202403003")}));
    fiche->Caisse();
    fiche->Supprime();
    EXPECT_EQ(fiche->NbTickets, 2);
    EXPECT_EQ(fiche->Edit28->text(), "202403002");
    EXPECT_EQ(Lines(T), Join({TicketNumbered(0, "202403002"), TicketNumbered(1, "202403003")}));
}
