#include "manager/cardfile/impression.h"

#include <QPlainTextEdit>
#include <exception>
#include "manager/cardfile/fiche.h"
#include "platform/dialogs.h"
#include "platform/widgets/stringgrid.h"

TravailImpression::TravailImpression(TFiche& fiche, platform::Orientation orientation)
    : fiche_(fiche), canvas_(platform::PrinterCanvas())
{
    canvas_.SetOrientation(orientation);
    // Without its size in millimetres every position would be 0: the whole printout in one corner.
    if (fiche_.Mh(1) <= 0 || fiche_.Mv(1) <= 0) {
        platform::ShowMessage(
            QStringLiteral("L'imprimante ne donne pas la taille de sa page : rien n'a été imprimé."));
        return;
    }
    if (!canvas_.BeginDoc()) {
        platform::ShowMessage(canvas_.Error());
        return;
    }
    started_ = true;
}

TravailImpression::~TravailImpression()
{
    if (started_ && !canvas_.EndDoc()) {
        // Not from a destructor that may run while an error is on its way to the event dispatch.
        if (std::uncaught_exceptions() == 0)
            platform::ShowMessage(canvas_.Error());
    }
    canvas_.SetOrientation(platform::Orientation::Portrait);
}

void TravailImpression::Texte(int x, int y, const QString& text)
{
    const int top = fiche_.Mv(y);
    if (top >= canvas_.PageHeight())
        return;
    canvas_.TextOut(fiche_.Mh(x), top, text);
}

void TravailImpression::TexteADroite(int x, int y, const QString& text)
{
    const int top = fiche_.Mv(y);
    if (top >= canvas_.PageHeight())
        return;
    canvas_.TextOut(fiche_.Mh(x) - canvas_.TextWidth(text), top, text);
}

void TravailImpression::Trait(int x1, int y1, int x2, int y2)
{
    canvas_.Line(fiche_.Mh(x1), fiche_.Mv(y1), fiche_.Mh(x2), fiche_.Mv(y2));
}

void TravailImpression::Cadre(int x1, int y1, int x2, int y2)
{
    canvas_.Rectangle(fiche_.Mh(x1), fiche_.Mv(y1), fiche_.Mh(x2), fiche_.Mv(y2));
}

void TravailImpression::Police(int size, bool bold)
{
    canvas_.SetFont(QStringLiteral("Arial"), size, bold);
}

void TravailImpression::Plume(int pixels)
{
    canvas_.SetPenWidth(pixels);
}

void TravailImpression::Grille(const TStringGrid* grid, int y, std::initializer_list<int> columns)
{
    for (int r = 0; r < grid->RowCount() && !grid->Cells(0, r).isEmpty(); ++r) {
        int c = 0;
        for (const int x : columns)
            Texte(x, y + 5 * r, grid->Cells(c++, r));
    }
}

void TravailImpression::EnTeteListe(std::initializer_list<Colonne> columns)
{
    for (const Colonne& c : columns)
        Texte(c.x, 0, QString::fromUtf8(c.label));
    Trait(5, 5, 300, 5);
}

void TravailImpression::Memo(const QPlainTextEdit* memo, int x, int y)
{
    const QString text = memo->toPlainText();
    if (text.isEmpty())
        return;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        Texte(x, y + 5 * i, lines[i]);
}

void TravailImpression::NouvellePage()
{
    canvas_.NewPage();
}

bool TravailImpression::FinDePage(int y) const
{
    return fiche_.Mv(y) > canvas_.PageHeight() - fiche_.Mv(20);
}
