#pragma once
// Page setup: paper type, envelope orientation, envelope guide on the right.
#include <QDialog>
#include "ui_mpage.h"

class TMPage : public QDialog, public Ui::MPage {
    Q_OBJECT

public:
    explicit TMPage(QWidget* owner);

    // Shows the values only when both are ones the dialog offers (paper 0 or 1, orientation 0
    // or 1); otherwise the form's defaults stay: first items, guide unticked.
    void Init(int paperType, int orientation, bool guideRight);
    // Orientation -1 unless closed with OK; then the two groups' indexes and the box's state.
    void Result(int& paperType, int& orientation, bool& guideRight) const;
};
