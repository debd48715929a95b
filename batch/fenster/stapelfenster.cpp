#include "stapelfenster.h"

#include "connection.h"
#include "fenstergroesse.h"
#include "listenausgabe.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"
#include "stapeldruck.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton* Knopf(const QString& text, QObject* ziel, const std::function<void()>& tun) {
  auto* k = new QPushButton(text);
  k->setAccessibleName(text);
  QObject::connect(k, &QPushButton::clicked, ziel, tun);
  return k;
}

}  // namespace

TStapelfenster::TStapelfenster(TADOModConnection& db, TMeldungen& meldungen, int jahr, const QString& ausgabe,
                               QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen) {
  setWindowTitle(u"Stapelverarbeitung"_s);
  setAccessibleName(u"Stapelverarbeitung"_s);
  auto* haupt = new QVBoxLayout(this);
  auto* oben = new QHBoxLayout;
  haupt->addLayout(oben, 1);

  // Left: the farms of the year.
  auto* links = new QVBoxLayout;
  auto* form = new QFormLayout;
  m_jahr = new QSpinBox;
  m_jahr->setRange(1990, 2100);
  m_jahr->setValue(jahr);
  m_jahr->setAccessibleName(u"Düngejahr"_s);
  form->addRow(u"Düngejahr"_s, m_jahr);
  m_suche = new QLineEdit;
  m_suche->setAccessibleName(u"Suchen"_s);
  form->addRow(u"Suchen"_s, m_suche);
  links->addLayout(form);
  m_betriebe = new QTableWidget(0, 2);
  m_betriebe->setHorizontalHeaderLabels({u"Nr."_s, u"Betrieb"_s});
  m_betriebe->setAccessibleName(u"Betriebe"_s);
  m_betriebe->horizontalHeader()->setStretchLastSection(true);
  m_betriebe->verticalHeader()->hide();
  m_betriebe->setEditTriggers(QAbstractItemView::NoEditTriggers);
  links->addWidget(m_betriebe, 1);
  auto* alleKeine = new QHBoxLayout;
  alleKeine->addWidget(Knopf(u"Alle"_s, this, [this] { AlleSetzen(true); }));
  alleKeine->addWidget(Knopf(u"Keine"_s, this, [this] { AlleSetzen(false); }));
  links->addLayout(alleKeine);
  oben->addLayout(links, 1);

  // Right: steps, output folder, the run.
  auto* rechts = new QVBoxLayout;
  auto* schritte = new QGroupBox(u"Schritte"_s);
  auto* sl = new QVBoxLayout(schritte);
  for (Stapel::TSchritt s : Stapel::AlleSchritte) {
    auto* c = new QCheckBox(Stapel::Anzeigename(s));
    c->setAccessibleName(Stapel::Anzeigename(s));
    c->setChecked(s != Stapel::TSchritt::Listen);
    m_schritte[int(s)] = c;
    sl->addWidget(c);
  }
  rechts->addWidget(schritte);
  auto* ordner = new QHBoxLayout;
  m_ausgabe = new QLineEdit(ausgabe);
  m_ausgabe->setAccessibleName(u"Ausgabeordner"_s);
  ordner->addWidget(new QLabel(u"Ausgabeordner"_s));
  ordner->addWidget(m_ausgabe, 1);
  ordner->addWidget(Knopf(u"…"_s, this, [this] {
    const QString o = m_meldungen.OrdnerWaehlen(u"Ausgabeordner"_s, m_ausgabe->text());
    if (!o.isEmpty()) m_ausgabe->setText(o);
  }));
  rechts->addLayout(ordner);
  auto* lauf = new QHBoxLayout;
  lauf->addWidget(m_starten = Knopf(u"Starten"_s, this, [this] { Starten(); }));
  lauf->addWidget(m_abbrechenKnopf = Knopf(u"Abbrechen"_s, this, [this] { Abbrechen(); }));
  m_abbrechenKnopf->setEnabled(false);
  rechts->addLayout(lauf);
  m_fortschritt = new QProgressBar;
  m_fortschritt->setAccessibleName(u"Fortschritt"_s);
  rechts->addWidget(m_fortschritt);
  m_stand = new QLabel;
  rechts->addWidget(m_stand);
  rechts->addStretch(1);
  oben->addLayout(rechts, 1);

  // Below: the summary.
  m_zusammenfassung = new QTableWidget(0, 8);
  m_zusammenfassung->setHorizontalHeaderLabels({u"Ergebnis"_s, u"Nr."_s, u"Betrieb"_s, u"Schritte"_s, u"Dateien"_s,
                                                u"Befunde"_s, u"Ohne Bedarf"_s, u"Fehler"_s});
  m_zusammenfassung->setAccessibleName(u"Zusammenfassung"_s);
  m_zusammenfassung->horizontalHeader()->setStretchLastSection(true);
  m_zusammenfassung->verticalHeader()->hide();
  m_zusammenfassung->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_zusammenfassung->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(m_zusammenfassung, &QTableWidget::cellDoubleClicked, this, [this](int zeile, int) {
    if (BetriebOeffnen && zeile >= 0 && zeile < int(m_ergebnisse.size()))
      BetriebOeffnen(m_ergebnisse[size_t(zeile)].betrieb, m_laufjahr);
  });
  haupt->addWidget(m_zusammenfassung, 1);
  auto* unten = new QHBoxLayout;
  unten->addWidget(Knopf(u"Zusammenfassung drucken"_s, this, [this] { ZusammenfassungDrucken(); }));
  unten->addWidget(Knopf(u"Excel-Export"_s, this, [this] { ExcelExport(); }));
  unten->addStretch(1);
  unten->addWidget(Knopf(u"Schließen"_s, this, [this] { accept(); }));
  haupt->addLayout(unten);

  connect(m_jahr, &QSpinBox::valueChanged, this, [this] { BetriebeLaden(); });
  connect(m_suche, &QLineEdit::textChanged, this, [this](const QString& t) { Filtern(t); });
  BetriebeLaden();
  Fenstergroesse::Setzen(this, QSize(1000, 700));
}

