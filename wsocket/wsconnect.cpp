// Addresses and the opening of connections: property setters, Connect, Listen, Accept, Dup.
#include "wsocket/customwsocket.h"
#include "wsocket/wsocket.h"

using namespace winsock;

namespace {

// The events asked of Winsock after each way of opening.
constexpr long kConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
constexpr long kListenEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;
constexpr long kDupEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;
constexpr winsock::u_long kBroadcast = 0xffffffffu;

}  // namespace

// --- property setters ------------------------------------------------------------------------

void TCustomWSocket::AssignTextProperty(QString& Text, bool& Assigned, bool& Resolved,
                                        const QString& Value, const char* Name)
{
    if (Assigned && Value == Text)
        return;
    if (FState != wsClosed) {
        ReportError(QStringLiteral("Cannot change %1 if not closed").arg(QLatin1String(Name)));
        return;
    }
    Text = Value.trimmed();
    Assigned = !Text.isEmpty();
    Resolved = false;
}

void TCustomWSocket::AssignAddr(const QString& Value)
{
    AssignTextProperty(FAddrStr, FAddrAssigned, FAddrResolved, Value, "Addr");
}

void TCustomWSocket::AssignPort(const QString& Value)
{
    AssignTextProperty(FPortStr, FPortAssigned, FPortResolved, Value, "Port");
}

void TCustomWSocket::AssignProto(const QString& Value)
{
    AssignTextProperty(FProtoStr, FProtoAssigned, FProtoResolved, Value, "Proto");
}

void TCustomWSocket::AssignLocalPort(const QString& Value)
{
    if (FState != wsClosed) {
        ReportError(QStringLiteral("Cannot change LocalPort if not closed"));
        return;
    }
    FLocalPortStr = Value;
    FLocalPortResolved = false;
}

void TCustomWSocket::AssignLocalAddr(const QString& Value)
{
    if (FState != wsClosed) {
        ReportError(QStringLiteral("Cannot change LocalAddr if not closed"));
        return;
    }
    FLocalAddr = Value.isEmpty() ? QStringLiteral("0.0.0.0") : Value;
}

void TCustomWSocket::AssignSendFlags(TSocketSendFlags Value)
{
    switch (Value) {
    case wsSendNormal: FSendFlags = 0; break;
    case wsSendUrgent: FSendFlags = value::MsgOob; break;
    default: ReportError(QStringLiteral("Invalid SendFlags"));
    }
}

TSocketSendFlags TCustomWSocket::FetchSendFlags()
{
    switch (FSendFlags) {
    case 0: return wsSendNormal;
    case value::MsgOob: return wsSendUrgent;
    default: ReportError(QStringLiteral("Invalid internal SendFlags")); return wsSendNormal;
    }
}

// --- connect ---------------------------------------------------------------------------------

bool TCustomWSocket::ResolveEnds(bool ForListen, const QString& Prefix)
{
    QString failure;
    try {
        if (!FProtoResolved) {
            FProto = WSocketResolveProto(FProtoStr);
            // A listening socket is a stream unless it is UDP; a connecting one may be raw.
            if (FProto == value::IpprotoUdp)
                FType = value::SockDgram;
            else
                FType = ForListen || FProto == value::IpprotoTcp ? value::SockStream : value::SockRaw;
            FProtoResolved = true;
        }
        if (!FPortResolved) {
            FPortNum = WSocketResolvePort(FPortStr, FProtoStr);
            sin.sin_port = WinsockCall(htons, u_short(FPortNum));
            FPortResolved = true;
        }
        if (!ForListen && !FLocalPortResolved) {
            FLocalPortNum = WSocketResolvePort(FLocalPortStr, FProtoStr);
            FLocalPortResolved = true;
        }
        if (!FAddrResolved) {
            sin.sin_addr.s_addr = WSocketResolveHost(FAddrStr);
            FAddrResolved = true;
        }
    } catch (const ESocketException& e) {
        failure = e.Message;
    }
    if (failure.isNull())
        return true;
    ReportError(Prefix + failure);
    return false;
}

namespace {

// Sets a whole-number option; false (with the thread's error set) when Winsock refused it.
bool SetIntOption(SOCKET s, int level, int name, int value)
{
    return WinsockCall(setsockopt, s, level, name, reinterpret_cast<const char*>(&value),
                       int(sizeof value))
           == 0;
}

}  // namespace

