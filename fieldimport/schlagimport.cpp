#include "schlagimport.h"

#include "anbauregeln.h"
#include "ausfuehrung.h"
#include "befehle.h"
#include "blatt.h"
#include "connection.h"
#include "dbasetabelle.h"
#include "kulturdaten.h"
#include "meldungen.h"
#include "merkblatt.h"
#include "schlagblatt.h"
#include "sicheredatei.h"
#include "umrissablage.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace Schlagblatt;

namespace Schlagimport {

const QString FalscheDatei = u"Bitte ..._teilflaechen.dbf auswählen"_s;
const QString Abgeschlossen =
    u"Import abgeschlossen. Bitte Schlaginformationen eintragen, Zuordnung der Kulturen prüfen bzw. fehlende Daten "
    "ergänzen. Danach weiter mit Button \"Schläge anlegen\"."_s;
const QString Frage = u"Schläge jetzt übernehmen?"_s;
const QString KeinJahr = u"Bitte legen zuerst ein Düngejahr an!"_s;

namespace {

// A column of a loaded attribute table, found by its trimmed name among the
// first 50 columns; 0 when missing (its sheet column then stays empty).
int Spalte(const TBlatt& tabelle, const QString& name) {
  for (int s = 1; s <= 50; ++s)
    if (tabelle.Text(s, 1).compare(name, Qt::CaseInsensitive) == 0) return s;
  return 0;
}

// A value of the table as text: numbers with a point, as the area
// application writes parcel numbers; text cut to 50 characters, and "³"
// (the byte 0xB3 of a Windows reading) is the "ü" of old files.
QString Wert(const TBlatt& tabelle, int spalte, int zeile) {
  if (spalte == 0) return {};
  if (const auto z = tabelle.Zahl(spalte, zeile)) return QString::number(*z, 'g', 15);
  QString t = tabelle.Text(spalte, zeile).left(50);
  t.replace(u'³', u'ü');
  return t;
}

// The usage code bound as a number when it is one, so that it meets the
// view's numeric column.
QVariant Code(const QString& code) {
  bool ok = false;
  const qint64 n = code.toLongLong(&ok);
  return ok ? QVariant(n) : QVariant(code);
}

QString ParzelleVorPunkt(const QString& p) { return p.section(u'.', 0, 0).trimmed(); }

// The twin table beside the parcel table, in the spelling found on disk.
QString Zwilling(const QString& dbf) {
  static const QRegularExpression teil(u"_teilflaechen\\.dbf$"_s, QRegularExpression::CaseInsensitiveOption);
  for (const QString& ersatz : {u"_parzellen.dbf"_s, u"_PARZELLEN.DBF"_s, u"_Parzellen.dbf"_s}) {
    QString z = dbf;
    z.replace(teil, ersatz);
    if (z != dbf && QFileInfo::exists(z)) return z;
  }
  return {};
}

// Windows-1252 bytes of a text; false when a character has none.
bool Windows1252(const QString& text, QByteArray& bytes) {
  bytes.clear();
  bytes.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.append(char(u));
      continue;
    }
    bool gefunden = false;
    for (int b = 0x80; b <= 0x9F && !gefunden; ++b) {
      if (Dekodieren(QByteArray(1, char(b)), TCodeseite::Windows) == QString(c)) {
        bytes.append(char(b));
        gefunden = true;
      }
    }
    if (!gefunden) return false;
  }
  return true;
}

}  // namespace

QString KulturwahlText(TKulturwahl w) {
  switch (w) {
    case TKulturwahl::ZuInvekos: return u"Zu InVeKoS passende Kulturen"_s;
    case TKulturwahl::NurAusgewaehlte: return u"nur ausgewählte Kulturen"_s;
    case TKulturwahl::Alle: return u"alle Kulturen anzeigen"_s;
  }
  return {};
}

