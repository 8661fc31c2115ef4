#include "manager/server/blocs.h"

namespace serveur {

QStringList ChampsDuBloc(const RecordList& list, int pos, int count)
{
    QStringList fields;
    for (int n = 1; n <= count && pos + n < list.Count(); ++n) {
        const QString line = list.Strings(pos + n);
        if (line.startsWith(QLatin1String("<BLOC")) || line.startsWith(QLatin1String("</BLOC")))
            break;
        fields << line;
    }
    return fields;
}

bool TrouveMachine(const RecordList& postes, const QString& host, Machine& machine)
{
    machine = Machine();
    if (host.isEmpty())
        return false;
    const QString name = rtl::LowerCase(host);
    int ordinal = 0;
    const int pos = PourChaqueBloc(postes, 18, [&](int, const QStringList& fields) {
        if (fields.size() >= 2 && rtl::LowerCase(fields[1]) == name) {
            machine.champs = fields;
            return true;
        }
        ++ordinal;
        return false;
    });
    if (pos < 0)
        return false;
    machine.ordinal = ordinal;
    return true;
}

QString ChaineConfig(const QStringList& champsMachine)
{
    QString config;
    for (int n = 9; n <= 18; ++n)
        config += champsMachine.value(n - 1) == QLatin1String("Y") ? QLatin1Char('Y') : QLatin1Char('N');
    return config;
}

bool HeureLue(const QString& text, rtl::TDateTime& t)
{
    if (text.isEmpty() || text.startsWith(QLatin1String("  ")))
        return false;
    try {
        t = rtl::StrToTime(text);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

}  // namespace serveur
