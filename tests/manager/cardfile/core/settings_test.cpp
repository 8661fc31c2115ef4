// The settings files' readers and writers as values: no card file, no window.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "manager/cardfile/core/settings.h"
#include "platform/textfile.h"

namespace {

using settings::CompanyLines;
using settings::IniValues;
using settings::PickLists;

QString Text(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

TEST(IniFile, WritesTheTwentyEightValuesInOrderAndReadsThemBack)
{
    IniValues s;
    s.DernierFichier = "ignored";
    s.OuvrirAuto = 1;
    s.TypePapier = 1;
    s.OrientationEnveloppe = 1;
    s.DecalageEnveloppe = 100;
    s.ModeSelection = 3;
    s.TauxTVA1 = 19.6;
    s.TauxTVA2 = 5.5;
    s.TauxTVA3 = -2.1;
    s.Decimales = 2;
    s.TarifQuartHeure = 1.5;
    s.TarifDemiHeure = 2.5;
    s.TarifTroisQuarts = 3.5;
    s.TarifHeure = 4;
    s.TarifQuartSup = 0.75;
    s.TarifHeureAbo = 3.2;
    s.SensConversion = 1;
    s.DeviseChoisie = 4;
    s.TauxFranc = 6.55957;
    s.TauxDollar = 1.1;
    s.TauxLivre = 0.85;
    s.TauxYen = 160;
    s.TauxDollarCanadien = 1.45;
    s.CodeBouton1 = "A1";
    s.CodeBouton2 = "";
    s.CodeBouton3 = "Café";
    s.HeuresAbonnement = 12;
    s.DemarrageAuto = 1;

    const QStringList lines = settings::IniLines(s, "/set/clients.vtr");
    const QStringList expected = {
        "/set/clients.vtr", "1", "1", "1", "100", "3",
        " 1.96000000000000E+0001", " 5.50000000000000E+0000", "-2.10000000000000E+0000", "2",
        " 1.50000000000000E+0000", " 2.50000000000000E+0000", " 3.50000000000000E+0000",
        " 4.00000000000000E+0000", " 7.50000000000000E-0001", " 3.20000000000000E+0000", "1", "4",
        " 6.55957000000000E+0000", " 1.10000000000000E+0000", " 8.50000000000000E-0001",
        " 1.60000000000000E+0002", " 1.45000000000000E+0000", "A1", "", "Café", "12", "1"};
    EXPECT_EQ(lines, expected);

    IniValues back;
    settings::ReadIni(Text(lines), back);
    EXPECT_EQ(back.DernierFichier, "/set/clients.vtr");
    s.DernierFichier = "/set/clients.vtr";
    EXPECT_EQ(settings::IniLines(back, back.DernierFichier), settings::IniLines(s, s.DernierFichier));
    EXPECT_EQ(back.TauxTVA1, 19.6);
    EXPECT_EQ(back.TarifQuartSup, 0.75);
    EXPECT_EQ(back.CodeBouton3, "Café");
    EXPECT_EQ(back.HeuresAbonnement, 12);
}

TEST(IniFile, ReadsTextsToTheirCrAndNumbersPastBlanks)
{
    // A text runs to the CR (a lone LF is part of it); a number skips blank and empty lines
    // before it and the rest of its line after it.
    const QString text = QStringLiteral("C:\\a\nb.vtr\r\n\r\n  1 trailing\r\n 0\r\n");
    IniValues s;
    s.TypePapier = 9;
    settings::ReadIni(text, s);
    EXPECT_EQ(s.DernierFichier, "C:\\a\nb.vtr");
    EXPECT_EQ(s.OuvrirAuto, 1);
    EXPECT_EQ(s.TypePapier, 0);
}

TEST(IniFile, AShortFileGivesEmptyTextsAndZeros)
{
    IniValues s;
    s.HeuresAbonnement = 7;
    s.CodeBouton1 = "kept?";
    s.TarifHeure = 9;
    settings::ReadIni(QStringLiteral("x.vtr\r\n1\r\n"), s);
    EXPECT_EQ(s.DernierFichier, "x.vtr");
    EXPECT_EQ(s.OuvrirAuto, 1);
    EXPECT_EQ(s.HeuresAbonnement, 0);
    EXPECT_EQ(s.CodeBouton1, "");
    EXPECT_EQ(s.TarifHeure, 0);
}

TEST(IniFile, ADamagedNumberReadsAsItsLeadingDigits)
{
    struct Case {
        const char* line;
        int integer;
        double real;
    };
    const Case cases[] = {
        {"12abc", 12, 12}, {"-3x", -3, -3}, {"abc", 0, 0}, {"", 0, 0}, {"+7", 7, 7}, {"2.5", 2, 2.5},
        {"1e2", 1, 100}, {".5", 0, 0.5}, {"99999999999", 0, 99999999999.0},
    };
    for (const Case& c : cases) {
        // Line 2 is an integer (OuvrirAuto), line 7 a real (TauxTVA1).
        QStringList lines(28, QStringLiteral("0"));
        lines[0] = "set";
        lines[1] = c.line;
        lines[6] = c.line;
        IniValues s;
        settings::ReadIni(Text(lines), s);
        EXPECT_EQ(s.OuvrirAuto, c.integer) << c.line;
        EXPECT_EQ(s.TauxTVA1, c.real) << c.line;
    }
}

TEST(IniFile, ANumberThatIsNoneIsWrittenAsZero)
{
    IniValues s;
    s.TauxYen = std::numeric_limits<double>::infinity();
    s.TauxLivre = std::numeric_limits<double>::quiet_NaN();
    const QStringList lines = settings::IniLines(s, "");
    EXPECT_EQ(lines[21], " 0.00000000000000E+0000");
    EXPECT_EQ(lines[20], " 0.00000000000000E+0000");
}

TEST(IniFile, TheSetToOpenIsOnlyAskedForAndLookedForInTheFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir folder(dir.path());
    ASSERT_TRUE(textfile::SaveToFile(folder.filePath("here.vtr"), {}));
    const QString here = folder.filePath("here.vtr");
    EXPECT_EQ(settings::SetToOpen(here, true, folder), here);
    EXPECT_EQ(settings::SetToOpen(here, false, folder), "");
    EXPECT_EQ(settings::SetToOpen("", true, folder), "");
    // Its folder has moved: the same name in the working folder is the set.
    EXPECT_EQ(settings::SetToOpen("/gone/away/here.vtr", true, folder), folder.absoluteFilePath("here.vtr"));
    EXPECT_EQ(settings::SetToOpen("/gone/away/other.vtr", true, folder), "");
    EXPECT_EQ(settings::SetToOpen("/gone/away/", true, folder), "");
}

TEST(IniFile, AMissingFileLeavesTheValues)
{
    QTemporaryDir dir;
    IniValues s;
    s.TarifHeure = 4;
    EXPECT_FALSE(settings::LoadIni(QDir(dir.path()).filePath("Velmora.ini"), s));
    EXPECT_EQ(s.TarifHeure, 4);
    ASSERT_TRUE(settings::SaveIni(QDir(dir.path()).filePath("Velmora.ini"), s, "last.vtr"));
    IniValues back;
    ASSERT_TRUE(settings::LoadIni(QDir(dir.path()).filePath("Velmora.ini"), back));
    EXPECT_EQ(back.TarifHeure, 4);
    EXPECT_EQ(back.DernierFichier, "last.vtr");
}

// ---- "Velmora.soc" ----------------------------------------------------------------------------

TEST(CompanyFile, AShortFileLeavesTheLinesItLacksAndALongOneIsCut)
{
    CompanyLines company;
    for (int i = 0; i < 8; ++i)
        company.LignesSociete[i] = QStringLiteral("old %1").arg(i);
    settings::ReadCompany({"Cyber", "", "Bât. B"}, company);
    EXPECT_EQ(company.LignesSociete[0], "Cyber");
    EXPECT_EQ(company.LignesSociete[1], "");
    EXPECT_EQ(company.LignesSociete[2], "Bât. B");
    EXPECT_EQ(company.LignesSociete[3], "old 3");
    EXPECT_EQ(company.LignesSociete[7], "old 7");

    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QStringLiteral("line %1").arg(i);
    settings::ReadCompany(ten, company);
    EXPECT_EQ(company.LignesSociete[7], "line 7");
}

TEST(CompanyFile, WritesTheEightLines)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("Velmora.soc");
    CompanyLines company;
    company.LignesSociete[0] = "Cyber Étoile";
    company.LignesSociete[7] = "last";
    ASSERT_TRUE(settings::SaveCompany(path, company));
    QStringList lines;
    ASSERT_TRUE(textfile::LoadFromFile(path, lines));
    EXPECT_EQ(lines, QStringList({"Cyber Étoile", "", "", "", "", "", "", "last"}));
    CompanyLines back;
    ASSERT_TRUE(settings::LoadCompany(path, back));
    EXPECT_EQ(back.LignesSociete[0], "Cyber Étoile");
    EXPECT_EQ(back.LignesSociete[7], "last");
}

// ---- "Velmora.cbx" ----------------------------------------------------------------------------

TEST(PickListFile, SectionsSortTheLinesAndLinesBeforeTheFirstBelongToNone)
{
    const PickLists lists = settings::ReadPickLists(
        {"stray", "[FACTURE]", "Espèces", "", "[ARTICLE]", "Boissons", "[article]", "[FOURNISSEUR]", "Metro",
         "[FACTURE]", "CB"});
    EXPECT_EQ(lists.Familles, QStringList({"Boissons", "[article]"}));
    EXPECT_EQ(lists.Fournisseurs, QStringList({"Metro"}));
    EXPECT_EQ(lists.ModesPaiement, QStringList({"Espèces", "", "CB"}));
}

TEST(PickListFile, WritesTheThreeSectionsInOrder)
{
    const PickLists lists{{"Boissons", "Snacks"}, {}, {"CB"}};
    const QStringList lines = settings::PickListLines(lists);
    EXPECT_EQ(lines, QStringList({"[ARTICLE]", "Boissons", "Snacks", "[FOURNISSEUR]", "[FACTURE]", "CB"}));
    const PickLists back = settings::ReadPickLists(lines);
    EXPECT_EQ(back.Familles, lists.Familles);
    EXPECT_EQ(back.Fournisseurs, lists.Fournisseurs);
    EXPECT_EQ(back.ModesPaiement, lists.ModesPaiement);
}

TEST(PickListFile, AFileOfThatNameInAnyCaseIsTheOneUsed)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    EXPECT_EQ(settings::PickListPath(folder), folder.filePath("Velmora.Cbx"));
    ASSERT_TRUE(textfile::SaveToFile(folder.filePath("VELMORA.CBX"), {"[ARTICLE]", "Boissons"}));
    EXPECT_EQ(settings::PickListPath(folder), folder.filePath("VELMORA.CBX"));
    PickLists lists;
    ASSERT_TRUE(settings::LoadPickLists(settings::PickListPath(folder), lists));
    EXPECT_EQ(lists.Familles, QStringList({"Boissons"}));
    ASSERT_TRUE(textfile::SaveToFile(folder.filePath("Velmora.Cbx"), {}));
    EXPECT_EQ(settings::PickListPath(folder), folder.filePath("Velmora.Cbx"));
}

}  // namespace
