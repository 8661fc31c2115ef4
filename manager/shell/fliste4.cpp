#include "manager/shell/fliste4.h"

namespace {

const GridListColumns Columns = {
    {"Code", "Nom", "Type", "disque", "Ram", "OS", "Adr IP"},
    {1, 2, 3, 4, 5, 6, 7},
    {25, 67, 164, 144, 95, 78, 82, 120},
};

}  // namespace

TFListe4::TFListe4(QWidget* owner) : TGridList(owner, Columns)
{
    setupUi(this);
    attach(StringGrid1, Button1);
}
