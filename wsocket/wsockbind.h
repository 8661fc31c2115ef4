#pragma once
// The binding to Winsock shared by every socket object: loading and unloading it, the socket
// instance count, the error texts, the exception of the library, and the small text and name
// routines used to resolve addresses, ports and protocols.
#include <QString>
#include <atomic>
#include <utility>
#include "platform/exception.h"
#include "platform/winsock/winsock.h"

// Every error the socket library raises.
class ESocketException : public Exception {
public:
    using Exception::Exception;
};

// Starts Winsock (version 1.1) on the first call after program start or after an unload.
// Throws ESocketException("wsock32.dll: WSAStartup error #<code>") when it refuses.
void WinsockLoad();
// Ends the use of Winsock when it was started; the instance count becomes 0 either way.
void WinsockUnload();
bool WinsockLoaded();
// Live socket objects of any class of the library.
std::atomic<int>& WSocketInstanceCount();

// Every Winsock function is called through here, so that its first use starts Winsock.
template <class R, class... P, class... A>
R WinsockCall(R (*fn)(P...), A&&... args)
{
    WinsockLoad();
    return fn(std::forward<A>(args)...);
}

// The English text of a Winsock error code ("Not a WinSock error" for an unknown one).
QString WinsockErrorText(int Code);

bool WSocketIsDigit(QChar Ch);
// Leading blanks skipped, then decimal digits up to the first non-digit; no sign; no digit
// gives 0. A value beyond the 32-bit range throws ESocketException("Integer overflow").
int WSocketAtoi(const QString& Text);
// Four parts 0 to 255 separated by dots, with optional blanks around and nothing else.
bool IsDottedQuad(const QString& Text);

// Name resolution; every failure throws ESocketException with the message of its case.
// IPv4 address in network order.
winsock::u_long WSocketResolveHost(const QString& Host);
// Port in host order.
winsock::u_short WSocketResolvePort(const QString& Port, const QString& Proto);
int WSocketResolveProto(const QString& Proto);
