#include <gtest/gtest.h>
#include <QComboBox>
#include "manager/shell/combo.h"
#include "support/dialog_driver.h"

namespace {

struct Step {
    enum What { Click, Type, Enter, Valider, Delete } what;
    int row = -1;
    QString text = {};
};

Step ClickOn(int row)
{
    return {Step::Click, row, {}};
}
Step Typing(const QString& text)
{
    return {Step::Type, -1, text};
}
Step Press(Step::What what)
{
    return {what, -1, {}};
}

struct Case {
    const char* name;
    QList<Step> steps;
    QStringList after;
};

TEST(TCombo, EditingTheList)
{
    const QStringList start = {"Jeux", "Papeterie", "Boissons"};
    const Case cases[] = {
        {"a click copies the item into the edit, Enter replaces it",
         {ClickOn(1), Typing("x"), Press(Step::Enter)},
         {"Jeux", "Papeteriex", "Boissons"}},
        {"with nothing selected Enter appends",
         {Typing("Snacks"), Press(Step::Enter)},
         {"Jeux", "Papeterie", "Boissons", "Snacks"}},
        {"with nothing selected Enter on an empty edit appends an empty item",
         {Press(Step::Enter)},
         {"Jeux", "Papeterie", "Boissons", ""}},
        {"the speed button does what Enter does",
         {ClickOn(0), Typing("!"), Press(Step::Valider), Typing("Café"), Press(Step::Valider)},
         {"Jeux!", "Papeterie", "Boissons", "Café"}},
        {"after a replacement the selection is gone, so the next Enter appends",
         {ClickOn(2), Typing("!"), Press(Step::Enter), Typing("Café"), Press(Step::Enter)},
         {"Jeux", "Papeterie", "Boissons!", "Café"}},
        {"Delete removes the selected item", {ClickOn(0), Press(Step::Delete)}, {"Papeterie", "Boissons"}},
        {"Delete with nothing selected removes nothing, and the next Enter appends",
         {Press(Step::Delete), Typing("Z"), Press(Step::Enter)},
         {"Jeux", "Papeterie", "Boissons", "Z"}},
        {"Delete clears the choice: the next Enter appends rather than replaces",
         {ClickOn(1), Press(Step::Delete), Typing("Y"), Press(Step::Enter)},
         {"Jeux", "Boissons", "Y"}},
    };

    for (const Case& c : cases) {
        QComboBox source;
        source.addItems(start);
        TCombo dialog(nullptr);
        dialog.setWindowTitle("Les familles d'articles");
        dialog.Label1->setText("Famille");
        dialog.Init(&source);
        Drive<TCombo>(dialog, [&](TCombo& d) {
            for (const Step& s : c.steps) {
                switch (s.what) {
                case Step::Click:
                    ClickItem(d.ListBox1, s.row);
                    EXPECT_EQ(d.Edit1->text(), d.ListBox1->item(s.row)->text()) << c.name;
                    break;
                case Step::Type:
                    Type(d.Edit1, s.text);
                    break;
                case Step::Enter:
                    QTest::keyClick(d.Edit1, Qt::Key_Return);
                    EXPECT_EQ(d.Edit1->text(), "") << c.name;
                    EXPECT_TRUE(d.ListBox1->selectedItems().isEmpty()) << c.name;
                    EXPECT_TRUE(d.isVisible()) << c.name << ": Enter must not close the editor";
                    break;
                case Step::Valider:
                    d.SpeedButton1->click();
                    break;
                case Step::Delete:
                    QTest::keyClick(d.ListBox1, Qt::Key_Delete);
                    EXPECT_EQ(d.Edit1->text(), "") << c.name;
                    break;
                }
            }
            d.Button1->click();
        });
        EXPECT_EQ(Items(dialog.ListBox1), c.after) << c.name;
        dialog.Result(&source);
        EXPECT_EQ(Items(&source), c.after) << c.name;
    }
}

TEST(TCombo, WhatIsEditedAppliesHoweverTheEditorCloses)
{
    for (CloseBy how : {CloseBy::Escape, CloseBy::TitleBar}) {
        QComboBox source;
        source.addItems({"A", "B"});
        TCombo dialog(nullptr);
        dialog.Init(&source);
        Drive<TCombo>(dialog, [&](TCombo& d) {
            Type(d.Edit1, "C");
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            Close(d, how);
        });
        dialog.Result(&source);
        EXPECT_EQ(Items(&source), QStringList({"A", "B", "C"})) << CloseName(how);
    }
}

TEST(TCombo, ResultReplacesTheTargetsItems)
{
    QComboBox source;
    source.addItems({"A", "B"});
    TCombo dialog(nullptr);
    dialog.Init(&source);
    QComboBox target;
    target.addItems({"old1", "old2", "old3"});
    dialog.Result(&target);
    EXPECT_EQ(Items(&target), QStringList({"A", "B"}));
    EXPECT_EQ(dialog.Button1->text(), "Fermer");
    EXPECT_EQ(dialog.SpeedButton1->toolTip(), "Valider");
}

// The card's family combo shows the family of the article on the card: editing the list of
// families must neither blank it nor look like an edit of the card.
TEST(TCombo, TheCardsComboKeepsItsTextAndStaysQuiet)
{
    for (bool editable : {true, false}) {
        QComboBox card;
        card.setEditable(editable);
        card.addItems({"JEUX", "BOISSONS"});
        card.setCurrentIndex(1);
        int changes = 0;
        QObject::connect(&card, &QComboBox::currentTextChanged, [&] { ++changes; });
        TCombo dialog(nullptr);
        dialog.Init(&card);
        Drive<TCombo>(dialog, [](TCombo& d) {
            QTest::keyClicks(d.Edit1, "PAPETERIE");
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            d.Button1->click();
        });
        dialog.Result(&card);
        EXPECT_EQ(card.currentText(), "BOISSONS") << editable;
        EXPECT_EQ(card.count(), 3) << editable;
        EXPECT_EQ(changes, 0) << editable;
    }
}

}  // namespace
