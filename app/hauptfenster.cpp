#include "hauptfenster.h"

#include "fenstergroesse.h"
#include "aktionsauswahl.h"
#include "betriebe.h"
#include "betriebsbereich.h"
#include "bildschirmdruck.h"
#include "connection.h"
#include "dbeditmod.h"
#include "druckvorschau.h"
#include "duengejahre.h"
#include "jahresbereich.h"
#include "pdfdruckausgabe.h"
#include "stammdaten.h"
#include "dataset.h"
#include "files.h"
#include "formular.h"
#include "listenansicht.h"
#include "meldungen.h"
#include "start.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace {

// Keys of a list that stand for buttons beside it.
class TListenTasten : public QObject {
public:
  TListenTasten(QWidget* liste, std::map<int, QPushButton*> tasten) : QObject(liste), m_tasten(std::move(tasten)) {
    liste->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    if (ereignis->type() != QEvent::KeyPress) return QObject::eventFilter(objekt, ereignis);
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    const auto knopf = m_tasten.find(taste->key());
    if (knopf == m_tasten.end() || (taste->modifiers() & ~Qt::KeypadModifier & ~Qt::ShiftModifier)) return false;
    if (knopf->second->isEnabled()) knopf->second->click();
    return true;
  }

private:
  std::map<int, QPushButton*> m_tasten;
};

}  // namespace

const QString THauptfenster::Titel = QStringLiteral("Programm Quendrix2022");
const QString THauptfenster::KeinBetrieb = QStringLiteral("Bitte erst einen Betrieb anlegen.");
const QString THauptfenster::KeinJahr = QStringLiteral("Bitte erst ein Düngejahr anlegen.");
const QString THauptfenster::NichtKomprimiert = QStringLiteral("FEHLER!\n Die Datenbank wurde nicht gepackt!");
const QString THauptfenster::OrgDuengerUnvollstaendig =
    QStringLiteral("Bitte erst in der Vorauswahl ALLE eigenen organischen Dünger mit einem gültigen Nverf-Gehalt "
                   "versehen.\r\nNicht mehr relevante alte eigene organische Dünger können auch gelöscht werden.");

THauptfenster::THauptfenster(TADOModConnection& db, QString ordner, TMeldungen& meldungen, QWidget* eltern)
    : QMainWindow(eltern),
      m_db(db),
      m_ordner(std::move(ordner)),
      m_meldungen(meldungen),
      m_betriebe(new TADODataSetMod(db, this)),
      m_jahre(new TADODataSetMod(db, this)),
      m_orte(new TADODataSetMod(db, this)),
      m_ortsteile(new TADODataSetMod(db, this)),
      m_drucker(std::make_unique<TQtBildschirmdrucker>()) {
  m_betriebe->setCommandText(QStringLiteral("select * from Betriebe where ID > 1"));
  m_jahre->setCommandText(QStringLiteral("select * from Duengejahr where BetriebsNr = :BNR  order by  2"));
  m_orte->setCommandText(
      QStringLiteral("select distinct BLCODE, OrtsNr, Trim( ORT ) as Ort, Trim( Kreis ) as Kreis, KreisNr from S_Orte "
                     "where BLCODE = :BLCODE order by Trim( Ort ) collate Deutsch"));
  m_ortsteile->setCommandText(
      QStringLiteral("select BLCODE, OrtsNr, OrtsteilNr, Ort, Trim(  ORTSTEIL ) as ORTSTEIL, BKR, PLZ, "
                     "Trim( Kreis ) as Kreis, KreisNr from S_Orte where BLCODE = :BLCODE order by ORTSTEIL collate Deutsch"));
  m_orte->setTabelle(QStringLiteral("S_Orte"));
  m_ortsteile->setTabelle(QStringLiteral("S_Orte"));

  Duengejahre::BerechneteFelder(*m_jahre);
  m_betriebe->BeimNeuenDatensatz = [](TADODataSetMod& l) {
    l.setWert(QStringLiteral("Bundesland"), Betriebe::Bundesland);
  };
  m_betriebe->VorDemSpeichern = [](TADODataSetMod& l) {
    if (l.Wert(QStringLiteral("Bundesland")).toInt() != Betriebe::Bundesland)
      l.setWert(QStringLiteral("Bundesland"), Betriebe::Bundesland);
    return true;
  };
  m_betriebe->NachDemSpeichern = [this](TADODataSetMod&) { BetriebGespeichert(); };
  m_jahre->BeimNeuenDatensatz = [this](TADODataSetMod& l) { Duengejahre::NeueZeile(l, BetriebsNr()); };
  m_jahre->VorDemSpeichern = [this](TADODataSetMod& l) { return Duengejahre::VorDemSpeichern(l, m_meldungen); };

  connect(m_betriebe, &TADODataSetMod::PositionGeaendert, this, [this] {
    JahreOeffnen();
    TitelSetzen();
  });
  connect(m_betriebe, &TADODataSetMod::ZeileGeaendert, this, [this] { TitelSetzen(); });
  connect(m_jahre, &TADODataSetMod::PositionGeaendert, this, [this] { JahrGewaehltHat(); });
  connect(m_jahre, &TADODataSetMod::ZeileGeaendert, this, [this] { TitelSetzen(); });
  Aufbauen();
  BereicheAufbauen();
  // The panels are built after the buttons; Tab follows the screen instead.
  Formular::TabFolge({centralWidget()});
  TitelSetzen();
}

