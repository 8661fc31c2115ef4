// The card engine: writing a card into its block and reading a block into its card (which line
// goes where is the core's, manager/cardfile/core/blocks.h; the controls are the card's), the
// dated history line and the focus handlers, written once for every card.
#include "manager/cardfile/fiche_cartes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <memory>
#include <vector>
#include "manager/cardfile/core/blocks.h"
#include "platform/application.h"
#include "platform/widgets/keypress.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"

using namespace rtl;

namespace cartes {

namespace {

template <class W>
W* As(TFiche& f, ControlOf control)
{
    return static_cast<W*>(control(f));
}

void EmptyRows(TStringGrid* grid)
{
    for (int row = grid->FixedRows(); row < grid->RowCount(); ++row)
        for (int col = 0; col < grid->ColCount(); ++col)
            grid->SetCells(col, row, QString());
}

// The card's layout for the core: its fields, and its repeats with the room its grids have now (a
// grid that grows has room for every row). `repeats` holds what the layout refers to.
blocks::BlockLayout LayoutOf(TFiche& f, const Card& card, std::vector<blocks::RepeatLayout>& repeats)
{
    repeats.clear();
    for (const RepeatLines& rep : card.repeats) {
        int room = -1;
        if (rep.what == Repeat::Rows && !rep.grows) {
            const TStringGrid* grid = As<TStringGrid>(f, rep.control);
            room = grid->RowCount() - grid->FixedRows();
        }
        repeats.push_back({QLatin1String(rep.prefix), rep.what == Repeat::Rows, rep.cells, room});
    }
    return {int(card.fields.size()), repeats, card.scanFrom};
}

class FocusHook : public QObject {
public:
    FocusHook(QWidget* control, QEvent::Type type, std::function<void()> handler)
        : QObject(control), type_(type), handler_(std::move(handler))
    {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == type_) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                handler_();
        }
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> handler_;
};

}  // namespace

QStringList MemoLines(const QPlainTextEdit* memo)
{
    QStringList lines;
    const QTextDocument* doc = memo->document();
    if (doc->isEmpty())
        return lines;
    // Block by block: the document's plain text would turn non-breaking spaces into blanks.
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines << b.text();
    return lines;
}

// ---- fields ---------------------------------------------------------------------------------------

QString FieldText(TFiche& f, const Field& field)
{
    switch (field.rule) {
    case Rule::Text:
    case Rule::Trimmed:
        return As<QLineEdit>(f, field.control)->text();
    case Rule::Flag:
        return blocks::FlagLine(As<QCheckBox>(f, field.control)->isChecked());
    case Rule::Mask:
        return As<TMaskEdit>(f, field.control)->Text();
    case Rule::Combo:
        return As<QComboBox>(f, field.control)->currentText();
    case Rule::Prefixed:
        return QLatin1String(field.prefix) + As<QLineEdit>(f, field.control)->text();
    case Rule::State:
        return f.*field.state;
    case Rule::Date:
        return DateToStr(FromQDateTime(As<QDateEdit>(f, field.control)->date().startOfDay()));
    }
    return QString();
}

void ShowField(TFiche& f, const Field& field, const QString& text)
{
    switch (field.rule) {
    case Rule::Text:
        As<QLineEdit>(f, field.control)->setText(text);
        break;
    case Rule::Trimmed:
        As<QLineEdit>(f, field.control)->setText(Trim(text));
        break;
    case Rule::Flag:
        As<QCheckBox>(f, field.control)->setChecked(blocks::FlagSet(text));
        break;
    case Rule::Mask:
        As<TMaskEdit>(f, field.control)->SetText(text);
        break;
    case Rule::Combo:
        As<QComboBox>(f, field.control)->setEditText(text);
        break;
    case Rule::Prefixed:
        As<QLineEdit>(f, field.control)->setText(blocks::WithoutPrefix(text, QLatin1String(field.prefix)));
        break;
    case Rule::State:
        f.*field.state = blocks::FlagLine(blocks::FlagSet(text));
        break;
    case Rule::Date:
        try {
            As<QDateEdit>(f, field.control)->setDate(ToQDateTime(StrToDate(text)).date());
        } catch (const EConvertError&) {
        }
        break;
    }
}

int LineOf(const Card& card, ControlOf control)
{
    for (std::size_t i = 0; i < card.fields.size(); ++i)
        if (card.fields[i].control == control)
            return int(i) + 1;
    Q_UNREACHABLE();
    return -1;
}

