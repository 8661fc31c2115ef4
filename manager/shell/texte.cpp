#include "manager/shell/texte.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <functional>
#include "manager/shell/dialogkit.h"
#include "manager/shell/toolicons.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/rtf/rtf.h"

namespace {

const QString Filtre = QStringLiteral("Fichiers rtf (*.rtf)|*.rtf");

// Four lines of text, aligned as the paragraph they stand for.
QIcon LinesIcon(Qt::Alignment alignment)
{
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(QColor(50, 50, 60), 1.5));
    const int widths[] = {14, 9, 14, 9};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = alignment == Qt::AlignLeft ? 3 : alignment == Qt::AlignRight ? 17 - w : (20 - w) / 2;
        p.drawLine(x, 4 + i * 4, x + w, 4 + i * 4);
    }
    return QIcon(picture);
}

QIcon BulletsIcon()
{
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(50, 50, 60));
        p.drawEllipse(QPointF(4.5, 5 + i * 5), 1.8, 1.8);
        p.setPen(QPen(QColor(50, 50, 60), 1.5));
        p.drawLine(QPointF(8, 5 + i * 5), QPointF(17, 5 + i * 5));
    }
    return QIcon(picture);
}

// The installed fonts' names, sorted as a list box sorts them.
QStringList FontNames()
{
    QStringList names = QFontDatabase::families();
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    names.removeDuplicates();
    return names;
}

