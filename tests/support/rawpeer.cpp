#include "rawpeer.h"
#include <arpa/inet.h>
#include <netinet/in.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>

namespace rawpeer {

namespace {

sockaddr_in Loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

int PortOf(int fd)
{
    sockaddr_in a{};
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

// Milliseconds left until a deadline.
struct Deadline {
    explicit Deadline(int ms) : end(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {}
    int Left() const
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        return left.count() > 0 ? int(left.count()) : 0;
    }
    std::chrono::steady_clock::time_point end;
};

bool WaitReadable(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, ms) > 0;
}

int IntOption(int fd, int name)
{
    int v = 0;
    socklen_t len = sizeof v;
    getsockopt(fd, SOL_SOCKET, name, &v, &len);
    return v;
}

}  // namespace

int UnusedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = Loopback(0);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    const int port = PortOf(fd);
    close(fd);
    return port;
}

Listener::Listener(bool SmallReceiveBuffer)
{
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    if (SmallReceiveBuffer) {
        int size = 4096;
        setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    sockaddr_in a = Loopback(0);
    bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(fd_, 16);
    port_ = PortOf(fd_);
}

Listener::~Listener() { close(fd_); }

int Listener::Accept(int TimeoutMs)
{
    if (!WaitReadable(fd_, TimeoutMs))
        return -1;
    return accept(fd_, nullptr, nullptr);
}

Conn::~Conn() { Close(); }

int Conn::LocalPort() const { return PortOf(fd_); }

Conn& Conn::operator=(Conn&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

Conn Conn::To(int Port, int TimeoutMs)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in a = Loopback(Port);
    bool connected = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int err = -1;
        socklen_t len = sizeof err;
        connected = poll(&p, 1, TimeoutMs) > 0
                    && getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
    }
    if (!connected) {
        close(fd);
        return Conn();
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return Conn(fd);
}

bool Conn::SendAll(const QByteArray& Data)
{
    qsizetype done = 0;
    while (done < Data.size()) {
        const ssize_t n = send(fd_, Data.constData() + done, size_t(Data.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QByteArray Conn::Read(int Count, int TimeoutMs)
{
    QByteArray out;
    Deadline deadline(TimeoutMs);
    char buf[65536];
    while (out.size() < Count && WaitReadable(fd_, deadline.Left())) {
        const ssize_t n = recv(fd_, buf, std::min<size_t>(sizeof buf, size_t(Count - out.size())), 0);
        if (n <= 0)
            break;
        out.append(buf, n);
    }
    return out;
}

QByteArray Conn::ReadUntil(const QByteArray& Needle, int TimeoutMs)
{
    QByteArray out;
    Deadline deadline(TimeoutMs);
    char c;
    while (!out.endsWith(Needle) && WaitReadable(fd_, deadline.Left())) {
        if (recv(fd_, &c, 1, 0) <= 0)
            break;
        out += c;
    }
    return out;
}

bool Conn::WaitClosed(int TimeoutMs, QByteArray* Rest)
{
    Deadline deadline(TimeoutMs);
    char buf[4096];
    while (WaitReadable(fd_, deadline.Left())) {
        const ssize_t n = recv(fd_, buf, sizeof buf, 0);
        if (n <= 0)
            return true;
        if (Rest)
            Rest->append(buf, n);
    }
    return false;
}

void Conn::Close()
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

void Conn::Reset()
{
    if (fd_ < 0)
        return;
    linger l{1, 0};
    setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    Close();
}

NoMoreDescriptors::NoMoreDescriptors()
{
    rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return;
    saved_ = limit.rlim_cur;
    int highest = 0;
    for (int fd = 0; fd < int(std::min<rlim_t>(limit.rlim_cur, 65536)); ++fd)
        if (fcntl(fd, F_GETFD) != -1)
            highest = fd;
    limit.rlim_cur = rlim_t(highest) + 1;
    active_ = setrlimit(RLIMIT_NOFILE, &limit) == 0;
    for (int fd; active_ && (fd = dup(0)) >= 0;)
        fillers_.push_back(fd);
}

void NoMoreDescriptors::Release()
{
    if (!active_)
        return;
    for (int fd : fillers_)
        close(fd);
    fillers_.clear();
    rlimit limit;
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = saved_;
    setrlimit(RLIMIT_NOFILE, &limit);
    active_ = false;
}

bool KeepAliveOn(int Fd) { return IntOption(Fd, SO_KEEPALIVE) != 0; }
bool ReuseAddrOn(int Fd) { return IntOption(Fd, SO_REUSEADDR) != 0; }

}  // namespace rawpeer
