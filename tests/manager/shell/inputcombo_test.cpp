#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include "manager/shell/inputcombo.h"
#include "support/dialog_driver.h"

namespace {

TEST(TInputCombo, InitCopiesCaptionPromptItemsAndText)
{
    QComboBox source;
    source.setEditable(true);
    source.addItems({"JEUX", "PAPETERIE"});
    source.setEditText("boissons");
    TInputCombo dialog(nullptr);
    EXPECT_EQ(dialog.Label1->text(), "Critère");
    dialog.Init("Familles d'articles", "Famille", &source);
    EXPECT_EQ(dialog.windowTitle(), "Familles d'articles");
    EXPECT_EQ(dialog.Label1->text(), "Famille");
    ASSERT_EQ(dialog.ComboBox1->count(), 2);
    EXPECT_EQ(dialog.ComboBox1->itemText(1), "PAPETERIE");
    EXPECT_EQ(dialog.ComboBox1->currentText(), "boissons");
}

TEST(TInputCombo, OkGivesTheTextInCapitals)
{
    struct Case {
        const char* typed;
        const char* result;
    };
    // Only a to z change case: accented letters stay as typed.
    const Case cases[] = {{"lyon", "LYON"}, {"élan vital", "éLAN VITAL"}, {"Saint-Étienne", "SAINT-ÉTIENNE"}, {"", ""}};
    for (const Case& c : cases) {
        QComboBox source;
        TInputCombo dialog(nullptr);
        dialog.Init("Systèmes d'exploitation", "Os", &source);
        Drive<TInputCombo>(dialog, [&](TInputCombo& d) {
            Type(d.ComboBox1->lineEdit(), c.typed);
            Close(d, CloseBy::Ok);
        });
        QString value = "before";
        dialog.Result(value);
        EXPECT_EQ(value, c.result) << c.typed;
    }
}

TEST(TInputCombo, ChoosingAnItemFromTheList)
{
    QComboBox source;
    source.addItems({"Linux", "Windows"});
    TInputCombo dialog(nullptr);
    dialog.Init("Systèmes d'exploitation", "Os", &source);
    Drive<TInputCombo>(dialog, [](TInputCombo& d) {
        d.ComboBox1->setCurrentIndex(1);
        Close(d, CloseBy::Ok);
    });
    QString value;
    dialog.Result(value);
    EXPECT_EQ(value, "WINDOWS");
}

TEST(TInputCombo, WithoutOkTheValueStays)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        QComboBox source;
        TInputCombo dialog(nullptr);
        dialog.Init("c", "p", &source);
        Drive<TInputCombo>(dialog, [&](TInputCombo& d) {
            Type(d.ComboBox1->lineEdit(), "lyon");
            Close(d, how);
        });
        QString value = "PARIS";
        dialog.Result(value);
        EXPECT_EQ(value, "PARIS") << CloseName(how);
    }
}

}  // namespace
