#include "detailpanel.h"

#include "aufzeichnung.h"
#include "aufzeichnungsliste.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TDetailPanel::TDetailPanel(TAufzeichnungsliste& liste, TMeldungen& meldungen, int duengejahr, const QString& name,
                           QWidget* eltern)
    : TADOPanel(eltern), m_liste(liste), m_panelMeldungen(meldungen, liste), m_jahr(duengejahr) {
  setAccessibleName(name);
  setDataSet(&liste.Liste());
  setMeldungen(&m_panelMeldungen);
  setFrameShape(QFrame::StyledPanel);
  m_form = new QFormLayout(this);
  auto* titel = new QLabel(QStringLiteral("<b>") + name.toHtmlEscaped() + QStringLiteral("</b>"));
  titel->setAccessibleName(name);
  m_form->addRow(titel);
}

TDBEditMod* TDetailPanel::Datumsfeld(const QString& beschriftung, bool fokusZurueck) {
  TDBEditMod* feld = Formular::Feld(m_form, &m_liste.Liste(), QStringLiteral("Datum"), beschriftung);
  feld->setFehler_Faerben(cnstFaerbenWennNull);
  connect(feld, &TEingabeFeld::Verlassen, this, [this, feld, fokusZurueck] { DatumPruefen(feld, fokusZurueck); });
  return feld;
}

void TDetailPanel::DatumPruefen(TDBEditMod* feld, bool fokusZurueck) {
  if (m_liste.Liste().Position() < 0 || !isVisible()) return;
  const QString meldung = Aufzeichnung::DatumFehler(m_jahr, Aufzeichnung::AusListe(m_liste.Liste()).datum);
  if (meldung.isEmpty()) return;
  Meldungen().Info(meldung);
  if (fokusZurueck) feld->setFocus(Qt::OtherFocusReason);
}

TDBEditMod* TDetailPanel::Zahlfeld(const QString& spalte, const QString& name, const QString& einheit,
                                   int nachkommastellen, bool pflicht, const QString& beschriftung) {
  auto* feld = new TDBEditMod(&m_liste.Liste(), spalte);
  feld->setAccessibleName(name);
  feld->setGenauigkeit(nachkommastellen);
  // Amounts, animals and days are never negative.
  feld->setKeineNegativen(true);
  if (pflicht) feld->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  auto* zeile = new QHBoxLayout;
  zeile->addWidget(feld, 1);
  if (!einheit.isEmpty()) {
    auto* e = new QLabel(einheit);
    e->setAccessibleName(name + QStringLiteral(" Einheit"));
    zeile->addWidget(e);
  }
  auto* label = new QLabel(beschriftung.isEmpty() ? name : beschriftung);
  label->setBuddy(feld);
  m_form->addRow(label, zeile);
  return feld;
}

TDBComboBoxMod* TDetailPanel::Eintragsauswahl(const QString& beschriftung, TADODataSetMod& stammliste) {
  TDBComboBoxMod* auswahl =
      Formular::Auswahl(m_form, &m_liste.Liste(), QStringLiteral("DngNummer"), beschriftung, {}, true);
  m_eintrag = auswahl;
  EintraegeFuellen(auswahl, stammliste);
  connect(&stammliste, &TADODataSetMod::Zurueckgesetzt, auswahl,
          [this, auswahl, &stammliste] { EintraegeFuellen(auswahl, stammliste); });
  // After the binding has written the number.
  connect(auswahl, &QComboBox::activated, this, &TDetailPanel::EintragGewaehlt);
  auswahl->installEventFilter(this);
  // An item no longer offered shows the record's own name.
  const auto platzhalter = [this, auswahl] {
    auswahl->setPlaceholderText(m_liste.Liste().Position() >= 0
                                    ? m_liste.Liste().Wert(QStringLiteral("Dng")).toString()
                                    : QString());
  };
  connect(&m_liste.Liste(), &TADODataSetMod::PositionGeaendert, auswahl, platzhalter);
  connect(&m_liste.Liste(), &TADODataSetMod::ZeileGeaendert, auswahl, platzhalter);
  connect(&m_liste.Liste(), &TADODataSetMod::Zurueckgesetzt, auswahl, platzhalter);
  return auswahl;
}

void TDetailPanel::EintraegeFuellen(TDBComboBoxMod* auswahl, const TADODataSetMod& stammliste) {
  const QSignalBlocker sperre(auswahl);
  auswahl->clear();
  const int nummer = stammliste.FeldIndex(QStringLiteral("Nummer"));
  const int name = stammliste.FeldIndex(QStringLiteral("Name"));
  for (int z = 0; z < stammliste.Anzahl(); ++z)
    auswahl->Eintrag(stammliste.Wert(z, name).toString(), stammliste.Wert(z, nummer));
  auswahl->Anzeigen();
}

void TDetailPanel::EintragGewaehlt() {
  m_liste.StammwerteUebernehmen();
  Anzeigen();
}

TDBComboBoxMod* TDetailPanel::Kulturauswahl(const QString& beschriftung) {
  TDBComboBoxMod* auswahl = Formular::Auswahl(m_form, &m_liste.Liste(), QStringLiteral("ProbenID"), beschriftung, {});
  KulturenFuellen(auswahl);
  connect(&m_liste.Kulturen(), &TADODataSetMod::Zurueckgesetzt, auswahl, [this, auswahl] { KulturenFuellen(auswahl); });
  connect(auswahl, &QComboBox::activated, this, [this] { m_liste.KulturGewaehlt(); });
  return auswahl;
}

void TDetailPanel::KulturenFuellen(TDBComboBoxMod* auswahl) {
  const QSignalBlocker sperre(auswahl);
  auswahl->clear();
  const TADODataSetMod& k = m_liste.Kulturen();
  const int id = k.FeldIndex(QStringLiteral("ID"));
  for (int z = 0; z < k.Anzahl(); ++z) {
    const QVariant wert = k.Wert(z, id);
    auswahl->Eintrag(m_liste.KulturText(wert.toLongLong()), wert);
  }
  auswahl->Anzeigen();
}

TDBCheckBoxMod* TDetailPanel::Herbsthaken() {
  TDBCheckBoxMod* haken = Formular::Haken(m_form, &m_liste.Liste(), QStringLiteral("IstHerbstDuengung"),
                                          QStringLiteral("  Ist Herbstdüngung zu Winterraps, Wintergerste oder "
                                                         "Winterbraugerste (bitte Ausbringungsobergrenzen beachten)"));
  haken->setAccessibleName(haken->text().trimmed());
  return haken;
}

void TDetailPanel::Knoepfe() {
  const auto [ok, abbruch] = Formular::OkAbbruch(m_form, this);
  connect(ok, &TDBOKBitBtn::Gespeichert, this, &TDetailPanel::Fertig);
  connect(abbruch, &TDBOKBitBtn::Abgebrochen, this, &TDetailPanel::Fertig);
}

bool TDetailPanel::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == m_eintrag && ereignis->type() == QEvent::FocusIn) {
    // Entering the list box of a record without an item takes the first one.
    TADODataSetMod& l = m_liste.Liste();
    if (l.Position() >= 0 && l.Wert(QStringLiteral("DngNummer")).toLongLong() == 0 && m_eintrag->count() > 0) {
      l.setWert(QStringLiteral("DngNummer"), m_eintrag->itemData(0));
      EintragGewaehlt();
    }
  }
  return TADOPanel::eventFilter(objekt, ereignis);
}
