// The main window's print commands: each list and the envelope batch through its print dialog,
// the envelope of the card shown, and the card of the page shown from the menu and the toolbar.
#include <gtest/gtest.h>
#include "platform/print/recording.h"
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

class PrintCommands : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        canvas.Install();
    }
    bool Printed(const QString& text) const { return canvas.Find(text) != nullptr; }
    platform::RecordingCanvas canvas;
    ScriptedDialogs dialogs;
};

TEST_F(PrintCommands, TheListsAndTheBatchAskTheirPrintDialog)
{
    for (const char* command : {"Listeclients1", "Inventairedesarticles1", "Enveloppes1"}) {
        SCOPED_TRACE(command);
        dialogs.print(false);
        Run(command);
        EXPECT_TRUE(dialogs.done());
    }
    dialogs.print(true);
    Run("Listeclients1");
    EXPECT_TRUE(Printed("Nom/Société"));
    dialogs.print(true);
    Run("Inventairedesarticles1");
    EXPECT_TRUE(Printed("Adr IP"));
}

TEST_F(PrintCommands, TheEnvelopeCommandsPrintTheCardShown)
{
    fiche->Edit2->setText("DUPONT");
    for (const char* command : {"Enveloppecourante1", "SpeedButton10"}) {
        SCOPED_TRACE(command);
        canvas.texts.clear();
        dialogs.message("Insérez une enveloppe dans l'imprimante");
        Run(command);
        EXPECT_TRUE(Printed("DUPONT"));
    }
}

TEST_F(PrintCommands, ThePrintCommandsPrintTheCardOfThePageShown)
{
    for (const char* command : {"SpeedButton8", "Imprimerfiche1", "Imprimerfiche2"}) {
        SCOPED_TRACE(command);
        canvas.texts.clear();
        Run("Ficheclient1");
        Run(command);
        EXPECT_TRUE(Printed("Code client"));
        canvas.texts.clear();
        Run("Machines1");
        Run(command);
        EXPECT_TRUE(Printed("Numéro machine"));
    }
}

}  // namespace
