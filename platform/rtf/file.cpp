// Letters on disk: read whole, written all or nothing.
#include <QFile>
#include <QTextDocument>
#include "platform/rtf/rtf.h"
#include "platform/textfile.h"

namespace rtf {

bool IsRtf(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

bool SaveToFile(const QString& path, const QTextDocument& document, QString* error)
{
    textfile::FileSet file;
    file.add(path, Write(document));
    return file.commit(error);
}

bool LoadFromFile(const QString& path, QTextDocument& document, QString* error)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    Read(bytes, document);
    return true;
}

}  // namespace rtf
