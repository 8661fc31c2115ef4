#pragma once
// SOCKS proxies for the tests: the real server of the system's dante-server package, started
// on a loopback port of its own, and a scripted proxy that plays a fixed exchange of bytes.
#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>
#include "support/rawpeer.h"

// danted on 127.0.0.1, offering the methods "username" (checked against the system's users;
// the tests create none) and "none", for version 4 and 5 connect requests from loopback.
class Danted {
public:
    static bool Installed();
    Danted();
    ~Danted();
    // False (with the reason in Error()) when the server could not be started.
    bool Running() const { return running_; }
    QString Error() const { return error_; }
    int Port() const { return port_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    bool running_ = false;
    QString error_;
};

// One step of a scripted proxy: read Expect.size() bytes, wait PauseMs (noting any byte that
// arrives meanwhile), then send Reply.
struct ProxyStep {
    QByteArray Expect;
    QByteArray Reply;
    int PauseMs = 0;
};

// Accepts one connection on its own thread and plays the steps; afterwards it reads what
// else comes until the client closes or a second passes.
class ScriptedProxy {
public:
    explicit ScriptedProxy(std::vector<ProxyStep> Steps);
    ~ScriptedProxy();
    int Port() const { return listener_.Port(); }
    bool Finished() const { return finished_; }
    // Everything the client sent, in order (read it once Finished).
    QByteArray Received() const { return received_; }
    // A byte arrived during a pause, before the reply that should have caused it.
    bool EarlyData() const { return earlyData_; }

private:
    rawpeer::Listener listener_;
    std::vector<ProxyStep> steps_;
    rawpeer::Conn conn_;
    QByteArray received_;
    std::atomic<bool> finished_{false};
    bool earlyData_ = false;
    std::thread thread_;
};
