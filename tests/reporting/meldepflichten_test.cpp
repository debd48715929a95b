// The reporting run: its checks in their order, the folder and file names,
// the five files, and all or nothing when something cannot be written.
#include "meldepflichten.h"

#include "export.h"
#include "meldeablage.h"
#include "kleinplatte.h"
#include "meldebetrieb.h"
#include "stoerung.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <map>
#include <cstdint>

namespace {

const QDate Heute(2022, 2, 14);

// The check number worked out on its own from the bytes: blanks and control
// bytes trimmed at both ends, h = (b + h · 128) mod 33554393 with the product
// wrapping in 32 bits, a final 0 taken as 1.
QByteArray Pruefzahl(const QByteArray& inhalt) {
  QByteArray t = inhalt;
  while (!t.isEmpty() && quint8(t.front()) <= 32) t.remove(0, 1);
  while (!t.isEmpty() && quint8(t.back()) <= 32) t.chop(1);
  std::int64_t h = 0;
  for (char c : t) {
    const std::int64_t summe = std::int64_t(quint8(c)) + h * 128;
    const std::int32_t gewickelt = std::int32_t(std::uint32_t(std::uint64_t(summe) & 0xFFFFFFFFu));
    h = gewickelt % 33554393;
  }
  if (t.isEmpty()) h = 0;
  else if (h == 0) h = 1;
  return QByteArray::number(qlonglong(h)).rightJustified(10, ' ');
}

class Meldepflichten_ : public MeldeBetrieb {
protected:
  void SetUp() override {
    MeldeBetrieb::SetUp();
    // A working folder with a blank and an umlaut in its name.
    ASSERT_TRUE(QDir(ordner.path()).mkpath(K("Düngung 2021/Arbeit")));
    programm = ordner.filePath(K("Düngung 2021/Arbeit"));
    ziel = programm + K("/Meldepflichten_2021/B_027615000123");
  }
  bool Ausfuehren() { return Meldepflichten::Ausfuehren(db, meldungen, Betrieb, Jahr, programm, Heute); }
  QString Datei(const char* praefix) const { return ziel + QLatin1Char('/') + K(praefix) + K("087_027615000123_2021.TXT"); }
  // Everything in the working folder, hidden entries included.
  QStringList Inhalt() const {
    return QDir(programm).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  }
  QStringList Dateien() const { return QDir(ziel).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
  void Schreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
  }
  QString programm, ziel;
};

const QStringList AlleDateien = {
    QStringLiteral("Anl5NG_087_027615000123_2021.TXT"), QStringLiteral("Anl5_087_027615000123_2021.TXT"),
    QStringLiteral("DBE_087_027615000123_2021.TXT"), QStringLiteral("Duengungen_087_027615000123_2021.TXT"),
    QStringLiteral("Ertraege_087_027615000123_2021.TXT")};

// --- checks ------------------------------------------------------------------------

struct PruefFall {
  const char* name;
  double groesse, flaeche170;
  std::vector<QVariant> feldbloecke;
  bool flaechenFehler, feldblockFehler;
};

class Pruefungen : public Meldepflichten_, public ::testing::WithParamInterface<PruefFall> {};

TEST_P(Pruefungen, ErsteFehlendeAngabeBeendetVorJedemOrdner) {
  const PruefFall& f = GetParam();
  Sql(K("update DuengeJahr set Betriebsgroesse = :g, Flaeche170kg = :f where BetriebsNr = 2"),
      {{K("g"), f.groesse}, {K("f"), f.flaeche170}});
  int parzelle = 1;
  for (const QVariant& block : f.feldbloecke) Feld(parzelle++, {{K("Feldblock"), block}});
  const QString erwartet = f.flaechenFehler    ? Meldepflichten::FlaechenUnvollstaendig
                           : f.feldblockFehler ? Meldepflichten::FeldblockUnvollstaendig
                                               : QString();
  EXPECT_EQ(Meldepflichten::Pruefen(db, Betrieb, Jahr).toStdString(), erwartet.toStdString());
  if (erwartet.isEmpty()) return;
  EXPECT_FALSE(Ausfuehren());
  EXPECT_EQ(meldungen.protokoll, QStringList{K("Info: ") + erwartet});
  EXPECT_TRUE(Inhalt().isEmpty()) << Inhalt().join(u' ').toStdString();
  EXPECT_TRUE(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2")).isNull());
}

const QString Block = QStringLiteral("DESTLI0123456789");

INSTANTIATE_TEST_SUITE_P(
    Meldepflichten, Pruefungen,
    ::testing::Values(
        // 0.4 rounds to 0, 0.6 to 1; a 170-kg area of 0.5 rounds to 0 (half to even), 1.5 to 2.
        PruefFall{"Betriebsgroesse04", 0.4, 10, {Block}, true, false},
        PruefFall{"Betriebsgroesse06", 0.6, 10, {Block}, false, false},
        PruefFall{"Flaeche170kg05", 10, 0.5, {Block}, true, false},
        PruefFall{"Flaeche170kg15", 10, 1.5, {Block}, false, false},
        PruefFall{"Betriebsgroesse25RundetAuf2", 2.5, 1, {Block}, false, false},
        PruefFall{"Bewirtschaftungseinheit", 10, 10, {QStringLiteral("Bewirtschaftungseinheit")}, false, false},
        PruefFall{"FeldblockLeer", 10, 10, {Block, QString()}, false, true},
        PruefFall{"FeldblockNull", 10, 10, {QVariant()}, false, true},
        PruefFall{"Feldblock15Zeichen", 10, 10, {QStringLiteral("DESTLI012345678")}, false, true},
        PruefFall{"Feldblock17Zeichen", 10, 10, {QStringLiteral("DESTLI01234567890")}, false, true},
        // The areas are checked first.
        PruefFall{"FlaechenVorFeldblock", 0.4, 10, {QString()}, true, true},
        PruefFall{"OhneSchlaege", 10, 10, {}, false, false}),
    [](const ::testing::TestParamInfo<PruefFall>& i) { return std::string(i.param.name); });

// Two farms without a number would write files of the same names.
TEST_F(Meldepflichten_, OhneEuNummerWirdNichtsGeschrieben) {
  for (const QVariant& eu : {QVariant(), QVariant(K("  "))}) {
    Sql(K("update Betriebe set EU_NUMMER = :e where ID = 2"), {{K("e"), eu}});
    meldungen.Leeren();
    EXPECT_FALSE(Ausfuehren());
    EXPECT_EQ(meldungen.Infos(), QStringList{K("Für den Betrieb ist keine EU-Betriebsnummer eingetragen. Bitte tragen "
                                               "Sie sie in den Betriebsdaten ein.\r\nAnsonsten kann keine "
                                               "Exportdatei erstellt werden.")});
    EXPECT_TRUE(Inhalt().isEmpty());
  }
}

// The EU and district numbers become folder and file names.
TEST_F(Meldepflichten_, NummerMitPfadzeichenSchreibtNirgendwohin) {
  const struct {
    const char* spalte;
    const char* wert;
    const char* meldung;
  } faelle[] = {{"EU_NUMMER", "../../etc", "Die EU-Nummer"}, {"EU_NUMMER", "2761/50001", "Die EU-Nummer"},
                {"EU_NUMMER", "27615\\0001", "Die EU-Nummer"},   {"KreisNr", "../x", "Die Kreisnummer"},
                {"KreisNr", "0/7", "Die Kreisnummer"},             {"KreisNr", "8\\7", "Die Kreisnummer"}};
  for (const auto& f : faelle) {
    Sql(K("update Betriebe set EU_NUMMER = '27615000123', KreisNr = 87 where ID = 2"));
    Sql(K("update Betriebe set %1 = :w where ID = 2").arg(K(f.spalte)), {{K("w"), K(f.wert)}});
    meldungen.Leeren();
    EXPECT_FALSE(Ausfuehren()) << f.wert;
    ASSERT_EQ(meldungen.Infos().size(), 1) << f.wert;
    EXPECT_TRUE(meldungen.Infos()[0].startsWith(K(f.meldung) + K(" des Betriebs „") + K(f.wert) + K("“")))
        << meldungen.Infos()[0].toStdString();
    EXPECT_TRUE(Inhalt().isEmpty()) << f.wert;
    EXPECT_TRUE(QDir(ordner.path()).entryList({K("Meldepflichten_*")}, QDir::Dirs).isEmpty()) << f.wert;
  }
}

TEST_F(Meldepflichten_, NurDieSchlaegeDesJahresUndBetriebsZaehlen) {
  Sql(K("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 )"));
  Sql(K("insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock ) values ( 2, 2020, 1, '' )"));
  EXPECT_EQ(Meldepflichten::Pruefen(db, Betrieb, Jahr), QString());
}

TEST(MeldepflichtenNamen, OrdnerMitNullenAufZwoelfStellen) {
  EXPECT_EQ(Meldepflichten::Betriebsordner(QStringLiteral("27615000123")), QStringLiteral("B_027615000123"));
  EXPECT_EQ(Meldepflichten::Betriebsordner(QStringLiteral(" 276150001234 ")), QStringLiteral("B_276150001234"));
  EXPECT_EQ(Meldepflichten::Betriebsordner(QString()), QStringLiteral("B_000000000000"));
  EXPECT_EQ(Meldepflichten::Jahresordner(QStringLiteral("/home/a b/Quendrix"), 2021),
            QStringLiteral("/home/a b/Quendrix/Meldepflichten_2021"));
}

// --- the run -------------------------------------------------------------------------

TEST_F(Meldepflichten_, SchreibtAlleFuenfDateienInDenBetriebsordner) {
  FelderAnlegen();
  // One record of the year and one without a date, which the records file cannot hold.
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, Dng, Datum, Menge, NT ) "
        "select 2, 2021, 7, ID, 1, 'KAS 27', :d, 3, 27 from Anbau where Parzelle = 7 and FruchtNr = 1"),
      {{K("d"), K("2021-03-15")}});
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, Dng, Menge, NT ) "
        "select 2, 2021, 7, ID, 2, 'Gülle', 20, 4 from Anbau where Parzelle = 7 and FruchtNr = 1"));
  ASSERT_TRUE(Ausfuehren()) << meldungen.protokoll.join(u'\n').toStdString();
  EXPECT_EQ(Inhalt(), QStringList{K("Meldepflichten_2021")});
  EXPECT_EQ(QDir(programm + K("/Meldepflichten_2021")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{K("B_027615000123")});
  EXPECT_EQ(Dateien(), AlleDateien);

  // The closing box, titled, with the folder and the crop whose demand is missing.
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_EQ(meldungen.titel, QStringList{K("Ablageort")});
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(K("Fertig, Sie finden die erzeugten Dateien im Ordner \"") + programm +
                              K("/Meldepflichten_2021\"\r\n")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(K("Schlag 8 „Wiese“ (Parzelle 8): Dauergrünland"))) << text.toStdString();
  EXPECT_FALSE(text.contains(K("Winterweizen")));
  // The record without a date is named with the file in its final place.
  EXPECT_TRUE(text.contains(K("1 Aufzeichnung des Düngejahres 2021 hat kein Datum"))) << text.toStdString();
  EXPECT_TRUE(text.contains(Datei("Duengungen_"))) << text.toStdString();
  EXPECT_FALSE(text.contains(K(".Meldepflichten_")));

  // The creation date is stored and reported.
  EXPECT_EQ(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2")).toString().left(10),
            K("2022-02-14"));

  struct TErwartung {
    const char* praefix;
    QStringList kopf;
    size_t saetze;
  };
  const TErwartung dateien[] = {
      {"Anl5_", Export::KopfGesamtbetrieb(), 1},
      {"Anl5NG_", Export::KopfNitratgebiet(), 1},
      {"Duengungen_", Export::KopfDuengungen(), 1},
      {"DBE_", {}, 4},
  };
  for (const TErwartung& e : dateien) {
    const QByteArray datei = Lesen(Datei(e.praefix));
    ASSERT_GT(datei.size(), 10) << e.praefix;
    EXPECT_EQ(datei.right(10), Pruefzahl(datei.left(datei.size() - 10))) << e.praefix;
    const std::vector<QStringList> z = Zeilen(datei);
    ASSERT_FALSE(z.empty()) << e.praefix;
    if (!e.kopf.isEmpty()) {
      EXPECT_EQ(z[0], e.kopf) << e.praefix;
    }
    EXPECT_EQ(z.size() - 1, e.saetze) << e.praefix;
  }
  const std::vector<QStringList> anl5 = Zeilen(Lesen(Datei("Anl5_")));
  EXPECT_EQ(anl5[1][9], K("14.02.2022"));  // ErstellungsdatumAufzeichnungBedarf
  EXPECT_EQ(anl5[1][13], K("16,3"));       // Betriebsgroesse 16.25
  const QByteArray ertraege = Lesen(Datei("Ertraege_"));
  EXPECT_EQ(ertraege.right(10), Pruefzahl(ertraege.left(ertraege.size() - 10)));
  EXPECT_TRUE(ertraege.startsWith("Betriebsname\tEU_NUMMER\tSitzStrasse\tSitzPLZ\tSitzOrt\tSitzOrtsTeil\tKreisNr\t"
                                  "Kreis\tBKR\tDuengejahr\tHF\tHF_NR\tErtrag\tErtragNG\tAndererErtrag\r\n"));
}

