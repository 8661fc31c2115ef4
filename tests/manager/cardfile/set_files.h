#pragma once
// Files of the tests of the saved set and the settings: written and read back as raw bytes, so
// that a test states exactly what lies on disk (CR LF, Windows-1252).
#include <gtest/gtest.h>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace setfiles {

// Each line followed by CR LF.
inline QByteArray Crlf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace setfiles
