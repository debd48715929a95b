#include "kommandozeile.h"

#include "connection.h"
#include "files.h"
#include "meldungen.h"
#include "stapel.h"
#include "stapeldruck.h"
#include "start.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace Kommandozeile {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

constexpr int Fehlgeschlagen = 1;
constexpr int Unbrauchbar = 2;

const char* const Hilfe =
    "Aufruf: quendrix [--ordner ORDNER]\n"
    "        quendrix [--ordner ORDNER] --stapel --jahr JJJJ (--alle | --betrieb N [--betrieb N ...])\n"
    "                 --schritte LISTE --ausgabe ORDNER [--datenbank DATEI] [--json]\n"
    "\n"
    "Ohne --stapel startet Quendrix sein Fenster im Arbeitsordner ~/Quendrix.\n"
    "  --ordner ORDNER     der Arbeitsordner mit der Datenbank (Vorgabe: ~/Quendrix für das Fenster,\n"
    "                      der aktuelle Ordner für --stapel); er wird angelegt, wenn er fehlt, und\n"
    "                      Quendrix arbeitet darin, als wäre es dort gestartet\n"
    "\n"
    "Stapelverarbeitung ohne Fenster:\n"
    "  --stapel            mehrere Betriebe in einem Lauf bearbeiten\n"
    "  --jahr JJJJ         das Düngejahr\n"
    "  --alle              alle Betriebe mit diesem Düngejahr\n"
    "  --betrieb N         der Betrieb mit der Nummer N (mehrfach möglich)\n"
    "  --schritte LISTE    durch Kommas getrennt, in dieser Reihenfolge ausgeführt:\n"
    "                      berechnen  Düngebedarfe neu berechnen (Stickstoff, Phosphat, Herbst)\n"
    "                      pruefen    rechtliche Grenzen prüfen\n"
    "                      melden     Meldedateien nach ORDNER/Meldepflichten_JJJJ/B_<EU-Nummer>\n"
    "                      drucken    Bedarfsblätter und Bilanz als PDF nach ORDNER/Betrieb_N/JJJJ\n"
    "                      listen     Tabellen (.xlsx) nach ORDNER/Betrieb_N/JJJJ\n"
    "  --ausgabe ORDNER    wohin die Dateien geschrieben werden\n"
    "  --datenbank DATEI   die Datenbank (Vorgabe: Quendrix2021.mdb im Arbeitsordner)\n"
    "  --json              die Zusammenfassung als JSON ausgeben\n"
    "  --help              diese Hilfe\n"
    "  --version           die Version\n"
    "\n"
    "Rückgabewert: 0 alle Betriebe erfolgreich, 1 einige fehlgeschlagen, 2 falsche Angaben oder\n"
    "unbrauchbare Datenbank.\n";

// Messages go to the error output; every question is answered "Nein", so
// that nothing is restored or converted without the user.
class TTextMeldungen final : public Stapel::TSammler {
public:
  explicit TTextMeldungen(QTextStream& aus) : m_aus(aus) {}
  void Info(const QString& text) override { m_aus << QString(text).replace(K("\r\n"), K("\n")) << Qt::endl; }
  bool Frage(const QString& text) override {
    m_aus << QString(text).replace(K("\r\n"), K("\n")) << K(" – Nein") << Qt::endl;
    return false;
  }

private:
  QTextStream& m_aus;
};

struct TAngaben {
  Stapel::TAuftrag auftrag;
  bool alle = false;
  bool json = false;
  QString datenbank;
};

// The arguments checked; an empty text when they are usable, else why not.
QString Lesen(const QStringList& argumente, const QString& ordner, TAngaben* a) {
  QCommandLineParser p;
  p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption stapel(K("stapel")), jahr(K("jahr"), {}, K("JJJJ")), alle(K("alle")),
      betrieb(K("betrieb"), {}, K("N")), schritte(K("schritte"), {}, K("LISTE")), ausgabe(K("ausgabe"), {}, K("ORDNER")),
      datenbank(K("datenbank"), {}, K("DATEI")), json(K("json"));
  p.addOptions({stapel, jahr, alle, betrieb, schritte, ausgabe, datenbank, json});
  if (!p.parse(QStringList{K("quendrix")} + argumente)) {
    const QStringList unbekannt = p.unknownOptionNames();
    return unbekannt.isEmpty() ? K("Die Angaben sind unvollständig: %1").arg(p.errorText())
                               : K("Unbekannte Angabe: --%1").arg(unbekannt.join(K(", --")));
  }
  if (!p.positionalArguments().isEmpty())
    return K("Unbekannte Angabe: %1").arg(p.positionalArguments().join(u' '));
  bool ok = false;
  a->auftrag.jahr = p.value(jahr).toInt(&ok);
  if (!ok || a->auftrag.jahr < 1990 || a->auftrag.jahr > 2100) return K("Bitte das Düngejahr mit --jahr JJJJ angeben.");
  a->alle = p.isSet(alle);
  if (a->alle == p.isSet(betrieb)) return K("Bitte entweder --alle oder --betrieb N angeben.");
  for (const QString& n : p.values(betrieb)) {
    const int nummer = n.toInt(&ok);
    if (!ok || nummer < 2) return K("„%1“ ist keine Betriebsnummer.").arg(n);
    a->auftrag.betriebe.push_back(nummer);
  }
  if (!p.isSet(schritte) || p.value(schritte).trimmed().isEmpty())
    return K("Bitte die Schritte mit --schritte angeben (berechnen, pruefen, melden, drucken, listen).");
  for (const QString& s : p.value(schritte).split(u',')) {
    const auto schritt = Stapel::SchrittAusName(s);
    if (!schritt)
      return K("Unbekannter Schritt „%1“. Möglich sind: berechnen, pruefen, melden, drucken, listen.").arg(s.trimmed());
    a->auftrag.schritte.push_back(*schritt);
  }
  if (p.value(ausgabe).isEmpty()) return K("Bitte den Ausgabeordner mit --ausgabe ORDNER angeben.");
  a->auftrag.ausgabe = QDir(ordner).absoluteFilePath(p.value(ausgabe));
  a->datenbank = QDir(ordner).absoluteFilePath(p.isSet(datenbank) ? p.value(datenbank) : Dateien::Datenbank);
  a->json = p.isSet(json);
  return {};
}

