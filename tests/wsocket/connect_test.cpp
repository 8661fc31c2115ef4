// Connecting, the order of events, and the dispatch of Winsock notifications, on real
// loopback TCP against plain POSIX peers.
#include <gtest/gtest.h>
#include <QPointer>
#include <QRegularExpression>
#include <chrono>
#include <memory>
#include <thread>
#include "wsfixture.h"

using namespace winsock;

namespace {

using SocketConnect = PeerTest;
using SocketSlowConnect = SlowPeerTest;

void Post(TWSocket& s, SOCKET Handle, long Event, int Error)
{
    PostMessage(s.Handle(), WM_ASYNCSELECT, Handle, MakeSelectReply(Event, Error));
}

// Lets a reset sent by the peer arrive without the event loop seeing it.
void LetTheResetArrive() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

}  // namespace

TEST_F(SocketConnect, ConnectedThenDataSentWithNothingSent)
{
    Aim();
    s.Connect();
    EXPECT_EQ(s.State(), wsConnecting);
    ASSERT_TRUE(PumpUntil([&] { return log.Has("sent 0"); }));
    EXPECT_EQ(log.Lines, QStringList({"state 7>1", "state 1>3", "state 3>4", "connected 0",
                                      "sent 0"}));
    EXPECT_EQ(s.State(), wsConnected);
}

TEST_F(SocketConnect, RefusedGivesConnectedWithErrorThenClosedZero)
{
    ::Aim(s, rawpeer::UnusedPort());
    s.Connect();
    ASSERT_TRUE(PumpUntil([&] { return log.Has("closed 0"); }));
    EXPECT_EQ(log.Lines, QStringList({"state 7>1", "state 1>3", "state 3>4", "connected 10061",
                                      "state 4>7", "closed 0"}));
    EXPECT_EQ(s.State(), wsClosed);
    EXPECT_EQ(s.HSocket(), INVALID_SOCKET);
}

TEST_F(SocketConnect, PeerCloseOffersEveryWaitingByteBeforeClosedEvenWithoutReceiveLoop)
{
    s.ComponentOptions = wsoNoReceiveLoop;
    QByteArray got;
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        char c;
        if (sender->ReceiveInto(&c, 1) == 1)  // one byte per event
            got += c;
    };
    Open();
    peer.SendAll("abcdef");
    peer.Close();
    ASSERT_TRUE(PumpUntil([&] { return log.Has("closed 0"); }));
    EXPECT_EQ(got, "abcdef");
    EXPECT_EQ(log.Events().count("closed 0"), 1);
    EXPECT_EQ(s.State(), wsClosed);
}

TEST_F(SocketConnect, SessionClosedFiresOnceWhenThePeersCloseIsToldFirst)
{
    Open();
    peer.Close();
    PumpFor(50);  // the close notification is handled ...
    s.CloseConnection();  // ... and the own close comes after it
    PumpFor(50);
    EXPECT_EQ(log.Events().filter("closed"), QStringList({"closed 0"}));
}

TEST_F(SocketConnect, SessionClosedFiresOnceWhenTheOwnCloseComesFirst)
{
    Open();
    peer.Close();
    s.CloseConnection();  // before the peer's close is told
    PumpFor(100);
    EXPECT_EQ(log.Events().filter("closed"), QStringList({"closed 0"}));
}

TEST_F(SocketConnect, DataBeforeTheConnectNotificationConnectsFirst)
{
    log.Attach(&s, true);
    Aim();
    s.Connect();
    // A read notification queued ahead of the connect notification.
    Post(s, s.HSocket(), FD_READ, 0);
    ASSERT_TRUE(PumpUntil([&] { return log.Has("sent 0"); }));
    const QStringList events = log.Events();
    ASSERT_GE(events.size(), 2);
    EXPECT_EQ(events[0], "connected 0");
    EXPECT_EQ(events[1], "data 0");
    EXPECT_EQ(events.count("connected 0"), 1);
}

TEST_F(SocketConnect, CloseNotificationWhileConnectingIsIgnored)
{
    Aim();
    s.Connect();
    Post(s, s.HSocket(), FD_CLOSE, WSAECONNRESET);
    ASSERT_TRUE(PumpUntil([&] { return log.Has("connected 0"); }));
    PumpFor(50);
    EXPECT_EQ(log.Events().filter("closed").size(), 0);
    EXPECT_EQ(s.State(), wsConnected);
}

