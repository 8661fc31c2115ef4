#pragma once
// The clock: shows the time and the date, and sets the system clock from them: "Set" stops the
// display, the spin button changes the chosen field, "Set" again hands the labels to the system.
#include <QDialog>
#include "ui_horloge.h"

class QTimer;

class THorloge : public QDialog, public Ui::Horloge {
    Q_OBJECT

public:
    explicit THorloge(QWidget* owner);

    // The time and date labels from the clock.
    void Timer1Timer();
    // The chosen field one up or down: hour 0 to 24, minute 0 to 59, day 0 to 31, month 0 to 12
    // (the impossible values are refused when set), year 1900 to 2099.
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    // "Set": into edit mode (the labels stay still), or out of it, setting the system clock.
    void Button2Click();
    // Sets the system clock to the labels' local date and time; a refusal (an impossible date or
    // time, or no right to set the clock) is reported and changes nothing.
    void Modifie();

    QTimer* Timer1 = nullptr;
    bool ModeEdition = false;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void spin(int step);
};
