#include "manager/shell/calendrier.h"

#include <QKeyEvent>
#include <QTableView>
#include "platform/application.h"
#include "platform/rtl.h"

TCalendrier::TCalendrier(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    Calendar1->setLocale(QLocale(QLocale::French, QLocale::France));
    Calendar1->setFirstDayOfWeek(Qt::Sunday);
    // The day grid is lime; the days of the neighbouring months keep their grey.
    if (auto* grid = Calendar1->findChild<QTableView*>()) {
        QPalette p = grid->palette();
        p.setColor(QPalette::Base, QColor(0, 255, 0));
        p.setColor(QPalette::AlternateBase, QColor(0, 255, 0));
        grid->setPalette(p);
        grid->installEventFilter(this);
    }
    // Today as the program's clock has it.
    Calendar1->setSelectedDate(rtl::ToQDateTime(rtl::Date()).date());
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, platform::guard(this, &TCalendrier::Calendar1Change));
    connect(BitBtn1, &QPushButton::clicked, this, platform::guard(this, &TCalendrier::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, platform::guard(this, &TCalendrier::BitBtn2Click));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    for (QWidget* control : {static_cast<QWidget*>(Calendar1), static_cast<QWidget*>(BitBtn1),
                             static_cast<QWidget*>(BitBtn2)})
        control->installEventFilter(this);
}

void TCalendrier::Calendar1Change()
{
    const rtl::TDateTime date = rtl::FromQDateTime(Calendar1->selectedDate().startOfDay());
    Label1->setText(rtl::FormatDateTime(QStringLiteral("mmmmm  yyyy"), date));
}

void TCalendrier::moveMonths(int months)
{
    // The day stays, as far as the new month has it (31 January, a month on: 29 February).
    Calendar1->setSelectedDate(Calendar1->selectedDate().addMonths(months));
}

void TCalendrier::BitBtn1Click()
{
    moveMonths(-1);
}

void TCalendrier::BitBtn2Click()
{
    moveMonths(+1);
}

void TCalendrier::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    platform::Guarded([this] { Calendar1Change(); });
}

bool TCalendrier::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            platform::Guarded([&] { moveMonths(key == Qt::Key_PageUp ? -1 : +1); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
