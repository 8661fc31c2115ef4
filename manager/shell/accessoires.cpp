#include "manager/shell/accessoires.h"

#include "manager/shell/about.h"
#include "manager/shell/blocnotes.h"
#include "manager/shell/calendrier.h"
#include "manager/shell/departmnt.h"
#include "manager/shell/horloge.h"
#include "manager/shell/pocket.h"
#include "platform/dialogs.h"

namespace accessoires {

namespace {

template <class Window>
void Show(QWidget* owner)
{
    Window window(owner);
    platform::Dialogs().exec(&window);
}

}  // namespace

void Calendrier(QWidget* owner)
{
    Show<TCalendrier>(owner);
}

void Calculatrice(QWidget* owner)
{
    Show<TPocket>(owner);
}

void Horloge(QWidget* owner)
{
    Show<THorloge>(owner);
}

void Departements(QWidget* owner)
{
    Show<TDepartmnt>(owner);
}

void APropos(QWidget* owner)
{
    Show<TAboutBox>(owner);
}

void BlocNotes(QWidget* owner, const QString& appFolder)
{
    const QString path = TBlocnotes::FichierNotes(appFolder);
    TBlocnotes window(owner);
    if (!window.Charge(path))
        return;
    platform::Dialogs().exec(&window);
    window.Sauve(path);
}

}  // namespace accessoires
