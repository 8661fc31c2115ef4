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

void TSociete::Init(const QStringList& lines)
{
    const auto edits = fields();
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(lines.value(i));
}

void TSociete::Result(QStringList& lines) const
{
    lines = QStringList(fields().size(), QString());
    if (!ClosedWithOk(this))
        return;
    const auto edits = fields();
    for (int i = 0; i < edits.size(); ++i)
        lines[i] = edits[i]->text();
}
