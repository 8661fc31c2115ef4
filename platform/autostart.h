#pragma once
// Starting a program with the user's session: an XDG autostart entry
// $XDG_CONFIG_HOME/autostart/<name>.desktop (default ~/.config), which runs the program's own
// path in its working folder.
#include <QString>

namespace autostart {

QString EntryPath(const QString& name);
// Writes (or replaces) the entry; false when it could not be written.
bool Add(const QString& name, const QString& program, const QString& workingFolder);
// Removes the entry; true when there is none afterwards.
bool Remove(const QString& name);
bool Exists(const QString& name);

}  // namespace autostart
