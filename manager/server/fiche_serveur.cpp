// The workstation server's connections: listening, the connection table, reading requests and
// sending replies. Nothing a peer sends or does may stop the listening socket or raise a box:
// every socket event runs inside its own boundary.
#include <QPointer>
#include <QtGlobal>
#include "manager/cardfile/fiche.h"
#include "manager/server/clientposte.h"
#include "platform/textfile.h"
#include "platform/winsock/messagewindow.h"

using namespace rtl;

namespace {

// A read takes at most this much: a peer that floods waits for the next turn of the event loop,
// behind the other connections.
constexpr int Lecture = 4096;
// Replies waiting to be sent beyond what the system holds for the connection. A workstation reads
// every reply: a peer that lets this much pile up is not one, and is cut off.
constexpr qint64 EnvoiMax = 64 * 1024;

qint64 EnAttente(const TWSocketClient& client)
{
    qint64 bytes = 0;
    for (const auto& block : client.SendQueue())
        bytes += block->WritePosition() - block->ReadPosition();
    return bytes;
}

// Runs an event of the socket library. What escapes it would end the listening socket or the
// connection's receive loop: it is noted for the developer and goes no further.
template <class F>
void Borne(const char* where, F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        qWarning("workstation server, %s: %s", where, e.what());
    } catch (...) {
        qWarning("workstation server, %s: unknown exception", where);
    }
}

}  // namespace

QString TFiche::EntreeConnexion::Texte() const
{
    int fields = 1;
    if (LoginDonne)
        fields = 3;
    if (!Poste.isEmpty())
        fields = 4;
    if (!NumeroTicket.isEmpty())
        fields = 5;
    const QStringList all{Adresse, Login, QString(), Poste, Ticket >= 0 ? IntToStr(Ticket) : QString()};
    return all.mid(0, fields).join(QLatin1Char('\t'));
}

void TFiche::ConnectServer()
{
    SrvSocket = new TWSocketServer(this);
    // The connections are named after the server ("SrvSocketClient1", ...).
    SrvSocket->setObjectName(QStringLiteral("SrvSocket"));
    SrvSocket->ClientType = [](TCustomWSocketServer* owner) { return new TClientPoste(owner); };
    SrvSocket->AssignProto(QStringLiteral("tcp"));
    SrvSocket->AssignAddr(QStringLiteral("0.0.0.0"));
    SrvSocket->AssignLineMode(false);
    SrvSocket->LineEnd = QStringLiteral("\r\n");
    SrvSocket->Banner = QStringLiteral("Welcome to Velmora");
    SrvSocket->BannerToBusy = QStringLiteral("Sorry, too many clients");
    SrvSocket->MaxClients = 0;
    SrvSocket->OnClientConnect = [this](TWSocketServer* sender, TWSocketClient* client, int error) {
        Borne("connect", [&] { SrvSocketClientConnect(sender, client, error); });
    };
    SrvSocket->OnClientDisconnect = [this](TWSocketServer* sender, TWSocketClient* client, int error) {
        Borne("disconnect", [&] { SrvSocketClientDisconnect(sender, client, error); });
    };
    // The log is read, never edited: an undo history would keep every line it ever showed, and
    // the program runs for months.
    Memo7->setUndoRedoEnabled(false);
    ConnectSalle();
}

// Accepted connections are sockets of their own: they stay while the listening socket is opened
// again. A port that cannot be taken is reported by the socket library.
void TFiche::StartServer()
{
    SrvSocket->CloseConnection();
    SrvSocket->AssignAddr(QStringLiteral("0.0.0.0"));
    SrvSocket->AssignPort(PortServeur);
    SrvSocket->AssignProto(QStringLiteral("tcp"));
    SrvSocket->Listen();
}

QString TFiche::PortEcoute() const
{
    return SrvSocket->State() == wsListening ? SrvSocket->FetchLocalPort() : QString();
}

