#include "manager/shell/compta.h"

#include <QHeaderView>
#include <QStyle>
#include "manager/cardfile/core/stats.h"
#include "manager/shell/fichierbureau.h"
#include "manager/shell/printgrid.h"
#include "manager/shell/rset.h"
#include "manager/shell/statistiques.h"
#include "manager/shell/toolicons.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"
#include "platform/widgets/stringgrid.h"

namespace {

constexpr int Columns = 7;
constexpr int AmountWidth = 105;

QString Sortable(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

}  // namespace

TCompta::TCompta(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SpeedButton1->setIcon(ToolIcon(QStringLiteral("SpeedButton8")));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(SpeedButton1, &QToolButton::clicked, this, platform::guard(this, &TCompta::ImprimerClick));
    connect(SpeedButton2, &QToolButton::clicked, this, platform::guard(this, &TCompta::ExporterClick));
    connect(SpeedButton3, &QToolButton::clicked, this, platform::guard(this, &TCompta::OKClick));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TCompta::Init(const QStringList& lines)
{
    StringGrid1->SetColWidths(0, 44);
    StringGrid1->SetColWidths(5, StringGrid1->ColWidths(5) + 10);
    StringGrid1->SetColWidths(6, StringGrid1->ColWidths(6) + 10);
    StringGrid1->SetCells(0, 0, QString());
    const QStringList headings = {"Jn", "Date", "Compte", "Libellé"};
    for (int c = 1; c <= 4; ++c)
        StringGrid1->SetCells(c, 0, headings[c - 1]);
    StringGrid1->SetCells(5, 0, Rset(fontMetrics(), QStringLiteral("Débit"), AmountWidth));
    StringGrid1->SetCells(6, 0, Rset(fontMetrics(), QStringLiteral("Crédit"), AmountWidth));
    lines_ = lines;

    QDate from, to;
    for (const QString& line : lines_) {
        const QDate day(line.mid(0, 4).toInt(), line.mid(4, 2).toInt(), line.mid(6, 2).toInt());
        if (!day.isValid())
            continue;
        if (!from.isValid() || day < from)
            from = day;
        if (!to.isValid() || day > to)
            to = day;
    }
    const QDate today = rtl::ToQDateTime(rtl::Date()).date();
    DateTimePicker1->setDate(from.isValid() ? from : today);
    DateTimePicker2->setDate(to.isValid() ? to : today);
    Remplit();
}

void TCompta::Remplit()
{
    // Only the rows shown before hold anything.
    for (int r = 1; r <= rows_; ++r)
        for (int c = 0; c < Columns; ++c)
            StringGrid1->SetCells(c, r, QString());
    rows_ = 0;
    const QString from = Sortable(DateTimePicker1->date());
    const QString to = Sortable(DateTimePicker2->date());
    for (const QString& line : lines_) {
        const QString key = line.left(8);
        if (key < from || key > to)
            continue;
        const int n = ++rows_;
        NumberRow(StringGrid1, n);
        const QStringList fields = stats::Fields(line, Columns);
        for (int c = 1; c <= 4; ++c)
            StringGrid1->SetCells(c, n, fields[c]);
        for (int c = 5; c <= 6; ++c)
            if (!fields[c].isEmpty())
                StringGrid1->SetCells(c, n, Rset(fontMetrics(), fields[c], AmountWidth));
    }
}

void TCompta::OKClick()
{
    Remplit();
}

void TCompta::ImprimerClick()
{
    PrintGrid(StringGrid1,
              QStringLiteral("Statistiques ventes au ") + rtl::FormatDateTime(QStringLiteral("dd/mm/yyyy"), rtl::Date()),
              QString(), rows_);
}

QStringList TCompta::ExportLines() const
{
    QStringList lines;
    for (int r = 1; r <= rows_; ++r) {
        const TStringGrid* g = StringGrid1;
        lines << QStringList{g->Cells(2, r), g->Cells(3, r), g->Cells(4, r), g->Cells(1, r), QString(),
                             rtl::Trim(g->Cells(5, r)), rtl::Trim(g->Cells(6, r))}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

void TCompta::ExporterClick()
{
    const QString path = platform::Dialogs().saveFile(QStringLiteral("Format texte + tabulations (*.txt)|*.txt"),
                                                      QStringLiteral("Journal.txt"),
                                                      QStringLiteral("Exporter journal"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    SauveFichierBureau(path, ExportLines(), QStringLiteral("Le journal n'a pas été exporté."));
}
