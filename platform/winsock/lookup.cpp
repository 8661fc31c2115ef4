// Name services: the blocking look-ups, the asynchronous host look-ups (a thread each, whose
// reply is copied into the caller's buffer and posted to its window), and dotted addresses.
#define WINSOCK_POSIX_SIDE
#include "platform/winsock/winsock.h"
#include "platform/winsock/internal.h"
#include "platform/winsock/services.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

namespace winsock {

namespace detail {

int ErrorFromLookup(int gaiError, int err)
{
    switch (gaiError) {
    case 0: return 0;
    case EAI_NONAME: return WSAHOST_NOT_FOUND;
    case EAI_AGAIN: return WSATRY_AGAIN;
#ifdef EAI_NODATA
    case EAI_NODATA: return WSANO_DATA;
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY: return WSANO_DATA;
#endif
    case EAI_MEMORY: return WSAENOBUFS;
    case EAI_SYSTEM: return ErrorFromErrno(err);
    default: return WSANO_RECOVERY;
    }
}

}  // namespace detail

namespace {

struct HostEntry {
    std::string name;
    std::vector<u_long> addrs;  // network order
};

int Resolve(const std::string& name, HostEntry& out)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    const int r = ::getaddrinfo(name.c_str(), nullptr, &hints, &list);
    if (r != 0)
        return detail::ErrorFromLookup(r, errno);
    out.name = list->ai_canonname ? list->ai_canonname : name;
    for (addrinfo* a = list; a; a = a->ai_next) {
        const u_long addr = reinterpret_cast<const ::sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
        if (std::find(out.addrs.begin(), out.addrs.end(), addr) == out.addrs.end())
            out.addrs.push_back(addr);
    }
    ::freeaddrinfo(list);
    return out.addrs.empty() ? WSANO_DATA : 0;
}

int ResolveAddress(u_long addr, HostEntry& out)
{
    ::sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = addr;
    char host[NI_MAXHOST];
    const int r = ::getnameinfo(reinterpret_cast<::sockaddr*>(&sa), sizeof sa, host, sizeof host,
                                nullptr, 0, NI_NAMEREQD);
    if (r != 0)
        return detail::ErrorFromLookup(r, errno);
    out.name = host;
    out.addrs = {addr};
    return 0;
}

// Lays out a host entry in buf as Winsock does: the record, its lists, the addresses, the name.
// Returns the bytes needed; 0 when buf is too small.
int Pack(const HostEntry& e, char* buf, int buflen)
{
    const std::size_t n = e.addrs.size();
    std::size_t offset = (reinterpret_cast<std::uintptr_t>(buf) % alignof(hostent))
                             ? alignof(hostent) - reinterpret_cast<std::uintptr_t>(buf) % alignof(hostent)
                             : 0;
    const std::size_t recordAt = offset;
    offset += sizeof(hostent);
    const std::size_t aliasesAt = offset;
    offset += sizeof(char*);
    const std::size_t listAt = offset;
    offset += (n + 1) * sizeof(char*);
    const std::size_t addrsAt = offset;
    offset += n * 4;
    const std::size_t nameAt = offset;
    offset += e.name.size() + 1;
    if (!buf || offset > std::size_t(buflen))
        return 0;
    auto* record = reinterpret_cast<hostent*>(buf + recordAt);
    auto** aliases = reinterpret_cast<char**>(buf + aliasesAt);
    auto** list = reinterpret_cast<char**>(buf + listAt);
    aliases[0] = nullptr;
    for (std::size_t i = 0; i < n; ++i) {
        std::memcpy(buf + addrsAt + 4 * i, &e.addrs[i], 4);
        list[i] = buf + addrsAt + 4 * i;
    }
    list[n] = nullptr;
    std::memcpy(buf + nameAt, e.name.c_str(), e.name.size() + 1);
    record->h_name = buf + nameAt;
    record->h_aliases = aliases;
    record->h_addrtype = AF_INET;
    record->h_length = 4;
    record->h_addr_list = list;
    return int(offset);
}

struct Request {
    HWND window;
    UINT msg;
    char* buf;
    int buflen;
    bool cancelled = false;
};

// Guarded by detail::PostLock().
std::unordered_map<HANDLE, std::shared_ptr<Request>>& Requests()
{
    static auto* requests = new std::unordered_map<HANDLE, std::shared_ptr<Request>>;
    return *requests;
}
HANDLE nextRequest = 1;

template <class Lookup>
HANDLE StartRequest(HWND window, UINT msg, char* buf, int buflen, Lookup lookup)
{
    if (!detail::Started())
        return detail::Fail(WSANOTINITIALISED), 0;
    if (!window || !buf || buflen <= 0)
        return detail::Fail(WSAEFAULT), 0;
    auto request = std::make_shared<Request>(Request{window, msg, buf, buflen});
    HANDLE handle;
    {
        std::lock_guard lock(detail::PostLock());
        handle = nextRequest++;
        Requests()[handle] = request;
    }
    try {
        std::thread([handle, request, lookup] {
            HostEntry entry;
            int error = lookup(entry);
            std::lock_guard lock(detail::PostLock());
            if (request->cancelled) {
                Requests().erase(handle);
                return;
            }
            int size = 0;
            if (!error) {
                size = Pack(entry, request->buf, request->buflen);
                if (!size)
                    error = WSAENOBUFS;
            }
            if (!detail::PostLocked(request->window, request->msg, handle,
                                    MakeSelectReply(size, error), handle))
                Requests().erase(handle);
        }).detach();
    } catch (const std::system_error&) {
        std::lock_guard lock(detail::PostLock());
        Requests().erase(handle);
        return detail::Fail(WSAENOBUFS), 0;
    }
    return handle;
}

}  // namespace