TListe Kulturliste(int betrieb, TKulturwahl wahl, const QString& nuCode, bool kulturenLesen) {
  TListe a;
  a.parameter = {{u"BNR"_s, betrieb}};
  switch (wahl) {
    case TKulturwahl::ZuInvekos:
      a.sql = u"select * from V_Nutzung_VL where BetriebsNr = :BNR and Ertragsniveau > 0 and FRU_ARTGRNR <> 750 "
              "and kultur is not null"_s;
      if (nuCode.isEmpty() || !kulturenLesen) {
        a.sql += u" and Auswahl = 1"_s;
      } else {
        a.sql += u" and NU_CODE = :CODE"_s;
        a.parameter.emplace_back(u"CODE"_s, Code(nuCode));
      }
      a.sql += u" order by Kultur"_s;
      break;
    case TKulturwahl::NurAusgewaehlte:
      a.sql = u"select * from S_KulturenNP where BetriebsNr = :BNR and Ertragsniveau > 0 and kultur is not null and "
              "Auswahl = 1 and FRU_ARTGRNR <> 750 order by Kultur"_s;
      break;
    case TKulturwahl::Alle:
      a.sql = u"select * from S_KulturenNP where BetriebsNr = :BNR and Ertragsniveau > 0 and kultur is not null and "
              "FRU_ARTGRNR <> 750 order by Kultur"_s;
      break;
  }
  return a;
}

TListe Vorfruchtliste(int betrieb, bool nurAusgewaehlte) {
  TListe a;
  a.sql = u"select * from S_KulturenNP where BetriebsNr = :BNR and Ertragsniveau > 0 and kultur is not null"_s;
  if (nurAusgewaehlte) a.sql += u" and Auswahl = 1"_s;
  a.sql += u" order by Kultur"_s;
  a.parameter = {{u"BNR"_s, betrieb}};
  return a;
}

TListe Zwischenfruchtliste() { return {u"select * from S_Zwifru order by Fruchtart"_s, {}}; }

std::vector<TEintrag> Eintraege(TADOModConnection& db, const TListe& liste, const QString& nameSpalte,
                                const QString& nummerSpalte) {
  std::vector<TEintrag> e;
  ::TAbfrage a(db, liste.sql, liste.parameter);
  while (a.Naechste()) e.push_back({a.Wert(nameSpalte).toString().trimmed(), a.Wert(nummerSpalte).toInt()});
  return e;
}

int Grundvariante(int faNr) { return faNr / 100 * 100 + 1; }

