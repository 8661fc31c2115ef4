// Moving the card through the records of the active page's kind, through all of them or through
// the kind's selection, and setting each kind's selection. Both are written once: a table says,
// per kind and selection mode, which field line of a block the selection reads, how it compares
// it, and what the operator is asked for when the mode is chosen.
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <functional>
#include "manager/cardfile/choisir.h"
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/fiche.h"
#include "manager/shell/factliste.h"
#include "manager/shell/fliste.h"
#include "manager/shell/fliste3.h"
#include "manager/shell/fliste4.h"
#include "manager/shell/inputcombo.h"
#include "manager/shell/ticketliste.h"
#include "platform/dialogs.h"

namespace {

using Kind = TFiche::Kind;

// ---- the selections -------------------------------------------------------------------------------

enum class Compare {
    Equal,         // the field line as written
    UpperEqual,    // the field line upper-cased (a to z only)
    UpperDiffer,
    Never,
};

enum class Ask { Nothing, Typed, TypedUpper, Combo };

struct Selection {
    Kind kind;
    int mode;
    int line;                   // the field line read, counted after the start tag
    Compare compare;
    QString TFiche::*value;     // what the line is compared with, or null for `literal`
    const char* literal;
    // What choosing the mode asks for, offering what the card shows: the text of `edit`, or the
    // items and text of `combo`.
    Ask ask;
    const char* caption;
    const char* prompt;
    QLineEdit* TFiche::*edit;
    QComboBox* TFiche::*combo;
};

// Any mode of a kind that is not in this table means all the records of the kind.
//
// The article record holds no stock and no minimum-stock line (its fixed lines are code, family,
// designation, price, VAT code, account and supplier), so no article can be told to be in stock
// alert: that selection finds nothing and the card stays where it is. Its supplier is line +7.
const Selection Selections[] = {
    {TFiche::KClient, 2, 7, Compare::Equal, &TFiche::SelCodePostal, nullptr, Ask::Typed, "Rechercher code postal",
     "Code postal", &TFiche::Edit5, nullptr},
    {TFiche::KClient, 3, 8, Compare::UpperEqual, &TFiche::SelVille, nullptr, Ask::TypedUpper, "Rechercher Ville",
     "Ville", &TFiche::Edit6, nullptr},
    {TFiche::KClient, 4, 2, Compare::Equal, nullptr, "Y", Ask::Nothing, nullptr, nullptr, nullptr, nullptr},
    {TFiche::KClient, 5, 3, Compare::Equal, nullptr, "Y", Ask::Nothing, nullptr, nullptr, nullptr, nullptr},
    {TFiche::KArticle, 2, 2, Compare::UpperEqual, &TFiche::SelFamille, nullptr, Ask::Combo, "Familles d'articles",
     "Famille", nullptr, &TFiche::ComboBox9},
    {TFiche::KArticle, 3, 7, Compare::UpperEqual, &TFiche::SelFournisseur, nullptr, Ask::Combo,
     "Fournisseur d'articles", "Founisseur", nullptr, &TFiche::ComboBox10},
    {TFiche::KArticle, 4, 0, Compare::Never, nullptr, "", Ask::Nothing, nullptr, nullptr, nullptr, nullptr},
    {TFiche::KFacture, 1, 3, Compare::Equal, &TFiche::SelCodeClient, nullptr, Ask::Typed, "Sélectionner factures",
     "Code client", &TFiche::Edit22, nullptr},
    {TFiche::KPoste, 2, 6, Compare::UpperEqual, &TFiche::SelSysteme, nullptr, Ask::Combo,
     "Systèmes d'exploitation", "Os", nullptr, &TFiche::ComboBox1},
    {TFiche::KPoste, 3, 8, Compare::UpperEqual, nullptr, "Y", Ask::Nothing, nullptr, nullptr, nullptr, nullptr},
    {TFiche::KTicket, 2, 2, Compare::Equal, &TFiche::SelCodeClient, nullptr, Ask::Typed, "Sélectionner client",
     "Code client", &TFiche::Edit32, nullptr},
    {TFiche::KTicket, 3, 14, Compare::UpperDiffer, nullptr, "Y", Ask::Nothing, nullptr, nullptr, nullptr, nullptr},
};

// The selection mode of each kind, in the order of the kinds.
int TFiche::*const ModeOf[TFiche::KindCount] = {&TFiche::ModeSelection, &TFiche::ModeSelectionFactures,
                                                 &TFiche::ModeSelectionArticles, &TFiche::ModeSelectionPostes,
                                                 &TFiche::ModeSelectionTickets};

const Selection* SelectionFor(Kind k, int mode)
{
    for (const Selection& s : Selections)
        if (s.kind == k && s.mode == mode)
            return &s;
    return nullptr;
}

// ---- the moves ------------------------------------------------------------------------------------

// What keeps "next" and "last" from running on a kind with fewer than two blocks.
enum class Guard {
    Whole,             // nothing happens, the card is not even written back
    AfterWriting,      // in the all-records mode: the card is written back, nothing more
    None,
};
const Guard Guards[TFiche::KindCount] = {Guard::Whole, Guard::AfterWriting, Guard::Whole, Guard::Whole, Guard::None};

int PlainMove(int index, int count, TFiche::Move move)
{
    switch (move) {
    case TFiche::MFirst: index = 0; break;
    case TFiche::MLast: index = count - 1; break;
    case TFiche::MNext: index = std::min(index + 1, count - 1); break;
    case TFiche::MPrevious: index = index - 1; break;
    }
    // An empty list still shows its blank card, which is block 0: there is no block -1.
    return std::max(index, 0);
}

// The block that a move through a selection lands on: the smallest number whose block passes
// (first), the largest (last), the smallest above the current one (next) or the largest below it
// (previous); the current block when none qualifies, for there is no wrap-around. Block numbers
// are compared as the texts of their tags, which at the list's width is their numeric order,
// whatever order the blocks stand in. A start tag whose number does not read is no block.
int FilteredMove(const RecordList& list, int current, int line, const std::function<bool(const QString&)>& passes,
                 TFiche::Move move)
{
    const int width = list.Width();
    const QString here = QStringLiteral("%1").arg(current, width, 10, QLatin1Char('0'));
    const bool upward = move == TFiche::MFirst || move == TFiche::MNext;
    // Texts that sort above, and below, every block number.
    const QString none = upward ? QStringLiteral("99999") : QStringLiteral(" 000");
    QString best = none;
    int bestNumber = current;
    for (int i = 0; i < list.Count(); ++i) {
        const QString tag = list[i];
        int n = 0;
        if (!tag.startsWith(QLatin1String("<BLOC")) || !list.TagNumber(tag, n))
            continue;
        const QString number = tag.mid(5, width);
        bool candidate = false;
        switch (move) {
        case TFiche::MFirst: candidate = number < best; break;
        case TFiche::MLast: candidate = number > best; break;
        case TFiche::MNext: candidate = number > here && number < best; break;
        case TFiche::MPrevious: candidate = number < here && number > best; break;
        }
        if (candidate && passes(blocks::FieldLine(list, i, line))) {
            best = number;
            bestNumber = n;
        }
    }
    return best == none ? current : bestNumber;
}

// ---- the pick lists -------------------------------------------------------------------------------

struct PickList {
    int (*pick)(QWidget*, const RecordList&);  // the block chosen, or -1
    int minimumLines;                          // a shorter list opens nothing
};
const PickList PickLists[TFiche::KindCount] = {
    {&Choisir<TFListe>, 21}, {&Choisir<TFactListe>, 0}, {&Choisir<TFListe3>, 21}, {&Choisir<TFListe4>, 21},
    {&Choisir<TTicketListe>, 0},
};

}  // namespace

