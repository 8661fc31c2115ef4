#pragma once
// The card file's settings as values, and the readers and writers of their three files in the
// working folder: "Velmora.ini" (28 values, one a line, no names), "Velmora.soc" (the eight
// company lines) and "Velmora.cbx" (the three pick lists).
//
// The groups below are what one dialog edits: it takes its group in Init and hands it back from
// Result. The card file inherits them, so its operations name each value as they always have
// (TarifHeure, LignesSociete...) and hand a whole group to its dialog.
#include <QString>
#include <QStringList>

class QDir;

namespace settings {

// Page setup (TMPage).
struct PageSetup {
    int TypePapier = 0;             // 0 "Papier blanc", 1 "Papier à en-tête"
    int OrientationEnveloppe = 0;   // 0 portrait, 1 landscape
    int DecalageEnveloppe = 0;      // 100 when the envelope guide is on the right, else 0
};

// The tariff table (TTarifs): the price of a session by quarter hours, and the subscription.
struct Tariffs {
    double TarifQuartHeure = 0, TarifDemiHeure = 0, TarifTroisQuarts = 0, TarifHeure = 0, TarifQuartSup = 0,
           TarifHeureAbo = 0;
    int HeuresAbonnement = 5;
};

// Invoice parameters (TParamf). The payment modes are a pick list (PickLists).
struct InvoiceSettings {
    double TauxTVA1 = 0, TauxTVA2 = 0, TauxTVA3 = 0;
    int Decimales = 0;
    // The invoice currency: 0 euros, 1 the currency named NomDevise. Not kept in a file.
    int ModeDevise = 0;
    QString NomDevise;
};

// The company heading (TSociete edits the first seven lines).
struct CompanyLines {
    QString LignesSociete[8];
};

// Everything "Velmora.ini" holds.
struct IniValues : PageSetup, Tariffs, InvoiceSettings {
    QString DernierFichier;   // line 1: the last set
    int OuvrirAuto = 0;
    int ModeSelection = 0;
    int SensConversion = 0, DeviseChoisie = 0;
    double TauxFranc = 0, TauxDollar = 0, TauxLivre = 0, TauxYen = 0, TauxDollarCanadien = 0;
    QString CodeBouton1, CodeBouton2, CodeBouton3;
    int DemarrageAuto = 0;
};

// The article families, the suppliers and the payment modes.
struct PickLists {
    QStringList Familles, Fournisseurs, ModesPaiement;
};

extern const QString IniFile;       // "Velmora.ini"
extern const QString CompanyFile;   // "Velmora.soc"

// ---- "Velmora.ini" ----------------------------------------------------------------------------
// Every value in its order from the file's text; past the end of the file a text reads empty
// and a number 0. A damaged number reads as the value of its leading digits.
void ReadIni(const QString& text, IniValues& values);
// The file's 28 lines; line 1 is `lastSet`, not DernierFichier.
QStringList IniLines(const IniValues& values, const QString& lastSet);
// The set to open at start: none unless asked for; a set whose folder has moved is looked for by
// its file name in `folder`, and none when it is not there either.
QString SetToOpen(const QString& lastSet, bool openAuto, const QDir& folder);
// False when the file is missing or cannot be read: the values stay as they are.
bool LoadIni(const QString& path, IniValues& values);
bool SaveIni(const QString& path, const IniValues& values, const QString& lastSet);

// ---- "Velmora.soc" ----------------------------------------------------------------------------
// A shorter file leaves the lines it lacks as they were; lines past the eighth are not ours.
void ReadCompany(const QStringList& lines, CompanyLines& company);
bool LoadCompany(const QString& path, CompanyLines& company);
bool SaveCompany(const QString& path, const CompanyLines& company);

// ---- "Velmora.cbx" ----------------------------------------------------------------------------
// Three sections, "[ARTICLE]", "[FOURNISSEUR]" and "[FACTURE]", each followed by its items;
// lines before the first section belong to no list.
PickLists ReadPickLists(const QStringList& lines);
QStringList PickListLines(const PickLists& lists);
// The file is written as "Velmora.Cbx" and read as "Velmora.cbx": where case matters, a file of
// that name in any case is the one used, and "Velmora.Cbx" only when there is none.
QString PickListPath(const QDir& folder);
bool LoadPickLists(const QString& path, PickLists& lists);
bool SavePickLists(const QString& path, const PickLists& lists);

}  // namespace settings
