#include "aufzeichnungsliste.h"

#include "connection.h"
#include "dataset.h"
#include "meldungen.h"

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

}  // namespace

TAufzeichnungsliste::TAufzeichnungsliste(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                                         QObject* eltern)
    : QObject(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr) {
  m_kulturen = new TADODataSetMod(db, this);
  m_kulturen->setCommandText(S("SELECT ID, Jahr, Kultur, FruchtNr, Parzelle FROM Anbau WHERE BetriebsNr = :B "
                               "AND Parzelle = :P AND Jahr BETWEEN :J AND :J1 ORDER BY Parzelle, Jahr, FruchtNr"));
  m_dung = new TADODataSetMod(db, this);
  m_dung->setCommandText(S("SELECT * FROM Dung WHERE BetriebsNr = :B AND Parzelle = :P AND Jahr BETWEEN :J AND :J1 "
                           "ORDER BY Jahr, Kategorie, ID"));
  m_dung->setTabelle(S("Dung"));
  for (TADODataSetMod* l : {m_kulturen, m_dung}) {
    l->ParameterSetzen(S("B"), betriebsNr);
    l->ParameterSetzen(S("J"), jahr);
    l->ParameterSetzen(S("J1"), jahr + 1);
    l->ParameterSetzen(S("P"), 0);
  }
  // Records come only through the add buttons and the crop rows of legumes.
  m_dung->setImplizitAnfuegen(false);
  m_dung->BerechnetesFeld(S("KategorieText"), [](const TADODataSetMod& l, int z) {
    return QVariant(Aufzeichnung::KategorieName(l.Wert(z, l.FeldIndex(S("Kategorie"))).toInt()));
  });
  m_dung->BerechnetesFeld(S("KulturText"), [this](const TADODataSetMod& l, int z) {
    return QVariant(KulturText(l.Wert(z, l.FeldIndex(S("ProbenID"))).toLongLong()));
  });
  m_dung->BerechnetesFeld(S("HDText"), [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(S("IstHerbstDuengung"))).toLongLong() != 0 ? S("Ja") : S("Nein"));
  });
  m_dung->VorDemSpeichern = [this](TADODataSetMod& l) { return VorDemSpeichern(l); };
}

QString TAufzeichnungsliste::KulturText(qint64 anbauId) const {
  const int id = m_kulturen->FeldIndex(S("ID"));
  for (int z = 0; z < m_kulturen->Anzahl(); ++z)
    if (m_kulturen->Wert(z, id).toLongLong() == anbauId)
      return m_kulturen->Wert(z, m_kulturen->FeldIndex(S("Jahr"))).toString() + QLatin1Char(' ') +
             m_kulturen->Wert(z, m_kulturen->FeldIndex(S("Kultur"))).toString();
  return {};
}

bool TAufzeichnungsliste::SchlagSetzen(int parzelle, double groesse) {
  if (m_dung->IstOffen() && !m_dung->SpeichernWennGeaendert()) return false;
  m_parzelle = parzelle;
  m_groesse = groesse;
  for (TADODataSetMod* l : {m_kulturen, m_dung}) {
    l->ParameterSetzen(S("P"), parzelle);
    l->Oeffnen();
  }
  return true;
}

void TAufzeichnungsliste::Schliessen() {
  m_dung->Schliessen();
  m_kulturen->Schliessen();
}

bool TAufzeichnungsliste::Anlegen(int kategorie, qint64 kultur) {
  if (!m_dung->SpeichernWennGeaendert() || !m_dung->Anfuegen()) return false;
  m_dung->setWert(S("BetriebsNr"), m_betrieb);
  m_dung->setWert(S("Jahr"), m_jahr);
  m_dung->setWert(S("Parzelle"), m_parzelle);
  m_dung->setWert(S("ProbenID"), kultur);
  m_dung->setWert(S("IstHerbstDuengung"), 0);
  m_dung->setWert(S("Kategorie"), kategorie);
  return true;
}

void TAufzeichnungsliste::KulturGewaehlt() {
  if (m_dung->Position() < 0) return;
  const qint64 id = m_dung->Wert(S("ProbenID")).toLongLong();
  const int spalte = m_kulturen->FeldIndex(S("ID"));
  for (int z = 0; z < m_kulturen->Anzahl(); ++z)
    if (m_kulturen->Wert(z, spalte).toLongLong() == id)
      m_dung->setWert(S("Jahr"), m_kulturen->Wert(z, m_kulturen->FeldIndex(S("Jahr"))));
}

void TAufzeichnungsliste::StammwerteUebernehmen() {
  if (m_dung->Position() < 0) return;
  const Aufzeichnung::TWerte w = Aufzeichnung::AusListe(*m_dung);
  const Aufzeichnung::TStammwerte s = Aufzeichnung::Stammwerte(m_db, m_betrieb, w.kategorie, w.dngNummer);
  if (!s.fehler.isEmpty()) {
    m_meldungen.Info(s.fehler);
    return;
  }
  for (const auto& [spalte, wert] : s.werte) m_dung->setWert(spalte, wert);
}

bool TAufzeichnungsliste::Folgejahr(int zeile) const {
  return m_dung->Wert(zeile, m_dung->FeldIndex(S("Jahr"))).toInt() > m_jahr;
}

bool TAufzeichnungsliste::VorDemSpeichern(TADODataSetMod& l) {
  m_abgelehnt = false;
  const Aufzeichnung::TSpeicherung s = Aufzeichnung::VorDemSpeichern(m_db, Aufzeichnung::AusListe(l), m_jahr, m_groesse);
  if (!s.meldung.isEmpty()) {
    m_abgelehnt = true;
    QVariantList stand = {l.Position(), s.meldung};
    for (int i = 0; i < int(l.Felder().size()); ++i)
      if (!l.Felder()[i].berechnet) stand << l.Wert(l.Position(), i);
    if (stand != m_abgelehnterStand) m_meldungen.Info(s.meldung);
    m_abgelehnterStand = stand;
    return false;
  }
  m_abgelehnterStand.clear();
  if (!s.hinweis.isEmpty()) m_meldungen.Info(s.hinweis);
  for (const auto& [spalte, wert] : s.werte) l.setWert(spalte, wert);
  return true;
}
