#include "weideseite.h"

#include "adopanel.h"
#include "dbeditmod.h"
#include "panelhilfe.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TListenSeite::TArt Art() {
  TListenSeite::TArt a;
  a.titel = QStringLiteral("Weidehaltung");
  a.tabelle = QStringLiteral("S_Tiere");
  a.abfrage = QStringLiteral("select * from S_Tiere where DueV = 1 and BetriebsNr = :BNR");
  a.ordnung = QStringLiteral("TIERGRUPPE_NR, TIERART collate Deutsch");
  a.name = QStringLiteral("TIERART");
  const auto gruppe = [](int nr) { return QStringLiteral("TIERGRUPPE_NR = %1").arg(nr); };
  a.gruppen = {{QStringLiteral("Milchvieh"), gruppe(1)},  {QStringLiteral("sonstige Rinder"), gruppe(2)},
               {QStringLiteral("Schweine"), gruppe(3)},   {QStringLiteral("Geflügel"), gruppe(4)},
               {QStringLiteral("Pferde"), gruppe(5)},     {QStringLiteral("Sonstige"), gruppe(6)},
               {QStringLiteral("Alle"), QString()},       {QStringLiteral("Ausgewählte"), QStringLiteral("Auswahl = 1")}};
  a.spalten = {{QStringLiteral("Auswahl"), QStringLiteral("Auswahl")},
               {QStringLiteral("TIERART"), QStringLiteral("Tierart")},
               {QStringLiteral("KATEGORIE_JAHR"), QStringLiteral("Bezugsgröße")}};
  return a;
}

}  // namespace

TWeideSeite::TWeideSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, QWidget* eltern)
    : TListenSeite(db, meldungen, betrieb, Art(), eltern) {
  using namespace Panelhilfe;
  QFormLayout* form = nullptr;
  std::tie(m_panel, form) = Panelhilfe::Panel(Liste(), meldungen, QStringLiteral("Weidehaltung"));
  Feld(form, Liste(), QStringLiteral("TIERART"), QStringLiteral("Tierart-Name"))->setRO(true);
  auto* anfall = new QGroupBox(QStringLiteral("Nährstoffanfall"));
  anfall->setAccessibleName(QStringLiteral("Nährstoffanfall"));
  auto* anfallForm = new QFormLayout(anfall);
  Feld(anfallForm, Liste(), QStringLiteral("N_ANFALL"), QStringLiteral("N (kg N/a)"))->setRO(true);
  Feld(anfallForm, Liste(), QStringLiteral("P_ANFALL"), QStringLiteral("P (kg P/a)"))->setRO(true);
  form->addRow(anfall);
  Feld(form, Liste(), QStringLiteral("KATEGORIE_JAHR"), QStringLiteral("Bezugseinheit"))->setRO(true);
  AuswahlKasten(form, Liste());
  OkAbbruch(form);
  Details()->addWidget(m_panel);
  Details()->addStretch();

  AuswahlKnoepfe();
}

QStringList TWeideSeite::VerwendeteAnweisungen() const {
  // Exactly the animals of the farm's grazing records become chosen.
  return {QStringLiteral("update S_Tiere set  Auswahl = 0 where BetriebsNr = :BNR"),
          QStringLiteral("update S_Tiere set  Auswahl = 1 where  TA_NR in ( select distinct  DngNummer "
                         "from Dung where  Kategorie = 4 and BetriebsNr = :BNR ) and BetriebsNr = :BNR")};
}
