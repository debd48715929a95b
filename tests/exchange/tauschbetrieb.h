#pragma once
// Farm 2 "Hof Linde" takes fields; farms 3 to 5 can give them. Farm 3 "Gut
// Birke" has four fields in 2021, one of them with a catch crop, a main crop
// and two application records. Names and places are chosen so that every
// sort order differs and umlauts sort with their base letters.

#include "stammdaten.h"
#include "testbetrieb.h"

#include <QVariantMap>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class TauschBetrieb : public TestBetrieb {
protected:
  static QString K(const char* s) { return QString::fromUtf8(s); }
  static constexpr int Geber = 3;

  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(K("insert into Betriebe ( ID, Betriebsname, SitzOrt, SitzOrtsTeil ) values "
          "( 3, 'Gut Birke', 'Aschersleben', 'Zentrum' ), ( 4, 'Agrar Öko', 'Zerbst', 'Bias' ), "
          "( 5, 'Ährenhof', 'Aschersleben', 'Ägypten' )"));
    for (int b : {3, 4, 5}) Stammdaten::StammdatenAbgleich(db, b);
    // Farm 4 has no year: a field cannot go there.
    Sql(K("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 3, 2021 ), ( 5, 2021 ), ( 3, 2020 )"));
  }

  qint64 Feld(int betrieb, int parzelle, const QVariantMap& werte, int jahr = Jahr) {
    QVariantMap w = {{K("BetriebsNr"), betrieb}, {K("Jahr"), jahr}, {K("Parzelle"), parzelle}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    return Einfuegen(K("Schlag"), w);
  }
  qint64 Kultur(int betrieb, int parzelle, const QVariantMap& werte) {
    QVariantMap w = {{K("BetriebsNr"), betrieb}, {K("Jahr"), Jahr}, {K("Parzelle"), parzelle}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    return Einfuegen(K("Anbau"), w);
  }
  qint64 Dung(int betrieb, int parzelle, qint64 kultur, const QVariantMap& werte) {
    QVariantMap w = {{K("BetriebsNr"), betrieb}, {K("Jahr"), Jahr}, {K("Parzelle"), parzelle},
                     {K("ProbenID"), kultur}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    return Einfuegen(K("Dung"), w);
  }

  // Farm 3's fields of 2021 (parcel: number, name, block, size, crop, soil group):
  //   5: 12 "Nord" DESTLI0000000005 4.5 Winterweizen 3 — with two crop rows and two records
  //   6: 3 "Ödland" DESTLI0000000002 10 Mais 2
  //   7: 7 "Anger" DESTLI0000000009 1.25 Winterweizen 1
  //   8: 3 "Zipfel" DESTLI0000000001 2 "" 0
  // and parcel 5 of 2020, which must never show.
  void FelderAnlegen() {
    nord = Feld(3, 5, {{K("SchlagNr"), 12}, {K("SchlagName"), K("Nord")}, {K("Feldblock"), K("DESTLI0000000005")},
                       {K("Groesse"), 4.5}, {K("Kultur"), K("Winterweizen")}, {K("BG"), 3}});
    Feld(3, 6, {{K("SchlagNr"), 3}, {K("SchlagName"), K("Ödland")}, {K("Feldblock"), K("DESTLI0000000002")},
                {K("Groesse"), 10}, {K("Kultur"), K("Mais")}, {K("BG"), 2}});
    Feld(3, 7, {{K("SchlagNr"), 7}, {K("SchlagName"), K("Anger")}, {K("Feldblock"), K("DESTLI0000000009")},
                {K("Groesse"), 1.25}, {K("Kultur"), K("Winterweizen")}, {K("BG"), 1}});
    Feld(3, 8, {{K("SchlagNr"), 3}, {K("SchlagName"), K("Zipfel")}, {K("Feldblock"), K("DESTLI0000000001")},
                {K("Groesse"), 2}, {K("Kultur"), K("")}, {K("BG"), 0}});
    Feld(3, 5, {{K("SchlagNr"), 99}, {K("SchlagName"), K("Vorjahr")}}, 2020);
    zwischenfrucht = Kultur(3, 5, {{K("FruchtNr"), 0}, {K("HauptfruchtNummer"), 6}, {K("Kultur"), K("Senf")}});
    weizen = Kultur(3, 5, {{K("FruchtNr"), 1}, {K("HauptfruchtNummer"), 115101}, {K("Kultur"), K("Winterweizen")},
                           {K("Duengebedarf"), 160}});
    kas = Dung(3, 5, weizen, {{K("Kategorie"), 1}, {K("DngNummer"), 28}, {K("Dng"), K("KAS 27")},
                              {K("Datum"), K("2021-03-15")}, {K("Menge"), 3}});
    legum = Dung(3, 5, zwischenfrucht, {{K("Kategorie"), 3}, {K("DngNummer"), 9}, {K("Dng"), K("Senf")}});
  }

  qint64 nord = 0, zwischenfrucht = 0, weizen = 0, kas = 0, legum = 0;
};
