#pragma once
// A workstation as the server sees it: a raw loopback connection, opened from a chosen address of
// 127.0.0.0/8 so that several workstations have addresses of their own. The server runs on this
// thread's event loop: every wait of the peer runs that loop while it waits, within a limit.
#include <QByteArray>
#include <functional>
#include "support/rawpeer.h"

namespace serveur_test {

// Runs the event loop until done() holds; false when `ms` passed first.
bool PumpUntil(const std::function<bool()>& done, int ms = 5000);
void PumpFor(int ms);

class Poste {
public:
    // Connects to 127.0.0.1:port from `from` (port 0 of that address).
    Poste(int port, const char* from = "127.0.0.1");
    bool Valid() const { return conn_.Valid(); }
    // The next line, without its CR LF; "<nothing>" when none came within `ms`.
    QByteArray Ligne(int ms = 5000);
    // Sends the bytes as they are.
    bool Brut(const QByteArray& bytes) { return conn_.SendAll(bytes); }
    // Sends one request line (CR LF added) and answers the next line.
    QByteArray Demande(const QByteArray& request, int ms = 5000);
    // Sends a request that gets no reply: the "time" sent behind it must be answered next, with
    // nothing before its reply. Answers that reply ("Time ...").
    QByteArray SansReponse(const QByteArray& request);
    // True when the server closed the connection within `ms`.
    bool FermeeParLeServeur(int ms = 5000);
    int LocalPort() const { return conn_.LocalPort(); }
    void Ferme() { conn_.Close(); }
    void Reset() { conn_.Reset(); }
    rawpeer::Conn& Conn() { return conn_; }

private:
    rawpeer::Conn conn_;
    QByteArray recu_;
};

}  // namespace serveur_test
