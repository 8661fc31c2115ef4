#pragma once
// The pick lists of the invoice and ticket cards and of the quick-button setup: one item per
// record, its code and its name, and the chosen record's code.
#include <QDialog>

class QListWidget;
class QPushButton;
class RecordList;

struct PickListKind {
    int nameLine;        // the record line shown after the code (line +1)
    bool enterChooses;   // whether Enter in the list chooses, as OK does
};

class TPickList : public QDialog {
    Q_OBJECT

public:
    // One item per block of `list` that has its name line, in list order: the code, a blank and
    // the name.
    void Init(const RecordList& list);
    // The code of the item chosen (OK, double click, Enter where it chooses); empty when the
    // list was closed otherwise or no item is selected. The code is the record's code line
    // itself, so a code holding a blank comes back whole.
    QString Result() const;

protected:
    TPickList(QWidget* owner, const PickListKind& kind);
    void attach(QListWidget* list, QPushButton* ok, QPushButton* cancel);

private:
    const PickListKind& kind_;
    QListWidget* list_ = nullptr;
};
