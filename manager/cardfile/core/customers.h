#pragma once
// Looking customers up in their list: by code for booking, by login for its uniqueness.
#include <QString>
#include "manager/cardfile/core/recordlist.h"

namespace customers {

// The customer whose code (+1) is `code`: its block number, or -1. Codes are compared whole,
// trimmed and case ignored (a to z): a ticket of customer 1000 is never booked onto customer
// 10001. A blank code is nobody's.
int CustomerOfCode(const RecordList& list, const QString& code);

// Whether a block other than block `own` holds `login` on its line `loginLine` (+n), case
// ignored (a to z). A login names one customer for the workstations. An empty login is free.
bool LoginTaken(const RecordList& list, const QString& login, int own, int loginLine);

}  // namespace customers
