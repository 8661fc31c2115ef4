#pragma once
// Shared helpers of the socket library's tests: running the event loop until something has
// happened, and recording the events of a socket in order.
#include <QStringList>
#include <functional>
#include <ostream>
#include "wsocket/wsockets.h"

// Readable test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << "[" << l.join(" | ").toStdString() << "]"; }

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
