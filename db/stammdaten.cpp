#include "stammdaten.h"

#include "befehle.h"
#include "connection.h"
#include "fehlertexte.h"
#include "meldungen.h"
#include "schema.h"
#include "tsv.h"

#include <QDate>
#include <QRegularExpression>

#include <iterator>

namespace Stammdaten {

namespace {

// Converts a shipped text into the column's kind; false when it does not fit.
bool Umwandeln(const QString& text, const QString& typ, QVariant& wert) {
  const QString t = text.trimmed();
  if (typ == QLatin1String("int16") || typ == QLatin1String("int32")) {
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok) return false;
    const qlonglong grenze = typ == QLatin1String("int16") ? 32767 : 2147483647;
    const qlonglong n = qRound64(d);
    if (n > grenze || n < -grenze - 1) return false;
    wert = n;
    return true;
  }
  if (typ == QLatin1String("double")) {
    bool ok = false;
    const double d = t.toDouble(&ok);
    wert = d;
    return ok;
  }
  if (typ == QLatin1String("bool")) {
    const QString k = t.toLower();
    if (k == QLatin1String("1") || k == QLatin1String("-1") || k == QLatin1String("true") || k == QLatin1String("wahr")) {
      wert = 1;
      return true;
    }
    if (k == QLatin1String("0") || k == QLatin1String("false") || k == QLatin1String("falsch")) {
      wert = 0;
      return true;
    }
    return false;
  }
  if (typ == QLatin1String("datetime")) {
    QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid()) return false;
    wert = t.length() > 10 && t[4] == QLatin1Char('-') ? QVariant(t) : QVariant(d);
    return true;
  }
  static const QRegularExpression laenge(QStringLiteral("^text\\((\\d+)\\)$"));
  if (const auto m = laenge.match(typ); m.hasMatch() && text.length() > m.captured(1).toInt()) return false;
  wert = text;
  return true;
}

// Types of the table's columns: from the catalogue, else as declared.
std::vector<std::pair<QString, QString>> ZielSpalten(TADOModConnection& db, const QString& tabelle) {
  const Schema::TTabelle* katalog = Schema::TKatalog::Standard().Tabelle(tabelle);
  std::vector<std::pair<QString, QString>> spalten;
  for (const QString& name : db.Spalten(tabelle)) {
    const Schema::TSpalte* s = katalog ? katalog->Spalte(name) : nullptr;
    spalten.emplace_back(name, s ? s->typ : QStringLiteral("memo"));
  }
  return spalten;
}

}  // namespace

void TLadeBericht::Anhaengen(const TLadeBericht& b) {
  gelesen += b.gelesen;
  geladen += b.geladen;
  gespeichert = gespeichert && b.gespeichert;
  probleme.insert(probleme.end(), b.probleme.begin(), b.probleme.end());
}

QString Datei(const QString& tabelle) { return QStringLiteral(":/stammdaten/") + tabelle + QStringLiteral(".tsv"); }

