// "Traitement de texte" opens the letter editor, headed by the company's first four lines.
#include <QDialog>
#include <QTextEdit>
#include "manager/shell/texte.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

TEST_F(MainFormTest, TraitementDeTexteOpensTheEditorHeadedByTheCompany)
{
    for (int i = 0; i < 8; ++i)
        fiche->LignesSociete[i] = QStringLiteral("ligne %1").arg(i + 1);
    EXPECT_TRUE(Enabled("Traitementdetexte1"));  // no set needed
    ScriptedDialogs dialogs;
    QString title, text;
    bool maximised = false;
    dialogs
        .dialog(QStringLiteral("TTexte"),
                [&](QDialog* d) {
                    auto* editor = static_cast<TTexte*>(d);
                    title = editor->windowTitle();
                    maximised = editor->windowState() & Qt::WindowMaximized;
                    QTest::mouseClick(editor->SpeedButton1, Qt::LeftButton);
                    text = editor->RichEdit1->toPlainText();
                    QTest::mouseClick(editor->Button1, Qt::LeftButton);
                })
        .message(QStringLiteral("Enregistrer changements dans  ?"), platform::mrNo);
    Run("Traitementdetexte1");
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(title, QStringLiteral("Texte"));
    EXPECT_TRUE(maximised);
    EXPECT_EQ(text, QStringLiteral("ligne 1\nligne 2\nligne 3\nligne 4\n"));
    // The editor gives nothing back.
    EXPECT_EQ(fiche->LignesSociete[0], QStringLiteral("ligne 1"));
}

}  // namespace
