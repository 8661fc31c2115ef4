// Printing of the articles: the article card as shown, and the stock list, one article a row
// under its ten-column header.
#include "manager/cardfile/fiche.h"
#include "manager/cardfile/impression.h"

void TFiche::ImpFiche3()
{
    TravailImpression job(*this, platform::Orientation::Portrait);
    if (!job.Commence())
        return;
    const struct {
        const char* label;
        int x, y;
        QString value;
        int vx;
    } fields[] = {
        {"Code article", 5, 5, Edit38->text(), 35},    {"Famille", 55, 5, ComboBox9->currentText(), 75},
        {"Désignation", 5, 10, Edit48->text(), 35},    {"Prix", 5, 15, Edit39->text(), 35},
        {"Taux TVA", 5, 20, Edit40->text(), 35},       {"Compte", 5, 25, Edit41->text(), 35},
        {"Fournisseur", 5, 30, ComboBox10->currentText(), 35},
    };
    for (const auto& f : fields) {
        job.Texte(f.x, f.y, QString::fromUtf8(f.label));
        job.Texte(f.vx, f.y, f.value);
    }
    // The movements from their header row; the description and the observations share the column
    // at 120 mm, so a description of more than six lines runs into the observations.
    job.Grille(StringGrid4, 40, {5, 35, 60});
    job.Memo(Memo6, 120, 10);
    job.Memo(Memo5, 120, 40);
}

void TFiche::EnTete3(TravailImpression& job)
{
    // The stock and price headers stand a little right of their values, as they always have.
    job.EnTeteListe({{5, "Code"}, {20, "Famille"}, {60, "Désignation"}, {110, "Stock"}, {140, "Mini"},
                     {160, "Fournisseur"}, {200, "Réf."}, {225, "P Achat"}, {245, "Pv. HT"}, {265, "Pv. TTC"}});
}

void TFiche::ImpArt()
{
    // An article block holds its code, family, designation, price (+4) and supplier (+7), and no
    // stock, minimum, reference, purchase price or price without tax: those columns stay empty,
    // and the price, the one the counter sells at, stands under "Pv. TTC". Line 0 is "no value".
    ImprimeListe(ListeArticles, NbArticles, &TFiche::EnTete3,
                 {{5, 1}, {20, 2}, {60, 3}, {100, 0}, {130, 0}, {160, 7}, {200, 0}, {0, 0, 240}, {0, 0, 260},
                  {0, 4, 280}});
}
