#include "betriebsbereich.h"

#include "formular.h"
#include "betriebe.h"
#include "bodenklimaraum.h"
#include "dbauswahl.h"
#include "meldungen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

void TEuNummerFeld::keyPressEvent(QKeyEvent* e) {
  const QString t = e->text();
  if (t.size() == 1 && t[0].isPrint() && !Betriebe::EuZeichenErlaubt(t[0], text().length() - selectedText().length())) {
    e->accept();
    return;
  }
  TDBEditMod::keyPressEvent(e);
}

namespace {

QPushButton* Knopf(const QString& text, QWidget* eltern) {
  auto* k = new QPushButton(text, eltern);
  k->setAccessibleName(text);
  return k;
}

}  // namespace

TBetriebsBereich::TBetriebsBereich(TADODataSetMod& betriebe, TADODataSetMod& orte, TADODataSetMod& ortsteile,
                                   TMeldungen& meldungen, QWidget* eltern)
    : QWidget(eltern), m_betriebe(betriebe), m_orte(orte), m_ortsteile(ortsteile), m_meldungen(meldungen) {
  auto* gesamt = new QVBoxLayout(this);
  gesamt->setContentsMargins(0, 0, 0, 0);

  auto* suchZeile = new QHBoxLayout;
  auto* suchText = new QLabel(QStringLiteral("Suchen"), this);
  m_suche = new QLineEdit(this);
  m_suche->setObjectName(QStringLiteral("edtSuchen"));
  m_suche->setAccessibleName(QStringLiteral("Suchen"));
  suchText->setBuddy(m_suche);
  suchZeile->addWidget(suchText);
  suchZeile->addWidget(m_suche, 1);
  gesamt->addLayout(suchZeile);
  connect(m_suche, &QLineEdit::textEdited, this, &TBetriebsBereich::SucheGeaendert);
  connect(m_suche, &QLineEdit::editingFinished, m_suche, &QLineEdit::clear);

  m_panel = new TADOPanel(this);
  m_panel->setObjectName(QStringLiteral("pnlBetriebsdaten"));
  m_panel->setAccessibleName(QStringLiteral("Betriebsdaten"));
  m_panel->setDataSet(&betriebe);
  m_panel->setMeldungen(&meldungen);
  m_panel->setFrameShape(QFrame::StyledPanel);
  auto* form = new QFormLayout(m_panel);
  auto feld = [&](const QString& titel, const QString& spalte, TDBEditMod* f) {
    f->setParent(m_panel);
    f->Binden(&betriebe, spalte);
    f->setMeldungen(&meldungen);
    f->setAccessibleName(titel);
    f->setObjectName(QStringLiteral("edt") + spalte);
    form->addRow(titel, f);
    m_felder[spalte] = f;
    return f;
  };
  feld(QStringLiteral("Name des Unternehmens"), QStringLiteral("Betriebsname"), new TDBEditMod);
  feld(QStringLiteral("Straße/Nr."), QStringLiteral("SitzStrasse"), new TDBEditMod);
  feld(QStringLiteral("Telefon/Fax"), QStringLiteral("SitzTelefon"), new TDBEditMod);
  feld(QStringLiteral("E-Mail"), QStringLiteral("SitzEmail"), new TDBEditMod);
  TDBEditMod* eu = feld(QStringLiteral("EU-Betriebsnummer *"), QStringLiteral("EU_NUMMER"), new TEuNummerFeld);
  eu->setAccessibleName(QStringLiteral("EU-Betriebsnummer"));
  eu->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  TDBEditMod* plz = feld(QStringLiteral("PLZ *"), QStringLiteral("SitzPLZ"), new TDBEditMod);
  plz->setAccessibleName(QStringLiteral("PLZ"));
  plz->setFehler_Faerben(cnstFaerbenWenn0orLeer);

  auto wahl = [&](const QString& titel, const QString& spalte, const char* objekt) {
    auto* w = new TDBComboBoxMod(m_panel);
    w->setObjectName(QLatin1String(objekt));
    w->setAccessibleName(titel);
    w->setMaxVisibleItems(20);
    w->Binden(&betriebe, spalte);
    w->setFehler_Faerben(cnstFaerbenWenn0orLeer);
    form->addRow(titel + QStringLiteral(" *"), w);
    return w;
  };
  m_ort = wahl(QStringLiteral("Ort"), QStringLiteral("SitzOrtNr"), "cbbOrt");
  m_ortsteil = wahl(QStringLiteral("Ortsteil"), QStringLiteral("SitzOrtsTeilNr"), "cbbOrtsteil");
  connect(m_ort, &QComboBox::activated, this, &TBetriebsBereich::OrtWaehlen);
  connect(m_ortsteil, &QComboBox::activated, this, &TBetriebsBereich::OrtsteilWaehlen);

  // The region comes from the locality when it has one; otherwise the
  // farmer types it (the shipped places carry none).
  m_bkr = feld(QStringLiteral("Bodenklimaraum des Betriebes"), QStringLiteral("BKR"), new TDBEditMod);
  m_bkr->setToolTip(Bodenklimaraum::Erklaerung);
  m_bkr->setWhatsThis(Bodenklimaraum::Erklaerung);
  m_bkr->setKeineNegativen(true);
  for (auto [titel, spalte] : {std::pair{"Kreis", "Kreis"}, std::pair{"Kreisnummer", "KreisNr"}}) {
    TDBEditMod* f = feld(QString::fromUtf8(titel), QLatin1String(spalte), new TDBEditMod);
    f->setRO(true);
  }

  std::tie(m_ok, m_abbruch) = Formular::OkAbbruch(form, m_panel);
  gesamt->addWidget(m_panel);

  auto* aktionen = new QGridLayout;
  m_neu = Knopf(QStringLiteral("Betrieb neu anlegen"), this);
  m_loeschen = Knopf(QStringLiteral("Betrieb löschen"), this);
  m_uebernehmen = Knopf(QStringLiteral("Auswahl übernehmen"), this);
  m_drucken = Knopf(QStringLiteral("Betriebsliste drucken"), this);
  aktionen->addWidget(m_neu, 0, 0);
  aktionen->addWidget(m_loeschen, 0, 1);
  aktionen->addWidget(m_uebernehmen, 1, 0);
  aktionen->addWidget(m_drucken, 1, 1);
  gesamt->addLayout(aktionen);

  // The EU number is checked when it is left; the check never stops a save.
  connect(eu, &TEingabeFeld::Verlassen, this, [this, eu] {
    if (m_euPruefung || Betriebe::EuNummerVollstaendig(eu->text())) return;
    m_euPruefung = true;
    m_meldungen.Info(Betriebe::EuNummerMeldung);
    eu->setFocus(Qt::OtherFocusReason);
    m_euPruefung = false;
  });

  connect(m_bkr, &TEingabeFeld::Verlassen, this, [this] {
    const QVariant bkr = m_betriebe.IstOffen() ? m_betriebe.Wert(QStringLiteral("BKR")) : QVariant();
    if (m_bkrPruefung || bkr.isNull() || bkr.toInt() == 0 || Bodenklimaraum::Gueltig(bkr)) return;
    m_bkrPruefung = true;
    m_meldungen.Info(Bodenklimaraum::Ungueltig);
    m_bkr->setFocus(Qt::OtherFocusReason);
    m_bkrPruefung = false;
  });

  connect(&orte, &TADODataSetMod::Zurueckgesetzt, this, &TBetriebsBereich::OrteFuellen);
  for (auto signal : {&TADODataSetMod::Zurueckgesetzt, &TADODataSetMod::ZustandGeaendert})
    connect(&betriebe, signal, this, &TBetriebsBereich::OrtsteileFuellen);
  connect(&betriebe, &TADODataSetMod::PositionGeaendert, this, &TBetriebsBereich::OrtsteileFuellen);
  connect(&ortsteile, &TADODataSetMod::Zurueckgesetzt, this, &TBetriebsBereich::OrtsteileFuellen);
  OrteFuellen();
}

