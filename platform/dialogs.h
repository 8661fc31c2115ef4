#pragma once
// Every modal question of the programs goes through one service: real Qt dialogs in the
// programs, a scripted responder in tests (which fails the test on a dialog it did not expect).
#include <QString>
#include <initializer_list>

class QDialog;
class QFont;
class QWidget;

namespace platform {

enum MsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum MsgDlgBtn { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64 };
// What the print dialog of a document offers and answers: its pages run from minPage to
// maxPage; the range chosen comes back in fromPage and toPage, both 0 when every page was asked
// for. Without pageEntry the dialog offers no page numbers, and every page is printed.
struct PrintRange {
    int fromPage = 0, toPage = 0;
    int minPage = 1, maxPage = 1;
    bool pageEntry = false;
};

enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class DialogService {
public:
    virtual ~DialogService() = default;
    // A box with an icon for its type and the buttons given (a mask of MsgDlgBtn). Answers the
    // ModalResult of the button pressed; Esc or the title bar's close answer mrCancel.
    virtual int messageDlg(const QString& text, MsgDlgType type, int buttons) = 0;
    // A plain box with the application's title and one OK button.
    virtual void showMessage(const QString& text) = 0;
    // Answers the text typed, or `def` when cancelled.
    virtual QString inputBox(const QString& caption, const QString& prompt, const QString& def) = 0;
    // Filters are given as "Text (*.ext)|*.ext|Other (*.x)|*.x". Answers the path chosen, or an
    // empty text when cancelled.
    virtual QString openFile(const QString& filter, const QString& fileName = {}, const QString& title = {}) = 0;
    virtual QString saveFile(const QString& filter, const QString& fileName = {}, const QString& title = {},
                             const QString& defaultExt = {}) = 0;
    // A save dialog whose filter chooses the type of file written: `filterIndex` (0 for the first
    // filter) comes in as the type offered and goes back as the type chosen, and a name typed
    // without extension gets the chosen type's ("Export" as the second type of "...|*.txt|
    // ...|*.csv" gives "Export.csv"). Answers the path chosen, or an empty text when cancelled. A
    // service without it asks with saveFile and answers the type offered.
    virtual QString saveFileOfType(const QString& filter, const QString& fileName, [[maybe_unused]] int& filterIndex)
    {
        return saveFile(filter, fileName);
    }
    // The printer set-up dialog; true when closed with OK.
    virtual bool printerSetup() = 0;
    // The print dialog before a job on the process's printer; true when closed with OK (the
    // printer then holds what was chosen). A service without it answers as cancelled.
    virtual bool printDialog() { return false; }
    // The same for a document of the pages `range` describes.
    virtual bool printDialogFor(PrintRange& range) { return false; }
    // The font dialog preset with `font`; true when closed with OK, `font` then holding the font
    // chosen. A service without it answers as cancelled.
    virtual bool fontDialog(QFont& font) { return false; }
    // Shows one of the programs' own modal windows and answers its result (QDialog::Accepted
    // or Rejected). Tests receive the dialog and act on its controls instead.
    virtual int exec(QDialog* dialog) = 0;
};

DialogService& Dialogs();
// Installs another service (tests); nullptr goes back to the real dialogs. The service is not
// owned.
void SetDialogs(DialogService* service);

// The names the card file and the shell use.
int MessageDlg(const QString& text, MsgDlgType type, int buttons);
void ShowMessage(const QString& text);
QString InputBox(const QString& caption, const QString& prompt, const QString& def);

}  // namespace platform
