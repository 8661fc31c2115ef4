// Moving through the records of the active page, through all of them or through the kind's
// selection; setting the selections; the pick lists of the list command.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <vector>
#include "manager/cardfile/fiche.h"
#include "manager/shell/inputcombo.h"
#include "support/blocks.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

using namespace cards;
using Kind = TFiche::Kind;
using Operation = void (TFiche::*)();

// The blocks as the cards write them, with the lines the selections read given.
QStringList Customer(int n, const QString& postal, const QString& town = "LYON", const QString& marked = "N",
                     const QString& connected = "N")
{
    const QString code = QString::number(10001 + n);
    return Block(n, CustomerRecord{.code = code,
                                   .marked = marked,
                                   .connected = connected,
                                   .name = "Client " + code,
                                   .address = "3 rue Haute",
                                   .postalCode = postal,
                                   .town = town,
                                   .country = "France",
                                   .phone = "04 78 00 00 01",
                                   .login = "login" + code,
                                   .password = "pw",
                                   .more = {"MEMOnote"}});
}

QStringList Article(int n, const QString& family, const QString& supplier, const QString& account = "707000")
{
    return Block(n, ArticleRecord{.code = QString::number(10001 + n),
                                  .family = family,
                                  .designation = "Article",
                                  .price = "   1,50",
                                  .vatCode = "1",
                                  .account = account,
                                  .supplier = supplier,
                                  .more = {"MEM6desc"}});
}

QStringList Invoice(int n, const QString& number, const QString& customer)
{
    return Block(n, InvoiceRecord{.number = number,
                                  .date = "05/01/2024",
                                  .customer = customer,
                                  .payment = "CB",
                                  .type = "Facture",
                                  .address1 = "Cyber Étoile",
                                  .address2 = "3 rue Haute",
                                  .address3 = "69001 LYON",
                                  .taxes = "TTCY",
                                  .more = {"FACT1001\tCafé\t1\t1,50\t0\t1,50\t1"}});
}

QStringList Machine(int n, const QString& os, const QString& outOfService = "N")
{
    return Block(n, MachineRecord{.number = QString::number(10001 + n),
                                  .name = "POSTE" + QString::number(n),
                                  .type = "PC",
                                  .disk = "40 Go",
                                  .memory = "512 Mo",
                                  .system = os,
                                  .ip = "192.0.2.7",
                                  .outOfService = outOfService,
                                  .settings = {"Y", "Y", "N", "N", "Y", "N", "N", "N", "Y", "N"}});
}

QStringList Ticket(int n, const QString& customer, const QString& paid = "Y")
{
    return Block(n, TicketRecord{.number = "2024010" + QString::number(10 + n),
                                 .customer = customer,
                                 .customerName = "Dupont",
                                 .machine = "10001",
                                 .machineName = "POSTE1",
                                 .startDate = "05/01/2024",
                                 .startTime = "14:05",
                                 .endDate = "05/01/2024",
                                 .endTime = "15:00",
                                 .minutes = "55",
                                 .price = "   4,00",
                                 .paid = "   4,00",
                                 .balance = "   0,00",
                                 .paidInFull = paid});
}

// Puts `lines` into the kind's list with the count a load gives it, makes `index` current and
// shows the kind's page.
void Show(TFiche& fiche, Kind k, const QStringList& lines, int index)
{
    cards::SetRecords(fiche, k, lines, index);
    fiche.PageControl1->setCurrentWidget(fiche.*TFiche::KindOf(k).page);
}

const char* MoveName(Operation op)
{
    if (op == &TFiche::Premier)
        return "Premier";
    if (op == &TFiche::Dernier)
        return "Dernier";
    if (op == &TFiche::Suivant)
        return "Suivant";
    return "Precedent";
}

// A table row's test name: its number and its description in letters, digits and underscores.
struct {
    template <class Info>
    std::string operator()(const Info& info) const
    {
        QString name = QString::fromUtf8(info.param.name);
        for (QChar& ch : name)
            if (!ch.isLetterOrNumber() || ch.unicode() > 127)
                ch = QLatin1Char('_');
        return QStringLiteral("%1_%2").arg(info.index).arg(name).toStdString();
    }
} const CaseName;

// ---- the moves ------------------------------------------------------------------------------------

struct MoveCase {
    const char* name;
    Kind kind;
    int mode;
    QString TFiche::*field;  // the selection value the mode compares with, or null
    QString value;
    QStringList lines;
    int start;
    Operation move;
    int expected;
};

const QStringList ThreeCustomers = Customer(0, "69001") + Customer(1, "69002") + Customer(2, "69003");
// Postal codes by block: 0 and 2 and 3 in 69001, 1 in 75001.
const QStringList PostalCodes =
    Customer(0, "69001") + Customer(1, "75001") + Customer(2, "69001") + Customer(3, "69001");
const QStringList Towns =
    Customer(0, "", "Lyon") + Customer(1, "", "PARIS") + Customer(2, "", "lyon") + Customer(3, "", "LYON");
const QStringList Accents = Customer(0, "", "ÉVRY") + Customer(1, "", "évry") + Customer(2, "", "EVRY");
const QStringList Marked =
    Customer(0, "", "", "y") + Customer(1, "", "", "Y") + Customer(2, "", "", "N") + Customer(3, "", "", "Y");
const QStringList Connected =
    Customer(0, "", "", "Y", "N") + Customer(1, "", "", "N", "Y") + Customer(2, "", "", "N", "y");
