#pragma once
// Printing a string grid as a ruled table: the print date and a grey band with the column
// headings at the head of each page, then one row a line, the columns as wide on paper, in
// proportion, as on screen.
#include <QColor>
#include <QFont>
#include <QString>
#include <memory>

class TStringGrid;

// What the grid is drawn on, in the device's own pixels (y grows downwards).
class GridCanvas {
public:
    virtual ~GridCanvas() = default;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // False when the job could not start: nothing more is drawn.
    virtual bool BeginDoc(const QString& jobName) = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual void SetFont(const QFont& font) = 0;
    virtual int TextWidth(const QString& text) const = 0;
    virtual int TextHeight(const QString& text) const = 0;
    // Text with its top left corner at (x, y).
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual void FillRect(int left, int top, int right, int bottom, const QColor& color) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

// The canvas of the process's printer (the one the print dialog has set up).
std::unique_ptr<GridCanvas> PrinterCanvas();

// Prints rows 0 to `rows` of `grid` on `canvas`, in the grid's font, under the job name given;
// `heading` stands at the top left of each page. A new page begins only when another row
// follows. A job that cannot start is reported to the operator.
void PrintGrid(GridCanvas& canvas, const TStringGrid* grid, const QString& jobName, const QString& heading, int rows);
// The same on the printer, after the print dialog; nothing when it is cancelled.
void PrintGrid(const TStringGrid* grid, const QString& jobName, const QString& heading, int rows);