TEST_F(SocketConnect, NotificationOfAnEarlierConnectionIsIgnoredWhenTheDescriptorIsReused)
{
    Open();
    const SOCKET old = s.HSocket();
    s.CloseConnection();
    Open();
    // The system gave the new connection the same descriptor; the handle still differs.
    EXPECT_EQ(s.HSocket() & 0xffffffffu, old & 0xffffffffu);
    EXPECT_NE(s.HSocket(), old);
    log.Lines.clear();
    Post(s, old, FD_CLOSE, 0);
    PumpFor(50);
    EXPECT_TRUE(log.Lines.isEmpty());
    EXPECT_EQ(s.State(), wsConnected);
}

TEST_F(SocketConnect, SettersRefuseAnOpenSocketButAcceptTheSameText)
{
    Open();
    struct Case {
        const char* name;
        std::function<void()> assign;
        QString error;
    };
    const QString port = QString::number(listener->Port());
    const Case cases[] = {
        {"Addr", [&] { s.AssignAddr("10.0.0.1"); }, "Cannot change Addr if not closed"},
        {"Port", [&] { s.AssignPort("81"); }, "Cannot change Port if not closed"},
        {"Proto", [&] { s.AssignProto("udp"); }, "Cannot change Proto if not closed"},
        {"LocalPort", [&] { s.AssignLocalPort("0"); }, "Cannot change LocalPort if not closed"},
        {"LocalAddr", [&] { s.AssignLocalAddr(""); }, "Cannot change LocalAddr if not closed"},
        {"same Addr", [&] { s.AssignAddr(LoopbackAddr()); }, "<no error>"},
        {"same Port", [&] { s.AssignPort(port); }, "<no error>"},
        {"same Proto", [&] { s.AssignProto("tcp"); }, "<no error>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.assign), c.error) << c.name;
    // Through OnError the refusal leaves the text unchanged.
    int errors = 0;
    s.OnError = [&](TWSocket*) { ++errors; };
    s.AssignAddr("10.0.0.1");
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(s.FetchAddr(), LoopbackAddr());
}

TEST(SocketOpeningRefusal, ConnectAndListenReportWhatIsMissingOrWrongBeforeOpeningAnything)
{
    struct Case {
        bool listen;
        const char* addr;
        const char* port;
        const char* proto;
        QString error;
    };
    const Case cases[] = {
        {false, "127.0.0.1", "", "tcp", "Connect: No Port Specified"},
        {false, "", "80", "tcp", "Connect: No IP Address Specified"},
        {false, "127.0.0.1", "80", "", "Connect: No Protocol Specified"},
        {false, "127.0.0.1", "70000", "tcp", "connect: Range check error"},
        {false, "127.0.0.1", "99999999999", "tcp", "connect: Integer overflow"},
        {false, "127.0.0.1", "nosuchservice", "tcp",
         "connect: WSocketResolvePort: Cannot convert port 'nosuchservice', Error #11004"},
        {false, "127.0.0.1", "80", "nosuchproto",
         "connect: WSocketResolveProto: Cannot convert protocol 'nosuchproto', Error #11004"},
        {true, "0.0.0.0", "", "tcp", "Error 10022 in function listen: port not assigned\r\nInvalid argument"},
        {true, "0.0.0.0", "0", "", "Error 10022 in function listen: protocol not assigned\r\nInvalid argument"},
        {true, "", "0", "tcp", "Error 10022 in function listen: address not assigned\r\nInvalid argument"},
        {true, "0.0.0.0", "70000", "tcp", "Range check error"},
    };
    for (const Case& c : cases) {
        TWSocket s;
        s.AssignAddr(c.addr);
        s.AssignPort(c.port);
        s.AssignProto(c.proto);
        EXPECT_EQ(ErrorOf([&] { c.listen ? s.Listen() : s.Connect(); }), c.error)
            << c.addr << " " << c.port << " " << c.proto;
        EXPECT_EQ(s.State(), wsClosed);
        EXPECT_EQ(s.HSocket(), INVALID_SOCKET);
    }
}

TEST_F(SocketConnect, ConnectTwiceIsRefused)
{
    Aim();
    s.Connect();
    EXPECT_EQ(ErrorOf([&] { s.Connect(); }), "Connect: Socket already in use");
}

TEST_F(SocketConnect, SendWhileConnectingClosesAndReportsNotConnected)
{
    Aim();
    s.Connect();
    ASSERT_EQ(s.State(), wsConnecting);
    EXPECT_EQ(ErrorOf([&] { s.SendText("x"); }),
              "Error 10057 in function Send\r\nSocket is not connected");
    EXPECT_EQ(log.Events(), QStringList({"closed 10057"}));
    EXPECT_EQ(s.State(), wsClosed);
    EXPECT_EQ(s.LastError(), 10057);
    PumpFor(50);
    EXPECT_EQ(log.Events(), QStringList({"closed 10057"}));
}

TEST_F(SocketConnect, ReceiveTextReturnsWhatWaitsAndEmptyWhenNothingDoes)
{
    QStringList texts;
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        EXPECT_EQ(sender->RcvdCount(), 3);
        texts << sender->ReceiveText();
    };
    Open();
    peer.SendAll("a\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !texts.isEmpty(); }));
    EXPECT_EQ(texts, QStringList({"a\r\n"}));
    EXPECT_EQ(s.ReceiveText(), QString());
    EXPECT_EQ(s.LastError(), WSAEWOULDBLOCK);
    EXPECT_EQ(s.ReadCount(), 3);
}

TEST_F(SocketConnect, WithoutDataHandlerReceivedBytesAreDropped)
{
    Open();
    peer.SendAll(QByteArray(3000, 'x'));
    ASSERT_TRUE(PumpUntil([&] { return s.RcvdCount() == 0; }));
    PumpFor(50);
    EXPECT_EQ(s.RcvdCount(), 0);
    QString got;
    s.OnDataAvailable = [&](TWSocket* sender, int) { got += sender->ReceiveText(); };
    peer.SendAll("end");
    ASSERT_TRUE(PumpUntil([&] { return !got.isEmpty(); }));
    EXPECT_EQ(got, "end");
}

TEST_F(SocketConnect, AHandlerThatDoesNotReadGetsOneEventPerNotification)
{
    int calls = 0;
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        if (++calls > 100)
            sender->ReceiveText();  // a runaway loop ends here and fails the count below
    };
    Open();
    peer.SendAll("unread");
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpFor(100);
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(s.ReceiveText(), "unread");
}

TEST_F(SocketConnect, TestMessageEndsInBackgroundExceptionThatAbortsByDefault)
{
    for (bool keep : {false, true}) {
        QString seen;
        s.OnBgException = [&](TWSocket*, const std::exception& e, bool& canClose) {
            seen = QString::fromUtf8(e.what());
            canClose = !keep;
        };
        Open();
        PostMessage(s.Handle(), WM_TRIGGER_EXCEPTION, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return !seen.isEmpty(); }));
        EXPECT_EQ(seen, "Test exception in WSocket");
        EXPECT_EQ(s.State(), keep ? wsConnected : wsClosed) << keep;
        s.CloseConnection();
    }
}

