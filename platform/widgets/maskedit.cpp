#include "platform/widgets/maskedit.h"

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {}

// "!99/99/0000;1;_": '0' must be typed and '9' may stay blank, the reverse of Qt's letters; '!'
// and the literal-saving field have no Qt counterpart and the text is always read with its
// separators. Qt keeps the blank character after the last ';'.
void TMaskEdit::SetEditMask(const QString& mask)
{
    editMask_ = mask;
    const QStringList parts = mask.split(QLatin1Char(';'));
    blank_ = parts.size() >= 3 && !parts.back().isEmpty() ? parts.back().front() : QLatin1Char('_');
    QString qt;
    for (QChar c : parts.front()) {
        if (c == QLatin1Char('!'))
            continue;
        if (c == QLatin1Char('0'))
            qt += QLatin1Char('9');
        else if (c == QLatin1Char('9'))
            qt += QLatin1Char('0');
        else
            qt += c;
    }
    setInputMask(qt.isEmpty() ? QString() : qt + QLatin1Char(';') + blank_);
}

QString TMaskEdit::Text() const
{
    if (inputMask().isEmpty())
        return text();
    QString shown = displayText();
    shown.replace(blank_, QLatin1Char(' '));
    return shown;
}

void TMaskEdit::SetText(const QString& text)
{
    if (inputMask().isEmpty()) {
        setText(text);
        return;
    }
    // Qt places typed characters into the free positions only; blanks in the stored form stand for
    // positions left empty.
    QString typed = text;
    typed.replace(QLatin1Char(' '), blank_);
    setText(typed);
}

QString TMaskEdit::BlankText() const
{
    // The list must outlive the loop: a range over a part of a temporary reads freed memory.
    const QStringList parts = editMask_.split(QLatin1Char(';'));
    QString blank;
    for (QChar c : parts.front()) {
        if (c == QLatin1Char('!'))
            continue;
        blank += (c == QLatin1Char('0') || c == QLatin1Char('9')) ? QLatin1Char(' ') : c;
    }
    return blank;
}
