#pragma once
// How failures show Qt's strings: as quoted texts, never as arrays of characters or bytes.
// gtest finds these by their argument's type wherever this header is included.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& lines, std::ostream* os)
{
    *os << "[" << lines.join(" | ").toStdString() << "]";
}

// Bytes as they would be written in C, so that CR, LF and the Windows-1252 letters show.
inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    static const char hex[] = "0123456789abcdef";
    *os << '"';
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else if (c == '\t')
            *os << "\\t";
        else if (c == '"' || c == '\\')
            *os << '\\' << c;
        else if (u < 0x20 || u >= 0x7f)
            *os << "\\x" << hex[u >> 4] << hex[u & 15];
        else
            *os << c;
    }
    *os << '"';
}
