#pragma once
// TCustomWSocket: an event-driven TCP/UDP socket that never blocks on the network.
//
// Each socket object owns a hidden message window; Winsock posts the socket's network events
// to it and the window procedure turns them into the events below, always from the thread's
// event loop. Operations return at once; their completion comes as events.
//
// Events are public members holding a function; the first argument is the socket that fires:
//     sock->OnDataAvailable = [this](TWSocket* Sender, int Error) { ... Sender->ReceiveText() ... };
//     sock->OnSessionClosed = [this](TWSocket* Sender, int Error) { ... };
// A handler taking TCustomWSocket* is accepted too. Error is the Winsock code, 0 for success.
// A handler may run nested inside another (anything that waits pumps the event loop), must not
// delete its own socket (PostFree does that safely), and may reassign any event.
#include <QFlags>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include "platform/winsock/messagewindow.h"
#include "wsocket/wsockbind.h"
#include "wsocket/wsockbuf.h"

class TWSocket;

enum TSocketState {
    wsInvalidState,
    wsOpened,
    wsBound,
    wsConnecting,
    wsConnected,
    wsAccepting,
    wsListening,
    wsClosed
};
enum TWSocketOption { wsoNoReceiveLoop = 0x1, wsoTcpNoDelay = 0x2 };
Q_DECLARE_FLAGS(TWSocketOptions, TWSocketOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TWSocketOptions)
// A whole int underneath: AssignSendFlags refuses any other value, which the type must be able
// to carry without undefined behaviour.
enum TSocketSendFlags : int { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };

using TDataAvailable = std::function<void(TWSocket* Sender, int Error)>;
using TDataSent = TDataAvailable;
using TSessionClosed = TDataAvailable;
using TSessionAvailable = TDataAvailable;
using TSessionConnected = TDataAvailable;
using TDnsLookupDone = TDataAvailable;
using TSendData = std::function<void(TWSocket* Sender, int BytesSent)>;
using TChangeState =
    std::function<void(TWSocket* Sender, TSocketState OldState, TSocketState NewState)>;
using TBgExceptionEvent =
    std::function<void(TWSocket* Sender, const std::exception& E, bool& CanClose)>;
using TNotifyEvent = std::function<void(TWSocket* Sender)>;

// The messages of the hidden window.
constexpr winsock::UINT WM_USER = 1024;
constexpr winsock::UINT WM_ASYNCSELECT = WM_USER + 1;        // network event
constexpr winsock::UINT WM_ASYNCGETHOSTBYNAME = WM_USER + 2; // host-name lookup done
constexpr winsock::UINT WM_ASYNCGETHOSTBYADDR = WM_USER + 3; // address lookup done
constexpr winsock::UINT WM_CLOSE_DELAYED = WM_USER + 4;
constexpr winsock::UINT WM_WSOCKET_RELEASE = WM_USER + 5;
constexpr winsock::UINT WM_TRIGGER_EXCEPTION = WM_USER + 6;  // raises a test exception
constexpr winsock::UINT WM_TRIGGER_DATA_AVAILABLE = WM_USER + 20;
constexpr winsock::UINT WM_CLIENT_CLOSED = WM_USER + 30;

struct TMessage {
    winsock::UINT Msg;
    winsock::WPARAM WParam;
    winsock::LPARAM LParam;
    winsock::LRESULT Result;
};

// A (seconds, microseconds) pair.
struct TTimeVal {
    long tv_sec = 0;
    long tv_usec = 0;
};

// The send queue.
using TBufferList = std::deque<std::unique_ptr<TBuffer>>;

class TCustomWSocket : public QObject, protected winsock::WindowProcedure {
public:
    ~TCustomWSocket() override;

    // --- properties ------------------------------------------------------------------------
    QString DnsResult() const { return FDnsResult; }
    const QStringList& DnsResultList() const { return FDnsResultList; }
    int LastError() const { return FLastError; }
    int ReadCount() const { return FReadCount; }
    TSocketState State() const { return FState; }
    winsock::SOCKET HSocket() const { return FHSocket; }
    winsock::HWND Handle() const { return FWindowHandle; }
    bool AllSent() const { return FAllSent; }
    const TBufferList& SendQueue() const { return FBufList; }

    int BufSize = 1460;
    int FlushTimeout = 60;  // seconds
    bool MultiThreaded = false;
    bool MultiCast = false;
    QString MultiCastAddrStr;
    int MultiCastIpTTL = 1;
    bool ReuseAddr = false;
    TWSocketOptions ComponentOptions;
    TSocketLingerOnOff LingerOnOff = wsLingerOn;
    int LingerTimeout = 0;  // seconds

