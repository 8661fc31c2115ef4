#include "manager/shell/fliste.h"

namespace {

const GridListColumns Columns = {
    {"Nom/Société", "Adresse", "Adresse", "C.P.", "Ville", "Téléphone", "Fax"},
    {4, 5, 6, 7, 8, 10, 11},
    {211, 221, 198, 198, 47, 155, 64, 64},
};

}  // namespace

TFListe::TFListe(QWidget* owner) : TGridList(owner, Columns)
{
    setupUi(this);
    attach(StringGrid1, Button1);
}
