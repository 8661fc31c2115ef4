// The history window: its caption, and "Fermer" closing it.
#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include "manager/shell/histo.h"

TEST(Histo, ShowsItsLinesUntilClosed)
{
    THisto histo(nullptr);
    EXPECT_EQ(histo.windowTitle(), "Historique");
    EXPECT_EQ(histo.Button1->text(), "Fermer");
    histo.Memo1->setPlainText("Poste : PC1\nLogin : jdupont");
    EXPECT_TRUE(histo.Memo1->isReadOnly());
    QTimer::singleShot(0, histo.Button1, &QPushButton::click);
    EXPECT_EQ(histo.exec(), QDialog::Accepted);
}
