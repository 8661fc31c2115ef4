// The process's canvas: QPainter on the process's printer.
#include "platform/print/canvas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include "platform/printer.h"

namespace platform {

namespace {

class QtCanvas : public Canvas {
public:
    void SetOrientation(Orientation orientation) override
    {
        Printer().setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    }
    Orientation GetOrientation() const override
    {
        return Printer().pageLayout().orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                              : Orientation::Portrait;
    }

    int PageWidth() const override { return Pixels().width(); }
    int PageHeight() const override { return Pixels().height(); }
    int HorzSize() const override { return qRound(Millimetres().width()); }
    int VertSize() const override { return qRound(Millimetres().height()); }

    using Canvas::BeginDoc;
    bool BeginDoc(const QString& jobName) override
    {
        error_.clear();
        QPrinter& printer = Printer();
        OfferPdfFile();
        if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty()) {
            error_ = QStringLiteral("L'impression n'a pas pu commencer : aucune imprimante n'est choisie.");
            return false;
        }
        printer.setDocName(jobName);
        if (!painter_.begin(&printer)) {
            error_ = QStringLiteral("L'impression n'a pas pu commencer.");
            if (printer.outputFormat() == QPrinter::PdfFormat)
                error_ += QStringLiteral("\nLe fichier ") + QDir::toNativeSeparators(printer.outputFileName())
                          + QStringLiteral(" ne peut pas être écrit.");
            return false;
        }
        font_ = QFont(QStringLiteral("Arial"));
        font_.setPointSize(10);
        painter_.setFont(font_);
        SetPenWidth(1);
        return true;
    }

    bool EndDoc() override
    {
        if (!painter_.isActive())
            return true;
        if (!painter_.end()) {
            error_ = QStringLiteral("L'impression n'a pas pu se terminer.");
            return false;
        }
        return true;
    }

    void NewPage() override
    {
        if (!Printer().newPage())
            throw EPrinter(QStringLiteral("L'impression a échoué : la page suivante n'a pas pu commencer."));
    }

    bool Printing() const override { return painter_.isActive(); }
    QString Error() const override { return error_; }

    void SetFont(const QString& family, int pointSize, bool bold) override
    {
        font_ = QFont(family);
        font_.setPointSize(pointSize);
        font_.setBold(bold);
        if (painter_.isActive())
            painter_.setFont(font_);
    }

    void SetPenWidth(int pixels) override
    {
        if (painter_.isActive())
            painter_.setPen(QPen(Qt::black, pixels));
    }

    void TextOut(int x, int y, const QString& text) override
    {
        painter_.drawText(x, y + painter_.fontMetrics().ascent(), text);
    }

    int TextWidth(const QString& text) const override
    {
        // The printer's resolution, not the screen's: a width measured on the screen would put a
        // right-aligned amount a few millimetres off its column's edge.
        if (painter_.isActive())
            return painter_.fontMetrics().horizontalAdvance(text);
        return QFontMetrics(font_, &Printer()).horizontalAdvance(text);
    }

    int TextHeight(const QString&) const override
    {
        if (painter_.isActive())
            return painter_.fontMetrics().height();
        return QFontMetrics(font_, &Printer()).height();
    }

    void Line(int x1, int y1, int x2, int y2) override { painter_.drawLine(x1, y1, x2, y2); }

    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(x1, y1, x2 - x1, y2 - y1);
    }

    void FillRect(int x1, int y1, int x2, int y2, const QColor& color) override
    {
        painter_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), color);
    }

private:
    static QRect Pixels()
    {
        const QPrinter& printer = Printer();
        return printer.pageLayout().paintRectPixels(printer.resolution());
    }
    static QRectF Millimetres() { return Printer().pageLayout().paintRect(QPageLayout::Millimeter); }

    QPainter painter_;
    QFont font_{QStringLiteral("Arial"), 10};
    QString error_;
};

Canvas* installed = nullptr;

}  // namespace

Canvas& PrinterCanvas()
{
    static QtCanvas* printer = nullptr;
    if (installed)
        return *installed;
    if (!printer) {
        // Gone with the application, before the fonts it holds outlive the font database.
        printer = new QtCanvas;
        qAddPostRoutine([] {
            delete printer;
            printer = nullptr;
        });
    }
    return *printer;
}

void SetPrinterCanvas(Canvas* canvas)
{
    installed = canvas;
}

void OfferPdfFile()
{
    QPrinter& printer = Printer();
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        printer.setOutputFileName(QDir::current().absoluteFilePath(QStringLiteral("Velmora.pdf")));
}

}  // namespace platform
