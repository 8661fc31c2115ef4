// Starting with the session: the XDG autostart entry.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include "platform/autostart.h"

namespace {

class Autostart : public ::testing::Test {
protected:
    QTemporaryDir config;
    QByteArray saved;
    bool wasSet = false;
    void SetUp() override
    {
        wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    void TearDown() override
    {
        if (wasSet)
            qputenv("XDG_CONFIG_HOME", saved);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString entryText(const QString& name) const
    {
        QFile f(autostart::EntryPath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<none>");
    }
};

TEST_F(Autostart, AddWritesTheEntryAndRemoveDeletesIt)
{
    EXPECT_EQ(autostart::EntryPath(QStringLiteral("Velmora")), config.filePath(QStringLiteral("autostart/Velmora.desktop")));
    EXPECT_FALSE(autostart::Exists(QStringLiteral("Velmora")));
    ASSERT_TRUE(autostart::Add(QStringLiteral("Velmora"), QStringLiteral("/opt/velmora/velmora"), QStringLiteral("/srv/café")));
    EXPECT_TRUE(autostart::Exists(QStringLiteral("Velmora")));
    EXPECT_EQ(entryText(QStringLiteral("Velmora")), QStringLiteral("[Desktop Entry]\n"
                                                                   "Type=Application\n"
                                                                   "Name=Velmora\n"
                                                                   "Exec=/opt/velmora/velmora\n"
                                                                   "Path=/srv/café\n"
                                                                   "X-GNOME-Autostart-enabled=true\n"));
    // A second add replaces the entry.
    ASSERT_TRUE(autostart::Add(QStringLiteral("Velmora"), QStringLiteral("/usr/bin/velmora"), QStringLiteral("/srv")));
    EXPECT_TRUE(entryText(QStringLiteral("Velmora")).contains(QStringLiteral("\nExec=/usr/bin/velmora\nPath=/srv\n")));
    EXPECT_TRUE(autostart::Remove(QStringLiteral("Velmora")));
    EXPECT_FALSE(autostart::Exists(QStringLiteral("Velmora")));
    EXPECT_TRUE(autostart::Remove(QStringLiteral("Velmora")));   // nothing left to remove
}

TEST_F(Autostart, TheProgramPathIsQuotedAndEscapedForTheExecKey)
{
    const struct { const char* program; const char* exec; } cases[] = {
        {"/usr/bin/tandel", "/usr/bin/tandel"},
        {"/opt/mon café/tandel", "\"/opt/mon café/tandel\""},
        {"/opt/a$b/tandel", "\"/opt/a\\\\$b/tandel\""},
        {"/opt/x\"y/tandel", "\"/opt/x\\\\\"y/tandel\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/tandel", "/opt/100%%/tandel"},
        {"/opt/a b%/t", "\"/opt/a b%%/t\""},
        {"/opt/(x)/t", "\"/opt/(x)/t\""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(autostart::Add(QStringLiteral("Tandel"), QString::fromUtf8(c.program), QStringLiteral("/opt")));
        const QString text = entryText(QStringLiteral("Tandel"));
        EXPECT_TRUE(text.contains(QStringLiteral("\nExec=%1\n").arg(QString::fromUtf8(c.exec)))) << c.program << "\n"
                                                                                                   << text.toStdString();
    }
}

TEST_F(Autostart, WithoutXdgConfigHomeTheEntryGoesUnderHome)
{
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(autostart::EntryPath(QStringLiteral("Velmora")), QDir::homePath() + QStringLiteral("/.config/autostart/Velmora.desktop"));
    qputenv("XDG_CONFIG_HOME", "relative/config");   // to be ignored
    EXPECT_EQ(autostart::EntryPath(QStringLiteral("Velmora")), QDir::homePath() + QStringLiteral("/.config/autostart/Velmora.desktop"));
}

TEST_F(Autostart, AddFailsWhenTheFolderCannotBeMade)
{
    QFile blocker(config.filePath(QStringLiteral("autostart")));   // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(autostart::Add(QStringLiteral("Velmora"), QStringLiteral("/usr/bin/velmora"), QStringLiteral("/srv")));
    EXPECT_FALSE(autostart::Exists(QStringLiteral("Velmora")));
}

}  // namespace
