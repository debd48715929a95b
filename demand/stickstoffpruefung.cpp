#include "stickstoffpruefung.h"

#include "connection.h"
#include "schlagdaten.h"

#include <QDate>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Stickstoffpruefung {

THindernis Hindernis(const TBerechnenWerte& w) {
  if (w.schlagUnvollstaendig) return THindernis::SchlagUnvollstaendig;
  if (w.hauptfruchtNummer == 0 || (w.isEinzelErtrag && w.einzelertrag <= 0)) return THindernis::KulturUnvollstaendig;
  if (w.keineDuengung) return THindernis::KeineDuengung;
  if (w.ertragsniveau == 1) return THindernis::OhneErtragsniveau;
  if (!(w.nmin > 0) && w.kulturGruppe != 2 && w.probenahmetiefe != 0) return THindernis::NminFehlt;
  return THindernis::Keines;
}

THindernis VorDemBerechnen(TADOModConnection& db, qint64 anbauId) {
  TAbfrage a(db,
             u"select BetriebsNr, Jahr, Parzelle, HauptfruchtNummer, IsEinzelErtrag, Einzelertrag, KeineDuengung, "
             "Ertragsniveau, Nmin, KulturGruppe, Probenahmetiefe from Anbau where ID = :id"_s,
             {{u"id"_s, anbauId}});
  if (!a.Naechste()) return THindernis::Keines;
  const auto schlag = Schlagdaten::Werte(db, a.Wert(0).toInt(), a.Wert(1).toInt(), a.Wert(2).toInt());
  TBerechnenWerte w;
  w.schlagUnvollstaendig = schlag && Schlagdaten::Unvollstaendig(*schlag);
  w.hauptfruchtNummer = a.Wert(3).toInt();
  w.isEinzelErtrag = a.Wert(4).toInt() != 0;
  w.einzelertrag = a.Wert(5).toDouble();
  w.keineDuengung = a.Wert(6).toInt() != 0;
  w.ertragsniveau = a.Wert(7).toDouble();
  w.nmin = a.Wert(8).toDouble();
  w.kulturGruppe = a.Wert(9).toInt();
  w.probenahmetiefe = a.Wert(10).toDouble();
  return Hindernis(w);
}

QString Meldung(THindernis h) {
  switch (h) {
    case THindernis::KeineDuengung:
      return u"es wurde \"keine Düngung\" ausgewählt, daher wird nichts berechnet."_s;
    case THindernis::NminFehlt:
      return u"Bitte prüfen Sie Ihre Nmin-Eingaben. Wert muss größer als 0 sein."_s;
    default:
      return {};
  }
}

bool ErtragFehlt(int fruchtNr, double tatsErtrag) { return fruchtNr > 0 && !(std::lround(tatsErtrag) > 0); }

QString ErtragFehltText(const QString& kultur, int jahr, bool nitratgebiet) {
  if (!NeueRegeln(jahr) || !nitratgebiet) return ErtragFehltMeldung;
  return u"Für die Kultur „"_s + kultur +
         u"“ fehlt der Ertrag im Nitratgebiet. Der Schlag liegt im Nitratgebiet; dort gilt der mittlere Ertrag der "
         "Jahre 2015 bis 2019. Bitte tragen Sie ihn in der Vorauswahl bei der Kultur unter „Tatsächlicher "
         "durchschnittlicher Ertrag Nitratgebiet 2015-2019“ ein."_s;
}

QString Bereichswarnung(int kulturGruppe, int bedarf) {
  if ((kulturGruppe == 1 && bedarf > 280) || (kulturGruppe == 2 && bedarf > 650))
    return u"Der errechnete Düngebedarf von "_s + QString::number(bedarf) +
           u" kg N/ha liegt außerhalb des normalen Bereichs. Bitte püfen Sie Ihre Eingaben oder setzen Sie sich ggf. "
           "mit dem zuständigen Ansprechpartner in Verbindung."_s;
  return {};
}

Anbauregeln::TQuellenPruefung QuellenPruefen(TADOModConnection& db, int betrieb, int quelle030, int quelle6090) {
  const int bundesland = db.Wert(u"select Bundesland from Betriebe where ID = :B"_s, {{u"B"_s, betrieb}}).toInt();
  return Anbauregeln::QuellenPruefen(quelle030, quelle6090, bundesland);
}

bool DritteSchichtAbleitbar(double nmin030, double nmin3060, double nmin6090, int quelle030) {
  return nmin030 > 0 && nmin3060 > 0 && !(nmin6090 > 0) && (quelle030 == 1 || quelle030 == 4);
}

QString Datumswarnung(const QVariant& datum, int jahr) {
  const QDate d = QDate::fromString(datum.toString().left(10), u"yyyy-MM-dd"_s);
  if (d.isValid() && d.year() != jahr) return u"Achtung! Berechnungsdatum liegt nicht im ausgewählten Jahr"_s;
  return {};
}

int Auswertungsseite(int kulturGruppe) { return kulturGruppe == 2 ? 1 : kulturGruppe == 3 ? 2 : 0; }

QString Ertragsbeschriftung(int auswertungsseite, int jahr, bool nitratgebiet) {
  const bool gruenland = auswertungsseite == 1;
  const QString nr = gruenland ? u"5. "_s : u"4. "_s;
  const QString einheit = gruenland ? u" (dt TM/ha)"_s : u" (dt/ha)"_s;
  if (NeueRegeln(jahr) && nitratgebiet) return nr + u"tats. Ertragsniveau Mittel 2015-2019"_s + einheit;
  if (NeueRegeln(jahr)) return nr + u"tatsächliches Ertragsniveau 5-j. Mittel"_s + einheit;
  return nr + u"tatsächliches Ertragsniveau 3-j. Mittel"_s + einheit;
}

QString Rohproteinbeschriftung(int jahr) {
  return NeueRegeln(jahr) ? u"6. tatsächlicher Rohproteingehalt 5-j. Mittel (% RP TM )"_s
                          : u"6. tatsächlicher Rohproteingehalt 3-j. Mittel (% RP TM )"_s;
}

QString Hinweis(TADOModConnection& db, int betrieb, int jahr, const QVariant& parzelle) {
  const bool sonstig = db.Wert(u"select SonstigDuengebeschraenkung from Schlag where BetriebsNr = :B and Jahr = :J "
                                "and Parzelle = :P"_s,
                                {{u"B"_s, betrieb}, {u"J"_s, jahr}, {u"P"_s, parzelle}})
                           .toInt() != 0;
  return sonstig ? u"Sonstige Düngebeschränkung ausgewählt. Ggf. niedrigerer Düngebedarf als nach DüV möglich."_s
                 : QString();
}

}  // namespace Stickstoffpruefung
