// Sending through the queue of blocks, flushing, and name lookups.
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <thread>
#include "support/rawpeer.h"
#include "wsfixture.h"

using namespace winsock;

namespace {

QByteArray Pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char('a' + (i * 7 + i / 251) % 26);
    return data;
}

// Exposes the queueing step alone.
class QueueProbe : public TWSocket {
public:
    using TCustomWSocket::QueueSendData;
};

QList<int> BlockSizes(const TCustomWSocket& s)
{
    QList<int> sizes;
    for (const auto& block : s.SendQueue()) {
        int count = 0;
        block->PeekData(count);
        sizes << count;
    }
    return sizes;
}

using SocketTransfer = PeerTest;
using SocketSlowTransfer = SlowPeerTest;

}  // namespace

TEST(SendQueue, DataIsQueuedInBlocksOfBufSize)
{
    struct Case {
        int len;
        QList<int> blocks;
    };
    const Case cases[] = {
        {5000, {1460, 1460, 1460, 620}},
        {1460, {1460}},
        {1461, {1460, 1}},
        {1, {1}},
        {0, {}},
    };
    for (const Case& c : cases) {
        QueueProbe s;
        const QByteArray data = Pattern(c.len);
        s.QueueSendData(data.constData(), c.len);
        EXPECT_EQ(BlockSizes(s), c.blocks) << c.len;
    }
    // What follows goes to the end of the last block first.
    QueueProbe s;
    s.QueueSendData("abc", 3);
    const QByteArray more = Pattern(1460);
    s.QueueSendData(more.constData(), 1460);
    EXPECT_EQ(BlockSizes(s), QList<int>({1460, 3}));
}

TEST_F(SocketTransfer, SendOf5000BytesArrivesAndDataSentComesOnceFromTheEventLoop)
{
    Open();
    ASSERT_TRUE(PumpUntil([&] { return log.Has("sent 0"); }));
    log.Lines.clear();
    const QByteArray data = Pattern(5000);
    EXPECT_EQ(s.Send(data.constData(), int(data.size())), 5000);
    EXPECT_TRUE(log.Lines.isEmpty());  // never inside Send
    EXPECT_EQ(peer.Read(5000), data);
    PumpFor(50);
    EXPECT_EQ(log.Lines, QStringList({"sent 0"}));
    // One emptied block stays queued.
    EXPECT_EQ(BlockSizes(s), QList<int>({0}));
}

TEST_F(SocketSlowTransfer, LargeDataToASlowReaderArrivesWhole)
{
    int sentEvents = 0;
    s.OnDataSent = [&](TWSocket*, int) { ++sentEvents; };
    Open();
    ASSERT_TRUE(PumpUntil([&] { return sentEvents == 1; }));

    const QByteArray data = Pattern(16 << 20);
    EXPECT_EQ(s.Send(data.constData(), int(data.size())), int(data.size()));
    EXPECT_FALSE(s.AllSent());  // nobody reads yet: the rest waits in the queue
    QByteArray received;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        // A slow reader: small reads with pauses.
        while (received.size() < data.size()) {
            const QByteArray chunk = peer.Read(int(std::min<qsizetype>(32768, data.size() - received.size())), 10000);
            if (chunk.isEmpty())
                break;
            received += chunk;
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        done = true;
    });
    const bool finished = PumpUntil([&] { return done.load(); }, 60000);
    reader.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(received.size(), data.size());
    EXPECT_TRUE(received == data);
    PumpFor(20);
    EXPECT_TRUE(s.AllSent());
    EXPECT_EQ(sentEvents, 2);
}

TEST_F(SocketSlowTransfer, FlushQueueWaitsForTheReaderAndGivesUpAfterFlushTimeout)
{
    Open();

    // A peer that never reads: the flush gives up, the data stays queued.
    const QByteArray data = Pattern(16 << 20);
    s.Send(data.constData(), int(data.size()));
    ASSERT_FALSE(s.AllSent());
    s.FlushTimeout = 1;
    s.FlushQueue();
    EXPECT_FALSE(s.AllSent());
    EXPECT_FALSE(s.SendQueue().empty());

    // A peer that reads: the flush returns once everything is out.
    std::atomic<qsizetype> got{0};
    std::thread reader([&] { got = peer.Read(int(data.size()), 30000).size(); });
    s.FlushTimeout = 60;
    s.FlushQueue();
    EXPECT_TRUE(s.AllSent());
    reader.join();
    EXPECT_EQ(got.load(), data.size());
}

TEST_F(SocketTransfer, DnsLookupOfADottedAddressAnswersBeforeReturning)
{
    s.DnsLookup("10.1.2.3");
    EXPECT_EQ(log.Lines, QStringList({"dns 0"}));
    EXPECT_EQ(s.DnsResult(), "10.1.2.3");
    EXPECT_EQ(s.DnsResultList(), QStringList({"10.1.2.3"}));
}

TEST_F(SocketTransfer, DnsLookupOfANameAnswersFromTheEventLoop)
{
    s.DnsLookup("localhost");
    EXPECT_TRUE(log.Lines.isEmpty());
    ASSERT_TRUE(PumpUntil([&] { return !log.Lines.isEmpty(); }));
    EXPECT_EQ(log.Lines, QStringList({"dns 0"}));
    EXPECT_EQ(s.DnsResult(), "127.0.0.1");
    EXPECT_TRUE(s.DnsResultList().contains("127.0.0.1"));
}

TEST_F(SocketTransfer, ReverseLookupGivesTheHostName)
{
    s.ReverseDnsLookup("127.0.0.1");
    ASSERT_TRUE(PumpUntil([&] { return !log.Lines.isEmpty(); }));
    EXPECT_EQ(log.Lines, QStringList({"dns 0"}));
    EXPECT_FALSE(s.DnsResult().isEmpty());
    EXPECT_EQ(s.DnsResultList(), QStringList({s.DnsResult()}));
}

TEST_F(SocketTransfer, LookupsRefuseAnEmptyName)
{
    int errors = 0;
    s.OnError = [&](TWSocket*) { ++errors; };
    s.DnsLookup("");
    s.ReverseDnsLookup("");
    s.ReverseDnsLookup(QString(257, '1'));
    EXPECT_EQ(errors, 3);
    EXPECT_EQ(log.Lines, QStringList({"dns 10022", "dns 10022", "dns 10022"}));
    s.OnError = nullptr;
    try {
        s.DnsLookup("");
        ADD_FAILURE() << "no error";
    } catch (const ESocketException& e) {
        EXPECT_EQ(e.Message, "DNS lookup: invalid host name.");
    }
}

TEST_F(SocketTransfer, CancelledLookupAnswersInterruptedAndNeverItsReply)
{
    s.DnsLookup("localhost");
    s.CancelLookup();
    EXPECT_EQ(log.Lines, QStringList({"dns 10004"}));
    PumpFor(300);
    EXPECT_EQ(log.Lines, QStringList({"dns 10004"}));
    EXPECT_TRUE(s.DnsResult().isEmpty());
}

TEST(SocketListen, OnAPortInUseReportsBindAndLeavesNothingOpen)
{
    rawpeer::Listener other;
    TWSocket s;
    s.AssignAddr("127.0.0.1");
    s.AssignPort(QString::number(other.Port()));
    try {
        s.Listen();
        ADD_FAILURE() << "no error";
    } catch (const ESocketException& e) {
        EXPECT_EQ(e.Message, "Error 10048 in function Bind\r\nAddress already in use");
    }
    EXPECT_EQ(s.State(), wsClosed);
    EXPECT_EQ(s.HSocket(), INVALID_SOCKET);
}
