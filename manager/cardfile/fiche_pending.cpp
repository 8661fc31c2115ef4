// Card operations whose bodies come with later work. Each body leaves this file when the file
// named in its section of fiche.h implements it.
#include "manager/cardfile/fiche.h"

// invoices
void TFiche::EcritFact() {}
void TFiche::LitFact() {}
int TFiche::Numerof() { return ProchainFacture; }
void TFiche::Button2Click() {}

// articles
void TFiche::EcritArt() {}
void TFiche::LitArt() {}
int TFiche::Numeroa() { return ProchainArticle; }

// navigation and selections
void TFiche::SetSel(int) {}
void TFiche::SetArt(int) {}
void TFiche::SetFact(int) {}
void TFiche::SetPoste(int) {}
void TFiche::SetCaisse(int) {}
void TFiche::Clients() {}
void TFiche::Premier() {}
void TFiche::Dernier() {}
void TFiche::Suivant() {}
void TFiche::Precedent() {}
void TFiche::Liste() {}
