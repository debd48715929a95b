#include "kulturenseite.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "feldregeln.h"
#include "meldungen.h"
#include "panelhilfe.h"
#include "ungebundenefelder.h"
#include "zahlen.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QString Gruenland = QStringLiteral("dt FM/ha");
// Grassland yields are dry matter; fresh matter counts with 20 % of it.
constexpr double TrockenmasseAnteil = 0.2;

TListenSeite::TArt Art() {
  TListenSeite::TArt a;
  a.titel = QStringLiteral("KulturenNP");
  a.tabelle = QStringLiteral("S_KulturenNP");
  a.abfrage = QStringLiteral(
      "select S_KulturenNP.*, case when Kulturgruppe = 2 then 'dt/ha TM' else 'dt/ha FM' end as MengenArt "
      "from S_KulturenNP where BetriebsNr = :BNR and Ertragsniveau > 0 and  ( ( Kultur is not null )  or  "
      "InvekosNummer = 999 )");
  a.ordnung = QStringLiteral("Kulturgruppe, Kultur collate Deutsch");
  a.name = QStringLiteral("Kultur");
  a.enter = false;
  a.tippen = false;
  a.sortieren = false;
  const auto gruppe = [](int nr) { return QStringLiteral("FRU_ARTGRNR = %1").arg(nr); };
  a.gruppen = {{QStringLiteral("Getreide"), gruppe(100)},     {QStringLiteral("Ölfrüchte"), gruppe(210)},
               {QStringLiteral("Hackfrüchte"), gruppe(220)},  {QStringLiteral("Körnerlegum."), gruppe(300)},
               {QStringLiteral("Ackerfutter"), gruppe(310)},  {QStringLiteral("Grünland"), gruppe(320)},
               {QStringLiteral("Feldgemüse"), gruppe(710)},   {QStringLiteral("Heil-/Gewürz."), gruppe(730)},
               {QStringLiteral("Sonst/Ganz."), gruppe(740)},  {QStringLiteral("Brache/VF"), gruppe(750)},
               {QStringLiteral("Alle"), QString()},           {QStringLiteral("Ausgewählte"), QStringLiteral("Auswahl = 1")}};
  a.spalten = {{QStringLiteral("Auswahl"), QStringLiteral("Auswahl")},
               {QStringLiteral("FRU_ARTGR"), QStringLiteral("FA-Gruppe")},
               {QStringLiteral("Kultur"), QStringLiteral("Kultur nach DüV")},
               {QStringLiteral("TS"), QStringLiteral("TS (%)")},
               {QStringLiteral("TatsErtrag"), QStringLiteral("tatsächlicher Ertrag (dt/ha)")},
               {QStringLiteral("TatsErtragRG"), QStringLiteral("tats. Ertrag NG (dt/ha)")},
               {QStringLiteral("IsEinzelErtrag"), QStringLiteral("Einzelertrag")}};
  return a;
}

}  // namespace

