#include "lebenslauf.h"

#include "connection.h"
#include "fehlertexte.h"
#include "files.h"
#include "meldungen.h"
#include "schema.h"
#include "skript.h"
#include "stammdaten.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace Datenbank {

namespace {

const Schema::TKatalog& Katalog() { return Schema::TKatalog::Standard(); }

// Collects the engine's texts that reporting-mode statements would show while
// a database is built or converted: one German message then says what
// failed. The wait window and questions go to the program's service.
class TSammler final : public TMeldungen {
public:
  explicit TSammler(TMeldungen& echt) : m_echt(echt) {}
  QStringList texte;

  void Info(const QString& text) override { texte << text; }
  bool Frage(const QString& text) override { return m_echt.Frage(text); }
  int Ganzzahleingabe(const QString& a) override { return m_echt.Ganzzahleingabe(a); }
  std::optional<QDate> Datumseingabe(const QString& a) override { return m_echt.Datumseingabe(a); }
  int Jahreseingabe(const QString& a) override { return m_echt.Jahreseingabe(a); }
  QString DateiOeffnen(const QString& t, const QString& o, const QString& f) override { return m_echt.DateiOeffnen(t, o, f); }
  QString DateiSpeichern(const QString& t, const QString& v, const QString& f) override {
    return m_echt.DateiSpeichern(t, v, f);
  }
  QString OrdnerWaehlen(const QString& t, const QString& o) override { return m_echt.OrdnerWaehlen(t, o); }
  void Piep() override { m_echt.Piep(); }
  void WartenBeginnen(const QString& text) override { m_echt.WartenBeginnen(text); }
  void WartenBeenden() override { m_echt.WartenBeenden(); }
  bool Fortschritt(int e, int g, const QString& s, bool a) override { return m_echt.Fortschritt(e, g, s, a); }

private:
  TMeldungen& m_echt;
};

// A text about the temporary file names the database the user knows.
QString Benannt(QString text, const QString& temp, const QString& datei) {
  return text.replace(QFileInfo(temp).fileName(), QFileInfo(datei).fileName());
}

void ZwischendateiEntfernen(const QString& temp) {
  Dateien::Entfernen(temp);
  Dateien::Entfernen(temp + QStringLiteral("-journal"));
}

QString Liste(const QStringList& spalten, const QString& vorsatz = {}) {
  QStringList t;
  for (const QString& s : spalten) t << vorsatz + s;
  return t.join(QStringLiteral(", "));
}

// Rebuilds a table of the older format in the current form: the catalogue's
// columns and keys, the older table's extra columns kept; rows keep their
// values, and columns they did not have are null, as added columns are.
void Umbauen(TADOModConnection& db, const Schema::TTabelle& t, const QStringList& alt) {
  Schema::TTabelle neu = t;
  const QString temp = t.name + QStringLiteral("__neu");
  neu.name = temp;
  QStringList extra;
  for (const QString& s : alt)
    if (!t.Spalte(s)) extra << s;
  QString ddl = Schema::CreateTable(neu);
  if (!extra.isEmpty()) {
    // Extra columns keep no type: the older values stay as they were.
    const int ende = ddl.indexOf(QLatin1Char('\n'), ddl.indexOf(QLatin1Char('(')));
    ddl.insert(ende, QStringLiteral("\n  ") + extra.join(QStringLiteral(",\n  ")) + QLatin1Char(','));
  }
  QStringList gemeinsam, fehlend;
  for (const auto& s : t.spalten) {
    if (alt.contains(s.name, Qt::CaseInsensitive))
      gemeinsam << s.name;
    else if (s.typ != QLatin1String("counter"))
      fehlend << s.name + QStringLiteral(" = null");
  }
  gemeinsam << extra;
  db.AusfuehrenStill(QStringLiteral("drop table if exists ") + temp);
  if (!db.AusfuehrenMitMeldung(ddl)) return;
  if (!db.AusfuehrenMitMeldung(QStringLiteral("insert into %1 ( %2 ) select %2 from %3").arg(temp, Liste(gemeinsam), t.name)))
    return;
  if (!fehlend.isEmpty()) db.AusfuehrenStill(QStringLiteral("update %1 set %2").arg(temp, fehlend.join(QStringLiteral(", "))));
  db.AusfuehrenMitMeldung(QStringLiteral("drop table ") + t.name);
  db.AusfuehrenMitMeldung(QStringLiteral("alter table %1 rename to %2").arg(temp, t.name));
  Schema::IndizesAnlegen(db, t);
}

}  // namespace

