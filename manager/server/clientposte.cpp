#include "manager/server/clientposte.h"

namespace {

int FinDeLigne(const QByteArray& bytes, int from)
{
    for (int i = from; i < bytes.size(); ++i)
        if (bytes[i] == '\r' || bytes[i] == '\n')
            return i;
    return -1;
}

}  // namespace

void TrameLignes::Ajoute(const QByteArray& bytes, QList<QByteArray>& lignes)
{
    int from = 0;
    while (from < bytes.size()) {
        const int end = FinDeLigne(bytes, from);
        const int stop = end < 0 ? int(bytes.size()) : end;
        if (!saute_) {
            if (reste_.size() + (stop - from) > LongueurMax) {
                reste_.clear();
                saute_ = true;
            } else {
                reste_.append(bytes.constData() + from, stop - from);
            }
        }
        if (end < 0)
            return;
        if (!saute_ && !reste_.isEmpty())
            lignes.append(reste_);
        reste_.clear();
        saute_ = false;
        from = end + 1;
    }
}
