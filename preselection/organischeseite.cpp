#include "organischeseite.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "feldregeln.h"
#include "meldungen.h"
#include "panelhilfe.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int EigeneGruppe = 999;
const QString Eigene = QStringLiteral("Eigene");

TListenSeite::TArt Art() {
  TListenSeite::TArt a;
  a.titel = QStringLiteral("organische Dünger");
  a.tabelle = QStringLiteral("S_OrgDung");
  a.abfrage = QStringLiteral("select S_OrgDung.*, ") + TListenSeite::HerkunftSpalte() +
              QStringLiteral(" from S_OrgDung where BetriebsNr = :BNR and OEKO_GRUPPE <> :OG");
  a.ordnung = QStringLiteral("ID");
  a.name = QStringLiteral("OrgDng");
  const auto gruppe = [](int nr) { return QStringLiteral("OrgDngGrpNummer_Temp = %1").arg(nr); };
  a.gruppen = {{QStringLiteral("Gülle"), gruppe(1)},       {QStringLiteral("Stallmist"), gruppe(2)},
               {QStringLiteral("Jauche"), gruppe(3)},      {QStringLiteral("Geflügelkot"), gruppe(4)},
               {QStringLiteral("Kompost"), gruppe(5)},     {QStringLiteral("Sonstige"), gruppe(6)},
               {Eigene, QStringLiteral("IstEigen = 1")},   {QStringLiteral("Alle"), QString()},
               {QStringLiteral("Ausgewählte"), QStringLiteral("Auswahl = 1")}};
  a.spalten = {{QStringLiteral("Auswahl"), QStringLiteral("Auswahl")},
               {QStringLiteral("OrgDngGrp"), QStringLiteral("Dünger-Gruppe")},
               {QStringLiteral("OrgDng"), QStringLiteral("Düngemittel")},
               {QStringLiteral("TM"), QStringLiteral("TM (%)")},
               {QStringLiteral("NT"), QStringLiteral("N (kg/t bzw.m³ FM)")},
               {QStringLiteral("NH4"), QStringLiteral("Nverf (kg/t bzw.m³ FM)")},
               {QStringLiteral("P"), QStringLiteral("P (kg/t bzw.m³ FM)")},
               {QStringLiteral("Herkunft"), QStringLiteral("Herkunft")}};
  return a;
}

const std::vector<std::pair<QString, QVariant>> Gruppen = {
    {QStringLiteral("Stallmist"), 2}, {QStringLiteral("Gülle"), 1},   {QStringLiteral("Jauche"), 3},
    {QStringLiteral("Geflügelkot"), 4}, {QStringLiteral("Kompost"), 5}, {QStringLiteral("Sonstige"), 6}};

// Reasons of a focus change that are no move of the user.
bool Zwischendurch(const QEvent* e) {
  const auto grund = static_cast<const QFocusEvent*>(e)->reason();
  return grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason;
}

}  // namespace

