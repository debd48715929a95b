#pragma once
// Printed documents of the recording window read back as text (pdftext.h),
// what the tests look for on a page, and a farm with the head lines the
// sheets print.

#include "aufzeichnungsbetrieb.h"
#include "pdfdruckausgabe.h"
#include "pdftext.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace Druckprobe {

// The pages' texts, the PDF written to the given path.
using Pdftext::Seiten;

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
