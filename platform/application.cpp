#include "platform/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include "platform/dialogs.h"
#include "platform/exception.h"

namespace platform {

void ShowException(const std::exception& e)
{
    const auto* own = dynamic_cast<const Exception*>(&e);
    MessageDlg(own ? own->Message : QString::fromUtf8(e.what()), mtError, mbOK);
}

void ShowUnknownException()
{
    MessageDlg(QStringLiteral("Erreur inconnue"), mtError, mbOK);
}

bool InstallFrenchTranslation()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace platform
