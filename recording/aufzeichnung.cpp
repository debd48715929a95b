#include "aufzeichnung.h"

#include "connection.h"
#include "dataset.h"
#include "leguminosen.h"
#include "zahlen.h"

namespace Aufzeichnung {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

double Zahl(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

bool Gibt(TADOModConnection& db, const QString& sql, const TParameter& p) {
  TAbfrage a(db, sql, p);
  return a.Naechste();
}

// The item's caption on the record's panel.
QString Eintragsname(int kategorie) {
  switch (kategorie) {
    case Weide: return S("Tiergruppe");
    case Stoffe: return S("Stoffart");
    default: return S("Düngerart");
  }
}

// The columns a record takes from its master row, in the order of the query.
struct TStammabfrage {
  const char* sql;
  std::vector<const char*> spalten;
};

TStammabfrage Stammabfrage(int kategorie) {
  switch (kategorie) {
    case Mineral:
      return {"select Duengemittel, DuengerGruppeNr, N, N, P2O5, P, Herkunft_Nr from S_MinDung "
              "where BetriebsNr = :B and DuengeMittelNr = :N",
              {"Dng", "GruppeNr", "NT", "NH4N", "P2O5", "P", "Herkunft_Nr"}};
    case Organisch:
      return {"select OrgDng, OrgDngGrpNummer, GruppeNr, NT, NH4, P2O5_Gehalt, P, TaVerfNr, N_AnrechenbarALWert, "
              "N_AnrechenbarGLWert, Herkunft_Nr from S_OrgDung where BetriebsNr = :B and OrgDngNummer = :N",
              {"Dng", "DngGrpNummer", "GruppeNr", "NT", "NH4N", "P2O5", "P", "TaVerfNr", "N_AnrechenbarAL",
               "N_AnrechenbarGL", "Herkunft_Nr"}};
    case Weide:
      // NT is worked out below from the yearly excretion and the loss on pasture.
      return {"select substr(TIERART, 1, 100), N_ANFALL, VERLUST_WEIDE, P_ANFALL, TIERGRUPPE_NR from S_Tiere "
              "where BetriebsNr = :B and TA_NR = :N",
              {"Dng", "", "", "P", "GruppeNr"}};
    case Stoffe:
      return {"select Stoff, StoffGruppeNr, N, NH4, P2O5, P, StoffGruppeNr, Herkunft_Nr from S_AndereStoffe "
              "where BetriebsNr = :B and StoffNr = :N",
              {"Dng", "GruppeNr", "NT", "NH4N", "P2O5", "P", "TaVerfNr", "Herkunft_Nr"}};
    default: return {nullptr, {}};
  }
}

// The columns of a copy, in the order of the copied row.
const QString KopieSpalten = QStringLiteral(
    "BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, DngNummer, Dng, NT, NH4N, Menge, N_Menge, P, P2O5, "
    "P_Menge, P2O5_Menge, N_Angerechnet, P2O5_Angerechnet, P_Angerechnet, IsEigenanfall, DngGrpNummer, GruppeNr, "
    "Bundesland, ProbenID_Alt, ArtNr, WeideTiere, WeideTage, IsLegumPauschal, N_Bindung_ha, N_Bindung_dt_FM, "
    "N_Bindung_dt_FM_gr10P, N_Bindung_ha_gr10P, Leguminosenanteil, IsGL, KannHerbstDuengung, N_AnrechenbarAL, "
    "N_AnrechenbarGL, IstHerbstDuengung, TaVerfNr, Nges, Nverf, Pges, Herkunft_Nr");

QString KopieAuswahl() {
  QString s = KopieSpalten;
  s.replace(QStringLiteral("Parzelle, ProbenID,"), QStringLiteral(":Parzelle, :Kultur,"));
  return s;
}

// Copies the records the condition selects onto the target field; for grazing
// the loads are worked out anew for the target's size.
TKopie Kopieren(TADOModConnection& db, const QString& bedingung, const TParameter& p, const TZiel& ziel,
                bool weideNeuRechnen) {
  TKopie k;
  if (ziel.kultur == 0 || !KulturPasst(db, ziel.betrieb, ziel.jahr, ziel.parzelle, ziel.kultur)) {
    k.meldung = S("Der gewählte Schlag hat keine Hauptfrucht, der die Kopie zugeordnet werden kann. "
                  "Es wurde nichts kopiert.");
    return k;
  }
  TParameter pj = p;
  pj.emplace_back(QStringLiteral("J"), ziel.jahr);
  TAbfrage q(db, QStringLiteral("select count(*), min(case when Jahr <> :J then Jahr end) from Dung where ") + bedingung,
             pj);
  if (!q.Naechste()) {
    k.meldung = S("Die gemerkten Düngungen konnten nicht gelesen werden. Es wurde nichts kopiert.");
    return k;
  }
  if (q.Wert(0).toInt() == 0) {
    k.meldung = S("Die gemerkte Düngung gibt es nicht mehr. Es wurde nichts kopiert.");
    return k;
  }
  if (!q.Wert(1).isNull()) {
    k.meldung = S("Die gemerkte Düngung ist einer Kultur des Jahres %1 zugeordnet. Kopien gehören zur aktuellen "
                  "Kultur des gewählten Schlages im Jahr %2; es wurde nichts kopiert.")
                    .arg(q.Wert(1).toInt())
                    .arg(ziel.jahr);
    return k;
  }
  TParameter q2 = p;
  q2.emplace_back(QStringLiteral("Parzelle"), ziel.parzelle);
  q2.emplace_back(QStringLiteral("Kultur"), ziel.kultur);
  TTransaktion t(db);
  const qint64 vorher = db.Wert(QStringLiteral("select coalesce(max(ID), 0) from Dung")).toLongLong();
  bool ok = t.Ok() && db.Ausfuehren(QStringLiteral("insert into Dung ( %1 ) select %2 from Dung where %3 order by ID")
                                        .arg(KopieSpalten, KopieAuswahl(), bedingung),
                                    q2);
  const int anzahl = ok ? db.GeaenderteZeilen() : 0;
  if (ok && weideNeuRechnen) {
    TAbfrage neu(db, QStringLiteral("select ID, WeideTiere, WeideTage, NT, P from Dung where ID > :v and Kategorie = 4"),
                 {{QStringLiteral("v"), vorher}});
    std::vector<std::pair<qint64, TLasten>> lasten;
    while (neu.Naechste()) {
      TWerte w;
      w.kategorie = Weide;
      w.weideTiere = Zahl(neu.Wert(1));
      w.weideTage = neu.Wert(2).toInt();
      w.nt = Zahl(neu.Wert(3));
      w.p = Zahl(neu.Wert(4));
      lasten.emplace_back(neu.Wert(0).toLongLong(), Lasten(w, ziel.groesse));
    }
    ok = neu.Ok();
    for (const auto& [id, l] : lasten)
      ok = ok && db.Ausfuehren(QStringLiteral("update Dung set Nges = :n, Nverf = :v, Pges = :p where ID = :id"),
                               {{QStringLiteral("n"), l.nges},
                                {QStringLiteral("v"), l.nverf},
                                {QStringLiteral("p"), l.pges},
                                {QStringLiteral("id"), id}});
  }
  if (!ok || !t.Bestaetigen()) {
    k.meldung = S("Die Düngung konnte nicht kopiert werden. Es wurde nichts kopiert.");
    return k;
  }
  k.anzahl = anzahl;
  return k;
}

}  // namespace

QString KategorieName(int kategorie) {
  switch (kategorie) {
    case Mineral: return S("Mineraldünger");
    case Organisch: return S("organischer Dünger");
    case Leguminosen: return S("Leguminosen");
    case Weide: return S("Beweidung");
    case Stoffe: return S("sonstige Stoffe");
    default: return {};
  }
}

TWerte AusListe(const TADODataSetMod& l) {
  const auto wert = [&l](const char* feld) { return l.Wert(QString::fromLatin1(feld)); };
  TWerte w;
  w.betrieb = wert("BetriebsNr").toInt();
  w.jahr = wert("Jahr").toInt();
  w.parzelle = wert("Parzelle").toInt();
  w.probenId = wert("ProbenID").toLongLong();
  w.kategorie = wert("Kategorie").toInt();
  w.datum = QDate::fromString(wert("Datum").toString().left(10), QStringLiteral("yyyy-MM-dd"));
  w.dngNummer = wert("DngNummer").toLongLong();
  w.menge = Zahl(wert("Menge"));
  w.nt = Zahl(wert("NT"));
  w.nh4n = Zahl(wert("NH4N"));
  w.p = Zahl(wert("P"));
  w.weideTiere = Zahl(wert("WeideTiere"));
  w.weideTage = wert("WeideTage").toInt();
  w.legumPauschal = wert("IsLegumPauschal").isNull() ? -1 : wert("IsLegumPauschal").toInt();
  w.leguminosenanteil = Zahl(wert("Leguminosenanteil"));
  w.nBindungHa = Zahl(wert("N_Bindung_ha"));
  w.nBindungHaGr10P = Zahl(wert("N_Bindung_ha_gr10P"));
  w.nBindungDtFM = Zahl(wert("N_Bindung_dt_FM"));
  w.nBindungDtFMGr10P = Zahl(wert("N_Bindung_dt_FM_gr10P"));
  return w;
}

bool HoherLegumAnteil(double leguminosenanteil, qint64 dngNummer) {
  return dngNummer >= 20 && Leguminosen::HoherAnteil(leguminosenanteil);
}

TLasten Lasten(const TWerte& w, double schlaggroesse) {
  TLasten l;
  switch (w.kategorie) {
    case Mineral:
      // All mineral N counts as available.
      l.nges = l.nverf = w.menge * w.nt;
      l.pges = w.menge * w.p;
      break;
    case Organisch:
    case Stoffe:
      l.nges = w.menge * w.nt;
      l.nverf = w.menge * w.nh4n;
      l.pges = w.menge * w.p;
      break;
    case Leguminosen: {
      const bool hoch = HoherLegumAnteil(w.leguminosenanteil, w.dngNummer);
      if (w.legumPauschal == 1)
        l.nges = hoch ? w.nBindungHaGr10P : w.nBindungHa;
      else
        l.nges = w.menge * (hoch ? w.nBindungDtFMGr10P : w.nBindungDtFM);
      break;
    }
    case Weide:
      // NT and P are per animal and year: spread over the days on the field.
      if (schlaggroesse > 0) {
        const double flaechenTage = schlaggroesse * 365.0;
        l.nges = w.weideTiere * w.nt * w.weideTage / flaechenTage;
        l.pges = w.weideTiere * w.p * w.weideTage / flaechenTage;
      }
      break;
    default: break;
  }
  return l;
}

QString DatumFehler(int j, const QDate& datum) {
  // An empty date is no date too early: saving names it as missing.
  if (!datum.isValid()) return {};
  const int y = datum.year();
  if (j > 2021) {
    if (y > j) return S("Das Datum kann nicht in einem späteren Jahr als %1 liegen.").arg(j);
    return {};
  }
  if (y < j - 3) return S("Das Datum kann nicht kleiner als %1 sein.").arg(j - 3);
  if (y > j) return S("Das Datum kann nicht größer als %1 sein.").arg(j);
  return {};
}

QStringList Fehlend(const TWerte& w) {
  QStringList f;
  switch (w.kategorie) {
    case Mineral:
    case Organisch:
    case Stoffe:
      if (!w.datum.isValid()) f << S("Datum Ausbringung");
      if (w.menge <= 0) f << S("Ausbringmenge");
      if (w.dngNummer == 0) f << Eintragsname(w.kategorie);
      break;
    case Weide:
      if (w.dngNummer == 0) f << Eintragsname(w.kategorie);
      if (w.weideTiere <= 0) f << S("Anzahl Tiere");
      if (w.weideTage <= 0) f << S("Tage (24 h)");
      if (!w.datum.isValid()) f << S("Ende der Weidehaltung");
      break;
    case Leguminosen:
      if (w.legumPauschal < 0) f << S("Angabe in");
      else if (w.legumPauschal == 0 && w.menge <= 0) f << S("Gesamtmenge (dt/ha FM)");
      break;
    default: break;
  }
  return f;
}

QString FehlendText(const QStringList& fehlend) {
  return S("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. Bitte noch angeben: ") +
         fehlend.join(QStringLiteral(", ")) + QLatin1Char('.');
}

TStammwerte Stammwerte(TADOModConnection& db, int betrieb, int kategorie, qint64 nummer) {
  TStammwerte s;
  const TStammabfrage q = Stammabfrage(kategorie);
  if (!q.sql) return s;
  TAbfrage a(db, QString::fromLatin1(q.sql), {{QStringLiteral("B"), betrieb}, {QStringLiteral("N"), nummer}});
  if (!a.Naechste()) {
    if (!a.Ok())
      s.fehler = S("Die Stammdaten von %1 Nr. %2 konnten nicht gelesen werden.").arg(Eintragsname(kategorie)).arg(nummer);
    return s;
  }
  s.gefunden = true;
  for (int i = 0; i < int(q.spalten.size()); ++i)
    if (*q.spalten[i]) s.werte.emplace_back(QString::fromLatin1(q.spalten[i]), a.Wert(i));
  if (kategorie == Weide) {
    // The N left per animal and year after the loss on pasture (per cent).
    const QVariant anfall = a.Wert(1);
    const double verlust = Zahl(a.Wert(2));
    s.werte.emplace_back(QStringLiteral("NT"), anfall.isNull() ? QVariant() : QVariant(anfall.toDouble() * (100.0 - verlust) / 100.0));
  }
  return s;
}

QString Fenstertitel(TADOModConnection& db, int betrieb, int jahr) {
  const QString name =
      db.Wert(QStringLiteral("select Betriebsname from Betriebe where ID = :B"), {{QStringLiteral("B"), betrieb}})
          .toString();
  return S("Düngungsaufzeichnung:  ") + name + QStringLiteral(" / ") + QString::number(jahr);
}

bool KulturPasst(TADOModConnection& db, int betrieb, int jahr, int parzelle, qint64 probenId) {
  return Gibt(db,
              QStringLiteral("select 1 from Anbau where ID = :id and BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
              {{QStringLiteral("id"), probenId},
               {QStringLiteral("B"), betrieb},
               {QStringLiteral("J"), jahr},
               {QStringLiteral("P"), parzelle}});
}

TSpeicherung VorDemSpeichern(TADOModConnection& db, const TWerte& w, int duengejahr, double schlaggroesse) {
  TSpeicherung s;
  if (const QStringList f = Fehlend(w); !f.isEmpty()) {
    s.meldung = FehlendText(f);
    return s;
  }
  if (w.kategorie != Leguminosen) {
    s.meldung = DatumFehler(duengejahr, w.datum);
    if (!s.meldung.isEmpty()) return s;
  }
  if (!KulturPasst(db, w.betrieb, w.jahr, w.parzelle, w.probenId)) {
    s.meldung = S("Die gedüngte Kultur gehört nicht zu diesem Schlag. Bitte wählen Sie die Kultur neu aus.");
    return s;
  }
  TWerte v = w;
  if (w.kategorie != Leguminosen) {
    const TStammwerte st = Stammwerte(db, w.betrieb, w.kategorie, w.dngNummer);
    if (!st.fehler.isEmpty()) {
      s.meldung = st.fehler + S(" Die Aufzeichnung wird nicht gespeichert.");
      return s;
    }
    if (!st.gefunden && w.dngNummer != 0)
      s.hinweis = S("%1 Nr. %2 ist nicht mehr in den Stammdaten des Betriebs; die Aufzeichnung behält ihre "
                    "bisherigen Gehalte.")
                      .arg(Eintragsname(w.kategorie))
                      .arg(w.dngNummer);
    for (const auto& [spalte, wert] : st.werte) {
      if (spalte == QLatin1String("NT")) v.nt = Zahl(wert);
      if (spalte == QLatin1String("NH4N")) v.nh4n = Zahl(wert);
      if (spalte == QLatin1String("P")) v.p = Zahl(wert);
    }
    s.werte = st.werte;
  }
  TAbfrage kultur(db, QStringLiteral("select KannHerbstDuengung from Anbau where ID = :id"),
                  {{QStringLiteral("id"), w.probenId}});
  if (kultur.Naechste()) s.werte.emplace_back(QStringLiteral("KannHerbstDuengung"), kultur.Wert(0));
  const TLasten l = Lasten(v, schlaggroesse);
  s.werte.emplace_back(QStringLiteral("Nges"), l.nges);
  s.werte.emplace_back(QStringLiteral("Nverf"), l.nverf);
  s.werte.emplace_back(QStringLiteral("Pges"), l.pges);
  return s;
}

qint64 Zielkultur(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  const TParameter feld = {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), jahr}, {QStringLiteral("P"), parzelle}};
  if (!Gibt(db,
            QStringLiteral("select 1 from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P "
                           "and coalesce(HauptfruchtNummer, 0) <> 0"),
            feld))
    return 0;
  const qint64 kulturId =
      db.Wert(QStringLiteral("select Kultur_ID from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"), feld)
          .toLongLong();
  if (kulturId != 0 && KulturPasst(db, betrieb, jahr, parzelle, kulturId)) return kulturId;
  // A field whose crop summary was never made (taken over from an older file).
  return db
      .Wert(QStringLiteral("select ID from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P "
                           "order by FruchtNr desc, ID desc limit 1"),
            feld)
      .toLongLong();
}

