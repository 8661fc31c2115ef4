// The workstation server at full capacity: 9,999 customers, 256 machines and 98,743 cash tickets
// (the 256 sessions bring the list to its 98,999), and 256 workstations on loopback. Each logs in,
// opens its session, then polls "time", as fast as it is answered or at a set pace. Reported:
// how long the 256 sessions took to open, replies per second, the p50 and p99 reply latency, the
// replies lost, and the resident memory. Goal: p99 under 5 ms, no reply lost, under 300 MiB.
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>
#include "bench/full_set.h"
#include "bench/qt_bench_main.h"
#include "manager/cardfile/fiche.h"
#include "wsocket/wspump.h"
// The workstations are plain POSIX sockets on a thread of their own; their headers come after
// the library's, whose Winsock names they would otherwise clash with.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Postes = 256;
constexpr int Tickets = 98999 - Postes;
using Clock = std::chrono::steady_clock;

double ResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// One workstation: its socket, what it has received, and when its request left.
struct Poste {
    int fd = -1;
    QByteArray in;
    QList<QByteArray> script;   // the requests still to send before polling
    Clock::time_point sent;
    bool waiting = false;
};

// The workstations' side, run on a thread of its own: every workstation sends its next request
// as soon as the previous one is answered.
class Room {
public:
    explicit Room(int port) : port_(port) {}

