// The socket functions and the network-event engine of WSAAsyncSelect.
//
// Each socket keeps two Qt socket notifiers. They are enabled only while an event of theirs may
// be reported, and a report disables its notifier until the call that re-enables it, so the
// level-triggered POSIX readiness becomes Winsock's one-message-at-a-time notification.
#define WINSOCK_POSIX_SIDE
#include "platform/winsock/winsock.h"
#include "platform/winsock/internal.h"
#include "platform/winsock/messagewindow.h"

#include <QSocketNotifier>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace winsock {

namespace {

using detail::ErrorFromErrno;
using detail::Fail;

enum class Phase { Fresh, Connecting, Connected, Listening, Failed };

struct Socket {
    int fd = -1;
    SOCKET handle = INVALID_SOCKET;
    int type = SOCK_STREAM;
    Phase phase = Phase::Fresh;
    HWND window = nullptr;
    UINT msg = 0;
    long events = 0;
    bool async = false;          // non-blocking
    bool readArmed = false;      // FD_READ / FD_ACCEPT / FD_CLOSE may be reported
    bool writeDue = false;       // FD_WRITE is to be reported when the socket is writable
    bool closeReported = false;  // FD_CLOSE went out: nothing more to read
    std::unique_ptr<QSocketNotifier> readNotifier, writeNotifier;
};

std::unordered_map<SOCKET, std::unique_ptr<Socket>>& Table()
{
    static std::unordered_map<SOCKET, std::unique_ptr<Socket>> table;
    return table;
}

std::uint32_t nextGeneration = 1;

Socket* Find(SOCKET s)
{
    if (!detail::Started()) {
        WSASetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    auto it = Table().find(s);
    if (it == Table().end()) {
        WSASetLastError(WSAENOTSOCK);
        return nullptr;
    }
    return it->second.get();
}

Socket* Register(int fd, int type, Phase phase)
{
    auto so = std::make_unique<Socket>();
    so->fd = fd;
    so->type = type;
    so->phase = phase;
    // The generation in the high half keeps a reused descriptor number from matching an old
    // handle; it never lets a handle be 0.
    std::uint32_t generation = nextGeneration++;
    if (generation == 0)
        generation = nextGeneration++;
    so->handle = SOCKET(generation) << 32 | SOCKET(unsigned(fd));
    Socket* raw = so.get();
    Table()[raw->handle] = std::move(so);
    return raw;
}

void Post(const Socket& so, long event, int error)
{
    if (so.window && (so.events & event))
        PostMessage(so.window, so.msg, so.handle, MakeSelectReply(event, error));
}

void Update(Socket& so)
{
    if (!so.readNotifier)
        return;
    const bool selecting = so.window && so.events;
    const bool open = so.phase == Phase::Connected || so.phase == Phase::Listening;
    so.readNotifier->setEnabled(selecting && open && so.readArmed && !so.closeReported);
    so.writeNotifier->setEnabled(selecting && (so.phase == Phase::Connecting
                                               || (so.phase == Phase::Connected && so.writeDue)));
}

void OnReadable(SOCKET handle)
{
    auto it = Table().find(handle);
    if (it == Table().end())
        return;
    Socket& so = *it->second;
    if (so.phase == Phase::Listening || so.type != SOCK_STREAM) {
        so.readArmed = false;
        Update(so);
        Post(so, so.phase == Phase::Listening ? FD_ACCEPT : FD_READ, 0);
        return;
    }
    // A readable stream holds data, has reached its end, or has failed: only a look at it tells.
    char c;
    const ssize_t n = ::recv(so.fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n > 0) {
        so.readArmed = false;
        Update(so);
        Post(so, FD_READ, 0);
        return;
    }
    const int error = n == 0 ? 0 : ErrorFromErrno(errno);
    so.closeReported = true;
    Update(so);
    Post(so, FD_CLOSE, error);
}

void OnWritable(SOCKET handle)
{
    auto it = Table().find(handle);
    if (it == Table().end())
        return;
    Socket& so = *it->second;
    if (so.phase == Phase::Connecting) {
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(so.fd, SOL_SOCKET, SO_ERROR, &err, &len) < 0)
            err = errno;
        so.phase = err ? Phase::Failed : Phase::Connected;
        so.readArmed = !err;
        so.writeDue = false;
        Update(so);
        Post(so, FD_CONNECT, err ? ErrorFromErrno(err) : 0);
        if (!err)
            Post(so, FD_WRITE, 0);
        return;
    }
    so.writeDue = false;
    Update(so);
    Post(so, FD_WRITE, 0);
}

void MakeNotifiers(Socket& so)
{
    if (so.readNotifier)
        return;
    const SOCKET handle = so.handle;
    so.readNotifier = std::make_unique<QSocketNotifier>(so.fd, QSocketNotifier::Read);
    so.writeNotifier = std::make_unique<QSocketNotifier>(so.fd, QSocketNotifier::Write);
    so.readNotifier->setEnabled(false);
    so.writeNotifier->setEnabled(false);
    QObject::connect(so.readNotifier.get(), &QSocketNotifier::activated,
                     [handle] { OnReadable(handle); });
    QObject::connect(so.writeNotifier.get(), &QSocketNotifier::activated,
                     [handle] { OnWritable(handle); });
}

bool SetNonBlocking(int fd, bool on)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK) == 0;
}

