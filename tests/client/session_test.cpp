// The login sequence against a fake manager, the time poll and the ends of a session.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include "tandel_test.h"
// The system's socket names after the library's own.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QList<QByteArray> kSequence = {"login jean", "passw secret", "passw secret", "hostn POSTE1",
                                     "connect", "config", "config"};

// The manager's replies to the sequence, in order.
const QList<QByteArray> kReplies = {"Login OK", "Passw OK", "Passw OK", "Host OK", "Connect OK ",
                                    "Config YNNNNYNNNN", "Config NNNNNNNNNN"};

// Reads the rest of the session: a "time" answered "Time 3", then the "quit" of the end and
// an orderly close.
void TimeThenQuit(FakeManager& m, rawpeer::Conn& c)
{
    if (m.Read(c) == "time")
        m.Say(c, "Time 3");
    if (m.Read(c) != "quit")
        m.Failures << QStringLiteral("no quit at the end");
    if (!m.ClosedInOrder(c))
        m.Failures << QStringLiteral("the connection was not closed in order after quit");
}

struct Pairing {
    const char* name;
    FakeManager::Script script;
};

// The greeting comes at once and each request gets its own reply.
void Prompt(FakeManager& m)
{
    rawpeer::Conn c = m.Accept();
    m.Say(c, "Welcome to Velmora");
    for (const QByteArray& reply : kReplies) {
        m.Read(c);
        m.Say(c, reply);
    }
    TimeThenQuit(m, c);
}

// The greeting comes only once the first request is out: every wait ends on the reply to the
// request before.
void Lagging(FakeManager& m)
{
    rawpeer::Conn c = m.Accept();
    QList<QByteArray> lines = {"Welcome to Velmora"};
    lines += kReplies;
    for (int i = 0; i < kSequence.size(); ++i) {
        m.Read(c);
        m.Say(c, lines[i]);
    }
    m.Say(c, lines.last());
    TimeThenQuit(m, c);
}

class Pairings : public TandelTest, public ::testing::WithParamInterface<Pairing> {};

}  // namespace

TEST_P(Pairings, SequenceOpensTheSessionAppliesTheSettingsPollsAndEndsWithQuit)
{
    TMain& w = Make();
    manager.Start(GetParam().script);
    // Line ends typed or pasted into the fields never reach the manager.
    w.Edit1->setText(QStringLiteral("je\r\nan"));
    w.Edit2->setText(QStringLiteral("sec\nret"));
    station.Calls.clear();
    w.Button2Click();

    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet2);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 20000);
    EXPECT_EQ(w.RepLogin, "OK");
    EXPECT_EQ(w.RepPassw, "OK");
    EXPECT_EQ(w.RepHost, "OK");
    EXPECT_EQ(w.RepConnect, "OK");
    // The reply to the second "config" does not replace the settings held.
    EXPECT_TRUE(WaitUntil([&] { return w.StaticText1->text() == "Config NNNNNNNNNN"; }));
    EXPECT_EQ(w.ConfigPoste, "YNNNNYNNNN");
    EXPECT_EQ(station.Calls, QStringList({"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys off", "HideTaskbar",
                                          "ShowDesktopIcons", "BlockTaskKeys off"}));
    EXPECT_FALSE(w.SpeedButton2->isHidden());
    EXPECT_TRUE(w.SpeedButton3->isHidden());

    w.Timer1Timer();
    EXPECT_TRUE(WaitUntil([&] { return w.StaticText2->text() == "3 mn"; }));
    EXPECT_EQ(w.StaticText1->text(), "Time 3");

    station.Calls.clear();
    w.Button3->click();
    manager.Join();
    QList<QByteArray> expected = kSequence;
    expected << "time" << "quit";
    EXPECT_EQ(manager.Lines, expected);
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.StaticText2->text(), "0 mn");
    EXPECT_TRUE(w.Edit1->text().isEmpty());
    EXPECT_TRUE(w.Edit2->text().isEmpty());
    EXPECT_TRUE(w.ConfigPoste.isEmpty());
    EXPECT_TRUE(w.RepLogin.isEmpty());
    EXPECT_TRUE(w.FermetureAutorisee);
    EXPECT_EQ(station.Calls, QStringList({"HideTaskbar", "HideDesktopIcons"}));
}

