// The SOCKS layer: against the system's SOCKS server (versions 4 and 5, with and without the
// user-code method) and against a scripted proxy for the exchanges a real server will not
// produce on demand (a granted password, odd replies, one byte at a time).
#include <gtest/gtest.h>
#include <memory>
#include "support/rawpeer.h"
#include "socksproxy.h"
#include "wsfixture.h"

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

QByteArray PortBytes(int port) { return Bytes({port >> 8, port & 0xff}); }

// A socket going through the proxy at ProxyPort to Addr:Port, with every event recorded.
struct SocksClient {
    SocksClient(int ProxyPort, const QString& Level, const QString& Addr, int Port)
    {
        log.Attach(&s);
        s.OnDataSent = nullptr;  // the layer's own requests are sends as well
        s.AssignAddr(Addr);
        s.AssignPort(QString::number(Port));
        s.AssignSocksServer("127.0.0.1");
        s.AssignSocksPort(QString::number(ProxyPort));
        s.AssignSocksLevel(Level);
        s.OnSocksConnected = [this](TWSocket*, int error) { log.Lines << QStringLiteral("socks connected %1").arg(error); };
        s.OnSocksError = [this](TWSocket*, int error, const QString& msg) {
            log.Lines << QStringLiteral("socks error %1 %2").arg(error).arg(msg);
        };
        s.OnSocksAuthState = [this](TWSocket*, TSocksAuthState state) { log.Lines << QStringLiteral("auth %1").arg(int(state)); };
        s.OnDataAvailable = [this](TWSocket* sender, int) { data += sender->ReceiveText(); };
    }
    bool WaitClosed() { return PumpUntil([&] { return s.State() == wsClosed && !log.Events().filter("closed").isEmpty(); }); }
    TWSocket s;
    EventLog log;
    QString data;
};

class SocksThroughDanted : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (Danted::Installed())
            danted = std::make_unique<Danted>();
    }
    static void TearDownTestSuite() { danted.reset(); }
    void SetUp() override
    {
        if (!danted)
            GTEST_SKIP() << "dante-server is not installed";
        ASSERT_TRUE(danted->Running()) << danted->Error().toStdString();
    }
    static std::unique_ptr<Danted> danted;
};
std::unique_ptr<Danted> SocksThroughDanted::danted;

// Through the proxy to a plain destination: the greeting goes both ways.
void ExchangeThrough(SocksClient& c, rawpeer::Listener& destination)
{
    ASSERT_TRUE(PumpUntil([&] { return c.log.Has("connected 0") || c.s.State() == wsClosed; }));
    ASSERT_EQ(c.s.State(), wsConnected) << c.log.Lines.join(" | ").toStdString();
    rawpeer::Conn target(destination.Accept());
    ASSERT_TRUE(target.Valid());
    target.SendAll("hello\r\n");
    ASSERT_TRUE(PumpUntil([&] { return c.data == "hello\r\n"; }));
    c.s.SendText("world\r\n");
    EXPECT_EQ(target.ReadUntil("\r\n"), "world\r\n");
}

}  // namespace

TEST_F(SocksThroughDanted, Version5WithoutAuthentication)
{
    rawpeer::Listener destination;
    SocksClient c(danted->Port(), "5", "127.0.0.1", destination.Port());
    c.s.Connect();
    ExchangeThrough(c, destination);
    EXPECT_EQ(c.log.Events().mid(0, 2), QStringList({"socks connected 0", "connected 0"}));
    EXPECT_EQ(c.s.BoundAddr(), "127.0.0.1");
    EXPECT_GT(c.s.BoundPort().toInt(), 0);
}

TEST_F(SocksThroughDanted, Version4)
{
    rawpeer::Listener destination;
    SocksClient c(danted->Port(), "4", "127.0.0.1", destination.Port());
    c.s.SocksUsercode = "velmora";
    c.s.Connect();
    ExchangeThrough(c, destination);
}

TEST_F(SocksThroughDanted, LineModeThroughTheProxy)
{
    rawpeer::Listener destination;
    SocksClient c(danted->Port(), "5", "127.0.0.1", destination.Port());
    c.s.AssignLineMode(true);
    QStringList lines;
    c.s.OnDataAvailable = [&](TWSocket* sender, int) { lines << sender->ReceiveText(); };
    c.s.Connect();
    ASSERT_TRUE(PumpUntil([&] { return c.s.State() == wsConnected && c.log.Has("connected 0"); }));
    rawpeer::Conn target(destination.Accept());
    target.SendAll("Welcome to Velmora\r\nTime 5\r\n");
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 2; }));
    EXPECT_EQ(lines, QStringList({"Welcome to Velmora\r\n", "Time 5\r\n"}));
}

