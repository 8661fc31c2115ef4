// The saved set: the customer file and its four sibling files, loaded, checked, saved all or
// nothing, and started anew.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <unistd.h>
#include "manager/cardfile/fiche.h"
#include "platform/textfile.h"
#include "support/blocks.h"
#include "support/file_bytes.h"
#include "support/scripted_dialogs.h"

namespace {

// A block as a file holds it, its lines already in the file's code page.
QList<QByteArray> Block(int n, int width, const QList<QByteArray>& fields)
{
    return QList<QByteArray>{cards::Tag(n, width).toLatin1()} + fields
           + QList<QByteArray>{cards::Tag(n, width, true).toLatin1()};
}

// One file of each kind, with Windows-1252 letters that differ from Latin-1 (€ 0x80, œ 0x9C,
// Œ 0x8C) and blocks out of number order, as invoices leave them.
const std::map<QString, QByteArray>& SetFiles()
{
    static const std::map<QString, QByteArray> files = {
        {"vtr", Crlf(Block(0, 4, {"10001", "DUPONT", "MEMOCaf\xe9 cr\xe8me \x80"})
                     + Block(1, 4, {"10002", "\x8cUVRE", "DATA01/02/2024\tAbonnement\t 20,00"})
                     + Block(2, 4,
                             {"10003", "B\x9c"
                                       "uf"}))},
        {"stk", Crlf(Block(0, 4, {"A001", "Caf\xe9"}) + Block(1, 4, {"A002", "Th\xe9"}))},
        {"fct", Crlf(Block(1, 4, {"NUMF202401002"}) + Block(0, 4, {"NUMF202401001", "FACTx\t1\t2,50"}))},
        {"pst", Crlf(Block(0, 4, {"P01", "poste-01"}))},
        {"cai", Crlf(Block(0, 5, {"NUMT202401001"}) + Block(1, 5, {"NUMT202401002"}))},
    };
    return files;
}

const QStringList Extensions = {"vtr", "stk", "fct", "pst", "cai"};

// Records the error boxes of a failed save; any other dialog fails the test.
class SaveErrors : public ScriptedDialogs {
public:
    int messageDlg(const QString& text, platform::MsgDlgType type, int buttons) override
    {
        EXPECT_EQ(type, platform::mtError);
        EXPECT_EQ(buttons, platform::mbOK);
        errors << text;
        return platform::mrOk;
    }
    QStringList errors;
};

class SavedSet : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const QString& base, const QString& ext) const { return dir.filePath(base + "." + ext); }
    // Writes the set `base` with the files of SetFiles() whose extension is in `only`.
    void WriteSet(const QString& base, const QStringList& only = Extensions) const
    {
        for (const QString& ext : only)
            WriteBytes(Path(base, ext), SetFiles().at(ext));
    }
    QStringList Entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    static QByteArray Bytes(const RecordList& list) { return textfile::JoinLines(list.ToStringList()); }

    QTemporaryDir dir;
    SaveErrors dialogs;
    TFiche fiche;
};

TEST_F(SavedSet, ChargeLoadsTheFiveFilesAndCountsTheirBlocks)
{
    WriteSet("set");
    fiche.IndexArticle = fiche.IndexTicket = 1;
    fiche.ModifArticle = fiche.ModifClient = true;
    fiche.DoitSauver = true;
    fiche.Charge(Path("set", "vtr"));

    EXPECT_EQ(fiche.CheminFichier, Path("set", "vtr"));
    EXPECT_EQ(fiche.CheminArticles, Path("set", "stk"));
    EXPECT_EQ(fiche.CheminFactures, Path("set", "fct"));
    EXPECT_EQ(fiche.CheminPostes, Path("set", "pst"));
    EXPECT_EQ(fiche.CheminTickets, Path("set", "cai"));
    EXPECT_EQ(fiche.windowTitle(), "set.vtr");
    EXPECT_EQ(fiche.ListeClients.Count(), 14);
    EXPECT_EQ(fiche.ListeClients[3], "MEMOCafé crème €");
    EXPECT_EQ(fiche.ListeClients[7], "ŒUVRE");
    EXPECT_EQ(fiche.ListeClients[12], "Bœuf");
    EXPECT_EQ(fiche.NbClients, 3);
    EXPECT_EQ(fiche.NbArticles, 2);
    EXPECT_EQ(fiche.NbFactures, 2);
    EXPECT_EQ(fiche.NbPostes, 1);
    EXPECT_EQ(fiche.NbTickets, 2);
    EXPECT_EQ(fiche.IndexClient, 0);
    EXPECT_EQ(fiche.IndexArticle, 0);
    EXPECT_EQ(fiche.IndexTicket, 0);
    EXPECT_FALSE(fiche.ModifClient);
    EXPECT_FALSE(fiche.ModifArticle);
    EXPECT_FALSE(fiche.DoitSauver);
    bool modified = true;
    fiche.TestModif(modified);
    EXPECT_FALSE(modified);
}

