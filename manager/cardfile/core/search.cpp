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

// Whether a line opens or closes a block, as the lists recognise tags, asked without calling out
// for the many lines that cannot be one.
bool Opens(const QString& line)
{
    return line.size() >= StartPrefix.size() && line.front() == QLatin1Char('<') && line.startsWith(StartPrefix);
}

bool Closes(const QString& line)
{
    return line.size() >= EndPrefix.size() && line.front() == QLatin1Char('<') && line.startsWith(EndPrefix);
}

// A block of the list: where its lines between the tags stand in the list read whole.
struct Entry {
    qsizetype from = 0;
    qsizetype to = 0;  // past the last
    qsizetype size() const { return to - from; }
};

// The blocks of the lines in list order. A block ends at its end tag, or before the next start
// tag; lines outside every block belong to none.
std::vector<Entry> Entries(const QStringList& lines, int expected)
{
    std::vector<Entry> entries;
    entries.reserve(expected);
    const qsizetype n = lines.size();
    bool open = false;
    for (qsizetype i = 0; i < n; ++i) {
        const QString& line = lines[i];
        if (Opens(line)) {
            entries.push_back({i + 1, i + 1});
            open = true;
        } else if (Closes(line)) {
            open = false;
        } else if (open) {
            entries.back().to = i + 1;
        }
    }
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
    // The list read once, whole; the blocks are runs of its lines, and the sorted list is made of
    // those very strings, moved rather than copied.
    QStringList all = list.ToStringList();
    const QStringList& lines = all;
    const std::vector<Entry> entries = Entries(lines, list.StartLineCount());
    const QCollator collator = SortCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const Entry& e : entries)
        keys.push_back(collator.sortKey(keyLine >= 1 && keyLine <= e.size() ? lines[e.from + keyLine - 1] : QString()));

    // One comparison, the same for every pair: the key, then the block's lines in order, then the
    // shorter block first. The stable sort keeps blocks equal in all of it where they stood.
    const auto before = [&](int a, int b) {
        if (const int c = keys[a].compare(keys[b]))
            return c < 0;
        const Entry& ea = entries[a];
        const Entry& eb = entries[b];
        const qsizetype common = std::min(ea.size(), eb.size());
        for (qsizetype i = 0; i < common; ++i)
            if (const int c = collator.compare(lines[ea.from + i], lines[eb.from + i]))
                return c < 0;
        return ea.size() < eb.size();
    };
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);

    qsizetype total = 0;
    for (const Entry& e : entries)
        total += e.size() + 2;
    QStringList rebuilt;
    rebuilt.reserve(total);
    QString* from = all.data();
    for (int j = 0; j < int(order.size()); ++j) {
        const Entry& e = entries[order[j]];
        rebuilt << list.StartTag(j);
        for (qsizetype i = e.from; i < e.to; ++i)
            rebuilt << std::move(from[i]);
        rebuilt << list.EndTag(j);
    }
    list.Assign(rebuilt);
    return int(entries.size());
}

}  // namespace search
