#include "manager/shell/statistiques.h"

#include <QCollator>
#include <QHeaderView>
#include <QLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include "manager/cardfile/core/stats.h"
#include "manager/shell/graph.h"
#include "manager/shell/printgrid.h"
#include "manager/shell/rset.h"
#include "manager/shell/toolicons.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"
#include "platform/widgets/stringgrid.h"

namespace {

const StatsKind Clients = {{"Code", "Nom", "C.A. HT"}, {0, 0, 80}, true, "Statistiques clients au "};
// The machines' printout bears the customers' title, as it always has.
const StatsKind Postes = {{"Code", "Nom", "C.A. HT"}, {0, 0, 80}, true, "Statistiques clients au "};
const StatsKind Mois = {{"Mois", "C.A. H.T.", "C.A. TTC"}, {0, 120, 120}, false, "Statistiques ventes au "};
const StatsKind Jours = {{"Jour", "C.A. H.T.", "C.A. TTC"}, {0, 120, 120}, false, "Statistiques ventes au "};

QIcon ChartIcon()
{
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(Qt::black);
    p.drawLine(2, 17, 18, 17);
    p.drawLine(2, 17, 2, 2);
    p.setBrush(Qt::blue);
    p.drawRect(5, 10, 3, 7);
    p.drawRect(10, 5, 3, 12);
    p.drawRect(15, 8, 3, 9);
    return QIcon(picture);
}

}  // namespace

void SortLines(QStringList& lines)
{
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

void NumberRow(TStringGrid* grid, int n)
{
    if (n >= grid->RowCount())
        grid->SetRowCount(n + 1);
    grid->SetCells(0, n, QString::number(n));
    if (QTableWidgetItem* cell = grid->item(n - grid->FixedRows(), 0))
        cell->setBackground(grid->palette().button());
}

TStats::TStats(QWidget* owner, const StatsKind& kind) : QDialog(owner), kind_(kind)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void TStats::attach(TStringGrid* grid, QToolButton* print, QToolButton* chart, QPushButton* close)
{
    // A dialog's border: the window keeps the form's size.
    setFixedSize(size());
    // The grid has its size before the window is shown: printing measures the columns by it.
    layout()->activate();
    grid_ = grid;
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    // Blanks in front right-justify a text: the headings are drawn from the left, like the cells.
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    print->setIcon(ToolIcon(QStringLiteral("SpeedButton8")));
    chart->setIcon(ChartIcon());
    connect(print, &QToolButton::clicked, this, platform::guard(this, &TStats::ImprimerClick));
    connect(chart, &QToolButton::clicked, this, platform::guard(this, &TStats::GraphiqueClick));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString TStats::Justified(int column, const QString& text) const
{
    const int width = kind_.justified[column - 1];
    return width ? Rset(fontMetrics(), text, width) : text;
}

void TStats::Init(QStringList& lines)
{
    rows_ = 0;
    if (kind_.sorted)
        SortLines(lines);
    // The numbering column has no heading.
    grid_->SetCells(0, 0, QString());
    for (int c = 1; c <= 3; ++c)
        grid_->SetCells(c, 0, Justified(c, QString::fromUtf8(kind_.headings[c - 1])));
    for (const QString& line : lines) {
        const int n = ++rows_;
        NumberRow(grid_, n);
        const QStringList fields = stats::Fields(line, 3);
        for (int c = 1; c <= 3; ++c)
            grid_->SetCells(c, n, Justified(c, fields[c - 1]));
    }
}

QString TStats::JobName() const
{
    return QString::fromUtf8(kind_.jobName) + rtl::FormatDateTime(QStringLiteral("dd/mm/yyyy"), rtl::Date());
}

void TStats::ImprimerClick()
{
    PrintGrid(grid_, JobName(), QString(), rows_);
}

QStringList TStats::ChartAmounts() const
{
    QStringList amounts;
    for (int r = 1; r < grid_->RowCount() && !grid_->Cells(3, r).isEmpty(); ++r)
        amounts << grid_->Cells(3, r);
    return amounts;
}

void TStats::GraphiqueClick()
{
    QStringList amounts = ChartAmounts();
    TGraph graph(this);
    graph.Init(amounts);
    platform::Dialogs().exec(&graph);
}

TStatsC::TStatsC(QWidget* owner) : TStats(owner, Clients)
{
    setupUi(this);
    attach(StringGrid1, SpeedButton1, SpeedButton2, Button1);
}

TStatsP::TStatsP(QWidget* owner) : TStats(owner, Postes)
{
    setupUi(this);
    attach(StringGrid1, SpeedButton1, SpeedButton2, Button1);
}

TStatsV::TStatsV(QWidget* owner) : TStats(owner, Mois)
{
    setupUi(this);
    attach(StringGrid1, SpeedButton1, SpeedButton2, Button1);
}

TStatsJ::TStatsJ(QWidget* owner) : TStats(owner, Jours)
{
    setupUi(this);
    attach(StringGrid1, SpeedButton1, SpeedButton2, Button1);
}
