#include "listenausgabe.h"

#include "connection.h"
#include "mappe.h"
#include "meldungen.h"
#include "sicheredatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace Listenausgabe {

TKopf Kopf(TADOModConnection& db, int betrieb, int jahr) {
  TKopf k;
  k.jahr = jahr;
  k.datum = QDate::currentDate();
  TAbfrage a(db, u"SELECT Betriebsname, SitzStrasse, SitzPLZ, SitzOrt, SitzOrtsTeil FROM Betriebe WHERE ID = :B"_s,
             {{u"B"_s, betrieb}});
  if (a.Naechste()) {
    k.betriebsname = a.Wert(0).toString();
    k.strasse = a.Wert(1).toString();
    k.ort = a.Wert(2).toString() + u' ' + a.Wert(3).toString() + u" Ortsteil "_s + a.Wert(4).toString();
  }
  return k;
}

void KopfSchreiben(TMappe& mappe, const TKopf& kopf, QStringView datumsspalte) {
  using F = TMappe::TFormat;
  mappe.Text(u"A"_s, 1, kopf.betriebsname, F::Fett);
  mappe.Text(u"A"_s, 2, kopf.strasse);
  mappe.Text(u"A"_s, 3, kopf.ort);
  mappe.Text(u"A"_s, 6, u"Jahr "_s + QString::number(kopf.jahr), F::Fett);
  mappe.Text(datumsspalte, 1, u"Datum"_s, F::Fett);
  mappe.Datum(datumsspalte, 2, kopf.datum);
}

void KopfSchreiben(TMappe& mappe, const TKopf& kopf, QStringView datumsspalte, const QString& titel) {
  KopfSchreiben(mappe, kopf, datumsspalte);
  mappe.Text(u"A"_s, 5, titel, TMappe::TFormat::Titel);
}

void Spaltenkoepfe(TMappe& mappe, std::initializer_list<std::pair<const char16_t*, const char16_t*>> koepfe,
                   double hoehe) {
  for (const auto& [spalte, text] : koepfe) mappe.Text(spalte, 7, QString::fromUtf16(text), TMappe::TFormat::Spaltenkopf);
  mappe.Zeilenhoehe(7, hoehe);
}

void Spaltenbreiten(TMappe& mappe, std::initializer_list<std::pair<const char16_t*, double>> breiten) {
  for (const auto& [spalte, breite] : breiten) mappe.Spaltenbreite(spalte, breite);
}

void Schlagspalten(TMappe& mappe, int zeile, double schlagNr, const QString& schlagName, double groesse) {
  using F = TMappe::TFormat;
  mappe.Zahl(u"A"_s, zeile, schlagNr, F::Mitte);
  mappe.Text(u"B"_s, zeile, schlagName);
  mappe.Zahl(u"C"_s, zeile, groesse, F::ZweiStellen);
}

bool HatSchlaege(TADOModConnection& db, int betrieb, int jahr) {
  return db.Wert(u"SELECT count(*) FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J"_s, {{u"B"_s, betrieb}, {u"J"_s, jahr}})
             .toInt() > 0;
}

QString Filter() { return u"Excel-Datei (*.XLSX *.xlsx);;Excel-Datei (*.XLS *.xls)"_s; }

QString Fertig() {
  return u"Fertig. Ist die Liste in einer Tabellenkalkulation geöffnet, schließen Sie sie dort bitte, bevor Sie sie "
         "neu erstellen."_s;
}

QString Gesperrt(const QString& datei) {
  return u"Datei \""_s + datei + u"\" lässt sich nicht überschreiben/löschen. Eventuell ist sie noch geöffnet."_s;
}

QString Fehler() { return u"Die Liste wurde nicht geschrieben."_s; }

bool AlsXls(const QString& ziel) { return QFileInfo(ziel).suffix().toUpper() == u"XLS"_s; }

QString ZielErfragen(TMeldungen& meldungen, const QString& ordner) {
  QString ziel = meldungen.DateiSpeichern(u"Excel-Export"_s, ordner, Filter());
  if (ziel.isEmpty()) return {};
  const QString endung = QFileInfo(ziel).suffix().toUpper();
  // The dialog may hand back a name as typed; the list needs a format.
  if (endung != u"XLSX"_s && endung != u"XLS"_s) ziel += u".xlsx"_s;
  return ziel;
}

bool ZielFreimachen(TMeldungen& meldungen, const QString& ziel) {
  // An old list stays until the new one is complete and takes its place;
  // only a folder of the name cannot be replaced.
  if (QFileInfo(ziel).isDir()) {
    meldungen.Info(Gesperrt(QDir::toNativeSeparators(ziel)));
    return false;
  }
  return true;
}

QString LibreOffice() {
  for (const QString& name : {u"soffice"_s, u"libreoffice"_s}) {
    const QString pfad = QStandardPaths::findExecutable(name);
    if (!pfad.isEmpty()) return pfad;
  }
  return {};
}

