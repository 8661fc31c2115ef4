#include "manager/cardfile/core/recordlist.h"

#include <array>
#include <cstring>
#include <deque>
#include "platform/exception.h"
#include "platform/rtl.h"
#include "platform/textfile.h"

int RecordList::ChunkLimit = 256;

struct RecordList::Chunk {
    std::vector<Line> lines;
    std::vector<char> text;  // every text line's bytes, one after the other
    int order = 0;           // its place in chunks_
    int irregular = 0;       // lines beginning with "<BLOC" or "</BLOC" kept as text
    int cp1252 = 0;          // lines of the kind Cp1252
    int utf16 = 0;           // lines of the kind Utf16

    quint32 Start(int j) const { return SpanOf(*this).Start(j); }
    // For a text line: 1 when it begins with "<BLOC", 2 with "</BLOC", else 0.
    int Prefix(int j) const;
};

// Lines made ready to go into a chunk: their ends counted from the start of their own text.
struct RecordList::Run {
    std::vector<Line> lines;
    std::vector<char> text;
};

namespace {

constexpr char kStart[] = "<BLOC";
constexpr char kEnd[] = "</BLOC";

// 1 for a text beginning with "<BLOC", 2 for one beginning with "</BLOC", else 0.
template <class C>
int TagPrefix(const C* s, qsizetype n)
{
    auto begins = [&](const char* prefix, qsizetype size) {
        if (n < size)
            return false;
        for (qsizetype i = 0; i < size; ++i)
            if (s[i] != C(prefix[i]))
                return false;
        return true;
    };
    return begins(kStart, 5) ? 1 : begins(kEnd, 6) ? 2 : 0;
}

// Room enough for any tag's text, whatever its number.
int TagRoom(int width)
{
    return std::max(16, width + 19);
}

constexpr std::array<int, 10> kPowers{1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

bool TagFits(int n, int width)
{
    return n >= 0 && (width >= 10 || n < kPowers[width]);
}

// A tag in the list's form written at `out`; the caller has checked that it fits.
template <class C>
int WriteTag(C* out, bool end, int n, int width)
{
    const int prefix = end ? 6 : 5;
    const char* head = end ? kEnd : kStart;
    for (int i = 0; i < prefix; ++i)
        out[i] = C(head[i]);
    for (int i = prefix + width - 1; i >= prefix; --i, n /= 10)
        out[i] = C('0' + n % 10);
    out[prefix + width] = C('>');
    return prefix + width + 1;
}

// Tags are read far more often than anything else is made: built by hand, not by arg().
QString MakeTag(bool end, int n, int width)
{
    if (!TagFits(n, width))
        return QStringLiteral("%1%2>").arg(QLatin1String(end ? kEnd : kStart)).arg(n, width, 10, QLatin1Char('0'));
    QString tag((end ? 6 : 5) + width + 1, Qt::Uninitialized);
    WriteTag(reinterpret_cast<char16_t*>(tag.data()), end, n, width);
    return tag;
}

using textfile::ReadsAsLatin1;

// Asks the memory for the cache lines that hold from .. to (excluded), to be read soon.
void Prefetch(const void* from, const void* to)
{
    constexpr quintptr kLine = 64;
    for (quintptr at = reinterpret_cast<quintptr>(from) & ~(kLine - 1); at < reinterpret_cast<quintptr>(to);
         at += kLine)
        __builtin_prefetch(reinterpret_cast<const void*>(at));
}

template <class Refs>
void RemoveOne(Refs& refs, const void* chunk)
{
    for (qsizetype i = 0; i < refs.size(); ++i) {
        if (refs[i] == chunk) {
            refs[i] = refs.back();
            refs.removeLast();
            return;
        }
    }
}

}  // namespace

int RecordList::Chunk::Prefix(int j) const
{
    const quint32 start = Start(j);
    const char* s = text.data() + start;
    const qsizetype size = lines[j].end - start;
    if (lines[j].code != Utf16)
        return TagPrefix(s, size);
    char16_t head[6];
    const qsizetype n = std::min<qsizetype>(size / 2, 6);
    std::memcpy(head, s, n * sizeof(char16_t));
    return TagPrefix(head, n);
}

void RecordList::OutOfBounds(int index)
{
    throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
}

RecordList::RecordList(int width) : width_(width) {}

RecordList::RecordList(const RecordList& other) : width_(other.width_)
{
    CopyFrom(other);
}

RecordList::RecordList(RecordList&& other) noexcept : width_(other.width_)
{
    Take(other);
}

RecordList& RecordList::operator=(const RecordList& other)
{
    if (this != &other) {
        width_ = other.width_;
        CopyFrom(other);
    }
    return *this;
}

RecordList& RecordList::operator=(RecordList&& other) noexcept
{
    if (this != &other) {
        width_ = other.width_;
        Take(other);
    }
    return *this;
}

RecordList::~RecordList() = default;

void RecordList::Take(RecordList& other) noexcept
{
    count_ = other.count_;
    startLines_ = other.startLines_;
    endLines_ = other.endLines_;
    chunks_ = std::move(other.chunks_);
    sizes_ = std::move(other.sizes_);
    spans_ = std::move(other.spans_);
    starts_ = std::move(other.starts_);
    startsValidUpTo_ = other.startsValidUpTo_;
    lastChunk_ = other.lastChunk_;
    cells_ = std::move(other.cells_);
    number_ = std::move(other.number_);
    parent_ = std::move(other.parent_);
    byNumber_ = std::move(other.byNumber_);
    other.Clear();
}

// The chunks copied as they are; only the tags are registered again, in cells of this list.
void RecordList::CopyFrom(const RecordList& other)
{
    Clear();
    for (const auto& from : other.chunks_) {
        auto chunk = std::make_unique<Chunk>(*from);
        for (Line& line : chunk->lines) {
            if (line.code < 0)
                continue;
            line.code = RegisterTag(chunk.get(), other.number_[other.Root(line.code >> 1)], line.code & 1);
        }
        const int lines = int(chunk->lines.size());
        AppendChunk(std::move(chunk), lines);
    }
    startLines_ = other.startLines_;
    endLines_ = other.endLines_;
    Reorder(0);
}

RecordList& RecordList::operator=(const QStringList& lines)
{
    Assign(lines);
    return *this;
}

// ---- tags and number cells ---------------------------------------------------------------------

QString RecordList::StartTag(int n) const
{
    return MakeTag(false, n, width_);
}

QString RecordList::EndTag(int n) const
{
    return MakeTag(true, n, width_);
}

char* RecordList::WriteTagBytes(char* out, bool end, int n) const
{
    if (TagFits(n, width_))
        return out + WriteTag(out, end, n, width_);
    const QByteArray tag = textfile::EncodeCp1252(MakeTag(end, n, width_));
    return std::copy(tag.begin(), tag.end(), out);
}

template <class C>
bool RecordList::Canonical(const C* text, qsizetype size, int& n, bool& end) const
{
    const int kind = TagPrefix(text, size);
    if (kind == 0)
        return false;
    end = kind == 2;
    const int prefix = end ? 6 : 5;
    if (size != prefix + width_ + 1 || text[size - 1] != C('>'))
        return false;
    n = 0;
    for (int i = prefix; i < prefix + width_; ++i) {
        const auto c = static_cast<char16_t>(text[i]);
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c - u'0');
    }
    return true;
}

