// The settings files of the card file: "Velmora.ini", "Velmora.soc" and "Velmora.cbx" in the
// working folder, GetIni/SetIni, and the millimetre-to-printer-pixel conversions.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <unistd.h>
#include "manager/cardfile/fiche.h"
#include "support/dialog_driver.h"
#include "support/file_bytes.h"
#include "support/scripted_dialogs.h"

namespace {

// Each test runs with a folder of its own as the working folder, where the three files live; no
// message box may appear (a settings file that cannot be written is skipped silently).
class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override
    {
        QDir::setCurrent(previous);
        TFiche::SetGeometrieImprimante({});
    }
    QString In(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString previous;
    ScriptedDialogs dialogs;
    TFiche fiche;
};

// ---- "Velmora.ini" --------------------------------------------------------------------------

TEST_F(SettingsFiles, IniWritesTheTwentyEightValuesInOrderAndReadsThemBack)
{
    WriteBytes(In("set.vtr"), "");
    fiche.OuvrirAuto = 1;
    fiche.TypePapier = 7;
    fiche.OrientationEnveloppe = 8;
    fiche.DecalageEnveloppe = 100;
    fiche.ModeSelection = -3;
    fiche.TauxTVA1 = 19.6;
    fiche.TauxTVA2 = 5.5;
    fiche.TauxTVA3 = 2.1;
    fiche.Decimales = 2;
    fiche.TarifQuartHeure = 1.5;
    fiche.TarifDemiHeure = 2.75;
    fiche.TarifTroisQuarts = 3.8;
    fiche.TarifHeure = 4.6;
    fiche.TarifQuartSup = 1.2;
    fiche.TarifHeureAbo = 0;
    fiche.SensConversion = 1;
    fiche.DeviseChoisie = 4;
    fiche.TauxFranc = 6.55957;
    fiche.TauxDollar = 1.0 / 3;
    fiche.TauxLivre = -0.5;
    fiche.TauxYen = 123456.789;
    fiche.TauxDollarCanadien = 1e-7;
    fiche.CodeBouton1 = "A0012";
    fiche.CodeBouton2 = "";
    fiche.CodeBouton3 = "Café €";
    fiche.HeuresAbonnement = 12;
    fiche.DemarrageAuto = 1;
    fiche.SauveIni(In("set.vtr"));

    const QList<QByteArray> lines = {
        In("set.vtr").toUtf8(),
        "1",
        "7",
        "8",
        "100",
        "-3",
        " 1.96000000000000E+0001",
        " 5.50000000000000E+0000",
        " 2.10000000000000E+0000",
        "2",
        " 1.50000000000000E+0000",
        " 2.75000000000000E+0000",
        " 3.80000000000000E+0000",
        " 4.60000000000000E+0000",
        " 1.20000000000000E+0000",
        " 0.00000000000000E+0000",
        "1",
        "4",
        " 6.55957000000000E+0000",
        " 3.33333333333333E-0001",
        "-5.00000000000000E-0001",
        " 1.23456789000000E+0005",
        " 1.00000000000000E-0007",
        "A0012",
        "",
        "Caf\xe9 \x80",
        "12",
        "1",
    };
    ASSERT_EQ(lines.size(), 28);
    EXPECT_EQ(ReadBytes(In("Velmora.ini")), Crlf(lines));

    TFiche back;
    back.ChargeIni();
    EXPECT_EQ(back.DernierFichier, In("set.vtr"));
    EXPECT_EQ(back.OuvrirAuto, 1);
    EXPECT_EQ(back.TypePapier, 7);
    EXPECT_EQ(back.OrientationEnveloppe, 8);
    EXPECT_EQ(back.DecalageEnveloppe, 100);
    EXPECT_EQ(back.ModeSelection, -3);
    EXPECT_EQ(back.TauxTVA1, 19.6);
    EXPECT_EQ(back.TauxTVA2, 5.5);
    EXPECT_EQ(back.TauxTVA3, 2.1);
    EXPECT_EQ(back.Decimales, 2);
    EXPECT_EQ(back.TarifQuartHeure, 1.5);
    EXPECT_EQ(back.TarifDemiHeure, 2.75);
    EXPECT_EQ(back.TarifTroisQuarts, 3.8);
    EXPECT_EQ(back.TarifHeure, 4.6);
    EXPECT_EQ(back.TarifQuartSup, 1.2);
    EXPECT_EQ(back.TarifHeureAbo, 0);
    EXPECT_EQ(back.SensConversion, 1);
    EXPECT_EQ(back.DeviseChoisie, 4);
    EXPECT_EQ(back.TauxFranc, 6.55957);
    EXPECT_EQ(back.TauxDollar, 0.333333333333333);  // 15 significant digits survive
    EXPECT_EQ(back.TauxLivre, -0.5);
    EXPECT_EQ(back.TauxYen, 123456.789);
    EXPECT_EQ(back.TauxDollarCanadien, 1e-7);
    EXPECT_EQ(back.CodeBouton1, "A0012");
    EXPECT_EQ(back.CodeBouton2, "");
    EXPECT_EQ(back.CodeBouton3, "Café €");
    EXPECT_EQ(back.HeuresAbonnement, 12);
    EXPECT_EQ(back.DemarrageAuto, 1);
}

TEST_F(SettingsFiles, WithoutIniTheDefaultsStayAndClosingWritesTwentyEightLines)
{
    fiche.ChargeIni();
    EXPECT_EQ(fiche.HeuresAbonnement, 5);
    EXPECT_EQ(fiche.FormatMontant, "0.00");
    EXPECT_EQ(fiche.TauxTVA1, 0);
    EXPECT_EQ(fiche.TarifHeure, 0);
    EXPECT_EQ(fiche.TauxFranc, 0);

    fiche.SauveIni("");
    const QByteArray zero = " 0.00000000000000E+0000";
    EXPECT_EQ(ReadBytes("Velmora.ini"),
              Crlf({"",   "0",  "0", "0", "0",  "0",  zero, zero, zero, "0", zero, zero, zero, zero,
                    zero, zero, "0", "0", zero, zero, zero, zero, zero, "",  "",   "",   "5",  "0"}));
}

// A file of the plain forms a person would type; cases change some of its lines.
QList<QByteArray> PlainIni()
{
    return {"",    "0",   "1", "1", "100",     "2",   "19.6", "5.5", "2.1", "2",  "1",  "2",  "3", "4",
            "0.5", "4.5", "1", "3", "6.55957", "1.1", "0.9",  "160", "1.5", "B1", "B2", "B3", "6", "1"};
}

struct IniCase {
    const char* what;
    std::function<QByteArray()> content;
    std::function<void(const TFiche&)> check;
};

TEST_F(SettingsFiles, IniReadingRules)
{
    const IniCase cases[] = {
        {"plain forms", [] { return Crlf(PlainIni()); },
         [](const TFiche& f) {
             EXPECT_EQ(f.TypePapier, 1);
             EXPECT_EQ(f.TauxTVA1, 19.6);
             EXPECT_EQ(f.TarifQuartHeure, 1.0);
             EXPECT_EQ(f.TauxFranc, 6.55957);
             EXPECT_EQ(f.CodeBouton2, "B2");
             EXPECT_EQ(f.HeuresAbonnement, 6);
             EXPECT_EQ(f.DemarrageAuto, 1);
         }},
        {"27 lines: the missing last value reads 0",
         [] {
             auto l = PlainIni();
             l.removeLast();
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.HeuresAbonnement, 6);
             EXPECT_EQ(f.DemarrageAuto, 0);
         }},
        {"an empty file gives 0 and empty texts", [] { return QByteArray(); },
         [](const TFiche& f) {
             EXPECT_EQ(f.TypePapier, 0);
             EXPECT_EQ(f.TauxTVA1, 0);
             EXPECT_EQ(f.CodeBouton1, "");
             EXPECT_EQ(f.HeuresAbonnement, 0);
             EXPECT_EQ(f.DemarrageAuto, 0);
         }},
        {"empty lines in front of a number are passed over",
         [] {
             auto l = PlainIni();
             l.insert(6, "");
             l.insert(6, "   ");
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.TauxTVA1, 19.6);
             EXPECT_EQ(f.TauxTVA2, 5.5);
             EXPECT_EQ(f.CodeBouton1, "B1");
             EXPECT_EQ(f.DemarrageAuto, 1);
         }},
        {"an empty line in front of a code is read as that code",
         [] {
             auto l = PlainIni();
             l.insert(23, "");
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.CodeBouton1, "");
             EXPECT_EQ(f.CodeBouton2, "B1");
             EXPECT_EQ(f.CodeBouton3, "B2");
             EXPECT_EQ(f.HeuresAbonnement, 0);  // "B3" has no leading digit
             EXPECT_EQ(f.DemarrageAuto, 6);
         }},
        {"a damaged number reads as its leading digits and the next values still read",
         [] {
             auto l = PlainIni();
             l[6] = "19,6";
             l[9] = "2x";
             l[10] = "abc";
             l[16] = "-1z";
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.TauxTVA1, 19);
             EXPECT_EQ(f.TauxTVA2, 5.5);
             EXPECT_EQ(f.Decimales, 2);
             EXPECT_EQ(f.TarifQuartHeure, 0);
             EXPECT_EQ(f.TarifDemiHeure, 2);
             EXPECT_EQ(f.SensConversion, -1);
             EXPECT_EQ(f.DeviseChoisie, 3);
         }},
        {"a number ends at a blank or tab and the rest of its line is passed",
         [] {
             auto l = PlainIni();
             l[5] = "\t7\tsept";
             l[26] = "12 heures";
             l[6] = " 1.96000000000000E+0001 TVA";
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.ModeSelection, 7);
             EXPECT_EQ(f.TauxTVA1, 19.6);
             EXPECT_EQ(f.TauxTVA2, 5.5);
             EXPECT_EQ(f.HeuresAbonnement, 12);
             EXPECT_EQ(f.DemarrageAuto, 1);
         }},
        {"scientific forms with either exponent sign",
         [] {
             auto l = PlainIni();
             l[7] = "-1.50000000000000E+0002";
             l[8] = " 2.50000000000000E-0003";
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.TauxTVA2, -150);
             EXPECT_EQ(f.TauxTVA3, 0.0025);
         }},
        {"texts are taken whole, blanks and Windows-1252 letters included",
         [] {
             auto l = PlainIni();
             l[23] = "  Caf\xe9 \x9c ";
             return Crlf(l);
         },
         [](const TFiche& f) { EXPECT_EQ(f.CodeBouton1, "  Café œ "); }},
        {"a CR alone ends a line", [] { return PlainIni().join("\r") + "\r"; },
         [](const TFiche& f) {
             EXPECT_EQ(f.TypePapier, 1);
             EXPECT_EQ(f.CodeBouton3, "B3");
             EXPECT_EQ(f.DemarrageAuto, 1);
         }},
        {"a LF alone does not end a text line",
         [] {
             auto l = PlainIni();
             l[23] = "B1\nsuite";
             return Crlf(l);
         },
         [](const TFiche& f) {
             EXPECT_EQ(f.CodeBouton1, "B1\nsuite");
             EXPECT_EQ(f.CodeBouton2, "B2");
             EXPECT_EQ(f.HeuresAbonnement, 6);
         }},
    };
    for (const IniCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(In("Velmora.ini"), c.content());
        TFiche f;
        f.DemarrageAuto = 1;
        f.HeuresAbonnement = 5;
        f.CodeBouton1 = "before";
        f.ChargeIni();
        c.check(f);
    }
}

