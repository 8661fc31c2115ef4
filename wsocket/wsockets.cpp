#include "wsocket/wsockets.h"
#include <QChildEvent>

using namespace winsock;

// --- client ----------------------------------------------------------------------------------

TWSocketClient::TWSocketClient(QObject* Owner) : TWSocket(Owner) {}

void TWSocketClient::SendBanner()
{
    if (!Banner.isEmpty())
        SendText(Banner + LineEnd);
}

void TWSocketClient::Dup(SOCKET NewHSocket)
{
    TWSocket::Dup(NewHSocket);
    FPeerAddr = TWSocket::FetchPeerAddr();
    FPeerPort = TWSocket::GetPeerPort();
}

void TWSocketClient::FireSessionClosed(int Error)
{
    if (FSessionClosedFlag)
        return;
    FSessionClosedFlag = true;
    PostGone();
    TWSocket::FireSessionClosed(Error);
}

void TWSocketClient::PostGone()
{
    if (FServer)
        PostMessage(FServer->Handle(), WM_CLIENT_CLOSED, 0, LPARAM(this));
}

void TWSocketClient::HandlersReturned()
{
    if (FGoneDeferred) {
        FGoneDeferred = false;
        PostGone();
    }
    TWSocket::HandlersReturned();
}

// --- server ----------------------------------------------------------------------------------

TCustomWSocketServer::TCustomWSocketServer(QObject* Owner) : TWSocket(Owner)
{
    ClientType = [](TCustomWSocketServer* owner) { return new TWSocketClient(owner); };
}

TCustomWSocketServer::~TCustomWSocketServer()
{
    // The clients go first, last created first, without OnSessionClosed or OnClientDisconnect.
    while (!FClients.isEmpty())
        delete FClients.takeLast();
}

TWSocketServer* TCustomWSocketServer::Server()
{
    // Every server object is a TWSocketServer: the custom class cannot be created alone.
    return static_cast<TWSocketServer*>(this);
}

TWSocketClient* TCustomWSocketServer::ClientAt(int Index) const
{
    return Index >= 0 && Index < FClients.size() ? FClients[Index] : nullptr;
}

void TCustomWSocketServer::childEvent(QChildEvent* Event)
{
    if (Event->removed())
        FClients.removeIf([&](TWSocketClient* c) { return static_cast<QObject*>(c) == Event->child(); });
    TWSocket::childEvent(Event);
}

void TCustomWSocketServer::FireClientCreate(TWSocketClient* Client)
{
    CallEventAs(Server(), OnClientCreate, Client);
}

void TCustomWSocketServer::FireClientConnect(TWSocketClient* Client, int Error)
{
    CallEventAs(Server(), OnClientConnect, Client, Error);
}

void TCustomWSocketServer::FireClientDisconnect(TWSocketClient* Client, int Error)
{
    CallEventAs(Server(), OnClientDisconnect, Client, Error);
}

void TCustomWSocketServer::DispatchSocketMessage(TMessage& Msg)
{
    if (Msg.Msg != WM_CLIENT_CLOSED) {
        TWSocket::DispatchSocketMessage(Msg);
        return;
    }
    try {
        ClientGone(reinterpret_cast<TWSocketClient*>(Msg.LParam));
    } catch (const std::exception& e) {
        ReportBgException(e);
    }
}

void TCustomWSocketServer::FireSessionAvailable(int Error)
{
    TWSocket::FireSessionAvailable(Error);
    if (Error)
        return;
    ++FAcceptCount;
    TWSocketClient* client = ClientType(this);
    if (client->parent() != this)
        client->setParent(this);
    if (!FClients.contains(client))
        FClients.append(client);
    FireClientCreate(client);
    client->setObjectName(objectName() + "Client" + QString::number(FAcceptCount));
    client->Banner = Banner;
    client->FServer = this;

    // A failed accept or adoption frees its client object; the server goes on listening.
    SOCKET handle = INVALID_SOCKET;
    bool adopted = false;
    try {
        handle = Accept();
        if (handle != INVALID_SOCKET) {
            client->Dup(handle);
            adopted = client->State() == wsConnected;
        }
    } catch (const ESocketException&) {
    }
    if (!adopted) {
        if (FClients.contains(client))
            delete client;
        return;
    }

    FireClientConnect(client, Error);
    // The handler may have closed or freed the client: it then gets no banner.
    if (!FClients.contains(client) || client->State() != wsConnected)
        return;
    if (MaxClients > 0 && CountClients() > MaxClients) {
        client->Banner = BannerToBusy;
        client->SendBanner();
        client->CloseConnection();
    } else {
        client->SendBanner();
    }
}

void TCustomWSocketServer::ClientGone(TWSocketClient* Client)
{
    // Only a client of this server whose connection closed; the pointer is compared, not used,
    // until that is known.
    if (!FClients.contains(Client) || !Client->FSessionClosedFlag)
        return;
    if (Client->HandlerDepth() > 0) {
        Client->FGoneDeferred = true;
        return;
    }
    FireClientDisconnect(Client, 0);
    if (FClients.contains(Client))
        delete Client;
}

TWSocketServer::TWSocketServer(QObject* Owner) : TCustomWSocketServer(Owner) {}
