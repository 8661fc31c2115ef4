#pragma once
// The about box: the program's picture, name and version.
#include <QDialog>
#include "ui_about.h"

class TAboutBox : public QDialog, public Ui::AboutBox {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* owner);
    // OK is also the cancel button: Esc and the title bar close with OK.
    void reject() override { accept(); }
};
