#include "schlagimportfenster.h"

#include "fenstergroesse.h"
#include "blatt.h"
#include "blattmodell.h"
#include "datumsauswahl.h"
#include "hf1book.h"
#include "importdetail.h"
#include "meldungen.h"
#include "schlagblatt.h"
#include "schlagimport.h"
#include "taschenrechner.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace Schlagblatt;

const QString TSchlagimportFenster::Titel = u"Import Schlag- und Bewirtschaftungsdaten aus Elektronischem Agrarantrag"_s;

namespace {
const QString ShapeEinlesenText = u"Shape einlesen"_s;
const QString AnlegenText = u"Schläge anlegen"_s;
const QString DetailText = u"Übersicht/Detail"_s;
const QString MerkenText = u"Merken"_s;
const QString SetzenText = u"Setzen"_s;
const QString VorauswahlText = u"Vorauswahl"_s;
const QString DruckText = u"Bildschirmdruck"_s;
}  // namespace

TSchlagimportFenster::TSchlagimportFenster(TADOModConnection& db, TMeldungen& meldungen, TAufruf aufruf,
                                           QWidget* eltern)
    : QDialog(eltern), m_db(db), m_meldungen(meldungen), m_aufruf(std::move(aufruf)) {
  setWindowTitle(Titel);
  setAccessibleName(Titel);
  auto* gesamt = new QVBoxLayout(this);
  auto* kopf = new QHBoxLayout;
  const auto feld = [&](const QString& titel, const QString& text) {
    auto* l = new QLabel(titel, this);
    auto* e = new QLineEdit(text, this);
    e->setReadOnly(true);
    e->setAccessibleName(titel);
    e->setMaximumWidth(140);
    l->setBuddy(e);
    kopf->addWidget(l);
    kopf->addWidget(e);
    return e;
  };
  m_eu = feld(u"EU-Betriebsnummer"_s, m_aufruf.euNummer.trimmed());
  m_jahr = feld(u"Jahr"_s, QString::number(m_aufruf.jahr));
  for (const QString& t : {ShapeEinlesenText, AnlegenText, DetailText, MerkenText, SetzenText, VorauswahlText, DruckText}) {
    auto* k = new QPushButton(t, this);
    k->setAccessibleName(t);
    kopf->addWidget(k);
    m_knoepfe.push_back(k);
  }
  kopf->addStretch(1);
  gesamt->addLayout(kopf);

  m_buch = new THF1Book(this);
  m_buch->setAccessibleName(u"Arbeitsblatt"_s);
  m_buch->Ansicht()->setAccessibleName(u"Arbeitsblatt"_s);
  m_buch->setKopfZeileHalten(THF1Book::cnstHalten, 2);
  m_buch->setSpaltenzahl(SichtbareSpalten);
  m_buch->setGenauigkeit(TBlatt::TGenauigkeit::Exakt);
  m_buch->setEditierbar([this](int s, int z) { return Editierbar(m_buch->Blatt(), s, z); });
  m_buch->setEingabe([](int s, int, const QString& t) { return Eingabe(s, t); });
  m_buch->Taste = [this](int s, int z, QKeyEvent* t) { return Taste(s, z, t); };
  gesamt->addWidget(m_buch, 3);
  m_hinweis = new QLabel(this);
  m_hinweis->setAccessibleName(u"Hinweis"_s);
  gesamt->addWidget(m_hinweis);
  m_detail = new TImportDetail(db, m_aufruf.betrieb, m_aufruf.kulturenLesen, this);
  m_detail->hide();
  // Fields without crops offer the chosen crops.
  if (!m_aufruf.kulturenLesen)
    m_detail->Kulturwahl()->setCurrentIndex(int(Schlagimport::TKulturwahl::NurAusgewaehlte));
  gesamt->addWidget(m_detail, 2);

  connect(m_buch, &THF1Book::PositionGeaendert, this, &TSchlagimportFenster::PositionGezeigt);
  connect(m_buch, &THF1Book::EingabeBeendet, this, [this](int s, int z) {
    Weiter(s, z);
    m_buch->setPosition(s, z);
  });
  connect(m_detail, &TImportDetail::Gewaehlt, this, &TSchlagimportFenster::Gewaehlt);
  connect(m_detail, &TImportDetail::Blaettern, this, &TSchlagimportFenster::Blaettern);
  connect(Knopf(ShapeEinlesenText), &QPushButton::clicked, this, &TSchlagimportFenster::ShapeEinlesen);
  connect(Knopf(AnlegenText), &QPushButton::clicked, this, &TSchlagimportFenster::SchlaegeAnlegen);
  connect(Knopf(DetailText), &QPushButton::clicked, this, &TSchlagimportFenster::DetailUmschalten);
  connect(Knopf(MerkenText), &QPushButton::clicked, this, &TSchlagimportFenster::Merken);
  connect(Knopf(SetzenText), &QPushButton::clicked, this, &TSchlagimportFenster::Setzen);
  connect(Knopf(VorauswahlText), &QPushButton::clicked, this, [this] {
    if (!VorauswahlOeffnen) return;
    VorauswahlOeffnen();
    m_detail->ListenLaden();
  });
  connect(Knopf(DruckText), &QPushButton::clicked, this, [this] {
    if (Bildschirmdruck) Bildschirmdruck(this);
  });
  KnoepfeSetzen();
  Fenstergroesse::Setzen(this, {1200, 760});
}

