#include "poste.h"
#include <QElapsedTimer>
#include "wsocket/wspump.h"
// POSIX after the socket library's headers, whose Winsock names they would clash with.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>

namespace serveur_test {

bool PumpUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        wsocket::WaitForEvents(5);
    }
    return true;
}

void PumpFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        wsocket::WaitForEvents(5);
}

Poste::Poste(int port, const char* from)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from, &local.sin_addr);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(uint16_t(port));
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool connected = bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    if (connected) {
        connected = connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server) == 0;
        if (!connected && errno == EINPROGRESS) {
            // The server accepts from the event loop; the connection itself completes in the
            // system's backlog.
            pollfd p{fd, POLLOUT, 0};
            int err = -1;
            socklen_t len = sizeof err;
            connected = poll(&p, 1, 5000) > 0 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
        }
    }
    if (!connected) {
        close(fd);
        return;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    conn_ = rawpeer::Conn(fd);
}

QByteArray Poste::Ligne(int ms)
{
    QByteArray line = "<nothing>";
    PumpUntil(
        [&] {
            recu_ += conn_.Read(65536, 0);
            const int end = int(recu_.indexOf("\r\n"));
            if (end < 0)
                return false;
            line = recu_.left(end);
            recu_.remove(0, end + 2);
            return true;
        },
        ms);
    return line;
}

QByteArray Poste::Demande(const QByteArray& request, int ms)
{
    conn_.SendAll(request + "\r\n");
    return Ligne(ms);
}

QByteArray Poste::SansReponse(const QByteArray& request)
{
    conn_.SendAll(request + "\r\n");
    return Demande("time");
}

bool Poste::FermeeParLeServeur(int ms)
{
    return PumpUntil(
        [&] {
            pollfd p{conn_.Fd(), POLLIN, 0};
            if (poll(&p, 1, 0) <= 0)
                return false;
            char c;
            const ssize_t n = recv(conn_.Fd(), &c, 1, MSG_PEEK);
            return n == 0 || (n < 0 && errno != EAGAIN);
        },
        ms);
}

}  // namespace serveur_test
