#include "manager/shell/devise.h"

#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include "manager/shell/dialogkit.h"
#include "platform/application.h"
#include "platform/rtl.h"

const double TDevisef::DefaultRates[CurrencyCount] = {6.55957, 1.1466, 0.7156, 134.76, 1.6049};
const char* const TDevisef::UnitNames[CurrencyCount] = {"Francs", "Dollars", "Livres", "Yen", "Can Dollar"};

namespace {

const QColor Teal(0, 128, 128);

}  // namespace

TDevisef::TDevisef(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    std::copy(std::begin(DefaultRates), std::end(DefaultRates), std::begin(Taux));
    for (QLabel* display : {Label1, Label2}) {
        QPalette p = display->palette();
        p.setColor(QPalette::Window, Teal);
        p.setColor(QPalette::WindowText, Qt::white);
        display->setPalette(p);
    }

    QPushButton* const digits[] = {Button0, Button1, Button2, Button3, Button4,
                                   Button5, Button6, Button7, Button8, Button9};
    for (int d = 0; d < 10; ++d)
        connect(digits[d], &QPushButton::clicked, this,
                [this, d] { platform::Guarded([&] { KeyButton(QChar(u'0' + d)); }); });
    connect(Button12, &QPushButton::clicked, this, [this] { platform::Guarded([&] { KeyButton(u','); }); });
    connect(Button11, &QPushButton::clicked, this, platform::guard(this, &TDevisef::Button11Click));
    connect(Button10, &QPushButton::clicked, this, &QDialog::accept);
    for (QGroupBox* group : {RadioGroup1, RadioGroup2})
        for (QRadioButton* item : group->findChildren<QRadioButton*>())
            connect(item, &QRadioButton::clicked, this, platform::guard(this, &TDevisef::Change));
    for (QPushButton* focusable : {Button11, Button10})
        focusable->installEventFilter(this);
    SetItemIndex(RadioGroup1, 0);
    SetItemIndex(RadioGroup2, 0);
    Change();
}

void TDevisef::SetIni(int direction, int currency, double tauxFranc, double tauxDollar, double tauxLivre,
                      double tauxYen, double tauxDollarCanadien)
{
    const double given[CurrencyCount] = {tauxFranc, tauxDollar, tauxLivre, tauxYen, tauxDollarCanadien};
    for (int i = 0; i < CurrencyCount; ++i)
        Taux[i] = given[i] >= 0.1 && std::isfinite(given[i]) ? given[i] : DefaultRates[i];
    SetItemIndex(RadioGroup2, direction >= 0 && direction < 2 ? direction : 0);
    SetItemIndex(RadioGroup1, currency >= 0 && currency < CurrencyCount ? currency : 0);
    Change();
}

void TDevisef::GetIni(double& tauxFranc, double& tauxDollar, double& tauxLivre, double& tauxYen,
                      double& tauxDollarCanadien, int& direction, int& currency) const
{
    tauxFranc = Taux[0];
    tauxDollar = Taux[1];
    tauxLivre = Taux[2];
    tauxYen = Taux[3];
    tauxDollarCanadien = Taux[4];
    direction = ItemIndex(RadioGroup2);
    currency = ItemIndex(RadioGroup1);
}

void TDevisef::Change()
{
    const int currency = ItemIndex(RadioGroup1);
    if (currency >= 0 && currency < CurrencyCount)
        NomUnite = QString::fromUtf8(UnitNames[currency]);
    const QString euro = QStringLiteral("Euro");
    const bool toEuro = ItemIndex(RadioGroup2) == 0;
    Label3->setText(toEuro ? NomUnite : euro);
    Label4->setText(toEuro ? euro : NomUnite);
}

void TDevisef::KeyButton(QChar key)
{
    if (ResultatAffiche) {
        Label1->clear();
        Label2->clear();
    }
    ResultatAffiche = false;
    Label1->setText(Label1->text() + key);
}

void TDevisef::KeyPress(QChar key)
{
    // After a result any key starts afresh, even one that types nothing.
    if (ResultatAffiche) {
        Label1->clear();
        Label2->clear();
        ResultatAffiche = false;
    }
    if (key == u'.')
        key = u',';
    if ((key >= u'0' && key <= u'9') || key == u',')
        Label1->setText(Label1->text() + key);
}

void TDevisef::Button11Click()
{
    ResultatAffiche = true;
    const int currency = ItemIndex(RadioGroup1);
    const double rate = currency >= 0 && currency < CurrencyCount ? Taux[currency] : DefaultRates[0];
    double entry = 0;
    try {
        entry = rtl::StrToFloat(Label1->text());
    } catch (const EConvertError&) {
        return;   // an entry that is no number converts to nothing, without a word
    }
    const double result = ItemIndex(RadioGroup2) == 1 ? entry * rate : entry / rate;
    // An entry too large for the rate has no result to show, rather than "INF".
    if (std::isfinite(result))
        Label2->setText(rtl::FormatFloat(QStringLiteral("0.00"), result));
}

void TDevisef::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ResultatAffiche = false;
    Button11->setFocus();
}

bool TDevisef::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* press = static_cast<QKeyEvent*>(event);
    switch (press->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        platform::Guarded([this] { Button11Click(); });
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QDialog::eventFilter(watched, event);   // closing and moving the focus
    default:
        break;
    }
    if (press->text().isEmpty())
        return QDialog::eventFilter(watched, event);
    platform::Guarded([&] { KeyPress(press->text().at(0)); });
    return true;
}
