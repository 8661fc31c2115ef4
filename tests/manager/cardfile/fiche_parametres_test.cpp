// The card file's parameter dialogs as the main window's commands open them: the values reach
// the card file only as each dialog allows.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include "manager/cardfile/fiche.h"
#include "manager/shell/combo.h"
#include "manager/shell/dialogkit.h"
#include "manager/shell/mpage.h"
#include "manager/shell/paramf.h"
#include "manager/shell/societe.h"
#include "manager/shell/tarifs.h"
#include "support/card_fixture.h"
#include "support/dialog_driver.h"

namespace {

// ---- page setup --------------------------------------------------------------------------------

struct PageSetup {
    int paper, orientation, shift;
};

TEST(ParM, OkStoresThePageSetup)
{
    TFiche fiche;
    ScriptedDialogs responder;
    ExpectDialog<TMPage>(responder, [](TMPage& d) {
        EXPECT_FALSE(d.CheckBox1->isChecked());
        Tick(d.RadioButton2);
        Tick(d.RadioButton4);
        Tick(d.CheckBox1);
        Close(d, CloseBy::Ok);
    });
    fiche.ParM();
    EXPECT_EQ(fiche.TypePapier, 1);
    EXPECT_EQ(fiche.OrientationEnveloppe, 1);
    EXPECT_EQ(fiche.DecalageEnveloppe, 100);
}

TEST(ParM, TheGuideIsHandedInAsAShiftAboveZero)
{
    struct Case {
        int shift;
        bool shown;
        int after;  // once the dialog is answered OK untouched
    };
    const Case cases[] = {{0, false, 0}, {100, true, 100}, {37, true, 100}, {-5, false, 0}};
    for (const Case& c : cases) {
        TFiche fiche;
        fiche.DecalageEnveloppe = c.shift;
        ScriptedDialogs responder;
        ExpectDialog<TMPage>(responder, [&](TMPage& d) {
            EXPECT_EQ(d.CheckBox1->isChecked(), c.shown) << c.shift;
            Close(d, CloseBy::Ok);
        });
        fiche.ParM();
        EXPECT_EQ(fiche.DecalageEnveloppe, c.after) << c.shift;
    }
}

TEST(ParM, WithoutOkNothingChanges)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        TFiche fiche;
        fiche.TypePapier = 1;
        fiche.OrientationEnveloppe = 0;
        fiche.DecalageEnveloppe = 100;
        ScriptedDialogs responder;
        ExpectDialog<TMPage>(responder, [&](TMPage& d) {
            Tick(d.RadioButton1);
            Tick(d.RadioButton4);
            Tick(d.CheckBox1);
            Close(d, how);
        });
        fiche.ParM();
        EXPECT_EQ(fiche.TypePapier, 1) << CloseName(how);
        EXPECT_EQ(fiche.OrientationEnveloppe, 0) << CloseName(how);
        EXPECT_EQ(fiche.DecalageEnveloppe, 100) << CloseName(how);
    }
}

// A paper type the dialog does not offer (from an older settings file) is shown as the form's
// defaults; it is kept unless the operator confirms another.
TEST(ParM, APaperTypeTheDialogDoesNotOffer)
{
    for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel}) {
        TFiche fiche;
        fiche.TypePapier = 3;
        fiche.OrientationEnveloppe = 1;
        ScriptedDialogs responder;
        ExpectDialog<TMPage>(responder, [&](TMPage& d) {
            EXPECT_EQ(ItemIndex(d.RadioGroup1), 0);
            EXPECT_EQ(ItemIndex(d.RadioGroup2), 0);
            Close(d, how);
        });
        fiche.ParM();
        EXPECT_EQ(fiche.TypePapier, how == CloseBy::Ok ? 0 : 3) << CloseName(how);
        EXPECT_EQ(fiche.OrientationEnveloppe, how == CloseBy::Ok ? 0 : 1) << CloseName(how);
    }
}

// ---- company -------------------------------------------------------------------------------------

const QStringList Company = {"Cyber Étoile", "3 rue Haute", "Bât. B", "69001 LYON", "123", "FR12", "6202A", "ligne 8"};

void SetCompany(TFiche& fiche)
{
    for (int i = 0; i < 8; ++i)
        fiche.LignesSociete[i] = Company[i];
}

QStringList CompanyOf(const TFiche& fiche)
{
    return QStringList(fiche.LignesSociete, fiche.LignesSociete + 8);
}

TEST(Psoc, OkReplacesTheSevenLinesAndKeepsTheEighth)
{
    TFiche fiche;
    SetCompany(fiche);
    ScriptedDialogs responder;
    ExpectDialog<TSociete>(responder, [](TSociete& d) {
        EXPECT_EQ(d.Edit7->text(), "6202A");
        d.Edit1->setText("Le Cyber");
        d.Edit7->setText("");
        Close(d, CloseBy::Ok);
    });
    fiche.Psoc();
    QStringList expected = Company;
    expected[0] = "Le Cyber";
    expected[6] = "";
    EXPECT_EQ(CompanyOf(fiche), expected);
}

