// Printing the invoice on the card: the frame and headings on every paper, the company header on
// plain paper only, the customer's address and the document's data, the lines right-aligned on
// their column edges, the totals, the payment mode and the note; lines past the frame go on a
// next page under the frame again.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gmock/gmock.h>
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"
#include "print_fixture.h"

using namespace cards;
using platform::Orientation;
using ::testing::Contains;
using ::testing::IsSupersetOf;
using ::testing::Not;

namespace {

class InvoicePrint : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        for (int i = 0; i < 7; ++i)
            fiche->LignesSociete[i] = QStringLiteral("Société %1").arg(i + 1);
        ShowPage(TFiche::KFacture);
        fiche->MaskEdit3->SetText("202403001");
        fiche->DateTimePicker1->setDate(QDate(2024, 3, 15));
        fiche->Edit22->setText("10001");
        fiche->ComboBox3->setEditText("Espèces");
        fiche->ComboBox4->setEditText("Facture");
        fiche->RadioButton2->setChecked(true);
        const char* address[] = {"DUPONT", "1 rue Haute", "Bât. A", "69001 LYON"};
        QLineEdit* edits[] = {fiche->Edit23, fiche->Edit24, fiche->Edit25, fiche->Edit26};
        for (int i = 0; i < 4; ++i)
            edits[i]->setText(QString::fromUtf8(address[i]));
        Lines(2);
        fiche->Label32->setText("   10,00");
        fiche->Label33->setText("    2,00");
        fiche->Label28->setText("   12,00");
        fiche->Label26->setText("Euros");
        fiche->Label29->setText("   78,71");
        fiche->Label27->setText("Francs");
    }
    void Lines(int n)
    {
        TStringGrid* grid = fiche->StringGrid2;
        grid->SetRowCount(std::max(grid->RowCount(), n + 1));
        for (int r = 1; r <= n; ++r) {
            const QStringList cells{
                "A" + QString::number(r), "Article " + QString::number(r), "   1", "    5,00", "  0", "    5,00", "1"};
            for (int c = 0; c < 7; ++c)
                grid->SetCells(c, r, cells[c]);
        }
        fiche->NbLignesFacture = n;
    }
    const platform::RecordingCanvas::Text* Text(const QString& text) const
    {
        const auto* t = canvas.Find(text);
        EXPECT_NE(t, nullptr) << text.toStdString();
        return t;
    }
    // Where a text drawn in `size` points ends, in pixels.
    int End(const platform::RecordingCanvas::Text* t)
    {
        canvas.SetFont("Arial", t->size, t->bold);
        return t->x + canvas.TextWidth(t->text);
    }
};

