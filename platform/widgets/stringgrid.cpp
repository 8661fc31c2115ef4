#include "platform/widgets/stringgrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    // What is typed reaches the cell at once, not only when the editor closes: the card writers
    // read the cells, and a move (Page Down while typing) writes the card with the editor open.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            auto* self = const_cast<StringGridDelegate*>(this);
            connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
        }
        grid_->EditorMade(editor);
        return editor;
    }

    // The cell just took the editor's own text: setting it back would move the caret to the end.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && line->text() == index.data(Qt::EditRole).toString())
            return;
        QStyledItemDelegate::setEditorData(editor, index);
    }

private:
    TStringGrid* grid_;
};

namespace {

QString NotNull(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

}  // namespace

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent)
{
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new StringGridDelegate(this));
    horizontalHeader()->setFont(font());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    SetEditing(false);
    connect(horizontalHeader(), &QHeaderView::sectionCountChanged, this, &TStringGrid::ApplyColWidths);
    connect(this, &QTableWidget::currentCellChanged, this, &TStringGrid::ShowEditorIfWanted);
}

// ---- cells --------------------------------------------------------------------------------------

QString TStringGrid::Cells(int col, int row) const
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= RowCount())
        return QStringLiteral("");
    const QTableWidgetItem* it = row < fixedRows_ ? horizontalHeaderItem(col) : item(row - fixedRows_, col);
    return it ? NotNull(it->text()) : QStringLiteral("");
}

// A cell outside the grid has nowhere to go; the cards never write one.
void TStringGrid::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= RowCount())
        return;
    if (row < fixedRows_) {
        QTableWidgetItem* head = horizontalHeaderItem(col);
        if (!head) {
            head = new QTableWidgetItem;
            setHorizontalHeaderItem(col, head);
        }
        head->setText(NotNull(text));
        return;
    }
    QTableWidgetItem* it = item(row - fixedRows_, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row - fixedRows_, col, it);
    }
    it->setText(NotNull(text));
}

// ---- sizes --------------------------------------------------------------------------------------

int TStringGrid::RowCount() const
{
    return rowCount() + fixedRows_;
}

void TStringGrid::SetRowCount(int rows)
{
    setRowCount(std::max(0, rows - fixedRows_));
}

int TStringGrid::ColCount() const
{
    return columnCount();
}

void TStringGrid::SetColCount(int cols)
{
    setColumnCount(std::max(0, cols));
}

void TStringGrid::SetFixedRows(int rows)
{
    const int total = RowCount();
    fixedRows_ = rows > 0 ? 1 : 0;
    horizontalHeader()->setVisible(fixedRows_ == 1);
    SetRowCount(total);
}

int TStringGrid::ColWidths(int col) const
{
    return columnWidth(col);
}

void TStringGrid::SetColWidths(int col, int width)
{
    if (col < 0)
        return;
    if (col >= colWidths_.size())
        colWidths_.resize(col + 1, -1);
    colWidths_[col] = width;
    if (col < columnCount())
        setColumnWidth(col, width);
}

QString TStringGrid::ColWidthsText() const
{
    QStringList widths;
    for (int col = 0; col < columnCount(); ++col)
        widths << QString::number(columnWidth(col));
    return widths.join(QLatin1Char(','));
}

void TStringGrid::SetColWidthsText(const QString& widths)
{
    const QStringList parts = widths.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int col = 0; col < parts.size(); ++col)
        SetColWidths(col, parts[col].trimmed().toInt());
}

// Widths given before the columns existed (a form sets its properties in any order).
void TStringGrid::ApplyColWidths()
{
    for (int col = 0; col < colWidths_.size() && col < columnCount(); ++col)
        if (colWidths_[col] >= 0)
            setColumnWidth(col, colWidths_[col]);
}

int TStringGrid::DefaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void TStringGrid::SetDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
}

// ---- current cell -------------------------------------------------------------------------------

int TStringGrid::Row() const
{
    return std::max(0, currentRow()) + fixedRows_;
}

