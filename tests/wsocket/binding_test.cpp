// The send block, the error texts, the text routines, name resolution, and the loading and
// unloading of Winsock with the socket objects.
#include <gtest/gtest.h>
#include <memory>
#include "support/rawpeer.h"
#include "wsfixture.h"

using namespace winsock;

TEST(SendBuffer, AppendStoresWhatFitsAndConsumeEmptiesToTheStart)
{
    TBuffer b(400);
    const QByteArray data(300, 'x');
    EXPECT_EQ(b.Append(data.constData(), 300), 300);
    EXPECT_EQ(b.Append(data.constData(), 300), 100);  // 100 bytes free, 300 offered
    EXPECT_EQ(b.Append(data.constData(), 300), 0);    // full
    EXPECT_EQ(b.WritePosition(), 400);
    int count = -1;
    EXPECT_NE(b.PeekData(count), nullptr);
    EXPECT_EQ(count, 400);
    EXPECT_EQ(b.Consume(150), 150);
    b.PeekData(count);
    EXPECT_EQ(count, 250);
    EXPECT_EQ(b.Consume(1000), 250);  // only what is unread
    EXPECT_EQ(b.WritePosition(), 0);
    EXPECT_EQ(b.ReadPosition(), 0);
    EXPECT_EQ(b.PeekData(count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(b.Consume(1), 0);
    EXPECT_EQ(b.Append("ab", 2), 2);  // reused from its start
}

TEST(SendBuffer, SizeZeroOrLessMeans1514AndResizeKeepsStoredBytes)
{
    for (int size : {0, -5})
        EXPECT_EQ(TBuffer(size).Size(), 1514) << size;
    TBuffer b(10);
    b.Append("0123456789", 10);
    b.Consume(3);
    b.Resize(4);  // smaller than what it holds: nothing is cut off
    int count = 0;
    const char* p = b.PeekData(count);
    ASSERT_EQ(count, 7);
    EXPECT_EQ(QByteArray(p, count), "3456789");
    b.Resize(64);
    p = b.PeekData(count);
    EXPECT_EQ(QByteArray(p, count), "3456789");
    EXPECT_EQ(b.Append(QByteArray(100, 'y').constData(), 100), 54);
}

TEST(WinsockBinding, ErrorTexts)
{
    const std::pair<int, const char*> cases[] = {
        {0, "No Error"},
        {10035, "Operation would block"},
        {10048, "Address already in use"},
        {10054, "Connection reset by peer"},
        {10060, "Connection timed out"},
        {10061, "Connection refused"},
        {10093, "WinSock not initialized"},
        {11001, "Host not found"},
        {11004, "No Data"},
        {12345, "Not a WinSock error"},
        {-1, "Not a WinSock error"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(WinsockErrorText(code), text) << code;
}

TEST(WinsockBinding, DottedQuad)
{
    const std::pair<const char*, bool> cases[] = {
        {"10.0.0.1", true},     {"  10.0.0.1  ", true}, {"255.255.255.255", true},
        {"0.0.0.0", true},      {"10.0.0", false},      {"10..0.1", false},
        {".10.0.0.1", false},   {"10.0.0.", false},     {"10.0.0.256", false},
        {"10.0.0.1x", false},   {"10.0.0.1 x", false},  {"1.2.3.4.5", false},
        {"localhost", false},   {"   ", false},         {"300.1.1.1", false},
        {"10.0.0.0001", true},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsDottedQuad(text), expected) << text;
}

TEST(WinsockBinding, AtoiTakesLeadingDigitsAndRefusesOverflow)
{
    const std::pair<const char*, int> cases[] = {
        {"  25201abc", 25201}, {"abc", 0}, {"", 0}, {"-5", 0}, {"007", 7},
        {"2147483647", 2147483647}, {" 12 34", 12},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(WSocketAtoi(text), value) << text;
    for (const char* text : {"2147483648", "99999999999999999999999"}) {
        try {
            WSocketAtoi(text);
            ADD_FAILURE() << text;
        } catch (const ESocketException& e) {
            EXPECT_EQ(e.Message, "Integer overflow");
        }
    }
}

TEST(WinsockBinding, ResolutionFailuresHaveTheirMessages)
{
    struct Case {
        std::function<void()> call;
        QString error;
    };
    const Case cases[] = {
        {[] { WSocketResolveHost(""); }, "WSocketResolveHost: '' Invalid Hostname."},
        {[] { WSocketResolveHost(QString(257, 'a')); },
         "WSocketResolveHost: '" + QString(257, 'a') + "' Invalid Hostname."},
        {[] { WSocketResolvePort("", "tcp"); }, "WSocketResolvePort: Invalid Port."},
        {[] { WSocketResolvePort(QString(32, '1'), "tcp"); }, "WSocketResolvePort: Invalid Port."},
        {[] { WSocketResolvePort("80", ""); }, "WSocketResolvePort: Invalid Proto."},
        {[] { WSocketResolvePort("65536", "tcp"); }, "Range check error"},
        {[] { WSocketResolvePort("nosuchservice", "tcp"); },
         "WSocketResolvePort: Cannot convert port 'nosuchservice', Error #11004"},
        {[] { WSocketResolveProto(""); }, "WSocketResolveProto: Invalid Protocol."},
        {[] { WSocketResolveProto("nosuchproto"); },
         "WSocketResolveProto: Cannot convert protocol 'nosuchproto', Error #11004"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.error.toStdString();
        } catch (const ESocketException& e) {
            EXPECT_EQ(e.Message, c.error);
        }
    }
}

TEST(WinsockBinding, ResolutionOfNumbersAndNames)
{
    EXPECT_EQ(WSocketResolvePort("25201", "tcp"), 25201);
    EXPECT_EQ(WSocketResolvePort("http", "tcp"), 80);
    EXPECT_EQ(WSocketResolvePort("0", "tcp"), 0);
    EXPECT_EQ(WSocketResolveProto("tcp"), 6);
    EXPECT_EQ(WSocketResolveProto("udp"), 17);
    EXPECT_EQ(WSocketResolveProto("6"), 6);
    const winsock::u_long loopback = WSocketResolveHost("127.0.0.1");
    const auto* b = reinterpret_cast<const unsigned char*>(&loopback);
    EXPECT_EQ(QList<int>({int(b[0]), int(b[1]), int(b[2]), int(b[3])}), QList<int>({127, 0, 0, 1}));
    EXPECT_EQ(WSocketResolveHost(" localhost "), loopback);
    EXPECT_EQ(WSocketResolveHost("255.255.255.255"), 0xffffffffu);
}

TEST(WinsockBinding, LastSocketUnloadsWinsockAndTheNextLoadsItAgain)
{
    rawpeer::Listener listener;
    ASSERT_EQ(WSocketInstanceCount().load(), 0) << "a test left a socket object alive";
    for (int round = 0; round < 2; ++round) {
        auto s = std::make_unique<TWSocket>();
        auto t = std::make_unique<TWSocket>();
        EXPECT_EQ(WSocketInstanceCount().load(), 2);
        s->AssignAddr(LoopbackAddr());
        s->AssignPort(QString::number(listener.Port()));
        s->Connect();
        EXPECT_TRUE(WinsockLoaded());
        ASSERT_TRUE(PumpUntil([&] { return s->State() == wsConnected; })) << round;
        t.reset();
        EXPECT_TRUE(WinsockLoaded());
        s.reset();
        EXPECT_FALSE(WinsockLoaded());
        EXPECT_EQ(WSocketInstanceCount().load(), 0);
        // Winsock itself has ended: its functions refuse to work.
        EXPECT_EQ(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP), INVALID_SOCKET);
        EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    }
}