bool RecordList::TagNumber(const QString& line, int& n) const
{
    int prefix;
    if (line.startsWith(QLatin1String(kStart)))
        prefix = 5;
    else if (line.startsWith(QLatin1String(kEnd)))
        prefix = 6;
    else
        return false;
    const QString digits = line.mid(prefix, width_);
    if (!digits.isEmpty()
        && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; })) {
        n = digits.toInt();
        return true;
    }
    try {
        n = rtl::StrToInt(digits);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

int RecordList::Root(int cell) const
{
    int root = cell;
    while (parent_[root] >= 0)
        root = parent_[root];
    while (parent_[cell] >= 0) {
        const int next = parent_[cell];
        parent_[cell] = root;
        cell = next;
    }
    return root;
}

int RecordList::CellFor(int n)
{
    if (n >= int(byNumber_.size()))
        byNumber_.resize(n + 1, -1);
    if (byNumber_[n] < 0) {
        cells_.emplace_back();
        number_.push_back(n);
        parent_.push_back(-1);
        byNumber_[n] = int(cells_.size()) - 1;
    }
    return byNumber_[n];
}

// A tag line of number n in `chunk`: its cell, made if need be, knows it.
qint32 RecordList::RegisterTag(Chunk* chunk, int n, bool end)
{
    const int cell = CellFor(n);
    ++cells_[cell].refs[end];
    cells_[cell].chunks[end].append(chunk);
    ++(end ? endLines_ : startLines_);
    return cell * 2 + end;
}

// ---- the lines' text ---------------------------------------------------------------------------

RecordList::Span RecordList::SpanOf(const Chunk& chunk)
{
    return {chunk.lines.data(), chunk.text.data()};
}

QString RecordList::TextOf(Span span, int j) const
{
    const Line& line = span.lines[j];
    if (line.code >= 0)
        return MakeTag(line.code & 1, number_[Root(line.code >> 1)], width_);
    const quint32 start = span.Start(j);
    const char* text = span.text + start;
    const qsizetype size = line.end - start;
    switch (line.code) {
    case Latin1:
        return QString::fromLatin1(text, size);
    case Cp1252: {
        QString s(size, Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(s.data());
        for (qsizetype i = 0; i < size; ++i)
            out[i] = textfile::Cp1252Chars[static_cast<unsigned char>(text[i])];
        return s;
    }
    default: {
        QString s(size / 2, Qt::Uninitialized);
        std::memcpy(s.data(), text, size);
        return s;
    }
    }
}

int RecordList::TagText(char16_t* out, int code) const
{
    const int n = number_[Root(code >> 1)];
    if (TagFits(n, width_))
        return WriteTag(out, code & 1, n, width_);
    const QString tag = MakeTag(code & 1, n, width_);
    std::memcpy(out, tag.constData(), tag.size() * sizeof(char16_t));
    return int(tag.size());
}

// The chunk's bytes are widened in one pass, which is the whole of the work for Latin-1 lines; the
// other kinds are then read again over their own span, and the tags are written after the text.
void RecordList::Decode(int c, int offset, int n, Views& views) const
{
    const Chunk& chunk = *chunks_[c];
    const quint32 first = chunk.Start(offset);
    const quint32 last = chunk.lines[offset + n - 1].end;
    views.text.resize(qsizetype(last - first) + qsizetype(n) * TagRoom(width_));
    views.lines.resize(n);
    char16_t* out = views.text.data();
    const auto* bytes = reinterpret_cast<const unsigned char*>(chunk.text.data()) + first;
    for (quint32 i = 0; i < last - first; ++i)
        out[i] = bytes[i];
    const bool mixed = chunk.cp1252 > 0 || chunk.utf16 > 0;
    char16_t* tags = out + (last - first);
    quint32 start = first;
    for (int k = 0; k < n; ++k) {
        const Line& line = chunk.lines[offset + k];
        if (line.code >= 0) {
            const int size = TagText(tags, line.code);
            views.lines[k] = QStringView(tags, size);
            tags += size;
            continue;
        }
        char16_t* at = out + (start - first);
        const quint32 size = line.end - start;
        if (mixed && line.code == Cp1252) {
            for (quint32 i = 0; i < size; ++i)
                at[i] = textfile::Cp1252Chars[bytes[start - first + i]];
        } else if (mixed && line.code == Utf16) {
            std::memcpy(at, bytes + (start - first), size);
            views.lines[k] = QStringView(at, size / 2);
            start = line.end;
            continue;
        }
        views.lines[k] = QStringView(at, size);
        start = line.end;
    }
}

// The text lines of the code page are handed out where they are; the tags are written into the
// run's own buffer, made to its size first so that it never moves.
void RecordList::EncodeRun(int c, int offset, int n, ByteViews& views) const
{
    const Chunk& chunk = *chunks_[c];
    views.tags.resize(qsizetype(n) * TagRoom(width_));
    views.lines.resize(n);
    char* out = views.tags.data();
    QVarLengthArray<char16_t, 64> tag(TagRoom(width_));
    for (int k = 0; k < n; ++k) {
        const int j = offset + k;
        const Line& line = chunk.lines[j];
        if (line.code >= 0) {
            const int number = number_[Root(line.code >> 1)];
            int size;
            if (TagFits(number, width_)) {
                size = WriteTag(out, line.code & 1, number, width_);
            } else {
                size = TagText(tag.data(), line.code);
                for (int i = 0; i < size; ++i)
                    out[i] = char(tag[i]);
            }
            views.lines[k] = QByteArrayView(out, size);
            out += size;
        } else if (line.code == Utf16) {
            views.lines[k] = views.wide.emplace_back(textfile::EncodeCp1252(TextOf(chunk, j)));
        } else {
            const quint32 start = chunk.Start(j);
            views.lines[k] = QByteArrayView(chunk.text.data() + start, line.end - start);
        }
    }
}

void RecordList::PrefetchLines(int c) const
{
    Prefetch(spans_[c].lines, spans_[c].lines + sizes_[c]);
}

// Tags in the list's form are known by their code; text that begins like one only in the chunks
// that hold any.
int RecordList::TagsOf(int c, TagAt* tags) const
{
    const Chunk& chunk = *chunks_[c];
    const Line* lines = chunk.lines.data();
    const int size = int(chunk.lines.size());
    int n = 0;
    if (chunk.irregular == 0) {
        for (int j = 0; j < size; ++j)
            if (lines[j].code >= 0)
                tags[n++] = {j, bool(lines[j].code & 1)};
        return n;
    }
    for (int j = 0; j < size; ++j) {
        if (lines[j].code >= 0)
            tags[n++] = {j, bool(lines[j].code & 1)};
        else if (const int prefix = chunk.Prefix(j))
            tags[n++] = {j, prefix == 2};
    }
    return n;
}

// A line made ready for `chunk`: a tag in the list's form takes its cell, any other text its bytes.
void RecordList::Encode(Chunk* chunk, QStringView text, Run& run)
{
    int n;
    bool end;
    if (Canonical(text.utf16(), text.size(), n, end)) {
        run.lines.push_back({quint32(run.text.size()), RegisterTag(chunk, n, end)});
        return;
    }
    const std::size_t at = run.text.size();
    run.text.resize(at + text.size());
    char* out = run.text.data() + at;
    qint32 kind = Latin1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out[i] = char(c);
            continue;
        }
        const int b = textfile::Cp1252Byte(c);
        if (b < 0) {
            kind = Utf16;
            break;
        }
        out[i] = char(b);
        if (c > 0xFF)
            kind = Cp1252;
    }
    if (kind == Utf16) {
        run.text.resize(at + text.size() * sizeof(char16_t));
        std::memcpy(run.text.data() + at, text.utf16(), text.size() * sizeof(char16_t));
        ++chunk->utf16;
    } else if (kind == Cp1252) {
        ++chunk->cp1252;
    }
    run.lines.push_back({quint32(run.text.size()), kind});
    if (const int prefix = TagPrefix(text.utf16(), text.size())) {
        ++(prefix == 1 ? startLines_ : endLines_);
        ++chunk->irregular;
    }
}

