#include "aufzeichnungsseite.h"

#include "aufzeichnung.h"
#include "aufzeichnungsliste.h"
#include "connection.h"
#include "dataset.h"
#include "duengungsliste.h"
#include "duengerpanel.h"
#include "formular.h"
#include "legumpanel.h"
#include "listenansicht.h"
#include "meldungen.h"
#include "weidepanel.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// Rows booked to the crop of the following year.
const QColor Folgejahr{255, 240, 180};

// Date and kind of a record stand out in bold.
class TFettDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->font.setBold(true);
  }
};

std::vector<TDataSetModel::TSpalte> SchlagSpalten() {
  return {{S("Jahr"), S("Jahr")},
          {S("SchlagNr"), S("SchlagNr")},
          {S("SchlagName"), S("SchlagName")},
          {S("Feldblock"), S("Feldblock")},
          {S("Parzelle"), S("Parzelle")},
          {S("Groesse"), S("Größe (ha)"), 2},
          {S("Kultur"), S("aktuelle Kultur nach DüV")},
          {S("BG"), S("Bodengruppe")},
          {S("NitratgebietText"), S("Nitratgebiet")}};
}

bool Bearbeitet(const TADODataSetMod& l) {
  return l.Zustand() == TADODataSetMod::TZustand::Bearbeiten || l.Zustand() == TADODataSetMod::TZustand::Einfuegen;
}

}  // namespace

