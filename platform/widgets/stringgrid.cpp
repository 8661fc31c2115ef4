#include "platform/widgets/stringgrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
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
        if (grid_)
            grid_->EditorMade(editor);
        return editor;
    }

    // Only the operator's editors write through here: a cell whose text changes is told.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const QString before = index.data(Qt::EditRole).toString();
        QStyledItemDelegate::setModelData(editor, model, index);
        if (grid_ && index.data(Qt::EditRole).toString() != before)
            emit grid_->CellEdited(index.column(), index.row() + grid_->FixedRows());
    }

    // The editor's keys go through the grid's hooks before the delegate acts on Enter, Tab or Esc.
    // The delegate's filter is the one every editor has, and the view moves it in front of any
    // other each time it commits what is typed: the hooks live in it, so they always come first.
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (!grid_)
            return QStyledItemDelegate::eventFilter(object, event);
        return grid_->EditorKey(object, event) || QStyledItemDelegate::eventFilter(object, event);
    }

    // The grid is going: an editor closed while its widget is torn down (focus and activation
    // events) must not reach a grid that is no longer one.
    void Detach() { grid_ = nullptr; }

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

TStringGrid::~TStringGrid()
{
    if (auto* delegate = dynamic_cast<StringGridDelegate*>(itemDelegate()))
        delegate->Detach();
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
    if (!leaving_ && alwaysShowEditor_ && editing_ && currentIndex().isValid() && state() != QAbstractItemView::EditingState)
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

// The window hears of a new editor once the view has set it up.
bool TStringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTableWidget::edit(index, trigger, event);
    if (editor_ && !editorHooked_) {
        editorHooked_ = true;
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

// Tab walks the cells (with goTabs, or from an open editor) but never round: from the last cell
// it moves on to the next control, and Shift+Tab from the first to the one before.
bool TStringGrid::TabLeaves(bool forward) const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return true;
    return forward ? current.row() == rowCount() - 1 && current.column() == columnCount() - 1
                   : current.row() == 0 && current.column() == 0;
}

// The editor closes and the focus goes back to the grid, without opening another editor, so that
// the next control is the one after the grid in the window's tab order.
void TStringGrid::LeaveByTab(bool forward)
{
    const QScopedValueRollback<bool> leaving(leaving_, true);
    if (QWidget* editor = editor_; editor && state() == QAbstractItemView::EditingState) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    QAbstractScrollArea::focusNextPrevChild(forward);
}

namespace {

// Tab or Shift+Tab without Ctrl or Alt: +1 forward, -1 back, 0 another key.
int TabDirection(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    if (event->key() == Qt::Key_Backtab || (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier)))
        return -1;
    return event->key() == Qt::Key_Tab ? 1 : 0;
}

}  // namespace

// The view opens the editor on the first character composed by an input method but drops the
// character: it goes to the new editor, as a first key does.
void TStringGrid::inputMethodEvent(QInputMethodEvent* event)
{
    if (editing_ && state() != QAbstractItemView::EditingState && !event->commitString().isEmpty()
        && currentIndex().isValid() && edit(currentIndex(), EditKeyPressed, nullptr) && editor_) {
        if (auto* line = qobject_cast<QLineEdit*>(editor_.data()))
            line->clear();
        QCoreApplication::sendEvent(editor_, event);
        return;
    }
    QTableWidget::inputMethodEvent(event);
}

void TStringGrid::keyPressEvent(QKeyEvent* event)
{
    // Reached by Tab only when the grid walks its cells with it (goTabs).
    if (const int tab = TabDirection(event); tab != 0 && TabLeaves(tab > 0)) {
        event->ignore();
        return;
    }
    // A key the editor let through has been through the hook already.
    if (state() != QAbstractItemView::EditingState && HookKey(this, event))
        return;
    const QEvent* outer = inFlight_;
    inFlight_ = event;   // opening the editor hands this very key on to it
    QTableWidget::keyPressEvent(event);
    inFlight_ = outer;
}

bool TStringGrid::EditorKey(QObject* editor, QEvent* event)
{
    if (editor != editor_ || event->type() != QEvent::KeyPress || event == inFlight_)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (HookKey(editor, key))
        return true;
    if (const int tab = TabDirection(key); tab != 0 && TabLeaves(tab > 0)) {
        LeaveByTab(tab > 0);
        return true;
    }
    return false;
}
