#pragma once
// Opening one of the card file's list dialogs on a record list, in the one pattern every dialog
// follows: created with the card file as owner, filled, shown modally, read back, freed.
#include "manager/cardfile/core/recordlist.h"
#include "platform/dialogs.h"

class QWidget;

// Answers what the dialog hands back: a block number (-1 when nothing was chosen) for the record
// lists, a code (empty when nothing was chosen) for the pick lists.
template <class Dialog>
auto Choisir(QWidget* owner, const RecordList& records)
{
    Dialog dialog(owner);
    dialog.Init(records);
    platform::Dialogs().exec(&dialog);
    return dialog.Result();
}
