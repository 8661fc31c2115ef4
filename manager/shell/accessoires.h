#pragma once
// The desk accessories that the main window opens itself: each is created with the main window
// as owner, shown modally and freed. None of them touches the card file.
#include <QString>

class QWidget;

namespace accessoires {

void Calendrier(QWidget* owner);
void Calculatrice(QWidget* owner);
void Horloge(QWidget* owner);
void Departements(QWidget* owner);
void APropos(QWidget* owner);
// The notepad on the notes file of the program's folder: loaded before it shows (a file that
// cannot be read keeps it closed), saved after it closes when it was changed.
void BlocNotes(QWidget* owner, const QString& appFolder);

}  // namespace accessoires
