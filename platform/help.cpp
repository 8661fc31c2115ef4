#include "platform/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include "platform/dialogs.h"
#include "platform/helpviewer.h"

namespace help {

namespace {

QString& File()
{
    static QString file;
    return file;
}

std::function<bool(Request, const QString&, const QString&)>& TestViewer()
{
    static std::function<bool(Request, const QString&, const QString&)> viewer;
    return viewer;
}

QPointer<HelpViewer>& Window()
{
    static QPointer<HelpViewer> window;
    return window;
}

bool Readable(const QString& path)
{
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly);
}

// The help file as set, or, when it cannot be read there (the program was started from another
// folder), the file of the same name beside the executable when that one can be.
QString Resolved(const QString& file)
{
    if (Readable(file))
        return file;
    const QString name = QFileInfo(file).fileName();
    if (name.isEmpty())
        return file;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return Readable(beside) ? beside : file;
}

}  // namespace

void SetHelpFile(const QString& path)
{
    File() = path;
}

QString HelpFile()
{
    return File();
}

bool Show(Request request, const QString& key)
{
    const QString file = Resolved(File());
    // The page on using the viewer is built in: it needs no help file.
    if (request != HelpHelpOnHelp && !Readable(file)) {
        platform::MessageDlg(QStringLiteral("Impossible d'ouvrir le fichier d'aide ") + file, platform::mtError,
                             platform::mbOK);
        return false;
    }
    if (const auto& viewer = TestViewer())
        return viewer(request, file, key);
    if (!Window())
        Window() = new HelpViewer;
    Window()->open(request, Readable(file) ? file : QString(), key);
    return true;
}

void SetViewer(std::function<bool(Request, const QString& file, const QString& key)> viewer)
{
    TestViewer() = std::move(viewer);
}

}  // namespace help

