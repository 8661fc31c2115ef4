// The Winsock stand-in on its own: Winsock's error codes and notification rules over POSIX
// sockets, seen through a message window that records what it is posted.
#include <gtest/gtest.h>
#include <cstring>
#include <thread>
#include "platform/winsock/messagewindow.h"
#include "support/rawpeer.h"
#include "wsfixture.h"

using namespace winsock;

namespace {

constexpr UINT kNetMsg = 2000;
constexpr UINT kLookupMsg = 2001;

struct Posted {
    UINT msg;
    WPARAM wParam;
    int event;
    int error;
};

class Recorder final : public WindowProcedure {
public:
    Recorder() : window(CreateMessageWindow(this)) {}
    ~Recorder() { DestroyMessageWindow(window); }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        got.push_back({msg, wParam, SelectEvent(lParam), SelectError(lParam)});
        return 0;
    }
    // The network events posted for s, in order.
    std::vector<int> Events(SOCKET s) const
    {
        std::vector<int> out;
        for (const Posted& p : got)
            if (p.msg == kNetMsg && p.wParam == s)
                out.push_back(p.event);
        return out;
    }
    HWND window;
    std::vector<Posted> got;
};

// Winsock started for the test's own use.
class WinsockStandIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(0x0101, &data), 0);
        EXPECT_EQ(data.wVersion, 0x0101);
    }
    void TearDown() override
    {
        for (SOCKET s : open)
            closesocket(s);
        WSACleanup();
    }
    SOCKET Track(SOCKET s)
    {
        open.push_back(s);
        return s;
    }
    static sockaddr_in Loopback(int port)
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(u_short(port));
        a.sin_addr.s_addr = inet_addr("127.0.0.1");
        return a;
    }
    // A selecting stream socket connected to a raw listener; returns once connected.
    SOCKET ConnectTo(rawpeer::Listener& listener, Recorder& rec, long events)
    {
        const SOCKET s = Track(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        EXPECT_EQ(WSAAsyncSelect(s, rec.window, kNetMsg, events), 0);
        const sockaddr_in a = Loopback(listener.Port());
        EXPECT_EQ(connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
        if (events & FD_CONNECT)
            EXPECT_TRUE(PumpUntil([&] { return !rec.Events(s).empty(); }));
        else
            PumpFor(30);
        return s;
    }
    std::vector<SOCKET> open;
};

}  // namespace

