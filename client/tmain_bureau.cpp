// Desktop lock-down, the machine's settings, the application buttons, restart and shut-down,
// the server's address and its settings file.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>
#include "client/tipadr.h"
#include "client/tmain.h"
#include "platform/autostart.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"

namespace {

const QString kEntreeDemarrage = QStringLiteral("Tandel");

// Position 1 to 10 of the settings string: only "Y" sets it.
bool Position(const QString& settings, int position)
{
    return settings.size() >= position && settings[position - 1] == QLatin1Char('Y');
}

}  // namespace

// --- the desktop -----------------------------------------------------------------------------

void TMain::CacheBureau()
{
    workstation::Workstation& ws = workstation::Current();
    ws.HideTaskbar();
    ws.HideDesktopIcons();
}

void TMain::MontreBureau()
{
    workstation::Workstation& ws = workstation::Current();
    ws.ShowTaskbar();
    ws.ShowDesktopIcons();
    ws.BlockTaskKeys(false);
}

void TMain::Minimiser()
{
    // At creation the window has no native window yet, and is not among those to minimise.
    workstation::Current().MinimizeOthers(quintptr(internalWinId()));
}

void TMain::ProcessConfig()
{
    MontreBureau();
    workstation::Workstation& ws = workstation::Current();
    const QString& c = ConfigPoste;
    if (Position(c, 1))
        ws.HideTaskbar();
    else
        ws.ShowTaskbar();
    if (Position(c, 2))
        ws.HideDesktopIcons();
    else
        ws.ShowDesktopIcons();
    FermetureAutorisee = !Position(c, 3);
    if (Position(c, 4))
        Autorun();
    else
        notAutorun();
    ws.BlockTaskKeys(Position(c, 5));
    SpeedButton2->setVisible(Position(c, 6));
    SpeedButton3->setVisible(Position(c, 7));
    // The eighth character governs the button hinted "Word", the ninth the one hinted
    // "Yahoo": the machine card lists them the other way round, and its files rely on that.
    SpeedButton4->setVisible(Position(c, 8));
    SpeedButton5->setVisible(Position(c, 9));
    // The tenth is not used here.
}

// --- starting with the session ---------------------------------------------------------------

void TMain::Autorun()
{
    // The program starts in its working folder, where its settings file is.
    if (!autostart::Add(kEntreeDemarrage, QCoreApplication::applicationFilePath(), QDir::currentPath()))
        qWarning().noquote() << "Tandel: impossible d'écrire" << autostart::EntryPath(kEntreeDemarrage);
}

void TMain::notAutorun()
{
    if (!autostart::Remove(kEntreeDemarrage))
        qWarning().noquote() << "Tandel: impossible de supprimer" << autostart::EntryPath(kEntreeDemarrage);
}

// --- the application buttons, restart and shut-down ------------------------------------------

void TMain::Lance(int button)
{
    // A program that cannot start is logged by the workstation; the session goes on.
    workstation::Current().Launch(programmes_[button]);
}

void TMain::SpeedButton2Click() { Lance(0); }
void TMain::SpeedButton3Click() { Lance(1); }
void TMain::SpeedButton4Click() { Lance(2); }
void TMain::SpeedButton5Click() { Lance(3); }

void TMain::Reboot()
{
    workstation::Current().Reboot();
}

void TMain::Arret()
{
    workstation::Current().PowerOff();
}

// --- the server's address --------------------------------------------------------------------

void TMain::FormActivate()
{
    if (QFileInfo::exists(FichierServeur))
        ChargeIni();
    else
        SetIpAdr();
}

bool TMain::AdresseUtilisable(const QString& address)
{
    // The mask's products: a complete dotted address is taken whatever its length, a partial
    // one ("...", "10.0.0.") never.
    static const QRegularExpression masque(QStringLiteral("^[0-9. ]*$"));
    if (masque.match(address).hasMatch()) {
        const QStringList parts = address.split(QLatin1Char('.'));
        if (parts.size() != 4)
            return false;
        for (const QString& part : parts) {
            bool ok = false;
            if (part.isEmpty() || part.size() > 3 || part.toInt(&ok) > 255 || !ok)
                return false;
        }
        return true;
    }
    // A name written into the file by hand.
    return address.size() > 9;
}

void TMain::ChargeIni()
{
    if (!QFileInfo::exists(FichierServeur))
        return;
    QStringList lines;
    textfile::LoadFromFile(FichierServeur, lines);
    const QString address = lines.value(0).trimmed();
    UtiliserDns = lines.value(1);
    NomServeur = lines.value(2);
    if (AdresseUtilisable(address))
        AdresseServeur = address;
}

void TMain::SauveIni()
{
    QString reason;
    if (!textfile::SaveToFile(FichierServeur, {AdresseServeur, UtiliserDns, NomServeur}, &reason))
        platform::MessageDlg(QStringLiteral("Impossible d'enregistrer %1.\n%2").arg(FichierServeur, reason),
                             platform::mtError, platform::mbOK);
}

void TMain::SetIpAdr()
{
    // The window becomes active again when the dialog closes: one dialog at a time.
    if (adresseOuverte_)
        return;
    adresseOuverte_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{adresseOuverte_};

    QString address, useDns, name;
    {
        TIpAdr dialog(this);
        platform::Dialogs().exec(&dialog);
        dialog.Result(address, useDns, name);
    }
    if (address.isEmpty())
        return;
    AdresseServeur = address;
    UtiliserDns = useDns;
    NomServeur = name;
    SauveIni();
    if (UtiliserDns == QLatin1String("Y") && !NomServeur.isEmpty())
        CliSocket->DnsLookup(NomServeur);
}

void TMain::CliSocketDnsLookupDone(int Error)
{
    if (Error != 0)
        StaticText1->setText(QStringLiteral("Serveur non trouvé"));
    else
        AdresseServeur = CliSocket->DnsResult();
}
