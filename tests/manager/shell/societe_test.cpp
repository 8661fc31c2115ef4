#include <gtest/gtest.h>
#include "manager/shell/societe.h"
#include "support/dialog_driver.h"

namespace {

settings::CompanyLines Lines(const QStringList& texts)
{
    settings::CompanyLines company;
    for (int i = 0; i < texts.size(); ++i)
        company.LignesSociete[i] = texts[i];
    return company;
}

QStringList Edited(const settings::CompanyLines& company)
{
    return QStringList(company.LignesSociete, company.LignesSociete + 7);
}

const QStringList Captions = {"Société", "Adresse", "Adresse", "CP Ville", "Siret", "N° TVA", "APE"};
const QStringList Company = {"Cyber Étoile",      "3 rue Haute",   "Bât. B", "69001 LYON",
                             "123 456 789 00012", "FR12345678901", "6202A"};

TEST(TSociete, EachLineGoesToTheFieldOfItsCaption)
{
    TSociete dialog(nullptr);
    dialog.Init(Lines(Company));
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
        dialog.Init(Lines(Company));
        Drive<TSociete>(dialog, [&](TSociete& d) {
            d.Edit4->clear();
            Type(d.Edit4, "75011 PARIS");
            Close(d, how);
        });
        settings::CompanyLines company = Lines({"old"});
        company.LignesSociete[7] = "eighth";
        dialog.Result(company);
        // The eighth line is never edited.
        EXPECT_EQ(company.LignesSociete[7], "eighth") << CloseName(how);
        if (how == CloseBy::Ok) {
            QStringList expected = Company;
            expected[3] = "75011 PARIS";
            EXPECT_EQ(Edited(company), expected);
        } else {
            // Nothing chosen: the lines stay as they were.
            EXPECT_EQ(Edited(company), QStringList({"old", "", "", "", "", "", ""})) << CloseName(how);
        }
    }
}

TEST(TSociete, OkOnAnEmptyCompanyNameGivesAnEmptyFirstLine)
{
    TSociete dialog(nullptr);
    dialog.Init(Lines(Company));
    Drive<TSociete>(dialog, [](TSociete& d) {
        d.Edit1->clear();
        Close(d, CloseBy::Ok);
    });
    settings::CompanyLines lines;
    dialog.Result(lines);
    EXPECT_EQ(lines.LignesSociete[0], "");
    EXPECT_EQ(lines.LignesSociete[1], Company[1]);
}

}  // namespace
