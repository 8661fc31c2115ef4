#pragma once
// The tariff table: the prices of a session by quarter hours, the subscription's hours and the
// subscription's hourly price.
#include <QDialog>
#include "manager/cardfile/core/settings.h"
#include "ui_tarifs.h"

class TTarifs : public QDialog, public Ui::Tarifs {
    Q_OBJECT

public:
    explicit TTarifs(QWidget* owner);

    void Init(const settings::Tariffs& tariffs);
    // On OK, each field left non-blank replaces its value; a blank one keeps it. Every field is
    // converted before any value is stored, so a refused field stores nothing and throws.
    void Result(settings::Tariffs& tariffs) const;

    // OK: closes only when every field passes; the first refused one shows its error.
    void Valider();

    // The subscription's hours size the customer's stamp grid, one row an hour.
    static constexpr int MinHours = 1, MaxHours = 100;

private:
    QList<QLineEdit*> priceFields() const;
};
