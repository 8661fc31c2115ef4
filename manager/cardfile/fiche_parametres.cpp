// The card file's parameter dialogs: page setup, company data, tariffs, invoice parameters and
// the pick lists of article families and suppliers. The values live in the card file, each group
// a value it inherits (manager/cardfile/core/settings.h); each dialog gets its group, and gives it
// back only as it allows.
#include <QComboBox>
#include "manager/cardfile/fiche.h"
#include "manager/shell/combo.h"
#include "manager/shell/mpage.h"
#include "manager/shell/paramf.h"
#include "manager/shell/societe.h"
#include "manager/shell/tarifs.h"
#include "platform/dialogs.h"

namespace {

// The pick-list editor on one of the card's lists. It has no cancel: the edit always applies.
void EditPickList(QWidget* owner, QComboBox* list, const QString& caption, const QString& label)
{
    TCombo dialog(owner);
    dialog.setWindowTitle(caption);
    dialog.Label1->setText(label);
    dialog.Init(list);
    platform::Dialogs().exec(&dialog);
    dialog.Result(list);
}

}  // namespace

void TFiche::ParM()
{
    TMPage dialog(this);
    dialog.Init(*this);
    platform::Dialogs().exec(&dialog);
    dialog.Result(*this);
}

void TFiche::Psoc()
{
    TSociete dialog(this);
    dialog.Init(*this);
    platform::Dialogs().exec(&dialog);
    settings::CompanyLines lines = *this;
    dialog.Result(lines);
    // A company without a name is no answer: OK on an empty "Société" changes nothing either.
    if (lines.LignesSociete[0].isEmpty())
        return;
    static_cast<settings::CompanyLines&>(*this) = lines;
}

void TFiche::Tarification()
{
    TTarifs dialog(this);
    dialog.Init(*this);
    platform::Dialogs().exec(&dialog);
    dialog.Result(*this);
    // The subscription grid takes its rows from the hours when the card is read. The card is
    // written back first, so what was typed on it and not yet stored is not lost.
    EcritFiche();
    LitFiche();
}

void TFiche::ParF()
{
    TParamf dialog(this);
    dialog.Init(*this, ComboBox3);
    platform::Dialogs().exec(&dialog);
    dialog.Result(*this, ComboBox3);

    // Whatever the dialog's outcome, the amount format and the currency captions follow the
    // values now held.
    switch (Decimales) {
    case 0: FormatMontant = QStringLiteral("#"); break;
    case 1: FormatMontant = QStringLiteral("0.0"); break;
    case 2: FormatMontant = QStringLiteral("0.00"); break;
    default: break;
    }
    switch (ModeDevise) {
    case 0:
        Label26->setText(QStringLiteral("Euros"));
        Label27->setText(QStringLiteral("Francs"));
        break;
    case 1:
        Label26->setText(NomDevise);
        Label27->clear();
        break;
    default: break;
    }
}

void TFiche::FamArt()
{
    EditPickList(this, ComboBox9, QStringLiteral("Les familles d'articles"), QStringLiteral("Famille"));
}

void TFiche::Fournisseurs()
{
    EditPickList(this, ComboBox10, QStringLiteral("Les fournisseurs"), QStringLiteral("Fournisseur"));
}
