// The "Paramètres" and page-setup commands open their dialogs on the card file's values.
#include <QDialog>
#include "support/mainform_fixture.h"
#include "support/scripted_dialogs.h"

namespace {

struct ParameterCommand {
    const char* command;
    const char* dialog;
    QString caption;  // the window title the card file gives the dialog, when it sets one
};

// Test listings name the case by its command, not by the row's bytes (which hold addresses and
// change from one build to the next).
void PrintTo(const ParameterCommand& c, std::ostream* os)
{
    *os << c.command;
}

class ParameterCommandsTest : public MainFormTest, public ::testing::WithParamInterface<ParameterCommand> {};

TEST_P(ParameterCommandsTest, OpensItsDialog)
{
    const ParameterCommand& c = GetParam();
    ScriptedDialogs dialogs;
    QString title;
    dialogs.dialog(QLatin1String(c.dialog), [&](QDialog* d) {
        title = d->windowTitle();
        d->reject();
    });
    Run(c.command);
    EXPECT_TRUE(dialogs.done()) << c.command;
    if (!c.caption.isEmpty()) {
        EXPECT_EQ(title, c.caption);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ParameterCommandsTest,
    ::testing::Values(ParameterCommand{"Socit1", "TSociete", {}}, ParameterCommand{"Facture2", "TParamf", {}},
                      ParameterCommand{"Tarification1", "TTarifs", {}},
                      ParameterCommand{"Famillesarticles2", "TCombo", QStringLiteral("Les familles d'articles")},
                      ParameterCommand{"Fournisseurs1", "TCombo", QStringLiteral("Les fournisseurs")},
                      ParameterCommand{"Miseenpage1", "TMPage", {}}),
    [](const ::testing::TestParamInfo<ParameterCommand>& info) { return std::string(info.param.command); });

}  // namespace
