#include "altdatenbank.h"

#include "connection.h"
#include "schema.h"
#include "testvorlage.h"

#include <gtest/gtest.h>

namespace {

// The tables of the older format, empty.
bool TabellenAnlegen(const QString& datei) {
  TADOModConnection alt;
  alt.setDatenbankName(datei);
  if (!alt.Anlegen()) {
    ADD_FAILURE() << alt.Fehlermeldung().toStdString();
    return false;
  }
  const auto& katalog = Schema::TKatalog::Standard();
  bool ok = true;
  auto sql = [&](const QString& text) {
    if (ok && !alt.Ausfuehren(text)) {
      ADD_FAILURE() << alt.LetzterFehler().toStdString() << "\n" << text.toStdString();
      ok = false;
    }
  };
  auto anlegen = [&](const QString& name, const QStringList& ohne) {
    Schema::TTabelle t = *katalog.Tabelle(name);
    std::erase_if(t.spalten, [&](const Schema::TSpalte& s) { return ohne.contains(s.name); });
    t.verweis.clear();
    t.schluessel.clear();
    sql(Schema::CreateTable(t));
  };
  anlegen(QStringLiteral("Betriebe"), {QStringLiteral("DuengejahrOffset"), QStringLiteral("KreisNr"), QStringLiteral("Gesperrt2020")});
  QStringList neuImJahr;
  bool ab = false;
  for (const auto& s : katalog.Tabelle(QStringLiteral("DuengeJahr"))->spalten) {
    ab = ab || s.name == QLatin1String("OEKO_GRUPPE");
    if (ab) neuImJahr << s.name;
  }
  anlegen(QStringLiteral("DuengeJahr"), neuImJahr);
  anlegen(QStringLiteral("Merk"), {QStringLiteral("VersionUnterNummer"), QStringLiteral("Geoeffnet"), QStringLiteral("Geschlossen")});
  anlegen(QStringLiteral("S_KulturenNP"), {});
  anlegen(QStringLiteral("S_MinDung"), {});
  anlegen(QStringLiteral("S_Tiere"), {});
  anlegen(QStringLiteral("S_OrgDung"), {QStringLiteral("ID"), QStringLiteral("OEKO_GRUPPE"), QStringLiteral("Herkunft_Nr"),
                                        QStringLiteral("IstEigen"), QStringLiteral("NH4"), QStringLiteral("P2O5_Gehalt")});
  sql(QStringLiteral("alter table S_OrgDung add NH4_Prozent REAL"));
  QStringList proben = {QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT")};
  QStringList gesehen = {QStringLiteral("ID"), QStringLiteral("FruchtNr")};
  for (const char* t : {"Schlag", "Anbau"})
    for (const auto& s : katalog.Tabelle(QString::fromLatin1(t))->spalten)
      if (!gesehen.contains(s.name)) {
        gesehen << s.name;
        proben << Schema::SpaltenDefinition(s);
      }
  sql(QStringLiteral("create table Proben ( %1 )").arg(proben.join(QStringLiteral(", "))));
  sql(QStringLiteral(
      "create table OrgDng ( BetriebsNr INTEGER, Jahr SMALLINT, Parzelle INTEGER, ID INTEGER PRIMARY KEY, ProbenID INTEGER, "
      "Datum DATETIME, OrgDngNummer INTEGER, OrgDng VARCHAR(70), NT REAL, Menge REAL, N_Menge REAL, P REAL, P2O5 REAL, "
      "P_Menge REAL, P2O5_Menge REAL, N_Angerechnet REAL, P2O5_Angerechnet REAL, P_Angerechnet REAL, IsEigenanfall SMALLINT, "
      "OrgDngGrpNummer SMALLINT, GruppeNr SMALLINT, Bundesland SMALLINT )"));
  // The crop table of the format before; yields and choices are taken from it.
  sql(QStringLiteral("create table S_Kulturen ( BetriebsNr INTEGER, FA_NR INTEGER, TatsErtrag REAL, Auswahl BOOLEAN )"));
  return ok;
}

}  // namespace

bool AlteDatenbankAnlegen(const QString& datei, const QString& inhalt) {
  TADOModConnection alt;
  if (!Testvorlage::Oeffnen(alt, QStringLiteral("alt"), TabellenAnlegen, datei)) return false;
  if (alt.Ausfuehren(inhalt)) return true;
  ADD_FAILURE() << alt.LetzterFehler().toStdString() << "\n" << inhalt.toStdString();
  return false;
}
