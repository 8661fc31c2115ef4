#pragma once
// The letter editor: formatted text with font, size, bold, italic, underline, alignment and
// bullets, a ruler whose markers set the paragraph's indents, the company heading for a new
// letter, and letters opened, saved and printed as RTF files. No letter is lost: every command
// that would drop the text asks first, and a letter is written all or nothing.
#include <QDialog>
#include <QString>
#include "ui_texte.h"

class QTextCharFormat;

class TTexte : public QDialog, public Ui::Texte {
    Q_OBJECT

public:
    explicit TTexte(QWidget* owner);

    // The four heading lines of the next new letter.
    void Setsoc(const QString& Line1, const QString& Line2, const QString& Line3, const QString& Line4);
    void GetIni(int& Left, int& Top, int& Height, int& Width) const;
    // Each bound applies only within its range (left 0-1399, top 0-1199, width 400-1399,
    // height 200-1199); the others stay.
    void SetIni(int Left, int Top, int Height, int Width);

    // The toolbar and the ruler brought into line with the selection.
    void SelectionChange();

    // ---- the toolbar's commands ------------------------------------------------------------------
    void Nouveau();        // after the save prompt: the heading lines alone
    void Ouvrir();         // after the save prompt: a letter from a file
    bool Enregistrer();    // false when nothing was written (cancelled, refused or failed)
    void Imprimer();
    void Police();         // the font dialog on the selection

    // The paragraph's indents in points, as the ruler sets them: the first line from the left
    // edge, the other lines from the first line's start, and the right indent.
    struct Retraits {
        int FirstIndent = 0, LeftIndent = 0, RightIndent = 0;
    };
    Retraits Paragraphe() const;
    void SetParagraphe(const Retraits& r);

    QString NomFichier;   // the letter's file; empty for a letter never saved or opened

protected:
    void reject() override;   // closing asks the save question first
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControls();
    // False when the command that asked must stop.
    bool SavePrompt();
    // Merges `change` into the selection, or into what is typed next when nothing is selected.
    void CurrText(const QTextCharFormat& change);
    void Aligner(Qt::Alignment alignment);
    void Puces(bool on);

    // ---- the ruler (texte_regle.cpp) -------------------------------------------------------------
    void ConstruitRegle();
    void PlaceMarqueurs();
    void PeintRegle();
    bool SourisRegle(QLabel* marker, QEvent* event);

    QString heading_[4];
    bool updating_ = false;
    bool dragging_ = false;
    int dragOffset_ = 0;
    QString rulerCaption_;
    // True once the letter was read from NomFichier or written to it: saving there again needs no
    // question. A new letter has no file of its own yet, whatever NomFichier still names.
    bool ownFile_ = false;
};