TDBEditMod* TBetriebsBereich::Feld(const QString& spalte) const {
  const auto i = m_felder.find(spalte);
  return i == m_felder.end() ? nullptr : i->second;
}

void TBetriebsBereich::OrteFuellen() {
  m_ort->clear();
  if (!m_orte.IstOffen()) return;
  const int ort = m_orte.FeldIndex(QStringLiteral("Ort")), nr = m_orte.FeldIndex(QStringLiteral("OrtsNr"));
  for (int i = 0; i < m_orte.Anzahl(); ++i) m_ort->addItem(m_orte.Wert(i, ort).toString(), m_orte.Wert(i, nr));
  m_ort->Anzeigen();
}

void TBetriebsBereich::OrtsteileFuellen() {
  // Only the localities of the farm's municipality are offered.
  const QVariant ortNr = m_betriebe.IstOffen() && m_betriebe.Position() >= 0
                             ? m_betriebe.Wert(QStringLiteral("SitzOrtNr"))
                             : QVariant();
  m_ortsteil->clear();
  m_ortsteilZeilen.clear();
  if (m_ortsteile.IstOffen() && !ortNr.isNull()) {
    const int nr = m_ortsteile.FeldIndex(QStringLiteral("OrtsNr"));
    const int teil = m_ortsteile.FeldIndex(QStringLiteral("ORTSTEIL"));
    const int teilNr = m_ortsteile.FeldIndex(QStringLiteral("OrtsteilNr"));
    for (int i = 0; i < m_ortsteile.Anzahl(); ++i) {
      if (m_ortsteile.Wert(i, nr).toLongLong() != ortNr.toLongLong()) continue;
      m_ortsteil->addItem(m_ortsteile.Wert(i, teil).toString(), m_ortsteile.Wert(i, teilNr));
      m_ortsteilZeilen.push_back(i);
    }
  }
  m_ortsteil->Anzeigen();
  BkrFreigeben();
}

