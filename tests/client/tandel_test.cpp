#include "tandel_test.h"

#include <QDir>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include "platform/textfile.h"
#include "wsocket/wspump.h"

std::string CaseName(const QString& text)
{
    std::string name;
    for (const QChar c : text)
        name += (c.unicode() < 128 && c.isLetterOrNumber()) ? char(c.unicode()) : '_';
    return name.empty() ? std::string("empty") : name;
}

bool WaitUntil(const std::function<bool()>& Done, int MaxMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        if (clock.elapsed() > MaxMs)
            return false;
        wsocket::WaitForEvents(20);
    }
    return true;
}

void FakeManager::Start(Script script)
{
    thread_ = std::thread([this, script] { script(*this); });
}

void FakeManager::Join()
{
    if (thread_.joinable())
        thread_.join();
}

rawpeer::Conn FakeManager::Accept()
{
    rawpeer::Conn c(listener_.Accept());
    if (!c.Valid())
        Failures << QStringLiteral("no connection came");
    return c;
}

QByteArray FakeManager::Read(rawpeer::Conn& c, int TimeoutMs)
{
    QByteArray line = c.ReadUntil("\r\n", TimeoutMs);
    if (!line.endsWith("\r\n")) {
        Lines << "<none>";
        return "<none>";
    }
    line.chop(2);
    Lines << line;
    return line;
}

void FakeManager::Say(rawpeer::Conn& c, const QByteArray& line)
{
    c.SendAll(line + "\r\n");
}

bool FakeManager::ClosedInOrder(rawpeer::Conn& c, int TimeoutMs)
{
    QByteArray pending;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < TimeoutMs) {
        pollfd p{c.Fd(), POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        char buf[4096];
        const ssize_t n = recv(c.Fd(), buf, sizeof buf, 0);
        if (n == 0) {
            for (QByteArray line : pending.split('\n'))
                if (!line.isEmpty())
                    Lines << line.chopped(line.endsWith('\r') ? 1 : 0);
            return true;
        }
        if (n < 0)
            return false;  // reset
        pending.append(buf, n);
    }
    return false;
}

void TandelTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    ASSERT_TRUE(textfile::SaveToFile(IniPath(), {QStringLiteral("127.0.0.1"), QStringLiteral("N"), QString()}));
}

void TandelTest::TearDown()
{
    manager.Join();
    main.reset();
    if (hadConfigHome_)
        qputenv("XDG_CONFIG_HOME", savedConfigHome_);
    else
        qunsetenv("XDG_CONFIG_HOME");
    for (const QString& failure : manager.Failures)
        ADD_FAILURE() << failure.toStdString();
}

TMain& TandelTest::Make(int port)
{
    main = std::make_unique<TMain>();
    main->FichierServeur = IniPath();
    main->AdresseServeur = QStringLiteral("127.0.0.1");
    main->Port = QString::number(port ? port : manager.Port());
    main->DelaiServeur = 5000;
    return *main;
}
