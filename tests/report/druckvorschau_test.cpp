// The preview: page counter, paging, zoom, printing, saving as PDF with its
// failure messages, all through the scripted message service and fake
// system services.
#include "druckvorschau.h"

#include "druckdienste.h"
#include "pdfdruckausgabe.h"
#include "skriptmeldungen.h"
#include "stoerung.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class TFalscheDienste final : public TDruckDienste {
public:
  bool drucker = false;
  bool druckGelingt = true;
  int gedruckteSeiten = -1;
  QStringList angezeigt;

  bool DruckerVorhanden() override { return drucker; }
  bool Drucken(const TDruckDokument& dokument) override {
    gedruckteSeiten = dokument.Seitenzahl();
    return druckGelingt;
  }
  bool betrachter = true;  // a PDF viewer is installed
  bool DateiAnzeigen(const QString& pfad) override {
    angezeigt << pfad;
    return betrachter;
  }
};

QPushButton* Knopf(QWidget& fenster, const QString& name) {
  for (QPushButton* k : fenster.findChildren<QPushButton*>())
    if (k->accessibleName() == name) return k;
  ADD_FAILURE() << "no button " << name.toStdString();
  return nullptr;
}

QString Zaehler(QWidget& fenster) {
  for (QLabel* l : fenster.findChildren<QLabel*>())
    if (l->text().startsWith(QLatin1String("Seite "))) return l->text();
  return {};
}

int PdfSeiten(const QString& pfad) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {pfad});
  p.waitForFinished(60000);
  const QString info = QString::fromUtf8(p.readAllStandardOutput());
  const qsizetype stelle = info.indexOf(QLatin1String("Pages:"));
  return stelle < 0 ? -1 : info.mid(stelle + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

class Druckvorschau : public ::testing::Test {
protected:
  // Three pages, the third begun after the last record.
  std::unique_ptr<TPDFDruckausgabe> Druck(bool quer = false) {
    auto d = std::make_unique<TPDFDruckausgabe>(nullptr, quer, meldungen, &dienste);
    d->DokumentBeginnen(quer);
    d->TextAn(QStringLiteral("Schlag 1"), 20, 20);
    d->NeueSeite();
    d->TextAn(QStringLiteral("Schlag 2"), 20, 20);
    d->NeueSeite();
    return d;
  }

  TSkriptMeldungen meldungen;
  TFalscheDienste dienste;
  QTemporaryDir ordner;
};

TEST_F(Druckvorschau, KnoepfeMitIhrenNamen) {
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  EXPECT_TRUE(v->isModal());
  const std::pair<const char*, const char*> knoepfe[] = {
      {"nächste Seite", "&nächste Seite"}, {"Vorige Seite", "&Vorige Seite"},
      {"Gehe zu Seite...", "&Gehe zu Seite..."}, {"Zoom...", "&Zoom..."},
      {"Lesezeichen", "&Lesezeichen"}, {"Drucken", "D&rucken"},
      {"PDF speichern", "PDF &speichern"}, {"Beenden", "&Beenden"},
  };
  for (const auto& [name, beschriftung] : knoepfe) {
    QPushButton* k = Knopf(*v, QString::fromUtf8(name));
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->text(), QString::fromUtf8(beschriftung));
  }
  EXPECT_EQ(v->findChildren<QPushButton*>().size(), 8);  // no "Copy Seite als &Text"
  EXPECT_FALSE(Knopf(*v, QStringLiteral("Lesezeichen"))->isEnabled());
  EXPECT_FALSE(Knopf(*v, QStringLiteral("Drucken"))->isEnabled());  // no printer installed
  EXPECT_EQ(Zaehler(*v), QStringLiteral("Seite 1 / 3"));
}

TEST_F(Druckvorschau, Blaettern) {
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  QPushButton* naechste = Knopf(*v, QStringLiteral("nächste Seite"));
  QPushButton* vorige = Knopf(*v, QStringLiteral("Vorige Seite"));
  QPushButton* gehe = Knopf(*v, QStringLiteral("Gehe zu Seite..."));
  EXPECT_FALSE(vorige->isEnabled());
  naechste->click();
  EXPECT_EQ(Zaehler(*v), QStringLiteral("Seite 2 / 3"));
  naechste->click();
  EXPECT_EQ(Zaehler(*v), QStringLiteral("Seite 3 / 3"));  // the page with only the marker
  EXPECT_FALSE(naechste->isEnabled());
  vorige->click();
  EXPECT_EQ(v->AktuelleSeite(), 2);

  const struct {
    int eingabe;
    int seite;
    bool piep;
  } faelle[] = {{1, 1, false}, {3, 3, false}, {0, 3, false} /* closed without OK */, {4, 3, true}, {-2, 3, true}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.eingabe);
    meldungen.Leeren();
    meldungen.piepser = 0;
    meldungen.zahlen = {f.eingabe};
    gehe->click();
    ASSERT_EQ(meldungen.protokoll.size(), f.piep ? 2 : 1);
    EXPECT_TRUE(meldungen.protokoll[0].startsWith(QLatin1String("Ganzzahleingabe: ")));
    EXPECT_EQ(v->AktuelleSeite(), f.seite);
    EXPECT_EQ(meldungen.piepser, f.piep ? 1 : 0);
    EXPECT_EQ(Zaehler(*v), QStringLiteral("Seite %1 / 3").arg(f.seite));
  }
}

