#pragma once
// Windows Sockets 1.1 as the socket library uses it, written over POSIX sockets.
//
// What the library sees is Winsock's behaviour, not Linux's:
// - errors are Winsock codes (10035 would block, 10061 refused, 11001 host not found ...), kept
//   per thread for WSAGetLastError;
// - WSAAsyncSelect reports network events as messages posted to a message window (the stand-in
//   of a hidden window) through the Qt event loop; one notification of a kind stays outstanding
//   until the call that re-enables it (recv for FD_READ, accept for FD_ACCEPT); FD_WRITE comes
//   only when a connection is made or accepted and after a send that would have blocked; a
//   connect always completes through FD_CONNECT, even when its result is known at once;
// - a handle carries a generation beside the descriptor, so a message still queued for a closed
//   socket never matches the handle of a later socket that reuses the descriptor number;
// - host lookups run off the calling thread and post their reply.
//
// The constants that POSIX headers also define as macros are declared here only for code that
// does not include those headers (the implementation reads them from winsock::value).
#include <cstdint>

namespace winsock {

using SOCKET = std::uintptr_t;
using u_char = unsigned char;
using u_short = std::uint16_t;
using u_long = std::uint32_t;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HANDLE = std::uintptr_t;  // an asynchronous request
class MessageWindow;
using HWND = MessageWindow*;

constexpr SOCKET INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;
constexpr int MAXGETHOSTSTRUCT = 1024;
constexpr int WSADESCRIPTION_LEN = 256;
constexpr int WSASYS_STATUS_LEN = 128;

// Network events of WSAAsyncSelect.
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;

// Error codes.
constexpr int WSABASEERR = 10000;
constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEDESTADDRREQ = 10039;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEPROTOTYPE = 10041;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEPROTONOSUPPORT = 10043;
constexpr int WSAESOCKTNOSUPPORT = 10044;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEPFNOSUPPORT = 10046;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETOOMANYREFS = 10059;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAELOOP = 10062;
constexpr int WSAENAMETOOLONG = 10063;
constexpr int WSAEHOSTDOWN = 10064;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAENOTEMPTY = 10066;
constexpr int WSAEPROCLIM = 10067;
constexpr int WSAEUSERS = 10068;
constexpr int WSAEDQUOT = 10069;
constexpr int WSAESTALE = 10070;
constexpr int WSAEREMOTE = 10071;
constexpr int WSASYSNOTREADY = 10091;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

// Values of the option, level, ioctl and address constants.
namespace value {
enum : long {
    AfInet = 2,
    SockStream = 1,
    SockDgram = 2,
    SockRaw = 3,
    IpprotoIp = 0,
    IpprotoTcp = 6,
    IpprotoUdp = 17,
    SolSocket = 0xffff,
    SoReuseAddr = 0x0004,
    SoKeepAlive = 0x0008,
    SoBroadcast = 0x0020,
    SoLinger = 0x0080,
    TcpNoDelay = 0x0001,
    IpMulticastIf = 2,
    IpMulticastTtl = 3,
    IpAddMembership = 5,
    FionRead = 0x4004667F,
    FionBio = (long)0x8004667E,
    MsgOob = 1,
    MsgPeek = 2,
    SoMaxConn = 0x7fffffff,
};
}  // namespace value

#ifndef WINSOCK_POSIX_SIDE
constexpr int AF_INET = value::AfInet;
constexpr int PF_INET = value::AfInet;
constexpr int SOCK_STREAM = value::SockStream;
constexpr int SOCK_DGRAM = value::SockDgram;
constexpr int SOCK_RAW = value::SockRaw;
constexpr int IPPROTO_IP = value::IpprotoIp;
constexpr int IPPROTO_TCP = value::IpprotoTcp;
constexpr int IPPROTO_UDP = value::IpprotoUdp;
constexpr int SOL_SOCKET = value::SolSocket;
constexpr int SO_REUSEADDR = value::SoReuseAddr;
constexpr int SO_KEEPALIVE = value::SoKeepAlive;
constexpr int SO_BROADCAST = value::SoBroadcast;
constexpr int SO_LINGER = value::SoLinger;
constexpr int TCP_NODELAY = value::TcpNoDelay;
constexpr int IP_MULTICAST_IF = value::IpMulticastIf;
constexpr int IP_MULTICAST_TTL = value::IpMulticastTtl;
constexpr int IP_ADD_MEMBERSHIP = value::IpAddMembership;
constexpr long FIONREAD = value::FionRead;
constexpr long FIONBIO = value::FionBio;
constexpr int MSG_OOB = value::MsgOob;
constexpr int MSG_PEEK = value::MsgPeek;
constexpr int SOMAXCONN = value::SoMaxConn;
constexpr u_long INADDR_ANY = 0;
constexpr u_long INADDR_NONE = 0xffffffffu;
#endif

struct in_addr {
    u_long s_addr;  // network order
};
struct sockaddr {
    u_short sa_family;
    char sa_data[14];
};
struct sockaddr_in {
    short sin_family;
    u_short sin_port;  // network order
    in_addr sin_addr;
    char sin_zero[8];
};
struct hostent {
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list;
};
struct servent {
    char* s_name;
    char** s_aliases;
    short s_port;  // network order
    char* s_proto;
};
struct protoent {
    char* p_name;
    char** p_aliases;
    short p_proto;
};
struct linger {
    u_short l_onoff;
    u_short l_linger;  // seconds
};
struct ip_mreq {
    in_addr imr_multiaddr;
    in_addr imr_interface;
};
struct WSADATA {
    u_short wVersion;
    u_short wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
};

// lParam of a network-event or lookup reply: the event (or buffer length) in the low word, the
// error in the high word.
constexpr LPARAM MakeSelectReply(long event, int error)
{
    return LPARAM((u_long(error) & 0xffff) << 16 | (u_long(event) & 0xffff));
}
constexpr int SelectEvent(LPARAM lParam) { return int(lParam & 0xffff); }
constexpr int SelectError(LPARAM lParam) { return int((lParam >> 16) & 0xffff); }

// --- the functions ---------------------------------------------------------------------------
int WSAStartup(u_short versionRequested, WSADATA* data);
int WSACleanup();
void WSASetLastError(int error);
int WSAGetLastError();
int WSACancelAsyncRequest(HANDLE request);
HANDLE WSAAsyncGetHostByName(HWND window, UINT msg, const char* name, char* buf, int buflen);
HANDLE WSAAsyncGetHostByAddr(HWND window, UINT msg, const char* addr, int len, int type, char* buf,
                             int buflen);
int WSAAsyncSelect(SOCKET s, HWND window, UINT msg, long events);

servent* getservbyname(const char* name, const char* proto);
protoent* getprotobyname(const char* name);
hostent* gethostbyname(const char* name);

SOCKET socket(int af, int type, int protocol);
int bind(SOCKET s, const sockaddr* name, int namelen);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen);
int connect(SOCKET s, const sockaddr* name, int namelen);
int closesocket(SOCKET s);
int shutdown(SOCKET s, int how);
int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
int ioctlsocket(SOCKET s, long cmd, u_long* argp);
int send(SOCKET s, const char* buf, int len, int flags);
int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen);
int recv(SOCKET s, char* buf, int len, int flags);
int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen);
int getsockname(SOCKET s, sockaddr* name, int* namelen);
int getpeername(SOCKET s, sockaddr* name, int* namelen);

u_short htons(u_short v);
u_short ntohs(u_short v);
u_long inet_addr(const char* text);
char* inet_ntoa(in_addr a);

}  // namespace winsock
