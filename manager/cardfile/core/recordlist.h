#pragma once
// RecordList: the lines of one record kind (customers, invoices, articles, machines or cash
// tickets), kept as the card file's blocks:
//
//     <BLOC0007>          start tag: "<BLOC" + the block number on `width` digits + ">"
//     ...field lines...
//     </BLOC0007>         end tag
//
// For every operation the card file does on a list (Count, reading and replacing a line, IndexOf,
// Add, Insert, Delete, Clear, loading from and saving to a QStringList) it behaves exactly as a
// plain list of strings, whatever the content: stray lines, blocks without end tag, duplicate or
// unreadable tags. Only the costs differ, so that a list of 98,999 cash tickets (about two
// million lines) stays quick:
//
// - Lines live in chunks of a few hundred, so inserting or deleting a run of lines moves only
//   the chunk it touches; the position of each chunk's first line is recomputed lazily after an
//   edit. Reading the lines one after the other finds each line in constant time.
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
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <memory>
#include <vector>

class RecordList {
public:
    explicit RecordList(int width = 4);
    RecordList(const RecordList& other);
    RecordList& operator=(const RecordList& other);
    ~RecordList();

    // Loading and saving: the whole list from or to plain lines.
    RecordList& operator=(const QStringList& lines);
    void Assign(const QStringList& lines);
    QStringList ToStringList() const;
    operator QStringList() const { return ToStringList(); }

    int Width() const { return width_; }
    int Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    QString Strings(int index) const;
    QString operator[](int index) const { return Strings(index); }
    void Put(int index, const QString& line);
    // The position of the first line equal to `line`, or -1.
    int IndexOf(const QString& line) const;

    void Add(const QString& line);
    void Add(const QStringList& lines);
    void Insert(int index, const QString& line);
    void Insert(int index, const QStringList& lines);
    void Delete(int index);
    void Delete(int index, int n);   // n lines from index
    void Clear();

    // ---- blocks ----------------------------------------------------------------------------
    QString StartTag(int n) const;
    QString EndTag(int n) const;
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
    struct Line {
        QString text;      // null for a tag kept as a number cell
        int cell = -1;     // the number cell of a tag, else -1
        bool end = false;  // the cell's end tag rather than its start tag
    };
    struct Cell {
        int refs[2] = {0, 0};                         // start tags, end tags
        QVarLengthArray<Chunk*, 1> chunks[2];         // one entry per tag line, by the chunk holding it
    };

    QString TextOf(const Line& line) const;
    bool Canonical(const QString& text, int& n, bool& end) const;
    int Root(int cell) const;
    int CellFor(int n);
    void Register(Chunk* chunk, Line& line, const QString& text);
    void Unregister(Chunk* chunk, const Line& line);
    void MoveRefs(Chunk* from, Chunk* to, const Line& line);
    void Locate(int index, int& chunk, int& offset) const;
    void EnsureStarts() const;
    void Touch(int chunk);
    void Reorder(int from);
    void SplitIfFull(int chunk);
    void RemoveChunk(int chunk);
    int FirstTag(int n, bool end) const;
    void CopyFrom(const RecordList& other);

    int width_;
    int count_ = 0;
    int startLines_ = 0;
    int endLines_ = 0;
    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::vector<int> sizes_;             // lines per chunk
    mutable std::vector<int> starts_;    // the list position of each chunk's first line
    mutable int startsValidUpTo_ = 0;   // chunks before this one have a correct start
    mutable int lastChunk_ = 0;          // where the last lookup landed
    mutable std::vector<Cell> cells_;
    std::vector<int> number_;            // per cell: its block number
    mutable std::vector<int> parent_;    // per cell: the cell it was merged into, or -1
    std::vector<int> byNumber_;          // block number -> its cell (a root), or -1
};