TEST_F(InvoicePrint, OnPlainPaperTheCompanyHeaderFrameHeadingsAndData)
{
    fiche->TypePapier = 0;
    fiche->Button4Click();
    ASSERT_EQ(canvas.jobs.size(), 1);
    EXPECT_EQ(canvas.jobs[0].orientation, Orientation::Portrait);
    EXPECT_EQ(canvas.jobs[0].pages, 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    const struct {
        const char* text;
        int y, size;
    } header[] = {{"Société 1", 0, 14},  {"Société 2", 10, 10}, {"Société 3", 15, 10}, {"Société 4", 20, 10},
                  {"Société 5", 25, 10}, {"Société 6", 30, 8},  {"Société 7", 35, 8}};
    for (const auto& h : header) {
        const auto* t = Text(QString::fromUtf8(h.text));
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(Place(t->x, t->y), QString("15 %1").arg(h.y));
        EXPECT_EQ(t->size, h.size);
        EXPECT_TRUE(t->bold);
    }
    EXPECT_THAT(Drawn(), IsSupersetOf(QStringList{"17 92 Réf",
                                                  "42 92 Désignation",
                                                  "116 92 Qté",
                                                  "131 92 Prix Unitaire",
                                                  "156 92 R (%)",
                                                  "166 92 Montant TTC",
                                                  "191 92 T",
                                                  "50 248 Total H.T.",
                                                  "50 261 Total TVA",
                                                  "108 255 Total TTC",
                                                  "116 60 DUPONT",
                                                  "116 75 69001 LYON",
                                                  "116 84 Date 15/03/2024",
                                                  "20 79 Code client : 10001",
                                                  "20 84 Facture N° 202403001",
                                                  "20 273 Règlement : Espèces",
                                                  "17 105 A1",
                                                  "42 105 Article 1",
                                                  "191 105 1",
                                                  "17 110 A2"}));
    EXPECT_TRUE(Text("Réf")->bold);
    EXPECT_EQ(Text("Total TTC")->size, 12);
    EXPECT_EQ(Text("Date 15/03/2024")->size, 12);
    EXPECT_TRUE(Text("Date 15/03/2024")->bold);
    EXPECT_FALSE(Text("Règlement : Espèces")->bold);
    EXPECT_EQ(Text("Règlement : Espèces")->size, 10);
    EXPECT_FALSE(Text("Article 1")->bold);

    // Quantity, price, discount and amount trimmed and ending on their edges; the VAT code after.
    QStringList row;
    for (const auto& t : canvas.texts)
        if (t.y == Py(105) && t.x > Px(100))
            row << t.text + "@" + QString::number(t.x == Px(191) ? 191 : End(&t) / PerMm);
    EXPECT_EQ(row, (QStringList{"1@128", "5,00@154", "0@165", "5,00@189", "1@191"}));
    EXPECT_EQ(End(Text("   10,00")), Px(104));
    EXPECT_FALSE(Text("   10,00")->bold);
    EXPECT_EQ(Text("   10,00")->size, 12);
    EXPECT_EQ(Text("   10,00")->y, Py(248));
    EXPECT_EQ(End(Text("    2,00")), Px(104));
    EXPECT_EQ(End(Text("   12,00 Euros")), Px(189));
    EXPECT_TRUE(Text("   12,00 Euros")->bold);
    EXPECT_EQ(End(Text("   78,71 Francs")), Px(189));
    EXPECT_EQ(Text("   78,71 Francs")->y, Py(261));

    // The frame with its lines, in a pen 2 pixels wide.
    ASSERT_FALSE(canvas.rules.isEmpty());
    const auto& frame = canvas.rules[0];
    EXPECT_TRUE(frame.frame);
    EXPECT_EQ(QString("%1 %2 %3 %4 %5").arg(frame.x1).arg(frame.y1).arg(frame.x2).arg(frame.y2).arg(frame.pen),
              QString("%1 %2 %3 %4 2").arg(Px(15)).arg(Py(90)).arg(Px(195)).arg(Py(270)));
    EXPECT_EQ(canvas.rules.size(), 1 + 2 + 6 + 3 + 2);
    for (const auto& r : canvas.rules)
        EXPECT_EQ(r.pen, 2);
}

TEST_F(InvoicePrint, LetterheadAndUnknownPaperGetTheFrameWithoutTheHeader)
{
    for (const int paper : {1, 2}) {
        SCOPED_TRACE(paper);
        canvas.texts.clear();
        canvas.rules.clear();
        fiche->TypePapier = paper;
        fiche->RadioButton1->setChecked(true);
        fiche->Button4Click();
        EXPECT_EQ(canvas.Find("Société 1"), nullptr);
        EXPECT_THAT(Drawn(canvas.jobs.size() - 1), Contains("166 92 Montant H.T."));
        EXPECT_EQ(canvas.rules.size(), 14);
    }
}

TEST_F(InvoicePrint, ANoteOfThreeLinesEndsAt215)
{
    fiche->Memo2->setPlainText("Merci de votre visite\nPayable à réception\nTVA acquittée");
    fiche->Button4Click();
    EXPECT_THAT(Drawn(), IsSupersetOf(QStringList{"22 205 Merci de votre visite", "22 210 Payable à réception",
                                                  "22 215 TVA acquittée"}));
}

// Twenty-eight lines fill the frame (the last at 240 mm); the 29th and 30th go on a second page
// under the frame and headings again, where the totals stand too, never over them.
TEST_F(InvoicePrint, LinesPastTheFrameContinueOnANextPageUnderTheFrame)
{
    Lines(30);
    fiche->Button4Click();
    ASSERT_EQ(canvas.jobs[0].pages, 2);
    EXPECT_THAT(Drawn(0, 0), Contains("17 240 A28"));
    EXPECT_THAT(Drawn(0, 0), Not(Contains("17 245 A29")));
    const QStringList second = Drawn(0, 1);
    EXPECT_THAT(second, IsSupersetOf(QStringList{"17 92 Réf", "166 92 Montant TTC", "17 105 A29", "17 110 A30",
                                                 "20 273 Règlement : Espèces"}));
    EXPECT_THAT(Drawn(0, 0), Not(Contains("20 273 Règlement : Espèces")));
    int framesOnSecond = 0;
    for (const auto& r : canvas.rules)
        framesOnSecond += r.page == 1 && r.frame;
    EXPECT_EQ(framesOnSecond, 1);
}

TEST_F(InvoicePrint, ThePrintButtonAndThePrintCommandPrintTheInvoice)
{
    fiche->Button4->click();
    fiche->ImpFiche();
    EXPECT_EQ(canvas.jobs.size(), 2);
    EXPECT_THAT(Drawn(1), Contains("20 84 Facture N° 202403001"));
}

TEST_F(InvoicePrint, TheEnvelopeOfTheInvoicePageTakesItsAddressAsItStands)
{
    dialogs.message("Insérez une enveloppe dans l'imprimante");
    fiche->ImpEnv();
    EXPECT_THAT(Drawn(),
                IsSupersetOf(QStringList{"110 50 DUPONT", "110 55 1 rue Haute", "110 60 Bât. A", "110 65 69001 LYON"}));
}

}  // namespace
