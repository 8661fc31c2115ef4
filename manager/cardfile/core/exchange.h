#pragma once
// Records in and out of plain text files, one record a line, the fields joined by a separator
// (TAB for ".txt", ';' for ".csv"): no quoting and no escaping, so a field that holds the
// separator splits in two on reading and gives one more field on writing.
#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>
#include <span>
#include "manager/cardfile/core/recordlist.h"

namespace exchange {

// The customers an import may bring the list to: block numbers have four digits.
constexpr int MaxCustomers = 9998;
// After each separator the rest of an import line keeps this many characters at most.
constexpr int RestLimit = 1024;

// The fields of one import line: the text before the first separator, before the next one, ...,
// and last the text after the last separator. A line without separator is one field, an empty
// line one empty field.
QStringList SplitFields(const QString& line, QChar separator);

// A field as a block line. A field that would begin like a tag ("<BLOC", "</BLOC") gets a
// leading blank: an imported text can never be taken for the start or the end of a block.
QString AsBlockLine(const QString& field);

// The customer block an import line becomes, between its tags: its code, not marked, not
// connected, the line's fields on lines +4, +5, ..., then 25 empty lines.
QStringList CustomerLines(int code, const QStringList& fields);

struct Imported {
    int blocks = 0;          // customers added
    bool truncated = false;  // the limit stopped the import before the file's end
};
// Appends one customer block per line of the file (its bytes, in the code page; lines split as
// textfile splits them): block numbers from `count` on, codes from `nextCode` on; both come back
// raised by the customers added. Stops, truncated, once `count` has reached MaxCustomers. The
// blocks are built whole and join the list together.
Imported ImportCustomers(RecordList& list, const QByteArray& file, QChar separator, int& count, int& nextCode);
// The same for lines already read: the file they make (textfile::JoinLines).
Imported ImportCustomers(RecordList& list, const QStringList& lines, QChar separator, int& count, int& nextCode);

// One line per block of the list, in list order: the block's field lines `fields` (+k, in the
// order given) joined by the separator. A block cut short gives empty fields for the lines it
// lacks.
QStringList ExportLines(const RecordList& list, std::span<const int> fields, QChar separator);
// Those lines as the text file holds them (textfile::JoinLines of them), made without holding
// each line as a string first.
QByteArray ExportFile(const RecordList& list, std::span<const int> fields, QChar separator);

}  // namespace exchange
