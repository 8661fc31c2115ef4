#include <gtest/gtest.h>
#include "manager/shell/dialogkit.h"
#include "manager/shell/mpage.h"
#include "support/dialog_driver.h"

namespace {

TEST(TMPage, FormCaptions)
{
    TMPage dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Mise en page");
    EXPECT_EQ(dialog.RadioGroup1->title(), "Type de papier");
    EXPECT_EQ(dialog.RadioButton1->text(), "Papier blanc");
    EXPECT_EQ(dialog.RadioButton2->text(), "Papier à en-tête");
    EXPECT_EQ(dialog.RadioGroup2->title(), "Orientation enveloppe");
    EXPECT_EQ(dialog.RadioButton3->text(), "Portrait");
    EXPECT_EQ(dialog.RadioButton4->text(), "Paysage");
    EXPECT_EQ(dialog.CheckBox1->text(), "Guide enveloppe à droite");
}

TEST(TMPage, InitShowsOnlyValuesTheDialogOffers)
{
    struct Case {
        int paper, orientation;
        bool guide;
        int shownPaper, shownOrientation;
        bool shownGuide;
    };
    const Case cases[] = {
        {0, 0, false, 0, 0, false},
        {1, 1, true, 1, 1, true},
        {0, 1, true, 0, 1, true},
        {1, 0, false, 1, 0, false},
        // A paper type the dialog does not offer would come back as another one on OK.
        {2, 1, true, 0, 0, false},
        {3, 0, true, 0, 0, false},
        {-1, 1, true, 0, 0, false},
        {1, 2, true, 0, 0, false},
        {1, -1, true, 0, 0, false},
    };
    for (const Case& c : cases) {
        TMPage dialog(nullptr);
        dialog.Init(c.paper, c.orientation, c.guide);
        EXPECT_EQ(ItemIndex(dialog.RadioGroup1), c.shownPaper) << c.paper << "," << c.orientation;
        EXPECT_EQ(ItemIndex(dialog.RadioGroup2), c.shownOrientation) << c.paper << "," << c.orientation;
        EXPECT_EQ(dialog.CheckBox1->isChecked(), c.shownGuide) << c.paper << "," << c.orientation;
    }
}

TEST(TMPage, OnlyOkHandsTheChoiceBack)
{
    for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        TMPage dialog(nullptr);
        dialog.Init(0, 0, false);
        Drive<TMPage>(dialog, [&](TMPage& d) {
            Tick(d.RadioButton2);
            Tick(d.RadioButton4);
            Tick(d.CheckBox1);
            Close(d, how);
        });
        int paper = 7, orientation = 7;
        bool guide = false;
        dialog.Result(paper, orientation, guide);
        if (how == CloseBy::Ok) {
            EXPECT_EQ(paper, 1);
            EXPECT_EQ(orientation, 1);
            EXPECT_TRUE(guide);
        } else {
            EXPECT_EQ(orientation, -1) << CloseName(how);
            EXPECT_EQ(paper, 7) << CloseName(how);
            EXPECT_FALSE(guide) << CloseName(how);
        }
    }
}

}  // namespace
