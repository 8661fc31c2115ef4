#pragma once
// Invoice parameters: VAT rates, decimals of amounts, invoice currency, payment modes.
#include <QDialog>
#include <QStringList>
#include "manager/cardfile/core/settings.h"
#include "ui_paramf.h"

class QComboBox;

class TParamf : public QDialog, public Ui::Paramf {
    Q_OBJECT

public:
    explicit TParamf(QWidget* owner);

    // The first five payment modes go into the five fields; the ones beyond them are kept
    // aside and come back after the five on OK, so a longer list is never cut down.
    void Init(const settings::InvoiceSettings& values, const QComboBox* paymentModes);
    // On OK only: the rates and decimals, the payment modes (the non-empty fields, then those
    // kept aside), the currency mode and its name (empty for euros). All three rates convert
    // before any is stored: a rate that doesn't convert throws the conversion error and nothing
    // is handed back. (OK refuses such a rate while the dialog is open.)
    void Result(settings::InvoiceSettings& values, QComboBox* paymentModes) const;

    // OK and Enter in a rate field: closes only when the three rates convert; the first that
    // doesn't shows the conversion error and takes the focus.
    void Valider();

private:
    QList<QLineEdit*> rateFields() const;
    QList<QLineEdit*> paymentFields() const;
    void DeviseClick();

    QStringList hiddenPaymentModes_;
};