// Block 1's field +1 stands where block 0's postal code would be if block 0 were complete.
const QStringList CutShort =
    Block(0, {"10001", "N", "N", "Client"}) + Block(1, {"69001", "N", "N", "Client", "", "", "75001", "LYON"});
// A tag edited by hand among the blocks: no number, no block.
const QStringList HandEdited = Customer(0, "69001")
                               + QStringList{"<BLOCabcd>", "10099", "N", "N", "X", "", "", "69001", "</BLOCabcd>"}
                               + Customer(1, "75001");
const QStringList Families = Article(0, "Boissons", "METRO") + Article(1, "SNACKS", "METRO")
                             + Article(2, "BOISSONS", "PROMOCASH") + Article(3, "boissons", "metro");
// Block 1 has the supplier's name as its account and another supplier.
const QStringList Suppliers =
    Article(0, "SNACKS", "PROMOCASH") + Article(1, "SNACKS", "PROMOCASH", "METRO") + Article(2, "SNACKS", "Metro");
// Invoices stand in the order of their last writing: 2, 0, 3, 1.
const QStringList Invoices = Invoice(2, "202401003", "10001") + Invoice(0, "202401001", "10001")
                             + Invoice(3, "202401004", "10002") + Invoice(1, "202401002", "10002");
const QStringList Machines =
    Machine(0, "Win98", "y") + Machine(1, "LINUX") + Machine(2, "win98", "Y") + Machine(3, "WinXP", "N");
// Block 12 stands above block 10; 11 is another customer's.
const QStringList TenAndTwelve = Ticket(0, "10005") + Ticket(12, "10001") + Ticket(11, "10002") + Ticket(10, "10001");
const QStringList Payments = Ticket(0, "10001", "Y") + Ticket(1, "10001", "N") + Ticket(2, "10001", "y")
                             + Ticket(3, "10001", "n") + Ticket(4, "10001", "") + Ticket(5, "10001", "Y");

const MoveCase MoveCases[] = {
    // All the records: no wrap-around at either end.
    {"next", TFiche::KClient, 0, nullptr, "", ThreeCustomers, 1, &TFiche::Suivant, 2},
    {"next on the last", TFiche::KClient, 1, nullptr, "", ThreeCustomers, 2, &TFiche::Suivant, 2},
    {"previous", TFiche::KClient, 1, nullptr, "", ThreeCustomers, 2, &TFiche::Precedent, 1},
    {"previous on the first", TFiche::KClient, 1, nullptr, "", ThreeCustomers, 0, &TFiche::Precedent, 0},
    {"first", TFiche::KClient, 1, nullptr, "", ThreeCustomers, 2, &TFiche::Premier, 0},
    {"last", TFiche::KClient, 1, nullptr, "", ThreeCustomers, 0, &TFiche::Dernier, 2},
    {"a mode without filter means all", TFiche::KClient, 6, nullptr, "", ThreeCustomers, 0, &TFiche::Dernier, 2},
    {"all articles", TFiche::KArticle, 1, nullptr, "", Families, 1, &TFiche::Suivant, 2},
    {"all machines", TFiche::KPoste, 1, nullptr, "", Machines, 3, &TFiche::Precedent, 2},
    {"all invoices go by number", TFiche::KFacture, 0, nullptr, "", Invoices, 1, &TFiche::Suivant, 2},
    {"all tickets", TFiche::KTicket, 1, nullptr, "", Payments, 0, &TFiche::Dernier, 5},
    {"first of an empty list", TFiche::KClient, 1, nullptr, "", {}, 0, &TFiche::Premier, 0},
    {"previous in an empty list", TFiche::KClient, 1, nullptr, "", {}, 0, &TFiche::Precedent, 0},
    // An empty ticket list still shows block 0, its blank card: never block -1.
    {"last ticket of none", TFiche::KTicket, 1, nullptr, "", {}, 0, &TFiche::Dernier, 0},
    {"next ticket of none", TFiche::KTicket, 1, nullptr, "", {}, 0, &TFiche::Suivant, 0},
    {"previous ticket of none", TFiche::KTicket, 1, nullptr, "", {}, 0, &TFiche::Precedent, 0},
    {"last ticket through an unpaid selection of none", TFiche::KTicket, 3, nullptr, "", {}, 0, &TFiche::Dernier, 0},

    // Postal code, exactly as typed.
    {"postal code: first", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", PostalCodes, 3, &TFiche::Premier, 0},
    {"postal code: last", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", PostalCodes, 0, &TFiche::Dernier, 3},
    {"postal code: next skips the others", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", PostalCodes, 0,
     &TFiche::Suivant, 2},
    {"postal code: previous skips the others", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", PostalCodes, 2,
     &TFiche::Precedent, 0},
    {"postal code: next from outside the selection", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", PostalCodes,
     1, &TFiche::Suivant, 2},
    {"postal code: previous from outside the selection", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001",
     PostalCodes, 1, &TFiche::Precedent, 0},
    {"postal code: next on the last of the selection", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", PostalCodes,
     3, &TFiche::Suivant, 3},
    {"postal code: previous on the first of the selection", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001",
     PostalCodes, 0, &TFiche::Precedent, 0},
    {"postal code: first of an empty selection keeps the card", TFiche::KClient, 2, &TFiche::SelCodePostal, "13000",
     PostalCodes, 2, &TFiche::Premier, 2},
    {"postal code: last of an empty selection keeps the card", TFiche::KClient, 2, &TFiche::SelCodePostal, "13000",
     PostalCodes, 1, &TFiche::Dernier, 1},
    {"postal code: a leading blank matches nothing", TFiche::KClient, 2, &TFiche::SelCodePostal, " 69001", PostalCodes,
     1, &TFiche::Premier, 1},
    {"postal code: a block cut short is not read into the next", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001",
     CutShort, 1, &TFiche::Premier, 1},
    {"postal code: a tag without a number is no block", TFiche::KClient, 2, &TFiche::SelCodePostal, "69001", HandEdited,
     1, &TFiche::Suivant, 1},

    // Town, the card's text upper-cased (a to z only) against the upper-cased selection.
    {"town in any case: first", TFiche::KClient, 3, &TFiche::SelVille, "LYON", Towns, 3, &TFiche::Premier, 0},
    {"town in any case: next", TFiche::KClient, 3, &TFiche::SelVille, "LYON", Towns, 0, &TFiche::Suivant, 2},
    {"town in any case: last", TFiche::KClient, 3, &TFiche::SelVille, "LYON", Towns, 0, &TFiche::Dernier, 3},
    {"a lower-case é matches only a lower-case é", TFiche::KClient, 3, &TFiche::SelVille, "éVRY", Accents, 2,
     &TFiche::Premier, 1},
    {"a lower-case é is not an É", TFiche::KClient, 3, &TFiche::SelVille, "éVRY", Accents, 2, &TFiche::Dernier, 1},
    {"an É matches only an É", TFiche::KClient, 3, &TFiche::SelVille, "ÉVRY", Accents, 2, &TFiche::Dernier, 0},

    // Marked and connected: exactly "Y".
    {"marked: a lower-case y is not marked", TFiche::KClient, 4, nullptr, "", Marked, 3, &TFiche::Premier, 1},
    {"marked: previous", TFiche::KClient, 4, nullptr, "", Marked, 3, &TFiche::Precedent, 1},
    {"connected reads its own line", TFiche::KClient, 5, nullptr, "", Connected, 0, &TFiche::Premier, 1},
    {"connected: a lower-case y is not connected", TFiche::KClient, 5, nullptr, "", Connected, 0, &TFiche::Dernier, 1},

    // Articles.
    {"family in any case: first", TFiche::KArticle, 2, &TFiche::SelFamille, "BOISSONS", Families, 1, &TFiche::Premier,
     0},
    {"family in any case: next", TFiche::KArticle, 2, &TFiche::SelFamille, "BOISSONS", Families, 0, &TFiche::Suivant,
     2},
    {"family in any case: last", TFiche::KArticle, 2, &TFiche::SelFamille, "BOISSONS", Families, 0, &TFiche::Dernier,
     3},
    {"supplier, not account: first", TFiche::KArticle, 3, &TFiche::SelFournisseur, "METRO", Suppliers, 0,
     &TFiche::Premier, 2},
    {"supplier, not account: previous", TFiche::KArticle, 3, &TFiche::SelFournisseur, "METRO", Suppliers, 2,
     &TFiche::Precedent, 2},
    {"no article holds a stock: first keeps the card", TFiche::KArticle, 4, nullptr, "", Families, 2, &TFiche::Premier,
     2},
    {"no article holds a stock: next keeps the card", TFiche::KArticle, 4, nullptr, "", Families, 1, &TFiche::Suivant,
     1},

    // Invoices of one customer, by block number whatever their order in the list.
    {"invoices of a customer: first", TFiche::KFacture, 1, &TFiche::SelCodeClient, "10002", Invoices, 0,
     &TFiche::Premier, 1},
    {"invoices of a customer: next", TFiche::KFacture, 1, &TFiche::SelCodeClient, "10002", Invoices, 1,
     &TFiche::Suivant, 3},
    {"invoices of a customer: last", TFiche::KFacture, 1, &TFiche::SelCodeClient, "10001", Invoices, 0,
     &TFiche::Dernier, 2},
    {"invoices of a customer: previous", TFiche::KFacture, 1, &TFiche::SelCodeClient, "10001", Invoices, 3,
     &TFiche::Precedent, 2},
    {"invoices of a customer code typed with a blank", TFiche::KFacture, 1, &TFiche::SelCodeClient, "10001 ", Invoices,
     3, &TFiche::Premier, 3},

    // Machines.
    {"system in any case: first", TFiche::KPoste, 2, &TFiche::SelSysteme, "WIN98", Machines, 3, &TFiche::Premier, 0},
    {"system in any case: last", TFiche::KPoste, 2, &TFiche::SelSysteme, "WIN98", Machines, 0, &TFiche::Dernier, 2},
    {"out of service, a lower-case y too: first", TFiche::KPoste, 3, nullptr, "", Machines, 3, &TFiche::Premier, 0},
    {"out of service: next", TFiche::KPoste, 3, nullptr, "", Machines, 0, &TFiche::Suivant, 2},
    {"out of service: last", TFiche::KPoste, 3, nullptr, "", Machines, 0, &TFiche::Dernier, 2},

    // Cash tickets: five-digit numbers.
    {"tickets of a customer: next from 10 is 12", TFiche::KTicket, 2, &TFiche::SelCodeClient, "10001", TenAndTwelve, 10,
     &TFiche::Suivant, 12},
    {"tickets of a customer: last is 12 though it stands above 10", TFiche::KTicket, 2, &TFiche::SelCodeClient, "10001",
     TenAndTwelve, 0, &TFiche::Dernier, 12},
    {"tickets of a customer: first", TFiche::KTicket, 2, &TFiche::SelCodeClient, "10001", TenAndTwelve, 12,
     &TFiche::Premier, 10},
    {"tickets of a customer: previous from 12 is 10", TFiche::KTicket, 2, &TFiche::SelCodeClient, "10001", TenAndTwelve,
     12, &TFiche::Precedent, 10},
    {"unpaid: N", TFiche::KTicket, 3, nullptr, "", Payments, 0, &TFiche::Suivant, 1},
    {"unpaid: a lower-case y is paid, a lower-case n is not", TFiche::KTicket, 3, nullptr, "", Payments, 1,
     &TFiche::Suivant, 3},
    {"unpaid: an empty flag", TFiche::KTicket, 3, nullptr, "", Payments, 0, &TFiche::Dernier, 4},
    {"unpaid: first", TFiche::KTicket, 3, nullptr, "", Payments, 5, &TFiche::Premier, 1},
};

void PrintTo(const MoveCase& c, std::ostream* os)
{
    *os << c.name;
}

class Moves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(Moves, LandOnTheExpectedBlock)
{
    const MoveCase& c = GetParam();
    ScriptedDialogs responder;  // a move asks nothing
    TFiche fiche;
    Show(fiche, c.kind, c.lines, c.start);
    int TFiche::*const modes[] = {&TFiche::ModeSelection, &TFiche::ModeSelectionFactures,
                                  &TFiche::ModeSelectionArticles, &TFiche::ModeSelectionPostes,
                                  &TFiche::ModeSelectionTickets};
    fiche.*modes[c.kind] = c.mode;
    if (c.field)
        fiche.*c.field = c.value;
    const RecordList before = fiche.ListOf(c.kind);

    (fiche.*c.move)();

    EXPECT_EQ(fiche.*TFiche::KindOf(c.kind).index, c.expected) << MoveName(c.move);
    EXPECT_EQ(fiche.ListOf(c.kind).ToStringList(), before.ToStringList()) << "a move changes no record";
}

INSTANTIATE_TEST_SUITE_P(Table, Moves, ::testing::ValuesIn(MoveCases), CaseName);

TEST(Navigation, TheRoomAndHistoryPagesMoveNothing)
{
    ScriptedDialogs responder;
    TFiche fiche;
    for (Kind k : {TFiche::KClient, TFiche::KFacture, TFiche::KArticle, TFiche::KPoste, TFiche::KTicket}) {
        fiche.*TFiche::KindOf(k).count = 3;
        fiche.*TFiche::KindOf(k).index = 1;
    }
    for (QWidget* page : {fiche.TabSheet6, fiche.TabSheet7}) {
        fiche.PageControl1->setCurrentWidget(page);
        for (Operation op : {&TFiche::Premier, &TFiche::Dernier, &TFiche::Suivant, &TFiche::Precedent, &TFiche::Liste})
            (fiche.*op)();
        for (Kind k : {TFiche::KClient, TFiche::KFacture, TFiche::KArticle, TFiche::KPoste, TFiche::KTicket})
            EXPECT_EQ(fiche.*TFiche::KindOf(k).index, 1) << k;
        EXPECT_EQ(fiche.PageControl1->currentWidget(), page);
    }
}

TEST(Navigation, TheKeysMoveThroughTheSelection)
{
    ScriptedDialogs responder;
    TFiche fiche;
    Show(fiche, TFiche::KClient, PostalCodes, 0);
    fiche.ModeSelection = 2;
    fiche.SelCodePostal = "69001";
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    };
    const Step steps[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2}, {Qt::Key_PageDown, Qt::NoModifier, 3},
        {Qt::Key_PageDown, Qt::NoModifier, 3}, {Qt::Key_Home, Qt::ControlModifier, 0},
        {Qt::Key_End, Qt::ControlModifier, 3}, {Qt::Key_PageUp, Qt::NoModifier, 2},
    };
    for (const Step& step : steps) {
        QTest::keyClick(fiche.Edit2, step.key, step.modifiers);
        EXPECT_EQ(fiche.IndexClient, step.expected) << "key " << int(step.key);
    }
}

TEST(Navigation, ASelectionHoldsAcrossPages)
{
    ScriptedDialogs responder;
    TFiche fiche;
    Show(fiche, TFiche::KTicket, TenAndTwelve, 0);
    fiche.ModeSelectionTickets = 2;
    fiche.SelCodeClient = "10001";
    fiche.Clients();
    EXPECT_EQ(fiche.PageControl1->currentWidget(), fiche.TabSheet1);
    fiche.PageControl1->setCurrentWidget(fiche.TabSheet5);
    fiche.Suivant();
    EXPECT_EQ(fiche.IndexTicket, 10);
}

// ---- the pick lists ---------------------------------------------------------------------------------

void ChooseRow(QDialog* dialog, int row)
{
    auto* grid = dialog->findChild<QTableWidget*>("StringGrid1");
    ASSERT_NE(grid, nullptr);
    grid->setCurrentCell(row, 1);
    QTest::keyClick(grid, Qt::Key_Return);
}

void ChooseItem(QDialog* dialog, int row)
{
    auto* list = dialog->findChild<QListWidget*>("ListBox1");
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Return);
}

struct PickCase {
    const char* name;
    Kind kind;
    QStringList lines;
    int start;
    const char* dialog;  // the class expected, or null when none opens
    std::function<void(QDialog*)> script;
    int expected;
};

// Enough customers, articles and machines to make the 21 lines the grid lists want.
const QStringList TwoCustomers = Customer(0, "69001") + Customer(1, "69002");
const QStringList OneCustomer = Customer(0, "69001");
const QStringList FewArticles = Article(0, "A", "B") + Article(1, "A", "B");  // 20 lines
const QStringList ThreeArticles = FewArticles + Article(2, "A", "B");
const QStringList TwoMachines = Machine(0, "LINUX") + Machine(1, "LINUX");
// Two invoices carry the same number; block 1 has lost its number line.
const QStringList PickInvoices = Invoice(2, "202401003", "10001") + Invoice(0, "202401003", "10001")
                                 + Block(1, {"", "05/01/2024", "10002"}) + Invoice(3, "202401004", "10002");

