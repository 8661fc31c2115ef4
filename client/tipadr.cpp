#include "client/tipadr.h"

TIpAdr::TIpAdr(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());
    connect(Button1, &QPushButton::clicked, this, &TIpAdr::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TIpAdr::Button2Click);
}

void TIpAdr::Button1Click()
{
    ok_ = false;
    reject();
}

void TIpAdr::Button2Click()
{
    ok_ = true;
    accept();
}

void TIpAdr::Result(QString& address, QString& useDns, QString& name) const
{
    address.clear();
    if (!ok_)
        return;
    address = MaskEdit1->Text().remove(QLatin1Char(' '));
    useDns = CheckBox1->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
    name = Edit1->text();
}
