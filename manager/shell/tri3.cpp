#include "manager/shell/tri3.h"

TTri3::TTri3(QWidget* owner) : TSortKeyDialog(owner)
{
    setupUi(this);
    attach(RadioGroup1, OKBtn, CancelBtn);
}
