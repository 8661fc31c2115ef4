// The RTF writer: one font table, then each paragraph with its properties and its runs of text,
// each run preceded by the character properties that changed since the run before.
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <climits>
#include <cstdint>
#include "platform/rtf/rtf.h"
#include "platform/rtf/common.h"
#include "platform/textfile.h"

namespace rtf {

namespace {

struct CharProps {
    int font = 0;
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
};

class Output {
public:
    // A control word; whatever follows it is delimited when it has to be.
    void word(const char* name, int param = NoParam)
    {
        bytes_ += '\\';
        bytes_ += name;
        if (param != NoParam)
            bytes_ += QByteArray::number(param);
        delimit_ = true;
    }
    void raw(const char* text)
    {
        bytes_ += text;
        delimit_ = false;
    }
    // Text as RTF holds it: specials escaped, Windows-1252 as \'hh, the rest as \uN.
    void text(QStringView text, bool inParagraph = true)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (inParagraph && c == u'\t') {
                word("tab");
            } else if (inParagraph && c == QChar::LineSeparator) {
                word("line");
            } else if (!IsLetterText(c)) {
                // Nothing a letter keeps.
            } else if (c == u'\\' || c == u'{' || c == u'}') {
                char escaped[] = {'\\', char(c), 0};
                raw(escaped);
            } else if (c < 0x80) {
                if (delimit_)
                    bytes_ += ' ';
                bytes_ += char(c);
                delimit_ = false;
            } else {
                const QByteArray byte = textfile::EncodeCp1252(QString(QChar(c)));
                if (byte != "?") {
                    raw(QByteArrayLiteral("\\'").append(byte.toHex()).constData());
                } else {
                    // Readers that know no Unicode show the '?' that follows.
                    word("u", static_cast<int16_t>(c));
                    raw("?");
                }
            }
        }
    }
    QByteArray& bytes() { return bytes_; }

    static constexpr int NoParam = INT_MIN;

private:
    QByteArray bytes_;
    bool delimit_ = false;
};

class Writer {
public:
    explicit Writer(const QTextDocument& document) : doc_(document) {}

    QByteArray write()
    {
        // The font table comes first in the file: every font is known before the text is written.
        fonts_ << FamilyOf(doc_.defaultFont());
        bool bullets = false;
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
            fontIndex(FamilyOf(Resolved(block.charFormat())));
            for (auto it = block.begin(); !it.atEnd(); ++it)
                fontIndex(FamilyOf(Resolved(it.fragment().charFormat())));
            bullets = bullets || block.textList();
        }
        symbolFont_ = bullets ? int(fonts_.size()) : -1;

        Output out;
        out.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl");
        for (int i = 0; i < fonts_.size(); ++i) {
            out.raw("{");
            out.word("f", i);
            out.word("fnil");
            out.word("fcharset", 0);
            out.text(QString(fonts_[i]).remove(u';'), false);
            out.raw(";}");
        }
        if (bullets) {
            out.raw("{");
            out.word("f", symbolFont_);
            out.word("fnil");
            out.word("fcharset", 2);
            out.text(u"Symbol;", false);
            out.raw("}");
        }
        out.raw("}\r\n");

        current_.halfPoints = HalfPoints(doc_.defaultFont());
        out.word("uc", 1);
        out.word("f", 0);
        out.word("fs", current_.halfPoints);
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next())
            paragraph(out, block);
        out.raw("}\r\n");
        return out.bytes();
    }

private:
    QFont Resolved(const QTextCharFormat& format) const { return format.font().resolve(doc_.defaultFont()); }

    static QString FamilyOf(const QFont& font)
    {
        const QString family = font.families().value(0, font.family());
        return family.isEmpty() ? QStringLiteral("Times New Roman") : family;
    }

    static int HalfPoints(const QFont& font)
    {
        const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * PointsPerPixel;
        return qMax(2, qRound(points * 2));
    }

    int fontIndex(const QString& family)
    {
        const qsizetype i = fonts_.indexOf(family);
        if (i >= 0)
            return int(i);
        fonts_ << family;
        return int(fonts_.size() - 1);
    }

    CharProps propsOf(const QTextCharFormat& format)
    {
        const QFont font = Resolved(format);
        CharProps p;
        p.font = fontIndex(FamilyOf(font));
        p.halfPoints = HalfPoints(font);
        p.bold = font.bold();
        p.italic = font.italic();
        p.underline = font.underline();
        p.strike = font.strikeOut();
        return p;
    }

    void switchTo(Output& out, const CharProps& p)
    {
        if (p.font != current_.font)
            out.word("f", p.font);
        if (p.halfPoints != current_.halfPoints)
            out.word("fs", p.halfPoints);
        if (p.bold != current_.bold)
            p.bold ? out.word("b") : out.word("b", 0);
        if (p.italic != current_.italic)
            p.italic ? out.word("i") : out.word("i", 0);
        if (p.underline != current_.underline)
            p.underline ? out.word("ul") : out.word("ulnone");
        if (p.strike != current_.strike)
            p.strike ? out.word("strike") : out.word("strike", 0);
        current_ = p;
    }

    void paragraph(Output& out, const QTextBlock& block)
    {
        const QTextBlockFormat format = block.blockFormat();
        out.word("pard");
        switch (format.alignment() & Qt::AlignHorizontal_Mask) {
        case Qt::AlignHCenter: out.word("qc"); break;
        case Qt::AlignRight: out.word("qr"); break;
        case Qt::AlignJustify: out.word("qj"); break;
        default: out.word("ql"); break;
        }
        // Both measure the first line from the left indent.
        if (const int fi = PixelsToTwips(format.textIndent()))
            out.word("fi", fi);
        if (const int li = PixelsToTwips(format.leftMargin()))
            out.word("li", li);
        if (const int ri = PixelsToTwips(format.rightMargin()))
            out.word("ri", ri);
        if (block.textList()) {
            // The bullet as it shows (for readers of the old kind), then the paragraph's numbering.
            out.raw("{");
            out.word("pntext");
            out.word("f", symbolFont_);
            out.raw("\\'b7");
            out.word("tab");
            out.raw("}{\\*");
            out.word("pn");
            out.word("pnlvlblt");
            out.word("pnf", symbolFont_);
            out.word("pnindent", 0);
            out.raw("{");
            out.word("pntxtb");
            out.raw("\\'b7}}");
        }
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            switchTo(out, propsOf(fragment.charFormat()));
            out.text(fragment.text());
            any = true;
        }
        // An empty line keeps the size of its paragraph mark.
        if (!any)
            switchTo(out, propsOf(block.charFormat()));
        out.word("par");
        out.raw("\r\n");
    }

    const QTextDocument& doc_;
    QStringList fonts_;
    CharProps current_;
    int symbolFont_ = -1;
};

}  // namespace

QByteArray Write(const QTextDocument& document)
{
    return Writer(document).write();
}

}  // namespace rtf