TOrganischeSeite::TOrganischeSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, QWidget* eltern)
    : TListenSeite(db, meldungen, betrieb, Art(), eltern), m_jahr(jahr) {
  using namespace Panelhilfe;
  auto* zeile = new QHBoxLayout;
  auto* beschriftung = new QLabel(QStringLiteral("Bewirtschaftung"));
  m_bewirtschaftung = new QComboBox;
  m_bewirtschaftung->setAccessibleName(QStringLiteral("Bewirtschaftung"));
  m_bewirtschaftung->addItems({QStringLiteral("konventionell"), QStringLiteral("ökologisch"), QStringLiteral("Alle")});
  beschriftung->setBuddy(m_bewirtschaftung);
  zeile->addWidget(beschriftung);
  zeile->addWidget(m_bewirtschaftung, 1);
  Details()->addLayout(zeile);
  connect(m_bewirtschaftung, &QComboBox::activated, this, &TOrganischeSeite::BewirtschaftungWaehlen);

  // Shipped rows: everything shown, only the selection can change.
  QFormLayout* form = nullptr;
  std::tie(m_panel, form) = Panelhilfe::Panel(Liste(), meldungen, QStringLiteral("organische Dünger"));
  const auto lesen = [&](const QString& spalte, const QString& text, int stellen = 2) {
    Feld(form, Liste(), spalte, text, stellen)->setRO(true);
  };
  lesen(QStringLiteral("OrgDngGrp"), QStringLiteral("Dünger-Gruppe"));
  lesen(QStringLiteral("OrgDng"), QStringLiteral("Düngemittel"));
  lesen(QStringLiteral("TierartVerfahrenGrp"), QStringLiteral("Tierart/Verfahren"));
  lesen(QStringLiteral("TM"), QStringLiteral("TM (%)"));
  lesen(QStringLiteral("NT"), QStringLiteral("N (kg/t bzw.m³ FM)"));
  lesen(QStringLiteral("NH4"), QStringLiteral("Nverf (kg/t bzw.m³ FM)"));
  lesen(QStringLiteral("P"), QStringLiteral("P (kg/t bzw.m³ FM)"), 4);
  lesen(QStringLiteral("P2O5_Gehalt"), QStringLiteral("P2O5 (kg/t bzw.m³ FM)"), 4);
  lesen(QStringLiteral("D_Kuerzel"), QStringLiteral("Düngerart-Kürzel"));
  AuswahlKasten(form, Liste());
  OkAbbruch(form);

  // Own fertilisers.
  std::tie(m_eigenPanel, form) = Panelhilfe::Panel(Liste(), meldungen, QStringLiteral("eigene organische Dünger"));
  m_gruppe = Auswahlfeld(form, Liste(), QStringLiteral("OrgDngGrpNummer"), QStringLiteral("Org.-Dünger-Gruppe"), Gruppen);
  Feld(form, Liste(), QStringLiteral("OrgDng"), QStringLiteral("Düngemittel"));
  m_tierart = Auswahlfeld(form, Liste(), QStringLiteral("TaVerfNr"), QStringLiteral("Tierart/Verfahren"), {});
  Feld(form, Liste(), QStringLiteral("TM"), QStringLiteral("Trockenmasse (%)"));
  Feld(form, Liste(), QStringLiteral("NT"), QStringLiteral("N (kg/t bzw.m³ FM)"));
  Feld(form, Liste(), QStringLiteral("NH4"), QStringLiteral("Nverf (kg/t bzw.m³ FM)"));
  auto* p = Feld(form, Liste(), QStringLiteral("P"), QStringLiteral("P (kg/t bzw.m³ FM)"), 4);
  auto* p2o5 = Feld(form, Liste(), QStringLiteral("P2O5_Gehalt"), QStringLiteral("P2O5 (kg/t bzw.m³ FM)"), 4);
  Auswahlfeld(form, Liste(), QStringLiteral("OEKO_GRUPPE"), QStringLiteral("Art der Erzeugung"),
              {{QStringLiteral("konventionell"), 1}, {QStringLiteral("ökologisch"), 0}});
  Auswahlfeld(form, Liste(), QStringLiteral("Herkunft_Nr"), QStringLiteral("Datenherkunft"),
              {{QStringLiteral("Analyse"), 2}, {QStringLiteral("Deklaration"), 3}});
  AuswahlKasten(form, Liste());
  OkAbbruch(form);

  m_panels = new QStackedWidget;
  m_panels->addWidget(m_panel);
  m_panels->addWidget(m_eigenPanel);
  Details()->addWidget(m_panels);
  Details()->addStretch();
  connect(this, &TListenSeite::GruppeGewechselt, this,
          [this] { m_panels->setCurrentWidget(Gruppe() == Eigene ? m_eigenPanel : m_panel); });

  connect(m_gruppe, &QComboBox::activated, this, [this](int i) {
    Liste().setWert(QStringLiteral("OrgDngGrp"), m_gruppe->itemText(i));
    TierartenFuellen();
    VerfahrenSicherstellen();
  });
  connect(m_tierart, &QComboBox::activated, this, [this](int i) {
    if (i >= 0 && i < int(m_verfahren.size())) VerfahrenUebernehmen(m_verfahren[i]);
  });
  m_gruppe->installEventFilter(this);
  m_tierart->installEventFilter(this);

  new TNachEingabe(p, [this] {
    const double wert = Liste().Wert(QStringLiteral("P")).toDouble() * Umrechnung::P2O5JeP;
    Liste().setWert(QStringLiteral("P2O5"), wert);
    Liste().setWert(QStringLiteral("P2O5_Gehalt"), wert);
  });
  new TNachEingabe(p2o5, [this] {
    Liste().setWert(QStringLiteral("P"), Liste().Wert(QStringLiteral("P2O5_Gehalt")).toDouble() * Umrechnung::PJeP2O5);
  });

  connect(NeuerKnopf(QStringLiteral("eigenen anlegen"), Knoepfe()), &QPushButton::clicked, this,
          &TOrganischeSeite::EigenenAnlegen);
  connect(NeuerKnopf(QStringLiteral("eigenen löschen"), Knoepfe()), &QPushButton::clicked, this,
          &TOrganischeSeite::EigenenLoeschen);
  AuswahlKnoepfe();

  Liste().VorDemSpeichern = [this](TADODataSetMod& l) {
    m_geaendert = HatAenderungen(l);
    if (!m_geaendert) return true;
    if (l.Wert(QStringLiteral("OrgDngGrpNummer_Temp")).toLongLong() == EigeneGruppe) {
      const QString name = l.Wert(QStringLiteral("OrgDng")).toString();
      if (!name.trimmed().isEmpty() && !name.startsWith(QLatin1Char('_')))
        l.setWert(QStringLiteral("OrgDng"), QStringLiteral("_") + name.trimmed());
    }
    // Creditable N per unit of an own fertiliser; shipped rows keep the
    // ordinance's values (at least the ammonium content), as the template has them.
    if (l.Wert(QStringLiteral("IstEigen")).toLongLong() == 1) {
      const QVariant nt = l.Wert(QStringLiteral("NT"));
      for (const auto& [anteil, wert] : {std::pair{QStringLiteral("N_AnrechenbarAL"), QStringLiteral("N_AnrechenbarALWert")},
                                         std::pair{QStringLiteral("N_AnrechenbarGL"), QStringLiteral("N_AnrechenbarGLWert")}}) {
        const QVariant a = l.Wert(anteil);
        l.setWert(wert, nt.isNull() || a.isNull() ? QVariant() : QVariant(nt.toDouble() * a.toDouble() * 0.01));
      }
    }
    return true;
  };
  Liste().NachDemSpeichern = [this](TADODataSetMod&) {
    if (!m_geaendert) return;
    m_geaendert = false;
    m_db.AusfuehrenMitMeldung(
        QStringLiteral("update S_OrgDung set OrgDngNummer = ID where OrgDngNummer is null or OrgDngNummer = 0"));
    NachSpeichernNeuLesen();
  };
}

