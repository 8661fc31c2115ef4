#pragma once
// logind as the tests play it on a private bus: it writes down what it is asked.
#include <QDBusConnection>
#include <QObject>
#include <QStringList>

class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList Calls;

public slots:
    void Reboot(bool interactive) { Calls << QStringLiteral("Reboot %1").arg(interactive); }
    void PowerOff(bool interactive) { Calls << QStringLiteral("PowerOff %1").arg(interactive); }
};
