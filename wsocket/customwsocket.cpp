// The socket object: life cycle, hidden window and message dispatch, events, error reporting.
#include "wsocket/customwsocket.h"
#include <QAbstractEventDispatcher>
#include <QThread>
#include "wsocket/wsocket.h"
#include "wsocket/wspump.h"

using namespace winsock;

TCustomWSocket::TCustomWSocket(QObject* Owner) : QObject(Owner)
{
    CreateHiddenWindow();
    BufSize = 1460;
    MultiCastIpTTL = 1;
    ResetFields();
    ++WSocketInstanceCount();
}

TCustomWSocket::~TCustomWSocket()
{
    CloseForDestruction();
    *FAlive = false;
    if (--WSocketInstanceCount() < 1) {
        WinsockUnload();
        WSocketInstanceCount() = 0;
    }
    ClearSendQueue();
    DestroyHiddenWindow();
}

void TCustomWSocket::CloseForDestruction()
{
    if (FDestroying)
        return;
    FDestroying = true;
    try {
        CancelLookup();
    } catch (...) {
    }
    try {
        if (FState != wsClosed)
            CloseConnection();
        // A handle adopted without reaching a state (a failed Dup) is closed too.
        if (FHSocket != INVALID_SOCKET) {
            WinsockCall(closesocket, FHSocket);
            FHSocket = INVALID_SOCKET;
        }
    } catch (...) {
    }
}

TWSocket* TCustomWSocket::Self()
{
    // Every concrete socket object is a TWSocket: the layers below it cannot be created alone.
    return static_cast<TWSocket*>(this);
}

void TCustomWSocket::ResetFields()
{
    sin = sockaddr_in{};
    sin.sin_family = short(value::AfInet);
    FAddrFormat = value::AfInet;
    FAddrAssigned = false;
    FAddrResolved = false;
    FProto = value::IpprotoTcp;
    FProtoAssigned = true;
    FProtoResolved = false;
    FProtoStr = QStringLiteral("tcp");
    FPortAssigned = false;
    FPortResolved = false;
    FLocalPortResolved = false;
    FType = value::SockStream;
    FLocalPortStr = QStringLiteral("0");
    FLocalAddr = QStringLiteral("0.0.0.0");
    LingerOnOff = wsLingerOn;
    LingerTimeout = 0;
    FHSocket = INVALID_SOCKET;
    FSelectEvent = 0;
    FState = wsClosed;
    FAllSent = true;
    FReadCount = 0;
    FPaused = false;
    FCloseInvoked = false;
    FlushTimeout = 60;
}

// --- hidden window ---------------------------------------------------------------------------

void TCustomWSocket::CreateHiddenWindow()
{
    FWindowHandle = CreateMessageWindow(this);
    if (!FWindowHandle)
        ReportError(QStringLiteral("Cannot create a hidden window for TWSocket"));
}

void TCustomWSocket::DestroyHiddenWindow()
{
    if (FWindowHandle) {
        DestroyMessageWindow(FWindowHandle);
        FWindowHandle = nullptr;
    }
}

LRESULT TCustomWSocket::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    // The dispatch may destroy this object (a delayed release): nothing of it is touched then.
    std::shared_ptr<bool> alive = FAlive;
    ++FHandlerDepth;
    DispatchSocketMessage(m);
    if (!*alive)
        return m.Result;
    if (--FHandlerDepth == 0)
        HandlersReturned();
    return m.Result;
}

void TCustomWSocket::DispatchSocketMessage(TMessage& Msg)
{
    try {
        switch (Msg.Msg) {
        case WM_ASYNCSELECT: HandleSelectEvent(Msg); break;
        case WM_ASYNCGETHOSTBYNAME: HostByNameReply(Msg); break;
        case WM_ASYNCGETHOSTBYADDR: HostByAddrReply(Msg); break;
        case WM_CLOSE_DELAYED: CloseConnection(); break;
        case WM_WSOCKET_RELEASE: DelayedRelease(); break;
        case WM_TRIGGER_EXCEPTION:
            throw ESocketException(QStringLiteral("Test exception in WSocket"));
        default: Msg.Result = 0; break;
        }
    } catch (const std::exception& e) {
        ReportBgException(e);
    }
}

