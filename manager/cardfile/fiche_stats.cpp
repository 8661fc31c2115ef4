// The statistics of the cash tickets and the accounting journal: the core computes the lines
// from the blocks (manager/cardfile/core/stats.h, journal.h); these operations write the card
// back first, show the progress, open the window and leave the card where the walk ended.
#include <QApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include "manager/cardfile/core/journal.h"
#include "manager/cardfile/core/stats.h"
#include "manager/cardfile/fiche.h"
#include "manager/shell/compta.h"
#include "manager/shell/statistiques.h"
#include "platform/dialogs.h"

namespace {

// "Ticket 1234" in the status bar while a walk runs, at most ten times a second, and the wait
// cursor: the window cannot repaint itself meanwhile.
class Progression {
public:
    Progression(TFiche& fiche, const QString& word) : fiche_(fiche), word_(word)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        clock_.start();
    }
    ~Progression()
    {
        Show(QString());
        QApplication::restoreOverrideCursor();
    }
    stats::Progress Callback()
    {
        return [this](int index) {
            if (index > 0 && clock_.elapsed() < 100)
                return;
            clock_.restart();
            Show(word_ + QString::number(index));
        };
    }

private:
    void Show(const QString& text)
    {
        if (fiche_.AfficheEtat)
            fiche_.AfficheEtat(text);
    }
    TFiche& fiche_;
    QString word_;
    QElapsedTimer clock_;
};

template <class Window>
void Montre(TFiche* owner, QStringList& lines)
{
    Window window(owner);
    window.Init(lines);
    platform::Dialogs().exec(&window);
}

QStringList StatsTickets(TFiche& f, stats::By by)
{
    f.EcritCaisse();
    stats::Context context;
    context.tariffs = f;
    context.format = f.FormatMontant;
    context.vatRate = f.TauxTVA1;
    context.today = rtl::Date();
    QStringList lines;
    try {
        Progression progression(f, QStringLiteral("Ticket "));
        lines = stats::Tickets(f.ListeTickets, f.NbTickets, by, context, progression.Callback());
    } catch (const stats::TicketError& e) {
        // The operator finds the ticket to mend on its card.
        f.IndexTicket = e.index;
        f.LitCaisse();
        throw EConvertError(e);
    }
    if (f.NbTickets > 0) {
        f.IndexTicket = f.NbTickets - 1;
        f.LitCaisse();
    }
    return lines;
}

}  // namespace

void TFiche::StatsCli()
{
    QStringList lines = StatsTickets(*this, stats::By::Customer);
    Montre<TStatsC>(this, lines);
}

void TFiche::StatsPst()
{
    QStringList lines = StatsTickets(*this, stats::By::Machine);
    Montre<TStatsP>(this, lines);
}

void TFiche::StatsVentes()
{
    QStringList lines = StatsTickets(*this, stats::By::Month);
    Montre<TStatsV>(this, lines);
}

void TFiche::StatsCaisse()
{
    QStringList lines = StatsTickets(*this, stats::By::Day);
    Montre<TStatsJ>(this, lines);
}

void TFiche::Journal()
{
    // The invoice being typed counts.
    EcritFact();
    journal::Result result;
    {
        Progression progression(*this, QStringLiteral("Facture "));
        result = journal::Journal(ListeFactures, NbFactures, *this, FormatMontant, rtl::Date(), progression.Callback());
    }
    if (result.invoices == 0) {
        platform::ShowMessage(QStringLiteral("Aucune facture à comptabiliser"));
        return;
    }
    IndexFacture = NbFactures - 1;
    LitFact();
    Montre<TCompta>(this, result.lines);
}
