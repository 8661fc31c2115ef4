#pragma once
// The window shown while the program starts: the program's picture and name on a navy-to-teal
// gradient.
#include <QWidget>
#include "ui_splash.h"

class QPainter;

class TSplash : public QWidget, public Ui::Splash {
    Q_OBJECT

public:
    explicit TSplash(QWidget* parent = nullptr);

    // Fills the client area with 256 horizontal bands, colour1 at the top to colour2 at the
    // bottom, each channel stepping by whole units as the old screens with 256 colours did.
    static void Graduate(QPainter& canvas, const QSize& client, const QColor& colour1, const QColor& colour2);
    // The program's picture: a workstation with a cup of coffee beside it.
    static QPixmap Picture();

protected:
    void paintEvent(QPaintEvent* event) override;
};
