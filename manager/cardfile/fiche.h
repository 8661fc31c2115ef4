#pragma once
// The card-file window: every record of the open saved set, one card of one kind at a time, and
// the operations of the whole card file. One class, one source file per concern; the sections
// below name the file that implements them (fiche.cpp: the window itself; fiche_records.cpp, ...).
//
// The pages' controls come from one form per page (fiche_*.ui beside this file); the window
// inherits each page's generated Ui class so that the code names controls as the forms do
// (Edit1, StringGrid2, ...). It inherits the settings' value groups (manager/cardfile/core/
// settings.h) the same way: the operations name each value as they always have (TarifHeure,
// LignesSociete...), and a parameter dialog takes and gives back its whole group.
#include <QByteArray>
#include <QSet>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>
#include "manager/cardfile/core/invoice_totals.h"
#include "manager/cardfile/core/recordlist.h"
#include "manager/cardfile/core/settings.h"
#include "platform/rtl.h"
#include "ui_fiche.h"
#include "ui_fiche_articles.h"
#include "ui_fiche_caisse.h"
#include "ui_fiche_clients.h"
#include "ui_fiche_factures.h"
#include "ui_fiche_postes.h"

class QLineEdit;
class QMenu;
class QMdiSubWindow;
class TClientPoste;
class TravailImpression;
class TWSocket;
class TWSocketClient;
class TWSocketServer;

