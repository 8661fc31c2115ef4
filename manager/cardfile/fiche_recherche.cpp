// Searching the active page's records by the beginning of a field, and sorting the customers or
// the articles by a key the operator chooses. Both are written once: a table says, per kind, what
// the operator is asked and which field line of a block is read.
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <iterator>
#include "manager/cardfile/core/search.h"
#include "manager/cardfile/fiche.h"
#include "manager/shell/tri.h"
#include "manager/shell/tri3.h"
#include "platform/dialogs.h"

namespace {

using Kind = TFiche::Kind;

enum class By { Name, Number, Telephone, Login };

struct Search {
    By by;
    Kind kind;
    const char* caption;
    const char* prompt;
    QLineEdit* TFiche::*shown;   // the card's value, offered as the answer
    int line;                    // the field line compared, counted after the start tag
    bool upperAnswer;            // the answer is upper-cased too (the line always is)
};

const Search Searches[] = {
    {By::Name, TFiche::KClient, "Rechercher nom", "Nom", &TFiche::Edit2, 4, true},
    {By::Name, TFiche::KArticle, "Rechercher article", "Article", &TFiche::Edit48, 3, true},
    {By::Name, TFiche::KPoste, "Rechercher machine", "Machine", &TFiche::Edit17, 2, true},
    {By::Login, TFiche::KClient, "Rechercher nom", "Nom", &TFiche::Edit11, 13, true},
    {By::Number, TFiche::KClient, "Rechercher numéro", "Numéro", &TFiche::Edit1, 1, false},
    {By::Number, TFiche::KArticle, "Rechercher numéro", "Numéro", &TFiche::Edit38, 1, false},
    {By::Telephone, TFiche::KClient, "Rechercher téléphone", "Téléphone", &TFiche::Edit8, 10, false},
};

void Rechercher(TFiche& f, By by)
{
    Kind k;
    if (!f.CurrentKind(k))
        return;
    const auto row = std::find_if(std::begin(Searches), std::end(Searches),
                                  [&](const Search& s) { return s.by == by && s.kind == k; });
    if (row == std::end(Searches))
        return;
    // A cancelled box answers the card's value, which is then searched for.
    QString answer = platform::InputBox(QString::fromUtf8(row->caption), QString::fromUtf8(row->prompt),
                                        (f.*row->shown)->text());
    if (answer.isEmpty())
        return;
    if (row->upperAnswer)
        answer = rtl::UpperCase(answer);
    const TFiche::RecordKind& d = TFiche::KindOf(k);
    (f.*d.writer)();
    const int found = search::FindByPrefix(f.ListOf(k), row->line, answer);
    if (found < 0) {
        platform::ShowMessage(QStringLiteral("Fiche ") + answer + QStringLiteral(" non trouvée"));
        return;
    }
    f.*d.index = found;
    (f.*d.reader)();
}

// The sort keys offered by a kind's dialog, in the order of its items: the field line each reads.
struct Sort {
    Kind kind;
    int (*ask)(TFiche&);   // the item chosen, -1 when cancelled
    std::array<int, 4> keyLines;
    int keys;
};

template <class Dialog>
int AskKey(TFiche& f)
{
    Dialog dialog(&f);
    platform::Dialogs().exec(&dialog);
    int key = -1;
    dialog.Result(key);
    return key;
}

// Articles: designation, code, and the supplier's line, which the dialog calls "Référence".
const Sort Sorts[] = {
    {TFiche::KClient, &AskKey<TTri>, {4, 1, 7, 8}, 4},
    {TFiche::KArticle, &AskKey<TTri3>, {3, 1, 7}, 3},
};

}  // namespace

void TFiche::RechNom() { Rechercher(*this, By::Name); }
void TFiche::RechNum() { Rechercher(*this, By::Number); }
void TFiche::RechTel() { Rechercher(*this, By::Telephone); }
void TFiche::RechLogin() { Rechercher(*this, By::Login); }

void TFiche::Trier()
{
    Kind k;
    if (!CurrentKind(k))
        return;
    const auto sort = std::find_if(std::begin(Sorts), std::end(Sorts), [k](const Sort& s) { return s.kind == k; });
    if (sort == std::end(Sorts))
        return;
    const int key = sort->ask(*this);
    if (key < 0 || key >= sort->keys)
        return;
    const RecordKind& d = KindOf(k);
    (this->*d.writer)();
    const int blocks = search::SortBlocks(ListOf(k), sort->keyLines[key]);
    // Every block is reachable by its new number; a blank new card past them stays where it is.
    this->*d.count = std::max(this->*d.count, blocks);
    // The current number is kept: the card now shows the record sorted to that place.
    (this->*d.reader)();
    DoitSauver = true;
}
