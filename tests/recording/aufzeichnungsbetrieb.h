#pragma once
// Farm 2 "Hof Linde" with fields, crop rows and chosen master items, as the
// recording tests need them. Master values are set to round figures so that
// every load can be worked out by hand.

#include "testbetrieb.h"

#include <QVariantMap>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '[';
  for (const QString& s : l) *os << "\n  \"" << s.toStdString() << '"';
  *os << " ]";
}

class AufzeichnungsBetrieb : public TestBetrieb {
protected:
  static QString K(const char* s) { return QString::fromUtf8(s); }

  void JahrAnlegen(int jahr, double betriebsgroesse = 0, double flaeche170kg = 0) {
    Sql(K("insert into DuengeJahr ( BetriebsNr, Duengejahr, Betriebsgroesse, Flaeche170kg ) values ( :b, :j, :g, :f )"),
        {{K("b"), Betrieb}, {K("j"), jahr}, {K("g"), betriebsgroesse}, {K("f"), flaeche170kg}});
  }
  void Flaechen(double betriebsgroesse, double flaeche170kg, int jahr = Jahr) {
    Sql(K("update DuengeJahr set Betriebsgroesse = :g, Flaeche170kg = :f where BetriebsNr = :b and Duengejahr = :j"),
        {{K("g"), betriebsgroesse}, {K("f"), flaeche170kg}, {K("b"), Betrieb}, {K("j"), jahr}});
  }
  // A field; BewirtschaftungsAuflagen 2 is the nitrate area.
  void Feld(int parzelle, double groesse, int auflagen = 1, int jahr = Jahr, const QString& name = QString()) {
    Einfuegen(K("Schlag"), {{K("BetriebsNr"), Betrieb},
                            {K("Jahr"), jahr},
                            {K("Parzelle"), parzelle},
                            {K("SchlagNr"), QString::number(parzelle)},
                            {K("SchlagName"), name.isEmpty() ? K("Schlag %1").arg(parzelle) : name},
                            {K("Groesse"), groesse},
                            {K("BewirtschaftungsAuflagen"), auflagen}});
  }
  // A crop row of the field; the field's Kultur_ID follows its last crop row,
  // as the demand window keeps it. Returns the row's ID.
  qint64 Kultur(int parzelle, int hauptfrucht, const QString& name, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = {{K("BetriebsNr"), Betrieb}, {K("Jahr"), jahr},     {K("Parzelle"), parzelle},
                     {K("FruchtNr"), 1},         {K("HauptfruchtNummer"), hauptfrucht}, {K("Kultur"), name}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    const qint64 id = Einfuegen(K("Anbau"), w);
    Sql(K("update Schlag set Kultur_ID = :id, Kultur = :k where BetriebsNr = :b and Jahr = :j and Parzelle = :p"),
        {{K("id"), id}, {K("k"), name}, {K("b"), Betrieb}, {K("j"), jahr}, {K("p"), parzelle}});
    return id;
  }
  // A master item of the farm, chosen in its preselection, with these values.
  void Stamm(const QString& tabelle, const QString& schluessel, qint64 nummer, const QVariantMap& werte) {
    QStringList s = {K("Auswahl = 1")};
    TParameter p = {{K("nr"), nummer}, {K("b"), Betrieb}};
    for (auto it = werte.begin(); it != werte.end(); ++it) {
      s << it.key() + K(" = :") + it.key();
      p.emplace_back(it.key(), it.value());
    }
    Sql(K("update %1 set %2 where %3 = :nr and BetriebsNr = :b").arg(tabelle, s.join(K(", ")), schluessel), p);
  }
  // An own other substance (none are shipped).
  void Stoff(qint64 nummer, const QString& name, int gruppe, double n, double nh4, double p) {
    Einfuegen(K("S_AndereStoffe"), {{K("BetriebsNr"), Betrieb}, {K("StoffNr"), nummer}, {K("Stoff"), name},
                                    {K("StoffGruppeNr"), gruppe}, {K("N"), n}, {K("NH4"), nh4}, {K("P"), p},
                                    {K("P2O5"), p * 2.2914}, {K("Herkunft_Nr"), 2}});
  }

  // "KAS 27": 27 % N, no P.
  static constexpr int Kas = 28;
  // Cattle slurry (Gülle), type-and-procedure 1.
  static constexpr int Guelle = 29;
  // Pig manure (Stallmist), type-and-procedure 5.
  static constexpr int Mist = 15;
  // Young cattle on pasture.
  static constexpr int Jungrind = 2;
};
