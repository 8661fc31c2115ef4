// The ticket's time and price: the chrono buttons, minutes from the two times, the tariff table,
// the detail grid with its quick buttons and article pick, the picks of customer and machine,
// and the key filters of the ticket's amounts and details. The arithmetic is the core's
// (manager/cardfile/core/ticket.h): these operations read the card, call it and show the result.
#include <QAbstractButton>
#include <QAbstractItemDelegate>
#include "manager/cardfile/choisir.h"
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/core/ticket.h"
#include "manager/cardfile/fiche_cartes.h"
#include "manager/shell/boutons.h"
#include "manager/shell/listeart1.h"
#include "manager/shell/listecli.h"
#include "manager/shell/listepst.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/widgets/stringgrid.h"

using namespace rtl;

namespace {

// Rows 1 to 14 of the detail grid make the total; row 15 is shown but never counted.
constexpr int DerniereLigneComptee = 14;
constexpr QChar Retour = QChar(13);
constexpr QChar Tabulation = QChar(9);
constexpr QChar RetourArriere = QChar(8);

const QString ChiffresMontant = QStringLiteral("1234567890,");

}  // namespace

// ---- timing --------------------------------------------------------------------------------------

void TFiche::Temp()
{
    Edit36->setText(IntToStr(ticket::MinutesBetween(MaskEdit5->Text(), MaskEdit7->Text())));
}

void TFiche::SpeedButton6Click()
{
    if (!ticket::NoTime(MaskEdit5->Text()))
        return;
    MaskEdit4->SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), Date()));
    MaskEdit5->SetText(FormatDateTime(QStringLiteral("hh:nn"), Now()));
}

void TFiche::SpeedButton7Click()
{
    if (!ticket::NoTime(MaskEdit7->Text()))
        return;
    MaskEdit6->SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), Date()));
    MaskEdit7->SetText(FormatDateTime(QStringLiteral("hh:nn"), Now()));
    Temp();
    Calcule();
}

// A booked ticket keeps its booked minutes and price, whatever the tariffs say since.
void TFiche::MaskEdit7Exit()
{
    if (TicketValide == QLatin1String("Y"))
        return;
    Temp();
    Calcule();
}

void TFiche::Edit36Exit()
{
    if (TicketValide == QLatin1String("Y"))
        return;
    Calcule();
}

// ---- pricing -------------------------------------------------------------------------------------

void TFiche::Calcule()
{
    if (Trim(Edit36->text()).isEmpty())
        return;
    const double prix = ticket::TimePrice(StrToInt(Edit36->text()), *this);
    Edit37->setText(Rset(FormatFloat(FormatMontant, prix), 80));
    // A subscriber's time is paid by the subscription.
    if (CheckBox15->isChecked())
        Edit37->setText(QString());
}

// A ticket without minutes has no time price: its price is then its details when it has any, and
// otherwise what was typed. Adding the details to the price shown instead would count them again
// at every reading of the ticket.
void TFiche::Calculec()
{
    double total = 0;
    bool details = false;
    for (int r = 1; r <= DerniereLigneComptee; ++r) {
        const QString q = Trim(StringGrid5->Cells(1, r));
        StringGrid5->SetCells(1, r, Rset(q, 40));
        if (q.isEmpty())
            continue;
        details = true;
        const ticket::Detail detail = ticket::ReadDetail(q, StringGrid5->Cells(2, r));
        if (detail.unitRead)
            StringGrid5->SetCells(2, r, Rset(Trim(FormatFloat(FormatMontant, detail.unitPrice)), 60));
        const double ligne = detail.Amount();
        StringGrid5->SetCells(3, r, Rset(FormatFloat(FormatMontant, ligne), 70));
        total += ligne;
    }

    Label63->setText(FormatFloat(FormatMontant, total));
    // A booked ticket keeps the price it was booked at: repricing it with today's tariffs would
    // write a price over it that the customer's account never saw.
    if (TicketValide == QLatin1String("Y"))
        return;
    const bool sansMinutes = Trim(Edit36->text()).isEmpty();
    Calcule();
    if (sansMinutes) {
        if (details)
            Edit37->setText(Rset(FormatFloat(FormatMontant, total), 80));
        return;
    }
    if (!Edit37->text().isEmpty()) {
        try {
            total += StrToFloat(Edit37->text());
        } catch (const EConvertError&) {
        }
    }
    Edit37->setText(Rset(FormatFloat(FormatMontant, total), 80));
}

// ---- key filters ---------------------------------------------------------------------------------

// Only digits and the decimal comma go into an amount; Backspace is dropped with the rest.
// Tab and Delete are not characters typed into the field but moves and edits, and go on.
void TFiche::Edit42KeyPress(QChar& key)
{
    if (key == Tabulation || key == QChar(127))
        return;
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
    if (!ChiffresMontant.contains(key))
        key = QChar();
}

void TFiche::StringGrid5KeyPress(QChar& key)
{
    // A booked ticket's details are final.
    if (TicketValide == QLatin1String("Y")) {
        key = QChar();
        return;
    }
    ModifTicket = true;
    if (key == RetourArriere)
        return;
    const int col = StringGrid5->Col();
    const int row = StringGrid5->Row();
    if (col >= 1 && col <= 3) {
        if (key == QLatin1Char('.'))
            key = QLatin1Char(',');
        else if (key.unicode() > 32 && !ChiffresMontant.contains(key))
            key = QChar();
    }
    if (key == Tabulation && col == 3)
        key = Retour;
    NbLignesTicket = std::max(NbLignesTicket, row);
    if (col == 0 && StringGrid5->Cells(0, row).size() > 40)
        key = QChar();
    if (key == Retour && col >= 1) {
        Calculec();
        StringGrid5->SetCol(0);
        NbLignesTicket = std::max(NbLignesTicket, StringGrid5->Row());
        if (NbLignesTicket < DerniereLigneComptee)
            StringGrid5->SetRow(StringGrid5->Row() + 1);
        // The Enter has done its work; the grid must not act on it again.
        key = QChar();
    }
}

