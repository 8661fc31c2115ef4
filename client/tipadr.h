#pragma once
// The server-address dialog: the address through its mask, or a server name to look up.
#include <QDialog>
#include "ui_tipadr.h"

class TIpAdr : public QDialog, public Ui::TIpAdr {
    Q_OBJECT

public:
    explicit TIpAdr(QWidget* owner);

    void Button1Click();  // "Annuler"
    void Button2Click();  // "OK"
    // After OK: the masked address without its blanks ("..." when left empty), "Y" or "N" for
    // the name lookup, the server name. Otherwise an empty address and nothing else.
    void Result(QString& address, QString& useDns, QString& name) const;

private:
    bool ok_ = false;
};
