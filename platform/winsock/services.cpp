#include "platform/winsock/services.h"
#include <netdb.h>
#include <cstring>
#include <mutex>

namespace winsock {

namespace {

struct KnownProtocol {
    const char* name;
    const char* alias;
    int number;
};

// The protocols a socket is opened with, numbered as everywhere.
const KnownProtocol Protocols[] = {
    {"ip", "IP", 0},
    {"icmp", "ICMP", 1},
    {"tcp", "TCP", 6},
    {"udp", "UDP", 17},
};

struct KnownService {
    const char* name;
    const char* alias;   // null when none
    int port;
    const char* proto;
};

// Well-known services, with the names the system's services file gives them.
const KnownService Services[] = {
    {"ftp-data", nullptr, 20, "tcp"}, {"ftp", nullptr, 21, "tcp"},      {"ssh", nullptr, 22, "tcp"},
    {"telnet", nullptr, 23, "tcp"},   {"smtp", "mail", 25, "tcp"},      {"domain", nullptr, 53, "tcp"},
    {"domain", nullptr, 53, "udp"},   {"http", "www", 80, "tcp"},       {"pop3", "pop-3", 110, "tcp"},
    {"nntp", "readnews", 119, "tcp"}, {"ntp", nullptr, 123, "udp"},     {"imap2", "imap", 143, "tcp"},
    {"snmp", nullptr, 161, "udp"},    {"https", nullptr, 443, "tcp"},   {"socks", nullptr, 1080, "tcp"},
};

bool SystemProtocol(const char* name, ProtocolEntry& found)
{
    ::protoent entry, *result = nullptr;
    char scratch[1024];
    if (::getprotobyname_r(name, &entry, scratch, sizeof scratch, &result) != 0 || !result)
        return false;
    found = {result->p_name, result->p_proto};
    return true;
}

bool SystemService(const char* name, const char* proto, ServiceEntry& found)
{
    ::servent entry, *result = nullptr;
    char scratch[1024];
    if (::getservbyname_r(name, proto, &entry, scratch, sizeof scratch, &result) != 0 || !result)
        return false;
    found = {result->s_name, int(ntohs(uint16_t(result->s_port))), result->s_proto};
    return true;
}

std::mutex& LookupLock()
{
    static std::mutex lock;
    return lock;
}

ProtocolLookup& ProtocolsOfSystem()
{
    static ProtocolLookup lookup = SystemProtocol;
    return lookup;
}

ServiceLookup& ServicesOfSystem()
{
    static ServiceLookup lookup = SystemService;
    return lookup;
}

bool Same(const char* a, const char* b)
{
    return a && b && std::strcmp(a, b) == 0;
}

}  // namespace

void SetSystemLookups(ProtocolLookup protocols, ServiceLookup services)
{
    std::lock_guard hold(LookupLock());
    ProtocolsOfSystem() = protocols ? std::move(protocols) : ProtocolLookup(SystemProtocol);
    ServicesOfSystem() = services ? std::move(services) : ServiceLookup(SystemService);
}

bool FindProtocol(const char* name, ProtocolEntry& found)
{
    ProtocolLookup system;
    {
        std::lock_guard hold(LookupLock());
        system = ProtocolsOfSystem();
    }
    if (system(name, found))
        return true;
    for (const KnownProtocol& p : Protocols) {
        if (Same(name, p.name) || Same(name, p.alias)) {
            found = {p.name, p.number};
            return true;
        }
    }
    return false;
}

bool FindService(const char* name, const char* proto, ServiceEntry& found)
{
    if (proto && !*proto)
        proto = nullptr;
    ServiceLookup system;
    {
        std::lock_guard hold(LookupLock());
        system = ServicesOfSystem();
    }
    if (system(name, proto, found))
        return true;
    for (const KnownService& s : Services) {
        if ((Same(name, s.name) || Same(name, s.alias)) && (!proto || Same(proto, s.proto))) {
            found = {s.name, s.port, s.proto};
            return true;
        }
    }
    return false;
}

}  // namespace winsock
