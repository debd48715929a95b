#include "druckfenster.h"

#include "blatt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const int Punkte[] = {12, 10, 8, 6, 4};
const char* const Groessen[] = {"150 % (12 Punkte)", "125 % (10 Punkte)", "Originalgröße (8 Punkte)",
                                "75 % (6 Punkte)", "50 % (4 Punkte)"};
const char* const Auswahlen[] = {"nur erstes Blatt", "oberste Blattreihe", "linke Blattspalte",
                                 "Blätter von ... bis ...", "alle Blätter drucken"};

template <class T>
T* Benannt(T* w, const QString& name) {
  w->setAccessibleName(name);
  return w;
}
}  // namespace

TDruckfenster::TDruckfenster(const TBlatt& blatt, int spalten, QPrinter& drucker, QString kopftext, QString fusstext,
                             bool nurEinstellen, QWidget* eltern)
    : QDialog(eltern), m_blatt(blatt), m_spalten(spalten), m_drucker(drucker), m_kopftext(std::move(kopftext)),
      m_fusstext(std::move(fusstext)) {
  setWindowTitle(u"Arbeitsblatt drucken"_s);
  setAccessibleName(windowTitle());
  const TDruckeinstellung& e = TDruckeinstellung::Programm();
  // No margin below what the printer cannot print on that side.
  const QMarginsF min = drucker.pageLayout().minimumMargins();
  const QMarginsF minMm = QPageLayout(drucker.pageLayout().pageSize(), drucker.pageLayout().orientation(), min,
                                      drucker.pageLayout().units())
                              .marginsPoints() * (25.4 / 72.0);
  auto* gesamt = new QVBoxLayout(this);
  auto* raender = new QGroupBox(u"Ränder (mm)"_s, this);
  auto* rf = new QFormLayout(raender);
  const auto zahl = [&](const QString& name, int wert, double minimum) {
    auto* s = Benannt(new QSpinBox(raender), name);
    s->setRange(int(std::ceil(minimum)), 100);
    s->setValue(std::max(wert, int(std::ceil(minimum))));
    rf->addRow(name, s);
    connect(s, &QSpinBox::valueChanged, this, &TDruckfenster::Neu);
    return s;
  };
  m_links = zahl(u"Links"_s, e.links, minMm.left());
  m_oben = zahl(u"Oben"_s, e.oben, minMm.top());
  m_rechts = zahl(u"Rechts"_s, e.rechts, minMm.right());
  m_unten = zahl(u"Unten"_s, e.unten, minMm.bottom());
  m_kopf = zahl(u"Kopfzeile"_s, e.kopf, 0);
  m_fuss = zahl(u"Fusszeile"_s, e.fuss, 0);
  auto* oben = new QHBoxLayout;
  oben->addWidget(raender);

  auto* rechts = new QVBoxLayout;
  auto* ausrichtung = new QGroupBox(u"Blattausrichtung"_s, this);
  auto* al = new QHBoxLayout(ausrichtung);
  m_vertikal = Benannt(new QRadioButton(u"Vertikal"_s, ausrichtung), u"Vertikal"_s);
  m_horizontal = Benannt(new QRadioButton(u"Horizontal"_s, ausrichtung), u"Horizontal"_s);
  (e.quer ? m_horizontal : m_vertikal)->setChecked(true);
  al->addWidget(m_vertikal);
  al->addWidget(m_horizontal);
  connect(m_horizontal, &QRadioButton::toggled, this, &TDruckfenster::Neu);
  rechts->addWidget(ausrichtung);
  const QString groesseName = u"Datstellungsgröße (Verkleinern in %)"_s;
  rechts->addWidget(new QLabel(groesseName, this));
  m_groesse = Benannt(new QComboBox(this), groesseName);
  for (int i = 0; i < 5; ++i) {
    m_groesse->addItem(QString::fromUtf8(Groessen[i]));
    if (Punkte[i] == e.punkte) m_groesse->setCurrentIndex(i);
  }
  connect(m_groesse, &QComboBox::currentIndexChanged, this, &TDruckfenster::Neu);
  rechts->addWidget(m_groesse);
  const auto schalter = [&](const QString& name, bool wert) {
    auto* c = Benannt(new QCheckBox(name, this), name);
    c->setChecked(wert);
    connect(c, &QCheckBox::toggled, this, &TDruckfenster::Neu);
    rechts->addWidget(c);
    return c;
  };
  m_kopfDrucken = schalter(u"Kopfzeile drucken"_s, e.kopfDrucken);
  m_fussDrucken = schalter(u"Fußzeile drucken"_s, e.fussDrucken);
  m_ueberschriften = schalter(u"Überschriften"_s, e.ueberschriften);
  m_wiederholung = schalter(u"Wiederholungszeile"_s, e.wiederholungszeile);
  oben->addLayout(rechts);
  gesamt->addLayout(oben);

  const auto text = [&](const QString& name, const QString& wert) {
    gesamt->addWidget(new QLabel(name, this));
    auto* f = Benannt(new QLineEdit(wert, this), name);
    gesamt->addWidget(f);
    return f;
  };
  m_kopfFeld = text(u"Kopftext (&D für Datum, &T für Zeit, &P für Seitennummer, &N für Gesamtseitenzahl)"_s, m_kopftext);
  m_fussFeld = text(u"Fußtext (&D für Datum, &T für Zeit, &P für Seitennummer, &N für Gesamtseitenzahl)"_s, m_fusstext);

  auto* seiten = new QGroupBox(u"Druckseitenauswahl"_s, this);
  auto* sl = new QHBoxLayout(seiten);
  m_auswahl = Benannt(new QComboBox(seiten), u"Druckseitenauswahl"_s);
  for (const char* a : Auswahlen) m_auswahl->addItem(QString::fromUtf8(a));
  m_auswahl->setCurrentIndex(int(e.auswahl));
  sl->addWidget(m_auswahl);
  const auto blatt_ = [&](const QString& name, int wert) {
    sl->addWidget(new QLabel(name, seiten));
    auto* s = Benannt(new QSpinBox(seiten), name);
    s->setRange(1, 9999);
    s->setValue(wert);
    sl->addWidget(s);
    return s;
  };
  m_von = blatt_(u"drucken von Blatt"_s, e.von);
  m_bis = blatt_(u"drucken bis Blatt"_s, e.bis);
  connect(m_auswahl, &QComboBox::currentIndexChanged, this, &TDruckfenster::Neu);
  gesamt->addWidget(seiten);
  auto* zahlen = new QHBoxLayout;
  m_quer = Benannt(new QLabel(this), u"Benötigte Seiten quer"_s);
  m_hoch = Benannt(new QLabel(this), u"Benötigte Seiten hoch"_s);
  m_insgesamt = Benannt(new QLabel(this), u"Benötigte Seiten insgesamt"_s);
  for (QLabel* l : {m_quer, m_hoch, m_insgesamt}) zahlen->addWidget(l);
  gesamt->addLayout(zahlen);

  auto* knoepfe = new QHBoxLayout;
  const auto knopf = [&](const QString& name, auto aktion) {
    auto* k = Benannt(new QPushButton(name, this), name);
    k->setAutoDefault(false);
    connect(k, &QPushButton::clicked, this, aktion);
    knoepfe->addWidget(k);
    return k;
  };
  knopf(u"Druckerauswahl"_s, [this] {
    if (DruckerEinrichten) DruckerEinrichten(m_drucker);
    Neu();
  });
  knoepfe->addStretch();
  // In settings mode Enter keeps the settings; otherwise it prints.
  knopf(u"Drucken"_s, [this] { Drucken(); })->setDefault(!nurEinstellen);
  knopf(u"OK"_s, [this] { Uebernehmen(); })->setDefault(nurEinstellen);
  knopf(u"Abbrechen"_s, [this] { reject(); });
  gesamt->addLayout(knoepfe);
  Neu();
}

