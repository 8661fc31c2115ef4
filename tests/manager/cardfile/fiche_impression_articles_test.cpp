// Printing the articles: the stock list in ten columns, the prices right-aligned on their edges
// whatever blanks they were stored with, the header again on every page; the article card as
// shown, its two memos sharing one column.
#include <gmock/gmock.h>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include "platform/widgets/stringgrid.h"
#include "print_fixture.h"

using namespace cards;
using platform::Orientation;

namespace {

class StockListPrint : public PrintFixture {};

QStringList Article(int n, const QString& code, const QString& designation, const QString& price)
{
    return Block(n, {code, "BOISSONS", designation, price, "1", "707000", "METRO", "MEM6Canette 33 cl"});
}

TEST_F(StockListPrint, EachArticleOnARowWithItsPriceEndingOnItsEdge)
{
    Set(TFiche::KArticle, Join({Article(0, "A001", "Coca-Cola", "    2,50 "), Article(1, "A002", "Eau", "1,00")}));
    dialogs.print(true, [](platform::PrintRange& r) { EXPECT_EQ(r.maxPage, 2); });
    fiche->ImpArt();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Landscape);
    const QStringList drawn = Drawn();
    EXPECT_EQ(drawn.mid(0, 10), (QStringList{"5 0 Code", "20 0 Famille", "60 0 Désignation", "110 0 Stock",
                                             "140 0 Mini", "160 0 Fournisseur", "200 0 Réf.", "225 0 P Achat",
                                             "245 0 Pv. HT", "265 0 Pv. TTC"}));
    EXPECT_THAT(drawn, ::testing::IsSupersetOf(QStringList{"5 10 A001", "20 10 BOISSONS", "60 10 Coca-Cola",
                                                           "160 10 METRO", "5 15 A002", "60 15 Eau"}));
    // The price is trimmed, then drawn its printer width left of 280 mm.
    const auto* price = canvas.Find("2,50");
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->x + canvas.TextWidth("2,50"), Px(280));
    EXPECT_EQ(price->y, Py(10));
    const auto* other = canvas.Find("1,00");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->x + canvas.TextWidth("1,00"), Px(280));
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Portrait);
}

TEST_F(StockListPrint, ALongStockListRepeatsItsTenColumnHeaderOnEachPage)
{
    QStringList lines;
    for (int n = 0; n < 50; ++n)
        lines << Article(n, QString("A%1").arg(n, 3, 10, QChar('0')), "Article", "1,00");
    Set(TFiche::KArticle, lines);
    dialogs.print(true);
    fiche->ImpArt();
    ASSERT_EQ(canvas.jobs[0].pages, 2);
    EXPECT_EQ(Drawn(0, 1).mid(0, 10), Drawn(0, 0).mid(0, 10));
    EXPECT_EQ(Drawn(0, 1).value(10), "5 10 A036");
}

}  // namespace

namespace {

class ArticleCardPrint : public PrintFixture {};

TEST_F(ArticleCardPrint, LabelsBesideValuesThenMovementsAndBothMemosInOneColumn)
{
    Set(TFiche::KArticle, Article(0, "A001", "Coca-Cola", "2,50"));
    fiche->Articles();
    fiche->LitArt();
    fiche->Edit48->setText("Coca-Cola 33 cl");   // shown, not yet written
    fiche->Memo6->setPlainText("1\n2\n3\n4\n5\n6\n7");
    fiche->Memo5->setPlainText("obs");
    fiche->StringGrid4->SetCells(0, 1, "01/03/2024");
    fiche->StringGrid4->SetCells(1, 1, "Entrée");
    fiche->ImpFiche();

    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Portrait);
    const QStringList drawn = Drawn();
    EXPECT_THAT(drawn, ::testing::IsSupersetOf(QStringList{
                           "5 5 Code article", "35 5 A001", "55 5 Famille", "75 5 BOISSONS", "5 10 Désignation",
                           "35 10 Coca-Cola 33 cl", "5 15 Prix", "5 20 Taux TVA", "35 20 1", "5 25 Compte",
                           "35 25 707000", "5 30 Fournisseur", "35 30 METRO", "5 40 Date", "35 40 Libellé",
                           "5 45 01/03/2024", "35 45 Entrée", "120 10 1", "120 40 7", "120 40 obs"}));
    const auto* price = canvas.Find(fiche->Edit39->text());
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(Place(price->x, price->y), "35 15");
    // The grid stops at its first row without a date.
    EXPECT_EQ(drawn.filter(QRegularExpression("^5 50 ")).size(), 0);
}

}  // namespace
