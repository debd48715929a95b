#include "herbstseite.h"

#include "adopanel.h"
#include "bedarfsblaetter.h"
#include "bedarfsdruck.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"
#include "herbstliste.h"
#include "listenansicht.h"
#include "meldungen.h"

#include <QButtonGroup>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <initializer_list>

using namespace Qt::StringLiterals;
using Herbstduengung::TSeite;

namespace {

QString SeitenTitel(TSeite seite) {
  return seite == TSeite::Nitratgebiet ? u"Herbstdüngung Nitratgebiet"_s : u"Herbstdüngung"_s;
}

QLabel* Text(const QString& text) {
  auto* l = new QLabel(text);
  l->setAccessibleName(text);
  l->setWordWrap(true);
  return l;
}

}  // namespace

THerbstSeite::THerbstSeite(TBedarfsdaten& daten, TSeite seite, THerbstSeite* partner, QWidget* eltern)
    : TBedarfsseite(daten, SeitenTitel(seite), eltern), m_seite(seite) {
  m_liste = new TADODataSetMod(daten.db, this);
  Herbstduengung::ListeDesJahres(*m_liste, daten.betrieb, daten.jahr, seite);
  m_gemerkt = partner ? partner->m_gemerkt : std::make_shared<std::optional<Herbstduengung::TAngaben>>();
  if (partner) {
    m_partner = partner;
    partner->m_partner = this;
  }

  auto* h = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  m_raster = new TListenAnsicht(*m_liste, {{u"Jahr"_s, u"Jahr"_s},
                                           {u"SchlagNr"_s, u"Schlag-Nr."_s},
                                           {u"SchlagName"_s, u"SchlagName"_s},
                                           {u"Feldblock"_s, u"Feldblock"_s},
                                           {u"Parzelle"_s, u"Parzelle"_s},
                                           {u"Groesse"_s, u"Größe (ha)"_s, 2},
                                           {u"Kultur"_s, u"Kultur nach DüV"_s},
                                           {Herbstduengung::Ergebnisspalte(seite), u"Düngebedarf (kg N/ha)"_s, 0},
                                           {u"NitratgebietText"_s, u"Nitratgebiet"_s}});
  m_raster->setAccessibleName(u"Schläge"_s);
  links->addWidget(m_raster, 1);
  links->addLayout(Knoepfe());
  h->addLayout(links, 1);
  h->addWidget(Eingaben());

  connect(m_liste, &TADODataSetMod::PositionGeaendert, this, [this] {
    if (!m_zeigt && isVisible()) SchlagFolgen();
  });
}

QLayout* THerbstSeite::Knoepfe() {
  // Three short rows, so the grid keeps its width beside the long crop texts.
  auto* v = new QVBoxLayout;
  const auto zeile = [v](std::initializer_list<QPushButton*> knoepfe) {
    auto* h = new QHBoxLayout;
    for (QPushButton* k : knoepfe) h->addWidget(k);
    h->addStretch();
    v->addLayout(h);
  };
  zeile({Knopf(u"Berechnen"_s, {}, [this] { Berechnen(); }), Knopf(u"Voriger"_s, {}, [this] { m_liste->Vorheriger(); }),
         Knopf(u"Nächster"_s, {}, [this] { m_liste->Naechster(); })});
  m_setzen = Knopf(u"Herbstdüngung setzen"_s, {}, [this] { Setzen(); });
  m_setzen->setEnabled(m_gemerkt->has_value());
  zeile({Knopf(u"Herbstdüngung merken"_s, {}, [this] { Merken(); }), m_setzen,
         Knopf(u"Angaben löschen"_s, {}, [this] { AngabenLoeschen(); })});
  zeile({Knopf(u"Ergebnis drucken"_s, {}, [this] { ErgebnisDrucken(); }),
         Knopf(u"alle berechneten drucken"_s, {}, [this] { AlleBerechnetenDrucken(); }),
         Knopf(u"Excel-Export"_s, {}, [this] { ExcelExport(); })});
  return v;
}

QWidget* THerbstSeite::Eingaben() {
  TADODataSetMod* liste = m_liste;
  m_panel = new TADOPanel;
  m_panel->setDataSet(liste);
  m_panel->setMeldungen(&m_meldungen);
  m_panel->setAccessibleName(u"Herbstdüngung-Eingaben"_s);
  auto* v = new QVBoxLayout(m_panel);

  auto* datum = new QFormLayout;
  datum->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  m_datum = Formular::Feld(datum, liste, u"BerechnungsDatumHD"_s, u"Berechnungsdatum *"_s, 0, true);
  m_datum->setDatenTyp(dtDatum);
  m_datum->setToolTip(u"Doppelklick setzt das heutige Datum."_s);
  m_datum->installEventFilter(this);
  v->addLayout(datum);

  const auto gruppe = [&](const QString& titel, const QString& spalte, const Herbstduengung::TWahl& wahl) {
    auto* g = new TDBRadioGroupMod(titel);
    for (const auto& [text, wert] : wahl) g->Eintrag(text, wert);
    g->Binden(liste, spalte);
    // After the choice is written: the results it invalidates go.
    connect(g->findChild<QButtonGroup*>(), &QButtonGroup::idClicked, this, &THerbstSeite::EingabeGeklickt);
    v->addWidget(g);
  };
  gruppe(u"Fruchtart"_s, u"HD_FA"_s, Herbstduengung::Fruchtarten(m_seite));
  gruppe(u"Vorfrucht der Anbaufrucht"_s, u"HD_VF"_s, Herbstduengung::Vorfruechte());
  v->addWidget(Text(u"(Düngebedarf nur bei Auswahl \"alle anderen Vorfrüchte\")"_s));

  auto* lodZeile = new QHBoxLayout;
  auto* lod = new TDBCheckBoxMod(u"langjährig organisch gedüngte Fläche?"_s);
  lod->Binden(liste, u"HD_LOD"_s);
  connect(lod, &QCheckBox::clicked, this, &THerbstSeite::EingabeGeklickt);
  lodZeile->addWidget(lod);
  lodZeile->addWidget(new QLabel(u"(> 13 mg P-CAL/100g Boden)"_s));
  lodZeile->addStretch();
  v->addLayout(lodZeile);
  v->addWidget(Text(u"Hinweis: Sollte im Einzelfall ein P-CAL-Gehalt > 13 mg/100g Boden auch ohne langjährige "
                    "organische Düngung auftreten, muss dies vom  Landwirt plausibel nachgewiesen werden. Als Nachweis "
                    "gilt insbesondere, wenn langjährig (mind. 5 Jahre) im Betriebsdurchschnitt maximal 120 kg N/ha und "
                    "Jahr aus organischen und organisch-mineralischen Düngemitteln aufgebracht wurden."_s));

  auto* ergebnis = new QFormLayout;
  ergebnis->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  TDBEditMod* bedarf = Formular::Feld(ergebnis, liste, Herbstduengung::Ergebnisspalte(m_seite),
                                      u"Düngebedarf Gesamt-N (kg/ha)"_s);
  bedarf->setRO(true);
  v->addLayout(ergebnis);
  v->addStretch();
  return m_panel;
}

bool THerbstSeite::Speichern() { return m_liste->SpeichernWennGeaendert(); }

void THerbstSeite::Schliessen() { m_liste->Schliessen(); }

void THerbstSeite::Zeigen(int parzelle, qint64 /*anbauId*/) {
  {
    const QScopedValueRollback sperre(m_zeigt, true);
    m_liste->Oeffnen();
    const int p = m_liste->FeldIndex(u"Parzelle"_s);
    for (int z = 0; z < m_liste->Anzahl(); ++z)
      if (m_liste->Wert(z, p).toInt() == parzelle) {
        m_liste->Gehe(z);
        break;
      }
  }
  // The field may not be listed here; the page then starts at its first one.
  SchlagFolgen();
}

void THerbstSeite::SchlagFolgen() {
  if (m_liste->Position() >= 0) m_daten.ZurParzelle(m_liste->Wert(u"Parzelle"_s).toInt());
}

bool THerbstSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == m_datum && ereignis->type() == QEvent::MouseButtonDblClick && m_liste->Position() >= 0) {
    m_liste->setWert(u"BerechnungsDatumHD"_s, QDate::currentDate().toString(u"yyyy-MM-dd"_s));
    return true;
  }
  return TBedarfsseite::eventFilter(objekt, ereignis);
}

void THerbstSeite::EingabeGeklickt() { Herbstduengung::EingabeGeaendert(*m_liste); }

void THerbstSeite::Berechnen() {
  if (!m_liste->IstOffen() || m_liste->Position() < 0) return;
  // The date marked and said; nothing is calculated without it.
  if (!m_panel->Pruefen()) return;
  if (Herbstduengung::Berechnen(*m_liste, m_seite) == Herbstduengung::TBerechnung::DatumFehlt)
    m_meldungen.Info(u"Bitte gültigen Wert eingeben/auswählen."_s);
}

void THerbstSeite::Merken() {
  const auto angaben = Herbstduengung::Merken(*m_liste, m_seite);
  if (!angaben) return;
  *m_gemerkt = angaben;
  SetzenFreigeben();
}

void THerbstSeite::SetzenFreigeben() {
  for (THerbstSeite* s : {this, m_partner})
    if (s) s->m_setzen->setEnabled(s->m_gemerkt->has_value());
}

void THerbstSeite::Setzen() {
  if (m_gemerkt->has_value()) Herbstduengung::Setzen(*m_liste, **m_gemerkt, m_seite);
}

void THerbstSeite::AngabenLoeschen() { Herbstduengung::AngabenLoeschen(*m_liste); }

void THerbstSeite::ErgebnisDrucken() {
  std::vector<qint64> ids;
  if (m_liste->IstOffen() && m_liste->Position() >= 0) {
    if (!m_panel->Pruefen()) return;
    const Herbstduengung::TBerechnung b = Herbstduengung::Berechnen(*m_liste, m_seite);
    if (b == Herbstduengung::TBerechnung::DatumFehlt) m_meldungen.Info(u"Bitte gültigen Wert eingeben/auswählen."_s);
    if (b != Herbstduengung::TBerechnung::Berechnet) return;
    ids = {m_liste->Wert(u"ID"_s).toLongLong()};
  }
  Bedarfsdruck::Drucken(this, m_meldungen, m_db, ids, Bedarfsblaetter::HerbstBlatt, m_daten.druckvorschau);
}

void THerbstSeite::AlleBerechnetenDrucken() {
  if (m_liste->IstOffen() && !m_liste->SpeichernWennGeaendert()) return;
  const auto ids = Bedarfsblaetter::BerechneteHerbstSchlaege(m_db, m_daten.betrieb, m_daten.jahr, m_seite);
  Bedarfsdruck::Drucken(this, m_meldungen, m_db, ids, Bedarfsblaetter::HerbstBlatt, m_daten.druckvorschau);
}

void THerbstSeite::ExcelExport() {
  emit SpeichernVerlangt();
  // Input that could not be saved stays on screen; the list waits for it.
  if (m_liste->Zustand() != TADODataSetMod::TZustand::Blaettern && m_liste->IstOffen()) return;
  using Listenausgabe::TErgebnis;
  const TErgebnis e =
      Herbstliste::Exportieren(m_db, m_meldungen, m_daten.betrieb, m_daten.jahr, m_seite, QDir::currentPath());
  if (e != TErgebnis::Geschrieben && e != TErgebnis::Fehler) return;
  // The rules ran on the fields: the page shows them from its first field.
  m_liste->Oeffnen();
  m_liste->Erster();
}