bool SameFile(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

TTexte::TTexte(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    setWindowState(windowState() | Qt::WindowMaximized);

    // The same pictures as the main window's toolbar for the same acts.
    SpeedButton1->setIcon(ToolIcon(QStringLiteral("SpeedButton6")));
    SpeedButton13->setIcon(ToolIcon(QStringLiteral("OpenBtn")));
    SpeedButton2->setIcon(ToolIcon(QStringLiteral("SaveBtn")));
    SpeedButton3->setIcon(ToolIcon(QStringLiteral("SpeedButton8")));
    SpeedButton4->setIcon(ToolIcon(QStringLiteral("CopyBtn")));
    SpeedButton5->setIcon(ToolIcon(QStringLiteral("PasteBtn")));
    SpeedButton9->setIcon(LinesIcon(Qt::AlignLeft));
    SpeedButton10->setIcon(LinesIcon(Qt::AlignHCenter));
    SpeedButton11->setIcon(LinesIcon(Qt::AlignRight));
    SpeedButton12->setIcon(BulletsIcon());
    const auto styled = [](QToolButton* button, auto&& style) {
        QFont f(QStringLiteral("Times New Roman"), 11);
        style(f);
        button->setFont(f);
    };
    styled(SpeedButton6, [](QFont& f) { f.setBold(true); });
    styled(SpeedButton7, [](QFont& f) { f.setItalic(true); });
    styled(SpeedButton8, [](QFont& f) { f.setUnderline(true); });
    styled(SpeedButton18, [](QFont& f) { f.setBold(true); });
    SpeedButton18->setText(QStringLiteral("A"));
    auto* alignment = new QButtonGroup(this);
    for (QToolButton* b : {SpeedButton9, SpeedButton10, SpeedButton11})
        alignment->addButton(b);

    // 17 pixels on the screen the letters were made for: 13 points. The control's font is its
    // text's default.
    RichEdit1->setFont(QFont(QStringLiteral("Times New Roman"), 13));
    // The text keeps clear of the control's edges, where the ruler's markers start.
    RichEdit1->document()->setDocumentMargin(6);

    ComboBox1->addItems(FontNames());
    ComboBox1->setCurrentText(QStringLiteral("Times New Roman"));
    ConstruitRegle();
    ConnectControls();
    RichEdit1->document()->setModified(false);
    SelectionChange();
}

void TTexte::ConnectControls()
{
    const auto on = [this](auto* sender, auto signal, std::function<void()> handler) {
        connect(sender, signal, this, [handler = std::move(handler)] { platform::Guarded(handler); });
    };
    for (auto signal : {&QTextEdit::textChanged, &QTextEdit::selectionChanged, &QTextEdit::cursorPositionChanged})
        on(RichEdit1, signal, [this] { SelectionChange(); });
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this, [this] { SelectionChange(); });

    on(SpeedButton1, &QToolButton::clicked, [this] { Nouveau(); });
    on(SpeedButton13, &QToolButton::clicked, [this] { Ouvrir(); });
    on(SpeedButton2, &QToolButton::clicked, [this] { Enregistrer(); });
    on(SpeedButton3, &QToolButton::clicked, [this] { Imprimer(); });
    on(SpeedButton4, &QToolButton::clicked, [this] { RichEdit1->copy(); });
    on(SpeedButton5, &QToolButton::clicked, [this] { RichEdit1->paste(); });
    on(SpeedButton18, &QToolButton::clicked, [this] { Police(); });
    on(Button1, &QPushButton::clicked, [this] { close(); });

    const auto style = [this, &on](QToolButton* button, std::function<void(QTextCharFormat&, bool)> set) {
        on(button, &QToolButton::clicked, [this, button, set] {
            QTextCharFormat change;
            set(change, button->isChecked());
            CurrText(change);
        });
    };
    style(SpeedButton6, [](QTextCharFormat& f, bool on) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    style(SpeedButton7, [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
    style(SpeedButton8, [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
    on(SpeedButton9, &QToolButton::clicked, [this] { Aligner(Qt::AlignLeft); });
    on(SpeedButton10, &QToolButton::clicked, [this] { Aligner(Qt::AlignHCenter); });
    on(SpeedButton11, &QToolButton::clicked, [this] { Aligner(Qt::AlignRight); });
    on(SpeedButton12, &QToolButton::clicked, [this] { Puces(SpeedButton12->isChecked()); });
    connect(ComboBox1, &QComboBox::textActivated, this, [this](const QString& family) {
        platform::Guarded([&] {
            QTextCharFormat change;
            change.setFontFamilies({family});
            CurrText(change);
        });
    });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int size) {
        platform::Guarded([&] {
            QTextCharFormat change;
            change.setFontPointSize(size);
            CurrText(change);
        });
    });
}

void TTexte::Setsoc(const QString& Line1, const QString& Line2, const QString& Line3, const QString& Line4)
{
    heading_[0] = Line1;
    heading_[1] = Line2;
    heading_[2] = Line3;
    heading_[3] = Line4;
}

void TTexte::GetIni(int& Left, int& Top, int& Height, int& Width) const
{
    Left = x();
    Top = y();
    Height = height();
    Width = width();
}

void TTexte::SetIni(int Left, int Top, int Height, int Width)
{
    if (Left >= 0 && Left <= 1399)
        move(Left, y());
    if (Top >= 0 && Top <= 1199)
        move(x(), Top);
    if (Width >= 400 && Width <= 1399)
        resize(Width, height());
    if (Height >= 200 && Height <= 1199)
        resize(width(), Height);
}

// ---- the toolbar in line with the selection ---------------------------------------------------

void TTexte::SelectionChange()
{
    updating_ = true;
    const auto done = qScopeGuard([this] { updating_ = false; });
    PlaceMarqueurs();
    const QFont font = RichEdit1->currentCharFormat().font().resolve(RichEdit1->document()->defaultFont());
    SpeedButton6->setChecked(font.bold());
    SpeedButton7->setChecked(font.italic());
    SpeedButton8->setChecked(font.underline());
    SpeedButton12->setChecked(RichEdit1->textCursor().currentList() != nullptr);
    SpinEdit1->setValue(qRound(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75));
    ComboBox1->setCurrentText(font.families().value(0, font.family()));
    const Qt::Alignment alignment = RichEdit1->alignment() & Qt::AlignHorizontal_Mask;
    QToolButton* down = alignment == Qt::AlignHCenter ? SpeedButton10
                      : alignment == Qt::AlignRight   ? SpeedButton11
                      : alignment == Qt::AlignJustify ? nullptr
                                                      : SpeedButton9;
    // A justified paragraph (from a letter of another program) has no button of its own.
    SpeedButton9->group()->setExclusive(false);
    for (QToolButton* b : {SpeedButton9, SpeedButton10, SpeedButton11})
        b->setChecked(b == down);
    SpeedButton9->group()->setExclusive(true);
}

// ---- format commands --------------------------------------------------------------------------

void TTexte::CurrText(const QTextCharFormat& change)
{
    if (updating_)
        return;
    RichEdit1->mergeCurrentCharFormat(change);
}

void TTexte::Aligner(Qt::Alignment alignment)
{
    if (updating_)
        return;
    RichEdit1->setAlignment(alignment);
}

void TTexte::Puces(bool on)
{
    if (updating_)
        return;
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.beginEditBlock();
    if (on) {
        if (!cursor.currentList())
            cursor.createList(QTextListFormat::ListDisc);
    } else {
        QTextDocument* doc = RichEdit1->document();
        const QTextBlock last = doc->findBlock(cursor.selectionEnd());
        for (QTextBlock b = doc->findBlock(cursor.selectionStart()); b.isValid(); b = b.next()) {
            if (QTextList* list = b.textList()) {
                list->remove(b);
                QTextBlockFormat format = b.blockFormat();
                format.setIndent(0);
                QTextCursor(b).setBlockFormat(format);
            }
            if (b == last)
                break;
        }
    }
    cursor.endEditBlock();
    SelectionChange();
}

void TTexte::Police()
{
    QFont font = RichEdit1->currentCharFormat().font().resolve(RichEdit1->document()->defaultFont());
    if (!platform::Dialogs().fontDialog(font))
        return;
    QTextCharFormat change;
    change.setFontFamilies({font.family()});
    change.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75);
    change.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    change.setFontItalic(font.italic());
    change.setFontUnderline(font.underline());
    change.setFontStrikeOut(font.strikeOut());
    CurrText(change);
}

TTexte::Retraits TTexte::Paragraphe() const
{
    const QTextBlockFormat f = RichEdit1->textCursor().blockFormat();
    Retraits r;
    r.FirstIndent = qRound((f.leftMargin() + f.textIndent()) * 0.75);
    r.LeftIndent = qRound(-f.textIndent() * 0.75);
    r.RightIndent = qRound(f.rightMargin() * 0.75);
    return r;
}

void TTexte::SetParagraphe(const Retraits& r)
{
    // No line starts left of the page's edge, and none ends right of it.
    const int first = qMax(0, r.FirstIndent);
    const int others = qMax(0, r.FirstIndent + r.LeftIndent);
    QTextBlockFormat f;
    f.setLeftMargin(others * 4 / 3.0);
    f.setTextIndent((first - others) * 4 / 3.0);
    f.setRightMargin(qMax(0, r.RightIndent) * 4 / 3.0);
    RichEdit1->textCursor().mergeBlockFormat(f);
}

// ---- letters ----------------------------------------------------------------------------------

bool TTexte::SavePrompt()
{
    if (!RichEdit1->document()->isModified())
        return true;
    // A save cancelled or failed keeps the letter: the command that asked stops.
    return SaveChangesPrompt(NomFichier, [this] { return Enregistrer(); });
}

void TTexte::Nouveau()
{
    if (!SavePrompt())
        return;
    RichEdit1->clear();
    QTextCursor cursor(RichEdit1->document());
    for (const QString& line : heading_) {
        cursor.insertText(line);
        cursor.insertBlock();
    }
    RichEdit1->setTextCursor(cursor);
    ownFile_ = false;
}

void TTexte::Ouvrir()
{
    if (!SavePrompt())
        return;
    const QString path = platform::Dialogs().openFile(Filtre);
    if (path.isEmpty())
        return;
    QString error;
    if (!rtf::LoadFromFile(path, *RichEdit1->document(), &error)) {
        platform::MessageDlg(QStringLiteral("Impossible de lire %1.\n%2").arg(QFileInfo(path).fileName(), error),
                             platform::mtError, platform::mbOK);
        return;
    }
    NomFichier = path;
    ownFile_ = true;
    RichEdit1->setTextCursor(QTextCursor(RichEdit1->document()));
    RichEdit1->document()->setModified(false);
    SelectionChange();
}

bool TTexte::Enregistrer()
{
    QTextDocument* doc = RichEdit1->document();
    if (!doc->isModified())
        return true;
    const QString path = platform::Dialogs().saveFile(Filtre, NomFichier, {}, QStringLiteral("rtf"));
    if (path.isEmpty())
        return false;
    // Another file, another letter's perhaps: replaced only when the operator says so.
    if (!(ownFile_ && SameFile(path, NomFichier)) && QFileInfo::exists(path)
        && platform::MessageDlg(QStringLiteral("Ce fichier existe déjà"), platform::mtWarning,
                                platform::mbOK | platform::mbCancel)
               != platform::mrOk)
        return false;
    QString error;
    if (!rtf::SaveToFile(path, *doc, &error)) {
        platform::MessageDlg(QStringLiteral("Impossible d'enregistrer %1.\n%2").arg(QFileInfo(path).fileName(), error),
                             platform::mtError, platform::mbOK);
        return false;
    }
    NomFichier = path;
    ownFile_ = true;
    doc->setModified(false);
    return true;
}

void TTexte::Imprimer()
{
    if (!platform::Dialogs().printDialog())
        return;
    QPrinter& printer = platform::Printer();
    printer.setDocName(QString());
    RichEdit1->document()->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        platform::MessageDlg(QStringLiteral("Impossible d'imprimer la lettre."), platform::mtError, platform::mbOK);
}

// ---- the window -------------------------------------------------------------------------------

void TTexte::reject()
{
    bool close = false;
    platform::Guarded([&] { close = SavePrompt(); });
    if (close)
        QDialog::reject();
}

void TTexte::keyPressEvent(QKeyEvent* event)
{
    // Esc belongs to the text, as in any word processor: only "Fermer" and the title bar close.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TTexte::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Button1->move(width() - 90, Button1->y());
    RulerLine->resize(Ruler->contentsRect().width() - 2 * RulerLine->x(), RulerLine->height());
    PlaceMarqueurs();
}
