// What the client does with each line the manager sends, and with the machine's settings.
#include <QLabel>
#include <QToolButton>
#include "platform/autostart.h"
#include "tandel_test.h"

namespace {

struct Line {
    const char* text;
    const char* call;  // the workstation call it must make, or "" for none
};

class Commands : public TandelTest, public ::testing::WithParamInterface<Line> {};

}  // namespace

TEST_P(Commands, ObeyOnlyWhatIsAddressedToThisWorkstationOrToAll)
{
    TMain& w = Make();
    station.Calls.clear();
    w.ProcessCommand(QString::fromUtf8(GetParam().text) + QStringLiteral("\r\n"));
    const QString call = QString::fromLatin1(GetParam().call);
    EXPECT_EQ(station.Calls, call.isEmpty() ? QStringList() : QStringList{call});
    EXPECT_FALSE(w.Termine());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Commands,
    ::testing::Values(Line{"Reboot POSTE1", "Reboot"}, Line{"reboot poste1", "Reboot"},
                      Line{"Reboot all", ""}, Line{"Reboot POSTE2", ""}, Line{"Stop Poste1", "PowerOff"},
                      Line{"Stop all", "PowerOff"}, Line{"Stop POSTE2", ""}, Line{"Close POSTE2", ""},
                      Line{"Quit all", ""}, Line{"Stop", ""}),
    [](const auto& info) { return CaseName(QString::fromLatin1(info.param.text)); });

TEST_F(TandelTest, CloseForThisWorkstationOrAllEndsTheProgramWithoutQuit)
{
    for (const char* line : {"Close POSTE1", "Close all"}) {
        TMain& w = Make();
        w.ProcessCommand(QString::fromLatin1(line));
        EXPECT_TRUE(w.Termine()) << line;
    }
}

TEST_F(TandelTest, AWorkstationWithoutANameObeysNothingAddressedByName)
{
    station.Name.clear();
    TMain& w = Make();
    station.Calls.clear();
    for (const char* line : {"Reboot ", "Stop  x", "Msg  salut"})
        w.ProcessCommand(QString::fromLatin1(line));
    EXPECT_TRUE(station.Calls.isEmpty());
    EXPECT_TRUE(w.StaticText3->text().isEmpty());
    w.ProcessCommand(QStringLiteral("Stop all"));
    EXPECT_EQ(station.Calls, QStringList{"PowerOff"});
}

TEST_F(TandelTest, RepliesAreStoredAndShown)
{
    TMain& w = Make();
    w.ProcessCommand(QStringLiteral("Login NAK"));
    w.ProcessCommand(QStringLiteral("Passw OK"));
    w.ProcessCommand(QStringLiteral("Host OK"));
    w.ProcessCommand(QStringLiteral("Connect OK "));
    w.ProcessCommand(QStringLiteral("Config YNYNYNYNYN"));
    w.ProcessCommand(QStringLiteral("Config NNNNNNNNNN"));
    w.ProcessCommand(QStringLiteral("Time 12\r\n"));
    EXPECT_EQ(w.RepLogin, "NAK");
    EXPECT_EQ(w.RepPassw, "OK");
    EXPECT_EQ(w.RepHost, "OK");
    EXPECT_EQ(w.RepConnect, "OK");
    EXPECT_EQ(w.ConfigPoste, "YNYNYNYNYN");
    EXPECT_EQ(w.StaticText2->text(), "12 mn");
    EXPECT_EQ(w.StaticText1->text(), "Time 12");
    EXPECT_EQ(w.Reponse, "12");

    // Under 4 characters nothing happens; 4 without a blank give an empty reply value.
    w.ProcessCommand(QStringLiteral("OK\r\n"));
    EXPECT_EQ(w.StaticText1->text(), "Time 12");
    w.ProcessCommand(QStringLiteral("abcd"));
    EXPECT_EQ(w.StaticText1->text(), "abcd");
    EXPECT_TRUE(w.Reponse.isEmpty());
}