// ---- articles into the details -------------------------------------------------------------------

void TFiche::Button11(const QString& code)
{
    if (TicketValide == QLatin1String("Y"))
        return;
    ModifTicket = true;
    DoitSauver = true;
    if (code.isEmpty())
        return;
    const int bloc = blocks::BlockOfCode(ListeArticles, code);
    if (bloc < 0 || ListeArticles.Count() <= bloc + 4)
        return;
    const int row = StringGrid5->Row();
    StringGrid5->SetCells(0, row, ListeArticles.Strings(bloc + 3));
    // A unit price already typed on the row stays.
    const bool prix = StringGrid5->Cells(2, row).isEmpty();
    if (prix)
        StringGrid5->SetCells(2, row, Trim(ListeArticles.Strings(bloc + 4)));
    if (prix) {
        // On to the quantity.
        StringGrid5->setFocus();
        StringGrid5->SetCol(1);
    }
}

void TFiche::SpeedButton8Click()
{
    Button11(CodeBouton1);
}

void TFiche::SpeedButton9Click()
{
    Button11(CodeBouton2);
}

void TFiche::SpeedButton10Click()
{
    Button11(CodeBouton3);
}

void TFiche::SpeedButton11Click()
{
    if (TicketValide == QLatin1String("Y"))
        return;
    ModifTicket = true;
    DoitSauver = true;
    if (!StringGrid5->Cells(0, StringGrid5->Row()).isEmpty())
        return;
    const QString code = Choisir<TListeArt1>(this, ListeArticles);
    if (!code.isEmpty())
        Button11(code);
}

// ---- picks ---------------------------------------------------------------------------------------

void TFiche::SpeedButton4Click()
{
    const QString code = Choisir<TListeCli>(this, ListeClients);
    if (code.isEmpty())
        return;
    Edit32->setText(code);
    const int bloc = blocks::BlockOfCode(ListeClients, code);
    if (bloc < 0 || ListeClients.Count() <= bloc + 8)
        return;
    Edit33->setText(ListeClients.Strings(bloc + 4));
    // A customer with bought minutes is a subscriber; the box is never unticked here.
    if (bloc + 15 < ListeClients.Count() && !ListeClients.Strings(bloc + 15).isEmpty())
        CheckBox15->setChecked(true);
}

void TFiche::SpeedButton5Click()
{
    const QString numero = Choisir<TListePst>(this, ListePostes);
    if (numero.isEmpty())
        return;
    Edit34->setText(numero);
    const int bloc = blocks::BlockOfCode(ListePostes, numero);
    if (bloc >= 0 && ListePostes.Count() > bloc + 2)
        Edit35->setText(ListePostes.Strings(bloc + 2));
}

// ---- the quick buttons' set-up -------------------------------------------------------------------

// The codes come back on OK; the captions only when the first one is not empty, so that a button
// never loses its caption.
void TFiche::Boutons1()
{
    TBoutons::Texts captions = {SpeedButton8->text(), SpeedButton9->text(), SpeedButton10->text()};
    TBoutons::Texts codes = {CodeBouton1, CodeBouton2, CodeBouton3};
    TBoutons dialogue(this);
    dialogue.Init(ListeArticles, captions, codes);
    platform::Dialogs().exec(&dialogue);
    dialogue.Result(captions, codes);
    CodeBouton1 = codes[0];
    CodeBouton2 = codes[1];
    CodeBouton3 = codes[2];
    if (captions[0].isEmpty())
        return;
    SpeedButton8->setText(captions[0]);
    SpeedButton9->setText(captions[1]);
    SpeedButton10->setText(captions[2]);
}

// ---- connections ---------------------------------------------------------------------------------

void TFiche::ConnectPricing()
{
    using platform::guard;
    for (QLineEdit* amount : {Edit37, Edit42, Edit43})
        cartes::OnAmountKeyPress(amount, guard(this, &TFiche::Edit42KeyPress));
    StringGrid5->SetOnKeyPress(guard(this, &TFiche::StringGrid5KeyPress));
    cartes::OnExit(MaskEdit7, guard(this, &TFiche::MaskEdit7Exit));
    cartes::OnExit(Edit36, guard(this, &TFiche::Edit36Exit));
    const std::pair<QAbstractButton*, void (TFiche::*)()> clicks[] = {
        {SpeedButton4, &TFiche::SpeedButton4Click},   {SpeedButton5, &TFiche::SpeedButton5Click},
        {SpeedButton6, &TFiche::SpeedButton6Click},   {SpeedButton7, &TFiche::SpeedButton7Click},
        {SpeedButton8, &TFiche::SpeedButton8Click},   {SpeedButton9, &TFiche::SpeedButton9Click},
        {SpeedButton10, &TFiche::SpeedButton10Click}, {SpeedButton11, &TFiche::SpeedButton11Click},
        {Button5, &TFiche::Button5Click},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QAbstractButton::clicked, this, guard(this, handler));
}
