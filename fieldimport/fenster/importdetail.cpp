#include "importdetail.h"

#include "schlagblatt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QListWidget* Liste(const QString& titel, QWidget* eltern, QVBoxLayout* spalte) {
  auto* l = new QLabel(titel, eltern);
  auto* liste = new QListWidget(eltern);
  liste->setAccessibleName(titel);
  l->setBuddy(liste);
  spalte->addWidget(l);
  spalte->addWidget(liste, 1);
  return liste;
}
void Fuellen(QListWidget* liste, const std::vector<Schlagimport::TEintrag>& eintraege) {
  liste->clear();
  for (const auto& e : eintraege) {
    auto* item = new QListWidgetItem(e.name, liste);
    item->setData(Qt::UserRole, e.nummer);
  }
}
void Markieren(QListWidget* liste, int nummer) {
  for (int i = 0; i < liste->count(); ++i)
    if (liste->item(i)->data(Qt::UserRole).toInt() == nummer) {
      liste->setCurrentRow(i);
      return;
    }
}
}  // namespace

TImportDetail::TImportDetail(TADOModConnection& db, int betrieb, bool kulturenLesen, QWidget* eltern)
    : QWidget(eltern), m_db(db), m_betrieb(betrieb), m_kulturenLesen(kulturenLesen) {
  auto* gesamt = new QVBoxLayout(this);
  auto* kopf = new QHBoxLayout;
  const auto feld = [&](const QString& titel) {
    auto* l = new QLabel(titel, this);
    auto* e = new QLineEdit(this);
    e->setReadOnly(true);
    e->setAccessibleName(titel);
    e->setMaximumWidth(90);
    l->setBuddy(e);
    kopf->addWidget(l);
    kopf->addWidget(e);
    return e;
  };
  m_zeile = feld(u"Zeile"_s);
  m_parzelle = feld(u"Parzelle"_s);
  for (const auto& [titel, richtung] : {std::pair{u"Voriger"_s, -1}, std::pair{u"Nächster"_s, 1}}) {
    auto* k = new QPushButton(titel, this);
    k->setAccessibleName(titel);
    connect(k, &QPushButton::clicked, this, [this, r = richtung] { emit Blaettern(r); });
    kopf->addWidget(k);
  }
  kopf->addStretch(1);
  gesamt->addLayout(kopf);

  m_listen = new QWidget(this);
  auto* listen = new QHBoxLayout(m_listen);
  listen->setContentsMargins(0, 0, 0, 0);
  auto* k = new QVBoxLayout;
  auto* wahlTitel = new QLabel(u"Kultur-Vorauswahl"_s, m_listen);
  m_wahl = new QComboBox(m_listen);
  m_wahl->setAccessibleName(wahlTitel->text());
  wahlTitel->setBuddy(m_wahl);
  for (auto w : {Schlagimport::TKulturwahl::ZuInvekos, Schlagimport::TKulturwahl::NurAusgewaehlte,
                 Schlagimport::TKulturwahl::Alle})
    m_wahl->addItem(Schlagimport::KulturwahlText(w));
  k->addWidget(wahlTitel);
  k->addWidget(m_wahl);
  m_kulturen = Liste(u"Kultur (Auswahl mit Doppelklick)"_s, m_listen, k);
  auto* v = new QVBoxLayout;
  m_nurAusgewaehlte = new QCheckBox(u"nur vorausgewählte Kulturen anzeigen"_s, m_listen);
  m_nurAusgewaehlte->setAccessibleName(m_nurAusgewaehlte->text());
  m_nurAusgewaehlte->setChecked(true);
  v->addWidget(m_nurAusgewaehlte);
  m_vorfruechte = Liste(u"Vorfrucht (Auswahl mit Doppelklick)"_s, m_listen, v);
  auto* z = new QVBoxLayout;
  m_zwischen = Liste(u"Zwischenfrucht (Auswahl mit Doppelklick)"_s, m_listen, z);
  listen->addLayout(k, 1);
  listen->addLayout(v, 1);
  listen->addLayout(z, 1);
  gesamt->addWidget(m_listen, 1);

  for (QListWidget* l : {m_kulturen, m_vorfruechte, m_zwischen}) {
    l->installEventFilter(this);
    connect(l, &QListWidget::itemDoubleClicked, this, [this, l] { Nehmen(l); });
  }
  connect(m_wahl, &QComboBox::currentIndexChanged, this, [this] { KulturenLaden(); });
  connect(m_nurAusgewaehlte, &QCheckBox::toggled, this, [this] { ListenLaden(); });
  ListenLaden();
}

