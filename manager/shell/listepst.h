#pragma once
// Picks a machine: its number and computer name; answers the machine number.
#include "manager/shell/picklist.h"
#include "ui_listepst.h"

class TListePst : public TPickList, public Ui::ListePst {
    Q_OBJECT

public:
    explicit TListePst(QWidget* owner);
};
