// The article card: its block's lines, writing and reading it, the next article code, the price
// field and the card's history line.
#include <QDateEdit>
#include <QLineEdit>
#include <QToolButton>
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/fiche_cartes.h"
#include "platform/application.h"

using namespace cartes;
using namespace rtl;

namespace {

// Lines +1 to +7 of an article block.
const Field ArticleFields[] = {
    {Rule::Text, Control<&TFiche::Edit38>},       // code
    {Rule::Combo, Control<&TFiche::ComboBox9>},   // family
    {Rule::Text, Control<&TFiche::Edit48>},       // designation
    {Rule::Text, Control<&TFiche::Edit39>},       // price, as shown (right-justified)
    {Rule::Trimmed, Control<&TFiche::Edit40>},    // VAT code
    {Rule::Text, Control<&TFiche::Edit41>},       // account
    {Rule::Combo, Control<&TFiche::ComboBox10>},  // supplier
};

const RepeatLines ArticleRepeats[] = {
    {Repeat::Memo, "MEM6", Control<&TFiche::Memo6>},   // description
    {Repeat::Memo, "MEM5", Control<&TFiche::Memo5>},   // observations
    {Repeat::Rows, "DATA", Control<&TFiche::StringGrid4>, 3, 2, 95},
};

// Prefixed lines count from +8 only: a supplier or a designation that begins "DATA" or "MEM5"
// stays in its field.
const Card ArticleCard{TFiche::KArticle, ArticleFields, ArticleRepeats, 8};

const History ArticleHistory{&TFiche::DateTimePicker4, &TFiche::Edit57, &TFiche::Edit58, &TFiche::StringGrid4,
                             &TFiche::ModifArticle};

const QString CompteParDefaut = QStringLiteral("707000");

}  // namespace

void TFiche::EcritArt()
{
    WriteCard(*this, ArticleCard);
}

void TFiche::LitArt()
{
    DateTimePicker4->setDate(ToQDateTime(Date()).date());
    Edit57->clear();
    Edit58->clear();
    const Reading reading = ReadCard(*this, ArticleCard);
    if (reading.found) {
        Edit39->setText(Rset(Edit39->text(), 105));
        if (NbArticles == 0)
            NbArticles = 1;
    }
    // Sales go to this account unless the article says otherwise, a new article included.
    if (Edit41->text().isEmpty())
        Edit41->setText(CompteParDefaut);
    ModifArticle = false;
}

int TFiche::Numeroa()
{
    ProchainArticle = blocks::NextNumber(ListeArticles, 10000);
    return ProchainArticle;
}

// ---- handlers -----------------------------------------------------------------------------------

void TFiche::Edit38Change()
{
    ModifArticle = true;
}

void TFiche::SpeedButton3Click()
{
    AddHistoryLine(*this, ArticleHistory);
}

// The justification blanks go while the price is edited.
void TFiche::Edit39Enter()
{
    Edit39->setText(Trim(Edit39->text()));
}

void TFiche::Edit39Exit()
{
    const QString typed = Trim(Edit39->text());
    if (typed.isEmpty())
        return;
    Edit39->setText(Amount(*this, StrToFloat(typed), 105));
    ModifArticle = true;
}

void TFiche::TabSheet3Exit()
{
    EcritArt();
}

void cartes::ConnectArticleCard(TFiche& f)
{
    using platform::guard;
    const auto changed = guard(&f, &TFiche::Edit38Change);
    ConnectChanges(f, ArticleCard, changed);
    QObject::connect(f.Edit57, &QLineEdit::textChanged, &f, changed);
    QObject::connect(f.Edit58, &QLineEdit::textChanged, &f, changed);
    QObject::connect(f.DateTimePicker4, &QDateEdit::dateChanged, &f, changed);
    QObject::connect(f.SpeedButton3, &QToolButton::clicked, &f, guard(&f, &TFiche::SpeedButton3Click));
    OnAmountKeyPress(f.Edit39, guard(&f, &TFiche::Edit42KeyPress));
    OnEnter(f.Edit39, guard(&f, &TFiche::Edit39Enter));
    OnExit(f.Edit39, guard(&f, &TFiche::Edit39Exit));
    f.DateTimePicker4->setDate(ToQDateTime(Date()).date());
}
