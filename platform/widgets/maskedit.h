#pragma once
// An edit with an input mask written in the card file's notation: "!99/99/0000;1;_" (a date),
// "!90:00;1;_" (a time). '0' is a digit that must be typed, '9' one that may be left blank, '!'
// and the ";1" part are accepted as they are written, and the character after the last ';' is
// what blank positions show while editing. Text() gives the blank positions as blanks with the
// separators always present: an empty date reads "  /  /    ", an empty time "  :  ".
#include <QLineEdit>

class TMaskEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)

public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask);

    QString Text() const;
    // Accepts the stored forms: "12/05/2023", "  /  /    ", "" (all blank).
    void SetText(const QString& text);

    // The text of an empty field under the current mask ("  /  /    " for a date).
    QString BlankText() const;

private:
    QString editMask_;
    QChar blank_ = QLatin1Char('_');
};
