#include "platform/workstation/linux.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QProcess>
#include <QStandardPaths>
#include <QtDebug>
#include <unistd.h>
#include "platform/workstation/x11desktop.h"

namespace workstation {

namespace {

struct Candidate {
    const char* program;
    QStringList arguments;
};

// The programs behind the session's buttons, first one installed wins. Nothing here comes from
// a file or the network: a customer can start these and nothing else.
QList<Candidate> Candidates(Program What)
{
    switch (What) {
    case Program::Browser:
        return {{"x-www-browser", {}}, {"firefox-esr", {}}, {"firefox", {}}, {"chromium", {}}};
    case Program::Mail:
        return {{"thunderbird", {}}, {"evolution", {}}, {"claws-mail", {}}};
    case Program::WordProcessor:
        return {{"libreoffice", {QStringLiteral("--writer")}}, {"abiword", {}}};
    }
    return {};
}

const char* const kLogindService = "org.freedesktop.login1";
const char* const kLogindPath = "/org/freedesktop/login1";
const char* const kLogindInterface = "org.freedesktop.login1.Manager";

}  // namespace

LinuxOptions LinuxOptions::FromEnvironment()
{
    LinuxOptions o;
    o.Wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    o.Display = qEnvironmentVariable("DISPLAY");
    return o;
}

LinuxWorkstation::LinuxWorkstation(const LinuxOptions& Options, QObject* Parent)
    : QObject(Parent), options_(Options)
{
    // A named connection is shared by name: each object keeps its own, to its own bus.
    static int count = 0;
    busName_ = QStringLiteral("velmora-workstation-logind-%1").arg(++count);
    if (options_.Wayland)
        inactiveReason_ = QStringLiteral("session Wayland : barre des tâches, icônes du bureau, touches système "
                                         "et autres fenêtres hors de portée du poste client");
    else if (options_.Display.isEmpty())
        inactiveReason_ = QStringLiteral("pas d'affichage X11 : le bureau n'est pas verrouillé");
    else
        desktop_ = new X11Desktop(options_.Display, [this](const QString& text) { Log(text); });
    if (desktop_ && !desktop_->Active()) {
        // Its own message said why.
        inactiveTold_ = true;
        inactiveReason_ = QStringLiteral("affichage X11 injoignable");
    }
}

LinuxWorkstation::~LinuxWorkstation()
{
    delete desktop_;
    if (!options_.LogindBus.isEmpty())
        QDBusConnection::disconnectFromBus(busName_);
}

void LinuxWorkstation::Log(const QString& Text)
{
    Notices << Text;
    qWarning().noquote() << "poste:" << Text;
}

bool LinuxWorkstation::DesktopActive() const
{
    return desktop_ && desktop_->Active();
}

bool LinuxWorkstation::Desktop()
{
    if (DesktopActive())
        return true;
    if (!inactiveTold_) {
        inactiveTold_ = true;
        Log(inactiveReason_);
    }
    return false;
}

void LinuxWorkstation::Flush()
{
    if (DesktopActive())
        desktop_->Flush();
}

QString LinuxWorkstation::ComputerName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return QString::fromLocal8Bit(name);
}

void LinuxWorkstation::HideTaskbar()
{
    if (Desktop())
        desktop_->SetHidden(X11Desktop::Panels, true);
}

void LinuxWorkstation::ShowTaskbar()
{
    if (Desktop())
        desktop_->SetHidden(X11Desktop::Panels, false);
}

void LinuxWorkstation::HideDesktopIcons()
{
    if (Desktop())
        desktop_->SetHidden(X11Desktop::DesktopIcons, true);
}

void LinuxWorkstation::ShowDesktopIcons()
{
    if (Desktop())
        desktop_->SetHidden(X11Desktop::DesktopIcons, false);
}

void LinuxWorkstation::BlockTaskKeys(bool Block)
{
    if (Desktop())
        desktop_->BlockKeys(Block);
}

void LinuxWorkstation::MinimizeOthers(quintptr OwnWindow)
{
    if (Desktop())
        desktop_->MinimizeOthers(uint32_t(OwnWindow));
}

bool LinuxWorkstation::Launch(Program What)
{
    for (const Candidate& c : Candidates(What)) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(c.program));
        if (path.isEmpty())
            continue;
        // Started directly, without a shell; it lives on after the session and the client.
        if (QProcess::startDetached(path, c.arguments))
            return true;
        Log(QStringLiteral("%1 (%2) n'a pas démarré").arg(ProgramName(What), path));
        return false;
    }
    Log(QStringLiteral("aucun programme de %1 n'est installé").arg(ProgramName(What)));
    return false;
}

void LinuxWorkstation::Reboot()
{
    AskLogind(QStringLiteral("Reboot"));
}

void LinuxWorkstation::PowerOff()
{
    AskLogind(QStringLiteral("PowerOff"));
}

void LinuxWorkstation::AskLogind(const QString& Method)
{
    QDBusConnection bus = options_.LogindBus.isEmpty() ? QDBusConnection::systemBus()
                                                       : QDBusConnection::connectToBus(options_.LogindBus, busName_);
    if (!bus.isConnected()) {
        Log(QStringLiteral("%1 refusé : bus système injoignable (%2)").arg(Method, bus.lastError().message()));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kLogindService), QLatin1String(kLogindPath),
                                                       QLatin1String(kLogindInterface), Method);
    // Not interactive: nobody is there to answer an authentication prompt; logind grants it
    // to the active local session by its default rules.
    call << false;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, Method](QDBusPendingCallWatcher* w) {
        if (w->isError())
            Log(QStringLiteral("%1 refusé par logind : %2").arg(Method, w->error().message()));
        w->deleteLater();
    });
}

}  // namespace workstation
