#include "bilanzseite.h"

#include "bilanz.h"
#include "bilanzanzeige.h"
#include "meldungen.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

constexpr int Zeilen = 17;
constexpr int Spalten = 6;

}  // namespace

QString TBilanzSeite::Titel(bool nitratgebiet) {
  return nitratgebiet ? S("Betrieblicher Nährstoffeinsatz Nitratgebiet")
                      : S("Betrieblicher Nährstoffeinsatz Gesamtbetrieb");
}

TBilanzSeite::TBilanzSeite(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr, bool nitratgebiet,
                           QWidget* eltern)
    : QWidget(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr),
      m_nitratgebiet(nitratgebiet) {
  setAccessibleName(Titel(nitratgebiet));
  auto* haupt = new QVBoxLayout(this);
  auto* kopf = new QGridLayout;
  kopf->setColumnStretch(3, 1);
  const auto zeilen = Bilanzanzeige::Kopf(nitratgebiet, jahr, std::nullopt, {});
  for (int i = 0; i < int(zeilen.size()); ++i) {
    auto* titel = new QLabel(zeilen[i].titel);
    auto* wert = new QLineEdit;
    wert->setReadOnly(true);
    wert->setFrame(false);
    wert->setStyleSheet(S("QLineEdit { background: transparent; }"));
    wert->setAccessibleName(zeilen[i].titel);
    titel->setBuddy(wert);
    kopf->addWidget(titel, i, 0);
    kopf->addWidget(wert, i, 1);
    m_kopf.emplace_back(titel, wert);
    if (zeilen[i].titel == QLatin1String("Erstellungsdatum:")) {
      const QString hinweis = S("Heutiges Datum als Erstellungsdatum der Ausdrucke eintragen (auch mit Doppelklick)");
      for (QWidget* w : std::initializer_list<QWidget*>{titel, wert}) {
        w->installEventFilter(this);
        w->setToolTip(hinweis);
      }
      auto* heute = new QPushButton(S("heute"));
      heute->setAccessibleName(S("Erstellungsdatum heute"));
      heute->setAccessibleDescription(hinweis);
      heute->setToolTip(hinweis);
      heute->setAutoDefault(false);
      connect(heute, &QPushButton::clicked, this, &TBilanzSeite::ErstellungsdatumSetzen);
      kopf->addWidget(heute, i, 2, Qt::AlignLeft);
    }
  }
  haupt->addLayout(kopf);

  m_tabelle = new QTableWidget(Zeilen, Spalten, this);
  m_tabelle->setAccessibleName(S("Nährstoffeinsatz"));
  m_tabelle->horizontalHeader()->hide();
  m_tabelle->verticalHeader()->hide();
  m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tabelle->setSelectionMode(QAbstractItemView::NoSelection);
  m_tabelle->setFocusPolicy(Qt::NoFocus);
  m_tabelle->setWordWrap(false);
  for (int z = 0; z < Zeilen; ++z)
    for (int s = 0; s < Spalten; ++s) {
      auto* zelle = new QTableWidgetItem;
      // Labels to the left, numbers to the right.
      const bool text = s == 1 || s == 3;
      zelle->setTextAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
      if (z == 0) {
        QFont f = zelle->font();
        f.setBold(true);
        zelle->setFont(f);
      }
      m_tabelle->setItem(z, s, zelle);
    }
  // The labels take the width; numbers and the table's height fit their content.
  QHeaderView* spalten = m_tabelle->horizontalHeader();
  for (int s = 0; s < Spalten; ++s)
    spalten->setSectionResizeMode(s, s == 1 || s == 3 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
  const int zeilenhoehe = fontMetrics().height() + 6;
  m_tabelle->verticalHeader()->setDefaultSectionSize(zeilenhoehe);
  m_tabelle->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_tabelle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_tabelle->setFixedHeight(Zeilen * zeilenhoehe + 2 * m_tabelle->frameWidth());
  haupt->addWidget(m_tabelle);
  m_auslassungen = new QLabel;
  m_auslassungen->setAccessibleName(S("Nicht berücksichtigte Aufzeichnungen"));
  m_auslassungen->setWordWrap(true);
  m_auslassungen->setStyleSheet(S("color: rgb(180, 0, 0)"));
  haupt->addWidget(m_auslassungen);
  auto* knoepfe = new QHBoxLayout;
  auto* ausdrucken = new QPushButton(S("ausdrucken"));
  ausdrucken->setAccessibleName(ausdrucken->text());
  ausdrucken->setAutoDefault(false);
  connect(ausdrucken, &QPushButton::clicked, this, [this] {
    if (Ausdrucken) Ausdrucken();
  });
  knoepfe->addWidget(ausdrucken);
  knoepfe->addStretch(1);
  haupt->addLayout(knoepfe);
  haupt->addStretch(1);
}

void TBilanzSeite::Fuellen() {
  m_bilanz =
      m_nitratgebiet ? Bilanz::Nitratgebiet(m_db, m_betrieb, m_jahr) : Bilanz::Gesamtbetrieb(m_db, m_betrieb, m_jahr);
  const auto tabelle = Bilanzanzeige::Tabelle(m_bilanz, m_nitratgebiet);
  for (int z = 0; z < Zeilen && z < int(tabelle.size()); ++z)
    for (int s = 0; s < Spalten && s < tabelle[z].size(); ++s) m_tabelle->item(z, s)->setText(tabelle[z][s]);
  m_gefuellt = true;
  KopfZeigen();
  const QString aus = Bilanz::AuslassungenText(Bilanz::Ausgelassen(m_db, m_betrieb, m_jahr, m_nitratgebiet));
  m_auslassungen->setText(aus);
  m_auslassungen->setVisible(!aus.isEmpty());
}

void TBilanzSeite::KopfZeigen() {
  const auto zeilen =
      Bilanzanzeige::Kopf(m_nitratgebiet, m_jahr, m_bilanz, Bilanzanzeige::Jahreswerte(m_db, m_betrieb, m_jahr));
  for (size_t i = 0; i < zeilen.size() && i < m_kopf.size(); ++i) {
    QLineEdit* wert = m_kopf[i].second;
    wert->setText(zeilen[i].wert);
    wert->setCursorPosition(0);
    // The whole figure stays visible.
    wert->setMinimumWidth(wert->fontMetrics().horizontalAdvance(zeilen[i].wert) + 12);
  }
}

QString TBilanzSeite::Kopfwert(const QString& titel) const {
  for (const auto& [t, w] : m_kopf)
    if (t->text() == titel) return w->text();
  return {};
}

void TBilanzSeite::ErstellungsdatumSetzen() {
  if (!Bilanzanzeige::ErstellungsdatumSetzen(m_db, m_betrieb, m_jahr, QDate::currentDate()))
    m_meldungen.Info(S("Das Erstellungsdatum konnte nicht gespeichert werden."));
  if (m_gefuellt) KopfZeigen();
}

bool TBilanzSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::MouseButtonDblClick) {
    ErstellungsdatumSetzen();
    return true;
  }
  return QWidget::eventFilter(objekt, ereignis);
}