std::pair<int, int> Version(const QString& datei) {
  TADOModConnection db;
  db.setDatenbankName(datei);
  if (db.Oeffnen() != TOeffnenErgebnis::Ok) return {0, 0};
  return {db.Wert(QStringLiteral("select VersionNummer as ID from Merk")).toInt(),
          db.Wert(QStringLiteral("select VersionUnterNummer as ID from Merk")).toInt()};
}

void DatentabellenAnlegen(TADOModConnection& db) {
  for (const auto& t : Katalog().Tabellen()) {
    if (t.art != QLatin1String("Betrieb") || !Schema::TabelleAnlegen(db, t)) continue;
    // The first rows go only into tables created just now.
    if (t.name == QLatin1String("Betriebe"))
      db.AusfuehrenStill(
          QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 1, 'Nullbetrieb', 15 )"));
    else if (t.name == QLatin1String("Merk"))
      db.AusfuehrenStill(QStringLiteral("insert into Merk ( BetriebsNr, Jahr, VersionNummer, MaxKulturGruppe, "
                                        "VersionUnterNummer ) Values ( 0, 2021, 6, 3, 6 )"));
  }
}

void GemeinsameTabellenAnlegen(TADOModConnection& db) { Stammdaten::GemeinsameTabellenNeuAnlegen(db); }

bool VorlageAktualisieren(TADOModConnection& db) {
  TWarten warten(db.Meldungen(), WarteText);
  return Stammdaten::VorlageAktualisieren(db).gespeichert;
}

void SichtenAnlegen(TADOModConnection& db) { Schema::SichtenAnlegen(db, Katalog()); }

void SichtenLoeschen(TADOModConnection& db) {
  for (const auto& s : Katalog().Sichten()) db.AusfuehrenStill(QStringLiteral("drop View ") + s.name);
}

bool SpaltenErgaenzen(TADOModConnection& db) {
  // Rebuilding needs the foreign keys off, which works only outside a transaction.
  db.AusfuehrenStill(QStringLiteral("PRAGMA foreign_keys = OFF"));
  // One transaction for all tables: a table is never left dropped and not yet renamed back.
  TTransaktion tx(db);
  for (const auto& t : Katalog().Tabellen()) {
    if (t.art != QLatin1String("Betrieb")) continue;
    const QStringList alt = db.Spalten(t.name);
    if (alt.isEmpty()) continue;
    bool vollstaendig = true;
    for (const auto& s : t.spalten) vollstaendig = vollstaendig && alt.contains(s.name, Qt::CaseInsensitive);
    const bool hatVerweis =
        t.verweis.isEmpty() || db.Wert(QStringLiteral("PRAGMA foreign_key_list(%1)").arg(t.name)).isValid();
    if (!vollstaendig || !hatVerweis) Umbauen(db, t, alt);
  }
  const bool ok = tx.Bestaetigen();
  db.AusfuehrenStill(QStringLiteral("PRAGMA foreign_keys = ON"));
  return ok;
}

void VersionSetzen(TADOModConnection& db) {
  db.AusfuehrenMitMeldung(
      QStringLiteral("update Merk set VersionNummer = 6, MaxKulturGruppe = 3, VersionUnterNummer = 6"));
}

void AlteTabellenVorbereiten(TADOModConnection& db) { Skript::Ausfuehren(db, QStringLiteral("Vorbereiten")); }

