// The letter editor's ruler: a tick at every tab stop, and three markers for the paragraph's
// indents, which the operator drags. A marker's place is its indent in points times 4/3 (points
// to the ruler's pixels), less the half width by which the mouse holds it.
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include "manager/shell/texte.h"
#include "platform/application.h"

void TTexte::ConstruitRegle()
{
    rulerCaption_.clear();
    for (int i = 1; i <= 200; ++i)
        rulerCaption_ += i % 2 ? u'\t' : u'|';
    rulerCaption_ += u' ';
    Ruler->installEventFilter(this);
    for (QLabel* marker : {FirstInd, LeftInd, RightInd})
        marker->installEventFilter(this);
}

void TTexte::PlaceMarqueurs()
{
    const Retraits r = Paragraphe();
    FirstInd->move(r.FirstIndent * 4 / 3 + 2, FirstInd->y());
    LeftInd->move((r.LeftIndent + r.FirstIndent) * 4 / 3 + 2, LeftInd->y());
    RightInd->move((Ruler->width() - 6) - (r.RightIndent + 6) * 4 / 3, RightInd->y());
}

void TTexte::PeintRegle()
{
    QPainter p(Ruler);
    p.setPen(Ruler->palette().color(QPalette::Mid));
    p.drawText(Ruler->rect().adjusted(RulerLine->x(), 0, 0, 0),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs | Qt::TextSingleLine, rulerCaption_);
}

bool TTexte::SourisRegle(QLabel* marker, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        dragOffset_ = marker->width() / 2;
        dragging_ = true;
        [[fallthrough]];
    case QEvent::MouseMove:
        if (dragging_)
            marker->move(marker->x() + int(static_cast<QMouseEvent*>(event)->position().x()) - dragOffset_,
                         marker->y());
        return true;
    case QEvent::MouseButtonRelease: {
        if (!dragging_)
            return false;
        dragging_ = false;
        Retraits r = Paragraphe();
        if (marker == RightInd) {
            r.RightIndent = (Ruler->width() - RightInd->x() + dragOffset_ - 2) * 3 / 4 - 12;
        } else {
            if (marker == FirstInd)
                r.FirstIndent = (FirstInd->x() + dragOffset_ - 6) * 3 / 4;
            // The other lines stay where the left marker shows them.
            r.LeftIndent = (LeftInd->x() + dragOffset_ - 6) * 3 / 4 - r.FirstIndent;
        }
        SetParagraphe(r);
        SelectionChange();
        return true;
    }
    default:
        return false;
    }
}

bool TTexte::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Ruler && event->type() == QEvent::Paint) {
        PeintRegle();
        return false;
    }
    for (QLabel* marker : {FirstInd, LeftInd, RightInd}) {
        if (watched == marker) {
            bool handled = false;
            platform::Guarded([&] { handled = SourisRegle(marker, event); });
            return handled;
        }
    }
    return QDialog::eventFilter(watched, event);
}
