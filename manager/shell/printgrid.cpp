#include "manager/shell/printgrid.h"

#include <QApplication>
#include <QFontInfo>
#include <QScopeGuard>
#include <algorithm>
#include <vector>
#include "platform/dialogs.h"
#include "platform/rtl.h"
#include "platform/widgets/stringgrid.h"

namespace {

const QColor Band(192, 192, 192);

}  // namespace

void PrintGrid(platform::Canvas& canvas, const TStringGrid* grid, const QString& jobName, const QString& heading,
               int rows)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const QString date = QStringLiteral("Imprimé le ") + rtl::DateToStr(rtl::Date());

    // The document starts in the canvas's own font: the grid's is set once it has begun, and the
    // lines are measured in it.
    if (!canvas.BeginDoc(jobName)) {
        platform::ShowMessage(canvas.Error());
        return;
    }
    // A printer that fails in the middle of the job leaves it ended, ready for the next one.
    bool ended = false;
    const auto end = qScopeGuard([&] {
        if (!ended)
            canvas.EndDoc();
    });
    const QFont font = grid->font();
    const QString family = font.family();
    const int size = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    canvas.SetFont(family, size, false);
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

    int y = 0;
    auto row = [&](int r) {
        for (int c = 0; c < grid->ColCount(); ++c)
            canvas.TextOut(x[c] + 10, y + 10, grid->Cells(c, r));
        y += lineHeight;
        canvas.Line(left, y, right, y);
    };
    auto head = [&] {
        canvas.SetFont(family, size, true);
        canvas.TextOut(left, top, heading);
        canvas.TextOut(right - canvas.TextWidth(date), top, date);
        y = top + lineHeight;
        canvas.FillRect(left, y, right, y + lineHeight, Band);
        canvas.Line(left, y, right, y);
        row(0);
        canvas.SetFont(family, size, false);
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
    ended = true;
    if (!canvas.EndDoc())
        platform::ShowMessage(canvas.Error());
}

void PrintGrid(const TStringGrid* grid, const QString& jobName, const QString& heading, int rows)
{
    if (!platform::Dialogs().printDialog())
        return;
    PrintGrid(platform::PrinterCanvas(), grid, jobName, heading, rows);
}