THauptfenster::~THauptfenster() {
  // Ended without a close (the session ends, the application quits): the
  // selection and the backups are kept all the same.
  Abschliessen();
}

void THauptfenster::Aufbauen() {
  auto* mitte = new QWidget(this);
  auto* gesamt = new QVBoxLayout(mitte);
  auto* zeile = new QHBoxLayout;
  gesamt->addLayout(zeile, 1);

  auto gruppe = [&](const QString& titel, TADODataSetMod& liste, std::vector<TDataSetModel::TSpalte> spalten,
                    const QString& listenName, const QString& hinweis, const QString& bereichName,
                    const QString& bereichObjekt, TListenAnsicht*& ansicht, QWidget*& bereich) {
    auto* box = new QGroupBox(titel, mitte);
    box->setAccessibleName(titel);
    auto* layout = new QVBoxLayout(box);
    ansicht = new TListenAnsicht(liste, std::move(spalten), box);
    ansicht->setAccessibleName(listenName);
    ansicht->setToolTip(hinweis);
    ansicht->setAccessibleDescription(hinweis);
    layout->addWidget(ansicht, 1);
    // The record panel of the list is set in here.
    bereich = new QWidget(box);
    bereich->setObjectName(bereichObjekt);
    bereich->setAccessibleName(bereichName);
    auto* bereichLayout = new QVBoxLayout(bereich);
    bereichLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bereich);
    zeile->addWidget(box, 1);
  };
  gruppe(QStringLiteral("Betriebe"), *m_betriebe,
         {{QStringLiteral("ID"), QStringLiteral("Betriebs-Nr.")},
          {QStringLiteral("Betriebsname"), QStringLiteral("Name des Unternehmens")},
          {QStringLiteral("SitzOrt"), QStringLiteral("Ort Betriebs-Sitz")}},
         QStringLiteral("Betriebsliste"), QStringLiteral("Bisher angelegte Betriebe."), QStringLiteral("Betriebsdaten"),
         QStringLiteral("pnlBetrieb"), m_betriebsAnsicht, m_betriebsBereich);
  gruppe(QStringLiteral("Düngejahre"), *m_jahre,
         {{QStringLiteral("BetriebsNr"), QStringLiteral("Betriebs-Nr.")},
          {QStringLiteral("Duengejahr"), QStringLiteral("Kalenderjahr")}},
         QStringLiteral("Jahresliste"),
         QStringLiteral("Bisher angelegte Düngejahre, Neuen Betrieb mit 'Einfg' oder + anlegen, Löschen mit 'Entf' "
                        "oder -"),
         QStringLiteral("Jahresdaten"), QStringLiteral("pnlJahr"), m_jahresAnsicht, m_jahresBereich);

  auto* spalte = new QVBoxLayout;
  for (TAktion aktion : AlleAktionen) {
    auto* knopf = new QPushButton(Beschriftung(aktion), mitte);
    knopf->setObjectName(Objektname(aktion));
    knopf->setAccessibleName(Beschriftung(aktion));
    if (aktion == TAktion::ShapeSetzen) {
      const QString hinweis =
          QStringLiteral("Ein vorher mit Merken gesichertes Shape zur Weiterbearbeitung bzw. Übernahme neu öffnen.");
      knopf->setToolTip(hinweis);
      knopf->setAccessibleDescription(hinweis);
    }
    if (aktion == TAktion::Bildschirmdruck) {
      // Hidden while the window is printed, without the others moving up.
      QSizePolicy p = knopf->sizePolicy();
      p.setRetainSizeWhenHidden(true);
      knopf->setSizePolicy(p);
    }
    // A working window built elsewhere enables its button when it is plugged in.
    knopf->setEnabled(!IstArbeitsfenster(aktion));
    connect(knopf, &QPushButton::clicked, this, [this, aktion] { Ausfuehren(aktion); });
    spalte->addWidget(knopf);
    m_knoepfe[aktion] = knopf;
  }
  spalte->addStretch(1);
  zeile->addLayout(spalte);

  auto* legende = new QLabel(QStringLiteral("* Pflichtfelder"), mitte);
  legende->setAccessibleName(legende->text());
  gesamt->addWidget(legende);
  setCentralWidget(mitte);
  Fenstergroesse::Setzen(this, {1100, 650});
}

