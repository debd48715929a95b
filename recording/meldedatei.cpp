#include "meldedatei.h"

#include "sicheredatei.h"

#include <cmath>
#include <cstdint>

namespace Meldedatei {

QString EineStelle(const QVariant& wert) {
  const double w = wert.isNull() || !wert.isValid() ? 0.0 : wert.toDouble();
  // Tenths of the magnitude, 0.001 added before rounding; the sign in front.
  const long long zehntel = std::llround(std::nearbyint(std::fabs(w) * 10 + 0.001));
  const QString betrag = QString::number(zehntel / 10) + QLatin1Char(',') + QString::number(zehntel % 10);
  return w < 0 ? QLatin1Char('-') + betrag : betrag;
}

QString Feld(const QString& text) {
  QString t = text;
  for (QChar& c : t)
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  return t;
}

QByteArray Windows1252(const QString& text) {
  // The code page's own characters in 0x80..0x9F; 0xA0..0xFF are Latin-1.
  static const char16_t oben[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  QByteArray bytes;
  bytes.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      bytes.append(char(c));
      continue;
    }
    char b = '?';
    for (int k = 0; k < 32; ++k)
      if (oben[k] != 0 && oben[k] == c) b = char(0x80 + k);
    // A character outside the basic plane takes two UTF-16 units: one "?".
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    bytes.append(b);
  }
  return bytes;
}

qint32 Pruefzahl(const QByteArray& inhalt) {
  qsizetype anfang = 0, ende = inhalt.size();
  while (anfang < ende && quint8(inhalt[anfang]) <= 32) ++anfang;
  while (ende > anfang && quint8(inhalt[ende - 1]) <= 32) --ende;
  if (anfang == ende) return 0;
  std::int32_t h = 0;
  for (qsizetype i = anfang; i < ende; ++i) {
    // Wrapping 32-bit arithmetic, done unsigned so that the overflow is defined.
    const std::uint32_t summe = std::uint32_t(quint8(inhalt[i])) + std::uint32_t(h) * 128u;
    h = std::int32_t(summe) % 33554393;
  }
  return h == 0 ? 1 : h;
}

QByteArray PruefzahlText(const QByteArray& inhalt) {
  return QByteArray::number(Pruefzahl(inhalt)).rightJustified(10, ' ');
}

QString Dateiname(const QString& praefix, const QVariant& kreisNr, const QString& euNummer, int jahr) {
  return praefix + kreisNr.toString().trimmed().rightJustified(3, u'0') + QLatin1Char('_') +
         euNummer.trimmed().rightJustified(12, u'0') + QLatin1Char('_') + QString::number(jahr) +
         QStringLiteral(".TXT");
}

QByteArray Inhalt(const QStringList& kopf, const std::vector<QStringList>& zeilen) {
  QByteArray inhalt;
  auto zeile = [&](const QStringList& spalten) {
    QStringList felder;
    for (const QString& s : spalten) felder << Feld(s);
    inhalt += Windows1252(felder.join(QLatin1Char('\t'))) + "\r\n";
  };
  zeile(kopf);
  for (const QStringList& z : zeilen) zeile(z);
  return inhalt + PruefzahlText(inhalt);
}

bool Schreiben(const QString& pfad, const QStringList& kopf, const std::vector<QStringList>& zeilen, QString* fehler) {
  return SichereDatei::Schreiben(pfad, Inhalt(kopf, zeilen), fehler);
}

}  // namespace Meldedatei
