#include "platform/workstation/workstation.h"

#include <QCoreApplication>
#include <QPointer>
#include "platform/workstation/linux.h"

namespace workstation {

namespace {
Workstation* installed = nullptr;
}

Workstation& Current()
{
    if (installed)
        return *installed;
    // Made on first use and owned by the application object, so that it goes before the
    // event loop's machinery does.
    static QPointer<LinuxWorkstation> own;
    if (!own)
        own = new LinuxWorkstation(LinuxOptions::FromEnvironment(), QCoreApplication::instance());
    return *own;
}

QString ProgramName(Program What)
{
    switch (What) {
    case Program::Browser:
        return QStringLiteral("navigateur");
    case Program::Mail:
        return QStringLiteral("messagerie");
    case Program::WordProcessor:
        return QStringLiteral("traitement de texte");
    }
    return {};
}

void Install(Workstation* Service)
{
    installed = Service;
}

}  // namespace workstation
