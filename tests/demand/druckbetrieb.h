#pragma once
// A farm for the printed demand sheets: an address, test crops with round
// phosphate factors, the phosphate worked example on a field, and the
// window's printouts taken as text instead of shown in the preview.

#include "druckhilfe.h"
#include "fensterhilfe.h"

class DruckBetrieb : public FensterBetrieb {
protected:
  // Test crops, so that every phosphate figure can be worked out by hand:
  // product factor, by-product share x by-product factor.
  static constexpr int Weizen = 901101;  // 80 dt; 0.8 and 1.0 x 0.5: removal 80 x 1.3 = 104
  static constexpr int Gerste = 902101;  // 40 dt; 0.9 and 0.5 x 1.0: by-product credit 40 x 0.5 = 20

  void SetUp() override {
    FensterBetrieb::SetUp();
    Sql(QStringLiteral("update Betriebe set Betriebsname = ' Hof Linde ', SitzStrasse = 'Lindenweg 3 ', "
                       "SitzPLZ = '06108', SitzOrt = 'Halle', SitzOrtsTeil = ' Giebichenstein', Bundesland = 15 "
                       "where ID = 2"));
    Frucht(Weizen, "Testweizen", 100, 80, 0.8, 1.0, 0.5);
    Frucht(Gerste, "Testgerste", 100, 40, 0.9, 0.5, 1.0);
  }
  void Frucht(int faNr, const char* name, int gruppe, double ertrag, double hp, double verh, double np) {
    TestBetrieb::Einfuegen(QStringLiteral("S_KulturenNP"),
                           {{"BetriebsNr", Betrieb}, {"FA_NR", faNr}, {"Kultur", QString::fromUtf8(name)},
                            {"FRU_ARTGRNR", gruppe}, {"Kulturgruppe", faNr / 100 % 10}, {"TatsErtrag", ertrag},
                            {"TatsErtragRG", ertrag - 8}, {"Ertragsniveau", ertrag}, {"P2O5_HP", hp},
                            {"NP_HP_Verh", verh}, {"P2O5_NP", np}, {"Auswahl", 1}});
  }
  // A complete field with its main-crop row and the worked example's
  // phosphate inputs (CAL, P 2 mg: class A; barley before wheat); returns the field's ID.
  qint64 Beispielfeld(int parzelle, const QVariantMap& mehr = {}, int jahr = Jahr) {
    QVariantMap s = {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5},  {"Phosphatgebiet", 1},
                     {"NutzungsForm", 1},                 {"BKR", 107},     {"SchlagName", "Am Bach"},
                     {"HauptfruchtNummer", Weizen},       {"Kultur", "Testweizen"},
                     {"P_Methode", 1},                    {"P_Gehalt", 2.0}, {"P2O5_Gehalt", 4.5828},
                     {"P_GehaltsKlasse", "A"},            {"P_AnalyseDatum", "2019-03-01"},
                     {"P_BerechnungsDatum", "2021-03-15"}, {"Vorfrucht", Gerste},
                     {"VF_Name", "Testgerste"},           {"VFEinzelertrag", 40},
                     {"HFEinzelertrag", 80},              {"HF_Name", "Testweizen"}};
    for (auto it = mehr.begin(); it != mehr.end(); ++it) s[it.key()] = it.value();
    Schlag(parzelle, s, jahr);
    Kultur(parzelle, Weizen, {{"Kultur", "Testweizen"}, {"Vorfrucht", Gerste}, {"VorfruchtText", "Testgerste"}},
           jahr);
    return Wert(QStringLiteral("select ID from Schlag where Parzelle = :p and Jahr = :j"),
                {{QStringLiteral("p"), parzelle}, {QStringLiteral("j"), jahr}})
        .toLongLong();
  }
  // The window; its printouts are read back into `gedruckt` (one entry per page).
  TDuengebedarfsfenster& DruckFenster() {
    TDuengebedarfsfenster& f = Fenster();
    f.setDruckvorschau([this](TPDFDruckausgabe& d) {
      ++vorschauen;
      gedruckt = Druckhilfe::Seiten(d);
    });
    return f;
  }

  int vorschauen = 0;
  QStringList gedruckt;
};
