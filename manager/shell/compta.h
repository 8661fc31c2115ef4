#pragma once
// The accounting journal window: the journal lines between two dates, printed or exported as
// TAB-separated text for the accountant's software.
#include <QDialog>
#include <QStringList>
#include "ui_compta.h"

class TCompta : public QDialog, public Ui::Compta {
    Q_OBJECT

public:
    explicit TCompta(QWidget* owner);

    // Keeps its own copy of the journal lines (yyyymmdd TAB journal TAB date TAB account TAB
    // label TAB debit [TAB credit]). The dates open on the whole journal, from its earliest line
    // to its latest (the lines come in invoice order, not date order); with no line, both on
    // today.
    void Init(const QStringList& lines);
    // Shows the lines whose date lies from the first date to the second, both included.
    void Remplit();
    int Rows() const { return rows_; }

    void ImprimerClick();   // SpeedButton1
    void ExporterClick();   // SpeedButton2: "Journal.txt" by default
    void OKClick();         // SpeedButton3: Remplit on the dates chosen

    // The lines the export writes for the rows shown: date, account, label, journal, an empty
    // field, debit and credit.
    QStringList ExportLines() const;

private:
    QStringList lines_;
    int rows_ = 0;
};
