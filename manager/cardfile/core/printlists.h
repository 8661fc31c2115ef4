#pragma once
// What the printed lists and the envelope batch take from the record lists: which records a
// print dialog's answer covers, and the lines of one record that a row prints.
#include <QStringList>
#include <QList>
#include <optional>
#include "manager/cardfile/core/recordlist.h"

namespace printlists {

// The record numbers a list prints, first to last (none when last < first).
struct Range {
    int first, last;
};
// The print dialog offers pages 1 to `count`; the records fromPage - 1 (at least 0) to
// toPage - 1 (at most count - 1) are printed. A dialog that answered every page (0 to 0, which
// is what Qt reports for "All pages") prints every record.
Range RecordRange(int fromPage, int toPage, int count);

// The lines +offset of block n, in the order of `offsets`, or nothing when the list has no block
// n. Offset 0 stands for a column with no value: an empty text. A line the block does not reach
// (past its last field, its end tag included) is empty: a damaged block prints blanks, never
// another block's lines.
std::optional<QStringList> BlockFields(const RecordList& list, int n, const QList<int>& offsets);

}  // namespace printlists
