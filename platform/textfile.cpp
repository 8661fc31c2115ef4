#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

namespace textfile {

namespace {

// Code points of the bytes 0x80-0x9F; the five unassigned bytes stand for the C1 control of
// the same number so that any byte survives a load and a save.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char EncodeChar(char16_t c)
{
    const int b = Cp1252Byte(c);
    return b < 0 ? '?' : char(b);
}

// Writes the encoding of text at out, one byte a character (a character outside the basic plane
// is one character, and one '?'), and answers the end of what it wrote.
char* EncodeInto(QStringView text, char* out)
{
    const char16_t* c = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = c[i];
        if (u < 0x80) {
            *out++ = char(u);
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(c[i + 1]))
            ++i;
        *out++ = EncodeChar(u);
    }
    return out;
}

QString SystemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

}  // namespace

const char16_t Cp1252Chars[256] = {
#define ROW(b)                                                                                                         \
    char16_t(b), char16_t(b + 1), char16_t(b + 2), char16_t(b + 3), char16_t(b + 4), char16_t(b + 5), char16_t(b + 6), \
        char16_t(b + 7)
    ROW(0x00), ROW(0x08), ROW(0x10), ROW(0x18), ROW(0x20), ROW(0x28), ROW(0x30), ROW(0x38), ROW(0x40), ROW(0x48),
    ROW(0x50), ROW(0x58), ROW(0x60), ROW(0x68), ROW(0x70), ROW(0x78), 0x20AC,    0x0081,    0x201A,    0x0192,
    0x201E,    0x2026,    0x2020,    0x2021,    0x02C6,    0x2030,    0x0160,    0x2039,    0x0152,    0x008D,
    0x017D,    0x008F,    0x0090,    0x2018,    0x2019,    0x201C,    0x201D,    0x2022,    0x2013,    0x2014,
    0x02DC,    0x2122,    0x0161,    0x203A,    0x0153,    0x009D,    0x017E,    0x0178,    ROW(0xA0), ROW(0xA8),
    ROW(0xB0), ROW(0xB8), ROW(0xC0), ROW(0xC8), ROW(0xD0), ROW(0xD8), ROW(0xE0), ROW(0xE8), ROW(0xF0), ROW(0xF8),
#undef ROW
};

int Cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return 0x80 + i;
    return -1;
}

bool ReadsAsLatin1(const char* bytes, qsizetype n)
{
    // Eight bytes at a time: those of 0x80-0x9F are the ones whose top three bits are 100.
    bool high = false;
    qsizetype i = 0;
    for (quint64 w; i + 8 <= n && !high; i += 8) {
        std::memcpy(&w, bytes + i, 8);
        const quint64 x = (w & (ByteOnes * 0xE0)) ^ ByteTops;
        high = ((x - ByteOnes) & ~x & ByteTops) != 0;
    }
    for (; i < n && !high; ++i)
        high = static_cast<unsigned char>(bytes[i] - 0x80) < 0x20;
    if (!high)
        return true;
    for (qsizetype k = 0; k < n; ++k) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        if (Cp1252Chars[b] != b)
            return false;
    }
    return true;
}

QByteArray EncodeCp1252(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    out.truncate(EncodeInto(text, out.data()) - out.constData());
    return out;
}

void AppendLine(QByteArray& bytes, std::span<const QStringView> pieces)
{
    // Never more bytes than characters: the room is taken once, and what a surrogate pair saves
    // is given back at the end.
    qsizetype room = 2;
    for (const QStringView piece : pieces)
        room += piece.size();
    const qsizetype at = bytes.size();
    bytes.resize(at + room);
    char* end = bytes.data() + at;
    for (const QStringView piece : pieces)
        end = EncodeInto(piece, end);
    *end++ = '\r';
    *end++ = '\n';
    bytes.truncate(end - bytes.constData());
}

