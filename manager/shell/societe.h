#pragma once
// The company data: the first seven lines of the company heading (the eighth is never edited).
#include <QDialog>
#include "manager/cardfile/core/settings.h"
#include "ui_societe.h"

class TSociete : public QDialog, public Ui::Societe {
    Q_OBJECT

public:
    explicit TSociete(QWidget* owner);

    // The first seven lines, in the order of the fields.
    void Init(const settings::CompanyLines& company);
    // Only when closed with OK: the fields' texts become the first seven lines (the first may
    // come back empty: the caller keeps its lines then). Otherwise the lines stay as they were.
    void Result(settings::CompanyLines& company) const;

private:
    QList<QLineEdit*> fields() const;
};
