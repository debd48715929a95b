#include "flaechentauschfenster.h"

#include "fenstergroesse.h"
#include "dataset.h"
#include "flaechentausch.h"
#include "listenansicht.h"
#include "meldungen.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

QLabel* Ueberschrift(const QString& text) {
  auto* l = new QLabel(text);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  l->setWordWrap(true);
  return l;
}

// "Suchen" with its field, the field named by its caption.
QLineEdit* Suchfeld(QVBoxLayout* in) {
  auto* zeile = new QHBoxLayout;
  auto* beschriftung = new QLabel(K("Suchen"));
  auto* feld = new QLineEdit;
  feld->setAccessibleName(K("Suchen"));
  beschriftung->setBuddy(feld);
  zeile->addWidget(beschriftung);
  zeile->addWidget(feld, 1);
  in->addLayout(zeile);
  return feld;
}

std::vector<QString> Felder(const std::vector<TDataSetModel::TSpalte>& spalten) {
  std::vector<QString> f;
  for (const auto& s : spalten) f.push_back(s.feld);
  return f;
}

}  // namespace

TFlaechentauschFenster::TFlaechentauschFenster(TADOModConnection& db, TMeldungen& meldungen, qint64 zielBetrieb,
                                               const QString& zielName, int jahr, QWidget* eltern)
    : QDialog(eltern),
      m_db(db),
      m_meldungen(meldungen),
      m_zielBetrieb(zielBetrieb),
      m_jahr(jahr),
      m_betriebe(new TADODataSetMod(db, this)),
      m_schlaege(new TADODataSetMod(db, this)) {
  setWindowTitle(K("Flächentausch nach Zielbetrieb \"") + zielName + K("\"."));
  setAccessibleName(K("Flächentausch"));
  Fenstergroesse::Setzen(this, {920, 680});
  const std::vector<TDataSetModel::TSpalte> betriebsSpalten = {
      {K("Betriebsname"), K("Name des Unternehmens")},
      {K("SitzOrt"), K("Ort des Betriebssitzes")},
      {K("SitzOrtsTeil"), K("Ortsteil des Betriebssitzes")}};
  const std::vector<TDataSetModel::TSpalte> schlagSpalten = {
      {K("Jahr"), K("Jahr")},           {K("SchlagNr"), K("SchlagNr")},   {K("SchlagName"), K("SchlagName")},
      {K("Feldblock"), K("Feldblock")}, {K("Parzelle"), K("Parzelle")},   {K("Groesse"), K("Größe (ha)")},
      {K("Kultur"), K("Kultur nach DüV")}, {K("BG"), K("Bodengruppe")}};
  m_betriebsSpalten = Felder(betriebsSpalten);
  m_schlagSpalten = Felder(schlagSpalten);

  auto* haupt = new QVBoxLayout(this);
  const QString betriebTitel = K("1. Unternehmen, das Fläche abgibt (bitte Unternehmen auswählen).");
  const QString schlagTitel = K("2. Fläche, die abgegeben wird (bitte Fläche auswählen).");

  // One panel per list, named by its heading, so that each "Suchen" is found in its own.
  // The field list, the longer one with the wider rows, takes most of the height.
  auto panel = [haupt](const QString& titel, int anteil) {
    auto* w = new QWidget;
    w->setAccessibleName(titel);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Ueberschrift(titel));
    haupt->addWidget(w, anteil);
    return l;
  };
  QVBoxLayout* oben = panel(betriebTitel, 2);
  m_betriebSuche = Suchfeld(oben);
  m_betriebsAnsicht = new TListenAnsicht(*m_betriebe, betriebsSpalten);
  m_betriebsAnsicht->setAccessibleName(K("Unternehmen, das Fläche abgibt"));
  oben->addWidget(m_betriebsAnsicht);

  QVBoxLayout* unten = panel(schlagTitel, 3);
  m_schlagSuche = Suchfeld(unten);
  m_schlagAnsicht = new TListenAnsicht(*m_schlaege, schlagSpalten);
  m_schlagAnsicht->setAccessibleName(K("Fläche, die abgegeben wird"));
  unten->addWidget(m_schlagAnsicht);

  m_ziel = Ueberschrift(K("Unternehmen, das Fläche aufnimmt: \"") + zielName + K("\" und Jahr ") +
                        QString::number(jahr) + K("."));
  m_ziel->setAccessibleName(K("Unternehmen, das Fläche aufnimmt"));
  haupt->addWidget(m_ziel);
  auto* knoepfe = new QHBoxLayout;
  m_umsetzen = new QPushButton(K("Fläche jetzt umsetzen"));
  m_umsetzen->setAccessibleName(m_umsetzen->text());
  m_abbrechen = new QPushButton(K("Abbrechen             "));
  m_abbrechen->setAccessibleName(K("Abbrechen"));
  knoepfe->addStretch(1);
  knoepfe->addWidget(m_umsetzen);
  knoepfe->addWidget(m_abbrechen);
  haupt->addLayout(knoepfe);

  for (TListenAnsicht* a : {m_betriebsAnsicht, m_schlagAnsicht}) a->horizontalHeader()->setSectionsClickable(true);
  connect(m_betriebsAnsicht->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TFlaechentauschFenster::BetriebeSortieren);
  connect(m_schlagAnsicht->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TFlaechentauschFenster::SchlaegeSortieren);
  connect(m_betriebe, &TADODataSetMod::PositionGeaendert, this, [this] { SchlaegeLaden(); });
  connect(m_betriebSuche, &QLineEdit::textChanged, this, &TFlaechentauschFenster::BetriebGesucht);
  connect(m_schlagSuche, &QLineEdit::textChanged, this, &TFlaechentauschFenster::SchlagGesucht);
  for (QLineEdit* suche : {m_betriebSuche, m_schlagSuche}) suche->installEventFilter(this);
  connect(m_umsetzen, &QPushButton::clicked, this, &TFlaechentauschFenster::Umsetzen);
  connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

