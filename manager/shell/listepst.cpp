#include "manager/shell/listepst.h"

namespace {

const PickListKind Kind = {2, false};

}  // namespace

TListePst::TListePst(QWidget* owner) : TPickList(owner, Kind)
{
    setupUi(this);
    attach(ListBox1, OKBtn, CancelBtn);
}
