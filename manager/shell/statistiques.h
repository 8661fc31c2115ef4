#pragma once
// The four statistics windows of the cash tickets: by customer (TStatsC), by machine (TStatsP),
// by month (TStatsV) and by day (TStatsJ). One template: a grid whose column 0 numbers the rows
// and whose columns 1 to 3 show the three fields of each statistics line, a print button, a
// chart button (the bar chart of column 3) and "Fermer". One form per window; this class is what
// the four share.
#include <QDialog>
#include <QStringList>
#include <array>
#include "ui_statsc.h"
#include "ui_statsj.h"
#include "ui_statsp.h"
#include "ui_statsv.h"

class QPushButton;
class QToolButton;
class TStringGrid;

struct StatsKind {
    std::array<const char*, 3> headings;   // of columns 1 to 3
    std::array<int, 3> justified;          // per column: right-justified in that width, 0 as it is
    bool sorted;                           // the lines are sorted by their text first
    const char* jobName;                   // the print job's name, before today's date
};

class TStats : public QDialog {
    Q_OBJECT

public:
    // Shows the statistics lines (key TAB field TAB field), one a row; a sorted window sorts
    // the list itself first, in the locale's order without regard to case.
    void Init(QStringList& lines);
    // The data rows shown, which are the rows printed.
    int Rows() const { return rows_; }

    void ImprimerClick();    // SpeedButton1: the print dialog, then the grid on the printer
    void GraphiqueClick();   // SpeedButton2: the bar chart of column 3
    // The amounts of column 3 from row 1 down to the first empty cell.
    QStringList ChartAmounts() const;
    QString JobName() const;
    TStringGrid* Grid() const { return grid_; }

protected:
    TStats(QWidget* owner, const StatsKind& kind);
    void attach(TStringGrid* grid, QToolButton* print, QToolButton* chart, QPushButton* close);

private:
    QString Justified(int column, const QString& text) const;

    const StatsKind& kind_;
    TStringGrid* grid_ = nullptr;
    int rows_ = 0;
};

class TStatsC : public TStats, public Ui::StatsC {
    Q_OBJECT
public:
    explicit TStatsC(QWidget* owner);
};

class TStatsP : public TStats, public Ui::StatsP {
    Q_OBJECT
public:
    explicit TStatsP(QWidget* owner);
};

class TStatsV : public TStats, public Ui::StatsV {
    Q_OBJECT
public:
    explicit TStatsV(QWidget* owner);
};

class TStatsJ : public TStats, public Ui::StatsJ {
    Q_OBJECT
public:
    explicit TStatsJ(QWidget* owner);
};

// Sorts lines as the statistics by customer and by machine are shown: the locale's order,
// without regard to case.
void SortLines(QStringList& lines);
// Writes the row number n into column 0, which looks fixed like the heading row; the grid gains
// the row when it has none yet (it never loses rows).
void NumberRow(TStringGrid* grid, int n);
