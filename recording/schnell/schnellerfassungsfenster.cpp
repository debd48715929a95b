#include "schnellerfassungsfenster.h"

#include "fenstergroesse.h"
#include "auswahlpanel.h"
#include "connection.h"
#include "hf1book.h"
#include "meldungen.h"
#include "schnellraster.h"
#include "werkzeugleiste.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TSchnellerfassungsfenster::TSchnellerfassungsfenster(TADOModConnection& db, TMeldungen& meldungen,
                                                     THilfsfenster& hilfe, int betriebsNr, int jahr, QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr) {
  setWindowTitle(u"Schnellaufzeichnung"_s);
  setAccessibleName(u"Schnellaufzeichnung"_s);
  auto* gesamt = new QVBoxLayout(this);

  auto* oben = new QHBoxLayout;
  m_schlag = new QLabel(this);
  m_schlag->setAccessibleName(u"Schlagname"_s);
  m_schlag->setMinimumWidth(220);
  QFont fett = m_schlag->font();
  fett.setBold(true);
  m_schlag->setFont(fett);
  m_hinweis = new QLabel(this);
  m_hinweis->setAccessibleName(u"Hinweis"_s);
  m_hinweis->setWordWrap(true);
  oben->addWidget(m_schlag);
  oben->addWidget(m_hinweis, 1);
  gesamt->addLayout(oben);

  auto* mitte = new QHBoxLayout;
  m_buch = new THF1Book(this);
  m_buch->setAccessibleName(u"Arbeitsblatt"_s);
  m_panel = new TAuswahlPanel(this);
  mitte->addWidget(m_buch, 1);
  mitte->addWidget(m_panel);
  gesamt->addLayout(mitte, 1);
  m_raster = new TSchnellRaster(*m_buch, *m_panel, db, meldungen, hilfe, betriebsNr, jahr, this);
  m_leiste = TWerkzeugleiste::Anbringen(*m_buch, meldungen);
  m_leiste->BlattErsetzt = [this] { m_raster->BlattErsetzt(); };
  connect(m_raster, &TSchnellRaster::GemerktGeaendert, this,
          [this] {
            if (QPushButton* k = Knopf(u"Dünger setzen"_s)) k->setEnabled(m_raster->Gemerkt());
          });
  connect(m_raster, &TSchnellRaster::AnzeigeGeaendert, this, &TSchnellerfassungsfenster::AnzeigeSetzen);

  auto* unten = new QHBoxLayout;
  auto* legende = new QLabel(u"* Pflichtfelder"_s, this);
  legende->setAccessibleName(legende->text());
  unten->addWidget(legende);
  unten->addStretch();
  const auto knopf = [&](const QString& text, auto aktion) {
    auto* k = new QPushButton(text, this);
    k->setAccessibleName(text);
    k->setAutoDefault(false);
    connect(k, &QPushButton::clicked, this, aktion);
    unten->addWidget(k);
    m_knoepfe.push_back(k);
    return k;
  };
  knopf(u"Vorauswahl"_s, [this] { VorauswahlZeigen(); });
  knopf(u"Dünger merken"_s, [this] {
    if (m_raster->Merken()) Knopf(u"Dünger setzen"_s)->setEnabled(true);
    m_buch->setFocus();
  });
  knopf(u"Dünger setzen"_s, [this] { m_raster->Setzen(); })->setEnabled(false);
  knopf(u"Übernehmen und Schließen"_s, [this] { Uebernehmen(); });
  knopf(u"Verwerfen und Schließen"_s, [this] { Verwerfen(); });
  knopf(u"Bildschirmdruck"_s, [this] {
    if (Bildschirmdruck) Bildschirmdruck(this);
  });
  // Shown as in the other working windows; they have no action here.
  knopf(u"Taschenrechner"_s, [] {});
  knopf(u"Hauptmenü"_s, [] {});
  gesamt->addLayout(unten);
  Fenstergroesse::Setzen(this, {1630, 760});
}

QPushButton* TSchnellerfassungsfenster::Knopf(const QString& beschriftung) const {
  for (QPushButton* k : m_knoepfe)
    if (k->text() == beschriftung) return k;
  return nullptr;
}

void TSchnellerfassungsfenster::showEvent(QShowEvent* ereignis) {
  if (!m_offen) {
    m_offen = true;
    m_raster->Leeren();
    m_raster->ListenNeu();
    AnzeigeSetzen();
  }
  QDialog::showEvent(ereignis);
}

void TSchnellerfassungsfenster::keyPressEvent(QKeyEvent* ereignis) {
  // Enter belongs to the grid and the lists; it presses no button.
  if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter) {
    ereignis->accept();
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

void TSchnellerfassungsfenster::AnzeigeSetzen() {
  m_schlag->setText(m_raster->Schlagname());
  m_hinweis->setText(m_raster->Hinweis());
}

void TSchnellerfassungsfenster::VorauswahlZeigen() {
  if (VorauswahlOeffnen) VorauswahlOeffnen();
  m_raster->ListenNeu();
  m_buch->setFocus();
}

void TSchnellerfassungsfenster::Uebernehmen() {
  if (!m_meldungen.Frage(u"Datensätze wirklich übernehmen?"_s)) return;
  const auto u = m_raster->Uebernehmen();
  if (const QString m = u.Meldung(); !m.isEmpty()) m_meldungen.Info(m);
  if (u.Schliessen()) QDialog::accept();
  else m_buch->setFocus();
}

void TSchnellerfassungsfenster::Verwerfen() {
  if (!m_meldungen.Frage(u"Wirklich alle getätigten Eingaben verwerfen und schließen?"_s)) return;
  if (!m_meldungen.Frage(u"Wirklich alle verwerfen?"_s)) return;
  QDialog::reject();
}

void TSchnellerfassungsfenster::reject() {
  // Escape and the window's close box: typed lines are not lost unasked.
  if (m_raster->HatEingaben()) Verwerfen();
  else QDialog::reject();
}
