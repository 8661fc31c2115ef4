// Tandel, the client of the café's public workstations.
#include "client/tmain.h"
#include "platform/application.h"
#include "platform/workstation/linux.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
    // The standard boxes and buttons speak French, like the rest of the program.
    platform::InstallFrenchTranslation();
    QCoreApplication::setApplicationName(QStringLiteral("Tandel"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tandel"));
    workstation::LinuxWorkstation station;
    workstation::Install(&station);
    int result = 0;
    {
        TMain main;
        main.show();
        result = application.exec();
    }
    workstation::Install(nullptr);
    return result;
}
