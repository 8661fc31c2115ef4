#pragma once
// Reading the card file's blocks for the workstation server. A block's line +n is read only when
// the block has it: a short block (a hand-edited file) never lends a line of the next one.
#include <QString>
#include <QStringList>
#include "manager/cardfile/core/recordlist.h"
#include "platform/rtl.h"

namespace serveur {

// Lines +1 to +count of the block whose start tag is at `pos`, fewer when the block ends before.
QStringList ChampsDuBloc(const RecordList& list, int pos, int count);

// Calls f(pos, fields) for the blocks of `list` in list order, fields being lines +1 to +count;
// stops when f answers true. Answers the position of the block it stopped at, or -1.
template <class F>
int PourChaqueBloc(const RecordList& list, int count, F f)
{
    for (int i = 0; i < list.Count(); ++i) {
        const QString tag = list.Strings(i);
        if (!tag.startsWith(QLatin1String("<BLOC")))
            continue;
        const QStringList fields = ChampsDuBloc(list, i, count);
        if (f(i, fields))
            return i;
        // The rest of the block holds no start line: it is passed over without being read.
        int n;
        i += list.TagNumber(tag, n) ? list.BlockLength(i, n) - 1 : int(fields.size());
    }
    return -1;
}

// The machine whose computer name (+2) is `host`, case ignored (a to z), whole names only; the
// empty name is nobody's. `ordinal` is its place among the machine blocks, which is its room item
// and its byte of Occupation.
struct Machine {
    int ordinal = -1;
    QStringList champs;   // lines +1 to +18
};
bool TrouveMachine(const RecordList& postes, const QString& host, Machine& machine);

// The ten settings (+9 to +18) as sent in "Config ": "Y" only for a line that is exactly "Y",
// "N" for any other line and for a line the block does not have.
QString ChaineConfig(const QStringList& champsMachine);

// A stored time of day that reads; the blank form ("  :  ") and any text that does not read as
// a time count as no time.
bool HeureLue(const QString& text, rtl::TDateTime& t);

}  // namespace serveur
