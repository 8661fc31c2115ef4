#pragma once
// What the RTF writer and reader share: units, and which characters a letter's text holds.
// A QTextDocument lays text out in pixels of 1/96 inch; RTF measures in twips (1/1440 inch) and
// half-points.
#include <QChar>
#include <QtGlobal>

namespace rtf {

constexpr qreal PointsPerPixel = 0.75;
constexpr qreal TwipsPerPixel = 15;

inline int PixelsToTwips(qreal pixels)
{
    return qRound(pixels * TwipsPerPixel);
}

inline qreal TwipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}

// Control characters, pictures and the marks of tables and paragraphs inside a document's text
// are no text of a letter (tabs and line breaks are written as words of their own).
inline bool IsLetterText(char16_t c)
{
    return c >= 0x20 && c != QChar::ObjectReplacementCharacter && c != QChar::ParagraphSeparator && c != 0xFDD0
           && c != 0xFDD1;
}

}  // namespace rtf
