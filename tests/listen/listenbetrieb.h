#pragma once
// Farm 2 "Hof Linde" with an address, fields and crop rows, as the list
// tests need them; the lists are written into the test's folder.

#include "tabellenleser.h"
#include "testbetrieb.h"

#include <QVariantMap>

class ListenBetrieb : public TestBetrieb {
protected:
  static QString K(const char* s) { return QString::fromUtf8(s); }

  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(K("update Betriebe set SitzStrasse = 'Dorfstraße 3', SitzPLZ = '06108', SitzOrt = 'Halle', "
          "SitzOrtsTeil = 'Giebichenstein' where ID = 2"));
  }

  // A field of the farm year; the given columns replace the defaults.
  void Schlag(int parzelle, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = {{K("SchlagNr"), parzelle * 10},        {K("SchlagName"), K("Schlag %1").arg(parzelle)},
                     {K("Groesse"), 2.5},                   {K("Durchwurzelungstiefe"), 90},
                     {K("SteingehaltKrume"), 1},            {K("BKR"), 200},
                     {K("BG"), 3},                          {K("AZ"), 60},
                     {K("BewirtschaftungsAuflagen"), 1},    {K("Zwischenfrucht"), 14}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    w[K("BetriebsNr")] = Betrieb;
    w[K("Jahr")] = jahr;
    w[K("Parzelle")] = parzelle;
    Einfuegen(K("Schlag"), w);
  }
  // A crop row (main crop unless FruchtNr is given), complete for the
  // nitrogen rules unless the columns say otherwise; returns its ID.
  qint64 Kultur(int parzelle, int hauptfrucht, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = {{K("FruchtNr"), 1},       {K("HauptfruchtNummer"), hauptfrucht},
                     {K("Zwischenfrucht"), 14}, {K("Quelle_0_30"), 1},
                     {K("Quelle_60_90"), 1},    {K("Nmin_0_30"), 0},
                     {K("Nmin_30_60"), 0},      {K("Nmin_60_90"), 0},
                     {K("BerechnungsDatum"), K("2021-03-01")}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    w[K("BetriebsNr")] = Betrieb;
    w[K("Jahr")] = jahr;
    w[K("Parzelle")] = parzelle;
    return Einfuegen(K("Anbau"), w);
  }
  // Changes the farm's copy of a crop's master values.
  void Stamm(int faNr, const QVariantMap& werte) {
    QStringList s;
    TParameter p{{K("fa"), faNr}, {K("b"), Betrieb}};
    for (auto it = werte.begin(); it != werte.end(); ++it) {
      s << it.key() + K(" = :") + it.key();
      p.emplace_back(it.key(), it.value());
    }
    Sql(K("update S_KulturenNP set %1 where FA_NR = :fa and BetriebsNr = :b").arg(s.join(K(", "))), p);
  }
  QVariant Von(const QString& tabelle, qint64 id, const QString& spalte) {
    return Wert(K("select %1 from %2 where ID = :id").arg(spalte, tabelle), {{K("id"), id}});
  }
  // The save dialog will answer with this file of the test's folder.
  QString Ziel(const QString& name) {
    const QString datei = ordner.filePath(name);
    meldungen.dateien.push_back(datei);
    return datei;
  }
  // The head every list has: farm, address, year; the date under "Datum" in the column.
  void KopfPruefen(const TTabelle& t, const QString& datumsspalte) {
    EXPECT_EQ(t(K("A"), 1), K("Hof Linde"));
    EXPECT_EQ(t(K("A"), 2), K("Dorfstraße 3"));
    EXPECT_EQ(t(K("A"), 3), K("06108 Halle Ortsteil Giebichenstein"));
    EXPECT_EQ(t(K("A"), 6), K("Jahr 2021"));
    EXPECT_EQ(t(datumsspalte, 1), K("Datum"));
    EXPECT_EQ(t(datumsspalte, 2), QDate::currentDate().toString(K("dd.MM.yyyy")));
  }
  static QString Fertig() {
    return QStringLiteral("Fertig. Ist die Liste in einer Tabellenkalkulation geöffnet, schließen Sie sie dort bitte, "
                          "bevor Sie sie neu erstellen.");
  }
};