TEST_F(SocksThroughDanted, RefusedDestinationEndsWithTheProxysVerdict)
{
    struct Case {
        const char* level;
        QString error;
        int code;
    };
    const Case cases[] = {
        {"5", "socks error 20008 connection refused", 20008},
        {"4", "socks error 20016 request rejected or failed", 20016},
    };
    for (const Case& k : cases) {
        SocksClient c(danted->Port(), k.level, "127.0.0.1", rawpeer::UnusedPort());
        c.s.Connect();
        ASSERT_TRUE(c.WaitClosed()) << k.level;
        EXPECT_EQ(c.log.Events(), QStringList({"socks connected 0", k.error,
                                               QStringLiteral("connected %1").arg(k.code),
                                               QStringLiteral("closed %1").arg(k.code)}))
            << k.level;
    }
}

TEST_F(SocksThroughDanted, UnknownUserIsRefusedByThePasswordMethod)
{
    rawpeer::Listener destination;
    SocksClient c(danted->Port(), "5", "127.0.0.1", destination.Port());
    c.s.SocksAuthentication = socksAuthenticateUsercode;
    c.s.SocksUsercode = "no-such-velmora-user";
    c.s.SocksPassword = "wrong";
    c.s.Connect();
    ASSERT_TRUE(c.WaitClosed());
    EXPECT_EQ(c.log.Events(), QStringList({"socks connected 0", "auth 0",
                                           "socks error 20015 socks authentication failed",
                                           "connected 20015", "closed 20015"}));
}

// --- scripted proxy --------------------------------------------------------------------------

namespace {

const QByteArray kGreetingNone = Bytes({5, 1, 0});
const QByteArray kGreetingUser = Bytes({5, 1, 2});

QByteArray Socks5Request(const QByteArray& host, int port)
{
    return Bytes({5, 1, 0, 3, int(host.size())}) + host + PortBytes(port);
}

QByteArray Socks5Granted() { return Bytes({5, 0, 0, 1, 10, 0, 0, 1, 0x30, 0x39}); }

}  // namespace

TEST(SocksScripted, PasswordAcceptedThenDataThatCameWithTheReply)
{
    const QByteArray auth = Bytes({1, 4}) + "user" + Bytes({4}) + "pass";
    ScriptedProxy proxy({{kGreetingUser, Bytes({5, 2})},
                         {auth, Bytes({1, 0})},
                         {Socks5Request("target.example", 25201), Socks5Granted() + "hello\r\n"}});
    SocksClient c(proxy.Port(), "5", "target.example", 25201);
    c.s.SocksAuthentication = socksAuthenticateUsercode;
    c.s.SocksUsercode = "user";
    c.s.SocksPassword = "pass";
    c.s.Connect();
    ASSERT_TRUE(PumpUntil([&] { return c.data == "hello\r\n"; }));
    EXPECT_EQ(c.log.Events(), QStringList({"socks connected 0", "auth 0", "auth 1", "connected 0"}));
    EXPECT_EQ(c.s.State(), wsConnected);
    EXPECT_EQ(c.s.BoundAddr(), "10.0.0.1");
    EXPECT_EQ(c.s.BoundPort(), "12345");
    c.s.CloseConnection();
    ASSERT_TRUE(PumpUntil([&] { return proxy.Finished(); }));
    EXPECT_EQ(proxy.Received(), kGreetingUser + auth + Socks5Request("target.example", 25201));
}

TEST(SocksScripted, DataLeftOverFromTheReplyDoesNotHoldBackWhatArrivesNext)
{
    ScriptedProxy proxy({{kGreetingNone, Bytes({5, 0})},
                         {Socks5Request("h", 80), Socks5Granted() + "hello"},
                         {{}, "NET", 200}});
    SocksClient c(proxy.Port(), "5", "h", 80);
    // One byte per event: what came with the reply is still left when more arrives.
    c.s.OnDataAvailable = [&](TWSocket* sender, int) {
        char ch;
        if (sender->ReceiveInto(&ch, 1) == 1)
            c.data += QLatin1Char(ch);
    };
    c.s.Connect();
    EXPECT_TRUE(PumpUntil([&] { return c.data == "helloNET"; }, 2000)) << c.data.toStdString();
    c.s.CloseConnection();
    ASSERT_TRUE(PumpUntil([&] { return proxy.Finished(); }));
}

