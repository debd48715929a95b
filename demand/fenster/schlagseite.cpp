#include "schlagseite.h"

#include "adopanel.h"
#include "anbauregeln.h"
#include "bodenklimaraum.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"
#include "listenansicht.h"
#include "meldungen.h"
#include "phosphorpruefung.h"
#include "schlagdaten.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using Formular::Auswahl;
using Formular::Feld;
using Formular::Haken;

namespace {

// The field block takes exactly 16 characters, entered from the end. Another
// length typed is refused on leaving and never saved; Escape brings back the
// block from before.
class TFeldblockFeld : public TDBEditMod {
public:
  TFeldblockFeld(TADODataSetMod* liste, const QString& feld) : TDBEditMod(liste, feld) {
    setAutoSelect(false);
    setMaxLength(16);
    connect(liste, &TADODataSetMod::Zurueckgesetzt, this, [this] { setMaxLength(16); });
  }

protected:
  QString Ablehnung(const QString& text) const override {
    return text.length() == 16 ? QString() : u"Bitte exakt 16-stellig eingeben."_s;
  }

  void focusInEvent(QFocusEvent* e) override {
    TDBEditMod::focusInEvent(e);
    end(false);
  }
};

}  // namespace

TSchlagSeite::TSchlagSeite(TBedarfsdaten& daten, QWidget* eltern)
    : TBedarfsseite(daten, u"Schlag-Grunddaten"_s, eltern) {
  TADODataSetMod* schlag = daten.schlaege;
  auto* h = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  links->addWidget(m_raster = SchlagRaster(), 1);
  links->addWidget(Legende(u"Unvollständig ausgefüllte Schläge mit fehlenden Pflichteingaben sind rot markiert."_s));
  links->addWidget(FehlendZeile());
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(Knopf(u"neuen Schlag anlegen"_s, {}, [this] { NeuerSchlag(); }));
  knoepfe->addWidget(Knopf(u"Schlagteilung"_s,
                           u"Weitere im selben Jahr nach der ausgewählten Hauptfrucht auf der gleichen Fläche angebaute "
                           "Kultur hinzufügen oder Schlag für Schlagteilung duplizieren."_s,
                           [this] { SchlagTeilung(); }));
  knoepfe->addWidget(Knopf(u"Schlag löschen"_s, {}, [this] { SchlagLoeschen(); }));
  links->addLayout(knoepfe);
  // The grids take the width the panel does not need: they have the long names.
  h->addLayout(links, 1);

  m_panel = new TADOPanel;
  m_panel->setDataSet(schlag);
  m_panel->setMeldungen(&m_meldungen);
  m_panel->setAccessibleName(u"Schlag"_s);
  auto* f = m_form = new QFormLayout(m_panel);
  Feld(f, schlag, u"SchlagNr"_s, u"Schlag-Nr."_s);
  Feld(f, schlag, u"SchlagName"_s, u"Schlagname"_s);
  m_feldblock = new TFeldblockFeld(schlag, u"Feldblock"_s);
  m_feldblock->setAccessibleName(u"Feldblock *"_s);
  m_feldblock->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  f->addRow(u"Feldblock *"_s, m_feldblock);
  m_parzelle = Feld(f, schlag, u"Parzelle"_s, u"Gesamtparzellennummer *"_s, 0, true);
  m_parzelle->setToolTip(u"Für Bewirtschaftungseinheit bitte negative Zahl eingeben."_s);
  m_parzelle->setKeineNegativen(false);  // a negative number marks a management unit
  connect(m_parzelle, &TEingabeFeld::Verlassen, this, &TSchlagSeite::ParzelleVerlassen);
  m_teilflaechen = Feld(f, schlag, u"Teilflaechen"_s, u"Teilflächen"_s);
  Feld(f, schlag, u"Groesse"_s, u"Größe *"_s, 2, true);
  Auswahl(f, schlag, u"BewirtschaftungsAuflagen"_s, u"Nitratgebiet *"_s,
          {{u"Nein"_s, 1}, {u"Nitratgebiet nach §13a DüV"_s, 2}}, true);
  Auswahl(f, schlag, u"Phosphatgebiet"_s, u"Phosphorgebiet *"_s, {{u"Nein"_s, 1}, {u"Phosphatgebiet nach §13a DüV"_s, 2}},
          true);
  m_nutzung = Auswahl(f, schlag, u"NutzungsForm"_s, u"Nutzungsform *"_s,
                      {{u"Ackerland"_s, 1}, {u"Grünland"_s, 2}, {u"Brache"_s, 4}}, true);
  connect(m_nutzung, &QComboBox::activated, this, [this, schlag] {
    if (schlag->Wert(u"NutzungsForm"_s).toInt() == 4) schlag->setWert(u"KeineDuengung"_s, 1);
    Sichtbarkeit();
  });
  m_bkr = Feld(f, schlag, u"BKR"_s, u"Bodenklimaraum *"_s, 0, true);
  m_bkr->setToolTip(Bodenklimaraum::Erklaerung);
  m_bkr->setWhatsThis(Bodenklimaraum::Erklaerung);
  if (QWidget* titel = f->labelForField(m_bkr)) titel->setToolTip(Bodenklimaraum::Erklaerung);
  connect(m_bkr, &TEingabeFeld::Verlassen, this, &TSchlagSeite::BkrVerlassen);
  // While the field has no region the note says what it is and where the farmer finds it.
  auto* bkrHinweis = new QLabel(Bodenklimaraum::Erklaerung);
  bkrHinweis->setWordWrap(true);
  bkrHinweis->setAccessibleName(u"Hinweis zum Bodenklimaraum"_s);
  bkrHinweis->setAccessibleDescription(Bodenklimaraum::Erklaerung);
  m_bkrHinweis = bkrHinweis;
  f->addRow(m_bkrHinweis);
  auto* az = Feld(f, schlag, u"AZ"_s, u"Ackerzahl *"_s, 0, true);
  az->setMinwert(1);
  az->setMaxWert(120);
  az->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  m_bodengruppe = Auswahl(f, schlag, u"BG"_s, u"Bodengruppe *"_s,
                          {{u"1 - Sand"_s, 1},
                           {u"2 - schwach lehmiger Sand"_s, 2},
                           {u"3 - stark lehmiger Sand"_s, 3},
                           {u"4 - sandiger/ schluffiger Lehm"_s, 4},
                           {u"5 - toniger Lehm bis Ton"_s, 5},
                           {u"6 - Anmoor/ Niedermoor"_s, 6}},
                          true);
  connect(m_bodengruppe, &QComboBox::activated, this, [this, schlag] {
    schlag->setWert(u"BGText"_s, m_bodengruppe->currentText());
    if (schlag->Wert(u"BG"_s).toInt() == 6) schlag->setWert(u"HumusGroesserVier"_s, 1);
  });
  auto* stein = Feld(f, schlag, u"SteingehaltKrume"_s, u"Steingehalt Boden (%) *"_s, 0, true);
  stein->setMinwert(1);
  stein->setMaxWert(100);
  stein->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  auto* tiefe = Feld(f, schlag, u"Durchwurzelungstiefe"_s, u"Durchwurzelungstiefe *"_s, 0, true);
  tiefe->setMinwert(15);
  tiefe->setIsGrossKleinTest(TMinMaxTest::Max_Free_Min_Grenz);
  auto* humus = Haken(f, schlag, u"HumusGroesserVier"_s, u"Humusgehalt > 4 %"_s);
  m_humus = humus;
  connect(humus, &QCheckBox::clicked, this, [schlag] {
    // Soil group 6 always has more than 4 % humus.
    if (schlag->Wert(u"BG"_s).toInt() == 6) schlag->setWert(u"HumusGroesserVier"_s, 1);
  });
  m_glBoden = Auswahl(f, schlag, u"GL_Bodenart"_s, u"Abschlag Boden-N-Nachlieferung (Grünland/Feldfutterbau) *"_s,
                      {{u"sehr schwach bis stark humose Grünlandböden  < 8 % org.Substanz"_s, 1},
                       {u"stark bis sehr stark humose Grünlandböden  8 % - < 15 % org.Substanz"_s, 2},
                       {u"anmoorige Grünlandböden  15 % - < 30 % org.Substanz"_s, 3},
                       {u"Hochmoor "_s, 4},
                       {u"Niedermoor"_s, 5},
                       {u"Ackergras, Klee und Luzerne in Reinkultur, Klee- und Luzernegras"_s, 6}},
                      true);
  connect(m_glBoden, &QComboBox::activated, this, [this, schlag] {
    schlag->setWert(u"GL_BG"_s, m_glBoden->currentText());
    Sichtbarkeit();
  });
  Haken(f, schlag, u"KeineDuengung"_s, u"ohne Düngung (keine Berechnung)"_s);
  Haken(f, schlag, u"SonstigDuengebeschraenkung"_s, u"sonstige Düngebeschränkung"_s);
  // Either content fills the other, as on the page "Phosphor".
  for (bool p2o5 : {true, false}) {
    TDBEditMod* gehalt = p2o5 ? Feld(f, schlag, u"P2O5_Gehalt"_s, u"P2O5-Gehalt (mg/100 g)"_s, 2)
                              : Feld(f, schlag, u"P_Gehalt"_s, u"P-Gehalt (mg/100 g)"_s, 2);
    connect(gehalt, &TEingabeFeld::Verlassen, this, [this, gehalt, p2o5] {
      if (Liste().Position() >= 0 && gehalt->WertGeaendert()) Phosphorpruefung::GehaltEingegeben(Liste(), p2o5);
    });
  }
  auto* pDatum = Feld(f, schlag, u"P_AnalyseDatum"_s, u"Analysedatum"_s);
  pDatum->setDatenTyp(dtDatum);
  Auswahl(f, schlag, u"P_Methode"_s, u"Analysemethode"_s, {{u"CAL"_s, 1}, {u"DL"_s, 2}, {u"EUF"_s, 3}});
  Formular::OkAbbruch(f);
  connect(m_panel, &TADOPanel::Betreten, this, [this, schlag] {
    // Fields are added only through "neuen Schlag anlegen" or "Schlagteilung".
    if (schlag->Zustand() == TADODataSetMod::TZustand::Einfuegen && !m_schlagNeu) {
      schlag->Abbrechen();
      m_raster->setFocus();
    }
  });
  h->addWidget(m_panel, 0);
  // The parcel number before the marked inputs: its message alone, not one on top of the other.
  m_panel->VorDemPruefen = [this] {
    const Schlagdaten::TParzelle p = ParzelleJetzt();
    if (p == Schlagdaten::TParzelle::Gueltig) return true;
    ParzelleMelden(p);
    ParzelleZeigen();
    return false;
  };
  connect(schlag, &TADODataSetMod::ZeileGeaendert, this, &TSchlagSeite::BkrHinweisZeigen);
  connect(schlag, &TADODataSetMod::ZustandGeaendert, this, [this, schlag] {
    if (schlag->Zustand() != TADODataSetMod::TZustand::Bearbeiten &&
        schlag->Zustand() != TADODataSetMod::TZustand::Einfuegen)
      m_gemeldet.reset();
  });
}

