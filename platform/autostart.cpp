#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace autostart {

namespace {

QString ConfigHome()
{
    // A relative XDG_CONFIG_HOME is to be ignored.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    return QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.config");
}

// The escapes of a string value of a desktop entry.
QString EscapeValue(const QString& value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u' ' && i == 0)
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

// One argument of the Exec key: quoted when it holds a reserved character, with '"', '`', '$'
// and '\' escaped inside the quotes; '%' doubled so that it is no field code.
QString ExecArgument(const QString& arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString out;
    bool quote = arg.isEmpty();
    for (const QChar c : arg) {
        if (reserved.contains(c))
            quote = true;
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    if (quote)
        out = u'"' + out + u'"';
    else
        out = arg;
    return out.replace(u'%', QStringLiteral("%%"));
}

}  // namespace

QString EntryPath(const QString& name)
{
    return ConfigHome() + QStringLiteral("/autostart/") + name + QStringLiteral(".desktop");
}

bool Add(const QString& name, const QString& program, const QString& workingFolder)
{
    const QString path = EntryPath(name);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Exec=%2\n"
                                         "Path=%3\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(EscapeValue(name), EscapeValue(ExecArgument(program)), EscapeValue(workingFolder));
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(entry.toUtf8()) >= 0 && file.commit();
}

bool Remove(const QString& name)
{
    const QString path = EntryPath(name);
    QFile::remove(path);
    return !QFileInfo::exists(path);
}

bool Exists(const QString& name)
{
    return QFileInfo::exists(EntryPath(name));
}

}  // namespace autostart
