// The yield rules on their own (tables of cases worked out by hand) and the
// list of the farm's crops on a database.
#include "ertraege.h"

#include "dataset.h"
#include "ertragsbetrieb.h"

#include <gtest/gtest.h>

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

TEST(Ertragsregeln, SpaltenNachJahr) {
  const struct {
    int jahr;
    const char* jahresspalte;
    const char* spalteNG;
    const char* vorjahr;
  } faelle[] = {
      {2017, "", "", ""},
      // 2018 has no year before in the columns: it shows its own.
      {2018, "TatsErtrag_18", "", "TatsErtrag_18"},
      {2019, "TatsErtrag_19", "", "TatsErtrag_18"},
      {2020, "TatsErtrag_20", "", "TatsErtrag_19"},
      {2021, "TatsErtrag_21", "TatsErtragRG_21", "TatsErtrag_20"},
      {2024, "TatsErtrag_24", "TatsErtragRG_24", "TatsErtrag_23"},
      {2030, "TatsErtrag_30", "TatsErtragRG_30", "TatsErtrag_29"},
      {2031, "", "", ""},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(Ertraege::Jahresspalte(f.jahr), K(f.jahresspalte)) << f.jahr;
    EXPECT_EQ(Ertraege::JahresspalteNG(f.jahr), K(f.spalteNG)) << f.jahr;
    EXPECT_EQ(Ertraege::VorjahrSpalte(f.jahr), K(f.vorjahr)) << f.jahr;
  }
}

TEST(Ertragsregeln, Bereich) {
  const struct {
    QVariant ertrag;
    int niveau;
    bool ausserhalb;
  } faelle[] = {
      // A level of 1 or 0 bounds nothing.
      {0.0, 1, false},       {5000.0, 1, false},   {QVariant(), 0, false},
      // Level 50: 5 … 112.5, both bounds inside.
      {5.0, 50, false},      {4.99, 50, true},     {112.5, 50, false},
      {112.51, 50, true},    {0.0, 50, true},      {QVariant(), 50, true},
      // Level 25: 2.5 … 56.25 (2.5 is not exact in binary as 0.1 × 25).
      {2.5, 25, false},      {2.49, 25, true},     {56.25, 25, false},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Ertraege::Ausserhalb(f.ertrag, f.niveau), f.ausserhalb)
        << f.ertrag.toString().toStdString() << " bei " << f.niveau;
}

TEST(Ertragsregeln, MeldungRundetGrenzenZurGeradenZahl) {
  // 0.1 × 25 = 2.5 → 2 and 2.25 × 25 = 56.25 → 56; 2.25 × 30 = 67.5 → 68;
  // 2.25 × 50 = 112.5 → 112.
  EXPECT_EQ(Ertraege::BereichMeldung(false, 25),
            K("Der tatsächliche Ertrag im Normalgebiet liegt außerhalb des zulässigen Bereichs von 2 und 56 dt/ha. "
              "Bitte korrigieren."));
  EXPECT_TRUE(Ertraege::BereichMeldung(true, 30).contains(K("im Nitratgebiet liegt außerhalb des zulässigen "
                                                               "Bereichs von 3 und 68 dt/ha.")));
  EXPECT_TRUE(Ertraege::BereichMeldung(false, 50).contains(K("von 5 und 112 dt/ha.")));
}

TEST(Ertragsregeln, PruefenVorDemSpeichern) {
  const QString normal = Ertraege::BereichMeldung(false, 50);
  const QString nitrat = Ertraege::BereichMeldung(true, 50);
  const struct {
    const char* fall;
    Ertraege::TZeile zeile;
    int jahr;
    QString erwartet;
  } faelle[] = {
      {"im Bereich", {60.0, 40.0, 50}, 2024, {}},
      {"zu hoch", {113.0, 40.0, 50}, 2024, normal},
      {"0 bei Niveau über 1", {0.0, QVariant(), 50}, 2024, normal},
      {"0 bei Niveau 1", {0.0, QVariant(), 1}, 2024, {}},
      {"NG zu hoch", {60.0, 200.0, 50}, 2024, nitrat},
      {"NG leer", {60.0, QVariant(), 50}, 2024, {}},
      {"NG 0", {60.0, 0.0, 50}, 2024, {}},
      // Up to 2020 there is no nitrate-area yield to check.
      {"NG zu hoch 2020", {60.0, 200.0, 50}, 2020, {}},
      {"negativ, Niveau 1", {-1.0, QVariant(), 1}, 2024, Ertraege::NegativMeldung},
      {"NG negativ", {60.0, -3.0, 50}, 2020, Ertraege::NegativMeldung},
  };
  for (const auto& f : faelle) EXPECT_EQ(Ertraege::Pruefen(f.zeile, f.jahr), f.erwartet) << f.fall;
}

