#include "exportfenster.h"

#include "blatt.h"
#include "meldungen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
namespace E = Datenbankexport;

TExportfenster::TExportfenster(TADOModConnection& db, TMeldungen& meldungen, const TBlatt& blatt,
                               const QString& datei, QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen), m_blatt(blatt) {
  setWindowTitle(u"Exportieren in Datei \"%1\""_s.arg(QFileInfo(datei).fileName()));
  setAccessibleName(windowTitle());
  auto* gesamt = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  const QString vorhandenName = u"bereits vorhandene Tabellennamen"_s;
  links->addWidget(new QLabel(vorhandenName, this));
  m_vorhanden = new QListWidget(this);
  m_vorhanden->setAccessibleName(vorhandenName);
  m_vorhanden->addItems(E::Tabellen(db));
  links->addWidget(m_vorhanden, 1);
  const QString nameName = u"Ausgewählter Tabellenname"_s;
  links->addWidget(new QLabel(nameName, this));
  m_name = new QLineEdit(this);
  m_name->setAccessibleName(nameName);
  links->addWidget(m_name);
  gesamt->addLayout(links);

  auto* rechts = new QVBoxLayout;
  m_ersteZeile = new QCheckBox(u"erste Zeile"_s, this);
  m_ersteZeile->setAccessibleName(u"erste Zeile"_s);
  m_ersteZeile->setToolTip(u"Feldnamen aus der ersten Zeile des Blatts"_s);
  m_ersteZeile->setChecked(true);
  connect(m_ersteZeile, &QCheckBox::toggled, this, &TExportfenster::FelderZeigen);
  rechts->addWidget(m_ersteZeile);
  m_felder = new QTableWidget(this);
  m_felder->setAccessibleName(u"Felder"_s);
  m_felder->setColumnCount(3);
  m_felder->setHorizontalHeaderLabels({u"Feldname"_s, u"Feldtyp"_s, u"Größe"_s});
  m_felder->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  rechts->addWidget(m_felder, 1);
  auto* weglassen = new QGroupBox(this);
  auto* wl = new QHBoxLayout(weglassen);
  m_letztesWeg = new QRadioButton(u"Letztes Feld weglassen"_s, weglassen);
  m_abAuswahlWeg = new QRadioButton(u"ab ausgewähltem Feld weglassen"_s, weglassen);
  m_alle = new QRadioButton(u"alle Felder exportieren"_s, weglassen);
  for (QRadioButton* r : {m_letztesWeg, m_abAuswahlWeg, m_alle}) {
    r->setAccessibleName(r->text());
    wl->addWidget(r);
  }
  m_alle->setChecked(true);
  rechts->addWidget(weglassen);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  for (const QString& text : {u"Daten exportieren"_s, u"Abbrechen"_s}) {
    auto* k = new QPushButton(text, this);
    k->setAccessibleName(text);
    k->setAutoDefault(false);
    knoepfe->addWidget(k);
    if (text == u"Abbrechen"_s) connect(k, &QPushButton::clicked, this, &QDialog::reject);
    else connect(k, &QPushButton::clicked, this, [this] {
        if (Exportieren()) accept();
      });
  }
  rechts->addLayout(knoepfe);
  gesamt->addLayout(rechts, 1);
  FelderZeigen();
  resize(900, 500);
}

void TExportfenster::FelderZeigen() {
  QString fehler;
  const auto felder = E::Felder(m_blatt, m_ersteZeile->isChecked(), fehler);
  m_felder->setRowCount(int(felder.size()));
  for (int i = 0; i < int(felder.size()); ++i) {
    m_felder->setItem(i, 0, new QTableWidgetItem(felder[size_t(i)].name));
    auto* typ = new QComboBox(m_felder);
    typ->setAccessibleName(u"Feldtyp"_s);
    for (int t = 0; t <= int(E::TFeldtyp::NichtVorhanden); ++t) typ->addItem(E::Typname(E::TFeldtyp(t)));
    m_felder->setCellWidget(i, 1, typ);
    auto* groesse = new QSpinBox(m_felder);
    groesse->setAccessibleName(u"Größe"_s);
    groesse->setRange(1, 255);
    groesse->setValue(felder[size_t(i)].groesse);
    m_felder->setCellWidget(i, 2, groesse);
  }
}

std::vector<E::TFeld> TExportfenster::Felder() const {
  std::vector<E::TFeld> f;
  const int n = m_felder->rowCount();
  int ab = n;
  if (m_letztesWeg->isChecked()) ab = n - 1;
  if (m_abAuswahlWeg->isChecked() && m_felder->currentRow() >= 0) ab = m_felder->currentRow();
  for (int i = 0; i < n; ++i) {
    E::TFeld feld;
    // A name typed into the list is made a field name as the titles are.
    feld.name = E::Feldname(m_felder->item(i, 0) ? m_felder->item(i, 0)->text() : QString());
    feld.typ = i >= ab ? E::TFeldtyp::NichtVorhanden
                       : E::TFeldtyp(static_cast<QComboBox*>(m_felder->cellWidget(i, 1))->currentIndex());
    feld.groesse = static_cast<QSpinBox*>(m_felder->cellWidget(i, 2))->value();
    f.push_back(feld);
  }
  return f;
}

bool TExportfenster::Exportieren() {
  const std::vector<E::TFeld> felder = Felder();
  for (int i = 0; i < int(felder.size()); ++i)
    for (int j = 0; j < i; ++j)
      if (felder[size_t(i)].typ != E::TFeldtyp::NichtVorhanden && felder[size_t(j)].typ != E::TFeldtyp::NichtVorhanden &&
          felder[size_t(i)].name.compare(felder[size_t(j)].name, Qt::CaseInsensitive) == 0) {
        m_meldungen.Info(u"Spaltennamen in Zeile %1 und Zeile %2 sind identisch, Datei kann nicht konvertiert werden!"_s
                             .arg(j + 1)
                             .arg(i + 1));
        return false;
      }
  QString fehler;
  if (!E::Exportieren(m_db, m_blatt, m_name->text(), felder, m_ersteZeile->isChecked(), fehler)) {
    m_meldungen.Info(fehler);
    return false;
  }
  return true;
}
