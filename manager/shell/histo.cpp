#include "manager/shell/histo.h"

THisto::THisto(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}
