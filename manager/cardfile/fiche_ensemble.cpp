// The saved set: the customer file the user names and four sibling files beside it, one per other
// record kind, each the plain text of one record list (CR LF lines, Windows-1252, no header).
//
// A set is written all or nothing: the five files go to temporary files beside their targets and
// replace them only once every one was written, so a full disk or a read-only folder never leaves
// a set with some files new and some old.
#include <QFileInfo>
#include <vector>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include "manager/cardfile/core/savedset.h"
#include "manager/cardfile/fiche.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"

namespace {

// The files of a set in the order they are written (customers, articles, invoices, machines,
// tickets), which is also the order the cards are flushed in and the siblings loaded in. A
// sibling's path is the main file's with its last three characters replaced by its extension.
struct FichierDuJeu {
    TFiche::Kind kind;
    QString TFiche::*chemin;
    QLatin1String extension;  // empty for the main file
};
const FichierDuJeu Fichiers[] = {
    {TFiche::KClient, &TFiche::CheminFichier, QLatin1String()},
    {TFiche::KArticle, &TFiche::CheminArticles, QLatin1String("stk")},
    {TFiche::KFacture, &TFiche::CheminFactures, QLatin1String("fct")},
    {TFiche::KPoste, &TFiche::CheminPostes, QLatin1String("pst")},
    {TFiche::KTicket, &TFiche::CheminTickets, QLatin1String("cai")},
};

const FichierDuJeu& FichierDe(TFiche::Kind k)
{
    for (const FichierDuJeu& f : Fichiers)
        if (f.kind == k)
            return f;
    Q_UNREACHABLE();
}

QString CheminDans(const QString& principal, const FichierDuJeu& f)
{
    return f.extension.isEmpty() ? principal : savedset::SiblingPath(principal, f.extension);
}

// Puts one kind's lines into its list and checks them. A file missing from the set gives an empty
// list: keeping the previous set's records would save them under the new set's names.
void PoseListe(TFiche& fiche, TFiche::Kind k, RecordList&& lignes)
{
    const TFiche::RecordKind& kind = TFiche::KindOf(k);
    RecordList& liste = fiche.*kind.list;
    liste = std::move(lignes);
    fiche.*kind.count = liste.StartLineCount();
    fiche.*kind.index = 0;
    fiche.CheckLoaded(k);
    fiche.*kind.modified = false;
}

// The lines of a file of the set, straight from its bytes; a file that is not there has none.
// False when the file is there but cannot be read: loading it as an empty list would have the
// next save replace it.
bool LitFichier(const QString& chemin, RecordList& lignes)
{
    lignes.Clear();
    if (!QFileInfo::exists(chemin))
        return true;
    QByteArray octets;
    if (!textfile::LoadBytesFromFile(chemin, octets))
        return false;
    lignes.AssignFileBytes(octets);
    return true;
}

// Gives the pages of the heap's free blocks back to the system. Reading a set leaves megabytes of
// them: once the first large file's buffer is freed, the allocator takes the next ones from its
// heap instead of mapping them apart, and keeps what they leave.
void ReleaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void ChargeListe(TFiche& fiche, TFiche::Kind k)
{
    RecordList lignes(fiche.ListOf(k).Width());
    LitFichier(fiche.*FichierDe(k).chemin, lignes);
    PoseListe(fiche, k, std::move(lignes));
}

}  // namespace

void TFiche::Synchro()
{
    for (const FichierDuJeu& f : Fichiers)
        if (!f.extension.isEmpty())
            this->*f.chemin = savedset::SiblingPath(CheminFichier, f.extension);
}

void TFiche::ChargeArt()
{
    ChargeListe(*this, KArticle);
}

void TFiche::ChargeFact()
{
    ChargeListe(*this, KFacture);
}

void TFiche::ChargePoste()
{
    ChargeListe(*this, KPoste);
}

void TFiche::ChargeCaisse()
{
    ChargeListe(*this, KTicket);
}

bool TFiche::Charge(const QString& path)
{
    const QString principal = QFileInfo(path).isFile() ? path : QString();
    // Every file is read before anything changes: a file of the set that cannot be read leaves the
    // set that was open as it was.
    std::vector<RecordList> lignes;
    for (const FichierDuJeu& f : Fichiers)
        lignes.emplace_back(ListOf(f.kind).Width());
    for (std::size_t i = 0; i < std::size(Fichiers); ++i) {
        const QString chemin = CheminDans(principal, Fichiers[i]);
        if (!LitFichier(chemin, lignes[i])) {
            platform::MessageDlg(QStringLiteral("Impossible de lire %1.\nLe dossier n'a pas été ouvert.")
                                     .arg(QFileInfo(chemin).fileName()),
                                 platform::mtError, platform::mbOK);
            return false;
        }
        // A customer file that holds lines but not one block is no set (another program's file
        // under a ".vtr" name): opened, it would show as an empty set that the next save writes
        // over it. An empty file is an empty set.
        if (i == 0 && !lignes[0].IsEmpty() && !savedset::ListHoldsABlock(lignes[0])) {
            platform::ShowMessage(QStringLiteral("Type de fichier non valide"));
            return false;
        }
    }

    CheminFichier = principal;
    Synchro();
    setWindowTitle(QFileInfo(CheminFichier).fileName());
    // DoitSauver is cleared before the checks: it ends set only when one of them rebuilt a list.
    DoitSauver = false;
    for (std::size_t i = 0; i < std::size(Fichiers); ++i)
        PoseListe(*this, Fichiers[i].kind, std::move(lignes[i]));

    IndexClient = 0;
    LitFiche();
    ModifClient = false;
    Premier();
    PostesChanges();
    lignes.clear();
    ReleaseFreedMemory();
    return true;
}

bool TFiche::Sauve(const QString& path)
{
    bool modifie = false;
    TestModif(modifie);
    if (!modifie)
        return true;

    textfile::FileSet jeu;
    for (const FichierDuJeu& f : Fichiers) {
        TrimForSave(f.kind);
        jeu.add(CheminDans(path, f), ListOf(f.kind).ToFileBytes());
    }
    QString raison;
    if (!jeu.commit(&raison)) {
        // Nothing on disk changed: the set stays to be saved, under the name it had.
        platform::MessageDlg(QStringLiteral("Impossible d'enregistrer %1.\n%2\n"
                                            "Les fichiers déjà enregistrés n'ont pas été modifiés.")
                                 .arg(QFileInfo(path).fileName(), raison),
                             platform::mtError, platform::mbOK);
        return false;
    }

    CheminFichier = path;
    Synchro();
    DoitSauver = false;
    // What the cards show is now on disk: closing right after a save has nothing to ask.
    for (const FichierDuJeu& f : Fichiers)
        this->*KindOf(f.kind).modified = false;
    setWindowTitle(QFileInfo(CheminFichier).fileName());
    return true;
}

void TFiche::SetSauve()
{
    DoitSauver = true;
}

void TFiche::TestModif(bool& modified)
{
    for (const FichierDuJeu& f : Fichiers)
        (this->*KindOf(f.kind).writer)();
    modified = DoitSauver;
}

void TFiche::Nouveau()
{
    for (const FichierDuJeu& f : Fichiers) {
        const RecordKind& kind = KindOf(f.kind);
        (this->*kind.list).Clear();
        this->*kind.count = 0;
        this->*kind.index = 0;
        this->*kind.modified = false;
        (this->*f.chemin).clear();
    }
    DoitSauver = false;
    setWindowTitle(QString());
    PostesChanges();
    Clients();
}
