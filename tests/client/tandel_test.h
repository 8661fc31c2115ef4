#pragma once
// What the Tandel tests share: a client window on a recording workstation, its settings file
// in a temporary folder, and a fake manager that plays its part of a script on its own thread
// over real loopback TCP.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <thread>
#include "client/tmain.h"
#include "platform/workstation/recording.h"
#include "support/rawpeer.h"
#include "support/scripted_dialogs.h"

// A test name made of a case's text: its letters and digits, the rest as '_'.
std::string CaseName(const QString& text);

// Lets the client's events run until Done is true or MaxMs have passed.
bool WaitUntil(const std::function<bool()>& Done, int MaxMs = 5000);

// The far end: the script runs on its own thread while the client, on the test's thread, does
// its part; Join waits for the script to end. Lines are read one at a time, each with its CR LF.
class FakeManager {
public:
    using Script = std::function<void(FakeManager&)>;
    // A small receive buffer makes the client's lines wait on its side until read here.
    explicit FakeManager(bool SmallReceiveBuffer = false) : listener_(SmallReceiveBuffer) {}
    ~FakeManager() { Join(); }
    int Port() const { return listener_.Port(); }
    void Start(Script script);
    void Join();

    // On the script's thread:
    rawpeer::Conn Accept();
    // The next line without its CR LF (also recorded in Lines), or "<none>" after the limit.
    QByteArray Read(rawpeer::Conn& c, int TimeoutMs = 5000);
    void Say(rawpeer::Conn& c, const QByteArray& line);
    // True when the client closed in order (no reset) after its last line; any line still
    // coming before the end is recorded.
    bool ClosedInOrder(rawpeer::Conn& c, int TimeoutMs = 5000);

    // Every line read, in order; read them after Join.
    QList<QByteArray> Lines;
    QStringList Failures;

private:
    rawpeer::Listener listener_;
    std::thread thread_;
};

class TandelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The window, its settings file in the temporary folder (which holds "127.0.0.1"), its
    // port the fake manager's, short limits.
    TMain& Make(int port = 0);
    QString IniPath() const { return dir.filePath(QStringLiteral("Tandel.ini")); }

    QTemporaryDir dir;
    workstation::RecordingWorkstation station;
    ScriptedDialogs dialogs;
    FakeManager manager;
    std::unique_ptr<TMain> main;

private:
    QByteArray savedConfigHome_;
    bool hadConfigHome_ = false;
};