    // Each of these refuses a socket that is not closed ("Cannot change Addr if not closed").
    void AssignAddr(const QString& Value);
    virtual void AssignPort(const QString& Value);
    virtual void AssignProto(const QString& Value);
    void AssignLocalPort(const QString& Value);
    void AssignLocalAddr(const QString& Value);
    void AssignSendFlags(TSocketSendFlags Value);
    QString FetchAddr() const { return FAddrStr; }
    QString FetchPort() const { return FPortStr; }
    QString FetchProto() const { return FProtoStr; }
    QString LocalPort() const { return FLocalPortStr; }
    QString LocalAddr() const { return FLocalAddr; }
    TSocketSendFlags FetchSendFlags();
    int RcvdCount() { return FetchRcvdCount(); }
    QString PeerAddr() { return FetchPeerAddr(); }
    QString PeerPort() { return GetPeerPort(); }

    // --- events ----------------------------------------------------------------------------
    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TChangeState OnChangeState;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TSendData OnSendData;
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

    // --- operations ------------------------------------------------------------------------
    virtual void Connect();
    virtual void CloseConnection();
    virtual void PostClose();
    virtual void PostFree();
    virtual void AbortConnection();
    virtual void FlushQueue();
    virtual void WaitClosed();
    virtual void Listen();
    virtual winsock::SOCKET Accept();
    virtual int ReceiveInto(void* Buffer, int BufferSize);
    virtual QString ReceiveText();
    void ReceiveText(QString& Text) { Text = ReceiveText(); }
    virtual int ReceiveDatagram(void* Buffer, int BufferLength, winsock::sockaddr_in& From,
                                int& FromLength);
    virtual int Send(const void* Data, int Len);
    virtual int SendDatagram(const void* Data, int DataLen, const winsock::sockaddr_in& Dest,
                             int DestLen);
    virtual int SendText(const QString& Str);
    virtual void DnsLookup(const QString& HostName);
    virtual void ReverseDnsLookup(const QString& HostAddr);
    virtual void CancelLookup();
    virtual QString FetchPeerAddr();
    virtual QString GetPeerPort();
    virtual int FetchPeerSockAddr(winsock::sockaddr_in& Addr, int& Len);
    virtual QString FetchLocalPort();
    virtual QString FetchLocalAddr();
    virtual bool TimevalIsSet(const TTimeVal& Tv) const;
    virtual void TimevalClear(TTimeVal& Tv) const;
    virtual bool TimevalCompare(const TTimeVal& A, const TTimeVal& B, bool Unequal = false) const;
    virtual int FetchSockAddr(winsock::sockaddr_in& Addr, int& Len);
    virtual void Dup(winsock::SOCKET NewHSocket);
    virtual void ShutdownSocket(int How);
    virtual void PauseEvents();
    virtual void ResumeEvents();
    virtual void PumpMessages();
    void ClearSendQueue();

protected:
    explicit TCustomWSocket(QObject* Owner);
    // Closes the connection of an object being destroyed (no event fires); called by the
    // destructor of the most derived class, while every layer is still alive.
    void CloseForDestruction();

    winsock::LRESULT WindowProc(winsock::UINT msg, winsock::WPARAM wParam,
                                winsock::LPARAM lParam) override;
    virtual void DispatchSocketMessage(TMessage& Msg);
    virtual void CreateHiddenWindow();
    virtual void DestroyHiddenWindow();
    virtual void ResetFields();
    virtual void CloseWithError(bool Shut, int Error);
    virtual int FetchRcvdCount();
    // Both report their failure and answer false.
    virtual bool BindLocal();
    virtual int SendChunk(const void* Data, int Len);
    template <class... A>
    void ReportErrorFmt(const char* Fmt, A... Args)
    {
        ReportError(QString::asprintf(Fmt, Args...));
    }
    virtual void ReportError(const QString& Msg);
    virtual void ReportBgException(const std::exception& E);
    virtual bool FireDataAvailable(int Error);
    virtual void FireSessionAvailable(int Error);
    virtual void FireSessionConnected(int Error);
    virtual void FireSessionClosed(int Error);
    virtual void FireDataSent(int Error);
    virtual void FireChangeState(TSocketState OldState, TSocketState NewState);
    virtual void FireDnsLookupDone(int Error);
    virtual void FireError();
    virtual int RecvInto(void* Buffer, int Len, int Flags);
    virtual int RecvFromInto(void* Buffer, int Len, winsock::sockaddr_in& From, int& FromLen,
                             int Flags);
    void FireSendData(int BytesSent);

