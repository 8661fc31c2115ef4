#pragma once
// Text files as the programs keep them: lines ended by CR LF, Windows-1252 on disk.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstring>
#include <span>

namespace textfile {

// Windows-1252: 0x80-0x9F hold €, ‚, ƒ, „, …, †, ‡, ˆ, ‰, Š, ‹, Œ, Ž, ‘, ’, “, ”, •, –, —, ˜, ™,
// š, ›, œ, ž, Ÿ (0x81, 0x8D, 0x8F, 0x90, 0x9D are unassigned and map to U+0081...); the rest
// is Latin-1. A character with no place in the code page is written as '?'.
QByteArray EncodeCp1252(const QString& text);
QString DecodeCp1252(const QByteArray& bytes);
// The character each byte stands for.
extern const char16_t Cp1252Chars[256];
// The byte that stands for a character, or -1 when the code page has no place for it.
int Cp1252Byte(char16_t c);
// Whether the bytes read the same as Latin-1: none of 0x80-0x9F but the five the code page leaves
// unassigned.
bool ReadsAsLatin1(const char* bytes, qsizetype n);

// Splits at CR LF, CR alone or LF alone; a final line end does not add an empty line.
QStringList SplitLines(const QString& text);
// The same on bytes: where the line beginning at p ends (its first CR or LF, or end), and where the
// next line begins after that end.
// Bytes are looked at eight at a time: these have one bit in each byte.
inline constexpr quint64 ByteOnes = 0x0101010101010101ull;
inline constexpr quint64 ByteTops = 0x8080808080808080ull;

inline const char* LineEnd(const char* p, const char* end)
{
    // Eight bytes at a time while none of them is below 0x0E, as no CR or LF can then be there.
    for (quint64 w; end - p >= 8; p += 8) {
        std::memcpy(&w, p, 8);
        if ((w - ByteOnes * 0x0E) & ~w & ByteTops)
            break;
    }
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

inline const char* NextLine(const char* lineEnd, const char* end)
{
    const char* p = lineEnd;
    if (p < end && *p++ == '\r' && p < end && *p == '\n')
        ++p;
    return p;
}
// Each line followed by CR LF.
QByteArray JoinLines(const QStringList& lines);
// Appends one line made of the pieces one after the other, then its CR LF: JoinLines is this for
// each line, taken whole. A file too large to be held as lines first is made this way.
void AppendLine(QByteArray& bytes, std::span<const QStringView> pieces);

// Reads a whole file. False (and lines emptied) when it cannot be read.
bool LoadFromFile(const QString& path, QStringList& lines);
// The same, the file's bytes as they are: for a reader that splits and decodes them itself.
bool LoadBytesFromFile(const QString& path, QByteArray& bytes);
// Writes a whole file through a temporary file beside it that replaces the old one only once
// written and flushed. False, with the reason in *error, when anything failed; the old file is
// then untouched.
bool SaveToFile(const QString& path, const QStringList& lines, QString* error = nullptr);

// Several files replaced together: each is written to a temporary file beside its target; only
// when every one was written and flushed are they renamed over their targets. On failure no
// target has been touched, the temporaries are removed, and commit() gives false with the
// reason in *error.
class FileSet {
public:
    void add(const QString& path, const QStringList& lines);
    void add(const QString& path, const QByteArray& bytes);
    bool commit(QString* error = nullptr);

private:
    QList<QPair<QString, QByteArray>> files_;
};

}  // namespace textfile