struct LastSetCase {
    const char* what;
    QByteArray openAuto;
    QString line1;      // {dir} stands for the working folder
    QStringList files;  // made in the working folder
    QString expected;   // {dir} as above
};

TEST_F(SettingsFiles, TheLastSetIsSettledAfterReading)
{
    const LastSetCase cases[] = {
        {"open automatically off forgets the set", "0", "{dir}/set.vtr", {"set.vtr"}, ""},
        {"an existing set is kept", "1", "{dir}/set.vtr", {"set.vtr"}, "{dir}/set.vtr"},
        {"a set whose folder moved is found in the working folder",
         "1",
         "/no/such/folder/set.vtr",
         {"set.vtr"},
         "{dir}/set.vtr"},
        {"a set found nowhere is forgotten", "1", "/no/such/folder/gone.vtr", {"set.vtr"}, ""},
        {"a folder is no set", "1", "{dir}/sub", {}, ""},
        {"no set stays none", "1", "", {"set.vtr"}, ""},
    };
    QDir(dir.path()).mkdir("sub");
    for (const LastSetCase& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(In("set.vtr"));
        for (const QString& name : c.files)
            WriteBytes(In(name), "");
        auto lines = PlainIni();
        lines[0] = QString(c.line1).replace("{dir}", dir.path()).toUtf8();
        lines[1] = c.openAuto;
        WriteBytes(In("Velmora.ini"), Crlf(lines));
        TFiche f;
        f.ChargeIni();
        EXPECT_EQ(f.DernierFichier, QString(c.expected).replace("{dir}", dir.path()));
    }
}

