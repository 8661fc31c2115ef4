#pragma once
// RecordList: the lines of one record kind (customers, invoices, articles, machines or cash
// tickets), kept as the card file's blocks:
//
//     <BLOC0007>          start tag: "<BLOC" + the block number on `width` digits + ">"
//     ...field lines...
//     </BLOC0007>         end tag
//
// For every operation the card file does on a list (Count, reading and replacing a line, IndexOf,
// Add, Insert, Delete, Clear, loading from and saving to a QStringList or the file's bytes) it
// behaves exactly as a plain list of strings, whatever the content: stray lines, blocks without end
// tag, duplicate or unreadable tags. Only the costs differ, so that a list of 98,999 cash tickets
// (about two million lines) stays quick and small:
//
// - Lines live in chunks of a few hundred, so inserting or deleting a run of lines moves only
//   the chunk it touches; the position of each chunk's first line is recomputed lazily after an
//   edit. Reading the lines one after the other finds each line in constant time.
// - A chunk keeps the text of its lines in one buffer, one byte per character in Windows-1252 (the
//   code page of the files, so every line read from a file), with the offset where each line
//   ends. A line holding a character the code page has no place for is kept in UTF-16 in the same
//   buffer, so that nothing typed is lost before the save writes it as the file can hold it.
//   Reading a line by position makes its string; ForEachLine hands out views over a decoded chunk
//   instead, with no string per line, for the walks over a whole list.
// - A tag written exactly in the list's form ("<BLOC" or "</BLOC", `width` digits, ">") is not
//   kept as text: the line refers to a number cell, one cell per block number, and its text is
//   made when it is read. Each cell knows which chunks hold its start and end tags, so looking a
//   block up by its start tag goes straight to a chunk instead of scanning the list.
// - Renumbering after a deletion (every tag above a number goes one down) relabels the cells,
//   which costs one small integer per block number and touches no line. Two numbers that come
//   together (a duplicate left above a deleted block) share one cell from then on.
// - Lines that begin with "<BLOC" or "</BLOC" without the exact form (a hand-edited file) stay
//   text; each chunk counts them so that renumbering and the duplicate check visit only the
//   chunks that hold any.
//
// Not thread-safe: the card file uses its lists on the GUI thread only.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <algorithm>
#include <deque>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

class RecordList {
public:
    explicit RecordList(int width = 4);
    RecordList(const RecordList& other);
    RecordList(RecordList&& other) noexcept;
    RecordList& operator=(const RecordList& other);
    RecordList& operator=(RecordList&& other) noexcept;
    ~RecordList();

    // Loading and saving: the whole list from or to plain lines.
    RecordList& operator=(const QStringList& lines);
    void Assign(const QStringList& lines);
    QStringList ToStringList() const;
    operator QStringList() const { return ToStringList(); }
    // The same from and to a file's bytes (Windows-1252), with no string per line: loading splits
    // them as textfile::SplitLines splits the decoded text (CR LF, CR alone or LF alone; a final
    // line end adds no empty line), saving gives what textfile::JoinLines gives for the lines
    // (each followed by CR LF, a character with no place in the code page written as '?').
    void AssignFileBytes(QByteArrayView bytes);
    // The lines of such bytes added at the end of the list.
    void AppendFileBytes(QByteArrayView bytes);
    // Lines in the code page laid end to end, the k-th ending at ends[k] (and beginning where the
    // one before ends, the first at 0), added at the end: the quick way to add many lines made in
    // memory. They are the lines AppendFileBytes would add for the same lines each followed by
    // CR LF, which they must not hold.
    void AppendPacked(QByteArrayView text, std::span<const qsizetype> ends);
    QByteArray ToFileBytes() const;

    int Width() const { return width_; }
    int Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    QString Strings(int index) const;
    QString operator[](int index) const { return Strings(index); }
    // The lines at these positions, in their order: the quick way to read lines spread over a long
    // list, as the memory is asked for the next ones while one is read.
    QStringList Strings(std::span<const int> indexes) const;
    // Visits the lines from `from` up to `to` (excluded) in order as visit(int index, QStringView
    // line); a visit that answers a bool stops the walk by answering false. The view lasts until
    // the visit returns, and the list must not change during the walk. No string is made per line:
    // the cheap way to read many lines.
    template <class Visit>
    void ForEachLine(int from, int to, Visit&& visit) const;
    template <class Visit>
    void ForEachLine(Visit&& visit) const
    {
        ForEachLine(0, count_, visit);
    }
    // The same with each line as the file would hold it (ToFileBytes without the line ends): the
    // bytes in the code page, most of them read where the list keeps them. A tag's view lasts until
    // the visit returns, any other line's until the walk ends. The quick way to write many lines
    // out.
    template <class Visit>
    void ForEachLineBytes(int from, int to, Visit&& visit) const;
    template <class Visit>
    void ForEachLineBytes(Visit&& visit) const
    {
        ForEachLineBytes(0, count_, visit);
    }
    // Visits in order the lines that begin with "<BLOC" or "</BLOC", as visit(int index, bool end)
    // (end for "</BLOC"), reading no text but theirs: the quick way to find the blocks of a long
    // list.
    template <class Visit>
    void ForEachTagLine(Visit&& visit) const;
    void Put(int index, const QString& line);
    // The position of the first line equal to `line`, or -1.
    int IndexOf(const QString& line) const;

