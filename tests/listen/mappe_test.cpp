// The workbook layer: cells by column letter and row, what LibreOffice reads
// back from the written .xlsx and from the .xls converted from it.
#include "listenausgabe.h"
#include "mappe.h"
#include "kleinplatte.h"
#include "tabellenleser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

TEST(Mappe, SpaltenbuchstabenZaehlenWieImTabellenprogramm) {
  const std::pair<QString, int> faelle[] = {{u"A"_s, 0},   {u"B"_s, 1},   {u"Z"_s, 25}, {u"AA"_s, 26},
                                            {u"AZ"_s, 51}, {u"BA"_s, 52}, {u"o"_s, 14}, {u""_s, -1},
                                            {u"A1"_s, -1}, {u"Ä"_s, -1}};
  for (const auto& [spalte, index] : faelle) EXPECT_EQ(TMappe::Spaltenindex(spalte), index) << spalte.toStdString();
}

TEST(Mappe, ZelleBehaeltDenLetztenWert) {
  TMappe m;
  m.Text(u"B"_s, 3, u"alt"_s);
  m.Zahl(u"B"_s, 3, 7.5);
  ASSERT_NE(m.Zelle(u"B"_s, 3), nullptr);
  EXPECT_EQ(m.Zelle(u"B"_s, 3)->art, TMappe::TArt::Zahl);
  EXPECT_EQ(m.Zelle(u"B"_s, 3)->zahl, 7.5);
  EXPECT_EQ(m.Zelle(u"B"_s, 4), nullptr);
  EXPECT_EQ(m.LetzteZeile(), 3);
  // An invalid date leaves the cell empty.
  m.Datum(u"C"_s, 9, QDate());
  EXPECT_EQ(m.Zelle(u"C"_s, 9), nullptr);
}

class MappeGelesen : public ::testing::Test {
protected:
  // Texts, numbers in several formats, a date and a formula with its value.
  static TMappe Beispiel() {
    using F = TMappe::TFormat;
    TMappe m;
    m.Text(u"A"_s, 1, u"Hof Linde – Größe"_s, F::Fett);
    m.Text(u"A"_s, 2, u"=K9-M9"_s);  // a text that looks like a formula stays text
    m.Zahl(u"B"_s, 2, 114.4, F::EineStelle);
    m.Zahl(u"C"_s, 2, 0.3, F::DreiStellen);
    m.Zahl(u"D"_s, 2, 142.4, F::Ganz);
    m.Datum(u"E"_s, 2, QDate(2021, 3, 7));
    m.Zahl(u"K"_s, 9, 143, F::Ganz);
    m.Formel(u"N"_s, 9, u"=K9-M9"_s, 143, F::Ganz);
    m.Zahl(u"AA"_s, 12, 1);
    m.Spaltenbreite(u"A"_s, 30);
    m.Zeilenhoehe(7, 40);
    return m;
  }
  static void Pruefen(const TTabelle& t) {
    ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
    EXPECT_EQ(t(u"A"_s, 1), u"Hof Linde – Größe"_s);
    EXPECT_EQ(t(u"A"_s, 2), u"=K9-M9"_s);
    // Shown in the cell's format (the decimal sign is the office's).
    EXPECT_EQ(QString(t(u"B"_s, 2)).replace(u',', u'.'), u"114.4"_s);
    EXPECT_EQ(QString(t(u"C"_s, 2)).replace(u',', u'.'), u"0.300"_s);
    EXPECT_EQ(t(u"D"_s, 2), u"142"_s);
    EXPECT_EQ(t(u"E"_s, 2), u"07.03.2021"_s);
    EXPECT_EQ(t(u"N"_s, 9), u"143"_s);
    EXPECT_EQ(t(u"AA"_s, 12), u"1"_s);
    EXPECT_EQ(t.Zeilen(), 12);
  }
  QTemporaryDir ordner;
};

TEST_F(MappeGelesen, XlsxMitFormelwertenUndFormaten) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = ordner.filePath(u"liste.xlsx"_s);
  QString fehler;
  ASSERT_TRUE(Listenausgabe::Schreiben(Beispiel(), datei, &fehler)) << fehler.toStdString();
  Pruefen(TTabelle::Lesen(datei));
}

TEST_F(MappeGelesen, XlsAusLibreOffice) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = ordner.filePath(u"liste.XLS"_s);
  QString fehler;
  ASSERT_TRUE(Listenausgabe::Schreiben(Beispiel(), datei, &fehler)) << fehler.toStdString();
  // The older format, not a renamed .xlsx (which is a zip file, "PK").
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_FALSE(f.read(2).startsWith("PK"));
  f.close();
  Pruefen(TTabelle::Lesen(datei));
}

TEST_F(MappeGelesen, XlsOhneLibreOfficeSchreibtNichts) {
  const QByteArray pfad = qgetenv("PATH");
  qputenv("PATH", ordner.path().toLocal8Bit());
  const QString datei = ordner.filePath(u"liste.xls"_s);
  QString fehler;
  const bool ok = Listenausgabe::Schreiben(Beispiel(), datei, &fehler);
  qputenv("PATH", pfad);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(fehler.contains(u"LibreOffice"_s)) << fehler.toStdString();
  EXPECT_FALSE(QFile::exists(datei));
}

// The disk of the target full: once a list of 0 bytes was reported written.
TEST_F(MappeGelesen, VollePlatteLaesstDieAlteListeUndMeldetDeutsch) {
  for (const char* name : {"liste.xlsx", "liste.xls"}) {
    if (Listenausgabe::AlsXls(QString::fromLatin1(name)) && Listenausgabe::LibreOffice().isEmpty()) continue;
    for (qint64 frei : {0, 4096}) {
      TKleinePlatte platte(256);
      KLEINE_PLATTE_ERFORDERLICH(platte);
      const QString datei = platte.Datei(QString::fromLatin1(name));
      {
        QFile alt(datei);
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write("alte Liste");
      }
      platte.Fuellen(frei);
      QString fehler;
      EXPECT_FALSE(Listenausgabe::Schreiben(Beispiel(), datei, &fehler)) << name << " " << frei;
      EXPECT_TRUE(fehler.startsWith(u"Auf dem Datenträger des Ordners"_s)) << fehler.toStdString();
      QFile f(datei);
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      EXPECT_EQ(f.readAll(), QByteArray("alte Liste")) << name << " " << frei;
      EXPECT_EQ(QDir(platte.Pfad()).entryList(QDir::Files | QDir::Hidden).size(), 2) << name << " " << frei;
    }
  }
}

TEST_F(MappeGelesen, NichtSchreibbarerOrdnerGibtDeutscheMeldung) {
  const QString datei = ordner.filePath(u"fehlt/liste.xlsx"_s);
  QString fehler;
  EXPECT_FALSE(Listenausgabe::Schreiben(Beispiel(), datei, &fehler));
  EXPECT_TRUE(fehler.contains(u"\u201Eliste.xlsx\u201C konnte nicht geschrieben werden: Den Ordner"_s))
      << fehler.toStdString();
  EXPECT_FALSE(QFile::exists(datei));
}

}  // namespace