void AlteDatenUebernehmen(TADOModConnection& db) {
  Skript::Ausfuehren(db, QStringLiteral("Meerrettich"));
  const QStringList proben = db.Spalten(QStringLiteral("Proben"));
  auto hat = [&](const QString& s) { return proben.contains(s, Qt::CaseInsensitive); };

  // Fields: one per farm, year and parcel, each value the largest of its rows.
  {
    const QHash<QString, QString> anders = {
        {QStringLiteral("P2O5_Gehalt"),
         QStringLiteral("iif( max( P2O5_Gehalt ) is null or max( P2O5_Gehalt ) = 0, max( P_Gehalt ) * 2.2914, "
                        "max( P2O5_Gehalt ) )")},
        {QStringLiteral("P_DuengeBedarf"), QStringLiteral("0")},
        {QStringLiteral("P_DuengeBedarfFachlich"), QStringLiteral("0")},
        {QStringLiteral("FA_NR"), QStringLiteral("max( HauptfruchtNummer )")},
        {QStringLiteral("Kultur"), QStringLiteral("max( Kultur )")},
        {QStringLiteral("HF_Name"), QStringLiteral("max( Kultur )")},
        {QStringLiteral("NutzungsForm"), QStringLiteral("max( KulturGruppe )")},
        {QStringLiteral("Kultur_ID"), QStringLiteral("0")},
        {QStringLiteral("HFEinzelertrag"), QStringLiteral("max( Tatsertrag )")},
    };
    const QStringList getrimmt = {QStringLiteral("Feldblock"), QStringLiteral("SchlagName"),
                                  QStringLiteral("P_GehaltsKlasse"), QStringLiteral("BGText"),
                                  QStringLiteral("GemueseHinweis"), QStringLiteral("ZFP0_NAME"),
                                  QStringLiteral("ZFP1_NAME"), QStringLiteral("ZFP2_NAME")};
    QStringList ziel, quelle;
    for (const auto& s : Katalog().Tabelle(QStringLiteral("Schlag"))->spalten) {
      if (s.typ == QLatin1String("counter")) continue;
      if (anders.contains(s.name)) {
        ziel << s.name;
        quelle << anders.value(s.name);
      } else if (hat(s.name)) {
        ziel << s.name;
        quelle << (getrimmt.contains(s.name) ? QStringLiteral("max( trim( %1 ) )") : QStringLiteral("max( %1 )")).arg(s.name);
      }
    }
    db.AusfuehrenMitMeldung(QStringLiteral("insert into Schlag ( %1 ) select %2 from Proben where Jahr >= 2020 "
                                           "group by BetriebsNr, Jahr, Parzelle")
                                .arg(Liste(ziel), Liste(quelle)));
    db.AusfuehrenMitMeldung(QStringLiteral("update Schlag set Phosphatgebiet = 1"));
  }

  // Crop rows keep the number of their older row.
  {
    QStringList ziel, quelle;
    for (const auto& s : Katalog().Tabelle(QStringLiteral("Anbau"))->spalten) {
      if (s.name == QLatin1String("ProbenID") || s.name == QLatin1String("RotesGebiet")) continue;
      if (hat(s.name)) ziel << s.name, quelle << s.name;
    }
    ziel << QStringLiteral("ProbenID") << QStringLiteral("RotesGebiet");
    quelle << QStringLiteral("ID") << QStringLiteral("BewirtschaftungsAuflagen");
    db.AusfuehrenMitMeldung(QStringLiteral("insert into Anbau ( %1 ) select %2 from Proben where Jahr >= 2020 order by ID")
                                .arg(Liste(ziel), Liste(quelle)));
  }

  // Organic applications: each to the crop row of its field, position and new year.
  {
    const QStringList orgDng = db.Spalten(QStringLiteral("OrgDng"));
    const QHash<QString, QString> anders = {
        {QStringLiteral("Jahr"), QStringLiteral("o.JahrNeu")},          {QStringLiteral("ProbenID"), QStringLiteral("a.ID")},
        {QStringLiteral("Kategorie"), QStringLiteral("2")},             {QStringLiteral("DngNummer"), QStringLiteral("o.OrgDngNummer")},
        {QStringLiteral("Dng"), QStringLiteral("o.OrgDng")},            {QStringLiteral("DngGrpNummer"), QStringLiteral("o.OrgDngGrpNummer")},
        {QStringLiteral("NH4N"), QStringLiteral("0")},                  {QStringLiteral("ProbenID_Alt"), QStringLiteral("o.ProbenID")},
        {QStringLiteral("OldProbenID"), QStringLiteral("o.ID")},
    };
    QStringList ziel, quelle;
    for (const auto& s : Katalog().Tabelle(QStringLiteral("Dung"))->spalten) {
      if (anders.contains(s.name)) {
        ziel << s.name;
        quelle << anders.value(s.name);
      } else if (s.typ != QLatin1String("counter") && orgDng.contains(s.name, Qt::CaseInsensitive)) {
        ziel << s.name;
        quelle << QStringLiteral("o.") + s.name;
      }
    }
    db.AusfuehrenMitMeldung(QStringLiteral("insert into Dung ( %1 ) select %2 from OrgDng o inner join Anbau a "
                                           "on a.BetriebsNr = o.BetriebsNr and a.Parzelle = o.Parzelle "
                                           "and a.FruchtNr = o.FruchtNr and a.Jahr = o.JahrNeu order by a.ID, o.ID")
                                .arg(Liste(ziel), Liste(quelle)));
  }

  // Catch crops become rows of their own before the main crop. A catch crop of
  // 0 was never chosen and gives no row.
  db.AusfuehrenMitMeldung(QStringLiteral(
      "insert into Anbau ( BetriebsNr, Jahr, Parzelle, OldID, HauptfruchtNummer, KulturGruppe, Kultur, FRU_ARTGRNR ) "
      "select BetriebsNr, Jahr, Parzelle, 0, Zwischenfrucht, 1, ZwischenfruchtText, 1 from Proben "
      "where Jahr >= 2020 and Zwischenfrucht < 14 and Zwischenfrucht > 0 order by ID"));
  Skript::Ausfuehren(db, QStringLiteral("aufraeumen/J09"));
}

