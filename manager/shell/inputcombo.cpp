#include "manager/shell/inputcombo.h"

#include "manager/shell/dialogkit.h"
#include "platform/rtl.h"

TInputCombo::TInputCombo(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    BindOkCancel(this, OKBtn, CancelBtn);
}

void TInputCombo::Init(const QString& caption, const QString& prompt, const QComboBox* source)
{
    setWindowTitle(caption);
    Label1->setText(prompt);
    ComboBox1->clear();
    for (int i = 0; i < source->count(); ++i)
        ComboBox1->addItem(source->itemText(i));
    ComboBox1->setEditText(source->currentText());
}

void TInputCombo::Result(QString& value) const
{
    if (ClosedWithOk(this))
        value = rtl::UpperCase(ComboBox1->currentText());
}