// ---- writing and reading --------------------------------------------------------------------------

void WriteCard(TFiche& f, const Card& card)
{
    const TFiche::RecordKind& kind = TFiche::KindOf(card.kind);
    if (!(f.*kind.modified))
        return;
    QStringList fields;
    for (const Field& field : card.fields)
        fields << FieldText(f, field);
    std::vector<blocks::RepeatContent> content(card.repeats.size());
    for (std::size_t i = 0; i < card.repeats.size(); ++i) {
        const RepeatLines& rep = card.repeats[i];
        if (rep.what == Repeat::Memo) {
            content[i].memo = MemoLines(As<QPlainTextEdit>(f, rep.control));
            continue;
        }
        const TStringGrid* grid = As<TStringGrid>(f, rep.control);
        for (int row = grid->FixedRows(); row < grid->RowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < rep.cells; ++col)
                cells << grid->Cells(col, row);
            content[i].rows << cells;
        }
    }
    std::vector<blocks::RepeatLayout> repeats;
    f.RewriteBlock(card.kind, blocks::BlockLines(fields, LayoutOf(f, card, repeats), content,
                                                 f.KeptLines[card.kind]));
}

Reading ReadCard(TFiche& f, const Card& card)
{
    Q_ASSERT(card.repeats.size() <= MaxRepeats);
    const TFiche::RecordKind& kind = TFiche::KindOf(card.kind);
    QStringList& kept = f.KeptLines[card.kind];
    kept.clear();

    for (const Field& field : card.fields) {
        const bool flag = field.rule == Rule::Flag || field.rule == Rule::State;
        ShowField(f, field, flag ? blocks::FlagLine(false) : QString());
    }
    Reading reading;
    for (int i = 0; i < int(card.repeats.size()); ++i) {
        const RepeatLines& rep = card.repeats[i];
        if (rep.what == Repeat::Memo) {
            As<QPlainTextEdit>(f, rep.control)->clear();
        } else {
            EmptyRows(As<TStringGrid>(f, rep.control));
            reading.nextRow[i] = As<TStringGrid>(f, rep.control)->FixedRows();
        }
    }
    // A card without block shows a fresh code. Numbering walks the whole list (two million lines
    // of tickets): a block that has its code does not need it.
    QLineEdit* code = f.*kind.codeEdit;
    auto freshCode = [&] {
        code->setText(IntToStr((f.*kind.nextCode)()));
        f.*kind.modified = false;
    };
    f.*kind.modified = false;
    std::vector<blocks::RepeatLayout> repeats;
    const blocks::BlockContent block =
        blocks::ReadBlock(f.ListOf(card.kind), f.*kind.index, LayoutOf(f, card, repeats));
    if (!block.found) {
        freshCode();
        return reading;
    }
    reading.found = true;

    for (std::size_t n = 0; n < card.fields.size(); ++n)
        if (block.fields[n])
            ShowField(f, card.fields[n], *block.fields[n]);
    for (int i = 0; i < int(card.repeats.size()); ++i) {
        const RepeatLines& rep = card.repeats[i];
        if (rep.what == Repeat::Memo) {
            auto* edit = As<QPlainTextEdit>(f, rep.control);
            if (!block.repeats[i].memo.isEmpty())
                edit->setPlainText(block.repeats[i].memo.join(QLatin1Char('\n')));
            edit->moveCursor(QTextCursor::Start);
            continue;
        }
        TStringGrid* grid = As<TStringGrid>(f, rep.control);
        for (const QStringList& cells : block.repeats[i].rows) {
            int& row = reading.nextRow[i];
            if (row >= grid->RowCount())
                grid->SetRowCount(row + 1);   // only a grid that grows has rows past its own
            for (int col = 0; col < int(cells.size()); ++col) {
                const QString& cell = cells[col];
                grid->SetCells(col, row, col == rep.amountColumn ? f.Rset(cell, rep.amountWidth) : cell);
            }
            ++row;
        }
    }
    kept = block.kept;
    if (code->text().isEmpty())
        freshCode();
    f.*kind.modified = false;
    return reading;
}

