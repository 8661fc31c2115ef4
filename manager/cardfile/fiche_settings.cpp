// The card file's settings: "Velmora.ini" (28 values, one a line, no names), "Velmora.soc" (the
// eight company lines) and "Velmora.cbx" (the three pick lists), all in the working folder, and
// the millimetre-to-printer-pixel conversions of the print layouts.
//
// A settings file that is missing or cannot be read leaves the values in memory as they are; one
// that cannot be written is skipped without a word (the values stay in memory). Neither deserves
// a message box at start or at close.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>
#include <QRegularExpression>
#include <cmath>
#include <iterator>
#include <variant>
#include "manager/cardfile/fiche.h"
#include "manager/shell/dialogkit.h"
#include "platform/printer.h"
#include "platform/textfile.h"

namespace {

const QString FichierParametres = QStringLiteral("Velmora.ini");
const QString FichierSociete = QStringLiteral("Velmora.soc");
const QString FichierListes = QStringLiteral("Velmora.Cbx");

const QString SectionArticle = QStringLiteral("[ARTICLE]");
const QString SectionFournisseur = QStringLiteral("[FOURNISSEUR]");
const QString SectionFacture = QStringLiteral("[FACTURE]");

// The values of "Velmora.ini" in their order. Line 1 is read into DernierFichier but written from
// the path handed to SauveIni.
using Parametre = std::variant<QString TFiche::*, int TFiche::*, double TFiche::*>;
const Parametre Parametres[] = {
    &TFiche::DernierFichier,     &TFiche::OuvrirAuto,      &TFiche::TypePapier,
    &TFiche::OrientationEnveloppe, &TFiche::DecalageEnveloppe, &TFiche::ModeSelection,
    &TFiche::TauxTVA1,           &TFiche::TauxTVA2,        &TFiche::TauxTVA3,
    &TFiche::Decimales,          &TFiche::TarifQuartHeure, &TFiche::TarifDemiHeure,
    &TFiche::TarifTroisQuarts,   &TFiche::TarifHeure,      &TFiche::TarifQuartSup,
    &TFiche::TarifHeureAbo,      &TFiche::SensConversion,  &TFiche::DeviseChoisie,
    &TFiche::TauxFranc,          &TFiche::TauxDollar,      &TFiche::TauxLivre,
    &TFiche::TauxYen,            &TFiche::TauxDollarCanadien, &TFiche::CodeBouton1,
    &TFiche::CodeBouton2,        &TFiche::CodeBouton3,     &TFiche::HeuresAbonnement,
    &TFiche::DemarrageAuto,
};
static_assert(std::size(Parametres) == 28);

// Reads the settings file the way it has always been read, so that files written by hand or by
// older versions give the same values: a text value runs to the CR that ends its line (a lone LF
// does not end it) and the reader then passes that CR LF; a number first skips blanks and control
// characters (so empty lines in front of it are passed over), runs to the next such character,
// and the rest of its line is passed. At the end of the file every read gives an empty text.
class LecteurParametres {
public:
    explicit LecteurParametres(QString texte) : t_(std::move(texte)) {}

    QString Texte()
    {
        const qsizetype debut = p_;
        while (p_ < t_.size() && t_[p_] != u'\r')
            ++p_;
        const QString valeur = t_.mid(debut, p_ - debut);
        FinDeLigne();
        return valeur;
    }

    QString Nombre(qsizetype longueurMax)
    {
        while (p_ < t_.size() && t_[p_] <= u' ')
            ++p_;
        const qsizetype debut = p_;
        while (p_ < t_.size() && t_[p_] > u' ' && p_ - debut < longueurMax)
            ++p_;
        const QString valeur = t_.mid(debut, p_ - debut);
        FinDeLigne();
        return valeur;
    }

private:
    void FinDeLigne()
    {
        while (p_ < t_.size() && t_[p_] != u'\r')
            ++p_;
        if (p_ < t_.size())
            ++p_;
        if (p_ < t_.size() && t_[p_] == u'\n')
            ++p_;
    }

