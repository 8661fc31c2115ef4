// Block records on the card-file window: adding, deleting, rewriting, and the checks run around
// loading and saving, for each record kind.
#include <gtest/gtest.h>
#include <QApplication>
#include <QStringList>
#include <functional>
#include "manager/cardfile/fiche.h"
#include "support/blocks.h"
#include "support/scripted_dialogs.h"

namespace {

using cards::Join;
using K = TFiche::Kind;

int WidthOf(K k)
{
    return k == TFiche::KTicket ? 5 : 4;
}

QString Tag(K k, int n, bool end = false)
{
    return cards::Tag(n, WidthOf(k), end);
}

// Block n with one field line "f<n>" (or the given fields); `closed` false leaves the end tag out.
QStringList B(K k, int n, QStringList fields = {}, bool closed = true)
{
    if (fields.isEmpty())
        fields << QStringLiteral("f%1").arg(n);
    QStringList lines{Tag(k, n)};
    lines << fields;
    if (closed)
        lines << Tag(k, n, true);
    return lines;
}

QStringList Open(K k, int n)
{
    return B(k, n, {}, false);
}

const char* Name(K k)
{
    static const char* names[] = {"customers", "invoices", "articles", "machines", "tickets"};
    return names[k];
}

struct Fixture {
    TFiche fiche;

    void Show(K k) { fiche.PageControl1->setCurrentWidget(fiche.*TFiche::KindOf(k).page); }
    void Set(K k, const QStringList& lines, int count, int index)
    {
        fiche.ListOf(k) = lines;
        fiche.*TFiche::KindOf(k).count = count;
        fiche.*TFiche::KindOf(k).index = index;
    }
    QStringList Lines(K k) { return fiche.ListOf(k).ToStringList(); }
    int Count(K k) { return fiche.*TFiche::KindOf(k).count; }
    int Index(K k) { return fiche.*TFiche::KindOf(k).index; }
};

}  // namespace

// ---- deleting -----------------------------------------------------------------------------------

struct DeleteCase {
    const char* what;
    K kind;
    QStringList before;
    int count, index;
    QStringList after;
    int countAfter, indexAfter;
};

void PrintTo(const DeleteCase& c, std::ostream* os)
{
    *os << c.what;
}

class Supprime : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(Supprime, RemovesTheCurrentBlockAndRenumbersTheLaterOnes)
{
    const DeleteCase& c = GetParam();
    Fixture f;
    f.Set(c.kind, c.before, c.count, c.index);
    f.Show(c.kind);
    f.fiche.Supprime();
    EXPECT_EQ(f.Lines(c.kind), c.after);
    EXPECT_EQ(f.Count(c.kind), c.countAfter);
    EXPECT_EQ(f.Index(c.kind), c.indexAfter);
    EXPECT_TRUE(f.fiche.DoitSauver);
}

const K C = TFiche::KClient, F = TFiche::KFacture, A = TFiche::KArticle, P = TFiche::KPoste, T = TFiche::KTicket;