const PickCase PickCases[] = {
    {"customers: the chosen row", TFiche::KClient, TwoCustomers, 0, "TFListe", [](QDialog* d) { ChooseRow(d, 1); }, 1},
    {"customers: closed without choosing", TFiche::KClient, TwoCustomers, 1, "TFListe",
     [](QDialog* d) { d->findChild<QPushButton*>("Button1")->click(); }, 1},
    {"customers: a row past the last record", TFiche::KClient, TwoCustomers, 1, "TFListe",
     [](QDialog* d) { ChooseRow(d, 5); }, 1},
    {"customers: fewer than 21 lines open nothing", TFiche::KClient, OneCustomer.mid(0, 20), 0, nullptr, {}, 0},
    {"articles: fewer than 21 lines open nothing", TFiche::KArticle, FewArticles, 1, nullptr, {}, 1},
    {"articles: the chosen row", TFiche::KArticle, ThreeArticles, 0, "TFListe3", [](QDialog* d) { ChooseRow(d, 2); },
     2},
    {"machines: the chosen row", TFiche::KPoste, TwoMachines, 1, "TFListe4", [](QDialog* d) { ChooseRow(d, 0); }, 0},
    {"machines: none chosen", TFiche::KPoste, TwoMachines, 1, "TFListe4", [](QDialog* d) { d->reject(); }, 1},
    // The invoice list shows blocks 0 to 3 in number order.
    {"invoices: the chosen one of two with the same number", TFiche::KFacture, PickInvoices, 3, "TFactListe",
     [](QDialog* d) { ChooseItem(d, 2); }, 2},
    {"invoices: the other one", TFiche::KFacture, PickInvoices, 3, "TFactListe", [](QDialog* d) { ChooseItem(d, 0); },
     0},
    {"invoices: one whose number line is missing", TFiche::KFacture, PickInvoices, 3, "TFactListe",
     [](QDialog* d) { ChooseItem(d, 1); }, 1},
    {"invoices: Esc keeps the invoice", TFiche::KFacture, PickInvoices, 3, "TFactListe",
     [](QDialog* d) {
         d->findChild<QListWidget*>("ListBox1")->setCurrentRow(1);
         QTest::keyClick(d, Qt::Key_Escape);
     },
     3},
    {"invoices: an empty list opens, nothing chosen",
     TFiche::KFacture,
     {},
     0,
     "TFactListe",
     [](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); },
     0},
    {"tickets: the chosen one", TFiche::KTicket, TenAndTwelve + Ticket(1, "1") + Ticket(2, "2"), 0, "TTicketListe",
     [](QDialog* d) { ChooseItem(d, 2); }, 2},
    {"tickets: a moved item is still its block", TFiche::KTicket, Ticket(0, "1") + Ticket(1, "2") + Ticket(2, "3"), 0,
     "TTicketListe",
     [](QDialog* d) {
         auto* list = d->findChild<QListWidget*>("ListBox1");
         list->setCurrentRow(2);
         d->findChild<QAbstractButton*>("SpeedButton1")->click();  // up: block 2 is now the second item
         ASSERT_EQ(list->currentRow(), 1);
         QTest::keyClick(list, Qt::Key_Return);
     },
     2},
};

void PrintTo(const PickCase& c, std::ostream* os)
{
    *os << c.name;
}

class Picks : public ::testing::TestWithParam<PickCase> {};

TEST_P(Picks, ShowTheChosenBlock)
{
    const PickCase& c = GetParam();
    TFiche fiche;
    Show(fiche, c.kind, c.lines, c.start);
    const RecordList before = fiche.ListOf(c.kind);
    {
        ScriptedDialogs responder;
        if (c.dialog)
            responder.dialog(c.dialog, c.script);
        fiche.Liste();
    }
    EXPECT_EQ(fiche.*TFiche::KindOf(c.kind).index, c.expected);
    EXPECT_EQ(fiche.ListOf(c.kind).ToStringList(), before.ToStringList());
    EXPECT_FALSE(fiche.DoitSauver);
}

INSTANTIATE_TEST_SUITE_P(Table, Picks, ::testing::ValuesIn(PickCases), CaseName);

TEST(Picks, F2OnAShortCustomerListOpensNothing)
{
    ScriptedDialogs responder;  // any dialog fails the test
    TFiche fiche;
    Show(fiche, TFiche::KClient, OneCustomer.mid(0, 20), 0);
    QTest::keyClick(fiche.Edit2, Qt::Key_F2);
    EXPECT_TRUE(responder.shown.isEmpty()) << responder.shown.join('\n').toStdString();
}

// ---- writing the card back and reading the block ------------------------------------------------

// The customer card of block `index` of `lines`, then edited: its name changed, which marks the
// card modified.
void ShowEdited(TFiche& fiche, const QStringList& lines, int index)
{
    Show(fiche, TFiche::KClient, lines, index);
    fiche.LitFiche();
    fiche.Edit2->setText("Edited");
    ASSERT_TRUE(fiche.ModifClient);
}

QString LineOfBlock(const TFiche& fiche, int n, int k)
{
    const RecordList& list = fiche.ListeClients;
    const int pos = list.FindBlock(n);
    return pos < 0 ? QStringLiteral("<no block>") : list[pos + k];
}

