// The scripted responder that answers every modal question in tests, and fails on surprises.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include "support/scripted_dialogs.h"

using namespace platform;

namespace {

TEST(ScriptedDialogs, AnswersTheExpectedBoxesInOrder)
{
    ScriptedDialogs d;
    d.message(QStringLiteral("Enregistrer ?"), mrNo)
        .input(QStringLiteral("Code postal"), QStringLiteral("75011"))
        .inputCancel(QStringLiteral("Ville"))
        .message(QStringLiteral("Fini"))
        .open(QStringLiteral("/tmp/a.vtr"))
        .save({})
        .printerSetup(true)
        .printerSetup(false);
    EXPECT_EQ(MessageDlg(QStringLiteral("Enregistrer ?"), mtWarning, mbYes | mbNo | mbCancel), mrNo);
    EXPECT_EQ(InputBox(QStringLiteral("Code postal"), QStringLiteral("?"), QStringLiteral("0")), QStringLiteral("75011"));
    EXPECT_EQ(InputBox(QStringLiteral("Ville"), QStringLiteral("?"), QStringLiteral("Paris")), QStringLiteral("Paris"));
    ShowMessage(QStringLiteral("Fini"));
    EXPECT_EQ(Dialogs().openFile(QStringLiteral("Fichier vantor (*.vtr)|*.vtr")), QStringLiteral("/tmp/a.vtr"));
    EXPECT_EQ(Dialogs().saveFile(QStringLiteral("Fichiers vantor (*.vtr)|*.vtr")), QString());
    EXPECT_TRUE(Dialogs().printerSetup());
    EXPECT_FALSE(Dialogs().printerSetup());
    EXPECT_TRUE(d.done());
    EXPECT_EQ(d.shown, (QStringList{"message: Enregistrer ?", "input: Code postal", "input: Ville", "message: Fini",
                                    "open: Fichier vantor (*.vtr)|*.vtr", "save: Fichiers vantor (*.vtr)|*.vtr",
                                    "printer", "printer"}));
}

TEST(ScriptedDialogs, AnswersThePrintAndFontDialogs)
{
    ScriptedDialogs d;
    QFont seen;
    d.print(true).print(false).font(QFont(QStringLiteral("Liberation Sans"), 20), [&](const QFont& f) { seen = f; })
        .fontCancel();
    EXPECT_TRUE(Dialogs().printDialog());
    EXPECT_FALSE(Dialogs().printDialog());
    QFont font(QStringLiteral("Liberation Serif"), 11);
    EXPECT_TRUE(Dialogs().fontDialog(font));
    EXPECT_EQ(seen.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(font.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.pointSize(), 20);
    EXPECT_FALSE(Dialogs().fontDialog(font));
    EXPECT_EQ(font.pointSize(), 20);   // a cancelled dialog changes nothing
    EXPECT_EQ(d.shown, (QStringList{"print", "print", "font", "font"}));
}

TEST(ScriptedDialogs, AnUnexpectedBoxFailsAndIsCancelled)
{
    ScriptedDialogs d;
    int answer = -1;
    EXPECT_NONFATAL_FAILURE(answer = MessageDlg(QStringLiteral("Surprise"), mtError, mbOK | mbCancel),
                            "unexpected dialog: message: Surprise");
    EXPECT_EQ(answer, mrCancel);
    QString text;
    EXPECT_NONFATAL_FAILURE(text = InputBox(QStringLiteral("Nom"), QString(), QStringLiteral("défaut")),
                            "unexpected dialog: input: Nom");
    EXPECT_EQ(text, QStringLiteral("défaut"));
    EXPECT_NONFATAL_FAILURE(text = Dialogs().openFile(QStringLiteral("*.txt|*.txt")), "unexpected dialog: open");
    EXPECT_EQ(text, QString());
}

TEST(ScriptedDialogs, ABoxOtherThanTheNextExpectedFailsAndKeepsTheExpectation)
{
    ScriptedDialogs d;
    d.message(QStringLiteral("Attendu"), mrOk);
    int answer = -1;
    EXPECT_NONFATAL_FAILURE(answer = MessageDlg(QStringLiteral("Autre"), mtWarning, mbOK),
                            "expected: message: Attendu");
    EXPECT_EQ(answer, mrCancel);
    EXPECT_NONFATAL_FAILURE(Dialogs().saveFile(QStringLiteral("*.csv|*.csv")), "expected: message: Attendu");
    EXPECT_EQ(MessageDlg(QStringLiteral("Attendu"), mtWarning, mbOK), mrOk);
    EXPECT_TRUE(d.done());
}

TEST(ScriptedDialogs, AnAnswerTheBoxDoesNotOfferFails)
{
    ScriptedDialogs d;
    d.message(QStringLiteral("Supprimer ?"), mrYes).message(QStringLiteral("Supprimer ?"), mrCancel);
    EXPECT_NONFATAL_FAILURE(MessageDlg(QStringLiteral("Supprimer ?"), mtWarning, mbOK | mbCancel), "no button");
    // Esc is always possible.
    EXPECT_EQ(MessageDlg(QStringLiteral("Supprimer ?"), mtWarning, mbOK), mrCancel);
}

TEST(ScriptedDialogs, ExpectationsLeftOverFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs d;
            d.message(QStringLiteral("Jamais montré")).input(QStringLiteral("Jamais"), QString());
        },
        "dialogs expected but never shown: message: Jamais montré | input: Jamais");
}