INSTANTIATE_TEST_SUITE_P(Greeting, Pairings,
                         ::testing::Values(Pairing{"Prompt", Prompt}, Pairing{"Lagging", Lagging}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TandelTest, UnknownLoginEndsTheSessionTwiceAndShowsThePasswordError)
{
    TMain& w = Make();
    manager.Start([](FakeManager& m) {
        rawpeer::Conn c = m.Accept();
        m.Say(c, "Welcome to Velmora");
        const QList<QByteArray> replies = {"Login NAK", "Passw NAK", "Passw NAK", "Host OK",
                                           "Connect OK ", "Config NNNNNNNNNN", "Config NNNNNNNNNN"};
        for (const QByteArray& reply : replies) {
            m.Read(c);
            m.Say(c, reply);
        }
        m.Read(c);  // quit
        if (!m.ClosedInOrder(c))
            m.Failures << QStringLiteral("first close not in order");
        // The second end opens a connection of its own to say "quit" again (and is gone
        // before a greeting could reach it).
        rawpeer::Conn again = m.Accept();
        m.Read(again);
        if (!m.ClosedInOrder(again))
            m.Failures << QStringLiteral("second close not in order");
    });
    w.Edit1->setText(QStringLiteral("inconnu"));
    w.Button2Click();
    manager.Join();
    EXPECT_EQ(manager.Lines.mid(7), QList<QByteArray>({"quit", "quit"}));
    EXPECT_EQ(w.StaticText1->text(), "Erreur mot de passe");
    EXPECT_EQ(w.StaticText3->text(), "Erreur mot de passe");
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(TandelTest, AWaitWithoutReplyEndsTheSessionAndGrantsNone)
{
    TMain& w = Make();
    w.DelaiServeur = 400;
    manager.Start([](FakeManager& m) {
        rawpeer::Conn c = m.Accept();
        m.Say(c, "Welcome to Velmora");
        // Nothing more is answered: the client gives up and says "quit".
        while (m.Read(c, 3000) != "quit" && m.Lines.size() < 10) {
        }
        if (!m.ClosedInOrder(c))
            m.Failures << QStringLiteral("not closed in order");
    });
    w.Edit1->setText(QStringLiteral("jean"));
    w.Button2Click();
    manager.Join();
    EXPECT_EQ(manager.Lines.last(), "quit");
    EXPECT_FALSE(manager.Lines.contains("connect"));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(TandelTest, AConnectionClosedDuringAWaitEndsTheSequenceAtOnce)
{
    TMain& w = Make();
    w.DelaiServeur = 20000;
    manager.Start([](FakeManager& m) {
        {
            rawpeer::Conn c = m.Accept();
            m.Read(c);  // login, never answered: the connection goes
        }
        rawpeer::Conn again = m.Accept();
        m.Say(again, "Welcome to Velmora");
        m.Read(again);
        m.ClosedInOrder(again);
    });
    QElapsedTimer clock;
    clock.start();
    w.Button2Click();
    manager.Join();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(manager.Lines, QList<QByteArray>({"login ", "quit"}));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(TandelTest, AFailedConnectEndsTheSequenceWithItsError)
{
    TMain& w = Make(rawpeer::UnusedPort());
    w.Button2Click();
    EXPECT_EQ(w.StaticText1->text(), "Can't connect, error #10061");
    EXPECT_FALSE(w.SequenceEnCours());
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(TandelTest, OkAndEnterDoNothingWhileASequenceRuns)
{
    TMain& w = Make();
    manager.Start([](FakeManager& m) {
        rawpeer::Conn c = m.Accept();
        m.Read(c);
        // Time for the clicks below to come while the client waits for this reply.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        m.Say(c, "Welcome to Velmora");
        for (const QByteArray& reply : kReplies) {
            m.Read(c);
            m.Say(c, reply);
        }
        m.Read(c);
        m.ClosedInOrder(c);
    });
    w.Edit1->setText(QStringLiteral("jean"));
    QTimer::singleShot(100, [&] {
        w.Button2->click();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(w.Edit1, &enter);
    });
    w.Button2Click();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet2);
    w.FinSession();
    manager.Join();
    EXPECT_EQ(manager.Lines.count("login jean"), 1);
    EXPECT_EQ(manager.Lines.size(), 9);
}

TEST_F(TandelTest, QuitForThisWorkstationSaysQuitAndNopThenClosesInOrder)
{
    TMain& w = Make();
    manager.Start([](FakeManager& m) {
        rawpeer::Conn c = m.Accept();
        m.Read(c);  // time
        m.Say(c, "Quit poste1");
        m.Read(c);
        m.Read(c);
        if (!m.ClosedInOrder(c))
            m.Failures << QStringLiteral("not closed in order");
    });
    w.PageControl1->setCurrentWidget(w.TabSheet2);
    w.Timer1->start();
    w.Timer1Timer();
    EXPECT_TRUE(WaitUntil([&] { return w.PageControl1->currentWidget() == w.TabSheet1; }));
    manager.Join();
    EXPECT_EQ(manager.Lines, QList<QByteArray>({"time", "quit", "nop"}));
    EXPECT_EQ(w.StaticText1->text(), "Quit poste1");
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_FALSE(w.Timer1->isActive());
}

class LongLines : public TandelTest, public ::testing::WithParamInterface<int> {};

TEST_P(LongLines, TheTailOfALineCutAtTheLimitIsNeverACommand)
{
    TMain& w = Make();
    const int filler = GetParam();
    manager.Start([filler](FakeManager& m) {
        rawpeer::Conn c = m.Accept();
        m.Read(c);
        m.Say(c, "Msg all " + QByteArray(filler, 'x') + "Stop all");
        m.Read(c);
        m.Say(c, "Msg all suite");
        m.Read(c);
        m.ClosedInOrder(c);
    });
    w.Timer1Timer();
    // The head of the long line is shown, cut (255 characters after the first blank, "all "
    // among them); the next line is obeyed as usual.
    EXPECT_TRUE(WaitUntil([&] { return w.StaticText3->text() == QString(251, QLatin1Char('x')); }));
    w.Timer1Timer();
    EXPECT_TRUE(WaitUntil([&] { return w.StaticText3->text() == "suite"; }));
    EXPECT_FALSE(station.Calls.contains("PowerOff"));
    w.FinSession();
}

// 1,015: the cut falls exactly before "Stop all".
INSTANTIATE_TEST_SUITE_P(Receive, LongLines, ::testing::Values(1015, 1020, 70000));

TEST_F(TandelTest, QuitReachesTheManagerEvenBehindLinesStillOnTheirWay)
{
    FakeManager slow(true);
    TMain& w = Make(slow.Port());
    slow.Start([](FakeManager& m) {
        rawpeer::Conn c = m.Accept();
        // Not read for a while: what the client sends piles up on its side.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        QByteArray all;
        if (!c.WaitClosed(10000, &all) || !all.endsWith("quit\r\n"))
            m.Failures << QStringLiteral("quit lost: %1 bytes came").arg(all.size());
    });
    const QString bulk = QStringLiteral("nop ") + QString(256 * 1024, QLatin1Char('y'));
    for (int i = 0; i < 32; ++i)
        w.Send(bulk);
    w.FinSession();
    slow.Join();
    for (const QString& failure : slow.Failures)
        ADD_FAILURE() << failure.toStdString();
}

TEST_F(TandelTest, ALineSentWhileAConnectionIsUnderWayIsDropped)
{
    // A listener whose queue is full leaves a new connection pending.
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(listen(fd, 0), 0);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    const int port = ntohs(a.sin_port);
    rawpeer::Conn filler = rawpeer::Conn::To(port);
    ASSERT_TRUE(filler.Valid());

    TMain& w = Make(port);
    w.DelaiServeur = 1500;
    bool nested = true;
    QTimer::singleShot(200, [&] { nested = w.Send(QStringLiteral("time")); });
    EXPECT_FALSE(w.Send(QStringLiteral("time")));
    EXPECT_FALSE(nested);
    EXPECT_EQ(w.StaticText1->text(), "Can't connect, error #10060");
    close(fd);
}