INSTANTIATE_TEST_SUITE_P(
    Cases, Supprime,
    ::testing::Values(
        DeleteCase{"middle customer", C, Join({B(C, 0), B(C, 1), B(C, 2)}), 3, 1, Join({B(C, 0), B(C, 1, {"f2"})}), 2,
                   1},
        DeleteCase{"last customer moves the card back", C, Join({B(C, 0), B(C, 1), B(C, 2)}), 3, 2,
                   Join({B(C, 0), B(C, 1)}), 2, 1},
        DeleteCase{"only customer leaves the blank card", C, B(C, 0), 1, 0, {}, 1, 0},
        DeleteCase{"invoices out of order", F, Join({B(F, 2), B(F, 0), B(F, 1)}), 3, 0,
                   Join({B(F, 1, {"f2"}), B(F, 0, {"f1"})}), 2, 0},
        DeleteCase{"articles", A, Join({B(A, 0), B(A, 1)}), 2, 0, B(A, 0, {"f1"}), 1, 0},
        DeleteCase{"machines", P, Join({B(P, 0), B(P, 1), B(P, 2)}), 3, 1, Join({B(P, 0), B(P, 1, {"f2"})}), 2, 1},
        DeleteCase{"tickets have five digits", T, Join({B(T, 0), B(T, 1), B(T, 2)}), 3, 0,
                   Join({B(T, 0, {"f1"}), B(T, 1, {"f2"})}), 2, 0},
        DeleteCase{"empty list keeps index 0", T, {}, 0, 0, {}, 0, 0},
        DeleteCase{"unwritten new card", C, Join({B(C, 0), B(C, 1)}), 3, 2, Join({B(C, 0), B(C, 1)}), 2, 1},
        DeleteCase{"block without end tag stops at the next block", C, Join({B(C, 0), Open(C, 1), B(C, 2)}), 3, 1,
                   Join({B(C, 0), B(C, 1, {"f2"})}), 2, 1},
        DeleteCase{"last block without end tag", P, Join({B(P, 0), Open(P, 1)}), 2, 1, B(P, 0), 1, 0},
        DeleteCase{"tag that is not a number stays", A,
                   Join({B(A, 0), B(A, 1), {"<BLOCab12>", "x", "</BLOCab12>"}, B(A, 2)}), 3, 0,
                   Join({B(A, 0, {"f1"}), {"<BLOCab12>", "x", "</BLOCab12>"}, B(A, 1, {"f2"})}), 2, 0}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        return name.toStdString();
    });

TEST(SupprimeElsewhere, TheRoomAndHistoryPagesDeleteNothing)
{
    Fixture f;
    for (QWidget* page : {f.fiche.TabSheet6, f.fiche.TabSheet7}) {
        f.Set(C, Join({B(C, 0), B(C, 1)}), 2, 1);
        f.fiche.PageControl1->setCurrentWidget(page);
        f.fiche.Supprime();
        EXPECT_EQ(f.Lines(C), Join({B(C, 0), B(C, 1)}));
        EXPECT_EQ(f.Count(C), 2);
        EXPECT_FALSE(f.fiche.DoitSauver);
    }
}

// ---- rewriting ----------------------------------------------------------------------------------

struct RewriteCase {
    const char* what;
    K kind;
    QStringList before;
    int count, index;
    QStringList after;
    int countAfter;
};

void PrintTo(const RewriteCase& c, std::ostream* os)
{
    *os << c.what;
}

class RewriteBlock : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteBlock, PutsTheCardsLinesIntoItsBlock)
{
    const RewriteCase& c = GetParam();
    Fixture f;
    f.Set(c.kind, c.before, c.count, c.index);
    f.fiche.RewriteBlock(c.kind, {QStringLiteral("new"), QStringLiteral("MEMOx")});
    EXPECT_EQ(f.Lines(c.kind), c.after);
    EXPECT_EQ(f.Count(c.kind), c.countAfter);
    EXPECT_TRUE(f.fiche.DoitSauver);
}

const QStringList N{"new", "MEMOx"};

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteBlock,
    ::testing::Values(
        RewriteCase{"customer keeps its place", C, Join({B(C, 0), B(C, 1), B(C, 2)}), 3, 1,
                    Join({B(C, 0), B(C, 1, N), B(C, 2)}), 3},
        RewriteCase{"machine keeps its place", P, Join({B(P, 0), B(P, 1)}), 2, 0, Join({B(P, 0, N), B(P, 1)}), 2},
        RewriteCase{"ticket keeps its place", T, Join({B(T, 0), B(T, 1)}), 2, 0, Join({B(T, 0, N), B(T, 1)}), 2},
        RewriteCase{"invoice moves to the end", F, Join({B(F, 0), B(F, 1)}), 2, 0, Join({B(F, 1), B(F, 0, N)}), 2},
        RewriteCase{"new block goes to the end", A, Join({B(A, 0), B(A, 1)}), 3, 2,
                    Join({B(A, 0), B(A, 1), B(A, 2, N)}), 3},
        RewriteCase{"first block of an empty list", C, {}, 0, 0, B(C, 0, N), 1},
        RewriteCase{"last block in the list", C, Join({B(C, 0), B(C, 1)}), 2, 1, Join({B(C, 0), B(C, 1, N)}), 2},
        RewriteCase{"old block without end tag", C, Join({B(C, 0), Open(C, 1), B(C, 2)}), 3, 1,
                    Join({B(C, 0), B(C, 1, N), B(C, 2)}), 3},
        RewriteCase{"stray lines stay", C, Join({{"titre"}, B(C, 0), {"entre"}, B(C, 1)}), 2, 1,
                    Join({{"titre"}, B(C, 0), {"entre"}, B(C, 1, N)}), 2},
        RewriteCase{"duplicate: the first one is rewritten", P, Join({B(P, 0), B(P, 0, {"g"})}), 1, 0,
                    Join({B(P, 0, N), B(P, 0, {"g"})}), 1}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QLatin1Char(' '), QLatin1Char('_')).remove(QLatin1Char(':'));
        return name.toStdString();
    });

