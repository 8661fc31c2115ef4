#include "manager/cardfile/core/printlists.h"

#include <algorithm>

namespace printlists {

Range RecordRange(int fromPage, int toPage, int count)
{
    if (fromPage == 0 && toPage == 0)
        return {0, count - 1};
    return {std::max(fromPage - 1, 0), std::min(toPage - 1, count - 1)};
}

std::optional<QStringList> BlockFields(const RecordList& list, int n, const QList<int>& offsets)
{
    const int start = list.FindBlock(n);
    if (start < 0)
        return std::nullopt;
    // The end tag and what follows it are not the block's.
    const int length = list.BlockLength(start, n);
    const int end = start + length - (list.Strings(start + length - 1) == list.EndTag(n) ? 1 : 0);
    QStringList fields;
    fields.reserve(offsets.size());
    for (const int offset : offsets)
        fields << (offset > 0 && start + offset < end ? list.Strings(start + offset) : QString());
    return fields;
}

}  // namespace printlists
