#include "manager/shell/horloge.h"

#include <QTimer>
#include "manager/shell/dialogkit.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"
#include "platform/system/system.h"

namespace {

// A field of a label: where it lies and the values the spin button allows.
struct Champ {
    QLabel* Ui::Horloge::*label;
    int position, width, minimum, maximum;
};
const Champ Champs[] = {
    {&Ui::Horloge::Label1, 0, 2, 0, 24},         // "Hr"
    {&Ui::Horloge::Label1, 3, 2, 0, 59},         // "Mn"
    {&Ui::Horloge::Label2, 0, 2, 0, 31},         // "Jo"
    {&Ui::Horloge::Label2, 3, 2, 0, 12},         // "Mo"
    {&Ui::Horloge::Label2, 6, 4, 1900, 2099},    // "An"
};

int Part(const QLabel* label, int position, int width)
{
    return rtl::StrToInt(label->text().mid(position, width));
}

}  // namespace

THorloge::THorloge(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, platform::guard(this, &THorloge::Timer1Timer));
    connect(SpinButton1Up, &QToolButton::clicked, this, platform::guard(this, &THorloge::SpinButton1UpClick));
    connect(SpinButton1Down, &QToolButton::clicked, this, platform::guard(this, &THorloge::SpinButton1DownClick));
    connect(Button2, &QPushButton::clicked, this, platform::guard(this, &THorloge::Button2Click));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void THorloge::Timer1Timer()
{
    Label1->setText(rtl::TimeToStr(rtl::Time()));
    Label2->setText(rtl::DateToStr(rtl::Date()));
}

void THorloge::spin(int step)
{
    const int chosen = ItemIndex(RadioGroup1);
    if (chosen < 0 || chosen >= int(std::size(Champs)))
        return;
    const Champ& c = Champs[chosen];
    QLabel* label = this->*c.label;
    int value = Part(label, c.position, c.width);
    if (c.width == 4 && value < 100)
        value += 1900;
    if (step > 0 && value < c.maximum)
        ++value;
    else if (step < 0 && value > c.minimum)
        --value;
    QString text = label->text();
    text.replace(c.position, c.width, QStringLiteral("%1").arg(value, c.width, 10, QLatin1Char('0')));
    label->setText(text);
}

void THorloge::SpinButton1UpClick()
{
    spin(+1);
}

void THorloge::SpinButton1DownClick()
{
    spin(-1);
}

void THorloge::Button2Click()
{
    ModeEdition = !ModeEdition;
    Button2->setChecked(ModeEdition);
    if (ModeEdition) {
        Timer1->stop();
        return;
    }
    // The clock runs again whatever the system answered.
    Timer1->start();
    Modifie();
}

void THorloge::Modifie()
{
    const int day = Part(Label2, 0, 2), month = Part(Label2, 3, 2), year = Part(Label2, 6, 4);
    const int hour = Part(Label1, 0, 2), minute = Part(Label1, 3, 2), second = Part(Label1, 6, 2);
    QString error;
    if (!hostsystem::SetLocalTime(year, month, day, hour, minute, second, &error))
        platform::MessageDlg(QStringLiteral("L'horloge n'a pas été réglée.\n") + error, platform::mtError,
                             platform::mbOK);
}

void THorloge::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ModeEdition = false;
    Button2->setChecked(false);
    platform::Guarded([this] { Timer1Timer(); });
    Timer1->start();
}

void THorloge::hideEvent(QHideEvent* event)
{
    Timer1->stop();
    QDialog::hideEvent(event);
}
