#include "druckvorschau.h"

#include "druckdienste.h"
#include "druckdokument.h"
#include "meldungen.h"
#include "sicheredatei.h"

#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int Rand = 12;  // grey border around the sheet, in pixels
const int Prozentstufen[] = {25, 50, 75, 100, 125, 150, 200};

QString OhneKuerzel(QString text) { return text.remove(QLatin1Char('&')); }
}  // namespace

// The sheet of the current page at the preview's scale.
class TSeitenansicht : public QWidget {
public:
  TSeitenansicht(const TDruckDokument& dokument, QWidget* eltern) : QWidget(eltern), m_dokument(dokument) {}

  void Setzen(int index, double massstab) {
    m_index = index;
    m_massstab = massstab;
    const QSizeF mm = m_dokument.GroesseMm();
    setFixedSize(int(std::lround(mm.width() * massstab)) + 2 * Rand,
                 int(std::lround(mm.height() * massstab)) + 2 * Rand);
    update();
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter maler(this);
    maler.fillRect(rect(), palette().color(QPalette::Dark));
    const QSizeF mm = m_dokument.GroesseMm();
    const QRectF blatt(Rand, Rand, mm.width() * m_massstab, mm.height() * m_massstab);
    maler.fillRect(blatt, Qt::white);
    maler.setPen(Qt::black);
    maler.drawRect(blatt.adjusted(-0.5, -0.5, 0.5, 0.5));
    if (m_index < 0 || m_index >= m_dokument.Seitenzahl()) return;
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setRenderHint(QPainter::TextAntialiasing);
    maler.setRenderHint(QPainter::SmoothPixmapTransform);
    maler.setClipRect(blatt);
    maler.translate(blatt.topLeft());
    maler.scale(m_massstab / Druckeinheiten::JeMm, m_massstab / Druckeinheiten::JeMm);
    m_dokument.SeiteZeichnen(maler, m_index);
  }

private:
  const TDruckDokument& m_dokument;
  int m_index = 0;
  double m_massstab = 1;
};