TEST_F(SocketConnect, ResetPeerMakesPeerAddressDropTheSocketThroughItsCloseEvents)
{
    Open();
    peer.Reset();
    LetTheResetArrive();
    EXPECT_EQ(ErrorOf([&] { s.PeerAddr(); }),
              "Error 10057 in function GetPeerName\r\nSocket is not connected");
    EXPECT_EQ(log.Events().filter(QRegularExpression("^(connected|closed)")),
              QStringList({"connected 0", "closed 10057"}));
    EXPECT_EQ(s.State(), wsClosed);
    // The close reset the fields: the port must be given again.
    EXPECT_EQ(ErrorOf([&] { s.Connect(); }), "Connect: No Port Specified");
}

TEST_F(SocketConnect, SendAfterPeerResetClosesWithTheResetCode)
{
    Open();
    ASSERT_TRUE(PumpUntil([&] { return log.Has("sent 0"); }));
    peer.Reset();
    LetTheResetArrive();
    log.Lines.clear();
    s.SendText("into the void");
    EXPECT_EQ(log.Events(), QStringList({"closed 10054"}));
    EXPECT_EQ(s.State(), wsClosed);
    // What was lost is never told as sent.
    PumpFor(50);
    EXPECT_EQ(log.Events(), QStringList({"closed 10054"}));
}

TEST_F(SocketSlowConnect, QueuedDataResumedAfterPeerResetClosesWithoutDataSent)
{
    Open();
    ASSERT_TRUE(PumpUntil([&] { return log.Has("sent 0"); }));
    const QByteArray data(16 << 20, 'q');
    s.Send(data.constData(), int(data.size()));
    ASSERT_FALSE(s.AllSent());
    peer.Reset();
    LetTheResetArrive();
    log.Lines.clear();
    // The write notification resumes the queue on the reset connection.
    Post(s, s.HSocket(), FD_WRITE, 0);
    ASSERT_TRUE(PumpUntil([&] { return s.State() == wsClosed; }));
    PumpFor(50);
    EXPECT_EQ(log.Events(), QStringList({"closed 10054"}));
}

