#include "ertragsfenster.h"

#include "fenstergroesse.h"
#include "dataset.h"
#include "ertraege.h"
#include "ertragsraster.h"
#include "meldungen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }

QLabel* Hinweis(const QString& text) {
  auto* l = new QLabel(text);
  l->setAccessibleName(text);
  l->setWordWrap(true);
  return l;
}
}  // namespace

const QString TErtragsfenster::Titel = S("Ertragserfassung");
const QString TErtragsfenster::VerwerfenFrage =
    S("Der Ertrag kann so nicht gespeichert werden. Soll das Fenster trotzdem geschlossen und die Eingabe "
      "verworfen werden?");

TErtragsfenster::TErtragsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                                 bool alleGruppen, QWidget* eltern)
    : QDialog(eltern),
      m_meldungen(meldungen),
      m_liste(new Ertraege::TErtragsliste(db, meldungen, betriebsNr, jahr, alleGruppen, this)) {
  setWindowTitle(Titel);
  setAccessibleName(Titel);
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(Hinweis(Ertraege::HinweisOben(jahr)));
  m_raster = new TErtragsRaster(*m_liste, meldungen);
  m_raster->setAccessibleName(S("Erträge"));
  haupt->addWidget(m_raster, 1);
  for (const QString& text : Ertraege::HinweiseUnten(jahr)) haupt->addWidget(Hinweis(text));

  auto* unten = new QHBoxLayout;
  unten->addStretch();
  const auto knopf = [&](const QString& text, auto aktion) {
    auto* k = new QPushButton(text);
    k->setAccessibleName(text);
    // Enter belongs to the grid: it saves the row and goes on.
    k->setAutoDefault(false);
    connect(k, &QPushButton::clicked, this, aktion);
    unten->addWidget(k);
  };
  knopf(S("OK"), [this] { accept(); });
  knopf(S("Abbrechen"), [this] {
    m_verwerfen = true;
    reject();
    m_verwerfen = false;
  });
  haupt->addLayout(unten);
  Fenstergroesse::Setzen(this, {960, 600});
}

TErtragsfenster::~TErtragsfenster() {
  // Closed without done(): what can be saved is saved.
  if (m_offen) m_liste->Schliessen();
}

bool TErtragsfenster::Oeffnen() {
  if (m_offen) return true;
  m_offen = m_liste->Oeffnen();
  m_raster->ErtragWaehlen();
  m_raster->setFocus(Qt::OtherFocusReason);
  return m_offen;
}

void TErtragsfenster::showEvent(QShowEvent* ereignis) {
  Oeffnen();
  QDialog::showEvent(ereignis);
}

void TErtragsfenster::done(int ergebnis) {
  if (m_offen) {
    if (m_verwerfen)
      m_raster->EingabeVerwerfen();
    else
      m_raster->EingabeUebernehmen();
    if (!m_liste->Schliessen()) {
      if (!m_meldungen.Frage(VerwerfenFrage)) return;
      m_raster->EingabeVerwerfen();
      m_liste->Schliessen();
    }
    m_offen = false;
  }
  QDialog::done(ergebnis);
}