TDruckvorschau::TDruckvorschau(const TDruckDokument& dokument, TMeldungen& meldungen, TDruckDienste& dienste,
                               QWidget* eltern)
    : QDialog(eltern), m_dokument(dokument), m_meldungen(meldungen), m_dienste(dienste) {
  setWindowTitle(QStringLiteral("Druckvorschau"));
  setModal(true);

  auto* leiste = new QWidget(this);
  leiste->setFixedWidth(180);
  auto* spalte = new QVBoxLayout(leiste);
  m_zaehler = new QLabel(leiste);
  m_zaehler->setAlignment(Qt::AlignCenter);
  spalte->addWidget(m_zaehler);
  auto Knopf = [leiste, spalte](const QString& beschriftung) {
    auto* knopf = new QPushButton(beschriftung, leiste);
    knopf->setAccessibleName(OhneKuerzel(beschriftung));
    knopf->setAutoDefault(false);
    spalte->addWidget(knopf);
    return knopf;
  };

  m_naechste = Knopf(QStringLiteral("&nächste Seite"));
  connect(m_naechste, &QPushButton::clicked, this, &TDruckvorschau::NaechsteSeite);
  m_vorige = Knopf(QStringLiteral("&Vorige Seite"));
  connect(m_vorige, &QPushButton::clicked, this, &TDruckvorschau::VorigeSeite);
  QPushButton* gehe = Knopf(QStringLiteral("&Gehe zu Seite..."));
  connect(gehe, &QPushButton::clicked, this, &TDruckvorschau::GeheZuSeite);

  QPushButton* zoom = Knopf(QStringLiteral("&Zoom..."));
  auto* auswahl = new QMenu(zoom);
  connect(auswahl->addAction(QStringLiteral("Seite einpassen")), &QAction::triggered, this,
          [this] { ZoomSetzen(TZoom::SeiteEinpassen); });
  connect(auswahl->addAction(QStringLiteral("Seitenbreite")), &QAction::triggered, this,
          [this] { ZoomSetzen(TZoom::Seitenbreite); });
  for (int prozent : Prozentstufen)
    connect(auswahl->addAction(QString::asprintf("%d %%", prozent)), &QAction::triggered, this,
            [this, prozent] { ZoomSetzen(TZoom::Prozent, prozent); });
  zoom->setMenu(auswahl);

  // No bookmarks are ever set.
  Knopf(QStringLiteral("&Lesezeichen"))->setEnabled(false);

  m_drucken = Knopf(QStringLiteral("D&rucken"));
  m_drucken->setEnabled(m_dienste.DruckerVorhanden());
  connect(m_drucken, &QPushButton::clicked, this, &TDruckvorschau::Drucken);
  connect(Knopf(QStringLiteral("PDF &speichern")), &QPushButton::clicked, this, &TDruckvorschau::PdfSpeichern);
  connect(Knopf(QStringLiteral("&Beenden")), &QPushButton::clicked, this, &QDialog::accept);
  spalte->addStretch();

  m_flaeche = new QScrollArea(this);
  m_flaeche->setAlignment(Qt::AlignCenter);
  m_flaeche->setBackgroundRole(QPalette::Dark);
  m_ansicht = new TSeitenansicht(m_dokument, m_flaeche);
  m_ansicht->setAccessibleName(QStringLiteral("Seite"));
  m_flaeche->setWidget(m_ansicht);
  m_flaeche->viewport()->installEventFilter(this);

  auto* reihe = new QHBoxLayout(this);
  reihe->setContentsMargins(0, 0, 0, 0);
  reihe->addWidget(leiste);
  reihe->addWidget(m_flaeche, 1);

  // As tall as the screen allows, as wide as the sheet in proportion plus the side panel.
  QScreen* schirm = eltern && eltern->screen() ? eltern->screen() : QGuiApplication::primaryScreen();
  if (schirm) {
    const QRect ganz = schirm->geometry();
    const QRect frei = schirm->availableGeometry();
    const QSizeF mm = m_dokument.GroesseMm();
    const int hoehe = ganz.height() - 64;
    const int breite = int(std::lround(hoehe * mm.width() / mm.height())) + 192;
    resize(std::min(breite, frei.width()), hoehe);
    move(frei.center().x() - width() / 2, frei.center().y() - hoehe / 2);
    if (breite > frei.width()) setWindowState(windowState() | Qt::WindowMaximized);
  }

  Aktualisieren();
  ZoomAnwenden();
}

TDruckvorschau::~TDruckvorschau() = default;

QString TDruckvorschau::Seitenzaehler() const {
  return QString::asprintf("Seite %d / %d", m_seite, m_dokument.Seitenzahl());
}

void TDruckvorschau::Aktualisieren() {
  m_zaehler->setText(Seitenzaehler());
  m_zaehler->setAccessibleName(Seitenzaehler());
  m_naechste->setEnabled(m_seite < m_dokument.Seitenzahl());
  m_vorige->setEnabled(m_seite > 1);
  m_ansicht->setAccessibleName(QStringLiteral("Seite %1").arg(m_seite));
  m_ansicht->Setzen(m_seite - 1, m_massstab);
}

void TDruckvorschau::SeiteZeigen(int nummer) {
  if (nummer < 1 || nummer > m_dokument.Seitenzahl()) return;
  m_seite = nummer;
  Aktualisieren();
}

void TDruckvorschau::NaechsteSeite() { SeiteZeigen(m_seite + 1); }

void TDruckvorschau::VorigeSeite() { SeiteZeigen(m_seite - 1); }