TEST_F(WinsockStandIn, ErrorsAreWinsockCodesKeptPerThread)
{
    rawpeer::Listener taken;
    const SOCKET s = Track(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    const sockaddr_in a = Loopback(taken.Port());
    EXPECT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEADDRINUSE);
    EXPECT_EQ(gethostbyname(""), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    EXPECT_EQ(closesocket(INVALID_SOCKET), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(socket(AF_INET + 1, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);

    WSASetLastError(WSAEWOULDBLOCK);
    int inThread = -1;
    std::thread([&] {
        inThread = WSAGetLastError();
        WSASetLastError(WSAECONNREFUSED);
    }).join();
    EXPECT_EQ(inThread, 0);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
}

TEST_F(WinsockStandIn, RefusedConnectCompletesThroughConnectNotification)
{
    Recorder rec;
    const SOCKET s = Track(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    ASSERT_EQ(WSAAsyncSelect(s, rec.window, kNetMsg, FD_CONNECT | FD_WRITE | FD_READ | FD_CLOSE), 0);
    const sockaddr_in a = Loopback(rawpeer::UnusedPort());
    EXPECT_EQ(connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    ASSERT_TRUE(PumpUntil([&] { return !rec.got.empty(); }));
    PumpFor(50);
    ASSERT_EQ(rec.got.size(), 1u);
    EXPECT_EQ(rec.got[0].event, FD_CONNECT);
    EXPECT_EQ(rec.got[0].error, WSAECONNREFUSED);
    EXPECT_EQ(rec.got[0].wParam, s);
}

TEST_F(WinsockStandIn, ConnectGivesConnectThenOneWriteAndNoWriteAfterSendsThatFit)
{
    rawpeer::Listener listener;
    Recorder rec;
    const SOCKET s = ConnectTo(listener, rec, FD_CONNECT | FD_WRITE | FD_READ | FD_CLOSE);
    rawpeer::Conn peer(listener.Accept());
    PumpFor(30);
    EXPECT_EQ(rec.Events(s), (std::vector<int>{FD_CONNECT, FD_WRITE}));
    EXPECT_EQ(rec.got[0].error, 0);
    EXPECT_EQ(send(s, "hello", 5, 0), 5);
    PumpFor(30);
    EXPECT_EQ(rec.Events(s).size(), 2u);
    EXPECT_EQ(peer.Read(5), "hello");
}

TEST_F(WinsockStandIn, WriteComesBackOnceAfterASendThatWouldHaveBlocked)
{
    rawpeer::Listener listener(true);
    Recorder rec;
    const SOCKET s = ConnectTo(listener, rec, FD_CONNECT | FD_WRITE);
    rawpeer::Conn peer(listener.Accept());
    PumpFor(20);
    rec.got.clear();
    const QByteArray block(65536, 'z');
    qint64 queued = 0;
    for (;;) {
        const int n = send(s, block.constData(), int(block.size()), 0);
        if (n == SOCKET_ERROR) {
            EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
            break;
        }
        queued += n;
    }
    PumpFor(30);
    EXPECT_TRUE(rec.got.empty());  // nothing is writable yet
    std::thread reader([&] { peer.Read(int(queued), 10000); });
    const bool wrote = PumpUntil([&] { return !rec.got.empty(); });
    reader.join();
    ASSERT_TRUE(wrote);
    PumpFor(30);
    EXPECT_EQ(rec.Events(s), std::vector<int>{FD_WRITE});
}

TEST_F(WinsockStandIn, ReadStaysOutstandingUntilTheNextReceive)
{
    rawpeer::Listener listener;
    Recorder rec;
    const SOCKET s = ConnectTo(listener, rec, FD_READ | FD_CLOSE);
    rawpeer::Conn peer(listener.Accept());
    peer.SendAll("a");
    ASSERT_TRUE(PumpUntil([&] { return rec.Events(s).size() == 1; }));
    peer.SendAll("b");
    PumpFor(50);
    EXPECT_EQ(rec.Events(s), std::vector<int>{FD_READ});  // no second one before recv

    char c;
    ASSERT_EQ(recv(s, &c, 1, 0), 1);  // "b" still waits: the next FD_READ comes
    ASSERT_TRUE(PumpUntil([&] { return rec.Events(s).size() == 2; }));
    ASSERT_EQ(recv(s, &c, 1, 0), 1);
    PumpFor(50);
    EXPECT_EQ(rec.Events(s), (std::vector<int>{FD_READ, FD_READ}));

    peer.Close();
    ASSERT_TRUE(PumpUntil([&] { return rec.Events(s).size() == 3; }));
    PumpFor(50);
    EXPECT_EQ(rec.Events(s), (std::vector<int>{FD_READ, FD_READ, FD_CLOSE}));
    EXPECT_EQ(rec.got.back().error, 0);
}

TEST_F(WinsockStandIn, ResetByThePeerIsACloseWithTheResetCode)
{
    rawpeer::Listener listener;
    Recorder rec;
    const SOCKET s = ConnectTo(listener, rec, FD_READ | FD_CLOSE);
    rawpeer::Conn peer(listener.Accept());
    peer.Reset();
    ASSERT_TRUE(PumpUntil([&] { return !rec.Events(s).empty(); }));
    EXPECT_EQ(rec.Events(s), std::vector<int>{FD_CLOSE});
    EXPECT_EQ(rec.got.back().error, WSAECONNRESET);
}

TEST_F(WinsockStandIn, AcceptIsNotifiedOnceUntilAcceptIsCalled)
{
    Recorder rec;
    const SOCKET l = Track(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in a = Loopback(0);
    ASSERT_EQ(bind(l, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    int len = sizeof a;
    ASSERT_EQ(getsockname(l, reinterpret_cast<sockaddr*>(&a), &len), 0);
    ASSERT_EQ(listen(l, SOMAXCONN), 0);
    ASSERT_EQ(WSAAsyncSelect(l, rec.window, kNetMsg, FD_ACCEPT), 0);
    rawpeer::Conn c1 = rawpeer::Conn::To(ntohs(a.sin_port));
    rawpeer::Conn c2 = rawpeer::Conn::To(ntohs(a.sin_port));
    ASSERT_TRUE(PumpUntil([&] { return !rec.got.empty(); }));
    PumpFor(50);
    EXPECT_EQ(rec.Events(l), std::vector<int>{FD_ACCEPT});
    sockaddr_in peer{};
    int peerLen = sizeof peer;
    const SOCKET accepted = Track(accept(l, reinterpret_cast<sockaddr*>(&peer), &peerLen));
    ASSERT_NE(accepted, INVALID_SOCKET);
    EXPECT_EQ(peer.sin_addr.s_addr, inet_addr("127.0.0.1"));
    ASSERT_TRUE(PumpUntil([&] { return rec.Events(l).size() == 2; }));
    EXPECT_NE(Track(accept(l, nullptr, nullptr)), INVALID_SOCKET);
}

TEST_F(WinsockStandIn, AHandleCarriesAGenerationBesideItsDescriptor)
{
    const SOCKET first = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(closesocket(first), 0);
    const SOCKET second = Track(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    EXPECT_EQ(second & 0xffffffffu, first & 0xffffffffu);  // the descriptor number came back
    EXPECT_NE(second, first);
    winsock::u_long n = 0;
    EXPECT_EQ(ioctlsocket(first, FIONREAD, &n), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(closesocket(first), SOCKET_ERROR);
}

TEST_F(WinsockStandIn, OptionsReachTheSystemSocket)
{
    const SOCKET s = Track(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    const int on = 1;
    const int fd = int(s & 0xffffffffu);
    EXPECT_FALSE(rawpeer::KeepAliveOn(fd));
    ASSERT_EQ(setsockopt(s, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on), 0);
    EXPECT_TRUE(rawpeer::KeepAliveOn(fd));
    ASSERT_EQ(setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on), 0);
    EXPECT_TRUE(rawpeer::ReuseAddrOn(fd));
    const linger l{1, 0};
    EXPECT_EQ(setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l), 0);
    EXPECT_EQ(setsockopt(s, SOL_SOCKET, 0x7777, reinterpret_cast<const char*>(&on), sizeof on), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOPROTOOPT);
}

TEST_F(WinsockStandIn, HostLookupRunsAsideAndPostsItsReply)
{
    Recorder rec;
    alignas(hostent) char buf[MAXGETHOSTSTRUCT];
    const HANDLE h = WSAAsyncGetHostByName(rec.window, kLookupMsg, "localhost", buf, sizeof buf);
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(PumpUntil([&] { return !rec.got.empty(); }));
    ASSERT_EQ(rec.got.size(), 1u);
    EXPECT_EQ(rec.got[0].msg, kLookupMsg);
    EXPECT_EQ(rec.got[0].wParam, h);
    EXPECT_EQ(rec.got[0].error, 0);
    const auto* phe = reinterpret_cast<const hostent*>(buf);
    ASSERT_NE(phe->h_addr_list[0], nullptr);
    winsock::u_long addr;
    std::memcpy(&addr, phe->h_addr_list[0], 4);
    EXPECT_EQ(addr, inet_addr("127.0.0.1"));
    EXPECT_EQ(phe->h_length, 4);

    rec.got.clear();
    const HANDLE bad = WSAAsyncGetHostByName(rec.window, kLookupMsg, "", buf, sizeof buf);
    ASSERT_TRUE(PumpUntil([&] { return !rec.got.empty(); }));
    EXPECT_EQ(rec.got[0].wParam, bad);
    EXPECT_EQ(rec.got[0].error, WSAHOST_NOT_FOUND);
}

TEST_F(WinsockStandIn, ACancelledLookupIsNeverDelivered)
{
    Recorder rec;
    alignas(hostent) char buf[MAXGETHOSTSTRUCT];
    const HANDLE h = WSAAsyncGetHostByName(rec.window, kLookupMsg, "localhost", buf, sizeof buf);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(WSACancelAsyncRequest(h), 0);
    EXPECT_EQ(WSACancelAsyncRequest(h), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    PumpFor(300);
    EXPECT_TRUE(rec.got.empty());
}

TEST_F(WinsockStandIn, AMessageForADestroyedWindowIsDropped)
{
    auto* rec = new Recorder;
    const HWND window = rec->window;
    EXPECT_TRUE(PostMessage(window, kNetMsg, 1, 0));
    delete rec;  // with its message still queued
    PumpFor(20);
    EXPECT_FALSE(PostMessage(window, kNetMsg, 1, 0));
}

TEST_F(WinsockStandIn, WithoutStartupNothingWorks)
{
    WinsockUnload();  // the library's own use, if any, ends first
    WSACleanup();
    EXPECT_EQ(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    WSADATA data;
    ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    EXPECT_EQ(WSAStartup(0x0001, &data), WSAVERNOTSUPPORTED);
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_NE(s, INVALID_SOCKET);
    closesocket(s);
}