bool Einlesen(TADOModConnection& db, const QString& datei, TEinlesen& e, TBlatt& blatt, QString& meldung) {
  meldung.clear();
  const QFileInfo info(datei);
  const QString dbf = info.dir().filePath(info.completeBaseName() + u".dbf"_s);
  if (!QFileInfo(dbf).fileName().toLower().contains(u"_teilflaechen"_s)) {
    meldung = FalscheDatei;
    return false;
  }
  TBlatt tabelle;
  if (!TabelleLaden(dbf, tabelle, meldung)) return false;
  const int saetze = std::max(0, tabelle.LetzteZeile() - 1);
  if (saetze == 0) {
    meldung = u"Die Datei „%1“ enthält keine Teilflächen."_s.arg(QFileInfo(dbf).fileName());
    return false;
  }
  if (saetze + 2 > TBlatt::MaxZeilen) {
    meldung = u"Die Datei „%1“ hat mehr Teilflächen, als das Arbeitsblatt fasst (%2)."_s.arg(QFileInfo(dbf).fileName())
                  .arg(TBlatt::MaxZeilen - 2);
    return false;
  }
  const int nummer = Spalte(tabelle, u"NUMMER"_s), konstante = Spalte(tabelle, u"CONSTANT"_s),
            flik = Spalte(tabelle, u"FLIK_FLEK"_s), flaeche = Spalte(tabelle, u"FLAECHE"_s),
            codeBez = Spalte(tabelle, u"CODE_BEZ"_s), code = Spalte(tabelle, u"CODE"_s),
            btnr = Spalte(tabelle, u"BTNR"_s), antragsjahr = Spalte(tabelle, u"ANTRAGSJAH"_s);
  if (e.euNummer.trimmed().isEmpty()) e.euNummer = Wert(tabelle, btnr, 2);
  if (e.jahr <= 0) e.jahr = Wert(tabelle, antragsjahr, 2).toInt();

  TBlatt neu;
  for (int n = 1; n <= saetze; ++n) {
    const int q = n + 1;  // the record's row in the table
    const int z = n + 2;  // its row in the sheet
    neu.setText(Parzelle, z, Wert(tabelle, nummer, q));
    neu.setText(FlikVorsatz, z, Wert(tabelle, konstante, q));
    neu.setText(Feldblock, z, Wert(tabelle, konstante, q).trimmed() + Wert(tabelle, flik, q).trimmed());
    if (const auto f = flaeche ? tabelle.Zahl(flaeche, q) : std::nullopt)
      neu.setZahl(Groesse, z, *f);
    else
      neu.setText(Groesse, z, Wert(tabelle, flaeche, q).replace(u'.', u','));
    if (e.kulturenLesen) {
      neu.setText(Nutzung, z, Wert(tabelle, codeBez, q));
      neu.setText(NuCode, z, Wert(tabelle, code, q));
    }
    neu.setText(ZwischenfruchtNr, z, QString::number(OhneZwischenfrucht));
    neu.setText(Zwischenfrucht, z, Anbauregeln::OhneZwischenfruchtText);
  }

  QString hinweis;
  if (e.jahr >= 2018) {
    if (const QString zwilling = Zwilling(dbf); !zwilling.isEmpty()) {
      TBlatt namen;
      QString fehler;
      if (TabelleLaden(zwilling, namen, fehler)) {
        const int nr = Spalte(namen, u"NUMMER"_s), name = Spalte(namen, u"NAME"_s);
        for (int q = 2; nr && q <= namen.LetzteZeile(); ++q) {
          const QString p = ParzelleVorPunkt(Wert(namen, nr, q));
          for (int z = ErsteParzellenzeile; z <= saetze + 2; ++z)
            if (!p.isEmpty() && ParzelleVorPunkt(neu.Text(Parzelle, z)) == p)
              neu.setText(SchlagName, z, Wert(namen, name, q).trimmed());
        }
      } else {
        hinweis = u"\r\nDie Schlagnamen fehlen: "_s + fehler;
      }
    }
  }

  for (int z = ErsteParzellenzeile; z <= saetze + 2; ++z) {
    // Nothing is in the sheet yet: stopping leaves it as it was.
    if (db.Meldungen() && !db.Meldungen()->Fortschritt(z - ErsteParzellenzeile, saetze, u"Kulturvorschläge"_s, true)) {
      meldung = u"Abgebrochen; das Arbeitsblatt ist unverändert."_s;
      return false;
    }
    const QString nu = neu.Text(NuCode, z);
    if (!nu.isEmpty()) {
      TAbfrage a(db,
                 u"select FA_NR from V_Nutzung_VL where BetriebsNr = :B and Ertragsniveau > 0 and kultur is not null "
                 "and NU_CODE = :C order by FA_NR"_s,
                 {{u"B"_s, e.betrieb}, {u"C"_s, Code(nu)}});
      bool vorgeschlagen = false;
      if (a.Naechste()) {
        const int vorschlag = Grundvariante(a.Wert(0).toInt());
        const auto liste = Kulturliste(e.betrieb, e.wahl, nu, e.kulturenLesen);
        TAbfrage k(db, u"select trim(Kultur) from ( "_s + liste.sql + u" ) where FA_NR = :F"_s,
                   [&] {
                     auto p = liste.parameter;
                     p.emplace_back(u"F"_s, vorschlag);
                     return p;
                   }());
        if (vorschlag > 1 && k.Naechste()) {
          neu.setText(Kultur, z, k.Wert(0).toString());
          neu.setText(KulturNr, z, QString::number(vorschlag));
          vorgeschlagen = true;
        }
      }
      if (!vorgeschlagen && e.kulturenLesen) neu.setText(KeineBerechnung, z, u"x"_s);
    } else if (e.kulturenLesen) {
      neu.setText(KeineBerechnung, z, u"x"_s);
    }
    neu.setText(Nitratgebiet, z, QString());
    neu.setText(Humus, z, QString());
    neu.setText(Steingehalt, z, u"1"_s);
    neu.setText(Durchwurzelung, z, u"90"_s);
  }
  KopfSchreiben(neu);

  // Sub-areas: only the first part of a parcel is imported, under the
  // parcel's whole number.
  for (int z = saetze + 2; z >= ErsteParzellenzeile; --z) {
    const QString p = neu.Text(Parzelle, z);
    const qsizetype punkt = p.indexOf(u'.');
    if (punkt < 0) continue;
    if (p.mid(punkt + 1, 4).toInt() < 2)
      neu.setText(Parzelle, z, p.left(punkt));
    else
      neu.ZeileEntfernen(z);
  }
  hinweis += UmrisseLesen(dbf, e.umrisse);
  blatt = std::move(neu);
  meldung = Abgeschlossen + hinweis;
  return true;
}

