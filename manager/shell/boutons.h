#pragma once
// The cash register's three quick buttons: each one's caption and the code of the article it
// puts on the ticket, chosen by hand or from the article pick list.
#include <QDialog>
#include <array>
#include "manager/cardfile/core/recordlist.h"
#include "ui_boutons.h"

class TBoutons : public QDialog, public Ui::Boutons {
    Q_OBJECT

public:
    using Texts = std::array<QString, 3>;

    explicit TBoutons(QWidget* owner);

    // The article lines are copied: the pick list of each row's "..." reads the copy.
    void Init(const RecordList& articles, const Texts& captions, const Texts& codes);
    // The first caption is emptied first; on OK the six fields' texts. The caller changes
    // nothing when the first caption comes back empty.
    void Result(Texts& captions, Texts& codes) const;

    // "..." of row k (0 to 2): a code chosen in the article pick list replaces the row's code.
    void PickArticle(int row);

private:
    std::array<QLineEdit*, 3> captionFields() const { return {Edit1, Edit2, Edit3}; }
    std::array<QLineEdit*, 3> codeFields() const { return {Edit4, Edit5, Edit6}; }

    RecordList articles_;
};
