#include "duengebedarfsfenster.h"

#include "formular.h"

#include "adopanel.h"
#include "anbauregeln.h"
#include "befehle.h"
#include "connection.h"
#include "dataset.h"
#include "datasetmodel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "meldungen.h"
#include "phosphor.h"
#include "taschenrechner.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString S(const char* t) { return QString::fromUtf8(t); }

const QColor Rot{243, 176, 175};
const QColor Folgejahr{255, 240, 180};

// Grids that colour whole rows.
class TFarbModell : public TDataSetModel {
public:
  TFarbModell(TADODataSetMod& liste, std::function<QVariant(int)> farbe, QObject* eltern)
      : TDataSetModel(liste, eltern), m_farbe(std::move(farbe)) {}
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::BackgroundRole && index.isValid()) return m_farbe(index.row());
    return TDataSetModel::data(index, role);
  }

private:
  std::function<QVariant(int)> m_farbe;
};

// The field block takes exactly 16 characters, entered from the end.
class TFeldblockFeld : public TDBEditMod {
public:
  TFeldblockFeld(TADODataSetMod* liste, const QString& feld) : TDBEditMod(liste, feld) {
    setAutoSelect(false);
    setMaxLength(16);
    connect(liste, &TADODataSetMod::Zurueckgesetzt, this, [this] { setMaxLength(16); });
  }

protected:
  void focusInEvent(QFocusEvent* e) override {
    TDBEditMod::focusInEvent(e);
    end(false);
  }
};

int Ganz(const QVariant& v) { return int(std::lround(v.toDouble())); }

QString Nummer(const QVariant& v) { return QString::number(qRound(v.toDouble())); }

}  // namespace

TDuengebedarfsfenster::TDuengebedarfsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                                             QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr) {
  setAccessibleName(S("Düngebedarfsermittlung"));
  setWindowTitle(S("Düngebedarfsermittlung"));

  m_schlag = new TADODataSetMod(db, this);
  m_schlag->setCommandText(S("SELECT * FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J ORDER BY Parzelle"));
  m_schlag->ParameterSetzen(S("B"), betriebsNr);
  m_schlag->ParameterSetzen(S("J"), jahr);
  m_schlag->BerechnetesFeld(S("NitratgebietText"), [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(S("BewirtschaftungsAuflagen"))).toInt() == 2 ? S("Ja") : S("Nein"));
  });
  m_schlag->VorDemSpeichern = [this](TADODataSetMod& l) { return SchlagVorDemSpeichern(l); };
  m_schlag->NachDemSpeichern = [this](TADODataSetMod& l) { SchlagNachDemSpeichern(l); };
  m_schlag->BeimNeuenDatensatz = [this](TADODataSetMod& l) {
    l.setWert(S("BetriebsNr"), m_betrieb);
    l.setWert(S("Jahr"), m_jahr);
    l.setWert(S("Bundesland"), m_db.Wert(S("select Bundesland from DuengeJahr where BetriebsNr = :B and Duengejahr = :J"),
                                         {{S("B"), m_betrieb}, {S("J"), m_jahr}}));
    l.setWert(S("BKR"), m_db.Wert(S("select BKR from Betriebe where ID = :B"), {{S("B"), m_betrieb}}));
    l.setWert(S("SteingehaltKrume"), 1);
    l.setWert(S("BewirtschaftungsAuflagen"), 1);
    l.setWert(S("Phosphatgebiet"), 1);
    l.setWert(S("NutzungsForm"), 1);
    l.setWert(S("Durchwurzelungstiefe"), 90);
    l.setWert(S("Feldblock"), S("DEVLLI"));
    for (const char* f : {"KeineDuengung", "HumusGroesserVier", "SonstigDuengebeschraenkung", "HD_LOD", "NPVFAbgefahren",
                          "NPAbgefahren", "NPFF_1Abgefahren", "GemueseModus", "PhGroesserSieben"})
      l.setWert(S(f), 0);
  };

  m_anbau = new TADODataSetMod(db, this);
  m_anbau->setCommandText(S("SELECT * FROM Anbau WHERE BetriebsNr = :B AND Parzelle = :P AND Jahr IN (:J, :J1) "
                            "ORDER BY Jahr, FruchtNr"));
  m_anbau->ParameterSetzen(S("B"), betriebsNr);
  m_anbau->ParameterSetzen(S("J"), jahr);
  m_anbau->ParameterSetzen(S("J1"), jahr + 1);
  m_anbau->ParameterSetzen(S("P"), 0);
  m_anbau->setTabelle(S("Anbau"));
  m_anbau->BerechnetesFeld(S("SchlagNr"), [this](const TADODataSetMod&, int) { return m_schlag->Wert(S("SchlagNr")); });
  m_anbau->BerechnetesFeld(S("SchlagName"), [this](const TADODataSetMod&, int) { return m_schlag->Wert(S("SchlagName")); });
  m_anbau->BerechnetesFeld(S("ErtragText"), [](const TADODataSetMod& l, int z) {
    const auto w = [&](const char* f) { return l.Wert(z, l.FeldIndex(S(f))); };
    const QVariant e = w("IsEinzelErtrag").toInt() ? w("Einzelertrag") : w("TatsErtrag");
    if (w("FruchtNr").toInt() == 0) return QVariant();
    return QVariant(Nummer(e) + Anbauregeln::Ertragseinheit(w("HauptfruchtNummer").toLongLong()));
  });
  m_anbau->BerechnetesFeld(S("NitratgebietText"), [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(S("RotesGebiet"))).toInt() == 2 ? S("Ja") : S("Nein"));
  });
  m_anbau->VorDemSpeichern = [this](TADODataSetMod& l) { return AnbauVorDemSpeichern(l); };
  m_anbau->NachDemSpeichern = [this](TADODataSetMod& l) { AnbauNachDemSpeichern(l); };

  m_stickstoff = new TADODataSetMod(db, this);
  m_stickstoff->setCommandText(S("SELECT * FROM Anbau WHERE BetriebsNr = :B AND Jahr = :J AND FruchtNr >= 1 "
                                 "ORDER BY Parzelle, FruchtNr"));
  m_stickstoff->ParameterSetzen(S("B"), betriebsNr);
  m_stickstoff->ParameterSetzen(S("J"), jahr);
  m_stickstoff->setTabelle(S("Anbau"));

  m_schlagModell = new TFarbModell(
      *m_schlag,
      [this](int z) { return SchlagUnvollstaendig(*m_schlag, z) ? QVariant(Rot) : QVariant(); }, this);
  m_schlagModell->setNurLesen(true);
  m_schlagModell->setSpalten({{S("Jahr"), S("Jahr")},
                              {S("SchlagNr"), S("SchlagNr")},
                              {S("SchlagName"), S("SchlagName")},
                              {S("Feldblock"), S("Feldblock")},
                              {S("Parzelle"), S("Parzelle")},
                              {S("Groesse"), S("Größe (ha)"), 2},
                              {S("Kultur"), S("Kultur nach DüV")},
                              {S("NitratgebietText"), S("Nitratgebiet")}});
  m_anbauModell = new TFarbModell(
      *m_anbau,
      [this](int z) {
        return m_anbau->Wert(z, m_anbau->FeldIndex(S("Jahr"))).toInt() > m_jahr ? QVariant(Folgejahr) : QVariant();
      },
      this);
  m_anbauModell->setNurLesen(true);
  m_anbauModell->setSpalten({{S("Jahr"), S("Jahr")},
                             {S("SchlagNr"), S("SchlagNr")},
                             {S("SchlagName"), S("SchlagName")},
                             {S("Parzelle"), S("Parzelle")},
                             {S("Kultur"), S("Kultur nach DüV")},
                             {S("ErtragText"), S("Ertrag")},
                             {S("VorfruchtText"), S("Vorfrucht")},
                             {S("NitratgebietText"), S("Nitratgebiet")},
                             {S("FruchtNr"), S("FruchtNr")}});
  m_stickstoffModell = new TDataSetModel(*m_stickstoff, this);
  m_stickstoffModell->setNurLesen(true);
  m_stickstoffModell->setSpalten({{S("Jahr"), S("Jahr")},
                                  {S("Parzelle"), S("Parzelle")},
                                  {S("Kultur"), S("Kultur nach DüV")},
                                  {S("FruchtNr"), S("FruchtNr")},
                                  {S("Duengebedarf"), S("Düngebedarf (kg N/ha)"), 0}});

  auto* haupt = new QVBoxLayout(this);
  m_seiten = new QTabWidget(this);
  m_seiten->setAccessibleName(S("Seiten"));
  haupt->addWidget(m_seiten, 1);
  SchlagSeiteBauen();
  AnbauSeiteBauen();
  StickstoffSeiteBauen();
  for (const char* t : {"Phosphor", "Herbstdüngung", "Herbstdüngung Nitratgebiet"}) {
    auto* w = new QWidget;
    w->setAccessibleName(S(t));
    const int i = m_seiten->addTab(w, S(t));
    m_seiten->setTabEnabled(i, false);
  }

  auto* unten = new QHBoxLayout;
  auto* suchLabel = new QLabel(S("Suchen"));
  m_suche = new QLineEdit;
  m_suche->setAccessibleName(S("Suchen"));
  suchLabel->setBuddy(m_suche);
  connect(m_suche, &QLineEdit::returnPressed, this, [this] { Suchen(m_suche->text()); });
  unten->addWidget(suchLabel);
  unten->addWidget(m_suche);
  unten->addStretch();
  for (const char* t : {"Taschenrechner", "Bildschirmdruck", "Hauptmenü"}) {
    auto* k = new QPushButton(S(t));
    k->setAccessibleName(S(t));
    k->setAutoDefault(false);
    unten->addWidget(k);
    const QString text = S(t);
    connect(k, &QPushButton::clicked, this, [this, text] {
      if (text == S("Hauptmenü")) {
        accept();
      } else if (text == S("Bildschirmdruck")) {
        if (Bildschirmdruck) Bildschirmdruck(this);
      } else {
        if (!m_rechner) {
          m_rechner = new TTaschenrechner(TTaschenrechner::TArt::Kopieren, this);
          m_rechner->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_rechner->show();
        m_rechner->raise();
      }
    });
  }
  haupt->addLayout(unten);

  connect(m_seiten, &QTabWidget::currentChanged, this, &TDuengebedarfsfenster::SeiteGewechselt);
  connect(m_schlag, &TADODataSetMod::PositionGeaendert, this, [this] {
    if (!m_neuberechnung) AnbauOeffnen();
    SchlagSichtbarkeit();
  });
  connect(m_schlag, &TADODataSetMod::Zurueckgesetzt, this, &TDuengebedarfsfenster::SchlagSichtbarkeit);
  connect(m_anbau, &TADODataSetMod::PositionGeaendert, this, &TDuengebedarfsfenster::AnbauSichtbarkeit);
  connect(m_anbau, &TADODataSetMod::ZustandGeaendert, this, &TDuengebedarfsfenster::AnbauSichtbarkeit);
  connect(m_anbau, &TADODataSetMod::Zurueckgesetzt, this, &TDuengebedarfsfenster::AnbauSichtbarkeit);
  connect(m_stickstoff, &TADODataSetMod::PositionGeaendert, this, &TDuengebedarfsfenster::StickstoffAnzeigen);
  connect(m_stickstoff, &TADODataSetMod::ZustandGeaendert, this, &TDuengebedarfsfenster::StickstoffAnzeigen);
  connect(m_stickstoff, &TADODataSetMod::Zurueckgesetzt, this, &TDuengebedarfsfenster::StickstoffAnzeigen);
  connect(m_stickstoff, &TADODataSetMod::ZeileGeaendert, this, &TDuengebedarfsfenster::StickstoffAnzeigen);
  resize(1200, 800);
}

