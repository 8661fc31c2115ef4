#pragma once
// The card file's blocks as a card reads and writes them, without the card: which line of a
// block is which field, the repeatable lines after the fields (memo lines, grid rows), the lines
// kept for no place on the card, the field rules of flags and prefixes, and the numbering.
//
//     <BLOC0007>        start tag
//     field lines       +1, +2, ... in the order of the card's fields
//     MEMO...           one per memo line        } repeatable lines, each opened by four
//     DATA.../GRID...   one per grid row, cells   } letters of its kind
//                       joined by TABs
//     kept lines        what the card had no place for, written back unchanged
//     </BLOC0007>       end tag
#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>
#include "manager/cardfile/core/recordlist.h"

namespace blocks {

// ---- field rules ------------------------------------------------------------------------------
// A flag's line: "Y" when set, else "N"; only a line of exactly "Y" sets it.
QString FlagLine(bool set);
bool FlagSet(const QString& line);
// A prefixed field ("NUMT" + the ticket number) shows without its prefix; a line that lost it (a
// hand-edited file) shows whole.
QString WithoutPrefix(const QString& line, QLatin1String prefix);

// ---- repeatable lines -------------------------------------------------------------------------
// A row shorter than this, cells and TABs together, ends a grid's lines: nothing under it is
// written, and a row line shorter than that is not read as a row.
constexpr int ShortestRow = 10;

struct RepeatLayout {
    QLatin1String prefix;  // the four letters that open each line
    bool rows = false;     // grid rows (cells joined by TABs) rather than memo lines
    int cells = 0;         // rows: the cells a line holds, from the first; the last takes the rest
    int room = -1;         // rows: how many rows the card has room for; -1 for as many as come
    // rows: the shortest row line, cells and TABs together, that is written and read
    int shortest = ShortestRow;
    // rows: a shorter row is passed over and the rows under it are still written, rather than
    // ending the grid's lines
    bool skipShort = false;
};

struct BlockLayout {
    int fields;                             // lines +1 .. +fields
    std::span<const RepeatLayout> repeats;  // written in this order after the fields
    // Repeatable lines are recognised from this line on, field lines included: older blocks had
    // fewer field lines, and their memo or history began where today's last fields stand.
    int scanFrom;
};
// The card reads no line past the 200th after the start tag.
constexpr int LastLineRead = 200;

struct RepeatContent {
    QStringList memo;         // memo lines, without their prefix
    QList<QStringList> rows;  // grid rows, `cells` cells each
};

struct BlockContent {
    bool found = false;                          // the block exists
    std::vector<std::optional<QString>> fields;  // per field: its line, when the block has it
    std::vector<RepeatContent> repeats;          // per repeat of the layout
    QStringList kept;                            // lines with no place, in block order
};

// What a card writes never breaks its block: a TAB in a cell would shift the cells after it, so
// it is written as a blank; a field line that would read as a tag ("<BLOC...", "</BLOC...") is
// written with a leading blank.
QString SafeField(const QString& line);
QString SafeCell(const QString& cell);

// Block `index` of the list as the layout reads it: its own lines up to its end tag, or up to
// the next block when the tag is missing.
BlockContent ReadBlock(const RecordList& list, int index, const BlockLayout& layout);

// ---- reading a block in place -------------------------------------------------------------------
// The steps of ReadBlock, for a reader that keeps a few of a block's values and none of its lines
// (the statistics and the journal walk whole lists): the lines are visited where the list holds
// them and a row's cells are views into its line, so nothing of the block is copied.
//
// Calls `visit(k, line)` for each of block `index`'s own lines, +1, +2, ..., as ReadBlock takes
// them: up to its end tag, or up to the next block when the tag is missing. False when there is
// no such block.
template <class Visit>
bool VisitBlock(const RecordList& list, int index, Visit&& visit);
// The repeat of the layout (its place in `layout.repeats`) that line +k belongs to, or -1.
int RepeatOf(const BlockLayout& layout, int k, const QString& line);
// The cells of a row line (prefix included) of repeat `r`, as views into the line: as many as
// `cells` holds, from the first, the last one taking the rest of the line; a cell past the line's
// end is null. False when the line is no row.
bool RowCells(QStringView line, const RepeatLayout& r, std::span<QStringView> cells);
// The lines between the tags: the fields, each repeat's lines (a grid's rows up to the first
// short one), then the kept lines.
QStringList BlockLines(const QStringList& fields, const BlockLayout& layout, const std::vector<RepeatContent>& repeats,
                       const QStringList& kept);

// ---- numbering and look-ups -------------------------------------------------------------------
// The next code or number: one above the largest whole number held by a block's first line
// (after `prefix`), and at least floor + 1. A line that is not a whole number is passed over, so
// one hand-typed code does not make every card unreadable.
int NextNumber(const RecordList& list, int floor, QLatin1String prefix = QLatin1String());
// The first block whose code line (+1) equals `code`: the position of its start tag, or -1.
int BlockOfCode(const RecordList& list, const QString& code);

// ---- field lines of a block, whatever its state ---------------------------------------------------
// Whether a line is a start or end tag as the lists recognise them (begins "<BLOC" or "</BLOC").
bool IsTag(const QString& line);
// Field lines +1 .. +count of the block whose start tag stands at `start`, fewer when the block is
// cut short: a tag or the end of the list ends them. A block is never judged by its neighbour's
// lines.
QStringList FieldLines(const RecordList& list, int start, int count);
// Field line +k of that block; empty when the block stops before it.
QString FieldLine(const RecordList& list, int start, int k);

// ---- templates ----------------------------------------------------------------------------------

template <class Visit>
bool VisitBlock(const RecordList& list, int index, Visit&& visit)
{
    const int pos = index >= 0 ? list.FindBlock(index) : -1;
    if (pos < 0)
        return false;
    // The lines RecordList::BlockLength counts, less the end tag.
    const QString end = list.EndTag(index);
    for (int i = pos + 1; i < list.Count(); ++i) {
        const QString line = list.Strings(i);
        if (line == end || (!line.isEmpty() && line.front() == u'<' && line.startsWith(QLatin1String("<BLOC"))))
            break;
        visit(i - pos, line);
    }
    return true;
}

}  // namespace blocks
