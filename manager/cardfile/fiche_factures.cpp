// The invoice card: its block's lines, writing and reading it, the monthly invoice number, new
// invoices, the customer pick, the search by number and the editing of the line grid. The totals
// and "Valider" are in fiche_facturation.cpp.
#include <algorithm>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include "manager/cardfile/choisir.h"
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/core/invoice_totals.h"
#include "manager/cardfile/fiche_cartes.h"
#include "manager/shell/listeart1.h"
#include "manager/shell/listecli.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"

using namespace rtl;

namespace {

constexpr int ChampsFacture = 11;   // lines +1 .. +11
// A "FACT" line holds the seven cells and their six TABs; a row of fewer than 9 characters (an
// empty row, a 1-character reference and its VAT code) is not written, and a line the writer
// could write is always read back.
const blocks::RepeatLayout RepetitionsFacture[] = {
    {QLatin1String("FACT"), true, invoice::ColumnCount, invoice::GridLines, 9, true},
    {QLatin1String("MEMO"), false},
};
enum { Lignes, Note };
// The validated flag (+11) is a field even when it looks like a repeatable line.
const blocks::BlockLayout BlocFacture{ChampsFacture, RepetitionsFacture, ChampsFacture + 1};

constexpr QChar Retour = QChar(13);
constexpr QChar Tabulation = QChar(9);
constexpr QChar RetourArriere = QChar(8);
// Below this many lines, Enter at the end of a line goes on to the next row.
constexpr int LignesSuivies = 20;

QDate Aujourdhui()
{
    return ToQDateTime(Date()).date();
}

}  // namespace

// ---- the block --------------------------------------------------------------------------------------

bool TFiche::Validef()
{
    if (Edit22->text().isEmpty() || MaskEdit3->Text().isEmpty() || MaskEdit3->Text().front() == QLatin1Char(' '))
        return false;
    // A line picked from the stock without a key typed counts as well as a typed one.
    for (int r = 1; r <= invoice::GridLines; ++r)
        if (!StringGrid2->Cells(invoice::ColRef, r).isEmpty())
            return true;
    return false;
}

void TFiche::EcritFact()
{
    if (Memo2->document()->isModified())
        ModifFacture = true;
    if (!ModifFacture || !Validef())
        return;
    const QString type = ComboBox4->currentText();
    const QStringList fields{
        QStringLiteral("NUM") + (type.isEmpty() ? QStringLiteral(" ") : type.left(1)) + MaskEdit3->Text(),
        DateToStr(FromQDateTime(DateTimePicker1->date().startOfDay())),
        Edit22->text(),
        ComboBox3->currentText(),
        type,
        Edit23->text(),
        Edit24->text(),
        Edit25->text(),
        Edit26->text(),
        RadioButton1->isChecked() ? QStringLiteral("TTCN") : QStringLiteral("TTCY"),
        FactureValidee == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N"),
    };
    std::vector<blocks::RepeatContent> content(2);
    content[Note].memo = cartes::MemoLines(Memo2);
    for (int r = 1; r <= invoice::GridLines; ++r) {
        QStringList cells;
        for (int c = 0; c < invoice::ColumnCount; ++c)
            cells << StringGrid2->Cells(c, r);
        // A price shown rounded is stored as it was typed, so that the invoice counts the same
        // once read again.
        cells[invoice::ColPrice] = PrixExact(r, cells[invoice::ColPrice]);
        content[Lignes].rows << cells;
    }
    RewriteBlock(KFacture, blocks::BlockLines(fields, BlocFacture, content, KeptLines[KFacture]));
}

