#include "blatt.h"

#include "zahlen.h"

#include <QLocale>

#include <cmath>

const TBlatt::TZelle* TBlatt::Zelle(int spalte, int zeile) const {
  if (!ImBlatt(spalte, zeile) || zeile > int(m_zeilen.size())) return nullptr;
  const auto& z = m_zeilen[size_t(zeile - 1)];
  if (spalte > int(z.size())) return nullptr;
  return &z[size_t(spalte - 1)];
}

TBlatt::TZelle* TBlatt::Zelle(int spalte, int zeile) {
  if (!ImBlatt(spalte, zeile)) return nullptr;
  if (zeile > int(m_zeilen.size())) m_zeilen.resize(size_t(zeile));
  auto& z = m_zeilen[size_t(zeile - 1)];
  if (spalte > int(z.size())) z.resize(size_t(spalte));
  return &z[size_t(spalte - 1)];
}

QString TBlatt::Text(int spalte, int zeile) const { return Roh(spalte, zeile).trimmed(); }

QString TBlatt::Roh(int spalte, int zeile) const {
  const TZelle* z = Zelle(spalte, zeile);
  return z ? z->text : QString();
}

std::optional<double> TBlatt::Zahl(int spalte, int zeile) const {
  const TZelle* z = Zelle(spalte, zeile);
  return z ? z->zahl : std::nullopt;
}

QString TBlatt::Anzeige(int spalte, int zeile, TGenauigkeit g) const {
  const TZelle* z = Zelle(spalte, zeile);
  if (!z) return {};
  if (!z->zahl) return z->text;
  if (g == TGenauigkeit::Exakt) return Zahlen::Deutsch().toString(*z->zahl, 'g', 15);
  return Zahlen::Deutsch().toString(*z->zahl, 'f', int(g));
}

bool TBlatt::setText(int spalte, int zeile, const QString& text) {
  if (!ImBlatt(spalte, zeile)) return false;
  // An empty text on an empty place needs no storage.
  if (text.isEmpty() && !static_cast<const TBlatt*>(this)->Zelle(spalte, zeile)) return true;
  TZelle* z = Zelle(spalte, zeile);
  z->text = text;
  z->zahl.reset();
  return true;
}

bool TBlatt::setZahl(int spalte, int zeile, double zahl) {
  TZelle* z = Zelle(spalte, zeile);
  if (!z || !std::isfinite(zahl)) return false;
  z->zahl = zahl;
  z->text = Zahlen::Deutsch().toString(zahl, 'g', 15);
  return true;
}

int TBlatt::LetzteSpalte(int zeile) const {
  if (zeile < 1 || zeile > int(m_zeilen.size())) return 0;
  const auto& z = m_zeilen[size_t(zeile - 1)];
  for (int s = int(z.size()); s >= 1; --s)
    if (!z[size_t(s - 1)].text.trimmed().isEmpty()) return s;
  return 0;
}

int TBlatt::LetzteZeile() const {
  for (int r = int(m_zeilen.size()); r >= 1; --r)
    if (LetzteSpalte(r) > 0) return r;
  return 0;
}

int TBlatt::LetzteSpalte() const {
  int s = 0;
  for (int r = 1; r <= int(m_zeilen.size()); ++r) s = std::max(s, LetzteSpalte(r));
  return s;
}

void TBlatt::ZeileEntfernen(int zeile) {
  if (zeile < 1 || zeile > int(m_zeilen.size())) return;
  m_zeilen.erase(m_zeilen.begin() + (zeile - 1));
}
