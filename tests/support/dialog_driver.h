#pragma once
// Runs one of the card file's dialogs as its callers do (through the dialog service) with the
// scripted responder handing it to the test's script, and closes it the ways an operator can.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <type_traits>
#include "platform/dialogs.h"
#include "support/print.h"
#include "support/scripted_dialogs.h"

enum class CloseBy { Ok, Cancel, Escape, TitleBar };

inline const char* CloseName(CloseBy how)
{
    switch (how) {
    case CloseBy::Ok:
        return "OK";
    case CloseBy::Cancel:
        return "Annuler";
    case CloseBy::Escape:
        return "Esc";
    case CloseBy::TitleBar:
        return "title bar";
    }
    return "?";
}

// The button named `name` (objectName), failing the test when the form has none.
inline QPushButton* Button(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button;
}

inline void Close(QDialog& dialog, CloseBy how)
{
    switch (how) {
    case CloseBy::Ok:
        Button(dialog, "OKBtn")->click();
        break;
    case CloseBy::Cancel:
        Button(dialog, "CancelBtn")->click();
        break;
    case CloseBy::Escape:
        QTest::keyClick(&dialog, Qt::Key_Escape);
        break;
    case CloseBy::TitleBar:
        dialog.close();
        break;
    }
}

// Types `text` key by key into `widget`, accented letters too (QTest::keyClicks takes ASCII only).
inline void Type(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Clicks a radio button or check box where the operator would: on its indicator (a wide
// button's middle may lie beyond its text and not count as a hit).
inline void Tick(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The texts of a list box's or a combo's items, in order.
inline QStringList Items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

inline QStringList Items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Clicks on an item of a list box, scrolled into view first.
inline QPoint ItemCenter(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    return list->visualItemRect(list->item(row)).center();
}

inline void ClickItem(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, ItemCenter(list, row));
}

// A double click begins with a click.
inline void DoubleClickItem(QListWidget* list, int row)
{
    ClickItem(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ItemCenter(list, row));
}

// The caption of the label that names `field` (its buddy), or "" when none does.
inline QString LabelOf(QWidget* field)
{
    for (auto* label : field->window()->findChildren<QLabel*>())
        if (label->buddy() == field)
            return label->text();
    return {};
}

// Expects the dialog of class D next among the responder's dialogs; `script` acts on it.
template <class D>
void ExpectDialog(ScriptedDialogs& responder, const std::type_identity_t<std::function<void(D&)>>& script)
{
    responder.dialog(D::staticMetaObject.className(), [script](QDialog* shown) { script(*static_cast<D*>(shown)); });
}

// Shows `dialog` through the dialog service; `script` acts on it as the operator would.
// `more` adds what the script itself makes appear (message boxes, nested dialogs), in order.
// D may be a base of the dialog's class: the responder expects the class the dialog really is.
template <class D>
int Drive(D& dialog, const std::type_identity_t<std::function<void(D&)>>& script,
          const std::function<void(ScriptedDialogs&)>& more = {})
{
    ScriptedDialogs responder;
    responder.dialog(dialog.metaObject()->className(), [&](QDialog* shown) { script(*static_cast<D*>(shown)); });
    if (more)
        more(responder);
    return platform::Dialogs().exec(&dialog);
}

// Drives a list dialog and answers what it gives back (its Result()).
template <class D>
auto Answer(D& dialog, const std::type_identity_t<std::function<void(D&)>>& script)
{
    Drive<D>(dialog, script);
    return dialog.Result();
}

// A script for a pick list: chooses the item `row` of its list box and closes it with OK.
inline std::function<void(QDialog*)> ChooseRow(int row)
{
    return [row](QDialog* dialog) {
        dialog->findChild<QListWidget*>("ListBox1")->setCurrentRow(row);
        Close(*dialog, CloseBy::Ok);
    };
}

// A script that only closes the dialog, the way given.
inline std::function<void(QDialog*)> CloseWith(CloseBy how)
{
    return [how](QDialog* dialog) { Close(*dialog, how); };
}