TEST_F(Meldepflichten_, ZweiterLaufErsetztDieDateien) {
  FelderAnlegen();
  ASSERT_TRUE(Ausfuehren());
  Sql(K("update Anbau set Duengebedarf = 77 where Parzelle = 8"));
  meldungen.Leeren();
  ASSERT_TRUE(Ausfuehren());
  EXPECT_EQ(Dateien(), AlleDateien);
  EXPECT_EQ(Zeilen(Lesen(Datei("DBE_")))[3][57], K("77,0"));
  // Nothing is missing any more: only the folder is named.
  EXPECT_EQ(meldungen.Infos(),
            QStringList{K("Fertig, Sie finden die erzeugten Dateien im Ordner \"") + programm + K("/Meldepflichten_2021\"")});
}

// The outlines of the fields are the program's own: the state's files stay
// the same byte for byte.
TEST_F(Meldepflichten_, UmrisseAendernDieDateienNicht) {
  FelderAnlegen();
  auto alle = [&] {
    std::map<QString, QByteArray> m;
    for (const QString& d : Dateien()) m[d] = Lesen(ziel + QLatin1Char('/') + d);
    return m;
  };
  ASSERT_TRUE(Ausfuehren());
  const auto ohne = alle();
  for (int p : {7, 8})
    Einfuegen(K("SchlagUmriss"), {{K("BetriebsNr"), Betrieb}, {K("Jahr"), Jahr}, {K("Parzelle"), p},
                                  {K("Ringe"), QByteArray(100, char(p))}, {K("Koordinatensystem"), K("UTM")}});
  ASSERT_TRUE(Ausfuehren());
  EXPECT_EQ(ohne.size(), AlleDateien.size());
  EXPECT_TRUE(alle() == ohne);
}

