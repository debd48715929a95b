#include "vorauswahl.h"

#include "fenstergroesse.h"
#include "connection.h"
#include "kulturenseite.h"
#include "meldungen.h"
#include "mineralseite.h"
#include "organischeseite.h"
#include "stoffseite.h"
#include "taschenrechner.h"
#include "vorauswahldaten.h"
#include "weideseite.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TVorauswahl::TVorauswahl(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr, QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr) {
  setAccessibleName(QStringLiteral("Vorauswahl"));
  setWindowTitle(QStringLiteral("Vorauswahl"));
  auto* haupt = new QVBoxLayout(this);
  m_seiten = new QTabWidget(this);
  m_seiten->setAccessibleName(QStringLiteral("Vorauswahl"));
  m_kulturen = new TKulturenSeite(db, meldungen, betriebsNr, jahr);
  m_mineral = new TMineralSeite(db, meldungen, betriebsNr);
  m_organisch = new TOrganischeSeite(db, meldungen, betriebsNr, jahr);
  m_stoffe = new TStoffSeite(db, meldungen, betriebsNr);
  m_weide = new TWeideSeite(db, meldungen, betriebsNr);
  for (TListenSeite* s : AlleSeiten()) m_seiten->addTab(s, s->Titel());
  haupt->addWidget(m_seiten, 1);

  auto* unten = new QHBoxLayout;
  unten->addStretch();
  const auto knopf = [&](const QString& text) {
    auto* k = new QPushButton(text, this);
    k->setAccessibleName(text);
    k->setAutoDefault(false);
    unten->addWidget(k);
    return k;
  };
  connect(knopf(QStringLiteral("Taschenrechner")), &QPushButton::clicked, this, &TVorauswahl::RechnerZeigen);
  connect(knopf(QStringLiteral("Schließen")), &QPushButton::clicked, this, &QDialog::accept);
  haupt->addLayout(unten);
  connect(m_seiten, &QTabWidget::currentChanged, this, &TVorauswahl::SeiteGewechselt);
  Fenstergroesse::Setzen(this, {1100, 700});
}

TVorauswahl::~TVorauswahl() {
  // Closed without done(): nothing entered is lost.
  if (m_offen) Abschliessen();
}

std::vector<TListenSeite*> TVorauswahl::AlleSeiten() const { return {m_kulturen, m_mineral, m_organisch, m_stoffe, m_weide}; }

void TVorauswahl::setAnweisung(const QString& text) {
  m_anweisung = text;
  if (!text.isEmpty()) setWindowTitle(text);
}

bool TVorauswahl::Oeffnen() {
  if (m_offen) return true;
  if (m_anweisung.isEmpty()) {
    const QString name =
        Vorauswahldaten::Betriebsname(m_db, m_betrieb);
    setWindowTitle(QStringLiteral("Vorauswahl:  ") + name + QStringLiteral(" / ") + QString::number(m_jahr));
  }
  bool ok = true;
  for (TListenSeite* s : AlleSeiten()) ok = s->Oeffnen() && ok;
  m_offen = true;
  const QSignalBlocker sperre(m_seiten);
  m_seiten->setCurrentIndex(0);
  return ok;
}

void TVorauswahl::showEvent(QShowEvent* ereignis) {
  Oeffnen();
  QDialog::showEvent(ereignis);
}

void TVorauswahl::keyPressEvent(QKeyEvent* ereignis) {
  // Escape takes back an input; it does not close the window.
  if (ereignis->key() == Qt::Key_Escape) {
    ereignis->accept();
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

void TVorauswahl::SeiteGewechselt() {
  if (!m_offen) return;
  for (TListenSeite* s : AlleSeiten()) s->SpeichernOderVerwerfen();
  m_mineral->GruppeWaehlen(QStringLiteral("Alle"));
  m_organisch->GruppeWaehlen(QStringLiteral("Alle"));
}

void TVorauswahl::RechnerZeigen() {
  if (!m_rechner) {
    m_rechner = new TTaschenrechner(TTaschenrechner::TArt::Kopieren, this);
    m_rechner->setAttribute(Qt::WA_DeleteOnClose);
  }
  m_rechner->show();
  m_rechner->raise();
}

void TVorauswahl::done(int ergebnis) {
  if (m_offen) Abschliessen();
  QDialog::done(ergebnis);
}

void TVorauswahl::Abschliessen() {
  for (TListenSeite* s : AlleSeiten()) s->SpeichernOderVerwerfen();
  Vorauswahldaten::InAufzeichnungenUebernehmen(m_db, m_betrieb);
  for (TListenSeite* s : AlleSeiten()) s->Schliessen();
  m_offen = false;
}