TDruckeinstellung TDruckfenster::Einstellung() const {
  TDruckeinstellung e;
  e.links = m_links->value();
  e.oben = m_oben->value();
  e.rechts = m_rechts->value();
  e.unten = m_unten->value();
  e.kopf = m_kopf->value();
  e.fuss = m_fuss->value();
  e.quer = m_horizontal->isChecked();
  e.punkte = Punkte[std::clamp(m_groesse->currentIndex(), 0, 4)];
  e.kopfDrucken = m_kopfDrucken->isChecked();
  e.fussDrucken = m_fussDrucken->isChecked();
  e.ueberschriften = m_ueberschriften->isChecked();
  e.wiederholungszeile = m_wiederholung->isChecked();
  e.auswahl = TDruckeinstellung::TAuswahl(std::clamp(m_auswahl->currentIndex(), 0, 4));
  e.von = m_von->value();
  e.bis = m_bis->value();
  return e;
}

Blattdruck::TSeiten TDruckfenster::Seiten() const {
  const QSizeF papier = m_drucker.pageLayout().pageSize().size(QPageSize::Millimeter);
  return Blattdruck::Aufteilen(m_blatt, m_spalten, Einstellung(), papier.width(), papier.height());
}

QString TDruckfenster::Seitentext() const {
  return m_quer->text() + u", "_s + m_hoch->text() + u", "_s + m_insgesamt->text();
}

void TDruckfenster::Neu() {
  const bool vonBis = m_auswahl->currentIndex() == int(TDruckeinstellung::TAuswahl::VonBis);
  m_von->setEnabled(vonBis);
  m_bis->setEnabled(vonBis);
  const Blattdruck::TSeiten s = Seiten();
  m_quer->setText(u"Benötigte Seiten quer: %1"_s.arg(s.Quer()));
  m_hoch->setText(u"Benötigte Seiten hoch: %1"_s.arg(s.Hoch()));
  m_insgesamt->setText(u"Benötigte Seiten insgesamt: %1"_s.arg(s.Insgesamt()));
}

void TDruckfenster::Uebernehmen() {
  TDruckeinstellung::Programm() = Einstellung();
  m_kopftext = m_kopfFeld->text();
  m_fusstext = m_fussFeld->text();
  m_drucker.setPageOrientation(Einstellung().quer ? QPageLayout::Landscape : QPageLayout::Portrait);
  accept();
}

void TDruckfenster::Drucken() {
  Uebernehmen();
  // The printer's page is turned already; the layout turns it from portrait.
  m_drucker.setPageOrientation(QPageLayout::Portrait);
  m_drucker.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  m_drucker.setPageOrientation(Einstellung().quer ? QPageLayout::Landscape : QPageLayout::Portrait);
  Blattdruck::Drucken(m_drucker, m_blatt, m_spalten, TDruckeinstellung::Programm(), m_kopftext, m_fusstext,
                      QDateTime::currentDateTime());
}