TEST_F(SavedSet, SavingWritesTheSameBytesBack)
{
    struct Case {
        const char* what;
        QString target;  // base name of the set saved to
    };
    for (const Case& c : {Case{"save over itself", "set"}, Case{"save as another set", "copy"}}) {
        SCOPED_TRACE(c.what);
        WriteSet("set");
        TFiche f;
        f.Charge(Path("set", "vtr"));
        f.SetSauve();  // as save-as does: the files are written although nothing changed
        EXPECT_TRUE(f.Sauve(Path(c.target, "vtr")));
        for (const QString& ext : Extensions)
            EXPECT_EQ(ReadBytes(Path(c.target, ext)), SetFiles().at(ext)) << ext.toStdString();
        EXPECT_EQ(f.CheminFichier, Path(c.target, "vtr"));
        EXPECT_EQ(f.CheminTickets, Path(c.target, "cai"));
        EXPECT_EQ(f.windowTitle(), c.target + ".vtr");
        EXPECT_FALSE(f.DoitSauver);

        // Opened again, the set shows the same records.
        TFiche again;
        again.Charge(Path(c.target, "vtr"));
        EXPECT_EQ(again.ListeClients.ToStringList(), f.ListeClients.ToStringList());
        EXPECT_EQ(again.ListeTickets.ToStringList(), f.ListeTickets.ToStringList());
    }
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(SavedSet, SavingASetWhereNothingChangedWritesNothing)
{
    WriteSet("set");
    fiche.Charge(Path("set", "vtr"));
    for (const QString& ext : Extensions)
        WriteBytes(Path("set", ext), "changed on disk");
    EXPECT_TRUE(fiche.Sauve(Path("set", "vtr")));
    EXPECT_TRUE(fiche.Sauve(Path("other", "vtr")));
    for (const QString& ext : Extensions) {
        EXPECT_EQ(ReadBytes(Path("set", ext)), "changed on disk");
        EXPECT_FALSE(QFile::exists(Path("other", ext)));
    }
    EXPECT_EQ(fiche.CheminFichier, Path("set", "vtr"));
}

TEST_F(SavedSet, ASavedNewSetReplacesAllFiveFilesOfAnExistingOne)
{
    WriteSet("set");
    fiche.ListeClients.Add(QStringList{"<BLOC0000>", "10001", "</BLOC0000>"});
    fiche.NbClients = 1;
    fiche.SetSauve();
    EXPECT_TRUE(fiche.Sauve(Path("set", "vtr")));
    EXPECT_EQ(ReadBytes(Path("set", "vtr")), Crlf({"<BLOC0000>", "10001", "</BLOC0000>"}));
    for (const char* ext : {"stk", "fct", "pst", "cai"})
        EXPECT_EQ(ReadBytes(Path("set", ext)), "") << ext;
}

TEST_F(SavedSet, AMissingSiblingGivesAnEmptyListOfItsKind)
{
    struct Case {
        const char* what;
        QStringList present;
    };
    const Case cases[] = {
        {"no invoices", {"vtr", "stk", "pst", "cai"}},
        {"neither articles nor machines", {"vtr", "fct", "cai"}},
        {"only the customer file was copied", {"vtr"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        WriteSet("old");
        WriteSet("new", c.present);
        TFiche f;
        f.Charge(Path("old", "vtr"));
        f.IndexArticle = f.IndexFacture = f.IndexPoste = f.IndexTicket = 1;
        f.Charge(Path("new", "vtr"));

        for (int k = 0; k < TFiche::KindCount; ++k) {
            const auto kind = static_cast<TFiche::Kind>(k);
            const QString ext = std::map<TFiche::Kind, QString>{
                {TFiche::KClient, "vtr"},
                {TFiche::KArticle, "stk"},
                {TFiche::KFacture, "fct"},
                {TFiche::KPoste, "pst"},
                {TFiche::KTicket,
                 "cai"}}.at(kind);
            SCOPED_TRACE(ext.toStdString());
            const TFiche::RecordKind& d = TFiche::KindOf(kind);
            if (c.present.contains(ext)) {
                EXPECT_EQ(Bytes(f.*d.list), SetFiles().at(ext));
                EXPECT_GT(f.*d.count, 0);
            } else {
                EXPECT_EQ(f.ListOf(kind).Count(), 0);
                EXPECT_EQ(f.*d.count, 0);
            }
            EXPECT_EQ(f.*d.index, 0);
        }

        // Saved, the new set holds its own records only; the old set is untouched.
        f.SetSauve();
        EXPECT_TRUE(f.Sauve(Path("new", "vtr")));
        for (const QString& ext : Extensions) {
            EXPECT_EQ(ReadBytes(Path("new", ext)), c.present.contains(ext) ? SetFiles().at(ext) : QByteArray());
            EXPECT_EQ(ReadBytes(Path("old", ext)), SetFiles().at(ext));
        }
    }
}

// A file of the set that is there but cannot be read (here a folder in its place) must not load
// as an empty list, which the next save would write over the real file: nothing is loaded and
// the set that was open stays as it was. (A folder in place of the main file is no set at all.)
TEST_F(SavedSet, AFileThatCannotBeReadLeavesTheOpenSetAsItWas)
{
    for (const QString ext : {"stk", "fct", "pst", "cai"}) {
        SCOPED_TRACE(ext.toStdString());
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        WriteSet("old");
        WriteSet("new");
        QFile::remove(Path("new", ext));
        QDir().mkpath(Path("new", ext));
        TFiche f;
        ASSERT_TRUE(f.Charge(Path("old", "vtr")));
        dialogs.errors.clear();
        EXPECT_FALSE(f.Charge(Path("new", "vtr")));
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("new.") + ext)) << dialogs.errors[0].toStdString();
        EXPECT_EQ(f.CheminFichier, Path("old", "vtr"));
        for (const QString& e : Extensions)
            EXPECT_EQ(ReadBytes(Path("old", e)), SetFiles().at(e));
        EXPECT_EQ(Bytes(f.ListeClients), SetFiles().at("vtr"));
        EXPECT_EQ(Bytes(f.ListeTickets), SetFiles().at("cai"));
        EXPECT_EQ(f.NbClients, 3);
    }
}

// A customer file that holds something but no block is not a set (a file of another program
// renamed ".vtr", random bytes): it is refused and the set that was open stays, so that no save
// goes over that file. An empty file is an empty set.
TEST_F(SavedSet, AFileThatIsNotASetIsRefused)
{
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise += char((i * 73 + 11) % 256);
    ASSERT_FALSE(noise.contains("<BLOC"));
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"random bytes", noise},
        {"text without any block", Crlf({"Nom;Ville", "DUPONT;LYON"})},
        {"an end tag alone", Crlf({"</BLOC0000>"})},
        {"an empty line", Crlf({""})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteSet("old");
        WriteBytes(Path("foreign", "vtr"), c.bytes);
        TFiche f;
        ASSERT_TRUE(f.Charge(Path("old", "vtr")));
        {
            ScriptedDialogs refused;
            refused.message(QStringLiteral("Type de fichier non valide"));
            EXPECT_FALSE(f.Charge(Path("foreign", "vtr")));
        }
        EXPECT_EQ(f.CheminFichier, Path("old", "vtr"));
        EXPECT_EQ(f.windowTitle(), "old.vtr");
        EXPECT_EQ(Bytes(f.ListeClients), SetFiles().at("vtr"));
        EXPECT_EQ(f.NbClients, 3);
        EXPECT_EQ(ReadBytes(Path("foreign", "vtr")), c.bytes);
    }
}