void TFiche::LitFact()
{
    DateTimePicker1->setDate(Aujourdhui());
    for (QLineEdit* e : {Edit22, Edit23, Edit24, Edit25, Edit26})
        e->clear();
    RadioButton1->setChecked(true);
    Memo2->clear();
    for (QLabel* l : {Label32, Label33, Label28, Label29})
        l->clear();
    FactureValidee = QStringLiteral("N");
    MontreFactureValidee(false);
    for (int r = 1; r < StringGrid2->RowCount(); ++r)
        for (int c = 0; c < StringGrid2->ColCount(); ++c)
            StringGrid2->SetCells(c, r, QString());
    OublieLesPrix();
    ComboBox4->setEditText(QStringLiteral("Facture"));
    MaskEdit3->SetText(QString());
    ComboBox3->setEditText(QString());
    KeptLines[KFacture].clear();
    NbLignesFacture = 0;

    MaskEdit3->SetText(IntToStr(Numerof()));
    ComboBox3->setEditText(ComboBox3->count() > 0 ? ComboBox3->itemText(0) : QString());
    // Currency labels: euros and francs, or the chosen currency alone.
    Label26->setText(ModeDevise == 1 ? NomDevise : QStringLiteral("Euros"));
    Label27->setText(ModeDevise == 1 ? QString() : QStringLiteral("Francs"));
    ModifFacture = false;

    const blocks::BlockContent block = blocks::ReadBlock(ListeFactures, IndexFacture, BlocFacture);
    if (block.found) {
        const auto field = [&](int n) { return block.fields[n - 1].value_or(QString()); };
        const QString numero = Trim(field(1).mid(4));
        if (!numero.isEmpty())
            MaskEdit3->SetText(numero);
        try {
            DateTimePicker1->setDate(ToQDateTime(StrToDate(field(2))).date());
        } catch (const EConvertError&) {
            // The card keeps today.
        }
        Edit22->setText(field(3));
        if (!field(4).isEmpty())
            ComboBox3->setEditText(field(4));
        if (!field(5).isEmpty())
            ComboBox4->setEditText(field(5));
        Edit23->setText(field(6));
        Edit24->setText(field(7));
        Edit25->setText(field(8));
        Edit26->setText(field(9));
        const QString ttc = field(10);
        if (ttc.left(3) == QLatin1String("TTC") && ttc.mid(3, 1) == QLatin1String("Y"))
            RadioButton2->setChecked(true);
        const QString valide = field(11);
        FactureValidee = valide == QLatin1String("Y") ? valide : QStringLiteral("N");
        if (!block.repeats[Note].memo.isEmpty())
            Memo2->setPlainText(block.repeats[Note].memo.join(QLatin1Char('\n')));
        Memo2->moveCursor(QTextCursor::Start);
        int r = 1;
        for (const QStringList& cells : block.repeats[Lignes].rows) {
            for (int c = 0; c < int(cells.size()); ++c)
                StringGrid2->SetCells(c, r, cells[c]);
            ++r;
        }
        KeptLines[KFacture] = block.kept;
        NbLignesFacture = int(block.repeats[Lignes].rows.size()) + 1;
        Calculef();
    }
    Memo2->document()->setModified(false);
    GrilleFactureActive = false;
    const bool valide = FactureValidee == QLatin1String("Y");
    StaticText1->setText(valide ? QStringLiteral("Facture validée") : QStringLiteral("Facture non validée"));
    MontreFactureValidee(valide);
    ModifFacture = false;
}

// A validated invoice keeps what was posted to the customer: its number, date, customer, type,
// price mode and lines take no change; its address, payment mode and note stay editable.
void TFiche::MontreFactureValidee(bool valide)
{
    Button3->setEnabled(!valide);
    StringGrid2->setEnabled(!valide);
    MaskEdit3->setReadOnly(valide);
    Edit22->setReadOnly(valide);
    DateTimePicker1->setReadOnly(valide);
    Button1->setEnabled(!valide);
    ComboBox4->setEnabled(!valide);
    RadioButton1->setEnabled(!valide);
    RadioButton2->setEnabled(!valide);
}

int TFiche::Numerof()
{
    // Invoices of type "Facture" only are numbered, month by month from the month's first number;
    // a number that is not a whole number is passed over.
    const int base = StrToInt(FormatDateTime(QStringLiteral("yyyymm"), Date()) + QStringLiteral("000"));
    ProchainFacture = blocks::NextNumber(ListeFactures, base, QLatin1String("NUMF"));
    return ProchainFacture;
}

// ---- new invoices -----------------------------------------------------------------------------------

// The number of a new invoice: one past the blocks, never one that a block holds. A blank card
// not yet written is reused, as Ajout does for the other kinds.
bool TFiche::NouveauBloc()
{
    EcritFact();
    NbFactures = std::max(NbFactures, ListeFactures.StartLineCount());
    const bool blankLast = NbFactures > 0 && ListeFactures.FindBlock(NbFactures - 1) < 0;
    if (!blankLast) {
        if (NbFactures >= KindOf(KFacture).capacity) {
            platform::ShowMessage(QStringLiteral("Le fichier est plein"));
            return false;
        }
        ++NbFactures;
    }
    IndexFacture = NbFactures - 1;
    Numerof();
    return true;
}

void TFiche::Facture()
{
    PageControl1->setCurrentWidget(TabSheet2);
    LitFact();
}

