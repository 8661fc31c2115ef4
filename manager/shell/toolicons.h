#pragma once
// The pictures of the main window's toolbar buttons, drawn in code.
#include <QIcon>
#include <QString>

// The picture of the toolbar button `button` (its objectName); a null icon for a name without one.
QIcon ToolIcon(const QString& button);