TEST(WriteBack, AMoveWritesTheEditedCardAndShowsTheBlockItLandsOn)
{
    struct Case {
        const char* name;
        int mode;
        int start;
        Operation move;
        int expected;
    };
    const Case cases[] = {
        {"next", 1, 0, &TFiche::Suivant, 1},
        {"next on the last of a selection stays, written and read again", 2, 3, &TFiche::Suivant, 3},
        {"previous on the first of a selection", 2, 0, &TFiche::Precedent, 0},
        {"first of a selection that nothing passes", 3, 2, &TFiche::Premier, 2},
        {"last", 1, 0, &TFiche::Dernier, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs responder;
        TFiche fiche;
        fiche.ModeSelection = c.mode;
        fiche.SelCodePostal = "69001";
        fiche.SelVille = "NOWHERE";
        ShowEdited(fiche, PostalCodes, c.start);

        (fiche.*c.move)();

        EXPECT_EQ(fiche.IndexClient, c.expected);
        EXPECT_EQ(LineOfBlock(fiche, c.start, 4), "Edited");
        EXPECT_TRUE(fiche.DoitSauver);
        EXPECT_EQ(fiche.Edit2->text(), LineOfBlock(fiche, c.expected, 4));
        EXPECT_FALSE(fiche.ModifClient) << "the card was read again";
    }
}

TEST(WriteBack, WithOneCustomerNextAndLastDoNothingWhileFirstAndPreviousWriteAndRead)
{
    struct Case {
        Operation move;
        bool acts;  // writes the card back, shows block 0 again
    };
    const Case cases[] = {
        {&TFiche::Suivant, false}, {&TFiche::Dernier, false}, {&TFiche::Premier, true}, {&TFiche::Precedent, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(MoveName(c.move));
        ScriptedDialogs responder;
        TFiche fiche;
        ShowEdited(fiche, OneCustomer, 0);

        (fiche.*c.move)();

        EXPECT_EQ(fiche.IndexClient, 0);
        EXPECT_EQ(LineOfBlock(fiche, 0, 4), c.acts ? "Edited" : "Client 10001");
        EXPECT_EQ(fiche.DoitSauver, c.acts);
        EXPECT_EQ(fiche.ModifClient, !c.acts) << "read again";
        EXPECT_EQ(fiche.Edit2->text(), "Edited");
    }
}

TEST(WriteBack, TheListCommandWritesTheCardBeforeItCountsTheLines)
{
    struct Case {
        const char* name;
        QStringList lines;
        int start;
        int row;  // chosen in the list
    };
    // A new customer's card in an empty list: once written, its block makes the list long enough.
    const Case cases[] = {{"another customer chosen", TwoCustomers, 0, 1}, {"a new customer", {}, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs responder;
        responder.dialog("TFListe", [&](QDialog* d) { ChooseRow(d, c.row); });
        TFiche fiche;
        ShowEdited(fiche, c.lines, c.start);

        fiche.Liste();

        EXPECT_EQ(LineOfBlock(fiche, c.start, 4), "Edited");
        EXPECT_EQ(fiche.IndexClient, c.row);
        EXPECT_EQ(fiche.Edit2->text(), LineOfBlock(fiche, c.row, 4));
    }
}

TEST(WriteBack, ClientsShowsTheCurrentCustomerWithoutWritingTheCard)
{
    ScriptedDialogs responder;
    TFiche fiche;
    Show(fiche, TFiche::KClient, TwoCustomers, 1);
    fiche.PageControl1->setCurrentWidget(fiche.TabSheet3);
    fiche.Edit2->setText("Typed on a hidden card");
    fiche.ModifClient = true;

    fiche.Clients();

    EXPECT_EQ(fiche.PageControl1->currentWidget(), fiche.TabSheet1);
    EXPECT_EQ(fiche.ListeClients.ToStringList(), TwoCustomers);
    EXPECT_EQ(fiche.Edit2->text(), LineOfBlock(fiche, 1, 4));
}

// On the customer page the card shown may be being edited: showing the customers again keeps
// what was typed, in the block and on the card.
TEST(WriteBack, ClientsOnTheCustomerPageKeepsWhatWasTypedOnTheCard)
{
    ScriptedDialogs responder;
    TFiche fiche;
    ShowEdited(fiche, TwoCustomers, 1);

    fiche.Clients();

    EXPECT_EQ(LineOfBlock(fiche, 1, 4), "Edited");
    EXPECT_EQ(LineOfBlock(fiche, 0, 4), "Client 10001");
    EXPECT_TRUE(fiche.DoitSauver);
    EXPECT_EQ(fiche.IndexClient, 1);
    EXPECT_EQ(fiche.Edit2->text(), "Edited");
    EXPECT_FALSE(fiche.ModifClient) << "the card was read again";
}

// ---- where the focus goes ------------------------------------------------------------------------

TEST(Focus, AMoveFocusesTheKindsFirstFieldAndAPickLeavesItWhereItWas)
{
    struct Case {
        Kind kind;
        QStringList lines;
        QLineEdit* TFiche::*field;
        const char* list;
        void (*choose)(QDialog*, int);
    };
    const Case cases[] = {
        {TFiche::KClient, ThreeCustomers, &TFiche::Edit2, "TFListe", ChooseRow},
        {TFiche::KFacture, Invoices, &TFiche::Edit22, "TFactListe", ChooseItem},
        {TFiche::KArticle, Families, &TFiche::Edit48, "TFListe3", ChooseRow},
        {TFiche::KPoste, Machines, &TFiche::Edit17, "TFListe4", ChooseRow},
        {TFiche::KTicket, Payments, &TFiche::Edit32, "TTicketListe", ChooseItem},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ScriptedDialogs responder;
        TFiche fiche;
        ASSERT_TRUE(ShowActive(fiche));
        Show(fiche, c.kind, c.lines, 1);
        // Another edit of the same card holds the focus before each command.
        QWidget* other = nullptr;
        for (QWidget* w : fiche.PageControl1->currentWidget()->findChildren<QWidget*>())
            if (!other && w != fiche.*c.field && !w->objectName().isEmpty() && w->focusPolicy() != Qt::NoFocus
                && w->isEnabled() && w->isVisible() && !w->focusProxy())
                other = w;
        ASSERT_NE(other, nullptr);
        other->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), other);

        fiche.Premier();
        EXPECT_EQ(QApplication::focusWidget(), fiche.*c.field);

        other->setFocus();
        QWidget* const before = fiche.focusWidget();
        responder.dialog(c.list, [&](QDialog* d) { c.choose(d, 2); });
        fiche.Liste();
        EXPECT_EQ(fiche.*TFiche::KindOf(c.kind).index, 2);
        EXPECT_EQ(fiche.focusWidget(), before);
    }
}

// ---- the selection setters ------------------------------------------------------------------------

// Records the prompt and the default text of each input box.
class Inputs : public ScriptedDialogs {
public:
    QString inputBox(const QString& caption, const QString& prompt, const QString& def) override
    {
        prompts << prompt;
        defaults << def;
        return ScriptedDialogs::inputBox(caption, prompt, def);
    }
    QStringList prompts, defaults;
};

void Set(TFiche& fiche, Kind k, int mode)
{
    switch (k) {
    case TFiche::KClient:
        fiche.SetSel(mode);
        break;
    case TFiche::KArticle:
        fiche.SetArt(mode);
        break;
    case TFiche::KFacture:
        fiche.SetFact(mode);
        break;
    case TFiche::KPoste:
        fiche.SetPoste(mode);
        break;
    case TFiche::KTicket:
        fiche.SetCaisse(mode);
        break;
    default:
        break;
    }
}

struct InputCase {
    const char* name;
    Kind kind;
    int mode;
    const char* caption;
    const char* prompt;
    QLineEdit* TFiche::*control;  // the card's edit whose text is offered
    const char* shown;            // its text
    bool cancel;
    const char* typed;
    QString TFiche::*field;
    const char* expected;
};

const InputCase InputCases[] = {
    {"postal code as typed", TFiche::KClient, 2, "Rechercher code postal", "Code postal", &TFiche::Edit5, "69001",
     false, " 75001", &TFiche::SelCodePostal, " 75001"},
    {"postal code cancelled", TFiche::KClient, 2, "Rechercher code postal", "Code postal", &TFiche::Edit5, "69001",
     true, "", &TFiche::SelCodePostal, "69001"},
    {"town upper-cased, a to z only", TFiche::KClient, 3, "Rechercher Ville", "Ville", &TFiche::Edit6, "LYON", false,
     "évry-courcouronnes", &TFiche::SelVille, "éVRY-COURCOURONNES"},
    {"town cancelled", TFiche::KClient, 3, "Rechercher Ville", "Ville", &TFiche::Edit6, "Lyon", true, "",
     &TFiche::SelVille, "LYON"},
    {"invoice customer code as typed", TFiche::KFacture, 1, "Sélectionner factures", "Code client", &TFiche::Edit22,
     "10002", false, "abc ", &TFiche::SelCodeClient, "abc "},
    {"invoice customer code cancelled", TFiche::KFacture, 1, "Sélectionner factures", "Code client", &TFiche::Edit22,
     "10002", true, "", &TFiche::SelCodeClient, "10002"},
    {"ticket customer code cancelled", TFiche::KTicket, 2, "Sélectionner client", "Code client", &TFiche::Edit32,
     "10003", true, "", &TFiche::SelCodeClient, "10003"},
    {"ticket customer code as typed", TFiche::KTicket, 2, "Sélectionner client", "Code client", &TFiche::Edit32,
     "10003", false, "10001", &TFiche::SelCodeClient, "10001"},
};

void PrintTo(const InputCase& c, std::ostream* os)
{
    *os << c.name;
}

class InputSetters : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputSetters, AskAndStore)
{
    const InputCase& c = GetParam();
    TFiche fiche;
    (fiche.*c.control)->setText(QString::fromUtf8(c.shown));
    fiche.IndexClient = fiche.IndexFacture = fiche.IndexTicket = 1;
    Inputs responder;
    if (c.cancel)
        responder.inputCancel(QString::fromUtf8(c.caption));
    else
        responder.input(QString::fromUtf8(c.caption), QString::fromUtf8(c.typed));

