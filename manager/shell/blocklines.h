#pragma once
// Reading the blocks of a record list for the list dialogs, which never change the list.
#include <QString>
#include "manager/cardfile/core/recordlist.h"

// Every block begins with a line "<BLOC" + its number + ">".
inline bool IsStartLine(const QString& line)
{
    return line.startsWith(QLatin1String("<BLOC"));
}

// Line `index` of the list, or an empty text past its end: a block cut short by the end of its
// list shows empty fields instead of failing.
inline QString LineAt(const RecordList& list, int index)
{
    return index < list.Count() ? list.Strings(index) : QString();
}
