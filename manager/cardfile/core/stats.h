#pragma once
// The statistics of the cash tickets (takings by customer, by machine, by month and by day) and
// the accounting journal of the invoices, as the lines their windows show.
//
// Statistics line (LigneStat), one per key, in the order in which the keys first come:
//     by customer, by machine:  key TAB label TAB amount
//     by month, by day:         key TAB amount without tax TAB amount with tax
// Journal line (LigneJournal), three per invoice or credit note:
//     yyyymmdd TAB journal TAB dd/mm/yyyy TAB account TAB label TAB debit          (debit line)
//     yyyymmdd TAB journal TAB dd/mm/yyyy TAB account TAB label TAB TAB credit     (credit line)
//
// Each walks its list once, block by block in tag order, reading each block by the card's rules
// without the card.
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>
#include "manager/cardfile/core/recordlist.h"
#include "manager/cardfile/core/settings.h"
#include "platform/exception.h"
#include "platform/rtl.h"

namespace stats {

// ---- sums per key -------------------------------------------------------------------------------
// The lines of a statistics being gathered. A key is matched whole: an empty key has a line of its
// own, and "1000" is never summed into "10001". Sums are kept as numbers and formatted once, when
// the lines are made, so that a sum the amount format shows empty ("#") never stops the later
// amounts of its key from adding up.
class Cumuls {
public:
    // One ticket by customer (CumulCli) or by machine (CumulPst): the latest label wins; an
    // amount that is blank adds nothing, one that does not read adds nothing to the sum.
    void CumulCli(const QString& key, const QString& label, const QString& amount);
    void CumulPst(const QString& key, const QString& label, const QString& amount) { CumulCli(key, label, amount); }
    // One ticket by month (CumulMois) or by day (CumulJour): nothing is added unless both amounts
    // are there.
    void CumulMois(const QString& key, const QString& withoutTax, const QString& withTax);
    void CumulJour(const QString& key, const QString& withoutTax, const QString& withTax) { CumulMois(key, withoutTax, withTax); }

    // The lines, sums written with `format`; a line of one ticket keeps that ticket's amounts as
    // they came.
    QStringList Lines(const QString& format) const;
    int Count() const { return int(lines_.size()); }

private:
    struct Sum {
        QString text;       // the first amount, trimmed, as it came
        double value = 0;   // the amounts that read, added up
        int read = 0;       // how many read
    };
    struct Line {
        QString key, label;
        bool labelled = false;   // by customer or machine: a label and one amount
        int entries = 0;
        Sum sums[2];
    };
    Line& LineOf(const QString& key);
    void Add(Sum& sum, const QString& amount);
    QString Text(const Line& line, int i, const QString& format) const;

    std::vector<Line> lines_;
    QHash<QString, int> index_;
    // The amounts read so far: a walk meets the same few prices again and again.
    QHash<QString, std::optional<double>> read_;
};

// ---- the statistics of the tickets --------------------------------------------------------------
enum class By { Customer, Machine, Month, Day };

// What the statistics take besides the tickets: the pricing of the card, the VAT rate of every
// ticket (TauxTVA1, in percent) and today.
struct Context {
    settings::Tariffs tariffs;
    QString format = QStringLiteral("0.00");   // FormatMontant
    double vatRate = 0;
    rtl::TDateTime today = 0;
};

// Tickets further than this from today, before or after, are left out of the daily statistics.
constexpr int DayWindow = 180;

// A ticket whose figures do not read (its minutes, or its price by month and by day): the
// statistics stop on it. `index` is its block number.
class TicketError : public EConvertError {
public:
    TicketError(const EConvertError& error, int index) : EConvertError(error), index(index) {}
    int index;
};

// Told the block number about to be read, every ProgressStep tickets.
using Progress = std::function<void(int index)>;
constexpr int ProgressStep = 256;

// The lines of the statistics `by` over ticket blocks 0 .. count-1 (a number without a block adds
// nothing). Throws TicketError.
QStringList Tickets(const RecordList& tickets, int count, By by, const Context& context,
                    const Progress& progress = {});

// The key of a month ("Mars 2024") and of a day ("05 mars 2024").
QString MonthKey(rtl::TDateTime date);
QString DayKey(rtl::TDateTime date);

// ---- line fields --------------------------------------------------------------------------------
// The first `count` fields of a statistics or journal line, taken one after the other as
// ExtraitChamp takes them: each the text before the next TAB, the rest after it kept to 255
// characters; past the last TAB the fields are empty.
QStringList Fields(const QString& line, int count);

}  // namespace stats
