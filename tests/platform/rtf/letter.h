#pragma once
// Letters for the RTF tests: a sample that uses every feature the editor has, and a document as
// a list of lines that a test can compare.
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include "support/print.h"

inline QString DescribeFont(const QFont& f)
{
    QString style;
    if (f.bold())
        style += u'b';
    if (f.italic())
        style += u'i';
    if (f.underline())
        style += u'u';
    if (f.strikeOut())
        style += u's';
    const qreal points = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 0.75;
    return QStringLiteral("%1 %2%3")
        .arg(f.families().value(0, f.family()))
        .arg(points)
        .arg(style.isEmpty() ? QString() : u' ' + style);
}

inline QStringList Describe(const QTextDocument& doc)
{
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat bf = block.blockFormat();
        QString align;
        switch (bf.alignment() & Qt::AlignHorizontal_Mask) {
        case Qt::AlignHCenter:
            align = QStringLiteral("centre");
            break;
        case Qt::AlignRight:
            align = QStringLiteral("right");
            break;
        case Qt::AlignJustify:
            align = QStringLiteral("justify");
            break;
        default:
            align = QStringLiteral("left");
            break;
        }
        QString line = align;
        if (bf.textIndent() != 0)
            line += QStringLiteral(" fi=%1").arg(qRound(bf.textIndent() * 15));
        if (bf.leftMargin() != 0)
            line += QStringLiteral(" li=%1").arg(qRound(bf.leftMargin() * 15));
        if (bf.rightMargin() != 0)
            line += QStringLiteral(" ri=%1").arg(qRound(bf.rightMargin() * 15));
        if (block.textList())
            line += QStringLiteral(" bullet");
        line += QStringLiteral(":");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const QFont f = fr.charFormat().font().resolve(doc.defaultFont());
            line += QStringLiteral(" [%1]%2").arg(DescribeFont(f), fr.text());
        }
        if (block.begin().atEnd())
            line += QStringLiteral(" (%1)").arg(DescribeFont(block.charFormat().font().resolve(doc.defaultFont())));
        lines << line;
    }
    return lines;
}

struct Run {
    QString text;
    QString family = QStringLiteral("Liberation Serif");
    qreal points = 12;
    QString style;  // any of b, i, u, s
};

struct Paragraph {
    Qt::Alignment align = Qt::AlignLeft;
    int fi = 0, li = 0, ri = 0;  // twips
    bool bullet = false;
    QList<Run> runs;
};

inline QTextCharFormat FormatOf(const Run& r)
{
    QTextCharFormat f;
    f.setFontFamilies({r.family});
    f.setFontPointSize(r.points);
    f.setFontWeight(r.style.contains(u'b') ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.style.contains(u'i'));
    f.setFontUnderline(r.style.contains(u'u'));
    f.setFontStrikeOut(r.style.contains(u's'));
    return f;
}

// Fills `doc` with the paragraphs; consecutive bulleted paragraphs make one list.
inline void Fill(QTextDocument& doc, const QList<Paragraph>& paragraphs)
{
    doc.clear();
    QTextCursor cursor(&doc);
    QTextList* list = nullptr;
    for (int i = 0; i < paragraphs.size(); ++i) {
        const Paragraph& p = paragraphs[i];
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), p.runs.isEmpty() ? QTextCharFormat() : FormatOf(p.runs[0]));
        QTextBlockFormat bf;
        bf.setAlignment(p.align);
        bf.setTextIndent(p.fi / 15.0);
        bf.setLeftMargin(p.li / 15.0);
        bf.setRightMargin(p.ri / 15.0);
        cursor.setBlockFormat(bf);
        if (p.bullet)
            list ? list->add(cursor.block()) : void(list = cursor.createList(QTextListFormat::ListDisc));
        else
            list = nullptr;
        for (const Run& r : p.runs)
            cursor.insertText(r.text, FormatOf(r));
    }
}

// A letter with every feature the editor writes.
inline QList<Paragraph> SampleLetter()
{
    const QString serif = QStringLiteral("Liberation Serif"), sans = QStringLiteral("Liberation Sans");
    return {
        {Qt::AlignHCenter, 0, 0, 0, false, {{QStringLiteral("Café Internet"), sans, 20, QStringLiteral("b")}}},
        {Qt::AlignLeft,
         0,
         0,
         0,
         false,
         {{QStringLiteral("Madame, un texte "), serif, 12, {}},
          {QStringLiteral("gras"), serif, 12, QStringLiteral("b")},
          {QStringLiteral(", "), serif, 12, {}},
          {QStringLiteral("italique"), serif, 12, QStringLiteral("i")},
          {QStringLiteral(", "), serif, 12, {}},
          {QStringLiteral("souligné"), serif, 12, QStringLiteral("u")},
          {QStringLiteral(" et "), serif, 12, {}},
          {QStringLiteral("barré"), serif, 12, QStringLiteral("s")},
          {QStringLiteral("."), serif, 12, {}}}},
        {Qt::AlignLeft, 0, 0, 0, true, {{QStringLiteral("première puce"), serif, 12, {}}}},
        {Qt::AlignLeft, 0, 0, 0, true, {{QStringLiteral("seconde puce"), serif, 12, QStringLiteral("bi")}}},
        {Qt::AlignRight,
         360,
         720,
         1440,
         false,
         {{QStringLiteral("Prix : 15 € « net », cœur, Œuvre, Ž"), serif, 12, {}}}},
        {Qt::AlignJustify,
         -360,
         720,
         0,
         false,
         {{QStringLiteral("Tab\there{}\\ ligne\u2028suite Ж 😀"), sans, 10.5, {}}}},
        {Qt::AlignLeft, 0, 0, 0, false, {}},
        {Qt::AlignLeft, 0, 0, 0, false, {{QStringLiteral("Fin"), serif, 72, QStringLiteral("u")}}},
    };
}