namespace detail {

bool DeliverRequest(HANDLE request)
{
    std::lock_guard lock(PostLock());
    auto it = Requests().find(request);
    if (it == Requests().end())
        return false;
    const bool cancelled = it->second->cancelled;
    Requests().erase(it);
    return !cancelled;
}

}  // namespace detail

HANDLE WSAAsyncGetHostByName(HWND window, UINT msg, const char* name, char* buf, int buflen)
{
    if (!name)
        return detail::Fail(WSAEFAULT), 0;
    std::string host = name;
    return StartRequest(window, msg, buf, buflen,
                        [host](HostEntry& e) { return Resolve(host, e); });
}

HANDLE WSAAsyncGetHostByAddr(HWND window, UINT msg, const char* addr, int len, int type, char* buf,
                             int buflen)
{
    if (!addr || len != 4)
        return detail::Fail(WSAEFAULT), 0;
    if (type != value::AfInet)
        return detail::Fail(WSAEAFNOSUPPORT), 0;
    u_long a;
    std::memcpy(&a, addr, 4);
    return StartRequest(window, msg, buf, buflen,
                        [a](HostEntry& e) { return ResolveAddress(a, e); });
}

int WSACancelAsyncRequest(HANDLE request)
{
    if (!detail::Started())
        return detail::Fail(WSANOTINITIALISED);
    std::lock_guard lock(detail::PostLock());
    auto it = Requests().find(request);
    if (it == Requests().end() || it->second->cancelled)
        return detail::Fail(WSAEINVAL);
    // A reply already posted is dropped when it is delivered.
    it->second->cancelled = true;
    return 0;
}

hostent* gethostbyname(const char* name)
{
    alignas(hostent) static thread_local char buffer[MAXGETHOSTSTRUCT];
    if (!detail::Started())
        return detail::Fail(WSANOTINITIALISED), nullptr;
    if (!name)
        return detail::Fail(WSAEFAULT), nullptr;
    HostEntry entry;
    if (const int error = Resolve(name, entry))
        return detail::Fail(error), nullptr;
    if (!Pack(entry, buffer, sizeof buffer))
        return detail::Fail(WSAENOBUFS), nullptr;
    return reinterpret_cast<hostent*>(buffer);
}

servent* getservbyname(const char* name, const char* proto)
{
    static thread_local servent result;
    static thread_local std::string storedName, storedProto;
    static thread_local char* noAliases[] = {nullptr};
    if (!detail::Started())
        return detail::Fail(WSANOTINITIALISED), nullptr;
    if (!name)
        return detail::Fail(WSAEFAULT), nullptr;
    ServiceEntry found;
    if (!FindService(name, proto, found))
        return detail::Fail(WSANO_DATA), nullptr;
    storedName = found.name;
    storedProto = found.proto;
    result.s_name = storedName.data();
    result.s_aliases = noAliases;
    result.s_port = short(htons(u_short(found.port)));
    result.s_proto = storedProto.data();
    return &result;
}

protoent* getprotobyname(const char* name)
{
    static thread_local protoent result;
    static thread_local std::string storedName;
    static thread_local char* noAliases[] = {nullptr};
    if (!detail::Started())
        return detail::Fail(WSANOTINITIALISED), nullptr;
    if (!name)
        return detail::Fail(WSAEFAULT), nullptr;
    ProtocolEntry found;
    if (!FindProtocol(name, found))
        return detail::Fail(WSANO_DATA), nullptr;
    storedName = found.name;
    result.p_name = storedName.data();
    result.p_aliases = noAliases;
    result.p_proto = short(found.number);
    return &result;
}

u_long inet_addr(const char* text)
{
    if (!text)
        return 0xffffffffu;
    ::in_addr a;
    // The classic parser: "a.b.c.d" and its shorter and hexadecimal forms, as Winsock reads them.
    return ::inet_aton(text, &a) ? a.s_addr : 0xffffffffu;
}

char* inet_ntoa(in_addr a)
{
    static thread_local char text[16];
    const auto* b = reinterpret_cast<const unsigned char*>(&a.s_addr);
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return text;
}

}  // namespace winsock
