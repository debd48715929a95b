#include "stoffseite.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "feldregeln.h"
#include "meldungen.h"
#include "panelhilfe.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TStoffGruppe {
  int nr;
  QString knopf;
  QString gruppe;
};

const std::vector<TStoffGruppe> StoffGruppen = {
    {1, QStringLiteral("Pflanzenhilfsmittel anlegen"), QStringLiteral("Pflanzenhilfsstoffe")},
    {2, QStringLiteral("Kultursubstrat anlegen"), QStringLiteral("Kultursubstrate")},
    {3, QStringLiteral("Bodenhilfsstoff anlegen"), QStringLiteral("Bodenhilfsstoffe")},
    {4, QStringLiteral("Abfall zur Beseitigung anlegen"), QStringLiteral("Abfälle Beseitigung")}};

TListenSeite::TArt Art() {
  TListenSeite::TArt a;
  a.titel = QStringLiteral("andere Stoffe");
  a.tabelle = QStringLiteral("S_AndereStoffe");
  a.abfrage = QStringLiteral("select S_AndereStoffe.*, ") + TListenSeite::HerkunftSpalte() +
              QStringLiteral(" from S_AndereStoffe where BetriebsNr = :BNR");
  a.ordnung = QStringLiteral("StoffNr");
  a.schluessel = QStringLiteral("StoffNr");
  a.name = QStringLiteral("Stoff");
  a.auswahl = false;
  a.enter = false;
  a.suche = false;
  a.spalten = {{QStringLiteral("StoffGruppe"), QStringLiteral("Stoff-Gruppe")},
               {QStringLiteral("Stoff"), QStringLiteral("Stoff")},
               {QStringLiteral("N"), QStringLiteral("N (kg/t bzw. m³ FM)")},
               {QStringLiteral("P"), QStringLiteral("P (kg/t bzw. m³ FM)")},
               {QStringLiteral("K"), QStringLiteral("K (kg/t bzw. m³ FM)")},
               {QStringLiteral("Herkunft"), QStringLiteral("Herkunft")}};
  return a;
}

}  // namespace

TStoffSeite::TStoffSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, QWidget* eltern)
    : TListenSeite(db, meldungen, betrieb, Art(), eltern) {
  using namespace Panelhilfe;
  QFormLayout* form = nullptr;
  std::tie(m_panel, form) = Panelhilfe::Panel(Liste(), meldungen, QStringLiteral("andere Stoffe"));
  m_stoff = Feld(form, Liste(), QStringLiteral("Stoff"), QStringLiteral("Stoffbezeichnung"));
  Feld(form, Liste(), QStringLiteral("TM"), QStringLiteral("TM (%)"));
  Feld(form, Liste(), QStringLiteral("N"), QStringLiteral("N (kg/t bzw. m³ FM)"));
  Feld(form, Liste(), QStringLiteral("NH4"), QStringLiteral("Nverf (kg/t bzw. m³ FM)"));
  auto* p = Feld(form, Liste(), QStringLiteral("P"), QStringLiteral("P (kg/t bzw. m³ FM)"), 4);
  auto* p2o5 = Feld(form, Liste(), QStringLiteral("P2O5"), QStringLiteral("P2O5 (kg/t bzw. m³ FM)"), 4);
  Auswahlfeld(form, Liste(), QStringLiteral("Herkunft_Nr"), QStringLiteral("Datenherkunft"),
              {{QStringLiteral("Analyse"), 2}, {QStringLiteral("Deklaration"), 3}});
  OkAbbruch(form);
  Details()->addWidget(m_panel);
  Details()->addStretch();

  new TNachEingabe(p, [this] {
    Liste().setWert(QStringLiteral("P2O5"), Liste().Wert(QStringLiteral("P")).toDouble() * Umrechnung::P2O5JeP);
  });
  new TNachEingabe(p2o5, [this] {
    Liste().setWert(QStringLiteral("P"), Liste().Wert(QStringLiteral("P2O5")).toDouble() * Umrechnung::PJeP2O5);
  });

  for (const auto& g : StoffGruppen)
    connect(NeuerKnopf(g.knopf, Knoepfe()), &QPushButton::clicked, this, [this, nr = g.nr] { Anlegen(nr); });
  connect(NeuerKnopf(QStringLiteral("Stoff löschen"), Knoepfe()), &QPushButton::clicked, this, &TStoffSeite::Loeschen);

  Liste().VorDemSpeichern = [this](TADODataSetMod& l) {
    m_geaendert = HatAenderungen(l);
    return true;
  };
  // Without a row number the row is read anew by its substance number.
  Liste().NachDemSpeichern = [this](TADODataSetMod&) {
    if (!m_geaendert) return;
    m_geaendert = false;
    NachSpeichernNeuLesen();
  };
}

void TStoffSeite::Anlegen(int gruppe) {
  const auto g = std::find_if(StoffGruppen.begin(), StoffGruppen.end(), [&](const auto& s) { return s.nr == gruppe; });
  if (g == StoffGruppen.end() || !TListenSeite::Anlegen()) return;
  // Numbers run over all farms.
  const qlonglong nr = qlonglong(m_db.HoechsterWert(QStringLiteral("S_AndereStoffe"), QStringLiteral("StoffNr"), QString())) + 1;
  auto& l = Liste();
  // Every stored column is set: the row is written back by its values.
  const std::vector<std::pair<QString, QVariant>> werte = {
      {QStringLiteral("BetriebsNr"), m_betrieb},    {QStringLiteral("Stoff"), QString()},
      {QStringLiteral("StoffNr"), nr},              {QStringLiteral("StoffGruppe"), g->gruppe},
      {QStringLiteral("StoffGruppeNr"), g->nr},     {QStringLiteral("N"), 0.0},
      {QStringLiteral("P2O5"), 0.0},                {QStringLiteral("P"), 0.0},
      {QStringLiteral("K2O"), 0.0},                 {QStringLiteral("K"), 0.0},
      {QStringLiteral("TM"), 0.0},                  {QStringLiteral("Herkunft_Nr"), 0},
      {QStringLiteral("NH4"), 0.0}};
  for (const auto& [spalte, wert] : werte) l.setWert(spalte, wert);
  m_stoff->setFocus(Qt::OtherFocusReason);
}

void TStoffSeite::Loeschen() {
  if (!Liste().IstOffen() || Liste().Position() < 0) return;
  if (m_meldungen.Frage(QStringLiteral("Datensatz wirklich löschen?"))) Liste().Loeschen();
}
