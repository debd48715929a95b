#pragma once
// A farm year with fields and crop rows, and the runs of the nitrogen
// demand as the demand window makes them.

#include "befehle.h"
#include "testbetrieb.h"

#include <QVariantMap>

class StickstoffBetrieb : public TestBetrieb {
protected:
  // A field of the farm year; the given columns replace the defaults.
  void Schlag(int parzelle, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = {{QStringLiteral("Durchwurzelungstiefe"), 90}, {QStringLiteral("SteingehaltKrume"), 1},
                     {QStringLiteral("BKR"), 200},                 {QStringLiteral("BG"), 3},
                     {QStringLiteral("AZ"), 60},                   {QStringLiteral("BewirtschaftungsAuflagen"), 1},
                     {QStringLiteral("Zwischenfrucht"), 14}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    Einfuegen(QStringLiteral("Schlag"), w, parzelle, jahr);
  }
  // A crop row (main crop unless FruchtNr is given); returns its ID.
  qint64 Kultur(int parzelle, int hauptfrucht, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = {{QStringLiteral("FruchtNr"), 1},      {QStringLiteral("HauptfruchtNummer"), hauptfrucht},
                     {QStringLiteral("Zwischenfrucht"), 14}, {QStringLiteral("Quelle_0_30"), 1},
                     {QStringLiteral("Quelle_60_90"), 1},    {QStringLiteral("Nmin_0_30"), 0},
                     {QStringLiteral("Nmin_30_60"), 0},      {QStringLiteral("Nmin_60_90"), 0},
                     {QStringLiteral("BerechnungsDatum"), QStringLiteral("2021-03-01")}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    Einfuegen(QStringLiteral("Anbau"), w, parzelle, jahr);
    return Wert(QStringLiteral("select max(ID) from Anbau")).toLongLong();
  }
  // Changes the farm's copy of a crop's master values.
  void Stamm(int faNr, const QVariantMap& werte) {
    QStringList s;
    TParameter p{{QStringLiteral("fa"), faNr}, {QStringLiteral("b"), Betrieb}};
    for (auto it = werte.begin(); it != werte.end(); ++it) {
      s << it.key() + QStringLiteral(" = :") + it.key();
      p.emplace_back(it.key(), it.value());
    }
    Sql(QStringLiteral("update S_KulturenNP set %1 where FA_NR = :fa and BetriebsNr = :b").arg(s.join(QStringLiteral(", "))), p);
  }
  // "Berechnen" of one crop row: group 20, then 50, 35 and 25.
  void Berechnen(qint64 id) {
    Befehle::GruppeFuerDatensatz(db, id, 20);
    Befehle::GruppenFuerDatensatz(db, id, {50, 35, 25});
  }
  // The per-year run before printing: 20, 50, 35, 25.
  void JahrBerechnen(int jahr = Jahr) { Befehle::GruppenFuerJahr(db, jahr, Betrieb, {20, 50, 35, 25}); }
  QVariant Von(qint64 id, const QString& spalte) {
    return Wert(QStringLiteral("select %1 from Anbau where ID = :id").arg(spalte), {{QStringLiteral("id"), id}});
  }
  void JahrAnlegen(int jahr) {
    Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( :b, :j )"),
        {{QStringLiteral("b"), Betrieb}, {QStringLiteral("j"), jahr}});
  }

private:
  void Einfuegen(const QString& tabelle, QVariantMap w, int parzelle, int jahr) {
    w[QStringLiteral("BetriebsNr")] = Betrieb;
    w[QStringLiteral("Jahr")] = jahr;
    w[QStringLiteral("Parzelle")] = parzelle;
    TestBetrieb::Einfuegen(tabelle, w);
  }
};
