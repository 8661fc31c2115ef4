#pragma once
// A string grid in the manner the card file expects: cells addressed by (column, row), row 0
// being the fixed header row when FixedRows is 1 (shown as the table's horizontal header), row
// and column counts that count the fixed row, per-column widths, and the options of the cards'
// grids. A cell never holds a null text: an empty cell reads as "".
//
// In a form (.ui) the grid is a promoted QTableWidget whose dynamic properties FixedRows,
// RowCount, ColCount, ColWidths ("94,178,97"), DefaultRowHeight and Options
// ("goEditing,goTabs,goAlwaysShowEditor,goRowSelect") set it up, in any order.
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include "platform/widgets/keypress.h"

class TStringGrid : public QTableWidget {
    Q_OBJECT
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(QString ColWidths READ ColWidthsText WRITE SetColWidthsText)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(QString Options READ Options WRITE SetOptions)

public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;
    using QTableWidget::edit;

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

    // Counts include the fixed row.
    int RowCount() const;
    void SetRowCount(int rows);
    int ColCount() const;
    void SetColCount(int cols);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);   // 0 or 1; the row count stays the same

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    QString ColWidthsText() const;
    void SetColWidthsText(const QString& widths);
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int height);

    // The current cell, rows counted with the fixed row (the first data row is 1 under a header).
    int Row() const;
    void SetRow(int row);
    int Col() const;
    void SetCol(int col);

    // Options, any of: goEditing (cells can be edited), goRowSelect (whole-row selection),
    // goAlwaysShowEditor (the current cell's editor is open), goTabs (Tab moves between cells).
    QString Options() const;
    void SetOptions(const QString& options);
    bool Editing() const { return editing_; }
    void SetEditing(bool on);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    bool AlwaysShowEditor() const { return alwaysShowEditor_; }
    void SetAlwaysShowEditor(bool on);
    bool Tabs() const { return tabKeyNavigation(); }
    void SetTabs(bool on) { setTabKeyNavigation(on); }

    // The grid's character hook (see OnKeyPress): it also sees the characters typed into the cell
    // editor, each character once.
    void SetOnKeyPress(KeyPressHandler handler);

    // The editor the grid shows for its current cell, or null.
    QWidget* CellEditor() const;

signals:
    // A cell editor was made; the window puts its own key handling on it.
    void EditorCreated(QWidget* editor);
    // The operator changed a cell through its editor (rows counted with the fixed row).
    void CellEdited(int col, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    friend class StringGridDelegate;
    void EditorMade(QWidget* editor);
    void ApplyColWidths();
    void ShowEditorIfWanted();
    // A key bound for the open editor: the character hook, then Tab out of the grid. True when
    // the key was used.
    bool EditorKey(QObject* editor, QEvent* event);
    // Runs the character hook on a key bound for `target`; true when the key was dropped or
    // replaced (the replacement has been delivered).
    bool HookKey(QObject* target, QKeyEvent* event);
    // Whether Tab (forward) or Shift+Tab leaves the grid from the current cell, and leaving it.
    bool TabLeaves(bool forward) const;
    void LeaveByTab(bool forward);

    int fixedRows_ = 1;
    QList<int> colWidths_;
    bool editing_ = false;
    bool rowSelect_ = false;
    bool alwaysShowEditor_ = false;
    KeyPressHandler onKeyPress_;
    const QEvent* inFlight_ = nullptr;   // a key the grid is handing on to its editor
    QPointer<QWidget> editor_;
    bool editorHooked_ = false;
    bool leaving_ = false;   // Tab is taking the focus out of the grid
};
