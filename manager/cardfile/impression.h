#pragma once
// One print job of the card file on the process's canvas, in the card file's terms: positions in
// whole millimetres through Mh and Mv, the font "Arial".
//
// Creating it sets the orientation and begins the document in "Arial" 10; a printer that cannot
// tell its page size, or that refuses the job, is reported and nothing starts (Commence() is
// false). However the job leaves (its end, or an error thrown half way that the event dispatch
// will report), the document is ended and the orientation goes back to portrait.
#include <QString>
#include <initializer_list>
#include "platform/print/canvas.h"

class QPlainTextEdit;
class TFiche;
class TStringGrid;

class TravailImpression {
public:
    TravailImpression(TFiche& fiche, platform::Orientation orientation);
    ~TravailImpression();
    TravailImpression(const TravailImpression&) = delete;
    TravailImpression& operator=(const TravailImpression&) = delete;

    bool Commence() const { return started_; }

    // A text with its top-left corner at (x, y) mm. A text whose top falls below the page is not
    // drawn: a card that runs past its page is cut there.
    void Texte(int x, int y, const QString& text);
    // A text ending at x mm: drawn at Mh(x) minus its width on the printer.
    void TexteADroite(int x, int y, const QString& text);
    void Trait(int x1, int y1, int x2, int y2);
    void Cadre(int x1, int y1, int x2, int y2);
    void Police(int size, bool bold);
    void Plume(int pixels);
    // A grid's rows from its header row (row 0) on, 5 mm apart from y mm, its columns at the x
    // given; the rows stop at the first one whose column 0 is empty.
    void Grille(const TStringGrid* grid, int y, std::initializer_list<int> columns);
    // A list's column header: each label at its x on the page's first line (y 0), then the rule
    // from 5 mm to 300 mm under it.
    struct Colonne {
        int x;
        const char* label;
    };
    void EnTeteListe(std::initializer_list<Colonne> columns);
    // Each line of a memo, 5 mm apart from y mm.
    void Memo(const QPlainTextEdit* memo, int x, int y);
    void NouvellePage();
    // Whether a list row at y mm lies past the bottom margin: Mv(y) > page height - Mv(20).
    bool FinDePage(int y) const;

private:
    TFiche& fiche_;
    platform::Canvas& canvas_;
    bool started_ = false;
};
