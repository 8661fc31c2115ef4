#pragma once
// The invoices: number, date, customer code, type and first address line.
#include "manager/shell/orderedlist.h"
#include "ui_factliste.h"

class TFactListe : public TOrderedList, public Ui::FactListe {
    Q_OBJECT

public:
    explicit TFactListe(QWidget* owner);
};
