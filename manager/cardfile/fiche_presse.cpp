// Copy and paste of cards through the card file's own clipboard (PressePapiers): one group of
// values per record kind, never saved and unrelated to the system clipboard.
#include <QAbstractSpinBox>
#include <QLineEdit>
#include "manager/cardfile/fiche_cartes.h"

using namespace cartes;

namespace {

using Presse = decltype(TFiche::PressePapiers);

struct Clip {
    TFiche::Kind kind;
    QStringList Presse::*group;
    std::span<const Field> fields;
    // The first value is the card's code. It is never pasted: a new card takes the next code, and
    // a card already in the list keeps its own, which its tickets and invoices name.
    bool freshCode;
};

const Field ClientClip[] = {
    {Rule::Text, Control<&TFiche::Edit1>}, {Rule::Text, Control<&TFiche::Edit2>},
    {Rule::Text, Control<&TFiche::Edit3>}, {Rule::Text, Control<&TFiche::Edit4>},
    {Rule::Text, Control<&TFiche::Edit5>}, {Rule::Text, Control<&TFiche::Edit6>},
    {Rule::Text, Control<&TFiche::Edit7>}, {Rule::Text, Control<&TFiche::Edit8>},
    {Rule::Text, Control<&TFiche::Edit9>}, {Rule::Text, Control<&TFiche::Edit10>},
};

const Field FactureClip[] = {
    {Rule::Text, Control<&TFiche::MaskEdit3>},  {Rule::Date, Control<&TFiche::DateTimePicker1>},
    {Rule::Text, Control<&TFiche::Edit22>},     {Rule::Combo, Control<&TFiche::ComboBox3>},
    {Rule::Combo, Control<&TFiche::ComboBox4>}, {Rule::Text, Control<&TFiche::Edit23>},
    {Rule::Text, Control<&TFiche::Edit24>},     {Rule::Text, Control<&TFiche::Edit25>},
    {Rule::Text, Control<&TFiche::Edit26>},
};

const Field ArticleClip[] = {
    {Rule::Combo, Control<&TFiche::ComboBox9>}, {Rule::Text, Control<&TFiche::Edit48>},
    {Rule::Text, Control<&TFiche::Edit39>},     {Rule::Text, Control<&TFiche::Edit40>},
    {Rule::Text, Control<&TFiche::Edit41>},     {Rule::Combo, Control<&TFiche::ComboBox10>},
};

const Field PosteClip[] = {
    {Rule::Text, Control<&TFiche::Edit17>},      {Rule::Text, Control<&TFiche::Edit18>},
    {Rule::Text, Control<&TFiche::Edit19>},      {Rule::Text, Control<&TFiche::Edit27>},
    {Rule::Combo, Control<&TFiche::ComboBox1>},  {Rule::Text, Control<&TFiche::Edit29>},
    {Rule::Flag, Control<&TFiche::CheckBox4>},   {Rule::Flag, Control<&TFiche::CheckBox5>},
    {Rule::Flag, Control<&TFiche::CheckBox6>},   {Rule::Flag, Control<&TFiche::CheckBox7>},
    {Rule::Flag, Control<&TFiche::CheckBox8>},   {Rule::Flag, Control<&TFiche::CheckBox9>},
    {Rule::Flag, Control<&TFiche::CheckBox10>},  {Rule::Flag, Control<&TFiche::CheckBox11>},
    {Rule::Flag, Control<&TFiche::CheckBox12>},  {Rule::Flag, Control<&TFiche::CheckBox13>},
    {Rule::Flag, Control<&TFiche::CheckBox14>},
};

const Field CaisseClip[] = {
    {Rule::Text, Control<&TFiche::Edit32>},     {Rule::Text, Control<&TFiche::Edit33>},
    {Rule::Text, Control<&TFiche::Edit34>},     {Rule::Text, Control<&TFiche::Edit35>},
    {Rule::Mask, Control<&TFiche::MaskEdit4>},  {Rule::Mask, Control<&TFiche::MaskEdit5>},
    {Rule::Mask, Control<&TFiche::MaskEdit6>},  {Rule::Mask, Control<&TFiche::MaskEdit7>},
    {Rule::Text, Control<&TFiche::Edit36>},     {Rule::Text, Control<&TFiche::Edit37>},
};

const Clip Clips[] = {
    {TFiche::KClient, &Presse::Client, ClientClip, true},
    {TFiche::KFacture, &Presse::Facture, FactureClip, false},
    {TFiche::KArticle, &Presse::Article, ArticleClip, false},
    {TFiche::KPoste, &Presse::Poste, PosteClip, false},
    {TFiche::KTicket, &Presse::Ticket, CaisseClip, false},
};

const Clip* ClipOfPage(const TFiche& f)
{
    TFiche::Kind k;
    if (!f.CurrentKind(k))
        return nullptr;
    for (const Clip& clip : Clips)
        if (clip.kind == k)
            return &clip;
    return nullptr;
}

}  // namespace

void TFiche::Copier()
{
    const Clip* clip = ClipOfPage(*this);
    if (!clip)
        return;
    QStringList& group = PressePapiers.*clip->group;
    group.clear();
    for (const Field& field : clip->fields)
        group << FieldText(*this, field);
}

// Pasting with nothing copied for the page's kind would blank the card and mark it modified,
// which its next write would store over the record: it does nothing.
void TFiche::Coller()
{
    const Clip* clip = ClipOfPage(*this);
    if (!clip)
        return;
    const QStringList& group = PressePapiers.*clip->group;
    if (group.size() != int(clip->fields.size()))
        return;
    const RecordKind& kind = KindOf(clip->kind);
    // A field the card keeps read-only or disabled (a booked ticket's, a validated invoice's)
    // takes nothing.
    bool pasted = false;
    for (int i = clip->freshCode ? 1 : 0; i < group.size(); ++i) {
        const QWidget* control = clip->fields[i].control(*this);
        const auto* edit = qobject_cast<const QLineEdit*>(control);
        const auto* spin = qobject_cast<const QAbstractSpinBox*>(control);
        if ((edit && edit->isReadOnly()) || (spin && spin->isReadOnly()) || !control->isEnabled())
            continue;
        ShowField(*this, clip->fields[i], group[i]);
        pasted = true;
    }
    if (!pasted)
        return;
    if (clip->freshCode && ListOf(clip->kind).FindBlock(this->*kind.index) < 0)
        (this->*kind.codeEdit)->setText(rtl::IntToStr((this->*kind.nextCode)()));
    this->*kind.modified = true;
}
