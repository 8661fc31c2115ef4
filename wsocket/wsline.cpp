#include "wsocket/wsline.h"
#include <QElapsedTimer>
#include <algorithm>
#include <cstring>
#include "platform/textfile.h"
#include "wsocket/wsocket.h"
#include "wsocket/wspump.h"

using namespace winsock;

namespace {
// What ends the wait of WaitDone without Done.
constexpr int kWaitTimedOut = 12001;
// Held bytes already handed over are dropped from the front of the buffer once they are many.
constexpr int kCompactAfter = 65536;
}  // namespace

void TCustomLineWSocket::AssignLineMode(bool Value)
{
    if (Value == FLineMode)
        return;
    FLineMode = Value;
    // The unread part of a line now offered stays at the buffer's start, followed by the rest.
    FLineLength = 0;
    if (BufferedCount() > 0)
        PostMessage(FWindowHandle, WM_TRIGGER_DATA_AVAILABLE, 0, 0);
}

void TCustomLineWSocket::DispatchSocketMessage(TMessage& Msg)
{
    if (Msg.Msg != WM_TRIGGER_DATA_AVAILABLE) {
        TCustomSocksWSocket::DispatchSocketMessage(Msg);
        return;
    }
    try {
        DeliverBufferedLines();
    } catch (const std::exception& e) {
        ReportBgException(e);
    }
}

int TCustomLineWSocket::FetchRcvdCount()
{
    return FLineMode ? FLineLength : TCustomSocksWSocket::FetchRcvdCount();
}

// --- the buffer ------------------------------------------------------------------------------

void TCustomLineWSocket::Consume(int N)
{
    FRcvPos += N;
    if (FRcvPos >= FRcvBuf.size()) {
        FRcvBuf.clear();
        FRcvPos = 0;
    } else if (FRcvPos > kCompactAfter && FRcvPos * 2 > FRcvBuf.size()) {
        FRcvBuf.remove(0, FRcvPos);
        FRcvPos = 0;
    }
}

void TCustomLineWSocket::ClearBuffer()
{
    FRcvBuf.clear();
    FRcvPos = 0;
    FLineLength = 0;
    FHeldScanned = true;
    ++FBufferGeneration;
}

int TCustomLineWSocket::RecvInto(void* Buffer, int Len, int Flags)
{
    // The line now offered, or outside line mode what is held, comes before the network.
    const int held = FLineMode ? FLineLength : BufferedCount();
    if (held <= 0)
        return TCustomSocksWSocket::RecvInto(Buffer, Len, Flags);
    const int n = std::min(Len, held);
    std::memcpy(Buffer, FRcvBuf.constData() + FRcvPos, std::size_t(n));
    if (FLineMode)
        FLineLength -= n;
    FReadHasFilled = n >= Len;
    FNetReadTotal += n;
    Consume(n);
    return n;
}

// --- receiving in line mode ------------------------------------------------------------------

bool TCustomLineWSocket::FireDataAvailable(int Error)
{
    if (!FLineMode || LineEnd.isEmpty() || FSocksState != 0)
        return TCustomSocksWSocket::FireDataAvailable(Error);
    int waiting = SurplusCount();
    if (waiting <= 0) {
        winsock::u_long count = 0;
        if (WinsockCall(ioctlsocket, FHSocket, long(value::FionRead), &count) == SOCKET_ERROR)
            return true;
        waiting = int(count);
    }
    if (waiting == 0)
        waiting = 255;
    const int oldEnd = int(FRcvBuf.size());
    FRcvBuf.resize(oldEnd + waiting);
    int got = TCustomSocksWSocket::RecvInto(FRcvBuf.data() + oldEnd, waiting, 0);
    if (got <= 0) {
        FRcvBuf.resize(oldEnd);
        if (got < 0)
            FLastError = WinsockCall(WSAGetLastError);
        return true;
    }
    FReadCount += got;
    FRcvBuf.resize(oldEnd + got);
    // A line end split between two reads is found: the search starts that far back.
    const int endLength = int(textfile::EncodeCp1252(LineEnd).size());
    int from = std::max(FRcvPos, oldEnd - endLength) - FRcvPos;
    if (LineEdit)
        from = EditReceivedLine(got);
    else if (LineEcho)
        Send(FRcvBuf.constData() + oldEnd, got);
    if (!FHeldScanned)
        from = 0;
    DeliverLines(from);
    return true;
}

void TCustomLineWSocket::DeliverLines(int From)
{
    const QByteArray end = textfile::EncodeCp1252(LineEnd);
    if (end.isEmpty())
        return;
    ++FDelivering;
    struct Leave {
        int& count;
        ~Leave() { --count; }
    } leave{FDelivering};
    FHeldScanned = false;
    while (FLineMode && BufferedCount() > 0) {
        if (FLineLength == 0) {
            const int p = int(FRcvBuf.indexOf(end, FRcvPos + From));
            if (p < 0) {
                FHeldScanned = true;
                if (LineLimit > 0 && BufferedCount() > LineLimit) {
                    FLineClearData = true;
                    FireLineLimitExceeded(BufferedCount(), FLineClearData);
                    if (FLineClearData)
                        ClearBuffer();
                }
                return;  // the partial line waits for more data
            }
            FLineLength = p - FRcvPos + int(end.size());
            FLineReceivedFlag = true;
        }
        if (!OfferLine())
            return;
        // A handler that left its line unread gets it again with the next data.
        if (FLineLength > 0)
            return;
        From = 0;
    }
    if (BufferedCount() == 0)
        FHeldScanned = true;
}