// ---- adding -------------------------------------------------------------------------------------

struct AddCase {
    K kind;
    int count;
    bool full;
};

void PrintTo(const AddCase& c, std::ostream* os)
{
    *os << Name(c.kind) << " " << c.count;
}

class Ajout : public ::testing::TestWithParam<AddCase> {};

TEST_P(Ajout, AddsARecordUpToTheKindsCapacity)
{
    const AddCase& c = GetParam();
    Fixture f;
    f.fiche.show();
    QApplication::setActiveWindow(&f.fiche);
    // The last record has its block: only a record already written makes room for a new one.
    const QStringList last = c.count > 0 ? B(c.kind, c.count - 1) : QStringList();
    f.Set(c.kind, last, c.count, 3);
    f.Show(c.kind);
    f.fiche.ProchainClient = 10042;
    f.fiche.ProchainArticle = 10043;
    f.fiche.ProchainPoste = 10044;
    f.fiche.ProchainTicket = 202405017;
    const TFiche::RecordKind& d = TFiche::KindOf(c.kind);
    (f.fiche.*d.codeEdit)->setText(QStringLiteral("avant"));
    f.fiche.*d.modified = false;  // an untouched card: the writer leaves the list alone
    {
        ScriptedDialogs dialogs;
        if (c.full)
            dialogs.message(QStringLiteral("Le fichier est plein"));
        f.fiche.Ajout();
    }
    if (c.full) {
        EXPECT_EQ(f.Count(c.kind), c.count);
        EXPECT_EQ(f.Index(c.kind), 3);
        EXPECT_EQ((f.fiche.*d.codeEdit)->text(), QStringLiteral("avant"));
    } else {
        EXPECT_EQ(f.Count(c.kind), c.count + 1);
        EXPECT_EQ(f.Index(c.kind), c.count);
        const int code = c.kind == C   ? f.fiche.ProchainClient
                         : c.kind == A ? f.fiche.ProchainArticle
                         : c.kind == P ? f.fiche.ProchainPoste
                                       : f.fiche.ProchainTicket;
        EXPECT_EQ((f.fiche.*d.codeEdit)->text(), QString::number(code));
        EXPECT_EQ(QApplication::focusWidget(), f.fiche.*d.focus);
    }
    EXPECT_EQ(f.Lines(c.kind), last);  // the new record's block comes with the first write
}

INSTANTIATE_TEST_SUITE_P(Cases, Ajout,
                         ::testing::Values(AddCase{C, 9998, false}, AddCase{C, 9999, true}, AddCase{A, 0, false},
                                           AddCase{A, 9999, true}, AddCase{P, 9998, false}, AddCase{P, 9999, true},
                                           AddCase{T, 98998, false}, AddCase{T, 98999, true}),
                         [](const auto& info) {
                             return std::string(Name(info.param.kind)) + "_" + std::to_string(info.param.count);
                         });

// A new record has no block until its card is written: "Nouvelle fiche" again on that blank card
// shows it anew instead of leaving a number without a block, which would put every record typed
// after it out of reach once the set is loaded again.
TEST(AjoutTwice, ABlankNewRecordIsNotAddedTwice)
{
    for (const K k : {TFiche::KClient, TFiche::KArticle, TFiche::KPoste, TFiche::KTicket}) {
        SCOPED_TRACE(Name(k));
        Fixture f;
        f.Set(k, Join({B(k, 0), B(k, 1)}), 2, 0);
        f.Show(k);
        f.fiche.Ajout();
        f.fiche.Ajout();
        EXPECT_EQ(f.Count(k), 3);
        EXPECT_EQ(f.Index(k), 2);
        // Once written, the new record makes room for the next one.
        f.fiche.RewriteBlock(k, {QStringLiteral("nouveau")});
        f.fiche.Ajout();
        EXPECT_EQ(f.Count(k), 4);
        EXPECT_EQ(f.Index(k), 3);
        EXPECT_EQ(f.Lines(k), Join({B(k, 0), B(k, 1), B(k, 2, {QStringLiteral("nouveau")})}));
    }
}

