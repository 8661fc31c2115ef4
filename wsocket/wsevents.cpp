// Network events: the dispatch of one Winsock notification and the receive loop.
#include "wsocket/customwsocket.h"
#include "wsocket/wsocket.h"

using namespace winsock;

void TCustomWSocket::HandleSelectEvent(TMessage& Msg)
{
    // A message for an earlier connection of this object (its handle carries another
    // generation) or one that arrives while events are paused is not this connection's.
    if (Msg.WParam != FHSocket || FPaused)
        return;
    const int error = SelectError(Msg.LParam);
    const int events = SelectEvent(Msg.LParam);
    if ((events & FD_CONNECT) && FState != wsConnected) {
        SwitchState(wsConnected);
        FireSessionConnected(error);
        if (error && FState != wsClosed)
            CloseConnection();
    }
    if (events & FD_READ) {
        // Data before the connect notification: the connection is made.
        if (FState != wsConnected) {
            SwitchState(wsConnected);
            FireSessionConnected(error);
        }
        DrainReceive(error, ComponentOptions);
    }
    if (events & FD_WRITE) {
        // A send that closed the connection lost the queue: that is never told as sent.
        const SOCKET handle = FHSocket;
        TryToSend();
        if (FAllSent && FHSocket == handle)
            FireDataSent(error);
    }
    if (events & FD_ACCEPT)
        FireSessionAvailable(error);
    if ((events & FD_CLOSE) && FState != wsConnecting) {
        // Every byte still waiting is offered before the close is told.
        DrainReceive(0, ComponentOptions & ~TWSocketOptions(wsoNoReceiveLoop));
        if (!FCloseInvoked) {
            FCloseInvoked = true;
            FireSessionClosed(error);
        }
        if (FState != wsClosed)
            CloseConnection();
    }
}

void TCustomWSocket::DrainReceive(int Error, TWSocketOptions Options)
{
    try {
        for (;;) {
            FLastError = 0;
            const qint64 before = FNetReadTotal;
            if (!FireDataAvailable(Error)) {
                // Nobody reads: the waiting bytes are dropped, a block at a time.
                char scratch[1024];
                if (RecvInto(scratch, int(sizeof scratch), 0) == SOCKET_ERROR) {
                    FLastError = WinsockCall(WSAGetLastError);
                    if (FLastError == WSAEWOULDBLOCK) {
                        FLastError = 0;
                        break;
                    }
                }
            }
            if (Options & wsoNoReceiveLoop)
                break;
            // A failed receive, a pass that took nothing from the network (a handler that does
            // not read) or a socket closed by the handler ends the loop.
            if (FLastError || FNetReadTotal == before || FHSocket == INVALID_SOCKET)
                break;
            winsock::u_long waiting = 0;
            if (WinsockCall(ioctlsocket, FHSocket, long(value::FionRead), &waiting)
                == SOCKET_ERROR) {
                FLastError = WinsockCall(WSAGetLastError);
                break;
            }
            if (waiting == 0)
                break;
        }
    } catch (...) {
        // A handler's exception ends this loop only; what is left is offered at the next
        // notification.
    }
}
