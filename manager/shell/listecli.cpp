#include "manager/shell/listecli.h"

namespace {

const PickListKind Kind = {4, false};

}  // namespace

TListeCli::TListeCli(QWidget* owner) : TPickList(owner, Kind)
{
    setupUi(this);
    attach(ListBox1, OKBtn, CancelBtn);
}
