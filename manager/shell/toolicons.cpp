#include "manager/shell/toolicons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor Ink(50, 50, 60);
const QColor Paper(252, 252, 245);
const QColor Folder(236, 196, 80);
const QColor Green(40, 150, 60);
const QColor Blue(40, 90, 170);

void Page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(r);
}

void Lines(QPainter& p, qreal x, qreal y, qreal width, int count)
{
    p.setPen(QPen(QColor(120, 120, 130), 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + i * 3), QPointF(x + width, y + i * 3));
}

void Plus(QPainter& p, const QPointF& c)
{
    p.setPen(QPen(Green, 2.5));
    p.drawLine(c + QPointF(-3.5, 0), c + QPointF(3.5, 0));
    p.drawLine(c + QPointF(0, -3.5), c + QPointF(0, 3.5));
}

void FolderShape(QPainter& p, bool open)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Folder.darker(115));
    p.drawRect(QRectF(2.5, 5.5, 15, 11));
    p.drawRect(QRectF(2.5, 3.5, 6, 2));
    p.setBrush(Folder);
    if (open) {
        p.drawPolygon(QPolygonF({QPointF(2.5, 16.5), QPointF(5.5, 8.5), QPointF(19.5, 8.5), QPointF(16.5, 16.5)}));
    } else {
        p.drawRect(QRectF(2.5, 7.5, 15, 9));
    }
}

// A triangle pointing left (dir -1) or right (dir 1), with a bar on its tip side when `bar`.
void Arrow(QPainter& p, int dir, bool bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    const qreal tip = dir < 0 ? 5 : 15, base = dir < 0 ? 15 : 5;
    p.drawPolygon(QPolygonF({QPointF(tip, 10), QPointF(base, 3.5), QPointF(base, 16.5)}));
    if (bar)
        p.drawRect(QRectF(dir < 0 ? 2 : 16, 3.5, 2, 13));
}

void Monitor(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(200, 200, 195));
    p.drawRect(r);
    p.setBrush(QColor(70, 140, 210));
    p.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
    p.setBrush(QColor(200, 200, 195));
    const qreal cx = r.center().x();
    p.drawRect(QRectF(cx - r.width() / 6, r.bottom(), r.width() / 3, r.height() / 5));
}

const QHash<QString, Drawing>& Drawings()
{
    static const QHash<QString, Drawing> drawings = {
        {"SpeedButton1", [](QPainter& p) { FolderShape(p, false); Plus(p, QPointF(14.5, 13.5)); }},
        {"OpenBtn", [](QPainter& p) { FolderShape(p, true); }},
        {"SaveBtn", [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Blue);
             p.drawRect(QRectF(2.5, 2.5, 15, 15));
             p.setBrush(Paper);
             p.drawRect(QRectF(5.5, 2.5, 9, 6));
             p.setBrush(QColor(180, 180, 190));
             p.drawRect(QRectF(5.5, 11.5, 9, 6));
         }},
        {"CopyBtn", [](QPainter& p) {
             Page(p, QRectF(2.5, 2.5, 9, 11));
             Page(p, QRectF(8.5, 6.5, 9, 11));
             Lines(p, 10.5, 9.5, 5, 3);
         }},
        {"PasteBtn", [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(170, 120, 70));
             p.drawRect(QRectF(2.5, 3.5, 11, 14));
             p.setBrush(QColor(210, 210, 210));
             p.drawRect(QRectF(5.5, 2.5, 5, 3));
             Page(p, QRectF(8.5, 7.5, 9, 10));
             Lines(p, 10.5, 10.5, 5, 3);
         }},
        {"SpeedButton2", [](QPainter& p) { Arrow(p, -1, true); }},
        {"SpeedButton3", [](QPainter& p) { Arrow(p, -1, false); }},
        {"SpeedButton4", [](QPainter& p) { Arrow(p, 1, false); }},
        {"SpeedButton5", [](QPainter& p) { Arrow(p, 1, true); }},
        {"SpeedButton6", [](QPainter& p) {
             Page(p, QRectF(2.5, 2.5, 12, 15));
             Lines(p, 4.5, 6.5, 8, 3);
             Plus(p, QPointF(14.5, 14.5));
         }},
        {"SpeedButton7", [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(240, 200, 160));
             p.drawEllipse(QRectF(6.5, 2.5, 7, 7));
             p.setBrush(Blue);
             p.drawChord(QRectF(3.5, 10.5, 13, 13), 0, 180 * 16);
         }},
        {"SpeedButton9", [](QPainter& p) {
             Page(p, QRectF(3.5, 1.5, 13, 17));
             Lines(p, 5.5, 4.5, 9, 3);
             p.setPen(QPen(Ink, 1.5));
             p.drawLine(QPointF(9.5, 14.5), QPointF(14.5, 14.5));
         }},
        {"SpeedButton12", [](QPainter& p) { Monitor(p, QRectF(2.5, 2.5, 15, 11)); }},
        {"SpeedButton14", [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(90, 90, 100));
             p.drawRect(QRectF(5.5, 2.5, 9, 5));
             p.setBrush(QColor(120, 220, 120));
             p.drawRect(QRectF(7.5, 3.5, 5, 2));
             p.setBrush(QColor(200, 200, 195));
             p.drawRect(QRectF(2.5, 7.5, 15, 7));
             p.setBrush(QColor(160, 160, 155));
             p.drawRect(QRectF(1.5, 14.5, 17, 3));
         }},
        {"SpeedButton15", [](QPainter& p) {
             for (int row = 0; row < 2; ++row)
                 for (int col = 0; col < 2; ++col)
                     Monitor(p, QRectF(1.5 + col * 9.5, 1.5 + row * 9.5, 7.5, 5.5));
         }},
        {"SpeedButton13", [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(200, 200, 195));
             p.drawRect(QRectF(4.5, 1.5, 11, 17));
             p.setBrush(QColor(190, 220, 190));
             p.drawRect(QRectF(6.5, 3.5, 7, 3));
             p.setBrush(Ink);
             for (int row = 0; row < 3; ++row)
                 for (int col = 0; col < 3; ++col)
                     p.drawRect(QRectF(6.5 + col * 2.5, 8.5 + row * 3, 1.5, 1.5));
         }},
        {"SpeedButton16", [](QPainter& p) {
             p.setPen(QPen(QColor(150, 110, 20), 2));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(2.5, 6.5, 7, 7));
             p.drawLine(QPointF(9.5, 10), QPointF(18, 10));
             p.drawLine(QPointF(15, 10), QPointF(15, 14));
             p.drawLine(QPointF(17.5, 10), QPointF(17.5, 13));
         }},
        {"SpeedButton8", [](QPainter& p) {
             Page(p, QRectF(5.5, 1.5, 9, 7));
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(170, 170, 175));
             p.drawRect(QRectF(1.5, 7.5, 17, 7));
             Page(p, QRectF(5.5, 12.5, 9, 6));
         }},
        {"SpeedButton10", [](QPainter& p) {
             Page(p, QRectF(1.5, 4.5, 17, 11));
             p.drawPolyline(QPolygonF({QPointF(1.5, 4.5), QPointF(10, 11), QPointF(18.5, 4.5)}));
         }},
    };
    return drawings;
}

}  // namespace

QIcon ToolIcon(const QString& button)
{
    const auto it = Drawings().constFind(button);
    if (it == Drawings().constEnd())
        return {};
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    (*it)(p);
    p.end();
    return QIcon(picture);
}
