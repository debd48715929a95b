#include "ertraege.h"

#include "betriebskulturen.h"
#include "connection.h"
#include "dataset.h"
#include "meldungen.h"
#include "zahlen.h"

namespace Ertraege {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

bool ImJahresbereich(int jahr) { return jahr >= 2018 && jahr <= 2030; }

QString Spalte(const char* praefix, int jahr) {
  return S(praefix) + QString::number(jahr % 100).rightJustified(2, u'0');
}

double Zahl(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

}  // namespace

const QString NegativMeldung =
    S("Ein negativer Ertrag ist nicht möglich. Bitte geben Sie 0 oder einen positiven Wert ein.");

QString Jahresspalte(int jahr) { return ImJahresbereich(jahr) ? Spalte("TatsErtrag_", jahr) : QString(); }

QString JahresspalteNG(int jahr) {
  return ImJahresbereich(jahr) && MitNitratgebiet(jahr) ? Spalte("TatsErtragRG_", jahr) : QString();
}

QString VorjahrSpalte(int jahr) {
  if (!ImJahresbereich(jahr)) return {};
  return Spalte("TatsErtrag_", jahr <= 2019 ? 2018 : jahr - 1);
}

bool MitNitratgebiet(int jahr) { return jahr > 2020; }

QString Einheit(int kulturgruppe) { return kulturgruppe == 2 ? S(" (dt TM/ha)") : S(" (dt/ha)"); }

QString TitelKultur() { return S("Kultur"); }

QString TitelVorjahr(int jahr, int kulturgruppe, bool nachSpeichern) {
  if (nachSpeichern) return S("Durchschnittsertrag Vorjahr") + Einheit(kulturgruppe);
  return S("verwendeter Ertrag ") + QString::number(jahr - 1) + Einheit(kulturgruppe);
}

QString TitelErtrag(int jahr, int kulturgruppe) {
  return S("betrieblicher Ertrag ") + QString::number(jahr) + Einheit(kulturgruppe);
}

QString TitelErtragNG(int jahr, int kulturgruppe) {
  return S("betrieblicher Ertrag NG ") + QString::number(jahr) + Einheit(kulturgruppe);
}

QString TitelAndererErtrag() { return S("anderer Ertrag möglich"); }

QString HinweisOben(int jahr) {
  return MitNitratgebiet(jahr)
             ? S("Bitte tatsächlichen betrieblichen Ertrag im 5-jährigen Mittel (dt/ha) eingeben/prüfen.")
             : S("Bitte tatsächlichen betrieblichen Ertrag im 3-jährigen Mittel (dt/ha) eingeben/prüfen.");
}

QStringList HinweiseUnten(int jahr) {
  if (!MitNitratgebiet(jahr)) return {S("Bitte beachten, das Ertragsmittel der letzten 3 Jahre angeben.")};
  return {S("Bitte beachten, für normales Gebiet das Ertragsmittel der letzten 5 Jahre angeben."),
          S("Für Nitratgebiete (NG) nach §13a dagegen das Mittel der Jahre 2015 - 2019 angeben.")};
}

bool Ausserhalb(const QVariant& ertrag, const QVariant& ertragsniveau) {
  const double en = Zahl(ertragsniveau);
  if (en <= 1) return false;
  const double e = Zahl(ertrag);
  // 10 e < EN and 4 e > 9 EN: the bounds 0.1 EN and 2.25 EN without the
  // rounding error of 0.1 in binary.
  return 10 * e < en || 4 * e > 9 * en;
}

bool AusserhalbNG(const QVariant& ertragNG, const QVariant& ertragsniveau) {
  return Zahl(ertragNG) > 0 && Ausserhalb(ertragNG, ertragsniveau);
}

QString BereichMeldung(bool nitratgebiet, double ertragsniveau) {
  return S("Der tatsächliche Ertrag im %1 liegt außerhalb des zulässigen Bereichs von %2 und %3 dt/ha. "
           "Bitte korrigieren.")
      .arg(nitratgebiet ? S("Nitratgebiet") : S("Normalgebiet"))
      .arg(Zahlen::Gerundet(0.1 * ertragsniveau))
      .arg(Zahlen::Gerundet(2.25 * ertragsniveau));
}

QString Pruefen(const TZeile& zeile, int jahr) {
  if (Zahl(zeile.ertrag) < 0 || Zahl(zeile.ertragNG) < 0) return NegativMeldung;
  const double en = Zahl(zeile.ertragsniveau);
  if (Ausserhalb(zeile.ertrag, zeile.ertragsniveau)) return BereichMeldung(false, en);
  if (MitNitratgebiet(jahr) && AusserhalbNG(zeile.ertragNG, zeile.ertragsniveau)) return BereichMeldung(true, en);
  return {};
}

// --- the list ------------------------------------------------------------------

TErtragsliste::TErtragsliste(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                             bool alleGruppen, QObject* eltern)
    : QObject(eltern), m_meldungen(meldungen), m_jahr(jahr), m_liste(new TADODataSetMod(db, this)) {
  // The same crops as the yield file.
  m_liste->setCommandText(Betriebskulturen::Abfrage(S("*"), alleGruppen));
  m_liste->setTabelle(S("S_KulturenNP"));
  m_liste->ParameterSetzen(S("b"), betriebsNr);
  // No crop is added or deleted here.
  m_liste->setImplizitAnfuegen(false);
  const QString vorjahr = VorjahrSpalte(jahr);
  m_liste->BerechnetesFeld(S("ErtragVorjahr"), [vorjahr](const TADODataSetMod& l, int z) {
    const int f = vorjahr.isEmpty() ? -1 : l.FeldIndex(vorjahr);
    return f < 0 ? QVariant() : l.Wert(z, f);
  });
  m_liste->VorDemSpeichern = [this](TADODataSetMod& l) { return VorDemSpeichern(l); };
  m_liste->NachDemSpeichern = [this](TADODataSetMod&) { m_gespeichert = true; };
  m_liste->VorDemLoeschen = [](TADODataSetMod&) { return false; };
}

bool TErtragsliste::Oeffnen() {
  m_gespeichert = false;
  return m_liste->Oeffnen();
}

bool TErtragsliste::Schliessen() {
  if (!m_liste->IstOffen()) return true;
  if (!m_liste->SpeichernWennGeaendert()) return false;
  m_liste->Schliessen();
  return true;
}

void TErtragsliste::Verwerfen() {
  if (m_liste->Zustand() == TADODataSetMod::TZustand::Bearbeiten) m_liste->Abbrechen();
}

bool TErtragsliste::EinzelErtragUmschalten() {
  if (!m_liste->IstOffen() || m_liste->Position() < 0) return false;
  const bool an = m_liste->Wert(S("IsEinzelErtrag")).toLongLong() != 0;
  m_liste->setWert(S("IsEinzelErtrag"), an ? 0 : 1);
  return m_liste->SpeichernWennGeaendert();
}

int TErtragsliste::Kulturgruppe() const {
  if (!m_liste->IstOffen() || m_liste->Position() < 0) return 0;
  return m_liste->Wert(S("Kulturgruppe")).toInt();
}

bool TErtragsliste::ErtragAusserhalb(int zeile) const {
  const TADODataSetMod& l = *m_liste;
  return Ausserhalb(l.Wert(zeile, l.FeldIndex(S("TatsErtrag"))), l.Wert(zeile, l.FeldIndex(S("Ertragsniveau"))));
}

bool TErtragsliste::ErtragNGAusserhalb(int zeile) const {
  const TADODataSetMod& l = *m_liste;
  return AusserhalbNG(l.Wert(zeile, l.FeldIndex(S("TatsErtragRG"))), l.Wert(zeile, l.FeldIndex(S("Ertragsniveau"))));
}

bool TErtragsliste::VorDemSpeichern(TADODataSetMod& l) {
  const TZeile zeile{l.Wert(S("TatsErtrag")), l.Wert(S("TatsErtragRG")), l.Wert(S("Ertragsniveau"))};
  const QString grund = Pruefen(zeile, m_jahr);
  if (!grund.isEmpty()) {
    m_meldungen.Info(grund);
    return false;
  }
  // The year columns keep each year's value; the main window takes it back
  // into the working yield when the user returns to that year. A yield of 0
  // (reset for a new year) never overwrites what was entered.
  const QString spalte = Jahresspalte(m_jahr);
  if (!spalte.isEmpty() && Zahl(zeile.ertrag) > 0) l.setWert(spalte, zeile.ertrag);
  const QString spalteNG = JahresspalteNG(m_jahr);
  if (!spalteNG.isEmpty() && Zahl(zeile.ertragNG) > 0) l.setWert(spalteNG, zeile.ertragNG);
  return true;
}

}  // namespace Ertraege
