// Protocol and service names resolve on a machine whose system knows none of them (no
// /etc/protocols, no /etc/services), and the system's own entries win where it has them.
#include <gtest/gtest.h>
#include "platform/winsock/services.h"
#include "wsfixture.h"

namespace {

// While it lives, the system's look-ups are replaced.
class SystemLookups {
public:
    SystemLookups(winsock::ProtocolLookup protocols, winsock::ServiceLookup services)
    {
        winsock::SetSystemLookups(std::move(protocols), std::move(services));
    }
    ~SystemLookups() { winsock::SetSystemLookups({}, {}); }
    // A machine without the two files.
    static SystemLookups None()
    {
        return SystemLookups([](const char*, winsock::ProtocolEntry&) { return false; },
                             [](const char*, const char*, winsock::ServiceEntry&) { return false; });
    }
};

TEST(ServiceNames, WithoutTheSystemsFilesTheWellKnownNamesStillResolve)
{
    const SystemLookups none = SystemLookups::None();
    struct Case {
        const char* port;
        const char* proto;
        int expected;
    };
    const Case ports[] = {{"http", "tcp", 80}, {"www", "tcp", 80}, {"https", "tcp", 443},
                          {"ftp", "tcp", 21},  {"socks", "tcp", 1080}, {"domain", "udp", 53},
                          {"ntp", "udp", 123}, {"25201", "tcp", 25201}};
    for (const Case& c : ports)
        EXPECT_EQ(WSocketResolvePort(c.port, c.proto), c.expected) << c.port << "/" << c.proto;
    EXPECT_EQ(WSocketResolveProto("tcp"), 6);
    EXPECT_EQ(WSocketResolveProto("TCP"), 6);
    EXPECT_EQ(WSocketResolveProto("udp"), 17);
    EXPECT_EQ(WSocketResolveProto("17"), 17);
    // Unknown names, and a service asked for under a protocol it does not run on, stay errors.
    EXPECT_EQ(ErrorOf([] { WSocketResolvePort("nosuchservice", "tcp"); }),
              "WSocketResolvePort: Cannot convert port 'nosuchservice', Error #11004");
    EXPECT_EQ(ErrorOf([] { WSocketResolvePort("ntp", "tcp"); }),
              "WSocketResolvePort: Cannot convert port 'ntp', Error #11004");
    EXPECT_EQ(ErrorOf([] { WSocketResolveProto("nosuchproto"); }),
              "WSocketResolveProto: Cannot convert protocol 'nosuchproto', Error #11004");
}

TEST(ServiceNames, TheSystemsEntriesWin)
{
    const SystemLookups local(
        [](const char* name, winsock::ProtocolEntry& found) {
            found = {name, 99};
            return std::string(name) == "tcp";
        },
        [](const char* name, const char* proto, winsock::ServiceEntry& found) {
            found = {name, 8080, proto ? proto : "tcp"};
            return std::string(name) == "http";
        });
    EXPECT_EQ(WSocketResolveProto("tcp"), 99);
    EXPECT_EQ(WSocketResolveProto("udp"), 17);
    EXPECT_EQ(WSocketResolvePort("http", "tcp"), 8080);
    EXPECT_EQ(WSocketResolvePort("https", "tcp"), 443);
}

// The whole path a program takes: a server listening and a client connecting by "tcp".
TEST(ServiceNames, ASocketListensAndConnectsWithoutTheSystemsFiles)
{
    const SystemLookups none = SystemLookups::None();
    TWSocketServer server;
    server.AssignAddr("127.0.0.1");
    server.AssignPort("0");
    server.AssignProto("tcp");
    server.Listen();
    ASSERT_EQ(server.State(), wsListening);
    TWSocket client;
    Aim(client, server.FetchLocalPort().toInt(), "tcp");
    client.Connect();
    EXPECT_TRUE(PumpUntil([&] { return client.State() == wsConnected && server.CountClients() == 1; }));
}

}  // namespace
