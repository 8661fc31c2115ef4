#pragma once
// The list of articles. The last four columns are headed by what the article lines hold:
// price, VAT code, account and supplier, as the article card names them.
#include "manager/shell/gridlist.h"
#include "ui_fliste3.h"

class TFListe3 : public TGridList, public Ui::FListe3 {
    Q_OBJECT

public:
    explicit TFListe3(QWidget* owner);
};