void AlleBetriebeAbgleichen(TADOModConnection& db) {
  std::vector<int> betriebe;
  {
    TAbfrage a(db, QStringLiteral("select ID from Betriebe where id > 1"));
    while (a.Naechste()) betriebe.push_back(a.Wert(0).toInt());
  }
  for (int b : betriebe) Stammdaten::StammdatenAbgleich(db, b);
}

void Aufraeumen(TADOModConnection& db, bool auffrischen) {
  for (int schritt = 1; schritt <= 12; ++schritt) {
    if (schritt == 7 && !auffrischen) continue;
    Skript::Ausfuehren(db, QStringLiteral("aufraeumen/J%1").arg(schritt, 2, 10, QLatin1Char('0')));
  }
}

bool Anlegen(const QString& ordner, TMeldungen& meldungen) {
  TWarten warten(&meldungen, WarteText);
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  const QString nicht = QStringLiteral("Die Datenbank \u201E%1\u201C konnte nicht angelegt werden. ").arg(Dateien::Datenbank);
  if (QFileInfo::exists(datei)) {
    meldungen.Info(QStringLiteral("Die Datei \u201E%1\u201C besteht bereits und wird nicht überschrieben.")
                       .arg(Dateien::Datenbank));
    return false;
  }
  // Built under a temporary name and moved into place only when complete: a
  // run killed on the way leaves no half-made database behind, only the
  // temporary file, which the next start removes.
  const QString temp = Dateien::Zwischenname(datei);
  ZwischendateiEntfernen(temp);
  QString grund;
  {
    TSammler sammler(meldungen);
    TADOModConnection db(&sammler);
    db.setDatenbankName(temp);
    if (!db.Anlegen()) {
      grund = Benannt(db.Fehlermeldung(), temp, datei);
    } else {
      TTransaktion tx(db);
      DatentabellenAnlegen(db);
      GemeinsameTabellenAnlegen(db);
      const bool geladen = VorlageAktualisieren(db);
      SichtenAnlegen(db);
      Aufraeumen(db, false);
      if (!tx.Bestaetigen() || !geladen)
        grund = Fehlertexte::Schreiben(datei, db.LetzterCode(), db.LetzterFehler());
      else if (!sammler.texte.isEmpty())
        grund = QStringLiteral("Eine Anweisung des Programms ist gescheitert.") + Fehlertexte::Klammer(sammler.texte.first());
      else if (const QString befund = db.Befund(); !befund.isEmpty())
        grund = QStringLiteral("Die neue Datei hat die Prüfung nicht bestanden.") + Fehlertexte::Klammer(befund);
    }
  }
  int fehler = 0;
  if (grund.isEmpty() && !Dateien::Umbenennen(temp, datei, false, &fehler))
    grund = Fehlertexte::Dateisystem(datei, fehler);
  if (grund.isEmpty()) return true;
  ZwischendateiEntfernen(temp);
  meldungen.Info(nicht + grund);
  return false;
}

