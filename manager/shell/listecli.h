#pragma once
// Picks a customer: its code and name; answers the customer code.
#include "manager/shell/picklist.h"
#include "ui_listecli.h"

class TListeCli : public TPickList, public Ui::ListeCli {
    Q_OBJECT

public:
    explicit TListeCli(QWidget* owner);
};
