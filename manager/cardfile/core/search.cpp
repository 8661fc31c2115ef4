#include "manager/cardfile/core/search.h"

#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <vector>
#include "manager/cardfile/core/blocks.h"
#include "platform/rtl.h"

namespace search {

namespace {

const QLatin1String StartPrefix("<BLOC");

}  // namespace

int FindByPrefix(const RecordList& list, int line, const QString& wanted)
{
    const int n = list.Count();
    for (int i = 0; i < n; ++i) {
        const QString tag = list[i];
        int number = 0;
        if (!tag.startsWith(StartPrefix) || !list.TagNumber(tag, number))
            continue;
        if (rtl::UpperCase(blocks::FieldLine(list, i, line)).startsWith(wanted))
            return number;
    }
    return -1;
}

QCollator SortCollator()
{
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

int SortBlocks(RecordList& list, int keyLine)
{
    // The blocks found from the tag lines alone: a block's lines run from its start tag to the
    // next tag line, its end tag or the next start tag, or to the list's end; lines after an end
    // tag up to the next start tag belong to no block.
    std::vector<RecordList::Range> entries;
    entries.reserve(list.StartLineCount());
    bool open = false;
    list.ForEachTagLine([&](int i, bool end) {
        if (open)
            entries.back().to = i;
        open = !end;
        if (open)
            entries.push_back({i + 1, i + 1});
    });
    if (open)
        entries.back().to = list.Count();
    // The key lines read first, all together, and their collation keys made in a pass of their own:
    // reading the lines in between pushes the collator's tables out of the cache. A block too short
    // for its key line sorts by an empty key.
    const auto hasKey = [&](const RecordList::Range& e) { return keyLine >= 1 && keyLine <= e.size(); };
    std::vector<int> keyLines;
    keyLines.reserve(entries.size());
    for (const RecordList::Range& e : entries)
        if (hasKey(e))
            keyLines.push_back(e.from + keyLine - 1);
    const QStringList texts = list.Strings(keyLines);
    const QCollator collator = SortCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    qsizetype next = 0;
    for (const RecordList::Range& e : entries)
        keys.push_back(collator.sortKey(hasKey(e) ? texts[next++] : QString()));

    // One comparison, the same for every pair: the key, then the block's lines in order, then the
    // shorter block first. The stable sort keeps blocks equal in all of it where they stood. Equal
    // keys are common (a town, a code left empty), so the lines compared after them get their
    // collation keys once, when first compared, and not a full comparison each time.
    std::unordered_map<int, QCollatorSortKey> lineKeys;
    const auto lineKey = [&](int index) -> const QCollatorSortKey& {
        auto it = lineKeys.find(index);
        if (it == lineKeys.end())
            it = lineKeys.emplace(index, collator.sortKey(list[index])).first;
        return it->second;
    };
    const auto before = [&](int a, int b) {
        if (const int c = keys[a].compare(keys[b]))
            return c < 0;
        const RecordList::Range& ea = entries[a];
        const RecordList::Range& eb = entries[b];
        const int common = std::min(ea.size(), eb.size());
        for (int i = 0; i < common; ++i)
            if (const int c = lineKey(ea.from + i).compare(lineKey(eb.from + i)))
                return c < 0;
        return ea.size() < eb.size();
    };
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);

    // The list made again in one go from the old one's lines, as they are kept.
    std::vector<RecordList::Range> sorted;
    sorted.reserve(order.size());
    for (const int k : order)
        sorted.push_back(entries[k]);
    list.ArrangeBlocks(sorted);
    return int(entries.size());
}

}  // namespace search
