// The window as the customer and the café's staff meet it: its form, closing, keys, dragging,
// the address dialog and the settings file.
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include "client/tipadr.h"
#include "platform/textfile.h"
#include "tandel_test.h"

TEST_F(TandelTest, TheWindowIsFramelessOnTopAndStartsOnTheLoginPage)
{
    TMain& w = Make();
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.size(), QSize(310, 114));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheet1);
    EXPECT_EQ(w.Edit2->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(w.Button1->isHidden());
    EXPECT_EQ(w.Button2->text(), "OK");
    EXPECT_EQ(w.Button3->text(), "Déconnexion");
    EXPECT_EQ(w.StaticText2->text(), "0 mn");
    EXPECT_TRUE(w.StaticText2->font().bold());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.AdresseServeur, "127.0.0.1");
    // The desktop is locked from the start, the other windows minimised first.
    EXPECT_EQ(station.Calls, QStringList({"MinimizeOthers", "HideTaskbar", "HideDesktopIcons"}));
    EXPECT_EQ(station.LastOwnWindow, 0u);
    w.show();
    EXPECT_EQ(w.focusWidget(), w.Edit1);
}

TEST_F(TandelTest, ClosingIsRefusedWhileTheSettingsForbidItAndGivesTheDesktopBackOtherwise)
{
    TMain& w = Make();
    w.show();
    w.ConfigPoste = QStringLiteral("YYYNNNNNNN");
    w.ProcessConfig();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    w.FinSession();
    station.Calls.clear();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(station.Calls, QStringList({"ShowTaskbar", "ShowDesktopIcons", "BlockTaskKeys off"}));
    EXPECT_TRUE(w.Termine());
}

TEST_F(TandelTest, TheMinimiseButtonTakesTheWindowOffTheTop)
{
    TMain& w = Make();
    w.show();
    w.SpeedButton1->click();
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isMinimized());
    // A message brings it back; the end of the session puts it on top again.
    w.ProcessCommand(QStringLiteral("Msg all revenez"));
    EXPECT_FALSE(w.isMinimized());
    w.FinSession();
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(TandelTest, ThePagesBackgroundDragsTheWindow)
{
    TMain& w = Make();
    w.PageControl1->setCurrentWidget(w.TabSheet2);
    w.show();
    w.move(100, 100);
    const QPoint start = w.pos();
    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        const QPoint global = w.TabSheet2->mapToGlobal(local);
        QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w.TabSheet2, &e);
    };
    send(QEvent::MouseButtonPress, {200, 90}, Qt::LeftButton);
    EXPECT_TRUE(w.Deplacement());
    send(QEvent::MouseMove, {230, 100}, Qt::LeftButton);
    EXPECT_EQ(w.pos(), start + QPoint(30, 10));
    send(QEvent::MouseButtonRelease, {230, 100}, Qt::NoButton);
    EXPECT_FALSE(w.Deplacement());
    const QPoint after = w.pos();
    send(QEvent::MouseMove, {260, 120}, Qt::NoButton);
    EXPECT_EQ(w.pos(), after);
}

TEST_F(TandelTest, F10OpensTheAddressDialogOnlyFromTheWindowItself)
{
    TMain& w = Make();
    w.show();
    w.Edit1->setFocus();
    QTest::keyClick(w.Edit1, Qt::Key_F10);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) { static_cast<TIpAdr*>(d)->Button1->click(); });
    w.setFocus();
    QTest::keyClick(&w, Qt::Key_F10);
    EXPECT_TRUE(dialogs.done());
}

// --- the address dialog and the settings file ------------------------------------------------

namespace {

void Type(TIpAdr* d, const char* address, bool dns, const char* name)
{
    d->MaskEdit1->setFocus();
    d->MaskEdit1->home(false);
    QTest::keyClicks(d->MaskEdit1, QString::fromLatin1(address));
    d->CheckBox1->setChecked(dns);
    d->Edit1->setText(QString::fromLatin1(name));
}

QStringList Lines(const QString& path)
{
    QStringList lines;
    textfile::LoadFromFile(path, lines);
    return lines;
}

}  // namespace

TEST_F(TandelTest, WithoutASettingsFileActivationAsksForTheAddressAndOkWritesIt)
{
    QFile::remove(IniPath());
    TMain& w = Make();
    w.AdresseServeur = QStringLiteral("localhost");
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        auto* dlg = static_cast<TIpAdr*>(d);
        EXPECT_EQ(dlg->windowTitle(), "Adresse IP du serveur");
        dlg->Button1->click();
    });
    // Cancelled: nothing written, and the next activation asks again.
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        auto* dlg = static_cast<TIpAdr*>(d);
        Type(dlg, "192.168.001.020", false, "");
        dlg->Button2->click();
    });
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w, &activate);
    EXPECT_FALSE(QFile::exists(IniPath()));
    EXPECT_EQ(w.AdresseServeur, "localhost");
    QCoreApplication::sendEvent(&w, &activate);
    EXPECT_EQ(w.AdresseServeur, "192.168.001.020");
    EXPECT_EQ(Lines(IniPath()), QStringList({"192.168.001.020", "N", ""}));
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "192.168.001.020\r\nN\r\n\r\n");
    // With the file there, activation reads it and asks nothing.
    QCoreApplication::sendEvent(&w, &activate);
    EXPECT_TRUE(dialogs.done());
}

