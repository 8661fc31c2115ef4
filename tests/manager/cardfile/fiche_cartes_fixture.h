#pragma once
// A card-file window shown and active, with the clock at the suite's date, and builders of
// the blocks the customer, machine and ticket cards write.
#include <gtest/gtest.h>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <memory>
#include "manager/cardfile/fiche.h"
#include "support/clock.h"
#include "support/dialog_driver.h"
#include "support/print.h"

namespace cards {

inline QString Tag(int n, int width, bool end = false)
{
    return (end ? QStringLiteral("</BLOC") : QStringLiteral("<BLOC")) +
           QString::number(n).rightJustified(width, QLatin1Char('0')) + QLatin1Char('>');
}

inline QStringList Block(int n, const QStringList& lines, int width = 4)
{
    return QStringList{Tag(n, width)} + lines + QStringList{Tag(n, width, true)};
}

inline QStringList Join(std::initializer_list<QStringList> parts)
{
    QStringList all;
    for (const QStringList& p : parts)
        all << p;
    return all;
}

const QString NoDate = QStringLiteral("  /  /    ");
const QString NoTime = QStringLiteral("  :  ");

// The 24 field lines of a customer: code and name given, the rest plain.
inline QStringList CustomerFields(const QString& code, const QString& name, const QString& login = {})
{
    return {code,  "N",    "N",    name,   "1 rue Haute", "", "69001", "LYON", "France", "0478000001", "", "",
            login, "pw",   "",     "",     "",            NoDate, NoTime, NoDate, NoDate, "", "", ""};
}

// The 18 field lines of a machine.
inline QStringList MachineFields(const QString& number, const QString& name)
{
    return {number, name, "PC", "40 Go", "512 Mo", "WinXP", "192.0.2.7", "N", "Y",
            "Y",    "N",  "N",  "Y",     "N",      "N",     "N",         "Y", "N"};
}

// The 16 field lines of a cash ticket with no time and no price (nothing for pricing to change).
inline QStringList TicketFields(const QString& number, const QString& customer = "10001",
                                const QString& name = "DUPONT")
{
    return {"NUMT" + number, customer, name, "10001", "POSTE1", NoDate, NoTime, NoDate, NoTime, "", "", "", "", "N",
            "N",             "N"};
}

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
