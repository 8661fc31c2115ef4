#pragma once
// The card engine: what the cards share, written once over a card layout.
//
// A card layout lists the block's field lines in their order (+1, +2, ...), each with the control
// that shows it and the rule by which it is written and read, then the card's repeatable lines:
// a memo (one "MEMO" line per memo line) and grids (one "DATA" or "GRID" line per row, its cells
// joined by TABs). Writing builds the block from the card; reading empties the card, shows a
// fresh code and fills the card from the block.
//
// Showing a block on a card and writing it back loses nothing: the lines the card has no place
// for are kept aside when it is read and written back unchanged after the card's own lines.
#include <QLatin1String>
#include <QString>
#include <functional>
#include <span>
#include "manager/cardfile/fiche.h"

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class TStringGrid;

namespace cartes {

// How a field line is written from its control and shown in it.
enum class Rule {
    Text,      // an edit's text as it stands
    Trimmed,   // written as it stands, shown without leading and trailing blanks
    Flag,      // a check box: "Y" when ticked, else "N"; only a line of exactly "Y" ticks it
    Mask,      // a mask edit's text, its blank form when nothing is typed ("  /  /    ")
    Combo,     // an editable combo box's text
    Prefixed,  // a fixed prefix, then an edit's text ("NUMT" + the ticket number)
    State,     // a "Y"/"N" flag that the window holds instead of a control
    Date,      // a date picker's date as "dd/mm/yyyy"; a text that is no date leaves it as it is
};

using ControlOf = QWidget* (*)(TFiche&);

// The accessor of one of the window's controls: Control<&TFiche::Edit1>.
template <auto member>
QWidget* Control(TFiche& f)
{
    return f.*member;
}

struct Field {
    Rule rule;
    ControlOf control = nullptr;
    // Whether a change of the control marks the card modified (the entry edits of a history
    // line, stored with the card, do not).
    bool marks = true;
    const char* prefix = "";             // Rule::Prefixed
    QString TFiche::*state = nullptr;    // Rule::State
};

enum class Repeat { Memo, Rows };

struct RepeatLines {
    Repeat what;
    const char* prefix;     // the four letters that open each line
    ControlOf control;      // the memo, or the grid whose rows the lines fill from its first
                            // row under the header
    int cells = 0;          // Rows: the cells a line holds, from column 0; the last takes the rest
    int amountColumn = -1;  // Rows: a cell shown right-justified to amountWidth
    int amountWidth = 0;
    bool grows = false;     // Rows: the grid gains the rows its lines need
};

struct Card {
    TFiche::Kind kind;
    std::span<const Field> fields;        // lines +1, +2, ...
    std::span<const RepeatLines> repeats; // written in this order after the fields
    // Repeatable lines are recognised from this line on, field lines included (blocks::BlockLayout).
    int scanFrom;
};
constexpr int MaxRepeats = 4;

// The block line (+n) that a card's table gives the control.
int LineOf(const Card& card, ControlOf control);
// The customer block's line of a control of the customer card (fiche_clients.cpp).
int CustomerLine(ControlOf control);

struct Reading {
    bool found = false;             // the block exists
    int nextRow[MaxRepeats] = {};   // per repeat: the row after the last one filled
};

// A memo's lines as its block holds them, non-breaking spaces and all.
QStringList MemoLines(const QPlainTextEdit* memo);

QString FieldText(TFiche& f, const Field& field);
void ShowField(TFiche& f, const Field& field, const QString& text);

// Writes the card into the block of the kind's current index when the card was modified.
void WriteCard(TFiche& f, const Card& card);
// Empties the card and fills it from the block of the current index; a card without block, or
// whose block has no code, shows the kind's next code. Clears the modified flag: the caller
// clears it again after whatever it sets itself.
Reading ReadCard(TFiche& f, const Card& card);
// Marks the card modified whenever one of its controls (fields that mark, memos) changes.
void ConnectChanges(TFiche& f, const Card& card, const std::function<void()>& changed);

// A card's dated history: the entry bar (date picker, label, amount) and the grid it adds to.
struct History {
    QDateEdit* TFiche::*date;
    QLineEdit* TFiche::*label;
    QLineEdit* TFiche::*amount;
    TStringGrid* TFiche::*grid;
    bool TFiche::*modified;
};
// Adds the entry bar's line to the first free row; a line added in one of the last three rows
// pushes the oldest one out. Nothing is added unless both label and amount are filled.
void AddHistoryLine(TFiche& f, const History& history);

// An amount as the cards show it: formatted with FormatMontant, right-justified to `width`.
QString Amount(const TFiche& f, double value, int width);

// Handlers for the focus entering or leaving a control; a window losing the focus to another
// window or a pop-up does not count.
void OnEnter(QWidget* control, std::function<void()> handler);
void OnExit(QWidget* control, std::function<void()> handler);

// Puts an amount field's key filter on it, then keeps the amount to one decimal comma: a comma is
// dropped while the text outside the selection already holds one.
void OnAmountKeyPress(QLineEdit* field, std::function<void(QChar&)> filter);

// A booked ticket keeps what was booked onto the customer's account: its number, customer,
// machine, dates and times, minutes, price and amounts paid take no typing, and the buttons that
// would fill them, book it or change its details are disabled; its comment stays editable
// (fiche_caisse.cpp).
void ShowBooked(TFiche& f, bool booked);

// The cards' own connections (fiche_clients.cpp, fiche_postes.cpp, fiche_caisse.cpp,
// fiche_articles.cpp, fiche_factures.cpp).
void ConnectCustomerCard(TFiche& f);
void ConnectMachineCard(TFiche& f);
void ConnectTicketCard(TFiche& f);
void ConnectArticleCard(TFiche& f);
void ConnectInvoiceCard(TFiche& f);

}  // namespace cartes
