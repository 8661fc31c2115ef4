#include <gtest/gtest.h>
#include "manager/shell/tarifs.h"
#include "platform/exception.h"
#include "support/dialog_driver.h"

namespace {

// The tariffs as the card file holds them; Result writes into the same fields.
struct Tariffs {
    double quarter = 1.5, half = 2.5, threeQuarters = 3.5, hour = 4, extra = 0.75, aboHour = 3.2;
    int hours = 5;
};

struct Fixture {
    Fixture() { dialog.Init(Held()); }
    void result()
    {
        settings::Tariffs held = Held();
        dialog.Result(held);
        t = {held.TarifQuartHeure, held.TarifDemiHeure, held.TarifTroisQuarts, held.TarifHeure,
             held.TarifQuartSup,   held.TarifHeureAbo,  held.HeuresAbonnement};
    }
    // The same values as the card file holds them.
    settings::Tariffs Held() const { return {t.quarter, t.half, t.threeQuarters, t.hour, t.extra, t.aboHour, t.hours}; }
    Tariffs t;
    TTarifs dialog{nullptr};
};

QList<QLineEdit*> OnScreen(TTarifs& d)
{
    return {d.Edit1, d.Edit2, d.Edit3, d.Edit4, d.Edit5, d.Edit6, d.Edit7};
}

TEST(TTarifs, InitShowsEachValueBesideItsLabel)
{
    Fixture f;
    TTarifs& d = f.dialog;
    EXPECT_EQ(d.windowTitle(), "Tarifs");
    const QStringList labels = {"1/4 heure", "1/2 heure",  "3/4 heure", "1 heure",
                                "1/4 h sup", "Abonnement", "Heure abo."};
    const QStringList shown = {"1,50", "2,50", "3,50", "4,00", "0,75", "5", "3,20"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(LabelOf(OnScreen(d)[i]), labels[i]) << i;
        EXPECT_EQ(OnScreen(d)[i]->text(), shown[i]) << i;
    }
    EXPECT_EQ(d.Label7->text(), "Heures");
}

TEST(TTarifs, OkStoresEveryField)
{
    Fixture f;
    Drive<TTarifs>(f.dialog, [](TTarifs& d) {
        const QStringList typed = {"1.1", "2,2", "3", "4,4", "0,5", "10", "2,75"};
        for (int i = 0; i < 7; ++i) {
            OnScreen(d)[i]->clear();
            Type(OnScreen(d)[i], typed[i]);
        }
        Close(d, CloseBy::Ok);
    });
    f.result();
    EXPECT_DOUBLE_EQ(f.t.quarter, 1.1);
    EXPECT_DOUBLE_EQ(f.t.half, 2.2);
    EXPECT_DOUBLE_EQ(f.t.threeQuarters, 3);
    EXPECT_DOUBLE_EQ(f.t.hour, 4.4);
    EXPECT_DOUBLE_EQ(f.t.extra, 0.5);
    EXPECT_EQ(f.t.hours, 10);
    EXPECT_DOUBLE_EQ(f.t.aboHour, 2.75);
}

TEST(TTarifs, ABlankFieldKeepsItsValue)
{
    for (int blank = 0; blank < 7; ++blank) {
        Fixture f;
        Drive<TTarifs>(f.dialog, [&](TTarifs& d) {
            for (QLineEdit* field : OnScreen(d))
                field->setText("9");
            OnScreen(d)[blank]->setText("   ");
            Close(d, CloseBy::Ok);
        });
        f.result();
        const Tariffs old;
        const double prices[] = {f.t.quarter, f.t.half, f.t.threeQuarters, f.t.hour, f.t.extra, -1, f.t.aboHour};
        const double oldPrices[] = {old.quarter, old.half, old.threeQuarters, old.hour, old.extra, -1, old.aboHour};
        for (int i = 0; i < 7; ++i) {
            if (i == 5)
                EXPECT_EQ(f.t.hours, blank == 5 ? old.hours : 9) << "blank field " << blank;
            else
                EXPECT_DOUBLE_EQ(prices[i], i == blank ? oldPrices[i] : 9) << "blank " << blank << " field " << i;
        }
    }
}

TEST(TTarifs, NothingComesBackWithoutOk)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        Fixture f;
        Drive<TTarifs>(f.dialog, [&](TTarifs& d) {
            for (QLineEdit* field : OnScreen(d))
                field->setText("9");
            Close(d, how);
        });
        f.result();
        const Tariffs old;
        EXPECT_DOUBLE_EQ(f.t.quarter, old.quarter) << CloseName(how);
        EXPECT_DOUBLE_EQ(f.t.aboHour, old.aboHour) << CloseName(how);
        EXPECT_EQ(f.t.hours, old.hours) << CloseName(how);
    }
}

