// The RTF reader: one pass over the bytes with an explicit stack of group states (never a
// recursion), building the document through a cursor. Unknown control words are skipped, and so
// are the groups of destinations that hold no text of the letter (font table aside).
#include <QHash>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <climits>
#include <vector>
#include "platform/rtf/rtf.h"
#include "platform/rtf/common.h"
#include "platform/textfile.h"

namespace rtf {

namespace {

// What the text of a group is: the letter's, a font table's, a paragraph numbering's, or
// nothing to keep.
enum class Dest { Text, FontTable, Numbering, Skip };

struct Chars {
    int font = -1;   // the default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    bool operator==(const Chars&) const = default;
};

struct Para {
    Qt::Alignment align = Qt::AlignLeft;
    int firstIndent = 0, leftIndent = 0, rightIndent = 0;   // twips
    bool bullet = false;
};

struct Group {
    Chars chars;
    Para para;
    Dest dest = Dest::Text;
    int unicodeSkip = 1;   // \ucN: characters that stand for each \uN
};

// Destinations whose groups hold nothing the letter shows.
const QByteArrayList SkippedDestinations = {
    "author", "buptim", "colortbl", "comment", "creatim", "doccomm", "footer", "footerf", "footerl",
    "footerr", "footnote", "header", "headerf", "headerl", "headerr", "info", "keywords", "listtable",
    "listoverridetable", "listtext", "object", "operator", "pict", "pntext", "printim", "revtim",
    "rxe", "stylesheet", "subject", "tc", "title", "txe", "xe",
};

// Words that stand for one character.
const QHash<QByteArray, char16_t>& Symbols()
{
    static const QHash<QByteArray, char16_t> symbols = {
        {"tab", u'\t'},      {"line", QChar::LineSeparator}, {"emdash", 0x2014},  {"endash", 0x2013},
        {"bullet", 0x2022},  {"lquote", 0x2018},    {"rquote", 0x2019},   {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},  {"qmspace", 0x2005},
    };
    return symbols;
}

QChar Cp1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80 || b >= 0xA0)
        return QChar(b);
    return textfile::DecodeCp1252(QByteArray(1, byte)).at(0);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

class Reader {
public:
    Reader(const QByteArray& bytes, QTextDocument& document) : in_(bytes), cursor_(&document) {}

    void run()
    {
        cursor_.beginEditBlock();
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            switch (c) {
            case '{': open(); break;
            case '}': close(); break;
            case '\\': control(); break;
            case '\r':
            case '\n': break;
            default: character(Cp1252(c)); break;
            }
        }
        flush();
        if (!pendingBlock_)
            applyParagraph();
        cursor_.endEditBlock();
    }

private:
    // ---- groups ----------------------------------------------------------------------------------
    void open()
    {
        starred_ = false;
        fallback_ = 0;
        if (stack_.size() >= std::size_t(MaxDepth)) {
            ++beyondLimit_;   // read as part of the deepest group kept
            return;
        }
        stack_.push_back(g_);
    }

    void close()
    {
        starred_ = false;
        fallback_ = 0;
        if (beyondLimit_ > 0) {
            --beyondLimit_;
            return;
        }
        if (stack_.empty())
            return;   // a '}' too many
        const Group closed = g_;
        g_ = stack_.back();
        stack_.pop_back();
        if (closed.dest == Dest::FontTable)
            commitFont();
        // The numbering group tells the paragraph around it that it is a bulleted one.
        if (closed.dest == Dest::Numbering && g_.dest != Dest::Numbering && closed.para.bullet)
            g_.para.bullet = true;
    }

