#include "manager/cardfile/core/recordlist.h"

#include <algorithm>
#include <array>
#include "platform/exception.h"
#include "platform/rtl.h"

int RecordList::ChunkLimit = 256;

struct RecordList::Chunk {
    std::vector<Line> lines;
    int order = 0;      // its place in chunks_
    int irregular = 0;  // lines beginning with "<BLOC" or "</BLOC" kept as text
};

namespace {

const QLatin1String kStart("<BLOC");
const QLatin1String kEnd("</BLOC");

bool IsTagText(const QString& s)
{
    return s.startsWith(kStart) || s.startsWith(kEnd);
}

[[noreturn]] void OutOfBounds(int index)
{
    throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
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

RecordList::RecordList(int width) : width_(width) {}

RecordList::RecordList(const RecordList& other) : width_(other.width_)
{
    CopyFrom(other);
}

RecordList& RecordList::operator=(const RecordList& other)
{
    if (this != &other) {
        width_ = other.width_;
        CopyFrom(other);
    }
    return *this;
}

RecordList::~RecordList() = default;

void RecordList::CopyFrom(const RecordList& other)
{
    Assign(other.ToStringList());
}

RecordList& RecordList::operator=(const QStringList& lines)
{
    Assign(lines);
    return *this;
}

// ---- tags and number cells ---------------------------------------------------------------------

namespace {

// Tags are read far more often than anything else is made: built by hand, not by arg().
QString MakeTag(bool end, int n, int width)
{
    if (n < 0 || (width < 9 && n >= std::array<int, 9>{1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000}[width]))
        return QStringLiteral("%1%2>").arg(end ? QLatin1String("</BLOC") : QLatin1String("<BLOC")).arg(n, width, 10, QLatin1Char('0'));
    const int prefix = end ? 6 : 5;
    QString tag(prefix + width + 1, Qt::Uninitialized);
    QChar* out = tag.data();
    const char* head = end ? "</BLOC" : "<BLOC";
    for (int i = 0; i < prefix; ++i)
        out[i] = QLatin1Char(head[i]);
    for (int i = prefix + width - 1; i >= prefix; --i, n /= 10)
        out[i] = QLatin1Char(char('0' + n % 10));
    out[prefix + width] = QLatin1Char('>');
    return tag;
}

}  // namespace

QString RecordList::StartTag(int n) const
{
    return MakeTag(false, n, width_);
}

QString RecordList::EndTag(int n) const
{
    return MakeTag(true, n, width_);
}

bool RecordList::Canonical(const QString& text, int& n, bool& end) const
{
    int prefix;
    if (text.startsWith(kStart)) {
        prefix = 5;
        end = false;
    } else if (text.startsWith(kEnd)) {
        prefix = 6;
        end = true;
    } else {
        return false;
    }
    if (text.size() != prefix + width_ + 1 || text.back() != QLatin1Char('>'))
        return false;
    n = 0;
    for (int i = prefix; i < prefix + width_; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c - u'0');
    }
    return true;
}

bool RecordList::TagNumber(const QString& line, int& n) const
{
    int prefix;
    if (line.startsWith(kStart))
        prefix = 5;
    else if (line.startsWith(kEnd))
        prefix = 6;
    else
        return false;
    const QString digits = line.mid(prefix, width_);
    if (!digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; })) {
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

QString RecordList::TextOf(const Line& line) const
{
    if (line.cell < 0)
        return line.text;
    const int n = number_[Root(line.cell)];
    return line.end ? EndTag(n) : StartTag(n);
}

void RecordList::Register(Chunk* chunk, Line& line, const QString& text)
{
    int n;
    bool end;
    if (Canonical(text, n, end)) {
        line.text = QString();
        line.cell = CellFor(n);
        line.end = end;
        Cell& cell = cells_[line.cell];
        ++cell.refs[end];
        cell.chunks[end].append(chunk);
        ++(end ? endLines_ : startLines_);
        return;
    }
    line.text = text;
    line.cell = -1;
    line.end = false;
    if (text.startsWith(kStart)) {
        ++startLines_;
        ++chunk->irregular;
    } else if (text.startsWith(kEnd)) {
        ++endLines_;
        ++chunk->irregular;
    }
}

void RecordList::Unregister(Chunk* chunk, const Line& line)
{
    if (line.cell >= 0) {
        Cell& cell = cells_[Root(line.cell)];
        --cell.refs[line.end];
        RemoveOne(cell.chunks[line.end], chunk);
        --(line.end ? endLines_ : startLines_);
        return;
    }
    if (line.text.startsWith(kStart)) {
        --startLines_;
        --chunk->irregular;
    } else if (line.text.startsWith(kEnd)) {
        --endLines_;
        --chunk->irregular;
    }
}

void RecordList::MoveRefs(Chunk* from, Chunk* to, const Line& line)
{
    if (line.cell >= 0) {
        auto& refs = cells_[Root(line.cell)].chunks[line.end];
        for (auto& c : refs) {
            if (c == from) {
                c = to;
                break;
            }
        }
    } else if (IsTagText(line.text)) {
        --from->irregular;
        ++to->irregular;
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
    for (int c = from; c < int(chunks_.size()); ++c)
        chunks_[c]->order = c;
    startsValidUpTo_ = std::min(startsValidUpTo_, from);
}

void RecordList::Locate(int index, int& chunk, int& offset) const
{
    EnsureStarts();
    const int n = int(chunks_.size());
    // Reading lines one after the other lands in the same chunk or the next one.
    for (int c = lastChunk_; c < n && c <= lastChunk_ + 1; ++c) {
        if (index >= starts_[c] && index < starts_[c] + sizes_[c]) {
            chunk = lastChunk_ = c;
            offset = index - starts_[c];
            return;
        }
    }
    chunk = lastChunk_ = int(std::upper_bound(starts_.begin(), starts_.begin() + n, index) - starts_.begin()) - 1;
    offset = index - starts_[chunk];
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
    for (int from = piece; from < size; from += piece) {
        auto next = std::make_unique<Chunk>();
        const int to = std::min(size, from + piece);
        next->lines.reserve(to - from);
        for (int j = from; j < to; ++j) {
            MoveRefs(full, next.get(), full->lines[j]);
            next->lines.push_back(std::move(full->lines[j]));
        }
        pieces.push_back(std::move(next));
    }
    full->lines.resize(piece);
    sizes_[chunk] = piece;
    std::vector<int> pieceSizes;
    for (const auto& p : pieces)
        pieceSizes.push_back(int(p->lines.size()));
    sizes_.insert(sizes_.begin() + chunk + 1, pieceSizes.begin(), pieceSizes.end());
    chunks_.insert(chunks_.begin() + chunk + 1, std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
    Reorder(chunk + 1);
}

void RecordList::RemoveChunk(int chunk)
{
    chunks_.erase(chunks_.begin() + chunk);
    sizes_.erase(sizes_.begin() + chunk);
    Reorder(chunk);
    lastChunk_ = 0;
}

// ---- the string-list operations ----------------------------------------------------------------

void RecordList::Assign(const QStringList& lines)
{
    Clear();
    const int fill = std::max(1, std::max(2, ChunkLimit) * 3 / 4);
    for (int from = 0; from < lines.size(); from += fill) {
        auto chunk = std::make_unique<Chunk>();
        const int to = std::min(int(lines.size()), from + fill);
        chunk->lines.resize(to - from);
        for (int j = from; j < to; ++j)
            Register(chunk.get(), chunk->lines[j - from], lines[j]);
        sizes_.push_back(to - from);
        chunks_.push_back(std::move(chunk));
    }
    count_ = int(lines.size());
    Reorder(0);
}

QStringList RecordList::ToStringList() const
{
    QStringList out;
    out.reserve(count_);
    for (const auto& chunk : chunks_)
        for (const Line& line : chunk->lines)
            out.append(TextOf(line));
    return out;
}

QString RecordList::Strings(int index) const
{
    if (index < 0 || index >= count_)
        OutOfBounds(index);
    int c, off;
    Locate(index, c, off);
    return TextOf(chunks_[c]->lines[off]);
}

void RecordList::Put(int index, const QString& line)
{
    if (index < 0 || index >= count_)
        OutOfBounds(index);
    int c, off;
    Locate(index, c, off);
    Chunk* chunk = chunks_[c].get();
    Unregister(chunk, chunk->lines[off]);
    Register(chunk, chunk->lines[off], line);
}

int RecordList::IndexOf(const QString& line) const
{
    int n;
    bool end;
    if (Canonical(line, n, end))
        return FirstTag(n, end);
    // Tags in the list's own form are never stored as text, so only text lines can match.
    int pos = 0;
    for (const auto& chunk : chunks_) {
        for (const Line& l : chunk->lines) {
            if (l.cell < 0 && l.text == line)
                return pos;
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
        if (l.cell >= 0 && l.end == end && Root(l.cell) == root)
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
        chunks_.push_back(std::make_unique<Chunk>());
        sizes_.push_back(0);
        Reorder(0);
        c = off = 0;
    } else if (index == count_) {
        c = int(chunks_.size()) - 1;
        off = int(chunks_[c]->lines.size());
    } else {
        Locate(index, c, off);
    }
    Chunk* chunk = chunks_[c].get();
    std::vector<Line> fresh(lines.size());
    for (int j = 0; j < lines.size(); ++j)
        Register(chunk, fresh[j], lines[j]);
    chunk->lines.insert(chunk->lines.begin() + off, std::make_move_iterator(fresh.begin()),
                        std::make_move_iterator(fresh.end()));
    count_ += int(lines.size());
    sizes_[c] += int(lines.size());
    Touch(c);
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
    while (n > 0) {
        Chunk* chunk = chunks_[c].get();
        const int take = std::min(n, int(chunk->lines.size()) - off);
        for (int j = off; j < off + take; ++j)
            Unregister(chunk, chunk->lines[j]);
        chunk->lines.erase(chunk->lines.begin() + off, chunk->lines.begin() + off + take);
        n -= take;
        count_ -= take;
        sizes_[c] -= take;
        if (chunk->lines.empty()) {
            RemoveChunk(c);
        } else {
            Touch(c);
            ++c;
        }
        off = 0;
    }
}

void RecordList::Clear()
{
    chunks_.clear();
    sizes_.clear();
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
        const auto& lines = chunks_[c]->lines;
        for (; off < int(lines.size()); ++off) {
            const Line& line = lines[off];
            if (length > 0 && (line.cell >= 0 ? !line.end : line.text.startsWith(kStart)))
                return length;   // no end tag: the block ends where the next one starts
            ++length;
            if (line.cell >= 0 && line.end && number_[Root(line.cell)] == n)
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
    for (const auto& chunk : chunks_) {
        if (chunk->irregular == 0)
            continue;
        for (Line& line : chunk->lines) {
            int n;
            if (line.cell >= 0 || !TagNumber(line.text, n) || n <= i)
                continue;
            const QString tag = line.text.startsWith(kStart) ? StartTag(n - 1) : EndTag(n - 1);
            Unregister(chunk.get(), line);
            Register(chunk.get(), line, tag);
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
        for (const Line& line : chunk->lines) {
            if (line.cell >= 0 || !line.text.startsWith(kStart))
                continue;
            int n;
            if (!TagNumber(line.text, n))
                return false;
            if (n >= 0 && n < limit)
                ++counts[n];
        }
    }
    return true;
}
