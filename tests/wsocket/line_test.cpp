// Line mode: lines cut from what arrives, however the bytes are split into reads.
#include <gtest/gtest.h>
#include <stdexcept>
#include "wsfixture.h"

namespace {

// A socket in line mode connected to a plain peer; every line event is recorded with the
// count offered and the text read (the whole line, unless a test reads otherwise).
class LineMode : public PeerTest {
protected:
    void SetUp() override
    {
        s.AssignLineMode(true);
        s.OnDataAvailable = [this](TWSocket* sender, int) {
            const int count = sender->RcvdCount();
            lines << QStringLiteral("%1:%2").arg(count).arg(sender->ReceiveText());
        };
        s.OnSessionClosed = [this](TWSocket*, int error) { lines << QStringLiteral("closed %1").arg(error); };
        Open();
    }
    QStringList lines;
};

}  // namespace

TEST_F(LineMode, SeveralLinesInOneReadGiveOneEventEachAndTheHalfLineWaits)
{
    ASSERT_TRUE(peer.SendAll("first\r\nsecond line\r\nthi"));
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 2; }));
    PumpFor(30);
    EXPECT_EQ(lines, QStringList({"7:first\r\n", "13:second line\r\n"}));
    EXPECT_EQ(s.BufferedCount(), 3);
    ASSERT_TRUE(peer.SendAll("rd\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 3; }));
    EXPECT_EQ(lines.last(), "7:third\r\n");
    EXPECT_EQ(s.BufferedCount(), 0);
}

TEST_F(LineMode, ALineEndSplitBetweenTwoReadsIsFound)
{
    ASSERT_TRUE(peer.SendAll("abc\r"));
    ASSERT_TRUE(PumpUntil([&] { return s.BufferedCount() == 4; }));
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_TRUE(peer.SendAll("\ndef\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 2; }));
    EXPECT_EQ(lines, QStringList({"5:abc\r\n", "5:def\r\n"}));
}

TEST_F(LineMode, WithoutAHandlerCompleteLinesAreDropped)
{
    s.OnDataAvailable = nullptr;
    ASSERT_TRUE(peer.SendAll("one\r\ntwo\r\nthr"));
    ASSERT_TRUE(PumpUntil([&] { return s.BufferedCount() == 3; }));
    s.OnDataAvailable = [&](TWSocket* sender, int) { lines << sender->ReceiveText(); };
    ASSERT_TRUE(peer.SendAll("ee\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    EXPECT_EQ(lines, QStringList({"three\r\n"}));
}

TEST_F(LineMode, MoreThanTheLimitWithoutLineEndIsDroppedByDefault)
{
    QList<int> exceeded;
    s.OnLineLimitExceeded = [&](TWSocket*, int length, bool&) { exceeded << length; };
    ASSERT_TRUE(peer.SendAll(QByteArray(65536, 'x')));
    ASSERT_TRUE(PumpUntil([&] { return s.BufferedCount() == 65536; }));
    EXPECT_TRUE(exceeded.isEmpty());  // exactly the limit is kept
    ASSERT_TRUE(peer.SendAll("y"));
    ASSERT_TRUE(PumpUntil([&] { return !exceeded.isEmpty(); }));
    EXPECT_EQ(exceeded, QList<int>({65537}));
    EXPECT_EQ(s.BufferedCount(), 0);
    ASSERT_TRUE(peer.SendAll("ok\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    EXPECT_EQ(lines, QStringList({"4:ok\r\n"}));
}

TEST_F(LineMode, ALimitHandlerCanKeepCollecting)
{
    s.LineLimit = 10;
    int calls = 0;
    s.OnLineLimitExceeded = [&](TWSocket*, int, bool& clear) {
        ++calls;
        clear = false;
    };
    ASSERT_TRUE(peer.SendAll("0123456789ab"));
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    EXPECT_EQ(s.BufferedCount(), 12);
    ASSERT_TRUE(peer.SendAll("\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    EXPECT_EQ(lines, QStringList({"14:0123456789ab\r\n"}));
}

TEST_F(LineMode, TheLastLineWithoutLineEndComesJustBeforeTheClose)
{
    ASSERT_TRUE(peer.SendAll("a\r\nlast"));
    peer.Close();
    ASSERT_TRUE(PumpUntil([&] { return lines.contains("closed 0"); }));
    EXPECT_EQ(lines, QStringList({"3:a\r\n", "4:last", "closed 0"}));
}

TEST_F(LineMode, AShortReadGetsTheEventAgainForTheRestOfTheLine)
{
    QList<int> reads;
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        char buf[1023];
        reads << sender->ReceiveInto(buf, int(sizeof buf));
    };
    ASSERT_TRUE(peer.SendAll(QByteArray(1998, 'q') + "\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return reads.size() == 2; }));
    PumpFor(20);
    EXPECT_EQ(reads, QList<int>({1023, 977}));
}

TEST_F(LineMode, EditingAppliesBackspaceAndTabAndEchoesWhatItKeeps)
{
    s.LineEdit = true;
    s.LineEcho = true;
    struct Case {
        QByteArray typed;
        QString line;
        QByteArray echo;
    };
    const Case cases[] = {
        {"xy\bz\r\n", "xz\r\n", "xy\b \bz\r\n"},
        {"abc\td\r\n", "abc     d\r\n", "abc     d\r\n"},
        {"\b\bok\r\n", "ok\r\n", "ok\r\n"},  // nothing to erase: nothing echoed for it
        {"\tx\r\n", "        x\r\n", "        x\r\n"},
    };
    for (const Case& c : cases) {
        lines.clear();
        ASSERT_TRUE(peer.SendAll(c.typed));
        ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); })) << c.typed.constData();
        EXPECT_EQ(lines.first().section(':', 1), c.line);
        EXPECT_EQ(peer.Read(int(c.echo.size()), 2000), c.echo);
    }
}

TEST_F(LineMode, EchoWithoutEditingSendsTheBytesBackUnchanged)
{
    s.LineEcho = true;
    ASSERT_TRUE(peer.SendAll("a\bb\tc\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    EXPECT_EQ(lines, QStringList({"7:a\bb\tc\r\n"}));
    EXPECT_EQ(peer.Read(7), "a\bb\tc\r\n");
}

TEST_F(LineMode, AHandlerClosingItsSocketMidBurstEndsTheDelivery)
{
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        lines << sender->ReceiveText();
        if (lines.size() == 2)
            sender->CloseConnection();
    };
    ASSERT_TRUE(peer.SendAll("1\r\n2\r\n3\r\n4\r\n5\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return lines.contains("closed 0"); }));
    PumpFor(50);
    EXPECT_EQ(lines, QStringList({"1\r\n", "2\r\n", "closed 0"}));
    EXPECT_EQ(s.State(), wsClosed);
    EXPECT_EQ(s.BufferedCount(), 0);
    EXPECT_TRUE(peer.WaitClosed());
}

TEST_F(LineMode, ALineLeftUnreadIsNotOfferedInALoopButAgainWithTheNextData)
{
    int calls = 0;
    bool read = false;
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        ++calls;
        if (read || calls > 100)  // a runaway loop ends here and fails the count below
            lines << sender->ReceiveText();
    };
    ASSERT_TRUE(peer.SendAll("a\r\nb\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpFor(100);
    EXPECT_EQ(calls, 1);
    read = true;
    ASSERT_TRUE(peer.SendAll("c\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 3; }));
    EXPECT_EQ(lines, QStringList({"a\r\n", "b\r\n", "c\r\n"}));
}

TEST_F(LineMode, LeavingLineModeHandsTheHeldBytesOverAsPlainData)
{
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        lines << sender->ReceiveText();
        if (lines.size() == 1)
            static_cast<TWSocket*>(sender)->AssignLineMode(false);
    };
    ASSERT_TRUE(peer.SendAll("a\r\nb\r\nc"));
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 2; }));
    PumpFor(30);
    EXPECT_EQ(lines, QStringList({"a\r\n", "b\r\nc"}));
    EXPECT_EQ(s.BufferedCount(), 0);
}

TEST_F(LineMode, EnteringLineModeCutsWhatIsHeldIntoLines)
{
    // Bytes held while out of line mode (an unread part of a line) are cut into lines once
    // line mode is back.
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        char c;
        sender->ReceiveInto(&c, 1);  // one byte of the line ...
        lines << QString(QChar(c));
        static_cast<TWSocket*>(sender)->AssignLineMode(false);  // ... and out of line mode
        sender->OnDataAvailable = nullptr;
    };
    ASSERT_TRUE(peer.SendAll("xyz\r\nnext\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    PumpFor(30);
    EXPECT_EQ(s.BufferedCount(), 10);
    s.OnDataAvailable = [&](TWSocket* sender, int) { lines << sender->ReceiveText(); };
    s.AssignLineMode(true);
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 3; }));
    EXPECT_EQ(lines, QStringList({"x", "yz\r\n", "next\r\n"}));
}

TEST_F(LineMode, BytesHeldAfterLeavingLineModeDoNotHoldBackWhatArrivesNext)
{
    ASSERT_TRUE(peer.SendAll("partial"));
    ASSERT_TRUE(PumpUntil([&] { return s.BufferedCount() == 7; }));
    // Out of line mode with nobody reading: the held bytes wait.
    s.OnDataAvailable = nullptr;
    s.AssignLineMode(false);
    PumpFor(30);
    ASSERT_EQ(s.BufferedCount(), 7);
    QString got;
    s.OnDataAvailable = [&](TWSocket* sender, int) { got += sender->ReceiveText(); };
    // The next data's event is first served from what is held; the rest follows.
    ASSERT_TRUE(peer.SendAll("NET"));
    EXPECT_TRUE(PumpUntil([&] { return got == "partialNET"; }, 2000)) << got.toStdString();
}

TEST_F(LineMode, LinesHeldWhenAHandlerThrowsComeOneByOneWithTheNextDataOrAtTheClose)
{
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        const QString line = sender->ReceiveText();
        lines << line;
        if (line == "bad\r\n")
            throw std::runtime_error("cannot read that line");
    };
    ASSERT_TRUE(peer.SendAll("bad\r\nnext\r\nlast\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    PumpFor(30);
    EXPECT_EQ(lines, QStringList({"bad\r\n"}));  // the exception ended the delivery
    ASSERT_TRUE(peer.SendAll("more\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return lines.size() >= 3; }));
    PumpFor(30);
    EXPECT_EQ(lines, QStringList({"bad\r\n", "next\r\n", "last\r\n", "more\r\n"}));
    EXPECT_EQ(s.State(), wsConnected);

    lines.clear();
    ASSERT_TRUE(peer.SendAll("bad\r\nnext\r\nend"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    PumpFor(30);
    peer.Close();
    ASSERT_TRUE(PumpUntil([&] { return lines.contains("closed 0"); }));
    EXPECT_EQ(lines, QStringList({"bad\r\n", "next\r\n", "end", "closed 0"}));
}

TEST_F(LineMode, AHandlerThrowingOnTheLastLineDoesNotHideTheClose)
{
    s.OnDataAvailable = [&](TWSocket* sender, int) {
        lines << sender->ReceiveText();
        throw std::runtime_error("cannot read that line");
    };
    ASSERT_TRUE(peer.SendAll("x\r\nlast"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.isEmpty(); }));
    PumpFor(30);
    peer.Close();
    ASSERT_TRUE(PumpUntil([&] { return s.State() == wsClosed; }));
    PumpFor(30);
    EXPECT_EQ(lines, QStringList({"x\r\n", "last", "closed 0"}));
    EXPECT_EQ(s.BufferedCount(), 0);
}