void RecordList::Unregister(Chunk* chunk, int j)
{
    const Line& line = chunk->lines[j];
    if (line.code >= 0) {
        const bool end = line.code & 1;
        Cell& cell = cells_[Root(line.code >> 1)];
        --cell.refs[end];
        RemoveOne(cell.chunks[end], chunk);
        --(end ? endLines_ : startLines_);
        return;
    }
    chunk->utf16 -= line.code == Utf16;
    chunk->cp1252 -= line.code == Cp1252;
    if (const int prefix = chunk->Prefix(j)) {
        --(prefix == 1 ? startLines_ : endLines_);
        --chunk->irregular;
    }
}

// ---- chunks ------------------------------------------------------------------------------------

void RecordList::EnsureStarts() const
{
    const int n = int(sizes_.size());
    if (startsValidUpTo_ >= n)
        return;
    starts_.resize(n);
    int pos = startsValidUpTo_ > 0 ? starts_[startsValidUpTo_ - 1] + sizes_[startsValidUpTo_ - 1] : 0;
    for (int c = startsValidUpTo_; c < n; ++c) {
        starts_[c] = pos;
        pos += sizes_[c];
    }
    startsValidUpTo_ = n;
}

void RecordList::Touch(int chunk)
{
    // The chunk's own start holds; those after it moved.
    startsValidUpTo_ = std::min(startsValidUpTo_, chunk + 1);
}

void RecordList::Reorder(int from)
{
    spans_.resize(chunks_.size());
    for (int c = from; c < int(chunks_.size()); ++c) {
        chunks_[c]->order = c;
        spans_[c] = SpanOf(*chunks_[c]);
    }
    startsValidUpTo_ = std::min(startsValidUpTo_, from);
}