TKulturenSeite::TKulturenSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, QWidget* eltern)
    : TListenSeite(db, meldungen, betrieb, Art(), eltern), m_jahr(jahr) {
  const bool fuenfJahre = jahr > 2020;
  QFormLayout* form = nullptr;
  std::tie(m_panel, form) = Panelhilfe::Panel(Liste(), meldungen, QStringLiteral("Kultur"));
  Panelhilfe::Feld(form, Liste(), QStringLiteral("Kultur"), QStringLiteral("Kultur"))->setRO(true);
  Panelhilfe::AuswahlKasten(form, Liste());

  const auto ertragsZeile = [&](const QString& spalte, const QString& text, TDBEditMod*& feld, TIntEdit*& fm,
                                QLabel*& fmBeschriftung) {
    auto* beschriftung = new QLabel(text);
    beschriftung->setWordWrap(true);
    auto* zeile = new QWidget;
    auto* h = new QHBoxLayout(zeile);
    h->setContentsMargins(0, 0, 0, 0);
    feld = new TDBEditMod(&Liste(), spalte);
    feld->setAccessibleName(text);
    feld->setGenauigkeit(1);
    beschriftung->setBuddy(feld);
    fm = new TIntEdit;
    fm->setAccessibleName(Gruenland);
    fm->setIsUnsigned(true);
    fmBeschriftung = new QLabel(Gruenland);
    fmBeschriftung->setBuddy(fm);
    h->addWidget(feld);
    h->addWidget(fmBeschriftung);
    h->addWidget(fm);
    form->addRow(beschriftung, zeile);
    return std::pair{beschriftung, zeile};
  };
  ertragsZeile(QStringLiteral("TatsErtrag"),
               fuenfJahre ? QStringLiteral("Tatsächlicher durchschnittlicher Ertrag im 5-jährigen Mittel des Betriebes")
                          : QStringLiteral("Tatsächlicher durchschnittlicher Ertrag im 3-jährigen Mittel des Betriebes"),
               m_ertrag, m_fm, m_fmBeschriftung);
  const auto [ngBeschriftung, ngZeile] =
      ertragsZeile(QStringLiteral("TatsErtragRG"), QStringLiteral("Tatsächlicher durchschnittlicher Ertrag Nitratgebiet 2015-2019 "),
                   m_ertragNG, m_fmNG, m_fmNGBeschriftung);
  // Nitrate-area yields exist from 2021 on.
  ngBeschriftung->setVisible(fuenfJahre);
  ngZeile->setVisible(fuenfJahre);

  Panelhilfe::Feld(form, Liste(), QStringLiteral("MengenArt"), QStringLiteral("Einheit"))->setRO(true);
  auto* einzel = new TDBCheckBoxMod(fuenfJahre ? QStringLiteral("Verwendung anderer Ertragsniveaus im 5-jährigen Mittel")
                                               : QStringLiteral("Verwendung anderer Ertragsniveaus im 3-jährigen Mittel"));
  einzel->Binden(&Liste(), QStringLiteral("IsEinzelErtrag"));
  form->addRow(einzel);
  Panelhilfe::OkAbbruch(form);
  Details()->addWidget(m_panel);
  Details()->addStretch();

  new TNachEingabe(m_ertrag, [this] { ErtragPruefen(QStringLiteral("TatsErtrag")); });
  new TNachEingabe(m_ertragNG, [this] { ErtragPruefen(QStringLiteral("TatsErtragRG")); });
  new TNachEingabe(m_fm, [this] { FrischmasseUebernehmen(m_fm, QStringLiteral("TatsErtrag")); });
  new TNachEingabe(m_fmNG, [this] { FrischmasseUebernehmen(m_fmNG, QStringLiteral("TatsErtragRG")); });
  m_fm->installEventFilter(this);
  m_fmNG->installEventFilter(this);

  AuswahlKnoepfe();

  // The yield goes into the column of the year as well.
  Liste().VorDemSpeichern = [this](TADODataSetMod& l) {
    const QString spalte = Jahresspalte(m_jahr);
    const double ertrag = l.Wert(QStringLiteral("TatsErtrag")).toDouble();
    if (HatAenderungen(l) && ertrag > 0 && !spalte.isEmpty()) l.setWert(spalte, ertrag);
    return true;
  };
  PositionGewechselt();
}

bool TKulturenSeite::ErtragZulaessig(double ertrag, double ertragsniveau) {
  // 0.1 × EN ≤ yield ≤ 2.25 × EN, compared without decimal fractions.
  return 10.0 * ertrag >= ertragsniveau && 4.0 * ertrag <= 9.0 * ertragsniveau && ertrag != 0.0;
}

QString TKulturenSeite::Bereichsmeldung(double ertragsniveau) {
  return QStringLiteral("Das eingegebene Ertragsniveau liegt außerhalb des zulässigen Bereichs von %1 dt/ha bis %2 dt/ha.")
      .arg(Zahlen::Gerundet(ertragsniveau / 10.0))
      .arg(Zahlen::Gerundet(2.25 * ertragsniveau));
}

QString TKulturenSeite::Jahresspalte(int jahr) {
  if (jahr < 2018 || jahr > 2030) return {};
  return QStringLiteral("TatsErtrag_%1").arg(jahr % 100, 2, 10, QLatin1Char('0'));
}

