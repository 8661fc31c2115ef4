// Printing of the invoice on the card: one portrait page (or more, when its lines run past the
// frame) with the frame and headings, the company header on plain paper, the customer's address,
// the document's type, number and date, the lines, the totals, the payment mode and the note.
// No print dialog: the invoice goes to the printer as it is.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include "manager/cardfile/fiche.h"
#include "manager/cardfile/impression.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"

namespace {

// Rows 1 to 28 fill the frame, from 105 mm to 240 mm; the totals stand below it.
constexpr int RowsPerFrame = 28;

}  // namespace

void TFiche::Button4Click()
{
    TravailImpression job(*this, platform::Orientation::Portrait);
    if (!job.Commence())
        return;
    Dessin(job);
    // Letterhead paper (1) has the company printed already; a paper type of no known kind gets
    // the frame alone.
    if (TypePapier == 0)
        EnTete(job);
    ImpFact(job);
}

void TFiche::Dessin(TravailImpression& job)
{
    job.Plume(2);
    job.Cadre(15, 90, 195, 270);
    job.Trait(15, 100, 195, 100);
    job.Trait(15, 245, 195, 245);
    for (const int x : {35, 115, 130, 155, 165, 190})
        job.Trait(x, 90, x, 245);
    for (const int x : {140, 105, 75})
        job.Trait(x, 245, x, 270);
    job.Trait(140, 257, 195, 257);
    job.Trait(75, 257, 105, 257);
    job.Police(10, true);
    job.Texte(17, 92, QStringLiteral("Réf"));
    job.Texte(42, 92, QStringLiteral("Désignation"));
    job.Texte(116, 92, QStringLiteral("Qté"));
    job.Texte(131, 92, QStringLiteral("Prix Unitaire"));
    job.Texte(156, 92, QStringLiteral("R (%)"));
    job.Texte(166, 92, RadioButton2->isChecked() ? QStringLiteral("Montant TTC") : QStringLiteral("Montant H.T."));
    job.Texte(191, 92, QStringLiteral("T"));
    job.Texte(50, 248, QStringLiteral("Total H.T."));
    job.Texte(50, 261, QStringLiteral("Total TVA"));
    job.Police(12, true);
    job.Texte(108, 255, QStringLiteral("Total TTC"));
    job.Police(10, false);
}

void TFiche::EnTete(TravailImpression& job)
{
    const struct {
        int y, size;
    } lines[] = {{0, 14}, {10, 10}, {15, 10}, {20, 10}, {25, 10}, {30, 8}, {35, 8}};
    for (int i = 0; i < 7; ++i) {
        job.Police(lines[i].size, true);
        job.Texte(15, lines[i].y, LignesSociete[i]);
    }
    job.Police(10, false);
}

void TFiche::ImpFact(TravailImpression& job)
{
    job.Police(10, true);
    const QLineEdit* address[] = {Edit23, Edit24, Edit25, Edit26};
    for (int i = 0; i < 4; ++i)
        job.Texte(116, 60 + 5 * i, address[i]->text());
    job.Police(12, true);
    job.Texte(116, 84, QStringLiteral("Date ") + DateTimePicker1->date().toString(QStringLiteral("dd/MM/yyyy")));
    job.Texte(20, 79, QStringLiteral("Code client : ") + Edit22->text());
    job.Texte(20, 84, ComboBox4->currentText() + QStringLiteral(" N° ") + MaskEdit3->Text());

    // The lines, 28 to a frame; more go on a next page under the frame and headings again.
    job.Police(10, false);
    for (int r = 1; r <= NbLignesFacture && r < StringGrid2->RowCount(); ++r) {
        const int k = (r - 1) % RowsPerFrame;
        if (r > 1 && k == 0) {
            job.NouvellePage();
            Dessin(job);
        }
        const int y = 105 + 5 * k;
        job.Texte(17, y, StringGrid2->Cells(0, r));
        job.Texte(42, y, StringGrid2->Cells(1, r));
        const int edges[] = {128, 154, 165, 189};
        for (int c = 2; c <= 5; ++c)
            job.TexteADroite(edges[c - 2], y, StringGrid2->Cells(c, r).trimmed());
        job.Texte(191, y, StringGrid2->Cells(6, r));
    }

    job.Texte(20, 273, QStringLiteral("Règlement : ") + ComboBox3->currentText());
    job.Police(12, false);
    job.TexteADroite(104, 248, Label32->text());
    job.TexteADroite(104, 261, Label33->text());
    job.Police(12, true);
    job.TexteADroite(189, 248, Label28->text() + QLatin1Char(' ') + Label26->text());
    job.TexteADroite(189, 261, Label29->text() + QLatin1Char(' ') + Label27->text());
    job.Police(10, false);
    // The note ends at 215 mm, whatever its length.
    const QString note = Memo2->toPlainText();
    if (!note.isEmpty()) {
        const QStringList lines = note.split(QLatin1Char('\n'));
        job.Memo(Memo2, 22, 220 - 5 * int(lines.size()));
    }
}
