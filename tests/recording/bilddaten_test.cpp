// An example farm year for looking at the recording window by eye: run with
// --gtest_also_run_disabled_tests; the database file goes to QUENDRIX_BILDER
// (default /tmp/quendrix_bilder), where the program can be started.
#include "aufzeichnungsbetrieb.h"
#include "aufzeichnungsliste.h"

#include "dataset.h"
#include "files.h"

#include <QDir>
#include <QFile>

namespace {

class BildDaten : public AufzeichnungsBetrieb {
protected:
  void Eintragen(int parzelle, double groesse, int kategorie, const QVariantMap& werte, qint64 kultur = 0) {
    TAufzeichnungsliste liste(db, meldungen, Betrieb, Jahr);
    ASSERT_TRUE(liste.SchlagSetzen(parzelle, groesse));
    ASSERT_TRUE(liste.Anlegen(kategorie, kultur ? kultur : Aufzeichnung::Zielkultur(db, Betrieb, Jahr, parzelle)));
    for (auto it = werte.begin(); it != werte.end(); ++it) {
      liste.Liste().setWert(it.key(), it.value());
      if (it.key() == K("DngNummer")) liste.StammwerteUebernehmen();
      if (it.key() == K("ProbenID")) liste.KulturGewaehlt();
    }
    ASSERT_TRUE(liste.Liste().Speichern()) << meldungen.protokoll.join('\n').toStdString();
  }
};

TEST_F(BildDaten, DISABLED_Beispielbetrieb) {
  Flaechen(48.6, 45.2);
  JahrAnlegen(2022);
  Sql(K("update Betriebe set SitzOrt = 'Bernburg', BKR = 104 where ID = 2"));
  Feld(1, 12.5, 1, Jahr, K("Am Weg"));
  Feld(2, 18.3, 2, Jahr, K("Große Breite"));
  Feld(3, 6.8, 1, Jahr, K("Hinterm Haus"));
  Feld(4, 11.0, 1, Jahr, K("Weide am Bach"));
  Feld(1, 12.5, 1, 2022, K("Am Weg"));
  const qint64 weizen = Kultur(1, 224101, K("Winterweizen A, B"), {{K("Duengebedarf"), 176}});
  Kultur(2, 225101, K("Wintergerste"), {{K("Duengebedarf"), 150}});
  Sql(K("update Schlag set HD_DNG_RG = 30 where Parzelle = 2"));
  const qint64 klee = Kultur(3, 252201, K("Luzerne-/Rotklee in Reinkultur"), {{K("Kulturgruppe"), 2}});
  Kultur(4, 255201, K("Wiesen 2-Schnittnutzung"), {{K("Kulturgruppe"), 2}, {K("Duengebedarf"), 80}});
  const qint64 raps = Kultur(1, 236101, K("Winterraps"), {}, 2022);
  Sql(K("update Schlag set BG = 3, Feldblock = 'DESTLI0123456789'"));

  Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {});
  Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle, {});
  Stamm(K("S_OrgDung"), K("OrgDngNummer"), Mist, {});
  Stamm(K("S_Tiere"), K("TA_NR"), Jungrind, {});
  Stoff(7, K("Pflanzenkohle"), 2, 2.5, 1.5, 0.3);

  Eintragen(1, 12.5, Aufzeichnung::Mineral, {{K("Datum"), K("2021-03-15")}, {K("DngNummer"), Kas}, {K("Menge"), 2.5}});
  Eintragen(1, 12.5, Aufzeichnung::Organisch,
            {{K("Datum"), K("2021-04-10")}, {K("DngNummer"), Guelle}, {K("Menge"), 20}});
  Eintragen(1, 12.5, Aufzeichnung::Stoffe, {{K("Datum"), K("2021-05-02")}, {K("DngNummer"), 7}, {K("Menge"), 4}});
  Eintragen(1, 12.5, Aufzeichnung::Organisch,
            {{K("Datum"), K("2021-09-15")}, {K("DngNummer"), Guelle}, {K("Menge"), 15}, {K("ProbenID"), raps},
             {K("IstHerbstDuengung"), 1}});
  Eintragen(2, 18.3, Aufzeichnung::Mineral, {{K("Datum"), K("2021-03-20")}, {K("DngNummer"), Kas}, {K("Menge"), 3}});
  Eintragen(2, 18.3, Aufzeichnung::Organisch, {{K("Datum"), K("2021-03-02")}, {K("DngNummer"), Mist}, {K("Menge"), 25}});
  Eintragen(4, 11.0, Aufzeichnung::Weide,
            {{K("DngNummer"), Jungrind}, {K("WeideTiere"), 25}, {K("WeideTage"), 120}, {K("Datum"), K("2021-10-15")}});
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, N_Bindung_ha, "
        "N_Bindung_ha_gr10P, Leguminosenanteil, IsGL, IsLegumPauschal, Nges ) "
        "values ( 2, 2021, 3, :k, 3, 252201, 'Luzerne-/Rotklee in Reinkultur', 260, 260, 0, 1, 1, 260 )"),
      {{K("k"), klee}});
  Q_UNUSED(weizen);

  db.Schliessen();
  const QString ziel = qEnvironmentVariableIsSet("QUENDRIX_BILDER") ? qEnvironmentVariable("QUENDRIX_BILDER")
                                                                    : QStringLiteral("/tmp/quendrix_bilder");
  ASSERT_TRUE(QDir().mkpath(ziel));
  const QString datei = QDir(ziel).filePath(Dateien::Datenbank);
  QFile::remove(datei);
  ASSERT_TRUE(QFile::copy(QDir(ordner.path()).filePath(Dateien::Datenbank), datei));
}

}  // namespace
