#include "listenseite.h"

#include "listenansicht.h"
#include "meldungen.h"
#include "vorauswahldaten.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString Auswahl = QStringLiteral("Auswahl");
constexpr int KnoepfeJeZeile = 6;
}  // namespace

TListenSeite::TListenSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, TArt art, QWidget* eltern)
    : QWidget(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betrieb), m_art(std::move(art)), m_liste(db, this) {
  setAccessibleName(m_art.titel);
  m_liste.ParameterSetzen(QStringLiteral("BNR"), m_betrieb);
  // Rows come only through the create buttons; any other insert is dropped.
  m_liste.BeimNeuenDatensatz = [this](TADODataSetMod& l) {
    if (!m_anfuegen) l.Abbrechen();
  };

  auto* haupt = new QVBoxLayout(this);
  if (!m_art.gruppen.empty()) {
    auto* gruppen = new QGridLayout;
    for (const auto& g : m_art.gruppen) {
      const int i = int(m_gruppenKnoepfe.size());
      auto* k = new QPushButton(g.text, this);
      k->setAccessibleName(g.text);
      k->setAutoDefault(false);
      connect(k, &QPushButton::clicked, this, [this, t = g.text] { GruppeWaehlen(t); });
      gruppen->addWidget(k, i / KnoepfeJeZeile, i % KnoepfeJeZeile);
      m_gruppenKnoepfe.push_back(k);
      if (g.filter.isEmpty() && m_gruppe < 0) m_gruppe = i;
    }
    haupt->addLayout(gruppen);
  }

  auto* mitte = new QHBoxLayout;
  m_modell = new TAuswahlModell(m_liste, m_art.auswahl ? Auswahl : QString(), this);
  m_modell->setSpalten(m_art.spalten);
  m_tabelle = new QTableView(this);
  m_tabelle->setAccessibleName(m_art.titel);
  m_tabelle->setModel(m_modell);
  m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
  m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tabelle->horizontalHeader()->setSectionsClickable(true);
  m_tabelle->horizontalHeader()->setStretchLastSection(true);
  m_tabelle->setTextElideMode(Qt::ElideRight);
  m_tabelle->installEventFilter(this);
  mitte->addWidget(m_tabelle, 3);
  m_details = new QVBoxLayout;
  mitte->addLayout(m_details, 2);
  haupt->addLayout(mitte, 1);

  auto* unten = new QHBoxLayout;
  if (m_art.suche) {
    auto* beschriftung = new QLabel(QStringLiteral("Suche"), this);
    m_suche = new QLineEdit(this);
    m_suche->setAccessibleName(QStringLiteral("Suche"));
    beschriftung->setBuddy(m_suche);
    unten->addWidget(beschriftung);
    unten->addWidget(m_suche);
    connect(m_suche, &QLineEdit::textEdited, this, &TListenSeite::Suchen);
  }
  m_knoepfe = new QHBoxLayout;
  unten->addLayout(m_knoepfe, 1);
  haupt->addLayout(unten);

  connect(m_tabelle, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!m_art.auswahl || !index.isValid()) return;
    if (GeheZu(index.row())) Umschalten();
  });
  connect(m_tabelle->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& aktuell) {
            if (m_abgleich || !aktuell.isValid()) return;
            GeheZu(aktuell.row());
            SichtAbgleichen();
          });
  connect(m_tabelle->horizontalHeader(), &QHeaderView::sectionClicked, this, &TListenSeite::Sortieren);
  connect(&m_liste, &TADODataSetMod::PositionGeaendert, this, [this] {
    SichtAbgleichen();
    PositionGewechselt();
  });
  // After the model has taken the new rows, never before.
  connect(m_modell, &QAbstractItemModel::modelReset, this, [this] { TListenAnsicht::SpaltenAnpassen(m_tabelle); });
  connect(&m_liste, &TADODataSetMod::Zurueckgesetzt, this, [this] {
    SichtAbgleichen();
    PositionGewechselt();
  });
  connect(&m_liste, &TADODataSetMod::ZeileGeaendert, this, [this](int zeile) {
    if (zeile == m_liste.Position()) WertGeaendert();
  });
  connect(&m_liste, &TADODataSetMod::ZustandGeaendert, this, [this] { WertGeaendert(); });
  GruppenFarben();
}

QString TListenSeite::HerkunftSpalte() {
  return QStringLiteral(
      "case Herkunft_Nr when 1 then 'Richtwert' when 2 then 'Analyse' when 3 then 'Deklaration' "
      "else 'Unbestimmt' end as Herkunft");
}

QPushButton* TListenSeite::NeuerKnopf(const QString& text, QBoxLayout* ort) {
  auto* k = new QPushButton(text, this);
  k->setAccessibleName(text);
  // Enter belongs to the lists and fields, never to a default button.
  k->setAutoDefault(false);
  ort->addWidget(k);
  return k;
}

