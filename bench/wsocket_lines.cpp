// The socket library on loopback: the round trip of one short line between a workstation-like
// client and a server connection, and how many lines per second one server connection takes.
#include <QElapsedTimer>
#include "qt_bench_main.h"
#include <memory>
#include "wsocket/wsockets.h"
#include "wsocket/wspump.h"
// The peer that streams lines is a plain POSIX socket on a thread of its own; its headers come
// after the library's, whose Winsock names they would otherwise clash with.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <thread>

namespace {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        wsocket::WaitForEvents(50);
    }
    return true;
}

// A server listening on an ephemeral loopback port, greeting nobody.
struct Server {
    Server()
    {
        socket.Banner.clear();
        socket.AssignAddr("127.0.0.1");
        socket.AssignPort("0");
        socket.AssignProto("tcp");
        socket.Listen();
        port = socket.FetchLocalPort().toInt();
    }
    TWSocketServer socket;
    int port = 0;
};

void BM_LineRoundTrip(benchmark::State& state)
{
    Server server;
    // The server connection answers each request as the workstation server does: it reads what
    // waits and sends one reply line.
    server.socket.OnClientConnect = [](TWSocketServer*, TWSocketClient* client, int) {
        client->OnDataAvailable = [](TWSocket* sender, int) {
            if (!sender->ReceiveText().isEmpty())
                sender->SendText(QStringLiteral("Time 12\r\n"));
        };
    };
    TWSocket client;
    client.AssignLineMode(true);
    int replies = 0;
    client.OnDataAvailable = [&](TWSocket* sender, int) {
        if (!sender->ReceiveText().isEmpty())
            ++replies;
    };
    client.AssignAddr("127.0.0.1");
    client.AssignPort(QString::number(server.port));
    client.Connect();
    if (!PumpUntil([&] { return client.State() == wsConnected && server.socket.CountClients() == 1; })) {
        state.SkipWithError("no connection");
        return;
    }
    for (auto _ : state) {
        const int expected = replies + 1;
        client.SendText(QStringLiteral("time\r\n"));
        while (replies < expected)
            wsocket::WaitForEvents(-1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineRoundTrip)->Unit(benchmark::kMicrosecond);

// A plain connection to the server that sends Lines lines of "time\r\n" as fast as it can.
void StreamLines(int port, int lines)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        const QByteArray chunk = QByteArray("time\r\n").repeated(1000);
        for (int sent = 0; sent < lines; sent += 1000)
            if (::send(fd, chunk.constData(), size_t(chunk.size()), MSG_NOSIGNAL) < 0)
                break;
    }
    ::close(fd);
}

void BM_ServerConnectionLinesPerSecond(benchmark::State& state)
{
    Server server;
    qint64 lines = 0;
    server.socket.OnClientConnect = [&](TWSocketServer*, TWSocketClient* client, int) {
        client->AssignLineMode(true);
        client->OnDataAvailable = [&](TWSocket* sender, int) {
            if (!sender->ReceiveText().isEmpty())
                ++lines;
        };
    };
    const int perIteration = int(state.range(0));
    for (auto _ : state) {
        const qint64 expected = lines + perIteration;
        std::thread peer(StreamLines, server.port, perIteration);
        const bool done = PumpUntil([&] { return lines >= expected; });
        peer.join();
        if (!done) {
            state.SkipWithError("lines lost");
            return;
        }
        // The peer's connection ends with its lines; its client object goes before the next.
        PumpUntil([&] { return server.socket.CountClients() == 0; });
    }
    state.counters["lines/s"] = benchmark::Counter(double(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ServerConnectionLinesPerSecond)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