TAufzeichnungsseite::TAufzeichnungsseite(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                                         QWidget* eltern)
    : QWidget(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr) {
  setAccessibleName(S("Aufzeichnungspflicht"));
  m_schlaege = new TADODataSetMod(db, this);
  m_schlaege->setCommandText(S("SELECT * FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J ORDER BY Parzelle"));
  m_schlaege->ParameterSetzen(S("B"), betriebsNr);
  m_schlaege->ParameterSetzen(S("J"), jahr);
  m_schlaege->BerechnetesFeld(S("NitratgebietText"), [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(S("BewirtschaftungsAuflagen"))).toInt() == 2 ? S("Ja") : S("Nein"));
  });
  m_liste = new TAufzeichnungsliste(db, meldungen, betriebsNr, jahr, this);
  for (int k : {Aufzeichnung::Mineral, Aufzeichnung::Organisch, Aufzeichnung::Weide, Aufzeichnung::Stoffe}) {
    auto* l = new TADODataSetMod(db, this);
    l->setCommandText(Aufzeichnung::AuswahlAbfrage(k));
    l->ParameterSetzen(S("B"), betriebsNr);
    m_stammlisten.push_back(l);
  }

  m_schlagAnsicht = new TListenAnsicht(*m_schlaege, SchlagSpalten());
  m_schlagAnsicht->setAccessibleName(S("Schläge"));
  m_schlagAnsicht->horizontalHeader()->setSectionsClickable(true);
  m_dungAnsicht = new TListenAnsicht(m_liste->Liste(),
                                     {{S("Datum"), S("Datum")},
                                      {S("Menge"), S("Menge"), 2},
                                      {S("KategorieText"), S("Art")},
                                      {S("Dng"), S("Düngung")},
                                      {S("KulturText"), S("gedüngte Kultur")},
                                      {S("Nges"), S("N (kg/ha)"), 1},
                                      {S("Nverf"), S("Nverf (kg/ha)"), 1},
                                      {S("Pges"), S("P (kg/ha)"), 1},
                                      {S("HDText"), S("HD")}});
  m_dungAnsicht->setAccessibleName(S("Düngungen"));
  auto* fett = new TFettDelegate(m_dungAnsicht);
  m_dungAnsicht->setItemDelegateForColumn(0, fett);
  m_dungAnsicht->setItemDelegateForColumn(2, fett);
  m_dungAnsicht->setZeilenfarbe([this](int z) { return m_liste->Folgejahr(z) ? QVariant(Folgejahr) : QVariant(); });

  m_panels = new QStackedWidget;
  m_panels->setAccessibleName(S("Düngung"));
  m_panels->addWidget(new QWidget);  // no record
  m_panelListe = {nullptr,
                  new TDuengerPanel(Aufzeichnung::Mineral, *m_liste, *m_stammlisten[0], meldungen, jahr),
                  new TDuengerPanel(Aufzeichnung::Organisch, *m_liste, *m_stammlisten[1], meldungen, jahr),
                  new TLegumPanel(*m_liste, meldungen, jahr),
                  new TWeidePanel(*m_liste, *m_stammlisten[2], meldungen, jahr),
                  new TDuengerPanel(Aufzeichnung::Stoffe, *m_liste, *m_stammlisten[3], meldungen, jahr)};
  for (int k = 1; k <= 5; ++k) {
    m_panels->addWidget(m_panelListe[k]);
    connect(m_panelListe[k], &TDetailPanel::Fertig, this, &TAufzeichnungsseite::PanelFertig);
  }

  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(m_schlagAnsicht, 2);
  auto* suchen = new QHBoxLayout;
  auto* suchLabel = new QLabel(S("Suchen"));
  m_suche = new QLineEdit;
  m_suche->setAccessibleName(S("Suchen"));
  m_suche->setToolTip(S("Sucht in der Spalte, deren Titel zuletzt angeklickt wurde (zuerst im Schlagnamen)."));
  suchLabel->setBuddy(m_suche);
  suchen->addWidget(suchLabel);
  suchen->addWidget(m_suche, 1);
  suchen->addStretch(2);
  haupt->addLayout(suchen);
  haupt->addWidget(m_dungAnsicht, 3);

  // Below the records: the panel of the selected record, and the buttons.
  auto* unten = new QHBoxLayout;
  unten->addWidget(m_panels, 3);
  auto* knoepfe = new QWidget;
  auto* raster = new QGridLayout(knoepfe);
  raster->setContentsMargins(0, 0, 0, 0);
  const auto hinzuKnopf = [&](const QString& text, int kategorie, int zeile) {
    auto* k = Knopf(text, nullptr);
    connect(k, &QPushButton::clicked, this, [this, kategorie] { Hinzufuegen(kategorie); });
    raster->addWidget(k, zeile, 0);
  };
  hinzuKnopf(S("Mineraldünger hinzu"), Aufzeichnung::Mineral, 0);
  hinzuKnopf(S("Org.-Dünger hinzu"), Aufzeichnung::Organisch, 1);
  hinzuKnopf(S("Weidehaltung hinzu"), Aufzeichnung::Weide, 2);
  hinzuKnopf(S("Andere Stoffe hinzu"), Aufzeichnung::Stoffe, 3);
  raster->addWidget(Knopf(S("Dünger löschen"), &TAufzeichnungsseite::Loeschen), 4, 0);
  raster->addWidget(Knopf(S("Einzeldünger merken"), &TAufzeichnungsseite::EinzelnMerken), 0, 1);
  raster->addWidget(m_einzelnSetzen = Knopf(S("Einzeldünger setzen"), &TAufzeichnungsseite::EinzelnSetzen), 0, 2);
  raster->addWidget(Knopf(S("alle Dünger merken  "), &TAufzeichnungsseite::AlleMerken), 1, 1);
  raster->addWidget(m_alleSetzen = Knopf(S("alle Dünger setzen   "), &TAufzeichnungsseite::AlleSetzen), 1, 2);
  raster->addWidget(Knopf(S("Weidehaltung merken"), &TAufzeichnungsseite::WeideMerken), 2, 1);
  raster->addWidget(m_weideSetzen = Knopf(S("Weidehaltung setzen"), &TAufzeichnungsseite::WeideSetzen), 2, 2);
  auto* drucken = Knopf(S("drucken"), nullptr);
  connect(drucken, &QPushButton::clicked, this, [this] {
    if (!Speichern() || !SchlagDrucken) return;
    SchlagDrucken(m_schlaege->Position() >= 0 ? std::optional<int>(m_schlaege->Wert(S("Parzelle")).toInt())
                                              : std::nullopt);
  });
  raster->addWidget(drucken, 3, 1);
  auto* alleDrucken = Knopf(S("alle drucken"), nullptr);
  connect(alleDrucken, &QPushButton::clicked, this, [this] {
    if (Speichern() && AlleDrucken) AlleDrucken();
  });
  raster->addWidget(alleDrucken, 3, 2);
  raster->addWidget(Knopf(S("Excel-Export"), &TAufzeichnungsseite::ExcelExport), 4, 1);
  raster->setRowStretch(5, 1);
  unten->addWidget(knoepfe, 2);
  haupt->addLayout(unten, 2);
  Formular::TabFolge({m_schlagAnsicht, m_suche, m_dungAnsicht, m_panels, knoepfe});
  for (QPushButton* k : {m_einzelnSetzen, m_alleSetzen, m_weideSetzen}) k->setEnabled(false);

  connect(m_schlaege, &TADODataSetMod::PositionGeaendert, this, &TAufzeichnungsseite::SchlagGewaehlt);
  qApp->installEventFilter(this);
  connect(m_suche, &QLineEdit::textEdited, this, &TAufzeichnungsseite::Suchen);
  // Clicking a column title makes that column the search column.
  connect(m_schlagAnsicht->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int spalte) {
    const auto spalten = SchlagSpalten();
    if (spalte >= 0 && spalte < int(spalten.size())) m_suchspalte = spalten[spalte].feld;
  });
  TADODataSetMod& dung = m_liste->Liste();
  for (auto signal : {&TADODataSetMod::Zurueckgesetzt, &TADODataSetMod::ZustandGeaendert})
    connect(&dung, signal, this, &TAufzeichnungsseite::PanelZeigen);
  connect(&dung, &TADODataSetMod::PositionGeaendert, this, &TAufzeichnungsseite::PanelZeigen);
  connect(&dung, &TADODataSetMod::ZeileGeaendert, this, &TAufzeichnungsseite::PanelZeigen);
}