TEST(Psoc, TheLinesStayWhenTheFirstComesBackEmpty)
{
    struct Case {
        const char* name;
        CloseBy how;
        bool emptyName;
    };
    const Case cases[] = {
        {"Annuler", CloseBy::Cancel, false},
        {"Esc", CloseBy::Escape, false},
        {"title bar", CloseBy::TitleBar, false},
        {"OK on an empty company name", CloseBy::Ok, true},
    };
    for (const Case& c : cases) {
        TFiche fiche;
        SetCompany(fiche);
        ScriptedDialogs responder;
        ExpectDialog<TSociete>(responder, [&](TSociete& d) {
            d.Edit2->setText("changed");
            if (c.emptyName)
                d.Edit1->clear();
            Close(d, c.how);
        });
        fiche.Psoc();
        EXPECT_EQ(CompanyOf(fiche), Company) << c.name;
    }
}

// ---- tariffs -------------------------------------------------------------------------------------

void SetTariffs(TFiche& f)
{
    cards::SetTariffs(f, {.TarifQuartHeure = 1,
                          .TarifDemiHeure = 2,
                          .TarifTroisQuarts = 3,
                          .TarifHeure = 4,
                          .TarifQuartSup = 0.5,
                          .TarifHeureAbo = 3.5,
                          .HeuresAbonnement = 10});
}

TEST(Tarification, OkStoresTheFieldsLeftNonBlank)
{
    TFiche fiche;
    SetTariffs(fiche);
    ScriptedDialogs responder;
    ExpectDialog<TTarifs>(responder, [](TTarifs& d) {
        EXPECT_EQ(d.Edit4->text(), "4,00");
        EXPECT_EQ(d.Edit6->text(), "10");
        d.Edit1->setText("1,2");
        d.Edit4->clear();  // "1 heure" emptied keeps the hour price
        d.Edit6->setText("20");
        Close(d, CloseBy::Ok);
    });
    fiche.Tarification();
    EXPECT_DOUBLE_EQ(fiche.TarifQuartHeure, 1.2);
    EXPECT_DOUBLE_EQ(fiche.TarifDemiHeure, 2);
    EXPECT_DOUBLE_EQ(fiche.TarifHeure, 4);
    EXPECT_DOUBLE_EQ(fiche.TarifHeureAbo, 3.5);
    EXPECT_EQ(fiche.HeuresAbonnement, 20);
}

TEST(Tarification, NothingIsStoredWithoutOkOrWithARefusedField)
{
    for (bool refused : {false, true}) {
        TFiche fiche;
        SetTariffs(fiche);
        ScriptedDialogs responder;
        ExpectDialog<TTarifs>(responder, [&](TTarifs& d) {
            d.Edit1->setText("9");
            d.Edit6->setText(refused ? "0" : "30");
            if (refused)
                Close(d, CloseBy::Ok);  // refused: the message, and the dialog stays
            Close(d, CloseBy::Cancel);
        });
        if (refused)
            responder.message("Le nombre d'heures d'abonnement doit être compris entre 1 et 100");
        fiche.Tarification();
        EXPECT_DOUBLE_EQ(fiche.TarifQuartHeure, 1) << refused;
        EXPECT_EQ(fiche.HeuresAbonnement, 10) << refused;
    }
}

// The stamp grid takes its rows from the subscription hours when the card is read: the customer
// card is read again, and what was typed on it and not yet stored is kept.
TEST(Tarification, TheCustomerCardIsReadAgainKeepingWhatWasTyped)
{
    TFiche fiche;
    SetTariffs(fiche);
    fiche.ListeClients = QStringList{"<BLOC0000>", "10001", "N", "N", "DUPONT", "</BLOC0000>"};
    fiche.NbClients = 1;
    fiche.LitFiche();
    ASSERT_EQ(fiche.StringGrid6->RowCount(), 10);
    fiche.Edit2->setText("DURAND");
    ScriptedDialogs responder;
    ExpectDialog<TTarifs>(responder, [](TTarifs& d) {
        d.Edit6->setText("3");
        Close(d, CloseBy::Ok);
    });
    fiche.Tarification();
    EXPECT_EQ(fiche.StringGrid6->RowCount(), 3);
    EXPECT_EQ(fiche.Edit2->text(), "DURAND");
    EXPECT_EQ(fiche.ListeClients[4], "DURAND");
    EXPECT_FALSE(fiche.ModifClient);
}

// ---- invoice parameters -------------------------------------------------------------------------