void TBetriebsBereich::BkrFreigeben() {
  bool vomOrt = false;
  if (m_betriebe.IstOffen() && m_betriebe.Position() >= 0 && m_ortsteile.IstOffen()) {
    const QVariant teil = m_betriebe.Wert(QStringLiteral("SitzOrtsTeilNr"));
    const int nr = m_ortsteile.FeldIndex(QStringLiteral("OrtsteilNr"));
    const int bkr = m_ortsteile.FeldIndex(QStringLiteral("BKR"));
    for (int i = 0; i < m_ortsteile.Anzahl() && !teil.isNull(); ++i)
      if (m_ortsteile.Wert(i, nr).toLongLong() == teil.toLongLong()) {
        vomOrt = Bodenklimaraum::Gueltig(m_ortsteile.Wert(i, bkr));
        break;
      }
  }
  m_bkr->setRO(vomOrt);
}

void TBetriebsBereich::OrtWaehlen(int eintrag) {
  if (eintrag < 0 || eintrag >= m_orte.Anzahl() || !m_betriebe.IstOffen()) return;
  auto wert = [&](const char* feld) { return m_orte.Wert(eintrag, m_orte.FeldIndex(QLatin1String(feld))); };
  m_betriebe.setWert(QStringLiteral("SitzOrtNr"), wert("OrtsNr"));
  m_betriebe.setWert(QStringLiteral("SitzOrt"), wert("Ort"));
  m_betriebe.setWert(QStringLiteral("Kreis"), wert("Kreis"));
  OrtsteileFuellen();
  // The locality stays if it belongs to the municipality, else its first one is taken.
  int gewaehlt = m_ortsteil->currentIndex();
  if (gewaehlt < 0 && !m_ortsteilZeilen.empty()) gewaehlt = 0;
  if (gewaehlt >= 0) OrtsteilWaehlen(gewaehlt);
}

void TBetriebsBereich::OrtsteilWaehlen(int eintrag) {
  if (eintrag < 0 || eintrag >= int(m_ortsteilZeilen.size())) return;
  OrtsteilUebernehmen(m_ortsteilZeilen[eintrag]);
  m_ortsteil->Anzeigen();
}

void TBetriebsBereich::OrtsteilUebernehmen(int zeile) {
  if (!m_betriebe.IstOffen()) return;
  auto wert = [&](const char* feld) { return m_ortsteile.Wert(zeile, m_ortsteile.FeldIndex(QLatin1String(feld))); };
  m_betriebe.setWert(QStringLiteral("SitzOrtsTeilNr"), wert("OrtsteilNr"));
  m_betriebe.setWert(QStringLiteral("SitzOrtsTeil"), wert("ORTSTEIL"));
  m_betriebe.setWert(QStringLiteral("SitzPLZ"), wert("PLZ"));
  // A locality without a region keeps the one the farmer typed.
  if (Bodenklimaraum::Gueltig(wert("BKR"))) m_betriebe.setWert(QStringLiteral("BKR"), wert("BKR"));
  m_betriebe.setWert(QStringLiteral("Kreis"), wert("Kreis"));
  m_betriebe.setWert(QStringLiteral("KreisNr"), wert("KreisNr"));
  BkrFreigeben();
}