void TCustomWSocket::Connect()
{
    if (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        ReportError(QStringLiteral("Connect: Socket already in use"));
        return;
    }
    if (!FPortAssigned) {
        ReportError(QStringLiteral("Connect: No Port Specified"));
        return;
    }
    if (!FAddrAssigned) {
        ReportError(QStringLiteral("Connect: No IP Address Specified"));
        return;
    }
    if (!FProtoAssigned) {
        ReportError(QStringLiteral("Connect: No Protocol Specified"));
        return;
    }
    if (!ResolveEnds(false, QStringLiteral("connect: ")))
        return;

    ClearSendQueue();
    FHSocket = WinsockCall(socket, FAddrFormat, FType, FProto);
    if (FHSocket == INVALID_SOCKET) {
        ReportSocketError(QStringLiteral("Connect (socket)"));
        return;
    }
    SwitchState(wsOpened);
    if (FState != wsOpened) {
        WinsockCall(WSASetLastError, WSAEINVAL);
        ReportSocketError(QStringLiteral("Connect (Invalid operation in OnChangeState)"));
        return;
    }

    if (FType == value::SockDgram) {
        if (!BindLocal())
            return;
        if (MultiCast) {
            if (MultiCastIpTTL != 1
                && !SetIntOption(FHSocket, value::IpprotoIp, value::IpMulticastTtl,
                                 MultiCastIpTTL)) {
                ReportSocketError(QStringLiteral("setsockopt(IP_MULTICAST_TTL)"));
                return;
            }
            if (FLocalAddr != QLatin1String("0.0.0.0")) {
                in_addr ifAddr{WSocketResolveHost(FLocalAddr)};
                if (WinsockCall(setsockopt, FHSocket, int(value::IpprotoIp),
                                int(value::IpMulticastIf), reinterpret_cast<const char*>(&ifAddr),
                                int(sizeof ifAddr))
                    != 0) {
                    ReportSocketError(QStringLiteral("setsockopt(IP_MULTICAST_IF)"));
                    return;
                }
            }
        }
        if (sin.sin_addr.s_addr == kBroadcast
            && !SetIntOption(FHSocket, value::SolSocket, value::SoBroadcast, 1)) {
            ReportSocketError(QStringLiteral("setsockopt(SO_BROADCAST)"));
            return;
        }
    } else {
        if (!SetIntOption(FHSocket, value::SolSocket, value::SoReuseAddr, 1)) {
            ReportSocketError(QStringLiteral("setsockopt(SO_REUSEADDR)"));
            return;
        }
        if ((ComponentOptions & wsoTcpNoDelay)
            && !SetIntOption(FHSocket, value::IpprotoTcp, value::TcpNoDelay, 1)) {
            ReportSocketError(QStringLiteral("setsockopt(IPPROTO_TCP, TCP_NODELAY)"));
            return;
        }
        if (!ApplyLinger())
            return;
        if (!SetIntOption(FHSocket, value::SolSocket, value::SoKeepAlive, 1)) {
            ReportSocketError(QStringLiteral("setsockopt(SO_KEEPALIVE)"));
            return;
        }
        if ((FLocalPortNum != 0 || FLocalAddr != QLatin1String("0.0.0.0")) && !BindLocal())
            return;
    }

    FSelectEvent = kConnectEvents;
    if (WinsockCall(WSAAsyncSelect, FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) != 0) {
        ReportSocketError(QStringLiteral("WSAAsyncSelect"));
        return;
    }

    if (FType == value::SockDgram) {
        SwitchState(wsConnected);
        FireSessionConnected(0);
        return;
    }
    if (WinsockCall(winsock::connect, FHSocket, reinterpret_cast<const sockaddr*>(&sin), int(sizeof sin))
            == 0
        || WinsockCall(WSAGetLastError) == WSAEWOULDBLOCK) {
        SwitchState(wsConnecting);
        return;
    }
    FLastError = WinsockCall(WSAGetLastError);
    ReportSocketError(QStringLiteral("Connect"));
}

bool TCustomWSocket::BindLocal()
{
    sockaddr_in local{};
    local.sin_family = short(value::AfInet);
    local.sin_port = WinsockCall(htons, u_short(FLocalPortNum));
    local.sin_addr.s_addr = WSocketResolveHost(FLocalAddr);
    if (WinsockCall(bind, FHSocket, reinterpret_cast<const sockaddr*>(&local), int(sizeof local))
        != 0) {
        ReportErrorFmt("winsock.bind failed, error #%d", WinsockCall(WSAGetLastError));
        return false;
    }
    int len = sizeof local;
    if (WinsockCall(getsockname, FHSocket, reinterpret_cast<sockaddr*>(&local), &len) != 0) {
        ReportErrorFmt("winsock.getsockname failed, error #%d", WinsockCall(WSAGetLastError));
        return false;
    }
    FLocalPortNum = WinsockCall(ntohs, local.sin_port);
    FLocalPortStr = QString::number(FLocalPortNum);
    return true;
}

bool TCustomWSocket::ApplyLinger()
{
    if (LingerOnOff == wsLingerNoSet)
        return true;
    if (FHSocket == INVALID_SOCKET) {
        ReportError(QStringLiteral("Cannot set linger option at this time"));
        return false;
    }
    const linger l{u_short(LingerOnOff), u_short(LingerTimeout)};
    if (WinsockCall(setsockopt, FHSocket, int(value::SolSocket), int(value::SoLinger),
                    reinterpret_cast<const char*>(&l), int(sizeof l))
        != 0) {
        ReportSocketError(QStringLiteral("setsockopt(SO_LINGER)"));
        return false;
    }
    return true;
}