void TSchlagSeite::Sichtbarkeit() {
  const TADODataSetMod& schlag = Liste();
  const bool zeile = schlag.IstOffen() && schlag.Position() >= 0;
  const bool gruenland = zeile && schlag.Wert(u"NutzungsForm"_s).toInt() == 2;
  m_form->setRowVisible(m_glBoden, gruenland);
  m_form->setRowVisible(m_humus, !gruenland);
  m_form->setRowVisible(m_teilflaechen, zeile && schlag.Wert(u"Parzelle"_s).toInt() < 0);
  BkrHinweisZeigen();
  emit SichtbarkeitGeaendert();
}

void TSchlagSeite::BkrHinweisZeigen() {
  const TADODataSetMod& schlag = Liste();
  const bool zeile = schlag.IstOffen() && schlag.Position() >= 0;
  m_form->setRowVisible(m_bkrHinweis, zeile && !Bodenklimaraum::Gueltig(schlag.Wert(u"BKR"_s)));
}

void TSchlagSeite::BkrVerlassen() {
  // Only a number typed now: passing through a stored one keeps the user free.
  if (Liste().Position() < 0 || !Liste().IstGeaendert(u"BKR"_s)) return;
  const QVariant bkr = Liste().Wert(u"BKR"_s);
  if (m_bkrPruefung || bkr.isNull() || bkr.toInt() == 0 || Bodenklimaraum::Gueltig(bkr)) return;
  const QScopedValueRollback sperre(m_bkrPruefung, true);
  m_meldungen.Info(Bodenklimaraum::Ungueltig);
  m_bkr->setFocus(Qt::OtherFocusReason);
}

