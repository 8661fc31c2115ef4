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

void TParamf::Init(int currencyMode, const QComboBox* paymentModes, double rate1, double rate2, double rate3,
                   int decimals, const QString& currencyName)
{
    const double rates[] = {rate1, rate2, rate3};
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

    SpinEdit1->setValue(decimals);
    SetItemIndex(RadioGroup1, currencyMode);
    Edit4->setText(currencyName);
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

void TParamf::Result(double& rate1, double& rate2, double& rate3, int& currencyMode, QComboBox* paymentModes,
                     int& decimals, QString& currencyName) const
{
    if (!ClosedWithOk(this))
        return;
    const double r1 = rtl::StrToFloat(Edit1->text());
    const double r2 = rtl::StrToFloat(Edit2->text());
    const double r3 = rtl::StrToFloat(Edit3->text());
    rate1 = r1;
    rate2 = r2;
    rate3 = r3;
    decimals = SpinEdit1->value();

    QStringList modes;
    for (const QLineEdit* field : paymentFields())
        if (!field->text().isEmpty())
            modes << field->text();
    ReplaceItems(paymentModes, modes + hiddenPaymentModes_);

    currencyName.clear();
    currencyMode = ItemIndex(RadioGroup1);
    if (currencyMode == 1)
        currencyName = Edit4->text();
}
