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
        dialog.Init({c.paper, c.orientation, c.guide ? 100 : 0});
        EXPECT_EQ(ItemIndex(dialog.RadioGroup1), c.shownPaper) << c.paper << "," << c.orientation;
        EXPECT_EQ(ItemIndex(dialog.RadioGroup2), c.shownOrientation) << c.paper << "," << c.orientation;
        EXPECT_EQ(dialog.CheckBox1->isChecked(), c.shownGuide) << c.paper << "," << c.orientation;
    }
}

TEST(TMPage, OnlyOkHandsTheChoiceBack)
{
    for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        TMPage dialog(nullptr);
        dialog.Init({0, 0, 0});
        Drive<TMPage>(dialog, [&](TMPage& d) {
            Tick(d.RadioButton2);
            Tick(d.RadioButton4);
            Tick(d.CheckBox1);
            Close(d, how);
        });
        settings::PageSetup page{7, 7, 0};
        dialog.Result(page);
        if (how == CloseBy::Ok) {
            EXPECT_EQ(page.TypePapier, 1);
            EXPECT_EQ(page.OrientationEnveloppe, 1);
            EXPECT_EQ(page.DecalageEnveloppe, 100);
        } else {
            // Nothing chosen: the page setup stays as it was.
            EXPECT_EQ(page.OrientationEnveloppe, 7) << CloseName(how);
            EXPECT_EQ(page.TypePapier, 7) << CloseName(how);
            EXPECT_EQ(page.DecalageEnveloppe, 0) << CloseName(how);
        }
    }
}

}  // namespace
