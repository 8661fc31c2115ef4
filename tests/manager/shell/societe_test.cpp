#include <gtest/gtest.h>
#include "manager/shell/societe.h"
#include "support/dialog_driver.h"

namespace {

const QStringList Captions = {"Société", "Adresse", "Adresse", "CP Ville", "Siret", "N° TVA", "APE"};
const QStringList Company = {"Cyber Étoile", "3 rue Haute", "Bât. B", "69001 LYON", "123 456 789 00012",
                             "FR12345678901", "6202A"};

TEST(TSociete, EachLineGoesToTheFieldOfItsCaption)
{
    TSociete dialog(nullptr);
    dialog.Init(Company);
    EXPECT_EQ(dialog.windowTitle(), "Société");
    EXPECT_EQ(dialog.Label8->text(), "Lignes constituant l'en-tête de la société");
    const QList<QLineEdit*> fields = {dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4,
                                      dialog.Edit5, dialog.Edit6, dialog.Edit7};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(LabelOf(fields[i]), Captions[i]) << i;
        EXPECT_EQ(fields[i]->text(), Company[i]) << i;
    }
}

TEST(TSociete, OnlyOkHandsTheTypedLinesBack)
{
    for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
        TSociete dialog(nullptr);
        dialog.Init(Company);
        Drive<TSociete>(dialog, [&](TSociete& d) {
            d.Edit4->clear();
            Type(d.Edit4, "75011 PARIS");
            Close(d, how);
        });
        QStringList lines = {"old"};
        dialog.Result(lines);
        ASSERT_EQ(lines.size(), 7) << CloseName(how);
        if (how == CloseBy::Ok) {
            QStringList expected = Company;
            expected[3] = "75011 PARIS";
            EXPECT_EQ(lines, expected);
        } else {
            // An empty first line is how the caller learns that nothing was chosen.
            EXPECT_EQ(lines[0], "") << CloseName(how);
        }
    }
}

TEST(TSociete, OkOnAnEmptyCompanyNameGivesAnEmptyFirstLine)
{
    TSociete dialog(nullptr);
    dialog.Init(Company);
    Drive<TSociete>(dialog, [](TSociete& d) {
        d.Edit1->clear();
        Close(d, CloseBy::Ok);
    });
    QStringList lines;
    dialog.Result(lines);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], Company[1]);
}

}  // namespace
