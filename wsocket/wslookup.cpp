// Name and address lookups, and the addresses of the two ends of the connection.
#include <cstring>
#include "platform/textfile.h"
#include "wsocket/customwsocket.h"
#include "wsocket/wsocket.h"

using namespace winsock;

namespace {
constexpr int kMaxAddresses = 256;

QString Dotted(winsock::u_long addr)
{
    return QString::fromLatin1(WinsockCall(inet_ntoa, in_addr{addr}));
}
}  // namespace

bool TCustomWSocket::StartLookup(bool Valid, const QString& Refusal)
{
    if (!Valid) {
        ReportError(Refusal);
        FireDnsLookupDone(WSAEINVAL);
        return false;
    }
    if (FDnsLookupHandle) {
        WinsockCall(WSACancelAsyncRequest, FDnsLookupHandle);
        FDnsLookupHandle = 0;
    }
    FDnsResult.clear();
    FDnsResultList.clear();
    return true;
}

void TCustomWSocket::DnsLookup(const QString& HostName)
{
    if (!StartLookup(!HostName.isEmpty(), QStringLiteral("DNS lookup: invalid host name.")))
        return;
    const QByteArray name = textfile::EncodeCp1252(HostName);
    if (IsDottedQuad(HostName)) {
        const winsock::u_long addr = WinsockCall(inet_addr, name.constData());
        if (addr != INADDR_NONE) {
            FDnsResult = Dotted(addr);
            FDnsResultList << FDnsResult;
            FireDnsLookupDone(0);
            return;
        }
    }
    if (!FWindowHandle) {
        ReportError(QStringLiteral("DnsLookup: Window not assigned"));
        return;
    }
    FDnsLookupEarlyReply = false;
    FDnsLookupHandle = WinsockCall(WSAAsyncGetHostByName, FWindowHandle, WM_ASYNCGETHOSTBYNAME,
                                   name.constData(), FDnsLookupBuffer,
                                   int(sizeof FDnsLookupBuffer));
    if (!FDnsLookupHandle) {
        ReportErrorFmt("%s: can't start DNS lookup, error #%d", HostName.toUtf8().constData(),
                       WinsockCall(WSAGetLastError));
        return;
    }
    if (FDnsLookupEarlyReply) {
        FDnsLookupEarlyReply = false;
        HostByNameReply(FDnsLookupSavedReply);
    }
}

void TCustomWSocket::HostByNameReply(TMessage& Msg)
{
    if (FDnsLookupHandle == 0) {
        // A reply before its lookup handle is known is kept until it is.
        FDnsLookupSavedReply = Msg;
        FDnsLookupEarlyReply = true;
        return;
    }
    if (Msg.WParam != FDnsLookupHandle)
        return;
    FDnsLookupHandle = 0;
    const int error = SelectError(Msg.LParam);
    if (error == 0) {
        CollectHostAddresses(reinterpret_cast<const hostent*>(FDnsLookupBuffer));
        FDnsResult = FDnsResultList.value(0);
    }
    FireDnsLookupDone(error);
}

void TCustomWSocket::CollectHostAddresses(const hostent* Phe)
{
    for (int i = 0; i < kMaxAddresses && Phe->h_addr_list[i]; ++i) {
        winsock::u_long addr;
        std::memcpy(&addr, Phe->h_addr_list[i], sizeof addr);
        FDnsResultList << Dotted(addr);
    }
}

