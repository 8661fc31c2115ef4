// Card operations whose bodies come with later work. Each body leaves this file when the file
// named in its section of fiche.h implements it.
#include "manager/cardfile/fiche.h"