void TStringGrid::SetRow(int row)
{
    setCurrentCell(row - fixedRows_, std::max(0, currentColumn()));
}

int TStringGrid::Col() const
{
    return std::max(0, currentColumn());
}

void TStringGrid::SetCol(int col)
{
    setCurrentCell(std::max(0, currentRow()), col);
}

// ---- options ------------------------------------------------------------------------------------

QString TStringGrid::Options() const
{
    QStringList on;
    if (editing_)
        on << QStringLiteral("goEditing");
    if (Tabs())
        on << QStringLiteral("goTabs");
    if (alwaysShowEditor_)
        on << QStringLiteral("goAlwaysShowEditor");
    if (rowSelect_)
        on << QStringLiteral("goRowSelect");
    return on.join(QLatin1Char(','));
}

void TStringGrid::SetOptions(const QString& options)
{
    const QStringList on = options.split(QLatin1Char(','), Qt::SkipEmptyParts);
    auto has = [&](const char* name) { return on.contains(QLatin1String(name)); };
    SetEditing(has("goEditing"));
    SetTabs(has("goTabs"));
    SetAlwaysShowEditor(has("goAlwaysShowEditor"));
    SetRowSelect(has("goRowSelect"));
}

void TStringGrid::SetEditing(bool on)
{
    editing_ = on;
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void TStringGrid::SetRowSelect(bool on)
{
    rowSelect_ = on;
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TStringGrid::SetAlwaysShowEditor(bool on)
{
    alwaysShowEditor_ = on;
    ShowEditorIfWanted();
}

void TStringGrid::ShowEditorIfWanted()
{
    if (alwaysShowEditor_ && editing_ && currentIndex().isValid() && state() != QAbstractItemView::EditingState)
        edit(currentIndex());
}

void TStringGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    ShowEditorIfWanted();
}

// The fixed row is the header: it shows in the grid's own font, as the cells do, so that a
// heading right-justified with blanks for that font fits its column. (The platform may give
// headers a font of their own.)
void TStringGrid::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        horizontalHeader()->setFont(font());
}

// ---- editors and keys ---------------------------------------------------------------------------

QWidget* TStringGrid::CellEditor() const
{
    return editor_;
}

void TStringGrid::EditorMade(QWidget* editor)
{
    editor_ = editor;
    editorHooked_ = false;
}

// The view puts its own key handling (Enter, Tab, Esc) on a new editor after making it; the hooks
// go on top of it, so that they see those keys first, as they would in the grid itself.
bool TStringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTableWidget::edit(index, trigger, event);
    if (editor_ && !editorHooked_) {
        editorHooked_ = true;
        editor_->installEventFilter(this);
        emit EditorCreated(editor_);
    }
    return editing;
}

void TStringGrid::SetOnKeyPress(KeyPressHandler handler)
{
    onKeyPress_ = std::move(handler);
}

bool TStringGrid::HookKey(QObject* target, QKeyEvent* event)
{
    QChar ch;
    const KeyOutcome outcome = RunKeyHook(onKeyPress_, *event, ch);
    if (outcome == KeyOutcome::Pass)
        return false;
    if (outcome == KeyOutcome::Replace) {
        QKeyEvent replaced = ReplacedKey(*event, ch);
        inFlight_ = &replaced;
        if (target == this)
            QTableWidget::keyPressEvent(&replaced);
        else
            QCoreApplication::sendEvent(target, &replaced);
        inFlight_ = nullptr;
    }
    event->accept();
    return true;
}

void TStringGrid::keyPressEvent(QKeyEvent* event)
{
    // A key the editor let through has been through the hook already.
    if (state() != QAbstractItemView::EditingState && HookKey(this, event))
        return;
    const QEvent* outer = inFlight_;
    inFlight_ = event;   // opening the editor hands this very key on to it
    QTableWidget::keyPressEvent(event);
    inFlight_ = outer;
}

bool TStringGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::KeyPress && event != inFlight_)
        return HookKey(watched, static_cast<QKeyEvent*>(event));
    return QTableWidget::eventFilter(watched, event);
}
