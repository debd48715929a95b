#include "blattdateien.h"

#include "blatt.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace Blattdateien {

namespace {

// Windows-1252 at 0x80 … 0x9F; the rest is Latin-1. 0 marks an unused byte.
const char16_t Cp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                             0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                             0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Fills the sheet cell by cell and notes what lies beyond its limits.
class TFueller {
public:
  explicit TFueller(TBlatt& b) : m_blatt(b) { m_blatt.Leeren(); }
  void Zelle(const QString& text) {
    if (!text.isEmpty()) {
      if (TBlatt::ImBlatt(m_spalte, m_zeile)) m_blatt.setText(m_spalte, m_zeile, text);
      else m_ergebnis.abgeschnitten = true;
    }
    ++m_spalte;
  }
  void Zeile() {
    m_spalte = 1;
    ++m_zeile;
  }
  TLaden Ende() {
    m_ergebnis.zeilen = m_blatt.LetzteZeile();
    return m_ergebnis;
  }

private:
  TBlatt& m_blatt;
  int m_spalte = 1;
  int m_zeile = 1;
  TLaden m_ergebnis;
};

QString Zeilentext(const TBlatt& b, int zeile, int bisSpalte, QChar trenner, bool csv) {
  QStringList zellen;
  for (int s = 1; s <= bisSpalte; ++s) {
    QString t = b.Text(s, zeile);
    if (csv) {
      t.replace(u'\t', u' ');
      const bool zitieren = t.contains(u'"') || t.contains(u';') || t.contains(u'\n') || t.contains(u'\r');
      t.replace(u"\""_s, u"\"\""_s);
      if (zitieren) t = u'"' + t + u'"';
    } else {
      // A TAB or line break would split the cell when the text is read back.
      for (QChar c : {QChar(u'\t'), QChar(u'\r'), QChar(u'\n')}) t.replace(c, u' ');
    }
    zellen << t;
  }
  return zellen.join(trenner) + u"\r\n"_s;
}

TLaden TextLesen(const QString& text, TBlatt& blatt, bool auchDatei) {
  TFueller f(blatt);
  QString zelle;
  for (const QChar c : text) {
    if (c == u'\r' || c == QChar(0xFEFF)) continue;
    if (auchDatei && (c == QChar(0xBB) || c == QChar(0xBF) || c == QChar(0xEF))) continue;
    if (c == u'\t') {
      f.Zelle(zelle);
      zelle.clear();
    } else if (c == u'\n') {
      f.Zelle(zelle);
      zelle.clear();
      f.Zeile();
    } else {
      zelle += c;
    }
  }
  f.Zelle(zelle);
  return f.Ende();
}

}  // namespace

TTyp Typ(const QString& datei) {
  const QString endung = QFileInfo(datei).suffix().toUpper();
  if (endung == u"TXT"_s) return TTyp::Txt;
  if (endung == u"CSV"_s) return TTyp::Csv;
  if (endung == u"DBF"_s) return TTyp::Dbf;
  if (endung == u"MDB"_s || endung == u"DB"_s || endung == u"SQLITE"_s) return TTyp::Datenbank;
  return TTyp::Unzulaessig;
}

QString Unzulaessig(const QString& datei) {
  const QString name = QFileInfo(datei).fileName();
  const qsizetype punkt = name.lastIndexOf(u'.');
  return u"unzulässiger Dateityp : "_s + (punkt < 0 ? QString() : name.mid(punkt + 1, 3));
}

QString TLaden::Meldung() const {
  if (!abgeschnitten) return {};
  return u"Die Daten gehen über die Grenzen eines Blatts hinaus (%1 Zeilen, %2 Spalten). Eingelesen wurden %3 "
         "Zeilen; was außerhalb der Grenzen lag, fehlt."_s.arg(TBlatt::MaxZeilen)
      .arg(TBlatt::MaxSpalten)
      .arg(zeilen);
}

QString Dekodiert(const QByteArray& bytes) {
  QString t;
  t.reserve(bytes.size());
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    t += (u >= 0x80 && u < 0xA0 && Cp1252[u - 0x80]) ? QChar(Cp1252[u - 0x80]) : QChar(u);
  }
  return t;
}

QByteArray Kodiert(const QString& text) {
  QByteArray b;
  b.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      b += char(u);
      continue;
    }
    char ersatz = '?';
    for (int i = 0; i < 32; ++i)
      if (Cp1252[i] == u) ersatz = char(0x80 + i);
    b += ersatz;
  }
  return b;
}

TLaden TxtLesen(const QByteArray& inhalt, TBlatt& blatt) { return TextLesen(Dekodiert(inhalt), blatt, true); }

TLaden ZwischenablageLesen(const QString& text, TBlatt& blatt) { return TextLesen(text, blatt, false); }

TLaden CsvLesen(const QByteArray& inhalt, TBlatt& blatt) {
  TFueller f(blatt);
  const QString text = Dekodiert(inhalt);
  QString zelle;
  bool zitiert = false;
  bool anfang = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == QChar(0xBB) || c == QChar(0xBF) || c == QChar(0xEF)) continue;
    if (zitiert) {
      if (c != u'"') zelle += c;
      else if (i + 1 < text.size() && text.at(i + 1) == u'"') {
        zelle += c;
        ++i;
      } else
        zitiert = false;
      continue;
    }
    if (c == u'"' && anfang) {
      zitiert = true;
      anfang = false;
    } else if (c == u';' || c == u'\n') {
      f.Zelle(zelle);
      zelle.clear();
      anfang = true;
      if (c == u'\n') f.Zeile();
    } else if (c != u'\r') {
      zelle += c;
      anfang = false;
    }
  }
  f.Zelle(zelle);
  return f.Ende();
}

QByteArray TxtSchreiben(const TBlatt& blatt) {
  QString t;
  for (int z = 1; z <= blatt.LetzteZeile(); ++z) t += Zeilentext(blatt, z, blatt.LetzteSpalte(z), u'\t', false);
  return Kodiert(t);
}

QByteArray CsvSchreiben(const TBlatt& blatt) {
  QString t;
  for (int z = 1; z <= blatt.LetzteZeile(); ++z) t += Zeilentext(blatt, z, blatt.LetzteSpalte(z), u';', true);
  return Kodiert(t);
}

QString ZwischenablageText(const TBlatt& blatt) {
  QString t;
  const int spalten = blatt.LetzteSpalte();
  for (int z = 1; z <= blatt.LetzteZeile(); ++z) t += Zeilentext(blatt, z, spalten, u'\t', false);
  return t;
}

QString KopfFussText(QString text, const QDateTime& zeit, int seite, int seiten) {
  const QString datum = zeit.date().toString(u"dd.MM.yyyy"_s);
  const auto ersetzen = [&text](const QString& was, const QString& wodurch) {
    const qsizetype i = text.indexOf(was);
    if (i >= 0) text.replace(i, was.size(), wodurch);
  };
  ersetzen(u"&D"_s, datum);
  ersetzen(u"&T"_s, zeit.time().toString(u"HH:mm"_s));
  ersetzen(u"&D"_s, datum);
  ersetzen(u"&P"_s, QString::number(seite));
  ersetzen(u"&N"_s, QString::number(seiten));
  return text;
}

}  // namespace Blattdateien
