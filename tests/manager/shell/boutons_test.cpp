#include <gtest/gtest.h>
#include <QListWidget>
#include "manager/shell/boutons.h"
#include "manager/shell/listeart1.h"
#include "record_blocks.h"
#include "support/dialog_driver.h"

namespace {

const QStringList Articles =
    Article(0, "10001", "Impression A4") + Article(1, "10002", "Gravure CD") + Article(2, "10003", "Scan");

struct Fixture {
    Fixture() { dialog.Init(List(Articles), captions, codes); }
    void result() { dialog.Result(captions, codes); }
    TBoutons::Texts captions = {"Impr.", "Disk", "Scan"};
    TBoutons::Texts codes = {"10001", "10002", ""};
    TBoutons dialog{nullptr};
};

void PickInList(ScriptedDialogs& s, int row)
{
    s.dialog("TListeArt1", [row](QDialog* d) { DoubleClickItem(d->findChild<QListWidget*>("ListBox1"), row); });
}

TEST(TBoutons, FormAndInit)
{
    Fixture f;
    TBoutons& d = f.dialog;
    EXPECT_EQ(d.windowTitle(), "Paramétrer les boutons");
    const QList<QLineEdit*> captions = {d.Edit1, d.Edit2, d.Edit3};
    const QList<QLineEdit*> codes = {d.Edit4, d.Edit5, d.Edit6};
    const QList<QPushButton*> picks = {d.Button1, d.Button2, d.Button3};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(LabelOf(captions[row]), QString("Bouton%1").arg(row + 1));
        EXPECT_EQ(LabelOf(codes[row]), "Article");
        EXPECT_EQ(picks[row]->text(), "...");
        EXPECT_EQ(captions[row]->text(), f.captions[row]);
        EXPECT_EQ(codes[row]->text(), f.codes[row]);
    }
}

TEST(TBoutons, OkHandsTheSixFieldsBack)
{
    Fixture f;
    Drive<TBoutons>(f.dialog, [](TBoutons& d) {
        d.Edit2->clear();
        Type(d.Edit2, "Gravure");
        Type(d.Edit6, "10003");
        Close(d, CloseBy::Ok);
    });
    f.result();
    EXPECT_EQ(f.captions, (TBoutons::Texts{"Impr.", "Gravure", "Scan"}));
    EXPECT_EQ(f.codes, (TBoutons::Texts{"10001", "10002", "10003"}));
}

TEST(TBoutons, WithoutOkTheFirstCaptionComesBackEmpty)
{
    for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        Fixture f;
        Drive<TBoutons>(f.dialog, [&](TBoutons& d) {
            d.Edit4->setText("99999");
            Close(d, how);
        });
        f.result();
        EXPECT_EQ(f.captions[0], "") << CloseName(how);
        EXPECT_EQ(f.codes[0], "10001") << CloseName(how);
    }
}

TEST(TBoutons, PickingAnArticleFillsItsRow)
{
    Fixture f;
    Drive<TBoutons>(
        f.dialog,
        [](TBoutons& d) {
            d.Button3->click();
            EXPECT_EQ(d.Edit6->text(), "10002");
            EXPECT_EQ(d.Edit4->text(), "10001");
            Close(d, CloseBy::Ok);
        },
        [](ScriptedDialogs& s) { PickInList(s, 1); });
    f.result();
    EXPECT_EQ(f.codes[2], "10002");
}

TEST(TBoutons, ACancelledPickLeavesTheRow)
{
    Fixture f;
    Drive<TBoutons>(
        f.dialog,
        [](TBoutons& d) {
            d.Button1->click();
            EXPECT_EQ(d.Edit4->text(), "10001");
            Close(d, CloseBy::Cancel);
        },
        [](ScriptedDialogs& s) {
            s.dialog("TListeArt1", [](QDialog* d) {
                d->findChild<QListWidget*>("ListBox1")->setCurrentRow(2);
                Close(*d, CloseBy::Cancel);
            });
        });
}

TEST(TBoutons, ThePickListReadsTheDialogsOwnCopyOfTheArticles)
{
    RecordList articles = List(Articles);
    TBoutons::Texts captions = {"a", "b", "c"}, codes;
    TBoutons dialog(nullptr);
    dialog.Init(articles, captions, codes);
    articles.Clear();
    QStringList shown;
    Drive<TBoutons>(
        dialog,
        [](TBoutons& d) {
            d.Button2->click();
            Close(d, CloseBy::Cancel);
        },
        [&](ScriptedDialogs& s) {
            s.dialog("TListeArt1", [&](QDialog* d) {
                shown = Items(d->findChild<QListWidget*>("ListBox1"));
                Close(*d, CloseBy::Cancel);
            });
        });
    EXPECT_EQ(shown, QStringList({"10001 Impression A4", "10002 Gravure CD", "10003 Scan"}));
}

}  // namespace