    void ReportSocketError(const QString& FuncName);
    void SwitchState(TSocketState NewState);
    void HandleSelectEvent(TMessage& Msg);
    void DrainReceive(int Error, TWSocketOptions Options);
    void HostByNameReply(TMessage& Msg);
    void HostByAddrReply(TMessage& Msg);
    void CollectHostAddresses(const winsock::hostent* Phe);
    // A lookup of a name that is not Valid is refused (Refusal, then OnDnsLookupDone(10022));
    // otherwise a pending lookup is cancelled and the results cleared.
    bool StartLookup(bool Valid, const QString& Refusal);
    // The peer's address record of a connected socket (a failure reported under FuncName), or
    // the socket's own once bound; false when there is none.
    bool PeerSockAddr(winsock::sockaddr_in& Peer, const char* FuncName);
    bool LocalSockAddr(winsock::sockaddr_in& Local);
    // Resolves the protocol (and socket type), port, local port and address that are not yet;
    // a failure is reported as Prefix + its message and answers false.
    bool ResolveEnds(bool ForListen, const QString& Prefix);
    void TryToSend();
    void QueueSendData(const void* Data, int Len);
    bool ApplyLinger();
    void AssignTextProperty(QString& Text, bool& Assigned, bool& Resolved, const QString& Value,
                            const char* Name);
    bool ProcessOneMessage();
    void OwnMessageLoop();
    // Waits in the event loop for at most MaxMs (negative: until an event).
    void WaitForMessages(int MaxMs);
    bool Destroying() const { return FDestroying; }
    TWSocket* Self();

    // Calls an event handler when one is assigned; false when none is. An object being
    // destroyed fires nothing: what its handlers use may be gone already.
    template <class Event, class... A>
    bool CallEvent(const Event& Ev, A&&... Args)
    {
        return CallEventAs(Self(), Ev, std::forward<A>(Args)...);
    }
    template <class S, class Event, class... A>
    bool CallEventAs(S* Sender, const Event& Ev, A&&... Args)
    {
        if (!Ev || FDestroying)
            return false;
        Event handler = Ev;  // the handler may reassign its own event while it runs
        THandlerScope scope(*this);
        handler(Sender, std::forward<A>(Args)...);
        return true;
    }

    // How many of this object's handlers (or messages of its window) are running now. An
    // object is never destroyed from the event loop while this is above 0: the destruction
    // waits, and HandlersReturned, run each time the count falls back to 0, posts it again.
    int HandlerDepth() const { return FHandlerDepth; }
    virtual void HandlersReturned();
    struct THandlerScope {
        explicit THandlerScope(TCustomWSocket& s) : Socket(s) { ++Socket.FHandlerDepth; }
        ~THandlerScope()
        {
            if (--Socket.FHandlerDepth == 0)
                Socket.HandlersReturned();
        }
        TCustomWSocket& Socket;
    };
    void DelayedRelease();

    // Bytes received, all receives counted, also those a layer serves from what it held: the
    // receive loop stops when a pass took none.
    qint64 FNetReadTotal = 0;

    QString FDnsResult;
    QStringList FDnsResultList;
    winsock::SOCKET FASocket = winsock::INVALID_SOCKET;
    TBufferList FBufList;
    int FSendFlags = 0;
    int FLastError = 0;
    winsock::HWND FWindowHandle = nullptr;
    alignas(winsock::hostent) char FDnsLookupBuffer[winsock::MAXGETHOSTSTRUCT + 1] = {};
    winsock::HANDLE FDnsLookupHandle = 0;
    bool FDnsLookupEarlyReply = false;
    TMessage FDnsLookupSavedReply{};
    winsock::SOCKET FHSocket = winsock::INVALID_SOCKET;
    QString FAddrStr;
    bool FAddrResolved = false;
    int FAddrFormat = winsock::value::AfInet;
    bool FAddrAssigned = false;
    int FProto = winsock::value::IpprotoTcp;
    bool FProtoAssigned = true;
    bool FProtoResolved = false;
    bool FLocalPortResolved = false;
    QString FProtoStr = QStringLiteral("tcp");
    QString FPortStr;
    bool FPortAssigned = false;
    bool FPortResolved = false;
    int FPortNum = 0;
    QString FLocalPortStr = QStringLiteral("0");
    int FLocalPortNum = 0;
    QString FLocalAddr = QStringLiteral("0.0.0.0");
    int FType = winsock::value::SockStream;
    bool FAllSent = true;
    int FReadCount = 0;
    bool FPaused = false;
    bool FCloseInvoked = false;
    bool FReadHasFilled = false;
    bool FTerminated = false;
    long FSelectEvent = 0;
    TSocketState FState = wsClosed;
    winsock::sockaddr_in sin{};

private:
    bool FDestroying = false;
    int FHandlerDepth = 0;
    bool FReleasePending = false;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