bool TCustomLineWSocket::OfferLine()
{
    while (FLineMode && FLineLength > 0) {
        const int before = FLineLength;
        const int generation = FBufferGeneration;
        if (!TCustomSocksWSocket::FireDataAvailable(0)) {
            // Nobody reads: the line is dropped.
            Consume(FLineLength);
            FLineLength = 0;
            return true;
        }
        if (generation != FBufferGeneration)
            return false;  // the connection closed inside the handler
        if (FLineLength == before)
            return true;
    }
    return true;
}

void TCustomLineWSocket::DeliverBufferedLines()
{
    while (BufferedCount() > 0) {
        const int before = BufferedCount();
        const int lineBefore = FLineLength;
        const bool modeBefore = FLineMode;
        if (FLineMode && !LineEnd.isEmpty())
            DeliverLines(0);
        else if (!TCustomSocksWSocket::FireDataAvailable(0))
            break;
        if (BufferedCount() == before && FLineLength == lineBefore && FLineMode == modeBefore)
            break;  // a pass that consumed nothing
    }
}

void TCustomLineWSocket::FireSessionClosed(int Error)
{
    // The last line, without its line end, is handed over before the close is told; not when
    // the close came from a line handler, whose delivery simply ends. Complete lines still held
    // (a handler threw before they came) go first, each on its own. A handler's exception ends
    // this delivery only: the close is told all the same.
    try {
        if (FLineMode && !FHeldScanned && FLineLength == 0 && FDelivering == 0)
            DeliverLines(0);
        if (FLineMode && BufferedCount() > 0 && FDelivering == 0) {
            FLineLength = BufferedCount();
            ++FDelivering;
            struct Leave {
                int& count;
                ~Leave() { --count; }
            } leave{FDelivering};
            OfferLine();
        }
    } catch (...) {
    }
    ClearBuffer();
    TCustomSocksWSocket::FireSessionClosed(Error);
}

void TCustomLineWSocket::FireLineLimitExceeded(int RcvdLength, bool& ClearData)
{
    CallEvent(OnLineLimitExceeded, RcvdLength, ClearData);
}

int TCustomLineWSocket::EditReceivedLine(int& Count)
{
    const QByteArray end = textfile::EncodeCp1252(LineEnd);
    const int oldEnd = int(FRcvBuf.size()) - Count;
    // The line being typed starts after the last line end held before the new bytes.
    int lineStart = FRcvPos;
    if (!end.isEmpty() && oldEnd - FRcvPos >= end.size()) {
        const int p = int(FRcvBuf.lastIndexOf(end, oldEnd - end.size()));
        if (p >= FRcvPos)
            lineStart = p + int(end.size());
    }
    QByteArray done;  // lines completed by the new bytes
    QByteArray line = FRcvBuf.mid(lineStart, oldEnd - lineStart);
    QByteArray echo;
    bool edited = false;
    for (int i = oldEnd; i < FRcvBuf.size(); ++i) {
        const char c = FRcvBuf[i];
        if (c == '\b') {
            edited = true;
            if (!line.isEmpty()) {
                echo += "\b \b";
                line.chop(1);
            }
        } else if (c == '\t') {
            edited = true;
            const QByteArray blanks(8 - line.size() % 8, ' ');
            line += blanks;
            echo += blanks;
        } else {
            line += c;
            echo += c;
        }
        if (!end.isEmpty() && line.endsWith(end)) {
            done += line;
            line.clear();
        }
    }
    if (LineEcho && !echo.isEmpty())
        Send(echo.constData(), int(echo.size()));
    if (edited) {
        FRcvBuf.truncate(lineStart);
        FRcvBuf += done;
        FRcvBuf += line;
        Count = int(FRcvBuf.size()) - lineStart;
    }
    return lineStart - FRcvPos;
}

// --- synchronous wait ------------------------------------------------------------------------

int TCustomSyncWSocket::WaitDone(bool& Done)
{
    QElapsedTimer clock;
    clock.start();
    while (!Done) {
        const qint64 left = Timeout > 0 ? Timeout - clock.elapsed() : -1;
        if (Timeout > 0 && left < 0)
            return kWaitTimedOut;
        if (wsocket::ApplicationTerminated() || FTerminated)
            return kWaitTimedOut;
        WaitForMessages(int(left));
    }
    return 0;
}

int TCustomSyncWSocket::SyncRead(const std::function<void()>& Proc, bool& Done)
{
    Done = false;
    if (Proc)
        Proc();
    return WaitDone(Done);
}
