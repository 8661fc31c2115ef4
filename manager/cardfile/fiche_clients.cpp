// The customer card: its block's lines, writing and reading it, the next customer code, and the
// card's handlers (modified flag, password, unique login, minutes, amounts, history line).
#include <QDateEdit>
#include <QRandomGenerator>
#include <QToolButton>
#include "manager/cardfile/core/blocks.h"
#include "manager/cardfile/core/customers.h"
#include "manager/cardfile/fiche_cartes.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/widgets/stringgrid.h"

using namespace cartes;
using namespace rtl;

namespace {

// Lines +1 to +24 of a customer block.
const Field ClientFields[] = {
    {Rule::Text, Control<&TFiche::Edit1>},       // code
    {Rule::Flag, Control<&TFiche::CheckBox1>},   // marked
    {Rule::Flag, Control<&TFiche::CheckBox2>},   // connected
    {Rule::Text, Control<&TFiche::Edit2>},       // name or company
    {Rule::Text, Control<&TFiche::Edit3>},       // address
    {Rule::Text, Control<&TFiche::Edit4>},       // second address line
    {Rule::Text, Control<&TFiche::Edit5>},       // postal code
    {Rule::Text, Control<&TFiche::Edit6>},       // town
    {Rule::Text, Control<&TFiche::Edit7>},       // country
    {Rule::Text, Control<&TFiche::Edit8>},       // telephone
    {Rule::Text, Control<&TFiche::Edit9>},       // fax
    {Rule::Text, Control<&TFiche::Edit10>},      // e-mail
    {Rule::Text, Control<&TFiche::Edit11>},      // login
    {Rule::Text, Control<&TFiche::Edit12>},      // password
    {Rule::Text, Control<&TFiche::Edit13>},      // total minutes bought
    {Rule::Text, Control<&TFiche::Edit14>},      // minutes left
    {Rule::Text, Control<&TFiche::Edit15>},      // turnover, as shown
    {Rule::Mask, Control<&TFiche::MaskEdit1>},   // last visit
    {Rule::Mask, Control<&TFiche::MaskEdit2>},   // time of the last visit
    {Rule::Mask, Control<&TFiche::MaskEdit8>},   // subscription from
    {Rule::Mask, Control<&TFiche::MaskEdit9>},   // subscription to
    {Rule::Text, Control<&TFiche::Edit20>, false},   // history label typed, not yet added
    {Rule::Text, Control<&TFiche::Edit21>, false},   // its amount
    {Rule::Text, Control<&TFiche::Edit44>},      // total due, as typed
};

const RepeatLines ClientRepeats[] = {
    {Repeat::Memo, "MEMO", Control<&TFiche::Memo1>},
    {Repeat::Rows, "DATA", Control<&TFiche::StringGrid1>, 3, 2, 95},
    {Repeat::Rows, "GRID", Control<&TFiche::StringGrid6>, 6, -1, 0, true},
};

const Card ClientCard{TFiche::KClient, ClientFields, ClientRepeats, 22};

const History ClientHistory{&TFiche::DateTimePicker2, &TFiche::Edit20, &TFiche::Edit21, &TFiche::StringGrid1,
                            &TFiche::ModifClient};

// Drawn from, eight times; the '*' draws add nothing, so a password has 0 to 8 characters.
const QString PasswordTable = QStringLiteral("*AZER*TYU*IOP*456QS*DFG*HJK*LM123*WXC*VBN*789");

QDate Today()
{
    return ToQDateTime(Date()).date();
}

}  // namespace

void TFiche::EcritFiche()
{
    WriteCard(*this, ClientCard);
}

void TFiche::LitFiche()
{
    StringGrid6->SetRowCount(HeuresAbonnement);
    DateTimePicker2->setDate(Today());
    ReadCard(*this, ClientCard);
    ModifClient = false;
}

int TFiche::Numerom()
{
    ProchainClient = blocks::NextNumber(ListeClients, 10000);
    return ProchainClient;
}

// ---- handlers -----------------------------------------------------------------------------------

void TFiche::Edit1Change()
{
    ModifClient = true;
}

void TFiche::StringGrid6KeyPress(QChar&)
{
    ModifClient = true;
}

void TFiche::GenPasse()
{
    QString password;
    for (int i = 0; i < 8; ++i) {
        const QChar c = PasswordTable[QRandomGenerator::global()->bounded(int(PasswordTable.size()))];
        if (c != QLatin1Char('*'))
            password += c;
    }
    Edit12->setText(password);
}

// A login names one customer for the workstations: no other customer may have it, whatever its
// case.
void TFiche::Edit11Exit()
{
    // The login's line is the one the card's table gives Edit11.
    const int loginLine = CustomerLine(Control<&TFiche::Edit11>);
    if (!customers::LoginTaken(ListeClients, Edit11->text(), IndexClient, loginLine))
        return;
    platform::ShowMessage(QStringLiteral("Login déjà utilisé"));
    Edit11->clear();
    Edit11->setFocus();
}

void TFiche::Edit13Exit()
{
    if (Trim(Edit14->text()).isEmpty())
        Edit14->setText(Edit13->text());
}

void TFiche::Edit15KeyPress(QChar& key)
{
    if (key.unicode() < 32)
        return;
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    if (!digit && key != QLatin1Char(','))
        key = QChar();
}

void TFiche::Edit15Enter()
{
    Edit15->setText(Trim(Edit15->text()));
}

void TFiche::Edit15Exit()
{
    const QString typed = Trim(Edit15->text());
    if (!typed.isEmpty())
        Edit15->setText(Amount(*this, StrToFloat(typed), 107));
}

void TFiche::SpeedButton1Click()
{
    AddHistoryLine(*this, ClientHistory);
}

void TFiche::TabSheet1Exit()
{
    EcritFiche();
}

int cartes::CustomerLine(ControlOf control)
{
    return LineOf(ClientCard, control);
}

void cartes::ConnectCustomerCard(TFiche& f)
{
    using platform::guard;
    ConnectChanges(f, ClientCard, guard(&f, &TFiche::Edit1Change));
    f.StringGrid6->SetOnKeyPress(guard(&f, &TFiche::StringGrid6KeyPress));
    // What reaches a stamp cell without a key (an input method's text, a paste from the cell's
    // menu) changes the card as well.
    QObject::connect(f.StringGrid6, &TStringGrid::CellEdited, &f, guard(&f, &TFiche::Edit1Change));
    OnExit(f.Edit11, guard(&f, &TFiche::Edit11Exit));
    OnExit(f.Edit13, guard(&f, &TFiche::Edit13Exit));
    OnAmountKeyPress(f.Edit15, guard(&f, &TFiche::Edit15KeyPress));
    OnAmountKeyPress(f.Edit44, guard(&f, &TFiche::Edit15KeyPress));
    OnEnter(f.Edit15, guard(&f, &TFiche::Edit15Enter));
    OnExit(f.Edit15, guard(&f, &TFiche::Edit15Exit));
    QObject::connect(f.SpeedButton1, &QToolButton::clicked, &f, guard(&f, &TFiche::SpeedButton1Click));
    f.DateTimePicker2->setDate(Today());
}
