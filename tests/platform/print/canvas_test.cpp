// The printer's canvas on a real PDF printer, read back by independent readers (pdftotext,
// pdfinfo): text where it was asked, the page turned, widths on the printer's own metrics, jobs
// that cannot start reported and the printer usable after them.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include "platform/print/canvas.h"
#include "platform/print/recording.h"
#include "platform/printer.h"

using namespace platform;

namespace {

QString Output(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(20000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrinterCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        SetPrinterCanvas(nullptr);
        Printer().setOutputFormat(QPrinter::PdfFormat);
        Printer().setOutputFileName(folder.filePath("out.pdf"));
    }
    void TearDown() override
    {
        PrinterCanvas().SetOrientation(Orientation::Portrait);
        Printer().setOutputFileName(QString());
        QDir::setCurrent(previous);
    }
    QTemporaryDir folder;
    QString previous = QDir::currentPath();
};

TEST_F(PrinterCanvasTest, ADocumentNamedVelmoraHoldsItsTextsAndPages)
{
    Canvas& canvas = PrinterCanvas();
    ASSERT_TRUE(canvas.BeginDoc());
    EXPECT_TRUE(canvas.Printing());
    canvas.TextOut(100, 100, "Première page");
    canvas.Line(100, 400, 2000, 400);
    canvas.Rectangle(100, 500, 2000, 900);
    canvas.NewPage();
    canvas.TextOut(100, 100, "Seconde page");
    ASSERT_TRUE(canvas.EndDoc());
    EXPECT_FALSE(canvas.Printing());

    const QString text = Output("pdftotext", {folder.filePath("out.pdf"), "-"});
    const QStringList pages = text.split('\f');
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("Première page"));
    EXPECT_TRUE(pages[1].contains("Seconde page"));
    const QString info = Output("pdfinfo", {folder.filePath("out.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Velmora\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
}

TEST_F(PrinterCanvasTest, LandscapeTurnsThePageInPixelsAndMillimetres)
{
    Canvas& canvas = PrinterCanvas();
    canvas.SetOrientation(Orientation::Portrait);
    const int w = canvas.PageWidth(), h = canvas.PageHeight(), wmm = canvas.HorzSize(), hmm = canvas.VertSize();
    EXPECT_LT(w, h);
    EXPECT_LT(wmm, hmm);
    EXPECT_GT(wmm, 150);
    canvas.SetOrientation(Orientation::Landscape);
    EXPECT_EQ(canvas.GetOrientation(), Orientation::Landscape);
    EXPECT_GT(canvas.PageWidth(), canvas.PageHeight());
    EXPECT_GT(canvas.HorzSize(), canvas.VertSize());
    EXPECT_NEAR(canvas.PageWidth(), h, h / 20);
    EXPECT_NEAR(canvas.HorzSize(), hmm, hmm / 20);
}

// A named job shows its name; a filled band is the colour asked, edge to edge, without an
// outline; a line of Arial 10 stands about 4 mm high on paper.
TEST_F(PrinterCanvasTest, ANamedJobAFilledBandAndTheHeightOfALine)
{
    Canvas& canvas = PrinterCanvas();
    const double pxPerMm = double(canvas.PageWidth()) / canvas.HorzSize();
    ASSERT_TRUE(canvas.BeginDoc("Statistiques ventes au 15/03/2024"));
    EXPECT_NEAR(canvas.TextHeight("Imprimé le 15/03/2024") / pxPerMm, 4.0, 1.0);
    canvas.FillRect(0, 0, canvas.PageWidth() / 2, canvas.PageHeight() / 2, QColor(192, 192, 192));
    ASSERT_TRUE(canvas.EndDoc());

    const QString info = Output("pdfinfo", {folder.filePath("out.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Statistiques ventes au 15/03/2024\\n")))
        << info.toStdString();
    Output("pdftoppm", {"-r", "20", "-png", "-singlefile", folder.filePath("out.pdf"), folder.filePath("page")});
    const QImage page(folder.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.pixelColor(page.width() / 4, page.height() / 4), QColor(192, 192, 192));
    EXPECT_EQ(page.pixelColor(3 * page.width() / 4, 3 * page.height() / 4), QColor(Qt::white));
}

// Arial 10: four capital M stand about 11.8 mm wide on paper. Measured on a 96-dpi screen and
// drawn on a 1200-dpi printer they would come out as 1 mm.
TEST_F(PrinterCanvasTest, TextWidthIsMeasuredOnThePrintersOwnMetrics)
{
    Canvas& canvas = PrinterCanvas();
    const double pxPerMm = double(canvas.PageWidth()) / canvas.HorzSize();
    for (const bool printing : {false, true}) {
        SCOPED_TRACE(printing ? "during the job" : "before the job");
        if (printing) {
            ASSERT_TRUE(canvas.BeginDoc());
        }
        canvas.SetFont("Arial", 10, false);
        EXPECT_NEAR(canvas.TextWidth("MMMM") / pxPerMm, 11.8, 1.5);
        canvas.SetFont("Arial", 20, false);
        EXPECT_NEAR(canvas.TextWidth("MMMM") / pxPerMm, 23.6, 3.0);
    }
    EXPECT_TRUE(canvas.EndDoc());
}

TEST_F(PrinterCanvasTest, AFileThatCannotBeWrittenIsReportedAndTheNextJobPrints)
{
    Canvas& canvas = PrinterCanvas();
    const QString bad = folder.filePath("missing/folder/out.pdf");
    Printer().setOutputFileName(bad);
    EXPECT_FALSE(canvas.BeginDoc());
    EXPECT_FALSE(canvas.Printing());
    EXPECT_TRUE(canvas.Error().startsWith("L'impression n'a pas pu commencer."));
    EXPECT_TRUE(canvas.Error().contains(QDir::toNativeSeparators(bad)));
    EXPECT_FALSE(QFile::exists(bad));

    Printer().setOutputFileName(folder.filePath("good.pdf"));
    ASSERT_TRUE(canvas.BeginDoc());
    canvas.TextOut(100, 100, "Après l'erreur");
    ASSERT_TRUE(canvas.EndDoc());
    EXPECT_TRUE(Output("pdftotext", {folder.filePath("good.pdf"), "-"}).contains("Après l'erreur"));
}

// No system printer: the PDF printer without a file name writes "Velmora.pdf" in the working
// folder instead of failing.
TEST_F(PrinterCanvasTest, APdfPrinterWithoutFileWritesVelmoraPdfInTheWorkingFolder)
{
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    Printer().setOutputFileName(QString());
    Canvas& canvas = PrinterCanvas();
    ASSERT_TRUE(canvas.BeginDoc());
    canvas.TextOut(100, 100, "Sans imprimante");
    ASSERT_TRUE(canvas.EndDoc());
    EXPECT_EQ(Printer().outputFileName(), QDir(folder.path()).absoluteFilePath("Velmora.pdf"));
    EXPECT_TRUE(Output("pdftotext", {folder.filePath("Velmora.pdf"), "-"}).contains("Sans imprimante"));
}

TEST(RecordingCanvasTest, InstalledItTakesThePrintersPlaceAndGivesItBackWhenGone)
{
    Canvas* printer = &PrinterCanvas();
    {
        RecordingCanvas recorder;
        recorder.Install();
        EXPECT_EQ(&PrinterCanvas(), &recorder);
        recorder.SetOrientation(Orientation::Landscape);
        EXPECT_EQ(recorder.PageWidth(), RecordingCanvas::A4.heightPx);
        EXPECT_EQ(recorder.HorzSize(), RecordingCanvas::A4.heightMm);
        ASSERT_TRUE(recorder.BeginDoc());
        recorder.TextOut(10, 20, "x");
        recorder.NewPage();
        recorder.TextOut(30, 40, "y");
        recorder.FillRect(1, 2, 3, 4, Qt::gray);
        recorder.EndDoc();
        recorder.FillRect(5, 6, 7, 8, Qt::gray);
        ASSERT_EQ(recorder.jobs.size(), 1);
        EXPECT_EQ(recorder.jobs[0].name, "Velmora");
        ASSERT_EQ(recorder.fills.size(), 1);
        EXPECT_EQ(recorder.fills[0].page, 1);
        EXPECT_EQ(recorder.fills[0].x2, 3);
        EXPECT_EQ(recorder.fills[0].color, QColor(Qt::gray));
        EXPECT_EQ(recorder.drawnOutside, 1);
        EXPECT_EQ(recorder.jobs[0].orientation, Orientation::Landscape);
        EXPECT_EQ(recorder.jobs[0].pages, 2);
        EXPECT_EQ(recorder.TextsOn(0, 1).size(), 1);
        EXPECT_EQ(recorder.Find("y")->page, 1);
    }
    EXPECT_EQ(&PrinterCanvas(), printer);
}

}  // namespace