bool TOrganischeSeite::IstOeko() const {
  return m_db
             .Wert(QStringLiteral("select IsOeko from DuengeJahr where BetriebsNr = :BNR and Duengejahr = :J"),
                   {{QStringLiteral("BNR"), m_betrieb}, {QStringLiteral("J"), m_jahr}})
             .toLongLong() != 0;
}

bool TOrganischeSeite::Oeffnen() {
  const int art = IstOeko() ? 1 : 0;
  m_bewirtschaftung->setCurrentIndex(art);
  Liste().ParameterSetzen(QStringLiteral("OG"), art);
  return TListenSeite::Oeffnen();
}

void TOrganischeSeite::BewirtschaftungWaehlen(int art) {
  if (m_bewirtschaftung->currentIndex() != art) m_bewirtschaftung->setCurrentIndex(art);
  SpeichernOderVerwerfen();
  Liste().ParameterSetzen(QStringLiteral("OG"), art);
  Neuladen();
}

int TOrganischeSeite::GewaehlteGruppe() const {
  auto& l = const_cast<TOrganischeSeite*>(this)->Liste();
  if (!l.IstOffen() || l.Position() < 0) return 0;
  const qlonglong g = l.Wert(QStringLiteral("OrgDngGrpNummer")).toLongLong();
  for (const auto& [text, wert] : Gruppen)
    if (wert.toLongLong() == g) return int(g);
  return 0;
}

std::vector<QVariantMap> TOrganischeSeite::Verfahren(int gruppe) const {
  std::vector<QVariantMap> zeilen;
  TAbfrage a(m_db,
             QStringLiteral("select GruppeNr, trim( Gruppe ) as Gruppe, TaVerfNr, Trim( TaVerf ) as TaVerf , Abzug, Rest, "
                            "D_Kuerzel, Aufbringverluste, Aufbringverluste2020, IstPflanzlich, Biogasverluste, "
                            "N_AnrechenbarAL, N_AnrechenbarGL from S_OD_AusbringVerlusteNP where GruppeNr = :G"),
             {{QStringLiteral("G"), gruppe}});
  while (a.Naechste()) {
    QVariantMap z;
    for (int i = 0; i < a.Spaltenzahl(); ++i) z.insert(a.Spaltenname(i), a.Wert(i));
    zeilen.push_back(std::move(z));
  }
  return zeilen;
}