TEST(ScriptedDialogs, RestoresTheServiceItReplaced)
{
    ScriptedDialogs outer;
    outer.message(QStringLiteral("dehors"));
    {
        ScriptedDialogs inner;
        EXPECT_EQ(&Dialogs(), &inner);
        inner.message(QStringLiteral("dedans"));
        ShowMessage(QStringLiteral("dedans"));
    }
    EXPECT_EQ(&Dialogs(), &outer);
    ShowMessage(QStringLiteral("dehors"));
    EXPECT_EQ(outer.shown, QStringList{"message: dehors"});
}

// A small modal window of the programs' kind: a field, OK and Annuler.
class NameDialog : public QDialog {
public:
    NameDialog()
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        ok = new QPushButton(QStringLiteral("OK"), this);
        cancel = new QPushButton(QStringLiteral("Annuler"), this);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (edit->text().isEmpty())
                ShowMessage(QStringLiteral("Nom obligatoire"));
            else
                accept();
        });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    QLineEdit* edit;
    QPushButton* ok;
    QPushButton* cancel;
};

TEST(ScriptedDialogs, TheScriptActsOnTheShownDialogAndItsResultIsTheAnswer)
{
    ScriptedDialogs d;
    bool wasVisible = false;
    d.dialog(QStringLiteral("QDialog"), [&](QDialog* dialog) {
         auto* nd = static_cast<NameDialog*>(dialog);
         wasVisible = nd->isVisible();
         nd->ok->click();   // refused: brings up a box of its own
         nd->edit->setText(QStringLiteral("Durand"));
         nd->ok->click();
     })
        .message(QStringLiteral("Nom obligatoire"))
        .dialog(QStringLiteral("QDialog"), [](QDialog* dialog) { static_cast<NameDialog*>(dialog)->cancel->click(); })
        .dialog(QStringLiteral("QDialog"), [](QDialog*) {});   // left open: closed as by the title bar
    NameDialog first, second, third;
    first.setResult(QDialog::Accepted);   // a result from an earlier showing must not leak
    EXPECT_EQ(Dialogs().exec(&first), QDialog::Accepted);
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(first.edit->text(), QStringLiteral("Durand"));
    EXPECT_EQ(Dialogs().exec(&second), QDialog::Rejected);
    EXPECT_EQ(Dialogs().exec(&third), QDialog::Rejected);
    EXPECT_FALSE(third.isVisible());
    EXPECT_EQ(d.shown, (QStringList{"dialog: QDialog", "message: Nom obligatoire", "dialog: QDialog", "dialog: QDialog"}));
}

TEST(ScriptedDialogs, AnUnexpectedDialogIsRejectedWithoutRunningIt)
{
    ScriptedDialogs d;
    NameDialog dialog;
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = Dialogs().exec(&dialog), "unexpected dialog: dialog: QDialog");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
