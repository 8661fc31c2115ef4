// The list of départements and the about box.
#include <gtest/gtest.h>
#include <QTest>
#include "manager/shell/about.h"
#include "manager/shell/departmnt.h"
#include "support/dialog_driver.h"

namespace {

TEST(TDepartmnt, HoldsTheNinetySevenDepartementsAsWritten)
{
    TDepartmnt list(nullptr);
    const QStringList items = Items(list.ListBox1);
    ASSERT_EQ(items.size(), 97);
    EXPECT_EQ(list.windowTitle(), "Départements");
    const struct {
        int row;
        const char* text;
    } spotted[] = {
        {0, "00 Armées"},           {4, "04 Alpes de Hte Provence"}, {13, "13 Bouches-du-Rhônes"}, {21, "21 Côte d'or"},
        {35, "35 Ile-et-Villaine"}, {66, "66 Pyrénées-orientales"},  {95, "95 Val-d'Oise"},        {96, "97 Dom"},
    };
    for (const auto& s : spotted)
        EXPECT_EQ(items[s.row], QString::fromUtf8(s.text)) << s.row;
    for (int i = 0; i < 96; ++i)
        EXPECT_TRUE(items[i].startsWith(QStringLiteral("%1 ").arg(i, 2, 10, QLatin1Char('0')))) << i;
    EXPECT_FALSE(items.join(u'|').contains(QStringLiteral("96 ")));
}

TEST(TDepartmnt, EnterOrEscapeCloses)
{
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        TDepartmnt list(nullptr);
        ScriptedDialogs responder;
        responder.dialog(QStringLiteral("TDepartmnt"), [key](QDialog* d) {
            auto& w = *static_cast<TDepartmnt*>(d);
            QTest::keyClick(w.ListBox1, Qt::Key(key));
            EXPECT_FALSE(w.isVisible()) << key;
        });
        platform::Dialogs().exec(&list);
    }
}

TEST(TAboutBox, NameVersionAndOkThatAlsoCancels)
{
    TAboutBox about(nullptr);
    EXPECT_EQ(about.windowTitle(), "A propos");
    EXPECT_EQ(about.ProductName->text(), "Velmora");
    EXPECT_TRUE(about.ProductName->font().bold());
    EXPECT_EQ(about.Version->text(), "Version 1.0");
    EXPECT_FALSE(about.ProgramIcon->pixmap().isNull());
    EXPECT_TRUE(about.OKButton->isDefault());
    ScriptedDialogs responder;
    responder.dialog(QStringLiteral("TAboutBox"), [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_EQ(platform::Dialogs().exec(&about), QDialog::Accepted);
}

}  // namespace
