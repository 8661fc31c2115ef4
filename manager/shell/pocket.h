#pragma once
// The pocket calculator: no precedence, each operator applies the one before it, and the
// pending operator survives "=" so that "=" again repeats it with the number shown.
#include <QDialog>
#include "ui_pocket.h"

class TPocket : public QDialog, public Ui::Pocket {
    Q_OBJECT

public:
    explicit TPocket(QWidget* owner);

    // What the calculator keeps between two openings (showing the window resets all but
    // NouvelleSaisie).
    struct Etat {
        double Accumulateur = 0;
        double Operande = 0;
        QChar Operateur;              // '+', '-', '*', '/' or none (null)
        bool AccumulateurPose = false;
        bool NouvelleSaisie = false;  // the display shows a result: a digit starts a new number
    };
    static Etat State;

    // The display's text for a value: the runtime's text, shortened to 15 characters by rounding
    // its mantissa when it holds a decimal comma (the exponent is always kept).
    static QString Affichage(double value);

    void Chiffre(QChar digit);      // "0" to "9" and ","
    // "=", and the first half of each operator: the display is the first value, or the second
    // that the pending operator applies. A second value that is no number, or a result that is
    // none (a division by zero, an overflow), raises the runtime's error and changes nothing.
    void Evalue();
    void Operateur(QChar op);       // "+", "-", "*", "/"
    void Button16Click();           // "1/x"
    void Button17Click();           // "sqr"
    void Button18Click();           // "C"

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The button that a typed character presses; null for any other character.
    QPushButton* buttonFor(QChar key) const;
    void afficheResultat(double value);
};