    void Add(const QString& line);
    void Add(const QStringList& lines);
    void Insert(int index, const QString& line);
    void Insert(int index, const QStringList& lines);
    void Delete(int index);
    void Delete(int index, int n);  // n lines from index
    void Clear();

    // ---- building anew ------------------------------------------------------------------------
    // Lines from .. to (excluded) of the list.
    struct Range {
        int from = 0;
        int to = 0;
        int size() const { return to - from; }
    };
    // The list made again of blocks of its own lines: the j-th holds the lines `blocks[j]` between
    // the start and end tags of number j. Lines are moved as they are kept, their text neither read
    // nor made again; lines in no range are dropped, lines in two ranges are there twice.
    void ArrangeBlocks(std::span<const Range> blocks);

    // ---- blocks ----------------------------------------------------------------------------
    QString StartTag(int n) const;
    QString EndTag(int n) const;
    // Either tag as the file holds it, written at `out`, which has room for Width() + 19 bytes;
    // answers the end of what it wrote.
    char* WriteTagBytes(char* out, bool end, int n) const;
    // The position of block n's start tag (the first one), or -1.
    int FindBlock(int n) const;
    // How many lines deleting block n from its start tag at `pos` removes: up to and including
    // its end tag; a block whose end tag is missing stops before the next line beginning with
    // "<BLOC", or at the end of the list.
    int BlockLength(int pos, int n) const;
    // Lines beginning with "<BLOC", and with "</BLOC".
    int StartLineCount() const { return startLines_; }
    int EndLineCount() const { return endLines_; }
    // The number a tag line carries: the `width` characters after "<BLOC" (or "</BLOC") read as a
    // whole number the way the runtime's StrToInt reads it. False when they do not read.
    bool TagNumber(const QString& line, int& n) const;
    // After block i was removed: every line beginning with "<BLOC" (or "</BLOC") whose number
    // reads and is greater than i becomes the start (end) tag of that number - 1; a line whose
    // number does not read is left alone. i must not be negative.
    void Renumber(int i);
    // Counts the start lines of the numbers 0 .. limit-1 (counts gets `limit` entries; other
    // numbers are not counted). False, with counts unspecified, when a start line's number does
    // not read.
    bool CountStartTags(int limit, std::vector<int>& counts) const;

    // Lines per chunk before a chunk splits; tests lower it to exercise the chunk seams.
    static int ChunkLimit;

private:
    struct Chunk;
    struct Run;
    struct Line {
        quint32 end;  // where the line's text ends in its chunk's buffer; it starts where the previous one's ends
        qint32 code;  // a tag kept as a number cell: cell * 2, + 1 for an end tag; else one of the kinds below
    };
    // How a text line's bytes read: Latin-1 (the code page's bytes but 0x80-0x9F), the code page
    // with some of 0x80-0x9F, or UTF-16 code units for a line the code page cannot hold.
    enum : qint32 { Latin1 = -1, Cp1252 = -2, Utf16 = -3 };
    struct Cell {
        int refs[2] = {0, 0};                  // start tags, end tags
        QVarLengthArray<Chunk*, 1> chunks[2];  // one entry per tag line, by the chunk holding it
    };
    // A decoded run of lines, as a walk hands them out.
    struct Views {
        QVarLengthArray<char16_t, 4096> text;
        QVarLengthArray<QStringView, 256> lines;
    };

    // A run of lines as bytes: views of the chunk's own text, of `tags` for the run's tags, or of
    // `wide` for the lines the code page cannot hold, which stay for the whole walk.
    struct ByteViews {
        QVarLengthArray<char, 1024> tags;
        QVarLengthArray<QByteArrayView, 256> lines;
        std::deque<QByteArray> wide;
    };

    // Where a chunk's lines and text are: a read by position goes to them without the chunk.
    struct Span {
        const Line* lines;
        const char* text;
        // Where line j's text begins: where the one before it ends.
        quint32 Start(int j) const { return j > 0 ? lines[j - 1].end : 0; }
    };