    Set(fiche, c.kind, c.mode);

    EXPECT_EQ(fiche.*c.field, QString::fromUtf8(c.expected));
    EXPECT_EQ(responder.prompts, QStringList{QString::fromUtf8(c.prompt)});
    EXPECT_EQ(responder.defaults, QStringList{QString::fromUtf8(c.shown)});
    EXPECT_EQ(fiche.IndexClient + fiche.IndexFacture + fiche.IndexTicket, 3) << "a setter does not move the card";
}

INSTANTIATE_TEST_SUITE_P(Table, InputSetters, ::testing::ValuesIn(InputCases), CaseName);

struct ComboCase {
    const char* name;
    Kind kind;
    int mode;
    const char* caption;
    const char* prompt;
    QComboBox* TFiche::*control;  // the card's combo whose items and text are offered
    bool ok;
    const char* typed;
    QString TFiche::*field;
    const char* expected;  // the field was "KEPT" before
};

const ComboCase ComboCases[] = {
    {"family on OK, upper-cased", TFiche::KArticle, 2, "Familles d'articles", "Famille", &TFiche::ComboBox9, true,
     "boissons fraîches", &TFiche::SelFamille, "BOISSONS FRAîCHES"},
    {"family cancelled", TFiche::KArticle, 2, "Familles d'articles", "Famille", &TFiche::ComboBox9, false, "boissons",
     &TFiche::SelFamille, "KEPT"},
    {"supplier on OK", TFiche::KArticle, 3, "Fournisseur d'articles", "Founisseur", &TFiche::ComboBox10, true, "Metro",
     &TFiche::SelFournisseur, "METRO"},
    {"supplier cancelled", TFiche::KArticle, 3, "Fournisseur d'articles", "Founisseur", &TFiche::ComboBox10, false,
     "Metro", &TFiche::SelFournisseur, "KEPT"},
    {"system on OK", TFiche::KPoste, 2, "Systèmes d'exploitation", "Os", &TFiche::ComboBox1, true, "WinXp",
     &TFiche::SelSysteme, "WINXP"},
    {"system cancelled", TFiche::KPoste, 2, "Systèmes d'exploitation", "Os", &TFiche::ComboBox1, false, "WinXp",
     &TFiche::SelSysteme, "KEPT"},
};

