#pragma once
// The listening server: TCustomWSocketServer accepts every incoming connection by itself,
// creates one TWSocketClient per connection, greets it with Banner, turns connections away
// above MaxClients, and frees each client object from the event loop once its connection has
// closed (after OnClientDisconnect, and never while one of the client's own handlers runs).
//
//     server->OnClientConnect = [this](TWSocketServer* Sender, TWSocketClient* Client, int Error) {
//         Client->OnDataAvailable = [this](TWSocket* Sender, int Error) { ... };
//     };
// OnClientConnect runs before any byte goes to the peer: the banner is the first line it gets.
#include <QList>
#include "wsocket/wsocket.h"

class TWSocketClient;
class TCustomWSocketServer;
class TWSocketServer;

using TWSocketClientCreateEvent = std::function<void(TWSocketServer* Sender, TWSocketClient* Client)>;
using TWSocketClientConnectEvent =
    std::function<void(TWSocketServer* Sender, TWSocketClient* Client, int Error)>;
// Creates a client object owned by the server (TWSocketClient or a descendant).
using TWSocketClientClass = std::function<TWSocketClient*(TCustomWSocketServer* Owner)>;

class TWSocketClient : public TWSocket {
public:
    explicit TWSocketClient(QObject* Owner = nullptr);

    QString Banner;  // copied from the server at accept
    TCustomWSocketServer* ParentServer() const { return FServer; }
    // The peer's address and port, read when the connection was adopted; kept after it closed.
    QString PeerAddrCache() const { return FPeerAddr; }
    QString PeerPortCache() const { return FPeerPort; }

    virtual void SendBanner();
    void Dup(winsock::SOCKET NewHSocket) override;
    QString FetchPeerAddr() override { return FPeerAddr; }
    QString GetPeerPort() override { return FPeerPort; }

protected:
    void FireSessionClosed(int Error) override;
    void HandlersReturned() override;

private:
    friend class TCustomWSocketServer;
    void PostGone();

    TCustomWSocketServer* FServer = nullptr;
    QString FPeerAddr;
    QString FPeerPort;
    bool FSessionClosedFlag = false;  // the server has been told
    bool FGoneDeferred = false;       // the server's free waits for a handler to return
};

class TCustomWSocketServer : public TWSocket {
public:
    ~TCustomWSocketServer() override;

    QString Banner = QStringLiteral("Welcome to TcpSrv");
    QString BannerToBusy = QStringLiteral("Sorry, too many clients");
    TWSocketClientClass ClientType;
    int MaxClients = 0;  // 0: no limit
    int AcceptCount() const { return FAcceptCount; }
    const QList<TWSocketClient*>& Clients() const { return FClients; }

    TWSocketClientCreateEvent OnClientCreate;
    TWSocketClientConnectEvent OnClientConnect;
    TWSocketClientConnectEvent OnClientDisconnect;

    virtual int CountClients() const { return int(FClients.size()); }
    // nullptr when Index is out of range.
    virtual TWSocketClient* ClientAt(int Index) const;

protected:
    explicit TCustomWSocketServer(QObject* Owner);

    void DispatchSocketMessage(TMessage& Msg) override;
    void FireSessionAvailable(int Error) override;
    virtual void FireClientCreate(TWSocketClient* Client);
    virtual void FireClientConnect(TWSocketClient* Client, int Error);
    virtual void FireClientDisconnect(TWSocketClient* Client, int Error);
    // Keeps Clients equal to the client objects the server owns.
    void childEvent(QChildEvent* Event) override;

private:
    void ClientGone(TWSocketClient* Client);
    TWSocketServer* Server();

    QList<TWSocketClient*> FClients;
    int FAcceptCount = 0;
};

class TWSocketServer : public TCustomWSocketServer {
public:
    explicit TWSocketServer(QObject* Owner = nullptr);
};