    [[noreturn]] static void OutOfBounds(int index);
    static Span SpanOf(const Chunk& chunk);
    QString TextOf(Span span, int j) const;
    QString TextOf(const Chunk& chunk, int j) const { return TextOf(SpanOf(chunk), j); }
    void Decode(int chunk, int offset, int n, Views& views) const;
    struct TagAt {
        int offset;  // in its chunk
        bool end;
    };
    int TagsOf(int chunk, TagAt* tags) const;
    // Asks the memory for a chunk's lines ahead of a walk over them.
    void PrefetchLines(int chunk) const;
    void EncodeRun(int chunk, int offset, int n, ByteViews& views) const;
    template <class MakeRun, class Visit>
    void WalkRuns(int from, int to, MakeRun&& run, Visit&& visit) const;
    qint32 RegisterTag(Chunk* chunk, int n, bool end);
    int TagText(char16_t* out, int code) const;
    template <class C>
    bool Canonical(const C* text, qsizetype size, int& n, bool& end) const;
    int Root(int cell) const;
    int CellFor(int n);
    void Encode(Chunk* chunk, QStringView text, Run& run);
    void Unregister(Chunk* chunk, int j);
    void MoveRefs(Chunk* from, Chunk* to, const Line& line, int prefix);
    void Splice(int chunk, int at, int remove, Run& run);
    void Locate(int index, int& chunk, int& offset) const;
    void EnsureStarts() const;
    void Touch(int chunk);
    void Reorder(int from);
    void SplitIfFull(int chunk);
    void RemoveChunk(int chunk);
    void AppendChunk(std::unique_ptr<Chunk> chunk, int lines);
    int FirstTag(int n, bool end) const;
    void CopyFrom(const RecordList& other);
    void Take(RecordList& other) noexcept;

    int width_;
    int count_ = 0;
    int startLines_ = 0;
    int endLines_ = 0;
    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::vector<int> sizes_;           // lines per chunk
    std::vector<Span> spans_;          // per chunk
    mutable std::vector<int> starts_;  // the list position of each chunk's first line
    mutable int startsValidUpTo_ = 0;  // chunks before this one have a correct start
    mutable int lastChunk_ = 0;        // where the last lookup landed
    mutable std::vector<Cell> cells_;
    std::vector<int> number_;          // per cell: its block number
    mutable std::vector<int> parent_;  // per cell: the cell it was merged into, or -1
    std::vector<int> byNumber_;        // block number -> its cell (a root), or -1
};

// The walks go a chunk's run of lines at a time: run(chunk, offset, n) makes the run's items and
// answers where they are, and each is handed to visit; a visit that answers a bool stops the walk
// by answering false.
template <class MakeRun, class Visit>
void RecordList::WalkRuns(int from, int to, MakeRun&& run, Visit&& visit) const
{
    if (from < 0 || from > count_)
        OutOfBounds(from);
    if (to < from || to > count_)
        OutOfBounds(to);
    if (from == to)
        return;
    int c, off;
    Locate(from, c, off);
    for (int index = from; index < to; ++c, off = 0) {
        const int n = std::min(sizes_[c] - off, to - index);
        const auto* items = run(c, off, n);
        for (int k = 0; k < n; ++k, ++index) {
            if constexpr (std::is_same_v<std::invoke_result_t<Visit&, int, decltype(items[k])>, bool>) {
                if (!visit(index, items[k]))
                    return;
            } else {
                visit(index, items[k]);
            }
        }
    }
}

template <class Visit>
void RecordList::ForEachLine(int from, int to, Visit&& visit) const
{
    Views views;
    WalkRuns(
        from, to,
        [&](int c, int off, int n) {
            Decode(c, off, n, views);
            return views.lines.data();
        },
        visit);
}

template <class Visit>
void RecordList::ForEachTagLine(Visit&& visit) const
{
    QVarLengthArray<TagAt, 256> tags;
    int index = 0;
    for (int c = 0; c < int(chunks_.size()); ++c) {
        if (c + 1 < int(chunks_.size()))
            PrefetchLines(c + 1);
        tags.resize(sizes_[c]);
        const int n = TagsOf(c, tags.data());
        for (int k = 0; k < n; ++k)
            visit(index + tags[k].offset, tags[k].end);
        index += sizes_[c];
    }
}

template <class Visit>
void RecordList::ForEachLineBytes(int from, int to, Visit&& visit) const
{
    ByteViews views;
    WalkRuns(
        from, to,
        [&](int c, int off, int n) {
            EncodeRun(c, off, n, views);
            return views.lines.data();
        },
        visit);
}
