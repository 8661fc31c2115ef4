#include "manager/shell/graph.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include "platform/rtl.h"

namespace {

constexpr int Width = 559, Height = 321;
constexpr int AxisX = 20, AxisY = 300, TopY = 20, AxisEnd = 550;
constexpr int BarWidth = 10, BarStep = 15, Tallest = 280;

}  // namespace

TGraph::TGraph(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    PaintBox1->setFixedSize(Width, Height);
    PaintBox1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TGraph::Init(QStringList& amounts)
{
    while (amounts.size() > MaxValues)
        amounts.removeFirst();
    values_.clear();
    for (const QString& amount : amounts)
        values_.push_back(rtl::Round(rtl::StrToFloat(rtl::Trim(amount))));
}

void TGraph::Draw(QPainter& painter) const
{
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, Width, Height);
    painter.drawLine(AxisX, AxisY, AxisEnd, AxisY);
    painter.drawLine(AxisX, AxisY, AxisX, TopY);
    qint64 max = 0;
    for (qint64 v : values_)
        max = std::max(max, v);
    if (max <= 0)
        return;
    painter.setBrush(Qt::blue);
    for (int i = 0; i < int(values_.size()); ++i) {
        // Wide enough that any amount times 280 stays a number.
        const int h = int(static_cast<__int128>(values_[i]) * Tallest / max);
        painter.drawRect(QRect(QPoint(AxisX + BarStep * i, AxisY - h), QPoint(AxisX + BarWidth + BarStep * i, AxisY))
                             .normalized());
    }
}

bool TGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PaintBox1 && event->type() == QEvent::Paint) {
        QPainter painter(PaintBox1);
        Draw(painter);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
