// Both sort-key dialogs: customers (TTri) and articles (TTri3).
#include <gtest/gtest.h>
#include <QRadioButton>
#include "manager/shell/tri.h"
#include "manager/shell/tri3.h"
#include "support/dialog_driver.h"

namespace {

template <class D>
QStringList Keys(D& dialog)
{
    QStringList texts;
    for (auto* item : dialog.RadioGroup1->template findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        texts << item->text();
    return texts;
}

template <class D>
void CheckSortDialog(const QStringList& keys)
{
    D form(nullptr);
    EXPECT_EQ(form.windowTitle(), "Trier");
    EXPECT_EQ(form.RadioGroup1->title(), "Trier par");
    EXPECT_EQ(Keys(form), keys);
    EXPECT_EQ(form.CancelBtn->text(), "Anuler");
    EXPECT_EQ(form.OKBtn->text(), "OK");

    for (int chosen = 0; chosen < keys.size(); ++chosen) {
        for (CloseBy how : {CloseBy::Ok, CloseBy::Cancel, CloseBy::Escape, CloseBy::TitleBar}) {
            D dialog(nullptr);
            Drive<D>(dialog, [&](D& d) {
                auto items = d.RadioGroup1->template findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
                Tick(items[chosen]);
                Close(d, how);
            });
            int key = 99;
            dialog.Result(key);
            EXPECT_EQ(key, how == CloseBy::Ok ? chosen : -1) << keys[chosen].toStdString() << " " << CloseName(how);
        }
    }

    // Untouched, the first key is the choice.
    D dialog(nullptr);
    Drive<D>(dialog, [](D& d) { Close(d, CloseBy::Ok); });
    int key = 99;
    dialog.Result(key);
    EXPECT_EQ(key, 0);
}

TEST(TTri, CustomerSortKeys)
{
    CheckSortDialog<TTri>({"Nom/ société", "Numéro client", "Code postal", "Ville"});
}

TEST(TTri3, ArticleSortKeys)
{
    CheckSortDialog<TTri3>({"Désignation", "Code atricle", "Référence"});
}

}  // namespace