// --- all or nothing -----------------------------------------------------------------

TEST_F(Meldepflichten_, DateiNichtAblegbarStelltDenAltenStandWiederHer) {
  FelderAnlegen();
  ASSERT_TRUE(QDir().mkpath(ziel));
  Schreiben(Datei("Anl5_"), "alt Anl5");
  Schreiben(Datei("DBE_"), "alt DBE");
  Schreiben(ziel + K("/Notiz.txt"), "vom Benutzer");
  // The demand file, the last to be put in place, cannot take its name (full disk).
  Stoerung::TAktiv stoerung([](Stoerung::TArt art, const QString& datei) {
    return art == Stoerung::TArt::Umbenennen && QFileInfo(datei).fileName().startsWith(QLatin1String("DBE_")) &&
                   !datei.contains(QLatin1String(".Meldepflichten-"))
               ? ENOSPC
               : 0;
  });
  EXPECT_FALSE(Ausfuehren());
  ASSERT_EQ(meldungen.Infos().size(), 1);
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.contains(Datei("DBE_"))) << text.toStdString();
  EXPECT_TRUE(text.contains(K("Es wurden keine Meldedateien abgelegt"))) << text.toStdString();
  EXPECT_TRUE(meldungen.titel.isEmpty());
  // The folder as it was: the two old files, the user's note, nothing new, no temporary folder.
  EXPECT_EQ(Dateien(), (QStringList{K("Anl5_087_027615000123_2021.TXT"), K("DBE_087_027615000123_2021.TXT"),
                                    K("Notiz.txt")}));
  EXPECT_EQ(Lesen(Datei("Anl5_")), QByteArray("alt Anl5"));
  EXPECT_EQ(Lesen(Datei("DBE_")), QByteArray("alt DBE"));
  EXPECT_EQ(Inhalt(), QStringList{K("Meldepflichten_2021")});
  EXPECT_TRUE(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2")).isNull());
}