    QString t_;
    qsizetype p_ = 0;
};

// A damaged number reads as the value of its leading digits (0 without any): one bad line must
// not cost the values after it.
const QRegularExpression ChiffresEnTete(QStringLiteral("^[+-]?[0-9]+"));

int LitEntier(const QString& texte)
{
    bool ok = false;
    const int valeur = texte.toInt(&ok);
    if (ok)
        return valeur;
    const int enTete = ChiffresEnTete.match(texte).captured().toInt(&ok);
    return ok ? enTete : 0;
}

double LitReel(const QString& texte)
{
    static const QRegularExpression reel(
        QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    bool ok = false;
    if (reel.match(texte).hasMatch()) {
        const double valeur = QLocale::c().toDouble(texte, &ok);
        if (ok)
            return valeur;
    }
    const double enTete = QLocale::c().toDouble(ChiffresEnTete.match(texte).captured(), &ok);
    return ok ? enTete : 0;
}

// The 23-character scientific form: a blank or '-', one digit, '.', 14 digits, 'E', the
// exponent's sign and 4 digits. The point is '.', whatever the program's decimal separator.
QString TexteReel(double valeur)
{
    if (!std::isfinite(valeur))
        valeur = 0;  // nothing in the program makes one; a file must still read back
    const QString forme = QString::number(valeur, 'E', 14);  // "1.96000000000000E+01"
    const qsizetype e = forme.indexOf(u'E');
    const QString mantisse = forme.left(e);
    const int exposant = forme.mid(e + 1).toInt();
    return (mantisse.startsWith(u'-') ? mantisse : u' ' + mantisse) + u'E' + (exposant < 0 ? u'-' : u'+')
           + QStringLiteral("%1").arg(std::abs(exposant), 4, 10, QLatin1Char('0'));
}

// "Velmora.cbx" is written under the name "Velmora.Cbx" and read under "Velmora.cbx": on a file
// system that tells case apart both names must still reach one file, so a file of that name in
// any case is the one used, and "Velmora.Cbx" only when there is none.
QString CheminListes()
{
    if (QFileInfo(FichierListes).isFile())
        return FichierListes;
    const QStringList trouves = QDir::current().entryList({FichierListes}, QDir::Files, QDir::Name);
    return trouves.isEmpty() ? FichierListes : trouves.first();
}

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

TFiche::GeometrieImprimante GeometrieDuPrinter()
{
    QPrinter& printer = platform::Printer();
    const QPageLayout page = printer.pageLayout();
    const QRect pixels = page.paintRectPixels(printer.resolution());
    const QRectF mm = page.paintRect(QPageLayout::Millimeter);
    return {pixels.width(), pixels.height(), qRound(mm.width()), qRound(mm.height())};
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
    QFile fichier(FichierParametres);
    if (!fichier.open(QIODevice::ReadOnly))
        return;
    LecteurParametres lecteur(textfile::DecodeCp1252(fichier.readAll()));
    for (const Parametre& parametre : Parametres) {
        if (auto texte = std::get_if<QString TFiche::*>(&parametre))
            this->**texte = lecteur.Texte();
        else if (auto entier = std::get_if<int TFiche::*>(&parametre))
            this->**entier = LitEntier(lecteur.Nombre(32));
        else
            this->*std::get<double TFiche::*>(parametre) = LitReel(lecteur.Nombre(64));
    }

    // The last set is opened at start only when asked for; a set whose folder has moved is looked
    // for by its file name in the working folder.
    if (OuvrirAuto != 1)
        DernierFichier.clear();
    if (!DernierFichier.isEmpty() && !QFileInfo(DernierFichier).isFile()) {
        const QString nom = QFileInfo(DernierFichier).fileName();
        DernierFichier = !nom.isEmpty() && QFileInfo(nom).isFile() ? QDir::current().absoluteFilePath(nom)
                                                                  : QString();
    }
}

void TFiche::SauveIni(const QString& path)
{
    QStringList lignes;
    for (const Parametre& parametre : Parametres) {
        if (auto texte = std::get_if<QString TFiche::*>(&parametre))
            lignes << (*texte == &TFiche::DernierFichier ? path : this->**texte);
        else if (auto entier = std::get_if<int TFiche::*>(&parametre))
            lignes << QString::number(this->**entier);
        else
            lignes << TexteReel(this->*std::get<double TFiche::*>(parametre));
    }
    textfile::SaveToFile(FichierParametres, lignes);
}

void TFiche::ChargeSoc()
{
    QStringList lignes;
    if (!textfile::LoadFromFile(FichierSociete, lignes))
        return;
    // A shorter file leaves the lines it lacks as they were; lines past the eighth are not ours.
    for (qsizetype n = 0; n < std::min<qsizetype>(lignes.size(), std::size(LignesSociete)); ++n)
        LignesSociete[n] = lignes[n];
}

void TFiche::SauveSoc()
{
    textfile::SaveToFile(FichierSociete, QStringList(std::begin(LignesSociete), std::end(LignesSociete)));
}

void TFiche::ChargeCombo()
{
    QStringList lignes;
    if (!textfile::LoadFromFile(CheminListes(), lignes))
        return;
    QStringList familles, fournisseurs, modes;
    QStringList* courante = nullptr;  // lines before the first section belong to no list
    for (const QString& ligne : lignes) {
        if (ligne == SectionArticle)
            courante = &familles;
        else if (ligne == SectionFournisseur)
            courante = &fournisseurs;
        else if (ligne == SectionFacture)
            courante = &modes;
        else if (courante)
            courante->append(ligne);
    }
    ReplaceItems(ComboBox9, familles);
    ReplaceItems(ComboBox10, fournisseurs);
    ReplaceItems(ComboBox3, modes);
}

void TFiche::SauveCombo()
{
    const QStringList lignes = QStringList{SectionArticle} + Items(ComboBox9) + QStringList{SectionFournisseur}
                               + Items(ComboBox10) + QStringList{SectionFacture} + Items(ComboBox3);
    textfile::SaveToFile(CheminListes(), lignes);
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
