// Sending through the queue of blocks, flushing, and receiving.
#include <QElapsedTimer>
#include <algorithm>
#include "platform/textfile.h"
#include "wsocket/customwsocket.h"
#include "wsocket/wsocket.h"

using namespace winsock;

namespace {
bool IsConnectionGone(int error)
{
    return error == WSAECONNRESET || error == WSAENOTSOCK || error == WSAENOTCONN
           || error == WSAEINVAL || error == WSAECONNABORTED;
}
}  // namespace

int TCustomWSocket::Send(const void* Data, int Len)
{
    if (FState != wsConnected) {
        WinsockCall(WSASetLastError, WSAENOTCONN);
        ReportSocketError(QStringLiteral("Send"));
        return -1;
    }
    FAllSent = false;
    int result = 0;
    if (Len > 0) {
        QueueSendData(Data, Len);
        result = Len;
    }
    const SOCKET handle = FHSocket;
    TryToSend();
    // OnDataSent always comes later from the event loop, never inside Send; and only when the
    // queue was emptied, not when a failed send closed the connection.
    if (FAllSent && FHSocket == handle)
        PostMessage(FWindowHandle, WM_ASYNCSELECT, FHSocket, MakeSelectReply(FD_WRITE, 0));
    return result;
}

int TCustomWSocket::SendText(const QString& Str)
{
    const QByteArray bytes = textfile::EncodeCp1252(Str);
    return bytes.isEmpty() ? 0 : Send(bytes.constData(), int(bytes.size()));
}

void TCustomWSocket::QueueSendData(const void* Data, int Len)
{
    if (Len < 1)
        return;
    if (FBufList.empty())
        FBufList.push_back(std::make_unique<TBuffer>(BufSize));
    auto* p = static_cast<const char*>(Data);
    for (;;) {
        const int stored = FBufList.back()->Append(p, Len);
        p += stored;
        Len -= stored;
        if (Len <= 0)
            break;
        FBufList.push_back(std::make_unique<TBuffer>(BufSize));
    }
}

void TCustomWSocket::TryToSend()
{
    if (FHSocket == INVALID_SOCKET || FBufList.empty())
        return;
    for (;;) {
        TBuffer* first = FBufList.front().get();
        int count = 0;
        const char* data = first->PeekData(count);
        if (count <= 0) {
            // The queue keeps its last block once it has been used.
            if (FBufList.size() > 1) {
                FBufList.pop_front();
                continue;
            }
            FAllSent = true;
            return;
        }
        const int sent = SendChunk(data, count);
        if (sent > 0) {
            first->Consume(sent);
            FireSendData(sent);
            // The handler may have closed the socket or emptied the queue.
            if (FHSocket == INVALID_SOCKET || FBufList.empty())
                return;
            if (sent < count)
                return;  // FD_WRITE resumes
            continue;
        }
        if (sent == 0)
            return;
        const int error = WinsockCall(WSAGetLastError);
        if (error == WSAEWOULDBLOCK)
            return;
        if (IsConnectionGone(error)) {
            // The close reports the error that ended the connection.
            CloseWithError(true, error);
            return;
        }
        ReportSocketError(QStringLiteral("TryToSend failed"));
        return;
    }
}

int TCustomWSocket::SendChunk(const void* Data, int Len)
{
    const auto* bytes = static_cast<const char*>(Data);
    if (FType == value::SockDgram)
        return WinsockCall(sendto, FHSocket, bytes, Len, FSendFlags,
                           reinterpret_cast<const sockaddr*>(&sin), int(sizeof sin));
    return WinsockCall(send, FHSocket, bytes, Len, FSendFlags);
}

int TCustomWSocket::SendDatagram(const void* Data, int DataLen, const sockaddr_in& Dest,
                                 int DestLen)
{
    const int sent = WinsockCall(sendto, FHSocket, static_cast<const char*>(Data), DataLen,
                                 FSendFlags, reinterpret_cast<const sockaddr*>(&Dest), DestLen);
    if (sent > 0)
        FireSendData(sent);
    return sent;
}

void TCustomWSocket::FlushQueue()
{
    // Gives up after FlushTimeout seconds; what is still queued stays queued.
    QElapsedTimer clock;
    clock.start();
    const qint64 limit = qint64(FlushTimeout) * 1000;
    while (FHSocket != INVALID_SOCKET && !FAllSent) {
        TryToSend();
        if (FHSocket == INVALID_SOCKET || FAllSent)
            break;
        const qint64 left = limit - clock.elapsed();
        if (left <= 0)
            break;
        WaitForMessages(int(std::min<qint64>(left, 0x7fffffff)));
    }
}

// --- receiving -------------------------------------------------------------------------------

int TCustomWSocket::RecvInto(void* Buffer, int Len, int Flags)
{
    const int n = WinsockCall(recv, FHSocket, static_cast<char*>(Buffer), Len, Flags);
    FReadHasFilled = n >= Len;
    if (n > 0)
        FNetReadTotal += n;
    return n;
}

int TCustomWSocket::ReceiveInto(void* Buffer, int BufferSize)
{
    const int n = RecvInto(Buffer, BufferSize, 0);
    if (n >= 0) {
        FReadCount += n;
        return n;
    }
    FLastError = WinsockCall(WSAGetLastError);
    return -1;
}

QString TCustomWSocket::ReceiveText()
{
    int count = FetchRcvdCount();
    if (count < 0)
        return QString();
    if (count == 0)
        count = 255;
    QByteArray bytes(count, Qt::Uninitialized);
    const int n = ReceiveInto(bytes.data(), count);
    if (n <= 0)
        return QString();
    bytes.truncate(n);
    return textfile::DecodeCp1252(bytes);
}

int TCustomWSocket::RecvFromInto(void* Buffer, int Len, sockaddr_in& From, int& FromLen, int Flags)
{
    const int n = WinsockCall(recvfrom, FHSocket, static_cast<char*>(Buffer), Len, Flags,
                              reinterpret_cast<sockaddr*>(&From), &FromLen);
    if (n > 0)
        FNetReadTotal += n;
    return n;
}

int TCustomWSocket::ReceiveDatagram(void* Buffer, int BufferLength, sockaddr_in& From,
                                    int& FromLength)
{
    const int n = RecvFromInto(Buffer, BufferLength, From, FromLength, 0);
    if (n >= 0) {
        FReadCount += n;
        return n;
    }
    FLastError = WinsockCall(WSAGetLastError);
    return -1;
}
