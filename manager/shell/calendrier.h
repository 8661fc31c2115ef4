#pragma once
// The month calendar: today's month on a grid, its name and year above, a month back or on with
// the "Mois" buttons or PgUp and PgDn.
#include <QDialog>
#include "ui_calendrier.h"

class TCalendrier : public QDialog, public Ui::Calendrier {
    Q_OBJECT

public:
    explicit TCalendrier(QWidget* owner);

    // The title from the calendar's date: the month's full name, two blanks, the year.
    void Calendar1Change();
    void BitBtn1Click();   // the month before
    void BitBtn2Click();   // the month after

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveMonths(int months);
};
