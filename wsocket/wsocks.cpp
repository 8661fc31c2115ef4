#include "wsocket/wsocks.h"
#include <algorithm>
#include <cstring>
#include "platform/textfile.h"
#include "wsocket/wsocket.h"

using namespace winsock;

namespace {

constexpr int kReplyBufferSize = 128;
// No request is longer than the proxy's reply buffer is wide.
constexpr int kAuthRequestLimit = 128;
constexpr int kSocks5HostLimit = 255;  // one length byte
// Refusals of this layer before a request could be sent.
constexpr int kRequestTooLong = 20014;

QString Socks5ReplyText(int code)
{
    static const char* const texts[] = {
        "general SOCKS server failure", "connection not allowed by ruleset", "network unreachable",
        "host unreachable",             "connection refused",                "time to live expired",
        "command not supported",        "address type not supported",
    };
    return QString::fromLatin1(texts[code - 1]);
}

}  // namespace

// --- properties ------------------------------------------------------------------------------

void TCustomSocksWSocket::AssignSocksLevel(const QString& Value)
{
    if (FState != wsClosed) {
        ReportError(QStringLiteral("Can't change socks level if not closed"));
        return;
    }
    if (Value == u"4" || Value == u"5" || Value == u"4A" || Value == u"4a")
        FSocksLevel = Value.toUpper();
    else
        ReportError(QStringLiteral("Invalid socks level. Must be 4, 4A or 5."));
}

void TCustomSocksWSocket::AssignSocksServer(const QString& Value)
{
    if (FState != wsClosed) {
        ReportError(QStringLiteral("Can't change socks server if not closed"));
        return;
    }
    FSocksServer = Value.trimmed();
    FSocksServerAssigned = !FSocksServer.isEmpty();
}

void TCustomSocksWSocket::AssignSocksPort(const QString& Value)
{
    if (FState != wsClosed) {
        ReportError(QStringLiteral("Can't change socks port if not closed"));
        return;
    }
    FSocksPort = Value.trimmed();
    FSocksPortAssigned = !FSocksPort.isEmpty();
}

void TCustomSocksWSocket::ResetFields()
{
    TCustomWSocket::ResetFields();
    FSocksState = 0;
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksServerAssigned = false;
    FSocksPortAssigned = false;
    FSocksLevel = QStringLiteral("5");
    FSocksRcvdCnt = 0;
}

// --- connection ------------------------------------------------------------------------------

void TCustomSocksWSocket::Listen()
{
    if (!FSocksServer.isEmpty())
        ReportError(QStringLiteral("Listening is not supported thru socks server"));
    else
        TCustomWSocket::Listen();
}

void TCustomSocksWSocket::Connect()
{
    if (FSocksServer.isEmpty()) {
        TCustomWSocket::Connect();
        return;
    }
    if (FProtoStr.toLower() != u"tcp") {
        ReportError(QStringLiteral("tcp is the only protocol supported thru socks server"));
        return;
    }
    // The socket connects to the proxy: its address record receives the proxy's port and
    // address; the destination is named in the requests.
    QString failure;
    try {
        if (!FPortResolved) {
            sin.sin_port = WinsockCall(htons, WSocketResolvePort(FSocksPort, FProtoStr));
            FPortResolved = true;
        }
        if (!FAddrResolved) {
            sin.sin_addr.s_addr = WSocketResolveHost(FSocksServer);
            FAddrResolved = true;
        }
        FPortNum = WSocketResolvePort(FPortStr, FProtoStr);
    } catch (const ESocketException& e) {
        failure = e.Message;
    }
    if (!failure.isNull()) {
        ReportError("connect: " + failure);
        return;
    }
    FSocksState = 1;
    FRcvCnt = 0;
    TCustomWSocket::Connect();
}

void TCustomSocksWSocket::FireSessionConnected(int Error)
{
    if (FSocksState != 1) {
        TCustomWSocket::FireSessionConnected(Error);
        return;
    }
    FireSocksConnected(Error);
    if (Error) {
        TCustomWSocket::FireSessionConnected(Error);
        return;
    }
    if (IsLevel4()) {
        SocksConnectRequest();
        return;
    }
    FSocksAuthNumber = SocksAuthentication == socksAuthenticateUsercode ? 2 : 0;
    const char greeting[] = {5, 1, char(FSocksAuthNumber)};
    Send(greeting, int(sizeof greeting));
}

