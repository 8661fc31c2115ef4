#include "manager/shell/tri.h"

#include "manager/shell/dialogkit.h"

void TSortKeyDialog::attach(QGroupBox* keys, QPushButton* ok, QPushButton* cancel)
{
    keys_ = keys;
    BindOkCancel(this, ok, cancel);
}

void TSortKeyDialog::Result(int& key) const
{
    key = ClosedWithOk(this) ? ItemIndex(keys_) : -1;
}

TTri::TTri(QWidget* owner) : TSortKeyDialog(owner)
{
    setupUi(this);
    attach(RadioGroup1, OKBtn, CancelBtn);
}
