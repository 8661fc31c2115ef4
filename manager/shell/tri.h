#pragma once
// The sort-key dialogs: one radio group "Trier par" whose items are the keys.
#include <QDialog>
#include "ui_tri.h"

class TSortKeyDialog : public QDialog {
    Q_OBJECT

public:
    // -1 unless closed with OK; then the index of the chosen key.
    void Result(int& key) const;

protected:
    explicit TSortKeyDialog(QWidget* owner) : QDialog(owner) {}
    void attach(QGroupBox* keys, QPushButton* ok, QPushButton* cancel);

private:
    QGroupBox* keys_ = nullptr;
};

// Customers: name, customer number, postal code, town.
class TTri : public TSortKeyDialog, public Ui::Tri {
    Q_OBJECT

public:
    explicit TTri(QWidget* owner);
};
