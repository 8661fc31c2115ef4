#pragma once
// A main window with its card file, started in a temporary working folder (settings files, sets
// and the autostart folder all land there), its dialogs answered by the scripted responder.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include "manager/cardfile/fiche.h"
#include "manager/shell/mainform.h"
#include "support/file_bytes.h"

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        previousFolder_ = QDir::currentPath();
        previousConfig_ = qgetenv("XDG_CONFIG_HOME");
        QDir::setCurrent(work.path());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Path(QStringLiteral("config"))));
        // Closing the window in a test must not end the test program's event loops.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        form = std::make_unique<TMainForm>();
        fiche = new TFiche;
        fiche->PortServeur = QStringLiteral("0");  // tests run in parallel: never the fixed port
        form->SetFiche(fiche);
    }

    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(previousFolder_);
        if (previousConfig_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", previousConfig_);
    }

    void Show()
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString Path(const QString& name) const { return work.filePath(name); }

    // A file with these bytes (folders made as needed).
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(name)).path());
        WriteBytes(Path(name), bytes);
    }

    QByteArray Read(const QString& path) const { return ReadBytes(path); }

    QAction* Command(const char* name) const
    {
        QAction* action = form->Command(QLatin1String(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }

    bool Enabled(const char* name) const { return Command(name)->isEnabled(); }

    // Chooses a command as if the page made it available.
    void Run(const char* name) const
    {
        Command(name)->setEnabled(true);
        Command(name)->trigger();
    }

    QTemporaryDir work;
    std::unique_ptr<TMainForm> form;
    TFiche* fiche = nullptr;

private:
    QString previousFolder_;
    QByteArray previousConfig_;
};
