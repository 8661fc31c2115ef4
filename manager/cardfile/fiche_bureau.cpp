// The desk tools that live on the card file's data: the phone-message cards, kept beside the
// open saved set, and the currency converter, whose rates are settings of the card file.
#include "manager/cardfile/fiche.h"
#include "manager/shell/devise.h"
#include "manager/shell/fichemsg.h"
#include "platform/dialogs.h"

void TFiche::Messages()
{
    TFicheMsg window(this);
    // A message file that cannot be read is not shown as an empty stack: closing it would write
    // the empty stack over the file.
    if (!window.Charge(CheminFichier))
        return;
    platform::Dialogs().exec(&window);
    window.Sauve(CheminFichier);
}

void TFiche::Devises()
{
    TDevisef window(this);
    window.SetIni(SensConversion, DeviseChoisie, TauxFranc, TauxDollar, TauxLivre, TauxYen, TauxDollarCanadien);
    platform::Dialogs().exec(&window);
    // However the window was closed: the rates it holds (defaults for those below 0.1) and the
    // operator's choices.
    window.GetIni(TauxFranc, TauxDollar, TauxLivre, TauxYen, TauxDollarCanadien, SensConversion, DeviseChoisie);
}
