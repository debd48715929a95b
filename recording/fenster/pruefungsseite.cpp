#include "pruefungsseite.h"

#include "pruefung.h"
#include "zahlen.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

enum TSpalte { SpSchlag, SpName, SpDatum, SpRegel, SpVorschrift, SpHinweis, SpWert, SpGrenze, SpEinheit, Spaltenzahl };

}  // namespace

TPruefungsseite::TPruefungsseite(TADOModConnection& db, int betriebsNr, int jahr, QWidget* eltern)
    : QWidget(eltern), m_db(db), m_betrieb(betriebsNr), m_jahr(jahr) {
  setAccessibleName(Titel());
  auto* haupt = new QVBoxLayout(this);
  auto* kopf = new QLabel(S("Prüfung der Sperrfristen und Obergrenzen der Düngeverordnung für das Düngejahr %1").arg(jahr));
  QFont fett = kopf->font();
  fett.setBold(true);
  kopf->setFont(fett);
  haupt->addWidget(kopf);
  m_regeln = new QLabel;
  m_regeln->setAccessibleName(S("Nitratgebiet"));
  haupt->addWidget(m_regeln);
  m_zusammenfassung = new QLabel;
  m_zusammenfassung->setAccessibleName(S("Ergebnis der Prüfung"));
  haupt->addWidget(m_zusammenfassung);

  m_tabelle = new QTableWidget(0, Spaltenzahl, this);
  m_tabelle->setAccessibleName(S("Befunde"));
  m_tabelle->setHorizontalHeaderLabels({S("Schlag-Nr."), S("Schlag"), S("Datum"), S("Regel"), S("Vorschrift"),
                                        S("Hinweis"), S("Menge"), S("Grenze"), S("Einheit")});
  m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_tabelle->setWordWrap(true);
  m_tabelle->verticalHeader()->hide();
  m_tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_tabelle->horizontalHeader()->setSectionResizeMode(SpHinweis, QHeaderView::Stretch);
  haupt->addWidget(m_tabelle, 1);

  auto* hinweis = new QLabel(S("Die Befunde sind Hinweise: Die zuständige Behörde kann Sperrfristen auf Antrag um bis "
                               "zu vier Wochen verschieben. Die Aufzeichnungen bleiben, wie sie erfasst sind."));
  hinweis->setWordWrap(true);
  hinweis->setAccessibleName(S("Hinweis"));
  haupt->addWidget(hinweis);
}

void TPruefungsseite::Fuellen() {
  const bool aktiv = Pruefung::NitratRegelnAktiv(m_jahr, Pruefung::Schalter(m_db, m_betrieb, m_jahr));
  m_regeln->setText(m_jahr <= 2020 ? S("Regeln für Nitratgebiete: gelten erst ab dem Düngejahr 2021.")
                    : aktiv        ? S("Regeln für Nitratgebiete: werden angewendet.")
                                   : S("Regeln für Nitratgebiete: für dieses Düngejahr ausgeschaltet (Hauptfenster)."));
  QString fehler;
  m_befunde = Pruefung::Jahr(m_db, m_betrieb, m_jahr, &fehler);
  m_zusammenfassung->setText(!fehler.isEmpty()    ? fehler
                             : m_befunde.empty() ? S("Keine Überschreitung gefunden.")
                             : m_befunde.size() == 1
                                 ? S("1 Hinweis")
                                 : S("%1 Hinweise").arg(m_befunde.size()));
  m_tabelle->setRowCount(int(m_befunde.size()));
  const auto zelle = [this](int zeile, int spalte, const QString& text, bool rechts = false) {
    auto* z = new QTableWidgetItem(text);
    z->setTextAlignment((rechts ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    m_tabelle->setItem(zeile, spalte, z);
  };
  for (int i = 0; i < int(m_befunde.size()); ++i) {
    const Pruefung::TBefund& b = m_befunde[size_t(i)];
    zelle(i, SpSchlag, b.parzelle == 0 ? S("Betrieb") : QString::number(b.schlagNr), true);
    zelle(i, SpName, b.schlag);
    zelle(i, SpDatum, b.datum.isValid() ? b.datum.toString(S("dd.MM.yyyy")) : QString());
    zelle(i, SpRegel, QString::number(b.regel), true);
    zelle(i, SpVorschrift, b.paragraph);
    zelle(i, SpHinweis, b.hinweis);
    const bool mitMenge = !b.einheit.isEmpty();
    zelle(i, SpWert, mitMenge ? Zahlen::Text(b.wert, 1) : QString(), true);
    zelle(i, SpGrenze, mitMenge && b.grenze > 0 ? Zahlen::Text(b.grenze, 1) : QString(), true);
    zelle(i, SpEinheit, b.einheit);
  }
  m_tabelle->resizeRowsToContents();
}
