#include "start.h"

#include "connection.h"
#include "fehlertexte.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldeablage.h"
#include "meldungen.h"
#include "sicheredatei.h"

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

// Writes the whole file; the reason when that failed, else empty.
QString Schreiben(const QString& datei, const QByteArray& inhalt) {
  QString fehler;
  return SichereDatei::Schreiben(datei, inhalt, &fehler) ? QString() : fehler;
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

namespace {

// What the check of the file found: empty when it is an intact database of ours.
struct TZustand {
  TOeffnenErgebnis ergebnis = TOeffnenErgebnis::Ok;
  QString meldung;  // the connection's German text when it could not be opened
  QString befund;   // the engine's findings when it is damaged
  bool leer = false;  // no bytes, or ours without a single table
  std::pair<int, int> version{0, 0};
};

// Leaves the connection open (shared) when the file is intact and not empty.
TZustand Pruefen(TADOModConnection& db, const QString& datei) {
  TZustand z;
  if (QFileInfo(datei).size() == 0) {
    z.leer = true;
    return z;
  }
  db.setDatenbankName(datei);
  z.ergebnis = db.Oeffnen();
  z.meldung = db.Fehlermeldung();
  if (z.ergebnis == TOeffnenErgebnis::Ok) {
    z.befund = db.Befund();
    z.leer = z.befund.isEmpty() && db.Wert(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt() == 0;
    // Read here, on the open connection: every opening costs the key derivation.
    if (z.befund.isEmpty() && !z.leer)
      z.version = {db.Wert(QStringLiteral("select VersionNummer as ID from Merk")).toInt(),
                   db.Wert(QStringLiteral("select VersionUnterNummer as ID from Merk")).toInt()};
  }
  if (!z.befund.isEmpty() || z.leer) db.Schliessen();
  return z;
}

bool AccessDatei(const QString& datei) {
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray kopf = f.read(32);
  return kopf.mid(4, 15) == "Standard Jet DB" || kopf.mid(4, 15) == "Standard ACE DB";
}

QString Zeitpunkt(const QDateTime& zeit) {
  return zeit.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" um ") + zeit.toString(QStringLiteral("HH:mm")) +
         QStringLiteral(" Uhr");
}

// A damaged (or unreadable, or empty) "Quendrix2021.mdb": the newest intact
// backup is offered; the file itself is never overwritten but put aside.
// True when a backup is in its place.
bool Wiederherstellen(const QString& ordner, const QString& schaden, TMeldungen& meldungen) {
  const Dateien::TSicherung sicherung = Dateien::NeuesteIntakteSicherung(ordner);
  if (sicherung.generation == 0) {
    meldungen.Info(schaden +
                   QStringLiteral(" Im Ordner \u201E%1\u201C gibt es keine unbeschädigte Sicherung. Die Datei bleibt "
                                  "unverändert. Bitte holen Sie eine Sicherung von einem anderen Datenträger zurück "
                                  "oder wenden Sie sich an die Betreuung des Programms.")
                       .arg(Dateien::Sicherungsordner) +
                   Ende);
    return false;
  }
  const QString frage =
      schaden + QStringLiteral(" Soll die neueste unbeschädigte Sicherung vom %1 wiederhergestellt werden? Die "
                               "beschädigte Datei bleibt unter einem neuen Namen im Programmordner erhalten; was nach "
                               "dieser Sicherung gespeichert wurde, fehlt in der wiederhergestellten Datenbank.")
                    .arg(Zeitpunkt(sicherung.zeit));
  if (!meldungen.Frage(frage)) {
    meldungen.Info(QStringLiteral("Die Datenbank \u201E%1\u201C bleibt unverändert.").arg(Dateien::Datenbank) + Ende);
    return false;
  }
  QString beiseite, fehler;
  if (!Dateien::Wiederherstellen(ordner, sicherung, &beiseite, &fehler)) {
    meldungen.Info(fehler + Ende);
    return false;
  }
  meldungen.Info(QStringLiteral("Die Sicherung vom %1 wurde wiederhergestellt. Die beschädigte Datei liegt jetzt als "
                                "\u201E%2\u201C im Programmordner.")
                     .arg(Zeitpunkt(sicherung.zeit), QFileInfo(beiseite).fileName()));
  return true;
}

}  // namespace

bool DatenbankOeffnen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen,
                      std::pair<int, int>* versionAus) {
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  const QString alt = QDir(ordner).filePath(Dateien::AlteDatenbank);
  db.setMeldungen(&meldungen);

  // One run at a time checks, creates, converts or restores in the folder,
  // and none removes another's temporary files.
  const Dateien::TOrdnerSperre sperre(ordner);
  if (sperre.Gesperrt()) {
    meldungen.Info(Fehlertexte::Gesperrt(datei) + Ende);
    return false;
  }
  Dateien::ResteEntfernen(ordner);

  QString kandidat = QFile::exists(datei) ? datei : QFile::exists(alt) ? alt : QString();
  std::pair<int, int> version{0, 0};
  if (!kandidat.isEmpty()) {
    const QString name = QFileInfo(kandidat).fileName();
    const TZustand z = Pruefen(db, kandidat);
    version = z.version;
    // A current database is opened for work on this very connection; for
    // anything else the file is left to the procedures.
    if (kandidat != datei || Verfahren(true, version) != TVerfahren::Keines || version.first == 0) db.Schliessen();
    const bool fremd = z.ergebnis == TOeffnenErgebnis::FremdeDatei && !AccessDatei(kandidat);
    const bool beschaedigt = !z.befund.isEmpty();
    if (z.ergebnis == TOeffnenErgebnis::Gesperrt || z.ergebnis == TOeffnenErgebnis::Fehler ||
        (z.ergebnis == TOeffnenErgebnis::FremdeDatei && !fremd)) {
      // Another program holds it, or an Access file of the earlier program: left alone.
      meldungen.Info(z.meldung + Ende);
      return false;
    }
    if (kandidat == alt && (beschaedigt || fremd || z.leer)) {
      // The takeover says what is wrong with it; nothing is converted.
      if (fremd) {
        meldungen.Info(z.meldung + Ende);
        return false;
      }
    } else if (z.leer && Dateien::NeuesteIntakteSicherung(ordner).generation == 0) {
      // An interrupted first creation of an earlier release: no data, no backup.
      // It would lock the user out for good; a new database takes its place.
      Dateien::Entfernen(kandidat);
      Dateien::Entfernen(kandidat + QStringLiteral("-journal"));
      kandidat.clear();
    } else if (z.leer || beschaedigt || fremd) {
      QString schaden;
      if (beschaedigt)
        schaden = QStringLiteral("Die Datenbank \u201E%1\u201C ist beschädigt.").arg(name) + Fehlertexte::Klammer(z.befund);
      else if (z.leer)
        schaden = QStringLiteral("Die Datenbank \u201E%1\u201C ist leer.").arg(name);
      else
        schaden = QStringLiteral("Die Datenbank \u201E%1\u201C kann nicht gelesen werden (falsches Kennwort, "
                                 "beschädigte oder fremde Datei).")
                      .arg(name);
      if (!Wiederherstellen(ordner, schaden, meldungen)) return false;
      version = Datenbank::Version(kandidat);
    }
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
        if (kandidat == alt) {
          // A damaged or empty older file: the takeover's check says what is wrong.
          ok = Datenbank::Hochstufen(ordner, meldungen);
          break;
        }
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
  if (!db.IstOffen()) db.setDatenbankName(datei);
  if (db.ExklusivWerden() != TOeffnenErgebnis::Ok) {
    meldungen.Info(db.Fehlermeldung() + Ende);
    return false;
  }
  // Maintenance that cannot be saved: the database is not opened for work.
  QString fehler;
  if (!Datenbank::Wartung(db, &fehler)) {
    db.Schliessen();
    meldungen.Info(fehler + Ende);
    return false;
  }
  // Reporting files whose placing a kill interrupted are settled now.
  if (const QString notiz = Meldeablage::Aufraeumen(db, ordner); !notiz.isEmpty()) meldungen.Info(notiz);
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
    const QString grund = Schreiben(QDir(ordner).filePath(Fehlerdatei), gesammelt.toUtf8());
    if (grund.isEmpty())
      text += zeile + QStringLiteral("Das Fehlerprotokoll finden Sie in der Datei Fehler.txt.");
    else
      // The list above is then the only record: the message must not point to a file that is not there.
      text += zeile + QStringLiteral("Das Fehlerprotokoll konnte nicht in die Datei Fehler.txt geschrieben werden") +
              Fehlertexte::Klammer(grund) + QStringLiteral(". Bitte notieren Sie sich die Angaben oben.");
  }
  // Without a list the reminder stands alone, not below an empty line.
  if (!text.isEmpty()) text += zeile;
  text += QStringLiteral("Bitte ergänzen Sie bei allen eigenen organischen Düngemitteln noch den Nverf-Gehalt und "
                         "die Herkunft.");
  meldungen.Info(text);
  return text;
}

void Beenden(TADOModConnection& db, const QString& ordner) {
  TMeldungen* meldungen = db.Meldungen();
  // Checked while still open: opening again would cost the key derivation once more.
  const bool offen = db.IstOffen() && db.DatenbankName() == QDir(ordner).filePath(Dateien::Datenbank);
  const QString befund = offen ? db.Befund() : QString();
  db.Schliessen();
  const QString sicherung = Dateien::SicherungenRotieren(ordner, offen ? &befund : nullptr);
  if (!sicherung.isEmpty() && meldungen) meldungen->Info(sicherung);
  QFile::remove(QDir(ordner).filePath(Markierungsdatei));
}

}  // namespace Start
