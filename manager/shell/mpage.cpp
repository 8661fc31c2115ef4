#include "manager/shell/mpage.h"

#include "manager/shell/dialogkit.h"

TMPage::TMPage(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    BindOkCancel(this, OKBtn, CancelBtn);
}

void TMPage::Init(const settings::PageSetup& page)
{
    const int paperType = page.TypePapier, orientation = page.OrientationEnveloppe;
    // A paper type the dialog cannot show would come back as another one on OK.
    const bool offered = paperType >= 0 && paperType <= 1 && orientation >= 0 && orientation <= 1;
    if (!offered)
        return;
    SetItemIndex(RadioGroup1, paperType);
    SetItemIndex(RadioGroup2, orientation);
    CheckBox1->setChecked(page.DecalageEnveloppe > 0);
}

void TMPage::Result(settings::PageSetup& page) const
{
    if (!ClosedWithOk(this))
        return;
    page.TypePapier = ItemIndex(RadioGroup1);
    page.OrientationEnveloppe = ItemIndex(RadioGroup2);
    page.DecalageEnveloppe = CheckBox1->isChecked() ? 100 : 0;
}