void TCustomSocksWSocket::FireSessionClosed(int Error)
{
    if (FSocksState == 2)
        FireSocksAuthState(socksAuthFailure);
    TCustomWSocket::FireSessionClosed(Error);
}

void TCustomSocksWSocket::FireSocksConnected(int Error) { CallEvent(OnSocksConnected, Error); }

void TCustomSocksWSocket::FireSocksError(int Error, const QString& Msg)
{
    CallEvent(OnSocksError, Error, Msg);
}

void TCustomSocksWSocket::FireSocksAuthState(TSocksAuthState AuthState)
{
    CallEvent(OnSocksAuthState, AuthState);
}

void TCustomSocksWSocket::AbortSocks(int Code, const QString& Msg)
{
    FireSocksError(Code, Msg);
    FSocksState = 0;
    FireSessionConnected(Code);
    CloseWithError(true, Code);
}

// --- requests --------------------------------------------------------------------------------

void TCustomSocksWSocket::SocksAuthRequest()
{
    const QByteArray user = textfile::EncodeCp1252(SocksUsercode);
    const QByteArray pass = textfile::EncodeCp1252(SocksPassword);
    if (3 + user.size() + pass.size() > kAuthRequestLimit) {
        AbortSocks(kRequestTooLong, QStringLiteral("socks user code or password too long"));
        return;
    }
    FSocksState = 2;
    FireSocksAuthState(socksAuthStart);
    QByteArray request;
    request += char(1);
    request += char(user.size());
    request += user;
    request += char(pass.size());
    request += pass;
    Send(request.constData(), int(request.size()));
}

void TCustomSocksWSocket::SocksConnectRequest()
{
    const QByteArray host = textfile::EncodeCp1252(FAddrStr);
    const char port[] = {char(FPortNum >> 8), char(FPortNum & 0xff)};
    QByteArray request;
    if (IsLevel4()) {
        request += char(4);
        request += char(1);
        request.append(port, 2);
        if (FSocksLevel == u"4") {
            const winsock::u_long addr = WSocketResolveHost(FAddrStr);
            request.append(reinterpret_cast<const char*>(&addr), 4);
        } else {
            // 0.0.0.1: the proxy resolves the host name that follows the user code.
            request.append("\0\0\0\1", 4);
        }
        request += textfile::EncodeCp1252(SocksUsercode);
        request += char(0);
        if (FSocksLevel != u"4") {
            request += host;
            request += char(0);
        }
    } else {
        if (host.size() > kSocks5HostLimit) {
            AbortSocks(kRequestTooLong, QStringLiteral("socks host name too long"));
            return;
        }
        request += char(5);
        request += char(1);
        request += char(0);
        request += char(3);
        request += char(host.size());
        request += host;
        request.append(port, 2);
    }
    FSocksState = 3;
    Send(request.constData(), int(request.size()));
}

// --- replies ---------------------------------------------------------------------------------

bool TCustomSocksWSocket::FireDataAvailable(int Error)
{
    if (FSocksState == 0)
        return TCustomWSocket::FireDataAvailable(Error);
    if (Error) {
        AbortSocks(Error, QStringLiteral("data receive error"));
        return false;
    }
    // A version 4 reply is read exactly, so that what follows it stays on the connection.
    int room = kReplyBufferSize - FRcvCnt;
    if (FSocksState == 3 && IsLevel4())
        room = std::min(room, 8 - FRcvCnt);
    if (room <= 0) {
        AbortSocks(20001, QStringLiteral("too much data availaible"));
        return false;
    }
    const int n = TCustomWSocket::RecvInto(FRcvBuf + FRcvCnt, room, 0);
    if (n <= 0)
        return true;
    FReadCount += n;
    FRcvCnt += n;
    switch (FSocksState) {
    case 1: return GreetingReply();
    case 2: return AuthReply();
    case 3: return IsLevel4() ? Socks4Reply() : Socks5Reply();
    default: AbortSocks(20013, QStringLiteral("internal error")); return false;
    }
}

bool TCustomSocksWSocket::GreetingReply()
{
    if (IsLevel4()) {
        AbortSocks(20001, QStringLiteral("TWSocket logic error"));
        return false;
    }
    if (FRcvCnt < 2)
        return true;
    FRcvCnt = 0;
    if (FRcvBuf[0] != 5) {
        AbortSocks(20002, QStringLiteral("socks version error"));
        return false;
    }
    switch (FRcvBuf[1]) {
    case 0:
        if (FSocksAuthNumber == 2)
            FireSocksAuthState(socksAuthNotRequired);
        SocksConnectRequest();
        return true;
    case 2: SocksAuthRequest(); return true;
    default:
        AbortSocks(20003, QStringLiteral("authentification method not acceptable"));
        return false;
    }
}

