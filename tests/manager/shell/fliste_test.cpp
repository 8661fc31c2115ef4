// The grid lists of whole records: customers (TFListe), articles (TFListe3), machines (TFListe4).
#include <gtest/gtest.h>
#include <QHeaderView>
#include <QTableWidget>
#include <memory>
#include "manager/shell/fliste.h"
#include "manager/shell/fliste3.h"
#include "manager/shell/fliste4.h"
#include "record_blocks.h"
#include "support/dialog_driver.h"

namespace {

QStringList Customers(int count)
{
    QStringList lines;
    for (int n = 0; n < count; ++n)
        lines += Customer(n, QString::number(10001 + n), QString("Client %1").arg(n));
    return lines;
}

QStringList Row(QTableWidget* grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return cells;
}

QStringList Headings(QTableWidget* grid)
{
    QStringList texts;
    for (int c = 2; c < grid->columnCount(); ++c)
        texts << grid->horizontalHeaderItem(c)->text();
    return texts;
}

// The running-number cell of a row: the leftmost one shown, which never scrolls the grid sideways.
QRect CellRect(QTableWidget* grid, int row)
{
    grid->scrollTo(grid->model()->index(row, 1));
    return grid->visualRect(grid->model()->index(row, 1));
}

// A double click begins with a click.
void DoubleClickRow(QTableWidget* grid, int row)
{
    const QPoint at = CellRect(grid, row).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

void SelectRow(QTableWidget* grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellRect(grid, row).center());
}

struct Kind {
    const char* name;
    std::function<std::unique_ptr<TGridList>()> make;
    const char* caption;
    QStringList headings;
    QStringList lines;  // one record
    QStringList row;    // the cells of its row, column 0 first
    QList<int> widths;  // of columns 1 to 8
};

QTableWidget* GridOf(TGridList& dialog)
{
    return dialog.findChild<QTableWidget*>("StringGrid1");
}

const QList<Kind> Kinds = {
    {"customers",
     [] { return std::make_unique<TFListe>(nullptr); },
     "Liste des clients",
     {"Nom/Société", "Adresse", "Adresse", "C.P.", "Ville", "Téléphone", "Fax"},
     Customer(7, "10008", "Café du Port", "BREST"),
     {"0007", "1", "Café du Port", "3 rue Haute", "Bât. B", "69001", "BREST", "04 78 00 00 01", "04 78 00 00 02"},
     {40, 221, 198, 198, 47, 155, 64, 64}},
    // The article lines +4 to +7 hold price, VAT code, account and supplier: so the headings say.
    {"articles",
     [] { return std::make_unique<TFListe3>(nullptr); },
     "Liste des articles",
     {"Code", "Famille", "Désignation", "Prix", "Taux TVA", "Compte", "Fournisseur"},
     Article(3, "10004", "Café crème"),
     {"0003", "1", "10004", "BOISSONS", "Café crème", "   1,50", "1", "707000", "METRO"},
     {40, 91, 198, 174, 114, 102, 64, 64}},
    {"machines",
     [] { return std::make_unique<TFListe4>(nullptr); },
     "Liste des machines",
     {"Code", "Nom", "Type", "disque", "Ram", "OS", "Adr IP"},
     Machine(12, "10013", "POSTE13"),
     {"0012", "1", "10013", "POSTE13", "PC", "40 Go", "512 Mo", "LINUX", "192.0.2.7"},
     {40, 67, 164, 144, 95, 78, 82, 120}},
};

TEST(GridLists, FormHeadingsAndRecordRow)
{
    for (const Kind& k : Kinds) {
        auto dialog = k.make();
        dialog->Init(List(k.lines));
        QTableWidget* grid = GridOf(*dialog);
        EXPECT_EQ(dialog->windowTitle(), k.caption) << k.name;
        EXPECT_TRUE(dialog->windowState() & Qt::WindowMaximized) << k.name;
        EXPECT_EQ(Button(*dialog, "Button1")->text(), "Fermer") << k.name;
        EXPECT_EQ(grid->columnCount(), 9) << k.name;
        EXPECT_EQ(Headings(grid), k.headings) << k.name;
        EXPECT_TRUE(grid->isColumnHidden(0)) << k.name;
        for (int c = 1; c <= 8; ++c)
            EXPECT_EQ(grid->columnWidth(c), k.widths[c - 1]) << k.name << " column " << c;
        EXPECT_EQ(Row(grid, 0), k.row) << k.name;
        EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows) << k.name;
        EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers) << k.name;
    }
}

