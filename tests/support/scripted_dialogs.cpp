#include "scripted_dialogs.h"

#include <gtest/gtest.h>
#include <QDialog>

using namespace platform;

namespace {

QString Describe(const QString& kind, const QString& key)
{
    return key.isEmpty() ? kind : kind + QStringLiteral(": ") + key;
}

// The button a scripted answer stands for; Esc (mrCancel) is always possible.
int ButtonOf(int result)
{
    switch (result) {
    case mrOk: return mbOK;
    case mrYes: return mbYes;
    case mrNo: return mbNo;
    case mrAbort: return mbAbort;
    case mrRetry: return mbRetry;
    case mrIgnore: return mbIgnore;
    default: return 0;
    }
}

}  // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(&Dialogs())
{
    SetDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (!expected_.empty()) {
        QStringList left;
        for (const auto& e : expected_)
            left << Describe(e.kind, e.key);
        ADD_FAILURE() << "dialogs expected but never shown: " << left.join(QStringLiteral(" | ")).toStdString()
                      << "\nshown: " << shown.join(QStringLiteral(" | ")).toStdString();
    }
    SetDialogs(previous_);
}

ScriptedDialogs::Expectation& ScriptedDialogs::add(const QString& kind, const QString& key)
{
    Expectation& e = expected_.emplace_back();
    e.kind = kind;
    e.key = key;
    return e;
}

ScriptedDialogs& ScriptedDialogs::message(const QString& text, int answer)
{
    add(QStringLiteral("message"), text).result = answer;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::input(const QString& caption, const QString& answer)
{
    add(QStringLiteral("input"), caption).answer = answer;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::inputCancel(const QString& caption)
{
    add(QStringLiteral("input"), caption).cancel = true;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::open(const QString& path)
{
    add(QStringLiteral("open")).answer = path;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::save(const QString& path, int filterIndex,
                                       std::function<void(const QString&, int)> offered)
{
    Expectation& e = add(QStringLiteral("save"));
    e.answer = path;
    e.result = filterIndex;
    e.saveOffered = std::move(offered);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::printerSetup(bool ok)
{
    add(QStringLiteral("printer")).cancel = !ok;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::print(bool ok, std::function<void(platform::PrintRange&)> range)
{
    Expectation& e = add(QStringLiteral("print"));
    e.cancel = !ok;
    e.range = std::move(range);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::font(const QFont& chosen, std::function<void(const QFont&)> check)
{
    Expectation& e = add(QStringLiteral("font"));
    e.font = chosen;
    e.fontCheck = std::move(check);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::fontCancel()
{
    add(QStringLiteral("font")).cancel = true;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::dialog(const QString& className, std::function<void(QDialog*)> script)
{
    add(QStringLiteral("dialog"), className).script = std::move(script);
    return *this;
}

// The next expectation when it matches what is shown (an expectation without a key matches any
// dialog of its kind); otherwise the test fails and the caller answers as cancelled.
ScriptedDialogs::Expectation* ScriptedDialogs::next(const QString& kind, const QString& key, const QString& shownLine)
{
    shown << shownLine;
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << shownLine.toStdString() << "\n(no dialog was expected)";
        return nullptr;
    }
    const Expectation& front = expected_.front();
    if (front.kind != kind || (!front.key.isEmpty() && front.key != key)) {
        ADD_FAILURE() << "unexpected dialog: " << shownLine.toStdString()
                      << "\nexpected: " << Describe(front.kind, front.key).toStdString();
        return nullptr;
    }
    current_ = std::move(expected_.front());
    expected_.pop_front();
    return &current_;
}

int ScriptedDialogs::messageDlg(const QString& text, MsgDlgType, int buttons)
{
    const Expectation* e = next(QStringLiteral("message"), text, Describe(QStringLiteral("message"), text));
    if (!e)
        return mrCancel;
    if (e->result != mrCancel && !(ButtonOf(e->result) & buttons)) {
        ADD_FAILURE() << "the box \"" << text.toStdString() << "\" has no button for the answer " << e->result;
        return mrCancel;
    }
    return e->result;
}

void ScriptedDialogs::showMessage(const QString& text)
{
    next(QStringLiteral("message"), text, Describe(QStringLiteral("message"), text));
}

QString ScriptedDialogs::inputBox(const QString& caption, const QString&, const QString& def)
{
    const Expectation* e = next(QStringLiteral("input"), caption, Describe(QStringLiteral("input"), caption));
    return !e || e->cancel ? def : e->answer;
}

QString ScriptedDialogs::openFile(const QString& filter, const QString&, const QString&)
{
    const Expectation* e = next(QStringLiteral("open"), filter, Describe(QStringLiteral("open"), filter));
    return e ? e->answer : QString();
}

QString ScriptedDialogs::saveFile(const QString& filter, const QString&, const QString&, const QString&)
{
    const Expectation* e = next(QStringLiteral("save"), filter, Describe(QStringLiteral("save"), filter));
    return e ? e->answer : QString();
}

QString ScriptedDialogs::saveFileOfType(const QString& filter, const QString& fileName, int& filterIndex)
{
    const Expectation* e = next(QStringLiteral("save"), filter, Describe(QStringLiteral("save"), filter));
    if (!e)
        return QString();
    if (e->saveOffered)
        e->saveOffered(fileName, filterIndex);
    if (!e->answer.isEmpty())
        filterIndex = e->result;
    return e->answer;
}

bool ScriptedDialogs::printerSetup()
{
    const Expectation* e = next(QStringLiteral("printer"), {}, QStringLiteral("printer"));
    return e && !e->cancel;
}

bool ScriptedDialogs::printDialog()
{
    const Expectation* e = next(QStringLiteral("print"), {}, QStringLiteral("print"));
    return e && !e->cancel;
}

bool ScriptedDialogs::printDialogFor(platform::PrintRange& range)
{
    const Expectation* e = next(QStringLiteral("print"), {}, QStringLiteral("print"));
    if (!e || e->cancel)
        return false;
    if (e->range)
        e->range(range);
    else
        range.fromPage = range.toPage = 0;
    return true;
}

bool ScriptedDialogs::fontDialog(QFont& font)
{
    const Expectation* e = next(QStringLiteral("font"), {}, QStringLiteral("font"));
    if (!e)
        return false;
    if (e->fontCheck)
        e->fontCheck(font);
    if (e->cancel)
        return false;
    font = e->font;
    return true;
}

int ScriptedDialogs::exec(QDialog* dialog)
{
    const QString className = QString::fromLatin1(dialog->metaObject()->className());
    Expectation* e = next(QStringLiteral("dialog"), className, Describe(QStringLiteral("dialog"), className));
    if (!e)
        return QDialog::Rejected;
    // The script may itself bring up dialogs, which replace current_: keep ours.
    const auto script = std::move(e->script);
    dialog->setResult(QDialog::Rejected);
    dialog->show();
    if (script)
        script(dialog);
    if (dialog->isVisible())
        dialog->reject();
    return dialog->result();
}
