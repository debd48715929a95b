#pragma once
// Input fields without a column: the same typing, normalising and bound
// test as the bound fields, read and written through AsString, AsInteger,
// AsFloat and AsProcent.

#include "eingabefeld.h"

class TIntEdit : public TEingabeFeld {
  Q_OBJECT
public:
  explicit TIntEdit(QWidget* eltern = nullptr) : TEingabeFeld(dtInteger, eltern) {}
};

class TFloatEdit : public TEingabeFeld {
  Q_OBJECT
public:
  explicit TFloatEdit(QWidget* eltern = nullptr) : TEingabeFeld(dtFloat, eltern) {}
};

// Two-digit years: up to 30 are this century, above 30 the last one.
class TJahrEdit : public TEingabeFeld {
  Q_OBJECT
public:
  explicit TJahrEdit(QWidget* eltern = nullptr) : TEingabeFeld(dtJahr, eltern) {}

protected:
  qint64 JahrUmrechnen(qint64 jahr) const override { return Eingabe::JahrUngebunden(jahr); }
};

class TStringEdit : public TEingabeFeld {
  Q_OBJECT
public:
  explicit TStringEdit(QWidget* eltern = nullptr) : TEingabeFeld(dtString, eltern) {}
};
