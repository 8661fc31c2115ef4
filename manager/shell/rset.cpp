#include "manager/shell/rset.h"

#include "platform/rtl.h"

QString Rset(const QFontMetrics& metrics, const QString& text, int width)
{
    QString s = rtl::Trim(text);
    if (s.isEmpty())
        return s;
    // A blank measures at least a pixel in any usable face, so `width` blanks always suffice;
    // when they do not (a blank of no width), padding is pointless and the text stays as it is.
    QString padded = s;
    for (int added = 0; metrics.horizontalAdvance(padded) <= width - 10; ++added) {
        if (added >= width)
            return s;
        padded.prepend(QLatin1Char(' '));
    }
    return padded;
}
