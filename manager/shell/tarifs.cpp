#include "manager/shell/tarifs.h"

#include <optional>
#include "manager/shell/dialogkit.h"
#include "platform/widgets/keypress.h"
#include "platform/rtl.h"

namespace {

bool Blank(const QString& text)
{
    return rtl::Trim(text).isEmpty();
}

double Price(const QString& text)
{
    return rtl::StrToFloat(rtl::Trim(text));
}

int Hours(const QString& text)
{
    const int hours = rtl::StrToInt(rtl::Trim(text));
    if (hours < TTarifs::MinHours || hours > TTarifs::MaxHours)
        throw Exception(QStringLiteral("Le nombre d'heures d'abonnement doit être compris entre %1 et %2")
                            .arg(TTarifs::MinHours)
                            .arg(TTarifs::MaxHours));
    return hours;
}

}  // namespace

TTarifs::TTarifs(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    connect(OKBtn, &QPushButton::clicked, this, &TTarifs::Valider);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* field : priceFields() + QList<QLineEdit*>{Edit6})
        OnKeyPress(field, [](QChar& key) { NumericKey(key, QStringLiteral("1234567890,")); });
}

QList<QLineEdit*> TTarifs::priceFields() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit7};
}

void TTarifs::Init(const settings::Tariffs& t)
{
    const double prices[] = {t.TarifQuartHeure, t.TarifDemiHeure, t.TarifTroisQuarts,
                             t.TarifHeure,      t.TarifQuartSup,  t.TarifHeureAbo};
    const auto fields = priceFields();
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(rtl::FormatFloat(QStringLiteral("0.00"), prices[i]));
    Edit6->setText(rtl::IntToStr(t.HeuresAbonnement));
}

void TTarifs::Valider()
{
    const QList<QLineEdit*> onScreen = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
    const bool pass = FieldsConvert(onScreen, [this](const QLineEdit* field) {
        if (Blank(field->text()))
            return;
        if (field == Edit6)
            Hours(field->text());
        else
            Price(field->text());
    });
    if (pass)
        accept();
}

void TTarifs::Result(settings::Tariffs& t) const
{
    if (!ClosedWithOk(this))
        return;
    double* const targets[] = {&t.TarifQuartHeure, &t.TarifDemiHeure, &t.TarifTroisQuarts,
                               &t.TarifHeure,      &t.TarifQuartSup,  &t.TarifHeureAbo};
    const auto fields = priceFields();
    std::optional<double> prices[std::size(targets)];
    for (int i = 0; i < fields.size(); ++i)
        if (!Blank(fields[i]->text()))
            prices[i] = Price(fields[i]->text());
    const std::optional<int> hours =
        Blank(Edit6->text()) ? std::nullopt : std::optional<int>(Hours(Edit6->text()));

    for (int i = 0; i < fields.size(); ++i)
        if (prices[i])
            *targets[i] = *prices[i];
    if (hours)
        t.HeuresAbonnement = *hours;
}