// Winsock's address record and the system's have the same fields; they are copied, not cast.
bool ToSystem(const sockaddr* name, int namelen, ::sockaddr_in& out)
{
    if (!name || namelen < int(sizeof(sockaddr_in))) {
        WSASetLastError(WSAEFAULT);
        return false;
    }
    sockaddr_in in;
    std::memcpy(&in, name, sizeof in);
    if (in.sin_family != AF_INET) {
        WSASetLastError(WSAEAFNOSUPPORT);
        return false;
    }
    std::memset(&out, 0, sizeof out);
    out.sin_family = AF_INET;
    out.sin_port = in.sin_port;
    out.sin_addr.s_addr = in.sin_addr.s_addr;
    return true;
}

bool FromSystem(const ::sockaddr_in& in, sockaddr* name, int* namelen)
{
    if (!name)
        return true;
    if (!namelen || *namelen < int(sizeof(sockaddr_in))) {
        WSASetLastError(WSAEFAULT);
        return false;
    }
    sockaddr_in out{};
    out.sin_family = AF_INET;
    out.sin_port = in.sin_port;
    out.sin_addr.s_addr = in.sin_addr.s_addr;
    std::memcpy(name, &out, sizeof out);
    *namelen = sizeof out;
    return true;
}

int SystemFlags(int flags)
{
    return (flags & value::MsgOob ? MSG_OOB : 0) | (flags & value::MsgPeek ? MSG_PEEK : 0);
}

int CloseRecord(std::unordered_map<SOCKET, std::unique_ptr<Socket>>::iterator it)
{
    std::unique_ptr<Socket> so = std::move(it->second);
    Table().erase(it);
    // The notifiers go before their descriptor.
    so->readNotifier.reset();
    so->writeNotifier.reset();
    return ::close(so->fd) == 0 ? 0 : Fail(ErrorFromErrno(errno));
}

}  // namespace

namespace detail {
void CloseAllSockets()
{
    while (!Table().empty())
        CloseRecord(Table().begin());
}
}  // namespace detail

