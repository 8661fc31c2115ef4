#pragma once
// The currency converter: an amount typed on a keypad, converted between the euro and one of
// five currencies at the rates the card file keeps in its settings.
#include <QDialog>
#include "ui_devise.h"

class TDevisef : public QDialog, public Ui::Devisef {
    Q_OBJECT

public:
    explicit TDevisef(QWidget* owner);

    // Each rate (units of the currency for one euro) below 0.1 is replaced by its currency's
    // default. A direction or currency outside its items shows the first one.
    void SetIni(int direction, int currency, double tauxFranc, double tauxDollar, double tauxLivre, double tauxYen,
                double tauxDollarCanadien);
    // The rates as the window holds them and the two choices as the operator left them.
    void GetIni(double& tauxFranc, double& tauxDollar, double& tauxLivre, double& tauxYen, double& tauxDollarCanadien,
                int& direction, int& currency) const;
    // The unit labels from the chosen currency and direction.
    void Change();

    // A key typed while "=" or "Fermer" has the focus (Enter converts, Esc closes).
    void KeyPress(QChar key);
    // The digits and "," of the keypad.
    void KeyButton(QChar key);
    // "=" and Enter: the entry converted into the result display ("0.00"); an entry that is no
    // number shows nothing.
    void Button11Click();

    static constexpr int CurrencyCount = 5;
    static const double DefaultRates[CurrencyCount];
    static const char* const UnitNames[CurrencyCount];

    double Taux[CurrencyCount];
    QString NomUnite;
    bool ResultatAffiche = false;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