bool TCustomSocksWSocket::AuthReply()
{
    if (FRcvBuf[0] != 1) {
        AbortSocks(20002, QStringLiteral("socks version error"));
        return false;
    }
    if (FRcvCnt < 2)
        return true;
    if (FRcvCnt > 2) {
        AbortSocks(20001, QStringLiteral("too much data availaible"));
        return false;
    }
    if (FRcvBuf[1] != 0) {
        AbortSocks(20015, QStringLiteral("socks authentication failed"));
        return false;
    }
    FRcvCnt = 0;
    FireSocksAuthState(socksAuthSuccess);
    SocksConnectRequest();
    return true;
}

bool TCustomSocksWSocket::Socks4Reply()
{
    if (FRcvCnt < 8)
        return true;
    FRcvCnt = 0;
    if (FRcvBuf[0] != 0) {
        AbortSocks(20002, QStringLiteral("socks version error"));
        return false;
    }
    switch (FRcvBuf[1]) {
    case 90:
        FSocksState = 0;
        FireSessionConnected(0);
        // What followed the reply is offered at once.
        FireDataAvailable(0);
        return true;
    case 91: AbortSocks(20016, QStringLiteral("request rejected or failed")); return false;
    case 92: AbortSocks(20008, QStringLiteral("connection refused")); return false;
    case 93: AbortSocks(20015, QStringLiteral("authentification failed")); return false;
    default:
        AbortSocks(20012, "unassigned error #" + QString::number(FRcvBuf[1]));
        return false;
    }
}

bool TCustomSocksWSocket::Socks5Reply()
{
    if (FRcvBuf[0] != 5) {
        AbortSocks(20002, QStringLiteral("socks version error"));
        return false;
    }
    if (FRcvCnt >= 2 && FRcvBuf[1] != 0) {
        const int code = FRcvBuf[1];
        if (code >= 1 && code <= 8)
            AbortSocks(20003 + code, Socks5ReplyText(code));
        else
            AbortSocks(20012, "unassigned error #" + QString::number(code));
        return false;
    }
    if (FRcvCnt <= 4)
        return true;
    const int type = FRcvBuf[3];
    const int length = type == 1 ? 10 : type == 3 ? FRcvBuf[4] + 7 : 5;
    if (length > kReplyBufferSize) {
        AbortSocks(20001, QStringLiteral("too much data availaible"));
        return false;
    }
    if (FRcvCnt < length)
        return true;
    if (type == 1)
        FBoundAddr = QString::asprintf("%d.%d.%d.%d", FRcvBuf[4], FRcvBuf[5], FRcvBuf[6],
                                       FRcvBuf[7]);
    else if (type == 3)
        FBoundAddr = textfile::DecodeCp1252(
            QByteArray(reinterpret_cast<const char*>(FRcvBuf + 5), FRcvBuf[4]));
    else {
        AbortSocks(20011, QStringLiteral("address type not supported"));
        return false;
    }
    FBoundPort = QString::number(FRcvBuf[length - 2] << 8 | FRcvBuf[length - 1]);
    FSocksState = 0;
    // The bytes after the reply are the application's, served by its next receives.
    FSocksRcvdCnt = FRcvCnt - length;
    FSocksRcvdPtr = length;
    FRcvCnt = 0;
    FireSessionConnected(0);
    FireDataAvailable(0);
    return true;
}

// --- receiving through the layer -------------------------------------------------------------

int TCustomSocksWSocket::FetchRcvdCount()
{
    return FSocksRcvdCnt > 0 ? FSocksRcvdCnt : TCustomWSocket::FetchRcvdCount();
}

int TCustomSocksWSocket::RecvInto(void* Buffer, int Len, int Flags)
{
    if (FSocksRcvdCnt <= 0)
        return TCustomWSocket::RecvInto(Buffer, Len, Flags);
    const int n = std::min(Len, FSocksRcvdCnt);
    std::memcpy(Buffer, FRcvBuf + FSocksRcvdPtr, std::size_t(n));
    FSocksRcvdPtr += n;
    FSocksRcvdCnt -= n;
    FNetReadTotal += n;
    return n;
}