void TStapelfenster::BetriebeLaden() {
  m_betriebe->setRowCount(0);
  for (const Stapel::TBetrieb& b : Stapel::BetriebeMitNamen(m_db, m_jahr->value())) {
    const int z = m_betriebe->rowCount();
    m_betriebe->insertRow(z);
    auto* nr = new QTableWidgetItem(QString::number(b.nr));
    nr->setFlags(nr->flags() | Qt::ItemIsUserCheckable);
    nr->setCheckState(Qt::Checked);
    nr->setData(Qt::UserRole, b.nr);
    m_betriebe->setItem(z, 0, nr);
    m_betriebe->setItem(z, 1, new QTableWidgetItem(b.name));
  }
  Filtern(m_suche->text());
}

void TStapelfenster::Filtern(const QString& text) {
  for (int z = 0; z < m_betriebe->rowCount(); ++z)
    m_betriebe->setRowHidden(z, !text.isEmpty() && !m_betriebe->item(z, 1)->text().contains(text, Qt::CaseInsensitive) &&
                                    !m_betriebe->item(z, 0)->text().startsWith(text));
}

void TStapelfenster::AlleSetzen(bool an) {
  // Only the farms the search shows.
  for (int z = 0; z < m_betriebe->rowCount(); ++z)
    if (!m_betriebe->isRowHidden(z)) m_betriebe->item(z, 0)->setCheckState(an ? Qt::Checked : Qt::Unchecked);
}

