#include "flaechentausch.h"

#include "connection.h"
#include "dataset.h"
#include "meldungen.h"

#include <QDate>

#include <functional>
#include <map>

namespace Flaechentausch {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

// The order of a column title, names in German order.
const std::map<QString, QString>& BetriebeOrdnungen() {
  static const std::map<QString, QString> o = {
      {K("Betriebsname"), K("Betriebsname collate Deutsch, SitzOrt collate Deutsch, SitzOrtsTeil collate Deutsch")},
      {K("SitzOrt"), K("SitzOrt collate Deutsch, SitzOrtsTeil collate Deutsch, Betriebsname collate Deutsch")},
      {K("SitzOrtsTeil"), K("SitzOrtsTeil collate Deutsch, SitzOrt collate Deutsch, Betriebsname collate Deutsch")},
  };
  return o;
}

const std::map<QString, QString>& SchlaegeOrdnungen() {
  static const std::map<QString, QString> o = {
      {K("SchlagNr"), K("SchlagNr, Feldblock, Parzelle, ID")},
      {K("SchlagName"), K("SchlagName collate Deutsch, SchlagNr, Feldblock, Parzelle, ID")},
      {K("Feldblock"), K("Feldblock, Parzelle, SchlagNr, ID")},
      {K("Parzelle"), K("Parzelle, SchlagNr, Feldblock, ID")},
      {K("Groesse"), K("Groesse, SchlagNr, Feldblock, Parzelle, ID")},
      {K("Kultur"), K("Kultur collate Deutsch, BG, BKR, SchlagNr, Feldblock, Parzelle, ID")},
  };
  return o;
}

QString Geordnet(const QString& abfrage, const std::map<QString, QString>& ordnungen, const QString& spalte) {
  const auto i = ordnungen.find(spalte);
  return i == ordnungen.end() ? abfrage : abfrage + K(" order by ") + i->second;
}

// The first row whose column matches the rule; -1 for none.
int Erste(const TADODataSetMod& liste, int feld, const std::function<bool(const QString&)>& passt) {
  for (int i = 0; i < liste.Anzahl(); ++i)
    if (passt(liste.Wert(i, feld).toString())) return i;
  return -1;
}

// The four rules of the searches on one column, in their order.
int NachNamen(const TADODataSetMod& liste, const QString& spalte, const QString& text) {
  const int feld = liste.FeldIndex(spalte);
  if (feld < 0) return -1;
  const std::function<bool(const QString&)> regeln[] = {
      [&](const QString& n) { return n == text; },
      [&](const QString& n) { return n.compare(text, Qt::CaseInsensitive) == 0; },
      [&](const QString& n) { return n.startsWith(text, Qt::CaseInsensitive); },
      [&](const QString& n) { return n.contains(text, Qt::CaseInsensitive); },
  };
  for (const auto& passt : regeln)
    if (const int i = Erste(liste, feld, passt); i >= 0) return i;
  return -1;
}

QString Datum(const QVariant& v) {
  const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
  return d.isValid() ? K("vom ") + d.toString(K("dd.MM.yyyy")) : K("ohne Datum");
}

// Own crops of the giving farm that the taking farm lacks, as crop or previous crop.
const char* const FremdeKulturen =
    "select distinct 'Kultur', a.Kultur, a.HauptfruchtNummer, null from Anbau a inner join Schlag s on "
    "s.BetriebsNr = a.BetriebsNr and s.Jahr = a.Jahr and s.Parzelle = a.Parzelle "
    "where s.ID = :id and a.FruchtNr >= 1 and a.HauptfruchtNummer >= 999000 and not exists ( "
    "select 1 from S_KulturenNP k where k.BetriebsNr = :z and k.FA_NR = a.HauptfruchtNummer ) "
    "union all "
    "select distinct 'Vorfrucht', a.VorfruchtText, a.Vorfrucht, null from Anbau a inner join Schlag s on "
    "s.BetriebsNr = a.BetriebsNr and s.Jahr = a.Jahr and s.Parzelle = a.Parzelle "
    "where s.ID = :id and a.Vorfrucht >= 999000 and not exists ( "
    "select 1 from S_KulturenNP k where k.BetriebsNr = :z and k.FA_NR = a.Vorfrucht ) "
    "union all "
    // Own fertilisers are numbered by their own row: the number means nothing in another farm.
    "select 'Düngung', d.Dng, d.DngNummer, d.Datum from Dung d inner join Anbau a on a.ID = d.ProbenID "
    "inner join Schlag s on s.BetriebsNr = a.BetriebsNr and s.Jahr = a.Jahr and s.Parzelle = a.Parzelle "
    "where s.ID = :id and ( ( d.Kategorie in ( 1, 2 ) and d.DngNummer >= 999000 ) or d.Kategorie = 5 "
    "or ( d.Kategorie = 1 and exists ( select 1 from S_MinDung m where m.BetriebsNr = s.BetriebsNr and "
    "m.DuengeMittelNr = d.DngNummer and ( m.IstEigen = 1 or m.DuengerGruppeNr = 999 ) ) ) "
    "or ( d.Kategorie = 2 and exists ( select 1 from S_OrgDung o where o.BetriebsNr = s.BetriebsNr and "
    "o.OrgDngNummer = d.DngNummer and o.IstEigen = 1 ) ) ) ";

}  // namespace

const QString Frage = K("Fläche wirklich umsetzen?");
const QString ParzellenFrage = K("Welche Parzellennummer soll die Fläche neu erhalten?");
const QString ParzelleVergeben = K("Diese Parzellennummer ist schon vergeben, bitte eine andere wählen. ");
const QString NichtUmgesetzt =
    K("Fläche konnte nicht umgesetzt werden, möglicherweise im Zielbetrieb schon vorhanden");

