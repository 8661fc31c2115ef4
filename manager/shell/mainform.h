#pragma once
// The main window: an MDI frame around the card-file window, with the menus, the toolbar and the
// status bar. Every command acts on the saved set, on the program, or calls one operation of the
// card file; which commands are enabled follows the page the card file shows.
#include <QHash>
#include <QMainWindow>
#include "ui_mainform.h"

class QLabel;
class QMdiSubWindow;
class QTimer;
class TFiche;

class TMainForm : public QMainWindow, public Ui::MainForm {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Takes the card-file window in as the one MDI child, frameless and maximised.
    void SetFiche(TFiche* fiche);
    TFiche* Fiche = nullptr;

    // ---- form events ----------------------------------------------------------------------------
    void FormShow();
    void FormResize();
    // False when the operator keeps the window open (Cancel at the save prompt).
    bool FormCloseQuery();
    void FormClose();
    void Timer1Timer();
    void ShowHint(const QString& hint);

    // ---- the saved set --------------------------------------------------------------------------
    void Bouveau1Click();
    void OpenItemClick();
    void SaveItemClick();
    // False when no set was written (dialog cancelled, existing file kept, or the save failed).
    bool SaveAs();

    // ---- command enabling: Valide for the commands that need an open set, Valide1 .. Valide7
    // for the pages customers, invoices, articles, machines, cash register, room and history ----
    void Valide();
    void Valide1();
    void Valide2();
    void Valide3();
    void Valide4();
    void Valide5();
    void Valide6();
    void Valide7();

    // A command of the menus or of the toolbar by its objectName (a submenu answers the item
    // that opens it); null for a name the form does not have.
    QAction* Command(const QString& name) const;

    QString NomFichier;       // main file of the open set; empty for a set without a name
    QString RepertoireAppli;  // the working folder at start: settings files and help live there
    QTimer* Timer1 = nullptr;
    QLabel* StatusPanel[2] = {};

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectCommands();
    void BuildSelectionGroups();
    // False when the command that asked must stop.
    bool SavePrompt();
    void ApplyEnabling(int call);
    void Select(QAction* item);
    void Supprimerfiche1Click();
    void Importer1Click();   // then all customers, the first one shown
    void Dmarrerautomatiquement1Click();
    void Ouvrirautomatiquement1Click();

    QHash<QString, QAction*> commands_;
    QMdiSubWindow* ficheWindow_ = nullptr;
};

// The one main window, for the card file's callers that reach back into it.
extern TMainForm* MainForm;
