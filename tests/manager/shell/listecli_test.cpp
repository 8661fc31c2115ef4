// The pick lists: customers (TListeCli), machines (TListePst), articles (TListeArt1).
#include <gtest/gtest.h>
#include <QListWidget>
#include <memory>
#include "manager/shell/listeart1.h"
#include "manager/shell/listecli.h"
#include "manager/shell/listepst.h"
#include "record_blocks.h"
#include "support/dialog_driver.h"

namespace {

QListWidget* ListOf(TPickList& dialog)
{
    return dialog.findChild<QListWidget*>("ListBox1");
}

struct Kind {
    const char* name;
    std::function<std::unique_ptr<TPickList>()> make;
    const char* caption;
    QStringList lines;
    QStringList items;
    bool enterChooses;
};

const QList<Kind> Kinds = {
    {"customers",
     [] { return std::make_unique<TListeCli>(nullptr); },
     "Liste des clients",
     Customer(0, "10001", "Dupont") + Customer(1, "10002", "Café du Port"),
     {"10001 Dupont", "10002 Café du Port"},
     false},
    {"machines",
     [] { return std::make_unique<TListePst>(nullptr); },
     "Liste des postes",
     Machine(0, "10001", "POSTE1") + Machine(1, "10002", "POSTE2"),
     {"10001 POSTE1", "10002 POSTE2"},
     false},
    {"articles",
     [] { return std::make_unique<TListeArt1>(nullptr); },
     "Liste des articles",
     Article(0, "10001", "Café") + Article(1, "10002", "Impression A4"),
     {"10001 Café", "10002 Impression A4"},
     true},
};

TEST(PickLists, OneItemPerRecordCodeAndName)
{
    for (const Kind& k : Kinds) {
        auto dialog = k.make();
        dialog->Init(List(k.lines));
        EXPECT_EQ(dialog->windowTitle(), k.caption) << k.name;
        EXPECT_EQ(Button(*dialog, "OKBtn")->text(), "OK") << k.name;
        EXPECT_EQ(Button(*dialog, "CancelBtn")->text(), "Annuler") << k.name;
        EXPECT_EQ(Items(ListOf(*dialog)), k.items) << k.name;
    }
}

TEST(PickLists, ChoosingGivesTheCodeAlone)
{
    enum How { Ok, DoubleClick, Enter };
    for (const Kind& k : Kinds) {
        for (How how : {Ok, DoubleClick, Enter}) {
            auto dialog = k.make();
            dialog->Init(List(k.lines));
            const QString code = Answer(*dialog, [&](TPickList& d) {
                QListWidget* list = ListOf(d);
                ClickItem(list, 1);
                if (how == Ok)
                    Close(d, CloseBy::Ok);
                else if (how == DoubleClick)
                    DoubleClickItem(list, 1);
                else
                    QTest::keyClick(list, Qt::Key_Return);
                // Enter chooses in the article list only; the others stay open on it.
                const bool closes = how != Enter || k.enterChooses;
                EXPECT_EQ(d.isVisible(), !closes) << k.name << " " << how;
            });
            const bool chosen = how != Enter || k.enterChooses;
            EXPECT_EQ(code, chosen ? "10002" : "") << k.name << " " << how;
        }
    }
}

TEST(PickLists, ClosingWithoutChoosingGivesAnEmptyCode)
{
    for (const Kind& k : Kinds) {
        for (CloseBy how : {CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
            auto dialog = k.make();
            dialog->Init(List(k.lines));
            const QString code = Answer(*dialog, [&](TPickList& d) {
                ClickItem(ListOf(d), 0);
                Close(d, how);
            });
            EXPECT_EQ(code, "") << k.name << " " << CloseName(how);
        }
    }
}

TEST(PickLists, OkWithNoItemSelectedGivesAnEmptyCode)
{
    TListeCli dialog(nullptr);
    dialog.Init(List(Customer(0, "10001", "Dupont")));
    EXPECT_EQ(Answer(dialog, [](TPickList& d) { Close(d, CloseBy::Ok); }), "");
}

TEST(PickLists, TheTitleBarAfterAnEarlierOkGivesAnEmptyCode)
{
    TListeCli dialog(nullptr);
    dialog.Init(List(Customer(0, "10001", "Dupont")));
    EXPECT_EQ(Answer(dialog,
                     [](TPickList& d) {
                         ClickItem(ListOf(d), 0);
                         Close(d, CloseBy::Ok);
                     }),
              "10001");
    EXPECT_EQ(Answer(dialog, [](TPickList& d) { Close(d, CloseBy::TitleBar); }), "");
}

TEST(PickLists, WhichBlocksGiveAnItem)
{
    struct Case {
        const char* name;
        QStringList lines;
        QStringList items;
    };
    const Case cases[] = {
        // The name is line +4: a block cut short before it gives no item.
        {"a block cut short before its name line",
         Customer(0, "10001", "Dupont") + QStringList{"<BLOC0001>", "10002", "N", "N"},
         {"10001 Dupont"}},
        {"a name on the list's last line still counts",
         QStringList{"<BLOC0000>", "10001", "N", "N", "Durand"},
         {"10001 Durand"}},
        // Items keep the list's order, whatever the numbers in the tags.
        {"list order", Customer(1, "10002", "B") + Customer(0, "10001", "A"), {"10002 B", "10001 A"}},
        {"empty list", {}, {}},
    };
    for (const Case& c : cases) {
        TListeCli dialog(nullptr);
        dialog.Init(List(c.lines));
        EXPECT_EQ(Items(dialog.ListBox1), c.items) << c.name;
    }
}

// The code handed back is the record's code line itself, not the item's text up to its first
// blank, so a code holding a blank still finds its record.
TEST(PickLists, ACodeWithABlankComesBackWhole)
{
    TListeArt1 dialog(nullptr);
    dialog.Init(List(Article(0, "CAFE 01", "Café")));
    EXPECT_EQ(Answer(dialog,
                     [](TPickList& d) {
                         ClickItem(ListOf(d), 0);
                         Close(d, CloseBy::Ok);
                     }),
              "CAFE 01");
}

}  // namespace
