// Linked into every test program that creates the card-file window: each activation of the
// window starts the workstation server, and test programs run side by side on a machine where
// Velmora may be running. Their servers listen on a port the system picks, never the café's.
#include "manager/cardfile/fiche.h"

namespace {
const bool portChosenBySystem = (TFiche::PortParDefaut = 0, true);
}