void TFiche::Navigate(Move move)
{
    Kind k;
    if (!CurrentKind(k))
        return;
    const RecordKind& d = KindOf(k);
    const bool forward = move == MLast || move == MNext;
    if (forward && this->*d.count < 2 && Guards[k] == Guard::Whole)
        return;
    (this->*d.writer)();
    int& index = this->*d.index;
    const int count = this->*d.count;   // the writer makes an empty list's count 1
    if (const Selection* s = SelectionFor(k, this->*ModeOf[k])) {
        const QString value = s->value ? this->*s->value : QString::fromLatin1(s->literal);
        const std::function<bool(const QString&)> passes = [s, &value](const QString& field) {
            switch (s->compare) {
            case Compare::Equal: return field == value;
            case Compare::UpperEqual: return rtl::UpperCase(field) == value;
            case Compare::UpperDiffer: return rtl::UpperCase(field) != value;
            case Compare::Never: break;
            }
            return false;
        };
        index = FilteredMove(ListOf(k), index, s->line, passes, move);
    } else {
        if (forward && count < 2 && Guards[k] == Guard::AfterWriting)
            return;
        index = PlainMove(index, count, move);
    }
    (this->*d.reader)();
    (this->*d.focus)->setFocus();
}

void TFiche::Premier() { Navigate(MFirst); }
void TFiche::Dernier() { Navigate(MLast); }
void TFiche::Suivant() { Navigate(MNext); }
void TFiche::Precedent() { Navigate(MPrevious); }

