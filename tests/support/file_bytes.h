#pragma once
// A file's bytes exactly as they are on disk, and a file made of given bytes, so that a test
// states exactly what lies there (CR LF, Windows-1252).
#include <gtest/gtest.h>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include "support/print.h"

// "<missing>" when there is no file to read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// Each line followed by CR LF.
inline QByteArray Crlf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}
