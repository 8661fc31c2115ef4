#pragma once
// The company data: the first seven lines of the company heading (the eighth is never edited).
#include <QDialog>
#include <QStringList>
#include "ui_societe.h"

class TSociete : public QDialog, public Ui::Societe {
    Q_OBJECT

public:
    explicit TSociete(QWidget* owner);

    // The seven texts in the order of the fields (missing ones show empty).
    void Init(const QStringList& lines);
    // Seven texts: all empty unless closed with OK, then the fields' texts. The caller keeps its
    // lines when the first comes back empty, so OK on an empty "Société" changes nothing either.
    void Result(QStringList& lines) const;

private:
    QList<QLineEdit*> fields() const;
};
