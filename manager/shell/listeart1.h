#pragma once
// Picks an article: its code and designation; answers the article code. Enter chooses too.
#include "manager/shell/picklist.h"
#include "ui_listeart1.h"

class TListeArt1 : public TPickList, public Ui::ListeArt1 {
    Q_OBJECT

public:
    explicit TListeArt1(QWidget* owner);
};