// --- listen, accept, adopt -------------------------------------------------------------------

void TCustomWSocket::Listen()
{
    auto refuse = [this](const char* what) {
        WinsockCall(WSASetLastError, WSAEINVAL);
        ReportSocketError(QLatin1String(what));
    };
    if (!FPortAssigned)
        return refuse("listen: port not assigned");
    if (!FProtoAssigned)
        return refuse("listen: protocol not assigned");
    if (!FAddrAssigned)
        return refuse("listen: address not assigned");

    if (!ResolveEnds(true, QString()))
        return;

    ClearSendQueue();
    FHSocket = WinsockCall(socket, FAddrFormat, FType, FProto);
    if (FHSocket == INVALID_SOCKET) {
        ReportSocketError(QStringLiteral("socket"));
        return;
    }
    // A listening stream socket reuses its address, so that it can listen again on its port
    // while connections it accepted are still open.
    if ((FType == value::SockStream || ReuseAddr)
        && !SetIntOption(FHSocket, value::SolSocket, value::SoReuseAddr, 1)) {
        ReportSocketError(QStringLiteral("setsockopt(SO_REUSEADDR)"));
        return;
    }
    if (WinsockCall(bind, FHSocket, reinterpret_cast<const sockaddr*>(&sin), int(sizeof sin))
        != 0) {
        // The socket that could not bind is closed before the report: nothing is left open.
        const int error = WinsockCall(WSAGetLastError);
        WinsockCall(closesocket, FHSocket);
        FHSocket = INVALID_SOCKET;
        WinsockCall(WSASetLastError, error);
        ReportSocketError(QStringLiteral("Bind"));
        return;
    }
    SwitchState(wsBound);

    if (FType == value::SockDgram && MultiCast) {
        ip_mreq mreq{};
        mreq.imr_multiaddr.s_addr =
            WinsockCall(inet_addr, MultiCastAddrStr.toLatin1().constData());
        mreq.imr_interface.s_addr = sin.sin_addr.s_addr;
        if (WinsockCall(setsockopt, FHSocket, int(value::IpprotoIp), int(value::IpAddMembership),
                        reinterpret_cast<const char*>(&mreq), int(sizeof mreq))
            != 0) {
            ReportSocketError(QStringLiteral("setsockopt(IP MULTICAST)"));
            return;
        }
    }

    if (FType == value::SockStream) {
        // The system's maximum backlog: a room of workstations may connect at once.
        if (WinsockCall(listen, FHSocket, int(value::SoMaxConn)) != 0) {
            ReportSocketError(QStringLiteral("Listen"));
            return;
        }
        SwitchState(wsListening);
    } else if (FType == value::SockDgram) {
        SwitchState(wsListening);
        SwitchState(wsConnected);
        FireSessionConnected(0);
    } else {
        ReportError(QStringLiteral("Listen: unexpected protocol."));
        return;
    }

    FSelectEvent = kListenEvents;
    if (WinsockCall(WSAAsyncSelect, FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) != 0)
        ReportSocketError(QStringLiteral("WSAASyncSelect"));
}

SOCKET TCustomWSocket::Accept()
{
    if (FState != wsListening) {
        WinsockCall(WSASetLastError, WSAEINVAL);
        ReportSocketError(QStringLiteral("not a listening socket"));
        return INVALID_SOCKET;
    }
    int len = sizeof sin;
    FASocket = WinsockCall(accept, FHSocket, reinterpret_cast<sockaddr*>(&sin), &len);
    if (FASocket == INVALID_SOCKET) {
        ReportSocketError(QStringLiteral("Accept"));
        return INVALID_SOCKET;
    }
    return FASocket;
}

void TCustomWSocket::Dup(SOCKET NewHSocket)
{
    if (NewHSocket == 0 || NewHSocket == INVALID_SOCKET) {
        WinsockCall(WSASetLastError, WSAEINVAL);
        ReportSocketError(QStringLiteral("Dup"));
        return;
    }
    if (FState != wsClosed) {
        if (WinsockCall(closesocket, FHSocket) != 0) {
            ReportSocketError(QStringLiteral("Dup (closesocket)"));
            return;
        }
        FHSocket = INVALID_SOCKET;
        SwitchState(wsClosed);
    }
    FHSocket = NewHSocket;
    if (!ApplyLinger())
        return;
    // An adopted connection is kept alive, so that a peer that vanished without closing is
    // noticed.
    if (!SetIntOption(FHSocket, value::SolSocket, value::SoKeepAlive, 1)) {
        ReportSocketError(QStringLiteral("setsockopt(SO_KEEPALIVE)"));
        return;
    }
    FSelectEvent = kDupEvents;
    if (WinsockCall(WSAAsyncSelect, FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) == 0)
        SwitchState(wsConnected);
    else
        ReportSocketError(QStringLiteral("WSAAsyncSelect"));
}
