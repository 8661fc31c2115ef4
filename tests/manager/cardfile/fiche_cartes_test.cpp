// What the customer, machine and ticket cards share: nothing of a block is lost by showing it and
// writing it back, the history line with its shift, and the focus handlers.
#include <QLineEdit>
#include <QToolButton>
#include "platform/widgets/stringgrid.h"
#include "support/card_fixture.h"

using namespace cards;

namespace {

struct KindCase {
    TFiche::Kind kind;
    const char* name;
    int width;
    int dataRows;  // rows of the card's detail or history grid
};

void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << c.name;
}

class KeptLines : public CardFixture, public ::testing::WithParamInterface<KindCase> {
protected:
    // The kind's field lines, in the form its card writes them back.
    QStringList Fields()
    {
        switch (GetParam().kind) {
        case TFiche::KClient:
            return CustomerFields("10001", "DUPONT");
        case TFiche::KPoste:
            return MachineFields("10001", "POSTE1");
        default: {
            QStringList f = TicketFields("202403001");
            f[10] = fiche->Rset("0,00", 80);  // the details' total: every detail here is at 0
            return f;
        }
        }
    }
    // A row as the card shows it (the customer's amounts and the ticket's quantities and unit
    // prices are right-justified).
    QString Row(int i)
    {
        switch (GetParam().kind) {
        case TFiche::KClient:
            return QStringLiteral("DATA01/03/2024\tLigne %1\t").arg(i) + fiche->Rset("1,00", 95);
        case TFiche::KPoste:
            return QStringLiteral("DATA01/03/2024\tLigne %1\t1,00").arg(i);
        default:
            return QStringLiteral("DATALigne %1\t").arg(i) + fiche->Rset("1", 40) + "\t" + fiche->Rset("0,00", 60);
        }
    }
    void Read()
    {
        switch (GetParam().kind) {
        case TFiche::KClient:
            return fiche->LitFiche();
        case TFiche::KPoste:
            return fiche->LitPoste();
        default:
            return fiche->LitCaisse();
        }
    }
    void Write()
    {
        (*fiche).*TFiche::KindOf(GetParam().kind).modified = true;
        switch (GetParam().kind) {
        case TFiche::KClient:
            return fiche->EcritFiche();
        case TFiche::KPoste:
            return fiche->EcritPoste();
        default:
            return fiche->EcritCaisse();
        }
    }
};

}  // namespace

// Rows beyond the grid, row lines without cells, lines of no known kind and every line past the
// 200th are kept and written back after the card's own lines, in their order.
TEST_P(KeptLines, NothingTheCardCannotShowIsLost)
{
    const KindCase& c = GetParam();
    const QStringList fields = Fields();
    QStringList rows, extraRows;
    for (int i = 1; i <= c.dataRows; ++i)
        rows << Row(i);
    for (int i = c.dataRows + 1; i <= c.dataRows + 3; ++i)
        extraRows << Row(i);
    QStringList memo;
    const int used = int(fields.size()) + c.dataRows + 3 + 2;
    for (int n = used + 1; n <= 200; ++n)
        memo << QStringLiteral("MEMOligne %1").arg(n);
    const QStringList odd = {"DATAsans tabulation", "XTRAligne inconnue"};
    const QStringList beyond = {"MEMOau-delà", Row(99), "DATAx"};

    const QStringList block = Block(0, fields + rows + extraRows + odd + memo + beyond, c.width);
    Set(c.kind, block);
    Read();
    Write();

    EXPECT_EQ(Lines(c.kind), Block(0, fields + memo + rows + extraRows + odd + beyond, c.width));
}

INSTANTIATE_TEST_SUITE_P(Cards, KeptLines,
                         ::testing::Values(KindCase{TFiche::KClient, "customer", 4, 63},
                                           KindCase{TFiche::KPoste, "machine", 4, 63},
                                           KindCase{TFiche::KTicket, "ticket", 5, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the history line ---------------------------------------------------------------------------

struct ShiftCase {
    const char* what;
    TFiche::Kind kind;
    int filled;        // rows 1 .. filled hold a line before the addition
    int newRow;        // where the new line ends, 0 when nothing was added
    QString firstRow;  // the label of row 1 afterwards
};

void PrintTo(const ShiftCase& c, std::ostream* os)
{
    *os << c.what;
}

class HistoryShift : public CardFixture, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(HistoryShift, AddsAndPushesTheOldestOutFromTheLastThreeRows)
{
    const ShiftCase& c = GetParam();
    const bool customer = c.kind == TFiche::KClient;
    TStringGrid* grid = customer ? fiche->StringGrid1 : fiche->StringGrid3;
    QLineEdit* label = customer ? fiche->Edit20 : fiche->Edit30;
    QLineEdit* amount = customer ? fiche->Edit21 : fiche->Edit31;
    QToolButton* ok = customer ? fiche->SpeedButton1 : fiche->SpeedButton2;
    for (int row = 1; row <= c.filled; ++row) {
        grid->SetCells(0, row, "01/03/2024");
        grid->SetCells(1, row, QStringLiteral("L%1").arg(row));
        grid->SetCells(2, row, "1,00");
    }
    label->setText("Nouvelle");
    amount->setText("2");
    QTest::mouseClick(ok, Qt::LeftButton);

    EXPECT_EQ(grid->Cells(1, 1), c.firstRow);
    int found = 0;
    for (int row = 1; row < 64; ++row)
        if (grid->Cells(1, row) == "Nouvelle") {
            EXPECT_EQ(found, 0) << "twice, in rows " << found << " and " << row;
            found = row;
        }
    EXPECT_EQ(found, c.newRow);
    EXPECT_EQ(label->text(), c.newRow ? "" : "Nouvelle");
    // The rows under the new line are empty, and the flags are set even when nothing was added.
    for (int row = std::max(c.newRow, c.filled - (c.newRow ? 1 : 0)) + 1; row < 64; ++row)
        EXPECT_EQ(grid->Cells(1, row), "") << row;
    EXPECT_TRUE(fiche->DoitSauver);
    EXPECT_TRUE((*fiche).*TFiche::KindOf(c.kind).modified);
}

INSTANTIATE_TEST_SUITE_P(Cards, HistoryShift,
                         ::testing::Values(ShiftCase{"customer_empty", TFiche::KClient, 0, 1, "Nouvelle"},
                                           ShiftCase{"customer_59", TFiche::KClient, 59, 60, "L1"},
                                           ShiftCase{"customer_60", TFiche::KClient, 60, 60, "L2"},
                                           ShiftCase{"customer_62", TFiche::KClient, 62, 62, "L2"},
                                           ShiftCase{"customer_full", TFiche::KClient, 63, 0, "L1"},
                                           ShiftCase{"machine_59", TFiche::KPoste, 59, 60, "L1"},
                                           ShiftCase{"machine_60", TFiche::KPoste, 60, 60, "L2"},
                                           ShiftCase{"machine_full", TFiche::KPoste, 63, 0, "L1"}),
                         [](const auto& info) { return std::string(info.param.what); });

// ---- focus --------------------------------------------------------------------------------------

// Another window taking the focus is not the operator leaving a field: nothing runs.
TEST_F(CardFixture, AnotherWindowTakingTheFocusIsNotLeavingAField)
{
    Type(fiche->Edit15, "5");
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(fiche->Edit15->text(), "5");
    QApplication::setActiveWindow(fiche.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(fiche.get()));
    fiche->Edit2->setFocus();
    EXPECT_EQ(fiche->Edit15->text(), fiche->Rset("5,00", 107));
}
