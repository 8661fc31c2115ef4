// Printing of the card file: the dispatcher of the print command, the customer card, the customer
// list and the envelopes, and the list engine the other lists share.
//
// Every position is in whole millimetres from the printable area's top-left corner, through Mh
// and Mv (which put every line 3 mm lower than its number); lines follow each other at 5 mm.
#include "manager/cardfile/core/printlists.h"
#include "manager/cardfile/fiche.h"
#include "manager/cardfile/impression.h"
#include "platform/dialogs.h"
#include "platform/widgets/maskedit.h"

namespace {

using platform::Orientation;

// The print dialog before a list or batch of `count` records, offering pages 1 to `count` (page
// numbers are not offered, so every record is taken). False when cancelled.
bool DialogueListe(int count, printlists::Range& range)
{
    platform::PrintRange pages;
    pages.fromPage = 1;
    pages.toPage = count;
    pages.maxPage = count;
    if (!platform::Dialogs().printDialogFor(pages))
        return false;
    range = printlists::RecordRange(pages.fromPage, pages.toPage, count);
    return true;
}

}  // namespace

void TFiche::ImpFiche()
{
    QWidget* page = PageControl1->currentWidget();
    if (page == TabSheet1)
        ImpFiche1();
    else if (page == TabSheet2)
        Button4Click();
    else if (page == TabSheet3)
        ImpFiche3();
    else if (page == TabSheet4)
        ImpFiche4();
    else if (page == TabSheet5)
        ImpFiche5();
    else if (page == TabSheet7)
        ImpFiche7();
}

void TFiche::ImpFiche1()
{
    TravailImpression job(*this, Orientation::Portrait);
    if (!job.Commence())
        return;
    const struct {
        const char* label;
        int x, y;
        QString value;
    } fields[] = {
        {"Code client", 5, 5, Edit1->text()},        {"Nom / Société", 5, 10, Edit2->text()},
        {"Adresse", 5, 15, Edit3->text()},           {"Adresse", 5, 20, Edit4->text()},
        {"Code postal", 5, 25, Edit5->text()},       {"Ville", 5, 30, Edit6->text()},
        {"Pays", 5, 35, Edit7->text()},              {"Téléphone", 5, 40, Edit8->text()},
        {"Fax", 5, 45, Edit9->text()},               {"E.mail", 5, 50, Edit10->text()},
        {"Login", 110, 5, Edit11->text()},           {"Mot de passe", 110, 10, Edit12->text()},
        {"Total minutes", 110, 15, Edit13->text()},  {"Minustes dispo.", 110, 20, Edit14->text()},
        {"cumul CA", 110, 25, Edit15->text()},       {"Dern. passage", 110, 30, MaskEdit1->Text()},
        {"Heure", 110, 35, MaskEdit2->Text()},
    };
    for (const auto& f : fields) {
        job.Texte(f.x, f.y, QString::fromUtf8(f.label));
        // Values stand 30 mm (left column) or 25 mm (right column) after their label.
        job.Texte(f.x == 5 ? 35 : 135, f.y, f.value);
    }
    // The account history from its header row, to the first row without a date; the
    // observations beside it.
    job.Grille(StringGrid1, 70, {5, 35, 60});
    job.Memo(Memo1, 120, 70);
}

void TFiche::ImprimeListe(const RecordList& list, int count, void (TFiche::*entete)(TravailImpression&),
                          std::initializer_list<ColonneListe> columns)
{
    printlists::Range range;
    if (!DialogueListe(count, range))
        return;
    QList<int> offsets;
    for (const ColonneListe& c : columns)
        offsets << c.ligne;

    TravailImpression job(*this, Orientation::Landscape);
    if (!job.Commence())
        return;
    (this->*entete)(job);
    int y = 10;
    bool pageFull = false;
    for (int n = range.first; n <= range.last; ++n) {
        const std::optional<QStringList> values = printlists::BlockFields(list, n, offsets);
        if (!values)
            continue;
        // A page is turned only for a row that follows: the last page is never blank.
        if (pageFull) {
            job.NouvellePage();
            (this->*entete)(job);
            y = 10;
        }
        int i = 0;
        for (const ColonneListe& c : columns) {
            const QString& value = values->at(i++);
            if (c.droite > 0)
                job.TexteADroite(c.droite, y, value.trimmed());
            else
                job.Texte(c.x, y, value);
        }
        y += 5;
        pageFull = job.FinDePage(y);
    }
}

void TFiche::ImpCli()
{
    ImprimeListe(ListeClients, NbClients, &TFiche::Entete1,
                 {{5, 4}, {55, 5}, {105, 6}, {155, 7}, {175, 8}, {225, 10}, {255, 11}});
}

void TFiche::Entete1(TravailImpression& job)
{
    job.EnTeteListe({{5, "Nom/Société"}, {55, "Adresse"}, {105, "Adresse"}, {155, "C.P."}, {175, "Ville"},
                     {225, "Téléphone"}, {255, "Fax"}});
}

void TFiche::Enveloppe(TravailImpression& job, const QStringList& recipient)
{
    const int d = DecalageEnveloppe;
    for (int i = 0; i < 4; ++i)
        job.Texte(5, d + 5 + 5 * i, LignesSociete[i]);
    for (int i = 0; i < 4 && i < recipient.size(); ++i)
        job.Texte(110, d + 50 + 5 * i, recipient[i]);
}

void TFiche::ImpEnv()
{
    // The customer's card, or the invoice's four address lines as they stand.
    QWidget* page = PageControl1->currentWidget();
    QStringList recipient;
    if (page == TabSheet1)
        recipient = {Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text() + QLatin1Char(' ') + Edit6->text()};
    else if (page == TabSheet2)
        recipient = {Edit23->text(), Edit24->text(), Edit25->text(), Edit26->text()};
    else
        return;
    platform::ShowMessage(QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    TravailImpression job(*this, OrientationEnveloppe == 1 ? Orientation::Landscape : Orientation::Portrait);
    if (job.Commence())
        Enveloppe(job, recipient);
}

void TFiche::Enveloppes()
{
    printlists::Range range;
    if (!DialogueListe(NbClients, range))
        return;
    QList<QStringList> recipients;
    for (int n = range.first; n <= range.last; ++n)
        if (const auto f = printlists::BlockFields(ListeClients, n, {4, 5, 6, 7, 8}))
            recipients << QStringList{f->at(0), f->at(1), f->at(2), f->at(3) + QLatin1Char(' ') + f->at(4)};
    // No customer, no envelope: no job at all rather than one blank page.
    if (recipients.isEmpty())
        return;
    TravailImpression job(*this, Orientation::Landscape);
    if (!job.Commence())
        return;
    for (int i = 0; i < recipients.size(); ++i) {
        // Pages are turned between envelopes only, so the printer feeds no blank one at the end.
        if (i > 0)
            job.NouvellePage();
        Enveloppe(job, recipients[i]);
    }
}