TEST_F(Druckvorschau, Zoom) {
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  v->show();
  QMenu* menue = Knopf(*v, QStringLiteral("Zoom..."))->menu();
  ASSERT_NE(menue, nullptr);
  QStringList auswahl;
  for (QAction* a : menue->actions()) auswahl << a->text();
  EXPECT_EQ(auswahl, (QStringList{"Seite einpassen", "Seitenbreite", "25 %", "50 %", "75 %", "100 %", "125 %",
                                  "150 %", "200 %"}));

  QScrollArea* flaeche = v->findChild<QScrollArea*>();
  auto blatt = [&] { return flaeche->widget()->size(); };
  // Opens with the whole page fitted into the window: no scroll bars, one side tight.
  EXPECT_EQ(v->Zoom(), TDruckvorschau::TZoom::SeiteEinpassen);
  const QSize sicht = flaeche->viewport()->size();
  EXPECT_LE(blatt().width(), sicht.width());
  EXPECT_LE(blatt().height(), sicht.height());
  EXPECT_TRUE(blatt().width() >= sicht.width() - 2 || blatt().height() >= sicht.height() - 2);
  EXPECT_NEAR(double(blatt().height() - 24) / (blatt().width() - 24), 297.0 / 210, 0.01);

  menue->actions()[7]->trigger();  // 150 %
  EXPECT_EQ(v->Zoom(), TDruckvorschau::TZoom::Prozent);
  EXPECT_EQ(v->ZoomProzent(), 150);
  EXPECT_DOUBLE_EQ(v->Massstab(), 1.5 * v->logicalDpiX() / 25.4);
  EXPECT_NEAR(blatt().width() - 24, 210 * 1.5 * v->logicalDpiX() / 25.4, 1);

  // Seitenbreite: the sheet as wide as the window (less a vertical scroll bar
  // when the sheet is taller than the window).
  v->resize(v->width() + 300, v->height() / 2);
  menue->actions()[1]->trigger();
  EXPECT_EQ(v->Zoom(), TDruckvorschau::TZoom::Seitenbreite);
  EXPECT_GT(blatt().height(), flaeche->viewport()->height());
  EXPECT_LE(blatt().width(), flaeche->viewport()->width());
  EXPECT_GE(blatt().width(), flaeche->viewport()->width() - 2);
  v->hide();
}

TEST_F(Druckvorschau, ZeigtDieSeite) {
  // A black left half: the preview shows it dark on the left, white on the right.
  TPDFDruckausgabe d(nullptr, false, meldungen, &dienste);
  d.DokumentBeginnen(false);
  d.PinselSetzen(0, 0);
  d.Flaeche(0, 0, 105, 297);
  auto v = d.VorschauErzeugen();
  v->show();
  QWidget* seite = v->findChild<QScrollArea*>()->widget();
  EXPECT_EQ(seite->accessibleName(), QStringLiteral("Seite 1"));
  const QImage bild = seite->grab().toImage();
  const int mitteY = bild.height() / 2;
  EXPECT_LT(qGray(bild.pixel(bild.width() / 4, mitteY)), 60);
  EXPECT_GT(qGray(bild.pixel(bild.width() * 3 / 4, mitteY)), 200);
  v->hide();
}

TEST_F(Druckvorschau, FenstergroesseNachDemBildschirm) {
  const QRect schirm = QGuiApplication::primaryScreen()->geometry();
  const QRect frei = QGuiApplication::primaryScreen()->availableGeometry();
  for (bool quer : {false, true}) {
    SCOPED_TRACE(quer ? "quer" : "hoch");
    auto d = Druck(quer);
    auto v = d->VorschauErzeugen();
    const int hoehe = schirm.height() - 64;
    const int breite = int(std::lround(hoehe * (quer ? 297.0 / 210 : 210.0 / 297))) + 192;
    if (breite > frei.width()) {
      EXPECT_TRUE(v->windowState() & Qt::WindowMaximized);
    } else {
      EXPECT_EQ(v->size(), QSize(breite, hoehe));
      EXPECT_FALSE(v->windowState() & Qt::WindowMaximized);
    }
  }
}

TEST_F(Druckvorschau, Drucken) {
  dienste.drucker = true;
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  QPushButton* drucken = Knopf(*v, QStringLiteral("Drucken"));
  ASSERT_TRUE(drucken->isEnabled());

  dienste.druckGelingt = false;  // stays open and says so
  QSignalSpy geschlossen(v.get(), &QDialog::finished);
  drucken->click();
  EXPECT_EQ(geschlossen.count(), 0);
  EXPECT_EQ(meldungen.Infos().size(), 1);

  dienste.druckGelingt = true;
  drucken->click();
  EXPECT_EQ(dienste.gedruckteSeiten, 3);  // all pages
  EXPECT_EQ(geschlossen.count(), 1);
}