TEST_F(Meldepflichten_, AlteDateiDieNichtZurueckkannBleibtAlsKopieErhalten) {
  FelderAnlegen();
  ASSERT_TRUE(QDir().mkpath(ziel));
  Schreiben(Datei("Anl5_"), "alt Anl5");
  // The demand file cannot take its place, and the old statement cannot come back either.
  int anl5 = 0;
  Stoerung::TAktiv stoerung([&anl5](Stoerung::TArt art, const QString& datei) {
    if (art != Stoerung::TArt::Umbenennen || datei.contains(QLatin1String(".Meldepflichten-"))) return 0;
    const QString name = QFileInfo(datei).fileName();
    if (name.startsWith(QLatin1String("DBE_"))) return EIO;
    if (name.startsWith(QLatin1String("Anl5_")) && ++anl5 == 2) return EIO;
    return 0;
  });
  EXPECT_FALSE(Ausfuehren());
  ASSERT_EQ(meldungen.Infos().size(), 1);
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.contains(K("Kopien (Endung .alt)"))) << text.toStdString();
  EXPECT_FALSE(text.contains(K("ist unverändert"))) << text.toStdString();
  // The hidden folder stays, with the old file under its second name.
  QStringList rest = QDir(ziel).entryList({K(".Meldepflichten-*")}, QDir::Dirs | QDir::Hidden);
  ASSERT_EQ(rest.size(), 1);
  EXPECT_TRUE(text.contains(ziel + K("/") + rest[0])) << text.toStdString();
  EXPECT_EQ(Lesen(ziel + K("/") + rest[0] + K("/Anl5_087_027615000123_2021.TXT.alt")), QByteArray("alt Anl5"));
  // The next start (the disk works again) takes the set back: the old file, the old date, nothing hidden.
  Stoerung::Setzen({});
  const QString notiz = Meldeablage::Aufraeumen(db, programm);
  EXPECT_TRUE(notiz.contains(K("wurde zurückgenommen"))) << notiz.toStdString();
  EXPECT_EQ(Dateien(), QStringList{K("Anl5_087_027615000123_2021.TXT")});
  EXPECT_EQ(Lesen(Datei("Anl5_")), QByteArray("alt Anl5"));
  EXPECT_TRUE(QDir(ziel).entryList({K(".*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
  EXPECT_TRUE(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2")).isNull());
}

TEST_F(Meldepflichten_, ErsteAblageGescheitertLaesstKeinenOrdnerZurueck) {
  FelderAnlegen();
  Stoerung::TAktiv stoerung([](Stoerung::TArt art, const QString& datei) {
    return art == Stoerung::TArt::Umbenennen && !datei.contains(QLatin1String(".Meldepflichten-")) ? EACCES : 0;
  });
  EXPECT_FALSE(Ausfuehren());
  ASSERT_EQ(meldungen.Infos().size(), 1) << meldungen.protokoll.join(u'\n').toStdString();
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(K("Die Datei ") + Datei("Anl5_") + K(" konnte nicht abgelegt werden. ")))
      << meldungen.Infos()[0].toStdString();
  EXPECT_TRUE(Inhalt().isEmpty()) << Inhalt().join(u' ').toStdString();
}

TEST_F(Meldepflichten_, UnlesbareDatenNennenDieDateiUndLegenNichtsAb) {
  FelderAnlegen();
  // The crop list cannot be read any more, as after a damaged upgrade: the
  // yield file fails after three files are written.
  Sql(K("alter table S_KulturenNP rename to KulturenWeg"));
  EXPECT_FALSE(Ausfuehren());
  ASSERT_EQ(meldungen.Infos().size(), 1) << meldungen.protokoll.join(u'\n').toStdString();
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(K("Die Datei ") + Datei("Ertraege_") + K(" wurde nicht geschrieben"))) << text.toStdString();
  EXPECT_FALSE(text.contains(K(".Meldepflichten-"))) << text.toStdString();
  EXPECT_TRUE(Inhalt().isEmpty()) << Inhalt().join(u' ').toStdString();
  EXPECT_TRUE(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2")).isNull());
}

TEST_F(Meldepflichten_, DateiStattOrdnerImWeg) {
  FelderAnlegen();
  Schreiben(programm + K("/Meldepflichten_2021"), "keine Ablage");
  EXPECT_FALSE(Ausfuehren());
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(K("Der Ordner ") + programm +
                                              K("/Meldepflichten_2021 konnte nicht angelegt werden")))
      << meldungen.Infos()[0].toStdString();
  EXPECT_EQ(Lesen(programm + K("/Meldepflichten_2021")), QByteArray("keine Ablage"));
  EXPECT_EQ(Inhalt(), QStringList{K("Meldepflichten_2021")});
}

TEST_F(Meldepflichten_, OrdnerMitDemNamenEinerDateiBleibtUnberuehrt) {
  FelderAnlegen();
  ASSERT_TRUE(QDir().mkpath(Datei("Ertraege_")));
  Schreiben(Datei("Anl5_"), "alt Anl5");
  EXPECT_FALSE(Ausfuehren());
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(Datei("Ertraege_"))) << meldungen.Infos()[0].toStdString();
  EXPECT_TRUE(QFileInfo(Datei("Ertraege_")).isDir());
  EXPECT_EQ(Lesen(Datei("Anl5_")), QByteArray("alt Anl5"));
  EXPECT_EQ(Dateien(), QStringList{K("Anl5_087_027615000123_2021.TXT")});
}

// --- the disk ------------------------------------------------------------------------

std::map<QString, QByteArray> Stand(const QString& ordner) {
  std::map<QString, QByteArray> stand;
  for (const QString& name : QDir(ordner).entryList(QDir::Files | QDir::Hidden)) {
    QFile f(QDir(ordner).filePath(name));
    stand[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  return stand;
}

TEST_F(Meldepflichten_, VollePlatteLaesstDenAltenStandUndSeinDatum) {
  TKleinePlatte platte(1024);
  KLEINE_PLATTE_ERFORDERLICH(platte);
  programm = platte.Pfad();
  ziel = programm + K("/Meldepflichten_2021/B_027615000123");
  FelderAnlegen();
  ASSERT_TRUE(Ausfuehren()) << meldungen.protokoll.join(u'\n').toStdString();
  const auto alt = Stand(ziel);
  ASSERT_EQ(alt.size(), 5u);
  for (qint64 frei : {0, 4096, 16384}) {
    platte.Fuellen(frei);
    meldungen.Leeren();
    EXPECT_FALSE(Meldepflichten::Ausfuehren(db, meldungen, Betrieb, Jahr, programm, QDate(2022, 3, 1))) << frei;
    ASSERT_EQ(meldungen.Infos().size(), 1) << frei;
    EXPECT_TRUE(meldungen.Infos()[0].contains(K("ist kein Platz mehr frei"))) << meldungen.Infos()[0].toStdString();
    EXPECT_FALSE(meldungen.Infos()[0].contains(K("Fertig"))) << frei;
    EXPECT_TRUE(Stand(ziel) == alt) << frei;
    EXPECT_TRUE(QDir(ziel).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty()) << frei;
    EXPECT_EQ(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2")).toString(),
              K("2022-02-14"))
        << frei;
    QFile::remove(platte.Datei(K("Fuellung")));
  }
}

// A report folder on another disk (a share mounted there): every file still moves in one step.
TEST_F(Meldepflichten_, MeldeordnerAufEinemAnderenDatentraeger) {
  TKleinePlatte platte(1024);
  KLEINE_PLATTE_ERFORDERLICH(platte);
  ASSERT_TRUE(QFile::link(platte.Pfad(), programm + K("/Meldepflichten_2021")));
  FelderAnlegen();
  EXPECT_TRUE(Ausfuehren()) << meldungen.protokoll.join(u'\n').toStdString();
  EXPECT_EQ(QDir(platte.Pfad() + K("/B_027615000123")).entryList(QDir::Files | QDir::Hidden, QDir::Name), AlleDateien);
}

// What a killed run of an earlier release left beside the report folders:
// its old files return to their place, and the folder goes.
TEST_F(Meldepflichten_, RestEinerFruehererVersionWirdZurueckgenommen) {
  FelderAnlegen();
  ASSERT_TRUE(QDir().mkpath(ziel));
  Schreiben(Datei("Anl5_"), "neu Anl5");
  const QString rest = programm + K("/.Meldepflichten_2021-a1B2c3");
  ASSERT_TRUE(QDir().mkpath(rest));
  Schreiben(rest + K("/Anl5_087_027615000123_2021.TXT.alt"), "alt Anl5");
  Schreiben(rest + K("/DBE_087_027615000123_2021.TXT"), "neu DBE");
  EXPECT_EQ(Meldeablage::Aufraeumen(db, programm), QString());
  EXPECT_EQ(Lesen(Datei("Anl5_")), QByteArray("alt Anl5"));
  EXPECT_EQ(Inhalt(), QStringList{K("Meldepflichten_2021")});
  EXPECT_EQ(Dateien(), QStringList{K("Anl5_087_027615000123_2021.TXT")});
}

}  // namespace
