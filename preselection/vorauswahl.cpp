#include "vorauswahl.h"

#include "connection.h"
#include "kulturenseite.h"
#include "meldungen.h"
#include "mineralseite.h"
#include "organischeseite.h"
#include "stoffseite.h"
#include "taschenrechner.h"
#include "weideseite.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The records of the farm take the current values of its fertilisers and substances.
const QString OrganischInAufzeichnungen = QStringLiteral(
    "update Dung set ( Dng, DngGrpNummer, GruppeNr, NT, NH4N, P2O5, P, TaVerfNr, N_AnrechenbarAL, N_AnrechenbarGL, "
    "Herkunft_Nr, Nges, Nverf, Pges ) = "
    "( select r.OrgDng, r.OrgDngGrpNummer, r.GruppeNr, r.NT, r.NH4, r.P2O5_Gehalt, r.P, r.TaVerfNr, r.N_AnrechenbarALWert, "
    "r.N_AnrechenbarGLWert, r.Herkunft_Nr, r.NT * Dung.Menge, r.NH4 * Dung.Menge, r.P * Dung.Menge "
    "from S_OrgDung r where r.OrgDngNummer = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr ) "
    "where Kategorie = 2 and BetriebsNr = :BNR "
    "and exists ( select 1 from S_OrgDung r where r.OrgDngNummer = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )");
const QString MineralInAufzeichnungen = QStringLiteral(
    "update Dung set ( Dng, GruppeNr, NT, NH4N, P2O5, P, Herkunft_Nr ) = "
    "( select r.Duengemittel, r.DuengerGruppeNr, r.N, r.N, r.P2O5, r.P, r.Herkunft_Nr "
    "from S_MinDung r where r.DuengeMittelNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr ) "
    "where Kategorie = 1 and BetriebsNr = :BNR "
    "and exists ( select 1 from S_MinDung r where r.DuengeMittelNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )");
const QString StoffeInAufzeichnungen = QStringLiteral(
    "update Dung set ( Dng, GruppeNr, NT, NH4N, P2O5, P, TaVerfNr, Herkunft_Nr ) = "
    "( select r.Stoff, r.StoffGruppeNr, r.N, r.NH4, r.P2O5, r.P, r.StoffGruppeNr, r.Herkunft_Nr "
    "from S_AndereStoffe r where r.StoffNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr ) "
    "where Kategorie = 5 and BetriebsNr = :BNR "
    "and exists ( select 1 from S_AndereStoffe r where r.StoffNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )");
// Own organic fertilisers get the missing form of phosphate.
const QString P2O5Ergaenzen = QStringLiteral(
    " Update S_OrgDung set P2O5 = P * 2.2914 where IstEigen = 1 and ( P2O5 is null or P2O5 = 0 ) and P is not null and P > 0");
const QString PErgaenzen = QStringLiteral(
    " Update S_OrgDung set P = P2O5 / 2.2914 where IstEigen = 1 and ( P is null or P = 0 ) and P2O5 is not null and P2O5 > 0");

}  // namespace

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
  resize(1100, 700);
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
        m_db.Wert(QStringLiteral("select Betriebsname from Betriebe where ID = :BNR"), {{QStringLiteral("BNR"), m_betrieb}})
            .toString();
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
  const TParameter betrieb = {{QStringLiteral("BNR"), m_betrieb}};
  m_db.AusfuehrenMitMeldung(OrganischInAufzeichnungen, betrieb);
  m_db.AusfuehrenMitMeldung(MineralInAufzeichnungen, betrieb);
  m_db.AusfuehrenMitMeldung(StoffeInAufzeichnungen, betrieb);
  m_db.AusfuehrenMitMeldung(P2O5Ergaenzen);
  m_db.AusfuehrenMitMeldung(PErgaenzen);
  for (TListenSeite* s : AlleSeiten()) s->Schliessen();
  m_offen = false;
}