    // Connects every workstation and runs its login script; answers the lines that were not as
    // expected.
    int OpenSessions(std::atomic<bool>& done)
    {
        epoll_ = epoll_create1(0);
        for (int i = 0; i < Postes; ++i) {
            Poste p;
            p.fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(uint16_t(port_));
            // One address each: the server keeps one entry per address.
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            sockaddr_in local{};
            local.sin_family = AF_INET;
            local.sin_addr.s_addr = htonl((127u << 24) | (1u << 16) | uint32_t(i + 1));
            bind(p.fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
            if (connect(p.fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
                return -1;
            int one = 1;
            setsockopt(p.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            fcntl(p.fd, F_SETFL, O_NONBLOCK);
            p.script = {"login login" + QByteArray::number(i * 37 % 9999), "passw k7Xq2p",
                        "hostn poste-" + QByteArray::number(i), "connect"};
            postes_.push_back(p);
        }
        for (int i = 0; i < Postes; ++i) {
            epoll_event e{};
            e.events = EPOLLIN;
            e.data.u32 = uint32_t(i);
            epoll_ctl(epoll_, EPOLL_CTL_ADD, postes_[i].fd, &e);
        }
        const QList<QByteArray> expected = {"Welcome to Velmora", "Login OK", "Passw OK", "Host OK", "Connect OK "};
        std::vector<int> step(Postes, 0);
        int wrong = 0, open = 0;
        while (open < Postes) {
            Serve([&](int i, const QByteArray& line) {
                if (line != expected.value(step[i]))
                    ++wrong;
                ++step[i];
                Poste& p = postes_[i];
                if (!p.script.isEmpty())
                    Send(p, p.script.takeFirst());
                else
                    ++open;
            });
        }
        done = true;
        return wrong;
    }

    // Polls until `replies` replies came in all; answers the latencies in microseconds. With an
    // interval, each workstation polls once per interval (their polls spread over it); without,
    // each polls again as soon as it is answered.
    std::vector<double> Poll(int replies, int& lost, std::atomic<bool>& done, int intervalMs = 0)
    {
        std::vector<double> latencies;
        latencies.reserve(replies + Postes);
        const auto interval = std::chrono::microseconds(intervalMs * 1000);
        std::vector<Clock::time_point> due(Postes, Clock::now());
        for (int i = 0; i < Postes; ++i)
            due[i] += interval * i / Postes;
        auto sendDue = [&] {
            const auto now = Clock::now();
            auto next = now + std::chrono::seconds(1);
            for (int i = 0; i < Postes; ++i) {
                Poste& p = postes_[i];
                if (!p.waiting && due[i] <= now) {
                    Send(p, "time");
                    due[i] += interval;
                }
                next = std::min(next, due[i]);
            }
            return int(std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count()));
        };
        int wrong = 0;
        int wait = sendDue();
        while (int(latencies.size()) < replies) {
            const bool answered = Serve(
                [&](int i, const QByteArray& line) {
                    Poste& p = postes_[i];
                    latencies.push_back(std::chrono::duration<double, std::micro>(Clock::now() - p.sent).count());
                    if (!line.startsWith("Time "))
                        ++wrong;
                    if (intervalMs == 0)
                        Send(p, "time");
                },
                intervalMs ? wait : 1000);
            if (intervalMs)
                wait = sendDue();
            else if (!answered)
                break;
        }
        // The last requests are answered too.
        const auto end = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < end && std::any_of(postes_.begin(), postes_.end(), [](const Poste& p) { return p.waiting; }))
            Serve([&](int i, const QByteArray&) {});
        lost = wrong + int(std::count_if(postes_.begin(), postes_.end(), [](const Poste& p) { return p.waiting; }));
        done = true;
        return latencies;
    }

    ~Room()
    {
        for (Poste& p : postes_)
            close(p.fd);
        if (epoll_ >= 0)
            close(epoll_);
    }

private:
    void Send(Poste& p, const QByteArray& request)
    {
        const QByteArray line = request + "\r\n";
        p.sent = Clock::now();
        p.waiting = true;
        send(p.fd, line.constData(), size_t(line.size()), MSG_NOSIGNAL);
    }

    // Waits for lines (`ms` at most); each complete line goes to `line`. False when none came.
    template <class F>
    bool Serve(F line, int ms = 1000)
    {
        epoll_event events[64];
        const int n = epoll_wait(epoll_, events, 64, ms);
        for (int k = 0; k < n; ++k) {
            const int i = int(events[k].data.u32);
            Poste& p = postes_[i];
            char buffer[4096];
            ssize_t got;
            while ((got = recv(p.fd, buffer, sizeof buffer, 0)) > 0)
                p.in.append(buffer, got);
            int end;
            while ((end = int(p.in.indexOf("\r\n"))) >= 0) {
                const QByteArray l = p.in.left(end);
                p.in.remove(0, end + 2);
                p.waiting = false;
                line(i, l);
            }
        }
        return n > 0;
    }

    int port_;
    int epoll_ = -1;
    std::vector<Poste> postes_;
};

// Runs the server's event loop until `done`.
void ServeUntil(const std::atomic<bool>& done)
{
    while (!done)
        wsocket::WaitForEvents(5);
}

void BM_TimePolls(benchmark::State& state)
{
    TFiche fiche;
    fiche.ListeClients = fullset::Customers();
    fiche.ListePostes = fullset::Machines();
    fiche.ListeTickets = fullset::Tickets(Tickets);
    fiche.NbClients = 9999;
    fiche.NbPostes = Postes;
    fiche.NbTickets = Tickets;
    fiche.PortServeur = QStringLiteral("0");
    fiche.StartServer();
    Room room(fiche.PortEcoute().toInt());

    std::atomic<bool> open{false};
    int wrong = 0;
    QElapsedTimer opening;
    opening.start();
    std::thread sessions([&] { wrong = room.OpenSessions(open); });
    ServeUntil(open);
    sessions.join();
    const double openSeconds = opening.elapsed() / 1000.0;
    if (wrong != 0 || fiche.NbTickets != 98999) {
        state.SkipWithError("the sessions did not open");
        return;
    }

    std::vector<double> latencies;
    int lost = 0;
    const int replies = int(state.range(0));
    const int interval = int(state.range(1));
    for (auto _ : state) {
        std::atomic<bool> done{false};
        std::thread polls([&] { latencies = room.Poll(replies, lost, done, interval); });
        ServeUntil(done);
        polls.join();
    }
    std::sort(latencies.begin(), latencies.end());
    auto at = [&](double q) { return latencies.empty() ? 0.0 : latencies[size_t(q * double(latencies.size() - 1))]; };
    state.SetItemsProcessed(int64_t(latencies.size()));
    state.counters["replies/s"] = benchmark::Counter(double(latencies.size()), benchmark::Counter::kIsRate);
    state.counters["p50_ms"] = at(0.50) / 1000;
    state.counters["p99_ms"] = at(0.99) / 1000;
    state.counters["max_ms"] = at(1.0) / 1000;
    state.counters["lost"] = lost;
    state.counters["rss_MiB"] = ResidentMiB();
    state.counters["open_256_s"] = openSeconds;
}
// As fast as answered: 256 requests always under way, so a reply waits behind the others and
// its latency is the number of workstations over the rate of replies.
BENCHMARK(BM_TimePolls)->Args({256 * 400, 0})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
// Each workstation polls every 50 ms: 5,120 polls a second, 400 times the room's real load (one
// poll per workstation every 20 seconds).
BENCHMARK(BM_TimePolls)->Args({256 * 100, 50})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