TEST_F(SavedSet, AnEmptyCustomerFileIsAnEmptySet)
{
    WriteBytes(Path("empty", "vtr"), {});
    EXPECT_TRUE(fiche.Charge(Path("empty", "vtr")));
    EXPECT_EQ(fiche.CheminFichier, Path("empty", "vtr"));
    EXPECT_EQ(fiche.NbClients, 0);
    EXPECT_TRUE(dialogs.done());
}

TEST_F(SavedSet, AMainFileThatDoesNotExistLoadsNoSet)
{
    WriteSet("set");
    fiche.Charge(Path("set", "vtr"));
    fiche.Charge(Path("gone", "vtr"));
    EXPECT_EQ(fiche.CheminFichier, "");
    EXPECT_EQ(fiche.windowTitle(), "");
    EXPECT_EQ(fiche.ListeClients.Count(), 0);
    EXPECT_EQ(fiche.NbClients, 0);
    // Without a main file the siblings are the bare names "stk", "fct"... of the working folder.
    EXPECT_EQ(fiche.CheminArticles, "stk");
    EXPECT_EQ(fiche.CheminTickets, "cai");
    EXPECT_EQ(fiche.ListeArticles.Count(), 0);
}

TEST_F(SavedSet, SiblingPathsReplaceTheLastThreeCharacters)
{
    struct Case {
        QString main, fct, stk, pst, cai;
    };
    const Case cases[] = {
        {"/data/set.vtr", "/data/set.fct", "/data/set.stk", "/data/set.pst", "/data/set.cai"},
        {"/data.old/x.VTR", "/data.old/x.fct", "/data.old/x.stk", "/data.old/x.pst", "/data.old/x.cai"},
        {"/data/noext", "/data/nofct", "/data/nostk", "/data/nopst", "/data/nocai"},
        {"", "fct", "stk", "pst", "cai"},
        {"ab", "fct", "stk", "pst", "cai"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.main.toStdString());
        fiche.CheminFichier = c.main;
        fiche.Synchro();
        EXPECT_EQ(fiche.CheminFactures, c.fct);
        EXPECT_EQ(fiche.CheminArticles, c.stk);
        EXPECT_EQ(fiche.CheminPostes, c.pst);
        EXPECT_EQ(fiche.CheminTickets, c.cai);
        EXPECT_EQ(fiche.CheminFichier, c.main);
    }
}

