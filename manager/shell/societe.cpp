#include "manager/shell/societe.h"

#include "manager/shell/dialogkit.h"

TSociete::TSociete(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    BindOkCancel(this, OKBtn, CancelBtn);
}

QList<QLineEdit*> TSociete::fields() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
}

void TSociete::Init(const settings::CompanyLines& company)
{
    const auto edits = fields();
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(company.LignesSociete[i]);
}

void TSociete::Result(settings::CompanyLines& company) const
{
    if (!ClosedWithOk(this))
        return;
    const auto edits = fields();
    for (int i = 0; i < edits.size(); ++i)
        company.LignesSociete[i] = edits[i]->text();
}