void RecordList::Locate(int index, int& chunk, int& offset) const
{
    // Reading lines one after the other lands in the same chunk or the next one.
    const int last = lastChunk_;
    if (last < startsValidUpTo_) {
        const int rel = index - starts_[last];
        if (unsigned(rel) < unsigned(sizes_[last])) {
            chunk = last;
            offset = rel;
            return;
        }
        if (last + 1 < startsValidUpTo_ && unsigned(rel - sizes_[last]) < unsigned(sizes_[last + 1])) {
            chunk = lastChunk_ = last + 1;
            offset = rel - sizes_[last];
            return;
        }
    }
    EnsureStarts();
    // The last chunk starting at or before index, found without branches: reads far apart would
    // otherwise pay a mispredicted jump at every step.
    const int* first = starts_.data();
    for (int n = int(chunks_.size()); n > 1;) {
        const int half = n / 2;
        first = first[half] <= index ? first + half : first;
        n -= half;
    }
    chunk = lastChunk_ = int(first - starts_.data());
    offset = index - starts_[chunk];
}

void RecordList::AppendChunk(std::unique_ptr<Chunk> chunk, int lines)
{
    sizes_.push_back(lines);
    spans_.push_back(SpanOf(*chunk));
    chunks_.push_back(std::move(chunk));
    count_ += lines;
}

// The lines [at, at + remove) of a chunk give way to the run's, whose tags and counts are already
// the chunk's; the removed lines must have been unregistered.
void RecordList::Splice(int c, int at, int remove, Run& run)
{
    Chunk& chunk = *chunks_[c];
    const quint32 from = chunk.Start(at);
    const quint32 to = remove > 0 ? chunk.lines[at + remove - 1].end : from;
    const qint64 delta = qint64(run.text.size()) - qint64(to - from);
    if (run.text.size() > std::size_t(to - from)) {
        chunk.text.insert(chunk.text.begin() + to, run.text.size() - (to - from), 0);
    } else {
        chunk.text.erase(chunk.text.begin() + from + run.text.size(), chunk.text.begin() + to);
    }
    std::copy(run.text.begin(), run.text.end(), chunk.text.begin() + from);
    for (Line& line : run.lines)
        line.end += from;
    for (auto it = chunk.lines.begin() + at + remove; it != chunk.lines.end(); ++it)
        it->end = quint32(it->end + delta);
    const int added = int(run.lines.size()) - remove;
    if (added >= 0) {
        std::copy(run.lines.begin(), run.lines.begin() + remove, chunk.lines.begin() + at);
        chunk.lines.insert(chunk.lines.begin() + at + remove, run.lines.begin() + remove, run.lines.end());
    } else {
        std::copy(run.lines.begin(), run.lines.end(), chunk.lines.begin() + at);
        chunk.lines.erase(chunk.lines.begin() + at + run.lines.size(), chunk.lines.begin() + at + remove);
    }
    count_ += added;
    sizes_[c] += added;
    spans_[c] = SpanOf(chunk);
    Touch(c);
}

void RecordList::MoveRefs(Chunk* from, Chunk* to, const Line& line, int prefix)
{
    if (line.code >= 0) {
        auto& refs = cells_[Root(line.code >> 1)].chunks[line.code & 1];
        for (auto& c : refs) {
            if (c == from) {
                c = to;
                break;
            }
        }
        return;
    }
    if (prefix) {
        --from->irregular;
        ++to->irregular;
    }
    if (line.code == Cp1252) {
        --from->cp1252;
        ++to->cp1252;
    } else if (line.code == Utf16) {
        --from->utf16;
        ++to->utf16;
    }
}

