// The workstation protocol's requests that identify a session: login, password, host name, the
// machine's settings, and the entry shown back by "verif". Every reply is the protocol's own
// line, byte for byte.
#include "manager/cardfile/fiche.h"
#include "manager/server/blocs.h"

using namespace rtl;

namespace {

const QString Anonyme = QStringLiteral("vimor");      // the login of an empty "login"
const QString SansMotDePasse = QStringLiteral("zakul");

// The first customer whose login (+13) is `login`, case ignored (a to z); an empty login is
// nobody's, whatever blocks hold an empty one.
bool TrouveClient(const RecordList& clients, const QString& login, QStringList& champs)
{
    if (login.isEmpty())
        return false;
    const QString wanted = LowerCase(login);
    return serveur::PourChaqueBloc(clients, 15, [&](int, const QStringList& fields) {
               if (fields.size() < 13 || LowerCase(fields[12]) != wanted)
                   return false;
               champs = fields;
               return true;
           }) >= 0;
}

}  // namespace

void TFiche::Interprete(const QString& ip, TWSocketClient* client)
{
    const QString& line = DerniereLigne;
    if (line.isEmpty())
        return;
    QString command, argument;
    const int blank = int(line.indexOf(QLatin1Char(' ')));
    if (blank >= 0) {
        command = line.left(blank);
        argument = Trim(line.mid(blank + 1, 255));
    } else {
        command = line;
    }
    // The entry's fields are TAB-separated where it is shown: a TAB typed into a name stays a
    // blank.
    argument.replace(QLatin1Char('\t'), QLatin1Char(' '));
    command = LowerCase(command);

    if (command == QLatin1String("login"))
        ProcessLogin(ip, argument, client);
    if (command == QLatin1String("passw"))
        ProcessPassw(ip, argument, client);
    if (command == QLatin1String("hostn"))
        ProcessHost(ip, argument, client);
    if (command == QLatin1String("verif"))
        ProcessVerif(ip, client);
    if (command == QLatin1String("connect"))
        ProcessCnx(ip, client);
    if (command == QLatin1String("config"))
        ProcessCfg(ip, client);
    if (command == QLatin1String("time"))
        ProcessTime(ip, client);
    if (command == QLatin1String("quit"))
        ProcessQuit(ip, client);

    if (command == QLatin1String("login"))
        Display(QStringLiteral("Login : ") + argument);
    if (command == QLatin1String("hostn"))
        Display(QStringLiteral("Poste : ") + argument);
}

// A new login starts the session again: what the previous one was granted, its machine and its
// ticket belong to it alone. A login typed as the anonymous word itself gets no reply and no
// password, so that no password opens it.
void TFiche::ProcessLogin(const QString& ip, const QString& name, TWSocketClient* client)
{
    EcritFiche();
    QString login = name, password, reply;
    bool valid = false;
    if (login.isEmpty()) {
        login = Anonyme;
        reply = Anonyme + QStringLiteral(" OK ");
        password = SansMotDePasse;
        valid = true;
    } else if (login != Anonyme) {
        QStringList customer;
        valid = TrouveClient(ListeClients, login, customer);
        reply = valid ? QStringLiteral("Login OK") : QStringLiteral("Login NAK");
        password = customer.value(13);
    }
    if (EntreeConnexion* entree = EntreeDe(ip)) {
        EntreeConnexion fresh;
        fresh.Adresse = entree->Adresse;
        fresh.Login = login;
        fresh.MotDePasse = password;
        fresh.LoginDonne = true;
        fresh.LoginValide = valid;
        *entree = fresh;
    }
    if (!reply.isEmpty())
        Envoie(client, reply);
}

void TFiche::ProcessPassw(const QString& ip, const QString& password, TWSocketClient* client)
{
    const QString typed = password.isEmpty() ? SansMotDePasse : password;
    EntreeConnexion* entree = EntreeDe(ip);
    const bool ok = entree && LowerCase(entree->MotDePasse) == LowerCase(typed);
    if (entree)
        entree->Accorde = ok && entree->LoginValide;
    Envoie(client, ok ? QStringLiteral("Passw OK") : QStringLiteral("Passw NAK"));
}

// The name is recorded when it is not the one already recorded, and answered "Host OK"; the
// same name again gets no reply. A session with a ticket keeps the machine it opened on.
void TFiche::ProcessHost(const QString& ip, const QString& host, TWSocketClient* client)
{
    EcritPoste();
    EntreeConnexion* entree = EntreeDe(ip);
    if (!entree || host.isEmpty() || host == entree->Poste || !entree->NumeroTicket.isEmpty())
        return;
    entree->Poste = host;
    Envoie(client, QStringLiteral("Host OK"));
}

void TFiche::ProcessVerif(const QString& ip, TWSocketClient* client)
{
    if (const EntreeConnexion* entree = EntreeDe(ip))
        Envoie(client, entree->Texte());
}

void TFiche::ProcessCfg(const QString& ip, TWSocketClient* client)
{
    const EntreeConnexion* entree = EntreeDe(ip);
    serveur::Machine machine;
    if (entree && serveur::TrouveMachine(ListePostes, entree->Poste, machine))
        Envoie(client, QStringLiteral("Config ") + serveur::ChaineConfig(machine.champs));
    else
        Envoie(client, QStringLiteral("Config NAK "));
}