void TImportDetail::KulturenLaden() {
  const auto wahl = Schlagimport::TKulturwahl(m_wahl->currentIndex());
  Fuellen(m_kulturen, Schlagimport::Eintraege(m_db, Schlagimport::Kulturliste(m_betrieb, wahl, m_nuCode, m_kulturenLesen),
                                              u"Kultur"_s, u"FA_NR"_s));
  Markieren(m_kulturen, m_kulturNr);
}

void TImportDetail::ListenLaden() {
  KulturenLaden();
  Fuellen(m_vorfruechte,
          Schlagimport::Eintraege(m_db, Schlagimport::Vorfruchtliste(m_betrieb, m_nurAusgewaehlte->isChecked()),
                                  u"Kultur"_s, u"FA_NR"_s));
  if (m_zwischen->count() == 0)
    Fuellen(m_zwischen, Schlagimport::Eintraege(m_db, Schlagimport::Zwischenfruchtliste(), u"Fruchtart"_s, u"ID"_s));
}

void TImportDetail::ZeileZeigen(int zeile, const QString& parzelle, const QString& nuCode, int kulturNr,
                                bool parzellenzeile) {
  m_zeile->setText(QString::number(zeile));
  m_parzelle->setText(parzelle);
  m_parzellenzeile = parzellenzeile;
  m_listen->setVisible(parzellenzeile);
  if (nuCode != m_nuCode || kulturNr != m_kulturNr) {
    m_nuCode = nuCode;
    m_kulturNr = kulturNr;
    KulturenLaden();
  }
}

void TImportDetail::Nehmen(QListWidget* liste) {
  const QListWidgetItem* item = liste->currentItem();
  if (!item || !m_parzellenzeile) return;
  using namespace Schlagblatt;
  const int nummer = item->data(Qt::UserRole).toInt();
  if (liste == m_kulturen) emit Gewaehlt(Kultur, KulturNr, item->text(), nummer);
  if (liste == m_vorfruechte) emit Gewaehlt(Vorfrucht, VorfruchtNr, item->text(), nummer);
  if (liste == m_zwischen) emit Gewaehlt(Zwischenfrucht, ZwischenfruchtNr, item->text(), nummer);
}

bool TImportDetail::Springen(int spalte, const QString& buchstabe) {
  using namespace Schlagblatt;
  QListWidget* liste = spalte == Kultur ? m_kulturen : spalte == Vorfrucht ? m_vorfruechte
                       : spalte == Zwischenfrucht ? m_zwischen : nullptr;
  if (!liste || buchstabe.isEmpty() || !buchstabe[0].isLetter()) return false;
  for (int i = 0; i < liste->count(); ++i)
    if (liste->item(i)->text().startsWith(buchstabe, Qt::CaseInsensitive)) {
      liste->setCurrentRow(i);
      liste->setFocus();
      return true;
    }
  return false;
}

bool TImportDetail::eventFilter(QObject* objekt, QEvent* ereignis) {
  auto* liste = qobject_cast<QListWidget*>(objekt);
  if (liste && ereignis->type() == QEvent::KeyPress) {
    auto* t = static_cast<QKeyEvent*>(ereignis);
    if (t->key() == Qt::Key_Return || t->key() == Qt::Key_Enter) {
      Nehmen(liste);
      return true;
    }
    using namespace Schlagblatt;
    const int spalte = liste == m_kulturen ? Kultur : liste == m_vorfruechte ? Vorfrucht : Zwischenfrucht;
    if (!t->text().isEmpty() && t->text()[0].isLetter()) return Springen(spalte, t->text()) || true;
  }
  return QWidget::eventFilter(objekt, ereignis);
}
