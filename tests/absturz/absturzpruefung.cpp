#include "absturzpruefung.h"

#include "connection.h"
#include "files.h"
#include "meldungen.h"
#include "start.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Every message or question is a finding: after a kill the start has nothing to say.
class TProtokoll final : public TMeldungen {
public:
  QStringList texte;
  void Info(const QString& text) override { texte << QStringLiteral("Meldung: ") + text; }
  bool Frage(const QString& text) override {
    texte << QStringLiteral("Frage: ") + text;
    return false;
  }
  int Ganzzahleingabe(const QString&) override { return 0; }
  std::optional<QDate> Datumseingabe(const QString&) override { return std::nullopt; }
  int Jahreseingabe(const QString&) override { return 0; }
  QString DateiOeffnen(const QString&, const QString&, const QString&) override { return {}; }
  QString DateiSpeichern(const QString&, const QString&, const QString&) override { return {}; }
  QString OrdnerWaehlen(const QString&, const QString&) override { return {}; }
  void Piep() override {}
};

QByteArray Inhalt(const QString& datei) {
  QFile f(datei);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

QStringList NaechsterStartPruefen(const QString& ordner, const std::vector<qlonglong>& bestaetigt, const QDateTime& seit) {
  QStringList probleme;
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  const QByteArray geprueft = Inhalt(datei);
  TProtokoll meldungen;
  {
    TADOModConnection db;
    if (!Start::DatenbankOeffnen(db, ordner, meldungen)) {
      probleme << QStringLiteral("Der Start öffnet die Datenbank nicht.") << meldungen.texte;
      return probleme;
    }
    probleme << meldungen.texte;
    if (const QString befund = db.Befund(); !befund.isEmpty()) probleme << QStringLiteral("Befund: ") + befund;
    for (qlonglong id : bestaetigt)
      if (db.Wert(QStringLiteral("select count(*) from Betriebe where ID = :id"), {{QStringLiteral("id"), id}}).toInt() != 1)
        probleme << QStringLiteral("Die bestätigte Zeile %1 fehlt.").arg(id);
    // Every farm row is whole: its name was written with it.
    if (db.Wert(QStringLiteral("select count(*) from Betriebe where ID > 1 and Betriebsname is null")).toInt() != 0)
      probleme << QStringLiteral("Eine Zeile ist nur halb geschrieben.");
  }
  // Nothing of the killed run is left: no temporary copy, journal or lock.
  const QStringList dateien = QDir(ordner).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  if (dateien != QStringList{Dateien::Datenbank}) probleme << QStringLiteral("Im Ordner: ") + dateien.join(QStringLiteral(", "));
  const QDir sic(QDir(ordner).filePath(Dateien::Sicherungsordner));
  static const QRegularExpression generation(QStringLiteral("^Quendrix2021\\.\\d\\d$"));
  for (const QString& name : sic.entryList(QDir::Files))
    if (!generation.match(name).hasMatch()) probleme << QStringLiteral("In SIC: ") + name;
  // The newest backup is intact when the run wrote it (older ones were only
  // renamed); a copy of the very file the start has just checked needs no second check.
  const QString neueste = Dateien::Sicherung(ordner, 1);
  if (QFileInfo::exists(neueste) && QFileInfo(neueste).lastModified() >= seit && Inhalt(neueste) != geprueft) {
    TADOModConnection s;
    s.setDatenbankName(neueste);
    if (s.Oeffnen() != TOeffnenErgebnis::Ok)
      probleme << QStringLiteral("Sicherung: ") + s.Fehlermeldung();
    else if (const QString befund = s.Befund(); !befund.isEmpty())
      probleme << QStringLiteral("Sicherung beschädigt: ") + befund;
  }
  return probleme;
}

namespace Meldetest {

QStringList Dateien() {
  QStringList d;
  for (const char* p : {"Anl5_", "Duengungen_", "Anl5NG_", "Ertraege_", "DBE_"})
    d << QString::fromLatin1(p) + QStringLiteral("000_000000000042_2023.TXT");
  return d;
}

QByteArray Inhalt(const QString& name, bool neu) {
  return neu ? "neu " + name.toUtf8() + QByteArray(5000, 'x') : "alt " + name.toUtf8();
}

}  // namespace Meldetest

QStringList MeldeablagePruefen(const QString& ordner) {
  QStringList probleme;
  TProtokoll meldungen;
  QDate datum;
  {
    TADOModConnection db;
    if (!Start::DatenbankOeffnen(db, ordner, meldungen)) {
      probleme << QStringLiteral("Der Start öffnet die Datenbank nicht.") << meldungen.texte;
      return probleme;
    }
    // The only word of the start: what it did with the interrupted set.
    for (const QString& t : meldungen.texte)
      if (!t.contains(QStringLiteral("unterbrochene Ablage der Meldedateien")) ||
          !(t.contains(QStringLiteral("wurde abgeschlossen")) || t.contains(QStringLiteral("wurde zurückgenommen"))))
        probleme << t;
    datum = QDate::fromString(
        db.Wert(QStringLiteral("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where Duengejahr = 2023"))
            .toString(),
        Qt::ISODate);
  }
  const QDir ziel(QDir(ordner).filePath(Meldetest::Ordner));
  const QStringList da = ziel.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  QStringList erwartet = Meldetest::Dateien();
  erwartet.sort();
  if (da != erwartet) probleme << QStringLiteral("Im Meldeordner: ") + da.join(QStringLiteral(", "));
  const bool neu = datum == Meldetest::NeuesDatum;
  if (!neu && datum != Meldetest::AltesDatum) probleme << QStringLiteral("Erstellungsdatum: ") + datum.toString(Qt::ISODate);
  for (const QString& name : Meldetest::Dateien())
    if (Inhalt(ziel.filePath(name)) != Meldetest::Inhalt(name, neu))
      probleme << QStringLiteral("%1 gehört nicht zum %2 Stand.").arg(name, neu ? QStringLiteral("neuen") : QStringLiteral("alten"));
  const QStringList versteckt =
      QDir(ordner).entryList({QStringLiteral(".*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  if (!versteckt.isEmpty()) probleme << QStringLiteral("Im Arbeitsordner: ") + versteckt.join(QStringLiteral(", "));
  return probleme;
}