    // ---- control words and symbols ---------------------------------------------------------------
    void control()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_]))
            ++pos_;
        const QByteArray word = in_.mid(start, pos_ - start);
        bool hasParam = false;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        qint64 value = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            value = qMin<qint64>(value * 10 + (in_[pos_] - '0'), qint64(1) << 40);
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        value = qBound(qint64(INT_MIN), negative ? -value : value, qint64(INT_MAX));
        const bool starred = starred_;
        starred_ = false;
        controlWord(word, hasParam, int(value), starred);
    }

    void symbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}': character(QChar(c)); break;
        case '~': character(QChar(0x00A0)); break;
        case '-': character(QChar(0x00AD)); break;
        case '_': character(QChar(0x2011)); break;
        case '*': starred_ = true; break;
        case '\r':
        case '\n': endParagraph(); break;
        case '\'': {
            // Two hex digits; a byte cut short stands for nothing.
            int byte = 0, digits = 0;
            for (; digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0; ++digits)
                byte = byte * 16 + HexValue(in_[pos_++]);
            if (digits == 2)
                character(Cp1252(char(byte)));
            break;
        }
        default: break;
        }
    }

    void controlWord(const QByteArray& word, bool hasParam, int param, bool starred)
    {
        const bool on = !hasParam || param != 0;
        Chars& ch = g_.chars;
        Para& pa = g_.para;
        if (word == "fonttbl") {
            g_.dest = Dest::FontTable;
        } else if (word == "pn") {
            g_.dest = Dest::Numbering;
        } else if (starred || SkippedDestinations.contains(word)) {
            g_.dest = Dest::Skip;
        } else if (word == "bin") {
            // Binary data: skipped whole, whatever its bytes.
            pos_ += qBound(qsizetype(0), qsizetype(param), in_.size() - pos_);
        } else if (word == "f") {
            if (g_.dest == Dest::FontTable) {
                commitFont();
                fontNumber_ = param;
            } else {
                ch.font = param;
            }
        } else if (word == "deff") {
            defaultFont_ = param;
        } else if (word == "plain") {
            ch = Chars();
        } else if (word == "fs") {
            if (param > 0)
                ch.halfPoints = qBound(2, param, 3276);
        } else if (word == "b") {
            ch.bold = on;
        } else if (word == "i") {
            ch.italic = on;
        } else if (word == "strike" || word == "striked") {
            ch.strike = on;
        } else if (word == "ulnone") {
            ch.underline = false;
        } else if (word.startsWith("ul") && word != "ulc") {
            ch.underline = on;   // every kind of underline shows as one
        } else if (word == "pard") {
            pa = Para();
        } else if (word == "ql") {
            pa.align = Qt::AlignLeft;
        } else if (word == "qc") {
            pa.align = Qt::AlignHCenter;
        } else if (word == "qr") {
            pa.align = Qt::AlignRight;
        } else if (word == "qj") {
            pa.align = Qt::AlignJustify;
        } else if (word == "fi" || word == "li" || word == "ri") {
            // At most the width of a wide sheet, either way.
            const int twips = qBound(-31680, param, 31680);
            (word == "fi" ? pa.firstIndent : word == "li" ? pa.leftIndent : pa.rightIndent) = twips;
        } else if (word == "pnlvlblt" || word == "pnlvlbody" || word == "ls") {
            pa.bullet = true;
        } else if (word == "uc") {
            g_.unicodeSkip = qBound(0, param, 8);
        } else if (word == "u") {
            character(QChar(char16_t(param < 0 ? param + 65536 : param)));
            fallback_ = g_.unicodeSkip;
        } else if (word == "par" || word == "page" || word == "sect") {
            endParagraph();
        } else if (const auto it = Symbols().constFind(word); it != Symbols().constEnd()) {
            character(QChar(*it));
        }
    }

    // ---- text ------------------------------------------------------------------------------------
    void character(QChar c)
    {
        if (fallback_ > 0) {
            --fallback_;   // the stand-in of a \uN for readers without Unicode
            return;
        }
        if (g_.dest == Dest::FontTable) {
            if (c == u';')
                commitFont();
            else if (c.unicode() >= 0x20)
                fontName_ += c;
            return;
        }
        if (g_.dest != Dest::Text || !(IsLetterText(c.unicode()) || c == u'\t'))
            return;
        if (pendingBlock_)
            newBlock();
        if (!run_.isEmpty() && g_.chars != runChars_)
            flush();
        if (run_.isEmpty())
            runChars_ = g_.chars;
        run_ += c;
    }

    void commitFont()
    {
        const QString name = fontName_.trimmed();
        if (fontNumber_ >= 0 && !name.isEmpty() && !fonts_.contains(fontNumber_))
            fonts_.insert(fontNumber_, name);
        fontName_.clear();
    }

    QTextCharFormat format(const Chars& c) const
    {
        QTextCharFormat f;
        const QString family = fonts_.value(c.font < 0 ? defaultFont_ : c.font, fonts_.value(defaultFont_));
        if (!family.isEmpty())
            f.setFontFamilies({family});
        f.setFontPointSize(c.halfPoints / 2.0);
        f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italic);
        f.setFontUnderline(c.underline);
        f.setFontStrikeOut(c.strike);
        return f;
    }

    void flush()
    {
        if (run_.isEmpty())
            return;
        cursor_.insertText(run_, format(runChars_));
        run_.clear();
    }

    // ---- paragraphs ------------------------------------------------------------------------------
    // A paragraph mark ends the paragraph; the next one begins with its first text, so the mark
    // that ends the file opens no empty paragraph after it.
    void endParagraph()
    {
        if (g_.dest != Dest::Text)
            return;
        if (pendingBlock_)
            newBlock();
        flush();
        applyParagraph();
        pendingBlock_ = true;
    }

    void newBlock()
    {
        cursor_.insertBlock(QTextBlockFormat(), format(g_.chars));
        pendingBlock_ = false;
    }

    void applyParagraph()
    {
        const Para& p = g_.para;
        QTextBlockFormat f;
        f.setAlignment(p.align);
        f.setTextIndent(TwipsToPixels(p.firstIndent));
        f.setLeftMargin(TwipsToPixels(p.leftIndent));
        f.setRightMargin(TwipsToPixels(p.rightIndent));
        cursor_.setBlockFormat(f);
        if (cursor_.block().length() <= 1)
            cursor_.setBlockCharFormat(format(g_.chars));   // an empty line keeps its size
        if (!p.bullet)
            list_ = nullptr;
        else if (list_)
            list_->add(cursor_.block());
        else
            list_ = cursor_.createList(QTextListFormat::ListDisc);
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    std::vector<Group> stack_;
    Group g_;
    int beyondLimit_ = 0;
    bool starred_ = false;
    int fallback_ = 0;
    QHash<int, QString> fonts_;
    int defaultFont_ = 0;
    int fontNumber_ = -1;
    QString fontName_;
    QString run_;
    Chars runChars_;
    bool pendingBlock_ = false;
    QTextList* list_ = nullptr;
};

QString PlainText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    // Not UTF-8: a text of the Windows Western code page.
    if (utf8.hasError())
        text = textfile::DecodeCp1252(bytes);
    // Control characters are no text of a letter; tabs and line ends are.
    text.removeIf([](QChar c) { return !IsLetterText(c.unicode()) && c != u'\t' && c != u'\r' && c != u'\n'; });
    return textfile::SplitLines(text).join(u'\n');
}

}  // namespace

void Read(const QByteArray& bytes, QTextDocument& document)
{
    // A file read is no step that undo could take back piece by piece.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (IsRtf(bytes))
        Reader(bytes, document).run();
    else
        document.setPlainText(PlainText(bytes));
    document.setUndoRedoEnabled(undo);
}

}  // namespace rtf
