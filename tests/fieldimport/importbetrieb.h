#pragma once
// Farm 2 with three test crops whose usage codes the parcel table names,
// and a prepared pair of attribute tables of the area application.

#include "dbfschreiber.h"
#include "shapeschreiber.h"
#include "testbetrieb.h"

#include <QDir>

class ImportBetrieb : public TestBetrieb {
protected:
  void SetUp() override {
    TestBetrieb::SetUp();
    if (HasFatalFailure()) return;
    // Round test values: the nitrate-area yield is 5 below the mean yield.
    KulturAnlegen(77101, "Testweizen", 80, 75, 0);
    KulturAnlegen(77102, "Testweizen Brot", 85, 78, 0);
    KulturAnlegen(77201, "Testklee", 90, 60, 1);
    // Usage code 9901 names the variant 77102, 9902 the clover, 9904 a crop
    // the farm does not have; 9903 names none.
    NutzungAnlegen(9901, 77102);
    NutzungAnlegen(9902, 77201);
    NutzungAnlegen(9904, 77301);
  }
  void KulturAnlegen(int faNr, const char* name, int niveau, int ertrag, int legum) {
    Einfuegen(QStringLiteral("S_KulturenNP"),
              {{"BetriebsNr", Betrieb}, {"FA_NR", faNr}, {"Kultur", QString::fromUtf8(name)}, {"FRU_ARTGRNR", 100},
               {"Kulturgruppe", faNr / 100 % 10}, {"Ertragsniveau", niveau}, {"TatsErtrag", ertrag},
               {"TatsErtragRG", ertrag - 5}, {"Stickstoffbedarfswert", 230}, {"IsLegum", legum},
               {"N_Bindung_ha", legum ? 200 : 0}, {"N_Bindung_ha_gr10P", legum ? 300 : 0}, {"Auswahl", 0}});
  }
  void NutzungAnlegen(int code, int faNr) {
    Einfuegen(QStringLiteral("DBA_Daten"), {{"NU_Code_VL", code}, {"FA_NR_STAMM", faNr}, {"FRUCHTART", "Test"}});
  }
  QString Pfad(const QString& name) const { return QDir(ordner.path()).filePath(name); }

  // The parcel table: 17.1 with its sub-areas 17.2 and 17.3, 18, 19, a
  // deleted 20 and 21.
  QString Teilflaechen(const QString& name = QStringLiteral("2021_teilflaechen.dbf")) {
    const QString datei = Pfad(name);
    DbfSchreiben(datei, "LDID/87",
                 {{"NUMMER", 'C', 10}, {"CONSTANT", 'C', 6}, {"FLIK_FLEK", 'C', 10}, {"FLAECHE", 'N', 10, 4},
                  {"CODE_BEZ", 'C', 40}, {"CODE", 'N', 5}, {"BTNR", 'C', 15}, {"ANTRAGSJAH", 'N', 4}},
                 {{"17.1", "DESTLI", "0123456789", "2.5000", "Winterweizen", "9901", "276150000001", "2021"},
                  {"17.2", "DESTLI", "0123456789", "0.5000", "Winterweizen", "9901", "276150000001", "2021"},
                  {"17.3", "DESTLI", "0123456789", "0.2500", "Winterweizen", "9901", "276150000001", "2021"},
                  {"18", "DESTLI", "0123456790", "1.2500", "Kleegras", "9902", "276150000001", "2021"},
                  {"19", "DESTLI", "0123456791", "3.0000", "Unbekannt", "9903", "276150000001", "2021"},
                  {"20", "DESTLI", "0123456792", "4.0000", "Gelöscht", "9901", "276150000001", "2021"},
                  {"21", "DESTLI", "0123456793", "0.7500", "Fremdkultur", "9904", "276150000001", "2021"}},
                 {6});
    return datei;
  }
  // The outlines beside the parcel table, record for record: 17.1 a square
  // of 100 m (1 ha), its sub-areas, 18 with a hole of 20 × 30 m (0.94 ha),
  // 19 a ring that is not closed, the deleted 20, 21 in two parts
  // (0.5 + 0.25 ha). `verschoben` moves 17 by a metre.
  void Umrisse(double verschoben = 0) {
    using namespace Shapeschreiber;
    constexpr double x = 702000, y = 5705000;
    const Karte::TUmriss offen{{{{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}}}};
    Schreiben(Pfad(QStringLiteral("2021_teilflaechen")),
              {{{Rechteck(x + verschoben, y, 100, 100)}},
               {{Rechteck(x, y + 200, 10, 10)}},
               {{Rechteck(x, y + 300, 10, 10)}},
               {{Rechteck(x + 200, y, 100, 100), Loch(x + 210, y + 10, 20, 30)}},
               offen,
               {{Rechteck(x, y + 400, 10, 10)}},
               {{Rechteck(x + 400, y, 100, 50), Rechteck(x + 600, y, 50, 50)}}},
              Utm32);
  }
  void Parzellen(const QString& name = QStringLiteral("2021_parzellen.dbf")) {
    DbfSchreiben(Pfad(name), "LDID/87", {{"NUMMER", 'N', 6}, {"NAME", 'C', 30}},
                 {{"17", "Am Weg"}, {"18", "Gro\xDF" "e Breite"}, {"99", "Fremd"}});
  }
};
