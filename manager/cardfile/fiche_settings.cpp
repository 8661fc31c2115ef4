// The card file's settings: "Velmora.ini", "Velmora.soc" and "Velmora.cbx" in the working folder
// (read and written by the core, manager/cardfile/core/settings.h), the pick lists shown in the
// cards' combo boxes, and the millimetre-to-printer-pixel conversions of the print layouts.
//
// A settings file that is missing or cannot be read leaves the values in memory as they are; one
// that cannot be written is skipped without a word (the values stay in memory). Neither deserves
// a message box at start or at close.
#include <QComboBox>
#include <QDir>
#include "manager/cardfile/fiche.h"
#include "manager/shell/dialogkit.h"
#include "platform/print/canvas.h"

namespace {

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

std::function<TFiche::GeometrieImprimante()>& SourceGeometrie()
{
    static std::function<TFiche::GeometrieImprimante()> source;
    return source;
}

// The page of the canvas the printouts draw on, turned as the job in hand has set it.
TFiche::GeometrieImprimante GeometrieDuPrinter()
{
    const platform::Canvas& canvas = platform::PrinterCanvas();
    return {canvas.PageWidth(), canvas.PageHeight(), canvas.HorzSize(), canvas.VertSize()};
}

// Whole pixels per whole millimetre, truncated before any multiplication (a 600-dpi page of 4960
// pixels over 210 millimetres gives 23). A printer that reports no size gives 0, not a crash.
int PixelsParMm(int pixels, int mm)
{
    return mm > 0 ? pixels / mm : 0;
}

TFiche::GeometrieImprimante Geometrie()
{
    return SourceGeometrie() ? SourceGeometrie()() : GeometrieDuPrinter();
}

}  // namespace

void TFiche::ChargeIni()
{
    if (!settings::LoadIni(settings::IniFile, *this))
        return;
    // The last set is opened at start only when asked for, and looked for in the working folder
    // when its own has moved.
    DernierFichier = settings::SetToOpen(DernierFichier, OuvrirAuto == 1, QDir::current());
}

void TFiche::SauveIni(const QString& path)
{
    settings::SaveIni(settings::IniFile, *this, path);
}

void TFiche::ChargeSoc()
{
    settings::LoadCompany(settings::CompanyFile, *this);
}

void TFiche::SauveSoc()
{
    settings::SaveCompany(settings::CompanyFile, *this);
}

void TFiche::ChargeCombo()
{
    settings::PickLists lists;
    if (!settings::LoadPickLists(settings::PickListPath(QDir::current()), lists))
        return;
    ReplaceItems(ComboBox9, lists.Familles);
    ReplaceItems(ComboBox10, lists.Fournisseurs);
    ReplaceItems(ComboBox3, lists.ModesPaiement);
}

void TFiche::SauveCombo()
{
    settings::SavePickLists(settings::PickListPath(QDir::current()),
                            {Items(ComboBox9), Items(ComboBox10), Items(ComboBox3)});
}

void TFiche::GetIni(bool& openAuto, QString& path, int& mode)
{
    openAuto = OuvrirAuto == 1;
    path = DernierFichier;
    mode = ModeSelection;
}

void TFiche::SetIni(bool openAuto)
{
    OuvrirAuto = openAuto ? 1 : 0;
}

void TFiche::SetGeometrieImprimante(std::function<GeometrieImprimante()> source)
{
    SourceGeometrie() = std::move(source);
}

int TFiche::Mh(int mm)
{
    const GeometrieImprimante g = Geometrie();
    return mm * PixelsParMm(g.LargeurPixels, g.LargeurMm);
}

int TFiche::Mv(int mm)
{
    // Every vertical position lies 3 millimetres lower than asked: the print layouts rely on it.
    const GeometrieImprimante g = Geometrie();
    return (mm + 3) * PixelsParMm(g.HauteurPixels, g.HauteurMm);
}