TEST_F(SettingsFiles, GetIniAndSetIniHandTheOpenAutomaticallyFlag)
{
    fiche.DernierFichier = "/x/set.vtr";
    fiche.ModeSelection = 3;
    for (bool on : {true, false, true}) {
        fiche.SetIni(on);
        EXPECT_EQ(fiche.OuvrirAuto, on ? 1 : 0);
        bool openAuto = !on;
        QString path;
        int mode = 0;
        fiche.GetIni(openAuto, path, mode);
        EXPECT_EQ(openAuto, on);
        EXPECT_EQ(path, "/x/set.vtr");
        EXPECT_EQ(mode, 3);
    }
    fiche.OuvrirAuto = 2;  // only 1 means on
    bool openAuto = true;
    QString path;
    int mode = 0;
    fiche.GetIni(openAuto, path, mode);
    EXPECT_FALSE(openAuto);
}

// ---- "Velmora.soc" --------------------------------------------------------------------------

TEST_F(SettingsFiles, CompanyLinesRoundTripInWindows1252)
{
    const QStringList lines = {"Cybercafé de l'Œuvre", "12 rue du Bœuf", "",     "75001 Paris",
                               "123 456 789 00012",    "FR 12 345",      "923A", "ligne € cachée"};
    for (int i = 0; i < 8; ++i)
        fiche.LignesSociete[i] = lines[i];
    fiche.SauveSoc();
    EXPECT_EQ(ReadBytes("Velmora.soc"), Crlf({"Cybercaf\xe9 de l'\x8cuvre", "12 rue du B\x9cuf", "", "75001 Paris",
                                              "123 456 789 00012", "FR 12 345", "923A",
                                              "ligne \x80 cach\xe9"
                                              "e"}));
    TFiche back;
    back.ChargeSoc();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(back.LignesSociete[i], lines[i]) << "line " << i + 1;
}

