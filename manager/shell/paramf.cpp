#include "manager/shell/paramf.h"

#include <QComboBox>
#include "manager/shell/dialogkit.h"
#include "platform/widgets/keypress.h"
#include "platform/rtl.h"

TParamf::TParamf(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    connect(OKBtn, &QPushButton::clicked, this, &TParamf::Valider);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton* item : {RadioButton1, RadioButton2})
        connect(item, &QRadioButton::clicked, this, &TParamf::DeviseClick);
    for (QLineEdit* field : rateFields())
        OnKeyPress(field, [this](QChar& key) {
            if (key == QChar(13)) {
                key = QChar(0);
                Valider();
                return;
            }
            NumericKey(key, QStringLiteral("0123456789,"));
        });
}

QList<QLineEdit*> TParamf::rateFields() const
{
    return {Edit1, Edit2, Edit3};
}

QList<QLineEdit*> TParamf::paymentFields() const
{
    return {Edit5, Edit6, Edit7, Edit8, Edit9};
}

void TParamf::Init(const settings::InvoiceSettings& values, const QComboBox* paymentModes)
{
    const double rates[] = {values.TauxTVA1, values.TauxTVA2, values.TauxTVA3};
    const auto rateEdits = rateFields();
    for (int i = 0; i < rateEdits.size(); ++i)
        rateEdits[i]->setText(rtl::FormatFloat(QStringLiteral("0.00"), rates[i]));

    const auto payments = paymentFields();
    hiddenPaymentModes_.clear();
    for (int i = 0; i < paymentModes->count(); ++i) {
        if (i < payments.size())
            payments[i]->setText(paymentModes->itemText(i));
        else
            hiddenPaymentModes_ << paymentModes->itemText(i);
    }

    SpinEdit1->setValue(values.Decimales);
    SetItemIndex(RadioGroup1, values.ModeDevise);
    Edit4->setText(values.NomDevise);
    DeviseClick();
}

void TParamf::DeviseClick()
{
    Edit4->setEnabled(ItemIndex(RadioGroup1) == 1);
}

void TParamf::Valider()
{
    if (FieldsConvert(rateFields(), [](const QLineEdit* field) { rtl::StrToFloat(field->text()); }))
        accept();
}

void TParamf::Result(settings::InvoiceSettings& values, QComboBox* paymentModes) const
{
    if (!ClosedWithOk(this))
        return;
    const double r1 = rtl::StrToFloat(Edit1->text());
    const double r2 = rtl::StrToFloat(Edit2->text());
    const double r3 = rtl::StrToFloat(Edit3->text());
    values.TauxTVA1 = r1;
    values.TauxTVA2 = r2;
    values.TauxTVA3 = r3;
    values.Decimales = SpinEdit1->value();

    QStringList modes;
    for (const QLineEdit* field : paymentFields())
        if (!field->text().isEmpty())
            modes << field->text();
    ReplaceItems(paymentModes, modes + hiddenPaymentModes_);

    values.NomDevise.clear();
    values.ModeDevise = ItemIndex(RadioGroup1);
    if (values.ModeDevise == 1)
        values.NomDevise = Edit4->text();
}
