#pragma once
// The ordered lists of invoices and cash tickets, opened by the list command: one item per
// block, from block 0 up to the first number that has no block. The operator may move items up
// and down to compare them; that changes only the order shown, never the records.
//
// The choice is the selected item however the window is closed (Enter, double click, "Fermer",
// title bar); only Esc empties it. Each item carries its block number, so the caller is handed
// the chosen block directly, whatever the item's text holds.
#include <QDialog>
#include <array>

class QListWidget;
class QPushButton;
class QToolButton;
class RecordList;

struct OrderedListKind {
    int width;                  // digits of the block numbers in the tags
    std::array<int, 6> lines;   // the block lines joined into an item, line +1 first; 0 ends
};

class TOrderedList : public QDialog {
    Q_OBJECT

public:
    void Init(const RecordList& list);
    // The block number of the selected item, or -1 when none is selected.
    int Result() const;

    // Up and down: the selected item changes place with its neighbour and stays selected.
    void MoveUp();
    void MoveDown();

protected:
    TOrderedList(QWidget* owner, const OrderedListKind& kind);
    void attach(QListWidget* list, QToolButton* up, QToolButton* down, QPushButton* close);
    void keyPressEvent(QKeyEvent* event) override;

private:
    int selectedRow() const;
    void swap(int row, int other);

    const OrderedListKind& kind_;
    QListWidget* list_ = nullptr;
};
