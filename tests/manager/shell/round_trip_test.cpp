// A set made in Velmora at the counter: customers typed on the card, saved under a name, the
// program closed and started again; the set opens by itself and shows the same customers.
#include <QLineEdit>
#include "support/dialog_driver.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

class RoundTripTest : public MainFormTest {
protected:
    void TypeCustomer(const QString& name, const QString& town)
    {
        Run("Nouvellefiche2");
        Type(fiche->Edit2, name);
        Type(fiche->Edit6, town);
    }
};

TEST_F(RoundTripTest, ASetMadeSavedAndReopenedShowsTheSameCustomers)
{
    Show();
    Run("Bouveau1");
    TypeCustomer(QStringLiteral("Hélène Œuvray"), QStringLiteral("Lyon"));
    TypeCustomer(QStringLiteral("Marc Dupré"), QStringLiteral("Nîmes"));
    Run("Ouvrirautomatiquement1");
    {
        ScriptedDialogs dialogs;
        dialogs.save(Path("club.vtr"));
        Run("Enregistrersous1");
        EXPECT_TRUE(dialogs.done());
    }

    // On disk: CR LF lines in the Windows code page, the blocks in order with their codes.
    const QByteArray saved = Read(Path("club.vtr"));
    EXPECT_TRUE(saved.startsWith("<BLOC0000>\r\n10001\r\nN\r\nN\r\nH\xE9l\xE8ne \x8Cuvray\r\n"))
        << saved.left(60).toStdString();
    EXPECT_TRUE(saved.contains("<BLOC0001>\r\n10002\r\n"));
    EXPECT_TRUE(saved.contains("N\xEEmes\r\n"));
    EXPECT_TRUE(saved.endsWith("</BLOC0001>\r\n"));
    for (const char* sibling : {"club.fct", "club.stk", "club.pst", "club.cai"})
        EXPECT_TRUE(QFileInfo::exists(Path(QLatin1String(sibling)))) << sibling;

    // Closing right after the save asks nothing and writes the settings.
    {
        ScriptedDialogs dialogs;
        EXPECT_TRUE(form->close());
    }
    form.reset();

    // The program starts again in the same folder.
    form = std::make_unique<TMainForm>();
    fiche = new TFiche;
    fiche->PortServeur = QStringLiteral("0");
    form->SetFiche(fiche);
    Show();
    EXPECT_EQ(form->NomFichier, Path("club.vtr"));
    ASSERT_EQ(fiche->NbClients, 2);
    EXPECT_EQ(fiche->Edit1->text(), QStringLiteral("10001"));
    EXPECT_EQ(fiche->Edit2->text(), QStringLiteral("Hélène Œuvray"));
    EXPECT_EQ(fiche->Edit6->text(), QStringLiteral("Lyon"));
    Run("Suivant1");
    EXPECT_EQ(fiche->Edit1->text(), QStringLiteral("10002"));
    EXPECT_EQ(fiche->Edit2->text(), QStringLiteral("Marc Dupré"));
    EXPECT_EQ(fiche->Edit6->text(), QStringLiteral("Nîmes"));
}

}  // namespace