bool TSchlagSeite::Pruefen() { return m_panel->Pruefen(); }

void TSchlagSeite::NachDemSpeichern(TADODataSetMod& liste, bool angezeigt) {
  m_schlagNeu = false;
  if (angezeigt) {
    Anbauregeln::BodenInAnbau(m_db, liste.Wert(u"ID"_s).toLongLong());
    if (!m_daten.neuberechnung) emit KulturenNeuLaden();
  }
}

void TSchlagSeite::NeuerSchlag() {
  if (!Schlagdaten::DuengejahrVorhanden(m_db, m_daten.betrieb)) {
    m_meldungen.Info(u"Sie müssen erst ein Düngejahr anlegen."_s);
    return;
  }
  emit AnlegenVerlangt();
  m_schlagNeu = true;
  {
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    Liste().Anfuegen();
  }
  m_parzelle->setFocus(Qt::OtherFocusReason);
}

Schlagdaten::TParzelle TSchlagSeite::ParzelleJetzt() const {
  const TADODataSetMod& schlag = Liste();
  if (schlag.Zustand() != TADODataSetMod::TZustand::Bearbeiten &&
      schlag.Zustand() != TADODataSetMod::TZustand::Einfuegen)
    return Schlagdaten::TParzelle::Gueltig;
  return Schlagdaten::ParzellePruefen(m_db, m_daten.betrieb, m_daten.jahr, schlag.Wert(u"Parzelle"_s),
                                      schlag.Wert(u"ID"_s));
}

