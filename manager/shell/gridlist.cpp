#include "manager/shell/gridlist.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include "manager/shell/blocklines.h"
#include "manager/shell/dialogkit.h"

namespace {

constexpr int Columns = 9;
constexpr int BlockColumn = 0, CountColumn = 1, FirstLineColumn = 2;
constexpr int RunningNumberWidth = 40;

// The grid's rows (the heading included) once `records` rows are filled: a record that finds
// no row grows the grid to ten rows past it.
int RowCountFor(int records)
{
    int rows = TGridList::FirstRowCount;
    for (int n = 1; n <= records; ++n)
        if (n >= rows)
            rows = n + 10;
    return rows;
}

}  // namespace

TGridList::TGridList(QWidget* owner, const GridListColumns& columns) : QDialog(owner), columns_(columns)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
}

void TGridList::attach(QTableWidget* grid, QPushButton* close)
{
    // After the form's own size is set: the list takes the whole screen.
    setWindowState(Qt::WindowMaximized);
    grid_ = grid;
    grid_->setColumnCount(Columns);
    grid_->setRowCount(FirstRowCount - 1);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->setColumnHidden(BlockColumn, true);
    for (int c = CountColumn; c < Columns; ++c)
        grid_->setColumnWidth(c, columns_.widths[c - CountColumn]);
    grid_->setColumnWidth(CountColumn, RunningNumberWidth);
    AcceptOnEnter(this, grid_);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TGridList::Init(const RecordList& list)
{
    QStringList headings = {QString(), QString()};
    for (const char* heading : columns_.headings)
        headings << QString::fromUtf8(heading);
    grid_->setHorizontalHeaderLabels(headings);

    // One walk of the list finds the start lines; the grid is then sized once and filled.
    std::vector<int> starts;
    for (int i = 0; i < list.Count(); ++i)
        if (IsStartLine(list.Strings(i)))
            starts.push_back(i);

    grid_->setUpdatesEnabled(false);
    grid_->setRowCount(RowCountFor(int(starts.size())) - 1);
    for (int n = 1; n <= int(starts.size()); ++n) {
        const int start = starts[n - 1];
        const int row = n - 1;
        grid_->setItem(row, BlockColumn, new QTableWidgetItem(list.Strings(start).mid(5, 4)));
        grid_->setItem(row, CountColumn, new QTableWidgetItem(QString::number(n)));
        for (int c = 0; c < 7; ++c)
            grid_->setItem(row, FirstLineColumn + c, new QTableWidgetItem(LineAt(list, start + columns_.lines[c])));
    }
    grid_->setUpdatesEnabled(true);
    grid_->setCurrentCell(0, CountColumn);
}

int TGridList::Result() const
{
    if (!ClosedWithOk(this) || grid_->currentRow() < 0)
        return -1;
    const QTableWidgetItem* block = grid_->item(grid_->currentRow(), BlockColumn);
    if (!block)
        return -1;   // a row past the last record
    bool ok = false;
    const int n = block->text().toInt(&ok);
    return ok ? n : -1;
}