TEST_F(SocketConnect, ReconnectFromSessionClosedKeepsTheNewConnection)
{
    bool retried = false;
    s.OnSessionClosed = [&](TWSocket*, int) {
        if (retried)
            return;
        retried = true;
        Aim();
        s.Connect();
    };
    ::Aim(s, rawpeer::UnusedPort());
    s.Connect();
    ASSERT_TRUE(PumpUntil([&] { return s.State() == wsConnected; }));
    rawpeer::Conn accepted(listener->Accept());
    EXPECT_TRUE(accepted.Valid());
    EXPECT_NE(s.HSocket(), INVALID_SOCKET);
}

TEST(SocketPostFree, FromTheObjectsOwnHandlerItWaitsForTheHandlerToReturn)
{
    rawpeer::Listener listener;
    QPointer<TWSocket> s = new TWSocket;
    bool aliveAfterNestedLoop = false;
    s->OnDataAvailable = [&](TWSocket* sender, int) {
        sender->ReceiveText();
        sender->PostFree();
        PumpFor(50);  // a modal box would run the loop like this
        aliveAfterNestedLoop = !s.isNull();
    };
    Aim(*s, listener.Port());
    s->Connect();
    rawpeer::Conn peer(listener.Accept());
    peer.SendAll("x");
    ASSERT_TRUE(PumpUntil([&] { return s.isNull(); }));
    EXPECT_TRUE(aliveAfterNestedLoop);
}

TEST(ClosedSocket, OperationsThatNeedAConnectionOrAListenerRefuse)
{
    TWSocket s;
    EXPECT_EQ(ErrorOf([&] { s.Accept(); }),
              "Error 10022 in function not a listening socket\r\nInvalid argument");
    EXPECT_EQ(ErrorOf([&] { s.Dup(0); }), "Error 10022 in function Dup\r\nInvalid argument");
    EXPECT_EQ(ErrorOf([&] { s.Dup(INVALID_SOCKET); }), "Error 10022 in function Dup\r\nInvalid argument");
    EXPECT_EQ(ErrorOf([&] { s.AssignSendFlags(TSocketSendFlags(7)); }), "Invalid SendFlags");
    EXPECT_EQ(s.PeerAddr(), "error");
    EXPECT_EQ(s.PeerPort(), "error");
    EXPECT_EQ(s.FetchLocalPort(), "error");
    EXPECT_EQ(s.FetchLocalAddr(), "error");
    winsock::sockaddr_in a{};
    int len = sizeof a;
    EXPECT_EQ(s.FetchPeerSockAddr(a, len), -1);
    s.AssignSendFlags(wsSendUrgent);
    EXPECT_EQ(s.FetchSendFlags(), wsSendUrgent);
}

TEST_F(SocketConnect, ALocalAddressBindsTheSocketBeforeItConnects)
{
    s.AssignLocalAddr("127.0.0.1");
    EXPECT_EQ(s.LocalPort(), "0");
    Open();
    // The port the system chose is the one the peer sees.
    EXPECT_NE(s.LocalPort(), "0");
    EXPECT_EQ(s.LocalPort(), s.FetchLocalPort());
    EXPECT_EQ(s.FetchLocalAddr(), "127.0.0.1");
    EXPECT_EQ(s.PeerPort(), QString::number(listener->Port()));
    EXPECT_EQ(s.PeerAddr(), "127.0.0.1");
    s.CloseConnection();
    EXPECT_EQ(s.LocalPort(), "0");
    EXPECT_EQ(s.LocalAddr(), "0.0.0.0");
}

TEST(SocketDestruction, DestroyingAConnectedSocketClosesItWithoutAnyEvent)
{
    rawpeer::Listener listener;
    auto s = std::make_unique<TWSocket>();
    int events = 0;
    s->OnSessionClosed = [&](TWSocket*, int) { ++events; };
    s->OnChangeState = [&](TWSocket*, TSocketState, TSocketState) { ++events; };
    s->OnDataAvailable = [&](TWSocket*, int) { ++events; };
    Aim(*s, listener.Port());
    s->Connect();
    rawpeer::Conn peer(listener.Accept());
    ASSERT_TRUE(PumpUntil([&] { return s->State() == wsConnected; }));
    peer.SendAll("pending");
    events = 0;
    s.reset();
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(peer.WaitClosed());
}