namespace {

// Converts a copy of the source under the temporary name and moves it to
// "Quendrix2021.mdb" only after the conversion, its commits and the check
// succeeded. On failure the message says what failed, the source is as it
// was and nothing is left behind.
bool Umwandeln(const QString& ordner, const QString& quelle, bool ersetzen, TMeldungen& meldungen,
               const QString& gescheitert, const QString& danach, const std::function<bool(TADOModConnection&)>& schritte) {
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  const QString temp = Dateien::Zwischenname(datei);
  const QString quellName = QFileInfo(quelle).fileName();
  ZwischendateiEntfernen(temp);
  QString grund;
  int fehler = 0;
  if (!Dateien::Kopieren(quelle, temp, &fehler)) {
    grund = QStringLiteral("\u201E%1\u201C konnte nicht kopiert werden. ").arg(quellName) +
            Fehlertexte::Dateisystem(datei, fehler);
  } else {
    TSammler sammler(meldungen);
    TADOModConnection db(&sammler);
    db.setDatenbankName(temp);
    if (db.Oeffnen(TZugriff::Exklusiv) != TOeffnenErgebnis::Ok) {
      grund = Benannt(db.Fehlermeldung(), temp, quelle);
    } else if (const QString befund = db.Befund(); !befund.isEmpty()) {
      grund = QStringLiteral("\u201E%1\u201C ist beschädigt. Bitte holen Sie eine unbeschädigte Sicherung dieser Datei "
                             "zurück und starten Sie Quendrix dann erneut.")
                  .arg(quellName) +
              Fehlertexte::Klammer(befund);
    } else if (!schritte(db)) {
      grund = Fehlertexte::Schreiben(datei, db.LetzterCode(), db.LetzterFehler());
    } else if (!sammler.texte.isEmpty()) {
      grund = QStringLiteral("Eine Anweisung der Umwandlung ist an den Daten gescheitert. Bitte wenden Sie sich mit "
                             "dieser Meldung an die Betreuung des Programms.") +
              Fehlertexte::Klammer(sammler.texte.first());
    } else if (const QString pruefung = db.Befund(); !pruefung.isEmpty()) {
      grund = QStringLiteral("Die umgewandelte Datei hat die Prüfung nicht bestanden.") + Fehlertexte::Klammer(pruefung);
    }
  }
  if (grund.isEmpty() && !Dateien::Umbenennen(temp, datei, ersetzen, &fehler))
    grund = Fehlertexte::Dateisystem(datei, fehler);
  if (grund.isEmpty()) return true;
  ZwischendateiEntfernen(temp);
  meldungen.Info(gescheitert + QLatin1Char(' ') + grund + QLatin1Char('\n') + danach);
  return false;
}

}  // namespace

