#include "wsocket/wsockbind.h"
#include <QByteArray>
#include <algorithm>
#include <cstring>
#include "platform/textfile.h"

namespace {
bool loaded = false;
constexpr char kModuleName[] = "wsock32.dll";
}  // namespace

void WinsockLoad()
{
    if (loaded)
        return;
    // Once tried, Winsock counts as loaded even when it refused to start: later calls then
    // fail with 10093 rather than retrying.
    loaded = true;
    winsock::WSADATA data;
    if (const int r = winsock::WSAStartup(0x0101, &data))
        throw ESocketException(QString::asprintf("%s: WSAStartup error #%d", kModuleName, r));
}

void WinsockUnload()
{
    if (loaded) {
        winsock::WSACleanup();
        loaded = false;
    }
    WSocketInstanceCount() = 0;
}

bool WinsockLoaded() { return loaded; }

std::atomic<int>& WSocketInstanceCount()
{
    static std::atomic<int> count{0};
    return count;
}

QString WinsockErrorText(int Code)
{
    static const struct {
        int code;
        const char* text;
    } texts[] = {
        {0, "No Error"},
        {10004, "Interrupted system call"},
        {10009, "Bad file number"},
        {10013, "Permission denied"},
        {10014, "Bad address"},
        {10022, "Invalid argument"},
        {10024, "Too many open files"},
        {10035, "Operation would block"},
        {10036, "Operation now in progress"},
        {10037, "Operation already in progress"},
        {10038, "Socket operation on non-socket"},
        {10039, "Destination address required"},
        {10040, "Message too long"},
        {10041, "Protocol wrong type for socket"},
        {10042, "Protocol not available"},
        {10043, "Protocol not supported"},
        {10044, "Socket type not supported"},
        {10045, "Operation not supported on socket"},
        {10046, "Protocol family not supported"},
        {10047, "Address family not supported by protocol family"},
        {10048, "Address already in use"},
        {10049, "Address not available"},
        {10050, "Network is down"},
        {10051, "Network is unreachable"},
        {10052, "Network dropped connection on reset"},
        {10053, "Connection aborted"},
        {10054, "Connection reset by peer"},
        {10055, "No buffer space available"},
        {10056, "Socket is already connected"},
        {10057, "Socket is not connected"},
        {10058, "Can't send after socket shutdown"},
        {10059, "Too many references: can't splice"},
        {10060, "Connection timed out"},
        {10061, "Connection refused"},
        {10062, "Too many levels of symbolic links"},
        {10063, "File name too long"},
        {10064, "Host is down"},
        {10065, "No route to host"},
        {10066, "Directory not empty"},
        {10067, "Too many processes"},
        {10068, "Too many users"},
        {10069, "Disc quota exceeded"},
        {10070, "Stale NFS file handle"},
        {10071, "Too many levels of remote in path"},
        {10091, "Network sub-system is unusable"},
        {10092, "WinSock DLL cannot support this application"},
        {10093, "WinSock not initialized"},
        {11001, "Host not found"},
        {11002, "Non-authoritative host not found"},
        {11003, "Non-recoverable error"},
        {11004, "No Data"},
    };
    for (const auto& t : texts)
        if (t.code == Code)
            return QString::fromLatin1(t.text);
    return QStringLiteral("Not a WinSock error");
}

bool WSocketIsDigit(QChar Ch) { return Ch >= u'0' && Ch <= u'9'; }

int WSocketAtoi(const QString& Text)
{
    int i = 0;
    while (i < Text.size() && Text[i] == u' ')
        ++i;
    qint64 value = 0;
    for (; i < Text.size() && WSocketIsDigit(Text[i]); ++i) {
        value = value * 10 + (Text[i].unicode() - u'0');
        if (value > 0x7fffffff)
            throw ESocketException(QStringLiteral("Integer overflow"));
    }
    return int(value);
}

bool IsDottedQuad(const QString& Text)
{
    const int n = int(Text.size());
    int i = 0;
    while (i < n && Text[i] == u' ')
        ++i;
    if (i == n || Text[i] == u'.')
        return false;
    int dots = 0, part = 0;
    for (; i < n; ++i) {
        const QChar c = Text[i];
        if (c == u'.') {
            if (++dots > 3 || part > 255 || i == n - 1 || !WSocketIsDigit(Text[i + 1]))
                return false;
            part = 0;
        } else if (WSocketIsDigit(c)) {
            part = std::min(part * 10 + (c.unicode() - u'0'), 256);
        } else {
            break;
        }
    }
    while (i < n && Text[i] == u' ')
        ++i;
    return i == n && dots == 3 && part <= 255;
}

winsock::u_long WSocketResolveHost(const QString& Host)
{
    if (Host.isEmpty() || Host.size() >= 257)
        throw ESocketException("WSocketResolveHost: '" + Host + "' Invalid Hostname.");
    const QString host = Host.trimmed();
    const QByteArray name = textfile::EncodeCp1252(host);
    if (IsDottedQuad(host)) {
        const winsock::u_long addr = WinsockCall(winsock::inet_addr, name.constData());
        if (addr == winsock::INADDR_NONE && host != QLatin1String("255.255.255.255"))
            throw ESocketException("WSocketResolveHost: '" + Host + "' Invalid IP address.");
        return addr;
    }
    const winsock::hostent* phe = WinsockCall(winsock::gethostbyname, name.constData());
    if (!phe)
        throw ESocketException(
            QString::asprintf("WSocketResolveHost: Cannot convert host address '%s', Error #%d",
                              Host.toUtf8().constData(), winsock::WSAGetLastError()));
    winsock::u_long addr;
    std::memcpy(&addr, phe->h_addr_list[0], sizeof addr);
    return addr;
}

winsock::u_short WSocketResolvePort(const QString& Port, const QString& Proto)
{
    if (Port.isEmpty() || Port.size() >= 32)
        throw ESocketException(QStringLiteral("WSocketResolvePort: Invalid Port."));
    if (Proto.isEmpty() || Proto.size() >= 32)
        throw ESocketException(QStringLiteral("WSocketResolvePort: Invalid Proto."));
    if (WSocketIsDigit(Port[0])) {
        const int port = WSocketAtoi(Port);
        if (port > 65535)
            throw ESocketException(QStringLiteral("Range check error"));
        return winsock::u_short(port);
    }
    const winsock::servent* pse =
        WinsockCall(winsock::getservbyname, textfile::EncodeCp1252(Port.trimmed()).constData(),
                    textfile::EncodeCp1252(Proto.trimmed()).constData());
    if (!pse)
        throw ESocketException(
            QString::asprintf("WSocketResolvePort: Cannot convert port '%s', Error #%d",
                              Port.toUtf8().constData(), winsock::WSAGetLastError()));
    return winsock::ntohs(winsock::u_short(pse->s_port));
}

int WSocketResolveProto(const QString& Proto)
{
    if (Proto.isEmpty() || Proto.size() >= 32)
        throw ESocketException(QStringLiteral("WSocketResolveProto: Invalid Protocol."));
    if (WSocketIsDigit(Proto[0]))
        return WSocketAtoi(Proto);
    const winsock::protoent* ppe =
        WinsockCall(winsock::getprotobyname, textfile::EncodeCp1252(Proto.trimmed()).constData());
    if (!ppe)
        throw ESocketException(
            QString::asprintf("WSocketResolveProto: Cannot convert protocol '%s', Error #%d",
                              Proto.toUtf8().constData(), winsock::WSAGetLastError()));
    return ppe->p_proto;
}