void TOrganischeSeite::TierartenFuellen() {
  const int gruppe = GewaehlteGruppe();
  m_verfahren = gruppe > 0 ? Verfahren(gruppe) : std::vector<QVariantMap>{};
  m_tierart->clear();
  for (const auto& v : m_verfahren) m_tierart->Eintrag(v.value(QStringLiteral("TaVerf")).toString(), v.value(QStringLiteral("TaVerfNr")));
  m_tierart->Anzeigen();
}

void TOrganischeSeite::VerfahrenSicherstellen() {
  if (m_verfahren.empty()) return;
  const QVariant nr = Liste().Wert(QStringLiteral("TaVerfNr"));
  for (const auto& v : m_verfahren)
    if (!nr.isNull() && v.value(QStringLiteral("TaVerfNr")).toLongLong() == nr.toLongLong()) return;
  VerfahrenUebernehmen(m_verfahren.front());
}

void TOrganischeSeite::VerfahrenUebernehmen(const QVariantMap& v) {
  auto& l = Liste();
  l.setWert(QStringLiteral("TaVerfNr"), v.value(QStringLiteral("TaVerfNr")));
  l.setWert(QStringLiteral("TierartVerfahrenGrp"), v.value(QStringLiteral("TaVerf")));
  l.setWert(QStringLiteral("OrgDngGrp"), v.value(QStringLiteral("Gruppe")));
  for (const char* spalte : {"Abzug", "Rest", "D_Kuerzel", "Aufbringverluste", "Aufbringverluste2020", "IstPflanzlich",
                             "Gruppe", "GruppeNr", "Biogasverluste", "N_AnrechenbarAL", "N_AnrechenbarGL"})
    l.setWert(QLatin1String(spalte), v.value(QLatin1String(spalte)));
  l.setWert(QStringLiteral("TaVerfNrNeu"), v.value(QStringLiteral("TaVerfNr")));
  l.setWert(QStringLiteral("IstEigen"), qlonglong(1));
  m_tierart->Anzeigen();
}

void TOrganischeSeite::PositionGewechselt() { TierartenFuellen(); }

bool TOrganischeSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  const bool fuerEigene = m_panels->currentWidget() == m_eigenPanel && Liste().IstOffen() && Liste().Position() >= 0;
  if (objekt == m_gruppe && ereignis->type() == QEvent::FocusOut && fuerEigene && !Zwischendurch(ereignis) &&
      m_gruppe->isVisible() && GewaehlteGruppe() == 0) {
    m_meldungen.Info(QStringLiteral("Bitte erst Gruppe auswählen"));
    m_gruppe->setFocus(Qt::OtherFocusReason);
    return false;
  }
  if (objekt == m_tierart && ereignis->type() == QEvent::FocusIn && fuerEigene && !Zwischendurch(ereignis)) {
    if (GewaehlteGruppe() == 0) {
      m_meldungen.Info(QStringLiteral("Bitte erst Org-Dünger-Gruppe auswählen"));
      m_gruppe->setFocus(Qt::OtherFocusReason);
      return false;
    }
    TierartenFuellen();
    VerfahrenSicherstellen();
    return false;
  }
  return TListenSeite::eventFilter(objekt, ereignis);
}

void TOrganischeSeite::EigenenAnlegen() {
  GruppeWaehlen(Eigene);
  if (!Anlegen()) return;
  auto& l = Liste();
  l.setWert(QStringLiteral("BetriebsNr"), m_betrieb);
  l.setWert(QStringLiteral("OrgDngGrpNummer_Temp"), EigeneGruppe);
  l.setWert(QStringLiteral("OEKO_GRUPPE"), IstOeko() ? 0 : 1);
  l.setWert(QStringLiteral("Auswahl"), qlonglong(1));
  l.setWert(QStringLiteral("IstEigen"), qlonglong(1));
  m_gruppe->setFocus(Qt::OtherFocusReason);
}

void TOrganischeSeite::EigenenLoeschen() {
  auto& l = Liste();
  if (!l.IstOffen() || l.Position() < 0 || l.Wert(QStringLiteral("IstEigen")).toLongLong() != 1) return;
  if (m_meldungen.Frage(QStringLiteral("Datensatz wirklich löschen?"))) l.Loeschen();
}

QStringList TOrganischeSeite::VerwendeteAnweisungen() const {
  return {QStringLiteral("update S_OrgDung set  Auswahl = 0 where BetriebsNr = :BNR"),
          QStringLiteral("update S_OrgDung set  Auswahl = 1 where  OrgDngNummer in ( select distinct  DngNummer "
                         "from Dung where  Kategorie = 2 and BetriebsNr = :BNR ) and BetriebsNr = :BNR")};
}
