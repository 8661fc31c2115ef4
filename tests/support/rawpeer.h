#pragma once
// Plain blocking POSIX sockets for the far end of a test connection, independent of the
// library under test. Every wait has a limit, so a fault fails the test instead of hanging it.
#include <QByteArray>
#include <vector>

namespace rawpeer {

// A port of 127.0.0.1 on which nothing listens (bound once, then released).
int UnusedPort();

class Listener {
public:
    // 127.0.0.1, an ephemeral port. A small receive buffer (for the accepted connections)
    // makes a sender meet a full window quickly.
    explicit Listener(bool SmallReceiveBuffer = false);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    int Port() const { return port_; }
    // A connected descriptor, or -1 after TimeoutMs.
    int Accept(int TimeoutMs = 5000);

private:
    int fd_ = -1;
    int port_ = 0;
};

class Conn {
public:
    Conn() = default;
    explicit Conn(int fd) : fd_(fd) {}
    ~Conn();
    Conn(Conn&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Conn& operator=(Conn&& other) noexcept;
    // Connects to 127.0.0.1:Port; fd -1 when refused or not done within TimeoutMs.
    static Conn To(int Port, int TimeoutMs = 5000);

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    int LocalPort() const;
    bool SendAll(const QByteArray& Data);
    // Reads until Count bytes came, the peer closed or TimeoutMs passed.
    QByteArray Read(int Count, int TimeoutMs = 5000);
    // Reads until Needle has come (included), the peer closed or TimeoutMs passed.
    QByteArray ReadUntil(const QByteArray& Needle, int TimeoutMs = 5000);
    // True when the peer closed (or reset) the connection within TimeoutMs; data before the
    // end is collected into *Rest.
    bool WaitClosed(int TimeoutMs = 5000, QByteArray* Rest = nullptr);
    void Close();
    // Closes with a reset instead of an orderly close.
    void Reset();

private:
    int fd_ = -1;
};

// While it lives, the process can open no further descriptor.
class NoMoreDescriptors {
public:
    NoMoreDescriptors();
    ~NoMoreDescriptors() { Release(); }
    bool Active() const { return active_; }
    void Release();

private:
    bool active_ = false;
    unsigned long saved_ = 0;
    std::vector<int> fillers_;  // the free numbers below the limit, taken
};

// SO_KEEPALIVE of a descriptor.
bool KeepAliveOn(int Fd);
// SO_REUSEADDR of a descriptor.
bool ReuseAddrOn(int Fd);

}  // namespace rawpeer
