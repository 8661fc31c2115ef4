// Printouts of the card file on the process's real printer, sent to a PDF file and read back by
// an independent reader (pdftotext): a long customer list page by page, a card and an envelope.
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gmock/gmock.h>
#include "platform/print/canvas.h"
#include "platform/printer.h"
#include "print_fixture.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

using namespace cards;

namespace {

class PdfPrint : public CardFixture {
protected:
    void SetUp() override
    {
        CardFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
        platform::Printer().setOutputFormat(QPrinter::PdfFormat);
        platform::Printer().setPageSize(QPageSize(QPageSize::A4));
        platform::Printer().setOutputFileName(pdf);
    }
    void TearDown() override
    {
        platform::Printer().setOutputFileName(QString());
        CardFixture::TearDown();
    }
    // The printout's pages as the reader sees them, blank lines dropped.
    QList<QStringList> Pages() const
    {
        QProcess reader;
        reader.start("pdftotext", {"-layout", pdf, "-"});
        EXPECT_TRUE(reader.waitForFinished(30000));
        QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        QList<QStringList> out;
        for (const QString& page : pages) {
            QStringList lines;
            for (const QString& line : page.split('\n'))
                if (!line.trimmed().isEmpty())
                    lines << line.simplified();
            out << lines;
        }
        return out;
    }
    QTemporaryDir folder;
    QString pdf = folder.filePath("printout.pdf");
    ScriptedDialogs dialogs;
};

TEST_F(PdfPrint, ThreeHundredCustomersSpanTheirPagesWithTheHeaderOnEach)
{
    Set(TFiche::KClient, Customers(300));
    // The rows a landscape page of this printer holds, by the list's own rule.
    platform::Canvas& canvas = platform::PrinterCanvas();
    canvas.SetOrientation(platform::Orientation::Landscape);
    int perPage = 1;
    while (fiche->Mv(10 + 5 * perPage) <= canvas.PageHeight() - fiche->Mv(20))
        ++perPage;
    canvas.SetOrientation(platform::Orientation::Portrait);
    ASSERT_GT(perPage, 20);

    dialogs.print(true);
    fiche->ImpCli();
    const QList<QStringList> pages = Pages();
    ASSERT_EQ(pages.size(), (300 + perPage - 1) / perPage);
    int next = 0;
    for (const QStringList& page : pages) {
        ASSERT_FALSE(page.isEmpty());
        EXPECT_EQ(page.first(), "Nom/Société Adresse Adresse C.P. Ville Téléphone Fax");
        for (const QString& line : page.mid(1)) {
            EXPECT_TRUE(line.startsWith(QString("CLIENT %1 1 rue Haute").arg(next, 3, 10, QChar('0'))))
                << line.toStdString();
            ++next;
        }
    }
    EXPECT_EQ(next, 300);
    EXPECT_EQ(platform::Printer().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PdfPrint, ACustomerCardAndItsEnvelopeReadBack)
{
    Set(TFiche::KClient, Customer(0, "DUPONT"));
    fiche->LitFiche();
    fiche->ImpFiche1();
    QList<QStringList> pages = Pages();
    ASSERT_EQ(pages.size(), 1);
    const auto starts = [&](const QString& prefix) {
        return std::any_of(pages[0].begin(), pages[0].end(), [&](const QString& l) { return l.startsWith(prefix); });
    };
    EXPECT_TRUE(starts("Code client 10001")) << pages[0].join('\n').toStdString();
    EXPECT_TRUE(starts("Nom / Société DUPONT"));

    fiche->LignesSociete[0] = "CYBER CAFÉ DU PORT";
    dialogs.message("Insérez une enveloppe dans l'imprimante");
    fiche->ImpEnv();
    pages = Pages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].value(0), "CYBER CAFÉ DU PORT");
    EXPECT_EQ(pages[0].value(1), "DUPONT");
    EXPECT_EQ(pages[0].value(4), "69001 LYON");
}

}  // namespace
