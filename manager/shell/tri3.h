#pragma once
// Articles: designation, article code, reference.
#include "manager/shell/tri.h"
#include "ui_tri3.h"

class TTri3 : public TSortKeyDialog, public Ui::Tri3 {
    Q_OBJECT

public:
    explicit TTri3(QWidget* owner);
};