void RecordList::SplitIfFull(int chunk)
{
    Chunk* full = chunks_[chunk].get();
    const int size = int(full->lines.size());
    const int limit = std::max(2, ChunkLimit);
    if (size <= limit)
        return;
    const int piece = limit / 2;
    std::vector<std::unique_ptr<Chunk>> pieces;
    std::vector<int> pieceSizes;
    for (int from = piece; from < size; from += piece) {
        auto next = std::make_unique<Chunk>();
        const int to = std::min(size, from + piece);
        const quint32 base = full->Start(from);
        next->text.assign(full->text.begin() + base, full->text.begin() + full->lines[to - 1].end);
        next->lines.reserve(to - from);
        for (int j = from; j < to; ++j) {
            const Line& line = full->lines[j];
            MoveRefs(full, next.get(), line, line.code < 0 ? full->Prefix(j) : 0);
            next->lines.push_back({line.end - base, line.code});
        }
        pieceSizes.push_back(to - from);
        pieces.push_back(std::move(next));
    }
    full->text.resize(full->lines[piece - 1].end);
    full->text.shrink_to_fit();
    full->lines.resize(piece);
    full->lines.shrink_to_fit();
    spans_[chunk] = SpanOf(*full);
    sizes_[chunk] = piece;
    sizes_.insert(sizes_.begin() + chunk + 1, pieceSizes.begin(), pieceSizes.end());
    chunks_.insert(chunks_.begin() + chunk + 1, std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
    Reorder(chunk + 1);
}

void RecordList::RemoveChunk(int chunk)
{
    chunks_.erase(chunks_.begin() + chunk);
    sizes_.erase(sizes_.begin() + chunk);
    spans_.erase(spans_.begin() + chunk);
    Reorder(chunk);
    lastChunk_ = 0;
}

// ---- the string-list operations ----------------------------------------------------------------

namespace {

int LoadFill()
{
    return std::max(1, std::max(2, RecordList::ChunkLimit) * 3 / 4);
}

}  // namespace

void RecordList::Assign(const QStringList& lines)
{
    Clear();
    const int fill = LoadFill();
    for (int from = 0; from < lines.size(); from += fill) {
        auto chunk = std::make_unique<Chunk>();
        const int to = std::min(int(lines.size()), from + fill);
        // The buffer made to the size of the text lines at once: a list walked line after line
        // reads its chunks' buffers best when they were not grown piece by piece.
        std::size_t size = 0;
        for (int j = from; j < to; ++j) {
            int n;
            bool end;
            if (!Canonical(lines[j].utf16(), lines[j].size(), n, end))
                size += lines[j].size();
        }
        Run run;
        run.lines.reserve(to - from);
        run.text.reserve(size);
        for (int j = from; j < to; ++j)
            Encode(chunk.get(), lines[j], run);
        chunk->lines = std::move(run.lines);
        chunk->text = std::move(run.text);
        if (chunk->text.capacity() != chunk->text.size())
            chunk->text.shrink_to_fit();
        AppendChunk(std::move(chunk), to - from);
    }
    Reorder(0);
}

void RecordList::AssignFileBytes(QByteArrayView bytes)
{
    Clear();
    AppendFileBytes(bytes);
}

// Most lines of a card file are short and many are empty: each chunk's lines are found first, with
// their tags' numbers, then its buffer is made to size at once and filled.
void RecordList::AppendFileBytes(QByteArrayView bytes)
{
    constexpr qint32 StartFound = -10;
    constexpr qint32 EndFound = -11;
    struct Found {
        const char* text;
        quint32 size;
        qint32 code;  // Latin1 for text, or StartFound / EndFound for a tag in the list's form
        int number;   // a tag's
    };
    const int fill = LoadFill();
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    std::vector<Found> found;
    found.reserve(fill);
    const int first = int(chunks_.size());
    while (p < end) {
        found.clear();
        std::size_t size = 0;
        const char* const begin = p;
        while (p < end && int(found.size()) < fill) {
            const char* q = textfile::LineEnd(p, end);
            const auto n = quint32(q - p);
            int number = 0;
            bool tagEnd = false;
            if (n > 0 && *p == '<' && Canonical(p, n, number, tagEnd)) {
                found.push_back({p, 0, tagEnd ? EndFound : StartFound, number});
            } else {
                found.push_back({p, n, Latin1, 0});
                size += n;
            }
            p = textfile::NextLine(q, end);
        }
        // Most chunks hold no byte of 0x80-0x9F at all: one look at their bytes spares a look at
        // each line's.
        const bool latin1 = ReadsAsLatin1(begin, p - begin);
        auto chunk = std::make_unique<Chunk>();
        chunk->lines.reserve(found.size());
        chunk->text.resize(size);
        char* out = chunk->text.data();
        quint32 at = 0;
        for (std::size_t k = 0; k < found.size(); ++k) {
            const Found& f = found[k];
            if (f.code <= StartFound) {
                chunk->lines.push_back({at, RegisterTag(chunk.get(), f.number, f.code == EndFound)});
                continue;
            }
            if (f.size > 0) {
                std::memcpy(out + at, f.text, f.size);
                at += f.size;
                if (const int prefix = *f.text == '<' ? TagPrefix(f.text, f.size) : 0) {
                    ++(prefix == 1 ? startLines_ : endLines_);
                    ++chunk->irregular;
                }
            }
            const qint32 kind = latin1 || ReadsAsLatin1(f.text, f.size) ? Latin1 : Cp1252;
            chunk->lines.push_back({at, kind});
            chunk->cp1252 += kind == Cp1252;
        }
        AppendChunk(std::move(chunk), int(found.size()));
    }
    Reorder(first);
}

// A chunk's lines are most often all Latin-1 and hold no tag-like text: one look at their bytes
// tells, and they are then filed with no look at each line's text but its first byte.
void RecordList::AppendPacked(QByteArrayView text, std::span<const qsizetype> ends)
{
    for (std::size_t k = 0; k < ends.size(); ++k)
        if (ends[k] < (k > 0 ? ends[k - 1] : 0) || ends[k] > text.size())
            OutOfBounds(int(k));
    const int fill = LoadFill();
    const int first = int(chunks_.size());
    const char* const base = text.data();
    for (std::size_t from = 0; from < ends.size();) {
        const std::size_t to = std::min(ends.size(), from + fill);
        const qsizetype begin = from > 0 ? ends[from - 1] : 0;
        const bool latin1 = ReadsAsLatin1(base + begin, ends[to - 1] - begin);
        auto chunk = std::make_unique<Chunk>();
        chunk->lines.reserve(to - from);
        chunk->text.reserve(std::size_t(ends[to - 1] - begin));
        qsizetype start = begin;
        qsizetype copied = begin;  // text up to here is in the chunk, or was a tag's
        for (std::size_t k = from; k < to; ++k) {
            const char* line = base + start;
            const qsizetype size = ends[k] - start;
            start = ends[k];
            if (size == 0 || *line != '<') {
                const quint32 at = quint32(chunk->text.size() + (start - copied));
                const qint32 kind = latin1 || ReadsAsLatin1(line, size) ? Latin1 : Cp1252;
                chunk->lines.push_back({at, kind});
                chunk->cp1252 += kind == Cp1252;
                continue;
            }
            int number;
            bool tagEnd;
            if (Canonical(line, size, number, tagEnd)) {
                chunk->text.insert(chunk->text.end(), base + copied, line);
                copied = start;
                chunk->lines.push_back({quint32(chunk->text.size()), RegisterTag(chunk.get(), number, tagEnd)});
                continue;
            }
            const qint32 kind = latin1 || ReadsAsLatin1(line, size) ? Latin1 : Cp1252;
            chunk->lines.push_back({quint32(chunk->text.size() + (start - copied)), kind});
            chunk->cp1252 += kind == Cp1252;
            if (const int prefix = TagPrefix(line, size)) {
                ++(prefix == 1 ? startLines_ : endLines_);
                ++chunk->irregular;
            }
        }
        chunk->text.insert(chunk->text.end(), base + copied, base + start);
        AppendChunk(std::move(chunk), int(to - from));
        from = to;
    }
    Reorder(first);
}

// ---- building anew ----------------------------------------------------------------------------

// The new chunks are filled one after the other: first their lines, with the pieces of text they
// take noted, then their buffer at its final size in one go. Tags are registered afresh in this
// list's cells; a tag too long for the list's form is text, kept beside the pieces until its chunk
// is done.
void RecordList::ArrangeBlocks(std::span<const Range> blocks)
{
    for (const Range& r : blocks) {
        if (r.from < 0 || r.from > count_)
            OutOfBounds(r.from);
        if (r.to < r.from || r.to > count_)
            OutOfBounds(r.to);
    }
    const RecordList old(std::move(*this));
    const int fill = LoadFill();
    std::unique_ptr<Chunk> chunk;
    std::vector<std::pair<const char*, quint32>> pieces;
    std::deque<QByteArray> longTags;
    quint32 size = 0;
    const auto finish = [&] {
        if (!chunk)
            return;
        chunk->text.reserve(size);
        for (const auto& [text, n] : pieces)
            chunk->text.insert(chunk->text.end(), text, text + n);
        const int lines = int(chunk->lines.size());
        AppendChunk(std::move(chunk), lines);
        pieces.clear();
        longTags.clear();
        size = 0;
    };
    const auto room = [&]() -> Chunk& {
        if (!chunk || int(chunk->lines.size()) >= fill) {
            finish();
            chunk = std::make_unique<Chunk>();
            chunk->lines.reserve(fill);
        }
        return *chunk;
    };
    const auto addTag = [&](bool end, int n) {
        Chunk& to = room();
        if (TagFits(n, width_)) {
            to.lines.push_back({size, RegisterTag(&to, n, end)});
            return;
        }
        const QByteArray& tag = longTags.emplace_back(textfile::EncodeCp1252(MakeTag(end, n, width_)));
        pieces.emplace_back(tag.constData(), quint32(tag.size()));
        size += quint32(tag.size());
        to.lines.push_back({size, Latin1});
        ++to.irregular;
        ++(end ? endLines_ : startLines_);
    };
    // The old chunks' spans and counts are read from the old list's own arrays, so that a block
    // costs no visit to its chunk but for its lines and text.
    std::vector<char> irregular(old.chunks_.size());
    for (std::size_t c = 0; c < old.chunks_.size(); ++c)
        irregular[c] = old.chunks_[c]->irregular > 0;
    cells_.reserve(blocks.size());
    number_.reserve(blocks.size());
    parent_.reserve(blocks.size());
    byNumber_.reserve(blocks.size());
    const auto addLines = [&](std::size_t j) {
        int from = blocks[j].from;
        const int to = blocks[j].to;
        if (from == to)
            return;
        int c, off;
        old.Locate(from, c, off);
        while (from < to) {
            const Span source = old.spans_[c];
            Chunk& into = room();
            const int n = std::min({old.sizes_[c] - off, to - from, fill - int(into.lines.size())});
            const quint32 base = source.Start(off);
            const quint32 shift = size - base;  // modulo 2^32, as the ends are
            const std::size_t first = into.lines.size();
            into.lines.resize(first + n);
            const Line* in = source.lines + off;
            Line* out = into.lines.data() + first;
            int cp1252 = 0, utf16 = 0;
            bool tags = false;
            for (int k = 0; k < n; ++k) {
                const Line line = in[k];
                out[k] = {line.end + shift, line.code};
                cp1252 += line.code == Cp1252;
                utf16 += line.code == Utf16;
                tags |= line.code >= 0;
            }
            into.cp1252 += cp1252;
            into.utf16 += utf16;
            if (tags) {
                for (int k = 0; k < n; ++k)
                    if (in[k].code >= 0)
                        out[k].code = RegisterTag(&into, old.number_[old.Root(in[k].code >> 1)], in[k].code & 1);
            }
            if (irregular[c]) {
                const Chunk& chunk = *old.chunks_[c];
                for (int k = 0; k < n; ++k) {
                    if (in[k].code >= 0)
                        continue;
                    if (const int prefix = chunk.Prefix(off + k)) {
                        ++(prefix == 1 ? startLines_ : endLines_);
                        ++into.irregular;
                    }
                }
            }
            const quint32 last = in[n - 1].end;
            if (last > base) {
                pieces.emplace_back(source.text + base, last - base);
                size += last - base;
            }
            from += n;
            off += n;
            if (off == old.sizes_[c]) {
                ++c;
                off = 0;
            }
        }
    };
    // The blocks come from all over the old list, each from memory the last one did not touch: the
    // lines of the block after next and the text of the next are asked for ahead, so that the
    // memory fetches them while this block is copied.
    const auto ahead = [&](std::size_t j, bool text) {
        const Range& r = blocks[j];
        if (r.from >= r.to)
            return;
        int c, off;
        old.Locate(r.from, c, off);
        const Span source = old.spans_[c];
        const int last = std::min(old.sizes_[c], off + r.size()) - 1;
        const char* from =
            text ? source.text + source.Start(off) : reinterpret_cast<const char*>(source.lines + std::max(0, off - 1));
        const char* to =
            text ? source.text + source.lines[last].end : reinterpret_cast<const char*>(source.lines + last + 1);
        Prefetch(from, to);
    };
    for (std::size_t j = 0; j < blocks.size(); ++j) {
        if (j + 2 < blocks.size())
            ahead(j + 2, false);
        if (j + 1 < blocks.size())
            ahead(j + 1, true);
        addTag(false, int(j));
        addLines(j);
        addTag(true, int(j));
    }
    finish();
    Reorder(0);
}

QStringList RecordList::Strings(std::span<const int> indexes) const
{
    std::vector<std::pair<int, int>> where(indexes.size());
    for (std::size_t k = 0; k < indexes.size(); ++k) {
        if (indexes[k] < 0 || indexes[k] >= count_)
            OutOfBounds(indexes[k]);
        Locate(indexes[k], where[k].first, where[k].second);
    }
    // Where a line's text begins is read from the line before it, so the lines are asked for twice
    // as far ahead as their text.
    constexpr std::size_t kAhead = 8;
    const auto lineOf = [&](std::size_t k) { return spans_[where[k].first].lines + where[k].second; };
    QStringList out;
    out.reserve(qsizetype(indexes.size()));
    for (std::size_t k = 0; k < indexes.size(); ++k) {
        if (k + 2 * kAhead < indexes.size()) {
            const Line* line = lineOf(k + 2 * kAhead);
            Prefetch(where[k + 2 * kAhead].second > 0 ? line - 1 : line, line + 1);
        }
        if (k + kAhead < indexes.size()) {
            const auto [c, off] = where[k + kAhead];
            const Span span = spans_[c];
            Prefetch(span.text + span.Start(off), span.text + span.lines[off].end);
        }
        out.append(TextOf(spans_[where[k].first], where[k].second));
    }
    return out;
}

QStringList RecordList::ToStringList() const
{
    QStringList out;
    out.reserve(count_);
    for (const auto& chunk : chunks_)
        for (int j = 0; j < int(chunk->lines.size()); ++j)
            out.append(TextOf(*chunk, j));
    return out;
}

QByteArray RecordList::ToFileBytes() const
{
    // Room for the text as it is kept (a UTF-16 line takes more than it writes), the tags and the
    // line ends.
    qsizetype room = 0;
    for (const auto& chunk : chunks_)
        room += qsizetype(chunk->text.size());
    room += qsizetype(startLines_ + endLines_) * TagRoom(width_) + qsizetype(count_) * 2;
    QByteArray bytes(room, Qt::Uninitialized);
    char* out = bytes.data();
    for (const auto& chunk : chunks_) {
        quint32 start = 0;
        for (int j = 0; j < int(chunk->lines.size()); ++j) {
            const Line& line = chunk->lines[j];
            if (line.code >= 0) {
                const int n = number_[Root(line.code >> 1)];
                if (TagFits(n, width_)) {
                    out += WriteTag(out, line.code & 1, n, width_);
                } else {
                    const QByteArray tag = textfile::EncodeCp1252(MakeTag(line.code & 1, n, width_));
                    out = std::copy(tag.begin(), tag.end(), out);
                }
            } else if (line.code == Utf16) {
                const QByteArray text = textfile::EncodeCp1252(TextOf(*chunk, j));
                out = std::copy(text.begin(), text.end(), out);
            } else if (line.end > start) {
                // An empty line may stand in a chunk whose buffer holds nothing yet.
                std::memcpy(out, chunk->text.data() + start, line.end - start);
                out += line.end - start;
            }
            start = line.end;
            *out++ = '\r';
            *out++ = '\n';
        }
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QString RecordList::Strings(int index) const
{
    if (index < 0 || index >= count_)
        OutOfBounds(index);
    int c, off;
    Locate(index, c, off);
    return TextOf(spans_[c], off);
}

void RecordList::Put(int index, const QString& line)
{
    if (index < 0 || index >= count_)
        OutOfBounds(index);
    int c, off;
    Locate(index, c, off);
    Chunk* chunk = chunks_[c].get();
    Unregister(chunk, off);
    Run run;
    Encode(chunk, line, run);
    Splice(c, off, 1, run);
}

int RecordList::IndexOf(const QString& line) const
{
    int n;
    bool end;
    if (Canonical(line.utf16(), line.size(), n, end))
        return FirstTag(n, end);
    // Tags in the list's own form are never stored as text, so only text lines can match; a text
    // is kept one way only, so only lines kept as it would be can match.
    QByteArray probe = textfile::EncodeCp1252(line);
    bool wide = false;
    for (qsizetype i = 0; i < line.size() && !wide; ++i)
        wide = textfile::Cp1252Byte(line[i].unicode()) < 0;
    if (wide)
        probe = QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * sizeof(char16_t));
    int pos = 0;
    for (const auto& chunk : chunks_) {
        quint32 start = 0;
        for (const Line& l : chunk->lines) {
            if (l.code < 0 && (l.code == Utf16) == wide && l.end - start == quint32(probe.size())
                && (probe.isEmpty() || std::memcmp(chunk->text.data() + start, probe.constData(), probe.size()) == 0))
                return pos;
            start = l.end;
            ++pos;
        }
    }
    return -1;
}

int RecordList::FirstTag(int n, bool end) const
{
    if (n >= int(byNumber_.size()) || byNumber_[n] < 0)
        return -1;
    const int root = byNumber_[n];
    const Cell& cell = cells_[root];
    if (cell.refs[end] == 0)
        return -1;
    const Chunk* best = *std::min_element(cell.chunks[end].begin(), cell.chunks[end].end(),
                                          [](const Chunk* a, const Chunk* b) { return a->order < b->order; });
    EnsureStarts();
    for (int j = 0; j < int(best->lines.size()); ++j) {
        const Line& l = best->lines[j];
        if (l.code >= 0 && (l.code & 1) == end && Root(l.code >> 1) == root)
            return starts_[best->order] + j;
    }
    return -1;
}

void RecordList::Add(const QString& line)
{
    Insert(count_, QStringList{line});
}

void RecordList::Add(const QStringList& lines)
{
    Insert(count_, lines);
}

void RecordList::Insert(int index, const QString& line)
{
    Insert(index, QStringList{line});
}

void RecordList::Insert(int index, const QStringList& lines)
{
    if (index < 0 || index > count_)
        OutOfBounds(index);
    if (lines.isEmpty())
        return;
    int c, off;
    if (chunks_.empty()) {
        AppendChunk(std::make_unique<Chunk>(), 0);
        Reorder(0);
        c = off = 0;
    } else if (index == count_) {
        c = int(chunks_.size()) - 1;
        off = int(chunks_[c]->lines.size());
    } else {
        Locate(index, c, off);
    }
    Chunk* chunk = chunks_[c].get();
    Run run;
    run.lines.reserve(lines.size());
    for (const QString& line : lines)
        Encode(chunk, line, run);
    Splice(c, off, 0, run);
    SplitIfFull(c);
}

void RecordList::Delete(int index)
{
    Delete(index, 1);
}

void RecordList::Delete(int index, int n)
{
    if (n <= 0)
        return;
    if (index < 0 || index >= count_)
        OutOfBounds(index);
    if (index + n > count_)
        OutOfBounds(index + n - 1);
    int c, off;
    Locate(index, c, off);
    Run none;
    while (n > 0) {
        Chunk* chunk = chunks_[c].get();
        const int take = std::min(n, int(chunk->lines.size()) - off);
        for (int j = off; j < off + take; ++j)
            Unregister(chunk, j);
        Splice(c, off, take, none);
        n -= take;
        if (chunk->lines.empty())
            RemoveChunk(c);
        else
            ++c;
        off = 0;
    }
}

void RecordList::Clear()
{
    chunks_.clear();
    sizes_.clear();
    spans_.clear();
    starts_.clear();
    cells_.clear();
    number_.clear();
    parent_.clear();
    byNumber_.clear();
    count_ = startLines_ = endLines_ = 0;
    startsValidUpTo_ = lastChunk_ = 0;
}

// ---- blocks ------------------------------------------------------------------------------------

int RecordList::FindBlock(int n) const
{
    return n < 0 ? -1 : FirstTag(n, false);
}

int RecordList::BlockLength(int pos, int n) const
{
    if (pos < 0 || pos >= count_)
        OutOfBounds(pos);
    int c, off;
    Locate(pos, c, off);
    int length = 0;
    for (; c < int(chunks_.size()); ++c, off = 0) {
        const Chunk& chunk = *chunks_[c];
        for (; off < int(chunk.lines.size()); ++off) {
            const Line& line = chunk.lines[off];
            bool start;
            if (line.code >= 0) {
                start = !(line.code & 1);
            } else {
                start = chunk.irregular > 0 && chunk.Prefix(off) == 1;
            }
            if (length > 0 && start)
                return length;  // no end tag: the block ends where the next one starts
            ++length;
            if (line.code >= 0 && (line.code & 1) && number_[Root(line.code >> 1)] == n)
                return length;
        }
    }
    return length;
}

void RecordList::Renumber(int i)
{
    if (i < 0)
        return;
    // Tags in the list's form: the cells above i take the number below theirs.
    if (i + 1 < int(byNumber_.size())) {
        const int moving = byNumber_[i + 1];
        const int staying = byNumber_[i];
        auto used = [this](int cell) { return cell >= 0 && cells_[cell].refs[0] + cells_[cell].refs[1] > 0; };
        if (used(moving)) {
            if (used(staying)) {
                Cell& from = cells_[moving];
                Cell& into = cells_[staying];
                parent_[moving] = staying;
                for (int e = 0; e < 2; ++e) {
                    into.refs[e] += from.refs[e];
                    into.chunks[e].append(from.chunks[e].constData(), from.chunks[e].size());
                    from.refs[e] = 0;
                    from.chunks[e].clear();
                }
            } else {
                byNumber_[i] = moving;
            }
        }
        byNumber_.erase(byNumber_.begin() + i + 1);
        for (int n = i; n < int(byNumber_.size()); ++n)
            if (byNumber_[n] >= 0)
                number_[byNumber_[n]] = n;
    }
    // Tags written otherwise: read one by one, and rewritten in the list's form when they move.
    for (int c = 0; c < int(chunks_.size()); ++c) {
        Chunk* chunk = chunks_[c].get();
        if (chunk->irregular == 0)
            continue;
        for (int j = 0; j < int(chunk->lines.size()); ++j) {
            if (chunk->lines[j].code >= 0 || chunk->Prefix(j) == 0)
                continue;
            const QString text = TextOf(*chunk, j);
            int n;
            if (!TagNumber(text, n) || n <= i)
                continue;
            const QString tag = text.startsWith(QLatin1String(kStart)) ? StartTag(n - 1) : EndTag(n - 1);
            Unregister(chunk, j);
            Run run;
            Encode(chunk, tag, run);
            Splice(c, j, 1, run);
        }
    }
}

bool RecordList::CountStartTags(int limit, std::vector<int>& counts) const
{
    counts.assign(std::max(0, limit), 0);
    const int known = std::min(limit, int(byNumber_.size()));
    for (int n = 0; n < known; ++n)
        if (byNumber_[n] >= 0)
            counts[n] = cells_[byNumber_[n]].refs[0];
    for (const auto& chunk : chunks_) {
        if (chunk->irregular == 0)
            continue;
        for (int j = 0; j < int(chunk->lines.size()); ++j) {
            if (chunk->lines[j].code >= 0 || chunk->Prefix(j) != 1)
                continue;
            const QString text = TextOf(*chunk, j);
            int n;
            if (!TagNumber(text, n))
                return false;
            if (n >= 0 && n < limit)
                ++counts[n];
        }
    }
    return true;
}
