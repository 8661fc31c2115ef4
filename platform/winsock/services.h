#pragma once
// Protocol and service names. The system's databases are asked first; a name they do not know is
// looked up in a small table of our own, so that "tcp", "udp" and the well-known services resolve
// on a machine without /etc/protocols or /etc/services (a minimal system or a container has
// neither), as they always do on the system these programs came from.
#include <functional>
#include <string>

namespace winsock {

struct ProtocolEntry {
    std::string name;   // the official name
    int number = 0;
};

struct ServiceEntry {
    std::string name;   // the official name
    int port = 0;       // host byte order
    std::string proto;
};

// The system's look-ups. Tests put their own in place (one that finds nothing stands for a machine
// without the files); empty functions bring the system's back.
using ProtocolLookup = std::function<bool(const char* name, ProtocolEntry& found)>;
using ServiceLookup = std::function<bool(const char* name, const char* proto, ServiceEntry& found)>;
void SetSystemLookups(ProtocolLookup protocols, ServiceLookup services);

// A protocol by name or alias ("tcp", "TCP"); false when neither the system nor our table has it.
bool FindProtocol(const char* name, ProtocolEntry& found);
// A service by name or alias for a protocol (any protocol when proto is null or empty).
bool FindService(const char* name, const char* proto, ServiceEntry& found);

}  // namespace winsock