void TSchlagSeite::ParzelleMelden(Schlagdaten::TParzelle p) {
  auto jetzt = std::pair(p, Liste().Wert(u"Parzelle"_s));
  if (m_gemeldet == jetzt) return;
  m_gemeldet = std::move(jetzt);
  m_meldungen.Info(Schlagdaten::ParzellenMeldung(p));
}

void TSchlagSeite::ParzelleZeigen() {
  if (!m_parzelle->isVisible()) return;
  // Focus first: entering recolours the field, the mark must come after.
  m_parzelle->setFocus(Qt::OtherFocusReason);
  m_parzelle->PanelFehlerZeigen();
  // The digits typed stay, the cursor behind them: the next key corrects
  // the number instead of replacing it.
  m_parzelle->deselect();
  m_parzelle->end(false);
}

bool TSchlagSeite::SpeichernPruefen() {
  const Schlagdaten::TParzelle p = ParzelleJetzt();
  if (p == Schlagdaten::TParzelle::Gueltig) return true;
  ParzelleMelden(p);
  m_panel->AblehnungGemeldet();
  ParzelleZeigen();
  return false;
}

QString TSchlagSeite::Speicherhindernis() const { return Schlagdaten::ParzellenMeldung(ParzelleJetzt()); }

void TSchlagSeite::ParzelleVerlassen() {
  // A number in use is said when it is left; a missing one only when the
  // field is to be saved, so that the other inputs may come first.
  if (ParzelleJetzt() == Schlagdaten::TParzelle::Vergeben) {
    ParzelleMelden(Schlagdaten::TParzelle::Vergeben);
    ParzelleZeigen();
  }
  Sichtbarkeit();
}

void TSchlagSeite::SchlagTeilung() {
  TADODataSetMod& schlag = Liste();
  if (schlag.Position() < 0) return;
  const int neu = m_meldungen.Ganzzahleingabe(u"Bitte geben Sie die neue Parzellennummer an."_s);
  if (neu == 0) return;
  if (Schlagdaten::ParzelleVergeben(m_db, m_daten.betrieb, m_daten.jahr, neu)) {
    m_meldungen.Info(u"Diese Parzellennummer ist schon vergeben."_s);
    return;
  }
  emit SpeichernVerlangt();
  // A field that cannot be saved (its number is missing or in use) is not copied.
  if (schlag.Zustand() != TADODataSetMod::TZustand::Blaettern) return;
  if (!Anbauregeln::SchlagTeilen(m_db, schlag.Wert(u"ID"_s).toLongLong(), neu)) return;
  m_daten.SchlaegeNeuLesen();
  m_daten.ZurParzelle(neu);
  emit KulturenNeuLaden();
}

void TSchlagSeite::SchlagLoeschen() {
  TADODataSetMod& schlag = Liste();
  if (schlag.Position() < 0) return;
  if (!m_meldungen.Frage(u"Schlag wirklich löschen?"_s)) return;
  const bool neu = schlag.Zustand() == TADODataSetMod::TZustand::Einfuegen;
  schlag.Abbrechen();
  if (!neu) Schlagdaten::Loeschen(m_db, schlag.Wert(u"ID"_s));
  m_schlagNeu = false;
  m_daten.SchlaegeNeuLesen();
  emit KulturenNeuLaden();
}
