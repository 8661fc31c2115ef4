#pragma once
// The cash tickets: number, customer code, start date and time, machine, customer name.
#include "manager/shell/orderedlist.h"
#include "ui_ticketliste.h"

class TTicketListe : public TOrderedList, public Ui::TicketListe {
    Q_OBJECT

public:
    explicit TTicketListe(QWidget* owner);
};