QPushButton* TListenSeite::Gruppenknopf(const QString& text) const {
  for (auto* k : m_gruppenKnoepfe)
    if (k->text() == text) return k;
  return nullptr;
}

QString TListenSeite::Gruppe() const {
  return m_gruppe >= 0 ? m_art.gruppen[m_gruppe].text : QString();
}

QString TListenSeite::Filter() const { return m_gruppe >= 0 ? m_art.gruppen[m_gruppe].filter : QString(); }

QString TListenSeite::Abfrage() const {
  QString sql = m_art.abfrage;
  if (const QString f = Filter(); !f.isEmpty()) sql += QStringLiteral(" and ") + f;
  if (!m_sortFeld.isEmpty())
    sql += QStringLiteral(" order by \"") + m_sortFeld + QStringLiteral("\" collate Deutsch");
  else if (!m_art.ordnung.isEmpty())
    sql += QStringLiteral(" order by ") + m_art.ordnung;
  return sql;
}

bool TListenSeite::Oeffnen() {
  m_liste.setCommandText(Abfrage());
  return m_liste.Oeffnen();
}

void TListenSeite::Schliessen() { m_liste.Schliessen(); }

void TListenSeite::SpeichernOderVerwerfen() {
  if (m_liste.IstOffen() && !m_liste.SpeichernWennGeaendert()) m_liste.Abbrechen();
}

QVariant TListenSeite::Schluessel(int zeile) const { return m_liste.Wert(zeile, m_liste.FeldIndex(m_art.schluessel)); }

QString TListenSeite::Name(int zeile) const { return m_liste.Wert(zeile, m_liste.FeldIndex(m_art.name)).toString(); }

bool TListenSeite::Finden(const QVariant& schluessel) {
  if (schluessel.isNull() || !schluessel.isValid()) return false;
  const int feld = m_liste.FeldIndex(m_art.schluessel);
  for (int i = 0; i < m_liste.Anzahl(); ++i) {
    const QVariant w = m_liste.Wert(i, feld);
    if (!w.isNull() && w.toLongLong() == schluessel.toLongLong()) return m_liste.Gehe(i);
  }
  return false;
}

bool TListenSeite::Laden(const QVariant& schluessel, int altePosition) {
  if (!m_liste.MitSqlOeffnen(Abfrage())) return false;
  if (!Finden(schluessel) && altePosition >= 0 && !m_liste.IstLeer())
    m_liste.Gehe(std::min(altePosition, m_liste.Anzahl() - 1));
  return true;
}

bool TListenSeite::Neuladen() {
  if (!m_liste.IstOffen()) return false;
  SpeichernOderVerwerfen();
  return Laden(Schluessel(m_liste.Position()), m_liste.Position());
}

void TListenSeite::NachSpeichernNeuLesen() {
  const QVariant schluessel = Schluessel(m_liste.Position());
  if (!m_liste.MitSqlOeffnen(Abfrage())) return;
  if (!Finden(schluessel)) m_liste.Letzter();
}

bool TListenSeite::HatAenderungen(const TADODataSetMod& liste) {
  if (liste.Zustand() == TADODataSetMod::TZustand::Einfuegen) return true;
  for (const auto& f : liste.Felder())
    if (liste.IstGeaendert(f.name)) return true;
  return false;
}

void TListenSeite::GruppeWaehlen(const QString& text) {
  for (int i = 0; i < int(m_art.gruppen.size()); ++i) {
    if (m_art.gruppen[i].text != text) continue;
    m_gruppe = i;
    GruppenFarben();
    if (m_liste.IstOffen()) {
      SpeichernOderVerwerfen();
      const QVariant schluessel = Schluessel(m_liste.Position());
      Laden(schluessel, 0);
    }
    emit GruppeGewechselt();
    return;
  }
}

void TListenSeite::GruppenFarben() {
  for (int i = 0; i < int(m_gruppenKnoepfe.size()); ++i) {
    QPalette p = m_gruppenKnoepfe[i]->palette();
    p.setColor(QPalette::ButtonText, i == m_gruppe ? QColor(Qt::red) : QColor(Qt::black));
    m_gruppenKnoepfe[i]->setPalette(p);
  }
}

bool TListenSeite::GeheZu(int zeile) {
  if (!m_liste.IstOffen() || zeile < 0 || zeile >= m_liste.Anzahl()) return false;
  if (zeile == m_liste.Position()) return true;
  // Saving may read the list anew (own entries): the row is found by its key.
  const QVariant ziel = Schluessel(zeile);
  if (!m_liste.SpeichernWennGeaendert()) {
    SichtAbgleichen();
    return false;
  }
  if (Finden(ziel)) return true;
  return !m_liste.IstLeer() && m_liste.Gehe(std::min(zeile, m_liste.Anzahl() - 1));
}

