#pragma once
// Shared helpers of the socket library's tests: running the event loop until something has
// happened, and recording the events of a socket in order.
#include <gtest/gtest.h>
#include <QStringList>
#include <functional>
#include <memory>
#include "support/print.h"
#include "support/rawpeer.h"
#include "wsocket/wsockets.h"

// Runs the event loop until Done() holds; false when TimeoutMs passed first.
bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 5000);
// Runs the event loop for Ms milliseconds.
void PumpFor(int Ms);

// The events of one socket as lines: "state 3>4", "connected 0", "data 0", "sent 0",
// "closed 10061", "dns 0", "error", "bg <message>".
class EventLog {
public:
    // Records every event but OnDataAvailable, which the test sets itself when it reads;
    // with RecordData, data events are recorded too (without reading anything).
    void Attach(TWSocket* Socket, bool RecordData = false);
    QStringList Lines;
    bool Has(const QString& Line) const { return Lines.contains(Line); }
    // The lines without the state changes.
    QStringList Events() const;
};

// The address of a test server's listening socket, as a client would use it.
QString LoopbackAddr();

// Addr 127.0.0.1, the port, the protocol.
void Aim(TWSocket& Socket, int Port, const char* Proto = "tcp");

// The message of the ESocketException that f throws, or "<no error>".
QString ErrorOf(const std::function<void()>& f);

// A client socket and a plain peer listening for it on loopback; the socket's events (but
// data) are recorded in log.
class PeerTest : public ::testing::Test {
protected:
    // A peer with a small receive buffer makes the socket meet a full window quickly.
    explicit PeerTest(bool SmallPeerBuffer = false);
    // Aims the socket at the peer and connects.
    void Aim() { ::Aim(s, listener->Port()); }
    // ... and accepts and waits until the socket is connected.
    void Open();

    std::unique_ptr<rawpeer::Listener> listener;
    EventLog log;
    TWSocket s;
    rawpeer::Conn peer;
};

class SlowPeerTest : public PeerTest {
protected:
    SlowPeerTest() : PeerTest(true) {}
};