TLadeBericht AlleUpdate(TADOModConnection& db, const QString& tabelle, const TTsv& daten,
                        const std::function<bool(const TTsv&, const QStringList&)>& aufnehmen) {
  TLadeBericht bericht;
  // Shipped column -> target column and type; counters are not copied.
  struct TZuordnung {
    int quelle;
    QString spalte;
    QString typ;
  };
  std::vector<TZuordnung> zuordnung;
  const auto ziel = ZielSpalten(db, tabelle);
  for (int i = 0; i < daten.spalten.size(); ++i)
    for (const auto& [name, typ] : ziel)
      if (name.compare(daten.spalten[i], Qt::CaseInsensitive) == 0 && typ != QLatin1String("counter"))
        zuordnung.push_back({i, name, typ});

  auto einfuegen = [&](const QStringList& spalten, const QStringList& platzhalter) {
    return spalten.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tabelle)
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(tabelle, spalten.join(QLatin1Char(',')), platzhalter.join(QLatin1Char(',')));
  };
  // One statement for the rows whose cells all fit; a row with a cell that
  // does not leaves that column out and gets a statement of its own.
  QStringList alleSpalten, allePlatzhalter;
  for (const auto& zu : zuordnung) {
    alleSpalten << QLatin1Char('"') + zu.spalte + QLatin1Char('"');
    allePlatzhalter << QStringLiteral(":p%1").arg(zu.quelle);
  }
  const QString alle = einfuegen(alleSpalten, allePlatzhalter);

  TTransaktion tx(db);
  TParameter parameter;
  for (size_t z = 0; z < daten.zeilen.size(); ++z) {
    const QStringList& zeile = daten.zeilen[z];
    if (aufnehmen && !aufnehmen(daten, zeile)) continue;
    ++bericht.gelesen;
    const int zeilenNr = int(z) + 2;
    parameter.clear();
    QStringList spalten;
    for (size_t k = 0; k < zuordnung.size(); ++k) {
      const auto& zu = zuordnung[k];
      const QString text = zeile.value(zu.quelle);
      QVariant wert;  // an empty cell is null
      if (!text.isEmpty() && !Umwandeln(text, zu.typ, wert)) {
        bericht.probleme.push_back({tabelle, zeilenNr, zu.spalte,
                                    QStringLiteral("\u201E%1\u201C passt nicht in %2").arg(text, zu.typ)});
        continue;
      }
      spalten << alleSpalten[k];
      parameter.emplace_back(allePlatzhalter[k], wert);
    }
    QString sql = alle;
    if (parameter.size() != zuordnung.size()) {
      QStringList platzhalter;
      for (const auto& p : parameter) platzhalter << p.first;
      sql = einfuegen(spalten, platzhalter);
    }
    if (db.Ausfuehren(sql, parameter))
      ++bericht.geladen;
    else
      bericht.probleme.push_back({tabelle, zeilenNr, QString(), db.LetzterFehler()});
    // After a full disk the engine has given up the transaction: no row can follow.
    if (db.TransaktionAbgebrochen()) break;
  }
  if (!tx.Bestaetigen()) {
    bericht.gespeichert = false;
    bericht.geladen = 0;
    bericht.probleme.push_back(
        {tabelle, 0, QString(), QStringLiteral("Nicht gespeichert") + Fehlertexte::Klammer(db.LetzterFehler())});
  }
  return bericht;
}

namespace {

TLadeBericht Laden(TADOModConnection& db, const QString& tabelle,
                   const std::function<bool(const TTsv&, const QStringList&)>& aufnehmen = {}) {
  TTsv daten;
  const bool gelesen = tabelle == QLatin1String("Befehle") ? Befehle::Lesen(Befehle::Ordner, daten)
                                                           : TsvLesen(Datei(tabelle), daten);
  if (!gelesen) {
    TLadeBericht b;
    b.probleme.push_back({tabelle, 0, QString(), QStringLiteral("Datei fehlt")});
    return b;
  }
  return AlleUpdate(db, tabelle, daten, aufnehmen);
}

}  // namespace

void GemeinsameTabellenNeuAnlegen(TADOModConnection& db) {
  const Schema::TKatalog& katalog = Schema::TKatalog::Standard();
  for (const auto& t : katalog.Tabellen()) {
    if (t.art != QLatin1String("Gemeinsam")) continue;
    db.AusfuehrenStill(QStringLiteral("drop Table ") + t.name);
    Schema::TabelleAnlegen(db, t);
  }
  for (const char* klein : {"GLBoden", "S_Bewaufl", "S_BewauflP"}) Laden(db, QString::fromLatin1(klein));
  // Five rows taken and given back: the counter then hands out 6 to 14.
  for (int i = 0; i < 5; ++i) db.AusfuehrenStill(QStringLiteral("insert into S_Zwifru ( Fruchtart ) values ( 'Keine' )"));
  db.AusfuehrenStill(QStringLiteral("delete from S_Zwifru"));
}

