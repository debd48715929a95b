#pragma once
// The printed demand sheets read back from their PDF with pdftotext, page by
// page in the layout they are printed in.

#include "bedarfsdruck.h"
#include "pdfdruckausgabe.h"
#include "pdftext.h"
#include "skriptmeldungen.h"

#include <gtest/gtest.h>

namespace Druckhilfe {

// The pages of the document as text.
using Pdftext::Seiten;

// The sheets drawn as the print actions draw them, read back.
inline QStringList Seiten(const std::vector<Bedarfsblaetter::TBlatt>& blaetter) {
  TSkriptMeldungen meldungen;
  TPDFDruckausgabe druck(nullptr, false, meldungen);
  Bedarfsdruck::Zeichnen(druck, blaetter);
  return Seiten(druck);
}

// What follows the row's number and label on its printed line, blanks
// squeezed; the label is matched from the line's start after the number.
inline QString Zeilenwert(const QString& seite, const QString& nummer, const QString& bezeichnung) {
  for (const QString& zeile : seite.split(QLatin1Char('\n'))) {
    const QString z = zeile.simplified();
    const QString anfang = nummer + QLatin1Char(' ') + bezeichnung;
    if (z.startsWith(anfang)) return z.mid(anfang.size()).trimmed();
  }
  ADD_FAILURE() << "Zeile nicht gefunden: " << nummer.toStdString() << " " << bezeichnung.toStdString();
  return {};
}

// Whether a printed line holds the text, blanks squeezed.
inline bool Enthaelt(const QString& seite, const QString& text) {
  for (const QString& zeile : seite.split(QLatin1Char('\n')))
    if (zeile.simplified().contains(text)) return true;
  return false;
}

}  // namespace Druckhilfe