QString BetriebeAbfrage(qint64 zielBetrieb, const QString& spalte) {
  return Geordnet(K("select * from Betriebe where ID > 1 and ID <> %1").arg(zielBetrieb), BetriebeOrdnungen(), spalte);
}

QString SchlaegeAbfrage(const QString& spalte) {
  return Geordnet(K("select * from Schlag where Jahr = :J and BetriebsNr = :BNr"), SchlaegeOrdnungen(), spalte);
}

bool BetriebeSortierbar(const QString& spalte) { return BetriebeOrdnungen().count(spalte) > 0; }
bool SchlaegeSortierbar(const QString& spalte) { return SchlaegeOrdnungen().count(spalte) > 0; }

bool BetriebSuchen(TADODataSetMod& liste, const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return true;
  const int i = NachNamen(liste, K("Betriebsname"), t);
  return i >= 0 && liste.Gehe(i);
}

TSuche SchlagSuchen(TADODataSetMod& liste, const QString& text) {
  if (text.trimmed().isEmpty()) return TSuche::Gefunden;
  if (text.front().isDigit() && text.front().unicode() < 128) {
    bool zahl = false;
    const qlonglong nummer = text.trimmed().toLongLong(&zahl);
    // "12a" is no field number: nothing to find, as for a number that is not there.
    if (!zahl) return TSuche::KeineNummer;
    const int feld = liste.FeldIndex(K("SchlagNr"));
    for (int i = 0; feld >= 0 && i < liste.Anzahl(); ++i) {
      const QVariant v = liste.Wert(i, feld);
      if (!v.isNull() && v.toLongLong() == nummer) return liste.Gehe(i) ? TSuche::Gefunden : TSuche::KeineNummer;
    }
    return TSuche::KeineNummer;
  }
  const QString t = text.trimmed();
  for (const char* spalte : {"SchlagName", "Kultur"})
    if (const int i = NachNamen(liste, K(spalte), t); i >= 0) return liste.Gehe(i) ? TSuche::Gefunden : TSuche::NichtGefunden;
  return TSuche::NichtGefunden;
}

bool ParzelleBelegt(TADOModConnection& db, int jahr, qint64 zielBetrieb, int parzelle) {
  return db.Existiert(K("Schlag"), QString(),
                      K("Jahr = %1 and BetriebsNr = %2 and Parzelle = %3").arg(jahr).arg(zielBetrieb).arg(parzelle));
}

QStringList FremdeEintraege(TADOModConnection& db, qint64 schlagId, qint64 zielBetrieb) {
  QStringList liste;
  TAbfrage q(db, K(FremdeKulturen), {{K("id"), schlagId}, {K("z"), zielBetrieb}});
  while (q.Naechste()) {
    const QString art = q.Wert(0).toString();
    const QString name = q.Wert(1).toString().trimmed();
    const QString nummer = QString::number(q.Wert(2).toLongLong());
    if (art == K("Düngung"))
      liste << K("Düngung %1 mit „%2“ (Nr. %3)").arg(Datum(q.Wert(3)), name, nummer);
    else
      liste << K("%1 „%2“ (Nr. %3)").arg(art, name, nummer);
  }
  return liste;
}

QString FremdeWarnung(const QStringList& eintraege) {
  if (eintraege.isEmpty()) return {};
  return K("Die Fläche nennt eigene Kulturen oder Dünger des abgebenden Betriebs, die der aufnehmende Betrieb "
           "nicht in seinen Listen hat:\r\n") +
         eintraege.join(K("\r\n")) +
         K("\r\nDie Einträge behalten ihre Nummern. Bitte legen Sie die Kulturen und Dünger nach dem Umsetzen im "
           "aufnehmenden Betrieb in der Vorauswahl an und prüfen Sie die Aufzeichnungen.");
}

bool Umsetzen(TADOModConnection& db, qint64 schlagId, qint64 zielBetrieb, int parzelle) {
  if (schlagId <= 0 || zielBetrieb <= 1 || parzelle <= 0) return false;
  TTransaktion t(db);
  // The field keeps its year; the cascading keys move its crop rows and records.
  if (!db.Ausfuehren(K("update Schlag set BetriebsNr = :z, Parzelle = :p where ID = :id"),
                     {{K("z"), zielBetrieb}, {K("p"), parzelle}, {K("id"), schlagId}}) ||
      db.GeaenderteZeilen() != 1)
    return false;
  return t.Bestaetigen();
}

bool FlaecheUmsetzen(TADOModConnection& db, TMeldungen& meldungen, qint64 schlagId, int jahr, qint64 zielBetrieb) {
  if (schlagId > 0) {
    const QString warnung = FremdeWarnung(FremdeEintraege(db, schlagId, zielBetrieb));
    if (!warnung.isEmpty()) meldungen.Info(warnung);
  }
  if (!meldungen.Frage(Frage)) return false;
  const int parzelle = meldungen.Ganzzahleingabe(ParzellenFrage);
  if (ParzelleBelegt(db, jahr, zielBetrieb, parzelle)) {
    meldungen.Info(ParzelleVergeben);
    return false;
  }
  if (parzelle <= 0) return false;
  if (!Umsetzen(db, schlagId, zielBetrieb, parzelle)) {
    meldungen.Info(NichtUmgesetzt);
    return false;
  }
  return true;
}

}  // namespace Flaechentausch
