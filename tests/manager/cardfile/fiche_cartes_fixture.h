#pragma once
// A card-file window shown and active, with the clock at the suite's date; the blocks its
// tests put into the lists come from support/blocks.h.
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

class CardFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fiche = std::make_unique<TFiche>();
        fiche->resize(740, 455);
        fiche->show();
        QApplication::setActiveWindow(fiche.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(fiche.get()));
    }
    void TearDown() override
    {
        fiche.reset();
    }

    void Set(TFiche::Kind k, const QStringList& lines, int index = 0)
    {
        fiche->ListOf(k) = lines;
        (*fiche).*TFiche::KindOf(k).count = fiche->ListOf(k).StartLineCount();
        (*fiche).*TFiche::KindOf(k).index = index;
    }
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