TEST_F(Druckvorschau, PdfSpeichernOeffnetDieDatei) {
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  // No extension: ".pdf" is added.
  meldungen.dateien = {ordner.filePath(QStringLiteral("Bedarf"))};
  QSignalSpy geschlossen(v.get(), &QDialog::finished);
  Knopf(*v, QStringLiteral("PDF speichern"))->click();
  const QString pfad = ordner.filePath(QStringLiteral("Bedarf.pdf"));
  EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("DateiSpeichern: PDF speichern")});
  EXPECT_EQ(meldungen.letzterFilter, QStringLiteral("PDF-Datei (*.pdf)"));
  EXPECT_EQ(dienste.angezeigt, QStringList{pfad});
  EXPECT_EQ(PdfSeiten(pfad), 3);
  EXPECT_EQ(geschlossen.count(), 0);  // the preview stays open
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{QStringLiteral("Bedarf.pdf")});
}

TEST_F(Druckvorschau, OhneBetrachterSagtPdfSpeichernWoDieDateiLiegt) {
  dienste.betrachter = false;
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  meldungen.dateien = {ordner.filePath(QStringLiteral("Liste.pdf"))};
  EXPECT_TRUE(v->PdfSpeichern());
  EXPECT_EQ(meldungen.Infos(),
            QStringList{QStringLiteral("Die PDF-Datei wurde gespeichert:\n") +
                        QDir::toNativeSeparators(ordner.filePath(QStringLiteral("Liste.pdf")))});
  EXPECT_EQ(PdfSeiten(ordner.filePath(QStringLiteral("Liste.pdf"))), 3);
}

TEST_F(Druckvorschau, PdfDateiNichtSchreibbar) {
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  ASSERT_TRUE(QDir(ordner.path()).mkdir(QStringLiteral("Ordner.pdf")));
  QFile datei(ordner.filePath(QStringLiteral("liste.txt")));
  ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
  datei.close();
  const QString fehlt = ordner.filePath(QStringLiteral("fehlt/a.pdf"));          // missing folder
  const QString ordnerName = ordner.filePath(QStringLiteral("Ordner.pdf"));      // a folder
  const QString unterDatei = ordner.filePath(QStringLiteral("liste.txt/b.pdf"));  // below a file
  const QString gut = ordner.filePath(QStringLiteral("gut.pdf"));

  // Each failure asks again; the fourth answer works.
  meldungen.dateien = {fehlt, ordnerName, unterDatei, gut};
  EXPECT_TRUE(v->PdfSpeichern());
  EXPECT_EQ(meldungen.Infos(), (QStringList{"In " + fehlt + " kann nicht geschrieben werden",
                                            "In " + ordnerName + " kann nicht geschrieben werden",
                                            "In " + unterDatei + " kann nicht geschrieben werden"}));
  EXPECT_EQ(meldungen.protokoll.count(QStringLiteral("DateiSpeichern: PDF speichern")), 4);
  EXPECT_EQ(dienste.angezeigt, QStringList{gut});

  // Cancelling after a failure saves nothing and opens nothing.
  meldungen.Leeren();
  dienste.angezeigt.clear();
  meldungen.dateien = {fehlt, QString()};
  EXPECT_FALSE(v->PdfSpeichern());
  EXPECT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(dienste.angezeigt.isEmpty());
  EXPECT_FALSE(QFile::exists(fehlt));
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), (QStringList{"gut.pdf", "liste.txt"}));
}

TEST_F(Druckvorschau, VollePlatteSagtDenGrundDeutschUndLaesstDieAltePdf) {
  auto d = Druck();
  auto v = d->VorschauErzeugen();
  const QString pfad = ordner.filePath(QStringLiteral("druck.pdf"));
  {
    QFile alt(pfad);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alte PDF");
  }
  Stoerung::TAktiv voll([](Stoerung::TArt art, const QString&) { return art == Stoerung::TArt::Schreiben ? ENOSPC : 0; });
  meldungen.dateien = {pfad};
  EXPECT_FALSE(v->PdfSpeichern());
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(QStringLiteral("Fehler beim Schreiben von ") + pfad +
                                              QStringLiteral(":\nAuf dem Datenträger des Ordners")))
      << meldungen.Infos()[0].toStdString();
  EXPECT_TRUE(dienste.angezeigt.isEmpty());
  QFile f(pfad);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("alte PDF"));
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("druck.pdf")});
}

TEST_F(Druckvorschau, DokumentAbschliessenZeigtDieVorschauModal) {
  auto d = Druck();
  bool gezeigt = false;
  QString zaehler;
  QTimer::singleShot(0, [&] {
    auto* v = qobject_cast<TDruckvorschau*>(QApplication::activeModalWidget());
    ASSERT_NE(v, nullptr);
    gezeigt = v->isVisible();
    zaehler = Zaehler(*v);
    Knopf(*v, QStringLiteral("Beenden"))->click();
  });
  d->DokumentAbschliessen();  // returns when the user closes the window
  EXPECT_TRUE(gezeigt);
  EXPECT_EQ(zaehler, QStringLiteral("Seite 1 / 3"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

}  // namespace
