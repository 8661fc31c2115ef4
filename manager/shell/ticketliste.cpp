#include "manager/shell/ticketliste.h"

namespace {

const OrderedListKind Kind = {5, {1, 2, 6, 7, 5, 3}};

}  // namespace

TTicketListe::TTicketListe(QWidget* owner) : TOrderedList(owner, Kind)
{
    setupUi(this);
    attach(ListBox1, SpeedButton1, SpeedButton2, Button1);
}