QString EuNummer(TADOModConnection& db, int betrieb) {
  return db.Wert(u"select EU_NUMMER from Betriebe where ID = :B"_s, {{u"B"_s, betrieb}}).toString().trimmed();
}

QString MerkDatei(const QString& ordner, const QString& euNummer) {
  static const QRegularExpression sicher(u"^[A-Za-z0-9_-]{1,40}$"_s);
  const QString nr = euNummer.trimmed();
  if (!sicher.match(nr).hasMatch()) return {};
  return QDir(ordner).filePath(u"Shape"_s + nr + u".TXT"_s);
}

bool Merken(const TBlatt& blatt, const QString& datei, QString& meldung) {
  QString text;
  for (int z = 1; z <= blatt.LetzteZeile(); ++z) {
    QStringList zellen;
    for (int s = 1; s <= blatt.LetzteSpalte(z); ++s) zellen << blatt.Text(s, z).replace(u'\t', u' ');
    text += zellen.join(u'\t') + u"\r\n"_s;
  }
  // A text that Windows-1252 cannot hold is written as UTF-8 behind a
  // byte-order mark, so no letter is lost.
  QByteArray bytes;
  if (!Windows1252(text, bytes)) bytes = "\xEF\xBB\xBF" + text.toUtf8();
  return SichereDatei::Schreiben(datei, bytes, &meldung);
}

bool Setzen(TBlatt& blatt, const QString& datei, QString& meldung) {
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) {
    meldung = u"Die Datei „%1“ konnte nicht gelesen werden (%2)."_s.arg(QFileInfo(datei).fileName(), f.errorString());
    return false;
  }
  if (!Merkblatt::Lesen(f.readAll(), blatt)) {
    meldung = u"Die Datei „%1“ hat mehr Zeilen oder Spalten, als das Arbeitsblatt fasst; sie wurde nicht "
              "eingelesen."_s.arg(QFileInfo(datei).fileName());
    return false;
  }
  return true;
}

