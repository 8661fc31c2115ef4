// The client side of the workstation protocol: sending, waiting, obeying, the login sequence,
// the time poll and the ends of a session.
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include "client/tmain.h"
#include "platform/rtl.h"
#include "platform/textfile.h"
#include "wsocket/wspump.h"

namespace {

// The receive buffer holds 1,023 bytes of a line and its terminating zero.
constexpr int kRecuMax = 1023;
// What a connection attempt that never ended reports: the system's connection time-out.
constexpr int kDelaiConnexion = 10060;

// word := the text before the first blank and text := at most 255 characters after it; without
// a blank, word := the whole text and text := empty.
void CoupeMot(QString& text, QString& word)
{
    const int blank = int(text.indexOf(QLatin1Char(' ')));
    if (blank < 0) {
        word = text;
        text.clear();
        return;
    }
    word = text.left(blank);
    text = text.mid(blank + 1, 255);
}

// A line end typed or pasted into a field would make two requests of one.
QString UneLigne(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

}  // namespace

QString TMain::NomPoste()
{
    return workstation::Current().ComputerName();
}

// --- sending and waiting ---------------------------------------------------------------------

bool TMain::Send(const QString& line)
{
    if (CliSocket->State() != wsConnected) {
        // A connection already under way (this is a line sent from inside its wait): the line
        // is dropped rather than disturbing it.
        if (CliSocket->State() == wsConnecting)
            return false;
        if (CliSocket->State() != wsClosed)
            CliSocket->AbortConnection();
        CliSocket->AssignProto(QStringLiteral("tcp"));
        CliSocket->AssignPort(Port);
        CliSocket->AssignAddr(AdresseServeur);
        CliSocket->AssignLineMode(true);
        CliSocket->LineEnd = QStringLiteral("\r\n");
        connexionPerdue_ = false;
        resteIgnore_ = false;
        CliSocket->Connect();
        QElapsedTimer clock;
        clock.start();
        while (CliSocket->State() == wsConnecting || CliSocket->State() == wsOpened) {
            if (Termine())
                return false;
            const qint64 left = DelaiServeur - clock.elapsed();
            if (left <= 0) {
                CliSocket->AbortConnection();
                StaticText1->setText(QStringLiteral("Can't connect, error #") + QString::number(kDelaiConnexion));
                return false;
            }
            wsocket::WaitForEvents(int(left));
        }
    }
    if (CliSocket->State() != wsConnected)
        return false;
    CliSocket->SendText(line + QStringLiteral("\r\n"));
    return true;
}

TMain::Attendu TMain::Attente()
{
    Reponse.clear();
    QElapsedTimer clock;
    clock.start();
    while (Reponse.isEmpty()) {
        if (Termine() || sequenceAbandonnee_)
            return Attendu::Interrompu;
        if (connexionPerdue_)
            return Attendu::Coupure;
        const qint64 left = DelaiServeur - clock.elapsed();
        if (left <= 0)
            return Attendu::Delai;
        wsocket::WaitForEvents(int(left));
    }
    return Attendu::Reponse;
}

// --- receiving and obeying -------------------------------------------------------------------

void TMain::CliSocketDataAvailable()
{
    char buffer[kRecuMax + 1];
    const int count = CliSocket->ReceiveInto(buffer, kRecuMax);
    if (count <= 0)
        return;
    QByteArray bytes(buffer, count);
    const bool complete = bytes.endsWith('\n');
    // What is left of a line cut at the limit is data, never a command of its own.
    if (resteIgnore_) {
        resteIgnore_ = !complete;
        return;
    }
    resteIgnore_ = !complete;
    // The text ends at the first zero byte, as in the receive buffer.
    const int zero = int(bytes.indexOf('\0'));
    if (zero >= 0)
        bytes.truncate(zero);
    ProcessCommand(textfile::DecodeCp1252(bytes));
}

void TMain::ProcessCommand(QString line)
{
    if (line.endsWith(QStringLiteral("\r\n")))
        line.chop(2);
    if (line.size() < 4)
        return;
    StaticText1->setText(line);

    QString word1, word2;
    CoupeMot(line, word1);
    CoupeMot(line, word2);
    const QString rest = line;
    Reponse = word2;
    const QString command = rtl::LowerCase(word1);
    const QString target = rtl::LowerCase(word2);
    // A workstation that cannot tell its own name obeys nothing addressed by name.
    const QString own = rtl::LowerCase(NomPoste());
    const bool mine = !own.isEmpty() && target == own;
    const bool all = target == QLatin1String("all");

    if (command == QLatin1String("login"))
        RepLogin = word2;
    if (command == QLatin1String("passw"))
        RepPassw = word2;
    if (command == QLatin1String("host"))
        RepHost = word2;
    if (command == QLatin1String("connect"))
        RepConnect = word2;
    if (command == QLatin1String("config") && ConfigPoste.isEmpty())
        ConfigPoste = word2;
    if (command == QLatin1String("time"))
        StaticText2->setText(word2 + QStringLiteral(" mn"));
    if (command == QLatin1String("quit") && mine)
        Fincli();
    if (command == QLatin1String("close") && (mine || all)) {
        Terminer();
        return;
    }
    if (command == QLatin1String("msg") && (mine || all)) {
        StaticText3->setText(rest);
        showNormal();
        raise();
        activateWindow();
    }
    if (command == QLatin1String("reboot") && mine)
        Reboot();
    if (command == QLatin1String("stop") && (mine || all))
        Arret();
}

// --- the login sequence ----------------------------------------------------------------------

void TMain::Button2Click()
{
    // One sequence at a time: OK and Enter wait for the running one to end.
    if (sequenceEnCours_ || Termine())
        return;
    sequenceEnCours_ = true;
    sequenceAbandonnee_ = false;
    // The message line may still hold why the last login was refused: the session that opens
    // must not greet its customer with "Erreur mot de passe". Logged out, the workstation has no
    // connection, so no message of the manager is waiting there.
    StaticText3->clear();
    // Any error (of the socket library too) ends the sequence without a word.
    try {
        switch (SequenceConnexion()) {
        case Sequence::Abandon:
            break;
        case Sequence::Echec:
            // No reply in time, or the connection closed: no session is granted on that.
            sequenceEnCours_ = false;
            FinSession();
            break;
        case Sequence::Complete:
            sequenceEnCours_ = false;
            OuvreSession();
            break;
        }
    } catch (...) {
    }
    sequenceEnCours_ = false;
}

void TMain::OuvreSession()
{
    ProcessConfig();
    PageControl1->setCurrentWidget(TabSheet2);
    // The answers are read once: each refusal ends the session again, and clears them.
    const QString nak = QStringLiteral("NAK");
    const bool refused[] = {RepLogin == nak, RepPassw == nak, RepHost == nak, RepConnect == nak};
    const QString texts[] = {QStringLiteral("Erreur login"), QStringLiteral("Erreur mot de passe"),
                             QStringLiteral("Erreur hôte"), QStringLiteral("Erreur connexion")};
    bool granted = true;
    for (int i = 0; i < 4; ++i)
        if (refused[i]) {
            granted = false;
            FinNak(texts[i]);
        }
    if (granted)
        Timer1->start();
}

TMain::Sequence TMain::SequenceConnexion()
{
    const QString login = UneLigne(Edit1->text());
    const QString password = UneLigne(Edit2->text());
    // The doubled requests absorb the shift of one line that the greeting may cause.
    const QString requests[] = {
        QStringLiteral("login ") + login, QStringLiteral("passw ") + password, QStringLiteral("passw ") + password,
        QStringLiteral("hostn ") + NomPoste(), QStringLiteral("connect"), QStringLiteral("config"),
        QStringLiteral("config"),
    };
    for (const QString& request : requests) {
        if (!Send(request) || sequenceAbandonnee_ || Termine())
            return Sequence::Abandon;
        switch (Attente()) {
        case Attendu::Reponse:
            break;
        case Attendu::Delai:
        case Attendu::Coupure:
            return Sequence::Echec;
        case Attendu::Interrompu:
            return Sequence::Abandon;
        }
    }
    return Sequence::Complete;
}

void TMain::Timer1Timer()
{
    Send(QStringLiteral("time"));
}

// --- the ends of a session -------------------------------------------------------------------

void TMain::Button3Click()
{
    FinSession();
}

void TMain::Button1Click()
{
    Send(QStringLiteral("quit"));
    Terminer();
}

void TMain::FinSession()
{
    Send(QStringLiteral("quit"));
    FinConnexion(false);
}

void TMain::Fincli()
{
    Send(QStringLiteral("quit"));
    Send(QStringLiteral("nop"));
    FinConnexion(true);
}

void TMain::FinNak(const QString& text)
{
    FinSession();
    StaticText1->setText(text);
    StaticText3->setText(text);
}

void TMain::FermeConnexion()
{
    // What was sent goes out before the orderly close, within the limit.
    CliSocket->FlushTimeout = std::max(1, DelaiServeur / 1000);
    CliSocket->FlushQueue();
    CliSocket->CloseConnection();
}

void TMain::FinConnexion(bool keepStatus)
{
    // A sequence still waiting ends here: this session is over.
    if (sequenceEnCours_)
        sequenceAbandonnee_ = true;
    FermeConnexion();
    CacheBureau();
    FermetureAutorisee = true;
    deplacement_ = false;
    Timer1->stop();
    Edit1->clear();
    Edit2->clear();
    ConfigPoste.clear();
    RepLogin.clear();
    RepPassw.clear();
    RepHost.clear();
    RepConnect.clear();
    if (!keepStatus)
        StaticText1->clear();
    StaticText3->clear();
    StaticText2->setText(QStringLiteral("0 mn"));
    showNormal();
    AuPremierPlan(true);
    PageControl1->setCurrentWidget(TabSheet1);
}

// --- socket events ---------------------------------------------------------------------------

void TMain::CliSocketSessionConnected(int Error)
{
    if (Error != 0)
        StaticText1->setText(QStringLiteral("Can't connect, error #") + QString::number(Error));
}

void TMain::CliSocketSessionClosed()
{
    CliSocket->FlushQueue();
    connexionPerdue_ = true;
}
