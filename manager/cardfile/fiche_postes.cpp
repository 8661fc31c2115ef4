// The machine card: its block's lines (the ten settings of lines +9 to +18 are what the
// workstation client receives), writing and reading it, the next machine number and the card's
// history line.
#include <QDateEdit>
#include <QToolButton>
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/fiche_cartes.h"
#include "platform/application.h"

using namespace cartes;

namespace {

const Field PosteFields[] = {
    {Rule::Text, Control<&TFiche::Edit16>},        // +1 machine number
    {Rule::Text, Control<&TFiche::Edit17>},        // +2 computer name: the server finds machines by it
    {Rule::Text, Control<&TFiche::Edit18>},        // +3 type
    {Rule::Trimmed, Control<&TFiche::Edit19>},     // +4 disk size
    {Rule::Trimmed, Control<&TFiche::Edit27>},     // +5 RAM
    {Rule::Combo, Control<&TFiche::ComboBox1>},    // +6 operating system
    {Rule::Text, Control<&TFiche::Edit29>},        // +7 IP address
    {Rule::Flag, Control<&TFiche::CheckBox4>},     // +8 out of service
    {Rule::Flag, Control<&TFiche::CheckBox5>},     // +9 .. +18: the settings
    {Rule::Flag, Control<&TFiche::CheckBox6>},
    {Rule::Flag, Control<&TFiche::CheckBox7>},
    {Rule::Flag, Control<&TFiche::CheckBox8>},
    {Rule::Flag, Control<&TFiche::CheckBox9>},
    {Rule::Flag, Control<&TFiche::CheckBox10>},
    {Rule::Flag, Control<&TFiche::CheckBox11>},
    {Rule::Flag, Control<&TFiche::CheckBox12>},
    {Rule::Flag, Control<&TFiche::CheckBox13>},
    {Rule::Flag, Control<&TFiche::CheckBox14>},
};

const RepeatLines PosteRepeats[] = {
    {Repeat::Memo, "MEMO", Control<&TFiche::Memo3>},
    {Repeat::Rows, "DATA", Control<&TFiche::StringGrid3>, 3},
};

const Card PosteCard{TFiche::KPoste, PosteFields, PosteRepeats, 18};

const History PosteHistory{&TFiche::DateTimePicker3, &TFiche::Edit30, &TFiche::Edit31, &TFiche::StringGrid3,
                           &TFiche::ModifPoste};

}  // namespace

void TFiche::Machines()
{
    PageControl1->setCurrentWidget(TabSheet4);
    LitPoste();
    Edit17->setFocus();
}

void TFiche::EcritPoste()
{
    WriteCard(*this, PosteCard);
}

void TFiche::LitPoste()
{
    Edit30->clear();
    Edit31->clear();
    ReadCard(*this, PosteCard);
    // Only a shown card can take the focus (the server reads machines from any page).
    if (PageControl1->currentWidget() == TabSheet4)
        Edit16->setFocus();
    ModifPoste = false;
}

int TFiche::Numerop()
{
    ProchainPoste = blocks::NextNumber(ListePostes, 10000);
    return ProchainPoste;
}

void TFiche::Edit16Change()
{
    ModifPoste = true;
}

void TFiche::SpeedButton2Click()
{
    AddHistoryLine(*this, PosteHistory);
}

void TFiche::TabSheet4Exit()
{
    EcritPoste();
}

void cartes::ConnectMachineCard(TFiche& f)
{
    using platform::guard;
    ConnectChanges(f, PosteCard, guard(&f, &TFiche::Edit16Change));
    QObject::connect(f.SpeedButton2, &QToolButton::clicked, &f, guard(&f, &TFiche::SpeedButton2Click));
    f.DateTimePicker3->setDate(rtl::ToQDateTime(rtl::Date()).date());
}
