#pragma once
// Printed documents read back as text: the writer's pages as a PDF, through
// pdftotext with its layout kept, one string per page. For the print tests
// of every window.

#include "pdfdruckausgabe.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Pdftext {

// The pages' texts ("pdftotext -layout"). The PDF is written to pfad, or into
// a temporary folder when pfad is empty. Empty, with a test failure, when the
// PDF could not be made or read.
inline QStringList Seiten(const TPDFDruckausgabe& druck, const QString& pfad = {}) {
  QTemporaryDir ordner;
  const QString datei = pfad.isEmpty() ? ordner.filePath(QStringLiteral("blatt.pdf")) : pfad;
  const QByteArray pdf = druck.Dokument().AlsPdf();
  QFile f(datei);
  if (pdf.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(pdf) <= 0) {
    ADD_FAILURE() << "PDF nicht geschrieben: " << datei.toStdString();
    return {};
  }
  f.close();
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), datei, QStringLiteral("-")});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext: " << p.readAllStandardError().toStdString();
    return {};
  }
  QStringList seiten = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
  // pdftotext ends every page with a form feed.
  if (!seiten.isEmpty() && seiten.last().trimmed().isEmpty()) seiten.removeLast();
  return seiten;
}

}  // namespace Pdftext