void ConnectChanges(TFiche& f, const Card& card, const std::function<void()>& changed)
{
    auto bind = [&](QWidget* w) {
        if (auto* check = qobject_cast<QCheckBox*>(w))
            QObject::connect(check, &QCheckBox::toggled, &f, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            QObject::connect(combo, &QComboBox::editTextChanged, &f, changed);
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            QObject::connect(edit, &QLineEdit::textChanged, &f, changed);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            QObject::connect(memo, &QPlainTextEdit::textChanged, &f, changed);
    };
    for (const Field& field : card.fields)
        if (field.control && field.marks)
            bind(field.control(f));
    for (const RepeatLines& rep : card.repeats)
        if (rep.what == Repeat::Memo)
            bind(rep.control(f));
}

// ---- the history line -----------------------------------------------------------------------------

QString Amount(const TFiche& f, double value, int width)
{
    return f.Rset(FormatFloat(f.FormatMontant, value), width);
}

void AddHistoryLine(TFiche& f, const History& h)
{
    QLineEdit* label = f.*h.label;
    QLineEdit* amount = f.*h.amount;
    TStringGrid* grid = f.*h.grid;
    if (Trim(label->text()).isEmpty() || Trim(amount->text()).isEmpty())
        return;
    amount->setText(Amount(f, StrToFloat(amount->text()), 95));

    int used = 0;
    for (int row = 1; row < grid->RowCount(); ++row) {
        if (grid->Cells(0, row).isEmpty()) {
            const QDate day = (f.*h.date)->date();
            grid->SetCells(0, row, DateToStr(FromQDateTime(QDateTime(day, QTime(0, 0)))));
            grid->SetCells(1, row, label->text());
            grid->SetCells(2, row, amount->text());
            label->clear();
            amount->clear();
            used = row;
            break;
        }
    }
    // A line in one of the last three rows: every row moves up one and the oldest goes. The last
    // row is emptied, or it would stay behind as a copy of the one above it.
    const int rows = grid->RowCount();
    if (used > rows - 4) {
        for (int row = 1; row <= rows - 2; ++row)
            for (int col = 0; col < grid->ColCount(); ++col)
                grid->SetCells(col, row, grid->Cells(col, row + 1));
        for (int col = 0; col < grid->ColCount(); ++col)
            grid->SetCells(col, rows - 1, QString());
    }
    f.DoitSauver = true;
    f.*h.modified = true;
}

// ---- amounts --------------------------------------------------------------------------------------

void OnAmountKeyPress(QLineEdit* field, std::function<void(QChar&)> filter)
{
    OnKeyPress(field, [field, filter = std::move(filter)](QChar& key) {
        filter(key);
        if (key != QLatin1Char(','))
            return;
        QString kept = field->text();
        if (field->hasSelectedText())
            kept.remove(field->selectionStart(), field->selectedText().size());
        if (kept.contains(QLatin1Char(',')))
            key = QChar();
    });
}

// ---- focus ----------------------------------------------------------------------------------------

void OnEnter(QWidget* control, std::function<void()> handler)
{
    new FocusHook(control, QEvent::FocusIn, std::move(handler));
}

void OnExit(QWidget* control, std::function<void()> handler)
{
    new FocusHook(control, QEvent::FocusOut, std::move(handler));
}

}  // namespace cartes

// ---- the connections ------------------------------------------------------------------------------

// Leaving a card's page writes its card back, so that switching pages
// never loses what was typed.
void TFiche::ConnectCards()
{
    cartes::ConnectCustomerCard(*this);
    cartes::ConnectMachineCard(*this);
    cartes::ConnectTicketCard(*this);
    cartes::ConnectArticleCard(*this);
    cartes::ConnectInvoiceCard(*this);

    struct PageExit {
        QWidget* page;
        void (TFiche::*exit)();
    };
    const std::vector<PageExit> exits = {
        {TabSheet1, &TFiche::TabSheet1Exit},
        {TabSheet2, &TFiche::TabSheet2Exit},
        {TabSheet3, &TFiche::TabSheet3Exit},
        {TabSheet4, &TFiche::TabSheet4Exit},
        {TabSheet5, &TFiche::TabSheet5Exit},
    };
    auto shown = std::make_shared<QPointer<QWidget>>(PageControl1->currentWidget());
    connect(PageControl1, &QTabWidget::currentChanged, this, [this, exits, shown](int) {
        QWidget* left = *shown;
        *shown = PageControl1->currentWidget();
        for (const PageExit& e : exits)
            if (e.page == left)
                platform::Guarded([&] { (this->*e.exit)(); });
    });
}