QPushButton* TAufzeichnungsseite::Knopf(const QString& text, void (TAufzeichnungsseite::*aktion)()) {
  auto* k = new QPushButton(text);
  // Some captions end in blanks; the name a reader hears does not.
  k->setAccessibleName(text.trimmed());
  k->setAutoDefault(false);
  if (aktion) connect(k, &QPushButton::clicked, this, aktion);
  return k;
}

TDetailPanel* TAufzeichnungsseite::Panel(int kategorie) const {
  return kategorie >= 1 && kategorie <= 5 ? m_panelListe[kategorie] : nullptr;
}

QVariant TAufzeichnungsseite::Aktuell(const QString& feld) const { return m_liste->Liste().Wert(feld); }

// --- opening, closing, saving -----------------------------------------------------

bool TAufzeichnungsseite::Oeffnen() {
  StammlistenOeffnen();
  const bool ok = m_schlaege->Oeffnen();
  if (m_schlaege->Position() < 0) SchlagGewaehlt();
  return ok;
}

void TAufzeichnungsseite::Schliessen() {
  m_liste->Schliessen();
  m_schlaege->Schliessen();
  StammlistenSchliessen();
}

bool TAufzeichnungsseite::Speichern() { return m_liste->Liste().SpeichernWennGeaendert(); }

