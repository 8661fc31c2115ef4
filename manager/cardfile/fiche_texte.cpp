// The letter editor as the card file opens it: headed by the company's name and address.
#include "manager/cardfile/fiche.h"
#include "manager/shell/texte.h"
#include "platform/dialogs.h"

void TFiche::TrTexte()
{
    TTexte editor(this);
    editor.Setsoc(LignesSociete[0], LignesSociete[1], LignesSociete[2], LignesSociete[3]);
    platform::Dialogs().exec(&editor);
}
