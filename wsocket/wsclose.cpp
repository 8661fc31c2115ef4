// Closing: graceful and abortive close, delayed close and release, waits, pausing events.
#include "wsocket/customwsocket.h"
#include "wsocket/wsocket.h"

using namespace winsock;

namespace {
// How long a close that Winsock says would block waits before it tries again.
constexpr int kCloseRetryMs = 10;
// How long WaitClosed sleeps between looks at a connection that sends no more events.
constexpr int kWaitClosedPollMs = 100;
}  // namespace

void TCustomWSocket::CloseConnection() { CloseWithError(true, 0); }

void TCustomWSocket::AbortConnection()
{
    CancelLookup();
    ClearSendQueue();
    // Without lingering the system finishes the close by itself and nothing waits here.
    if (FState == wsConnected && FProto == value::IpprotoTcp) {
        LingerOnOff = wsLingerOff;
        ApplyLinger();
    }
    CloseWithError(false, 0);
}

void TCustomWSocket::CloseWithError(bool Shut, int Error)
{
    if (FHSocket == INVALID_SOCKET) {
        if (FState != wsClosed) {
            SwitchState(wsClosed);
            ResetFields();
        }
        return;
    }
    if (FState == wsClosed)
        return;
    if (Shut)
        ShutdownSocket(SD_SEND);
    while (WinsockCall(closesocket, FHSocket) != 0) {
        const int error = WinsockCall(WSAGetLastError);
        if (error == WSAEWOULDBLOCK) {
            WaitForMessages(kCloseRetryMs);
            if (FHSocket == INVALID_SOCKET)
                return;  // closed meanwhile by a handler
            continue;
        }
        FHSocket = INVALID_SOCKET;
        if (error != WSANOTINITIALISED) {
            WinsockCall(WSASetLastError, error);
            ReportSocketError(QStringLiteral("Disconnect (closesocket)"));
            return;
        }
        break;
    }
    FHSocket = INVALID_SOCKET;
    SwitchState(wsClosed);
    auto resetUnlessReopened = [this] {
        // A handler that opened the socket again keeps its new connection.
        if (FHSocket != INVALID_SOCKET)
            return;
        try {
            ResetFields();
        } catch (...) {
        }
    };
    if (!FDestroying && !FCloseInvoked) {
        FCloseInvoked = true;
        try {
            FireSessionClosed(Error);
        } catch (...) {
            resetUnlessReopened();
            throw;
        }
    }
    resetUnlessReopened();
}

void TCustomWSocket::ShutdownSocket(int How)
{
    if (FHSocket != INVALID_SOCKET)
        WinsockCall(shutdown, FHSocket, How);
}

void TCustomWSocket::PostClose() { PostMessage(FWindowHandle, WM_CLOSE_DELAYED, 0, 0); }

void TCustomWSocket::PostFree() { PostMessage(FWindowHandle, WM_WSOCKET_RELEASE, 0, 0); }

void TCustomWSocket::WaitClosed()
{
    while (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        WaitForMessages(kWaitClosedPollMs);
        if (FHSocket == INVALID_SOCKET || FState == wsClosed)
            break;
        winsock::u_long waiting = 0;
        if (WinsockCall(ioctlsocket, FHSocket, long(value::FionRead), &waiting) == SOCKET_ERROR)
            break;
        if (waiting > 0)
            FireDataAvailable(0);
        if (FHSocket == INVALID_SOCKET)
            break;
        char probe;
        if (WinsockCall(recv, FHSocket, &probe, 0, 0) == SOCKET_ERROR
            && WinsockCall(WSAGetLastError) != WSAEWOULDBLOCK)
            break;
    }
}

void TCustomWSocket::PauseEvents()
{
    FPaused = true;
    WinsockCall(WSAAsyncSelect, FHSocket, FWindowHandle, 0u, 0L);
}

void TCustomWSocket::ResumeEvents()
{
    FPaused = false;
    WinsockCall(WSAAsyncSelect, FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent);
}

void TCustomWSocket::ClearSendQueue() { FBufList.clear(); }
