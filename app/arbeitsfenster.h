#pragma once
// Plugs the working windows that exist into the main window's buttons.

class THauptfenster;
class TADOModConnection;
class TMeldungen;

void ArbeitsfensterEinsetzen(THauptfenster& hauptfenster, TADOModConnection& db, TMeldungen& meldungen);
