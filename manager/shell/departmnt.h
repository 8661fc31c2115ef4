#pragma once
// The French départements by number, to look a postcode's first two digits up.
#include <QDialog>
#include "ui_departmnt.h"

class TDepartmnt : public QDialog, public Ui::Departmnt {
    Q_OBJECT

public:
    explicit TDepartmnt(QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
