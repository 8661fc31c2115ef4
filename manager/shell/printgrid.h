#pragma once
// Printing a string grid as a ruled table: the print date and a grey band with the column
// headings at the head of each page, then one row a line, the columns as wide on paper, in
// proportion, as on screen. It draws on the print layer's canvas (platform/print), the printer's
// or a test's recording one.
#include <QString>
#include "platform/print/canvas.h"

class TStringGrid;

// Prints rows 0 to `rows` of `grid` on `canvas`, in the grid's font, under the job name given;
// `heading` stands at the top left of each page. A new page begins only when another row
// follows. A job that cannot start, or cannot finish, is reported to the operator.
void PrintGrid(platform::Canvas& canvas, const TStringGrid* grid, const QString& jobName, const QString& heading,
               int rows);
// The same on the process's canvas, after the print dialog; nothing when it is cancelled.
void PrintGrid(const TStringGrid* grid, const QString& jobName, const QString& heading, int rows);
