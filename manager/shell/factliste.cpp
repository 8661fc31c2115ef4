#include "manager/shell/factliste.h"

namespace {

const OrderedListKind Kind = {4, {1, 2, 3, 5, 6, 0}};

}  // namespace

TFactListe::TFactListe(QWidget* owner) : TOrderedList(owner, Kind)
{
    setupUi(this);
    attach(ListBox1, SpeedButton1, SpeedButton2, Button1);
}
