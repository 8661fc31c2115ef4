#pragma once
// Page setup: paper type, envelope orientation, envelope guide on the right.
#include <QDialog>
#include "manager/cardfile/core/settings.h"
#include "ui_mpage.h"

class TMPage : public QDialog, public Ui::MPage {
    Q_OBJECT

public:
    explicit TMPage(QWidget* owner);

    // Shows the values only when both are ones the dialog offers (paper 0 or 1, orientation 0
    // or 1); otherwise the form's defaults stay: first items, guide unticked. The guide is on
    // the right when the envelope is shifted (DecalageEnveloppe above 0).
    void Init(const settings::PageSetup& page);
    // Only when closed with OK: the two groups' indexes, and a shift of 100 with the guide on the
    // right, else 0. Otherwise the page setup stays as it was.
    void Result(settings::PageSetup& page) const;
};