TEST_F(TandelTest, EscapeInTheAddressDialogChangesNothing)
{
    TMain& w = Make();
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        Type(static_cast<TIpAdr*>(d), "10.0.0.9", false, "");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    w.SetIpAdr();
    EXPECT_EQ(w.AdresseServeur, "127.0.0.1");
    EXPECT_EQ(Lines(IniPath()), QStringList({"127.0.0.1", "N", ""}));
}

TEST_F(TandelTest, AnEmptyMaskWithTheLookupStoresDotsAndTakesTheLookedUpAddress)
{
    TMain& w = Make();
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        Type(static_cast<TIpAdr*>(d), "", true, "localhost");
        static_cast<TIpAdr*>(d)->Button2->click();
    });
    w.SetIpAdr();
    EXPECT_EQ(Lines(IniPath()), QStringList({"...", "Y", "localhost"}));
    EXPECT_TRUE(WaitUntil([&] { return w.AdresseServeur == "127.0.0.1"; }));
}

TEST_F(TandelTest, AFailedLookupSaysSoAndKeepsTheAddress)
{
    TMain& w = Make();
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        Type(static_cast<TIpAdr*>(d), "", true, "serveur..absent");
        static_cast<TIpAdr*>(d)->Button2->click();
    });
    w.SetIpAdr();
    EXPECT_TRUE(WaitUntil([&] { return w.StaticText1->text() == "Serveur non trouvé"; }));
    EXPECT_EQ(w.AdresseServeur, "...");
}

TEST_F(TandelTest, ASettingsFileThatCannotBeWrittenIsReported)
{
    TMain& w = Make();
    w.FichierServeur = dir.filePath(QStringLiteral("absent/Tandel.ini"));
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        Type(static_cast<TIpAdr*>(d), "10.1.2.3", false, "");
        static_cast<TIpAdr*>(d)->Button2->click();
    });
    QString reason;
    ASSERT_FALSE(textfile::SaveToFile(w.FichierServeur, {}, &reason));
    dialogs.message(QStringLiteral("Impossible d'enregistrer %1.\n%2").arg(w.FichierServeur, reason));
    w.SetIpAdr();
    EXPECT_EQ(w.AdresseServeur, "10.1.2.3");
}

namespace {

struct IniAddress {
    const char* line;
    const char* expected;  // AdresseServeur afterwards, from "localhost"
};

class IniAddresses : public TandelTest, public ::testing::WithParamInterface<IniAddress> {};

}  // namespace

TEST_P(IniAddresses, OnlyACompleteAddressOrALongNameIsTaken)
{
    ASSERT_TRUE(textfile::SaveToFile(IniPath(), {QString::fromLatin1(GetParam().line), QStringLiteral("N"),
                                                 QStringLiteral("serveur")}));
    TMain& w = Make();
    w.AdresseServeur = QStringLiteral("localhost");
    w.ChargeIni();
    EXPECT_EQ(w.AdresseServeur, QLatin1String(GetParam().expected));
    EXPECT_EQ(w.UtiliserDns, "N");
    EXPECT_EQ(w.NomServeur, "serveur");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IniAddresses,
    ::testing::Values(IniAddress{"10.0.0.1", "10.0.0.1"}, IniAddress{"1.2.3.4", "1.2.3.4"},
                      IniAddress{"192.168.100.200", "192.168.100.200"}, IniAddress{"...", "localhost"},
                      IniAddress{"", "localhost"}, IniAddress{"192.168.1.", "localhost"},
                      IniAddress{"10.0.0", "localhost"}, IniAddress{"300.1.1.1", "localhost"},
                      IniAddress{"caisse.cafe.lan", "caisse.cafe.lan"}, IniAddress{"caisse", "localhost"}),
    [](const auto& info) { return CaseName(QString::fromLatin1(info.param.line)); });

TEST_F(TandelTest, AnAddressTypedWithItsDotsFillsTheMask)
{
    TMain& w = Make();
    dialogs.dialog(QStringLiteral("TIpAdr"), [](QDialog* d) {
        Type(static_cast<TIpAdr*>(d), "10.0.0.1", false, "");
        static_cast<TIpAdr*>(d)->Button2->click();
    });
    w.SetIpAdr();
    EXPECT_EQ(w.AdresseServeur, "10.0.0.1");
}
