// The pages as a PDF file, read back with poppler: page size and orientation,
// page count, the texts with German characters, and their positions
// (1 mm = 2.8346 pt). The PDF writer gives the sheet whole points: A4 is
// 595 x 842 pt.
#include "pdfdruckausgabe.h"

#include "skriptmeldungen.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double PtJeMm = 72 / 25.4;

struct TWort {
  QString text;
  double xMin, yMin, xMax, yMax;  // pt
};

QString Ausfuehren(const QString& programm, const QStringList& argumente) {
  QProcess p;
  p.start(programm, argumente);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << programm.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Every word per page, from "pdftotext -bbox".
QList<QList<TWort>> Woerter(const QString& pdf) {
  const QString html = Ausfuehren(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  QList<QList<TWort>> seiten;
  static const QRegularExpression muster(
      QStringLiteral(R"x(<page [^>]*>|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x"));
  for (auto it = muster.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0).startsWith(QLatin1String("<page"))) {
      seiten.append(QList<TWort>());
      continue;
    }
    if (seiten.isEmpty()) continue;
    QString text = m.captured(5);
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    seiten.last().append({text, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                          m.captured(4).toDouble()});
  }
  return seiten;
}

const TWort* Finden(const QList<TWort>& woerter, const QString& text) {
  for (const TWort& w : woerter)
    if (w.text == text) return &w;
  ADD_FAILURE() << "word not found: " << text.toStdString();
  return nullptr;
}

class PdfAusgabe : public ::testing::Test {
protected:
  QString Schreiben(const TPDFDruckausgabe& d, const QString& name) {
    const QString pfad = ordner.filePath(name);
    QFile datei(pfad);
    const QByteArray pdf = d.Dokument().AlsPdf();
    EXPECT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(pdf);
    datei.close();
    return pfad;
  }
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
};

TEST_F(PdfAusgabe, SeitenformatUndSeitenzahl) {
  struct {
    bool quer;
    const char* groesse;
  } const faelle[] = {{false, "595 x 842 pts (A4)"}, {true, "842 x 595 pts (A4)"}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.quer ? "quer" : "hoch");
    TPDFDruckausgabe d(nullptr, f.quer, meldungen);
    d.DokumentBeginnen(f.quer);
    d.TextAn(QStringLiteral("Seite eins"), 20, 20);
    d.NeueSeite();
    d.TextAn(QStringLiteral("Seite zwei"), 20, 20);
    d.NeueSeite();  // only the blank marker
    const QString info = Ausfuehren(QStringLiteral("pdfinfo"), {Schreiben(d, QStringLiteral("format.pdf"))});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QString::fromLatin1(f.groesse))) << info.toStdString();
  }
}

TEST_F(PdfAusgabe, TexteUndIhreLage) {
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.SchriftSetzen(14, 1, 0, 0, QStringLiteral("Tahoma"), 0);
  d.TextSeitenmitte(QStringLiteral("Düngebedarfsermittlung"), 15);
  d.SchriftSetzen(10, 0, 0, 0, QStringLiteral("Tahoma"), 0);
  d.TextAn(QStringLiteral("Größe"), 20, 30);
  d.TextRechtsAn(QStringLiteral("§3"), 190, 30);
  d.TextNaechsteZeile(QStringLiteral("m³"));  // right-aligned at 190 mm, 4 mm lower
  d.TextZentriertAn(QStringLiteral("Äußerung"), 105, 50);
  d.SchriftSetzen(10, 0, 0, 0, QStringLiteral("Tahoma"), 255);
  d.TextAn(QStringLiteral("rot"), 20, 60);
  d.NeueSeite();
  d.TextAn(QStringLiteral("Übertrag"), 20, 100);
  const QString pfad = Schreiben(d, QStringLiteral("texte.pdf"));

  const auto seiten = Woerter(pfad);
  ASSERT_EQ(seiten.size(), 2);
  auto inPt = [](double mm) { return mm * PtJeMm; };
  constexpr double Toleranz = 0.5;  // pt

  if (const TWort* w = Finden(seiten[0], QStringLiteral("Düngebedarfsermittlung"))) {
    EXPECT_NEAR((w->xMin + w->xMax) / 2, inPt(105), Toleranz);  // centred on the page
    EXPECT_NEAR(w->yMin, inPt(15), Toleranz);                    // top of the character cell
  }
  if (const TWort* w = Finden(seiten[0], QStringLiteral("Größe"))) {
    EXPECT_NEAR(w->xMin, inPt(20), Toleranz);
    EXPECT_NEAR(w->yMin, inPt(30), Toleranz);
  }
  if (const TWort* w = Finden(seiten[0], QStringLiteral("§3"))) {
    EXPECT_NEAR(w->xMax, inPt(190), Toleranz);
    EXPECT_NEAR(w->yMin, inPt(30), Toleranz);
  }
  if (const TWort* w = Finden(seiten[0], QStringLiteral("m³"))) {
    EXPECT_NEAR(w->xMax, inPt(190), Toleranz);
    EXPECT_NEAR(w->yMin, inPt(34), Toleranz);
  }
  if (const TWort* w = Finden(seiten[0], QStringLiteral("Äußerung"))) {
    EXPECT_NEAR((w->xMin + w->xMax) / 2, inPt(105), Toleranz);
    EXPECT_NEAR(w->yMin, inPt(50), Toleranz);
  }
  if (const TWort* w = Finden(seiten[0], QStringLiteral("rot"))) {
    EXPECT_NEAR(w->yMin, inPt(60), Toleranz);
  }
  if (const TWort* w = Finden(seiten[1], QStringLiteral("Übertrag"))) {
    EXPECT_NEAR(w->xMin, inPt(20), Toleranz);
    EXPECT_NEAR(w->yMin, inPt(100), Toleranz);
  }

  // The reading order of the layout text follows the positions.
  const QString text =
      Ausfuehren(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pfad, QStringLiteral("-")});
  const QStringList reihenfolge = {QStringLiteral("Düngebedarfsermittlung"), QStringLiteral("Größe"),
                                   QStringLiteral("§3"), QStringLiteral("m³"), QStringLiteral("Äußerung"),
                                   QStringLiteral("rot"), QStringLiteral("Übertrag")};
  qsizetype vorher = -1;
  for (const QString& wort : reihenfolge) {
    const qsizetype stelle = text.indexOf(wort);
    EXPECT_GT(stelle, vorher) << wort.toStdString();
    vorher = stelle;
  }
}

TEST_F(PdfAusgabe, QuerformatZentriertAufDerSeitenmitte) {
  TPDFDruckausgabe d(nullptr, true, meldungen);
  d.DokumentBeginnen(true);
  d.TextSeitenmitte(QStringLiteral("Nährstoffvergleich"), 12);
  d.TextRechtsAn(QStringLiteral("Ende"), 290, 200);
  const auto seiten = Woerter(Schreiben(d, QStringLiteral("quer.pdf")));
  ASSERT_EQ(seiten.size(), 1);
  if (const TWort* w = Finden(seiten[0], QStringLiteral("Nährstoffvergleich"))) {
    EXPECT_NEAR((w->xMin + w->xMax) / 2, 148.5 * PtJeMm, 0.5);
  }
  if (const TWort* w = Finden(seiten[0], QStringLiteral("Ende"))) {
    EXPECT_NEAR(w->xMax, 290 * PtJeMm, 0.5);
    EXPECT_NEAR(w->yMin, 200 * PtJeMm, 0.5);
  }
}

}  // namespace
