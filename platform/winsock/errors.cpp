// The thread's last error, the translation of POSIX and resolver errors into Winsock codes,
// and start-up. No POSIX networking header here: their byte-order macros would clash with
// htons and ntohs below.
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include "platform/winsock/internal.h"

namespace winsock {

namespace {
thread_local int lastError = 0;
int startups = 0;  // WSAStartup calls not yet matched by WSACleanup
}  // namespace

void WSASetLastError(int error) { lastError = error; }
int WSAGetLastError() { return lastError; }

u_short htons(u_short v) { return qToBigEndian(v); }
u_short ntohs(u_short v) { return qFromBigEndian(v); }

int WSAStartup(u_short versionRequested, WSADATA* data)
{
    // Only 1.1 is offered; a request for 1.0 is refused as Winsock 1.1 refuses it.
    const int major = versionRequested & 0xff, minor = versionRequested >> 8;
    if (major < 1 || (major == 1 && minor < 1))
        return WSAVERNOTSUPPORTED;
    if (!data)
        return WSAEFAULT;
    std::memset(data, 0, sizeof *data);
    data->wVersion = 0x0101;
    data->wHighVersion = 0x0101;
    std::strcpy(data->szDescription, "POSIX sockets");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 32767;
    data->iMaxUdpDg = 65467;
    ++startups;
    return 0;
}

namespace detail {

bool Started() { return startups > 0; }
void CloseAllSockets();  // sockets.cpp

int Fail(int error)
{
    lastError = error;
    return SOCKET_ERROR;
}

int ErrorFromErrno(int err)
{
    switch (err) {
    case EINTR: return WSAEINTR;
    case EBADF: return WSAENOTSOCK;
    case EACCES: case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAEWOULDBLOCK;
    case EINPROGRESS: return WSAEWOULDBLOCK;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    // A send on a connection the peer has reset: Winsock reports the reset.
    case ECONNRESET: case EPIPE: return WSAECONNRESET;
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETOOMANYREFS: return WSAETOOMANYREFS;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case ELOOP: return WSAELOOP;
    case ENAMETOOLONG: return WSAENAMETOOLONG;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    case ENOTEMPTY: return WSAENOTEMPTY;
    case EUSERS: return WSAEUSERS;
    case EDQUOT: return WSAEDQUOT;
    case ESTALE: return WSAESTALE;
    case EREMOTE: return WSAEREMOTE;
    default: return WSAEINVAL;
    }
}

}  // namespace detail

int WSACleanup()
{
    if (startups == 0)
        return detail::Fail(WSANOTINITIALISED);
    // The last cleanup closes what the program left open, as Winsock does.
    if (--startups == 0)
        detail::CloseAllSockets();
    return 0;
}

}  // namespace winsock