bool THauptfenster::Starten(const QLocale& formate) {
  const Start::TErgebnis e = Start::Starten(m_db, m_ordner, m_meldungen, formate);
  if (!e.ok) return false;
  m_gestartet = true;
  ListenOeffnen();
  if (e.Uebernommen()) Start::UebernahmePruefen(m_db, m_ordner, m_meldungen);
  AuswahlHerstellen();
  return true;
}

void THauptfenster::ListenOeffnen() {
  m_orte->ParameterSetzen(QStringLiteral("BLCODE"), 15);
  m_orte->Oeffnen();
  m_ortsteile->ParameterSetzen(QStringLiteral("BLCODE"), 15);
  m_ortsteile->Oeffnen();
  // Opening moves the farm list, which opens the year list.
  m_betriebe->Oeffnen();
  m_betriebe->Letzter();
}

void THauptfenster::JahreOeffnen() {
  if (m_jahre->IstOffen() && !m_jahre->SpeichernWennGeaendert()) m_jahre->Abbrechen();
  const QVariant id = BetriebGewaehlt() ? m_betriebe->Wert(QStringLiteral("ID")) : QVariant();
  m_jahre->ParameterSetzen(QStringLiteral("BNR"), id.isNull() ? QVariant() : QVariant(id.toLongLong()));
  if (m_jahre->Oeffnen()) m_jahre->Letzter();
}

void THauptfenster::AuswahlHerstellen() {
  const QVariant betrieb = m_db.Wert(QStringLiteral("select BetriebsNr from Merk"));
  const QVariant jahr = m_db.Wert(QStringLiteral("select Jahr from Merk"));
  // A farm or year that is gone leaves the lists on their last rows.
  if (betrieb.isNull() || !m_betriebe->Suchen(betrieb.toLongLong())) return;
  if (!jahr.isNull()) JahrSuchen(jahr.toInt());
}

bool THauptfenster::Auswaehlen(qint64 betrieb, int jahr) {
  if (!m_betriebe->Suchen(betrieb)) return false;
  JahrSuchen(jahr);
  return true;
}

bool THauptfenster::JahrSuchen(int jahr) {
  const int feld = m_jahre->FeldIndex(QStringLiteral("Duengejahr"));
  for (int i = 0; i < m_jahre->Anzahl(); ++i) {
    const QVariant w = m_jahre->Wert(i, feld);
    if (!w.isNull() && w.toInt() == jahr) return m_jahre->Gehe(i);
  }
  return false;
}

void THauptfenster::ListenAktualisieren() {
  if (!m_gestartet || m_beendet) return;
  const int jahr = JahrGewaehlt() ? Jahr() : 0;
  m_betriebe->Aktualisieren();
  if (jahr) JahrSuchen(jahr);
}

bool THauptfenster::BetriebGewaehlt() const { return m_betriebe->IstOffen() && m_betriebe->Position() >= 0; }

bool THauptfenster::JahrGewaehlt() const { return m_jahre->IstOffen() && m_jahre->Position() >= 0; }

qint64 THauptfenster::BetriebsNr() const {
  return BetriebGewaehlt() ? m_betriebe->Wert(QStringLiteral("ID")).toLongLong() : 0;
}

int THauptfenster::Jahr() const { return JahrGewaehlt() ? m_jahre->Wert(QStringLiteral("Duengejahr")).toInt() : 0; }