void TKulturenSeite::Umschalten() {
  auto& l = Liste();
  if (l.Position() < 0) return;
  if (l.Wert(QStringLiteral("Auswahl")).toLongLong() != 0) {
    l.setWert(QStringLiteral("Auswahl"), qlonglong(0));
    l.SpeichernWennGeaendert();
    return;
  }
  l.setWert(QStringLiteral("Auswahl"), qlonglong(1));
  if (l.Wert(QStringLiteral("FRU_ARTGRNR")).toLongLong() != 750 && l.Wert(QStringLiteral("TatsErtrag")).toDouble() == 0.0) {
    const QString kultur = l.Wert(QStringLiteral("Kultur")).toString().trimmed();
    const bool trockenmasse = l.Wert(QStringLiteral("Kulturgruppe")).toLongLong() == 2;
    int ertrag = m_meldungen.Ganzzahleingabe(
        QStringLiteral("Bitte den betrieblichen Durchschnittsertrag der letzten 5 Jahre für ") + kultur +
        (trockenmasse ? QStringLiteral(" in dt/ha Trockenmasse eingeben!") : QStringLiteral(" in dt/ha Frischmasse eingeben!")));
    const double niveau = l.Wert(QStringLiteral("Ertragsniveau")).toDouble();
    if (niveau > 1 && !ErtragZulaessig(ertrag, niveau)) {
      m_meldungen.Info(Bereichsmeldung(niveau));
      ertrag = 0;
    }
    l.setWert(QStringLiteral("TatsErtrag"), double(ertrag));
  }
  l.SpeichernWennGeaendert();
}

void TKulturenSeite::ErtragPruefen(const QString& feld) {
  auto& l = Liste();
  if (l.Position() < 0) return;
  const double niveau = l.Wert(QStringLiteral("Ertragsniveau")).toDouble();
  if (ErtragZulaessig(l.Wert(feld).toDouble(), niveau)) return;
  m_meldungen.Info(Bereichsmeldung(niveau));
  l.setWert(feld, 0.0);
}

void TKulturenSeite::FrischmasseUebernehmen(TIntEdit* eingabe, const QString& feld) {
  auto& l = Liste();
  if (l.Position() < 0) return;
  const double ertrag = double(Zahlen::Gerundet(double(eingabe->AsInteger()) * TrockenmasseAnteil));
  if (l.Wert(feld).isNull() || l.Wert(feld).toDouble() != ertrag) l.setWert(feld, ertrag);
  ErtragPruefen(feld);
  eingabe->setAsInteger(Zahlen::Gerundet(l.Wert(feld).toDouble() / TrockenmasseAnteil));
}

bool TKulturenSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::FocusIn && (objekt == m_fm || objekt == m_fmNG)) {
    auto* eingabe = static_cast<TIntEdit*>(objekt);
    // Entering shows the dry-matter yield as fresh matter.
    if (!eingabe->IstBetreten() && Liste().Position() >= 0) {
      const QString feld = eingabe == m_fm ? QStringLiteral("TatsErtrag") : QStringLiteral("TatsErtragRG");
      eingabe->setAsInteger(Zahlen::Gerundet(Liste().Wert(feld).toDouble() / TrockenmasseAnteil));
    }
    return false;
  }
  return TListenSeite::eventFilter(objekt, ereignis);
}

void TKulturenSeite::PositionGewechselt() {
  m_fm->clear();
  m_fmNG->clear();
  const bool gruenland =
      Liste().IstOffen() && Liste().Position() >= 0 && Liste().Wert(QStringLiteral("Kulturgruppe")).toLongLong() == 2;
  m_fm->setVisible(gruenland);
  m_fmBeschriftung->setVisible(gruenland);
  m_fmNG->setVisible(gruenland);
  m_fmNGBeschriftung->setVisible(gruenland);
}

QStringList TKulturenSeite::VerwendeteAnweisungen() const {
  // Adds every crop used as main, previous or following crop in any year.
  return {QStringLiteral(
      "update S_KulturenNP set  Auswahl = 1 where  FA_NR in ( select distinct FaNr from (  "
      "select distinct HauptfruchtNummer as FaNr from Anbau where BetriebsNr = :BNR "
      "union select distinct  Vorfrucht as FaNr from Schlag where BetriebsNr = :BNR "
      "union select distinct  Folgefrucht_1 as FaNr from Schlag where BetriebsNr = :BNR "
      "union select distinct  Folgefrucht_2 as FaNr from Schlag where BetriebsNr = :BNR ) "
      "where FaNr is not null ) and BetriebsNr = :BNR")};
}
