#pragma once
// The notepad: one text kept in one file ("QorVente.nte" in the program's folder), written back
// only when it was changed.
#include <QDialog>
#include <QStringList>
#include "ui_blocnotes.h"

class TBlocnotes : public QDialog, public Ui::Blocnotes {
    Q_OBJECT

public:
    explicit TBlocnotes(QWidget* owner);

    // The notes file of the program's folder.
    static QString FichierNotes(const QString& appFolder);

    // The file's lines into the memo, which then counts as unchanged; a missing file leaves it
    // empty. False when the file is there but could not be read: the operator was told and the
    // window must not open (its close would write an empty text over the notes).
    bool Charge(const QString& path);
    // Only when the memo was changed: its lines to the file, all or nothing. False when the file
    // could not be written: the operator was told, the file is as it was and the memo still
    // counts as changed.
    bool Sauve(const QString& path);
    // The memo's lines on the printer, in the memo's font, pages broken where they fill.
    void Imprimer();

    void Init(const QStringList& lines);
    void Result(QStringList& lines) const;
    void GetIni(int& left, int& top, QColor& color) const;
    // A left below 5 becomes 122, a top below 98 becomes 98; the colour stays as it is.
    void SetIni(int left, int top, const QColor& color);

    // The memo's lines as a string list holds them: a last empty line is no line.
    QStringList Lignes() const;
};
