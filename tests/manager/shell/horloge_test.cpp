// The clock: its display, the spin button's ranges, and setting the system clock, on the
// recording clock only (this machine's clock is never set by a test).
#include <gtest/gtest.h>
#include <QTest>
#include <QTimer>
#include "manager/shell/dialogkit.h"
#include "manager/shell/horloge.h"
#include "platform/system/system.h"
#include "support/clock.h"
#include "support/dialog_driver.h"

namespace {

class HorlogeTest : public ::testing::Test {
protected:
    // A moment with seconds, which the display shows.
    ScopedClock now{QDateTime(QDate(2024, 12, 9), QTime(14, 5, 30))};

    void Spin(int field, int up, int down = 0)
    {
        SetItemIndex(clock.RadioGroup1, field);
        for (int i = 0; i < up; ++i)
            clock.SpinButton1Up->click();
        for (int i = 0; i < down; ++i)
            clock.SpinButton1Down->click();
    }

    hostsystem::RecordingClock system;
    THorloge clock{nullptr};
};

TEST_F(HorlogeTest, ShowingItShowsNowAndStartsTheTimer)
{
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("THorloge"), [this](QDialog* d) {
        auto& w = *static_cast<THorloge*>(d);
        EXPECT_EQ(w.windowTitle(), "Horloge");
        EXPECT_EQ(w.Label1->text(), "14:05:30");
        EXPECT_EQ(w.Label2->text(), "09/12/2024");
        EXPECT_TRUE(w.Timer1->isActive());
        EXPECT_EQ(w.Timer1->interval(), 1000);
        EXPECT_EQ(ItemIndex(w.RadioGroup1), -1);  // no field chosen at first
        now.Set(QDateTime(QDate(2024, 12, 10), QTime(0, 0, 1)));
        w.Timer1Timer();
        EXPECT_EQ(w.Label1->text(), "00:00:01");
        EXPECT_EQ(w.Label2->text(), "10/12/2024");
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.Timer1->isActive());
    });
    platform::Dialogs().exec(&clock);
    EXPECT_TRUE(system.Calls.isEmpty());
}

TEST_F(HorlogeTest, TheSpinButtonStaysWithinEachFieldsRange)
{
    const struct {
        int field, up, down;
        const char* time;
        const char* date;
        const char* shown;
    } cases[] = {
        {0, 3, 0, "22:59:58", "31/12/2099", "24:59:58"},  // the hour stops at 24
        {0, 0, 3, "01:00:00", "01/01/2024", "00:00:00"},  // and at 0
        {1, 5, 0, "10:57:00", "01/01/2024", "10:59:00"},   {1, 0, 2, "10:01:00", "01/01/2024", "10:00:00"},
        {2, 3, 0, "10:00:00", "30/01/2024", "31/01/2024"}, {2, 0, 3, "10:00:00", "02/01/2024", "00/01/2024"},
        {3, 2, 0, "10:00:00", "01/11/2024", "01/12/2024"}, {3, 0, 2, "10:00:00", "01/01/2024", "01/00/2024"},
        {4, 3, 0, "10:00:00", "01/01/2098", "01/01/2099"},  // the year stops at 2099
        {4, 0, 3, "10:00:00", "01/01/1901", "01/01/1900"},  // and at 1900
        {4, 1, 0, "10:00:00", "01/01/0099", "01/01/2000"},  // a two-digit year is of 1900
    };
    for (const auto& c : cases) {
        clock.Label1->setText(QString::fromUtf8(c.time));
        clock.Label2->setText(QString::fromUtf8(c.date));
        Spin(c.field, c.up, c.down);
        const QString shown = c.field < 2 ? clock.Label1->text() : clock.Label2->text();
        EXPECT_EQ(shown, c.shown) << c.field << " " << c.time << " " << c.date;
    }
}

TEST_F(HorlogeTest, WithNoFieldChosenTheSpinDoesNothing)
{
    clock.Label1->setText(QStringLiteral("10:00:00"));
    clock.Label2->setText(QStringLiteral("01/01/2024"));
    SetItemIndex(clock.RadioGroup1, -1);
    clock.SpinButton1Up->click();
    clock.SpinButton1Down->click();
    EXPECT_EQ(clock.Label1->text(), "10:00:00");
    EXPECT_EQ(clock.Label2->text(), "01/01/2024");
}

TEST_F(HorlogeTest, SetHoldsTheDisplayThenSetsTheClockInUniversalTime)
{
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("THorloge"), [this](QDialog*) {
        clock.Button2->click();
        EXPECT_TRUE(clock.ModeEdition);
        EXPECT_FALSE(clock.Timer1->isActive());
        Spin(0, 2);     // 16 h
        Spin(3, 0, 5);  // July
        EXPECT_EQ(clock.Label1->text(), "16:05:30");
        EXPECT_EQ(clock.Label2->text(), "09/07/2024");
        clock.Button2->click();
        EXPECT_FALSE(clock.ModeEdition);
        EXPECT_TRUE(clock.Timer1->isActive());
    });
    platform::Dialogs().exec(&clock);
    ASSERT_EQ(system.Calls.size(), 1);
    const QDateTime local(QDate(2024, 7, 9), QTime(16, 5, 30), QTimeZone::systemTimeZone());
    EXPECT_EQ(system.Calls[0].toMSecsSinceEpoch(), local.toMSecsSinceEpoch());
    EXPECT_EQ(system.Calls[0].timeSpec(), Qt::UTC);
}

TEST_F(HorlogeTest, ARefusalIsReported)
{
    const struct {
        const char* time;
        const char* date;
        const char* refusal;
        const char* message;
    } cases[] = {
        {"24:00:00", "01/06/2024", "", "Date ou heure impossible : 01/06/2024 24:00:00."},
        {"10:00:00", "00/06/2024", "", "Date ou heure impossible : 00/06/2024 10:00:00."},
        {"10:00:00", "31/06/2024", "", "Date ou heure impossible : 31/06/2024 10:00:00."},
        {"10:00:00", "01/00/2024", "", "Date ou heure impossible : 01/00/2024 10:00:00."},
        {"10:00:00", "01/06/2024", "pas le droit", "pas le droit"},
    };
    for (const auto& c : cases) {
        system.Calls.clear();
        system.Refusal = QString::fromUtf8(c.refusal);
        clock.Label1->setText(QString::fromUtf8(c.time));
        clock.Label2->setText(QString::fromUtf8(c.date));
        ScriptedDialogs responder;
        responder.message(QStringLiteral("L'horloge n'a pas été réglée.\n") + QString::fromUtf8(c.message));
        clock.Modifie();
        EXPECT_TRUE(responder.done()) << c.time << " " << c.date;
        EXPECT_EQ(system.Calls.size(), system.Refusal.isEmpty() ? 0 : 1) << c.date;
    }
}

TEST_F(HorlogeTest, AnotherWindowTakingTheFocusLeavesEditModeAlone)
{
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("THorloge"), [this](QDialog*) {
        clock.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&clock));
        clock.Button2->click();
        Spin(0, 1);
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        clock.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&clock));
        EXPECT_TRUE(clock.ModeEdition);
        EXPECT_FALSE(clock.Timer1->isActive());
        EXPECT_EQ(clock.Label1->text(), "15:05:30");
    });
    platform::Dialogs().exec(&clock);
    EXPECT_TRUE(system.Calls.isEmpty());  // closed in edit mode: nothing set
}

}  // namespace