TEST(AjoutElsewhere, TheRoomAndHistoryPagesAddNothing)
{
    Fixture f;
    for (QWidget* page : {f.fiche.TabSheet6, f.fiche.TabSheet7}) {
        f.fiche.PageControl1->setCurrentWidget(page);
        f.fiche.Ajout();
        for (int k = 0; k < TFiche::KindCount; ++k)
            EXPECT_EQ(f.Count(K(k)), 0);
    }
}

// ---- checks after loading, trimming before saving -----------------------------------------------

struct SqueezeCase {
    QStringList before, after;
};

void PrintTo(const SqueezeCase& c, std::ostream* os)
{
    *os << c.before.join(QLatin1Char('|')).toStdString();
}

class Squize : public ::testing::TestWithParam<SqueezeCase> {};

TEST_P(Squize, DropsTheLinesBeforeTheFirstBlock)
{
    Fixture f;
    f.Set(C, GetParam().before, 0, 0);
    f.fiche.TrimForSave(C);
    EXPECT_EQ(f.Lines(C), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, Squize,
                         ::testing::Values(SqueezeCase{Join({{"", "Fichier clients"}, B(C, 0)}), B(C, 0)},
                                           SqueezeCase{Join({{"</BLOC0000>"}, B(C, 0), {"entre"}, B(C, 1)}),
                                                       Join({B(C, 0), {"entre"}, B(C, 1)})},
                                           SqueezeCase{{"a", "b", "</BLOC0001>"}, {}}, SqueezeCase{{}, {}},
                                           SqueezeCase{Join({B(C, 0), {"fin"}}), Join({B(C, 0), {"fin"}})}));

struct LoadCase {
    const char* what;
    K kind;
    QStringList loaded;
    QStringList after;
    int countAfter;
    bool mustSave;
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.what;
}

class CheckLoaded : public ::testing::TestWithParam<LoadCase> {};

// The loader counts the start lines; then the tags are checked and the duplicates removed.
TEST_P(CheckLoaded, RepairsTheListAsLoaded)
{
    const LoadCase& c = GetParam();
    Fixture f;
    int starts = 0;
    for (const QString& l : c.loaded)
        starts += l.startsWith(QLatin1String("<BLOC"));
    f.Set(c.kind, c.loaded, starts, 0);
    f.fiche.CheckLoaded(c.kind);
    EXPECT_EQ(f.Lines(c.kind), c.after);
    EXPECT_EQ(f.Count(c.kind), c.countAfter);
    EXPECT_EQ(f.fiche.DoitSauver, c.mustSave);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckLoaded,
    ::testing::Values(
        LoadCase{"balanced list untouched", C, Join({{"titre"}, B(C, 1), B(C, 0)}), Join({{"titre"}, B(C, 1), B(C, 0)}),
                 2, false},
        LoadCase{"unbalanced tickets rebuilt in order", T, Join({{"x"}, B(T, 2), {"</BLOC00009>"}, B(T, 0), B(T, 1)}),
                 Join({B(T, 0), B(T, 1), B(T, 2)}), 3, true},
        LoadCase{"blocks numbered beyond the count are dropped", A, Join({B(A, 0), B(A, 5), {"</BLOC0000>"}}), B(A, 0),
                 1, true},
        LoadCase{"block without end tag ends at the next block, no record is counted twice", C,
                 Join({Open(C, 0), B(C, 1), B(C, 2)}), Join({Open(C, 0), B(C, 1), B(C, 2)}), 3, true},
        LoadCase{"two blocks without end tag each end at the next block", C, Join({Open(C, 0), Open(C, 1), B(C, 2)}),
                 Join({Open(C, 0), Open(C, 1), B(C, 2)}), 3, true},
        LoadCase{"second block 0003: the first goes, the count stays", C,
                 Join({B(C, 0), B(C, 1), B(C, 2), B(C, 3), B(C, 3, {"second"})}),
                 Join({B(C, 0), B(C, 1), B(C, 2), B(C, 3, {"second"})}), 5, false},
        LoadCase{"three blocks of one number lose one", P, Join({B(P, 0, {"a"}), B(P, 0, {"b"}), B(P, 0, {"c"})}),
                 Join({B(P, 0, {"b"}), B(P, 0, {"c"})}), 3, false},
        LoadCase{"a number that does not read stops the duplicate removal", F,
                 Join({B(F, 0), B(F, 0, {"dup"}), {"<BLOCab12>", "</BLOCab12>"}}),
                 Join({B(F, 0), B(F, 0, {"dup"}), {"<BLOCab12>", "</BLOCab12>"}}), 3, false},
        LoadCase{"duplicates above the count are not counted", C, Join({B(C, 0), B(C, 7), B(C, 7)}),
                 Join({B(C, 0), B(C, 7), B(C, 7)}), 3, false}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QLatin1Char(' '), QLatin1Char('_')).remove(QLatin1Char(':')).remove(QLatin1Char(','));
        return name.toStdString();
    });

