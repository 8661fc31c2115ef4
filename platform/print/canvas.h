#pragma once
// The printer canvas the card file draws its cards, lists, envelopes and invoices on: a page in
// printer pixels, text placed by its top-left corner, rules and frames, one document at a time.
//
// The process's canvas draws with QPainter on the process's printer (platform/printer.h); tests
// install a recording canvas (recording.h) and read back what was drawn.
#include <QColor>
#include <QString>
#include "platform/exception.h"

// The printer failed in the middle of a job (a page it could not start).
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

namespace platform {

enum class Orientation { Portrait, Landscape };

class Canvas {
public:
    virtual ~Canvas() = default;

    // The orientation of the next document; it also turns the page the geometry below reports.
    virtual void SetOrientation(Orientation orientation) = 0;
    virtual Orientation GetOrientation() const = 0;

    // The printable page: its size in pixels and in whole millimetres (a printer that cannot tell
    // its size reports 0 millimetres). Positions are measured from its top-left corner.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int HorzSize() const = 0;
    virtual int VertSize() const = 0;

    // Starts a document with the font "Arial" 10 and a pen 1 pixel wide, under the job name given
    // (the name the printer's queue shows; "Velmora" for the card file's own printouts). False
    // when the job cannot start (no printer, a file that cannot be written): nothing was printed,
    // Error() says why, and the canvas takes the next job as if this one had not been asked.
    virtual bool BeginDoc(const QString& jobName) = 0;
    bool BeginDoc() { return BeginDoc(QStringLiteral("Velmora")); }
    // Ends the document. False when the printer could not finish it (Error() says why).
    virtual bool EndDoc() = 0;
    // Throws platform::EPrinter when the printer cannot start another page.
    virtual void NewPage() = 0;
    virtual bool Printing() const = 0;
    virtual QString Error() const = 0;

    virtual void SetFont(const QString& family, int pointSize, bool bold) = 0;
    virtual void SetPenWidth(int pixels) = 0;
    // The text with its top-left corner at (x, y), in pixels.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // The text's width in pixels in the current font, measured on the printer's own metrics.
    virtual int TextWidth(const QString& text) const = 0;
    // The text's height in pixels in the current font, on the same metrics: a line's height, the
    // same for every text.
    virtual int TextHeight(const QString& text) const = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // The outline of the rectangle from (x1, y1) to (x2, y2); the inside is left as it is.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // The rectangle from (x1, y1) up to (x2, y2), those edges left out, filled with the colour,
    // without an outline.
    virtual void FillRect(int x1, int y1, int x2, int y2, const QColor& color) = 0;
};

// The canvas of the process: the printer's, or the one a test installed.
Canvas& PrinterCanvas();
// Installs another canvas (tests); nullptr goes back to the printer's. Not owned.
void SetPrinterCanvas(Canvas* canvas);

// A printer that is the PDF printer without a file name (no system printer: the usual case on a
// fresh machine) is given "Velmora.pdf" in the working folder, so that the print dialog offers a
// file there and a job without a dialog writes it rather than failing.
void OfferPdfFile();

}  // namespace platform
