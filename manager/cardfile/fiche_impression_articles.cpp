// Printing of the articles: the stock list, one article a row under its ten-column header.
#include "manager/cardfile/fiche.h"
#include "manager/cardfile/impression.h"

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
