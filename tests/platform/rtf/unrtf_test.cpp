// A letter we wrote, as an independent reader sees it: unrtf (Debian's package) turns it into
// HTML, which shows its text, styles, alignments, fonts and sizes.
#include <gtest/gtest.h>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include "letter.h"
#include "platform/rtf/rtf.h"

namespace {

// The HTML with its character entities replaced by the characters (a UTF-16 half given as a
// number of its own joins the other half).
QString DecodeEntities(const QString& html)
{
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]+|[A-Za-z]+[0-9]*);"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out += html.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        out += name.startsWith(u'#') ? QString(QChar(char16_t(name.mid(1).toUInt())))
                                     : QTextDocumentFragment::fromHtml(m.captured(0)).toPlainText();
        last = m.capturedEnd();
    }
    return out + html.mid(last);
}

QString Unrtf(const QString& path)
{
    QProcess unrtf;
    unrtf.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    if (!unrtf.waitForFinished(30000) || unrtf.exitCode() != 0) {
        ADD_FAILURE() << "unrtf (Debian package unrtf) is needed: " << unrtf.errorString().toStdString();
        return {};
    }
    return DecodeEntities(QString::fromUtf8(unrtf.readAllStandardOutput())).replace(QChar(0xA0), u' ');
}

TEST(Unrtf, ReadsTheTextStylesAlignmentsAndFontsOfALetter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lettre.rtf"));
    QTextDocument doc;
    Fill(doc, SampleLetter());
    ASSERT_TRUE(rtf::SaveToFile(path, doc));
    const QString html = Unrtf(path);

    const char* shown[] = {
        // Font, size, bold and centred.
        R"(<font face="Liberation Sans"><span style="font-size:20pt"><b><center>Café Internet<br>)",
        R"(<font face="Liberation Serif"><font size="3">Madame, un texte <b>gras</b>, <i>italique</i>, )"
        R"(<u>souligné</u> et <s>barré</s>.<br>)",
        "•        \npremière puce<br>",
        "•        \n<b><i>seconde puce<br>",
        "<div align=\"right\">\nPrix : 15 € « net », cœur, Œuvre, Ž<br>",
        // Braces and backslash, a line break inside the paragraph, text beyond the code page.
        "<div align=\"justify\">\nTab",
        "here{}\\ ligne<br>\nsuite Ж 😀<br>",
        R"(<span style="font-size:72pt"><u>Fin<br>)",
    };
    for (const char* s : shown)
        EXPECT_TRUE(html.contains(QString::fromUtf8(s))) << s << "\n--- unrtf:\n" << html.toStdString();
}

}  // namespace
