#include "bildschirmdruck.h"

#include "meldungen.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

TQtBildschirmdrucker::TQtBildschirmdrucker() = default;

TQtBildschirmdrucker::~TQtBildschirmdrucker() { delete m_drucker; }

bool TQtBildschirmdrucker::DruckerWaehlen(QWidget* eltern) {
  if (!m_drucker) m_drucker = new QPrinter(QPrinter::HighResolution);
  m_drucker->setDocName(QStringLiteral("Quendrix"));
  m_drucker->setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(m_drucker, eltern);
  dialog.setWindowTitle(QStringLiteral("Bildschirmdruck"));
  const bool ok = dialog.exec() == QDialog::Accepted;
  // The image is printed in landscape whatever the dialog was left with.
  m_drucker->setPageOrientation(QPageLayout::Landscape);
  return ok;
}

bool TQtBildschirmdrucker::Drucken(const QImage& bild) {
  if (!m_drucker || bild.isNull()) return false;
  QPainter maler;
  if (!maler.begin(m_drucker)) return false;
  const QRect seite = maler.viewport();
  const QSize groesse = bild.size().scaled(seite.size(), Qt::KeepAspectRatio);
  maler.drawImage(QRect(seite.topLeft(), groesse), bild);
  return maler.end();
}

bool FensterDrucken(QWidget* fenster, TBildschirmdrucker& drucker, TMeldungen& meldungen) {
  if (!fenster || !drucker.DruckerWaehlen(fenster)) return false;
  if (drucker.Drucken(fenster->grab().toImage())) return true;
  meldungen.Info(BildschirmdruckFehler);
  return false;
}