TEST(SocksScripted, AuthenticationReplyByteByByteIsDecidedAtItsSecondByte)
{
    const QByteArray auth = Bytes({1, 1}) + "u" + Bytes({1}) + "p";
    ScriptedProxy proxy({{kGreetingUser, Bytes({5, 2})},
                         {auth, Bytes({1})},
                         {{}, Bytes({0}), 200},  // nothing may come before this second byte
                         {Socks5Request("h", 80), Socks5Granted()}});
    SocksClient c(proxy.Port(), "5", "h", 80);
    c.s.SocksAuthentication = socksAuthenticateUsercode;
    c.s.SocksUsercode = "u";
    c.s.SocksPassword = "p";
    c.s.Connect();
    ASSERT_TRUE(PumpUntil([&] { return c.log.Has("connected 0"); }));
    c.s.CloseConnection();
    ASSERT_TRUE(PumpUntil([&] { return proxy.Finished(); }));
    EXPECT_FALSE(proxy.EarlyData());
    EXPECT_EQ(c.log.Events().filter("auth"), QStringList({"auth 0", "auth 1"}));
}

TEST(SocksScripted, ProxyAnswersWithoutAuthenticationWhenUserCodeWasOffered)
{
    ScriptedProxy proxy({{kGreetingUser, Bytes({5, 0})}, {Socks5Request("h", 80), Socks5Granted()}});
    SocksClient c(proxy.Port(), "5", "h", 80);
    c.s.SocksAuthentication = socksAuthenticateUsercode;
    c.s.Connect();
    ASSERT_TRUE(PumpUntil([&] { return c.log.Has("connected 0"); }));
    EXPECT_EQ(c.log.Events().filter("auth"), QStringList({"auth 3"}));
}

TEST(SocksScripted, Version4And4ARequests)
{
    struct Case {
        const char* level;
        QByteArray request;
    };
    const Case cases[] = {
        {"4", Bytes({4, 1}) + PortBytes(8080) + Bytes({127, 0, 0, 1}) + "bob" + Bytes({0})},
        {"4a", Bytes({4, 1}) + PortBytes(8080) + Bytes({0, 0, 0, 1}) + "bob" + Bytes({0}) + "localhost" + Bytes({0})},
    };
    for (const Case& k : cases) {
        ScriptedProxy proxy({{k.request, Bytes({0, 90, 0, 0, 0, 0, 0, 0}) + "x"}});
        SocksClient c(proxy.Port(), k.level, "localhost", 8080);
        EXPECT_EQ(c.s.SocksLevel(), QString(k.level).toUpper());
        c.s.SocksUsercode = "bob";
        c.s.Connect();
        ASSERT_TRUE(PumpUntil([&] { return c.data == "x"; })) << k.level;
        EXPECT_EQ(c.log.Events(), QStringList({"socks connected 0", "connected 0"})) << k.level;
        EXPECT_EQ(c.s.State(), wsConnected);
        c.s.CloseConnection();
        ASSERT_TRUE(PumpUntil([&] { return proxy.Finished(); }));
        EXPECT_EQ(proxy.Received(), k.request) << k.level;
    }
}

TEST(SocksScripted, FailuresReportTheirCodeAndText)
{
    struct Case {
        std::vector<ProxyStep> steps;
        QString level;
        QString error;
    };
    const auto refused = [](int reply) {
        return std::vector<ProxyStep>{{kGreetingNone, Bytes({5, 0})},
                                      {Socks5Request("h", 80), Bytes({5, reply, 0, 1, 0, 0, 0, 0, 0, 0})}};
    };
    const auto v4 = [](int reply) {
        return std::vector<ProxyStep>{{Bytes({4, 1, 0, 80, 127, 0, 0, 1, 0}), Bytes({0, reply, 0, 0, 0, 0, 0, 0})}};
    };
    const Case cases[] = {
        {{{kGreetingNone, Bytes({5, 255})}}, "5", "20003 authentification method not acceptable"},
        {{{kGreetingNone, Bytes({4, 0})}}, "5", "20002 socks version error"},
        {refused(1), "5", "20004 general SOCKS server failure"},
        {refused(2), "5", "20005 connection not allowed by ruleset"},
        {refused(3), "5", "20006 network unreachable"},
        {refused(4), "5", "20007 host unreachable"},
        {refused(5), "5", "20008 connection refused"},
        {refused(6), "5", "20009 time to live expired"},
        {refused(7), "5", "20010 command not supported"},
        {refused(8), "5", "20011 address type not supported"},
        {refused(9), "5", "20012 unassigned error #9"},
        {{{kGreetingNone, Bytes({5, 0})}, {Socks5Request("h", 80), Bytes({5, 0, 0, 4, 1})}}, "5",
         "20011 address type not supported"},
        {v4(91), "4", "20016 request rejected or failed"},
        {v4(92), "4", "20008 connection refused"},
        {v4(93), "4", "20015 authentification failed"},
        {v4(94), "4", "20012 unassigned error #94"},
    };
    for (const Case& k : cases) {
        ScriptedProxy proxy(k.steps);
        SocksClient c(proxy.Port(), k.level, k.level == u"4" ? "127.0.0.1" : "h", 80);
        c.s.Connect();
        ASSERT_TRUE(c.WaitClosed()) << k.error.toStdString();
        const int code = k.error.left(5).toInt();
        EXPECT_EQ(c.log.Events().mid(1), QStringList({"socks error " + k.error,
                                                      QStringLiteral("connected %1").arg(code),
                                                      QStringLiteral("closed %1").arg(code)}))
            << k.error.toStdString();
    }
}