SOCKET socket(int af, int type, int protocol)
{
    if (!detail::Started())
        return Fail(WSANOTINITIALISED), INVALID_SOCKET;
    if (af != value::AfInet)
        return Fail(WSAEAFNOSUPPORT), INVALID_SOCKET;
    int systemType;
    switch (type) {
    case value::SockStream: systemType = SOCK_STREAM; break;
    case value::SockDgram: systemType = SOCK_DGRAM; break;
    case value::SockRaw: systemType = SOCK_RAW; break;
    default: return Fail(WSAESOCKTNOSUPPORT), INVALID_SOCKET;
    }
    const int fd = ::socket(AF_INET, systemType | SOCK_CLOEXEC, protocol);
    if (fd < 0)
        return Fail(ErrorFromErrno(errno)), INVALID_SOCKET;
    // Datagram sockets have no connection to wait for: they read and write from the start.
    return Register(fd, systemType, systemType == SOCK_STREAM ? Phase::Fresh : Phase::Connected)
        ->handle;
}

int closesocket(SOCKET s)
{
    if (!Find(s))
        return SOCKET_ERROR;
    return CloseRecord(Table().find(s));
}

int shutdown(SOCKET s, int how)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    const int systemHow = how == SD_RECEIVE ? SHUT_RD : how == SD_SEND ? SHUT_WR : SHUT_RDWR;
    return ::shutdown(so->fd, systemHow) == 0 ? 0 : Fail(ErrorFromErrno(errno));
}

int bind(SOCKET s, const sockaddr* name, int namelen)
{
    Socket* so = Find(s);
    ::sockaddr_in addr;
    if (!so || !ToSystem(name, namelen, addr))
        return SOCKET_ERROR;
    if (::bind(so->fd, reinterpret_cast<::sockaddr*>(&addr), sizeof addr) < 0)
        return Fail(ErrorFromErrno(errno));
    return 0;
}

int listen(SOCKET s, int backlog)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    if (so->type != SOCK_STREAM)
        return Fail(WSAEOPNOTSUPP);
    // The system lowers a backlog above its own maximum to that maximum.
    if (::listen(so->fd, backlog < 0 ? 0 : backlog) < 0)
        return Fail(ErrorFromErrno(errno));
    so->phase = Phase::Listening;
    so->readArmed = true;
    Update(*so);
    return 0;
}

SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen)
{
    Socket* so = Find(s);
    if (!so)
        return INVALID_SOCKET;
    if (so->phase != Phase::Listening)
        return Fail(WSAEINVAL), INVALID_SOCKET;
    ::sockaddr_in peer{};
    socklen_t len = sizeof peer;
    const int fd = ::accept4(so->fd, reinterpret_cast<::sockaddr*>(&peer), &len, SOCK_CLOEXEC);
    const int err = errno;
    // Every accept call, successful or not, re-enables FD_ACCEPT.
    so->readArmed = true;
    Update(*so);
    if (fd < 0)
        return Fail(ErrorFromErrno(err)), INVALID_SOCKET;
    if (so->async)
        SetNonBlocking(fd, true);
    Socket* accepted = Register(fd, SOCK_STREAM, Phase::Connected);
    accepted->async = so->async;
    if (!FromSystem(peer, addr, addrlen)) {
        CloseRecord(Table().find(accepted->handle));
        WSASetLastError(WSAEFAULT);
        return INVALID_SOCKET;
    }
    return accepted->handle;
}

int connect(SOCKET s, const sockaddr* name, int namelen)
{
    Socket* so = Find(s);
    ::sockaddr_in addr;
    if (!so || !ToSystem(name, namelen, addr))
        return SOCKET_ERROR;
    const int r = ::connect(so->fd, reinterpret_cast<::sockaddr*>(&addr), sizeof addr);
    const int err = r == 0 ? 0 : errno;
    if (so->type != SOCK_STREAM || !so->async) {
        if (r < 0)
            return Fail(ErrorFromErrno(err));
        so->phase = Phase::Connected;
        so->readArmed = true;
        Update(*so);
        return 0;
    }
    // A non-blocking connect always completes through FD_CONNECT.
    if (r == 0 || err == EINPROGRESS) {
        so->phase = Phase::Connecting;
        Update(*so);
        return Fail(WSAEWOULDBLOCK);
    }
    if (err == ECONNREFUSED || err == ENETUNREACH || err == EHOSTUNREACH || err == ETIMEDOUT) {
        so->phase = Phase::Failed;
        Update(*so);
        Post(*so, FD_CONNECT, ErrorFromErrno(err));
        return Fail(WSAEWOULDBLOCK);
    }
    return Fail(ErrorFromErrno(err));
}