QPushButton* TSchlagimportFenster::Knopf(const QString& beschriftung) const {
  for (QPushButton* k : m_knoepfe)
    if (k->text() == beschriftung) return k;
  return nullptr;
}

void TSchlagimportFenster::KnoepfeSetzen() {
  Knopf(ShapeEinlesenText)->setEnabled(m_aufruf.shapeEinlesen);
  Knopf(AnlegenText)->setEnabled(m_gelesen);
  Knopf(DetailText)->setEnabled(m_gelesen);
  Knopf(MerkenText)->setEnabled(m_gelesen);
  const QString datei = Schlagimport::MerkDatei(m_aufruf.ordner, m_eu->text());
  Knopf(SetzenText)->setEnabled(!datei.isEmpty() && QFileInfo::exists(datei));
}

QString TSchlagimportFenster::Hinweistext() const { return m_hinweis->text(); }

void TSchlagimportFenster::BlattZeigen() {
  m_gelesen = true;
  // Columns as wide as title or content, long crop names cut at 220 pixels.
  m_buch->Ansicht()->horizontalHeader()->setMaximumSectionSize(220);
  m_buch->Aktualisieren();
  m_detail->show();
  KnoepfeSetzen();
  m_buch->setPosition(SchlagNr, ErsteParzellenzeile);
  m_buch->setFocus();
}

void TSchlagimportFenster::ShapeEinlesen() {
  const QString datei = m_meldungen.DateiOeffnen(ShapeEinlesenText, m_aufruf.ordner,
                                                 u"dBase-Dateien (*.DBF *.dbf);;Shapes (*.SHP *.shp)"_s);
  if (datei.isEmpty()) return;
  Schlagimport::TEinlesen e;
  e.betrieb = m_aufruf.betrieb;
  e.euNummer = m_eu->text();
  e.jahr = m_aufruf.jahr;
  e.kulturenLesen = m_aufruf.kulturenLesen;
  e.wahl = Schlagimport::TKulturwahl(m_detail->Kulturwahl()->currentIndex());
  QString meldung;
  bool gelesen = false;
  {
    TWarten warten(&m_meldungen, u"Die Teilflächen werden gelesen …"_s);
    gelesen = Schlagimport::Einlesen(m_db, datei, e, m_buch->Blatt(), meldung);
  }
  if (!gelesen) {
    m_meldungen.Info(meldung);
    return;
  }
  m_umrisse = std::move(e.umrisse);
  m_eu->setText(e.euNummer.trimmed());
  if (m_aufruf.jahr <= 0) m_jahr->setText(QString::number(e.jahr));
  BlattZeigen();
  m_meldungen.Info(meldung);
}

void TSchlagimportFenster::Merken() {
  const QString datei = Schlagimport::MerkDatei(m_aufruf.ordner, m_eu->text());
  QString meldung;
  if (datei.isEmpty())
    m_meldungen.Info(u"Die EU-Betriebsnummer „%1“ ergibt keinen gültigen Dateinamen; das Blatt wurde nicht gemerkt."_s
                         .arg(m_eu->text()));
  else if (!Schlagimport::Merken(m_buch->Blatt(), datei, meldung))
    m_meldungen.Info(meldung);
  KnoepfeSetzen();
}

void TSchlagimportFenster::Setzen() {
  const QString datei = Schlagimport::MerkDatei(m_aufruf.ordner, m_eu->text());
  QString meldung;
  if (datei.isEmpty() || !Schlagimport::Setzen(m_buch->Blatt(), datei, meldung)) {
    if (!meldung.isEmpty()) m_meldungen.Info(meldung);
    return;
  }
  m_umrisse = {};
  BlattZeigen();
}

