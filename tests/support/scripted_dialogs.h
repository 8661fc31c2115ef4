#pragma once
// The scripted responder: a test states, in order, the dialogs it expects and how each is
// answered. A dialog that was not expected, or that differs from the next expectation, fails the
// test (and is answered as cancelled); expectations left over at the end fail it too.
#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include "platform/dialogs.h"

class QDialog;

class ScriptedDialogs : public platform::DialogService {
public:
    ScriptedDialogs();            // installs itself as the dialog service
    ~ScriptedDialogs() override;  // uninstalls itself; fails the test if expectations remain

    // A message box (messageDlg or showMessage) whose text equals `text`, answered `answer`
    // (a platform::ModalResult; showMessage takes mrOk).
    ScriptedDialogs& message(const QString& text, int answer = platform::mrOk);
    // An input box with this caption, answered with `answer`; cancel() answers its default.
    ScriptedDialogs& input(const QString& caption, const QString& answer);
    ScriptedDialogs& inputCancel(const QString& caption);
    // An open or save dialog, answered with a path (empty = cancelled). A save dialog that lets
    // the file's type be chosen (saveFileOfType) answers `filterIndex` as the type chosen (0 for
    // the first filter); `offered`, when given, receives the name and the type the dialog offered.
    ScriptedDialogs& open(const QString& path);
    ScriptedDialogs& save(const QString& path, int filterIndex = 0,
                          std::function<void(const QString& fileName, int filterIndex)> offered = {});
    ScriptedDialogs& printerSetup(bool ok);
    // The print dialog, closed with OK or cancelled. Before a document of pages, `range` (when
    // given) sees what the dialog offers and leaves in it the answer; without it the answer is
    // every page, as Qt reports it (pages 0 to 0).
    ScriptedDialogs& print(bool ok, std::function<void(platform::PrintRange&)> range = {});
    // The font dialog: `check` (when given) sees the font it was preset with; the answer is
    // `chosen`, or cancelled when fontCancel.
    ScriptedDialogs& font(const QFont& chosen, std::function<void(const QFont&)> check = {});
    ScriptedDialogs& fontCancel();
    // One of the programs' modal windows, by its class name (metaObject()->className()): the
    // script acts on its controls (types, clicks OK or Annuler...); exec answers the dialog's
    // result once the script has run. The dialog is shown while its script runs; one the script
    // leaves open is closed as by the title bar (reject()).
    ScriptedDialogs& dialog(const QString& className, std::function<void(QDialog*)> script);

    // Everything shown so far, one line each ("message: <text>", "input: <caption>", ...).
    QStringList shown;
    bool done() const { return expected_.empty(); }

    int messageDlg(const QString& text, platform::MsgDlgType type, int buttons) override;
    void showMessage(const QString& text) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& def) override;
    QString openFile(const QString& filter, const QString& fileName, const QString& title) override;
    QString saveFile(const QString& filter, const QString& fileName, const QString& title,
                     const QString& defaultExt) override;
    QString saveFileOfType(const QString& filter, const QString& fileName, int& filterIndex) override;
    bool printerSetup() override;
    bool printDialog() override;
    bool printDialogFor(platform::PrintRange& range) override;
    bool fontDialog(QFont& font) override;
    int exec(QDialog* dialog) override;

private:
    struct Expectation {
        QString kind;      // "message", "input", "open", "save", "printer", "print", "font", "dialog"
        QString key;       // text, caption or class name
        QString answer;
        int result = 0;
        bool cancel = false;
        std::function<void(QDialog*)> script;
        QFont font;
        std::function<void(const QFont&)> fontCheck;
        std::function<void(const QString&, int)> saveOffered;
        std::function<void(platform::PrintRange&)> range;
    };
    Expectation& add(const QString& kind, const QString& key = {});
    Expectation* next(const QString& kind, const QString& key, const QString& shownLine);
    std::deque<Expectation> expected_;
    Expectation current_;
    platform::DialogService* previous_ = nullptr;
};