bool TStapelfenster::Starten() {
  Stapel::TAuftrag auftrag;
  auftrag.jahr = m_jahr->value();
  auftrag.heute = QDate::currentDate();
  auftrag.ausgabe = m_ausgabe->text().trimmed();
  auftrag.pdf = Stapeldruck::Pdf;
  for (int z = 0; z < m_betriebe->rowCount(); ++z)
    if (m_betriebe->item(z, 0)->checkState() == Qt::Checked)
      auftrag.betriebe.push_back(m_betriebe->item(z, 0)->data(Qt::UserRole).toInt());
  for (Stapel::TSchritt s : Stapel::AlleSchritte)
    if (m_schritte[int(s)]->isChecked()) auftrag.schritte.push_back(s);
  if (auftrag.betriebe.empty()) {
    m_meldungen.Info(u"Bitte mindestens einen Betrieb auswählen."_s);
    return false;
  }
  if (auftrag.schritte.empty()) {
    m_meldungen.Info(u"Bitte mindestens einen Schritt auswählen."_s);
    return false;
  }
  if (auftrag.ausgabe.isEmpty() || !QDir().mkpath(auftrag.ausgabe)) {
    m_meldungen.Info(u"Bitte einen Ausgabeordner wählen, in dem Quendrix schreiben darf."_s);
    return false;
  }
  m_abbrechen = false;
  m_starten->setEnabled(false);
  m_abbrechenKnopf->setEnabled(true);
  // The bar moves per step; its text names the farm and the step at work.
  const int schritte = int(auftrag.schritte.size());
  const int betriebe = int(auftrag.betriebe.size());
  m_fortschritt->setRange(0, betriebe * schritte);
  m_laufjahr = auftrag.jahr;
  int index = 0, schritt = 0;
  auftrag.schrittBeginnt = [&](int b, Stapel::TSchritt s) {
    const QString text = u"Betrieb %1 (%2 von %3): %4"_s.arg(b).arg(index + 1).arg(betriebe).arg(Stapel::Anzeigename(s));
    m_fortschritt->setValue(index * schritte + schritt++);
    m_fortschritt->setFormat(u"%p % – "_s + Stapel::Anzeigename(s));
    m_stand->setText(text);
    QApplication::processEvents();
  };
  m_ergebnisse = Stapel::Ausfuehren(m_db, auftrag, [&](int i, int b) {
    // "Abbrechen" is read between farms: the farm at work finishes.
    QApplication::processEvents();
    if (m_abbrechen) return false;
    index = i;
    schritt = 0;
    m_fortschritt->setValue(i * schritte);
    m_stand->setText(u"Betrieb %1 (%2 von %3)"_s.arg(b).arg(i + 1).arg(betriebe));
    QApplication::processEvents();
    return true;
  });
  m_fortschritt->setFormat(u"%p %"_s);
  m_fortschritt->setValue(int(m_ergebnisse.size()) * schritte);
  m_stand->setText(m_abbrechen ? u"Abgebrochen nach %1 von %2 Betrieben."_s.arg(m_ergebnisse.size()).arg(auftrag.betriebe.size())
                               : u"Fertig: %1 Betriebe."_s.arg(m_ergebnisse.size()));
  m_starten->setEnabled(true);
  m_abbrechenKnopf->setEnabled(false);
  ZusammenfassungZeigen();
  return true;
}

void TStapelfenster::ZusammenfassungZeigen() {
  m_zusammenfassung->setRowCount(0);
  for (const Stapel::TErgebnis& e : m_ergebnisse) {
    const int z = m_zusammenfassung->rowCount();
    m_zusammenfassung->insertRow(z);
    const Stapel::TAmpel a = Stapel::Ampel(e);
    auto* ampel = new QTableWidgetItem(Stapel::AmpelText(a));
    ampel->setBackground(a == Stapel::TAmpel::Rot ? QColor(0xF3, 0xAF, 0xAF)
                         : a == Stapel::TAmpel::Gelb ? QColor(0xFF, 0xE8, 0x8C)
                                                     : QColor(0xB4, 0xE6, 0xB4));
    m_zusammenfassung->setItem(z, 0, ampel);
    const QStringList texte = {QString::number(e.betrieb), e.name, Stapel::Schritte(e), QString::number(e.dateien.size()),
                               e.befunde < 0 ? QString() : QString::number(e.befunde),
                               QString::number(e.ohneBedarf.size()), QString(e.fehler).replace(u"\r\n"_s, u" "_s)};
    for (int s = 0; s < texte.size(); ++s) m_zusammenfassung->setItem(z, s + 1, new QTableWidgetItem(texte[s]));
    if (!e.schwersterBefund.isEmpty()) m_zusammenfassung->item(z, 5)->setToolTip(e.schwersterBefund);
  }
  m_zusammenfassung->resizeColumnsToContents();
}

void TStapelfenster::ZusammenfassungDrucken() {
  if (m_ergebnisse.empty()) {
    m_meldungen.Info(u"Es gibt noch keine Zusammenfassung."_s);
    return;
  }
  TPDFDruckausgabe d(this, true, m_meldungen);
  Stapeldruck::Zusammenfassung(d, m_ergebnisse, m_laufjahr, QDate::currentDate());
  d.DokumentAbschliessen();
}

void TStapelfenster::ExcelExport() {
  if (m_ergebnisse.empty()) {
    m_meldungen.Info(u"Es gibt noch keine Zusammenfassung."_s);
    return;
  }
  if (Listenausgabe::Ausgeben(m_meldungen, m_ausgabe->text(), Listenausgabe::Fehler(), {}, [this] {
        return Stapel::Mappe(m_ergebnisse, m_laufjahr, QDate::currentDate());
      }) == Listenausgabe::TErgebnis::Geschrieben)
    m_meldungen.Info(Listenausgabe::Fertig());
}
