#pragma once
// Printed documents read back as text: the writer's pages as a PDF, through
// pdftotext with its layout kept, one string per page. For the print tests
// of every window.

#include "pdfdruckausgabe.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace Pdftext {

// What pdftotext prints for the document with the given options; empty, with
// a test failure, when the PDF could not be made or read. The PDF is written
// to pfad, or into a temporary folder when pfad is empty.
inline QString Ausgabe(const TPDFDruckausgabe& druck, const QString& option, const QString& pfad = {}) {
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
  p.start(QStringLiteral("pdftotext"), {option, datei, QStringLiteral("-")});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The pages' texts ("pdftotext -layout").
inline QStringList Seiten(const TPDFDruckausgabe& druck, const QString& pfad = {}) {
  QStringList seiten = Ausgabe(druck, QStringLiteral("-layout"), pfad).split(QLatin1Char('\f'));
  // pdftotext ends every page with a form feed.
  if (!seiten.isEmpty() && seiten.last().trimmed().isEmpty()) seiten.removeLast();
  return seiten;
}

// A word and its box on the page, in points from the top-left corner.
struct TWort {
  QString text;
  double x0, y0, x1, y1;
};

// The words of every page ("pdftotext -bbox").
inline std::vector<std::vector<TWort>> Woerter(const TPDFDruckausgabe& druck) {
  std::vector<std::vector<TWort>> seiten;
  static const QRegularExpression marke(
      QStringLiteral(R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
  for (auto it = marke.globalMatch(Ausgabe(druck, QStringLiteral("-bbox"))); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(5).isNull() && m.captured(1).isNull()) {
      seiten.emplace_back();
      continue;
    }
    if (seiten.empty()) seiten.emplace_back();
    QString text = m.captured(5);
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    seiten.back().push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble()});
  }
  return seiten;
}

// Every pair of words on a page whose boxes overlap by more than half a
// point across and a quarter of the lower one's height (pdftotext's boxes
// take the font's full height, so lines set close touch without covering
// each other), as "Seite 1: »a« über »b«".
inline QStringList Ueberdeckungen(const TPDFDruckausgabe& druck) {
  QStringList funde;
  const auto seiten = Woerter(druck);
  for (size_t s = 0; s < seiten.size(); ++s) {
    const auto& w = seiten[s];
    for (size_t i = 0; i < w.size(); ++i)
      for (size_t j = i + 1; j < w.size(); ++j) {
        const double breit = std::min(w[i].x1, w[j].x1) - std::max(w[i].x0, w[j].x0);
        const double hoch = std::min(w[i].y1, w[j].y1) - std::max(w[i].y0, w[j].y0);
        if (breit > 0.5 && hoch > 0.25 * std::min(w[i].y1 - w[i].y0, w[j].y1 - w[j].y0))
          funde << QStringLiteral("Seite %1: »%2« über »%3«").arg(s + 1).arg(w[i].text, w[j].text);
      }
  }
  return funde;
}

}  // namespace Pdftext
