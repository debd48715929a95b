#include "eingabeformat.h"

#include "datumseingabe.h"
#include "zahlen.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace Eingabe {

namespace {

QString ModusName(TGrenzModus m) {
  switch (m) {
    case TGrenzModus::Free: return QStringLiteral("Free");
    case TGrenzModus::Korr: return QStringLiteral("Korr");
    case TGrenzModus::MKor: return QStringLiteral("MKor");
    case TGrenzModus::Grenz: return QStringLiteral("Grenz");
    case TGrenzModus::Frag: return QStringLiteral("Frag");
  }
  return {};
}

}  // namespace

QString Name(TMinMaxTest t) {
  return QStringLiteral("Max_") + ModusName(MaxModus(t)) + QStringLiteral("_Min_") + ModusName(MinModus(t));
}

TSpaltenArt SpaltenArt(const QString& deklarierterTyp, const QVariant& beispiel) {
  const QString t = deklarierterTyp.trimmed().toUpper();
  if (t.isEmpty()) {
    // An expression column: judge by the value it holds.
    if (beispiel.typeId() == QMetaType::LongLong || beispiel.typeId() == QMetaType::Int) return TSpaltenArt::Ganzzahl;
    if (beispiel.typeId() == QMetaType::Double) return TSpaltenArt::Kommazahl;
    return TSpaltenArt::Text;
  }
  if (t == QLatin1String("BOOLEAN") || t == QLatin1String("BOOL") || t == QLatin1String("BIT"))
    return TSpaltenArt::Wahrheitswert;
  if (t.startsWith(QLatin1String("DATE")) || t == QLatin1String("TIMESTAMP")) return TSpaltenArt::Datum;
  if (t == QLatin1String("TIME")) return TSpaltenArt::Zeit;
  if (t.contains(QLatin1String("INT"))) return TSpaltenArt::Ganzzahl;
  if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("DOUBLE")) ||
      t.startsWith(QLatin1String("FLOAT")) || t.startsWith(QLatin1String("CURRENCY")) ||
      t.startsWith(QLatin1String("MONEY")) || t.startsWith(QLatin1String("NUMERIC")) ||
      t.startsWith(QLatin1String("DECIMAL")))
    return TSpaltenArt::Kommazahl;
  return TSpaltenArt::Text;
}

TDatenTyp DatenTypFuer(TSpaltenArt art) {
  switch (art) {
    case TSpaltenArt::Ganzzahl: return dtInteger;
    case TSpaltenArt::Kommazahl: return dtFloat;
    case TSpaltenArt::Datum: return dtDatum;
    case TSpaltenArt::Text:
    case TSpaltenArt::Wahrheitswert:
    case TSpaltenArt::Zeit: return dtString;
  }
  return dtString;
}