void TListenSeite::Umschalten() {
  if (!m_art.auswahl || m_liste.Position() < 0) return;
  const bool an = m_liste.Wert(Auswahl).toLongLong() != 0;
  m_liste.setWert(Auswahl, qlonglong(an ? 0 : 1));
  m_liste.SpeichernWennGeaendert();
}

void TListenSeite::Suchen(const QString& text) {
  if (text.isEmpty() || !m_liste.IstOffen()) return;
  const auto erste = [this](auto passt) {
    for (int i = 0; i < m_liste.Anzahl(); ++i)
      if (passt(Name(i))) return i;
    return -1;
  };
  int zeile = erste([&](const QString& n) { return n == text; });
  if (zeile < 0) zeile = erste([&](const QString& n) { return n.compare(text, Qt::CaseInsensitive) == 0; });
  if (zeile < 0) zeile = erste([&](const QString& n) { return n.startsWith(text, Qt::CaseInsensitive); });
  if (zeile < 0) zeile = erste([&](const QString& n) { return n.contains(text, Qt::CaseInsensitive); });
  if (zeile < 0)
    m_meldungen.Piep();
  else
    GeheZu(zeile);
}

void TListenSeite::Springen(QChar zeichen) {
  for (int i = 0; i < m_liste.Anzahl(); ++i)
    if (Name(i).startsWith(zeichen, Qt::CaseSensitive)) {
      GeheZu(i);
      return;
    }
}

void TListenSeite::AlleSetzen(bool an) {
  if (!m_liste.IstOffen()) return;
  SpeichernOderVerwerfen();
  Vorauswahldaten::AuswahlSetzen(m_db, m_art.tabelle, Filter(), m_betrieb, an);
  Neuladen();
}

void TListenSeite::VerwendeteWaehlen() {
  if (!m_liste.IstOffen() || !Vorauswahldaten::HatDuengejahre(m_db, m_betrieb)) return;
  SpeichernOderVerwerfen();
  for (const QString& sql : VerwendeteAnweisungen())
    m_db.AusfuehrenMitMeldung(sql, {{QStringLiteral("BNR"), m_betrieb}});
  Neuladen();
}

void TListenSeite::Sortieren(int spalte) {
  if (!m_art.sortieren || !m_liste.IstOffen()) return;
  const QString feld = m_modell->Feld(spalte);
  if (feld.isEmpty()) return;
  m_sortFeld = feld;
  Neuladen();
}

bool TListenSeite::Anlegen() {
  if (!m_liste.IstOffen()) return false;
  m_anfuegen = true;
  const bool ok = m_liste.Anfuegen();
  m_anfuegen = false;
  return ok && m_liste.Zustand() == TADODataSetMod::TZustand::Einfuegen;
}

void TListenSeite::SichtAbgleichen() {
  if (m_abgleich) return;
  m_abgleich = true;
  const int zeile = m_liste.IstOffen() ? m_liste.Position() : -1;
  if (zeile < 0 || zeile >= m_modell->rowCount()) {
    m_tabelle->selectionModel()->clear();
  } else {
    const int spalte = std::max(0, m_tabelle->currentIndex().column());
    const QModelIndex index = m_modell->index(zeile, spalte);
    m_tabelle->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_tabelle->scrollTo(index);
  }
  m_abgleich = false;
}

bool TListenSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt != m_tabelle || ereignis->type() != QEvent::KeyPress) return QWidget::eventFilter(objekt, ereignis);
  auto* taste = static_cast<QKeyEvent*>(ereignis);
  const auto mods = taste->modifiers() & ~Qt::KeypadModifier;
  if ((taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
    if (m_art.auswahl && m_art.enter && m_liste.Position() >= 0) {
      Umschalten();
      GeheZu(m_liste.Position() + 1);
    }
    return true;  // never the window's default button
  }
  const QString text = taste->text();
  if (m_art.tippen && text.size() == 1 && text[0].isPrint() &&
      !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    Springen(text[0]);
    return true;
  }
  return QWidget::eventFilter(objekt, ereignis);
}

void TListenSeite::AuswahlKnoepfe() {
  connect(NeuerKnopf(QStringLiteral("alle auswählen"), Knoepfe()), &QPushButton::clicked, this, [this] { AlleSetzen(true); });
  connect(NeuerKnopf(QStringLiteral("alle aufheben"), Knoepfe()), &QPushButton::clicked, this, [this] { AlleSetzen(false); });
  connect(NeuerKnopf(QStringLiteral("verwendete auswählen"), Knoepfe()), &QPushButton::clicked, this,
          &TListenSeite::VerwendeteWaehlen);
}