bool Hochstufen(const QString& ordner, TMeldungen& meldungen) {
  TWarten warten(&meldungen, WarteText + QLatin1Char('\n') + HinweisUebernahme);
  const QString alt = QDir(ordner).filePath(Dateien::AlteDatenbank);
  // The older file stays untouched; a database of the current name is never replaced.
  if (QFileInfo::exists(QDir(ordner).filePath(Dateien::Datenbank))) {
    meldungen.Info(QStringLiteral("Die ältere Datenbank \u201E%1\u201C wird nicht übernommen, weil \u201E%2\u201C schon "
                                  "besteht. Es wurde nichts verändert.")
                       .arg(Dateien::AlteDatenbank, Dateien::Datenbank));
    return false;
  }
  return Umwandeln(
      ordner, alt, false, meldungen,
      QStringLiteral("Die Übernahme der älteren Datenbank \u201E%1\u201C ist fehlgeschlagen.").arg(Dateien::AlteDatenbank),
      QStringLiteral("Es wurde nichts übernommen; \u201E%1\u201C bleibt unverändert.").arg(Dateien::AlteDatenbank),
      [](TADOModConnection& db) {
        // Not to be stopped: the conversion is one transaction and the old file stays anyway.
        const auto schritt = [&](int i, const char* text) {
          if (db.Meldungen()) db.Meldungen()->Fortschritt(i, 6, QString::fromUtf8(text));
        };
        schritt(0, "Tabellen anlegen");
        {
          TTransaktion tx(db);
          DatentabellenAnlegen(db);
          if (!tx.Bestaetigen()) return false;
        }
        if (!SpaltenErgaenzen(db)) return false;
        TTransaktion tx(db);
        GemeinsameTabellenAnlegen(db);
        schritt(1, "Stammdaten laden");
        if (!VorlageAktualisieren(db)) return false;
        schritt(2, "Alte Daten übernehmen");
        SichtenLoeschen(db);
        AlteTabellenVorbereiten(db);
        AlteDatenUebernehmen(db);
        schritt(3, "Betriebe abgleichen");
        AlleBetriebeAbgleichen(db);
        schritt(4, "Aufräumen");
        Aufraeumen(db, false);
        SichtenAnlegen(db);
        schritt(5, "Speichern");
        // Last, in the same transaction: only a complete conversion is marked current.
        VersionSetzen(db);
        return tx.Bestaetigen();
      });
}

bool Auffrischen(const QString& ordner, TMeldungen& meldungen) {
  TWarten warten(&meldungen, WarteText);
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  return Umwandeln(
      ordner, datei, true, meldungen,
      QStringLiteral("Die Aktualisierung der Datenbank \u201E%1\u201C ist fehlgeschlagen.").arg(Dateien::Datenbank),
      QStringLiteral("Die Datenbank bleibt unverändert in ihrer bisherigen Version; beim nächsten Start wird die "
                     "Aktualisierung erneut versucht."),
      [](TADOModConnection& db) {
        if (!SpaltenErgaenzen(db)) return false;
        TTransaktion tx(db);
        GemeinsameTabellenAnlegen(db);
        if (!VorlageAktualisieren(db)) return false;
        SichtenLoeschen(db);
        Skript::Ausfuehren(db, QStringLiteral("Meerrettich"));
        AlleBetriebeAbgleichen(db);
        Aufraeumen(db, true);
        SichtenAnlegen(db);
        // Last, in the same transaction: only a complete refresh is marked current.
        VersionSetzen(db);
        return tx.Bestaetigen();
      });
}

bool Wartung(TADOModConnection& db, QString* fehler) {
  TTransaktion tx(db);
  // Farm tables and indexes a database of an older release may lack.
  for (const auto& t : Katalog().Tabellen())
    if (t.art == QLatin1String("Betrieb") && !db.TabelleExistiert(t.name)) Schema::TabelleAnlegen(db, t);
  for (const auto& t : Katalog().Tabellen()) Schema::IndizesAnlegen(db, t);
  Skript::Ausfuehren(db, QStringLiteral("aufraeumen/J01"));
  Skript::Ausfuehren(db, QStringLiteral("Wartung"));
  std::vector<int> betriebe;
  {
    TAbfrage a(db, QStringLiteral("select ID from Betriebe where ID > 1"));
    while (a.Naechste()) betriebe.push_back(a.Wert(0).toInt());
  }
  for (int b : betriebe) Stammdaten::KulturenErgaenzen(db, b);
  Skript::Ausfuehren(db, QStringLiteral("WartungSchluss"));
  if (tx.Bestaetigen()) return true;
  const QString text =
      QStringLiteral("Die Wartung beim Öffnen der Datenbank konnte nicht gespeichert werden, keine ihrer Änderungen "
                     "wurde übernommen. ") +
      Fehlertexte::Schreiben(db.DatenbankName(), db.LetzterCode(), db.LetzterFehler());
  if (fehler)
    *fehler = text;
  else if (db.Meldungen())
    db.Meldungen()->Info(text);
  return false;
}

}  // namespace Datenbank
