#include "druckdienste.h"

#include "druckdokument.h"

#include <QDesktopServices>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

bool TSystemDruckDienste::DruckerVorhanden() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool TSystemDruckDienste::Drucken(const TDruckDokument& dokument) {
  QPrinter drucker(QPrinter::HighResolution);  // the default printer
  drucker.setDocName(QStringLiteral("Quendrix"));
  drucker.setFullPage(true);  // positions are measured from the edge of the sheet
  drucker.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                    dokument.Querformat() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF(0, 0, 0, 0)));
  return dokument.Ausgeben(drucker);
}

bool TSystemDruckDienste::DateiAnzeigen(const QString& pfad) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(pfad));
}