TDuengebedarfsfenster::~TDuengebedarfsfenster() {
  if (m_offen) AllesSpeichern();
}

// --- building -----------------------------------------------------------------

QPushButton* TDuengebedarfsfenster::Knopf(const QString& text, const QString& hinweis,
                                          void (TDuengebedarfsfenster::*aktion)()) {
  auto* k = new QPushButton(text);
  k->setAccessibleName(text);
  k->setAutoDefault(false);
  if (!hinweis.isEmpty()) k->setToolTip(hinweis);
  connect(k, &QPushButton::clicked, this, aktion);
  return k;
}

QTableView* TDuengebedarfsfenster::SchlagRaster() {
  auto* v = new QTableView;
  v->setAccessibleName(S("Schläge"));
  v->setModel(m_schlagModell);
  v->setSelectionBehavior(QAbstractItemView::SelectRows);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->verticalHeader()->hide();
  v->horizontalHeader()->setStretchLastSection(true);
  connect(v->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& i) {
    if (i.isValid() && i.row() != m_schlag->Position()) m_schlag->Gehe(i.row());
  });
  const auto zeigen = [this, v] {
    if (m_schlag->Position() >= 0 && v->currentIndex().row() != m_schlag->Position())
      v->selectRow(m_schlag->Position());
  };
  connect(m_schlag, &TADODataSetMod::PositionGeaendert, v, zeigen);
  connect(m_schlag, &TADODataSetMod::Zurueckgesetzt, v, zeigen);
  return v;
}

namespace {

using Formular::Auswahl;
using Formular::Feld;
using Formular::Haken;
using Formular::OkAbbruch;

QLabel* Legende(const QString& text) {
  auto* l = new QLabel(text);
  l->setAccessibleName(text);
  l->setStyleSheet(S("color: rgb(180, 0, 0)"));
  return l;
}

}  // namespace

void TDuengebedarfsfenster::SchlagSeiteBauen() {
  auto* seite = new QWidget;
  seite->setAccessibleName(S("Schlag-Grunddaten"));
  auto* h = new QHBoxLayout(seite);
  auto* links = new QVBoxLayout;
  links->addWidget(SchlagRaster(), 1);
  links->addWidget(Legende(S("Unvollständig ausgefüllte Schläge mit fehlenden Pflichteingaben sind rot markiert.")));
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(Knopf(S("neuen Schlag anlegen"), {}, &TDuengebedarfsfenster::NeuerSchlag));
  knoepfe->addWidget(Knopf(S("Schlagteilung"),
                           S("Weitere im selben Jahr nach der ausgewählten Hauptfrucht auf der gleichen Fläche angebaute "
                             "Kultur hinzufügen oder Schlag für Schlagteilung duplizieren."),
                           &TDuengebedarfsfenster::SchlagTeilung));
  knoepfe->addWidget(Knopf(S("Schlag löschen"), {}, &TDuengebedarfsfenster::SchlagLoeschen));
  links->addLayout(knoepfe);
  h->addLayout(links, 3);

  m_schlagPanel = new TADOPanel;
  m_schlagPanel->setDataSet(m_schlag);
  m_schlagPanel->setMeldungen(&m_meldungen);
  m_schlagPanel->setAccessibleName(S("Schlag"));
  auto* f = m_schlagForm = new QFormLayout(m_schlagPanel);
  Feld(f, m_schlag, S("SchlagNr"), S("Schlag-Nr."));
  Feld(f, m_schlag, S("SchlagName"), S("Schlagname"));
  m_feldblock = new TFeldblockFeld(m_schlag, S("Feldblock"));
  m_feldblock->setAccessibleName(S("Feldblock *"));
  m_feldblock->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  f->addRow(S("Feldblock *"), m_feldblock);
  connect(m_feldblock, &TEingabeFeld::Verlassen, this, &TDuengebedarfsfenster::FeldblockVerlassen);
  m_parzelle = Feld(f, m_schlag, S("Parzelle"), S("Gesamtparzellennummer *"), 0, true);
  m_parzelle->setToolTip(S("Für Bewirtschaftungseinheit bitte negative Zahl eingeben."));
  m_parzelle->setKeineNegativen(false);  // a negative number marks a management unit
  connect(m_parzelle, &TEingabeFeld::Verlassen, this, &TDuengebedarfsfenster::ParzelleVerlassen);
  m_teilflaechen = Feld(f, m_schlag, S("Teilflaechen"), S("Teilflächen"));
  Feld(f, m_schlag, S("Groesse"), S("Größe *"), 2, true);
  Auswahl(f, m_schlag, S("BewirtschaftungsAuflagen"), S("Nitratgebiet *"),
          {{S("Nein"), 1}, {S("Nitratgebiet nach §13a DüV"), 2}}, true);
  Auswahl(f, m_schlag, S("Phosphatgebiet"), S("Phosphorgebiet *"),
          {{S("Nein"), 1}, {S("Phosphatgebiet nach §13a DüV"), 2}}, true);
  m_nutzung = Auswahl(f, m_schlag, S("NutzungsForm"), S("Nutzungsform *"),
                      {{S("Ackerland"), 1}, {S("Grünland"), 2}, {S("Brache"), 4}}, true);
  connect(m_nutzung, &QComboBox::activated, this, [this] {
    if (m_schlag->Wert(S("NutzungsForm")).toInt() == 4) m_schlag->setWert(S("KeineDuengung"), 1);
    SchlagSichtbarkeit();
  });
  Feld(f, m_schlag, S("BKR"), S("Bodenklimaraum *"), 0, true);
  auto* az = Feld(f, m_schlag, S("AZ"), S("Ackerzahl *"), 0, true);
  az->setMinwert(1);
  az->setMaxWert(120);
  az->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  m_bodengruppe = Auswahl(f, m_schlag, S("BG"), S("Bodengruppe *"),
                          {{S("1 - Sand"), 1},
                           {S("2 - schwach lehmiger Sand"), 2},
                           {S("3 - stark lehmiger Sand"), 3},
                           {S("4 - sandiger/ schluffiger Lehm"), 4},
                           {S("5 - toniger Lehm bis Ton"), 5},
                           {S("6 - Anmoor/ Niedermoor"), 6}},
                          true);
  connect(m_bodengruppe, &QComboBox::activated, this, [this] {
    m_schlag->setWert(S("BGText"), m_bodengruppe->currentText());
    if (m_schlag->Wert(S("BG")).toInt() == 6) m_schlag->setWert(S("HumusGroesserVier"), 1);
  });
  auto* stein = Feld(f, m_schlag, S("SteingehaltKrume"), S("Steingehalt Boden (%) *"), 0, true);
  stein->setMinwert(1);
  stein->setMaxWert(100);
  stein->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  auto* tiefe = Feld(f, m_schlag, S("Durchwurzelungstiefe"), S("Durchwurzelungstiefe *"), 0, true);
  tiefe->setMinwert(15);
  tiefe->setIsGrossKleinTest(TMinMaxTest::Max_Free_Min_Grenz);
  auto* humus = Haken(f, m_schlag, S("HumusGroesserVier"), S("Humusgehalt > 4 %"));
  m_humus = humus;
  connect(humus, &QCheckBox::clicked, this, [this] {
    // Soil group 6 always has more than 4 % humus.
    if (m_schlag->Wert(S("BG")).toInt() == 6) m_schlag->setWert(S("HumusGroesserVier"), 1);
  });
  m_glBoden = Auswahl(f, m_schlag, S("GL_Bodenart"), S("Abschlag Boden-N-Nachlieferung (Grünland/Feldfutterbau) *"),
                      {{S("sehr schwach bis stark humose Grünlandböden  < 8 % org.Substanz"), 1},
                       {S("stark bis sehr stark humose Grünlandböden  8 % - < 15 % org.Substanz"), 2},
                       {S("anmoorige Grünlandböden  15 % - < 30 % org.Substanz"), 3},
                       {S("Hochmoor "), 4},
                       {S("Niedermoor"), 5},
                       {S("Ackergras, Klee und Luzerne in Reinkultur, Klee- und Luzernegras"), 6}},
                      true);
  connect(m_glBoden, &QComboBox::activated, this, [this] {
    m_schlag->setWert(S("GL_BG"), m_glBoden->currentText());
    SchlagSichtbarkeit();
  });
  Haken(f, m_schlag, S("KeineDuengung"), S("ohne Düngung (keine Berechnung)"));
  Haken(f, m_schlag, S("SonstigDuengebeschraenkung"), S("sonstige Düngebeschränkung"));
  Feld(f, m_schlag, S("P2O5_Gehalt"), S("P2O5-Gehalt (mg/100 g)"), 1);
  Feld(f, m_schlag, S("P_Gehalt"), S("P-Gehalt (mg/100 g)"), 1);
  auto* pDatum = Feld(f, m_schlag, S("P_AnalyseDatum"), S("Analysedatum"));
  pDatum->setDatenTyp(dtDatum);
  Auswahl(f, m_schlag, S("P_Methode"), S("Analysemethode"), {{S("CAL"), 1}, {S("DL"), 2}, {S("EUF"), 3}});
  OkAbbruch(f);
  connect(m_schlagPanel, &TADOPanel::Betreten, this, [this] {
    // Fields are added only through "neuen Schlag anlegen" or "Schlagteilung".
    if (m_schlag->Zustand() == TADODataSetMod::TZustand::Einfuegen && !m_schlagNeu) {
      m_schlag->Abbrechen();
      if (auto* raster = m_seiten->widget(SeiteSchlag)->findChild<QTableView*>()) raster->setFocus();
    }
  });
  h->addWidget(m_schlagPanel, 2);
  m_seiten->addTab(seite, S("Schlag-Grunddaten"));
}

