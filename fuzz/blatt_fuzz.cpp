// libFuzzer target of the sheet's TXT, CSV and clipboard readers: any bytes
// read as a .TXT file, a .CSV file or clipboard text must load without a
// crash, and the loaded sheet saved as TXT, CSV or clipboard text, read back
// and saved again must give the bytes of the first save and the sheet that
// was saved.
#include "blatt.h"
#include "blattdateien.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

namespace D = Blattdateien;

enum class TFormat { Txt, Csv, Zwischenablage };

// Clipboard text compared as its UTF-16 code units, lone surrogates too.
QByteArray Roh(const QString& t) { return QByteArray(reinterpret_cast<const char*>(t.utf16()), t.size() * 2); }
QString Utf16(const QByteArray& b) {
  QString t(b.size() / 2, Qt::Uninitialized);
  std::memcpy(t.data(), b.constData(), size_t(t.size()) * 2);
  return t;
}

QByteArray Schreiben(TFormat f, const TBlatt& b) {
  switch (f) {
    case TFormat::Txt: return D::TxtSchreiben(b);
    case TFormat::Csv: return D::CsvSchreiben(b);
    case TFormat::Zwischenablage: return Roh(D::ZwischenablageText(b));
  }
  return {};
}

void Lesen(TFormat f, const QByteArray& inhalt, TBlatt& b) {
  switch (f) {
    case TFormat::Txt: D::TxtLesen(inhalt, b); break;
    case TFormat::Csv: D::CsvLesen(inhalt, b); break;
    case TFormat::Zwischenablage: D::ZwischenablageLesen(Utf16(inhalt), b); break;
  }
}

// What a saved cell reads back as: a TAB, and outside CSV a line break,
// becomes a blank; a file keeps only what Windows-1252 holds.
QString Gespeichert(TFormat f, QString t) {
  t.replace(u'\t', u' ');
  if (f != TFormat::Csv) t.replace(u'\r', u' ').replace(u'\n', u' ');
  return f == TFormat::Zwischenablage ? t : D::Dekodiert(D::Kodiert(t));
}

void Rundreise(TFormat f, const TBlatt& blatt) {
  const QByteArray erste = Schreiben(f, blatt);
  TBlatt zurueck;
  Lesen(f, erste, zurueck);
  if (Schreiben(f, zurueck) != erste) std::abort();
  const int zeilen = std::max(blatt.LetzteZeile(), zurueck.LetzteZeile());
  for (int z = 1; z <= zeilen; ++z) {
    const int spalten = std::max(blatt.LetzteSpalte(z), zurueck.LetzteSpalte(z));
    for (int s = 1; s <= spalten; ++s)
      if (zurueck.Text(s, z) != Gespeichert(f, blatt.Text(s, z))) std::abort();
  }
}

// Pasted text keeps the letters 0xEF, 0xBB and 0xBF stand for, which a file
// drops by rule; without them a pasted sheet must survive the files too.
void Einfuegen(QString text, TFormat f, TBlatt& blatt) {
  if (f != TFormat::Zwischenablage) text.remove(QChar(0xEF)).remove(QChar(0xBB)).remove(QChar(0xBF));
  D::ZwischenablageLesen(text, blatt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  // The last byte chooses the reader and the format of the round trip, so
  // that one run stays cheap; the rest is the text.
  if (groesse == 0) return 0;
  const QByteArray inhalt = QByteArray::fromRawData(reinterpret_cast<const char*>(daten), qsizetype(groesse - 1));
  const int wahl = daten[groesse - 1];
  const auto format = TFormat(wahl / 4 % 3);
  TBlatt blatt;
  switch (wahl % 4) {
    case 0: D::TxtLesen(inhalt, blatt); break;
    case 1: D::CsvLesen(inhalt, blatt); break;
    case 2: Einfuegen(QString::fromUtf8(inhalt), format, blatt); break;
    // Raw UTF-16 reaches every code unit, lone surrogates too.
    case 3: Einfuegen(Utf16(inhalt), format, blatt); break;
  }
  Rundreise(format, blatt);
  return 0;
}
