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