TEST(TTarifs, Keys)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"2.5", "2,5"}, {"a1b2 3-", "123"}, {"1e3", "13"}, {"0,,5", "0,,5"}};
    for (const Case& c : cases) {
        for (int field = 0; field < 7; ++field) {
            Fixture f;
            Drive<TTarifs>(f.dialog, [&](TTarifs& d) {
                OnScreen(d)[field]->clear();
                Type(OnScreen(d)[field], c.typed);
                EXPECT_EQ(OnScreen(d)[field]->text(), c.shown) << c.typed << " in field " << field;
                QTest::keyClick(OnScreen(d)[field], Qt::Key_Backspace);
                EXPECT_EQ(OnScreen(d)[field]->text(), QString(c.shown).chopped(1)) << "Backspace in field " << field;
                Close(d, CloseBy::Cancel);
            });
        }
    }
}

// Every field is checked before any value is stored: a field that does not convert (or hours
// outside 1 to 100, which size the customer's stamp grid) is refused at OK with its error, the
// dialog stays open, and nothing at all is stored.
TEST(TTarifs, ARefusedFieldStoresNothing)
{
    struct Case {
        int field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {3, "4,,4", "'4,,4' is not a valid floating point value"},
        {6, ",", "',' is not a valid floating point value"},
        {5, "1,5", "'1,5' is not a valid integer value"},
        {5, "0", "Le nombre d'heures d'abonnement doit être compris entre 1 et 100"},
        {5, "101", "Le nombre d'heures d'abonnement doit être compris entre 1 et 100"},
    };
    for (const Case& c : cases) {
        Fixture f;
        Drive<TTarifs>(
            f.dialog,
            [&](TTarifs& d) {
                for (QLineEdit* field : OnScreen(d))
                    field->setText("9");
                OnScreen(d)[c.field]->setText(c.text);
                Close(d, CloseBy::Ok);
                EXPECT_TRUE(d.isVisible()) << c.text;
                EXPECT_EQ(d.focusWidget(), OnScreen(d)[c.field]) << c.text;
                Close(d, CloseBy::Cancel);
            },
            [&](ScriptedDialogs& s) { s.message(c.message); });
        f.result();
        const Tariffs old;
        EXPECT_DOUBLE_EQ(f.t.quarter, old.quarter) << c.text;
        EXPECT_DOUBLE_EQ(f.t.hour, old.hour) << c.text;
        EXPECT_EQ(f.t.hours, old.hours) << c.text;
    }
}

TEST(TTarifs, SubscriptionHoursAtTheLimitsAreAccepted)
{
    for (int hours : {TTarifs::MinHours, TTarifs::MaxHours}) {
        Fixture f;
        Drive<TTarifs>(f.dialog, [&](TTarifs& d) {
            d.Edit6->setText(QString::number(hours));
            Close(d, CloseBy::Ok);
        });
        f.result();
        EXPECT_EQ(f.t.hours, hours);
    }
}

TEST(TTarifs, ResultConvertsEveryFieldBeforeStoringAny)
{
    Fixture f;
    f.dialog.Edit1->setText("8");
    f.dialog.Edit7->setText("x");
    f.dialog.accept();
    EXPECT_THROW(f.result(), EConvertError);
    EXPECT_DOUBLE_EQ(f.t.quarter, Tariffs().quarter);
}

}  // namespace