int WSAAsyncSelect(SOCKET s, HWND window, UINT msg, long events)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    if (window && events) {
        if (!SetNonBlocking(so->fd, true))
            return Fail(ErrorFromErrno(errno));
        so->async = true;
        MakeNotifiers(*so);
    }
    so->window = window;
    so->msg = msg;
    so->events = events;
    // A new selection reports afresh what holds now, FD_WRITE included on a connected socket.
    so->readArmed = true;
    so->writeDue = so->phase == Phase::Connected && (events & FD_WRITE);
    Update(*so);
    return 0;
}

int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    if (!optval)
        return Fail(WSAEFAULT);
    int systemLevel = -1, systemName = -1;
    int intValue = 0;
    const void* data = &intValue;
    socklen_t size = sizeof intValue;
    ::linger lingerValue{};
    ::in_addr addrValue{};
    ::ip_mreq mreqValue{};
    auto readInt = [&] {
        if (optlen >= int(sizeof(int)))
            std::memcpy(&intValue, optval, sizeof(int));
        else if (optlen >= 1)
            intValue = static_cast<unsigned char>(optval[0]);
        return optlen >= 1;
    };
    if (level == value::SolSocket) {
        systemLevel = SOL_SOCKET;
        switch (optname) {
        case value::SoReuseAddr: systemName = SO_REUSEADDR; break;
        case value::SoKeepAlive: systemName = SO_KEEPALIVE; break;
        case value::SoBroadcast: systemName = SO_BROADCAST; break;
        case value::SoLinger: {
            if (optlen < int(sizeof(linger)))
                return Fail(WSAEFAULT);
            linger l;
            std::memcpy(&l, optval, sizeof l);
            lingerValue.l_onoff = l.l_onoff;
            lingerValue.l_linger = l.l_linger;
            systemName = SO_LINGER;
            data = &lingerValue;
            size = sizeof lingerValue;
            break;
        }
        default: return Fail(WSAENOPROTOOPT);
        }
    } else if (level == value::IpprotoTcp && optname == value::TcpNoDelay) {
        systemLevel = IPPROTO_TCP;
        systemName = TCP_NODELAY;
    } else if (level == value::IpprotoIp) {
        systemLevel = IPPROTO_IP;
        switch (optname) {
        case value::IpMulticastTtl: systemName = IP_MULTICAST_TTL; break;
        case value::IpMulticastIf:
            if (optlen < int(sizeof(in_addr)))
                return Fail(WSAEFAULT);
            std::memcpy(&addrValue.s_addr, optval, sizeof addrValue.s_addr);
            systemName = IP_MULTICAST_IF;
            data = &addrValue;
            size = sizeof addrValue;
            break;
        case value::IpAddMembership: {
            if (optlen < int(sizeof(ip_mreq)))
                return Fail(WSAEFAULT);
            ip_mreq m;
            std::memcpy(&m, optval, sizeof m);
            mreqValue.imr_multiaddr.s_addr = m.imr_multiaddr.s_addr;
            mreqValue.imr_interface.s_addr = m.imr_interface.s_addr;
            systemName = IP_ADD_MEMBERSHIP;
            data = &mreqValue;
            size = sizeof mreqValue;
            break;
        }
        default: return Fail(WSAENOPROTOOPT);
        }
    } else {
        return Fail(level == value::IpprotoTcp ? WSAENOPROTOOPT : WSAEINVAL);
    }
    if (data == &intValue && !readInt())
        return Fail(WSAEFAULT);
    return ::setsockopt(so->fd, systemLevel, systemName, data, size) == 0
               ? 0
               : Fail(ErrorFromErrno(errno));
}

