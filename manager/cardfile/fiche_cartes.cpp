// The card engine: writing a card into its block and reading a block into its card, the next
// code, the dated history line and the focus handlers, written once for every card.
#include "manager/cardfile/fiche_cartes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <limits>
#include <memory>
#include <vector>
#include "platform/application.h"
#include "platform/widgets/keypress.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"

using namespace rtl;

namespace cartes {

namespace {

const QString Yes = QStringLiteral("Y");
const QString No = QStringLiteral("N");
const QLatin1String StartPrefix("<BLOC");

// A row shorter than this, cells and TABs together, ends a grid's lines: nothing under it is
// written.
constexpr int ShortestRow = 10;

template <class W>
W* As(TFiche& f, ControlOf control)
{
    return static_cast<W*>(control(f));
}

QStringList MemoLines(QPlainTextEdit* memo)
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

QString JoinedRow(TStringGrid* grid, int row, int cells)
{
    QStringList parts;
    for (int col = 0; col < cells; ++col)
        parts << grid->Cells(col, row);
    return parts.join(QLatin1Char('\t'));
}

void EmptyRows(TStringGrid* grid)
{
    for (int row = grid->FixedRows(); row < grid->RowCount(); ++row)
        for (int col = 0; col < grid->ColCount(); ++col)
            grid->SetCells(col, row, QString());
}

// The repeat a line belongs to by its first four letters, or -1.
int RepeatOf(const Card& card, const QString& line)
{
    for (int i = 0; i < int(card.repeats.size()); ++i)
        if (line.startsWith(QLatin1String(card.repeats[i].prefix)))
            return i;
    return -1;
}

// Puts a row line into the grid's next row. A line the writer could not give back as it is (no
// TAB, or shorter than a row that ends the lines) or that finds no row left does not fit.
bool PlaceRow(TFiche& f, const RepeatLines& rep, const QString& line, int& row)
{
    QString rest = line.mid(4);
    if (!rest.contains(QLatin1Char('\t')) || rest.size() < ShortestRow)
        return false;
    TStringGrid* grid = As<TStringGrid>(f, rep.control);
    if (row >= grid->RowCount()) {
        if (!rep.grows)
            return false;
        grid->SetRowCount(row + 1);
    }
    for (int col = 0; col < rep.cells; ++col) {
        QString cell;
        const int tab = int(rest.indexOf(QLatin1Char('\t')));
        if (col == rep.cells - 1 || tab < 0) {
            cell = rest;
            rest.clear();
        } else {
            cell = rest.left(tab);
            rest = rest.mid(tab + 1);
        }
        grid->SetCells(col, row, col == rep.amountColumn ? f.Rset(cell, rep.amountWidth) : cell);
    }
    ++row;
    return true;
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

// ---- fields ---------------------------------------------------------------------------------------

QString FieldText(TFiche& f, const Field& field)
{
    switch (field.rule) {
    case Rule::Text:
    case Rule::Trimmed:
        return As<QLineEdit>(f, field.control)->text();
    case Rule::Flag:
        return As<QCheckBox>(f, field.control)->isChecked() ? Yes : No;
    case Rule::Mask:
        return As<TMaskEdit>(f, field.control)->Text();
    case Rule::Combo:
        return As<QComboBox>(f, field.control)->currentText();
    case Rule::Prefixed:
        return QLatin1String(field.prefix) + As<QLineEdit>(f, field.control)->text();
    case Rule::State:
        return f.*field.state;
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
        As<QCheckBox>(f, field.control)->setChecked(text == Yes);
        break;
    case Rule::Mask:
        As<TMaskEdit>(f, field.control)->SetText(text);
        break;
    case Rule::Combo:
        As<QComboBox>(f, field.control)->setEditText(text);
        break;
    case Rule::Prefixed: {
        // A line that lost its prefix (a hand-edited file) is shown whole.
        const QLatin1String prefix(field.prefix);
        As<QLineEdit>(f, field.control)->setText(text.startsWith(prefix) ? text.mid(prefix.size()) : text);
        break;
    }
    case Rule::State:
        f.*field.state = text == Yes ? Yes : No;
        break;
    }
}

// ---- writing and reading --------------------------------------------------------------------------

void WriteCard(TFiche& f, const Card& card)
{
    const TFiche::RecordKind& kind = TFiche::KindOf(card.kind);
    if (!(f.*kind.modified))
        return;
    QStringList lines;
    for (const Field& field : card.fields)
        lines << FieldText(f, field);
    for (const RepeatLines& rep : card.repeats) {
        const QString prefix = QLatin1String(rep.prefix);
        if (rep.what == Repeat::Memo) {
            for (const QString& line : MemoLines(As<QPlainTextEdit>(f, rep.control)))
                lines << prefix + line;
            continue;
        }
        TStringGrid* grid = As<TStringGrid>(f, rep.control);
        for (int row = grid->FixedRows(); row < grid->RowCount(); ++row) {
            const QString joined = JoinedRow(grid, row, rep.cells);
            if (joined.size() < ShortestRow)
                break;
            lines << prefix + joined;
        }
    }
    lines << f.KeptLines[card.kind];
    f.RewriteBlock(card.kind, lines);
}

Reading ReadCard(TFiche& f, const Card& card)
{
    Q_ASSERT(card.repeats.size() <= MaxRepeats);
    const TFiche::RecordKind& kind = TFiche::KindOf(card.kind);
    QStringList& kept = f.KeptLines[card.kind];
    kept.clear();

    for (const Field& field : card.fields)
        ShowField(f, field, field.rule == Rule::Flag || field.rule == Rule::State ? No : QString());
    Reading reading;
    std::vector<QStringList> memo(card.repeats.size());
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
    const RecordList& list = f.ListOf(card.kind);
    const int index = f.*kind.index;
    const int pos = index >= 0 ? list.FindBlock(index) : -1;
    if (pos < 0) {
        freshCode();
        return reading;
    }
    reading.found = true;

    // The block's own lines: up to its end tag, or up to the next block when the tag is missing.
    int end = pos + list.BlockLength(pos, index);
    if (end - pos > 1 && list[end - 1] == list.EndTag(index))
        --end;
    const int fieldCount = int(card.fields.size());
    for (int n = 1; pos + n < end; ++n) {
        const QString line = list[pos + n];
        const int rep = n >= card.scanFrom && n <= LastLineRead ? RepeatOf(card, line) : -1;
        if (n <= fieldCount && rep < 0) {
            ShowField(f, card.fields[n - 1], line);
            continue;
        }
        bool placed = false;
        if (rep >= 0 && card.repeats[rep].what == Repeat::Memo) {
            memo[rep] << line.mid(4);
            placed = true;
        } else if (rep >= 0) {
            placed = PlaceRow(f, card.repeats[rep], line, reading.nextRow[rep]);
        }
        if (!placed)
            kept << line;
    }
    for (int i = 0; i < int(card.repeats.size()); ++i) {
        if (card.repeats[i].what != Repeat::Memo)
            continue;
        auto* edit = As<QPlainTextEdit>(f, card.repeats[i].control);
        if (!memo[i].isEmpty())
            edit->setPlainText(memo[i].join(QLatin1Char('\n')));
        edit->moveCursor(QTextCursor::Start);
    }
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

// ---- numbering ----------------------------------------------------------------------------------

int NextNumber(const RecordList& list, int floor, QLatin1String prefix)
{
    int largest = floor;
    for (int i = 0; i + 1 < list.Count(); ++i) {
        if (!list[i].startsWith(StartPrefix))
            continue;
        QString code = list[i + 1];
        if (!code.startsWith(prefix))
            continue;
        code = Trim(code.mid(prefix.size()));
        if (code.isEmpty())
            continue;
        try {
            const int n = StrToInt(code);
            // The largest whole number has no successor: it cannot lead the numbering either.
            if (n > largest && n < std::numeric_limits<int>::max())
                largest = n;
        } catch (const EConvertError&) {
        }
    }
    return largest + 1;
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

// Leaving the customer, machine or ticket page writes its card back, so that switching pages
// never loses what was typed.
void TFiche::ConnectCards()
{
    cartes::ConnectCustomerCard(*this);
    cartes::ConnectMachineCard(*this);
    cartes::ConnectTicketCard(*this);

    struct PageExit {
        QWidget* page;
        void (TFiche::*exit)();
    };
    const std::vector<PageExit> exits = {
        {TabSheet1, &TFiche::TabSheet1Exit},
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
