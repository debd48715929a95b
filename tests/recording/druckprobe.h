#pragma once
// Printed documents of the recording window read back as text: the pages of
// the writer as a PDF, through pdftotext with its layout kept, one string per
// page. And a farm with the head lines the sheets print.

#include "aufzeichnungsbetrieb.h"
#include "pdfdruckausgabe.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Druckprobe {

// The pages' texts; empty when the PDF could not be made or read.
inline QStringList Seiten(const TPDFDruckausgabe& d, const QString& pfad) {
  QFile datei(pfad);
  const QByteArray pdf = d.Dokument().AlsPdf();
  if (pdf.isEmpty() || !datei.open(QIODevice::WriteOnly)) {
    ADD_FAILURE() << "PDF nicht geschrieben: " << pfad.toStdString();
    return {};
  }
  datei.write(pdf);
  datei.close();
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pfad, QStringLiteral("-")});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext: " << p.readAllStandardError().toStdString();
    return {};
  }
  QStringList seiten = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
  // pdftotext ends every page with a form feed.
  if (!seiten.isEmpty() && seiten.last().trimmed().isEmpty()) seiten.removeLast();
  return seiten;
}

// How often the text stands on the page.
inline int Anzahl(const QString& seite, const QString& text) { return int(seite.count(text)); }

// The numbers behind a caption on its line ("Summe:   380   190   0   0";
// "0 / 0" may come back as "0/0").
inline QStringList Zahlen(const QString& seite, const QString& titel) {
  for (const QString& zeile : seite.split(QLatin1Char('\n'))) {
    const qsizetype i = zeile.indexOf(titel);
    if (i < 0) continue;
    QStringList z;
    static const QRegularExpression zahl(QStringLiteral(R"(-?\d+(,\d+)?(?=[\s/]|$))"));
    for (auto it = zahl.globalMatch(zeile.mid(i + titel.size())); it.hasNext();) z << it.next().captured(0);
    return z;
  }
  return {};
}

}  // namespace Druckprobe

// Farm 2 with its address and EU number; records put in directly.
class DruckBetrieb : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    Sql(K("update Betriebe set Betriebsname = ' Hof Linde ', SitzStrasse = 'Lindenweg 3 ', SitzPLZ = '06108', "
          "SitzOrt = 'Halle', SitzOrtsTeil = 'Giebichenstein', EU_NUMMER = '276150000001' where ID = 2"));
    Flaechen(10, 10);
  }
  qint64 Dung(const QVariantMap& werte) {
    QVariantMap w = {{K("BetriebsNr"), Betrieb}, {K("Jahr"), Jahr}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    return Einfuegen(K("Dung"), w);
  }
  // A mineral record of menge dt/ha with nt kg N and nh4n kg available N per dt.
  qint64 Mineral(int parzelle, qint64 kultur, const QString& datum, double menge, double nt, double nh4n = 0,
                 double p = 0) {
    return Dung({{K("Parzelle"), parzelle}, {K("ProbenID"), kultur}, {K("Kategorie"), 1}, {K("GruppeNr"), 1},
                 {K("Datum"), datum}, {K("Dng"), K("KAS 27")}, {K("Menge"), menge}, {K("NT"), nt},
                 {K("NH4N"), nh4n}, {K("P"), p}});
  }
  QStringList Seiten(const TPDFDruckausgabe& d) {
    return Druckprobe::Seiten(d, ordner.filePath(K("probe%1.pdf").arg(++m_pdf)));
  }

private:
  int m_pdf = 0;
};
