#include "manager/shell/fliste3.h"

namespace {

const GridListColumns Columns = {
    {"Code", "Famille", "Désignation", "Prix", "Taux TVA", "Compte", "Fournisseur"},
    {1, 2, 3, 4, 5, 6, 7},
    {25, 91, 198, 174, 114, 102, 64, 64},
};

}  // namespace

TFListe3::TFListe3(QWidget* owner) : TGridList(owner, Columns)
{
    setupUi(this);
    attach(StringGrid1, Button1);
}
