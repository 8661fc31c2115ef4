// "Valider" on the ticket card: the ticket is booked onto its customer's account, through the
// customer card as an operator would do it: a history line, the last visit, the minutes left and
// the subscription's ten-minute stamps. What it looks up, checks and counts is the core's
// (manager/cardfile/core/customers.h, ticket.h).
#include "manager/cardfile/core/customers.h"
#include "manager/cardfile/core/ticket.h"
#include "manager/cardfile/fiche_cartes.h"

using namespace rtl;

void TFiche::Button5Click()
{
    // Already booked, no customer, or the workstations' anonymous login.
    if (TicketValide == QLatin1String("Y") || Edit32->text() == QLatin1String("00000") ||
        LowerCase(Edit33->text()) == QLatin1String("vimor"))
        return;

    // A code that is no customer's (mistyped, or empty) books nothing either: marking the ticket
    // booked would leave it on no account for good, with "Valider" gone once the right customer
    // is picked.
    const int client = customers::CustomerOfCode(ListeClients, Edit32->text());
    if (client < 0)
        return;
    const TDateTime aujourdhui = Date();
    const QString jour = FormatDateTime(QStringLiteral("yyyymmdd"), aujourdhui);
    // Every number the booking converts is checked before anything changes, so that a wrong one
    // stops it with nothing booked rather than half-way. The customer's lines are the ones the
    // customer card's table gives its minutes left and its subscription.
    using cartes::Control;
    using cartes::CustomerLine;
    const ticket::CustomerLines lignes{CustomerLine(Control<&TFiche::Edit14>),
                                       CustomerLine(Control<&TFiche::MaskEdit8>),
                                       CustomerLine(Control<&TFiche::MaskEdit9>)};
    ticket::CheckBooking(ListeClients, client, lignes, Edit36->text(), Edit37->text(), jour);

    // The booked mark goes into the ticket's block at once.
    TicketValide = QStringLiteral("Y");
    ModifTicket = true;
    EcritCaisse();
    cartes::ShowBooked(*this, true);
    DoitSauver = true;

    EcritFiche();
    IndexClient = client;
    LitFiche();

    DateTimePicker2->setDate(ToQDateTime(aujourdhui).date());
    Edit20->setText(QStringLiteral("Ticket ") + Edit28->text());
    Edit21->setText(Edit37->text());
    SpeedButton1Click();

    MaskEdit1->SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), aujourdhui));
    MaskEdit2->SetText(FormatDateTime(QStringLiteral("hh:nn"), Now()));
    if (!Trim(Edit14->text()).isEmpty() && !Trim(Edit36->text()).isEmpty())
        Edit14->setText(IntToStr(StrToInt(Edit14->text()) - StrToInt(Edit36->text())));
    ModifClient = true;
    EcritFiche();

    if (!ticket::Covered(MaskEdit8->Text(), MaskEdit9->Text(), jour))
        return;
    if (!Trim(Edit36->text()).isEmpty()) {
        // One stamp per ten minutes, five minutes making a stamp; stamps that find no free cell
        // are lost.
        int n = ticket::Stamps(StrToInt(Edit36->text()));
        if (n < 1)
            return;
        const QString tampon = FormatDateTime(QStringLiteral("dd/mm"), aujourdhui);
        for (int r = 0; r < StringGrid6->RowCount() && n > 0; ++r)
            for (int c = 0; c < 6 && n > 0; ++c)
                if (StringGrid6->Cells(c, r).isEmpty()) {
                    StringGrid6->SetCells(c, r, tampon);
                    --n;
                }
        ModifClient = true;
    }
    EcritFiche();
}
