#include "manager/shell/printgrid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <algorithm>
#include <vector>
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/rtl.h"
#include "platform/widgets/stringgrid.h"

namespace {

class PainterCanvas : public GridCanvas {
public:
    explicit PainterCanvas(QPrinter& printer) : printer_(printer) {}

    int PageWidth() const override { return printer_.width(); }
    int PageHeight() const override { return printer_.height(); }
    bool BeginDoc(const QString& jobName) override
    {
        printer_.setDocName(jobName);
        return painter_.begin(&printer_);
    }
    void NewPage() override { printer_.newPage(); }
    void EndDoc() override { painter_.end(); }
    void SetFont(const QFont& font) override { painter_.setFont(font); }
    int TextWidth(const QString& text) const override
    {
        return QFontMetrics(painter_.font(), &printer_).horizontalAdvance(text);
    }
    int TextHeight(const QString&) const override { return QFontMetrics(painter_.font(), &printer_).height(); }
    void TextOut(int x, int y, const QString& text) override
    {
        painter_.drawText(x, y + QFontMetrics(painter_.font(), &printer_).ascent(), text);
    }
    void FillRect(int left, int top, int right, int bottom, const QColor& color) override
    {
        painter_.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), color);
    }
    void Line(int x1, int y1, int x2, int y2) override { painter_.drawLine(x1, y1, x2, y2); }

private:
    QPrinter& printer_;
    QPainter painter_;
};

const QColor Band(192, 192, 192);

}  // namespace

std::unique_ptr<GridCanvas> PrinterCanvas()
{
    return std::make_unique<PainterCanvas>(platform::Printer());
}

void PrintGrid(GridCanvas& canvas, const TStringGrid* grid, const QString& jobName, const QString& heading, int rows)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const QString date = QStringLiteral("Imprimé le ") + rtl::DateToStr(rtl::Date());

    QFont font = grid->font();
    canvas.SetFont(font);
    const int pageWidth = canvas.PageWidth();
    const int pageHeight = canvas.PageHeight();
    // A page narrower than the grid still prints, at the grid's own size.
    const int scale = std::max(1, pageWidth / std::max(1, grid->width()));
    const int left = pageWidth / 25;
    const int top = pageHeight / 25;
    const int bottom = top;
    const int right = pageWidth - left;
    const int lineHeight = 3 * canvas.TextHeight(date) / 2;
    std::vector<int> x = {left};
    for (int c = 1; c < grid->ColCount(); ++c)
        x.push_back(x.back() + grid->columnWidth(c - 1) * scale);

    if (!canvas.BeginDoc(jobName)) {
        platform::ShowMessage(QStringLiteral("L'impression n'a pas pu commencer."));
        return;
    }
    int y = 0;
    auto row = [&](int r) {
        for (int c = 0; c < grid->ColCount(); ++c)
            canvas.TextOut(x[c] + 10, y + 10, grid->Cells(c, r));
        y += lineHeight;
        canvas.Line(left, y, right, y);
    };
    auto head = [&] {
        font.setBold(true);
        canvas.SetFont(font);
        canvas.TextOut(left, top, heading);
        canvas.TextOut(right - canvas.TextWidth(date), top, date);
        y = top + lineHeight;
        canvas.FillRect(left, y, right, y + lineHeight, Band);
        canvas.Line(left, y, right, y);
        row(0);
        font.setBold(false);
        canvas.SetFont(font);
    };
    auto columnLines = [&] {
        for (int xc : x)
            canvas.Line(xc, top + lineHeight, xc, y);
        canvas.Line(right, top + lineHeight, right, y);
    };

    head();
    for (int r = 1; r <= rows; ++r) {
        row(r);
        if (y >= pageHeight - bottom && r < rows) {
            columnLines();
            canvas.NewPage();
            head();
        }
    }
    columnLines();
    canvas.EndDoc();
}

void PrintGrid(const TStringGrid* grid, const QString& jobName, const QString& heading, int rows)
{
    if (!platform::Dialogs().printDialog())
        return;
    const std::unique_ptr<GridCanvas> canvas = PrinterCanvas();
    PrintGrid(*canvas, grid, jobName, heading, rows);
}
