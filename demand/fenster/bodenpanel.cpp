#include "bodenpanel.h"

#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"
#include "meldungen.h"
#include "phosphorpruefung.h"

#include <QDate>
#include <QEvent>
#include <QFormLayout>

using namespace Qt::StringLiterals;
namespace P = Phosphorpruefung;

TBodenpanel::TBodenpanel(TADODataSetMod& schlaege, TMeldungen& meldungen, QWidget* eltern)
    : QGroupBox(u"Bodenuntersuchung"_s, eltern), m_schlaege(schlaege), m_meldungen(meldungen) {
  setAccessibleName(u"Bodenuntersuchung"_s);
  auto* f = m_form = new QFormLayout(this);
  TADODataSetMod* s = &schlaege;
  m_methode =
      Formular::Auswahl(f, s, u"P_Methode"_s, u"Analysemethode *"_s, {{u"CAL"_s, 1}, {u"DL"_s, 2}, {u"EUF"_s, P::Euf}}, true);
  connect(m_methode, &QComboBox::activated, this, &TBodenpanel::MethodeGewaehlt);
  m_p2o5 = Formular::Feld(f, s, u"P2O5_Gehalt"_s, u"P2O5-Gehalt (mg/100 g) *"_s, 2, true);
  m_p = Formular::Feld(f, s, u"P_Gehalt"_s, u"P-Gehalt (mg/100 g) *"_s, 2, true);
  // Either content fills the other, as on the page "Schlag-Grunddaten".
  for (bool p2o5 : {true, false})
    connect(p2o5 ? m_p2o5 : m_p, &TEingabeFeld::Verlassen, this, [this, p2o5] {
      if (m_schlaege.Position() >= 0 && (p2o5 ? m_p2o5 : m_p)->WertGeaendert()) P::GehaltEingegeben(m_schlaege, p2o5);
    });
  m_klasse = Formular::Feld(f, s, u"P_GehaltsKlasse"_s, u"Gehaltsklasse"_s);
  m_klasse->setRO(true);
  auto* analyse = Formular::Feld(f, s, u"P_AnalyseDatum"_s, u"Analysedatum *"_s);
  analyse->setDatenTyp(dtDatum);
  analyse->setFehler_Faerben(cnstFaerbenWennNull);
  // Not marked: "Berechnen" asks whether to take today's date.
  m_datum = Formular::Feld(f, s, u"P_BerechnungsDatum"_s, u"Berechnungsdatum *"_s);
  m_datum->setDatenTyp(dtDatum);
  m_datum->setToolTip(u"Doppelklick für das heutige Datum."_s);
  m_datum->installEventFilter(this);
  connect(m_datum, &TEingabeFeld::Verlassen, this, &TBodenpanel::DatumVerlassen);
  auto* nutzung = Formular::Auswahl(f, s, u"NutzungsForm"_s, u"Nutzungsform *"_s,
                                    {{u"Ackerland"_s, 1}, {u"Grünland"_s, 2}, {u"Brache"_s, 4}}, true);
  connect(nutzung, &QComboBox::activated, this, [this] {
    // Fallow is not fertilised.
    if (m_schlaege.Wert(u"NutzungsForm"_s).toInt() == 4) m_schlaege.setWert(u"KeineDuengung"_s, 1);
  });
}

void TBodenpanel::EufZeigen(bool euf) {
  for (QWidget* w : {static_cast<QWidget*>(m_p2o5), static_cast<QWidget*>(m_p), static_cast<QWidget*>(m_klasse)})
    m_form->setRowVisible(w, !euf);
}

QWidget* TBodenpanel::Datum() const { return m_datum; }

QWidget* TBodenpanel::PGehalt() const { return m_p; }

void TBodenpanel::MethodeGewaehlt() {
  if (m_schlaege.Position() < 0) return;
  if (m_schlaege.Wert(u"P_Methode"_s).toInt() == P::Euf) {
    m_meldungen.Info(P::Meldung(P::THindernis::Euf));
    P::ErgebnisseLeeren(m_schlaege);
  } else {
    P::KlasseAbleiten(m_schlaege);
  }
  emit MethodeGeaendert();
}

void TBodenpanel::DatumVerlassen() {
  if (m_schlaege.Position() < 0) return;
  const QString warnung = P::Datumswarnung(m_schlaege.Wert(u"P_BerechnungsDatum"_s), m_schlaege.Wert(u"Jahr"_s).toInt());
  if (!warnung.isEmpty()) m_meldungen.Info(warnung);
}

bool TBodenpanel::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == m_datum && ereignis->type() == QEvent::MouseButtonDblClick && m_schlaege.Position() >= 0) {
    m_schlaege.setWert(u"P_BerechnungsDatum"_s, QDate::currentDate().toString(u"yyyy-MM-dd"_s));
    return true;
  }
  return QGroupBox::eventFilter(objekt, ereignis);
}
