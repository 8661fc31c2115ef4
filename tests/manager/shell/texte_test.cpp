// The letter editor's window: its controls, the format commands on the selection or on what is
// typed next, the toolbar following the selection, the ruler's markers and the window's bounds.
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTextList>
#include "texte_fixture.h"

namespace {

QFont FontAt(QTextEdit* edit, int position)
{
    QTextCursor c(edit->document());
    c.setPosition(position);
    c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return c.charFormat().font().resolve(edit->document()->defaultFont());
}

TEST_F(TexteTest, OpensEmptyWithItsControlsInLineWithTheDefaultFont)
{
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Texte"));
    EXPECT_TRUE(editor->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(Lines(), QStringList{""});
    EXPECT_FALSE(Modified());
    EXPECT_EQ(editor->ComboBox1->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(Items(editor->ComboBox1).size(), QFontDatabase::families().size());
    EXPECT_TRUE(Items(editor->ComboBox1).contains(QStringLiteral("Liberation Serif")));
    EXPECT_EQ(editor->SpinEdit1->minimum(), 4);
    EXPECT_EQ(editor->SpinEdit1->maximum(), 72);
    EXPECT_EQ(editor->SpinEdit1->value(), 13);
    EXPECT_TRUE(editor->SpeedButton9->isChecked());
    const struct { QAbstractButton* button; const char* hint; } hints[] = {
        {editor->SpeedButton2, "Enregistrer"}, {editor->SpeedButton3, "Imprimer"},  {editor->SpeedButton4, "Copier"},
        {editor->SpeedButton5, "Coller"},      {editor->SpeedButton6, "Gras"},      {editor->SpeedButton7, "Italique"},
        {editor->SpeedButton8, "Souligné"},    {editor->SpeedButton9, "Gauche"},    {editor->SpeedButton10, "Centré"},
        {editor->SpeedButton11, "Droite"},     {editor->SpeedButton12, "Puces"},    {editor->SpeedButton18, "Police"},
    };
    for (const auto& h : hints)
        EXPECT_EQ(h.button->toolTip(), QString::fromUtf8(h.hint));
    EXPECT_EQ(editor->Button1->text(), QStringLiteral("Fermer"));
    EXPECT_EQ(editor->Button1->x(), editor->width() - 90);
}

TEST_F(TexteTest, StylesApplyToTheSelectionOrToWhatIsTypedNext)
{
    // Nothing selected: the style goes to the text typed next.
    Click(editor->SpeedButton6);
    TypeText(QStringLiteral("gras"));
    Click(editor->SpeedButton6);
    TypeText(QStringLiteral(" maigre"));
    EXPECT_TRUE(FontAt(editor->RichEdit1, 0).bold());
    EXPECT_FALSE(FontAt(editor->RichEdit1, 6).bold());

    // A selection: the style goes to it alone.
    Select(5, 11);
    Click(editor->SpeedButton7);
    Click(editor->SpeedButton8);
    EXPECT_TRUE(FontAt(editor->RichEdit1, 5).italic());
    EXPECT_TRUE(FontAt(editor->RichEdit1, 10).underline());
    EXPECT_FALSE(FontAt(editor->RichEdit1, 0).italic());
    Click(editor->SpeedButton7);
    EXPECT_FALSE(FontAt(editor->RichEdit1, 5).italic());
    EXPECT_TRUE(FontAt(editor->RichEdit1, 5).underline());

    // The buttons show the style where the cursor stands.
    Select(2, 2);
    EXPECT_TRUE(editor->SpeedButton6->isChecked());
    EXPECT_FALSE(editor->SpeedButton8->isChecked());
    Select(8, 8);
    EXPECT_FALSE(editor->SpeedButton6->isChecked());
    EXPECT_TRUE(editor->SpeedButton8->isChecked());
}

TEST_F(TexteTest, FontNameSizeAndTheFontDialogApplyToTheSelection)
{
    TypeText(QStringLiteral("un deux trois"));
    Select(3, 7);
    editor->ComboBox1->setCurrentText(QStringLiteral("Liberation Sans"));
    emit editor->ComboBox1->textActivated(QStringLiteral("Liberation Sans"));
    editor->SpinEdit1->setValue(20);
    EXPECT_EQ(FontAt(editor->RichEdit1, 3).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(FontAt(editor->RichEdit1, 3).pointSize(), 20);
    EXPECT_EQ(FontAt(editor->RichEdit1, 0).pointSize(), 13);

    // The dialog starts from the selection's font; cancelled, it changes nothing.
    Select(8, 13);
    QFont preset;
    dialogs.font(QFont(QStringLiteral("Liberation Mono"), 9, QFont::Bold, true), [&](const QFont& f) { preset = f; })
        .fontCancel();
    Click(editor->SpeedButton18);
    EXPECT_EQ(preset.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(preset.pointSize(), 13);
    const QFont chosen = FontAt(editor->RichEdit1, 9);
    EXPECT_EQ(chosen.family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(chosen.pointSize(), 9);
    EXPECT_TRUE(chosen.bold() && chosen.italic());
    Click(editor->SpeedButton18);
    EXPECT_EQ(FontAt(editor->RichEdit1, 9).family(), QStringLiteral("Liberation Mono"));

    // The size box and the name follow the cursor.
    Select(4, 4);
    EXPECT_EQ(editor->SpinEdit1->value(), 20);
    EXPECT_EQ(editor->ComboBox1->currentText(), QStringLiteral("Liberation Sans"));
}

TEST_F(TexteTest, AlignmentAndBulletsApplyToTheParagraph)
{
    TypeText(QStringLiteral("un\rdeux\rtrois"));
    QTextDocument* doc = editor->RichEdit1->document();
    Select(4, 4);   // in "deux"
    Click(editor->SpeedButton10);
    EXPECT_EQ(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    Click(editor->SpeedButton11);
    EXPECT_EQ(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(editor->SpeedButton11->isChecked());
    EXPECT_FALSE(editor->SpeedButton10->isChecked());

    Select(1, 9);   // "un" to "trois": all three
    Click(editor->SpeedButton12);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(doc->findBlockByNumber(i).textList(), nullptr) << i;
    Select(4, 4);
    Click(editor->SpeedButton12);
    EXPECT_EQ(doc->findBlockByNumber(1).textList(), nullptr);
    EXPECT_NE(doc->findBlockByNumber(0).textList(), nullptr);

    // The buttons show the paragraph where the cursor stands.
    EXPECT_FALSE(editor->SpeedButton12->isChecked());
    EXPECT_TRUE(editor->SpeedButton11->isChecked());
    Select(0, 0);
    EXPECT_TRUE(editor->SpeedButton12->isChecked());
    EXPECT_TRUE(editor->SpeedButton9->isChecked());
}

TEST_F(TexteTest, TheMarkersShowTheParagraphsIndents)
{
    editor->SetParagraphe({30, 15, 60});
    editor->SelectionChange();
    EXPECT_EQ(editor->FirstInd->x(), 30 * 4 / 3 + 2);
    EXPECT_EQ(editor->LeftInd->x(), 45 * 4 / 3 + 2);
    EXPECT_EQ(editor->RightInd->x(), editor->Ruler->width() - 6 - 66 * 4 / 3);
    const QTextBlockFormat f = editor->RichEdit1->textCursor().blockFormat();
    EXPECT_DOUBLE_EQ(f.leftMargin(), 60);   // 45 points
    EXPECT_DOUBLE_EQ(f.textIndent(), -20);  // the first line 15 points to the left of the others
    EXPECT_DOUBLE_EQ(f.rightMargin(), 80);
}

// Drags `marker` so that its left edge ends at `x` on the ruler.
void Drag(QLabel* marker, int x)
{
    const QPoint grip(marker->width() / 2, marker->height() / 2);
    QTest::mousePress(marker, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(x - marker->x(), 0)), marker->mapToGlobal(QPointF(grip)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(marker, &move);
    QTest::mouseRelease(marker, Qt::LeftButton, {}, grip);
}

TEST_F(TexteTest, DraggingTheMarkersSetsTheIndents)
{
    TypeText(QStringLiteral("Un paragraphe assez long pour montrer ses retraits."));
    const struct { const char* name; int first, left, right; QLabel* TTexte::*marker; int x; TTexte::Retraits want; } cases[] = {
        // The left marker onto the first one: the other lines start with the first.
        {"left onto first", 30, 15, 0, &TTexte::LeftInd, 30 * 4 / 3 + 2, {30, 0, 0}},
        {"left further", 0, 0, 0, &TTexte::LeftInd, 62, {0, 45, 0}},
        // The first line moves; the other lines stay where they were.
        {"first", 0, 30, 0, &TTexte::FirstInd, 42, {30, 0, 0}},
        {"right", 0, 0, 0, &TTexte::RightInd, -1, {0, 0, 36}},
    };
    for (const auto& c : cases) {
        editor->SetParagraphe({c.first, c.left, c.right});
        editor->SelectionChange();
        QLabel* marker = editor.get()->*c.marker;
        const int x = c.x >= 0 ? c.x : editor->Ruler->width() - 6 - (36 + 6) * 4 / 3;
        Drag(marker, x);
        const TTexte::Retraits got = editor->Paragraphe();
        EXPECT_EQ(got.FirstIndent, c.want.FirstIndent) << c.name;
        EXPECT_EQ(got.LeftIndent, c.want.LeftIndent) << c.name;
        EXPECT_EQ(got.RightIndent, c.want.RightIndent) << c.name;
    }
}

TEST_F(TexteTest, SetIniAppliesEachBoundOnlyWithinItsRange)
{
    editor->showNormal();
    editor->setGeometry(10, 20, 600, 400);
    const struct { int left, top, height, width; int wantLeft, wantTop, wantHeight, wantWidth; } cases[] = {
        {100, 50, 300, 500, 100, 50, 300, 500},
        {-1, 1200, 199, 300, 100, 50, 300, 500},
        {1400, -5, 1200, 1400, 100, 50, 300, 500},
        {0, 0, 200, 400, 0, 0, 200, 400},
        {1399, 1199, 1199, 1399, 1399, 1199, 1199, 1399},
    };
    for (const auto& c : cases) {
        editor->SetIni(c.left, c.top, c.height, c.width);
        int left = 0, top = 0, height = 0, width = 0;
        editor->GetIni(left, top, height, width);
        EXPECT_EQ(QRect(left, top, width, height), QRect(c.wantLeft, c.wantTop, c.wantWidth, c.wantHeight))
            << c.left << " " << c.top << " " << c.height << " " << c.width;
    }
}

TEST_F(TexteTest, CopyAndPasteUseTheClipboard)
{
    TypeText(QStringLiteral("recopie"));
    Select(0, 7);
    Click(editor->SpeedButton4);
    Select(7, 7);
    Click(editor->SpeedButton5);
    EXPECT_EQ(Lines(), QStringList{"recopierecopie"});
}

TEST_F(TexteTest, EscapeDoesNotCloseTheEditor)
{
    TypeText(QStringLiteral("texte"));
    QTest::keyClick(editor->RichEdit1, Qt::Key_Escape);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Lines(), QStringList{"texte"});
}

}  // namespace