TEST(ParF, OkStoresTheInvoiceParameters)
{
    TFiche fiche;
    fiche.TauxTVA1 = 5.5;
    fiche.TauxTVA2 = 19.6;
    fiche.Decimales = 2;
    fiche.ComboBox3->addItems({"Espèces", "Chèque", "CB", "Virement", "Avoir", "Bon", "Tickets resto"});
    ScriptedDialogs responder;
    ExpectDialog<TParamf>(responder, [](TParamf& d) {
        EXPECT_EQ(d.Edit2->text(), "19,60");
        d.Edit2->clear();
        Type(d.Edit2, "20.6");
        d.Edit3->setText("7");
        d.SpinEdit1->setValue(1);
        Tick(d.RadioButton2);
        d.Edit4->setText("Dollars");
        d.Edit6->clear();
        Close(d, CloseBy::Ok);
    });
    fiche.ParF();
    EXPECT_DOUBLE_EQ(fiche.TauxTVA1, 5.5);
    EXPECT_DOUBLE_EQ(fiche.TauxTVA2, 20.6);
    EXPECT_DOUBLE_EQ(fiche.TauxTVA3, 7);
    EXPECT_EQ(fiche.Decimales, 1);
    EXPECT_EQ(fiche.ModeDevise, 1);
    EXPECT_EQ(fiche.NomDevise, "Dollars");
    EXPECT_EQ(fiche.FormatMontant, "0.0");
    EXPECT_EQ(fiche.Label26->text(), "Dollars");
    EXPECT_EQ(fiche.Label27->text(), "");
    // "Chèque" was emptied; the modes beyond the five shown stay.
    EXPECT_EQ(Items(fiche.ComboBox3), QStringList({"Espèces", "CB", "Virement", "Avoir", "Bon", "Tickets resto"}));
}

TEST(ParF, WithoutOkNothingIsStored)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        TFiche fiche;
        fiche.TauxTVA1 = 5.5;
        fiche.Decimales = 2;
        fiche.ComboBox3->addItems({"CB"});
        ScriptedDialogs responder;
        ExpectDialog<TParamf>(responder, [&](TParamf& d) {
            d.Edit1->setText("8");
            d.Edit5->setText("Chèque");
            d.SpinEdit1->setValue(0);
            Tick(d.RadioButton2);
            d.Edit4->setText("Yen");
            Close(d, how);
        });
        fiche.ParF();
        EXPECT_DOUBLE_EQ(fiche.TauxTVA1, 5.5) << CloseName(how);
        EXPECT_EQ(fiche.Decimales, 2) << CloseName(how);
        EXPECT_EQ(fiche.ModeDevise, 0) << CloseName(how);
        EXPECT_EQ(fiche.NomDevise, "") << CloseName(how);
        EXPECT_EQ(Items(fiche.ComboBox3), QStringList({"CB"})) << CloseName(how);
    }
}

// The amount format and the currency captions follow the values held, whatever the outcome.
TEST(ParF, AmountFormatAndCaptionsFollowTheValuesHeld)
{
    struct Case {
        int decimals;
        int mode;
        const char* format;
        const char* label26;
        const char* label27;
    };
    const Case cases[] = {
        {0, 0, "#", "Euros", "Francs"},
        {1, 1, "0.0", "Livres", ""},
        {2, 0, "0.00", "Euros", "Francs"},
        // Neither a decimals count nor a mode the program does not know changes anything.
        {3, 0, "kept", "Euros", "Francs"},
        {2, 2, "0.00", "kept26", "kept27"},
    };
    for (const Case& c : cases) {
        for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel}) {
            TFiche fiche;
            fiche.Decimales = c.decimals;
            fiche.ModeDevise = c.mode;
            fiche.NomDevise = "Livres";
            fiche.FormatMontant = "kept";
            fiche.Label26->setText("kept26");
            fiche.Label27->setText("kept27");
            ScriptedDialogs responder;
            ExpectDialog<TParamf>(responder, [&](TParamf& d) {
                if (how == CloseBy::Ok && c.mode == 2)
                    Close(d, CloseBy::Cancel);  // a mode out of range cannot come back through OK
                else
                    Close(d, how);
            });
            fiche.ParF();
            EXPECT_EQ(fiche.FormatMontant, c.format) << c.decimals << "/" << c.mode << " " << CloseName(how);
            EXPECT_EQ(fiche.Label26->text(), c.label26) << c.decimals << "/" << c.mode << " " << CloseName(how);
            EXPECT_EQ(fiche.Label27->text(), c.label27) << c.decimals << "/" << c.mode << " " << CloseName(how);
        }
    }
}

// ---- article families and suppliers ------------------------------------------------------------