int ioctlsocket(SOCKET s, long cmd, u_long* argp)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    if (!argp)
        return Fail(WSAEFAULT);
    if (cmd == value::FionRead) {
        int n = 0;
        if (so->phase == Phase::Listening || ::ioctl(so->fd, FIONREAD, &n) < 0)
            return Fail(so->phase == Phase::Listening ? WSAEINVAL : ErrorFromErrno(errno));
        *argp = u_long(n);
        return 0;
    }
    if (cmd == value::FionBio) {
        // Winsock refuses to make a selecting socket blocking again.
        if (*argp == 0 && so->window && so->events)
            return Fail(WSAEINVAL);
        if (!SetNonBlocking(so->fd, *argp != 0))
            return Fail(ErrorFromErrno(errno));
        so->async = *argp != 0;
        return 0;
    }
    return Fail(WSAEINVAL);
}

int send(SOCKET s, const char* buf, int len, int flags)
{
    return sendto(s, buf, len, flags, nullptr, 0);
}

int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return Fail(WSAEFAULT);
    ::sockaddr_in dest;
    const bool addressed = to != nullptr;
    if (addressed && !ToSystem(to, tolen, dest))
        return SOCKET_ERROR;
    const int systemFlags = SystemFlags(flags) | MSG_NOSIGNAL;
    const ssize_t n = addressed ? ::sendto(so->fd, buf, size_t(len), systemFlags,
                                           reinterpret_cast<::sockaddr*>(&dest), sizeof dest)
                                : ::send(so->fd, buf, size_t(len), systemFlags);
    const int err = errno;
    // What brings FD_WRITE back: space coming free after a send that would have blocked,
    // whether it took nothing or only part of the data.
    if ((n < 0 && err == EAGAIN) || (n >= 0 && n < len && so->type == SOCK_STREAM)) {
        so->writeDue = true;
        Update(*so);
    }
    return n >= 0 ? int(n) : Fail(ErrorFromErrno(err));
}

int recv(SOCKET s, char* buf, int len, int flags)
{
    return recvfrom(s, buf, len, flags, nullptr, nullptr);
}

int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen)
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return Fail(WSAEFAULT);
    ::sockaddr_in peer{};
    socklen_t peerLen = sizeof peer;
    const ssize_t n = from ? ::recvfrom(so->fd, buf, size_t(len), SystemFlags(flags),
                                        reinterpret_cast<::sockaddr*>(&peer), &peerLen)
                           : ::recv(so->fd, buf, size_t(len), SystemFlags(flags));
    const int err = errno;
    // Reading re-enables FD_READ (and lets the end of the stream be noticed).
    if (!(flags & value::MsgPeek)) {
        so->readArmed = true;
        Update(*so);
    }
    if (n < 0)
        return Fail(ErrorFromErrno(err));
    if (from && !FromSystem(peer, from, fromlen))
        return SOCKET_ERROR;
    return int(n);
}

namespace {
// getsockname and getpeername: the same call on either end of the connection.
int EndName(SOCKET s, sockaddr* name, int* namelen,
            int (*query)(int, ::sockaddr*, socklen_t*))
{
    Socket* so = Find(s);
    if (!so)
        return SOCKET_ERROR;
    ::sockaddr_in addr{};
    socklen_t len = sizeof addr;
    if (query(so->fd, reinterpret_cast<::sockaddr*>(&addr), &len) < 0)
        return Fail(ErrorFromErrno(errno));
    return FromSystem(addr, name, namelen) ? 0 : SOCKET_ERROR;
}
}  // namespace

int getsockname(SOCKET s, sockaddr* name, int* namelen)
{
    return EndName(s, name, namelen, ::getsockname);
}

int getpeername(SOCKET s, sockaddr* name, int* namelen)
{
    return EndName(s, name, namelen, ::getpeername);
}

}  // namespace winsock