void TDuengebedarfsfenster::AnbauSeiteBauen() {
  auto* seite = new QWidget;
  seite->setAccessibleName(S("Anbau"));
  auto* h = new QHBoxLayout(seite);
  auto* links = new QVBoxLayout;
  links->addWidget(SchlagRaster(), 1);
  links->addWidget(Legende(S("Unvollständig ausgefüllte Schläge mit fehlenden Pflichteingaben sind rot markiert.")));
  auto* kulturen = new QTableView;
  kulturen->setAccessibleName(S("Kulturen"));
  kulturen->setModel(m_anbauModell);
  kulturen->setSelectionBehavior(QAbstractItemView::SelectRows);
  kulturen->setSelectionMode(QAbstractItemView::SingleSelection);
  kulturen->verticalHeader()->hide();
  connect(kulturen->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& i) {
    if (i.isValid() && i.row() != m_anbau->Position()) m_anbau->Gehe(i.row());
  });
  connect(m_anbau, &TADODataSetMod::PositionGeaendert, kulturen, [this, kulturen] {
    if (m_anbau->Position() >= 0 && kulturen->currentIndex().row() != m_anbau->Position())
      kulturen->selectRow(m_anbau->Position());
  });
  links->addWidget(kulturen, 1);
  links->addWidget(new QLabel(S("Kulturen des Folgejahres sind gelb hinterlegt.")));
  auto* k1 = new QHBoxLayout;
  k1->addWidget(Knopf(S("Kultur anlegen"),
                      S("Hauptfrucht oder weitere im selben Jahr nach der ausgewählten Hauptfrucht auf der gleichen "
                        "Fläche angebaute Kultur hinzufügen."),
                      &TDuengebedarfsfenster::KulturAnlegen));
  k1->addWidget(Knopf(S("Zwischenfrucht anlegen"), S("Legt die Zwischenfrucht VOR der Hauptkultur an."),
                      &TDuengebedarfsfenster::ZwischenfruchtAnlegen));
  k1->addWidget(Knopf(S("Kultur löschen"), {}, &TDuengebedarfsfenster::KulturLoeschen));
  auto* vorauswahl = new QPushButton(S("Vorauswahl"));
  vorauswahl->setAccessibleName(S("Vorauswahl"));
  vorauswahl->setToolTip(S("Vorauswahl der benötigten Kulturen."));
  vorauswahl->setAutoDefault(false);
  connect(vorauswahl, &QPushButton::clicked, this, [this] {
    AllesSpeichern();
    if (VorauswahlOeffnen) VorauswahlOeffnen();
    KulturlistenLaden();
  });
  k1->addWidget(vorauswahl);
  links->addLayout(k1);
  auto* k2 = new QHBoxLayout;
  k2->addWidget(Knopf(S("Frucht merken"), {}, &TDuengebedarfsfenster::FruchtMerken));
  k2->addWidget(m_fruchtSetzen = Knopf(S("Frucht setzen"), {}, &TDuengebedarfsfenster::FruchtSetzen));
  k2->addWidget(Knopf(S("Vorfrucht merken"), {}, &TDuengebedarfsfenster::VorfruchtMerken));
  k2->addWidget(m_vorfruchtSetzen = Knopf(S("Vorfrucht setzen"), {}, &TDuengebedarfsfenster::VorfruchtSetzen));
  k2->addWidget(Knopf(S("Zwischenfrucht merken"), {}, &TDuengebedarfsfenster::ZwischenfruchtMerken));
  k2->addWidget(m_zfSetzen = Knopf(S("Zwischenfrucht setzen"), {}, &TDuengebedarfsfenster::ZwischenfruchtSetzen));
  for (QPushButton* k : {m_fruchtSetzen, m_vorfruchtSetzen, m_zfSetzen}) k->setEnabled(false);
  links->addLayout(k2);
  h->addLayout(links, 3);

  m_anbauPanel = new TADOPanel;
  m_anbauPanel->setDataSet(m_anbau);
  m_anbauPanel->setMeldungen(&m_meldungen);
  m_anbauPanel->setAccessibleName(S("Kultur"));
  auto* pl = new QVBoxLayout(m_anbauPanel);
  m_anbauSeiten = new QTabWidget;
  m_anbauSeiten->setAccessibleName(S("Fruchtart"));
  auto* hf = new QWidget;
  hf->setAccessibleName(S("Hauptfrucht"));
  auto* f = m_hfForm = new QFormLayout(hf);
  m_kultur = Auswahl(f, m_anbau, S("HauptfruchtNummer"), S("Hauptfrucht *"), {}, true);
  connect(m_kultur, &QComboBox::activated, this, &TDuengebedarfsfenster::KulturGewaehlt);
  m_einzelertrag = Feld(f, m_anbau, S("Einzelertrag"), S("Ertrag *"), 1, true);
  m_vorfrucht = Auswahl(f, m_anbau, S("Vorfrucht"), S("Vorfrucht"), {});
  connect(m_vorfrucht, &QComboBox::activated, this, &TDuengebedarfsfenster::VorfruchtGewaehlt);
  m_folie = Haken(f, m_anbau, S("IsFolie"), S("unter Folie"));
  m_ganzePflanze = Haken(f, m_anbau, S("VorfruchtGanzePflanzeAbgefahren"),
                         S("bei Vorfrucht ganze Pflanze geerntet (z.B. maschinelle Porreeernte)"));
  // The vegetable previous-crop deduction counts a third when sampling follows
  // at least four weeks after the previous crop was worked in.
  m_einMonatVorher = Haken(f, m_anbau, S("Is1MonatVorher"),
                           S("Nmin-Probenahme mind. 4 Wochen nach Einarbeitung der Vorfrucht"));
  m_legAnteil = Feld(f, m_anbau, S("Leguminosenanteil"), S("Ertragsanteil Leguminosen (nicht für Ackergras)"), 0);
  m_legAnteil->setMinwert(0);
  m_legAnteil->setMaxWert(100);
  m_legAnteil->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  m_rohprotein = Feld(f, m_anbau, S("TatsRohprotein"),
                      S("tatsächlicher Rohproteingehalt 5-jähriges Mittel   (nur bei Vorliegen eigener "
                        "Untersuchungsergebnisse)"),
                      1);
  m_rohprotein->setMinwert(8);
  m_rohprotein->setMaxWert(40);
  m_rohprotein->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  m_anbauSeiten->addTab(hf, S("Hauptfrucht"));
  auto* zf = new QWidget;
  zf->setAccessibleName(S("Zwischenfrucht"));
  auto* zfForm = new QFormLayout(zf);
  m_zwischenfrucht = Auswahl(zfForm, m_anbau, S("HauptfruchtNummer"), S("Zwischenfrucht *"), {}, true);
  connect(m_zwischenfrucht, &QComboBox::activated, this, &TDuengebedarfsfenster::ZwischenfruchtGewaehlt);
  m_anbauSeiten->addTab(zf, S("Zwischenfrucht"));
  pl->addWidget(m_anbauSeiten);
  auto* ok = new QFormLayout;
  OkAbbruch(ok);
  pl->addLayout(ok);
  pl->addStretch();
  connect(m_anbauPanel, &TADOPanel::Betreten, this, [this] {
    // Crop rows are added only through the buttons.
    if (m_anbau->Zustand() == TADODataSetMod::TZustand::Einfuegen && !m_kulturNeu) m_anbau->Abbrechen();
  });
  h->addWidget(m_anbauPanel, 2);
  m_seiten->addTab(seite, S("Anbau"));
}

