// The window: its creation, showing, activation, keys, dragging and closing.
#include "client/tmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include "platform/application.h"
#include "wsocket/wspump.h"

namespace {

// The pictures of the application buttons: a globe, two envelopes (one marked), a page.
QIcon Picture(int button)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 3));
    switch (button) {
    case 0:  // browser
        p.setBrush(QColor(120, 180, 240));
        p.drawEllipse(QRectF(5, 5, 38, 38));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(15, 5, 18, 38));
        p.drawLine(QPointF(5, 24), QPointF(43, 24));
        p.drawLine(QPointF(24, 5), QPointF(24, 43));
        break;
    case 1:  // mail
    case 3:  // mail, under its other name
        p.setBrush(button == 1 ? QColor(250, 235, 170) : QColor(200, 170, 230));
        p.drawRect(QRectF(4, 11, 40, 27));
        p.drawPolyline(QPolygonF({QPointF(4, 11), QPointF(24, 27), QPointF(44, 11)}));
        break;
    case 2: {  // word processor
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 30, 40));
        p.setPen(QPen(QColor(30, 60, 120), 2));
        for (int y = 13; y <= 37; y += 6)
            p.drawLine(QPointF(14, y), QPointF(34, y));
        break;
    }
    }
    return QIcon(pixmap);
}

}  // namespace

TMain::TMain(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(310, 114);

    CliSocket = new TWSocket(this);
    CliSocket->AssignPort(Port);
    CliSocket->AssignProto(QStringLiteral("tcp"));
    CliSocket->LineEnd = QStringLiteral("\r\n");
    // The line that ends and prices the ticket must reach the manager: the close is orderly,
    // never a reset that may throw away what was still on its way.
    CliSocket->LingerOnOff = wsLingerNoSet;
    CliSocket->OnDataAvailable = [this](TWSocket*, int) { CliSocketDataAvailable(); };
    CliSocket->OnSessionConnected = [this](TWSocket*, int Error) { CliSocketSessionConnected(Error); };
    CliSocket->OnSessionClosed = [this](TWSocket*, int) { CliSocketSessionClosed(); };
    CliSocket->OnDnsLookupDone = [this](TWSocket*, int Error) { CliSocketDnsLookupDone(Error); };
    CliSocket->OnLineLimitExceeded = [this](TWSocket*, int, bool& ClearData) {
        ClearData = true;
        resteIgnore_ = true;
    };

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(20000);
    connect(Timer1, &QTimer::timeout, this, [this] { platform::Guarded([this] { Timer1Timer(); }); });

    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, platform::guard(this, &TMain::Button1Click));
    connect(Button3, &QPushButton::clicked, this, platform::guard(this, &TMain::Button3Click));
    connect(SpeedButton1, &QToolButton::clicked, this, platform::guard(this, &TMain::SpeedButton1Click));
    connect(SpeedButton2, &QToolButton::clicked, this, platform::guard(this, &TMain::SpeedButton2Click));
    connect(SpeedButton3, &QToolButton::clicked, this, platform::guard(this, &TMain::SpeedButton3Click));
    connect(SpeedButton4, &QToolButton::clicked, this, platform::guard(this, &TMain::SpeedButton4Click));
    connect(SpeedButton5, &QToolButton::clicked, this, platform::guard(this, &TMain::SpeedButton5Click));
    // Enter in the login fields is "OK", and goes no further.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Button2Click(); });
    connect(Edit2, &QLineEdit::returnPressed, this, [this] { Button2Click(); });

    QToolButton* const buttons[] = {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5};
    for (int i = 0; i < 4; ++i)
        buttons[i]->setIcon(Picture(i));

    // FormCreate
    AdresseServeur = QStringLiteral("localhost");
    Minimiser();
    CacheBureau();
    FermetureAutorisee = true;
    deplacement_ = false;
    // The "Yahoo" button starts the same program as "Outlook".
    programmes_[0] = workstation::Program::Browser;
    programmes_[1] = workstation::Program::Mail;
    programmes_[2] = workstation::Program::WordProcessor;
    programmes_[3] = workstation::Program::Mail;
    PageControl1->setCurrentWidget(TabSheet1);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMain::~TMain() = default;

bool TMain::Termine() const
{
    return termine_ || wsocket::ApplicationTerminated();
}

void TMain::Terminer()
{
    termine_ = true;
    QCoreApplication::quit();
}

bool TMain::event(QEvent* e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate)
        platform::Guarded([this] { FormActivate(); });
    return handled;
}

void TMain::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (premierAffichage_) {
        premierAffichage_ = false;
        Edit1->setFocus();
    }
}

void TMain::keyPressEvent(QKeyEvent* e)
{
    // Only a key the window itself receives: one that a control let through is not its own.
    const QWidget* focus = focusWidget();
    if (e->key() == Qt::Key_F10 && (!focus || focus == this)) {
        platform::Guarded([this] { SetIpAdr(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

void TMain::closeEvent(QCloseEvent* e)
{
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    platform::Guarded([this] { FormClose(); });
    e->accept();
}

void TMain::FormClose()
{
    // The desktop is given back to whoever comes next.
    workstation::Workstation& ws = workstation::Current();
    ws.ShowTaskbar();
    ws.ShowDesktopIcons();
    ws.BlockTaskKeys(false);
    termine_ = true;
}

// --- dragging: any point of the window's background moves it ----------------------------------

void TMain::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    deplacement_ = true;
    origineDeplacement_ = e->globalPosition().toPoint() - pos();
}

void TMain::mouseMoveEvent(QMouseEvent* e)
{
    if (deplacement_)
        move(e->globalPosition().toPoint() - origineDeplacement_);
}

void TMain::mouseReleaseEvent(QMouseEvent* e)
{
    deplacement_ = false;
    QWidget::mouseReleaseEvent(e);
}

void TMain::AuPremierPlan(bool onTop)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the flags of a shown window hides it.
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show();
}

void TMain::SpeedButton1Click()
{
    AuPremierPlan(false);
    showMinimized();
}
