#include "umrissimport.h"

#include "connection.h"
#include "dbasetabelle.h"
#include "shapedatei.h"
#include "umrissablage.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace Schlagimport {

namespace {

// The whole parcel number of a record; 0 for a sub-area 2 or higher, which
// the import leaves out, and for what is no number.
int Parzelle(const QString& nummer) {
  const qsizetype punkt = nummer.indexOf(u'.');
  if (punkt >= 0 && nummer.mid(punkt + 1, 4).toInt() >= 2) return 0;
  return nummer.left(punkt < 0 ? nummer.size() : punkt).trimmed().toInt();
}

}  // namespace

QString UmrisseLesen(const QString& dbf, TUmrisse& u) {
  u = {};
  const Karte::TShapeDatei shape = Karte::Lesen(dbf);
  const QString nicht = u"\r\nDie Umrisse der Schläge wurden nicht gelesen: "_s;
  if (!shape.gelesen) return nicht + shape.fehler;
  TDBaseTable tabelle;
  if (!tabelle.Oeffnen(dbf)) return nicht + tabelle.Fehler();
  int nummer = -1;
  for (int i = 0; i < tabelle.FeldAnzahl() && i < 50; ++i)
    if (tabelle.Feld(i)->Name().trimmed() == u"NUMMER"_s) nummer = i;
  if (nummer < 0) return nicht + u"die Tabelle hat keine Spalte „NUMMER“."_s;
  if (size_t(tabelle.SatzAnzahl()) != shape.saetze.size())
    return nicht + u"Shape und Tabelle haben verschieden viele Sätze (%1 und %2)."_s.arg(shape.saetze.size())
                       .arg(tabelle.SatzAnzahl());
  QStringList uebersprungen;
  for (int n = 1; n <= tabelle.SatzAnzahl(); ++n) {
    if (!tabelle.SatzLesen(n)) {
      u = {};
      return nicht + tabelle.Fehler();
    }
    if (tabelle.Geloescht()) continue;
    const QString text = tabelle.Feld(nummer)->AlsText().trimmed();
    const int parzelle = Parzelle(text);
    if (parzelle <= 0) continue;
    const Karte::TShapeSatz& satz = shape.saetze[size_t(n - 1)];
    if (satz.umriss)
      u.jeParzelle[parzelle] = *satz.umriss;
    else if (!satz.fehler.isEmpty())
      uebersprungen << u"Parzelle %1 (%2)"_s.arg(text, satz.fehler);
  }
  u.koordinatensystem = shape.koordinatensystem;
  QString text = u"\r\nUmrisse gelesen: %1"_s.arg(u.jeParzelle.size());
  if (!shape.koordinatensystem.isEmpty())
    text += u" (Koordinatensystem: %1)"_s.arg(Karte::SystemName(shape.koordinatensystem));
  if (!uebersprungen.isEmpty())
    text += u"\r\nDiese Umrisse sind fehlerhaft und wurden übersprungen: "_s + uebersprungen.join(u"; "_s);
  return text;
}

QString UmrissFrage(const std::vector<int>& parzellen) {
  QStringList p;
  for (int n : parzellen) p << QString::number(n);
  return u"Für schon vorhandene Schläge liegen geänderte Umrisse vor (Parzelle %1). Sollen die gespeicherten Umrisse "
         "ersetzt werden?"_s.arg(p.join(u", "_s));
}

std::vector<int> GeaenderteUmrisse(TADOModConnection& db, int betrieb, int jahr, const TUmrisse& u) {
  const auto gespeichert = Karte::Umrisse(db, betrieb, jahr);
  std::vector<int> geaendert;
  for (const auto& [parzelle, umriss] : u.jeParzelle) {
    if (!db.Wert(u"select 1 from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
                 {{u"B"_s, betrieb}, {u"J"_s, jahr}, {u"P"_s, parzelle}})
             .isValid())
      continue;
    const auto it = gespeichert.find(parzelle);
    if (it == gespeichert.end() || Karte::Kodieren(it->second.umriss) != Karte::Kodieren(umriss))
      geaendert.push_back(parzelle);
  }
  return geaendert;
}

bool UmrisseSpeichern(TADOModConnection& db, int betrieb, int jahr, const TUmrisse& u, const std::vector<int>& parzellen) {
  TTransaktion tx(db);
  for (int p : parzellen) {
    const auto it = u.jeParzelle.find(p);
    if (it != u.jeParzelle.end() && !Karte::UmrissSpeichern(db, betrieb, jahr, p, it->second, u.koordinatensystem))
      return false;
  }
  return tx.Bestaetigen();
}

}  // namespace Schlagimport
