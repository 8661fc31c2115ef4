#pragma once
// A file's bytes exactly as they are on disk, and a file made of given bytes.
#include <gtest/gtest.h>
#include <QByteArray>
#include <QFile>
#include <QString>

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
