#include "manager/cardfile/core/search.h"

#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>
#include "manager/cardfile/core/blocks.h"
#include "platform/rtl.h"

namespace search {

namespace {

const QLatin1String StartPrefix("<BLOC");
const QLatin1String EndPrefix("</BLOC");

struct Entry {
    QStringList lines;   // the block's lines between its tags
    QString key;
};

// The blocks of the list in list order, each with its lines between the tags.
std::vector<Entry> Entries(const RecordList& list, int keyLine)
{
    std::vector<Entry> entries;
    entries.reserve(list.StartLineCount());
    Entry* open = nullptr;
    const int n = list.Count();
    for (int i = 0; i < n; ++i) {
        QString line = list[i];
        if (line.startsWith(StartPrefix)) {
            open = &entries.emplace_back();
            continue;
        }
        if (line.startsWith(EndPrefix)) {
            open = nullptr;
            continue;
        }
        if (open)
            open->lines << std::move(line);
    }
    for (Entry& e : entries)
        e.key = e.lines.value(keyLine - 1);
    return entries;
}

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
    std::vector<Entry> entries = Entries(list, keyLine);
    const QCollator collator = SortCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const Entry& e : entries)
        keys.push_back(collator.sortKey(e.key));

    // One comparison, the same for every pair: the key, then the block's lines in order, then the
    // shorter block first. The stable sort keeps blocks equal in all of it where they stood.
    const auto before = [&](int a, int b) {
        if (const int c = keys[a].compare(keys[b]))
            return c < 0;
        const QStringList& la = entries[a].lines;
        const QStringList& lb = entries[b].lines;
        const qsizetype common = std::min(la.size(), lb.size());
        for (qsizetype i = 0; i < common; ++i)
            if (const int c = collator.compare(la[i], lb[i]))
                return c < 0;
        return la.size() < lb.size();
    };
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);

    QStringList rebuilt;
    qsizetype total = 0;
    for (const Entry& e : entries)
        total += e.lines.size() + 2;
    rebuilt.reserve(total);
    for (int j = 0; j < int(order.size()); ++j) {
        rebuilt << list.StartTag(j);
        rebuilt << entries[order[j]].lines;
        rebuilt << list.EndTag(j);
    }
    list.Assign(rebuilt);
    return int(entries.size());
}

}  // namespace search