class TFiche : public QWidget,
               public Ui::Fiche,
               public Ui::FicheClients,
               public Ui::FicheFactures,
               public Ui::FicheArticles,
               public Ui::FichePostes,
               public Ui::FicheCaisse,
               public settings::IniValues,
               public settings::CompanyLines {
    Q_OBJECT

public:
    explicit TFiche(QWidget* parent = nullptr);
    ~TFiche() override;

    // ---- the window (fiche.cpp) ---------------------------------------------------------------
    void FormCreate();
    void FormDestroy();
    // Runs when the window becomes the active MDI child (see SubWindowActivating), not on every
    // activation of the application's windows.
    void FormActivate();
    void FormResize();
    // Navigation keys wherever the focus is on a card; the key becomes Qt::Key_Clear once used,
    // and the control that had it never sees it.
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    void Articles();
    // Right-justifies a text for a column `width` pixels wide, measured with the window's font.
    QString Rset(const QString& text, int width) const;
    // Puts the navigation keys on a control created after the window (a grid's cell editor).
    void BindKeys(QWidget* control);
    // The room view's pop-up menu (its one item is the form's action Historique1).
    QMenu* PopupMenu1 = nullptr;

    // ---- block records and list maintenance (fiche_records.cpp) -------------------------------
    // The five record kinds in the order of their pages (TabSheet1..TabSheet5) and of the
    // numbered family members (Renum, Renum2 ... Renum5).
    enum Kind { KClient, KFacture, KArticle, KPoste, KTicket, KindCount };
    // Everything that tells one record kind from another; the family operations are written
    // once over it.
    struct RecordKind {
        QWidget* TFiche::*page;
        RecordList TFiche::*list;
        int TFiche::*count;
        int TFiche::*index;
        bool TFiche::*modified;
        int capacity;                     // blocks the list may hold (numbers 0 .. capacity-1)
        void (TFiche::*writer)();
        void (TFiche::*reader)();
        int (TFiche::*nextCode)();
        QLineEdit* TFiche::*codeEdit;     // null for invoices: their number is not a plain code
        QLineEdit* TFiche::*focus;        // the first text field of the card
    };
    static const RecordKind& KindOf(Kind k);
    // The kind of the active page; false on the room and history pages.
    bool CurrentKind(Kind& k) const;
    RecordList& ListOf(Kind k) { return this->*KindOf(k).list; }

    void Ajout();
    void Supprime();
    // The common part of the five card writers: replaces the block of the kind's current index
    // by start tag + fieldLines + end tag (in place, or at the end for invoices) and sets
    // DoitSauver. The writer has checked its modified flag before.
    void RewriteBlock(Kind k, const QStringList& fieldLines);
    // The checks and repairs of a freshly loaded list (Verif, then Doublons) and the trimming of
    // a list about to be saved (Squize).
    void CheckLoaded(Kind k);
    void TrimForSave(Kind k);

    void Renum();
    void Renum2();
    void Renum3();
    void Renum4();
    void Renum5();
    void Squize();
    void Squize2();
    void Squize3();
    void Squize4();
    void Squize5();
    void SupBloc(int n);
    void SupBloc2(int n);
    void SupBloc3(int n);
    void SupBloc4(int n);
    void SupBloc5(int n);
    void Doublons();
    void Doublons2();
    void Doublons3();
    void Doublons4();
    void Doublons5();
    void Verif();
    void Verif2();
    void Verif3();
    void Verif4();
    void Verif5();

    // The families written once over the kind (the numbered members above call these).
    void RenumberAfterDelete(Kind k);
    void DropLinesBeforeFirstBlock(Kind k);
    void RemoveBlock(Kind k, int n);
    void RemoveDuplicates(Kind k);
    void RebuildIfUnbalanced(Kind k);

    // ---- the cards' common engine (fiche_cartes.cpp) -------------------------------------------
    // Connects the handlers of the customer, machine and cash-ticket cards; the constructor
    // calls it once.
    void ConnectCards();
    // Lines of the block shown on a card that the card has no place for (past the lines a card
    // reads, more rows than its grid has, lines of no kind it knows): kept when the card is read
    // and written back unchanged with it.
    QStringList KeptLines[KindCount];

    // ---- customers (fiche_clients.cpp) --------------------------------------------------------
    void EcritFiche();
    void LitFiche();
    int Numerom();   // sets ProchainClient and answers it
    // The card's handlers: any change marks the card modified (Edit1Change, StringGrid6KeyPress);
    // a new password; the login must be unique; minutes left follow total minutes; the amount
    // fields; the history line; leaving the page writes the card.
    void Edit1Change();
    void StringGrid6KeyPress(QChar& key);
    void GenPasse();
    void Edit11Exit();
    void Edit13Exit();
    void Edit15KeyPress(QChar& key);   // also the key filter of Edit44
    void Edit15Enter();
    void Edit15Exit();
    void SpeedButton1Click();
    void TabSheet1Exit();

    // ---- copy and paste of cards (fiche_presse.cpp) --------------------------------------------
    void Copier();
    void Coller();

    // ---- invoices (fiche_factures.cpp; totals and validation fiche_facturation.cpp) ------------
    void Facture();
    void EcritFact();
    void LitFact();
    int Numerof();   // sets ProchainFacture and answers it
    bool Validef();
    void NouvFact();
    void Button1Click();   // customer pick
    void Button2Click();   // "Créer"
    void ChercheFact();
    void MaskEdit3KeyPress(QChar& key);
    void DateTimePicker1Change();   // the change handler of the card's fields
    void StringGrid2Enter();
    void StringGrid2Exit();
    void StringGrid2KeyPress(QChar& key);
    void StringGrid2Click();   // article pick into a line
    void SupLigne1();
    void TabSheet2Exit();
    void Calculef();
    void CalculHT1();
    void CalculTTC1();
    void Button3Click();   // "Valider"
    // The grid's lines as the totals read them, with the prices as typed.
    std::vector<invoice::LineText> LignesFacture() const;
    invoice::PriceMode ModePrix() const;
    // The main window's "Supprimer ligne" follows the focus of the invoice grid.
    std::function<void(bool)> ActiveSupprimerLigne;
    // The invoice's part of the card: a new block's number, the validated lock, the open cell
    // editor, and the prices typed that their cells show rounded.
    bool NouveauBloc();
    void MontreFactureValidee(bool valide);
    invoice::Totals MontreTotaux(invoice::PriceMode mode);
    void FermeEditeurFacture();
    std::optional<double> PrixRetenu(int row) const;
    QString PrixExact(int row, const QString& cell) const;
    void OublieLesPrix();
    void DeplacePrix(int from, int to);

    // ---- articles (fiche_articles.cpp) --------------------------------------------------------
    void EcritArt();
    void LitArt();
    int Numeroa();   // sets ProchainArticle and answers it
    // The card's handlers: any change marks the card modified; the price field, trimmed while it
    // is edited and shown formatted after; the history line; leaving the page writes the card.
    void Edit38Change();
    void SpeedButton3Click();
    void Edit39Enter();
    void Edit39Exit();
    void TabSheet3Exit();

    // ---- machines (fiche_postes.cpp) ----------------------------------------------------------
    void Machines();
    void EcritPoste();
    void LitPoste();
    int Numerop();   // sets ProchainPoste and answers it
    void Edit16Change();
    void SpeedButton2Click();
    void TabSheet4Exit();

    // ---- cash tickets (fiche_caisse.cpp) ------------------------------------------------------
    void Caisse();
    void EcritCaisse();
    void LitCaisse();
    int Numeroc();   // sets ProchainTicket and answers it
    void Edit28Change();
    void Edit37Enter();
    void Edit37Exit();
    void Edit42Enter();
    void Edit42Exit();
    void TabSheet5Exit();

    // ---- the saved set (fiche_ensemble.cpp) ---------------------------------------------------
    // Writes every edited card into its block and answers whether the set differs from its files.
    void TestModif(bool& modified);
    // Loads the set whose customer file is `path`; a file of the set that is missing gives an
    // empty list of its kind. False when a file of the set is there but could not be read: the
    // operator was told and nothing changed.
    bool Charge(const QString& path);
    void ChargeArt();
    void ChargeFact();
    void ChargePoste();
    void ChargeCaisse();
    // The four sibling paths from CheminFichier: its last three characters replaced by "fct",
    // "stk", "pst" and "cai".
    void Synchro();
    // Saves the set under `path` when it must be saved, all five files or none. False when a file
    // could not be written: the error has been shown, the files on disk are as they were, and
    // DoitSauver and CheminFichier keep their values. True when saved, or when nothing was to save.
    bool Sauve(const QString& path);
    // The next Sauve writes even when nothing changed (save as).
    void SetSauve();
    void Nouveau();

    // ---- settings files (fiche_settings.cpp) --------------------------------------------------
    // "Velmora.ini", "Velmora.soc" and "Velmora.cbx" in the working folder. A missing file leaves
    // the values as they are; a file that cannot be written is skipped without a message.
    void ChargeIni();
    void SauveIni(const QString& path);   // `path` is written as the last set (line 1)
    void ChargeSoc();
    void SauveSoc();
    void ChargeCombo();
    void SauveCombo();
    void GetIni(bool& openAuto, QString& path, int& mode);
    void SetIni(bool openAuto);
    // Millimetres to printer pixels, across and down (every vertical position 3 mm lower).
    int Mh(int mm);
    int Mv(int mm);
    // The printer's printable page in pixels and in millimetres, as Mh and Mv read it.
    struct GeometrieImprimante {
        int LargeurPixels, HauteurPixels, LargeurMm, HauteurMm;
    };
    // Tests hand in a page of their own; an empty function goes back to the process's printer.
    static void SetGeometrieImprimante(std::function<GeometrieImprimante()> source);

    // ---- parameter dialogs (fiche_parametres.cpp) ----------------------------------------------
    // Each hands its dialog the values in memory and takes the answers back only as the dialog
    // allows (OK, or always for the pick-list editor); the files follow at the main window's close.
    void ParM();           // page setup: paper type, envelope orientation and guide
    void Psoc();           // company lines 1 to 7
    void TrTexte();        // the letter editor, with company lines 1 to 4 as a new letter's heading
    void Tarification();   // tariffs and subscription hours; then the customer card is read again
    void ParF();           // VAT rates, decimals, currency, payment modes; amount format and captions
    void FamArt();         // the article families (ComboBox9)
    void Fournisseurs();   // the suppliers (ComboBox10)

    // ---- desk tools on the card file's data (fiche_bureau.cpp) ---------------------------------
    void Messages();   // the phone-message cards of the open set, saved when the window closes
    void Devises();    // the currency converter on the rates of "Velmora.ini"

    // ---- navigation and selections (fiche_navigation.cpp) -------------------------------------
    // The four moves and the selection setters, written once over the kind; the named members
    // below hand their kind or move to these.
    enum Move { MFirst, MLast, MNext, MPrevious };
    void Navigate(Move move);
    void SetSelection(Kind k, int mode);
    void SetSel(int mode);
    void SetArt(int mode);
    void SetFact(int mode);
    void SetPoste(int mode);
    void SetCaisse(int mode);
    void Clients();
    void Premier();
    void Dernier();
    void Suivant();
    void Precedent();
    void Liste();

    // ---- search and sort (fiche_recherche.cpp) --------------------------------------------------
    // Each acts on the active page when its kind has the search, and does nothing elsewhere: the
    // first record whose field begins with the text asked for becomes current.
    void RechNom();     // customers, articles, machines: by name, designation, computer name
    void RechNum();     // customers, articles: by code
    void RechTel();     // customers: by telephone
    void RechLogin();   // customers: by login
    // Sorts all customers (TTri) or all articles (TTri3) by the key chosen and renumbers them.
    void Trier();

    // ---- import and export (fiche_echange.cpp) ------------------------------------------------
    // Customers come in from ".txt" (TAB) or ".csv" (';') text, one customer a line; the active
    // page's records go out in the same two forms. The files are Windows-1252 with CR LF.
    void Importer();
    void ImportTxt(const QString& FileName);
    void ImportCsv(const QString& FileName);
    void Exporter();
    void ExportTxt(const QString& FileName);
    void ExportCsv(const QString& FileName);

    // ---- starting with the session (fiche_start.cpp) -------------------------------------------
    // The flag "Démarrer automatiquement" (DemarrageAuto) and the autostart entry "Velmora" that
    // runs this program in its working folder.
    // The program's working folder, where its settings files are and where the autostart entry
    // starts it: handed in by the main window that holds the card file (the current folder when
    // none was).
    std::function<QString()> WorkingFolder;
    void GetStart(bool& flag) const;
    void SetStart(bool flag);
    void Autorun();
    void notAutorun();

    // ---- ticket timing and pricing (fiche_chrono.cpp) ------------------------------------------
    // Minutes from the start and end times into Edit36 (an end before the start is next day's).
    void Temp();
    // The time price of Edit36's minutes into Edit37 (empty for a subscriber).
    void Calcule();
    // The detail amounts, the details total (Label63) and the ticket's price: time plus details.
    void Calculec();
    void SpeedButton4Click();    // customer pick
    void SpeedButton5Click();    // machine pick
    void SpeedButton6Click();    // "Démarrer chrono"
    void SpeedButton7Click();    // "Arrêter chrono"
    void MaskEdit7Exit();
    void Edit36Exit();
    // The amount fields' key filter (Edit37, Edit42, Edit43, the article price Edit39).
    void Edit42KeyPress(QChar& key);
    void StringGrid5KeyPress(QChar& key);
    // The article of that code into the current detail row.
    void Button11(const QString& code);
    void SpeedButton8Click();    // the three quick buttons
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton11Click();   // "Autres"
    void Boutons1();
    // Connects the handlers above and "Valider"; the constructor calls it once.
    void ConnectPricing();

    // ---- booking a ticket onto its customer (fiche_validation.cpp) ----------------------------
    void Button5Click();

    // ---- workstation server (manager/server/fiche_serveur.cpp, fiche_protocole.cpp,
    //      fiche_session.cpp, fiche_salle.cpp) ---------------------------------------------------
    // What the requests of one peer address recorded. The fields are replaced, never appended:
    // a new "login" starts the entry again after its address.
    struct EntreeConnexion {
        QString Adresse;
        QString Login;             // as typed; "vimor" for the anonymous login
        QString MotDePasse;        // the customer's password, "zakul" for the anonymous login
        QString Poste;             // the computer name given by "hostn"
        bool LoginDonne = false;   // a "login" was served
        bool LoginValide = false;  // it named a customer, or it was the anonymous login
        bool Accorde = false;      // and the last "passw" was answered "Passw OK"
        int Ticket = -1;           // block number of the session's ticket, -1 before "connect"
        QString NumeroTicket;      // its "NUMT" number, which finds it again when it moved
        int TicketCherche = -1;    // list size when the ticket was last looked for in vain
        // Address TAB login TAB password TAB host TAB ticket index, as far as the requests came,
        // the password always left empty.
        QString Texte() const;
    };
    // The port a new window listens on; test programs set 0 (a port the system picks) before
    // they create a window, so that they never take the café's port.
    static inline int PortParDefaut = 25201;
    // Creates SrvSocket with its events and connects the room page; the constructor calls it once.
    void ConnectServer();
    void StartServer();
    // The port SrvSocket listens on now, empty when it does not listen.
    QString PortEcoute() const;
    void SrvSocketClientConnect(TWSocketServer* Sender, TWSocketClient* client, int Error);
    void SrvSocketClientDisconnect(TWSocketServer* Sender, TWSocketClient* client, int Error);
    void ClientDataAvailable(TWSocket* Sender, int Error);
    // The bytes of one read of a connection: each complete line is interpreted in turn.
    void Recoit(TClientPoste* client, const QString& ip, const QByteArray& bytes);
    void Interprete(const QString& ip, TWSocketClient* client);
    void ProcessLogin(const QString& ip, const QString& name, TWSocketClient* client);
    void ProcessPassw(const QString& ip, const QString& password, TWSocketClient* client);
    void ProcessHost(const QString& ip, const QString& host, TWSocketClient* client);
    void ProcessVerif(const QString& ip, TWSocketClient* client);
    void ProcessCnx(const QString& ip, TWSocketClient* client);
    void ProcessCfg(const QString& ip, TWSocketClient* client);
    void ProcessTime(const QString& ip, TWSocketClient* client);
    void ProcessQuit(const QString& ip, TWSocketClient* client);
    void AddCli(const QString& ip);
    void SupCli(const QString& ip);
    EntreeConnexion* EntreeDe(const QString& ip);
    // Sends one line (CR LF added) when the connection is still up; a connection that is going
    // is skipped without a word.
    void Envoie(TWSocketClient* client, const QString& line);
    // The connection log (Memo7) and the room view (ListView1).
    void Display(const QString& text);
    void Remplit();
    // The room item of a computer name marked busy (1) or free (0).
    void Marque(const QString& host, char state);
    TWSocketServer* SrvSocket = nullptr;
    // "Le fichier est plein" is being shown for a workstation's request.
    bool PleinAffiche = false;
    // The computer names (lower-cased) of the machines marked busy. Occupation follows them when
    // the machine list changes, so that busy stays with the machine, not with a position.
    QSet<QString> PostesOccupes;
    // The machine list changed (a machine written, deleted, a set loaded or a new one started):
    // the in-use table is laid again over the machines by name and the room is rebuilt.
    void PostesChanges();

    // The room and history pages (manager/server/fiche_vue.cpp): showing them, the room's double
    // click and pop-up menu, printing the log.
    void ConnectSalle();
    void Salle();
    void Historique();
    void ListView1DblClick();
    void Historique1Click();
    void ImpFiche7();
    // The main window's enabling of the cash-register commands (its Valide5), run when the room
    // opens a machine's ticket.
    std::function<void()> ValideCaisse;

    // Remote commands (manager/server/fiche_commandes.cpp): each line goes to every connected
    // workstation, and the workstation that bears the name obeys.
    void FermerClient();
    void FermerSession();
    void EnvoiMsg();
    void Reboot();
    void Arreter();
    void ArreterTous();
    void FermerTous();
    void MsgTous();
    // The computer name a single command is for: the machine card's, the ticket card's, or the
    // one room item selected; empty when there is none.
    QString PosteCible() const;
    void EnvoieATous(const QString& line);

    // ---- statistics and the accounting journal (fiche_stats.cpp) -------------------------------
    // Each walks its list once, shows its window, and leaves the last ticket (or invoice) on its
    // card; a ticket whose figures do not read stops the statistics on that ticket's card.
    void StatsCli();
    void StatsPst();
    void StatsVentes();
    void StatsCaisse();
    void Journal();
    // Shows a text in the first panel of the main window's status bar at once (the walks run on
    // the GUI thread); handed in by the main window.
    std::function<void(const QString&)> AfficheEtat;
    // ---- printing (fiche_impression.cpp: the dispatcher, customers and envelopes;
    //      fiche_impression_postes.cpp: machines and tickets; fiche_impression_articles.cpp: the
    //      article card and the stock list; fiche_impression_factures.cpp: the invoice) --------
    // Every printout draws on the process's canvas (platform/print) through a TravailImpression
    // (impression.h), which ends the job and turns the page back to portrait whatever happens.
    void ImpFiche();     // the current card of the shown page
    void ImpFiche1();    // the customer card
    void ImpCli();       // the customer list
    void ImpEnv();       // one envelope for the card shown (customers or invoices)
    void Enveloppes();   // one envelope per customer
    void ImpFiche4();    // the machine card
    void ImpPostes();    // the machine list
    void ImpFiche5();    // the ticket card
    void ImpFiche3();    // the article card
    void ImpArt();       // the stock list
    void Button4Click(); // the invoice on the card ("Imprimer"), without a print dialog
    void Dessin(TravailImpression& job);    // the invoice's frame, column lines and headings
    void EnTete(TravailImpression& job);    // the company header of plain paper
    void ImpFact(TravailImpression& job);   // the invoice's own data
    // A list of one record kind: the print dialog, then one row per record found, the header on
    // every page. `columns` gives each value's x in mm and its block line; a value with a right
    // edge is trimmed and ends at that edge (mm).
    struct ColonneListe {
        int x;
        int ligne;
        int droite = 0;
    };
    void ImprimeListe(const RecordList& list, int count, void (TFiche::*entete)(TravailImpression&),
                      std::initializer_list<ColonneListe> columns);
    void Entete1(TravailImpression& job);
    void EnTete4(TravailImpression& job);
    void EnTete3(TravailImpression& job);
    // The sender block (company lines 1 to 4) and the recipient's four lines of an envelope.
    void Enveloppe(TravailImpression& job, const QStringList& recipient);

    // ---- further sections are added by the files that implement them --------------------------

public:
    // ---- private state of the card file (public so that the dialogs and the server reach it) --
    RecordList ListeClients{4}, ListeArticles{4}, ListeFactures{4}, ListePostes{4}, ListeTickets{5};
    QList<EntreeConnexion> ListeConnexions;

    int IndexClient = 0, IndexArticle = 0, IndexFacture = 0, IndexPoste = 0, IndexTicket = 0;
    int NbClients = 0, NbArticles = 0, NbFactures = 0, NbPostes = 0, NbTickets = 0;
    int ProchainClient = 0, ProchainArticle = 0, ProchainFacture = 0, ProchainPoste = 0, ProchainTicket = 0;
    bool ModifClient = false, ModifArticle = false, ModifFacture = false, ModifPoste = false, ModifTicket = false;
    bool DoitSauver = false;

    QString CheminFichier, CheminFactures, CheminArticles, CheminPostes, CheminTickets;

    // ModeSelection, the customers' mode, is a setting.
    int ModeSelectionArticles = 0, ModeSelectionFactures = 0, ModeSelectionPostes = 0, ModeSelectionTickets = 0;
    QString SelCodePostal, SelVille, SelFamille, SelFournisseur, SelCodeClient, SelSysteme;

    // The values of "Velmora.ini", the company lines and the invoice currency (ModeDevise,
    // NomDevise) are the inherited IniValues and CompanyLines.
    QString FormatMontant = QStringLiteral("0.00");
    double FrancsParEuro = 6.55957;

    int NbLignesFacture = 0;
    QString FactureValidee;
    QString CodeTVADefaut = QStringLiteral("1");
    bool GrilleFactureActive = false;

    int NbLignesTicket = 0;
    QString TicketValide;

    QString PortServeur = QStringLiteral("25201");
    QString DerniereLigne;
    QByteArray Occupation = QByteArray(256, '\0');
    rtl::TDateTime HeureConnexion = 0;

    // The internal clipboard: one group of strings per record kind, never saved.
    struct {
        QStringList Client, Article, Facture, Poste, Ticket;
    } PressePapiers;

    // ---- test seams (the program never sets these) --------------------------------------------
    // When set, the navigation keys hand the operation they would run to this function instead
    // of running it.
    std::function<void(void (TFiche::*)())> NavigationSpy;
    // How many times FormActivate ran.
    int ActivationCount = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SubWindowActivating();
    void ChildActivated(QMdiSubWindow* child);
    void AlignInvoiceLines();
    QMdiSubWindow* subWindow_ = nullptr;
    bool activeChild_ = false;
};

// Takes the text before the first TAB out of s (s keeps at most 255 characters after it); a text
// without TAB is taken whole and s becomes empty.
QString ExtraitChamp(QString& s);