void THauptfenster::TitelSetzen() {
  QString titel = Titel;
  if (BetriebGewaehlt()) {
    titel += QStringLiteral(" - Betrieb: ") + m_betriebe->Wert(QStringLiteral("Betriebsname")).toString();
    if (JahrGewaehlt()) titel += QStringLiteral(" / Jahr: ") + m_jahre->Wert(QStringLiteral("Duengejahr")).toString();
  }
  setWindowTitle(titel);
}

void THauptfenster::setBildschirmdrucker(std::unique_ptr<TBildschirmdrucker> drucker) {
  m_drucker = std::move(drucker);
}

void THauptfenster::Bildschirmdruck() {
  if (!m_drucker || !m_drucker->DruckerWaehlen(this)) return;
  QPushButton* knopf = Knopf(TAktion::Bildschirmdruck);
  knopf->setVisible(false);
  const QImage bild = grab().toImage();
  knopf->setVisible(true);
  if (!m_drucker->Drucken(bild)) m_meldungen.Info(QStringLiteral("Der Bildschirmdruck konnte nicht gedruckt werden."));
}

void THauptfenster::DatenbankSchliessen() {
  m_folgenAus = true;
  if (!m_db.IstOffen()) return;
  for (TADODataSetMod* liste : {m_jahre, m_betriebe})
    if (liste->IstOffen() && !liste->SpeichernWennGeaendert()) liste->Abbrechen();
  m_db.AusfuehrenStill(QStringLiteral("update Merk set BetriebsNr = :b, Jahr = :j"),
                       {{QStringLiteral("b"), BetriebsNr()}, {QStringLiteral("j"), Jahr()}});
  for (TADODataSetMod* liste : {m_jahre, m_betriebe, m_ortsteile, m_orte}) liste->Schliessen();
  m_db.AusfuehrenStill(QStringLiteral("update Merk set Geschlossen = Now()"));
  m_db.Schliessen();
}

void THauptfenster::KomprimierenUndSchliessen() {
  // The selection is stored before the file is rewritten; the close then only
  // rotates the backups.
  if (m_gestartet && !m_beendet) DatenbankSchliessen();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = Dateien::Komprimieren(QDir(m_ordner).filePath(Dateien::Datenbank), nullptr);
  QGuiApplication::restoreOverrideCursor();
  // The message comes with the normal cursor back; closing follows either way.
  if (!ok) m_meldungen.Info(NichtKomprimiert);
  close();
}

void THauptfenster::Abschliessen() {
  if (!m_gestartet || m_beendet) return;
  m_beendet = true;
  DatenbankSchliessen();
  Start::Beenden(m_db, m_ordner);
}

void THauptfenster::closeEvent(QCloseEvent* ereignis) {
  Abschliessen();
  ereignis->accept();
}

// --- farm and year panels ------------------------------------------------------

