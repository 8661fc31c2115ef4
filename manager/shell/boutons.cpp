#include "manager/shell/boutons.h"

#include "manager/shell/dialogkit.h"
#include "manager/shell/listeart1.h"
#include "platform/dialogs.h"

TBoutons::TBoutons(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    BindOkCancel(this, OKBtn, CancelBtn);
    const std::array<QPushButton*, 3> picks = {Button1, Button2, Button3};
    for (int row = 0; row < 3; ++row)
        connect(picks[row], &QPushButton::clicked, this, [this, row] { PickArticle(row); });
}

void TBoutons::Init(const RecordList& articles, const Texts& captions, const Texts& codes)
{
    articles_ = articles;
    for (int row = 0; row < 3; ++row) {
        captionFields()[row]->setText(captions[row]);
        codeFields()[row]->setText(codes[row]);
    }
}

void TBoutons::Result(Texts& captions, Texts& codes) const
{
    captions[0].clear();
    if (!ClosedWithOk(this))
        return;
    for (int row = 0; row < 3; ++row) {
        captions[row] = captionFields()[row]->text();
        codes[row] = codeFields()[row]->text();
    }
}

void TBoutons::PickArticle(int row)
{
    TListeArt1 pick(this);
    pick.Init(articles_);
    platform::Dialogs().exec(&pick);
    const QString code = pick.Result();
    if (!code.isEmpty())
        codeFields()[row]->setText(code);
}
