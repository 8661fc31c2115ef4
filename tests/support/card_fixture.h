#pragma once
// The card-file window as its tests set it up: a window shown and active, lists filled the way
// a load fills them, the tariffs, and CardFixture, which does all of it on the suite's date.
// The blocks put into the lists come from support/blocks.h.
#include <gtest/gtest.h>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <memory>
#include "manager/cardfile/fiche.h"
#include "support/blocks.h"
#include "support/clock.h"
#include "support/dialog_driver.h"
#include "support/print.h"

namespace cards {

// Shows a window and makes it the active one, where keys go; false when it did not become so.
inline bool ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Puts `lines` into the kind's list with the count a load gives it, and makes block `index` the
// current one.
inline void SetRecords(TFiche& fiche, TFiche::Kind k, const QStringList& lines, int index = 0)
{
    fiche.ListOf(k) = lines;
    fiche.*TFiche::KindOf(k).count = fiche.ListOf(k).StartLineCount();
    fiche.*TFiche::KindOf(k).index = index;
}

// The whole tariff table at once, as the tariffs dialog hands it back; what a test leaves out
// is what a fresh card file holds (no subscription price, five hours a subscription).
inline void SetTariffs(TFiche& fiche, const settings::Tariffs& tariffs)
{
    static_cast<settings::Tariffs&>(fiche) = tariffs;
}

class CardFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fiche = std::make_unique<TFiche>();
        fiche->resize(740, 455);
        ASSERT_TRUE(ShowActive(*fiche));
    }
    void TearDown() override { fiche.reset(); }

    void Set(TFiche::Kind k, const QStringList& lines, int index = 0) { SetRecords(*fiche, k, lines, index); }
    QStringList Lines(TFiche::Kind k) const { return fiche->ListOf(k).ToStringList(); }
    void ShowPage(TFiche::Kind k) { fiche->PageControl1->setCurrentWidget(fiche.get()->*TFiche::KindOf(k).page); }
    // Types into a control that has the focus first, as the operator does.
    static void Type(QWidget* w, const QString& text)
    {
        w->setFocus();
        ::Type(w, text);
    }

    ScopedClock clock;
    std::unique_ptr<TFiche> fiche;
};

}  // namespace cards
