#pragma once
// Finding a block by the beginning of one of its field lines, and sorting a kind's blocks by one
// of them.
#include <QCollator>
#include <QString>
#include "manager/cardfile/core/recordlist.h"

namespace search {

// The number of the first block, in list order, whose field line +line (upper-cased, a to z)
// begins with `wanted`; -1 when none does. A block cut short has an empty line there; a start
// tag whose number does not read is no block.
int FindByPrefix(const RecordList& list, int line, const QString& wanted);

// The order the sort compares texts in: French, case ignored, the same on every machine whatever
// its own locale. Numbers are compared as text.
QCollator SortCollator();

// Sorts the blocks of the list by their field line +keyLine, ascending in SortCollator's order;
// blocks of equal keys by their lines, from the first on; blocks equal in every line keep their
// order. Each block keeps all its lines, unchanged, and is renumbered by its new place (0, 1,
// ...). A block ends at its end tag, or before the next start tag when that tag is missing;
// lines outside blocks are dropped. Answers how many blocks the list holds.
int SortBlocks(RecordList& list, int keyLine);

}  // namespace search
