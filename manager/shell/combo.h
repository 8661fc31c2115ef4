#pragma once
// The editor of a pick list (article families, suppliers). It has no cancel: what is edited
// applies when it closes, however it is closed.
#include <QDialog>
#include "ui_combo.h"

class QComboBox;

class TCombo : public QDialog, public Ui::Combo {
    Q_OBJECT

public:
    // The caller sets the caption and the field label (Label1).
    explicit TCombo(QWidget* owner);

    void Init(const QComboBox* source);
    // The combo's items become the list's, in order; the text it shows stays.
    void Result(QComboBox* target) const;

    // Enter in the edit and the speed button: the selected item takes the edit's text, or,
    // with none selected, the text is appended (an empty one too).
    void Valider();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearChoice();
};