void TDuengebedarfsfenster::StickstoffSeiteBauen() {
  auto* seite = new QWidget;
  seite->setAccessibleName(S("Stickstoff"));
  auto* h = new QHBoxLayout(seite);
  auto* links = new QVBoxLayout;
  auto* raster = new QTableView;
  raster->setAccessibleName(S("Kulturen des Jahres"));
  raster->setModel(m_stickstoffModell);
  raster->setSelectionBehavior(QAbstractItemView::SelectRows);
  raster->setSelectionMode(QAbstractItemView::SingleSelection);
  raster->verticalHeader()->hide();
  connect(raster->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& i) {
    if (i.isValid() && i.row() != m_stickstoff->Position()) m_stickstoff->Gehe(i.row());
  });
  const auto zeigen = [this, raster] {
    if (m_stickstoff->Position() >= 0 && raster->currentIndex().row() != m_stickstoff->Position())
      raster->selectRow(m_stickstoff->Position());
  };
  connect(m_stickstoff, &TADODataSetMod::PositionGeaendert, raster, zeigen);
  connect(m_stickstoff, &TADODataSetMod::Zurueckgesetzt, raster, zeigen);
  links->addWidget(raster, 1);
  auto* k = new QHBoxLayout;
  k->addWidget(Knopf(S("Berechnen"), {}, &TDuengebedarfsfenster::Berechnen));
  k->addWidget(Knopf(S("Nmin merken"), {}, &TDuengebedarfsfenster::NminMerken));
  k->addWidget(m_nminSetzen = Knopf(S("Nmin setzen"), {}, &TDuengebedarfsfenster::NminSetzen));
  m_nminSetzen->setEnabled(false);
  links->addLayout(k);
  h->addLayout(links, 2);

  m_nPanel = new TADOPanel;
  m_nPanel->setDataSet(m_stickstoff);
  m_nPanel->setMeldungen(&m_meldungen);
  m_nPanel->setAccessibleName(S("Stickstoff-Eingaben"));
  auto* pl = new QVBoxLayout(m_nPanel);
  auto* nmin = new QGroupBox(S("Nmin"));
  nmin->setAccessibleName(S("Nmin"));
  m_nminGruppe = nmin;
  auto* nf = new QFormLayout(nmin);
  const std::vector<std::pair<QString, QVariant>> quellen = {{S("Bodenuntersuchung MIT Steingehalt"), 1},
                                                             {S("Bodenuntersuchung OHNE Steingehalt"), 4},
                                                             {S("Richtwerte Fachbehörde"), 2}};
  m_quelle030 = Auswahl(nf, m_stickstoff, S("Quelle_0_30"), S("Datenherkunft 0-30 und 30-60 cm"), quellen, true);
  const char* schichten[3] = {"Nmin_0_30", "Nmin_30_60", "Nmin_60_90"};
  const char* titel[3] = {"Nmin 0-30 cm (kg N/ha)", "Nmin 30-60 cm (kg N/ha)", "Nmin 60-90 cm (kg N/ha)"};
  for (int i = 0; i < 3; ++i) {
    m_schicht[i] = Feld(nf, m_stickstoff, S(schichten[i]), S(titel[i]), 1, true);
    connect(m_schicht[i], &TEingabeFeld::Verlassen, this, [this, i] {
      // The plain sum until the next run of the rules.
      if (i != 1 || m_stickstoff->Wert(S("KulturGruppe")).toInt() == 3) NminSummeSetzen();
    });
  }
  m_schicht[2]->setToolTip(S("Doppelklick für Berechnung der 3. Schicht aus den Schichten 0 - 60 cm."));
  m_schicht[2]->installEventFilter(this);
  auto q3 = quellen;
  q3.emplace_back(S("aus Schicht 1 und 2 berechnet"), 3);
  auto* q3Zeile = new QHBoxLayout;
  m_quelle6090 = new TDBComboBoxMod;
  m_quelle6090->setAccessibleName(S("Datenherkunft 60-90 cm"));
  for (const auto& [t, w] : q3) m_quelle6090->Eintrag(t, w);
  m_quelle6090->Binden(m_stickstoff, S("Quelle_60_90"));
  m_quelle6090->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  q3Zeile->addWidget(m_quelle6090, 1);
  auto* loeschen = new QPushButton(S("X"));
  loeschen->setAccessibleName(S("Datenherkunft löschen"));
  loeschen->setToolTip(S("Ausgewählte Datenherkunft löschen."));
  loeschen->setAutoDefault(false);
  connect(loeschen, &QPushButton::clicked, this, &TDuengebedarfsfenster::QuelleLoeschen);
  q3Zeile->addWidget(loeschen);
  nf->addRow(S("Datenherkunft 60-90 cm"), q3Zeile);
  for (auto* c : {m_quelle030, m_quelle6090})
    connect(c, &QComboBox::activated, this, &TDuengebedarfsfenster::QuelleGewaehlt);
  pl->addWidget(nmin);
  auto* df = new QFormLayout;
  m_datum = new TDBEditMod(m_stickstoff, S("BerechnungsDatum"));
  m_datum->setDatenTyp(dtDatum);
  m_datum->setAccessibleName(S("Berechnungsdatum *"));
  m_datum->setFehler_Faerben(cnstFaerbenWennNull);
  m_datum->installEventFilter(this);
  connect(m_datum, &TEingabeFeld::Verlassen, this, &TDuengebedarfsfenster::DatumVerlassen);
  df->addRow(S("Berechnungsdatum *"), m_datum);
  pl->addLayout(df);

  m_auswertung = new QStackedWidget;
  m_auswertung->setAccessibleName(S("Auswertung"));
  const char* koepfe[3] = {"für Ackerland", "für Grünland und mehrschnittigen Feldfutterbau", "für Gemüse"};
  for (int s = 0; s < 3; ++s) {
    auto* box = new QGroupBox(S(koepfe[s]));
    box->setAccessibleName(S(koepfe[s]));
    auto* af = new QFormLayout(box);
    const auto wert = [&](const QString& text, const QString& spalte, int stellen = 0) {
      auto* e = new TDBEditMod(m_stickstoff, spalte);
      e->setRO(true);
      e->setGenauigkeit(stellen);
      e->setAccessibleName(text.trimmed());
      auto* l = new QLabel(text);
      af->addRow(l, e);
      return std::pair<QLabel*, TDBEditMod*>(l, e);
    };
    wert(S("1. Kultur"), S("Kultur"));
    wert(S("2. Stickstoffbedarfswert (kg N/ha)"), S("Stickstoffbedarfswert"));
    if (s == 1) {
      wert(S("3. Ertragsniveau laut Tabelle (dt TM/ha)"), S("Ertragsniveau"));
      wert(S("4. Rohproteingehalt laut Tabelle (% RP TM )"), S("Rohprotein"), 1);
      m_ertragLabel[s] = wert(S("5."), S("TatsErtrag")).first;
      m_rohproteinLabel = wert(S("6."), S("TatsRohprotein"), 1).first;
      wert(S("7. Ertragsdifferenz (dt TM/ha)"), S("Ertragsdifferenz"));
      wert(S("8. Rohproteindifferenz (% RP TM)"), S("RohproteinDifferenz"), 1);
      wert(S("9. Stickstoffnachlieferung OrgDung Vorjahr (kg N/ha)"), S("StickstoffnachlieferungOD"));
      wert(S("10. Zu-/Abschlag Ertragsdifferenz (kg N/ha)"), S("ZuAbschlagErtrag"));
      wert(S("11. Zu-/Abschlag Rohproteindifferenz (kg N/ha)"), S("ZuAbschlagRohprotein"));
      wert(S("12. Stickstoffnachlieferung aus dem Bodenvorrat (kg N/ha)"), S("Stickstoffnachlieferung"));
      wert(S("13. Stickstoffnachlieferung Leguminosen (kg N/ha)"), S("StickstoffnachlieferungLegum"));
    } else {
      wert(S("3. Ertragsniveau laut Tabelle (dt/ha)"), S("Ertragsniveau"));
      m_ertragLabel[s] = wert(S("4."), S("TatsErtrag")).first;
      wert(S("5. Ertragsdifferenz (dt/ha)"), S("Ertragsdifferenz"));
      wert(S("6. Summe Nmin (kg N/ha)"), S("Nmin"));
      wert(S("7. Zu-/Abschlag Ertragsdifferenz (kg N/ha)"), S("ZuAbschlagErtrag"));
      wert(S("8. Stickstoffnachlieferung aus dem Bodenvorrat (kg N/ha)"), S("Stickstoffnachlieferung"));
      wert(S("9.1 Stickstoffnachlieferung OrgDung Vorjahr (kg N/ha)"), S("StickstoffnachlieferungOD"));
      if (s == 0) {
        auto [l, e] = wert(S("9.2 verfügbarer N zu Winterraps/Wintergerste (kg N/ha)"), S("StickstoffnachlieferungWRWGH"));
        m_wrwghLabel = l;
        m_wrwghWert = e;
      }
      wert(S("10. Abschlag Vorfrucht (kg N/ha)"), S("VfAbschlag"));
      wert(S("10. Abschlag Zwischenfrucht (kg N/ha)"), S("ZfAbschlag"));
      if (s == 2) wert(S("11. Zuschlag Folie (kg N/ha)"), S("ZuschlagFolie"));
    }
    m_bedarfWert[s] = new QLabel;
    m_bedarfWert[s]->setAccessibleName(S("Düngebedarf (kg N/ha)"));
    af->addRow(S("Düngebedarf (kg N/ha)"), m_bedarfWert[s]);
    m_rotLabel[s] = new QLabel(S("      Nitratgebiet abzüglich 20 % (kg N/ha)"));
    m_rotWert[s] = new QLabel;
    m_rotWert[s]->setAccessibleName(S("Nitratgebiet abzüglich 20 % (kg N/ha)"));
    af->addRow(m_rotLabel[s], m_rotWert[s]);
    m_auswertung->addWidget(box);
  }
  pl->addWidget(m_auswertung);
  m_hinweis = new QLabel;
  m_hinweis->setAccessibleName(S("Hinweis"));
  m_hinweis->setWordWrap(true);
  pl->addWidget(m_hinweis);
  pl->addStretch();
  h->addWidget(m_nPanel, 3);
  m_seiten->addTab(seite, S("Stickstoff"));
}

// --- opening and showing --------------------------------------------------------

bool TDuengebedarfsfenster::Oeffnen() {
  if (m_offen) return true;
  const QString name =
      m_db.Wert(S("select Betriebsname from Betriebe where ID = :B"), {{S("B"), m_betrieb}}).toString();
  setWindowTitle(S("Düngebedarfsermittlung:  ") + name + S(" / ") + QString::number(m_jahr));
  KulturlistenLaden();
  m_neuberechnung = true;
  const bool ok = m_schlag->Oeffnen();
  m_neuberechnung = false;
  AnbauOeffnen();
  m_offen = true;
  const QSignalBlocker sperre(m_seiten);
  m_seiten->setCurrentIndex(SeiteSchlag);
  SchlagSichtbarkeit();
  return ok;
}

void TDuengebedarfsfenster::showEvent(QShowEvent* ereignis) {
  Oeffnen();
  QDialog::showEvent(ereignis);
}