QString AuswahlAbfrage(int kategorie) {
  switch (kategorie) {
    case Mineral:
      return QStringLiteral("select DuengeMittelNr as Nummer, Duengemittel as Name from S_MinDung "
                            "where BetriebsNr = :B and Auswahl <> 0 order by Duengemittel collate Deutsch");
    case Organisch:
      return QStringLiteral("select OrgDngNummer as Nummer, OrgDng as Name from S_OrgDung "
                            "where BetriebsNr = :B and Auswahl <> 0 order by OrgDng collate Deutsch");
    case Weide:
      return QStringLiteral("select TA_NR as Nummer, TIERART as Name from S_Tiere "
                            "where BetriebsNr = :B and Auswahl <> 0 order by TIERART collate Deutsch");
    case Stoffe:
      return QStringLiteral("select StoffNr as Nummer, Stoff as Name from S_AndereStoffe "
                            "where BetriebsNr = :B order by Stoff collate Deutsch");
    default: return {};
  }
}

bool AuswahlVorhanden(TADOModConnection& db, int betrieb, int kategorie) {
  const QString sql = AuswahlAbfrage(kategorie);
  return !sql.isEmpty() && Gibt(db, sql, {{QStringLiteral("B"), betrieb}});
}

QString KeineAuswahlFrage(int kategorie) {
  QString was;
  switch (kategorie) {
    case Mineral: was = S("In der Vorauswahl des Betriebs ist kein Mineraldünger ausgewählt."); break;
    case Organisch: was = S("In der Vorauswahl des Betriebs ist kein organischer Dünger ausgewählt."); break;
    case Weide: was = S("In der Vorauswahl des Betriebs ist keine Tiergruppe für die Weidehaltung ausgewählt."); break;
    case Stoffe: was = S("Für den Betrieb sind keine anderen Stoffe angelegt."); break;
    default: break;
  }
  return was + S(" Möchten Sie die Vorauswahl jetzt öffnen?");
}

bool Loeschen(TADOModConnection& db, qint64 id) {
  return db.Ausfuehren(QStringLiteral("delete from Dung where ID = :id"), {{QStringLiteral("id"), id}});
}

TKopie EinzelnKopieren(TADOModConnection& db, qint64 dungId, const TZiel& ziel) {
  return Kopieren(db, QStringLiteral("ID = :Quelle and Kategorie in (1, 2, 5)"), {{QStringLiteral("Quelle"), dungId}},
                  ziel, false);
}

TKopie AlleKopieren(TADOModConnection& db, qint64 probenId, const TZiel& ziel) {
  return Kopieren(db, QStringLiteral("ProbenID = :Quelle and Kategorie in (1, 2, 5)"),
                  {{QStringLiteral("Quelle"), probenId}}, ziel, false);
}

TKopie WeideKopieren(TADOModConnection& db, qint64 dungId, const TZiel& ziel) {
  return Kopieren(db, QStringLiteral("ID = :Quelle and Kategorie = 4"), {{QStringLiteral("Quelle"), dungId}}, ziel, true);
}

}  // namespace Aufzeichnung