void TFiche::SrvSocketClientConnect(TWSocketServer* Sender, TWSocketClient* client, int Error)
{
    Display(QStringLiteral("Client connecté  Remote: ") + client->PeerAddr() + QLatin1Char('/') + client->PeerPort() +
            QStringLiteral(" Local: ") + client->FetchLocalAddr() + QLatin1Char('/') + client->FetchLocalPort());
    Display(QStringLiteral("Il y a actuellement ") + IntToStr(Sender->CountClients()) +
            QStringLiteral(" clients connectés."));
    client->OnDataAvailable = [this](TWSocket* sender, int error) {
        Borne("data", [&] { ClientDataAvailable(sender, error); });
    };
    // One read per event: a connection that sends without pause does not hold the others up.
    client->ComponentOptions |= wsoNoReceiveLoop;
    AddCli(client->PeerAddr());
    HeureConnexion = Now();
}

void TFiche::SrvSocketClientDisconnect(TWSocketServer* Sender, TWSocketClient* client, int Error)
{
    const TDateTime duree = std::max(0.0, Now() - HeureConnexion);
    Display(QStringLiteral("Client déconnecté: ") + client->PeerAddr() + QLatin1Char(' ') + QStringLiteral("Durée: ") +
            FormatDateTime(QStringLiteral("hh:nn:ss"), duree));
    const int restants = Sender->CountClients() - 1;
    Display(QStringLiteral("Actuellement ") + IntToStr(restants) + QStringLiteral(" clients connectés."));
    if (restants < 1)
        ListeConnexions.clear();
    SupCli(client->PeerAddr());
}

void TFiche::ClientDataAvailable(TWSocket* Sender, int Error)
{
    auto* client = dynamic_cast<TClientPoste*>(Sender);
    if (!client)
        return;
    if (int(client->Attente.size()) >= TClientPoste::AttenteMax) {
        // Nothing is read: the bytes wait in the system until the queue has been served.
        client->Relire = true;
        return;
    }
    char buffer[Lecture];
    const int n = client->ReceiveInto(buffer, Lecture);
    if (n <= 0)
        return;
    Recoit(client, client->PeerAddr(), QByteArray(buffer, n));
}

void TFiche::Recoit(TClientPoste* client, const QString& ip, const QByteArray& bytes)
{
    QList<QByteArray> lignes;
    client->Trame.Ajoute(bytes, lignes);
    for (const QByteArray& ligne : lignes)
        client->Attente.push_back(ligne);
    if (client->EnService)
        return;
    client->EnService = true;
    QPointer<TClientPoste> alive(client);
    while (alive && !client->Attente.empty()) {
        DerniereLigne = textfile::DecodeCp1252(client->Attente.front());
        client->Attente.pop_front();
        // A line whose first ':' ends it is not a request.
        const int colon = int(DerniereLigne.indexOf(QLatin1Char(':')));
        if (colon >= 0 && colon == DerniereLigne.size() - 1)
            continue;
        Borne("request", [&] { Interprete(ip, client); });
    }
    if (!alive)
        return;
    client->EnService = false;
    if (client->Relire) {
        // The read put off is asked for as the network would: a read notification, which the
        // socket library hands to ClientDataAvailable as it does any other.
        client->Relire = false;
        winsock::PostMessage(client->Handle(), WM_ASYNCSELECT, client->HSocket(),
                             winsock::MakeSelectReply(winsock::FD_READ, 0));
    }
}

void TFiche::Envoie(TWSocketClient* client, const QString& line)
{
    const QByteArray bytes = textfile::EncodeCp1252(line + QStringLiteral("\r\n"));
    if (!client || client->State() != wsConnected)
        return;
    try {
        client->Send(bytes.constData(), int(bytes.size()));
        if (client->State() == wsConnected && EnAttente(*client) > EnvoiMax)
            client->AbortConnection();
    } catch (const std::exception&) {
        // The connection failed while sending: its close is under way and ends the session.
    }
}

// ---- the connection table -------------------------------------------------------------------

void TFiche::AddCli(const QString& ip)
{
    if (EntreeDe(ip))
        return;
    EntreeConnexion entree;
    entree.Adresse = ip;
    ListeConnexions.append(entree);
}

void TFiche::SupCli(const QString& ip)
{
    for (int i = 0; i < ListeConnexions.size(); ++i) {
        if (ListeConnexions[i].Adresse == ip) {
            ListeConnexions.removeAt(i);
            return;
        }
    }
}

TFiche::EntreeConnexion* TFiche::EntreeDe(const QString& ip)
{
    for (EntreeConnexion& entree : ListeConnexions)
        if (entree.Adresse == ip)
            return &entree;
    return nullptr;
}