void TFiche::NouvFact()
{
    PageControl1->setCurrentWidget(TabSheet2);
    if (!NouveauBloc())
        return;
    ModeSelectionFactures = 0;
    LitFact();
    if (Edit22->text().isEmpty() && !Edit1->text().isEmpty()) {
        Edit22->setText(Edit1->text());
        DateTimePicker1->setDate(Aujourdhui());
    }
    if (Edit23->text().isEmpty())
        Edit23->setText(Edit2->text());
    if (Edit24->text().isEmpty())
        Edit24->setText(Edit3->text());
    if (Edit25->text().isEmpty())
        Edit25->setText(Edit4->text());
    if (Edit26->text().isEmpty())
        Edit26->setText(Edit5->text() + QLatin1Char(' ') + Edit6->text());
    FactureValidee = QStringLiteral("N");
    DateTimePicker1->setDate(Aujourdhui());
    Edit22->setFocus();
}

void TFiche::Button2Click()
{
    if (!NouveauBloc())
        return;
    LitFact();
    FactureValidee = QStringLiteral("N");
    DateTimePicker1->setDate(Aujourdhui());
    Edit22->setFocus();
    NbLignesFacture = 0;
}

// ---- picks and search -------------------------------------------------------------------------------

void TFiche::Button1Click()
{
    const QString code = Choisir<TListeCli>(this, ListeClients);
    if (code.isEmpty())
        return;
    Edit22->setText(code);
    const int bloc = blocks::BlockOfCode(ListeClients, code);
    if (bloc < 0 || ListeClients.Count() <= bloc + 8)
        return;
    Edit23->setText(ListeClients.Strings(bloc + 4));
    Edit24->setText(ListeClients.Strings(bloc + 5));
    Edit25->setText(ListeClients.Strings(bloc + 6));
    Edit26->setText(ListeClients.Strings(bloc + 7) + QLatin1Char(' ') + ListeClients.Strings(bloc + 8));
}

void TFiche::ChercheFact()
{
    const QString numero =
        platform::InputBox(QStringLiteral("Chercher facture"), QStringLiteral("Numéro de facture"), QStringLiteral("F"));
    const QString ligne = QStringLiteral("NUM") + numero;
    if (ListeFactures.IndexOf(ligne) < 0)
        return;
    // Writing the current invoice moves its block to the end: the number is looked up again.
    EcritFact();
    const int i = ListeFactures.IndexOf(ligne);
    int n = 0;
    if (i < 1 || !ListeFactures.TagNumber(ListeFactures.Strings(i - 1), n) ||
        !ListeFactures.Strings(i - 1).startsWith(QLatin1String("<BLOC")))
        return;
    IndexFacture = n;
    LitFact();
}

// ---- the card's handlers ----------------------------------------------------------------------------

void TFiche::MaskEdit3KeyPress(QChar& key)
{
    ModifFacture = true;
    if (key != RetourArriere && !key.isDigit())
        key = QChar();
}

void TFiche::DateTimePicker1Change()
{
    ModifFacture = true;
}

void TFiche::StringGrid2Enter()
{
    GrilleFactureActive = true;
    if (ActiveSupprimerLigne)
        ActiveSupprimerLigne(true);
}

void TFiche::StringGrid2Exit()
{
    GrilleFactureActive = false;
    if (ActiveSupprimerLigne)
        ActiveSupprimerLigne(false);
}

void TFiche::StringGrid2KeyPress(QChar& key)
{
    const int r = StringGrid2->Row();
    const int c = StringGrid2->Col();
    ModifFacture = true;
    if (key == RetourArriere)
        return;
    if (c != invoice::ColRef && key == QLatin1Char('.'))
        key = QLatin1Char(',');
    if (c == invoice::ColVat && key == Tabulation)
        key = Retour;
    NbLignesFacture = std::max(NbLignesFacture, r);
    if (c == invoice::ColDesignation && StringGrid2->Cells(c, r).size() > 40)
        key = QChar();
    if (key != Retour || c < invoice::ColQuantity)
        return;
    // What the cell's editor holds is the cell's text before anything is computed.
    FermeEditeurFacture();
    if (StringGrid2->Cells(invoice::ColVat, r).isEmpty() && !StringGrid2->Cells(invoice::ColPrice, r).isEmpty())
        StringGrid2->SetCells(invoice::ColVat, r, CodeTVADefaut);
    Calculef();
    StringGrid2->SetCol(invoice::ColRef);
    NbLignesFacture = std::max(NbLignesFacture, r);
    if (NbLignesFacture < LignesSuivies && r + 1 < StringGrid2->RowCount())
        StringGrid2->SetRow(r + 1);
    key = QChar();
}