QString DecodeCp1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *p++ = QChar(Cp1252Chars[u]);
    }
    return out;
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    int start = 0;
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QByteArray JoinLines(const QStringList& lines)
{
    qsizetype room = 0;
    for (const QString& line : lines)
        room += line.size() + 2;
    QByteArray out;
    out.reserve(room);
    for (const QString& line : lines) {
        const QStringView whole(line);
        AppendLine(out, {&whole, 1});
    }
    return out;
}

bool LoadFromFile(const QString& path, QStringList& lines)
{
    lines.clear();
    QByteArray bytes;
    if (!LoadBytesFromFile(path, bytes))
        return false;
    lines = SplitLines(DecodeCp1252(bytes));
    return true;
}

bool LoadBytesFromFile(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return false;
    }
    return true;
}

bool SaveToFile(const QString& path, const QStringList& lines, QString* error)
{
    FileSet set;
    set.add(path, lines);
    return set.commit(error);
}

void FileSet::add(const QString& path, const QStringList& lines)
{
    add(path, JoinLines(lines));
}

void FileSet::add(const QString& path, const QByteArray& bytes)
{
    files_.append({path, bytes});
}

bool FileSet::commit(QString* error)
{
    struct Staged {
        QString target;
        QString backup;  // where the old content waits while the set is being replaced
        std::unique_ptr<QTemporaryFile> temp;
        bool hadOld = false;
        bool backedUp = false;
        bool replaced = false;
    };
    std::vector<Staged> staged;
    QString reason;

    auto fail = [&](const QString& why) {
        reason = why;
        return false;
    };

    // 1. Every file written and flushed beside its target; nothing renamed yet.
    auto writeAll = [&] {
        for (const auto& [path, bytes] : files_) {
            Staged s;
            s.target = QFileInfo(path).absoluteFilePath();
            s.hadOld = QFileInfo::exists(s.target);
            s.temp = std::make_unique<QTemporaryFile>(s.target + QStringLiteral(".XXXXXX"));
            if (!s.temp->open())
                return fail(QStringLiteral("%1 : %2").arg(path, s.temp->errorString()));
            const auto perms = s.hadOld ? QFile::permissions(s.target)
                                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                              | QFile::ReadGroup | QFile::ReadOther;
            if (s.temp->write(bytes) != bytes.size() || !s.temp->flush())
                return fail(QStringLiteral("%1 : %2").arg(path, s.temp->errorString()));
            if (::fsync(s.temp->handle()) != 0)
                return fail(QStringLiteral("%1 : %2").arg(path, SystemError(errno)));
            s.backup = s.temp->fileName() + QStringLiteral(".old");
            s.temp->setPermissions(perms);
            s.temp->close();
            staged.push_back(std::move(s));
        }
        return true;
    };

    // 2. With more than one file, the old contents are kept aside (a second link, no copy) so
    //    that a rename failing half-way can be undone.
    auto keepOld = [&] {
        if (staged.size() < 2)
            return true;
        for (auto& s : staged) {
            if (!s.hadOld)
                continue;
            if (::link(Native(s.target).constData(), Native(s.backup).constData()) != 0
                && !QFile::copy(s.target, s.backup))
                return fail(QStringLiteral("%1 : %2").arg(s.target, SystemError(errno)));
            s.backedUp = true;
        }
        return true;
    };

    auto renameAll = [&] {
        for (auto& s : staged) {
            if (std::rename(Native(s.temp->fileName()).constData(), Native(s.target).constData()) != 0)
                return fail(QStringLiteral("%1 : %2").arg(s.target, SystemError(errno)));
            s.temp->setAutoRemove(false);
            s.replaced = true;
        }
        return true;
    };

    const bool ok = writeAll() && keepOld() && renameAll();
    for (auto& s : staged) {
        if (!ok && s.replaced) {
            if (s.backedUp)
                std::rename(Native(s.backup).constData(), Native(s.target).constData());
            else
                QFile::remove(s.target);  // it did not exist before
        }
        if (s.backedUp)
            QFile::remove(s.backup);
    }
    staged.clear();  // removes the temporaries that were not renamed
    if (!ok && error)
        *error = reason;
    return ok;
}

}  // namespace textfile
