#include "manager/cardfile/core/savedset.h"

#include <algorithm>

namespace savedset {

QString SiblingPath(const QString& main, QLatin1String extension)
{
    return main.left(std::max<qsizetype>(main.size() - 3, 0)) + extension;
}

bool HoldsABlock(const QStringList& lines)
{
    for (const QString& line : lines)
        if (line.startsWith(QLatin1String("<BLOC")))
            return true;
    return false;
}

bool ListHoldsABlock(const RecordList& lines)
{
    return lines.StartLineCount() > 0;
}

}  // namespace savedset