namespace {

// A cell as a number: null when empty, none when it is no number.
std::optional<QVariant> Zahl(const TBlatt& b, int spalte, int zeile, bool ganz) {
  if (const auto z = b.Zahl(spalte, zeile)) {
    if (ganz) return QVariant(qint64(std::nearbyint(*z)));
    return QVariant(*z);
  }
  const QString t = b.Text(spalte, zeile);
  if (t.isEmpty()) return QVariant();
  bool ok = false;
  if (ganz) {
    const qint64 n = t.toLongLong(&ok);
    return ok ? std::optional<QVariant>(n) : std::nullopt;
  }
  QString p = t;
  p.replace(u',', u'.');
  const double d = p.toDouble(&ok);
  return ok && std::isfinite(d) ? std::optional<QVariant>(d) : std::nullopt;
}

const QString Bodengruppen[] = {u"1 - Sand"_s,
                                u"2 - schwach lehmiger Sand"_s,
                                u"3 - stark lehmiger Sand"_s,
                                u"4 - sandiger/ schluffiger Lehm"_s,
                                u"5 - toniger Lehm bis Ton"_s,
                                u"6 - Anmoor/ Niedermoor"_s};

const QString SchlagEinfuegen = u"insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock, SchlagNr, SchlagName, "
                                "Groesse, BKR, KeineDuengung, BewirtschaftungsAuflagen, Phosphatgebiet, "
                                "SonstigDuengebeschraenkung, HumusGroesserVier, SteingehaltKrume, BG, BGText, "
                                "Durchwurzelungstiefe, AZ, Kultur, HF_Name, HauptfruchtNummer, KulturGruppe, "
                                "NutzungsForm, Vorfrucht, VF_Name, Zwischenfrucht, P_Gehalt, P2O5_Gehalt, "
                                "P_AnalyseDatum, P_Methode ) values ( :B, :J, :P, :FB, :SNR, :SN, :G, :BKR, :KD, "
                                ":BA, :PG, :SD, :H4, :ST, :BG, :BGT, :DW, :AZ, :K, :K, :HF, :KG, :NF, :VF, :VFN, "
                                ":ZF, :PGE, :P2O5, :PD, :PM )"_s;

// The crop rows of one new field: main crop and catch crop, the crops'
// master values, the yields the field shows, and the legume records.
bool AnbauAnlegen(TADOModConnection& db, const TParameter& feld) {
  const QStringList schritte = {
      u"update Schlag set ZwischenfruchtText = ( select r.Fruchtart from S_Zwifru r where r.ID = Schlag.Zwischenfrucht ) "
      "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
      u"insert into Anbau ( BetriebsNr, Jahr, Parzelle, HauptfruchtNummer, Vorfrucht, Zwischenfrucht, VorfruchtText, "
      "ZwischenfruchtText, KulturGruppe, Kultur, FruchtNr, RotesGebiet ) select BetriebsNr, Jahr, Parzelle, "
      "HauptfruchtNummer, Vorfrucht, Zwischenfrucht, VF_Name, ZwischenfruchtText, KulturGruppe, Kultur, 1, "
      "BewirtschaftungsAuflagen from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
      u"insert into Anbau ( BetriebsNr, Jahr, Parzelle, HauptfruchtNummer, Kultur, FruchtNr, RotesGebiet ) select "
      "BetriebsNr, Jahr, Parzelle, Zwischenfrucht, '--Zwischenfrucht-- ' || coalesce(ZwischenfruchtText, ''), 0, "
      "BewirtschaftungsAuflagen from Schlag where Zwischenfrucht is not null and Zwischenfrucht > 0 and "
      "Zwischenfrucht <> 14 and BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
      // From 2021 a crop row in a nitrate area takes the nitrate-area yield.
      u"update Anbau set ( Kulturgruppe, Kultur, FRU_ARTGRNR, Ertragsniveau, Stickstoffbedarfswert, "
      "BezuggsErtragsdifferenz, ZuschlagErtrag, AbschlagErtrag, Rohprotein, ZuschlagRohprotein, Probenahmetiefe, "
      "NP_HP_Verh, P2O5_HP, P2O5_NP, AlGlSonst, ALoderGL, VfAbschlag, TatsErtrag, HP_TM_Umr, IsEinzelErtrag, IsLegum, "
      "GemueseHinweis, P2O5_HPO, P2O5_NPO, N_Bindung_ha, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P, N_Bindung_ha_gr10P ) "
      "= ( select r.Kulturgruppe, r.Kultur, r.FRU_ARTGRNR, r.Ertragsniveau, r.Stickstoffbedarfswert, "
      "r.BezuggsErtragsdifferenz, r.ZuschlagErtrag, r.AbschlagErtrag, r.Rohprotein, r.ZuschlagRohprotein, "
      "r.Probenahmetiefe, r.NP_HP_Verh, r.P2O5_HP, r.P2O5_NP, r.AlGlSonst, r.ALoderGL, r.VfAbschlag, "
      "iif( Anbau.RotesGebiet = 2 and Anbau.Jahr > 2020, r.TatsErtragRG, r.TatsErtrag ), r.HP_TM_Umr, "
      "r.IsEinzelErtrag, r.IsLegum, r.GemueseHinweis, r.P2O5_HPO, r.P2O5_NPO, r.N_Bindung_ha, r.N_Bindung_dt_FM, "
      "r.N_Bindung_dt_FM_gr10P, r.N_Bindung_ha_gr10P from S_KulturenNP r where r.FA_NR = Anbau.HauptfruchtNummer "
      "and r.BetriebsNr = :B ) where exists ( select 1 from S_KulturenNP r where r.FA_NR = Anbau.HauptfruchtNummer "
      "and r.BetriebsNr = :B ) and BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
      u"update Schlag set VFEinzelertrag = ( select r.TatsErtrag from S_KulturenNP r where r.FA_NR = Schlag.Vorfrucht "
      "and r.BetriebsNr = :B ) where exists ( select 1 from S_KulturenNP r where r.FA_NR = Schlag.Vorfrucht and "
      "r.BetriebsNr = :B ) and BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
      u"update Schlag set HFEinzelertrag = ( select r.TatsErtrag from S_KulturenNP r where r.FA_NR = "
      "Schlag.HauptfruchtNummer and r.BetriebsNr = :B ) where exists ( select 1 from S_KulturenNP r where r.FA_NR = "
      "Schlag.HauptfruchtNummer and r.BetriebsNr = :B ) and BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
  };
  for (const QString& sql : schritte)
    if (!db.Ausfuehren(sql, feld)) return false;
  std::vector<qint64> zeilen;
  {
    TAbfrage a(db, u"select ID from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s, feld);
    while (a.Naechste()) zeilen.push_back(a.Wert(0).toLongLong());
    if (!a.Ok()) return false;
  }
  for (qint64 id : zeilen) Anbauregeln::LegumAbgleichen(db, id);
  return true;
}

}  // namespace

bool Anlegen(TADOModConnection& db, const TBlatt& blatt, int betrieb, int jahr, TAnlegen& e, const TUmrisse* umrisse) {
  e = {};
  if (jahr <= 0 || !db.Wert(u"select 1 from DuengeJahr where BetriebsNr = :B and Duengejahr = :J"_s,
                            {{u"B"_s, betrieb}, {u"J"_s, jahr}})
                       .isValid())
    return false;
  const QVariant bkr = db.Wert(u"select BKR from Betriebe where ID = :B"_s, {{u"B"_s, betrieb}});
  TTransaktion alles(db);
  const int zeilen = blatt.LetzteZeile() - ErsteParzellenzeile + 1;
  for (int z = ErsteParzellenzeile; z <= blatt.LetzteZeile(); ++z) {
    // Stopped between fields, the whole import is taken back below.
    if (db.Meldungen() && !db.Meldungen()->Fortschritt(z - ErsteParzellenzeile, zeilen, u"Schläge anlegen"_s, true)) {
      e.abgebrochen = true;
      break;
    }
    const QString parzelleText = blatt.Text(Parzelle, z);
    if (parzelleText.isEmpty() || blatt.ZeileLeer(z)) continue;
    const QString wo = u"Zeile %1, Parzelle %2: "_s.arg(z).arg(parzelleText);
    bool ok = false;
    const int parzelle = parzelleText.toInt(&ok);
    if (!ok || parzelle <= 0) {
      e.nichtAngelegt << wo + u"die Parzellen-Nummer ist keine ganze Zahl."_s;
      continue;
    }
    const TParameter feld = {{u"B"_s, betrieb}, {u"J"_s, jahr}, {u"P"_s, parzelle}};
    if (db.Wert(u"select 1 from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s, feld).isValid()) {
      e.nichtAngelegt << wo + u"diesen Schlag gibt es im Jahr %1 schon; er bleibt, wie er ist."_s.arg(jahr);
      continue;
    }
    struct TZahl {
      int spalte;
      bool ganz;
      const char16_t* name;
    };
    const TZahl zahlen[] = {{SchlagNr, true, u"SNR"},    {Groesse, false, u"G"},       {Steingehalt, true, u"ST"},
                            {Bodengruppe, true, u"BG"}, {Durchwurzelung, true, u"DW"}, {Ackerzahl, true, u"AZ"},
                            {PGehalt, false, u"PGE"},   {KulturNr, true, u"HF"},       {VorfruchtNr, true, u"VF"},
                            {ZwischenfruchtNr, true, u"ZF"}};
    TParameter p = feld;
    QStringList falsch;
    for (const auto& zahl : zahlen) {
      const auto w = Zahl(blatt, zahl.spalte, z, zahl.ganz);
      if (!w) {
        falsch << u"„%1“"_s.arg(Titel(zahl.spalte));
        continue;
      }
      p.emplace_back(QString::fromUtf16(zahl.name), *w);
    }
    const QVariant bg = Zahl(blatt, Bodengruppe, z, true).value_or(QVariant());
    if (!bg.isNull() && (bg.toInt() < 1 || bg.toInt() > 6)) falsch << u"„%1“"_s.arg(Titel(Bodengruppe));
    if (!falsch.isEmpty()) {
      e.nichtAngelegt << wo + u"ungültiger Wert in "_s + falsch.join(u", "_s) + u'.';
      continue;
    }
    const qint64 hf = Zahl(blatt, KulturNr, z, true).value_or(QVariant()).toLongLong();
    const int gruppe = int(hf / 100 % 10);
    const QVariant pGehalt = Zahl(blatt, PGehalt, z, false).value_or(QVariant());
    QVariant datum;
    if (const QString d = blatt.Text(PDatum, z); !d.isEmpty() && d != u".  ."_s) {
      const QDate t = QDate::fromString(d, u"dd.MM.yyyy"_s);
      if (t.isValid()) datum = t.toString(Qt::ISODate);
    }
    const QString methode = blatt.Text(PMethode, z).toUpper();
    p.insert(p.end(), {
                          {u"FB"_s, blatt.Text(Feldblock, z)},
                          {u"SN"_s, blatt.Text(SchlagName, z)},
                          {u"BKR"_s, bkr},
                          {u"KD"_s, int(Angekreuzt(blatt.Text(KeineBerechnung, z)))},
                          {u"BA"_s, Angekreuzt(blatt.Text(Nitratgebiet, z)) ? 2 : 1},
                          {u"PG"_s, Angekreuzt(blatt.Text(Phosphatgebiet, z)) ? 2 : 1},
                          {u"SD"_s, int(Angekreuzt(blatt.Text(SonstBeschraenkung, z)))},
                          {u"H4"_s, int(Angekreuzt(blatt.Text(Humus, z)))},
                          {u"BGT"_s, bg.isNull() ? QVariant() : QVariant(Bodengruppen[bg.toInt() - 1])},
                          {u"K"_s, blatt.Text(Kultur, z)},
                          {u"KG"_s, gruppe},
                          {u"NF"_s, hf == 0 ? 1 : gruppe},
                          {u"VFN"_s, blatt.Text(Vorfrucht, z)},
                          {u"P2O5"_s, pGehalt.isNull() ? QVariant() : QVariant(pGehalt.toDouble() * 2.2914)},
                          {u"PD"_s, datum},
                          {u"PM"_s, methode == u"C"_s ? 1 : methode == u"D"_s ? 2 : 0},
                      });
    const Karte::TUmriss* umriss = nullptr;
    if (umrisse)
      if (const auto it = umrisse->jeParzelle.find(parzelle); it != umrisse->jeParzelle.end()) umriss = &it->second;
    // Each field with its rows and outline is saved whole or not at all.
    TTransaktion zeile(db);
    if (!db.Ausfuehren(SchlagEinfuegen, p) || !AnbauAnlegen(db, feld) ||
        (umriss && !Karte::UmrissSpeichern(db, betrieb, jahr, parzelle, *umriss, umrisse->koordinatensystem)) ||
        !zeile.Bestaetigen()) {
      e.nichtAngelegt << wo + Ausfuehrung::Meldung(u"der Schlag konnte nicht gespeichert werden."_s, QString(),
                                                    db.LetzterFehler());
      zeile.Verwerfen();
      continue;
    }
    ++e.angelegt;
    if (umriss) ++e.umrisse;
  }
  if (e.abgebrochen) {
    alles.Verwerfen();
    e.angelegt = 0;
    e.umrisse = 0;
    e.nichtAngelegt.clear();
    return true;
  }
  // The crops the farm's fields use become chosen crops.
  db.Ausfuehren(u"update S_KulturenNP set Auswahl = 1 where BetriebsNr = :B and FA_NR in ( select HauptfruchtNummer "
                "from Schlag where BetriebsNr = :B union select Vorfrucht from Schlag where BetriebsNr = :B )"_s,
                {{u"B"_s, betrieb}});
  if (!alles.Bestaetigen()) {
    e.nichtAngelegt = QStringList{Ausfuehrung::Meldung(u"Die Schläge konnten nicht gespeichert werden."_s,
                                                       Ausfuehrung::Wiederholen, db.LetzterFehler())};
    e.angelegt = 0;
    e.umrisse = 0;
  }
  return true;
}

bool RegelnAusfuehren(TADOModConnection& db, int betrieb, int jahr) {
  return Befehle::GruppenFuerJahr(db, jahr, betrieb, {40, 5, 10, 15, 20, 50});
}

QString NichtAngelegtText(const TAnlegen& e) {
  if (e.nichtAngelegt.isEmpty()) return {};
  return u"Diese Zeilen wurden nicht übernommen:\r\n"_s + e.nichtAngelegt.join(u"\r\n"_s);
}

}  // namespace Schlagimport
