#pragma once
// Tandel's only window: frameless and on top of the others, a login page and a session page.
// It speaks the workstation protocol with the manager, obeys the manager's commands, locks the
// desktop outside a session and applies the machine's settings during one.
#include <QString>
#include <QWidget>
#include "platform/workstation/workstation.h"
#include "ui_tmain.h"
#include "wsocket/wsocket.h"

class QTimer;

class TMain : public QWidget, public Ui::TMain {
    Q_OBJECT

public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    // --- where the server is, and the limits -------------------------------------------------
    QString FichierServeur = QStringLiteral("Tandel.ini");  // in the working folder
    QString Port = QStringLiteral("25201");
    // Every wait for the server (a connection, a reply, a flush before closing) ends after this
    // many milliseconds.
    int DelaiServeur = 30000;

    TWSocket* CliSocket = nullptr;
    QTimer* Timer1 = nullptr;

    // --- session state -----------------------------------------------------------------------
    QString Reponse;
    QString RepLogin, RepPassw, RepHost, RepConnect;
    QString ConfigPoste;
    QString AdresseServeur = QStringLiteral("localhost");
    QString UtiliserDns = QStringLiteral("N");
    QString NomServeur;
    bool FermetureAutorisee = true;
    // The program was told to end (by the manager's "Close" or its own close).
    bool Termine() const;
    bool SequenceEnCours() const { return sequenceEnCours_; }
    bool Deplacement() const { return deplacement_; }

    // --- the protocol ------------------------------------------------------------------------
    enum class Attendu { Reponse, Delai, Coupure, Interrompu };
    // Sends one line, connecting first when needed; false when it was dropped.
    bool Send(const QString& line);
    // Waits for the next reply value: it came, the limit passed, the connection closed, or
    // the session or the program ended meanwhile.
    Attendu Attente();
    void ProcessCommand(QString line);
    static QString NomPoste();

    void Button2Click();  // "OK": the login sequence
    void Timer1Timer();
    void Button3Click();  // "Déconnexion"
    void Button1Click();  // hidden "Annuler"
    void FinSession();
    void Fincli();
    void FinNak(const QString& text);
    void SpeedButton1Click();  // "--"

    // --- desktop, programs, settings -----------------------------------------------------------
    void ProcessConfig();
    void CacheBureau();
    void MontreBureau();
    void Minimiser();
    void Autorun();
    void notAutorun();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void Reboot();
    void Arret();
    void SetIpAdr();
    void ChargeIni();
    void SauveIni();
    // Whether an address read from the settings file may be used.
    static bool AdresseUtilisable(const QString& address);

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void FormActivate();
    bool FormCloseQuery() const { return FermetureAutorisee; }
    void FormClose();
    void CliSocketDataAvailable();
    void CliSocketSessionConnected(int Error);
    void CliSocketSessionClosed();
    void CliSocketDnsLookupDone(int Error);
    void Terminer();
    // The common end of the sessions, from the close of the connection on.
    void FinConnexion(bool keepStatus);
    void FermeConnexion();
    void AuPremierPlan(bool onTop);
    void Lance(int button);
    enum class Sequence { Complete, Echec, Abandon };
    Sequence SequenceConnexion();
    // After the sequence: the settings applied, the session page, then each refusal.
    void OuvreSession();

    workstation::Program programmes_[4];
    bool premierAffichage_ = true;
    bool termine_ = false;
    bool sequenceEnCours_ = false;
    bool sequenceAbandonnee_ = false;
    bool connexionPerdue_ = false;
    bool resteIgnore_ = false;  // the tail of a line cut at the receive limit is being dropped
    bool adresseOuverte_ = false;
    bool deplacement_ = false;
    QPoint origineDeplacement_;
};
