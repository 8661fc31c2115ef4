// The operator's orders to the workstations. Every order goes to every connected workstation as
// one line; each workstation obeys only the lines that name its own computer (or "all").
#include <QListWidget>
#include <QPointer>
#include "manager/cardfile/fiche.h"
#include "platform/dialogs.h"
#include "wsocket/wsockets.h"

namespace {

// What a workstation shows of a message: one line, no longer than it reads after the command.
constexpr int LongueurMessage = 255;

QString LigneDeMessage(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.left(LongueurMessage);
}

QString DemandeMessage()
{
    return LigneDeMessage(platform::InputBox(QStringLiteral("Envoyer message"), QStringLiteral("Message"), QString()));
}

// A command for the target workstation: nothing is sent without one.
void AuPoste(TFiche& f, const QString& command)
{
    const QString host = f.PosteCible();
    if (!host.isEmpty())
        f.EnvoieATous(command + host);
}

}  // namespace

QString TFiche::PosteCible() const
{
    QWidget* page = PageControl1->currentWidget();
    if (page == TabSheet4)
        return Edit17->text();
    if (page == TabSheet5)
        return Edit35->text();
    if (page == TabSheet6) {
        const QList<QListWidgetItem*> selected = ListView1->selectedItems();
        if (selected.size() == 1)
            return selected.first()->text();
    }
    return QString();
}

void TFiche::EnvoieATous(const QString& line)
{
    // A connection that fails while it is sent to goes away from the server's list: the loop runs
    // over the connections there were when the order was given, and skips the ones gone since.
    QList<QPointer<TWSocketClient>> clients;
    for (int i = 0; i < SrvSocket->CountClients(); ++i)
        clients.append(SrvSocket->ClientAt(i));
    for (const QPointer<TWSocketClient>& client : clients)
        if (client)
            Envoie(client, line);
}

void TFiche::FermerClient()
{
    AuPoste(*this, QStringLiteral("Close "));
}

void TFiche::FermerSession()
{
    AuPoste(*this, QStringLiteral("Quit "));
}

void TFiche::EnvoiMsg()
{
    const QString host = PosteCible();
    if (host.isEmpty())
        return;
    const QString text = DemandeMessage();
    if (!text.isEmpty())
        EnvoieATous(QStringLiteral("Msg ") + host + QLatin1Char(' ') + text);
}

void TFiche::Reboot()
{
    AuPoste(*this, QStringLiteral("Reboot "));
}

void TFiche::Arreter()
{
    AuPoste(*this, QStringLiteral("Stop "));
}

void TFiche::ArreterTous()
{
    EnvoieATous(QStringLiteral("Stop all"));
}

void TFiche::FermerTous()
{
    EnvoieATous(QStringLiteral("Close all"));
}

void TFiche::MsgTous()
{
    if (SrvSocket->CountClients() < 1)
        return;
    const QString text = DemandeMessage();
    if (!text.isEmpty())
        EnvoieATous(QStringLiteral("Msg all ") + text);
}
