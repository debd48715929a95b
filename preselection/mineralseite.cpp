#include "mineralseite.h"

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

constexpr int EigeneGruppe = 999;

TListenSeite::TArt Art() {
  TListenSeite::TArt a;
  a.titel = QStringLiteral("Mineraldünger");
  a.tabelle = QStringLiteral("S_MinDung");
  a.abfrage = QStringLiteral("select S_MinDung.*, ") + TListenSeite::HerkunftSpalte() +
              QStringLiteral(" from S_MinDung where BetriebsNr = :BNR");
  a.ordnung = QStringLiteral("DuengerGruppeNr, duengemittel collate Deutsch");
  a.name = QStringLiteral("Duengemittel");
  const auto gruppe = [](int nr) { return QStringLiteral("DuengerGruppeNr = %1").arg(nr); };
  a.gruppen = {{QStringLiteral("N-Dünger"), gruppe(1)},
               {QStringLiteral("P-Dünger"), gruppe(2)},
               {QStringLiteral("K-Dünger"), gruppe(3)},
               {QStringLiteral("Kalk-Dünger"), gruppe(5)},
               {QStringLiteral("Mehrnährstoffdünger"), gruppe(6)},
               {QStringLiteral("Eigene"), gruppe(EigeneGruppe)},
               {QStringLiteral("Alle"), QString()},
               {QStringLiteral("Ausgewählte"), QStringLiteral("Auswahl = 1")}};
  a.spalten = {{QStringLiteral("Auswahl"), QStringLiteral("Auswahl")},
               {QStringLiteral("DuengerGruppe"), QStringLiteral("Dünger-Gruppe")},
               {QStringLiteral("Duengemittel"), QStringLiteral("Düngemitttel")},
               {QStringLiteral("N"), QStringLiteral("N (kg/dt)")},
               {QStringLiteral("P2O5"), QStringLiteral("P205 (kg/dt)")},
               {QStringLiteral("P"), QStringLiteral("P (kg/dt)")},
               {QStringLiteral("K2O"), QStringLiteral("K20 (kg/dt)")},
               {QStringLiteral("K"), QStringLiteral("K (kg/dt)")},
               {QStringLiteral("Herkunft"), QStringLiteral("Herkunft")}};
  return a;
}

}  // namespace

TMineralSeite::TMineralSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, QWidget* eltern)
    : TListenSeite(db, meldungen, betrieb, Art(), eltern) {
  using namespace Panelhilfe;
  QFormLayout* form = nullptr;
  std::tie(m_panel, form) = Panelhilfe::Panel(Liste(), meldungen, QStringLiteral("Mineraldünger"));
  m_name = Feld(form, Liste(), QStringLiteral("Duengemittel"), QStringLiteral("Düngemittel"));
  m_n = Feld(form, Liste(), QStringLiteral("N"), QStringLiteral("N (kg/dt)"));
  m_p = Feld(form, Liste(), QStringLiteral("P"), QStringLiteral("P (kg/dt)"), 4);
  m_p2o5 = Feld(form, Liste(), QStringLiteral("P2O5"), QStringLiteral("P2O5 (kg/dt)"), 4);
  m_herkunft = Auswahlfeld(form, Liste(), QStringLiteral("Herkunft_Nr"), QStringLiteral("Datenherkunft"),
                           {{QStringLiteral("Analyse"), 2}, {QStringLiteral("Deklaration"), 3}});
  AuswahlKasten(form, Liste());
  OkAbbruch(form);
  Details()->addWidget(m_panel);
  Details()->addStretch();

  new TNachEingabe(m_p, [this] {
    Liste().setWert(QStringLiteral("P2O5"), Liste().Wert(QStringLiteral("P")).toDouble() * Umrechnung::P2O5JeP);
  });
  new TNachEingabe(m_p2o5, [this] {
    Liste().setWert(QStringLiteral("P"), Liste().Wert(QStringLiteral("P2O5")).toDouble() * Umrechnung::PJeP2O5);
  });

  connect(NeuerKnopf(QStringLiteral("eigenen anlegen"), Knoepfe()), &QPushButton::clicked, this,
          &TMineralSeite::EigenenAnlegen);
  connect(NeuerKnopf(QStringLiteral("eigenen löschen"), Knoepfe()), &QPushButton::clicked, this,
          &TMineralSeite::EigenenLoeschen);
  AuswahlKnoepfe();

  Liste().VorDemSpeichern = [this](TADODataSetMod& l) {
    m_geaendert = HatAenderungen(l);
    if (!m_geaendert || l.Wert(QStringLiteral("DuengerGruppeNr")).toLongLong() != EigeneGruppe) return true;
    const QString name = l.Wert(QStringLiteral("Duengemittel")).toString();
    if (!name.trimmed().isEmpty() && !name.startsWith(QLatin1Char('_')))
      l.setWert(QStringLiteral("Duengemittel"), QStringLiteral("_") + name.trimmed());
    return true;
  };
  Liste().NachDemSpeichern = [this](TADODataSetMod&) {
    if (!m_geaendert) return;
    m_geaendert = false;
    // Own fertilisers are numbered by their row number.
    m_db.AusfuehrenMitMeldung(
        QStringLiteral("update S_MinDung set DuengeMittelNr = ID where DuengeMittelNr is null or DuengeMittelNr = 0"));
    NachSpeichernNeuLesen();
  };
  WertGeaendert();
}

bool TMineralSeite::IstEigen() const {
  auto& l = const_cast<TMineralSeite*>(this)->Liste();
  return l.IstOffen() && l.Position() >= 0 && l.Wert(QStringLiteral("DuengerGruppeNr")).toLongLong() == EigeneGruppe;
}

void TMineralSeite::WertGeaendert() {
  // Shipped rows: only the selection can change.
  const bool eigen = IstEigen();
  for (TDBEditMod* f : {m_name, m_n, m_p, m_p2o5}) f->setRO(!eigen);
  m_herkunft->setEnabled(eigen);
}

void TMineralSeite::EigenenAnlegen() {
  GruppeWaehlen(QStringLiteral("Eigene"));
  if (!Anlegen()) return;
  auto& l = Liste();
  l.setWert(QStringLiteral("BetriebsNr"), m_betrieb);
  l.setWert(QStringLiteral("DuengerGruppeNr"), EigeneGruppe);
  l.setWert(QStringLiteral("DuengerGruppe"), QStringLiteral("eigene"));
  l.setWert(QStringLiteral("Auswahl"), qlonglong(1));
  l.setWert(QStringLiteral("IstEigen"), qlonglong(1));
  m_name->setFocus(Qt::OtherFocusReason);
}

void TMineralSeite::EigenenLoeschen() {
  if (!IstEigen()) return;
  if (m_meldungen.Frage(QStringLiteral("Datensatz wirklich löschen?"))) Liste().Loeschen();
}

QStringList TMineralSeite::VerwendeteAnweisungen() const {
  // Exactly the fertilisers of the farm's mineral records become chosen.
  return {QStringLiteral("update S_MinDung set  Auswahl = 0 where BetriebsNr = :BNR"),
          QStringLiteral("update S_MinDung set  Auswahl = 1 where  DuengeMittelNr in ( select distinct  DngNummer "
                         "from Dung where  Kategorie = 1 and BetriebsNr = :BNR ) and BetriebsNr = :BNR")};
}
