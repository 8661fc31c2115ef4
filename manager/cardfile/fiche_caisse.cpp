// The cash-ticket card: its block's lines, writing and reading it, the ticket numbers (YYYYMMnnn)
// and the price and paid fields.
#include <QPushButton>
#include <QToolButton>
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/fiche_cartes.h"
#include "platform/application.h"
#include "platform/widgets/maskedit.h"
#include "platform/widgets/stringgrid.h"

using namespace cartes;
using namespace rtl;

namespace {

const QLatin1String TicketPrefix("NUMT");

const Field CaisseFields[] = {
    {Rule::Prefixed, Control<&TFiche::Edit28>, true, "NUMT"},   // +1 ticket number
    {Rule::Text, Control<&TFiche::Edit32>},                     // +2 customer code
    {Rule::Text, Control<&TFiche::Edit33>},                     // +3 customer name
    {Rule::Text, Control<&TFiche::Edit34>},                     // +4 machine number
    {Rule::Text, Control<&TFiche::Edit35>},                     // +5 machine name
    {Rule::Mask, Control<&TFiche::MaskEdit4>},                  // +6 start date
    {Rule::Mask, Control<&TFiche::MaskEdit5>},                  // +7 start time
    {Rule::Mask, Control<&TFiche::MaskEdit6>},                  // +8 end date
    {Rule::Mask, Control<&TFiche::MaskEdit7>},                  // +9 end time
    {Rule::Text, Control<&TFiche::Edit36>},                     // +10 minutes
    {Rule::Text, Control<&TFiche::Edit37>},                     // +11 price, as shown
    {Rule::Text, Control<&TFiche::Edit42>},                     // +12 paid
    {Rule::Text, Control<&TFiche::Edit43>},                     // +13 balance
    {Rule::Flag, Control<&TFiche::CheckBox3>},                  // +14 paid in full
    {Rule::Flag, Control<&TFiche::CheckBox15>},                 // +15 subscriber
    {Rule::State, nullptr, false, "", &TFiche::TicketValide},   // +16 booked onto the customer
};

// The detail lines keep designation, quantity and unit price; the line amount is recomputed.
const RepeatLines CaisseRepeats[] = {
    {Repeat::Memo, "MEMO", Control<&TFiche::Memo4>},
    {Repeat::Rows, "DATA", Control<&TFiche::StringGrid5>, 3},
};
constexpr int DetailRepeat = 1;

const Card CaisseCard{TFiche::KTicket, CaisseFields, CaisseRepeats, 14};

}  // namespace

void TFiche::Caisse()
{
    PageControl1->setCurrentWidget(TabSheet5);
    LitCaisse();
    Edit32->setFocus();
}

void TFiche::EcritCaisse()
{
    WriteCard(*this, CaisseCard);
}

void cartes::ShowBooked(TFiche& f, bool booked)
{
    const QList<QLineEdit*> fields = {f.Edit28,    f.Edit32,    f.Edit33,    f.Edit34, f.Edit35,
                                      f.MaskEdit4, f.MaskEdit5, f.MaskEdit6, f.MaskEdit7, f.Edit36,
                                      f.Edit37,    f.Edit42,    f.Edit43};
    // A locked field shows the page's colour, so that the operator sees it takes no typing.
    QPalette locked = f.TabSheet5->palette();
    locked.setColor(QPalette::Base, locked.color(QPalette::Window));
    for (QLineEdit* field : fields) {
        field->setReadOnly(booked);
        field->setPalette(booked ? locked : QPalette());
    }
    const QList<QWidget*> controls = {f.SpeedButton4, f.SpeedButton5, f.SpeedButton6,  f.SpeedButton7,
                                      f.SpeedButton8, f.SpeedButton9, f.SpeedButton10, f.SpeedButton11,
                                      f.Button5,      f.StringGrid5};
    for (QWidget* control : controls)
        control->setEnabled(!booked);
}

void TFiche::LitCaisse()
{
    ShowBooked(*this, false);
    // The details total belongs to the ticket shown: a blank ticket shows none.
    Label63->clear();
    const Reading reading = ReadCard(*this, CaisseCard);
    const bool booked = TicketValide == QLatin1String("Y");
    ShowBooked(*this, booked);
    NbLignesTicket = reading.nextRow[DetailRepeat];
    if (reading.found)
        Calculec();
    // Reading never marks the ticket modified, although the price shown may differ from the
    // stored one.
    ModifTicket = false;
}

// The ticket numbers of a month run from YYYYMM001; a later number already in the list is
// continued from, so YYYYMM999 is followed by the next month's first number.
int TFiche::Numeroc()
{
    const int base = StrToInt(FormatDateTime(QStringLiteral("yyyymm"), Date()) + QStringLiteral("000"));
    ProchainTicket = blocks::NextNumber(ListeTickets, base, TicketPrefix);
    return ProchainTicket;
}

void TFiche::Edit28Change()
{
    ModifTicket = true;
}

// A booked ticket's amounts stay as they were booked, padding included.
void TFiche::Edit37Enter()
{
    if (Edit37->isReadOnly())
        return;
    Edit37->setText(Trim(Edit37->text()));
}

void TFiche::Edit37Exit()
{
    const QString price = Trim(Edit37->text());
    if (price.isEmpty() || Edit37->isReadOnly())
        return;
    Edit37->setText(Amount(*this, StrToFloat(price), 80));
    ModifTicket = true;
}

void TFiche::Edit42Enter()
{
    if (Edit42->isReadOnly())
        return;
    Edit42->setText(Trim(Edit42->text()));
}

// The balance is what was paid minus the price: negative while the customer still owes. The
// ticket is paid only when the unrounded difference is nothing.
void TFiche::Edit42Exit()
{
    const QString typed = Trim(Edit42->text());
    if (typed.isEmpty() || Edit42->isReadOnly())
        return;
    const double paid = StrToFloat(typed);
    Edit42->setText(Amount(*this, paid, 80));
    const QString price = Trim(Edit37->text());
    if (price.isEmpty())
        return;
    const double balance = paid - StrToFloat(price);
    Edit43->setText(Amount(*this, balance, 80));
    if (balance == 0)
        CheckBox3->setChecked(true);
    ModifTicket = true;
}

void TFiche::TabSheet5Exit()
{
    EcritCaisse();
}

void cartes::ConnectTicketCard(TFiche& f)
{
    using platform::guard;
    ConnectChanges(f, CaisseCard, guard(&f, &TFiche::Edit28Change));
    // What reaches a detail cell without a key (an input method's text) changes the ticket too.
    QObject::connect(f.StringGrid5, &TStringGrid::CellEdited, &f, guard(&f, &TFiche::Edit28Change));
    OnEnter(f.Edit37, guard(&f, &TFiche::Edit37Enter));
    OnExit(f.Edit37, guard(&f, &TFiche::Edit37Exit));
    OnEnter(f.Edit42, guard(&f, &TFiche::Edit42Enter));
    OnExit(f.Edit42, guard(&f, &TFiche::Edit42Exit));
}