void TDuengebedarfsfenster::keyPressEvent(QKeyEvent* ereignis) {
  // Escape takes back an input; it does not close the window.
  if (ereignis->key() == Qt::Key_Escape) {
    ereignis->accept();
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

void TDuengebedarfsfenster::done(int ergebnis) {
  if (m_offen) {
    AllesSpeichern();
    m_schlag->Schliessen();
    m_anbau->Schliessen();
    m_stickstoff->Schliessen();
    m_offen = false;
  }
  QDialog::done(ergebnis);
}

bool TDuengebedarfsfenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::MouseButtonDblClick) {
    if (objekt == m_schicht[2]) {
      DritteSchichtAbleiten();
      return true;
    }
    if (objekt == m_datum && m_stickstoff->Position() >= 0) {
      m_stickstoff->setWert(S("BerechnungsDatum"), QDate::currentDate().toString(S("yyyy-MM-dd")));
      return true;
    }
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void TDuengebedarfsfenster::KulturlistenLaden() {
  const auto fuellen = [](TDBComboBoxMod* c, TADOModConnection& db, const QString& sql, const TParameter& p, bool leer) {
    const QSignalBlocker sperre(c);
    c->clear();
    if (leer) c->Eintrag(QString(), 0);
    TAbfrage a(db, sql, p);
    while (a.Naechste()) c->Eintrag(a.Wert(1).toString(), a.Wert(0));
    c->Anzeigen();
  };
  const QString kulturen = S("select FA_NR, Kultur from S_KulturenNP where BetriebsNr = :B and Auswahl = 1 "
                             "and Ertragsniveau > 0 and coalesce(Kultur, '') <> '' order by Kultur");
  fuellen(m_kultur, m_db, kulturen, {{S("B"), m_betrieb}}, false);
  fuellen(m_vorfrucht, m_db, kulturen, {{S("B"), m_betrieb}}, true);
  fuellen(m_zwischenfrucht, m_db, S("select ID, Fruchtart from S_Zwifru order by ID"), {}, false);
}

void TDuengebedarfsfenster::AnbauOeffnen() {
  m_anbau->SpeichernWennGeaendert();
  m_anbau->ParameterSetzen(S("P"), m_schlag->Position() >= 0 ? m_schlag->Wert(S("Parzelle")) : QVariant(0));
  m_anbau->Oeffnen();
  AnbauSichtbarkeit();
}

void TDuengebedarfsfenster::AllesSpeichern() {
  m_schlag->SpeichernWennGeaendert();
  m_anbau->SpeichernWennGeaendert();
  m_stickstoff->SpeichernWennGeaendert();
}

void TDuengebedarfsfenster::SchlaegeNeuLesen() {
  m_neuberechnung = true;
  m_schlag->Aktualisieren();
  m_neuberechnung = false;
}

bool TDuengebedarfsfenster::ZurParzelle(int parzelle) {
  const int i = m_schlag->FeldIndex(S("Parzelle"));
  for (int z = 0; z < m_schlag->Anzahl(); ++z)
    if (m_schlag->Wert(z, i).toInt() == parzelle) return m_schlag->Gehe(z);
  return false;
}

void TDuengebedarfsfenster::SeiteGewechselt(int seite) {
  if (!m_offen || m_seitenwechsel) return;
  AllesSpeichern();
  if (seite == SeiteStickstoff) {
    // The crop row of the current field, the main crop when none is chosen.
    const int parzelle = m_schlag->Wert(S("Parzelle")).toInt();
    qint64 id = 0;
    if (m_anbau->Position() >= 0 && m_anbau->Wert(S("FruchtNr")).toInt() >= 1 &&
        m_anbau->Wert(S("Jahr")).toInt() == m_jahr)
      id = m_anbau->Wert(S("ID")).toLongLong();
    m_stickstoff->Oeffnen();
    if (!id || !m_stickstoff->Suchen(id)) {
      const int p = m_stickstoff->FeldIndex(S("Parzelle"));
      for (int z = 0; z < m_stickstoff->Anzahl(); ++z)
        if (m_stickstoff->Wert(z, p).toInt() == parzelle) {
          m_stickstoff->Gehe(z);
          break;
        }
    }
    StickstoffAnzeigen();
  } else {
    int parzelle = m_schlag->Wert(S("Parzelle")).toInt();
    qint64 anbauId = m_anbau->Position() >= 0 ? m_anbau->Wert(S("ID")).toLongLong() : 0;
    if (m_stickstoff->IstOffen() && m_stickstoff->Position() >= 0) {
      parzelle = m_stickstoff->Wert(S("Parzelle")).toInt();
      anbauId = m_stickstoff->Wert(S("ID")).toLongLong();
    }
    SchlaegeNeuLesen();
    m_neuberechnung = true;
    ZurParzelle(parzelle);
    m_neuberechnung = false;
    AnbauOeffnen();
    if (anbauId) m_anbau->Suchen(anbauId);
  }
}

// --- visibility ---------------------------------------------------------------------

void TDuengebedarfsfenster::SchlagSichtbarkeit() {
  if (!m_schlagForm) return;
  const bool zeile = m_schlag->IstOffen() && m_schlag->Position() >= 0;
  const bool gruenland = zeile && m_schlag->Wert(S("NutzungsForm")).toInt() == 2;
  m_schlagForm->setRowVisible(m_glBoden, gruenland);
  m_schlagForm->setRowVisible(m_humus, !gruenland);
  m_schlagForm->setRowVisible(m_teilflaechen, zeile && m_schlag->Wert(S("Parzelle")).toInt() < 0);
  AnbauSichtbarkeit();
}

void TDuengebedarfsfenster::AnbauSichtbarkeit() {
  if (!m_hfForm) return;
  const bool zeile = m_anbau->IstOffen() && m_anbau->Position() >= 0;
  const int gruppe = zeile ? m_anbau->Wert(S("KulturGruppe")).toInt() : 0;
  const bool gruenland = (m_schlag->Position() >= 0 && m_schlag->Wert(S("NutzungsForm")).toInt() == 2) || gruppe == 2;
  m_hfForm->setRowVisible(m_folie, gruppe == 3);
  m_hfForm->setRowVisible(m_ganzePflanze, gruppe == 3);
  m_hfForm->setRowVisible(m_einMonatVorher, gruppe == 3);
  m_hfForm->setRowVisible(m_legAnteil, gruenland);
  m_hfForm->setRowVisible(m_rohprotein, gruenland);
  m_hfForm->setRowVisible(m_einzelertrag, zeile && m_anbau->Wert(S("IsEinzelErtrag")).toInt() != 0);
  const bool zf = zeile && m_anbau->Wert(S("FruchtNr")).toInt() == 0;
  m_anbauSeiten->setTabEnabled(1, zf);
  m_anbauSeiten->setTabEnabled(0, !zf);
  m_anbauSeiten->setCurrentIndex(zf ? 1 : 0);
}

int TDuengebedarfsfenster::Auswertungsseite() const { return m_auswertung ? m_auswertung->currentIndex() : 0; }

void TDuengebedarfsfenster::StickstoffAnzeigen() {
  if (!m_auswertung) return;
  const bool zeile = m_stickstoff->IstOffen() && m_stickstoff->Position() >= 0;
  const int gruppe = zeile ? m_stickstoff->Wert(S("KulturGruppe")).toInt() : 1;
  const int seite = gruppe == 2 ? 1 : gruppe == 3 ? 2 : 0;
  m_auswertung->setCurrentIndex(seite);
  m_nminGruppe->setVisible(seite != 1);
  const bool rg = zeile && m_stickstoff->Wert(S("RotesGebiet")).toInt() == 2;
  const bool neu = m_jahr > 2020;
  for (int s = 0; s < 3; ++s) {
    const QString einheit = s == 1 ? S(" (dt TM/ha)") : S(" (dt/ha)");
    const QString nr = s == 1 ? S("5. ") : S("4. ");
    QString text;
    if (neu && rg)
      text = nr + S("tats. Ertragsniveau Mittel 2015-2019") + einheit;
    else if (neu)
      text = nr + S("tatsächliches Ertragsniveau 5-j. Mittel") + einheit;
    else
      text = nr + S("tatsächliches Ertragsniveau 3-j. Mittel") + einheit;
    m_ertragLabel[s]->setText(text);
    const QVariant bedarf = zeile ? m_stickstoff->Wert(S("Duengebedarf")) : QVariant();
    m_bedarfWert[s]->setText(bedarf.isNull() ? QString() : Nummer(bedarf));
    m_rotLabel[s]->setVisible(rg && neu);
    m_rotWert[s]->setVisible(rg && neu);
    m_rotWert[s]->setText(bedarf.isNull() ? QString() : Nummer(bedarf.toDouble() * 0.8));
  }
  m_rohproteinLabel->setText(neu ? S("6. tatsächlicher Rohproteingehalt 5-j. Mittel (% RP TM )")
                                 : S("6. tatsächlicher Rohproteingehalt 3-j. Mittel (% RP TM )"));
  m_wrwghLabel->setVisible(neu);
  m_wrwghWert->setVisible(neu);
  const bool sonstig =
      zeile && m_db.Wert(S("select SonstigDuengebeschraenkung from Schlag where BetriebsNr = :B and Jahr = :J "
                           "and Parzelle = :P"),
                         {{S("B"), m_betrieb}, {S("J"), m_jahr}, {S("P"), m_stickstoff->Wert(S("Parzelle"))}})
                   .toInt() != 0;
  m_hinweis->setText(sonstig ? S("Sonstige Düngebeschränkung ausgewählt. Ggf. niedrigerer Düngebedarf als nach DüV möglich.")
                             : QString());
}

// --- fields -------------------------------------------------------------------------

bool TDuengebedarfsfenster::SchlagUnvollstaendig(const TADODataSetMod& l, int z) {
  const auto w = [&](const char* f) { return l.Wert(z, l.FeldIndex(S(f))); };
  if (w("KeineDuengung").toInt() != 0) return false;
  if (w("Feldblock").toString().trimmed().isEmpty()) return true;
  for (const char* f : {"Parzelle", "Groesse", "BewirtschaftungsAuflagen", "Phosphatgebiet", "NutzungsForm", "BKR", "AZ",
                        "BG", "SteingehaltKrume", "Durchwurzelungstiefe"})
    if (w(f).isNull() || w(f).toDouble() == 0) return true;
  return w("NutzungsForm").toInt() == 2 && w("GL_Bodenart").toInt() == 0;
}

QString TDuengebedarfsfenster::SchlagFehlt(int parzelle) {
  const int i = m_schlag->FeldIndex(S("Parzelle"));
  for (int z = 0; z < m_schlag->Anzahl(); ++z)
    if (m_schlag->Wert(z, i).toInt() == parzelle) return SchlagUnvollstaendig(*m_schlag, z) ? S("Schlag") : QString();
  return QString();
}

bool TDuengebedarfsfenster::KulturFehlt(qint64 id) {
  TAbfrage a(m_db, S("select HauptfruchtNummer, IsEinzelErtrag, Einzelertrag from Anbau where ID = :id"), {{S("id"), id}});
  if (!a.Naechste()) return false;
  return a.Wert(0).toInt() == 0 || (a.Wert(1).toInt() != 0 && a.Wert(2).toDouble() <= 0);
}

int TDuengebedarfsfenster::FeldInt(const QString& tabelle, const QString& spalte, const QString& bedingung) {
  return m_db.Wert(S("select %1 from %2 where %3").arg(spalte, tabelle, bedingung)).toInt();
}

void TDuengebedarfsfenster::NeuerSchlag() {
  if (!m_db.Existiert(S("DuengeJahr"), S("ID"), S("BetriebsNr = %1").arg(m_betrieb))) {
    m_meldungen.Info(S("Sie müssen erst ein Düngejahr anlegen."));
    return;
  }
  m_seitenwechsel = true;
  m_seiten->setCurrentIndex(SeiteSchlag);
  m_seitenwechsel = false;
  AllesSpeichern();
  m_schlagNeu = true;
  m_neuberechnung = true;
  m_schlag->Anfuegen();
  m_neuberechnung = false;
  m_parzelle->setFocus(Qt::OtherFocusReason);
}

void TDuengebedarfsfenster::ParzelleVerlassen() {
  if (m_schlag->Zustand() == TADODataSetMod::TZustand::Einfuegen) {
    const QVariant p = m_schlag->Wert(S("Parzelle"));
    if (!p.isNull() &&
        m_db.Existiert(S("Schlag"), S("ID"),
                       S("BetriebsNr = %1 and Jahr = %2 and Parzelle = %3").arg(m_betrieb).arg(m_jahr).arg(p.toInt()))) {
      m_meldungen.Info(S("Diese Parzelle gibt es schon, bitte andere Nummer vergeben."));
      m_parzelle->setFocus(Qt::OtherFocusReason);
    }
  }
  SchlagSichtbarkeit();
}

void TDuengebedarfsfenster::FeldblockVerlassen() {
  if (m_schlag->Position() < 0) return;
  if (m_schlag->Wert(S("Feldblock")).toString().length() != 16) {
    m_meldungen.Info(S("Bitte exakt 16-stellig eingeben."));
    m_feldblock->setFocus(Qt::OtherFocusReason);
  }
}

bool TDuengebedarfsfenster::SchlagVorDemSpeichern(TADODataSetMod& l) {
  if (l.Wert(S("BG")).toInt() == 6) l.setWert(S("HumusGroesserVier"), 1);
  if (l.Wert(S("BKR")).toInt() == 0)
    l.setWert(S("BKR"), m_db.Wert(S("select BKR from Betriebe where ID = :B"), {{S("B"), m_betrieb}}));
  const QString klasse =
      Phosphor::Gehaltsklasse(l.Wert(S("P_Methode")).toInt(), l.Wert(S("BKR")).toInt(), l.Wert(S("P_Gehalt")).toDouble());
  if (l.Wert(S("P_GehaltsKlasse")).toString() != klasse) l.setWert(S("P_GehaltsKlasse"), klasse);
  return true;
}

void TDuengebedarfsfenster::SchlagNachDemSpeichern(TADODataSetMod& l) {
  m_schlagNeu = false;
  if (m_seiten->currentIndex() == SeiteSchlag) {
    Anbauregeln::BodenInAnbau(m_db, l.Wert(S("ID")).toLongLong());
    if (!m_neuberechnung) AnbauOeffnen();
  }
}

void TDuengebedarfsfenster::SchlagTeilung() {
  if (m_schlag->Position() < 0) return;
  const int neu = m_meldungen.Ganzzahleingabe(S("Bitte geben Sie die neue Parzellennummer an."));
  if (neu == 0) return;
  if (m_db.Existiert(S("Schlag"), S("ID"),
                     S("BetriebsNr = %1 and Jahr = %2 and Parzelle = %3").arg(m_betrieb).arg(m_jahr).arg(neu))) {
    m_meldungen.Info(S("Diese Parzellennummer ist schon vergeben."));
    return;
  }
  AllesSpeichern();
  if (!Anbauregeln::SchlagTeilen(m_db, m_schlag->Wert(S("ID")).toLongLong(), neu)) return;
  SchlaegeNeuLesen();
  ZurParzelle(neu);
  AnbauOeffnen();
}

void TDuengebedarfsfenster::SchlagLoeschen() {
  if (m_schlag->Position() < 0) return;
  if (!m_meldungen.Frage(S("Schlag wirklich löschen?"))) return;
  if (m_schlag->Zustand() == TADODataSetMod::TZustand::Einfuegen) {
    m_schlag->Abbrechen();
  } else {
    m_schlag->Abbrechen();
    m_db.AusfuehrenMitMeldung(S("delete from Schlag where ID = :id"), {{S("id"), m_schlag->Wert(S("ID"))}});
  }
  m_schlagNeu = false;
  SchlaegeNeuLesen();
  AnbauOeffnen();
}

void TDuengebedarfsfenster::Suchen(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty() || m_schlag->IstLeer()) return;
  const auto gehe = [this](int z) {
    m_schlag->Gehe(z);
    return true;
  };
  if (t.at(0).isDigit()) {
    const int i = m_schlag->FeldIndex(S("SchlagNr"));
    for (int z = 0; z < m_schlag->Anzahl(); ++z)
      if (m_schlag->Wert(z, i).toString() == t) return void(gehe(z));
    m_meldungen.Piep();
    return;
  }
  for (const char* spalte : {"SchlagName", "Kultur"}) {
    const int i = m_schlag->FeldIndex(S(spalte));
    const std::function<bool(const QString&)> tests[3] = {
        [&](const QString& s) { return s == t; },
        [&](const QString& s) { return s.compare(t, Qt::CaseInsensitive) == 0; },
        [&](const QString& s) { return s.startsWith(t, Qt::CaseInsensitive); }};
    for (const auto& test : tests)
      for (int z = 0; z < m_schlag->Anzahl(); ++z)
        if (test(m_schlag->Wert(z, i).toString())) return void(gehe(z));
  }
  m_meldungen.Piep();
}

// --- crop rows ------------------------------------------------------------------------

void TDuengebedarfsfenster::KulturAnlegen() {
  if (m_schlag->IstLeer() || m_schlag->Position() < 0) return;
  m_seitenwechsel = true;
  m_seiten->setCurrentIndex(SeiteAnbau);
  m_seitenwechsel = false;
  AllesSpeichern();
  const int parzelle = m_schlag->Wert(S("Parzelle")).toInt();
  const int hoechste = Anbauregeln::HoechsteFruchtNr(m_db, m_betrieb, m_jahr, parzelle);
  // The last row of the year: the new crop follows it.
  int letzte = -1;
  const int j = m_anbau->FeldIndex(S("Jahr")), fr = m_anbau->FeldIndex(S("FruchtNr"));
  for (int z = 0; z < m_anbau->Anzahl(); ++z)
    if (m_anbau->Wert(z, j).toInt() <= m_jahr &&
        (letzte < 0 || m_anbau->Wert(z, fr).toInt() >= m_anbau->Wert(letzte, fr).toInt()))
      letzte = z;
  if (letzte >= 0) {
    m_anbau->Gehe(letzte);
    m_schlag->setWert(S("VFEinzelertrag"), Ganz(m_anbau->Wert(S("TatsErtrag"))));
    m_schlag->setWert(S("Vorfrucht"), m_anbau->Wert(S("HauptfruchtNummer")));
    m_neuberechnung = true;
    m_schlag->SpeichernWennGeaendert();
    m_neuberechnung = false;
  }
  const int fruchtNr = std::max(hoechste, 0) + 1;
  m_kulturNeu = true;
  m_anbau->Anfuegen();
  m_anbau->setWert(S("BetriebsNr"), m_betrieb);
  m_anbau->setWert(S("Jahr"), m_jahr);
  m_anbau->setWert(S("Parzelle"), parzelle);
  m_anbau->setWert(S("IsFolie"), 0);
  m_anbau->setWert(S("FruchtNr"), fruchtNr);
  const int vorfrucht = Anbauregeln::VorfruchtVorschlag(m_db, m_betrieb, m_jahr, parzelle, fruchtNr);
  if (vorfrucht > 100) {
    m_anbau->setWert(S("Vorfrucht"), vorfrucht);
    m_anbau->setWert(S("VorfruchtText"),
                     m_db.Wert(S("select Kultur from S_KulturenNP where BetriebsNr = :B and FA_NR = :F"),
                               {{S("B"), m_betrieb}, {S("F"), vorfrucht}}));
  }
  AnbauSichtbarkeit();
  m_kultur->setFocus(Qt::OtherFocusReason);
}

void TDuengebedarfsfenster::ZwischenfruchtAnlegen() {
  if (m_schlag->IstLeer() || m_schlag->Position() < 0) return;
  m_seitenwechsel = true;
  m_seiten->setCurrentIndex(SeiteAnbau);
  m_seitenwechsel = false;
  AllesSpeichern();
  const int parzelle = m_schlag->Wert(S("Parzelle")).toInt();
  const QVariant id = m_db.Wert(S("select ID from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P "
                                  "and FruchtNr = 0"),
                                {{S("B"), m_betrieb}, {S("J"), m_jahr}, {S("P"), parzelle}});
  if (!id.isNull()) {
    m_anbau->Suchen(id.toLongLong());
    m_anbau->Bearbeiten();
  } else {
    m_kulturNeu = true;
    m_anbau->Anfuegen();
    m_anbau->setWert(S("BetriebsNr"), m_betrieb);
    m_anbau->setWert(S("Jahr"), m_jahr);
    m_anbau->setWert(S("Parzelle"), parzelle);
    m_anbau->setWert(S("FruchtNr"), 0);
  }
  AnbauSichtbarkeit();
  m_zwischenfrucht->setFocus(Qt::OtherFocusReason);
}

void TDuengebedarfsfenster::KulturGewaehlt() {
  if (m_anbau->Position() < 0) return;
  TAbfrage a(m_db,
             S("select Kultur, AlGlSonst, HP_TM_Umr, IsEinzelErtrag, Ertragsniveau, Rohprotein, TatsErtrag, TatsErtragRG, "
               "IsLegum, Kulturgruppe, N_Bindung_ha, N_Bindung_ha_gr10P, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P "
               "from S_KulturenNP where BetriebsNr = :B and FA_NR = :F"),
             {{S("B"), m_betrieb}, {S("F"), m_anbau->Wert(S("HauptfruchtNummer"))}});
  if (!a.Naechste()) return;
  const bool rg = m_anbau->Wert(S("Jahr")).toInt() > 2020 &&
                  FeldInt(S("Schlag"), S("BewirtschaftungsAuflagen"),
                          S("BetriebsNr = %1 and Jahr = %2 and Parzelle = %3")
                              .arg(m_betrieb)
                              .arg(m_anbau->Wert(S("Jahr")).toInt())
                              .arg(m_anbau->Wert(S("Parzelle")).toInt())) == 2;
  for (const char* f : {"Kultur", "AlGlSonst", "HP_TM_Umr", "IsEinzelErtrag", "Ertragsniveau"}) m_anbau->setWert(S(f), a.Wert(S(f)));
  m_anbau->setWert(S("TatsRohprotein"), a.Wert(S("Rohprotein")));
  m_anbau->setWert(S("TatsErtrag"), rg ? a.Wert(S("TatsErtragRG")) : a.Wert(S("TatsErtrag")));
  m_anbau->setWert(S("IsLegum"), a.Wert(S("IsLegum")));
  m_anbau->setWert(S("KulturGruppe"), a.Wert(S("Kulturgruppe")));
  for (const char* f : {"N_Bindung_ha", "N_Bindung_ha_gr10P", "N_Bindung_dt_FM", "N_Bindung_dt_FM_gr10P"})
    m_anbau->setWert(S(f), a.Wert(S(f)));
  m_anbau->setWert(S("Einzelertrag"), 0);
  m_anbau->setWert(S("Duengebedarf"), QVariant());
  AnbauSichtbarkeit();
}

void TDuengebedarfsfenster::VorfruchtGewaehlt() {
  if (m_anbau->Position() < 0) return;
  TAbfrage a(m_db, S("select Kultur, TatsErtrag from S_KulturenNP where BetriebsNr = :B and FA_NR = :F"),
             {{S("B"), m_betrieb}, {S("F"), m_anbau->Wert(S("Vorfrucht"))}});
  const QString text = a.Naechste() ? a.Wert(0).toString() : QString();
  const int ertrag = Ganz(a.Wert(1));
  m_anbau->setWert(S("VorfruchtText"), text);
  m_anbau->setWert(S("VorfruchtErtrag"), ertrag);
  const int hoechste = Anbauregeln::HoechsteFruchtNr(m_db, m_betrieb, m_anbau->Wert(S("Jahr")).toInt(),
                                                     m_anbau->Wert(S("Parzelle")).toInt());
  if (m_anbau->Wert(S("FruchtNr")).toInt() >= hoechste && m_anbau->Wert(S("Jahr")).toInt() == m_jahr) {
    m_db.AusfuehrenMitMeldung(S("update Schlag set VFEinzelertrag = :E, Vorfrucht = :V, VF_Name = :N "
                                "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                              {{S("E"), ertrag},
                               {S("V"), m_anbau->Wert(S("Vorfrucht"))},
                               {S("N"), text},
                               {S("B"), m_betrieb},
                               {S("J"), m_jahr},
                               {S("P"), m_anbau->Wert(S("Parzelle"))}});
  }
}

void TDuengebedarfsfenster::ZwischenfruchtGewaehlt() {
  if (m_anbau->Position() < 0) return;
  const QString art =
      m_db.Wert(S("select Fruchtart from S_Zwifru where ID = :id"), {{S("id"), m_anbau->Wert(S("HauptfruchtNummer"))}})
          .toString();
  const QString text = (S("--Zwischenfrucht-- ") + art).trimmed();
  m_anbau->setWert(S("Kultur"), text);
  m_db.AusfuehrenMitMeldung(S("update Schlag set ZwischenfruchtText = :T where BetriebsNr = :B and Jahr = :J "
                              "and Parzelle = :P"),
                            {{S("T"), text}, {S("B"), m_betrieb}, {S("J"), m_anbau->Wert(S("Jahr"))},
                             {S("P"), m_anbau->Wert(S("Parzelle"))}});
}

bool TDuengebedarfsfenster::AnbauVorDemSpeichern(TADODataSetMod& l) {
  const bool neu = l.Zustand() == TADODataSetMod::TZustand::Einfuegen;
  const int jahr = l.Wert(S("Jahr")).toInt(), parzelle = l.Wert(S("Parzelle")).toInt();
  const int fruchtNr = l.Wert(S("FruchtNr")).toInt();
  const int hoechste = Anbauregeln::HoechsteFruchtNr(m_db, m_betrieb, jahr, parzelle);
  const bool letzte = neu || fruchtNr >= hoechste;
  if (l.Wert(S("Einzelertrag")).isNull() || l.Wert(S("Einzelertrag")).toDouble() == 0)
    l.setWert(S("Einzelertrag"), l.Wert(S("TatsErtrag")));
  if (l.Wert(S("IsEinzelErtrag")).toInt() != 0 && l.Wert(S("Ertragsniveau")).toDouble() > 1) {
    const double e = Anbauregeln::EinzelertragBegrenzt(l.Wert(S("Einzelertrag")).toDouble(),
                                                       l.Wert(S("Ertragsniveau")).toDouble(),
                                                       l.Wert(S("TatsErtrag")).toDouble());
    if (e != l.Wert(S("Einzelertrag")).toDouble()) l.setWert(S("Einzelertrag"), e);
  }
  const TParameter feld = {{S("B"), m_betrieb}, {S("J"), jahr}, {S("P"), parzelle}};
  if (fruchtNr == 0) {
    const int art = l.Wert(S("HauptfruchtNummer")).toInt();
    l.setWert(S("Zwischenfrucht"), art > 0 ? art : Anbauregeln::OhneZwischenfrucht);
  } else if (fruchtNr == 1) {
    const int zf = m_db.Wert(S("select max(HauptfruchtNummer) from Anbau where BetriebsNr = :B and Jahr = :J "
                               "and Parzelle = :P and FruchtNr = 0"),
                             feld)
                       .toInt();
    l.setWert(S("Zwischenfrucht"), zf > 0 ? zf : Anbauregeln::OhneZwischenfrucht);
  } else {
    l.setWert(S("Zwischenfrucht"), Anbauregeln::OhneZwischenfrucht);
    TParameter p = feld;
    p.emplace_back(S("F"), fruchtNr - 1);
    l.setWert(S("Vorfrucht"), m_db.Wert(S("select HauptfruchtNummer from Anbau where BetriebsNr = :B and Jahr = :J "
                                          "and Parzelle = :P and FruchtNr = :F"),
                                        p));
  }
  // The field's crop summary; a catch crop never becomes the field's crop.
  if (letzte && fruchtNr >= 1) {
    TParameter p = feld;
    p.emplace_back(S("HE"), Ganz(l.Wert(S("Einzelertrag"))));
    p.emplace_back(S("HN"), l.Wert(S("HauptfruchtNummer")));
    p.emplace_back(S("K"), l.Wert(S("Kultur")));
    p.emplace_back(S("VN"), l.Wert(S("VorfruchtText")));
    p.emplace_back(S("V"), l.Wert(S("Vorfrucht")));
    p.emplace_back(S("VE"), Ganz(l.Wert(S("VorfruchtErtrag"))));
    m_db.AusfuehrenStill(S("update Schlag set HFEinzelertrag = :HE, HauptfruchtNummer = :HN, HF_Name = :K, Kultur = :K, "
                           "VF_Name = :VN, Vorfrucht = :V, VFEinzelertrag = :VE, Einzelertrag = :HE "
                           "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                         p);
  }
  return true;
}

void TDuengebedarfsfenster::AnbauNachDemSpeichern(TADODataSetMod& l) {
  m_kulturNeu = false;
  const qint64 id = l.Wert(S("ID")).toLongLong();
  const int jahr = l.Wert(S("Jahr")).toInt(), parzelle = l.Wert(S("Parzelle")).toInt();
  const int fruchtNr = l.Wert(S("FruchtNr")).toInt();
  const TParameter feld = {{S("B"), m_betrieb}, {S("J"), jahr}, {S("P"), parzelle}, {S("id"), id}};
  if (fruchtNr == 0)
    m_db.AusfuehrenStill(S("update Schlag set ZwischenfruchtText = (select Kultur from Anbau where ID = :id) "
                           "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                         feld);
  Befehle::GruppeFuerDatensatz(m_db, id, 20);
  Befehle::GruppeFuerDatensatz(m_db, id, 20);
  Anbauregeln::LegumAbgleichen(m_db, id);
  if (fruchtNr >= Anbauregeln::HoechsteFruchtNr(m_db, m_betrieb, jahr, parzelle))
    m_db.AusfuehrenStill(S("update Schlag set Kultur_ID = :id where BetriebsNr = :B and Jahr = :J and Parzelle = :P"), feld);
  if (fruchtNr >= 1) Befehle::GruppeFuerDatensatz(m_db, id, 20);
  if (fruchtNr == 1)
    m_db.AusfuehrenStill(S("update Schlag set ( HauptfruchtNummer, Vorfrucht, HFEinzelertrag ) = ( select "
                           "HauptfruchtNummer, Vorfrucht, TatsErtrag from Anbau where ID = :id ) "
                           "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                         feld);
  l.Aktualisieren();
  l.Suchen(id);
  const qint64 schlagId = m_schlag->Position() >= 0 ? m_schlag->Wert(S("ID")).toLongLong() : 0;
  if (m_schlag->Zustand() == TADODataSetMod::TZustand::Blaettern) {
    SchlaegeNeuLesen();
    m_neuberechnung = true;
    if (schlagId) m_schlag->Suchen(schlagId);
    m_neuberechnung = false;
  }
}

void TDuengebedarfsfenster::KulturLoeschen() {
  if (m_anbau->IstLeer() || m_anbau->Position() < 0) return;
  const int parzelle = m_anbau->Wert(S("Parzelle")).toInt(), jahr = m_anbau->Wert(S("Jahr")).toInt();
  if (m_meldungen.Frage(S("Kultur wirklich löschen?"))) {
    const bool neu = m_anbau->Zustand() == TADODataSetMod::TZustand::Einfuegen;
    const qint64 id = m_anbau->Wert(S("ID")).toLongLong();
    m_anbau->Abbrechen();
    m_kulturNeu = false;
    if (!neu) Anbauregeln::KulturLoeschen(m_db, id);
  }
  Anbauregeln::SchlagZusammenfassung(m_db, m_betrieb, jahr, parzelle);
  SchlaegeNeuLesen();
  AnbauOeffnen();
}

void TDuengebedarfsfenster::FruchtMerken() {
  if (m_anbau->Position() < 0) return;
  if (m_anbau->Wert(S("HauptfruchtNummer")).toInt() > 0)
    m_frucht = std::pair(m_anbau->Wert(S("HauptfruchtNummer")), QVariant(Ganz(m_anbau->Wert(S("Einzelertrag")))));
  m_fruchtSetzen->setEnabled(m_frucht.has_value());
}

void TDuengebedarfsfenster::FruchtSetzen() {
  if (!m_frucht || m_anbau->Position() < 0) return;
  m_anbau->setWert(S("HauptfruchtNummer"), m_frucht->first);
  KulturGewaehlt();
  m_anbau->setWert(S("Einzelertrag"), m_frucht->second);
}

void TDuengebedarfsfenster::VorfruchtMerken() {
  if (m_anbau->Position() < 0) return;
  m_vorfruchtGemerkt = std::pair(m_anbau->Wert(S("Vorfrucht")), m_anbau->Wert(S("VorfruchtText")));
  m_vorfruchtSetzen->setEnabled(true);
}

void TDuengebedarfsfenster::VorfruchtSetzen() {
  if (!m_vorfruchtGemerkt || m_anbau->Position() < 0) return;
  m_anbau->setWert(S("Vorfrucht"), m_vorfruchtGemerkt->first);
  VorfruchtGewaehlt();
}

void TDuengebedarfsfenster::ZwischenfruchtMerken() {
  if (m_anbau->Position() < 0 || m_anbau->Wert(S("FruchtNr")).toInt() != 0) return;
  m_zf = std::pair(m_anbau->Wert(S("HauptfruchtNummer")), m_anbau->Wert(S("Kultur")));
  m_zfSetzen->setEnabled(true);
}

void TDuengebedarfsfenster::ZwischenfruchtSetzen() {
  if (!m_zf) return;
  if (m_anbau->IstLeer() && m_anbau->Zustand() != TADODataSetMod::TZustand::Einfuegen) return;
  m_anbau->setWert(S("HauptfruchtNummer"), m_zf->first);
  m_anbau->setWert(S("Kultur"), m_zf->second);
}

// --- nitrogen ---------------------------------------------------------------------------

void TDuengebedarfsfenster::NminSummeSetzen() {
  if (m_stickstoff->Position() < 0) return;
  const auto w = [this](const char* f) { return m_stickstoff->Wert(S(f)).toDouble(); };
  m_stickstoff->setWert(S("Nmin"), w("Nmin_0_30") + w("Nmin_30_60") + w("Nmin_60_90"));
}

void TDuengebedarfsfenster::NminMerken() {
  if (m_stickstoff->Position() < 0) return;
  QVariantList v;
  for (const char* f : {"Nmin_0_30", "Nmin_30_60", "Nmin_60_90", "Quelle_0_30", "Quelle_60_90", "BerechnungsDatum"})
    v << m_stickstoff->Wert(S(f));
  m_nmin = v;
  m_nminSetzen->setEnabled(true);
}

void TDuengebedarfsfenster::NminSetzen() {
  if (!m_nmin || m_stickstoff->Position() < 0) return;
  int i = 0;
  for (const char* f : {"Nmin_0_30", "Nmin_30_60", "Nmin_60_90", "Quelle_0_30", "Quelle_60_90", "BerechnungsDatum"})
    m_stickstoff->setWert(S(f), m_nmin->at(i++));
  NminSummeSetzen();
  m_stickstoff->SpeichernWennGeaendert();
}

void TDuengebedarfsfenster::DritteSchichtAbleiten() {
  if (m_stickstoff->IstLeer() || m_stickstoff->Position() < 0) return;
  const auto w = [this](const char* f) { return m_stickstoff->Wert(S(f)).toDouble(); };
  const int q1 = m_stickstoff->Wert(S("Quelle_0_30")).toInt();
  if (!(w("Nmin_0_30") > 0 && w("Nmin_30_60") > 0 && !(w("Nmin_60_90") > 0) && (q1 == 1 || q1 == 4))) return;
  m_neuberechnung = true;
  m_stickstoff->setWert(S("Quelle_60_90"), 3);
  m_stickstoff->SpeichernWennGeaendert();
  Befehle::FuerDatensatz(*m_stickstoff, {20});
  m_neuberechnung = false;
  m_stickstoff->Bearbeiten();
}

void TDuengebedarfsfenster::QuelleGewaehlt() {
  if (m_stickstoff->Position() < 0) return;
  const int bundesland = m_db.Wert(S("select Bundesland from Betriebe where ID = :B"), {{S("B"), m_betrieb}}).toInt();
  const auto e = Anbauregeln::QuellenPruefen(m_stickstoff->Wert(S("Quelle_0_30")).toInt(),
                                             m_stickstoff->Wert(S("Quelle_60_90")).toInt(), bundesland);
  if (e.quelle6090 != m_stickstoff->Wert(S("Quelle_60_90")).toInt())
    m_stickstoff->setWert(S("Quelle_60_90"), e.quelle6090 == 0 ? QVariant(0) : QVariant(e.quelle6090));
  if (!e.meldung.isEmpty()) m_meldungen.Info(e.meldung);
  if (e.ableiten) DritteSchichtAbleiten();
}

void TDuengebedarfsfenster::QuelleLoeschen() {
  if (m_stickstoff->Position() < 0) return;
  m_stickstoff->setWert(S("Quelle_60_90"), 0);
  m_quelle6090->setCurrentIndex(-1);
}

void TDuengebedarfsfenster::DatumVerlassen() {
  if (m_stickstoff->Position() < 0) return;
  const QDate d = QDate::fromString(m_stickstoff->Wert(S("BerechnungsDatum")).toString().left(10), S("yyyy-MM-dd"));
  if (d.isValid() && d.year() != m_stickstoff->Wert(S("Jahr")).toInt())
    m_meldungen.Info(S("Achtung! Berechnungsdatum liegt nicht im ausgewählten Jahr"));
}

void TDuengebedarfsfenster::Berechnen() {
  if (m_seiten->currentIndex() != SeiteStickstoff) m_seiten->setCurrentIndex(SeiteStickstoff);
  if (!m_stickstoff->SpeichernWennGeaendert()) return;
  if (m_stickstoff->IstLeer() || m_stickstoff->Position() < 0) return;
  if (!m_nPanel->Pruefen()) return;
  const qint64 id = m_stickstoff->Wert(S("ID")).toLongLong();
  const int parzelle = m_stickstoff->Wert(S("Parzelle")).toInt();
  if (!SchlagFehlt(parzelle).isEmpty()) {
    m_seiten->setCurrentIndex(SeiteSchlag);
    ZurParzelle(parzelle);
    m_schlagPanel->Pruefen();
    return;
  }
  if (KulturFehlt(id)) {
    m_seiten->setCurrentIndex(SeiteAnbau);
    ZurParzelle(parzelle);
    m_anbau->Suchen(id);
    m_anbauPanel->Pruefen();
    return;
  }
  if (m_stickstoff->Wert(S("KeineDuengung")).toInt() != 0) {
    m_meldungen.Info(S("es wurde \"keine Düngung\" ausgewählt, daher wird nichts berechnet."));
    return;
  }
  if (m_stickstoff->Wert(S("Ertragsniveau")).toDouble() == 1) return;
  if (!(m_stickstoff->Wert(S("Nmin")).toDouble() > 0) && m_stickstoff->Wert(S("KulturGruppe")).toInt() != 2 &&
      m_stickstoff->Wert(S("Probenahmetiefe")).toDouble() != 0) {
    m_meldungen.Info(S("Bitte prüfen Sie Ihre Nmin-Eingaben. Wert muss größer als 0 sein."));
    return;
  }
  m_stickstoff->setWert(S("Duengebedarf"), 0);
  if (!m_stickstoff->SpeichernWennGeaendert()) return;
  m_neuberechnung = true;
  Befehle::FuerDatensatz(*m_stickstoff, {20});
  if (m_stickstoff->Wert(S("FruchtNr")).toInt() > 0 && !(Ganz(m_stickstoff->Wert(S("TatsErtrag"))) > 0)) {
    m_neuberechnung = false;
    m_meldungen.Info(S("Bitte für die Kultur in der Vorauswahl einen gültigen Ertrag eingeben."));
    return;
  }
  Befehle::FuerDatensatz(*m_stickstoff, {50, 35, 25});
  m_neuberechnung = false;
  StickstoffAnzeigen();
  const int bedarf = Ganz(m_stickstoff->Wert(S("Duengebedarf")));
  const int gruppe = m_stickstoff->Wert(S("KulturGruppe")).toInt();
  if ((gruppe == 1 && bedarf > 280) || (gruppe == 2 && bedarf > 650))
    m_meldungen.Info(S("Der errechnete Düngebedarf von ") + QString::number(bedarf) +
                     S(" kg N/ha liegt außerhalb des normalen Bereichs. Bitte püfen Sie Ihre Eingaben oder setzen Sie "
                       "sich ggf. mit dem zuständigen Ansprechpartner ") +
                     S("in Verbindung."));
}