bool TAufzeichnungsseite::eventFilter(QObject* objekt, QEvent* ereignis) {
  // A new key or mouse press in the window is a new request: a record that
  // still cannot be saved says why again. Within one press (leaving the
  // panel, then the button's action) it says so once. A mouse press is
  // taken where it reaches the window, before it moves the focus.
  switch (ereignis->type()) {
    case QEvent::KeyPress:
      if (auto* w = qobject_cast<QWidget*>(objekt); w && w->window() == window()) m_liste->NeuMelden();
      [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (window()->windowHandle() && objekt == window()->windowHandle()) m_liste->NeuMelden();
      break;
    default: break;
  }
  return QWidget::eventFilter(objekt, ereignis);
}

void TAufzeichnungsseite::StammlistenSchliessen() {
  for (TADODataSetMod* l : m_stammlisten) l->Schliessen();
}

void TAufzeichnungsseite::StammlistenOeffnen() {
  for (TADODataSetMod* l : m_stammlisten) l->Oeffnen();
}

void TAufzeichnungsseite::SchlagGewaehlt() {
  if (m_zurueck) return;
  // A record that cannot be saved keeps its field selected; its reason was said.
  if (Bearbeitet(m_liste->Liste()) && !m_liste->Liste().SpeichernWennGeaendert()) {
    m_zurueck = true;
    m_schlaege->Gehe(m_schlagPos);
    m_zurueck = false;
    return;
  }
  m_schlagPos = m_schlaege->Position();
  const bool da = m_schlagPos >= 0;
  m_liste->SchlagSetzen(da ? m_schlaege->Wert(S("Parzelle")).toInt() : 0,
                        da ? m_schlaege->Wert(S("Groesse")).toDouble() : 0.0);
  PanelZeigen();
}

void TAufzeichnungsseite::PanelZeigen() {
  const TADODataSetMod& l = m_liste->Liste();
  const int kategorie = l.Position() >= 0 ? l.Wert(S("Kategorie")).toInt() : 0;
  TDetailPanel* panel = Panel(kategorie);
  if (!panel) {
    m_panels->setCurrentIndex(0);
    return;
  }
  if (m_panels->currentWidget() != panel) m_panels->setCurrentWidget(panel);
  panel->Anzeigen();
}

void TAufzeichnungsseite::PanelFertig() {
  m_dungAnsicht->setFocus(Qt::OtherFocusReason);
  // Back in its place in the order by year, kind and number.
  if (!Bearbeitet(m_liste->Liste())) m_liste->Liste().Aktualisieren();
}

// --- adding and deleting ------------------------------------------------------------

void TAufzeichnungsseite::Hinzufuegen(int kategorie) {
  if (!Speichern()) return;
  if (m_schlaege->Position() < 0) {
    m_meldungen.Info(S("Für das Düngejahr %1 ist noch kein Schlag angelegt. Bitte legen Sie die Schläge in der "
                       "Düngebedarfsermittlung an.")
                         .arg(m_jahr));
    return;
  }
  const int parzelle = m_schlaege->Wert(S("Parzelle")).toInt();
  const qint64 kultur = Aufzeichnung::Zielkultur(m_db, m_betrieb, m_jahr, parzelle);
  if (kultur == 0) {
    const QString name = m_schlaege->Wert(S("SchlagName")).toString().trimmed();
    m_meldungen.Info(S("Für den Schlag „%1“ ist noch keine Hauptfrucht eingetragen. Bitte tragen Sie die Hauptfrucht "
                       "in der Düngebedarfsermittlung ein.")
                         .arg(name.isEmpty() ? S("Parzelle %1").arg(parzelle) : name));
    return;
  }
  if (!Aufzeichnung::AuswahlVorhanden(m_db, m_betrieb, kategorie)) {
    if (!m_meldungen.Frage(Aufzeichnung::KeineAuswahlFrage(kategorie))) return;
    if (VorauswahlZeigen) VorauswahlZeigen();
    if (!Aufzeichnung::AuswahlVorhanden(m_db, m_betrieb, kategorie)) {
      m_meldungen.Info(S("In der Vorauswahl ist weiterhin nichts Passendes ausgewählt. Es wurde keine Aufzeichnung "
                         "angelegt."));
      return;
    }
  }
  if (!m_liste->Anlegen(kategorie, kultur)) return;
  PanelZeigen();
  Panel(kategorie)->ErstesFeld()->setFocus(Qt::OtherFocusReason);
}

void TAufzeichnungsseite::Loeschen() {
  TADODataSetMod& l = m_liste->Liste();
  if (l.IstLeer() || l.Position() < 0) return;
  // Legume records follow their crop row.
  if (l.Wert(S("Kategorie")).toInt() == Aufzeichnung::Leguminosen) return;
  if (!m_meldungen.Frage(S("Datensatz wirklich löschen?"))) return;
  if (l.Zustand() == TADODataSetMod::TZustand::Einfuegen) {
    l.Abbrechen();
    return;
  }
  const qint64 id = l.Wert(S("ID")).toLongLong();
  l.Abbrechen();
  if (!Aufzeichnung::Loeschen(m_db, id)) m_meldungen.Info(S("Die Aufzeichnung konnte nicht gelöscht werden."));
  l.Aktualisieren();
}

// --- remembering and copying ---------------------------------------------------------

bool TAufzeichnungsseite::AufzeichnungGespeichert() {
  return m_liste->Liste().Position() >= 0 && Speichern();
}

void TAufzeichnungsseite::EinzelnMerken() {
  if (!AufzeichnungGespeichert()) return;
  const int k = Aktuell(S("Kategorie")).toInt();
  if (k != Aufzeichnung::Mineral && k != Aufzeichnung::Organisch && k != Aufzeichnung::Stoffe) return;
  m_einzeln = Aktuell(S("ID")).toLongLong();
  m_einzelnSetzen->setEnabled(true);
}

void TAufzeichnungsseite::AlleMerken() {
  if (!AufzeichnungGespeichert()) return;
  m_alleProbenId = Aktuell(S("ProbenID")).toLongLong();
  m_alleSetzen->setEnabled(true);
}

void TAufzeichnungsseite::WeideMerken() {
  if (!AufzeichnungGespeichert() || Aktuell(S("Kategorie")).toInt() != Aufzeichnung::Weide) return;
  m_weide = Aktuell(S("ID")).toLongLong();
  m_weideSetzen->setEnabled(true);
}

namespace {

Aufzeichnung::TZiel Ziel(TADOModConnection& db, const TADODataSetMod& schlaege, int betrieb, int jahr) {
  const int parzelle = schlaege.Wert(S("Parzelle")).toInt();
  return {betrieb, jahr, parzelle, Aufzeichnung::Zielkultur(db, betrieb, jahr, parzelle),
          schlaege.Wert(S("Groesse")).toDouble()};
}

}  // namespace

void TAufzeichnungsseite::EinzelnSetzen() {
  if (!m_einzeln || m_schlaege->Position() < 0 || !Speichern()) return;
  NachKopie(Aufzeichnung::EinzelnKopieren(m_db, *m_einzeln, Ziel(m_db, *m_schlaege, m_betrieb, m_jahr)).meldung);
}

void TAufzeichnungsseite::AlleSetzen() {
  if (!m_alleProbenId || m_schlaege->Position() < 0 || !Speichern()) return;
  NachKopie(Aufzeichnung::AlleKopieren(m_db, *m_alleProbenId, Ziel(m_db, *m_schlaege, m_betrieb, m_jahr)).meldung);
}

void TAufzeichnungsseite::WeideSetzen() {
  if (!m_weide || m_schlaege->Position() < 0 || !Speichern()) return;
  NachKopie(Aufzeichnung::WeideKopieren(m_db, *m_weide, Ziel(m_db, *m_schlaege, m_betrieb, m_jahr)).meldung);
}

void TAufzeichnungsseite::NachKopie(const QString& meldung) {
  if (!meldung.isEmpty()) m_meldungen.Info(meldung);
  m_liste->Liste().Aktualisieren();
}

// --- search ---------------------------------------------------------------------

void TAufzeichnungsseite::Suchen(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty() || m_schlaege->IstLeer()) return;
  const int spalte = m_schlaege->FeldIndex(m_suchspalte);
  const std::function<bool(const QString&)> tests[] = {
      [&](const QString& s) { return s == t; },
      [&](const QString& s) { return s.compare(t, Qt::CaseInsensitive) == 0; },
      [&](const QString& s) { return s.startsWith(t, Qt::CaseInsensitive); },
      [&](const QString& s) { return s.contains(t, Qt::CaseInsensitive); }};
  for (const auto& test : tests)
    for (int z = 0; z < m_schlaege->Anzahl(); ++z)
      if (test(m_schlaege->Wert(z, spalte).toString())) {
        m_schlaege->Gehe(z);
        return;
      }
  m_meldungen.Piep();
}

void TAufzeichnungsseite::ExcelExport() {
  if (m_schlaege->IstLeer()) return;
  // The list reads what is stored: a record being entered is saved first.
  if (!Speichern()) return;
  Duengungsliste::Exportieren(m_db, m_meldungen, m_betrieb, m_jahr, QDir::currentPath());
}
