#include <gtest/gtest.h>
#include <QComboBox>
#include "dialog_driver.h"
#include "manager/shell/combo.h"

namespace {

QStringList Items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList Items(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

void ClickItem(TCombo& d, int row)
{
    QListWidget* list = d.ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

struct Step {
    enum { Click, Type, Enter, Valider, Delete } what;
    int row = -1;
    QString text;
};

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
         {{Step::Click, 1}, {Step::Type, -1, "x"}, {Step::Enter}},
         {"Jeux", "Papeteriex", "Boissons"}},
        {"with nothing selected Enter appends",
         {{Step::Type, -1, "Snacks"}, {Step::Enter}},
         {"Jeux", "Papeterie", "Boissons", "Snacks"}},
        {"with nothing selected Enter on an empty edit appends an empty item",
         {{Step::Enter}},
         {"Jeux", "Papeterie", "Boissons", ""}},
        {"the speed button does what Enter does",
         {{Step::Click, 0}, {Step::Valider}},
         {"Jeux", "Papeterie", "Boissons"}},
        {"after a replacement the selection is gone, so the next Enter appends",
         {{Step::Click, 2}, {Step::Type, -1, "!"}, {Step::Enter}, {Step::Type, -1, "Café"}, {Step::Enter}},
         {"Jeux", "Papeterie", "Boissons!", "Café"}},
        {"Delete removes the selected item",
         {{Step::Click, 0}, {Step::Delete}},
         {"Papeterie", "Boissons"}},
        {"Delete with nothing selected removes nothing, and the next Enter appends",
         {{Step::Delete}, {Step::Type, -1, "Z"}, {Step::Enter}},
         {"Jeux", "Papeterie", "Boissons", "Z"}},
        {"Delete clears the choice: the next Enter appends rather than replaces",
         {{Step::Click, 1}, {Step::Delete}, {Step::Type, -1, "Y"}, {Step::Enter}},
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
                    ClickItem(d, s.row);
                    EXPECT_EQ(d.Edit1->text(), d.ListBox1->item(s.row)->text()) << c.name;
                    break;
                case Step::Type: Type(d.Edit1, s.text); break;
                case Step::Enter:
                    QTest::keyClick(d.Edit1, Qt::Key_Return);
                    EXPECT_EQ(d.Edit1->text(), "") << c.name;
                    EXPECT_TRUE(d.ListBox1->selectedItems().isEmpty()) << c.name;
                    EXPECT_TRUE(d.isVisible()) << c.name << ": Enter must not close the editor";
                    break;
                case Step::Valider: d.SpeedButton1->click(); break;
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
        EXPECT_EQ(Items(source), c.after) << c.name;
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
        EXPECT_EQ(Items(source), QStringList({"A", "B", "C"})) << CloseName(how);
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
    EXPECT_EQ(Items(target), QStringList({"A", "B"}));
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
