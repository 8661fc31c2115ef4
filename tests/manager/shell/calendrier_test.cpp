// The month calendar: today's month, its title with the full month name, and the month moves.
#include <gtest/gtest.h>
#include <QTest>
#include "manager/shell/calendrier.h"
#include "support/clock.h"
#include "support/dialog_driver.h"

namespace {

class CalendrierTest : public ::testing::Test {
protected:
    // The last day of a year, so that the months move across it.
    ScopedClock now{QDateTime(QDate(2024, 12, 31), QTime(9, 0))};
};

TEST_F(CalendrierTest, OpensOnTodaysMonthWithItsFullName)
{
    TCalendrier calendar(nullptr);
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TCalendrier"), [](QDialog* d) {
        auto& w = *static_cast<TCalendrier*>(d);
        EXPECT_EQ(w.windowTitle(), "Calendrier");
        EXPECT_EQ(w.Calendar1->selectedDate(), QDate(2024, 12, 31));
        EXPECT_EQ(w.Label1->text(), "décembre  2024");
        EXPECT_EQ(w.Calendar1->firstDayOfWeek(), Qt::Sunday);
    });
    platform::Dialogs().exec(&calendar);
}

TEST_F(CalendrierTest, MonthsMoveByButtonsAndPageKeysAcrossTheYear)
{
    TCalendrier calendar(nullptr);
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TCalendrier"), [](QDialog* d) {
        auto& w = *static_cast<TCalendrier*>(d);
        QTest::keyClick(w.Calendar1, Qt::Key_PageDown);  // December, then January of the next year
        EXPECT_EQ(w.Label1->text(), "janvier  2025");
        w.BitBtn2->click();
        EXPECT_EQ(w.Label1->text(), "février  2025");
        EXPECT_EQ(w.Calendar1->selectedDate(), QDate(2025, 2, 28));  // the 31st as far as February goes
        QTest::keyClick(w.BitBtn1, Qt::Key_PageUp);
        EXPECT_EQ(w.Label1->text(), "janvier  2025");
        w.BitBtn1->click();
        w.BitBtn1->click();
        EXPECT_EQ(w.Label1->text(), "novembre  2024");
        // Choosing a day of another month shows that month.
        w.Calendar1->setSelectedDate(QDate(2024, 8, 15));
        EXPECT_EQ(w.Label1->text(), "août  2024");
        QTest::keyClick(w.Calendar1, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    });
    platform::Dialogs().exec(&calendar);
}

}  // namespace