void THauptfenster::BereicheAufbauen() {
  m_betriebsFelder = new TBetriebsBereich(*m_betriebe, *m_orte, *m_ortsteile, m_meldungen, m_betriebsBereich);
  m_betriebsBereich->layout()->addWidget(m_betriebsFelder);
  m_jahresFelder = new TJahresBereich(*m_jahre, m_meldungen, m_jahresBereich);
  m_jahresBereich->layout()->addWidget(m_jahresFelder);

  TBetriebsBereich* b = m_betriebsFelder;
  connect(b->NeuKnopf(), &QPushButton::clicked, this, &THauptfenster::BetriebNeu);
  connect(b->LoeschenKnopf(), &QPushButton::clicked, this, &THauptfenster::BetriebLoeschen);
  connect(b->UebernehmenKnopf(), &QPushButton::clicked, this, &THauptfenster::AuswahlUebernehmen);
  connect(b->DruckenKnopf(), &QPushButton::clicked, this, &THauptfenster::BetriebslisteDrucken);
  connect(b, &TBetriebsBereich::SucheGeaendert, this, &THauptfenster::BetriebSuchen);
  connect(b->OkKnopf(), &TDBOKBitBtn::Gespeichert, this, [this] {
    // The follow-ups of the save may have put the cursor elsewhere already.
    if (m_betriebsFelder->Panel()->isAncestorOf(QApplication::focusWidget()))
      m_betriebsAnsicht->setFocus(Qt::OtherFocusReason);
  });

  TJahresBereich* j = m_jahresFelder;
  // As the year list's tooltip promises: Einfg/+ appends a year, Entf/- deletes one.
  new TListenTasten(m_jahresAnsicht, {{Qt::Key_Insert, j->AnhaengenKnopf()},
                                      {Qt::Key_Plus, j->AnhaengenKnopf()},
                                      {Qt::Key_Delete, j->LoeschenKnopf()},
                                      {Qt::Key_Minus, j->LoeschenKnopf()}});
  connect(j->AnhaengenKnopf(), &QPushButton::clicked, this, &THauptfenster::JahrAnhaengen);
  connect(j->LoeschenKnopf(), &QPushButton::clicked, this, &THauptfenster::JahrLoeschen);
  connect(j->BeginnKnopf(), &QPushButton::clicked, this, &THauptfenster::BeginnDuengejahr);
  connect(j->OkKnopf(), &TDBOKBitBtn::Gespeichert, this, [this] {
    // Leaving the panel shows the area message; without having entered it, "OK" does.
    const bool drin = m_jahresFelder->Panel()->IstBetreten();
    m_jahresAnsicht->setFocus(Qt::OtherFocusReason);
    if (!drin) FlaechenMelden();
  });
  connect(j->AbbruchKnopf(), &TDBOKBitBtn::Abgebrochen, this,
          [this] { m_jahresAnsicht->setFocus(Qt::OtherFocusReason); });
  connect(j->Panel(), &TADOPanel::Verlassen, this, &THauptfenster::FlaechenMelden);
  // Without a year there is nothing to edit: entering must not create a year row.
  // Re-reading closes the list for a moment; that must not take the cursor away.
  auto freigeben = [this] { m_jahresFelder->Panel()->setEnabled(!m_jahre->IstOffen() || JahrGewaehlt()); };
  for (auto signal : {&TADODataSetMod::Zurueckgesetzt, &TADODataSetMod::ZustandGeaendert})
    connect(m_jahre, signal, this, freigeben);
  connect(m_jahre, &TADODataSetMod::PositionGeaendert, this, freigeben);
  freigeben();
}

void THauptfenster::BetriebGespeichert() {
  if (m_folgenAus || !m_gestartet) return;
  const qint64 id = m_betriebe->Wert(QStringLiteral("ID")).toLongLong();
  if (id <= 1) return;
  Stammdaten::StammdatenAbgleich(m_db, int(id));
  JahreOeffnen();
  if (m_jahre->IstLeer()) AktionsauswahlOeffnen();
  FlaechenMelden();
}

void THauptfenster::FlaechenMelden() {
  if (m_folgenAus || !Duengejahre::FlaechenFehlen(*m_jahre)) return;
  m_meldungen.Info(Betriebe::FlaechenMeldung);
  m_jahresFelder->Feld(QStringLiteral("Ackerland"))->setFocus(Qt::OtherFocusReason);
}

void THauptfenster::JahrGewaehltHat() {
  TitelSetzen();
  if (!JahrGewaehlt() || m_jahre->Zustand() == TADODataSetMod::TZustand::Einfuegen) return;
  Duengejahre::ErtraegeUebernehmen(m_db, m_jahre->Wert(QStringLiteral("BetriebsNr")).toLongLong(), Jahr());
  // Moved by the user in the grid: the yields of the year are shown.
  if (m_jahresAnsicht && m_jahresAnsicht->hasFocus()) ErtraegeOeffnen();
}

void THauptfenster::ErtraegeOeffnen() {
  if (m_ertraegeOffen || m_folgenAus) return;
  const auto i = m_fenster.find(TAktion::Ertraege);
  if (i == m_fenster.end() || !i->second) return;
  m_ertraegeOffen = true;
  Ausfuehren(TAktion::Ertraege);
  m_ertraegeOffen = false;
}

void THauptfenster::BetriebNeu() {
  if (!m_betriebe->IstOffen() || !m_betriebe->SpeichernWennGeaendert()) return;
  // Appending moves the list: the year list opens empty for the new row.
  if (!m_betriebe->Anfuegen()) return;
  m_betriebsFelder->Feld(QStringLiteral("Betriebsname"))->setFocus(Qt::OtherFocusReason);
}

