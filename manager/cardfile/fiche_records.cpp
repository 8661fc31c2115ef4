// Block records and list maintenance: what the five record kinds share, written once over the
// kind's descriptor. The numbered members (Renum2, Squize3, ...) are the names other operations
// call; each hands its kind to the family.
#include <algorithm>
#include <vector>
#include "manager/cardfile/fiche.h"
#include "platform/dialogs.h"

const TFiche::RecordKind& TFiche::KindOf(Kind k)
{
    static const RecordKind kinds[KindCount] = {
        {&TFiche::TabSheet1, &TFiche::ListeClients, &TFiche::NbClients, &TFiche::IndexClient, &TFiche::ModifClient,
         9999, &TFiche::EcritFiche, &TFiche::LitFiche, &TFiche::Numerom, &TFiche::Edit1, &TFiche::Edit2},
        {&TFiche::TabSheet2, &TFiche::ListeFactures, &TFiche::NbFactures, &TFiche::IndexFacture,
         &TFiche::ModifFacture, 9999, &TFiche::EcritFact, &TFiche::LitFact, &TFiche::Numerof, nullptr,
         &TFiche::Edit22},
        {&TFiche::TabSheet3, &TFiche::ListeArticles, &TFiche::NbArticles, &TFiche::IndexArticle,
         &TFiche::ModifArticle, 9999, &TFiche::EcritArt, &TFiche::LitArt, &TFiche::Numeroa, &TFiche::Edit38,
         &TFiche::Edit48},
        {&TFiche::TabSheet4, &TFiche::ListePostes, &TFiche::NbPostes, &TFiche::IndexPoste, &TFiche::ModifPoste,
         9999, &TFiche::EcritPoste, &TFiche::LitPoste, &TFiche::Numerop, &TFiche::Edit16, &TFiche::Edit17},
        {&TFiche::TabSheet5, &TFiche::ListeTickets, &TFiche::NbTickets, &TFiche::IndexTicket, &TFiche::ModifTicket,
         98999, &TFiche::EcritCaisse, &TFiche::LitCaisse, &TFiche::Numeroc, &TFiche::Edit28, &TFiche::Edit32},
    };
    return kinds[k];
}

bool TFiche::CurrentKind(Kind& k) const
{
    QWidget* page = PageControl1->currentWidget();
    for (int i = 0; i < KindCount; ++i) {
        if (page == this->*KindOf(Kind(i)).page) {
            k = Kind(i);
            return true;
        }
    }
    return false;
}

// ---- adding and deleting ------------------------------------------------------------------------

void TFiche::Ajout()
{
    Kind k;
    if (!CurrentKind(k))
        return;
    if (k == KFacture) {
        Button2Click();
        return;
    }
    const RecordKind& d = KindOf(k);
    (this->*d.writer)();
    int& count = this->*d.count;
    // A new record has no block until its card is written. Adding another while the last one is
    // still that blank card would leave a number without a block, and every record typed after
    // it would be out of reach once the set is loaded again: the blank card is shown anew instead.
    const bool blankLast = count > 0 && ListOf(k).FindBlock(count - 1) < 0;
    if (!blankLast) {
        if (count >= d.capacity) {
            platform::ShowMessage(QStringLiteral("Le fichier est plein"));
            return;
        }
        ++count;
    }
    this->*d.index = count - 1;
    (this->*d.reader)();
    (this->*d.codeEdit)->setText(rtl::IntToStr((this->*d.nextCode)()));
    (this->*d.focus)->setFocus();
}

void TFiche::Supprime()
{
    Kind k;
    if (!CurrentKind(k))
        return;
    const RecordKind& d = KindOf(k);
    int& index = this->*d.index;
    RemoveBlock(k, index);
    DoitSauver = true;
    RenumberAfterDelete(k);
    const int count = this->*d.count;
    // An empty list still has its blank card, number 0: never a block numbered -1.
    if (index > count - 1)
        index = std::max(0, count - 1);
    (this->*d.reader)();
    // The room shows the machines: it follows them.
    if (k == KPoste)
        PostesChanges();
}

void TFiche::RewriteBlock(Kind k, const QStringList& fieldLines)
{
    const RecordKind& d = KindOf(k);
    RecordList& list = this->*d.list;
    int& index = this->*d.index;
    // A card shown on an empty list is its first block.
    if (index < 0)
        index = 0;
    DoitSauver = true;
    QStringList block;
    block.reserve(fieldLines.size() + 2);
    block << list.StartTag(index) << fieldLines << list.EndTag(index);
    const int pos = list.FindBlock(index);
    if (pos >= 0)
        list.Delete(pos, list.BlockLength(pos, index));
    // A rewritten invoice goes to the end; the other kinds keep their block's place, which the
    // room view and the ticket history rely on.
    if (k != KFacture && pos >= 0 && pos < list.Count())
        list.Insert(pos, block);
    else
        list.Add(block);
    int& count = this->*d.count;
    if (count == 0)
        count = 1;
    if (k == KPoste)
        PostesChanges();
}

// ---- the families ---------------------------------------------------------------------------------

void TFiche::RenumberAfterDelete(Kind k)
{
    const RecordKind& d = KindOf(k);
    int& count = this->*d.count;
    const int removed = this->*d.index;
    if (count < 2 || removed < 0)
        return;
    (this->*d.list).Renumber(removed);
    --count;
}

void TFiche::DropLinesBeforeFirstBlock(Kind k)
{
    RecordList& list = ListOf(k);
    int stray = 0;
    while (stray < list.Count() && !list[stray].startsWith(QLatin1String("<BLOC")))
        ++stray;
    list.Delete(0, stray);
}

void TFiche::RemoveBlock(Kind k, int n)
{
    RecordList& list = ListOf(k);
    const int pos = list.FindBlock(n);
    if (pos >= 0)
        list.Delete(pos, list.BlockLength(pos, n));
}

void TFiche::RemoveDuplicates(Kind k)
{
    const int count = this->*KindOf(k).count;
    if (count < 1)
        return;
    std::vector<int> seen;
    // A tag whose number does not read comes from a file edited by hand: nothing is removed then.
    if (!ListOf(k).CountStartTags(count, seen))
        return;
    for (int n = 0; n < count; ++n)
        if (seen[n] >= 2)
            RemoveBlock(k, n);
}

void TFiche::RebuildIfUnbalanced(Kind k)
{
    const RecordKind& d = KindOf(k);
    RecordList& list = this->*d.list;
    if (list.StartLineCount() == list.EndLineCount())
        return;
    QStringList rebuilt;
    const int count = this->*d.count;
    for (int n = 0; n < count; ++n) {
        const int pos = list.FindBlock(n);
        if (pos < 0)
            continue;
        // A block without its end tag ends where the next block starts: carrying the rest of the
        // list with it would copy every later block again, more copies than the duplicate
        // removal takes out, and the file would grow at each load.
        const int end = pos + list.BlockLength(pos, n);
        for (int j = pos; j < end; ++j)
            rebuilt.append(list[j]);
    }
    list = rebuilt;
    DoitSauver = true;
    this->*d.count = list.StartLineCount();
}

void TFiche::CheckLoaded(Kind k)
{
    RebuildIfUnbalanced(k);
    RemoveDuplicates(k);
}

void TFiche::TrimForSave(Kind k)
{
    DropLinesBeforeFirstBlock(k);
}

// ---- the names other operations call ------------------------------------------------------------

void TFiche::Renum() { RenumberAfterDelete(KClient); }
void TFiche::Renum2() { RenumberAfterDelete(KFacture); }
void TFiche::Renum3() { RenumberAfterDelete(KArticle); }
void TFiche::Renum4() { RenumberAfterDelete(KPoste); }
void TFiche::Renum5() { RenumberAfterDelete(KTicket); }

void TFiche::Squize() { DropLinesBeforeFirstBlock(KClient); }
void TFiche::Squize2() { DropLinesBeforeFirstBlock(KFacture); }
void TFiche::Squize3() { DropLinesBeforeFirstBlock(KArticle); }
void TFiche::Squize4() { DropLinesBeforeFirstBlock(KPoste); }
void TFiche::Squize5() { DropLinesBeforeFirstBlock(KTicket); }

void TFiche::SupBloc(int n) { RemoveBlock(KClient, n); }
void TFiche::SupBloc2(int n) { RemoveBlock(KFacture, n); }
void TFiche::SupBloc3(int n) { RemoveBlock(KArticle, n); }
void TFiche::SupBloc4(int n) { RemoveBlock(KPoste, n); }
void TFiche::SupBloc5(int n) { RemoveBlock(KTicket, n); }

void TFiche::Doublons() { RemoveDuplicates(KClient); }
void TFiche::Doublons2() { RemoveDuplicates(KFacture); }
void TFiche::Doublons3() { RemoveDuplicates(KArticle); }
void TFiche::Doublons4() { RemoveDuplicates(KPoste); }
void TFiche::Doublons5() { RemoveDuplicates(KTicket); }

void TFiche::Verif() { RebuildIfUnbalanced(KClient); }
void TFiche::Verif2() { RebuildIfUnbalanced(KFacture); }
void TFiche::Verif3() { RebuildIfUnbalanced(KArticle); }
void TFiche::Verif4() { RebuildIfUnbalanced(KPoste); }
void TFiche::Verif5() { RebuildIfUnbalanced(KTicket); }