// ---- the numbered family members each reach their own kind --------------------------------------

TEST(FamilyMembers, EachNumberedMemberWorksOnItsOwnList)
{
    using Op = std::function<void(TFiche&)>;
    struct Entry {
        const char* name;
        Op op;
        K kind;
    };
    const std::vector<Entry> entries{
        {"SupBloc", [](TFiche& t) { t.SupBloc(0); }, C},    {"SupBloc2", [](TFiche& t) { t.SupBloc2(0); }, F},
        {"SupBloc3", [](TFiche& t) { t.SupBloc3(0); }, A},  {"SupBloc4", [](TFiche& t) { t.SupBloc4(0); }, P},
        {"SupBloc5", [](TFiche& t) { t.SupBloc5(0); }, T},  {"Renum", [](TFiche& t) { t.Renum(); }, C},
        {"Renum2", [](TFiche& t) { t.Renum2(); }, F},       {"Renum3", [](TFiche& t) { t.Renum3(); }, A},
        {"Renum4", [](TFiche& t) { t.Renum4(); }, P},       {"Renum5", [](TFiche& t) { t.Renum5(); }, T},
        {"Squize", [](TFiche& t) { t.Squize(); }, C},       {"Squize2", [](TFiche& t) { t.Squize2(); }, F},
        {"Squize3", [](TFiche& t) { t.Squize3(); }, A},     {"Squize4", [](TFiche& t) { t.Squize4(); }, P},
        {"Squize5", [](TFiche& t) { t.Squize5(); }, T},     {"Verif", [](TFiche& t) { t.Verif(); }, C},
        {"Verif2", [](TFiche& t) { t.Verif2(); }, F},       {"Verif3", [](TFiche& t) { t.Verif3(); }, A},
        {"Verif4", [](TFiche& t) { t.Verif4(); }, P},       {"Verif5", [](TFiche& t) { t.Verif5(); }, T},
        {"Doublons", [](TFiche& t) { t.Doublons(); }, C},   {"Doublons2", [](TFiche& t) { t.Doublons2(); }, F},
        {"Doublons3", [](TFiche& t) { t.Doublons3(); }, A}, {"Doublons4", [](TFiche& t) { t.Doublons4(); }, P},
        {"Doublons5", [](TFiche& t) { t.Doublons5(); }, T},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        Fixture f;
        // A list every member changes: a stray line, an unbalanced tag, block 0 twice, block 1.
        auto start = [](K k) { return Join({{"x", Tag(k, 5, true)}, B(k, 0), B(k, 0, {"d"}), B(k, 1)}); };
        for (int k = 0; k < TFiche::KindCount; ++k)
            f.Set(K(k), start(K(k)), 3, 0);
        e.op(f.fiche);
        for (int k = 0; k < TFiche::KindCount; ++k)
            EXPECT_EQ(f.Lines(K(k)) == start(K(k)), K(k) != e.kind) << Name(K(k));
    }
}
