#pragma once
// The list of machines (code, name, type, disk, memory, operating system, IP address).
#include "manager/shell/gridlist.h"
#include "ui_fliste4.h"

class TFListe4 : public TGridList, public Ui::FListe4 {
    Q_OBJECT

public:
    explicit TFListe4(QWidget* owner);
};
