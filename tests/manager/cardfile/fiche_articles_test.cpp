// The article card: its block written and read back, the next code, the price field, the
// history line and the copy group.
#include <gtest/gtest.h>
#include <QDateEdit>
#include <QPlainTextEdit>
#include "fiche_cartes_fixture.h"
#include "platform/widgets/stringgrid.h"
#include "support/scripted_dialogs.h"

using namespace cards;

namespace {

// Lines +1 to +7 of an article.
QStringList ArticleFields(const QString& code, const QString& designation, const QString& price = "   1,50")
{
    return {code, "Papeterie", designation, price, "1", "707100", "Bic"};
}

class Articles : public CardFixture {
protected:
    void SetUp() override
    {
        CardFixture::SetUp();
        ShowPage(TFiche::KArticle);
    }
};

TEST_F(Articles, ACardIsWrittenAndReadBackWhole)
{
    Set(TFiche::KArticle, {});
    fiche->LitArt();
    EXPECT_EQ(fiche->Edit38->text(), "10001");
    EXPECT_EQ(fiche->Edit41->text(), "707000");
    fiche->ComboBox9->setEditText("Boissons");
    fiche->Edit48->setText("Café");
    fiche->Edit39->setText("1,5");
    fiche->Edit39Exit();
    fiche->Edit40->setText(" 2 ");
    fiche->ComboBox10->setEditText("DATA Distribution");
    fiche->Memo6->setPlainText("ligne 1\nligne 2\nligne 3");
    fiche->Memo5->setPlainText(QString(300, 'o'));
    fiche->Edit57->setText("Entrée stock");
    fiche->Edit58->setText("12");
    fiche->SpeedButton3Click();
    fiche->EcritArt();

    const QString price = fiche->Edit39->text();
    EXPECT_EQ(rtl::Trim(price), "1,50");
    const QStringList written = Lines(TFiche::KArticle);
    ASSERT_EQ(written.size(), 14);
    EXPECT_EQ(written.mid(0, 8), QStringList({"<BLOC0000>", "10001", "Boissons", "Café", price, " 2 ", "707000",
                                              "DATA Distribution"}));
    EXPECT_EQ(written.mid(8, 3), QStringList({"MEM6ligne 1", "MEM6ligne 2", "MEM6ligne 3"}));
    EXPECT_EQ(written[11], "MEM5" + QString(300, 'o'));
    EXPECT_TRUE(written[12].startsWith("DATA15/03/2024\tEntrée stock\t"));
    EXPECT_EQ(rtl::Trim(written[12].section('\t', 2)), "12,00");
    EXPECT_EQ(written[13], "</BLOC0000>");
    EXPECT_EQ(fiche->NbArticles, 1);

    fiche->LitArt();
    EXPECT_EQ(fiche->Edit38->text(), "10001");
    EXPECT_EQ(fiche->ComboBox9->currentText(), "Boissons");
    EXPECT_EQ(fiche->Edit48->text(), "Café");
    EXPECT_EQ(rtl::Trim(fiche->Edit39->text()), "1,50");
    EXPECT_EQ(fiche->Edit40->text(), "2");
    // A supplier that begins like a history line stays the supplier; a long memo line stays whole.
    EXPECT_EQ(fiche->ComboBox10->currentText(), "DATA Distribution");
    EXPECT_EQ(fiche->Memo6->toPlainText(), "ligne 1\nligne 2\nligne 3");
    EXPECT_EQ(fiche->Memo5->toPlainText(), QString(300, 'o'));
    EXPECT_EQ(fiche->StringGrid4->Cells(1, 1), "Entrée stock");
    EXPECT_TRUE(fiche->StringGrid4->Cells(0, 2).isEmpty());
    EXPECT_FALSE(fiche->ModifArticle);
}

TEST_F(Articles, ReadingEmptiesEveryRowAndDefaultsAccountAndCode)
{
    Set(TFiche::KArticle, Join({Block(0, {"", "", "Sans code", "", "", "", ""}),
                                Block(1, QStringList({"10005", "", "Stylo", "   0,80", "1", "", ""}) +
                                             QStringList({"DATA01/02/2024\tVente\t   1,00"}))}),
        1);
    // Rows beyond the 60th too: a card shown before must leave nothing behind.
    fiche->StringGrid4->SetCells(1, 63, "old");
    fiche->LitArt();
    EXPECT_EQ(fiche->Edit41->text(), "707000");
    EXPECT_EQ(fiche->StringGrid4->Cells(1, 1), "Vente");
    EXPECT_TRUE(fiche->StringGrid4->Cells(1, 63).isEmpty());
    fiche->IndexArticle = 0;
    fiche->LitArt();
    EXPECT_EQ(fiche->Edit38->text(), "10006");
    EXPECT_EQ(fiche->Edit48->text(), "Sans code");
}

TEST_F(Articles, NextCodeIsAboveTheLargestAndSkipsWhatIsNoNumber)
{
    struct Case {
        QStringList codes;
        int next;
    };
    const Case cases[] = {
        {{}, 10001},
        {{"10057", "10003"}, 10058},
        {{"42", "9999"}, 10001},
        {{"ABC", "10010", ""}, 10011},
    };
    for (const Case& c : cases) {
        QStringList lines;
        for (int i = 0; i < c.codes.size(); ++i)
            lines << Block(i, ArticleFields(c.codes[i], "x"));
        Set(TFiche::KArticle, lines);
        EXPECT_EQ(fiche->Numeroa(), c.next) << c.codes.join(',').toStdString();
        EXPECT_EQ(fiche->ProchainArticle, c.next);
    }
}

TEST_F(Articles, ThePriceIsTrimmedForEditingAndFormattedAfter)
{
    Set(TFiche::KArticle, Block(0, ArticleFields("10001", "Stylo")));
    fiche->LitArt();
    fiche->FormatMontant = "0.0";
    fiche->Edit39Enter();
    EXPECT_EQ(fiche->Edit39->text(), "1,50");
    fiche->Edit39->setText("2,25");
    fiche->ModifArticle = false;
    fiche->Edit39Exit();
    EXPECT_EQ(rtl::Trim(fiche->Edit39->text()), "2,3");
    EXPECT_TRUE(fiche->Edit39->text().startsWith(' '));
    EXPECT_TRUE(fiche->ModifArticle);
    // What is no number stops with the conversion error; the field keeps it.
    fiche->Edit39->setText("abc");
    EXPECT_THROW(fiche->Edit39Exit(), EConvertError);
    EXPECT_EQ(fiche->Edit39->text(), "abc");
}

TEST_F(Articles, ThePriceFieldTakesDigitsAndOneComma)
{
    Set(TFiche::KArticle, {});
    fiche->LitArt();
    fiche->Edit39->clear();
    Type(fiche->Edit39, "1a.5,2");
    EXPECT_EQ(fiche->Edit39->text(), "1,52");
}

TEST_F(Articles, LeavingThePageWritesTheCard)
{
    Set(TFiche::KArticle, Block(0, ArticleFields("10001", "Stylo")));
    fiche->LitArt();
    fiche->Edit48->setText("Crayon");
    ShowPage(TFiche::KClient);
    EXPECT_EQ(Lines(TFiche::KArticle)[3], "Crayon");
}

TEST_F(Articles, PasteKeepsTheCodeAndTakesTheRest)
{
    Set(TFiche::KArticle, Join({Block(0, ArticleFields("10001", "Stylo")), Block(1, ArticleFields("10002", "Gomme",
                                                                                                    "   3,00"))}));
    fiche->LitArt();
    fiche->Copier();
    fiche->IndexArticle = 1;
    fiche->LitArt();
    fiche->Coller();
    EXPECT_EQ(fiche->Edit38->text(), "10002");
    EXPECT_EQ(fiche->Edit48->text(), "Stylo");
    EXPECT_EQ(rtl::Trim(fiche->Edit39->text()), "1,50");
    EXPECT_EQ(fiche->ComboBox10->currentText(), "Bic");
    EXPECT_TRUE(fiche->ModifArticle);
}

}  // namespace
