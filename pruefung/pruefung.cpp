#include "pruefung.h"

#include "bilanz.h"
#include "connection.h"
#include "fehlertexte.h"
#include "umrissablage.h"

#include <QHash>

#include <set>

namespace Pruefung {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QDate Datum(const QVariant& v) {
  if (v.isNull()) return {};
  return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

std::optional<double> Zahl(const QVariant& v) {
  if (v.isNull()) return std::nullopt;
  return v.toDouble();
}

// Dry matter per cent of the farm's items, by number.
QHash<qint64, double> Trockenmasse(TADOModConnection& db, const QString& sql, int betriebsNr, QString& fehler) {
  QHash<qint64, double> tm;
  TAbfrage a(db, sql, {{S("B"), betriebsNr}});
  while (a.Naechste()) tm.insert(a.Wert(0).toLongLong(), a.Wert(1).toDouble());
  if (!a.Ok()) fehler = a.Fehler();
  return tm;
}

}  // namespace

std::optional<bool> Schalter(TADOModConnection& db, int betriebsNr, int jahr) {
  const QVariant v = db.Wert(S("select NitratgebietRegeln from DuengeJahr where BetriebsNr = :B and Duengejahr = :J"),
                             {{S("B"), betriebsNr}, {S("J"), jahr}});
  if (v.isNull()) return std::nullopt;
  return v.toInt() != 0;
}

TJahr Laden(TADOModConnection& db, int betriebsNr, int jahr) {
  TJahr t;
  t.jahr = jahr;
  t.nitratRegeln = NitratRegelnAktiv(jahr, Schalter(db, betriebsNr, jahr));
  const TParameter jahre = {{S("B"), betriebsNr}, {S("J0"), jahr - 1}, {S("J1"), jahr + 1}};
  bool rot = false;
  {
    TAbfrage a(db,
               S("select Jahr, Parzelle, SchlagNr, SchlagName, Groesse, BewirtschaftungsAuflagen, HD_FA, HD_DNG, "
                 "HD_DNG_RG, P2O5_DuengeBedarf from Schlag where BetriebsNr = :B and Jahr between :J0 and :J1"),
               jahre);
    while (a.Naechste()) {
      TSchlag s;
      s.jahr = a.Wert(0).toInt();
      s.parzelle = a.Wert(1).toInt();
      s.schlagNr = a.Wert(2).toInt();
      s.name = a.Wert(3).toString();
      s.groesse = a.Wert(4).toDouble();
      s.nitratgebiet = a.Wert(5).toInt() == 2;
      s.hdFa = a.Wert(6).toInt();
      s.hdDng = a.Wert(7).toDouble();
      s.hdDngRg = a.Wert(8).toDouble();
      s.p2o5Bedarf = Zahl(a.Wert(9));
      rot = rot || (s.nitratgebiet && s.jahr == jahr);
      t.schlaege.push_back(s);
    }
    if (!a.Ok()) t.fehler = a.Fehler();
  }
  for (const auto& [parzelle, u] : Karte::Umrisse(db, betriebsNr, jahr))
    for (TSchlag& s : t.schlaege)
      if (s.jahr == jahr && s.parzelle == parzelle) s.umrissHa = u.umriss.Flaeche() / 10000;
  {
    TAbfrage a(db,
               S("select ID, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, Kultur, KulturGruppe, FRU_ARTGRNR, "
                 "Zwischenfrucht, Duengebedarf from Anbau where BetriebsNr = :B and Jahr between :J0 and :J1"),
               jahre);
    while (a.Naechste()) {
      TKultur k;
      k.id = a.Wert(0).toLongLong();
      k.jahr = a.Wert(1).toInt();
      k.parzelle = a.Wert(2).toInt();
      k.fruchtNr = a.Wert(3).toInt();
      k.nummer = a.Wert(4).toLongLong();
      k.name = a.Wert(5).toString();
      k.kulturgruppe = a.Wert(6).toInt();
      k.artgruppe = a.Wert(7).toInt();
      k.zwischenfrucht = a.Wert(8).toInt();
      k.bedarf = Zahl(a.Wert(9));
      t.kulturen.push_back(k);
    }
    if (!a.Ok()) t.fehler = a.Fehler();
  }
  const QHash<qint64, double> tmOrganisch =
      Trockenmasse(db, S("select OrgDngNummer, TM from S_OrgDung where BetriebsNr = :B"), betriebsNr, t.fehler);
  const QHash<qint64, double> tmStoffe =
      Trockenmasse(db, S("select StoffNr, TM from S_AndereStoffe where BetriebsNr = :B"), betriebsNr, t.fehler);
  {
    // Records booked to the year's crops and records dated in the year.
    TAbfrage a(db,
               S("select ID, Jahr, Parzelle, ProbenID, Kategorie, Datum, Dng, TaVerfNr, IstHerbstDuengung, Menge, NT, "
                 "P2O5, N_AnrechenbarAL, N_AnrechenbarGL, Nges, Nverf, Pges, DngNummer from Dung "
                 "where BetriebsNr = :B and ( Jahr = :J or ( Datum >= :von and Datum < :bis ) )"),
               {{S("B"), betriebsNr},
                {S("J"), jahr},
                {S("von"), S("%1-01-01").arg(jahr)},
                {S("bis"), S("%1-01-01").arg(jahr + 1)}});
    while (a.Naechste()) {
      TDuengung d;
      d.id = a.Wert(0).toLongLong();
      d.jahr = a.Wert(1).toInt();
      d.parzelle = a.Wert(2).toInt();
      d.kultur = a.Wert(3).toLongLong();
      d.kategorie = a.Wert(4).toInt();
      d.datum = Datum(a.Wert(5));
      d.name = a.Wert(6).toString();
      d.taVerfNr = a.Wert(7).toInt();
      d.herbst = a.Wert(8).toInt() != 0;
      d.menge = a.Wert(9).toDouble();
      d.nt = a.Wert(10).toDouble();
      d.p2o5 = a.Wert(11).toDouble();
      d.nAnrechenbarAL = a.Wert(12).toDouble();
      d.nAnrechenbarGL = a.Wert(13).toDouble();
      d.nges = a.Wert(14).toDouble();
      d.nverf = a.Wert(15).toDouble();
      d.pges = a.Wert(16).toDouble();
      const qint64 nummer = a.Wert(17).toLongLong();
      if (d.kategorie == 2) d.tm = tmOrganisch.value(nummer);
      if (d.kategorie == 5) d.tm = tmStoffe.value(nummer);
      t.duengungen.push_back(d);
    }
    if (!a.Ok()) t.fehler = a.Fehler();
  }
  // The statement values that exist: NSumme_ha and the nitrate-area figures.
  if (const auto b = Bilanz::Gesamtbetrieb(db, betriebsNr, jahr)) t.nJeHa170 = b->NSumme_ha;
  if (t.nitratRegeln && rot) {
    if (const auto b = Bilanz::Nitratgebiet(db, betriebsNr, jahr)) {
      t.nBedarfRot = b->NBedarfRot;
      t.nGesamtRgJeHa = b->NSummeRGOhneLWT_ha.value_or(0.0);
      t.nMineralRgJeHa = b->NMinDungRG_ha.value_or(0.0);
    }
  }
  return t;
}

QString LesefehlerText(const QString& engine) {
  return S("Die Daten des Düngejahres konnten nicht vollständig gelesen werden; die Prüfung ist unvollständig.") +
         Fehlertexte::Klammer(engine);
}

std::vector<TBefund> Jahr(TADOModConnection& db, int betriebsNr, int jahr, QString* fehler) {
  const TJahr t = Laden(db, betriebsNr, jahr);
  if (fehler) *fehler = t.fehler.isEmpty() ? QString() : LesefehlerText(t.fehler);
  return Pruefen(t);
}

std::vector<TBefund> FuerAufzeichnung(TADOModConnection& db, qint64 dungId) {
  int betrieb = 0;
  std::set<int> jahre;
  {
    TAbfrage a(db, S("select BetriebsNr, Jahr, Datum from Dung where ID = :id"), {{S("id"), dungId}});
    if (!a.Naechste()) return {};
    betrieb = a.Wert(0).toInt();
    jahre.insert(a.Wert(1).toInt());
    if (const QDate d = Datum(a.Wert(2)); d.isValid()) jahre.insert(d.year());
  }
  std::vector<TBefund> ergebnis;
  QSet<QString> gesehen;
  for (int jahr : jahre) {
    const TJahr t = Laden(db, betrieb, jahr);
    const TDuengung* dung = nullptr;
    for (const TDuengung& d : t.duengungen)
      if (d.id == dungId) dung = &d;
    if (!dung) continue;
    for (TBefund& b : Pruefen(t))
      if (Betrifft(b, *dung) && !gesehen.contains(b.text)) {
        gesehen.insert(b.text);
        ergebnis.push_back(std::move(b));
      }
  }
  return ergebnis;
}

QString Warnung(const std::vector<TBefund>& befunde) {
  if (befunde.empty()) return {};
  QString text = S("Die Aufzeichnung ist gespeichert, überschreitet aber eine Grenze der Düngeverordnung:\n");
  for (const TBefund& b : befunde) text += S("\n• ") + b.text;
  text += S("\n\nHat die zuständige Behörde eine Abweichung genehmigt, bleibt die Aufzeichnung so richtig.");
  return text;
}

QStringList Druckzeilen(TADOModConnection& db, int betriebsNr, int jahr) {
  QString fehler;
  QStringList zeilen = Drucktexte(Jahr(db, betriebsNr, jahr, &fehler));
  if (!fehler.isEmpty()) {
    zeilen.removeAll(S("Keine Überschreitung gefunden."));
    zeilen.insert(1, fehler);
  }
  // Whoever reads the sheet must know when the nitrate-area limits were left out.
  if (jahr > 2020 && !NitratRegelnAktiv(jahr, Schalter(db, betriebsNr, jahr)))
    zeilen.insert(1, S("Die Regeln für Nitratgebiete sind für dieses Düngejahr ausgeschaltet."));
  return zeilen;
}

}  // namespace Pruefung