void TFiche::StringGrid2Click()
{
    ModifFacture = true;
    DoitSauver = true;
    const int r = StringGrid2->Row();
    if (StringGrid2->Col() != invoice::ColDesignation || r < 1)
        return;
    const QString designation = StringGrid2->Cells(invoice::ColDesignation, r);
    // An empty designation opens the stock; a filled one is taken as a code only when an article
    // bears it, so that a click on a line already filled never puts its designation in place of
    // its reference.
    QString code;
    if (designation.isEmpty())
        code = Choisir<TListeArt1>(this, ListeArticles);
    else
        code = Trim(designation);
    if (code.isEmpty())
        return;
    const int bloc = blocks::BlockOfCode(ListeArticles, code);
    if (bloc < 0 || ListeArticles.Count() <= bloc + 4)
        return;
    StringGrid2->SetCells(invoice::ColRef, r, code);
    StringGrid2->SetCells(invoice::ColDesignation, r, ListeArticles.Strings(bloc + 3));
    if (StringGrid2->Cells(invoice::ColPrice, r).isEmpty())
        StringGrid2->SetCells(invoice::ColPrice, r, Trim(ListeArticles.Strings(bloc + 4)));
    NbLignesFacture = std::max(NbLignesFacture, r);
    StringGrid2->SetCol(invoice::ColQuantity);
}

void TFiche::SupLigne1()
{
    const int r = StringGrid2->Row();
    if (!GrilleFactureActive || r < 1 || r > NbLignesFacture || FactureValidee == QLatin1String("Y"))
        return;
    FermeEditeurFacture();
    const int last = std::min(NbLignesFacture, StringGrid2->RowCount() - 1);
    for (int row = r; row <= last; ++row) {
        for (int c = 0; c < StringGrid2->ColCount(); ++c)
            StringGrid2->SetCells(c, row, row + 1 < StringGrid2->RowCount() ? StringGrid2->Cells(c, row + 1) : QString());
        DeplacePrix(row + 1, row);
    }
    for (int c = 0; c < StringGrid2->ColCount(); ++c)
        StringGrid2->SetCells(c, last, QString());
    --NbLignesFacture;
    DoitSauver = true;
    ModifFacture = true;
    // The totals follow the lines that are left.
    Calculef();
}

void TFiche::TabSheet2Exit()
{
    EcritFact();
}

void cartes::ConnectInvoiceCard(TFiche& f)
{
    using platform::guard;
    // Before the connections: showing today is no change of the card.
    f.DateTimePicker1->setDate(Aujourdhui());
    const auto changed = guard(&f, &TFiche::DateTimePicker1Change);
    for (QLineEdit* e : {static_cast<QLineEdit*>(f.MaskEdit3), f.Edit22, f.Edit23, f.Edit24, f.Edit25, f.Edit26})
        QObject::connect(e, &QLineEdit::textChanged, &f, changed);
    QObject::connect(f.DateTimePicker1, &QDateEdit::dateChanged, &f, changed);
    QObject::connect(f.ComboBox3, &QComboBox::editTextChanged, &f, changed);
    QObject::connect(f.ComboBox4, &QComboBox::editTextChanged, &f, changed);
    QObject::connect(f.RadioButton1, &QRadioButton::clicked, &f, changed);
    QObject::connect(f.RadioButton2, &QRadioButton::clicked, &f, changed);
    QObject::connect(f.Memo2, &QPlainTextEdit::textChanged, &f, changed);
    OnKeyPress(f.MaskEdit3, guard(&f, &TFiche::MaskEdit3KeyPress));
    f.StringGrid2->SetOnKeyPress(guard(&f, &TFiche::StringGrid2KeyPress));
    QObject::connect(f.StringGrid2, &TStringGrid::CellEdited, &f, changed);
    QObject::connect(f.StringGrid2, &QTableWidget::cellClicked, &f, guard(&f, &TFiche::StringGrid2Click));
    // The grid counts as entered while the focus is on it or on its cell editor: opening the
    // editor is no leaving, and neither is a menu or another window taking the focus for a while.
    QObject::connect(qApp, &QApplication::focusChanged, &f, [&f](QWidget* old, QWidget* now) {
        const auto inGrid = [&f](QWidget* w) { return w && (w == f.StringGrid2 || f.StringGrid2->isAncestorOf(w)); };
        if (!now || now->window() != f.window() || inGrid(old) == inGrid(now))
            return;
        platform::Guarded([&] { inGrid(now) ? f.StringGrid2Enter() : f.StringGrid2Exit(); });
    });
    QObject::connect(f.Button1, &QPushButton::clicked, &f, guard(&f, &TFiche::Button1Click));
    QObject::connect(f.Button2, &QPushButton::clicked, &f, guard(&f, &TFiche::Button2Click));
    QObject::connect(f.Button3, &QPushButton::clicked, &f, guard(&f, &TFiche::Button3Click));
    QObject::connect(f.Button4, &QPushButton::clicked, &f, guard(&f, &TFiche::Button4Click));
}
