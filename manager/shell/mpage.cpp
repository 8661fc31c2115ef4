#include "manager/shell/mpage.h"

#include "manager/shell/dialogkit.h"

TMPage::TMPage(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    BindOkCancel(this, OKBtn, CancelBtn);
}

void TMPage::Init(int paperType, int orientation, bool guideRight)
{
    // A paper type the dialog cannot show would come back as another one on OK.
    const bool offered = paperType >= 0 && paperType <= 1 && orientation >= 0 && orientation <= 1;
    if (!offered)
        return;
    SetItemIndex(RadioGroup1, paperType);
    SetItemIndex(RadioGroup2, orientation);
    CheckBox1->setChecked(guideRight);
}

void TMPage::Result(int& paperType, int& orientation, bool& guideRight) const
{
    orientation = -1;
    if (!ClosedWithOk(this))
        return;
    paperType = ItemIndex(RadioGroup1);
    orientation = ItemIndex(RadioGroup2);
    guideRight = CheckBox1->isChecked();
}