TEST_F(TandelTest, MessagesShowTheRestOfTheLineAsPlainText)
{
    TMain& w = Make();
    w.ProcessCommand(QStringLiteral("Msg poste1 Attention bientôt déconnecté"));
    EXPECT_EQ(w.StaticText3->text(), "Attention bientôt déconnecté");
    w.ProcessCommand(QStringLiteral("Msg POSTE2 pour un autre"));
    EXPECT_EQ(w.StaticText3->text(), "Attention bientôt déconnecté");
    EXPECT_EQ(w.StaticText1->text(), "Msg POSTE2 pour un autre");
    EXPECT_EQ(w.Reponse, "POSTE2");
    w.ProcessCommand(QStringLiteral("Msg all <b>Fermeture</b> à  20 h"));
    EXPECT_EQ(w.StaticText3->text(), "<b>Fermeture</b> à  20 h");
    for (const QLabel* label : {w.StaticText1, w.StaticText2, w.StaticText3})
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

// --- the machine's settings ------------------------------------------------------------------

namespace {

struct Settings {
    const char* config;
    QStringList calls;    // after the desktop is given back
    bool closing;         // FermetureAutorisee
    bool autostart;
    const char* buttons;  // SpeedButton2..5 shown
};

class Config : public TandelTest, public ::testing::WithParamInterface<Settings> {};

const QStringList kGivenBack = {"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys off"};

}  // namespace

TEST_P(Config, EachPositionSetsItsPartOfTheDesktop)
{
    TMain& w = Make();
    const Settings& s = GetParam();
    // The entry is there before, so that its removal shows.
    ASSERT_TRUE(autostart::Add(QStringLiteral("Tandel"), QStringLiteral("/bin/tandel"), dir.path()));
    station.Calls.clear();
    w.ConfigPoste = QString::fromLatin1(s.config);
    w.ProcessConfig();
    EXPECT_EQ(station.Calls, kGivenBack + s.calls);
    EXPECT_EQ(w.FermetureAutorisee, s.closing);
    EXPECT_EQ(autostart::Exists(QStringLiteral("Tandel")), s.autostart);
    QString shown;
    for (const QToolButton* b : {w.SpeedButton2, w.SpeedButton3, w.SpeedButton4, w.SpeedButton5})
        shown += b->isHidden() ? QLatin1Char('-') : QLatin1Char('+');
    EXPECT_EQ(shown, QLatin1String(s.buttons));
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Config,
    ::testing::Values(
        Settings{"YYNNNYNNYN", {"HideTaskbar", "HideDesktopIcons", "BlockTaskKeys off"}, true, false, "+--+"},
        Settings{"NNYYYNYYNY", {"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys on"}, false, true, "-++-"},
        // Positions 8 and 9 cross: the eighth shows the "Word" button, the ninth "Yahoo".
        Settings{"NNNNNNNYNN", {"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys off"}, true, false, "--+-"},
        Settings{"NNNNNNNNYN", {"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys off"}, true, false, "---+"},
        // "Config NAK ": nothing set, everything released.
        Settings{"NAK", {"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys off"}, true, false, "----"},
        // Lower case and missing characters count as "N".
        Settings{"yY", {"ShowTaskbar", "HideDesktopIcons", "BlockTaskKeys off"}, true, false, "----"}),
    [](const auto& info) { return CaseName(QString::fromLatin1(info.param.config)); });

TEST_F(TandelTest, TheAutostartEntryRunsTheProgramInItsWorkingFolder)
{
    TMain& w = Make();
    w.ConfigPoste = QStringLiteral("NNNYNNNNNN");
    w.ProcessConfig();
    QFile file(autostart::EntryPath(QStringLiteral("Tandel")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=") + QCoreApplication::applicationFilePath())) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Path=") + QDir::currentPath())) << text.toStdString();
}

TEST_F(TandelTest, TheButtonsStartTheirProgramsAndTheSecondMailButtonTheSameOne)
{
    TMain& w = Make();
    station.Calls.clear();
    for (QToolButton* b : {w.SpeedButton2, w.SpeedButton3, w.SpeedButton4, w.SpeedButton5})
        b->click();
    EXPECT_EQ(station.Calls, QStringList({"Launch navigateur", "Launch messagerie", "Launch traitement de texte",
                                          "Launch messagerie"}));
    EXPECT_EQ(w.SpeedButton2->toolTip(), "Internet Explorer");
    EXPECT_EQ(w.SpeedButton3->toolTip(), "Outlook");
    EXPECT_EQ(w.SpeedButton4->toolTip(), "Word");
    EXPECT_EQ(w.SpeedButton5->toolTip(), "Yahoo");
}
