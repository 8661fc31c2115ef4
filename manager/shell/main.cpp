// Velmora, the manager: splash window, main window with the card file as its child, message loop.
#include <memory>
#include "manager/cardfile/fiche.h"
#include "manager/shell/mainform.h"
#include "manager/shell/splash.h"
#include "platform/application.h"
#include "platform/help.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
    // The standard dialogs speak the program's language (English when the translation is missing).
    platform::InstallFrenchTranslation();
    // The splash stays up while the windows are built, and goes whatever happens then.
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    std::unique_ptr<TMainForm> mainForm;
    try {
        help::SetHelpFile(QStringLiteral("Velmora.hlp"));
        QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
        mainForm = std::make_unique<TMainForm>();
        mainForm->SetFiche(new TFiche);
    } catch (const std::exception& e) {
        splash.reset();
        platform::ShowException(e);
        return 1;
    }
    splash.reset();

    mainForm->show();
    return application.exec();
}