QString Zeile(const Stapel::TErgebnis& e) {
  QStringList schritte;
  for (Stapel::TSchritt s : e.erledigt) schritte << Stapel::Name(s);
  QString z = K("%1 %2: %3").arg(e.betrieb).arg(e.name, e.Ok() ? K("fertig") : K("FEHLER"));
  if (!schritte.isEmpty()) z += K(" (") + schritte.join(K(", ")) + u')';
  if (!e.dateien.isEmpty()) z += K(", %1 Dateien").arg(e.dateien.size());
  if (e.befunde > 0) z += K(", %1 Befunde, am schwersten: %2").arg(e.befunde).arg(e.schwersterBefund);
  if (!e.ohneBedarf.isEmpty()) z += K(", %1 Kulturen ohne berechneten Bedarf").arg(e.ohneBedarf.size());
  if (e.ohneDatum > 0) z += K(", %1 Aufzeichnungen ohne Datum").arg(e.ohneDatum);
  if (!e.Ok()) z += K("\n  ") + QString(e.fehler).replace(K("\r\n"), K("\n  "));
  return z;
}

}  // namespace

bool Zustaendig(const QStringList& argumente) {
  for (const QString& a : argumente)
    if (a == K("--stapel") || a == K("--help") || a == K("-h") || a == K("--version")) return true;
  return false;
}

int Ausfuehren(const QStringList& argumente, const QString& ordner, QTextStream& aus, QTextStream& fehler,
               const QDate& heute) {
  if (argumente.contains(K("--help")) || argumente.contains(K("-h"))) {
    aus << K(Hilfe);
    return 0;
  }
  if (argumente.contains(K("--version"))) {
    aus << K("Quendrix ") << K(QUENDRIX_VERSION) << Qt::endl;
    return 0;
  }
  TAngaben a;
  a.auftrag.heute = heute;
  a.auftrag.pdf = Stapeldruck::Pdf;
  if (const QString grund = Lesen(argumente, ordner, &a); !grund.isEmpty()) {
    fehler << grund << Qt::endl << K("Hilfe: quendrix --help") << Qt::endl;
    return Unbrauchbar;
  }
  // Only the program's own database of that folder, never created here.
  const QFileInfo datei(a.datenbank);
  if (datei.fileName() != Dateien::Datenbank) {
    fehler << K("Die Datenbank muss „%1“ heißen: %2").arg(Dateien::Datenbank, QDir::toNativeSeparators(a.datenbank))
           << Qt::endl;
    return Unbrauchbar;
  }
  if (!datei.isFile()) {
    fehler << K("Die Datenbank %1 wurde nicht gefunden.").arg(QDir::toNativeSeparators(a.datenbank)) << Qt::endl;
    return Unbrauchbar;
  }
  if (!QDir().mkpath(a.auftrag.ausgabe)) {
    fehler << K("Der Ausgabeordner %1 kann nicht angelegt werden.").arg(QDir::toNativeSeparators(a.auftrag.ausgabe))
           << Qt::endl;
    return Unbrauchbar;
  }
  TTextMeldungen meldungen(fehler);
  TADOModConnection db(&meldungen);
  const QString arbeitsordner = datei.absolutePath();
  if (!Start::DatenbankOeffnen(db, arbeitsordner, meldungen)) return Unbrauchbar;
  int ergebnis = 0;
  if (a.alle) a.auftrag.betriebe = Stapel::BetriebeDesJahres(db, a.auftrag.jahr);
  if (a.auftrag.betriebe.empty()) {
    fehler << K("Für das Düngejahr %1 gibt es keinen Betrieb.").arg(a.auftrag.jahr) << Qt::endl;
    ergebnis = Unbrauchbar;
  }
  for (int b : a.auftrag.betriebe)
    if (ergebnis == 0 &&
        db.Wert(K("select count(*) from Betriebe where ID = :b"), {{K("b"), b}}).toInt() != 1) {
      fehler << K("Den Betrieb %1 gibt es nicht.").arg(b) << Qt::endl;
      ergebnis = Unbrauchbar;
    }
  if (ergebnis == 0) {
    const auto ergebnisse = Stapel::Ausfuehren(db, a.auftrag, [&](int i, int b) {
      fehler << K("Betrieb %1 (%2 von %3) ...").arg(b).arg(i + 1).arg(a.auftrag.betriebe.size()) << Qt::endl;
      return true;
    });
    if (a.json)
      aus << QString::fromUtf8(Stapel::Json(ergebnisse));
    else
      for (const auto& e : ergebnisse) aus << Zeile(e) << Qt::endl;
    for (const auto& e : ergebnisse)
      if (!e.Ok()) ergebnis = Fehlgeschlagen;
  }
  Start::Beenden(db, arbeitsordner);
  return ergebnis;
}

}  // namespace Kommandozeile
