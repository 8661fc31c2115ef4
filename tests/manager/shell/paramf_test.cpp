#include <gtest/gtest.h>
#include <QComboBox>
#include "manager/shell/dialogkit.h"
#include "manager/shell/paramf.h"
#include "platform/exception.h"
#include "support/dialog_driver.h"

namespace {

// What the card file holds and hands in; Result writes into the same fields.
struct Values {
    double rate1 = 5.5, rate2 = 19.6, rate3 = 2.1;
    int mode = 0;
    int decimals = 2;
    QString name = "";
};

struct Fixture {
    explicit Fixture(const QStringList& modes, Values v = {}) : values(v)
    {
        paymentModes.addItems(modes);
        dialog.Init(Held(), &paymentModes);
    }
    void result()
    {
        settings::InvoiceSettings held = Held();
        dialog.Result(held, &paymentModes);
        values = {held.TauxTVA1, held.TauxTVA2, held.TauxTVA3, held.ModeDevise, held.Decimales, held.NomDevise};
    }
    settings::InvoiceSettings Held() const
    {
        settings::InvoiceSettings held;
        held.TauxTVA1 = values.rate1;
        held.TauxTVA2 = values.rate2;
        held.TauxTVA3 = values.rate3;
        held.Decimales = values.decimals;
        held.ModeDevise = values.mode;
        held.NomDevise = values.name;
        return held;
    }
    QComboBox paymentModes;
    Values values;
    TParamf dialog{nullptr};
};

const QStringList SevenModes = {"Espèces", "Chèque", "CB", "Virement", "Avoir", "Bon cadeau", "Ticket resto"};

TEST(TParamf, InitShowsTheValues)
{
    Fixture f({"Espèces", "Chèque"}, {5.5, 19.6, 0, 1, 2, "Dollars"});
    TParamf& d = f.dialog;
    EXPECT_EQ(d.windowTitle(), "Paramètres de la facture");
    EXPECT_EQ(d.GroupBox1->title(), "Taux de TVA");
    EXPECT_EQ(LabelOf(d.Edit1), "Taux 1");
    EXPECT_EQ(LabelOf(d.Edit2), "Taux 2");
    EXPECT_EQ(LabelOf(d.Edit3), "Taux 3");
    EXPECT_EQ(d.GroupBox4->title(), "Mode de paiement");
    EXPECT_EQ(d.Edit1->text(), "5,50");
    EXPECT_EQ(d.Edit2->text(), "19,60");
    EXPECT_EQ(d.Edit3->text(), "0,00");
    EXPECT_EQ(d.SpinEdit1->value(), 2);
    EXPECT_EQ(ItemIndex(d.RadioGroup1), 1);
    EXPECT_EQ(d.Edit4->text(), "Dollars");
    EXPECT_TRUE(d.Edit4->isEnabled());
    const QStringList shown = {d.Edit5->text(), d.Edit6->text(), d.Edit7->text(), d.Edit8->text(), d.Edit9->text()};
    EXPECT_EQ(shown, QStringList({"Espèces", "Chèque", "", "", ""}));
}

TEST(TParamf, SevenModesShowTheFirstFive)
{
    Fixture f(SevenModes);
    const QStringList shown = {f.dialog.Edit5->text(), f.dialog.Edit6->text(), f.dialog.Edit7->text(),
                               f.dialog.Edit8->text(), f.dialog.Edit9->text()};
    EXPECT_EQ(shown, SevenModes.mid(0, 5));
}

TEST(TParamf, TheCurrencyNameIsEditableOnlyForAnotherCurrency)
{
    Fixture f({});
    Drive<TParamf>(f.dialog, [](TParamf& d) {
        EXPECT_FALSE(d.Edit4->isEnabled());
        Tick(d.RadioButton2);
        EXPECT_TRUE(d.Edit4->isEnabled());
        Tick(d.RadioButton1);
        EXPECT_FALSE(d.Edit4->isEnabled());
        Close(d, CloseBy::Cancel);
    });
}

TEST(TParamf, RateKeys)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"19.6", "19,6"}, {"19,6", "19,6"}, {"abc7 %-8", "78"}, {"1e5", "15"}, {"0,5.", "0,5,"},
    };
    for (const Case& c : cases) {
        Fixture f({});
        Drive<TParamf>(f.dialog, [&](TParamf& d) {
            d.Edit2->clear();
            Type(d.Edit2, c.typed);
            EXPECT_EQ(d.Edit2->text(), c.shown) << c.typed;
            Close(d, CloseBy::Cancel);
        });
    }
}

TEST(TParamf, BackspaceWorksInARateField)
{
    Fixture f({});
    Drive<TParamf>(f.dialog, [](TParamf& d) {
        d.Edit1->setText("12");
        d.Edit1->end(false);
        QTest::keyClick(d.Edit1, Qt::Key_Backspace);
        EXPECT_EQ(d.Edit1->text(), "1");
        Close(d, CloseBy::Cancel);
    });
}

