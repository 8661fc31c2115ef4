#pragma once
// A selection criterion typed or chosen from a drop-down list (article family, supplier,
// operating system).
#include <QDialog>
#include "ui_inputcombo.h"

class TInputCombo : public QDialog, public Ui::InputCombo {
    Q_OBJECT

public:
    explicit TInputCombo(QWidget* owner);

    // The caption, the prompt over the list, and the items and current text of `source`.
    void Init(const QString& caption, const QString& prompt, const QComboBox* source);
    // On OK the combo's text in capitals (a to z only); otherwise `value` is left as it was.
    void Result(QString& value) const;
};
