#include "wsfixture.h"
#include <QElapsedTimer>
#include "wsocket/wspump.h"

bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        const qint64 left = TimeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        // A short slice: a condition may also be met by another thread (a raw peer).
        wsocket::WaitForEvents(int(std::min<qint64>(left, 20)));
    }
    return true;
}

void PumpFor(int Ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < Ms)
        wsocket::WaitForEvents(int(Ms - clock.elapsed()));
}

void EventLog::Attach(TWSocket* Socket, bool RecordData)
{
    auto add = [this](const char* what) {
        return [this, what](TWSocket*, int error) { Lines << QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(error); };
    };
    Socket->OnSessionConnected = add("connected");
    Socket->OnSessionClosed = add("closed");
    Socket->OnDataSent = add("sent");
    Socket->OnDnsLookupDone = add("dns");
    if (RecordData)
        Socket->OnDataAvailable = add("data");
    Socket->OnChangeState = [this](TWSocket*, TSocketState from, TSocketState to) {
        Lines << QStringLiteral("state %1>%2").arg(int(from)).arg(int(to));
    };
}

QStringList EventLog::Events() const
{
    QStringList out;
    for (const QString& l : Lines)
        if (!l.startsWith(u"state "))
            out << l;
    return out;
}

QString LoopbackAddr() { return QStringLiteral("127.0.0.1"); }

void Aim(TWSocket& Socket, int Port, const char* Proto)
{
    Socket.AssignAddr(LoopbackAddr());
    Socket.AssignPort(QString::number(Port));
    Socket.AssignProto(QString::fromLatin1(Proto));
}

QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ESocketException& e) {
        return e.Message;
    }
    return QStringLiteral("<no error>");
}

PeerTest::PeerTest(bool SmallPeerBuffer)
    : listener(std::make_unique<rawpeer::Listener>(SmallPeerBuffer))
{
    log.Attach(&s);
}

void PeerTest::Open()
{
    Aim();
    s.Connect();
    peer = rawpeer::Conn(listener->Accept());
    ASSERT_TRUE(peer.Valid());
    ASSERT_TRUE(PumpUntil([&] { return s.State() == wsConnected; }));
}