TEST_F(SavedSet, TextBeforeTheFirstBlockLoadsAndIsDroppedAtTheNextSave)
{
    WriteBytes(Path("set", "vtr"), Crlf(QList<QByteArray>{"Fichier clients", ""} + Block(0, 4, {"10001"})));
    WriteBytes(Path("set", "cai"), Crlf(QList<QByteArray>{"tickets"} + Block(0, 5, {"NUMT1"})));
    fiche.Charge(Path("set", "vtr"));
    EXPECT_EQ(fiche.NbClients, 1);
    EXPECT_EQ(fiche.NbTickets, 1);
    EXPECT_FALSE(fiche.DoitSauver);
    fiche.SetSauve();
    EXPECT_TRUE(fiche.Sauve(Path("set", "vtr")));
    EXPECT_EQ(ReadBytes(Path("set", "vtr")), Crlf(Block(0, 4, {"10001"})));
    EXPECT_EQ(ReadBytes(Path("set", "cai")), Crlf(Block(0, 5, {"NUMT1"})));
}

TEST_F(SavedSet, UnbalancedTagsAreRepairedAndTheSetIsToBeSaved)
{
    // A stray end tag: two start tags, three end tags.
    WriteBytes(Path("set", "vtr"),
               Crlf(Block(0, 4, {"10001"}) + Block(1, 4, {"10002"}) + QList<QByteArray>{"</BLOC0001>"}));
    WriteSet("set", {"stk", "fct", "pst", "cai"});
    fiche.Charge(Path("set", "vtr"));
    EXPECT_TRUE(fiche.DoitSauver);
    bool modified = false;
    fiche.TestModif(modified);
    EXPECT_TRUE(modified);
    EXPECT_TRUE(fiche.Sauve(Path("set", "vtr")));  // no save-as needed: the repair is a change
    EXPECT_EQ(ReadBytes(Path("set", "vtr")), Crlf(Block(0, 4, {"10001"}) + Block(1, 4, {"10002"})));
    EXPECT_FALSE(fiche.DoitSauver);
}

TEST_F(SavedSet, RemovingADuplicateBlockDoesNotMakeTheSetToBeSaved)
{
    WriteBytes(Path("set", "vtr"), Crlf(Block(0, 4, {"10001"}) + Block(1, 4, {"first"}) + Block(1, 4, {"second"})));
    fiche.Charge(Path("set", "vtr"));
    EXPECT_EQ(Bytes(fiche.ListeClients), Crlf(Block(0, 4, {"10001"}) + Block(1, 4, {"second"})));
    EXPECT_FALSE(fiche.DoitSauver);
}

