#pragma once
// Letters are RTF files, which Qt neither reads nor writes. This layer writes and reads the part
// of RTF that the letter editor's text holds, over a QTextDocument:
//  - characters: font, size, bold, italic, underline, strike-out;
//  - paragraphs: alignment (left, centre, right, justified), first-line, left and right indents,
//    bullets;
//  - text in Windows-1252 as \'hh, anything beyond it as \uN (with '?' for readers without
//    Unicode), tabs and line breaks inside a paragraph.
// The reader survives any bytes: it never recurses (groups nested deeper than a fixed limit are
// read as part of the group at the limit), skips what it does not know, and reads a file that
// does not start as RTF as plain text.
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace rtf {

// How deep the reader keeps track of nested groups.
constexpr int MaxDepth = 200;

QByteArray Write(const QTextDocument& document);
// Replaces the document's content with what `bytes` hold.
void Read(const QByteArray& bytes, QTextDocument& document);
// True when the bytes start as an RTF file does ("{\rtf", after blanks).
bool IsRtf(const QByteArray& bytes);

// Writes the document to `path` all or nothing (a temporary file beside it replaces the old one
// only once written and flushed). False, with the reason in *error, when anything failed: the
// old file is then untouched.
bool SaveToFile(const QString& path, const QTextDocument& document, QString* error = nullptr);
// False, with the reason in *error, when the file cannot be read: the document is then untouched.
bool LoadFromFile(const QString& path, QTextDocument& document, QString* error = nullptr);

}  // namespace rtf