TEST(SocksScripted, WhatDoesNotFitARequestOrTheReplyBufferIsRefused)
{
    struct Case {
        std::vector<ProxyStep> steps;
        QString addr;
        QString user;
        QString error;
        QByteArray sent;
    };
    const QString longHost(256, 'h');
    const Case cases[] = {
        // 3 + 70 + 70 bytes do not fit the 128 of an authentication request.
        {{{kGreetingUser, Bytes({5, 2})}}, "h", QString(70, 'u'),
         "20014 socks user code or password too long", kGreetingUser},
        {{{kGreetingNone, Bytes({5, 0})}}, longHost, "", "20014 socks host name too long", kGreetingNone},
        // A bound host name of 200 bytes: a reply longer than the reply buffer.
        {{{kGreetingNone, Bytes({5, 0})}, {Socks5Request("h", 80), Bytes({5, 0, 0, 3, 200}) + QByteArray(123, 'n')}},
         "h", "", "20001 too much data availaible", kGreetingNone + Socks5Request("h", 80)},
    };
    for (const Case& k : cases) {
        ScriptedProxy proxy(k.steps);
        SocksClient c(proxy.Port(), "5", k.addr, 80);
        if (!k.user.isEmpty()) {
            c.s.SocksAuthentication = socksAuthenticateUsercode;
            c.s.SocksUsercode = k.user;
            c.s.SocksPassword = k.user;
        }
        c.s.Connect();
        ASSERT_TRUE(c.WaitClosed()) << k.error.toStdString();
        const int code = k.error.left(5).toInt();
        EXPECT_EQ(c.log.Events().filter("socks error"), QStringList({"socks error " + k.error}));
        EXPECT_TRUE(c.log.Has(QStringLiteral("closed %1").arg(code)));
        ASSERT_TRUE(PumpUntil([&] { return proxy.Finished(); }));
        EXPECT_EQ(proxy.Received(), k.sent) << k.error.toStdString();
    }
}

TEST(SocksSettings, PropertiesAndTheirRefusals)
{
    TWSocket s;
    const std::pair<const char*, const char*> levels[] = {{"4", "4"}, {"4a", "4A"}, {"4A", "4A"}, {"5", "5"}};
    for (const auto& [given, stored] : levels) {
        s.AssignSocksLevel(given);
        EXPECT_EQ(s.SocksLevel(), stored);
    }
    EXPECT_EQ(ErrorOf([&] { s.AssignSocksLevel("6"); }), "Invalid socks level. Must be 4, 4A or 5.");
    s.AssignSocksServer(" 127.0.0.1 ");
    EXPECT_EQ(s.SocksServer(), "127.0.0.1");
    s.AssignAddr("0.0.0.0");
    s.AssignPort("0");
    EXPECT_EQ(ErrorOf([&] { s.Listen(); }), "Listening is not supported thru socks server");
    s.AssignProto("udp");
    s.AssignSocksPort("1080");
    EXPECT_EQ(ErrorOf([&] { s.Connect(); }), "tcp is the only protocol supported thru socks server");

    // While connected nothing of the proxy changes; a close forgets it.
    rawpeer::Listener destination;
    TWSocket t;
    t.AssignSocksLevel("4");  // no proxy server: a direct connection
    Aim(t, destination.Port());
    t.Connect();
    ASSERT_TRUE(PumpUntil([&] { return t.State() == wsConnected; }));
    EXPECT_EQ(ErrorOf([&] { t.AssignSocksServer("x"); }), "Can't change socks server if not closed");
    EXPECT_EQ(ErrorOf([&] { t.AssignSocksPort("1"); }), "Can't change socks port if not closed");
    EXPECT_EQ(ErrorOf([&] { t.AssignSocksLevel("4"); }), "Can't change socks level if not closed");
    EXPECT_EQ(t.SocksLevel(), "4");
    t.CloseConnection();
    EXPECT_EQ(t.SocksLevel(), "5");
    EXPECT_EQ(t.SocksServer(), QString());
}
