// The server's connections: listening at every activation on a port the tests can read, the
// connection table and its log lines, cutting what arrives into lines, and peers that misbehave.
#include <QPlainTextEdit>
#include <thread>
#include "server_fixture.h"

using namespace serveur_test;

namespace {

TEST_F(Serveur, TestsListenOnAPortTheSystemChose)
{
    EXPECT_EQ(TFiche::PortParDefaut, 0);
    EXPECT_EQ(fiche->PortServeur, "0");
    EXPECT_NE(port, 25201);
    EXPECT_EQ(fiche->SrvSocket->objectName(), "SrvSocket");
}

// Every activation opens the listening socket again; the connections already made go on.
TEST_F(Serveur, EachActivationListensAgainAndKeepsTheConnections)
{
    auto before = Connecte();
    EXPECT_EQ(before->Demande("login jdupont"), "Login OK");
    const int activations = fiche->ActivationCount;
    fiche->FormActivate();
    EXPECT_EQ(fiche->ActivationCount, activations + 1);
    const int again = fiche->PortEcoute().toInt();
    ASSERT_GT(again, 0);
    port = again;
    auto after = Connecte("127.0.0.2");
    EXPECT_EQ(after->Demande("time"), "Time 0");
    EXPECT_EQ(before->Demande("passw pw"), "Passw OK");
    EXPECT_EQ(fiche->SrvSocket->CountClients(), 2);
}

TEST_F(Serveur, ConnectionsAreLoggedAndHaveOneEntryPerAddress)
{
    auto a = Connecte();
    const QString clientPort = QString::number(a->LocalPort());
    EXPECT_EQ(Log(), QStringList({"Client connecté  Remote: 127.0.0.1/" + clientPort + " Local: 127.0.0.1/"
                                      + QString::number(port),
                                  "Il y a actuellement 1 clients connectés."}));
    EXPECT_EQ(a->Demande("login jdupont"), "Login OK");
    EXPECT_EQ(a->Demande("hostn PC1"), "Host OK");
    EXPECT_EQ(Log().mid(2), QStringList({"Login : jdupont", "Poste : PC1"}));

    // A second connection from the address shares its entry, and the first to go deletes it.
    clock.Advance(90);
    auto b = Connecte();
    EXPECT_EQ(fiche->ListeConnexions.size(), 1);
    EXPECT_EQ(b->Demande("verif"), "127.0.0.1\tjdupont\t\tPC1");
    clock.Advance(65);
    a->Ferme();
    ASSERT_TRUE(PumpUntil([&] { return fiche->SrvSocket->CountClients() == 1; }));
    EXPECT_TRUE(fiche->ListeConnexions.isEmpty());
    // The duration counts from the latest connection of any workstation.
    EXPECT_EQ(Log().mid(Log().size() - 2),
              QStringList({"Client déconnecté: 127.0.0.1 Durée: 00:01:05", "Actuellement 1 clients connectés."}));
    EXPECT_EQ(b->Demande("time"), "Time 0");
    EXPECT_EQ(b->SansReponse("verif"), "Time 0");
    EXPECT_EQ(b->Demande("connect"), "Connect OK ");
    EXPECT_EQ(fiche->NbTickets, 1);
}

// Every complete line of a read is served in order, a line cut by the network waits for its
// end, and a line too long to be a request is dropped whole.
TEST_F(Serveur, WhatArrivesIsCutIntoLines)
{
    auto poste = Connecte();
    ASSERT_TRUE(poste->Brut("login jdupont\r\npassw pw\r\nhostn PC1\r\nconnect\r\n"));
    EXPECT_EQ(poste->Ligne(), "Login OK");
    EXPECT_EQ(poste->Ligne(), "Passw OK");
    EXPECT_EQ(poste->Ligne(), "Host OK");
    EXPECT_EQ(poste->Ligne(), "Connect OK ");

    ASSERT_TRUE(poste->Brut("ti"));
    PumpFor(30);
    ASSERT_TRUE(poste->Brut("me\r"));
    EXPECT_EQ(poste->Ligne(), "Time 0");
    ASSERT_TRUE(poste->Brut("\nverif\nti"));
    EXPECT_TRUE(poste->Ligne().startsWith("127.0.0.1\tjdupont"));
    ASSERT_TRUE(poste->Brut("me\r\n"));
    EXPECT_EQ(poste->Ligne(), "Time 0");

    ASSERT_TRUE(poste->Brut("login " + QByteArray(2000, 'x') + "\r\ntime\r\n"));
    EXPECT_EQ(poste->Ligne(), "Time 0");
    ASSERT_TRUE(poste->Brut("login " + QByteArray(900, 'y')));
    PumpFor(30);
    ASSERT_TRUE(poste->Brut(QByteArray(900, 'y')));
    PumpFor(30);
    ASSERT_TRUE(poste->Brut("y\r\ntime\r\n"));
    EXPECT_EQ(poste->Ligne(), "Time 0");

    // "time" and "quit" in one read: both are served.
    clock.Advance(3 * 60);
    ASSERT_TRUE(poste->Brut("time\r\nquit\r\n"));
    EXPECT_EQ(poste->Ligne(), "Time 3");
    EXPECT_EQ(poste->Ligne(), "DUPONT bye ");
    EXPECT_EQ(Ticket(1)[8], "10:33");
}

// A peer that sends without end keeps no more than a line's worth, and the others are served
// meanwhile.
TEST_F(Serveur, AFloodWithoutLineEndCostsBoundedMemory)
{
    auto flood = Connecte("127.0.0.2");
    auto other = Connecte("127.0.0.3");
    auto* held = static_cast<TClientPoste*>(fiche->SrvSocket->ClientAt(0));
    std::atomic<bool> sent{false};
    std::thread sender([&] {
        const QByteArray block(64 * 1024, 'z');
        for (int i = 0; i < 64; ++i)
            flood->Brut(block);
        sent = true;
    });
    int served = 0;
    while (!sent && served < 1000) {
        EXPECT_EQ(other->Demande("time"), "Time 0");
        EXPECT_LE(held->Trame.Retenus(), TrameLignes::LongueurMax);
        ++served;
    }
    PumpUntil([&] { return bool(sent); });
    sender.join();
    EXPECT_GT(served, 0);
    EXPECT_TRUE(PumpUntil([&] { return held->Trame.Retenus() == 0 && held->RcvdCount() == 0; }));
    // The flood ends with a line end: what follows is a request again.
    EXPECT_EQ(flood->Demande("\r\ntime"), "Time 0");
}

// A peer that asks without reading the replies is cut off once they pile up, and the others are
// served meanwhile.
TEST_F(Serveur, APeerThatDoesNotReadIsCutOff)
{
    auto other = Connecte("127.0.0.3");
    auto greedy = Connecte("127.0.0.2");
    // Each "verif" brings back the long name: far more than the system holds for the connection.
    EXPECT_EQ(greedy->Demande("login " + QByteArray(255, 'n')), "Login NAK");
    std::atomic<bool> stopped{false};
    std::thread asker([&] {
        QByteArray requests;
        for (int i = 0; i < 1000; ++i)
            requests += "verif\r\n";
        while (greedy->Brut(requests)) {
        }
        stopped = true;
    });
    bool cut = false;
    for (int i = 0; i < 2000 && !cut; ++i) {
        EXPECT_EQ(other->Demande("time"), "Time 0");
        cut = fiche->SrvSocket->CountClients() == 1;
    }
    EXPECT_TRUE(cut);
    EXPECT_TRUE(PumpUntil([&] { return bool(stopped); }, 20000));
    asker.join();
    EXPECT_EQ(other->Demande("time"), "Time 0");
}

// A peer gone while its request is served costs nothing to the others, and raises no box.
TEST_F(Serveur, APeerGoneMidRequestIsSkipped)
{
    auto other = Connecte("127.0.0.3");
    for (int i = 0; i < 20; ++i) {
        auto gone = Connecte("127.0.0.2");
        gone->Brut("login jdupont\r\npassw pw\r\ntime\r\nverif\r\n");
        gone->Reset();
        EXPECT_EQ(other->Demande("time"), "Time 0");
    }
    EXPECT_TRUE(PumpUntil([&] { return fiche->SrvSocket->CountClients() == 1; }));
    EXPECT_EQ(fiche->SrvSocket->State(), wsListening);
}

}  // namespace