void TDruckvorschau::GeheZuSeite() {
  const int nummer =
      m_meldungen.Ganzzahleingabe(QStringLiteral("Gehe zu Seite (1 bis %1):").arg(m_dokument.Seitenzahl()));
  if (nummer == 0) return;  // closed without "OK"
  if (nummer < 1 || nummer > m_dokument.Seitenzahl()) {
    m_meldungen.Piep();
    return;
  }
  SeiteZeigen(nummer);
}

void TDruckvorschau::ZoomSetzen(TZoom art, int prozent) {
  m_zoom = art;
  m_prozent = prozent;
  ZoomAnwenden();
}

void TDruckvorschau::ZoomAnwenden() {
  const QSizeF mm = m_dokument.GroesseMm();
  // The room without scroll bars; a fitted sheet needs none.
  const int leiste = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_flaeche);
  QSize sicht = m_flaeche->viewport()->size();
  if (m_flaeche->verticalScrollBar()->isVisible()) sicht.rwidth() += leiste;
  if (m_flaeche->horizontalScrollBar()->isVisible()) sicht.rheight() += leiste;
  const double breite = std::max(1, sicht.width() - 2 * Rand);
  const double hoehe = std::max(1, sicht.height() - 2 * Rand);
  switch (m_zoom) {
    case TZoom::SeiteEinpassen:
      m_massstab = std::min(breite / mm.width(), hoehe / mm.height());
      break;
    case TZoom::Seitenbreite:
      m_massstab = breite / mm.width();
      // A sheet taller than the window brings the vertical scroll bar.
      if (mm.height() * m_massstab > hoehe) m_massstab = std::max(1.0, breite - leiste) / mm.width();
      break;
    case TZoom::Prozent:
      m_massstab = m_prozent / 100.0 * logicalDpiX() / 25.4;
      break;
  }
  m_ansicht->Setzen(m_seite - 1, m_massstab);
}

bool TDruckvorschau::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == m_flaeche->viewport() && ereignis->type() == QEvent::Resize && m_zoom != TZoom::Prozent)
    ZoomAnwenden();
  return QDialog::eventFilter(objekt, ereignis);
}

bool TDruckvorschau::Drucken() {
  if (!m_dienste.DruckerVorhanden()) return false;
  if (!m_dienste.Drucken(m_dokument)) {
    m_meldungen.Info(QStringLiteral("Der Druck konnte nicht gestartet werden."));
    return false;
  }
  accept();
  return true;
}

bool TDruckvorschau::PdfSpeichern() {
  for (;;) {
    QString datei = m_meldungen.DateiSpeichern(QStringLiteral("PDF speichern"), QString(),
                                               QStringLiteral("PDF-Datei (*.pdf)"));
    if (datei.isEmpty()) return false;
    if (QFileInfo(datei).suffix().isEmpty()) datei += QStringLiteral(".pdf");

    // Written beside the target and renamed at the end, so that a failure
    // never leaves a half-written file under the chosen name.
    TSichereDatei ziel(datei);
    if (!ziel.Oeffnen()) {
      m_meldungen.Info(QStringLiteral("In ") + datei + QStringLiteral(" kann nicht geschrieben werden"));
      continue;
    }
    const QByteArray pdf = m_dokument.AlsPdf();
    QString fehler;
    if (pdf.isEmpty())
      fehler = QStringLiteral("Die Seiten konnten nicht als PDF ausgegeben werden.");
    else if (!ziel.Schreiben(pdf) || !ziel.Abschliessen())
      fehler = ziel.Fehler();
    if (!fehler.isEmpty()) {
      ziel.Verwerfen();
      m_meldungen.Info(QStringLiteral("Fehler beim Schreiben von ") + datei + QStringLiteral(":\n") + fehler);
      return false;
    }
    const QString pfad = QFileInfo(datei).absoluteFilePath();
    // Without a viewer nothing would show that the file exists.
    if (!m_dienste.DateiAnzeigen(pfad)) m_meldungen.Info(GespeichertText + QDir::toNativeSeparators(pfad));
    return true;
  }
}
