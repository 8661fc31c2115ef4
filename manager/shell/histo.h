#pragma once
// The history of one workstation: the lines of the connection log that name it, each with its
// neighbours. It has no Init: its opener fills the memo (Memo1) and shows it.
#include <QDialog>
#include "ui_histo.h"

class THisto : public QDialog, public Ui::Histo {
    Q_OBJECT

public:
    explicit THisto(QWidget* owner);
};