void PrintTo(const ComboCase& c, std::ostream* os)
{
    *os << c.name;
}

class ComboSetters : public ::testing::TestWithParam<ComboCase> {};

TEST_P(ComboSetters, AskAndStore)
{
    const ComboCase& c = GetParam();
    TFiche fiche;
    QComboBox* source = fiche.*c.control;
    source->clear();
    source->addItems({"Alpha", "Beta"});
    source->setCurrentIndex(1);
    fiche.*c.field = "KEPT";
    ScriptedDialogs responder;
    responder.dialog("TInputCombo", [&](QDialog* d) {
        auto* dialog = static_cast<TInputCombo*>(d);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(dialog->Label1->text(), QString::fromUtf8(c.prompt));
        QStringList offered;
        for (int i = 0; i < dialog->ComboBox1->count(); ++i)
            offered << dialog->ComboBox1->itemText(i);
        EXPECT_EQ(offered, QStringList({"Alpha", "Beta"}));
        EXPECT_EQ(dialog->ComboBox1->currentText(), "Beta");
        dialog->ComboBox1->setEditText(QString::fromUtf8(c.typed));
        (c.ok ? dialog->OKBtn : dialog->CancelBtn)->click();
    });

    Set(fiche, c.kind, c.mode);

    EXPECT_EQ(fiche.*c.field, QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, ComboSetters, ::testing::ValuesIn(ComboCases), CaseName);

TEST(Setters, StoreTheModeAndAskOnlyWhereItNeedsAValue)
{
    struct Case {
        Kind kind;
        int mode;
        int TFiche::*field;
    };
    const Case cases[] = {
        {TFiche::KClient, 0, &TFiche::ModeSelection},          {TFiche::KClient, 1, &TFiche::ModeSelection},
        {TFiche::KClient, 4, &TFiche::ModeSelection},          {TFiche::KClient, 5, &TFiche::ModeSelection},
        {TFiche::KArticle, 1, &TFiche::ModeSelectionArticles}, {TFiche::KArticle, 4, &TFiche::ModeSelectionArticles},
        {TFiche::KFacture, 0, &TFiche::ModeSelectionFactures}, {TFiche::KPoste, 1, &TFiche::ModeSelectionPostes},
        {TFiche::KPoste, 3, &TFiche::ModeSelectionPostes},     {TFiche::KTicket, 1, &TFiche::ModeSelectionTickets},
        {TFiche::KTicket, 3, &TFiche::ModeSelectionTickets},
    };
    for (const Case& c : cases) {
        ScriptedDialogs responder;  // no question
        TFiche fiche;
        fiche.*c.field = 99;
        Set(fiche, c.kind, c.mode);
        EXPECT_EQ(fiche.*c.field, c.mode) << c.kind << " mode " << c.mode;
        EXPECT_TRUE(responder.shown.isEmpty()) << c.kind << " mode " << c.mode;
    }
}

TEST(Setters, OneCustomerCodeServesInvoicesAndTickets)
{
    TFiche fiche;
    ScriptedDialogs responder;
    responder.input("Sélectionner factures", "10001").input("Sélectionner client", "10002");
    fiche.SetFact(1);
    EXPECT_EQ(fiche.SelCodeClient, "10001");
    fiche.SetCaisse(2);
    EXPECT_EQ(fiche.SelCodeClient, "10002");

    // The invoice selection now follows the code asked for the tickets.
    Show(fiche, TFiche::KFacture, Invoices, 0);
    fiche.Premier();
    EXPECT_EQ(fiche.IndexFacture, 1);
}

TEST(Setters, ATownTypedInLowerCaseSelectsItsCustomers)
{
    TFiche fiche;
    Show(fiche, TFiche::KClient, Towns, 1);
    ScriptedDialogs responder;
    responder.input("Rechercher Ville", "lyon");
    fiche.SetSel(3);
    EXPECT_EQ(fiche.IndexClient, 1);
    std::vector<int> visited;
    fiche.Premier();
    visited.push_back(fiche.IndexClient);
    for (int i = 0; i < 3; ++i) {
        fiche.Suivant();
        visited.push_back(fiche.IndexClient);
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 2, 3, 3}));
}

}  // namespace
