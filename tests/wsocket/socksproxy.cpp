#include "socksproxy.h"
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <pwd.h>
#include <sys/prctl.h>
#include <csignal>
#include <unistd.h>

namespace {
constexpr char kDanted[] = "/usr/sbin/danted";

QString CurrentUser()
{
    const passwd* pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QStringLiteral("nobody");
}
}  // namespace

bool Danted::Installed() { return QFile::exists(kDanted); }

Danted::Danted()
{
    if (!dir_.isValid()) {
        error_ = "no temporary folder";
        return;
    }
    port_ = rawpeer::UnusedPort();
    // As root the server drops to "nobody" for its work; as anyone else it stays who it is.
    const bool root = geteuid() == 0;
    const QString privileged = root ? QStringLiteral("root") : CurrentUser();
    const QString unprivileged = root ? QStringLiteral("nobody") : CurrentUser();
    const QString config = QStringLiteral(
                               "logoutput: %1/danted.log\n"
                               "internal: 127.0.0.1 port = %2\n"
                               "external: 127.0.0.1\n"
                               "clientmethod: none\n"
                               "socksmethod: username none\n"
                               "user.privileged: %3\n"
                               "user.unprivileged: %4\n"
                               "client pass {\n  from: 127.0.0.1/32 to: 0.0.0.0/0\n}\n"
                               "socks pass {\n  from: 127.0.0.1/32 to: 0.0.0.0/0\n  command: connect\n}\n")
                               .arg(dir_.path())
                               .arg(port_)
                               .arg(privileged, unprivileged);
    QFile file(dir_.filePath("danted.conf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) {
        error_ = "cannot write the configuration";
        return;
    }
    file.close();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // Should the test program die, the server goes with it.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_.start(kDanted, {"-f", file.fileName(), "-p", dir_.filePath("danted.pid"), "-N", "1"});
    if (!process_.waitForStarted(5000)) {
        error_ = "cannot start " + QString(kDanted);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && process_.state() == QProcess::Running) {
        if (rawpeer::Conn::To(port_).Valid()) {
            running_ = true;
            return;
        }
        QThread::msleep(20);
    }
    QFile log(dir_.filePath("danted.log"));
    log.open(QIODevice::ReadOnly);
    error_ = "danted did not come up: " + QString::fromLocal8Bit(process_.readAll() + log.readAll());
}

Danted::~Danted()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

ScriptedProxy::ScriptedProxy(std::vector<ProxyStep> Steps) : steps_(std::move(Steps))
{
    thread_ = std::thread([this] {
        conn_ = rawpeer::Conn(listener_.Accept(5000));
        if (conn_.Valid()) {
            for (const ProxyStep& step : steps_) {
                if (!step.Expect.isEmpty())
                    received_ += conn_.Read(int(step.Expect.size()), 5000);
                if (step.PauseMs > 0) {
                    const QByteArray early = conn_.Read(1, step.PauseMs);
                    earlyData_ = earlyData_ || !early.isEmpty();
                    received_ += early;
                }
                if (!step.Reply.isEmpty())
                    conn_.SendAll(step.Reply);
            }
            QByteArray rest;
            conn_.WaitClosed(1000, &rest);
            received_ += rest;
        }
        finished_ = true;
    });
}

ScriptedProxy::~ScriptedProxy()
{
    if (thread_.joinable())
        thread_.join();
}
