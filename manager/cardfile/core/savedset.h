#pragma once
// The saved set's files: the customer file the user names and its four siblings.
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include "manager/cardfile/core/recordlist.h"

namespace savedset {

// A sibling's path: the main file's with its last three characters replaced by `extension`
// ("fct", "stk", "pst", "cai"). A main path shorter than that leaves nothing of itself: the bare
// extension.
QString SiblingPath(const QString& main, QLatin1String extension);

// Whether the lines hold a block (a line beginning with "<BLOC"): a customer file with lines but
// no block is another program's file, not a set.
bool HoldsABlock(const QStringList& lines);
// The same for lines loaded into a record list.
bool ListHoldsABlock(const RecordList& lines);

}  // namespace savedset
