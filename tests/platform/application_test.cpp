// The error boundary: an exception from a handler ends in one error box and the program goes on.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QScopeGuard>
#include <QTranslator>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <stdexcept>
#include "platform/application.h"
#include "platform/rtl.h"
#include "support/scripted_dialogs.h"

using namespace platform;

namespace {

// A card-file-like handler owner: reads a field the way the programs do, without testing it.
struct Form {
    QString field;
    int done = 0;
    QList<int> seen;
    void Button1Click()
    {
        rtl::StrToInt(field);
        ++done;
    }
    void ValueChanged(int v)
    {
        seen << v;
        if (v > 5)
            throw Exception(QStringLiteral("Valeur trop grande : %1").arg(v));
    }
};

TEST(ErrorBoundary, AnExceptionInAGuardedSlotShowsOneErrorBoxAndTheNextClickWorks)
{
    Form form;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, guard(&form, &Form::Button1Click));
    ScriptedDialogs d;
    d.message(QStringLiteral("'douze' is not a valid integer value"));
    form.field = QStringLiteral("douze");
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(form.done, 0);
    form.field = QStringLiteral("12");
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(form.done, 1);
    EXPECT_EQ(d.shown, QStringList{"message: 'douze' is not a valid integer value"});
}

TEST(ErrorBoundary, GuardPassesTheSignalsArguments)
{
    Form form;
    QSpinBox spin;
    QObject::connect(&spin, &QSpinBox::valueChanged, guard(&form, &Form::ValueChanged));
    ScriptedDialogs d;
    d.message(QStringLiteral("Valeur trop grande : 7"));
    spin.setValue(3);
    spin.setValue(7);
    spin.setValue(4);
    EXPECT_EQ(form.seen, (QList<int>{3, 7, 4}));
}

// A window whose key handler fails on 'X' and counts the other keys.
class FragileWidget : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_X)
            throw std::runtime_error("clavier en panne");
        ++keys;
    }
};

TEST(ErrorBoundary, AnExceptionInAnEventHandlerIsCaughtByTheApplication)
{
    FragileWidget w;
    ScriptedDialogs d;
    d.message(QStringLiteral("clavier en panne")).message(QStringLiteral("clavier en panne"));
    QTest::keyClick(&w, Qt::Key_A);
    QTest::keyClick(&w, Qt::Key_X);   // sent directly
    QTest::keyClick(&w, Qt::Key_B);
    QCoreApplication::postEvent(&w, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    QCoreApplication::processEvents();   // through the event loop
    QTest::keyClick(&w, Qt::Key_C);
    EXPECT_EQ(w.keys, 3);
    EXPECT_TRUE(d.done());
}

TEST(ErrorBoundary, ShowsTheMessageOfEveryKindOfException)
{
    ScriptedDialogs d;
    d.message(QStringLiteral("Stock épuisé"))
        .message(QStringLiteral("'1.5' is not a valid floating point value"))
        .message(QStringLiteral("bad_alloc-like"))
        .message(QStringLiteral("Erreur inconnue"));
    Guarded([] { throw Exception(QStringLiteral("Stock épuisé")); });
    Guarded([] { rtl::StrToFloat(QStringLiteral("1.5")); });
    Guarded([] { throw std::logic_error("bad_alloc-like"); });
    Guarded([] { throw 42; });
}

// Qt's own dialogs (open, save, print) take their words from Qt's French translation once the
// program has loaded it at start.
TEST(Translation, QtsOwnDialogsSpeakFrench)
{
    const auto unload = qScopeGuard([] {
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    });
    ASSERT_TRUE(InstallFrenchTranslation());
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Voir dans :"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text().remove(QLatin1Char('&')),
              QStringLiteral("Nom de fichier :"));
    QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Annuler"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Imprimer"));
}

}  // namespace