TEST(PickListEditors, EditTheirListAndKeepTheCardsText)
{
    struct Case {
        const char* name;
        void (TFiche::*open)();
        QComboBox* TFiche::*combo;
        const char* caption;
        const char* label;
    };
    const Case cases[] = {
        {"FamArt", &TFiche::FamArt, &TFiche::ComboBox9, "Les familles d'articles", "Famille"},
        {"Fournisseurs", &TFiche::Fournisseurs, &TFiche::ComboBox10, "Les fournisseurs", "Fournisseur"},
    };
    for (const Case& c : cases) {
        for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
            TFiche fiche;
            QComboBox* combo = fiche.*c.combo;
            combo->addItems({"A", "B"});
            combo->setEditText("ON THE CARD");
            ScriptedDialogs responder;
            ExpectDialog<TCombo>(responder, [&](TCombo& d) {
                EXPECT_EQ(d.windowTitle(), c.caption) << c.name;
                EXPECT_EQ(d.Label1->text(), c.label) << c.name;
                Type(d.Edit1, "C");
                QTest::keyClick(d.Edit1, Qt::Key_Return);
                if (how == CloseBy::Cancel)
                    d.Button1->click();  // "Fermer", its only button
                else
                    Close(d, how);
            });
            (fiche.*c.open)();
            EXPECT_EQ(Items(combo), QStringList({"A", "B", "C"})) << c.name << " " << CloseName(how);
            EXPECT_EQ(combo->currentText(), "ON THE CARD") << c.name;
        }
    }
}

// ---- after a restart ----------------------------------------------------------------------------

// The working folder of one test, left when the test ends.
class WorkingFolder {
public:
    WorkingFolder() : previous_(QDir::currentPath()) { EXPECT_TRUE(QDir::setCurrent(dir_.path())); }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// What the dialogs changed reaches the settings files when the main window closes (SauveIni,
// SauveSoc, SauveCombo) and comes back when the next run's card file is activated.
TEST(ParameterDialogs, ValuesComeBackAfterARestart)
{
    WorkingFolder folder;
    {
        TFiche fiche;
        fiche.LignesSociete[7] = "ligne 8";
        ScriptedDialogs responder;
        ExpectDialog<TSociete>(responder, [](TSociete& d) {
            d.Edit1->setText("Le Cyber");
            d.Edit6->setText("FR99");
            Close(d, CloseBy::Ok);
        });
        ExpectDialog<TMPage>(responder, [](TMPage& d) {
            Tick(d.RadioButton2);
            Tick(d.CheckBox1);
            Close(d, CloseBy::Ok);
        });
        ExpectDialog<TTarifs>(responder, [](TTarifs& d) {
            d.Edit2->setText("2,5");
            d.Edit6->setText("12");
            d.Edit7->setText("3,25");
            Close(d, CloseBy::Ok);
        });
        ExpectDialog<TParamf>(responder, [](TParamf& d) {
            d.Edit1->setText("5,5");
            d.Edit2->setText("19,6");
            d.SpinEdit1->setValue(1);
            d.Edit5->setText("Espèces");
            d.Edit6->setText("CB");
            Close(d, CloseBy::Ok);
        });
        ExpectDialog<TCombo>(responder, [](TCombo& d) {
            Type(d.Edit1, "Boissons");
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            d.Button1->click();
        });
        ExpectDialog<TCombo>(responder, [](TCombo& d) {
            Type(d.Edit1, "Métro");
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            d.Button1->click();
        });
        fiche.Psoc();
        fiche.ParM();
        fiche.Tarification();
        fiche.ParF();
        fiche.FamArt();
        fiche.Fournisseurs();

        fiche.SauveIni(QString());
        fiche.SauveSoc();
        fiche.SauveCombo();
    }

    TFiche next;
    next.ChargeSoc();
    next.ChargeIni();
    next.ChargeCombo();
    EXPECT_EQ(next.LignesSociete[0], "Le Cyber");
    EXPECT_EQ(next.LignesSociete[5], "FR99");
    EXPECT_EQ(next.LignesSociete[7], "ligne 8");
    EXPECT_EQ(next.TypePapier, 1);
    EXPECT_EQ(next.OrientationEnveloppe, 0);
    EXPECT_EQ(next.DecalageEnveloppe, 100);
    EXPECT_DOUBLE_EQ(next.TarifDemiHeure, 2.5);
    EXPECT_DOUBLE_EQ(next.TarifHeureAbo, 3.25);
    EXPECT_EQ(next.HeuresAbonnement, 12);
    EXPECT_DOUBLE_EQ(next.TauxTVA1, 5.5);
    EXPECT_DOUBLE_EQ(next.TauxTVA2, 19.6);
    EXPECT_EQ(next.Decimales, 1);
    EXPECT_EQ(Items(next.ComboBox3), QStringList({"Espèces", "CB"}));
    EXPECT_EQ(Items(next.ComboBox9), QStringList({"Boissons"}));
    EXPECT_EQ(Items(next.ComboBox10), QStringList({"Métro"}));
}

}  // namespace
