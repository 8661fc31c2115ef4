#include "manager/shell/fichierbureau.h"

#include <QFileInfo>
#include "platform/dialogs.h"
#include "platform/textfile.h"

bool ChargeFichierBureau(const QString& path, QStringList& lines, bool& found, const QString& consequence)
{
    lines.clear();
    found = QFileInfo::exists(path);
    if (!found)
        return true;
    if (textfile::LoadFromFile(path, lines))
        return true;
    platform::MessageDlg(QStringLiteral("Impossible de lire %1.\n%2").arg(path, consequence), platform::mtError,
                         platform::mbOK);
    return false;
}

bool SauveFichierBureau(const QString& path, const QStringList& lines, const QString& consequence)
{
    QString reason;
    if (textfile::SaveToFile(path, lines, &reason))
        return true;
    platform::MessageDlg(QStringLiteral("Impossible d'enregistrer %1.\n%2\n%3").arg(path, reason, consequence),
                         platform::mtError, platform::mbOK);
    return false;
}