TEST(GridLists, ChoosingARowGivesItsBlockNumber)
{
    // Blocks stand in the list in the order 2, 0, 1: rows follow the list, numbers the tags.
    const QStringList lines = Customer(2, "10003", "C") + Customer(0, "10001", "A") + Customer(1, "10002", "B");
    enum How { DoubleClick, Enter };
    for (const Kind& k : Kinds) {
        for (How how : {DoubleClick, Enter}) {
            auto dialog = k.make();
            dialog->Init(List(lines));
            const int block = Answer(*dialog, [&](TGridList& d) {
                QTableWidget* grid = GridOf(d);
                if (how == DoubleClick) {
                    DoubleClickRow(grid, 0);
                } else {
                    SelectRow(grid, 0);
                    QTest::keyClick(grid, Qt::Key_Return);
                }
                EXPECT_FALSE(d.isVisible()) << k.name << ": choosing closes the list";
            });
            EXPECT_EQ(block, 2) << k.name << (how == DoubleClick ? " double click" : " Enter");
        }
    }
}

TEST(GridLists, EnterWithoutMovingChoosesTheFirstRow)
{
    auto dialog = std::make_unique<TFListe>(nullptr);
    dialog->Init(List(Customers(3)));
    EXPECT_EQ(Answer(*dialog, [](TGridList& d) { QTest::keyClick(GridOf(d), Qt::Key_Enter); }), 0);
}

TEST(GridLists, ClosingWithoutChoosingGivesMinusOne)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        TFListe dialog(nullptr);
        dialog.Init(List(Customers(5)));
        const int block = Answer(dialog, [&](TGridList& d) {
            SelectRow(GridOf(d), 3);
            if (how == CloseBy::Cancel)
                Button(d, "Button1")->click();  // "Fermer"
            else
                Close(d, how);
        });
        EXPECT_EQ(block, -1) << (how == CloseBy::Cancel ? "Fermer" : CloseName(how));
    }
}

TEST(GridLists, TheGridGrowsTenRowsPastTheRecordThatDoesNotFit)
{
    struct Case {
        int records;
        int recordRows;  // rows under the heading
    };
    // 19 record rows at first; the 20th record finds no row and the grid grows to 30 rows
    // with the heading, the 30th to 40.
    const Case cases[] = {{0, 19}, {19, 19}, {20, 29}, {25, 29}, {29, 29}, {30, 39}};
    for (const Case& c : cases) {
        TFListe dialog(nullptr);
        dialog.Init(List(Customers(c.records)));
        QTableWidget* grid = GridOf(dialog);
        EXPECT_EQ(grid->rowCount(), c.recordRows) << c.records;
        for (int row = 0; row < grid->rowCount(); ++row) {
            const QString running = grid->item(row, 1) ? grid->item(row, 1)->text() : QString();
            EXPECT_EQ(running, row < c.records ? QString::number(row + 1) : QString()) << c.records << " row " << row;
        }
    }
}

TEST(GridLists, ChoosingAnEmptyRowGivesMinusOne)
{
    for (int row : {24, 25, 28}) {
        TFListe dialog(nullptr);
        dialog.Init(List(Customers(25)));
        const int block = Answer(dialog, [&](TGridList& d) { DoubleClickRow(GridOf(d), row); });
        EXPECT_EQ(block, row < 25 ? row : -1) << "row " << row + 1;
    }
}

TEST(GridLists, ABlockCutShortShowsEmptyCells)
{
    QStringList lines = Customer(0, "10001", "A");
    lines += QStringList{"<BLOC0001>", "10002", "N", "N", "Dernier", "1 place"};
    TFListe dialog(nullptr);
    dialog.Init(List(lines));
    EXPECT_EQ(Row(GridOf(dialog), 1), QStringList({"0001", "2", "Dernier", "1 place", "", "", "", "", ""}));
}

}  // namespace
