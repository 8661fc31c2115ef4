// The journal window: its date range over every line, the lines shown between the two dates, and
// the export's bytes, written whole or not at all.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>
#include "manager/shell/compta.h"
#include "manager/shell/rset.h"
#include "platform/rtl.h"
#include "platform/textfile.h"
#include "platform/widgets/stringgrid.h"
#include "support/dialog_driver.h"
#include "support/file_bytes.h"
#include "support/scripted_dialogs.h"

namespace {

// An invoice of 12/03 and a credit note of 20/02, in invoice order (not date order).
const QStringList Lines = {
    "20240312\tV1\t12/03/2024\t411000\tFacture 202403001\t21,60",
    "20240312\tV1\t12/03/2024\t707000\tFacture 202403001\t\t18,00",
    "20240312\tV1\t12/03/2024\t445700\tFacture 202403001\t\t3,60",
    "20240220\tA1\t20/02/2024\t411000\tAvoir      202402001\t12,00",
    "20240220\tA1\t20/02/2024\t607000\tAvoir      202402001\t\t10,00",
    "20240220\tA1\t20/02/2024\t445660\tAvoir      202402001\t\t2,00",
};

class Compta : public ::testing::Test {
protected:
    void SetUp() override
    {
        rtl::SetClock([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 30)); });
    }
    void TearDown() override { rtl::SetClock({}); }
};

TEST_F(Compta, OpensOnEveryLineFromTheEarliestDateToTheLatest)
{
    TCompta w(nullptr);
    w.Init(Lines);
    EXPECT_EQ(w.windowTitle(), "Journal des Achats / Ventes");
    EXPECT_EQ(w.DateTimePicker1->date(), QDate(2024, 2, 20));
    EXPECT_EQ(w.DateTimePicker2->date(), QDate(2024, 3, 12));
    EXPECT_EQ(w.Rows(), 6);
    const TStringGrid* g = w.StringGrid1;
    QStringList widths;
    for (int c = 0; c < 7; ++c)
        widths << QString::number(g->columnWidth(c));
    EXPECT_EQ(widths, (QStringList{"44", "24", "78", "59", "239", "108", "110"}));
    EXPECT_EQ(g->Cells(1, 0), "Jn");
    EXPECT_EQ(g->Cells(4, 0), "Libellé");
    EXPECT_EQ(g->Cells(6, 0), Rset(w.fontMetrics(), "Crédit", 105));
    EXPECT_EQ(g->Cells(0, 4), "4");
    EXPECT_EQ(g->Cells(1, 4), "A1");
    EXPECT_EQ(g->Cells(2, 4), "20/02/2024");
    EXPECT_EQ(g->Cells(3, 4), "411000");
    EXPECT_EQ(g->Cells(4, 4), "Avoir      202402001");
    EXPECT_EQ(g->Cells(5, 4), Rset(w.fontMetrics(), "12,00", 105));
    EXPECT_EQ(g->Cells(6, 4), "");
    EXPECT_EQ(g->Cells(5, 5), "");
    EXPECT_EQ(g->Cells(6, 5), Rset(w.fontMetrics(), "10,00", 105));
}

TEST_F(Compta, OKShowsTheLinesBetweenTheDatesBothIncluded)
{
    TCompta w(nullptr);
    w.Init(Lines);
    w.DateTimePicker1->setDate(QDate(2024, 3, 1));
    w.DateTimePicker2->setDate(QDate(2024, 3, 12));
    w.SpeedButton3->click();
    EXPECT_EQ(w.Rows(), 3);
    EXPECT_EQ(w.StringGrid1->Cells(2, 1), "12/03/2024");
    EXPECT_EQ(w.StringGrid1->Cells(1, 4), "");  // the rows shown before are emptied
    w.DateTimePicker2->setDate(QDate(2024, 2, 29));
    w.SpeedButton3->click();
    EXPECT_EQ(w.Rows(), 0);
    EXPECT_EQ(w.StringGrid1->Cells(0, 1), "");
}

TEST_F(Compta, AJournalWithoutLinesOpensEmptyOnToday)
{
    TCompta w(nullptr);
    w.Init({});
    EXPECT_EQ(w.DateTimePicker1->date(), QDate(2024, 3, 15));
    EXPECT_EQ(w.DateTimePicker2->date(), QDate(2024, 3, 15));
    EXPECT_EQ(w.Rows(), 0);
}

// Date, account, label, journal, an empty field, debit, credit; CR LF; Windows-1252.
TEST_F(Compta, ExportWritesTheRowsShown)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Journal.txt");
    TCompta w(nullptr);
    QStringList lines = Lines;
    lines[3].replace("Avoir", "Avoir reçu");
    w.Init(lines);
    w.DateTimePicker1->setDate(QDate(2024, 2, 20));
    w.DateTimePicker2->setDate(QDate(2024, 2, 20));
    w.SpeedButton3->click();
    ScriptedDialogs dialogs;
    dialogs.save(path);
    w.SpeedButton2->click();
    EXPECT_EQ(ReadBytes(path), QByteArray("20/02/2024\t411000\tAvoir re\xe7u      202402001\tA1\t\t12,00\t\r\n"
                                          "20/02/2024\t607000\tAvoir      202402001\tA1\t\t\t10,00\r\n"
                                          "20/02/2024\t445660\tAvoir      202402001\tA1\t\t\t2,00\r\n"));
}

TEST_F(Compta, AnExportThatCannotBeWrittenIsReportedAndWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("absent/Journal.txt");
    QString reason;
    ASSERT_FALSE(textfile::SaveToFile(path, {"x"}, &reason));
    TCompta w(nullptr);
    w.Init(Lines);
    ScriptedDialogs dialogs;
    dialogs.save(path).message(
        QStringLiteral("Impossible d'enregistrer %1.\n%2\nLe journal n'a pas été exporté.").arg(path, reason));
    w.SpeedButton2->click();
    EXPECT_FALSE(QFile::exists(path));
    // Cancelled: nothing is written, nothing is said.
    dialogs.save("");
    w.SpeedButton2->click();
    EXPECT_TRUE(dialogs.done());
}

}  // namespace
