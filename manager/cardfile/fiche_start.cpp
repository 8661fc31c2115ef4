// Starting the program with the user's session: the flag the settings file keeps and the
// autostart entry that carries it out.
#include <QCoreApplication>
#include <QDir>
#include "manager/cardfile/fiche.h"
#include "platform/autostart.h"
#include "platform/exception.h"

namespace {

const QString EntryName = QStringLiteral("Velmora");

}  // namespace

void TFiche::GetStart(bool& flag) const
{
    flag = DemarrageAuto == 1;
}

void TFiche::SetStart(bool flag)
{
    // The entry first: a flag that says "on" with no entry behind it would stay wrong until the
    // operator noticed.
    if (flag)
        Autorun();
    else
        notAutorun();
    DemarrageAuto = flag ? 1 : 0;
}

void TFiche::Autorun()
{
    // The program must start in its own folder, where its settings files are.
    const QString folder = WorkingFolder ? WorkingFolder() : QDir::currentPath();
    if (!autostart::Add(EntryName, QCoreApplication::applicationFilePath(), folder))
        throw Exception(QStringLiteral("Impossible d'écrire le démarrage automatique : ")
                        + autostart::EntryPath(EntryName));
}

void TFiche::notAutorun()
{
    if (!autostart::Remove(EntryName))
        throw Exception(QStringLiteral("Impossible de supprimer le démarrage automatique : ")
                        + autostart::EntryPath(EntryName));
}
