#include "manager/shell/about.h"

#include "manager/shell/splash.h"

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    ProgramIcon->setPixmap(TSplash::Picture());
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