void TCustomWSocket::DelayedRelease()
{
    // Inside one of its own handlers the object waits until the handler has returned.
    if (FHandlerDepth > 1) {
        FReleasePending = true;
        return;
    }
    delete this;
}

void TCustomWSocket::HandlersReturned()
{
    if (FReleasePending) {
        FReleasePending = false;
        PostMessage(FWindowHandle, WM_WSOCKET_RELEASE, 0, 0);
    }
}

// --- events ----------------------------------------------------------------------------------

void TCustomWSocket::SwitchState(TSocketState NewState)
{
    const TSocketState old = FState;
    FState = NewState;
    FireChangeState(old, NewState);
}

bool TCustomWSocket::FireDataAvailable(int Error) { return CallEvent(OnDataAvailable, Error); }
void TCustomWSocket::FireSessionAvailable(int Error) { CallEvent(OnSessionAvailable, Error); }
void TCustomWSocket::FireSessionConnected(int Error) { CallEvent(OnSessionConnected, Error); }
void TCustomWSocket::FireSessionClosed(int Error) { CallEvent(OnSessionClosed, Error); }
void TCustomWSocket::FireDataSent(int Error) { CallEvent(OnDataSent, Error); }
void TCustomWSocket::FireDnsLookupDone(int Error) { CallEvent(OnDnsLookupDone, Error); }
void TCustomWSocket::FireError() { CallEvent(OnError); }
void TCustomWSocket::FireSendData(int BytesSent) { CallEvent(OnSendData, BytesSent); }

void TCustomWSocket::FireChangeState(TSocketState OldState, TSocketState NewState)
{
    CallEvent(OnChangeState, OldState, NewState);
}

// --- errors ----------------------------------------------------------------------------------

void TCustomWSocket::ReportError(const QString& Msg)
{
    // The handler reads LastError: the message itself is not handed to it.
    if (OnError)
        FireError();
    else
        throw ESocketException(Msg);
}

void TCustomWSocket::ReportSocketError(const QString& FuncName)
{
    const int code = WinsockCall(WSAGetLastError);
    const QString msg = "Error " + QString::number(code) + " in function " + FuncName + "\r\n"
                        + WinsockErrorText(code);
    // A connection that is gone is closed the normal way, so that its closing events run.
    if (code == WSAECONNRESET || code == WSAENOTCONN)
        CloseWithError(false, code);
    FLastError = code;
    ReportError(msg);
}

void TCustomWSocket::ReportBgException(const std::exception& E)
{
    bool canClose = true;
    try {
        CallEvent(OnBgException, E, canClose);
    } catch (...) {
    }
    if (canClose) {
        try {
            AbortConnection();
        } catch (...) {
        }
    }
}

// --- message pumping -------------------------------------------------------------------------

void TCustomWSocket::PumpMessages()
{
    if (!MultiThreaded)
        wsocket::ProcessPendingEvents();
    else
        OwnMessageLoop();
}

bool TCustomWSocket::ProcessOneMessage()
{
    if (wsocket::ApplicationTerminated()) {
        FTerminated = true;
        return false;
    }
    QAbstractEventDispatcher* dispatcher = QThread::currentThread()->eventDispatcher();
    return dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
}

void TCustomWSocket::OwnMessageLoop()
{
    while (ProcessOneMessage()) {
    }
}

void TCustomWSocket::WaitForMessages(int MaxMs)
{
    wsocket::WaitForEvents(MaxMs);
    if (wsocket::ApplicationTerminated())
        FTerminated = true;
}

// --- small operations ------------------------------------------------------------------------

int TCustomWSocket::FetchRcvdCount()
{
    winsock::u_long count = 0;
    if (WinsockCall(ioctlsocket, FHSocket, long(value::FionRead), &count) == SOCKET_ERROR) {
        ReportSocketError(QStringLiteral("ioctlSocket"));
        return -1;
    }
    return int(count);
}

bool TCustomWSocket::TimevalIsSet(const TTimeVal& Tv) const { return Tv.tv_sec || Tv.tv_usec; }

void TCustomWSocket::TimevalClear(TTimeVal& Tv) const { Tv = TTimeVal{}; }

bool TCustomWSocket::TimevalCompare(const TTimeVal& A, const TTimeVal& B, bool Unequal) const
{
    const bool equal = A.tv_sec == B.tv_sec && A.tv_usec == B.tv_usec;
    return Unequal ? !equal : equal;
}