TFlaechentauschFenster::~TFlaechentauschFenster() = default;

void TFlaechentauschFenster::showEvent(QShowEvent* ereignis) {
  QDialog::showEvent(ereignis);
  if (!m_offen) Oeffnen();
}

void TFlaechentauschFenster::Oeffnen() {
  m_offen = true;
  m_betriebe->setCommandText(Flaechentausch::BetriebeAbfrage(m_zielBetrieb, m_betriebOrdnung));
  m_betriebe->Oeffnen();
  // Opening stands on the first farm; its fields are loaded in any case, also for none.
  SchlaegeLaden();
  m_betriebsAnsicht->setFocus(Qt::OtherFocusReason);
}

void TFlaechentauschFenster::SchlaegeLaden() {
  m_schlaege->Schliessen();
  m_schlaege->ParameterSetzen(K("BNr"), m_betriebe->IstLeer() ? QVariant(0LL) : m_betriebe->Wert(K("ID")));
  m_schlaege->ParameterSetzen(K("J"), m_jahr);
  m_schlaege->setCommandText(Flaechentausch::SchlaegeAbfrage(m_schlagOrdnung));
  m_schlaege->Oeffnen();
}

void TFlaechentauschFenster::BetriebeSortieren(int spalte) {
  if (spalte < 0 || spalte >= int(m_betriebsSpalten.size())) return;
  // A column without an order of its own reopens the list as it was.
  if (Flaechentausch::BetriebeSortierbar(m_betriebsSpalten[size_t(spalte)]))
    m_betriebOrdnung = m_betriebsSpalten[size_t(spalte)];
  Oeffnen();
}

void TFlaechentauschFenster::SchlaegeSortieren(int spalte) {
  if (spalte < 0 || spalte >= int(m_schlagSpalten.size())) return;
  if (Flaechentausch::SchlaegeSortierbar(m_schlagSpalten[size_t(spalte)]))
    m_schlagOrdnung = m_schlagSpalten[size_t(spalte)];
  SchlaegeLaden();
}

void TFlaechentauschFenster::BetriebGesucht(const QString& text) {
  if (!text.isEmpty() && !Flaechentausch::BetriebSuchen(*m_betriebe, text)) m_meldungen.Piep();
}

void TFlaechentauschFenster::SchlagGesucht(const QString& text) {
  if (text.isEmpty()) return;
  if (Flaechentausch::SchlagSuchen(*m_schlaege, text) == Flaechentausch::TSuche::NichtGefunden) m_meldungen.Piep();
}

bool TFlaechentauschFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  // Leaving a search field empties it, ready for the next search.
  if (ereignis->type() == QEvent::FocusOut)
    if (auto* suche = qobject_cast<QLineEdit*>(objekt)) suche->clear();
  return QDialog::eventFilter(objekt, ereignis);
}

void TFlaechentauschFenster::Umsetzen() {
  const qint64 schlag = m_schlaege->IstLeer() ? 0 : m_schlaege->Wert(K("ID")).toLongLong();
  // The moved field no longer belongs to the giving farm: the list is read again.
  if (Flaechentausch::FlaecheUmsetzen(m_db, m_meldungen, schlag, m_jahr, m_zielBetrieb)) SchlaegeLaden();
}

void TFlaechentauschFenster::done(int ergebnis) {
  m_schlaege->Schliessen();
  m_betriebe->Schliessen();
  m_offen = false;
  QDialog::done(ergebnis);
}
