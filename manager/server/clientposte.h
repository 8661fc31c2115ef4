#pragma once
// One workstation's connection as the server keeps it: the socket, and the bytes of a line that
// has not ended yet.
#include <QByteArray>
#include <QList>
#include <deque>
#include "wsocket/wsockets.h"

// Cuts the bytes of a connection into lines. A line ends at CR, LF or CR LF; empty lines are
// dropped. A line longer than LongueurMax bytes is dropped whole, wherever the reads cut it, so
// that what is kept per connection stays bounded whatever a peer sends.
class TrameLignes {
public:
    static constexpr int LongueurMax = 1024;
    // Adds the bytes of one read; the lines they complete are appended to `lignes`, in order.
    void Ajoute(const QByteArray& bytes, QList<QByteArray>& lignes);
    int Retenus() const { return int(reste_.size()); }

private:
    QByteArray reste_;     // the line under way
    bool saute_ = false;   // the line under way is too long: its bytes go until its end
};

class TClientPoste : public TWSocketClient {
public:
    explicit TClientPoste(QObject* Owner = nullptr) : TWSocketClient(Owner) {}

    TrameLignes Trame;
    // Lines read and not yet interpreted. They are served one at a time by the outermost data
    // event: a request that waits in a modal box lets further events of the same connection run,
    // and those only queue their lines behind it.
    std::deque<QByteArray> Attente;
    bool EnService = false;
    // A read was put off while the queue was full: it is made again once the queue is served.
    bool Relire = false;
    static constexpr int AttenteMax = 64;
};
