#pragma once
// The accounting journal of the invoices: three lines (LigneJournal, manager/cardfile/core/
// stats.h) for each invoice and each credit note, in the invoices' tag order. An invoice debits
// the customers and credits the sales and the VAT collected (journal "V1"); a credit note
// debits the customers and credits the purchases and the VAT on purchases (journal "A1").
// Quotes and receipts are not posted; whether an invoice was validated is not looked at.
#include <QString>
#include <QStringList>
#include "manager/cardfile/core/number_memo.h"
#include "manager/cardfile/core/recordlist.h"
#include "manager/cardfile/core/settings.h"
#include "manager/cardfile/core/stats.h"
#include "platform/rtl.h"

namespace journal {

// Fixed accounts: VAT collected, VAT on purchases.
extern const QString TvaCollectee;   // "445700"
extern const QString TvaDeductible;  // "445660"

// Each account that is empty receives its default: customers "411000", suppliers "401000",
// purchases "607000", sales "707000"; one that is not is left as it is.
void Comptes(QString& clients, QString& fournisseurs, QString& achats, QString& ventes);

// What an invoice block shows on its card once read, for the journal: its date (today when it
// does not read), its type as stored ("Facture" when blank), its number, and its three totals
// formatted (total without tax, VAT, total with tax) by the invoice totals. `memo`, when given,
// converts the cells of the lines (a walk over many invoices keeps one).
struct Invoice {
    bool found = false;  // the block exists
    rtl::TDateTime date = 0;
    QString type, number;
    QString totalHT, totalTVA, totalTTC;
};
Invoice ReadInvoice(const RecordList& invoices, int n, const settings::InvoiceSettings& rates, const QString& format,
                    rtl::TDateTime today, numbers::Memo* memo = nullptr);

struct Result {
    QStringList lines;
    int invoices = 0;  // the invoice blocks read, posted or not
};
// The journal of invoice blocks 0 .. count-1 (a number without a block adds nothing). `progress`
// is told the block about to be read, every stats::ProgressStep invoices.
Result Journal(const RecordList& invoices, int count, const settings::InvoiceSettings& rates, const QString& format,
               rtl::TDateTime today, const stats::Progress& progress = {});

}  // namespace journal
