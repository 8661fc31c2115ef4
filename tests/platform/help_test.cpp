// The help service: requests reach the viewer on a readable help document, and the viewer finds text.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include "platform/help.h"
#include "platform/helpviewer.h"
#include "support/scripted_dialogs.h"

namespace {

QTextBrowser* Browser(QWidget* v) { return v->findChild<QTextBrowser*>(QStringLiteral("browser")); }
QLineEdit* Search(QWidget* v) { return v->findChild<QLineEdit*>(QStringLiteral("searchEdit")); }
QLabel* Status(QWidget* v) { return v->findChild<QLabel*>(QStringLiteral("status")); }

struct Call {
    help::Request request;
    QString file, key;
    bool operator==(const Call&) const = default;
};

class Help : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file;
    QList<Call> calls;
    void SetUp() override
    {
        file = dir.filePath(QStringLiteral("Velmora.hlp"));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><head><title>Aide de Velmora</title></head><body><h1>Sommaire</h1>"
                "<p>La caisse enregistre les tickets.</p><p>Les factures et la caisse.</p></body></html>");
        f.close();
        help::SetHelpFile(file);
    }
    void TearDown() override
    {
        help::SetViewer({});
        help::SetHelpFile({});
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<help::HelpViewer*>(w))
                delete w;
    }
    void record()
    {
        help::SetViewer([this](help::Request r, const QString& f, const QString& k) {
            calls << Call{r, f, k};
            return true;
        });
    }
    static help::HelpViewer* viewer()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<help::HelpViewer*>(w); v && v->isVisible())
                return v;
        return nullptr;
    }
};

TEST_F(Help, EveryRequestReachesTheViewerWithTheHelpFile)
{
    record();
    EXPECT_EQ(help::HelpFile(), file);
    EXPECT_TRUE(help::Show(help::HelpContents));
    EXPECT_TRUE(help::Show(help::HelpPartialKey, QString()));
    EXPECT_TRUE(help::Show(help::HelpHelpOnHelp));
    EXPECT_EQ(calls, (QList<Call>{{help::HelpContents, file, {}}, {help::HelpPartialKey, file, {}},
                                  {help::HelpHelpOnHelp, file, {}}}));
}

TEST_F(Help, AnUnreadableHelpFileIsReportedAndNothingOpens)
{
    record();
    const QString cases[] = {dir.filePath(QStringLiteral("absent.hlp")), dir.path(), QString()};
    for (const QString& path : cases) {
        help::SetHelpFile(path);
        ScriptedDialogs d;
        d.message(QStringLiteral("Impossible d'ouvrir le fichier d'aide ") + path);
        EXPECT_FALSE(help::Show(help::HelpContents)) << path.toStdString();
    }
    EXPECT_TRUE(calls.isEmpty());
    // The page on using help is built in and needs no file.
    EXPECT_TRUE(help::Show(help::HelpHelpOnHelp));
    EXPECT_EQ(calls.size(), 1);
}

// Started from another folder, the program finds its help document beside its executable.
TEST_F(Help, AHelpFileMissingFromTheFolderIsLookedForBesideTheProgram)
{
    record();
    ScriptedDialogs dialogs;   // found: nothing to report
    const QString name = QStringLiteral("aide-%1.hlp").arg(QCoreApplication::applicationPid());
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    ASSERT_TRUE(QFile::copy(file, beside));
    const auto remove = qScopeGuard([&] { QFile::remove(beside); });
    help::SetHelpFile(dir.filePath(name));
    EXPECT_TRUE(help::Show(help::HelpContents));
    EXPECT_EQ(calls, (QList<Call>{{help::HelpContents, beside, {}}}));
    // The folder's own document comes first.
    calls.clear();
    help::SetHelpFile(file);
    EXPECT_TRUE(help::Show(help::HelpContents));
    EXPECT_EQ(calls, (QList<Call>{{help::HelpContents, file, {}}}));
}

TEST_F(Help, TheViewerShowsTheDocumentAndFindsTextFromTheSearchField)
{
    ASSERT_TRUE(help::Show(help::HelpPartialKey));
    help::HelpViewer* v = viewer();
    ASSERT_NE(v, nullptr);
    EXPECT_FALSE(v->isModal());
    EXPECT_EQ(v->windowTitle(), QStringLiteral("Aide de Velmora"));
    EXPECT_TRUE(Browser(v)->toPlainText().contains(QStringLiteral("La caisse enregistre les tickets.")));
    EXPECT_EQ(v->focusWidget(), Search(v));
    EXPECT_TRUE(Search(v)->text().isEmpty());

    QTest::keyClicks(Search(v), QStringLiteral("CAISSE"));
    QTest::keyClick(Search(v), Qt::Key_Return);
    const QTextCursor first = Browser(v)->textCursor();
    EXPECT_EQ(first.selectedText(), QStringLiteral("caisse"));
    QTest::keyClick(Search(v), Qt::Key_Return);
    const QTextCursor second = Browser(v)->textCursor();
    EXPECT_EQ(second.selectedText(), QStringLiteral("caisse"));
    EXPECT_GT(second.position(), first.position());
    QTest::keyClick(Search(v), Qt::Key_Return);   // after the last one: from the top again
    EXPECT_EQ(Browser(v)->textCursor().position(), first.position());

    Search(v)->setText(QStringLiteral("imprimante"));
    QTest::keyClick(Search(v), Qt::Key_Return);
    EXPECT_TRUE(Status(v)->text().contains(QStringLiteral("introuvable")));
}

TEST_F(Help, OneWindowServesEveryRequest)
{
    ASSERT_TRUE(help::Show(help::HelpHelpOnHelp));
    help::HelpViewer* v = viewer();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->windowTitle(), QStringLiteral("Utiliser l'aide"));
    EXPECT_TRUE(Browser(v)->toPlainText().contains(QStringLiteral("Rechercher")));
    ASSERT_TRUE(help::Show(help::HelpContents));
    EXPECT_EQ(viewer(), v);
    EXPECT_TRUE(Browser(v)->toPlainText().contains(QStringLiteral("Sommaire")));
    EXPECT_EQ(v->windowTitle(), QStringLiteral("Aide de Velmora"));
}

}  // namespace
