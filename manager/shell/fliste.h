#pragma once
// The list of customers (name, address, postal code, town, telephone, fax).
#include "manager/shell/gridlist.h"
#include "ui_fliste.h"

class TFListe : public TGridList, public Ui::FListe {
    Q_OBJECT

public:
    explicit TFListe(QWidget* owner);
};