// The rate fields' filter leaves the dialog's own keys alone.
TEST(TParamf, TabAndEscStillWorkInARateField)
{
    Fixture f({});
    Drive<TParamf>(f.dialog, [](TParamf& d) {
        d.Edit1->setFocus();
        QTest::keyClick(d.Edit1, Qt::Key_Tab);
        EXPECT_EQ(d.focusWidget(), d.Edit2);
        QTest::keyClick(d.Edit2, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
}

TEST(TParamf, OkStoresEverything)
{
    Fixture f(SevenModes, {5.5, 19.6, 2.1, 0, 2, ""});
    Drive<TParamf>(f.dialog, [](TParamf& d) {
        d.Edit1->clear();
        Type(d.Edit1, "7.25");
        d.SpinEdit1->setValue(1);
        Tick(d.RadioButton2);
        Type(d.Edit4, "Francs CFA");
        d.Edit6->clear();  // a payment mode emptied is dropped
        Close(d, CloseBy::Ok);
    });
    f.result();
    EXPECT_DOUBLE_EQ(f.values.rate1, 7.25);
    EXPECT_DOUBLE_EQ(f.values.rate2, 19.6);
    EXPECT_DOUBLE_EQ(f.values.rate3, 2.1);
    EXPECT_EQ(f.values.decimals, 1);
    EXPECT_EQ(f.values.mode, 1);
    EXPECT_EQ(f.values.name, "Francs CFA");
    // The modes beyond the five shown are kept after them, never dropped.
    EXPECT_EQ(Items(&f.paymentModes),
              QStringList({"Espèces", "CB", "Virement", "Avoir", "Bon cadeau", "Ticket resto"}));
}

TEST(TParamf, OkWithEurosEmptiesTheCurrencyName)
{
    Fixture f({}, {1, 2, 3, 1, 2, "Dollars"});
    Drive<TParamf>(f.dialog, [](TParamf& d) {
        Tick(d.RadioButton1);
        Close(d, CloseBy::Ok);
    });
    f.result();
    EXPECT_EQ(f.values.mode, 0);
    EXPECT_EQ(f.values.name, "");
}

TEST(TParamf, EnterInARateFieldChoosesOk)
{
    Fixture f({"CB"});
    Drive<TParamf>(f.dialog, [](TParamf& d) {
        d.Edit3->clear();
        Type(d.Edit3, "10");
        QTest::keyClick(d.Edit3, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    f.result();
    EXPECT_DOUBLE_EQ(f.values.rate3, 10);
}

TEST(TParamf, NothingComesBackWithoutOk)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        Fixture f(SevenModes, {5.5, 19.6, 2.1, 1, 2, "Dollars"});
        Drive<TParamf>(f.dialog, [&](TParamf& d) {
            d.Edit1->setText("33");
            d.SpinEdit1->setValue(0);
            Tick(d.RadioButton1);
            d.Edit5->clear();
            Close(d, how);
        });
        f.result();
        EXPECT_DOUBLE_EQ(f.values.rate1, 5.5) << CloseName(how);
        EXPECT_EQ(f.values.decimals, 2) << CloseName(how);
        EXPECT_EQ(f.values.mode, 1) << CloseName(how);
        EXPECT_EQ(f.values.name, "Dollars") << CloseName(how);
        EXPECT_EQ(Items(&f.paymentModes), SevenModes) << CloseName(how);
    }
}

// A rate that does not convert used to be dropped in silence after OK; OK now refuses it with
// the conversion error and the dialog stays open.
TEST(TParamf, ARateThatDoesNotConvertIsRefusedAtOk)
{
    for (const char* bad : {"1,2,3", ",", ""}) {
        Fixture f({"CB"}, {5.5, 19.6, 2.1, 0, 2, ""});
        const QString message = QString("'%1' is not a valid floating point value").arg(bad);
        Drive<TParamf>(
            f.dialog,
            [&](TParamf& d) {
                d.Edit1->setText("8");
                d.Edit2->setText(bad);
                Close(d, CloseBy::Ok);
                EXPECT_TRUE(d.isVisible()) << bad;
                EXPECT_EQ(d.focusWidget(), d.Edit2) << bad;
                Close(d, CloseBy::Cancel);
            },
            [&](ScriptedDialogs& s) { s.message(message); });
        f.result();
        EXPECT_DOUBLE_EQ(f.values.rate1, 5.5) << bad;
        EXPECT_DOUBLE_EQ(f.values.rate2, 19.6) << bad;
    }
}

TEST(TParamf, ResultStoresNoRateWhenOneDoesNotConvert)
{
    Fixture f({"CB"}, {5.5, 19.6, 2.1, 0, 2, ""});
    f.dialog.Edit1->setText("8");
    f.dialog.Edit3->setText("x");
    f.dialog.accept();
    EXPECT_THROW(f.result(), EConvertError);
    EXPECT_DOUBLE_EQ(f.values.rate1, 5.5);
    EXPECT_DOUBLE_EQ(f.values.rate2, 19.6);
    EXPECT_DOUBLE_EQ(f.values.rate3, 2.1);
}

}  // namespace
