// Importing customers from text files and exporting the active page's records, through the card
// file's window and its dialogs.
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include "platform/textfile.h"
#include "support/card_fixture.h"
#include "support/file_bytes.h"
#include "support/scripted_dialogs.h"

namespace {

using namespace cards;

// The lines of a customer block as an import makes it: code, not marked, not connected, the
// fields, 25 empty lines.
QStringList Imported(int n, int code, const QStringList& fields)
{
    QStringList lines{QString::number(code), "N", "N"};
    lines << fields;
    for (int i = 0; i < 25; ++i)
        lines << QString();
    return Block(n, lines);
}

class Echange : public CardFixture {
protected:
    void SetUp() override
    {
        CardFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        ShowPage(TFiche::KClient);
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // Imports the file through the open dialog.
    void Import(const QString& path)
    {
        ScriptedDialogs dialogs;
        dialogs.open(path);
        fiche->Importer();
    }
    // Exports through the save dialog, answered `chosen` as the type `type`.
    void Export(const QString& chosen, int type = 0)
    {
        ScriptedDialogs dialogs;
        dialogs.save(chosen, type);
        fiche->Exporter();
    }
    QTemporaryDir dir;
};

// Three customers worked by hand, as CSV and as TXT: accented letters in Windows-1252.
const QByteArray ThreeCsv = "DUPONT;1 rue Haute;;69001;LYON\r\n"
                            "MARTIN;2 av. Foch;B\xE2t. B;75016;PARIS;France;0145000000\r\n"
                            "LEF\xC8VRE;;;;\xC9"
                            "cully\r\n";

TEST_F(Echange, ThreeCustomersFromCsvAndFromTxtGiveTheSameBlocks)
{
    const QStringList expected = Join({
        Imported(0, 10001, {"DUPONT", "1 rue Haute", "", "69001", "LYON"}),
        Imported(1, 10002, {"MARTIN", "2 av. Foch", "Bât. B", "75016", "PARIS", "France", "0145000000"}),
        Imported(2, 10003, {"LEFÈVRE", "", "", "", "Écully"}),
    });
    QByteArray txt = ThreeCsv;
    txt.replace(';', '\t');
    WriteBytes(Path("clients.csv"), ThreeCsv);
    WriteBytes(Path("clients.txt"), txt);
    for (const char* name : {"clients.csv", "clients.txt"}) {
        Set(TFiche::KClient, {});
        fiche->LitFiche();
        fiche->DoitSauver = false;
        Import(Path(name));
        EXPECT_EQ(Lines(TFiche::KClient), expected) << name;
        EXPECT_EQ(fiche->NbClients, 3) << name;
        EXPECT_EQ(fiche->IndexClient, 2) << name;
        EXPECT_EQ(fiche->Edit2->text(), "LEFÈVRE") << name;
        EXPECT_EQ(fiche->ProchainClient, 10004) << name;
        EXPECT_TRUE(fiche->DoitSauver) << name;
    }
}

TEST_F(Echange, AnImportNeverOverwritesWhatItImported)
{
    Set(TFiche::KClient, Block(0, CustomerFields("10001", "ANCIEN")));
    fiche->LitFiche();
    Type(fiche->Edit2, " MODIFIE");
    WriteBytes(Path("deux.csv"), Crlf({"PREMIER", "SECOND"}));
    Import(Path("deux.csv"));
    // Writing the card back now changes nothing: it shows the last customer imported.
    fiche->EcritFiche();
    fiche->Premier();
    fiche->Dernier();
    const QStringList lines = Lines(TFiche::KClient);
    EXPECT_EQ(lines.mid(0, 26), Block(0, CustomerFields("10001", "ANCIEN MODIFIE")));
    EXPECT_EQ(lines.mid(26), Join({Imported(1, 10002, {"PREMIER"}), Imported(2, 10003, {"SECOND"})}));
}

TEST_F(Echange, TheFirstImportedBlockNeverReusesANumber)
{
    WriteBytes(Path("un.csv"), Crlf({"NOUVEAU"}));
    for (const bool blankCard : {false, true}) {
        Set(TFiche::KClient, Block(0, CustomerFields("10001", "SEUL")));
        if (blankCard) {
            // A blank new card, number 1, shown untouched: it has no block.
            fiche->NbClients = 2;
            fiche->IndexClient = 1;
        }
        fiche->LitFiche();
        Import(Path("un.csv"));
        // One customer already: the import is block 1, with or without a blank card before it.
        EXPECT_EQ(Lines(TFiche::KClient),
                  Join({Block(0, CustomerFields("10001", "SEUL")), Imported(1, 10002, {"NOUVEAU"})}))
            << blankCard;
        EXPECT_EQ(fiche->NbClients, 2) << blankCard;
    }
}

TEST_F(Echange, AMissingFileIsNamedAndNothingChanges)
{
    const QString path = Path("absent.csv");
    ScriptedDialogs dialogs;
    dialogs.open(path).message("Le ficher " + path + "n'existe pas");
    fiche->Importer();
    EXPECT_TRUE(Lines(TFiche::KClient).isEmpty());
    EXPECT_FALSE(fiche->DoitSauver);
}

TEST_F(Echange, AFileThatCannotBeReadIsReportedNotTakenForAnEmptyOne)
{
    ASSERT_TRUE(QDir().mkpath(Path("dossier.csv")));
    ScriptedDialogs dialogs;
    dialogs.open(Path("dossier.csv")).message("Impossible de lire dossier.csv.");
    fiche->Importer();
    EXPECT_TRUE(Lines(TFiche::KClient).isEmpty());
}

TEST_F(Echange, TheNameChoosesTheSeparatorCapitalsIgnoredBothWhenBothAreThere)
{
    const struct {
        const char* name;
        QList<QStringList> fields;
    } cases[] = {
        {"CLIENTS.TXT", {{"A;B", "C"}}},
        {"clients.Csv", {{"A", "B\tC"}}},
        {"clients.txt.csv", {{"A;B", "C"}, {"A", "B\tC"}}},
        {"clients.dat", {}},
    };
    for (const auto& c : cases) {
        WriteBytes(Path(c.name), "A;B\tC\r\n");
        Set(TFiche::KClient, {});
        fiche->LitFiche();
        fiche->DoitSauver = false;
        Import(Path(c.name));
        QStringList expected;
        for (int i = 0; i < c.fields.size(); ++i)
            expected << Imported(i, 10001 + i, c.fields[i]);
        EXPECT_EQ(Lines(TFiche::KClient), expected) << c.name;
        // Whatever came in, the set counts as modified.
        EXPECT_TRUE(fiche->DoitSauver) << c.name;
    }
}

TEST_F(Echange, OnlyTheCustomerPageImports)
{
    WriteBytes(Path("clients.csv"), ThreeCsv);
    Set(TFiche::KPoste, Join({Block(0, MachineFields("10001", "P1")), Block(1, MachineFields("10002", "P2"))}));
    ShowPage(TFiche::KPoste);
    fiche->LitPoste();
    fiche->DoitSauver = false;
    Import(Path("clients.csv"));
    EXPECT_TRUE(Lines(TFiche::KClient).isEmpty());
    EXPECT_EQ(fiche->IndexPoste, 1);  // the last machine, shown by the move that follows
    EXPECT_TRUE(fiche->DoitSauver);
}

TEST_F(Echange, TheImportStopsAt9998Customers)
{
    QStringList lines;
    for (int n = 0; n < 9996; ++n)
        lines << Block(n, {QString::number(10001 + n)});
    Set(TFiche::KClient, lines);
    fiche->LitFiche();
    WriteBytes(Path("trois.csv"), Crlf({"A", "B", "C"}));
    ScriptedDialogs dialogs;
    dialogs.open(Path("trois.csv")).message("Trop de lignes, le fichier a été tronqué");
    fiche->Importer();
    EXPECT_EQ(fiche->NbClients, 9998);
    const QStringList after = Lines(TFiche::KClient);
    EXPECT_EQ(after.mid(lines.size()), Join({Imported(9996, 19997, {"A"}), Imported(9997, 19998, {"B"})}));
}

// ---- export ---------------------------------------------------------------------------------------

TEST_F(Echange, TwoCustomersExportedGiveExactBytesInBothForms)
{
    QStringList second = CustomerFields("10002", "MARTIN;Paul");
    second[4] = "Bât. B";
    second[7] = "Évry";
    Set(TFiche::KClient, Join({Block(0, CustomerFields("10001", "DUPONT")), Block(1, second)}));
    fiche->LitFiche();
    Export(Path("clients.txt"), 0);
    Export(Path("clients.csv"), 1);
    EXPECT_EQ(ReadBytes(Path("clients.txt")), "DUPONT\t1 rue Haute\t\t69001\tLYON\tFrance\t0478000001\r\n"
                                              "MARTIN;Paul\tB\xE2t. B\t\t69001\t\xC9vry\tFrance\t0478000001\r\n");
    // No quoting: the ';' in the name gives the line one more field.
    EXPECT_EQ(ReadBytes(Path("clients.csv")), "DUPONT;1 rue Haute;;69001;LYON;France;0478000001\r\n"
                                              "MARTIN;Paul;B\xE2t. B;;69001;\xC9vry;France;0478000001\r\n");
}

TEST_F(Echange, ACustomerExportImportedBackCopiesTheExportedLines)
{
    Set(TFiche::KClient, Block(0, CustomerFields("10001", "DUPONT")));
    fiche->LitFiche();
    Export(Path("aller.csv"), 1);
    Import(Path("aller.csv"));
    const QStringList lines = Lines(TFiche::KClient);
    EXPECT_EQ(lines.mid(26), Imported(1, 10002, CustomerFields("10001", "DUPONT").mid(3, 7)));
}

TEST_F(Echange, TheChosenTypeGivesTheExtensionAndTheSeparator)
{
    Set(TFiche::KClient, Join({Block(0, CustomerFields("10001", "A")), Block(1, CustomerFields("10002", "B"))}));
    fiche->LitFiche();
    const struct {
        const char* chosen;
        int type;
        const char* written;
        char separator;
    } cases[] = {
        {"Export", 0, "Export.txt", '\t'},
        {"Export.csv", 1, "Export.csv", ';'},
        {"Export.txt", 0, "Export.txt", '\t'},
        // The extension is looked for as written, capitals count.
        {"EXPORT.CSV", 1, "EXPORT.CSV.csv", ';'},
        {"liste.txt", 1, "liste.txt.csv", ';'},
    };
    for (const auto& c : cases) {
        Export(Path(c.chosen), c.type);
        const QByteArray bytes = ReadBytes(Path(c.written));
        EXPECT_TRUE(bytes.startsWith(QByteArray("A") + c.separator + "1 rue Haute"))
            << c.chosen << ": " << bytes.constData();
        QFile::remove(Path(c.written));
    }
}

TEST_F(Echange, TheSaveDialogOffersExportAsText)
{
    ScriptedDialogs dialogs;
    QString offered;
    int type = -1;
    dialogs.save({}, 1, [&](const QString& name, int t) {
        offered = name;
        type = t;
    });
    fiche->Exporter();
    EXPECT_EQ(dialogs.shown, QStringList{"save: Fichier texte (*.txt)|*.txt|Ficher csv (*.csv)|*.csv"});
    EXPECT_EQ(offered, "Export");
    EXPECT_EQ(type, 0);
    // Cancelled: no file.
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(Echange, EachPageExportsItsOwnFields)
{
    Set(TFiche::KPoste, Block(0, MachineFields("10001", "POSTE1")));
    QStringList ticket = TicketFields("202403001");
    ticket[5] = "15/03/2024";
    ticket[6] = "10:00";
    ticket[9] = "30";
    ticket[10] = "   1,50";
    Set(TFiche::KTicket, Block(0, ticket, 5));
    Set(TFiche::KArticle, Block(0, {"10001", "Boissons", "Café", "   1,50", "1", "707000", "Durand", "MEM6x"}));
    const struct {
        TFiche::Kind kind;
        QByteArray bytes;
    } cases[] = {
        {TFiche::KPoste, "POSTE1;PC;40 Go;512 Mo;WinXP;192.0.2.7\r\n"},
        {TFiche::KTicket, "10001;DUPONT;10001;POSTE1;15/03/2024;10:00;  /  /    ;  :  ;30\r\n"},
        // The price keeps the blanks it is shown with.
        {TFiche::KArticle, "Boissons;Caf\xE9;   1,50;1;707000;Durand\r\n"},
        {TFiche::KFacture, ""},
    };
    for (const auto& c : cases) {
        ShowPage(c.kind);
        Export(Path("page.csv"), 1);
        EXPECT_EQ(ReadBytes(Path("page.csv")), c.bytes) << c.kind;
    }
    // The room writes an empty file too.
    fiche->PageControl1->setCurrentWidget(fiche->TabSheet6);
    Export(Path("page.csv"), 1);
    EXPECT_EQ(ReadBytes(Path("page.csv")), "");
}

TEST_F(Echange, AFileThatCouldNotBeWrittenIsReported)
{
    Set(TFiche::KClient, Block(0, CustomerFields("10001", "DUPONT")));
    fiche->LitFiche();
    const QString path = Path("absent/Export.txt");
    QString why;
    ASSERT_FALSE(textfile::SaveToFile(path, {"x"}, &why));
    ScriptedDialogs dialogs;
    dialogs.save(path, 0).message("Impossible d'enregistrer Export.txt.\n" + why);
    fiche->Exporter();
    EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace
