#include "aufzeichnungsfenster.h"

#include "fenstergroesse.h"
#include "aufzeichnung.h"
#include "aufzeichnungsliste.h"
#include "aufzeichnungsseite.h"
#include "bilanz.h"
#include "bilanzseite.h"
#include "dataset.h"
#include "meldungen.h"
#include "pruefung.h"
#include "pruefungsseite.h"
#include "pdfdruckausgabe.h"
#include "schlagkarte.h"
#include "taschenrechner.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

TAufzeichnungsfenster::TAufzeichnungsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                                             QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr),
      m_drucker(this, db, meldungen, betriebsNr, jahr) {
  setAccessibleName(S("Düngungsaufzeichnung"));
  setWindowTitle(S("Düngungsaufzeichnung"));
  auto* haupt = new QVBoxLayout(this);
  m_seiten = new QTabWidget(this);
  m_seiten->setAccessibleName(S("Seiten"));
  m_aufzeichnung = new TAufzeichnungsseite(db, meldungen, betriebsNr, jahr);
  m_gesamt = new TBilanzSeite(db, meldungen, betriebsNr, jahr, false);
  m_nitrat = new TBilanzSeite(db, meldungen, betriebsNr, jahr, true);
  m_seiten->addTab(m_aufzeichnung, S("Aufzeichnungspflicht"));
  m_seiten->addTab(m_gesamt, TBilanzSeite::Titel(false));
  m_seiten->addTab(m_nitrat, TBilanzSeite::Titel(true));
  m_pruefung = new TPruefungsseite(db, betriebsNr, jahr);
  m_seiten->addTab(m_pruefung, TPruefungsseite::Titel());
  // The map over the record page's field list: the field clicked there is the one whose records show.
  m_karte = new TSchlagkarte(db, meldungen, m_aufzeichnung->Schlaege(), betriebsNr, jahr);
  m_karte->setAccessibleName(S("Karte"));
  m_seiten->addTab(m_karte, S("Karte"));
  // The nitrate-area rules apply from 2021.
  m_seiten->setTabVisible(SeiteNitratgebiet, jahr > 2020);
  haupt->addWidget(m_seiten, 1);
  m_aufzeichnung->VorauswahlZeigen = [this] { VorauswahlZeigen(); };
  m_aufzeichnung->SchlagDrucken = [this](std::optional<int> parzelle) { m_drucker.SchlagDrucken(parzelle); };
  m_aufzeichnung->AlleDrucken = [this] { m_drucker.AlleDrucken(); };
  m_gesamt->Ausdrucken = [this] { m_drucker.BilanzDrucken(false); };
  m_nitrat->Ausdrucken = [this] { m_drucker.BilanzDrucken(true); };
  m_karte->druckvorschau = [this](TPDFDruckausgabe& d) {
    if (m_drucker.Zeigen)
      m_drucker.Zeigen(d);
    else
      d.DokumentAbschliessen();
  };
  m_aufzeichnung->Aufzeichnungen().Liste().NachDemSpeichern = [this](TADODataSetMod&) { NachDemSpeichern(); };

  auto* unten = new QHBoxLayout;
  auto* legende = new QLabel(S("* Pflichtfelder"));
  legende->setAccessibleName(legende->text());
  unten->addWidget(legende);
  unten->addStretch();
  const auto knopf = [&](const char* text, auto aktion) {
    auto* k = new QPushButton(S(text));
    k->setAccessibleName(k->text());
    k->setAutoDefault(false);
    connect(k, &QPushButton::clicked, this, aktion);
    unten->addWidget(k);
  };
  knopf("Vorauswahl", [this] { VorauswahlZeigen(); });
  knopf("Taschenrechner", [this] { RechnerZeigen(); });
  knopf("Bildschirmdruck", [this] {
    if (Bildschirmdruck) Bildschirmdruck(this);
  });
  knopf("Hauptmenü", [this] { accept(); });
  haupt->addLayout(unten);
  connect(m_seiten, &QTabWidget::currentChanged, this, &TAufzeichnungsfenster::SeiteGewechselt);
  Fenstergroesse::Setzen(this, {1200, 860});
}

TAufzeichnungsfenster::~TAufzeichnungsfenster() {
  // Closed without done(): what can be saved is saved.
  if (m_offen) {
    m_aufzeichnung->Speichern();
    Schliessen();
  }
}

bool TAufzeichnungsfenster::Oeffnen() {
  if (m_offen) return true;
  setWindowTitle(Aufzeichnung::Fenstertitel(m_db, m_betrieb, m_jahr));
  const QSignalBlocker sperre(m_seiten);
  m_seiten->setCurrentIndex(SeiteAufzeichnung);
  m_offen = true;
  return m_aufzeichnung->Oeffnen();
}

void TAufzeichnungsfenster::showEvent(QShowEvent* ereignis) {
  Oeffnen();
  QDialog::showEvent(ereignis);
}

void TAufzeichnungsfenster::keyPressEvent(QKeyEvent* ereignis) {
  // Escape takes back an input; it does not close the window.
  if (ereignis->key() == Qt::Key_Escape) {
    ereignis->accept();
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

void TAufzeichnungsfenster::Schliessen() {
  m_aufzeichnung->Schliessen();
  m_offen = false;
}

void TAufzeichnungsfenster::done(int ergebnis) {
  if (m_offen) {
    if (!m_aufzeichnung->Speichern()) {
      if (!m_meldungen.Frage(S("Die Aufzeichnung kann so nicht gespeichert werden. Soll das Fenster trotzdem "
                               "geschlossen und die Eingabe verworfen werden?")))
        return;
      m_aufzeichnung->Aufzeichnungen().Liste().Abbrechen();
    }
    Schliessen();
  }
  QDialog::done(ergebnis);
}

void TAufzeichnungsfenster::SeiteGewechselt(int seite) {
  if (!m_offen || seite == SeiteAufzeichnung) return;
  if (!m_aufzeichnung->Speichern()) {
    const QSignalBlocker sperre(m_seiten);
    m_seiten->setCurrentIndex(SeiteAufzeichnung);
    return;
  }
  if (seite == SeitePruefung) {
    m_pruefung->Fuellen();
    return;
  }
  if (seite == SeiteKarte) {
    m_karte->Aktualisieren();
    return;
  }
  if (!Bilanz::BetriebsflaechenVollstaendig(m_db, m_betrieb, m_jahr)) {
    m_meldungen.Info(Bilanz::FlaechenFehlen);
    done(QDialog::Rejected);
    return;
  }
  (seite == SeiteGesamtbetrieb ? m_gesamt : m_nitrat)->Fuellen();
}

void TAufzeichnungsfenster::VorauswahlZeigen() {
  if (!m_aufzeichnung->Speichern()) return;
  m_aufzeichnung->StammlistenSchliessen();
  if (VorauswahlOeffnen) VorauswahlOeffnen();
  m_aufzeichnung->StammlistenOeffnen();
  // Closing the preselection carries changed contents into the records.
  m_aufzeichnung->Aufzeichnungen().Liste().Aktualisieren();
}

void TAufzeichnungsfenster::NachDemSpeichern() {
  const qint64 id = m_aufzeichnung->Aufzeichnungen().Liste().Wert(S("ID")).toLongLong();
  const QString warnung = Pruefung::Warnung(Pruefung::FuerAufzeichnung(m_db, id));
  if (!warnung.isEmpty()) m_meldungen.Info(warnung);
}

void TAufzeichnungsfenster::RechnerZeigen() {
  if (!m_rechner) {
    m_rechner = new TTaschenrechner(TTaschenrechner::TArt::Kopieren, this);
    m_rechner->setAttribute(Qt::WA_DeleteOnClose);
  }
  m_rechner->show();
  m_rechner->raise();
}