void THauptfenster::BetriebLoeschen() {
  if (!BetriebGewaehlt()) return;
  if (!m_meldungen.Frage(Betriebe::LoeschenFrage)) return;
  // The database removes the farm's years, fields, crops, records and copies with it.
  m_betriebe->Loeschen();
}

void THauptfenster::BetriebSuchen(const QString& text) {
  if (!Betriebe::Suchen(*m_betriebe, text)) m_meldungen.Piep();
}

void THauptfenster::AuswahlUebernehmen() {
  if (!BetriebGewaehlt() || !m_betriebe->SpeichernWennGeaendert()) return;
  const int quelle = m_meldungen.Ganzzahleingabe(Betriebe::UebernehmenFrage);
  if (quelle <= 0) return;
  Betriebe::AuswahlUebernehmen(m_db, BetriebsNr(), quelle);
  ErtraegeOeffnen();
}

void THauptfenster::BetriebslisteDrucken() {
  if (m_betriebe->IstOffen() && !m_betriebe->SpeichernWennGeaendert()) return;
  TPDFDruckausgabe druck(this, true, m_meldungen, m_druckDienste);
  Betriebe::ListeZeichnen(druck, Betriebe::ListenZeilen(*m_betriebe), QDate::currentDate());
  std::unique_ptr<TDruckvorschau> vorschau = druck.VorschauErzeugen();
  DialogZeigen(*vorschau);
}

void THauptfenster::JahrAnhaengen() {
  if (!BetriebGewaehlt()) {
    m_meldungen.Info(KeinBetrieb);
    return;
  }
  if (!m_betriebe->SpeichernWennGeaendert() || !m_jahre->SpeichernWennGeaendert()) return;
  const qint64 betrieb = BetriebsNr();
  if (Duengejahre::Anzahl(m_db, betrieb) == 0) {
    AktionsauswahlOeffnen();
    return;
  }
  const int neu = Duengejahre::LetztesJahr(m_db, betrieb) + 1;
  if (!Duengejahre::Anlegen(*m_jahre, m_db, betrieb, neu)) return;
  Duengejahre::BilanzUebertragen(m_db, betrieb, neu);
  if (Duengejahre::Anzahl(m_db, betrieb) > 1 && m_meldungen.Frage(Duengejahre::SchlaegeFrage))
    Duengejahre::SchlaegeKopieren(m_db, m_meldungen, betrieb, neu - 1);
  JahreOeffnen();
  m_jahresFelder->Feld(QStringLiteral("Ackerland"))->setFocus(Qt::OtherFocusReason);
  Duengejahre::ErtraegeNullsetzen(m_db, m_meldungen, betrieb);
  ErtraegeOeffnen();
}

void THauptfenster::JahrLoeschen() {
  if (!JahrGewaehlt()) return;
  if (!m_meldungen.Frage(Duengejahre::LoeschenFrage)) return;
  m_jahre->Loeschen();
}

void THauptfenster::BeginnDuengejahr() {
  if (!JahrGewaehlt() || !m_jahre->SpeichernWennGeaendert()) return;
  const std::optional<int> offset = Duengejahre::BeginnErfragen(m_meldungen, Jahr());
  if (!offset) return;
  Duengejahre::OffsetSetzen(m_db, BetriebsNr(), *offset);
  ListenAktualisieren();
}

void THauptfenster::AktionsauswahlOeffnen() {
  // The farm must be stored before a year can hang on it.
  if (!BetriebGewaehlt() || m_betriebe->Zustand() != TADODataSetMod::TZustand::Blaettern) return;
  TAktionsauswahl auswahl(m_meldungen, [this](int jahr) { return JahrAnlegen(jahr); }, this);
  if (VorauswahlZeigen)
    auswahl.VorauswahlOeffnen = [this](int jahr, const QString& anweisung) {
      VorauswahlZeigen(int(BetriebsNr()), jahr, anweisung);
    };
  if (ShapeImportZeigen)
    auswahl.ShapeImportOeffnen = [this](int jahr, bool kulturenLesen) {
      ShapeImportZeigen(int(BetriebsNr()), jahr, kulturenLesen);
    };
  DialogZeigen(auswahl);
}

bool THauptfenster::JahrAnlegen(int jahr) {
  if (!BetriebGewaehlt()) return false;
  if (!m_jahre->IstOffen()) JahreOeffnen();
  return Duengejahre::Anlegen(*m_jahre, m_db, BetriebsNr(), jahr);
}