void TCustomWSocket::ReverseDnsLookup(const QString& HostAddr)
{
    if (!StartLookup(!HostAddr.isEmpty() && HostAddr.size() < 257,
                     QStringLiteral("ReverseDnsLookup: Invalid host name.")))
        return;
    const winsock::u_long addr = WinsockCall(inet_addr, textfile::EncodeCp1252(HostAddr).constData());
    if (!FWindowHandle) {
        ReportError(QStringLiteral("ReverseDnsLookup: Window not assigned"));
        return;
    }
    FDnsLookupHandle = WinsockCall(WSAAsyncGetHostByAddr, FWindowHandle, WM_ASYNCGETHOSTBYADDR,
                                   reinterpret_cast<const char*>(&addr), 4, int(value::AfInet),
                                   FDnsLookupBuffer, int(sizeof FDnsLookupBuffer));
    if (!FDnsLookupHandle)
        ReportErrorFmt("%s: can't start DNS lookup, error #%d", HostAddr.toUtf8().constData(),
                       WinsockCall(WSAGetLastError));
}

void TCustomWSocket::HostByAddrReply(TMessage& Msg)
{
    if (FDnsLookupHandle == 0 || Msg.WParam != FDnsLookupHandle)
        return;
    FDnsLookupHandle = 0;
    const int error = SelectError(Msg.LParam);
    if (error == 0) {
        const auto* phe = reinterpret_cast<const hostent*>(FDnsLookupBuffer);
        FDnsResult = textfile::DecodeCp1252(QByteArray(phe->h_name));
        FDnsResultList = QStringList{FDnsResult};
    }
    FireDnsLookupDone(error);
}

void TCustomWSocket::CancelLookup()
{
    if (!FDnsLookupHandle)
        return;
    if (WinsockCall(WSACancelAsyncRequest, FDnsLookupHandle) != 0) {
        FDnsLookupHandle = 0;
        ReportSocketError(QStringLiteral("WSACancelAsyncRequest"));
        return;
    }
    FDnsLookupHandle = 0;
    if (!FDestroying)
        FireDnsLookupDone(WSAEINTR);
}

// --- addresses -------------------------------------------------------------------------------

bool TCustomWSocket::PeerSockAddr(sockaddr_in& Peer, const char* FuncName)
{
    if (FState != wsConnected)
        return false;
    int len = sizeof Peer;
    if (WinsockCall(getpeername, FHSocket, reinterpret_cast<sockaddr*>(&Peer), &len) == 0)
        return true;
    ReportSocketError(QLatin1String(FuncName));
    return false;
}

bool TCustomWSocket::LocalSockAddr(sockaddr_in& Local)
{
    if (FState != wsBound && FState != wsConnected && FState != wsListening)
        return false;
    int len = sizeof Local;
    return WinsockCall(getsockname, FHSocket, reinterpret_cast<sockaddr*>(&Local), &len) == 0;
}

QString TCustomWSocket::FetchPeerAddr()
{
    sockaddr_in peer{};
    return PeerSockAddr(peer, "GetPeerName") ? Dotted(peer.sin_addr.s_addr) : QStringLiteral("error");
}

QString TCustomWSocket::GetPeerPort()
{
    sockaddr_in peer{};
    return PeerSockAddr(peer, "GetPeerPort") ? QString::number(WinsockCall(ntohs, peer.sin_port))
                                              : QStringLiteral("error");
}

int TCustomWSocket::FetchPeerSockAddr(sockaddr_in& Addr, int& Len)
{
    if (FState != wsConnected)
        return -1;
    return WinsockCall(getpeername, FHSocket, reinterpret_cast<sockaddr*>(&Addr), &Len);
}

QString TCustomWSocket::FetchLocalPort()
{
    sockaddr_in local{};
    return LocalSockAddr(local) ? QString::asprintf("%d", int(WinsockCall(ntohs, local.sin_port)))
                                : QStringLiteral("error");
}

QString TCustomWSocket::FetchLocalAddr()
{
    sockaddr_in local{};
    return LocalSockAddr(local) ? Dotted(local.sin_addr.s_addr) : QStringLiteral("error");
}

int TCustomWSocket::FetchSockAddr(sockaddr_in& Addr, int& Len)
{
    return WinsockCall(getsockname, FHSocket, reinterpret_cast<sockaddr*>(&Addr), &Len);
}