void TSchlagimportFenster::SchlaegeAnlegen() {
  if (!m_meldungen.Frage(Schlagimport::Frage)) return;
  const int jahr = m_jahr->text().toInt();
  // Fields the year has already: their outlines change only when the user agrees.
  const std::vector<int> geaendert = Schlagimport::GeaenderteUmrisse(m_db, m_aufruf.betrieb, jahr, m_umrisse);
  Schlagimport::TAnlegen e;
  bool angelegt = false;
  {
    TWarten warten(&m_meldungen, u"Die Schläge werden angelegt …"_s);
    angelegt = Schlagimport::Anlegen(m_db, m_buch->Blatt(), m_aufruf.betrieb, jahr, e, &m_umrisse);
  }
  if (!angelegt) {
    // The sheet stays, so that it can be remembered once a year exists.
    m_meldungen.Info(Schlagimport::KeinJahr);
    return;
  }
  if (e.abgebrochen) {
    m_meldungen.Info(u"Abgebrochen; es wurde kein Schlag angelegt."_s);
    return;
  }
  if (const QString nicht = Schlagimport::NichtAngelegtText(e); !nicht.isEmpty()) m_meldungen.Info(nicht);
  if (!geaendert.empty() && m_meldungen.Frage(Schlagimport::UmrissFrage(geaendert)) &&
      !Schlagimport::UmrisseSpeichern(m_db, m_aufruf.betrieb, jahr, m_umrisse, geaendert))
    m_meldungen.Info(u"Die Umrisse konnten nicht gespeichert werden; die bisherigen bleiben."_s);
  if (ErtraegeOeffnen) ErtraegeOeffnen();
  Schlagimport::RegelnAusfuehren(m_db, m_aufruf.betrieb, jahr);
  if (HauptfensterAktualisieren) HauptfensterAktualisieren();
  m_meldungen.Piep();
  m_meldungen.Info(u"Fertig"_s);
  accept();
}

void TSchlagimportFenster::DetailUmschalten() { m_detail->setVisible(!m_detail->isVisible()); }

void TSchlagimportFenster::PositionGezeigt(int spalte, int zeile) {
  const TBlatt& b = m_buch->Blatt();
  const QString name = b.Text(SchlagName, zeile);
  m_hinweis->setText((name.isEmpty() ? QString() : name + u": "_s) + Hinweis(spalte));
  m_detail->ZeileZeigen(zeile, b.Text(Parzelle, zeile), b.Text(NuCode, zeile), b.Text(KulturNr, zeile).toInt(),
                        IstParzellenzeile(b, zeile));
}

void TSchlagimportFenster::Blaettern(int richtung) {
  const int zeile = std::max(ErsteParzellenzeile, m_buch->AktuelleZeile() + richtung);
  m_buch->setPosition(std::max(1, m_buch->AktuelleSpalte()), zeile);
}

void TSchlagimportFenster::Gewaehlt(int spalte, int nummernSpalte, const QString& name, int nummer) {
  const int zeile = m_buch->AktuelleZeile();
  if (!IstParzellenzeile(m_buch->Blatt(), zeile)) return;
  m_buch->setText(spalte, zeile, name);
  m_buch->setText(nummernSpalte, zeile, QString::number(nummer));
  // The sheet moves on to the next column and takes the focus back.
  int s = spalte, z = zeile;
  Weiter(s, z);
  m_buch->setPosition(s, z);
  m_buch->setFocus();
}

bool TSchlagimportFenster::Taste(int spalte, int zeile, QKeyEvent* taste) {
  const TBlatt& b = m_buch->Blatt();
  if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) {
    int s = spalte, z = zeile;
    Weiter(s, z);
    m_buch->setPosition(s, z);
    return true;
  }
  const QString text = taste->text();
  if ((spalte == Kultur || spalte == Vorfrucht || spalte == Zwischenfrucht) && !text.isEmpty() && text[0].isLetter())
    return m_detail->Springen(spalte, text) || true;
  if (!Editierbar(b, spalte, zeile)) return false;
  if (IstKreuzspalte(spalte)) {
    if (text.compare(u"x"_s, Qt::CaseInsensitive) == 0)
      m_buch->setText(spalte, zeile, b.Text(spalte, zeile).isEmpty() ? u"x"_s : QString());
    else if (taste->key() == Qt::Key_Space || taste->key() == Qt::Key_Backspace || taste->key() == Qt::Key_Delete)
      m_buch->setText(spalte, zeile, QString());
    // No other character goes into a cross column; the keys that move go on.
    else if (text.isEmpty() || !text[0].isPrint())
      return false;
    return true;
  }
  if (text == u"?"_s && (spalte == Groesse || spalte == PGehalt)) {
    TTaschenrechner rechner(TTaschenrechner::TArt::Einfuegen, this);
    if (rechner.exec() == QDialog::Accepted) m_buch->setText(spalte, zeile, rechner.Anzeige());
    return true;
  }
  if (text == u"?"_s && spalte == PDatum) {
    TDatumsAuswahl auswahl(QDate::fromString(b.Text(spalte, zeile), u"dd.MM.yyyy"_s), this);
    if (auswahl.exec() == QDialog::Accepted) m_buch->setText(spalte, zeile, auswahl.Datum().toString(u"dd.MM.yyyy"_s));
    return true;
  }
  return false;
}
