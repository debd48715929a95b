#pragma once
// Farm 2 with three fields of 2021 for the map: 1 "Nord", arable, complete
// and calculated, with an outline of exactly its 1 ha; 2 "Wiese",
// grassland in the nitrate area, complete, not calculated, whose outline
// (1 ha less a hole of 600 m²) is 0.94 ha against a stated 1.00 ha; 3
// "Senke", arable without soil value (incomplete) and without an outline.

#include "shapeschreiber.h"
#include "testbetrieb.h"
#include "umrissablage.h"

class KartenBetrieb : public TestBetrieb {
protected:
  static constexpr double X0 = 702000, Y0 = 5705000;

  void SetUp() override {
    TestBetrieb::SetUp();
    if (HasFatalFailure()) return;
    using Shapeschreiber::Loch;
    using Shapeschreiber::Rechteck;
    Feld(1, "Nord", 1, 1, 45);
    Feld(2, "Wiese", 2, 2, 45);
    Feld(3, "Senke", 1, 1, 0);
    Einfuegen(QStringLiteral("Anbau"), {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), Jahr},
                                        {QStringLiteral("Parzelle"), 1}, {QStringLiteral("FruchtNr"), 1},
                                        {QStringLiteral("Duengebedarf"), 150}});
    Einfuegen(QStringLiteral("Anbau"), {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), Jahr},
                                        {QStringLiteral("Parzelle"), 2}, {QStringLiteral("FruchtNr"), 1}});
    ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 1, {{Rechteck(X0, Y0, 100, 100)}},
                                       QString::fromLatin1(Shapeschreiber::Utm32)));
    ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 2,
                                       {{Rechteck(X0 + 100, Y0, 100, 100), Loch(X0 + 110, Y0 + 10, 20, 30)}},
                                       QString::fromLatin1(Shapeschreiber::Utm32)));
  }

  void Feld(int parzelle, const char* name, int nutzung, int nitrat, int az) {
    Einfuegen(QStringLiteral("Schlag"),
              {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), Jahr},
               {QStringLiteral("Parzelle"), parzelle}, {QStringLiteral("SchlagNr"), parzelle},
               {QStringLiteral("SchlagName"), QString::fromLatin1(name)},
               {QStringLiteral("Feldblock"), QStringLiteral("DESTLI012345678%1").arg(parzelle)},
               {QStringLiteral("Groesse"), 1.0}, {QStringLiteral("BewirtschaftungsAuflagen"), nitrat},
               {QStringLiteral("Phosphatgebiet"), 1}, {QStringLiteral("NutzungsForm"), nutzung},
               {QStringLiteral("BKR"), 104}, {QStringLiteral("AZ"), az}, {QStringLiteral("BG"), 3},
               {QStringLiteral("SteingehaltKrume"), 1}, {QStringLiteral("Durchwurzelungstiefe"), 90},
               {QStringLiteral("GL_Bodenart"), 2}});
  }
};