namespace {

// A workbook as its format ends: a zip archive with its closing record, or
// a compound file of whole 512-byte sectors with its signature.
bool Vollstaendig(const QByteArray& inhalt, bool xls) {
  if (xls) return inhalt.size() >= 1024 && inhalt.size() % 512 == 0 && inhalt.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  // The end-of-archive record: its signature 22 bytes before the end (no comment).
  return inhalt.startsWith("PK\x03\x04") && inhalt.size() >= 22 && inhalt.mid(inhalt.size() - 22, 4) == "PK\x05\x06";
}

// LibreOffice with a profile of its own, so that an office the user has open
// neither takes over the conversion nor is disturbed by it.
bool Umwandeln(const QString& xlsx, const QString& ordner, QString* fehler) {
  const QString programm = LibreOffice();
  if (programm.isEmpty()) {
    if (fehler) *fehler = u"Für das Format .xls wird LibreOffice benötigt; es ist nicht installiert."_s;
    return false;
  }
  QProcess p;
  p.setProgram(programm);
  p.setArguments({u"-env:UserInstallation="_s + QUrl::fromLocalFile(ordner + u"/profil"_s).toString(),
                  u"--headless"_s, u"--convert-to"_s, u"xls"_s, u"--outdir"_s, ordner, xlsx});
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start();
  const bool fertig = p.waitForFinished(180000);
  if (!fertig) {
    p.kill();
    p.waitForFinished(5000);
  }
  if (!fertig || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    if (fehler) *fehler = u"LibreOffice konnte die Liste nicht in das Format .xls umwandeln."_s;
    return false;
  }
  return true;
}

}  // namespace

bool Schreiben(const TMappe& mappe, const QString& ziel, QString* fehler) {
  QTemporaryDir tmp;
  if (!tmp.isValid()) {
    if (fehler) *fehler = u"Es konnte kein temporärer Ordner angelegt werden."_s;
    return false;
  }
  const QString xlsx = tmp.filePath(u"Liste.xlsx"_s);
  if (!mappe.Speichern(xlsx, fehler)) return false;
  QString fertig = xlsx;
  if (AlsXls(ziel)) {
    if (!Umwandeln(xlsx, tmp.path(), fehler)) return false;
    fertig = tmp.filePath(u"Liste.xls"_s);
  }
  // The finished list is read back and written beside the target, so that
  // no move across disks can leave a part of it under the target's name.
  QFile f(fertig);
  const QByteArray inhalt = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  if (!Vollstaendig(inhalt, AlsXls(ziel))) {
    if (fehler)
      *fehler = AlsXls(ziel) ? u"LibreOffice konnte die Liste nicht in das Format .xls umwandeln."_s
                             : u"Die Liste konnte nicht vollständig erstellt werden; vermutlich ist der Datenträger "
                               "des temporären Ordners %1 voll."_s.arg(QDir::toNativeSeparators(tmp.path()));
    return false;
  }
  return SichereDatei::Schreiben(ziel, inhalt, fehler);
}

TErgebnis Ausgeben(TMeldungen& meldungen, const QString& ordner, const QString& fehlermeldung,
                   const std::function<void()>& vorher, const std::function<TMappe()>& bauen) {
  const QString ziel = ZielErfragen(meldungen, ordner);
  if (ziel.isEmpty()) return TErgebnis::Abgebrochen;
  if (!ZielFreimachen(meldungen, ziel)) return TErgebnis::Gesperrt;
  QString fehler;
  bool ok = false;
  {
    // The rules of a year and LibreOffice's conversion take seconds.
    TWarten warten(&meldungen, u"Die Liste wird geschrieben …"_s);
    const int schritte = AlsXls(ziel) ? 3 : 2;
    warten.Schritt(0, schritte, u"Berechnen"_s);
    if (vorher) vorher();
    warten.Schritt(1, schritte, u"Liste aufbauen"_s);
    const TMappe mappe = bauen();
    if (schritte == 3) warten.Schritt(2, schritte, u"Umwandeln in .xls (LibreOffice)"_s);
    ok = Schreiben(mappe, ziel, &fehler);
  }
  if (!ok) {
    meldungen.Info(fehlermeldung + u"\n\n"_s + fehler);
    return TErgebnis::Fehler;
  }
  return TErgebnis::Geschrieben;
}

TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, const QString& ordner,
                      const QString& fehlermeldung, const std::function<void()>& vorher,
                      const std::function<TMappe(const TKopf&)>& bauen, const std::function<void()>& nachher) {
  if (!HatSchlaege(db, betrieb, jahr)) return TErgebnis::Nichts;
  const TErgebnis e = Ausgeben(meldungen, ordner, fehlermeldung, vorher, [&] { return bauen(Kopf(db, betrieb, jahr)); });
  if (e != TErgebnis::Geschrieben) return e;
  if (nachher) nachher();
  meldungen.Info(Fertig());
  return e;
}

}  // namespace Listenausgabe
