#include "manager/shell/listeart1.h"

namespace {

const PickListKind Kind = {3, true};

}  // namespace

TListeArt1::TListeArt1(QWidget* owner) : TPickList(owner, Kind)
{
    setupUi(this);
    attach(ListBox1, OKBtn, CancelBtn);
}
