#include "manager/shell/pocket.h"

#include <QKeyEvent>
#include "platform/application.h"
#include "platform/rtl.h"

TPocket::Etat TPocket::State;

namespace {

constexpr int DisplayWidth = 15;

// Keys that belong to the window and its buttons, not to the calculator.
bool MovesOrCloses(const QKeyEvent* press)
{
    switch (press->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return press->text().isEmpty();
    }
}

}  // namespace

TPocket::TPocket(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    QPalette p = Label1->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(p);

    QPushButton* const digits[] = {Button0, Button1, Button2, Button3, Button4,
                                   Button5, Button6, Button7, Button8, Button9, Button10};
    for (QPushButton* button : digits)
        connect(button, &QPushButton::clicked, this,
                [this, button] { platform::Guarded([&] { Chiffre(button->text().at(0)); }); });
    connect(Button11, &QPushButton::clicked, this, platform::guard(this, &TPocket::Evalue));
    for (QPushButton* button : {Button12, Button13, Button14, Button15})
        connect(button, &QPushButton::clicked, this,
                [this, button] { platform::Guarded([&] { Operateur(button->text().at(0)); }); });
    connect(Button16, &QPushButton::clicked, this, platform::guard(this, &TPocket::Button16Click));
    connect(Button17, &QPushButton::clicked, this, platform::guard(this, &TPocket::Button17Click));
    connect(Button18, &QPushButton::clicked, this, platform::guard(this, &TPocket::Button18Click));
    connect(Button19, &QPushButton::clicked, this, &QDialog::accept);
    for (QPushButton* button : findChildren<QPushButton*>())
        button->installEventFilter(this);
}

QString TPocket::Affichage(double value)
{
    QString text = rtl::FloatToStr(value);
    // Fewer digits of the mantissa until it fits; cutting the text would drop its exponent and
    // show another number.
    for (int digits = 14; text.contains(u',') && text.size() > DisplayWidth && digits >= 1; --digits)
        text = rtl::FloatToStr(value, digits);
    return text;
}

void TPocket::afficheResultat(double value)
{
    Label1->setText(Affichage(value));
}

void TPocket::Chiffre(QChar digit)
{
    if (State.NouvelleSaisie)
        Label1->clear();
    Label1->setText(Label1->text() + digit);
    State.NouvelleSaisie = false;
}

void TPocket::Evalue()
{
    if (!State.AccumulateurPose) {
        try {
            State.Accumulateur = rtl::StrToFloat(Label1->text());
        } catch (const EConvertError&) {
            Label1->clear();   // nothing to start from: the display is emptied, silently
            return;
        }
        State.AccumulateurPose = true;
        State.NouvelleSaisie = true;
        return;
    }
    // Everything is computed before anything is kept: an error leaves the calculator as it was.
    const double operand = rtl::StrToFloat(Label1->text());
    const double a = State.Accumulateur;
    double result = a;
    switch (State.Operateur.unicode()) {
    case u'+': result = rtl::CheckFloat(a + operand); break;
    case u'-': result = rtl::CheckFloat(a - operand); break;
    case u'*': result = rtl::CheckFloat(a * operand); break;
    case u'/': result = rtl::Divide(a, operand); break;
    default: break;
    }
    State.Operande = operand;
    State.Accumulateur = result;
    afficheResultat(result);
    State.NouvelleSaisie = true;
}

void TPocket::Operateur(QChar op)
{
    Evalue();
    State.Operateur = op;
}

void TPocket::Button16Click()
{
    const double x = rtl::StrToFloat(Label1->text());
    const double result = rtl::Divide(1, x);
    State.Accumulateur = result;
    afficheResultat(result);
    State.AccumulateurPose = true;
    State.NouvelleSaisie = true;
}

void TPocket::Button17Click()
{
    const double result = rtl::Sqrt(rtl::StrToFloat(Label1->text()));
    State.Accumulateur = result;
    afficheResultat(result);
    State.AccumulateurPose = true;
    State.NouvelleSaisie = true;
}

void TPocket::Button18Click()
{
    Label1->clear();
    State.Accumulateur = 0;
    State.Operande = 0;
    State.Operateur = QChar();
    State.AccumulateurPose = false;
    Button11->setFocus();
}

void TPocket::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    platform::Guarded([this] { Button18Click(); });
}

QPushButton* TPocket::buttonFor(QChar key) const
{
    if (key >= u'0' && key <= u'9') {
        QPushButton* const digits[] = {Button0, Button1, Button2, Button3, Button4,
                                       Button5, Button6, Button7, Button8, Button9};
        return digits[key.unicode() - u'0'];
    }
    switch (key.unicode()) {
    case u',':
    case u'.': return Button10;
    case u'=': return Button11;
    case u'+': return Button12;
    case u'-': return Button13;
    case u'*': return Button14;
    case u'/': return Button15;
    case u'C':
    case u'c': return Button18;
    case u'X':
    case u'x': return Button16;
    case u'S':
    case u's': return Button17;
    default: return nullptr;
    }
}

void TPocket::keyPressEvent(QKeyEvent* event)
{
    if (MovesOrCloses(event)) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (QPushButton* button = buttonFor(event->text().at(0)))
        button->click();
}

bool TPocket::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || MovesOrCloses(static_cast<QKeyEvent*>(event)))
        return QDialog::eventFilter(watched, event);
    // "1/x" and "sqr" take no typed keys; every other button hands them to the window.
    if (watched != Button16 && watched != Button17)
        keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
}
