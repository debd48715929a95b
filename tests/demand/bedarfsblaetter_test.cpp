// The printed demand sheets, read back from the PDF: the values of the rows
// as the ordinance's scheme prints them, worked out by hand from the stored
// inputs, the nitrate-area figure, rounding, the phosphate period and
// columns, footnotes, management units, and which entries are printed.
#include "bedarfsblaetter.h"
#include "druckhilfe.h"
#include "stickstoffbetrieb.h"

using namespace Qt::StringLiterals;
using Druckhilfe::Enthaelt;
using Druckhilfe::Zeilenwert;
namespace B = Bedarfsblaetter;

namespace {

constexpr int Weizen = 115101;  // a shipped arable crop
constexpr int Wiese = 459201;   // a crop of group 2

class Bedarfsblatt : public StickstoffBetrieb {
protected:
  void SetUp() override {
    StickstoffBetrieb::SetUp();
    Sql(u"update Betriebe set Betriebsname = ' Hof Linde ', SitzStrasse = 'Lindenweg 3 ', SitzPLZ = '06108', "
        "SitzOrt = 'Halle', SitzOrtsTeil = ' Giebichenstein', Bundesland = 15 where ID = 2"_s);
  }
  // The one page of a crop row's nitrogen sheet.
  QString Stickstoffseite(qint64 id) {
    const auto blatt = B::StickstoffBlatt(db, id);
    if (!blatt) {
      ADD_FAILURE() << "kein Blatt";
      return {};
    }
    const QStringList seiten = Druckhilfe::Seiten({*blatt});
    EXPECT_EQ(seiten.size(), 1);
    return seiten.value(0);
  }
  QString Schlagseite(qint64 id, bool herbst = false) {
    const auto blatt = herbst ? B::HerbstBlatt(db, id) : B::PhosphorBlatt(db, id);
    if (!blatt) {
      ADD_FAILURE() << "kein Blatt";
      return {};
    }
    const QStringList seiten = Druckhilfe::Seiten({*blatt});
    EXPECT_EQ(seiten.size(), 1);
    return seiten.value(0);
  }
  qint64 SchlagId(int parzelle, int jahr = Jahr) {
    return Wert(u"select ID from Schlag where Parzelle = :p and Jahr = :j"_s, {{u"p"_s, parzelle}, {u"j"_s, jahr}})
        .toLongLong();
  }
};

// --- value texts -------------------------------------------------------------------

TEST(Bedarfsblattwerte, ZahlenUndTexte) {
  // Halves to the even neighbour; deducted amounts with reversed sign, 0 without.
  EXPECT_EQ(B::Ganz(12.5), u"12"_s);
  EXPECT_EQ(B::Ganz(13.5), u"14"_s);
  EXPECT_EQ(B::Ganz(QVariant()), u"0"_s);
  EXPECT_EQ(B::Negiert(40), u"-40"_s);
  EXPECT_EQ(B::Negiert(0), u"0"_s);
  EXPECT_EQ(B::Negiert(-0.2), u"0"_s);
  EXPECT_EQ(B::EineStelle(2.45), u"2,5"_s);
  EXPECT_EQ(B::PPaar(100), u"44 (100)"_s);
  EXPECT_EQ(B::Gespeichert(62.5), u"62,5"_s);
  EXPECT_EQ(B::Gespeichert(80.0), u"80"_s);
  EXPECT_EQ(B::Ertragseinheit(459201), u" dt TM/ha"_s);
  EXPECT_EQ(B::Ertragseinheit(115101), u" dt FM/ha"_s);
  EXPECT_EQ(B::Ertragseinheit(999301), u" dt FM/ha"_s);
  EXPECT_EQ(B::JaNein(QVariant()), QString());
  EXPECT_EQ(B::JaNein(1), u"Ja"_s);
  EXPECT_EQ(B::Gebiet(2), u"Ja"_s);
  EXPECT_EQ(B::Gebiet(1), u"Nein"_s);
  EXPECT_EQ(B::Analysemethode(0), u"nicht gesetzt"_s);
  EXPECT_EQ(B::Analysemethode(2), u"DL"_s);
  EXPECT_EQ(B::Bodengruppe(7), QString());
  EXPECT_EQ(B::NminQuelle(4), u"Bodenuntersuchung OHNE Steingehalt"_s);
  EXPECT_EQ(B::Datum(u"2021-03-01 00:00:00"_s), u"01.03.2021"_s);
}

TEST(Bedarfsblattwerte, HerbstFruchtartKurzOderAusDerListeDerSeite) {
  struct TFall {
    int fa;
    bool nitratgebiet;
    const char* text;
  } faelle[] = {
      {1, true, "ZF, Leguminosenanteil 0 bis 75%; Aussaat bis 15.09. mit Futternutzung"},
      {2, true, "Winterraps nach Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha"},
      {3, true, "Winterraps nach anderen VF; Aussaat bis 15.09., Nmin <= 45 kg/ha"},
      {8, true, ""},  // winter barley is not offered in a nitrate area
      {1, false, "ZF, Leguminosenanteil 0 bis 75%; Aussaat bis 15.09."},
      {5, false, "Feldfutter nach anderen Vorfrüchten als Getreide; Aussaat bis 31.08."},
      {8, false, "Wintergerste nach Getreide; Aussaat bis 01.10."},
      {9, false, "Sonstige (kein N-Düngebedarf)"},
      {0, false, ""},
  };
  for (const TFall& f : faelle)
    EXPECT_EQ(B::HerbstFruchtart(f.fa, f.nitratgebiet), QString::fromUtf8(f.text)) << f.fa << " " << f.nitratgebiet;
}

// --- nitrogen sheets --------------------------------------------------------------------

TEST_F(Bedarfsblatt, NitratgebietZeigtAchtzigProzentInKlammern) {
  struct TFall {
    int gruppe;
    double bedarf;
    int rotesGebiet;
    const char* ergebnis;
  } faelle[] = {
      {1, 125, 2, "125 (100)"}, {1, 143, 2, "143 (114)"}, {2, 143, 2, "143 (114)"},
      {1, 143, 1, "143"},       {2, 125.5, 1, "126"},
  };
  int parzelle = 10;
  for (const TFall& f : faelle) {
    Schlag(++parzelle, {{u"BewirtschaftungsAuflagen"_s, f.rotesGebiet}});
    const qint64 id = Kultur(parzelle, f.gruppe == 2 ? Wiese : Weizen,
                             {{u"KulturGruppe"_s, f.gruppe}, {u"Duengebedarf"_s, f.bedarf}, {u"RotesGebiet"_s, f.rotesGebiet}});
    const QString seite = Stickstoffseite(id);
    const QString nummer = f.gruppe == 2 ? u"14."_s : u"12."_s;
    const QString text = u"Stickstoffdüngebedarf während der Vegetation in kg N/ha"_s +
                         (f.rotesGebiet == 2 ? u" (Nitratgebiet)"_s : QString());
    EXPECT_EQ(Zeilenwert(seite, nummer, text), QString::fromUtf8(f.ergebnis)) << f.bedarf;
  }
}

TEST_F(Bedarfsblatt, ErtragszuschlagAufAckerHalbAbwaertsAufGruenlandZurGeradenZahl) {
  struct TFall {
    double zuschlag;
    const char* acker;
    const char* gruenland;
  } faelle[] = {{12.5, "12", "12"}, {13.5, "13", "14"}, {-7.5, "-8", "-8"}, {0, "0", "0"}};
  int parzelle = 10;
  for (const TFall& f : faelle) {
    Schlag(++parzelle);
    const qint64 acker = Kultur(parzelle, Weizen, {{u"KulturGruppe"_s, 1}, {u"ZuAbschlagErtrag"_s, f.zuschlag}});
    const qint64 gras =
        Kultur(parzelle, Wiese, {{u"KulturGruppe"_s, 2}, {u"ZuAbschlagErtrag"_s, f.zuschlag}, {u"FruchtNr"_s, 2}});
    EXPECT_EQ(Zeilenwert(Stickstoffseite(acker), u"7."_s, u"Ertragsdifferenz"_s), QString::fromUtf8(f.acker))
        << f.zuschlag;
    EXPECT_EQ(Zeilenwert(Stickstoffseite(gras), u"10."_s, u"Ertragsdifferenz"_s), QString::fromUtf8(f.gruenland))
        << f.zuschlag;
  }
}

TEST_F(Bedarfsblatt, AckerblattMitAllenZeilen) {
  Schlag(12, {{u"SchlagNr"_s, 7}, {u"SchlagName"_s, u"Am Bach"_s}, {u"Feldblock"_s, u"DEVLLI0123456789"_s},
              {u"Groesse"_s, 2.45}, {u"ZwischenfruchtText"_s, u"--Zwischenfrucht-- Senf"_s}, {u"BG"_s, 3},
              {u"HumusGroesserVier"_s, 1}, {u"SteingehaltKrume"_s, 12}, {u"BKR"_s, 107}, {u"Phosphatgebiet"_s, 2},
              {u"SonstigDuengebeschraenkung"_s, 0}});
  const qint64 id = Kultur(12, 999101,
                           {{u"Kultur"_s, u"Mein Weizen "_s}, {u"KulturGruppe"_s, 1}, {u"VorfruchtText"_s, u"Raps"_s},
                            {u"Stickstoffbedarfswert"_s, 230}, {u"Ertragsniveau"_s, 80}, {u"TatsErtrag"_s, 72.4},
                            {u"Ertragsdifferenz"_s, -7.6}, {u"Quelle_0_30"_s, 1}, {u"Quelle_60_90"_s, 3},
                            {u"Nmin_0_30"_s, 20}, {u"Nmin_30_60"_s, 15}, {u"Nmin_60_90"_s, 10}, {u"Nmin"_s, 45},
                            {u"Stickstoffnachlieferung"_s, 20}, {u"StickstoffnachlieferungOD"_s, 10},
                            {u"StickstoffnachlieferungWRWGH"_s, 0}, {u"VfAbschlag"_s, 10}, {u"ZfAbschlag"_s, 20.4},
                            {u"ZuschlagFolie"_s, 0}, {u"Probenahmetiefe"_s, 90}, {u"Duengebedarf"_s, 125},
                            {u"BerechnungsDatum"_s, u"2021-03-01"_s}});
  const QString s = Stickstoffseite(id);
  EXPECT_TRUE(s.contains(u"Ermittlung des N-Düngebedarfs für Acker- und Gemüsebau nach § 4 Abs. 1 DüV"_s)) << s.toStdString();
  // The address: name and street trimmed, postcode and district.
  EXPECT_TRUE(Enthaelt(s, u"Hof Linde"_s));
  EXPECT_TRUE(Enthaelt(s, u"06108 Giebichenstein"_s));
  for (const QString& t : {u"Parzellen-Nr.: 12"_s, u"Feldblock: DEVLLI0123456789"_s, u"Schlag-Nr.: 7"_s,
                           u"Schlagname: Am Bach"_s, u"Datum: 01.03.2021"_s, u"Schlaggröße: 2,5 ha"_s,
                           u"Hauptfrucht: Mein Weizen"_s, u"Steingehalt 0-90 cm: 12 %"_s, u"Zwischenfrucht: Senf"_s,
                           u"Humusgehalt: > 4 %"_s, u"Vorfrucht: Raps"_s, u"Durchwurzelungstiefe: 90 cm"_s,
                           u"Bodengruppe: 3 - stark lehmiger Sand"_s, u"Bodentiefe nach DüV: 90 cm"_s,
                           u"Ackerzahl: 60"_s, u"Bodenklimaraum: 107"_s, u"Nitratgebiet: Nein"_s,
                           u"Phosphatgebiet: Ja"_s, u"sonstige Düngebeschränkung: Nein"_s,
                           u"Faktoren für die STICKSTOFF-Düngebedarfsermittlung für das Kalenderjahr 2021"_s,
                           u"Zu- und Abschläge für: in kg N/ha"_s,
                           u"Bodenuntersuchung MIT Steingehalt 0-30 cm 20"_s,
                           u"Bodenuntersuchung MIT Steingehalt 30-60 cm 15 -45"_s,
                           u"aus Schicht 1 und 2 berechnet 60-90 cm 10"_s, u"13. Zuschläge auf Grund nachträglich"_s,
                           u"Witterungsereignisse"_s, u"Hinweis:"_s, u"Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021"_s})
    EXPECT_TRUE(Enthaelt(s, t)) << t.toStdString() << "\n" << s.toStdString();
  EXPECT_EQ(Zeilenwert(s, u"1."_s, u"Kultur"_s), u"Mein Weizen (selbst angelegt)"_s);
  EXPECT_EQ(Zeilenwert(s, u"2."_s, u"Stickstoffbedarfswert (kg N/ha)"_s), u"230"_s);
  EXPECT_EQ(Zeilenwert(s, u"4."_s, u"Ertragsniveau grundsätzlich im Durchschnitt der relevanten fünf Jahre (dt/ha)"_s),
            u"72"_s);
  EXPECT_EQ(Zeilenwert(s, u"5."_s, u"Ertragsdifferenz (dt/ha)"_s), u"-8"_s);
  EXPECT_EQ(Zeilenwert(s, u"8."_s, u"Stickstoffnachlieferung aus dem Bodenvorrat"_s), u"-20"_s);
  EXPECT_EQ(Zeilenwert(s, u"9.1"_s, u"Stickstoffnachlieferung aus der organischen Düngung des Vorjahres"_s), u"-10"_s);
  EXPECT_EQ(Zeilenwert(s, u"9.2"_s, u"verfügbarer Stickstoff aus Herbstdüngung des Vorjahres"_s), u"0"_s);
  // Previous and catch crop together: 10 + 20.4 = 30.4.
  EXPECT_EQ(Zeilenwert(s, u"10."_s, u"Vorfrucht bzw. Vorkultur (Ackerbau)"_s), u"-30"_s);
  EXPECT_EQ(Zeilenwert(s, u"12."_s, u"Stickstoffdüngebedarf während der Vegetation in kg N/ha"_s), u"125"_s);
  EXPECT_FALSE(s.contains(u"Körnerleguminosen"_s));
  EXPECT_FALSE(s.contains(u"Teilflächen"_s));
}

}  // namespace
