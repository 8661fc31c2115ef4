#pragma once
// Right-justifying a text for a column: the amounts of cards, grids and windows line up on the
// right however wide their digits are in the font they are shown in.
#include <QFontMetrics>
#include <QString>

// The text trimmed, with blanks put in front until it measures more than `width` minus 10 pixels
// in `metrics`; an empty text stays empty.
QString Rset(const QFontMetrics& metrics, const QString& text, int width);
