#pragma once
// The functions the stored rules call, with the null behaviour they rely on:
// a null operand gives null, iif takes the else branch on null, Int rounds
// down, Fix rounds toward zero, choose out of range gives null.

struct sqlite3;

namespace Regeln {
void FunktionenRegistrieren(sqlite3* db);
}
