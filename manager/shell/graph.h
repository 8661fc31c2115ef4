#pragma once
// The bar chart of a statistics window: its last 32 amounts, one bar each, the tallest reaching
// the top of the chart.
#include <QDialog>
#include <QStringList>
#include <QWidget>
#include <vector>
#include "ui_graph.h"

class TGraph : public QDialog, public Ui::Graph {
    Q_OBJECT

public:
    explicit TGraph(QWidget* owner);
    // The amounts, as texts; only the last 32 are kept (the list loses the others). An amount
    // that does not read throws EConvertError.
    void Init(QStringList& amounts);

    static constexpr int MaxValues = 32;
    const std::vector<qint64>& Values() const { return values_; }
    // Draws the chart on a painter over the paint box's 559 x 321 pixels.
    void Draw(class QPainter& painter) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<qint64> values_;
};
