#pragma once
// The phone-message cards: the counter's notes of calls and visits, a stack of cards shown one
// at a time on a yellow panel, kept in a file beside the saved set (one line a card: seven
// TAB-terminated fields, then five "T"/"F" flags).
#include <QDialog>
#include <QStringList>
#include "ui_fichemsg.h"

class TFicheMsg : public QDialog, public Ui::FicheMsg {
    Q_OBJECT

public:
    explicit TFicheMsg(QWidget* owner);

    // The message file of a saved set: the set's path cut at the first '.' of its file name (a
    // '.' in a folder does not count), then ".oms"; a name without '.' gets ".oms" added.
    static QString FichierMessages(const QString& setPath);

    // Loads the set's message file when there is one, the last card current; without one the
    // stack stays as it is. False when the file is there but could not be read: the operator
    // was told, nothing changed, and the window must not open (its close would write the file
    // over with what is on screen).
    bool Charge(const QString& setPath);
    // Writes the card on screen back into the stack, then the whole stack to the message file,
    // all or nothing. False when it could not be written: the operator was told and the file on
    // disk is as it was.
    bool Sauve(const QString& setPath);

    // The card on screen into its line of the stack (nothing when the stack is empty).
    void EcritFiche();
    // The current card onto the screen.
    void LitFiche();
    // Whether the stack changed since it was loaded or saved: typing in "Pour" or "De", adding
    // or deleting a card.
    void TestModif(bool& modified) const;
    void GetIni(int& left, int& top, QColor& color) const;
    // A left below 5 becomes 212, a top below 90 becomes 90.
    void SetIni(int left, int top, const QColor& color);

    void Button1Click();   // "Fermer"
    void Button2Click();   // "<"
    void Button3Click();   // ">"
    void Button4Click();   // "+"
    void Button5Click();   // "-"

    // One line per card, in stack order, and the card on screen (-1 when the stack is empty).
    QStringList Lignes{QStringLiteral(" ")};
    int Courant = 0;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> fields() const;
    QList<QCheckBox*> flags() const;
    void cleanField(QLineEdit* field);
    bool modified_ = false;
};
