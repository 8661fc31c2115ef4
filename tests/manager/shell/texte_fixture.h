#pragma once
// The letter editor on screen, its dialogs answered by the scripted responder, with a temporary
// folder for its letters.
#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <memory>
#include "manager/shell/texte.h"
#include "support/dialog_driver.h"
#include "support/scripted_dialogs.h"

class TexteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QGuiApplication::setQuitOnLastWindowClosed(false);
        editor = std::make_unique<TTexte>(nullptr);
        editor->Setsoc(QStringLiteral("Café du Port"), QStringLiteral("3 quai Est"), QStringLiteral("Bât. B"),
                       QStringLiteral("29200 Brest"));
        editor->show();
    }

    // The letter's paragraphs.
    QStringList Lines() const
    {
        QStringList lines;
        for (QTextBlock b = editor->RichEdit1->document()->begin(); b.isValid(); b = b.next())
            lines << b.text();
        return lines;
    }

    void TypeText(const QString& text) { Type(editor->RichEdit1, text); }
    bool Modified() const { return editor->RichEdit1->document()->isModified(); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Selects the characters [from, to) of the whole text.
    void Select(int from, int to)
    {
        QTextCursor c(editor->RichEdit1->document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        editor->RichEdit1->setTextCursor(c);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;  // made before the editor, checked once it is gone
    std::unique_ptr<TTexte> editor;
};
