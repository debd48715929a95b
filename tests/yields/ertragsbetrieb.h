#pragma once
// Farm 2 "Hof Linde" with three crops of its own and nothing else chosen:
// "Ackergras" (grassland/field forage, level 80), "Hafer" (arable, level 50)
// and "Zuckerrübe" (level 1, so any yield goes), plus "Blühstreifen" of crop
// group 750, chosen but never listed. Levels are round so the bounds of
// 0.1 and 2.25 times the level can be worked out by hand.

#include "testbetrieb.h"

class ErtragsBetrieb : public TestBetrieb {
protected:
  static QString K(const char* s) { return QString::fromUtf8(s); }

  static constexpr int Ackergras = 999201;
  static constexpr int Hafer = 999101;
  static constexpr int Zuckerruebe = 999102;
  static constexpr int Bluehstreifen = 999750;

  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(K("update S_KulturenNP set Auswahl = 0 where BetriebsNr = 2"));
    Kultur(Ackergras, K("Ackergras"), 2, 80, {{K("TatsErtrag"), 90}, {K("TatsErtrag_23"), 85}});
    Kultur(Hafer, K("Hafer"), 1, 50, {{K("TatsErtrag"), 55}, {K("TatsErtrag_18"), 48}, {K("TatsErtrag_19"), 51}});
    Kultur(Zuckerruebe, K("Zuckerrübe"), 1, 1, {{K("TatsErtrag"), 600}});
    Kultur(Bluehstreifen, K("Blühstreifen"), 1, 10, {{K("FRU_ARTGRNR"), 750}});
  }

  void Kultur(int faNr, const QString& name, int gruppe, int niveau, QVariantMap werte = {}) {
    werte[K("BetriebsNr")] = Betrieb;
    werte[K("FA_NR")] = faNr;
    werte[K("Kultur")] = name;
    werte[K("Kulturgruppe")] = gruppe;
    werte[K("Ertragsniveau")] = niveau;
    if (!werte.contains(K("Auswahl"))) werte[K("Auswahl")] = 1;
    Einfuegen(K("S_KulturenNP"), werte);
  }

  // A stored column of the farm's crop.
  QVariant Gespeichert(int faNr, const QString& spalte) {
    return Wert(K("select %1 from S_KulturenNP where BetriebsNr = 2 and FA_NR = :nr").arg(spalte), {{K("nr"), faNr}});
  }
};

inline void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }
