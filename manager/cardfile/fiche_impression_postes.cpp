// Printing of the machines and cash tickets: the machine card, the machine list and the ticket
// card. The cards print what the card shows; the list prints the stored machine blocks.
#include <QCheckBox>
#include "manager/cardfile/fiche.h"
#include "manager/cardfile/impression.h"
#include "platform/widgets/maskedit.h"

namespace {

using platform::Orientation;

QString Coche(const QCheckBox* box)
{
    return box->isChecked() ? QStringLiteral("[X] ") : QStringLiteral("[ ] ");
}

struct Champ {
    const char* label;
    int x, y;
    QString value;
    int vx, vy;
};

void Champs(TravailImpression& job, std::initializer_list<Champ> fields)
{
    for (const Champ& f : fields) {
        job.Texte(f.x, f.y, QString::fromUtf8(f.label));
        job.Texte(f.vx, f.vy, f.value);
    }
}

}  // namespace

void TFiche::ImpFiche4()
{
    TravailImpression job(*this, Orientation::Portrait);
    if (!job.Commence())
        return;
    // The computer name stands on the line below its label.
    Champs(job, {{"Numéro machine", 5, 5, Edit16->text(), 35, 5},
                 {"Nom machine", 55, 5, Edit17->text(), 75, 10},
                 {"Type machine", 5, 10, Edit18->text(), 35, 10},
                 {"Taille disque", 5, 15, Edit19->text(), 35, 15},
                 {"Ram", 5, 20, Edit27->text(), 35, 20},
                 {"OS", 5, 25, ComboBox1->currentText(), 35, 25},
                 {"Adresse IP", 5, 30, Edit29->text(), 35, 30}});
    job.Texte(35, 35, Coche(CheckBox4) + QStringLiteral("Hors service"));
    // The settings' printed texts, as the printout has always had them ("Atl", and two blanks
    // before "client" when the box is not ticked).
    const struct {
        QCheckBox* box;
        const char* text;
    } settings[] = {
        {CheckBox5, "Cacher la barre des tâches"},
        {CheckBox6, "Cacher les icônes du bureau"},
        {CheckBox7, "Empêcher la fermeture du programme client"},
        {CheckBox8, nullptr},
        {CheckBox9, "Empêcher Atl+Ctrl+Del (Win95/98/Me)"},
        {CheckBox10, "Autoriser Internet Explorer"},
        {CheckBox11, "Autoriser Outlook"},
        {CheckBox12, "Autoriser Yahoo"},
        {CheckBox13, "Autoriser Word"},
        {CheckBox14, "Autoriser Aol"},
    };
    int y = 5;
    for (const auto& s : settings) {
        QString text = QString::fromUtf8(s.text);
        if (!s.text)
            text = s.box->isChecked() ? QStringLiteral("Démarrer automatiquement le poste client")
                                      : QStringLiteral("Démarrer automatiquement le poste  client");
        job.Texte(110, y, Coche(s.box) + text);
        y += 5;
    }
    job.Grille(StringGrid3, 60, {5, 35, 60});
    job.Memo(Memo3, 120, 60);
}

void TFiche::EnTete4(TravailImpression& job)
{
    job.EnTeteListe({{5, "Numéro"}, {20, "Nom"}, {60, "Type"}, {100, "Disque"}, {120, "Ram"}, {140, "OS"},
                     {180, "Adr IP"}});
}

void TFiche::ImpPostes()
{
    ImprimeListe(ListePostes, NbPostes, &TFiche::EnTete4,
                 {{5, 1}, {20, 2}, {60, 3}, {100, 4}, {120, 5}, {140, 6}, {180, 7}});
}

void TFiche::ImpFiche5()
{
    TravailImpression job(*this, Orientation::Portrait);
    if (!job.Commence())
        return;
    // The customer code stands on the line below its label; amounts print as shown, with the
    // blanks that right-justify them.
    Champs(job, {{"Numéro ticket", 5, 5, Edit28->text(), 35, 5},
                 {"Code client", 55, 5, Edit32->text(), 75, 10},
                 {"Nom client", 5, 10, Edit33->text(), 35, 10},
                 {"Code machine", 5, 15, Edit34->text(), 35, 15},
                 {"Nom machine", 5, 20, Edit35->text(), 35, 20},
                 {"Date début", 5, 25, MaskEdit4->Text(), 35, 25},
                 {"Heure début", 60, 25, MaskEdit5->Text(), 90, 25},
                 {"Date fin", 5, 30, MaskEdit6->Text(), 35, 30},
                 {"Heure fin", 60, 30, MaskEdit7->Text(), 90, 30},
                 {"Temps", 5, 35, Edit36->text(), 35, 35},
                 {"Prix", 5, 40, Edit37->text(), 35, 40},
                 {"Réglé", 5, 45, Edit42->text(), 35, 45},
                 {"solde", 5, 50, Edit43->text(), 35, 50}});
    job.Texte(60, 50, Coche(CheckBox3) + QStringLiteral("Ticket payé"));
    job.Grille(StringGrid5, 10, {110, 140, 150, 175});
    job.Memo(Memo4, 120, 60);
}
