// Waiting for a flag, pausing events, the delayed and abortive closes, and datagrams.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include "support/rawpeer.h"
#include "wsfixture.h"

namespace {
using SocketOperations = PeerTest;
using SocketSlowOperations = SlowPeerTest;
}  // namespace

TEST_F(SocketOperations, SyncReadWaitsUntilTheCompletionEventSetsDone)
{
    bool done = false;
    s.OnSessionConnected = [&](TWSocket*, int) { done = true; };
    Aim();
    EXPECT_EQ(s.SyncRead([&] { s.Connect(); }, done), 0);
    EXPECT_TRUE(done);
    EXPECT_EQ(s.State(), wsConnected);
}

TEST(SocketWait, WaitDoneWithoutTimeoutWaitsAsLongAsItTakes)
{
    TWSocket s;
    bool done = false;
    QTimer::singleShot(150, [&] { done = true; });
    EXPECT_EQ(s.WaitDone(done), 0);
    EXPECT_TRUE(done);
}

TEST(SocketWait, WaitDoneGivesUpAfterItsTimeout)
{
    TWSocket s;
    s.Timeout = 100;
    bool done = false;
    EXPECT_EQ(s.WaitDone(done), 12001);
    EXPECT_FALSE(done);
}

TEST(SocketWaitDeathTest, WaitDoneEndsWhenTheProgramIsToldToQuit)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TWSocket s;
            bool done = false;
            QTimer::singleShot(50, [] {
                QEvent quit(QEvent::Quit);
                QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
            });
            const int result = s.WaitDone(done);
            std::_Exit(result == 12001 && !done ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(SocketOperations, PausedEventsWaitForResume)
{
    QString got;
    s.OnDataAvailable = [&](TWSocket* sender, int) { got += sender->ReceiveText(); };
    Open();
    s.PauseEvents();
    peer.SendAll("later");
    PumpFor(100);
    EXPECT_EQ(got, QString());
    s.ResumeEvents();
    ASSERT_TRUE(PumpUntil([&] { return got == "later"; }));
}

TEST_F(SocketOperations, PostCloseClosesFromTheEventLoop)
{
    Open();
    s.PostClose();
    EXPECT_EQ(s.State(), wsConnected);
    ASSERT_TRUE(PumpUntil([&] { return s.State() == wsClosed; }));
    EXPECT_TRUE(log.Has("closed 0"));
    EXPECT_TRUE(peer.WaitClosed());
}

TEST_F(SocketSlowOperations, AbortDropsWhatIsQueuedAndCloses)
{
    Open();
    const QByteArray data(16 << 20, 'd');
    s.Send(data.constData(), int(data.size()));
    ASSERT_FALSE(s.SendQueue().empty());
    s.AbortConnection();
    EXPECT_TRUE(s.SendQueue().empty());
    EXPECT_EQ(s.State(), wsClosed);
    EXPECT_EQ(log.Events().filter("closed"), QStringList({"closed 0"}));
}

TEST_F(SocketOperations, WaitClosedReturnsOnceThePeerHasClosed)
{
    QString got;
    s.OnDataAvailable = [&](TWSocket* sender, int) { got += sender->ReceiveText(); };
    Open();
    QTimer::singleShot(50, [&] {
        peer.SendAll("bye");
        peer.Close();
    });
    s.WaitClosed();
    EXPECT_EQ(s.State(), wsClosed);
    EXPECT_EQ(got, "bye");
}

TEST(SocketDatagram, GoesBetweenTwoSockets)
{
    TWSocket receiver;
    EventLog rlog;
    rlog.Attach(&receiver);
    QString got;
    int fromPort = 0;
    receiver.OnDataAvailable = [&](TWSocket* sender, int) {
        char buf[64];
        winsock::sockaddr_in from{};
        int len = sizeof from;
        const int n = sender->ReceiveDatagram(buf, int(sizeof buf), from, len);
        got = QString::fromLatin1(buf, n);
        fromPort = winsock::ntohs(from.sin_port);
    };
    receiver.AssignAddr(LoopbackAddr());
    receiver.AssignPort("0");
    receiver.AssignProto("udp");
    receiver.Listen();
    EXPECT_EQ(receiver.State(), wsConnected);
    EXPECT_EQ(rlog.Lines, QStringList({"state 7>2", "state 2>6", "state 6>4", "connected 0"}));

    TWSocket sender;
    EventLog slog;
    slog.Attach(&sender);
    Aim(sender, receiver.FetchLocalPort().toInt(), "udp");
    sender.Connect();
    EXPECT_EQ(sender.State(), wsConnected);
    EXPECT_TRUE(slog.Has("connected 0"));
    sender.SendText("ping");
    ASSERT_TRUE(PumpUntil([&] { return !got.isEmpty(); }));
    EXPECT_EQ(got, "ping");
    EXPECT_EQ(QString::number(fromPort), sender.FetchLocalPort());
}