int TextLaenge(const QString& deklarierterTyp) {
  static const QRegularExpression laenge(QStringLiteral("^\\s*(?:VAR)?CHAR\\s*\\(\\s*(\\d+)\\s*\\)"),
                                         QRegularExpression::CaseInsensitiveOption);
  const auto m = laenge.match(deklarierterTyp);
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

std::pair<qint64, qint64> GanzzahlBereich(const QString& deklarierterTyp) {
  const QString t = deklarierterTyp.trimmed().toUpper();
  if (t == QLatin1String("SMALLINT")) return {std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()};
  if (t == QLatin1String("TINYINT")) return {0, 255};
  if (t == QLatin1String("BIGINT")) return {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
  return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
}

bool FehlerRegelGreift(TFehlerFaerben regel, const QVariant& wert, TSpaltenArt art) {
  if (regel == cnstNichtFaeben) return false;
  if (wert.isNull() || !wert.isValid()) return true;
  if (regel == cnstFaerbenWennNull) return false;
  switch (art) {
    case TSpaltenArt::Text:
    case TSpaltenArt::Zeit: return wert.toString().trimmed().isEmpty();
    case TSpaltenArt::Ganzzahl:
    case TSpaltenArt::Wahrheitswert:
    case TSpaltenArt::Kommazahl: return wert.toDouble() == 0.0;
    case TSpaltenArt::Datum: return false;
  }
  return false;
}

QString GanzzahlNormalisieren(const QString& text, bool ohneVorzeichen) {
  const QString t = text.trimmed();
  QString ziffern;
  for (const QChar c : t)
    if (c >= u'0' && c <= u'9') ziffern += c;
  if (ziffern.isEmpty()) return QStringLiteral("0");
  return (!ohneVorzeichen && t.startsWith(u'-') ? QStringLiteral("-") : QString()) + ziffern;
}

QString KommazahlNormalisieren(const QString& text, int genauigkeit, bool ohneVorzeichen) {
  const QString t = text.trimmed();
  QString vorn, hinten;
  bool trenner = false;
  for (const QChar c : t) {
    if (c == Komma && !trenner)
      trenner = true;
    else if (c >= u'0' && c <= u'9')
      (trenner ? hinten : vorn) += c;
  }
  if (vorn.isEmpty()) vorn = QStringLiteral("0");
  if (hinten.isEmpty()) hinten = QStringLiteral("0");
  const bool minus = !ohneVorzeichen && t.startsWith(u'-');
  bool ok = false;
  const double wert = (vorn + u'.' + hinten).toDouble(&ok);
  if (!ok || !std::isfinite(wert)) return {};
  return ZahlText(minus ? -wert : wert, genauigkeit);
}

int Nachkommastellen(const QString& text) {
  // The separator as leaving reads it (KommazahlNormalisieren): the first comma.
  const QString t = text.trimmed();
  const qsizetype trenner = t.indexOf(Komma);
  if (trenner < 0) return 0;
  QString hinten;
  for (const QChar c : t.mid(trenner + 1))
    if (c >= u'0' && c <= u'9') hinten += c;
  while (hinten.endsWith(u'0')) hinten.chop(1);
  return int(hinten.size());
}

QString ZuVieleNachkommastellen(int genauigkeit) {
  if (genauigkeit <= 0) return QStringLiteral("Bitte geben Sie hier eine ganze Zahl ohne Nachkommastellen ein.");
  if (genauigkeit == 1) return QStringLiteral("Bitte geben Sie hier höchstens eine Nachkommastelle ein.");
  return QStringLiteral("Bitte geben Sie hier höchstens %1 Nachkommastellen ein.").arg(genauigkeit);
}

qint64 JahrGebunden(qint64 jahr) {
  if (jahr >= 0 && jahr <= 50) return jahr + 2000;
  if (jahr >= 51 && jahr <= 100) return jahr + 1900;
  return jahr;
}

qint64 JahrUngebunden(qint64 jahr) {
  if (jahr >= 0 && jahr <= 30) return jahr + 2000;
  if (jahr > 30 && jahr <= 99) return jahr + 1900;
  return jahr;
}

QString ZahlText(double wert, int genauigkeit) {
  // The program's rounding adds 0.001, which would shift a third decimal;
  // fields with more decimals show the value as it is.
  if (genauigkeit <= 2) {
    const QString s = Zahlen::Text(wert, genauigkeit);
    // -0,00 is 0,00.
    if (s.startsWith(u'-') && Zahl(s).value_or(1.0) == 0.0) return s.mid(1);
    return s;
  }
  return Zahlen::Deutsch().toString(wert, 'f', genauigkeit);
}

std::optional<double> Zahl(const QString& text) {
  QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  t.replace(u'.', Komma);
  if (t.count(Komma) > 1) return std::nullopt;
  t.replace(Komma, u'.');
  bool ok = false;
  const double wert = t.toDouble(&ok);
  if (!ok || !std::isfinite(wert)) return std::nullopt;
  return wert;
}

QDate DatumAusText(const QString& text) { return Datumseingabe::Lesen(text); }

QString DatumText(const QDate& datum) {
  return datum.isValid() ? datum.toString(QStringLiteral("dd.MM.yy")) : QString();
}

QDate DatumAusSpalte(const QVariant& wert) {
  if (wert.isNull() || !wert.isValid()) return {};
  if (wert.typeId() == QMetaType::QDate) return wert.toDate();
  if (wert.typeId() == QMetaType::QDateTime) return wert.toDateTime().date();
  return QDate::fromString(wert.toString().left(10), QStringLiteral("yyyy-MM-dd"));
}

bool DatumLeer(const QString& text) {
  QString t = text;
  t.remove(u'.').remove(u'_');
  return t.trimmed().isEmpty();
}

}  // namespace Eingabe
