#pragma once
// TCustomLineWSocket: line mode. Received bytes are collected and handed over one complete line
// at a time, one OnDataAvailable per line, each line with its LineEnd; the handler reads it with
// ReceiveText (the whole line) or ReceiveInto (as much as it asks for; the event comes again for
// the rest). Optional echo and editing (backspace, tab) serve terminal-like peers.
// TCustomSyncWSocket adds a wait that runs the event loop until a flag is set.
#include <QByteArray>
#include "wsocket/wsocks.h"

using TLineLimitEvent =
    std::function<void(TWSocket* Sender, int RcvdLength, bool& ClearData)>;

class TCustomLineWSocket : public TCustomSocksWSocket {
public:
    bool LineMode() const { return FLineMode; }
    // Switching with bytes held hands them over again under the new mode, from the event loop.
    virtual void AssignLineMode(bool Value);

    QString LineEnd = QStringLiteral("\r\n");
    int LineLimit = 65536;  // bytes without a line end; 0 or less: no limit
    bool LineEcho = false;
    bool LineEdit = false;
    int Timeout = 0;  // of WaitDone, in milliseconds; 0: none
    // More than LineLimit bytes without a line end: by default they are dropped; a handler
    // clearing ClearData keeps collecting.
    TLineLimitEvent OnLineLimitExceeded;

    // Bytes held and not yet handed over.
    int BufferedCount() const { return int(FRcvBuf.size()) - FRcvPos; }

protected:
    using TCustomSocksWSocket::TCustomSocksWSocket;

    void DispatchSocketMessage(TMessage& Msg) override;
    int FetchRcvdCount() override;
    bool FireDataAvailable(int Error) override;
    void FireSessionClosed(int Error) override;
    int RecvInto(void* Buffer, int Len, int Flags) override;
    virtual void FireLineLimitExceeded(int RcvdLength, bool& ClearData);
    // Edits the Count bytes just received at the end of the buffer; returns where the search
    // for a line end must start again.
    virtual int EditReceivedLine(int& Count);
    void DeliverBufferedLines();

private:
    // Offers every complete line held, searching for the first line end from From.
    void DeliverLines(int From);
    // Offers the line of FLineLength bytes until it is read or a pass reads nothing.
    // False when the socket was closed meanwhile.
    bool OfferLine();
    void Consume(int N);
    void ClearBuffer();

    QByteArray FRcvBuf;  // held bytes start at FRcvPos
    int FRcvPos = 0;
    bool FLineMode = false;
    int FLineLength = 0;  // the line now offered, its line end included
    bool FLineReceivedFlag = false;
    bool FLineClearData = false;
    int FDelivering = 0;  // lines are being handed over (nested count)
    int FBufferGeneration = 0;  // counts the times the buffer was thrown away
    // The held bytes hold no line end that was not handed over; false when a delivery ended
    // early (a handler's exception), so that the next search starts from the first held byte.
    bool FHeldScanned = true;
};

class TCustomSyncWSocket : public TCustomLineWSocket {
public:
    // Waits, letting events run, until Done is true (0), or until Timeout or the end of the
    // program (12001).
    virtual int WaitDone(bool& Done);
    // Done := false, Proc (which starts an operation whose completion sets Done), then WaitDone.
    virtual int SyncRead(const std::function<void()>& Proc, bool& Done);

protected:
    using TCustomLineWSocket::TCustomLineWSocket;
};
