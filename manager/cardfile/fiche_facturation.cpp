// The invoice's totals on its card and "Valider", which posts the invoice onto its customer's
// history. The arithmetic is the core's (manager/cardfile/core/invoice_totals.h): the card hands
// it the grid's cells and shows what it answers.
#include <QAbstractItemDelegate>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include "manager/cardfile/core/customers.h"
#include "manager/cardfile/core/invoice_totals.h"
#include "manager/cardfile/fiche_cartes.h"
#include "platform/dialogs.h"
#include "platform/widgets/stringgrid.h"

using namespace rtl;

namespace {

// A price cell remembers the price typed into it while it shows it rounded: the price itself,
// and the text it was shown as (a text typed over it since is a new price).
constexpr int PrixTape = Qt::UserRole;
constexpr int PrixMontre = Qt::UserRole + 1;

QTableWidgetItem* CellulePrix(TStringGrid* grid, int row)
{
    return grid->item(row - grid->FixedRows(), invoice::ColPrice);
}

}  // namespace

// ---- prices as typed --------------------------------------------------------------------------------

std::optional<double> TFiche::PrixRetenu(int row) const
{
    const QTableWidgetItem* it = CellulePrix(StringGrid2, row);
    if (!it || !it->data(PrixTape).isValid() || it->data(PrixMontre).toString() != StringGrid2->Cells(invoice::ColPrice, row))
        return std::nullopt;
    return it->data(PrixTape).toDouble();
}

QString TFiche::PrixExact(int row, const QString& cell) const
{
    const std::optional<double> prix = PrixRetenu(row);
    if (!prix)
        return cell;
    try {
        if (StrToFloat(cell) == *prix)
            return cell;
    } catch (const EConvertError&) {
    }
    return Rset(FloatToStr(*prix), 90);
}

void TFiche::OublieLesPrix()
{
    for (int r = 1; r < StringGrid2->RowCount(); ++r)
        if (QTableWidgetItem* it = CellulePrix(StringGrid2, r)) {
            it->setData(PrixTape, QVariant());
            it->setData(PrixMontre, QVariant());
        }
}

void TFiche::DeplacePrix(int from, int to)
{
    QTableWidgetItem* dest = CellulePrix(StringGrid2, to);
    if (!dest)
        return;
    const QTableWidgetItem* src = from < StringGrid2->RowCount() ? CellulePrix(StringGrid2, from) : nullptr;
    dest->setData(PrixTape, src ? src->data(PrixTape) : QVariant());
    dest->setData(PrixMontre, src ? src->data(PrixMontre) : QVariant());
}

void TFiche::FermeEditeurFacture()
{
    QWidget* editor = StringGrid2->CellEditor();
    if (!editor)
        return;
    QMetaObject::invokeMethod(StringGrid2, "commitData", Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(StringGrid2, "closeEditor", Q_ARG(QWidget*, editor),
                              Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}

// ---- totals -----------------------------------------------------------------------------------------

std::vector<invoice::LineText> TFiche::LignesFacture() const
{
    std::vector<invoice::LineText> lines;
    for (int r = 1; r <= invoice::GridLines && r < StringGrid2->RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < invoice::ColumnCount; ++c)
            cells << StringGrid2->Cells(c, r);
        invoice::LineText text = invoice::FromCells(cells);
        text.exactPrice = PrixRetenu(r);
        lines.push_back(text);
    }
    return lines;
}

invoice::PriceMode TFiche::ModePrix() const
{
    return RadioButton2->isChecked() ? invoice::PriceMode::WithTax : invoice::PriceMode::WithoutTax;
}

void TFiche::Calculef()
{
    if (RadioButton2->isChecked()) {
        StringGrid2->SetCells(invoice::ColAmount, 0, QStringLiteral("Montant TTC"));
        CalculTTC1();
    } else {
        StringGrid2->SetCells(invoice::ColAmount, 0, QStringLiteral("Montant H.T."));
        CalculHT1();
    }
}

void TFiche::CalculHT1()
{
    MontreTotaux(invoice::PriceMode::WithoutTax);
}

void TFiche::CalculTTC1()
{
    MontreTotaux(invoice::PriceMode::WithTax);
}

// Every computation starts from the lines as they stand: computing twice, or after a line went,
// never counts a line twice.
invoice::Totals TFiche::MontreTotaux(invoice::PriceMode mode)
{
    const invoice::Totals t = invoice::Compute(LignesFacture(), mode, *this);
    for (int i = 0; i < int(t.lines.size()); ++i) {
        const int r = i + 1;
        const invoice::Line& line = t.lines[i];
        StringGrid2->SetCells(invoice::ColQuantity, r, Rset(StringGrid2->Cells(invoice::ColQuantity, r), 75));
        if (!line.counted)
            continue;
        if (line.priceRead) {
            const QString shown = Rset(FormatFloat(FormatMontant, line.price), 90);
            StringGrid2->SetCells(invoice::ColPrice, r, shown);
            if (QTableWidgetItem* it = CellulePrix(StringGrid2, r)) {
                it->setData(PrixTape, line.price);
                it->setData(PrixMontre, shown);
            }
        }
        if (line.vatDefaulted)
            StringGrid2->SetCells(invoice::ColVat, r, QStringLiteral("1"));
        StringGrid2->SetCells(invoice::ColAmount, r, Rset(FormatFloat(FormatMontant, line.amount), 90));
    }
    Label32->setText(FormatFloat(FormatMontant, t.totalHT));
    Label33->setText(FormatFloat(FormatMontant, t.totalTVA));
    Label28->setText(FormatFloat(FormatMontant, t.totalTTC));
    Label29->setText(ModeDevise == 0 ? FormatFloat(FormatMontant, t.francs) : QString());
    return t;
}

// ---- "Valider" --------------------------------------------------------------------------------------

// All or nothing, and once: everything is checked before anything changes, and the validated mark
// is in the invoice's block before the customer's history gains its line, so that neither a second
// "Valider" nor a reload can post the invoice again.
void TFiche::Button3Click()
{
    if (FactureValidee == QLatin1String("Y") || ComboBox4->currentText() != QLatin1String("Facture"))
        return;
    FermeEditeurFacture();
    // Posted as computed now, from the lines as they stand.
    Calculef();
    const invoice::Totals t = invoice::Compute(LignesFacture(), ModePrix(), *this);
    if (!Validef()) {
        platform::ShowMessage(QStringLiteral("Facture incomplète : code client, numéro et une ligne avec référence"));
        return;
    }
    if (!t.readable) {
        platform::ShowMessage(QStringLiteral("Une ligne de la facture n'est pas lisible"));
        return;
    }
    const int client = customers::CustomerOfCode(ListeClients, Edit22->text());
    if (client < 0) {
        platform::ShowMessage(QStringLiteral("Client inconnu : ") + Edit22->text());
        return;
    }
    const QString total = Label28->text();
    if (Trim(total).isEmpty())
        return;
    StrToFloat(total);   // the history line converts it: it must read before anything changes

    FactureValidee = QStringLiteral("Y");
    ModifFacture = true;
    EcritFact();
    DoitSauver = true;
    StaticText1->setText(QStringLiteral("Facture validée"));
    MontreFactureValidee(true);

    EcritFiche();
    IndexClient = client;
    LitFiche();
    DateTimePicker2->setDate(ToQDateTime(Date()).date());
    Edit20->setText(ComboBox4->currentText() + QLatin1Char(' ') + MaskEdit3->Text());
    Edit21->setText(total);
    SpeedButton1Click();
    EcritFiche();
    platform::ShowMessage(QStringLiteral("Facture validée"));
}
