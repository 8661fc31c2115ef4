// Customers imported from text files, one customer a line, and the active page's records exported
// the same way. The ".txt" form separates fields by TAB, the ".csv" form by ';'; the two differ in
// nothing else.
#include <QApplication>
#include <QFileInfo>
#include <QScopeGuard>
#include <span>
#include "manager/cardfile/core/exchange.h"
#include "manager/cardfile/fiche.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"

namespace {

const QString ImportFilter = QStringLiteral("Ficher texte (*.txt)|*.txt|Fichier Csv (*.csv)|*.csv");
const QString ExportFilter = QStringLiteral("Fichier texte (*.txt)|*.txt|Ficher csv (*.csv)|*.csv");
const QChar Tab = QLatin1Char('\t');
const QChar Semicolon = QLatin1Char(';');

// The field lines each kind exports, in the order of the exported line; invoices export nothing.
const int CustomerFields[] = {4, 5, 6, 7, 8, 9, 10};      // name, address 1 and 2, postal code, town,
                                                          // country, telephone
const int ArticleFields[] = {2, 3, 4, 5, 6, 7};           // family, designation, price, VAT code,
                                                          // account, supplier
const int MachineFields[] = {2, 3, 4, 5, 6, 7};           // name, type, disk, RAM, system, IP address
const int TicketFields[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};  // customer code and name, machine number
                                                          // and name, start and end, minutes
const std::span<const int> ExportedFields[TFiche::KindCount] = {
    CustomerFields, {}, ArticleFields, MachineFields, TicketFields,
};

void Importe(TFiche& f, const QString& path, QChar separator)
{
    // On the other pages the file is left alone: only customers are imported.
    if (f.PageControl1->currentWidget() != f.TabSheet1)
        return;
    exchange::Imported done;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        QByteArray file;
        if (!textfile::LoadBytesFromFile(path, file)) {
            restore.dismiss();
            QApplication::restoreOverrideCursor();
            platform::MessageDlg(QStringLiteral("Impossible de lire %1.").arg(QFileInfo(path).fileName()),
                                 platform::mtError, platform::mbOK);
            return;
        }
        // What the card shows is in its block before new blocks come.
        f.EcritFiche();
        // A blank new card has a number but no block: the first imported customer takes that
        // number. A real customer's number is never given again.
        while (f.NbClients > 0 && f.ListeClients.FindBlock(f.NbClients - 1) < 0)
            --f.NbClients;
        f.Numerom();
        done = exchange::ImportCustomers(f.ListeClients, file, separator, f.NbClients, f.ProchainClient);
        if (done.blocks > 0)
            f.IndexClient = f.NbClients - 1;
        // The card shows the block it now stands for, and is no longer modified: nothing written
        // back later can cover an imported customer with the card shown before.
        f.LitFiche();
    }
    if (done.truncated)
        platform::ShowMessage(QStringLiteral("Trop de lignes, le fichier a été tronqué"));
}

void Exporte(TFiche& f, const QString& path, QChar separator)
{
    TFiche::Kind k;
    QByteArray bytes;
    if (f.CurrentKind(k) && !ExportedFields[k].empty())
        bytes = exchange::ExportFile(f.ListOf(k), ExportedFields[k], separator);
    textfile::FileSet file;
    file.add(path, bytes);
    QString why;
    if (!file.commit(&why))
        platform::MessageDlg(QStringLiteral("Impossible d'enregistrer %1.\n%2").arg(QFileInfo(path).fileName(), why),
                             platform::mtError, platform::mbOK);
}

}  // namespace

void TFiche::Importer()
{
    EcritFiche();
    const QString path = platform::Dialogs().openFile(ImportFilter);
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        platform::ShowMessage(QStringLiteral("Le ficher ") + path + QStringLiteral("n'existe pas"));
        return;
    }
    // Both tests run: a name that holds both extensions is imported twice.
    const QString lower = rtl::LowerCase(path);
    if (lower.contains(QLatin1String(".txt")))
        ImportTxt(path);
    if (lower.contains(QLatin1String(".csv")))
        ImportCsv(path);
    Dernier();
    DoitSauver = true;
}

void TFiche::ImportTxt(const QString& FileName)
{
    Importe(*this, FileName, Tab);
}
void TFiche::ImportCsv(const QString& FileName)
{
    Importe(*this, FileName, Semicolon);
}

void TFiche::Exporter()
{
    // Only the customer card is written back: the other kinds export their blocks as last written.
    EcritFiche();
    int type = 0;
    QString path = platform::Dialogs().saveFileOfType(ExportFilter, QStringLiteral("Export"), type);
    if (path.isEmpty())
        return;
    // The extension is looked for as written: "EXPORT.CSV" saved as CSV becomes "EXPORT.CSV.csv".
    const bool csv = type == 1;
    const QLatin1String extension = csv ? QLatin1String(".csv") : QLatin1String(".txt");
    if (!path.contains(extension))
        path += extension;
    csv ? ExportCsv(path) : ExportTxt(path);
}

void TFiche::ExportTxt(const QString& FileName)
{
    Exporte(*this, FileName, Tab);
}
void TFiche::ExportCsv(const QString& FileName)
{
    Exporte(*this, FileName, Semicolon);
}
