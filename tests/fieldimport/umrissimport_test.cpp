// The outlines in the import: read beside the parcel table, kept with each
// new field, a broken one skipped by name, and a changed outline of an
// existing field replaced only when the user says yes.

#include "schlagimportfenster.h"

#include "blatt.h"
#include "fensterelement.h"
#include "importbetrieb.h"
#include "schlagimport.h"
#include "umrissablage.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Gelesen = u"\r\nUmrisse gelesen: 3 (Koordinatensystem: ETRS_1989_UTM_Zone_32N)\r\nDiese Umrisse sind "
                        "fehlerhaft und wurden übersprungen: Parzelle 19 (Ring 1 ist nicht geschlossen)"_s;

class Umrissimport : public ImportBetrieb {
protected:
  void SetUp() override {
    ImportBetrieb::SetUp();
    if (HasFatalFailure()) return;
    datei = Teilflaechen();
    Umrisse();
  }
  // The window reads the table and creates the fields, answering the
  // questions in turn.
  void Importieren(std::initializer_list<bool> antworten) {
    TSchlagimportFenster::TAufruf a;
    a.betrieb = Betrieb;
    a.jahr = Jahr;
    a.ordner = ordner.path();
    TSchlagimportFenster f(db, meldungen, a);
    f.show();
    meldungen.dateien.push_back(datei);
    Fensterhilfe::Element<QPushButton>(&f, u"Shape einlesen"_s)->click();
    for (bool b : antworten) meldungen.antworten.push_back(b);
    Fensterhilfe::Element<QPushButton>(&f, u"Schläge anlegen"_s)->click();
  }
  // Stored areas in m² by parcel.
  std::map<int, double> Flaechen() {
    std::map<int, double> m;
    for (const auto& [p, g] : Karte::Umrisse(db, Betrieb, Jahr)) m[p] = g.umriss.Flaeche();
    return m;
  }
  QString datei;
};

TEST_F(Umrissimport, EinlesenNenntGelesenUndUebersprungen) {
  Schlagimport::TEinlesen e;
  e.betrieb = Betrieb;
  TBlatt b;
  QString meldung;
  ASSERT_TRUE(Schlagimport::Einlesen(db, datei, e, b, meldung));
  EXPECT_EQ(meldung, Schlagimport::Abgeschlossen + Gelesen);
  // 17 is the sub-area 17.1; 17.2, 17.3 and the deleted 20 give none.
  std::map<int, double> flaechen;
  for (const auto& [p, u] : e.umrisse.jeParzelle) flaechen[p] = u.Flaeche();
  EXPECT_EQ(flaechen, (std::map<int, double>{{17, 10000}, {18, 9400}, {21, 7500}}));
  EXPECT_TRUE(e.umrisse.koordinatensystem.startsWith(u"PROJCS[\"ETRS_1989_UTM_Zone_32N\""_s));
}

TEST_F(Umrissimport, AnlegenSpeichertDieUmrisseDerNeuenSchlaege) {
  Importieren({true});
  EXPECT_EQ(meldungen.Infos().value(0), Schlagimport::Abgeschlossen + Gelesen);
  EXPECT_EQ(Wert(u"select count(*) from Schlag where BetriebsNr = 2 and Jahr = 2021"_s).toInt(), 4);
  EXPECT_EQ(Flaechen(), (std::map<int, double>{{17, 10000}, {18, 9400}, {21, 7500}}));
  EXPECT_TRUE(Karte::Umrisse(db, Betrieb, Jahr).at(18).koordinatensystem.contains(u"UTM_Zone_32N"_s));
}

TEST_F(Umrissimport, GeaenderterUmrissNurMitZustimmung) {
  Importieren({true});
  // The same parcels again, 17 moved by a metre: only 17 has changed.
  Umrisse(1);
  struct {
    bool ja;
    double xLinks;
  } const faelle[] = {{false, 702000}, {true, 702001}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.ja);
    meldungen.Leeren();
    Importieren({true, f.ja});
    EXPECT_TRUE(meldungen.protokoll.contains(
        u"Frage: Für schon vorhandene Schläge liegen geänderte Umrisse vor (Parzelle 17). Sollen die gespeicherten "
        "Umrisse ersetzt werden?"_s))
        << meldungen.protokoll.join(u'\n').toStdString();
    EXPECT_EQ(Karte::Umrisse(db, Betrieb, Jahr).at(17).umriss.Grenzen().links, f.xLinks);
    EXPECT_EQ(Flaechen().size(), 3u);
  }
  // Unchanged outlines ask nothing.
  meldungen.Leeren();
  Importieren({true});
  for (const QString& z : meldungen.protokoll) EXPECT_FALSE(z.contains(u"Umrisse ersetzt"_s)) << z.toStdString();
}

}  // namespace