void TFiche::SetSelection(Kind k, int mode)
{
    this->*ModeOf[k] = mode;
    const Selection* s = SelectionFor(k, mode);
    if (!s || s->ask == Ask::Nothing)
        return;
    const QString caption = QString::fromUtf8(s->caption);
    const QString prompt = QString::fromUtf8(s->prompt);
    QString& value = this->*s->value;
    if (s->ask == Ask::Combo) {
        TInputCombo dialog(this);
        dialog.Init(caption, prompt, this->*s->combo);
        platform::Dialogs().exec(&dialog);
        // Upper-cased on OK; otherwise the value stays, upper-cased when it was chosen.
        dialog.Result(value);
        return;
    }
    // A cancelled question answers the value shown on the card.
    const QString answer = platform::InputBox(caption, prompt, (this->*s->edit)->text());
    value = s->ask == Ask::TypedUpper ? rtl::UpperCase(answer) : answer;
}

void TFiche::SetSel(int mode) { SetSelection(KClient, mode); }
void TFiche::SetArt(int mode) { SetSelection(KArticle, mode); }
void TFiche::SetFact(int mode) { SetSelection(KFacture, mode); }
void TFiche::SetPoste(int mode) { SetSelection(KPoste, mode); }
void TFiche::SetCaisse(int mode) { SetSelection(KTicket, mode); }

void TFiche::Liste()
{
    Kind k;
    if (!CurrentKind(k))
        return;
    const RecordKind& d = KindOf(k);
    const PickList& p = PickLists[k];
    (this->*d.writer)();
    if (ListOf(k).Count() < p.minimumLines)
        return;
    const int chosen = p.pick(this, ListOf(k));
    if (chosen < 0)
        return;
    // The lists hand back the chosen block's number, never a text to look the block up by, so
    // two invoices that carry the same number are told apart. The focus stays where it was.
    this->*d.index = chosen;
    (this->*d.reader)();
}

void TFiche::Clients()
{
    const RecordKind& d = KindOf(KClient);
    // Reading the customer again would throw away what is being typed on the card shown: it is
    // written back first. From another page there is nothing to write: leaving the customer
    // page wrote its card.
    if (PageControl1->currentWidget() == this->*d.page)
        (this->*d.writer)();
    PageControl1->setCurrentWidget(this->*d.page);
    (this->*d.reader)();
    (this->*d.focus)->setFocus();
}
