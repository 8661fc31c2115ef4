#pragma once
// TCustomSocksWSocket: reaching the destination through a SOCKS proxy, versions 4, 4A and 5,
// with optional user-code and password authentication (version 5). With SocksServer empty it
// is the plain socket. Every close forgets the proxy: it is set again before each connection.
#include "wsocket/customwsocket.h"

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };

using TSocksErrorEvent = std::function<void(TWSocket* Sender, int Error, const QString& Msg)>;
using TSocksAuthStateEvent = std::function<void(TWSocket* Sender, TSocksAuthState AuthState)>;

class TCustomSocksWSocket : public TCustomWSocket {
public:
    // Refused unless closed ("Can't change socks server if not closed" ...).
    void AssignSocksLevel(const QString& Value);  // "4", "4A" or "5"
    virtual void AssignSocksServer(const QString& Value);
    virtual void AssignSocksPort(const QString& Value);
    QString SocksServer() const { return FSocksServer; }
    QString SocksLevel() const { return FSocksLevel; }
    QString SocksPort() const { return FSocksPort; }
    // What the version 5 proxy reported as the address and port it connected from.
    QString BoundAddr() const { return FBoundAddr; }
    QString BoundPort() const { return FBoundPort; }

    QString SocksUsercode;
    QString SocksPassword;
    TSocksAuthentication SocksAuthentication = socksNoAuthentication;

    TSocksErrorEvent OnSocksError;
    TSessionConnected OnSocksConnected;
    TSocksAuthStateEvent OnSocksAuthState;

    void Connect() override;
    void Listen() override;

protected:
    using TCustomWSocket::TCustomWSocket;

    void ResetFields() override;
    int FetchRcvdCount() override;
    bool FireDataAvailable(int Error) override;
    void FireSessionConnected(int Error) override;
    void FireSessionClosed(int Error) override;
    int RecvInto(void* Buffer, int Len, int Flags) override;
    virtual void FireSocksConnected(int Error);
    virtual void FireSocksError(int Error, const QString& Msg);
    void FireSocksAuthState(TSocksAuthState AuthState);

    // Bytes that came after the proxy's reply and are still to be read.
    int SurplusCount() const { return FSocksRcvdCnt; }

    // 0 none, 1 connecting to the proxy, 2 authenticating, 3 connect request sent.
    int FSocksState = 0;

private:
    void SocksAuthRequest();
    void SocksConnectRequest();
    void AbortSocks(int Code, const QString& Msg);
    bool GreetingReply();
    bool AuthReply();
    bool Socks4Reply();
    bool Socks5Reply();
    bool IsLevel4() const { return FSocksLevel.startsWith(u'4'); }

    QString FSocksServer;
    QString FSocksLevel = QStringLiteral("5");
    QString FSocksPort;
    bool FSocksPortAssigned = false;
    bool FSocksServerAssigned = false;
    int FSocksAuthNumber = 0;  // method offered in the greeting: 0 none, 2 user code
    QString FBoundAddr;
    QString FBoundPort;
    unsigned char FRcvBuf[128] = {};
    int FRcvCnt = 0;
    int FSocksRcvdCnt = 0;  // bytes after a complete reply, served to the application first
    int FSocksRcvdPtr = 0;
};
