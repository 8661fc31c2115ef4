#include "manager/shell/splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

// a * b / c rounded to the nearest whole number, a half away from zero; 64-bit in between so
// that the product cannot overflow.
int MulDiv(int a, int b, int c)
{
    const qint64 p = qint64(a) * b;
    const qint64 half = c / 2;
    return int(p >= 0 ? (p + half) / c : (p - half) / c);
}

const QColor Navy(0, 0, 128);
const QColor Teal(0, 128, 128);

}  // namespace

TSplash::TSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setupUi(this);
    QPalette p = palette();
    p.setColor(QPalette::Window, Teal);
    setPalette(p);
    Image1->setPixmap(Picture());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplash::Graduate(QPainter& canvas, const QSize& client, const QColor& colour1, const QColor& colour2)
{
    const int r1 = colour1.red(), g1 = colour1.green(), b1 = colour1.blue();
    const int r2 = colour2.red(), g2 = colour2.green(), b2 = colour2.blue();
    canvas.setPen(QPen(Qt::SolidLine));
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i <= 255; ++i) {
        const int top = MulDiv(i, client.height(), 256);
        const int bottom = MulDiv(i + 1, client.height(), 256);
        const QColor band((r1 + MulDiv(i, r2 - r1, 255)) % 256, (g1 + MulDiv(i, g2 - g1, 255)) % 256,
                          (b1 + MulDiv(i, b2 - b1, 255)) % 256);
        canvas.fillRect(QRect(0, top, client.width(), bottom - top), band);
    }
}

QPixmap TSplash::Picture()
{
    QPixmap picture(97, 121);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    // The screen, its stand and the keyboard.
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(215, 215, 205));
    p.drawRoundedRect(QRectF(6, 8, 85, 64), 5, 5);
    QLinearGradient glass(0, 14, 0, 64);
    glass.setColorAt(0, QColor(120, 200, 240));
    glass.setColorAt(1, QColor(20, 80, 160));
    p.setBrush(glass);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawRect(QRectF(13, 14, 71, 50));
    p.setBrush(QColor(190, 190, 180));
    p.drawRect(QRectF(40, 72, 17, 9));
    p.drawRoundedRect(QRectF(24, 80, 49, 6), 2, 2);
    p.drawRoundedRect(QRectF(8, 92, 62, 13), 3, 3);
    p.setPen(QPen(QColor(120, 120, 110), 1));
    for (int row = 0; row < 2; ++row)
        for (int key = 0; key < 9; ++key)
            p.drawRect(QRectF(11 + key * 6.4, 94.5 + row * 5, 4.4, 3));

    // The cup, with its steam.
    p.setPen(QPen(QColor(90, 40, 10), 2));
    p.setBrush(QColor(250, 245, 230));
    QPainterPath cup;
    cup.moveTo(74, 96);
    cup.lineTo(92, 96);
    cup.lineTo(89, 116);
    cup.lineTo(77, 116);
    cup.closeSubpath();
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(87, 99, 9, 9), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(255, 255, 255), 1.5));
    for (int s = 0; s < 2; ++s) {
        QPainterPath steam;
        steam.moveTo(79 + s * 7, 93);
        steam.cubicTo(76 + s * 7, 89, 83 + s * 7, 86, 80 + s * 7, 81);
        p.drawPath(steam);
    }
    return picture;
}

void TSplash::paintEvent(QPaintEvent* event)
{
    QPainter canvas(this);
    Graduate(canvas, size(), Navy, Teal);
}
