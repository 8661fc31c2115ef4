#pragma once
// The grid lists of whole records (customers, articles, machines), opened by the list command.
// One form per kind; this class is what the three share: the grid of seven record lines per
// row, choosing a row by double click or Enter, and the chosen block number.
//
// Grid layout: column 0 (hidden) holds the block number, column 1 the running number, columns 2
// to 8 seven lines of the record; the headings are the grid's header. The grid starts with 19
// record rows (20 with the heading) and grows ten rows past the record that does not fit.
#include <QDialog>
#include <array>

class QPushButton;
class QTableWidget;
class RecordList;

struct GridListColumns {
    std::array<const char*, 7> headings;   // of columns 2 to 8
    std::array<int, 7> lines;              // the line of the record each shows, after its start line
    std::array<int, 8> widths;             // of columns 1 to 8
};

class TGridList : public QDialog {
    Q_OBJECT

public:
    // Fills the grid with the records of `list`, in list order (one row per start line).
    void Init(const RecordList& list);
    // The block number of the row chosen by double click or Enter; -1 when the list was closed
    // without choosing ("Fermer", Esc, title bar) or the row chosen holds no record.
    int Result() const;

    static constexpr int FirstRowCount = 20;   // rows of a new grid, the heading included

protected:
    TGridList(QWidget* owner, const GridListColumns& columns);
    // The form's grid and its "Fermer" button.
    void attach(QTableWidget* grid, QPushButton* close);

private:
    const GridListColumns& columns_;
    QTableWidget* grid_ = nullptr;
};
