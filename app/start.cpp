#include "start.h"

#include "connection.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace Start {

namespace {

const QString Ende = QStringLiteral("\nDas Programm wird beendet.");

// The text between the first two fields of a date or time format.
QString Trenner(const QString& format) {
  static const QRegularExpression felder(QStringLiteral("^[A-Za-z]+([^A-Za-z]+)[A-Za-z]"));
  const auto treffer = felder.match(format);
  return treffer.hasMatch() ? treffer.captured(1) : QString();
}

QStringList Nummern(TADOModConnection& db, const QString& sql) {
  QStringList nummern;
  TAbfrage a(db, sql);
  while (a.Naechste()) nummern << a.Wert(0).toString();
  return nummern;
}

}  // namespace

const QString FormatMeldung =
    QStringLiteral("Fehlerhafte Ländereinstellung gefunden. Bitte stellen Sie vor der Verwendung des Programms in der "
                   "Systemsteuerung im Unterpunkt Region und Sprache auf der Seite Formate dasFormat einmal auf ") +
    QStringLiteral("\"Englisch (USA)\"") + QStringLiteral(" um dann wieder zurück auf ") +
    QStringLiteral("\"Deutsch (Deutschland)\"") + QStringLiteral(".");

TFormate Formate(const QLocale& locale) {
  return {locale.currencySymbol(), locale.groupSeparator(), locale.decimalPoint(),
          Trenner(locale.dateFormat(QLocale::ShortFormat)), Trenner(locale.timeFormat(QLocale::ShortFormat))};
}

const TFormate& DeutscheFormate() {
  static const TFormate f{QStringLiteral("€"), QStringLiteral("."), QStringLiteral(","), QStringLiteral("."),
                          QStringLiteral(":")};
  return f;
}

bool FormateRichtig(const QLocale& locale) { return Formate(locale) == DeutscheFormate(); }

TVerfahren Verfahren(bool dateiDa, std::pair<int, int> version) {
  if (!dateiDa) return TVerfahren::Anlegen;
  const auto [nummer, unter] = version;
  if (nummer >= 1 && nummer <= 4) return TVerfahren::ZuAlt;
  if (nummer == 5) return TVerfahren::Uebernehmen;
  if (nummer == 6 && unter >= 2 && unter <= 5) return TVerfahren::Auffrischen;
  return TVerfahren::Keines;
}

TErgebnis Starten(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen, const QLocale& formate) {
  TErgebnis e;
  if (!FormateRichtig(formate)) {
    meldungen.Info(FormatMeldung);
    return e;
  }
  e.ok = DatenbankOeffnen(db, ordner, meldungen, &e.version);
  return e;
}

void OrdnerAnlegen(const QString& ordner) {
  QDir d(ordner);
  d.mkpath(Dateien::Sicherungsordner + QStringLiteral("/EC"));
}

bool DatenbankOeffnen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen,
                      std::pair<int, int>* versionAus) {
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  const QString alt = QDir(ordner).filePath(Dateien::AlteDatenbank);
  const QString kandidat = QFile::exists(datei) ? datei : QFile::exists(alt) ? alt : QString();
  db.setMeldungen(&meldungen);

  std::pair<int, int> version{0, 0};
  if (!kandidat.isEmpty()) {
    // A file that is not ours, or one another program holds, is left alone.
    db.setDatenbankName(kandidat);
    if (db.Oeffnen() != TOeffnenErgebnis::Ok) {
      meldungen.Info(db.Fehlermeldung() + Ende);
      return false;
    }
    db.Schliessen();
    version = Datenbank::Version(kandidat);
  }
  if (versionAus) *versionAus = version;

  const QString name = QFileInfo(kandidat).fileName();
  bool ok = true;
  switch (Verfahren(!kandidat.isEmpty(), version)) {
    case TVerfahren::Anlegen:
      ok = Datenbank::Anlegen(ordner, meldungen);
      break;
    case TVerfahren::ZuAlt:
      // Nothing is converted, and there is nothing current to open.
      meldungen.Info(ZuAlteVersion);
      return false;
    case TVerfahren::Uebernehmen:
      if (kandidat != alt) {
        // Taking over would replace this very file by "Quendrix.mdb".
        meldungen.Info(QStringLiteral("Die Datenbank \u201E%1\u201C hat das ältere Format (Version 5) und wird nicht "
                                      "verändert. Zur Übernahme muss sie \u201E%2\u201C heißen.")
                           .arg(name, Dateien::AlteDatenbank) +
                       Ende);
        return false;
      }
      ok = Datenbank::Hochstufen(ordner, meldungen);
      break;
    case TVerfahren::Auffrischen:
      ok = Datenbank::Auffrischen(ordner, meldungen);
      break;
    case TVerfahren::Keines:
      if (version.first == 0) {
        // Ours, but without a readable version: creating anew would destroy it.
        meldungen.Info(QStringLiteral("Die Datenbank \u201E%1\u201C enthält keine lesbare Versionsangabe und wird "
                                      "nicht verändert.")
                           .arg(name) +
                       Ende);
        return false;
      }
      break;
  }
  if (!ok) return false;

  OrdnerAnlegen(ordner);
  db.setDatenbankName(datei);
  if (db.Oeffnen(TZugriff::Exklusiv) != TOeffnenErgebnis::Ok) {
    meldungen.Info(db.Fehlermeldung() + Ende);
    return false;
  }
  Datenbank::Wartung(db);
  return true;
}

QString UebernahmePruefen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen) {
  const QString zeile = QStringLiteral("\r\n");
  QString gesammelt;
  const QStringList feldbloecke = Nummern(
      db, QStringLiteral("select distinct l.ID from Betriebe l inner join  Schlag r on l.ID = r.BetriebsNr "
                         "where Jahr >= 2021 and ( Feldblock is null or length( r.Feldblock ) < 16 ) and l.ID > 1 "
                         "order by l.ID"));
  if (!feldbloecke.isEmpty())
    gesammelt += QStringLiteral("Feldblocknummer in den Betrieben mit folgender Betriebsnummer unvollständig "
                                "(16-stellig einschließlich DEVLLI):") +
                 zeile + feldbloecke.join(QStringLiteral(", ")) + zeile;
  const QStringList tierarten =
      Nummern(db, QStringLiteral("select distinct l.ID from Betriebe l inner join  S_OrgDung r on l.ID = r.BetriebsNr "
                                 "where r.TaVerfNr is null and l.ID > 1 order by l.ID"));
  if (!tierarten.isEmpty())
    gesammelt += QStringLiteral("Tierart/Verfahren der eigenen organischen Dünger in den Betrieben mit folgender "
                                "Betriebsnummer unvollständig zugewiesen:") +
                 zeile + tierarten.join(QStringLiteral(", "));

  QString text = gesammelt;
  if (!gesammelt.isEmpty()) {
    QFile f(QDir(ordner).filePath(Fehlerdatei));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(gesammelt.toUtf8());
    text += zeile + QStringLiteral("Das Fehlerprotokoll finden Sie in der Datei Fehler.txt.");
  }
  // Without a list the reminder stands alone, not below an empty line.
  if (!text.isEmpty()) text += zeile;
  text += QStringLiteral("Bitte ergänzen Sie bei allen eigenen organischen Düngemitteln noch den Nverf-Gehalt und "
                         "die Herkunft.");
  meldungen.Info(text);
  return text;
}

void Beenden(TADOModConnection& db, const QString& ordner) {
  db.Schliessen();
  Dateien::SicherungenRotieren(ordner);
  QFile::remove(QDir(ordner).filePath(Markierungsdatei));
}

}  // namespace Start