TEST(Ertragsregeln, TitelUndHinweise) {
  EXPECT_EQ(Ertraege::TitelVorjahr(2024, 2, false), K("verwendeter Ertrag 2023 (dt TM/ha)"));
  EXPECT_EQ(Ertraege::TitelVorjahr(2024, 1, true), K("Durchschnittsertrag Vorjahr (dt/ha)"));
  EXPECT_EQ(Ertraege::TitelErtrag(2020, 3), K("betrieblicher Ertrag 2020 (dt/ha)"));
  EXPECT_EQ(Ertraege::TitelErtragNG(2022, 2), K("betrieblicher Ertrag NG 2022 (dt TM/ha)"));
  EXPECT_EQ(Ertraege::HinweisOben(2020),
            K("Bitte tatsächlichen betrieblichen Ertrag im 3-jährigen Mittel (dt/ha) eingeben/prüfen."));
  EXPECT_EQ(Ertraege::HinweiseUnten(2020), QStringList{K("Bitte beachten, das Ertragsmittel der letzten 3 Jahre angeben.")});
  EXPECT_EQ(Ertraege::HinweisOben(2021),
            K("Bitte tatsächlichen betrieblichen Ertrag im 5-jährigen Mittel (dt/ha) eingeben/prüfen."));
  EXPECT_EQ(Ertraege::HinweiseUnten(2021),
            (QStringList{K("Bitte beachten, für normales Gebiet das Ertragsmittel der letzten 5 Jahre angeben."),
                         K("Für Nitratgebiete (NG) nach §13a dagegen das Mittel der Jahre 2015 - 2019 angeben.")}));
}

// --- the list on a database -------------------------------------------------------

class ErtragslisteTest : public ErtragsBetrieb {
protected:
  QStringList Kulturen(int jahr, bool alle = false) {
    Ertraege::TErtragsliste liste(db, meldungen, Betrieb, jahr, alle);
    EXPECT_TRUE(liste.Oeffnen());
    QStringList namen;
    const int f = liste.Liste().FeldIndex(K("Kultur"));
    for (int z = 0; z < liste.Liste().Anzahl(); ++z) namen << liste.Liste().Wert(z, f).toString();
    return namen;
  }
  void Anbau(int parzelle, const QVariantMap& schlag, const QVariant& hauptfrucht = QVariant()) {
    QVariantMap s = schlag;
    s[K("BetriebsNr")] = Betrieb;
    s[K("Jahr")] = Jahr;
    s[K("Parzelle")] = parzelle;
    Einfuegen(K("Schlag"), s);
    if (!hauptfrucht.isNull())
      Einfuegen(K("Anbau"), {{K("BetriebsNr"), Betrieb},
                             {K("Jahr"), Jahr},
                             {K("Parzelle"), parzelle},
                             {K("FruchtNr"), 1},
                             {K("HauptfruchtNummer"), hauptfrucht}});
  }
};

TEST_F(ErtragslisteTest, GewaehlteUndGenutzteKulturenNachNamen) {
  EXPECT_EQ(Kulturen(2024), (QStringList{K("Ackergras"), K("Hafer"), K("Zuckerrübe")}));
  // After a field import every group is listed.
  EXPECT_EQ(Kulturen(2024, true), (QStringList{K("Ackergras"), K("Blühstreifen"), K("Hafer"), K("Zuckerrübe")}));

  // Not chosen, but used: as main crop, as following crop, as catch crop.
  Sql(K("update S_KulturenNP set Auswahl = 0 where BetriebsNr = 2 and FA_NR in ( :a, :b, :c )"),
      {{K("a"), Ackergras}, {K("b"), Hafer}, {K("c"), Zuckerruebe}});
  EXPECT_TRUE(Kulturen(2024).isEmpty());
  Kultur(999301, K("Ölrettich"), 1, 0, {{K("Auswahl"), 0}});
  Anbau(1, {}, Hafer);
  Anbau(2, {{K("Folgefrucht_1"), Zuckerruebe}});
  Anbau(3, {{K("ZFP0_NR"), 999301}});
  // "Ö" sorts as "O", before "Z".
  EXPECT_EQ(Kulturen(2024), (QStringList{K("Hafer"), K("Ölrettich"), K("Zuckerrübe")}));
}