TEST_F(SavedSet, ASuccessfulSaveClearsEveryModifiedFlag)
{
    WriteSet("set");
    fiche.Charge(Path("set", "vtr"));
    fiche.ModifClient = fiche.ModifArticle = fiche.ModifFacture = fiche.ModifPoste = fiche.ModifTicket = true;
    fiche.SetSauve();
    ASSERT_TRUE(fiche.Sauve(Path("set", "vtr")));
    EXPECT_FALSE(fiche.ModifClient);
    EXPECT_FALSE(fiche.ModifArticle);
    EXPECT_FALSE(fiche.ModifFacture);
    EXPECT_FALSE(fiche.ModifPoste);
    EXPECT_FALSE(fiche.ModifTicket);
    bool modified = true;
    fiche.TestModif(modified);  // closing right after the save has nothing to ask
    EXPECT_FALSE(modified);
}

// Lets files grow to `bytes` at most while it lives, as a full disk would (root included).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(SavedSet, AFailedSaveLeavesTheOldSetIntactAndTheSetToBeSaved)
{
    struct Case {
        const char* what;
        bool rootWritesAnyway;
        std::function<void()> breakIt;
        std::function<void()> repair;
    };
    std::unique_ptr<FullDisk> full;
    const QString folder = dir.path();
    const Case cases[] = {
        {"a file of the set is a folder", false,
         [&] {
             QFile::remove(Path("set", "pst"));
             QDir(folder).mkdir("set.pst");
         },
         [&] { QDir(folder).rmdir("set.pst"); }},
        {"the disk is full", false, [&] { full = std::make_unique<FullDisk>(200); }, [&] { full.reset(); }},
        {"the folder is read-only", true, [&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner); },
         [&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.rootWritesAnyway && ::geteuid() == 0)
            continue;
        for (const QString& e : Entries())
            QFile::remove(dir.filePath(e));
        WriteSet("set");
        TFiche f;
        f.Charge(Path("set", "vtr"));
        f.ListeClients.Add(QString(500, 'x'));  // a change bigger than the full disk lets through
        f.SetSauve();
        const QString title = f.windowTitle();
        c.breakIt();
        const QStringList before = Entries();
        dialogs.errors.clear();

        EXPECT_FALSE(f.Sauve(Path("set", "vtr")));
        const QStringList after = Entries();
        c.repair();

        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].contains("set.vtr")) << dialogs.errors[0].toStdString();
        EXPECT_EQ(after, before);  // no temporary file left behind
        for (const char* ext : {"vtr", "stk", "fct", "cai"})
            EXPECT_EQ(ReadBytes(Path("set", ext)), SetFiles().at(ext)) << ext;
        EXPECT_TRUE(f.DoitSauver);
        EXPECT_EQ(f.CheminFichier, Path("set", "vtr"));
        EXPECT_EQ(f.windowTitle(), title);
    }
}

TEST_F(SavedSet, AFailedSaveAsKeepsTheNameTheSetHad)
{
    WriteSet("set");
    fiche.Charge(Path("set", "vtr"));
    fiche.SetSauve();
    EXPECT_FALSE(fiche.Sauve(dir.filePath("no/such/folder/copy.vtr")));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains("copy.vtr")) << dialogs.errors[0].toStdString();
    EXPECT_EQ(fiche.CheminFichier, Path("set", "vtr"));
    EXPECT_EQ(fiche.CheminArticles, Path("set", "stk"));
    EXPECT_EQ(fiche.windowTitle(), "set.vtr");
    EXPECT_TRUE(fiche.DoitSauver);
}

TEST_F(SavedSet, NouveauStartsAnEmptySet)
{
    WriteSet("set");
    fiche.Charge(Path("set", "vtr"));
    fiche.AddCli("127.0.0.1");
    fiche.IndexClient = 2;
    fiche.IndexFacture = 1;
    fiche.ModifClient = fiche.ModifTicket = true;
    fiche.DoitSauver = true;
    fiche.Nouveau();
    for (int k = 0; k < TFiche::KindCount; ++k) {
        const TFiche::RecordKind& d = TFiche::KindOf(static_cast<TFiche::Kind>(k));
        EXPECT_EQ((fiche.*d.list).Count(), 0) << k;
        EXPECT_EQ(fiche.*d.count, 0) << k;
        EXPECT_EQ(fiche.*d.index, 0) << k;
        EXPECT_FALSE(fiche.*d.modified) << k;
    }
    EXPECT_FALSE(fiche.DoitSauver);
    for (const QString* path : {&fiche.CheminFichier, &fiche.CheminFactures, &fiche.CheminArticles, &fiche.CheminPostes,
                                &fiche.CheminTickets})
        EXPECT_EQ(*path, "");
    EXPECT_EQ(fiche.windowTitle(), "");
    EXPECT_EQ(fiche.ListeConnexions.size(), 1);  // the connected workstations stay
}

}  // namespace