TLadeBericht VorlageAktualisieren(TADOModConnection& db) {
  for (const char* sql :
       {"Delete from S_OD_AusbringVerluste", "Delete from Befehle", "Delete from S_PBilanzwerteNeu", "delete from S_Orte",
        "delete from DBA_Daten", "Delete from S_KulturenNP where BetriebsNr = 1",
        "Delete from S_MinDung where BetriebsNr = 1", "Delete from S_OrgDung where BetriebsNr = 1",
        "Delete from S_Tiere where BetriebsNr = 1"})
    db.AusfuehrenStill(QString::fromLatin1(sql));

  TLadeBericht bericht;
  const char* const tabellen[] = {"S_OD_AusbringVerluste", "Befehle", "S_KulturenNP", "S_MinDung", "S_OrgDung",
                                  "S_PBilanzwerteNeu", "S_Tiere", "DBA_Daten", "S_Zwifru", "S_Orte"};
  const int anzahl = int(std::size(tabellen));
  for (int i = 0; i < anzahl; ++i) {
    const QString t = QString::fromLatin1(tabellen[i]);
    if (db.Meldungen()) db.Meldungen()->Fortschritt(i, anzahl, QStringLiteral("Stammdaten ") + t);
    if (t == QLatin1String("S_Orte")) {
      // Only the places of the home state.
      bericht.Anhaengen(Laden(db, t, [](const TTsv& d, const QStringList& zeile) {
        return zeile.value(d.Spalte(QStringLiteral("BLCODE"))).trimmed() == QLatin1String("15");
      }));
      break;
    }
    bericht.Anhaengen(Laden(db, t));
    if (!bericht.gespeichert) return bericht;
    if (t == QLatin1String("S_OrgDung")) {
      db.AusfuehrenStill(QStringLiteral("update S_OrgDung set P2O5_Gehalt = P2O5"));
      db.AusfuehrenStill(QStringLiteral("update S_OrgDung set P2O5_Gehalt = P * 2.2914 where P2O5_Gehalt is null"));
    }
  }
  if (db.Meldungen()) db.Meldungen()->Fortschritt(anzahl, anzahl, QStringLiteral("Stammdaten"));
  return bericht;
}