TEST_F(ErtragslisteTest, ErtragDesVorjahrs) {
  const struct {
    int jahr;
    QVariant hafer;
  } faelle[] = {// TatsErtrag_23 has its default 0; 2017 has no column.
                 {2018, 48.0}, {2019, 48.0}, {2020, 51.0}, {2024, 0.0}, {2017, QVariant()}};
  for (const auto& f : faelle) {
    Ertraege::TErtragsliste liste(db, meldungen, Betrieb, f.jahr);
    ASSERT_TRUE(liste.Oeffnen());
    ASSERT_TRUE(liste.Liste().Gehe(1));
    EXPECT_EQ(liste.Liste().Wert(K("Kultur")).toString(), K("Hafer"));
    const QVariant vorjahr = liste.Liste().Wert(K("ErtragVorjahr"));
    EXPECT_EQ(vorjahr.isNull(), f.hafer.isNull()) << f.jahr;
    EXPECT_EQ(vorjahr.toDouble(), f.hafer.toDouble()) << f.jahr;
  }
}

TEST_F(ErtragslisteTest, SpeichernSchreibtDieJahresspalten) {
  Ertraege::TErtragsliste liste(db, meldungen, Betrieb, 2024);
  ASSERT_TRUE(liste.Oeffnen());
  TADODataSetMod& l = liste.Liste();
  ASSERT_TRUE(l.Gehe(1));  // Hafer, level 50
  l.setWert(K("TatsErtrag"), 62.5);
  l.setWert(K("TatsErtragRG"), 58.0);
  ASSERT_TRUE(l.Speichern());
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 62.5);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag_24")).toDouble(), 62.5);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtragRG")).toDouble(), 58.0);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtragRG_24")).toDouble(), 58.0);
  EXPECT_TRUE(liste.Gespeichert());

  // A yield of 0 (level 1: allowed) leaves the year column alone.
  ASSERT_TRUE(l.Gehe(2));  // Zuckerrübe
  Sql(K("update S_KulturenNP set TatsErtrag_24 = 610 where BetriebsNr = 2 and FA_NR = :nr"), {{K("nr"), Zuckerruebe}});
  ASSERT_TRUE(l.Aktualisieren());
  l.setWert(K("TatsErtrag"), 0.0);
  ASSERT_TRUE(l.Speichern());
  EXPECT_EQ(Gespeichert(Zuckerruebe, K("TatsErtrag")).toDouble(), 0.0);
  EXPECT_EQ(Gespeichert(Zuckerruebe, K("TatsErtrag_24")).toDouble(), 610.0);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(K("\n")).toStdString();
}

TEST_F(ErtragslisteTest, AusserhalbWirdNichtGespeichert) {
  Ertraege::TErtragsliste liste(db, meldungen, Betrieb, 2024);
  ASSERT_TRUE(liste.Oeffnen());
  TADODataSetMod& l = liste.Liste();
  ASSERT_TRUE(l.Gehe(1));  // Hafer, level 50
  l.setWert(K("TatsErtrag"), 0.0);
  EXPECT_FALSE(l.Speichern());
  EXPECT_EQ(meldungen.Infos(), QStringList{Ertraege::BereichMeldung(false, 50)});
  EXPECT_EQ(l.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  EXPECT_TRUE(liste.ErtragAusserhalb(1));
  // Closing keeps the input and the list while it cannot be saved.
  EXPECT_FALSE(liste.Schliessen());
  EXPECT_TRUE(l.IstOffen());
  liste.Verwerfen();
  EXPECT_FALSE(liste.ErtragAusserhalb(1));
  EXPECT_TRUE(liste.Schliessen());
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 55.0);
  EXPECT_TRUE(Gespeichert(Hafer, K("TatsErtrag_24")).isNull() || Gespeichert(Hafer, K("TatsErtrag_24")).toDouble() == 0);
}

}  // namespace