TEST_F(SettingsFiles, CompanyFileShortLongOrMissing)
{
    struct Case {
        const char* what;
        std::optional<QByteArray> content;
        QStringList expected;
    };
    const QStringList old = {"o1", "o2", "o3", "o4", "o5", "o6", "o7", "o8"};
    const Case cases[] = {
        {"a missing file changes nothing", std::nullopt, old},
        {"a shorter file keeps the lines it lacks",
         Crlf({"n1", "", "n3"}),
         {"n1", "", "n3", "o4", "o5", "o6", "o7", "o8"}},
        {"lines past the eighth are ignored",
         Crlf({"n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8", "n9", "n10"}),
         {"n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove("Velmora.soc");
        if (c.content)
            WriteBytes(In("Velmora.soc"), *c.content);
        TFiche f;
        for (int i = 0; i < 8; ++i)
            f.LignesSociete[i] = old[i];
        f.ChargeSoc();
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(f.LignesSociete[i], c.expected[i]) << "line " << i + 1;
    }
}

// ---- "Velmora.cbx" --------------------------------------------------------------------------

TEST_F(SettingsFiles, PickListsAreWrittenAsVelmoraCbxInSections)
{
    fiche.ComboBox9->addItems({"Boissons", "", "Confiserie"});
    fiche.ComboBox10->addItems({"Brûlerie Œ"});
    fiche.ComboBox3->addItems({"Espèces", "Carte €"});
    fiche.SauveCombo();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Velmora.Cbx"});
    EXPECT_EQ(ReadBytes("Velmora.Cbx"),
              Crlf({"[ARTICLE]", "Boissons", "", "Confiserie", "[FOURNISSEUR]", "Br\xfblerie \x8c", "[FACTURE]",
                    "Esp\xe8"
                    "ces",
                    "Carte \x80"}));

    TFiche back;
    back.ChargeCombo();
    EXPECT_EQ(Items(back.ComboBox9), QStringList({"Boissons", "", "Confiserie"}));
    EXPECT_EQ(Items(back.ComboBox10), QStringList({"Brûlerie Œ"}));
    EXPECT_EQ(Items(back.ComboBox3), QStringList({"Espèces", "Carte €"}));
}

TEST_F(SettingsFiles, PickListReadingRules)
{
    WriteBytes(In("Velmora.cbx"),
               Crlf({"avant toute section", "[FACTURE]", "Ch\xe8que", "[ARTICLE]", "Jeux", "", "[article]",
                     "[FOURNISSEUR]", "Grossiste", "[ARTICLE]", "Presse", "[FACTURE]", " [FACTURE]"}));
    fiche.ComboBox9->addItems({"already there"});
    for (int run = 0; run < 2; ++run) {  // a second load gives each list once, not twice
        fiche.ChargeCombo();
        EXPECT_EQ(Items(fiche.ComboBox9), QStringList({"Jeux", "", "[article]", "Presse"}));
        EXPECT_EQ(Items(fiche.ComboBox10), QStringList({"Grossiste"}));
        EXPECT_EQ(Items(fiche.ComboBox3), QStringList({"Chèque", " [FACTURE]"}));
    }
}

TEST_F(SettingsFiles, PickListsWithoutFileStayAsTheyAre)
{
    fiche.ComboBox10->addItems({"Grossiste"});
    fiche.ChargeCombo();
    EXPECT_EQ(Items(fiche.ComboBox10), QStringList({"Grossiste"}));
}

TEST_F(SettingsFiles, PickListFileNameMatchesWhateverItsCase)
{
    for (const QString name : {"Velmora.Cbx", "Velmora.cbx", "VELMORA.CBX", "velmora.cbx"}) {
        SCOPED_TRACE(name.toStdString());
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(In(f));
        WriteBytes(In(name), Crlf({"[FOURNISSEUR]", "Grossiste"}));
        TFiche f;
        f.ChargeCombo();
        EXPECT_EQ(Items(f.ComboBox10), QStringList({"Grossiste"}));

        f.ComboBox10->addItem("Brasserie");
        f.SauveCombo();
        // The one file is rewritten; no second file appears beside it under the other case.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
        EXPECT_EQ(ReadBytes(In(name)), Crlf({"[ARTICLE]", "[FOURNISSEUR]", "Grossiste", "Brasserie", "[FACTURE]"}));
    }
}

// ---- files that cannot be written -----------------------------------------------------------

TEST_F(SettingsFiles, AFileThatCannotBeWrittenIsSkippedWithoutAMessage)
{
    // A folder in place of each file stops the write whoever runs the test (even root).
    for (const char* name : {"Velmora.ini", "Velmora.soc", "Velmora.Cbx"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    fiche.TauxTVA1 = 19.6;
    fiche.LignesSociete[0] = "Société";
    fiche.ComboBox3->addItem("Espèces");
    fiche.SauveIni("/x/set.vtr");
    fiche.SauveSoc();
    fiche.SauveCombo();
    EXPECT_EQ(fiche.TauxTVA1, 19.6);
    EXPECT_EQ(fiche.LignesSociete[0], "Société");
    EXPECT_EQ(Items(fiche.ComboBox3), QStringList{"Espèces"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"Velmora.Cbx", "Velmora.ini", "Velmora.soc"}));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("; ").toStdString();
}

TEST_F(SettingsFiles, AReadOnlyFolderIsSkippedWithoutAMessage)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    WriteBytes(In("Velmora.soc"), Crlf({"ancienne"}));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    fiche.LignesSociete[0] = "nouvelle";
    fiche.SauveIni("");
    fiche.SauveSoc();
    fiche.SauveCombo();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadBytes(In("Velmora.soc")), Crlf({"ancienne"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Velmora.soc"});
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// ---- millimetres to printer pixels ----------------------------------------------------------

TEST_F(SettingsFiles, MillimetresToPrinterPixels)
{
    struct Case {
        const char* what;
        TFiche::GeometrieImprimante page;
        int mm, mh, mv;
    };
    const Case cases[] = {
        {"4 pixels a millimetre", {840, 1188, 210, 297}, 10, 40, 52},
        {"Mv(0) is 3 millimetres down", {840, 1188, 210, 297}, 0, 0, 12},
        {"600 dpi truncates 23.6 to 23 before multiplying", {4960, 7016, 210, 297}, 10, 230, 299},
        {"different factors across and down", {1000, 1500, 100, 100}, 2, 20, 75},
        {"a printer without size gives 0", {4960, 7016, 0, 0}, 10, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFiche::SetGeometrieImprimante([page = c.page] { return page; });
        EXPECT_EQ(fiche.Mh(c.mm), c.mh);
        EXPECT_EQ(fiche.Mv(c.mm), c.mv);
    }
}

TEST_F(SettingsFiles, MillimetresUseTheProcessPrinterByDefault)
{
    TFiche::SetGeometrieImprimante({});
    const int perMm = fiche.Mh(1);
    EXPECT_GT(perMm, 0);
    EXPECT_EQ(fiche.Mh(10), 10 * perMm);
    EXPECT_GT(fiche.Mv(0), 0);
}

}  // namespace
