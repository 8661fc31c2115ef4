#include "manager/cardfile/core/customers.h"

#include "platform/rtl.h"

using namespace rtl;

namespace customers {

int CustomerOfCode(const RecordList& list, const QString& code)
{
    const QString wanted = UpperCase(Trim(code));
    if (wanted.isEmpty())
        return -1;
    for (int i = 0; i + 1 < list.Count(); ++i) {
        int n;
        if (list.Strings(i).startsWith(QLatin1String("<BLOC")) && UpperCase(Trim(list.Strings(i + 1))) == wanted
            && list.TagNumber(list.Strings(i), n))
            return n;
    }
    return -1;
}

bool LoginTaken(const RecordList& list, const QString& login, int own, int loginLine)
{
    if (login.isEmpty())
        return false;
    const QString wanted = UpperCase(login);
    const QString ownTag = list.StartTag(own);
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        const QString line = list[i];
        if (!line.startsWith(QLatin1String("<BLOC")) || line == ownTag)
            continue;
        // A login line that would be the list's last line belongs to a block cut short: the scan
        // stops there.
        if (i + loginLine >= count - 1)
            break;
        const QString other = list[i + loginLine];
        if (!other.isEmpty() && UpperCase(other) == wanted)
            return true;
    }
    return false;
}

}  // namespace customers