namespace {

// One table of the per-farm copies: how its rows are matched across farms
// and which columns the alignment takes from the template.
struct TKopie {
  QString tabelle;
  QString nummer;
  QStringList nichtKopiert;  // left out of the insert besides ID
  QStringList gesetzt;       // aligned columns; empty: all but those below
  QStringList nichtGesetzt;
};

const std::vector<TKopie>& Kopien() {
  static const std::vector<TKopie> kopien = {
      {QStringLiteral("S_KulturenNP"), QStringLiteral("FA_NR"), {},
       QStringLiteral("FRU_ART_NR InvekosNummer FRUCHTART FRU_ARTGRNR FRU_ARTGR Kulturgruppe Nutzungsart ID_Alt Kultur "
                      "Ertragsniveau NP_HP_Verh Stickstoffbedarfswert BezuggsErtragsdifferenz ZuschlagErtrag "
                      "AbschlagErtrag Probenahmetiefe Rohprotein ZuschlagRohprotein VfAbschlag FA_NR_Neu ALoderGL "
                      "P2O5_HP P2O5_NP AlGlSonst HP_TM_Umr Datenherkunft KeineDuengung DatenQuelle NP_HP_VerhO BSyd_Nr "
                      "IsEinzelErtrag MICODE FA_Code GemueseHinweis P2O5_HPO P2O5_NPO BILANZ_FA_NR IsLegum "
                      "N_BindungMittl_Ertrag N_Bindung_ha N_Bindung_dt_FM N_Bindung_dt_FM_gr10P N_Bindung_ha_gr10P")
           .split(QLatin1Char(' ')),
       {}},
      // A new copy takes the template's P2O5 content too: left at 0, the farm's
      // records would show no P2O5 until the next refresh. Later alignments keep
      // the farm's own value.
      {QStringLiteral("S_OrgDung"), QStringLiteral("OrgDngNummer"), {}, {},
       {QStringLiteral("BetriebsNr"), QStringLiteral("OrgDngNummer"), QStringLiteral("Auswahl"), QStringLiteral("ID"),
        QStringLiteral("P2O5_Gehalt")}},
      {QStringLiteral("S_MinDung"), QStringLiteral("DuengeMittelNr"), {},
       QStringLiteral("Duengemittel DuengerGruppe DuengerGruppeNr N P2O5 P K2O K Herkunft_Nr IstEigen").split(QLatin1Char(' ')),
       {}},
      {QStringLiteral("S_Tiere"), QStringLiteral("TA_NR"), {}, {},
       {QStringLiteral("BetriebsNr"), QStringLiteral("TA_NR"), QStringLiteral("ID"), QStringLiteral("Auswahl")}},
  };
  return kopien;
}

// The template rows the farm lacks, not chosen. A null number in the farm's
// copy must not block the comparison, hence "is not null".
QString EinfuegenSql(TADOModConnection& db, const TKopie& k) {
  QStringList ziel, quelle;
  for (const QString& s : db.Spalten(k.tabelle)) {
    if (s.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0 || k.nichtKopiert.contains(s, Qt::CaseInsensitive)) continue;
    ziel << s;
    if (s.compare(QLatin1String("BetriebsNr"), Qt::CaseInsensitive) == 0)
      quelle << QStringLiteral(":BetriebsNr");
    else if (s.compare(QLatin1String("Auswahl"), Qt::CaseInsensitive) == 0)
      quelle << QStringLiteral("0");
    else
      quelle << QStringLiteral("r.") + s;
  }
  return QStringLiteral("insert into %1 ( %2 ) select %3 from %1 r where r.BetriebsNr = 1 and r.%4 not in "
                        "( select %4 from %1 where BetriebsNr = :BetriebsNr and %4 is not null ) order by r.ID")
      .arg(k.tabelle, ziel.join(QStringLiteral(", ")), quelle.join(QStringLiteral(", ")), k.nummer);
}

// Every user farm's rows take the template's values; own rows have no
// template partner and stay as they are.
QString AbgleichSql(TADOModConnection& db, const TKopie& k) {
  QStringList spalten = k.gesetzt;
  if (spalten.isEmpty())
    for (const QString& s : db.Spalten(k.tabelle))
      if (!k.nichtGesetzt.contains(s, Qt::CaseInsensitive)) spalten << s;
  QStringList quelle;
  for (const QString& s : spalten) quelle << QStringLiteral("r.") + s;
  const QString partner = QStringLiteral("from %1 r where r.%2 = %1.%2 and r.BetriebsNr = 1").arg(k.tabelle, k.nummer);
  return QStringLiteral("update %1 set ( %2 ) = ( select %3 %4 ) where BetriebsNr > 1 and exists ( select 1 %4 )")
      .arg(k.tabelle, spalten.join(QStringLiteral(", ")), quelle.join(QStringLiteral(", ")), partner);
}

}  // namespace

bool KulturenErgaenzen(TADOModConnection& db, int betrieb) {
  return db.AusfuehrenMitMeldung(EinfuegenSql(db, Kopien().front()), {{QStringLiteral("BetriebsNr"), betrieb}});
}

void StammdatenAbgleich(TADOModConnection& db, int betrieb) {
  for (const TKopie& k : Kopien()) {
    db.AusfuehrenMitMeldung(EinfuegenSql(db, k), {{QStringLiteral("BetriebsNr"), betrieb}});
    db.AusfuehrenMitMeldung(AbgleichSql(db, k));
  }
}

}  // namespace Stammdaten
