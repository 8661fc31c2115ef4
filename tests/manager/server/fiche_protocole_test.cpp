// The requests of the workstation protocol and their replies, byte for byte: each case is a
// conversation on one fresh connection. A request that gets no reply is checked by the "time"
// sent behind it, whose reply must come next.
#include "server_fixture.h"

using namespace serveur_test;

namespace {

struct Step {
    QByteArray request;
    QByteArray reply;   // empty: no reply
};

struct Conversation {
    const char* name;
    QList<Step> steps;
};

const Conversation Conversations[] = {
    {"a known login and its password, case ignored",
     {{"login JDupont", "Login OK"}, {"passw PW", "Passw OK"}, {"passw pw", "Passw OK"}}},
    {"an unknown login has no password", {{"login nobody", "Login NAK"}, {"passw pw", "Passw NAK"}, {"passw", "Passw NAK"}}},
    {"a wrong password", {{"login jdupont", "Login OK"}, {"passw nope", "Passw NAK"}}},
    {"a password without login", {{"passw pw", "Passw NAK"}, {"passw", "Passw NAK"}}},
    {"the anonymous login", {{"login", "vimor OK "}, {"passw", "Passw OK"}, {"passw ZAKUL", "Passw OK"}}},
    {"the anonymous login with blanks", {{"login   ", "vimor OK "}, {"passw   ", "Passw OK"}}},
    {"the anonymous word typed", {{"login vimor", ""}, {"passw", "Passw NAK"}, {"passw zakul", "Passw NAK"}}},
    {"the anonymous word in capitals is a login", {{"login VIMOR", "Login NAK"}}},
    {"an empty login is nobody's, not the customer without login",
     {{"login", "vimor OK "}, {"passw pw", "Passw NAK"}}},
    {"commands in capitals", {{"LOGIN jdupont", "Login OK"}, {"Passw pw", "Passw OK"}, {"TIME", "Time 0"}}},
    {"the host name", {{"login jdupont", "Login OK"}, {"hostn PC1", "Host OK"}, {"hostn PC1", ""}, {"hostn PC10", "Host OK"}}},
    {"a host name like the login is a host name", {{"login jdupont", "Login OK"}, {"hostn jdupont", "Host OK"}}},
    {"an empty host name", {{"login jdupont", "Login OK"}, {"hostn", ""}, {"hostn   ", ""}}},
    {"a host name before the login", {{"hostn PC1", "Host OK"}, {"config", "Config YYNNYNNNYN"}}},
    {"the settings of the machine, case ignored", {{"hostn pc1", "Host OK"}, {"config", "Config YYNNYNNNYN"}}},
    {"a host that is no machine", {{"hostn PC", "Host OK"}, {"config", "Config NAK "}}},
    {"no host", {{"config", "Config NAK "}}},
    {"the entry, without its password",
     {{"verif", "127.0.0.1"},
      {"login jdupont", "Login OK"},
      {"verif", "127.0.0.1\tjdupont\t"},
      {"passw pw", "Passw OK"},
      {"hostn PC1", "Host OK"},
      {"verif", "127.0.0.1\tjdupont\t\tPC1"},
      {"connect", "Connect OK "},
      {"verif", "127.0.0.1\tjdupont\t\tPC1\t1"}}},
    {"a TAB in a name stays a blank", {{"login a\tb", "Login NAK"}, {"verif", "127.0.0.1\ta b\t"}}},
    {"a new login starts the entry again",
     {{"login jdupont", "Login OK"},
      {"passw pw", "Passw OK"},
      {"hostn PC1", "Host OK"},
      {"login martin", "Login OK"},
      {"verif", "127.0.0.1\tmartin\t"},
      {"passw pw", "Passw NAK"},
      {"passw SECRET", "Passw OK"}}},
    {"a login ending in \"time\"", {{"login overtime", "Login NAK"}}},
    {"what is not a request", {{":", ""}, {"abc:", ""}, {"nop", ""}, {"foo bar", ""}, {"time:", ""}, {"login:", ""}}},
    {"a colon before the end does not hide a request", {{"login a:b", "Login NAK"}}},
    {"the argument is cut at 255 characters", {{"login " + QByteArray(255, 'x') + "y", "Login NAK"},
                                               {"verif", "127.0.0.1\t" + QByteArray(255, 'x') + "\t"}}},
    {"no ticket: no minutes, and quit closes nothing", {{"time", "Time 0"}, {"quit", " bye "}}},
};

class ProtocoleTest : public Serveur, public ::testing::WithParamInterface<Conversation> {};

TEST_P(ProtocoleTest, Replies)
{
    auto poste = Connecte();
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE(step.request.toStdString());
        if (step.reply.isEmpty())
            EXPECT_EQ(poste->SansReponse(step.request), "Time 0");
        else
            EXPECT_EQ(poste->Demande(step.request), step.reply);
    }
}

INSTANTIATE_TEST_SUITE_P(Conversations, ProtocoleTest, ::testing::ValuesIn(Conversations),
                         [](const ::testing::TestParamInfo<Conversation>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

// Replies and names cross the wire in the Western code page.
TEST_F(Serveur, NamesAreWindows1252OnTheWire)
{
    QStringList clients = Clients();
    clients[4] = "DUPRÉ";
    clients[13] = "élodie";
    Set(TFiche::KClient, clients);
    auto poste = Connecte();
    EXPECT_EQ(poste->Demande("login \xe9lodie"), "Login OK");
    EXPECT_EQ(poste->Demande("passw pw"), "Passw OK");
    EXPECT_EQ(poste->Demande("connect"), "Connect OK ");
    EXPECT_EQ(poste->Demande("quit"), "DUPR\xc9 bye ");
}

// The customer card being edited is written before the login is looked for, and the machine card
// before the host: what the operator just typed counts.
TEST_F(Serveur, TheCardsBeingEditedAreWrittenFirst)
{
    fiche->IndexClient = 0;
    fiche->LitFiche();
    fiche->Edit11->setText("nouveau");   // the login field
    fiche->IndexPoste = 0;
    fiche->LitPoste();
    fiche->CheckBox5->setChecked(false);
    auto poste = Connecte();
    EXPECT_EQ(poste->Demande("login nouveau"), "Login OK");
    EXPECT_EQ(poste->Demande("hostn PC1"), "Host OK");
    EXPECT_EQ(poste->Demande("config"), "Config NYNNYNNNYN");
}

// A machine block cut short lends no line of the next block: its missing settings are "N".
TEST_F(Serveur, AShortMachineBlockHasItsMissingSettingsOff)
{
    QStringList shortMachine = cards::MachineFields("10004", "PC4").mid(0, 12);
    Set(TFiche::KPoste, Join({Block(0, shortMachine), Block(1, cards::MachineFields("10005", "PC5"))}));
    auto poste = Connecte();
    EXPECT_EQ(poste->Demande("hostn PC4"), "Host OK");
    EXPECT_EQ(poste->Demande("config"), "Config YYNNNNNNNN");
}

}  // namespace
