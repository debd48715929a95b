// The demand window: the pages "Herbstdüngung" and "Herbstdüngung Nitratgebiet".
#include "fensterhilfe.h"
#include "herbstseite.h"
#include "listenansicht.h"

#include <QDate>
#include <QRadioButton>

namespace {

using Herbstduengung::TSeite;

const QVariantMap Vollstaendig = {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1},
                                  {"NutzungsForm", 1}};

// The autumn table as the ordinance's rules give it (kg total N/ha after
// "alle anderen Vorfrüchte"), with the texts of the crop on each page.
struct TTabellenzeile {
  const char* herbst;
  const char* nitratgebiet;  // nullptr: not offered there
  int ohne, mit;             // without / with long-term organic fertilisation
};
const TTabellenzeile Tabelle[] = {
    {"Zwischenfrüchte mit Leguminosenanteil von 0 bis 75%; Aussaat bis 15.09.",
     "Zwischenfrüchte mit Leguminosenanteil von 0 bis 75%; Aussaat bis 15.09. mit Futternutzung", 60, 40},
    {"Winterraps nach Getreide; Aussaat bis 15.09.", "Winterraps nach Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha", 60,
     0},
    {"Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09.",
     "Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha", 60, 60},
    {"Feldfutter nach Getreide bei Aussaat bis 31.08.", "Feldfutter nach Getreide bei Aussaat bis 31.08.", 60, 40},
    {"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat bis 31.08.",
     "Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat bis 31.08.", 60, 60},
    {"Feldfutter nach Getreide bei Aussaat ab 01.09. bis 15.09.",
     "Feldfutter nach Getreide bei Aussaat ab 01.09. bis 15.09.", 40, 0},
    {"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat ab 01.09. bis 15.09.",
     "Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat ab 01.09. bis 15.09.", 40, 40},
    {"Wintergerste nach Getreide; Aussaat bis 01.10.", nullptr, 40, 0},
    {"Sonstige (kein N-Düngebedarf)", "Sonstige (kein N-Düngebedarf)", 0, 0},
};
const QString Organisch = QStringLiteral("langjährig organisch gedüngte Fläche?");
const QString Bedarf = QStringLiteral("Düngebedarf Gesamt-N (kg/ha)");

class FensterHerbst : public FensterBetrieb {
protected:
  // A complete field of the year; the given columns replace the defaults.
  void Feld(int parzelle, int auflagen, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap s = Vollstaendig;
    s[QStringLiteral("BewirtschaftungsAuflagen")] = auflagen;
    s[QStringLiteral("SchlagName")] = QStringLiteral("Schlag %1").arg(parzelle);
    for (auto it = werte.begin(); it != werte.end(); ++it) s[it.key()] = it.value();
    Schlag(parzelle, s, jahr);
  }
  THerbstSeite& Seite(TSeite seite) {
    TDuengebedarfsfenster& f = Fenster();
    f.Seiten()->setCurrentIndex(seite == TSeite::Herbst ? TDuengebedarfsfenster::SeiteHerbst
                                                        : TDuengebedarfsfenster::SeiteHerbstRG);
    auto* s = qobject_cast<THerbstSeite*>(f.Seiten()->currentWidget());
    EXPECT_NE(s, nullptr);
    return *s;
  }
  THerbstSeite& Aktuell() { return *qobject_cast<THerbstSeite*>(Fenster().Seiten()->currentWidget()); }
  // A control of the page shown.
  template <class T = QWidget>
  T* Auf(const QString& name) {
    for (T* w : Aktuell().template findChildren<T*>())
      if (w->accessibleName() == name) return w;
    return nullptr;
  }
  void Druecken(const QString& name) {
    auto* k = Auf<QPushButton>(name);
    ASSERT_NE(k, nullptr) << name.toStdString();
    ASSERT_TRUE(k->isEnabled()) << name.toStdString();
    QTest::mouseClick(k, Qt::LeftButton);
  }
  // Clicks a choice or check box on its mark, as the user does.
  void Anklicken(QAbstractButton* k, const QString& name) {
    ASSERT_NE(k, nullptr) << name.toStdString();
    ASSERT_TRUE(k->isVisible()) << name.toStdString();
    QTest::mouseClick(k, Qt::LeftButton, {}, QPoint(8, k->height() / 2));
  }
  void Waehle(const QString& text) { Anklicken(Auf<QRadioButton>(text), text); }
  void OrganischSetzen(bool an) {
    auto* k = Auf<QCheckBox>(Organisch);
    ASSERT_NE(k, nullptr);
    if (k->isChecked() != an) Anklicken(k, Organisch);
  }
  QString Anzeige(const QString& name) {
    auto* e = Auf<TDBEditMod>(name);
    return e ? e->text() : QStringLiteral("<fehlt>");
  }
  QVariant Von(int parzelle, const QString& spalte) {
    return Wert(QStringLiteral("select %1 from Schlag where Parzelle = :p").arg(spalte), {{QStringLiteral("p"), parzelle}});
  }
  // The parcels the page's grid shows.
  QList<int> Gelistet() {
    const TDataSetModel& m = Aktuell().Raster().Modell();
    QList<int> p;
    for (int z = 0; z < m.rowCount(); ++z) p << m.index(z, 4).data().toInt();
    return p;
  }
  // The text of the grid's result column in the current row.
  QString GelistetesErgebnis() {
    const TDataSetModel& m = Aktuell().Raster().Modell();
    return m.index(Aktuell().Liste().Position(), 7).data().toString();
  }
  int Parzelle() { return Aktuell().Liste().Wert(QStringLiteral("Parzelle")).toInt(); }
  void Berechnen() { Druecken(QStringLiteral("Berechnen")); }
};

// Every row of the table through the page, with and without long-term organic fertilisation.
TEST_F(FensterHerbst, HerbstduengungNachTabelle) {
  Feld(12, 1, {{"BerechnungsDatumHD", "2021-09-01"}, {"HD_DNG_RG", 7}});
  Seite(TSeite::Herbst);
  EXPECT_EQ(Auf<QGroupBox>(QStringLiteral("Fruchtart"))->findChildren<QRadioButton*>().size(), 9);
  for (const auto& z : Tabelle)
    for (bool organisch : {false, true}) {
      const QString fall = QStringLiteral("%1, organisch %2").arg(z.herbst).arg(organisch);
      Waehle(z.herbst);
      Waehle(QStringLiteral("alle anderen Vorfrüchte"));
      OrganischSetzen(organisch);
      Berechnen();
      const int soll = organisch ? z.mit : z.ohne;
      EXPECT_EQ(Von(12, "HD_DNG").toInt(), soll) << fall.toStdString();
      EXPECT_EQ(Anzeige(Bedarf), QString::number(soll)) << fall.toStdString();
      EXPECT_EQ(GelistetesErgebnis(), QString::number(soll)) << fall.toStdString();
    }
  // The first click on an input emptied the other page's result too.
  EXPECT_TRUE(Von(12, "HD_DNG_RG").isNull());
  EXPECT_EQ(Von(12, "HD_LOD").toInt(), 1);
  EXPECT_TRUE(meldungen.Infos().isEmpty());
}

TEST_F(FensterHerbst, NitratgebietNachTabelleOhneWintergerste) {
  Feld(12, 2, {{"BerechnungsDatumHD", "2021-09-01"}, {"HD_DNG", 7}});
  Seite(TSeite::Nitratgebiet);
  EXPECT_EQ(Auf<QGroupBox>(QStringLiteral("Fruchtart"))->findChildren<QRadioButton*>().size(), 8);
  EXPECT_EQ(Auf<QRadioButton>(QStringLiteral("Wintergerste nach Getreide; Aussaat bis 01.10.")), nullptr);
  for (const auto& z : Tabelle) {
    if (!z.nitratgebiet) continue;
    for (bool organisch : {false, true}) {
      const QString fall = QStringLiteral("%1, organisch %2").arg(z.nitratgebiet).arg(organisch);
      Waehle(z.nitratgebiet);
      Waehle(QStringLiteral("alle anderen Vorfrüchte"));
      OrganischSetzen(organisch);
      Berechnen();
      const int soll = organisch ? z.mit : z.ohne;
      EXPECT_EQ(Von(12, "HD_DNG_RG").toInt(), soll) << fall.toStdString();
      EXPECT_EQ(Anzeige(Bedarf), QString::number(soll)) << fall.toStdString();
    }
  }
  EXPECT_TRUE(Von(12, "HD_DNG").isNull());
}

// Maize, and every other previous crop but "alle anderen Vorfrüchte": nothing in autumn.
TEST_F(FensterHerbst, AndereVorfruchtGibtNull) {
  Feld(12, 1, {{"BerechnungsDatumHD", "2021-09-01"}});
  Seite(TSeite::Herbst);
  for (const QString vorfrucht : {"Mais", "Winterraps", "Zuckerrübe bei Blattverbleib auf Feld", "Feldgemüse",
                                  "Leguminosen und Gemenge > 50% Leguminosen", "Feldgras bei Standzeit > 12 Monate",
                                  "mehrjährige Brache"})
    for (const auto& z : Tabelle) {
      Waehle(z.herbst);
      Waehle(vorfrucht);
      OrganischSetzen(false);
      Berechnen();
      EXPECT_FALSE(Von(12, "HD_DNG").isNull()) << vorfrucht.toStdString();
      EXPECT_EQ(Von(12, "HD_DNG").toInt(), 0) << vorfrucht.toStdString() << ", " << z.herbst;
    }
}

TEST_F(FensterHerbst, ImNitratgebietAb2021NurAufDerNitratseite) {
  Feld(12, 1);
  Feld(13, 2);
  Feld(11, 1);
  Seite(TSeite::Herbst);
  EXPECT_EQ(Gelistet(), QList<int>({11, 12}));
  EXPECT_EQ(Aktuell().Raster().Modell().headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Düngebedarf (kg N/ha)"));
  Seite(TSeite::Nitratgebiet);
  EXPECT_EQ(Gelistet(), QList<int>({13}));
  EXPECT_EQ(Aktuell().Raster().Modell().index(0, 8).data().toString(), QStringLiteral("Ja"));
}

TEST_F(FensterHerbst, Bis2020AllesAufDerErstenSeite) {
  JahrAnlegen(2020);
  Feld(12, 1, {}, 2020);
  Feld(13, 2, {}, 2020);
  fenster = std::make_unique<TDuengebedarfsfenster>(db, meldungen, Betrieb, 2020);
  fenster->show();
  QApplication::setActiveWindow(fenster.get());
  EXPECT_TRUE(fenster->Seiten()->isTabEnabled(TDuengebedarfsfenster::SeiteHerbst));
  EXPECT_FALSE(fenster->Seiten()->isTabEnabled(TDuengebedarfsfenster::SeiteHerbstRG));
  Seite(TSeite::Herbst);
  EXPECT_EQ(Gelistet(), QList<int>({12, 13}));
  auto* rg = qobject_cast<THerbstSeite*>(fenster->Seiten()->widget(TDuengebedarfsfenster::SeiteHerbstRG));
  ASSERT_NE(rg, nullptr);
  rg->Zeigen(13, 0);
  EXPECT_TRUE(rg->Liste().IstLeer());
}

TEST_F(FensterHerbst, OhneDatumWirdNichtsBerechnet) {
  Feld(12, 1, {{"HD_FA", 2}, {"HD_VF", 8}, {"HD_DNG", 40}});
  Seite(TSeite::Herbst);
  Berechnen();
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte gültigen Wert eingeben/auswählen."}));
  EXPECT_EQ(QApplication::focusWidget(), Auf(QStringLiteral("Berechnungsdatum *")));
  EXPECT_EQ(Von(12, "HD_DNG").toInt(), 40);
  EXPECT_TRUE(Von(12, "BerechnungsDatumHD").isNull());
  // The logic refuses as well when the page's check is passed by.
  meldungen.Leeren();
  Aktuell().Liste().Abbrechen();
  EXPECT_EQ(Herbstduengung::Berechnen(Aktuell().Liste(), TSeite::Herbst), Herbstduengung::TBerechnung::DatumFehlt);
  EXPECT_EQ(Aktuell().Liste().Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_EQ(Von(12, "HD_DNG").toInt(), 40);
}

TEST_F(FensterHerbst, DoppelklickSetztHeute) {
  Feld(12, 1, {{"HD_FA", 2}, {"HD_VF", 8}});
  Seite(TSeite::Herbst);
  QTest::mouseDClick(Auf(QStringLiteral("Berechnungsdatum *")), Qt::LeftButton);
  Berechnen();
  EXPECT_TRUE(meldungen.Infos().isEmpty());
  EXPECT_EQ(Von(12, "BerechnungsDatumHD").toString().left(10), QDate::currentDate().toString(Qt::ISODate));
  EXPECT_EQ(Von(12, "HD_DNG").toInt(), 60);
}

// A changed input leaves no result that no longer fits it, on either page's column.
TEST_F(FensterHerbst, GeaenderteEingabeLeertBeideErgebnisse) {
  const QVariantMap berechnet = {{"HD_FA", 2},   {"HD_VF", 8},      {"HD_LOD", 0}, {"BerechnungsDatumHD", "2021-09-01"},
                                 {"HD_DNG", 60}, {"HD_DNG_RG", 60}};
  const QString eingaben[] = {QStringLiteral("Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09."),
                              QStringLiteral("Mais"), Organisch};
  for (int parzelle : {11, 12, 13}) Feld(parzelle, 1, berechnet);
  Seite(TSeite::Herbst);
  for (const QString& e : eingaben) {
    const int p = Parzelle();
    EXPECT_EQ(Anzeige(Bedarf), QStringLiteral("60"));
    if (e == Organisch)
      OrganischSetzen(true);
    else
      Waehle(e);
    EXPECT_TRUE(Aktuell().Liste().Wert(QStringLiteral("HD_DNG")).isNull()) << e.toStdString();
    EXPECT_EQ(Anzeige(Bedarf), QString()) << e.toStdString();
    Druecken(QStringLiteral("Nächster"));
    EXPECT_TRUE(Von(p, "HD_DNG").isNull()) << e.toStdString();
    EXPECT_TRUE(Von(p, "HD_DNG_RG").isNull()) << e.toStdString();
  }
}

TEST_F(FensterHerbst, AngabenLoeschenLeertDasErgebnis) {
  Feld(12, 1, {{"HD_FA", 2}, {"HD_VF", 8}, {"HD_LOD", 1}, {"BerechnungsDatumHD", "2021-09-01"}, {"HD_DNG", 60},
               {"HD_DNG_RG", 40}});
  Seite(TSeite::Herbst);
  EXPECT_EQ(GelistetesErgebnis(), QStringLiteral("60"));
  Druecken(QStringLiteral("Angaben löschen"));
  EXPECT_EQ(Von(12, "HD_FA").toInt(), 0);
  EXPECT_EQ(Von(12, "HD_VF").toInt(), 0);
  EXPECT_EQ(Von(12, "HD_LOD").toInt(), 0);
  EXPECT_TRUE(Von(12, "HD_DNG").isNull());
  EXPECT_TRUE(Von(12, "HD_DNG_RG").isNull());
  EXPECT_TRUE(Von(12, "BerechnungsDatumHD").isNull());
  EXPECT_EQ(GelistetesErgebnis(), QString());
  EXPECT_EQ(Anzeige(Bedarf), QString());
  for (auto* k : Aktuell().findChildren<QRadioButton*>()) EXPECT_FALSE(k->isChecked()) << k->text().toStdString();
  EXPECT_FALSE(Auf<QCheckBox>(Organisch)->isChecked());
}

TEST_F(FensterHerbst, MerkenUndSetzenInDieSpalteDerSeite) {
  Feld(12, 2, {{"BerechnungsDatumHD", "2021-09-02"}});
  Feld(13, 2, {{"HD_DNG", 5}});
  Feld(14, 1, {{"HD_DNG_RG", 5}});
  Feld(15, 1, {{"HD_FA", 8}, {"HD_VF", 8}, {"BerechnungsDatumHD", "2021-09-03"}, {"HD_DNG", 40}});
  Seite(TSeite::Herbst);
  EXPECT_FALSE(Auf<QPushButton>(QStringLiteral("Herbstdüngung setzen"))->isEnabled());
  Seite(TSeite::Nitratgebiet);
  EXPECT_FALSE(Auf<QPushButton>(QStringLiteral("Herbstdüngung setzen"))->isEnabled());
  Waehle(QStringLiteral("Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha"));
  Waehle(QStringLiteral("alle anderen Vorfrüchte"));
  OrganischSetzen(true);
  Berechnen();
  ASSERT_EQ(Von(12, "HD_DNG_RG").toInt(), 60);
  Druecken(QStringLiteral("Herbstdüngung merken"));
  Druecken(QStringLiteral("Nächster"));
  ASSERT_EQ(Parzelle(), 13);
  Druecken(QStringLiteral("Herbstdüngung setzen"));
  EXPECT_EQ(Von(13, "HD_FA").toInt(), 3);
  EXPECT_EQ(Von(13, "HD_VF").toInt(), 8);
  EXPECT_EQ(Von(13, "HD_LOD").toInt(), 1);
  EXPECT_EQ(Von(13, "HD_DNG_RG").toInt(), 60);
  EXPECT_EQ(Von(13, "HD_DNG").toInt(), 5);  // the other page's column stays
  EXPECT_EQ(Von(13, "BerechnungsDatumHD").toString(), QStringLiteral("2021-09-02"));
  // The kept inputs serve the other page too, into its own column.
  Seite(TSeite::Herbst);
  ASSERT_EQ(Parzelle(), 14);
  Druecken(QStringLiteral("Herbstdüngung setzen"));
  EXPECT_EQ(Von(14, "HD_DNG").toInt(), 60);
  EXPECT_EQ(Von(14, "HD_DNG_RG").toInt(), 5);
  EXPECT_EQ(Von(14, "HD_FA").toInt(), 3);
  // Winter barley kept on the first page has no demand in a nitrate area.
  Druecken(QStringLiteral("Nächster"));
  ASSERT_EQ(Parzelle(), 15);
  Druecken(QStringLiteral("Herbstdüngung merken"));
  Seite(TSeite::Nitratgebiet);
  ASSERT_EQ(Parzelle(), 12);
  Druecken(QStringLiteral("Herbstdüngung setzen"));
  EXPECT_EQ(Von(12, "HD_FA").toInt(), 8);
  EXPECT_EQ(Von(12, "HD_DNG_RG").toInt(), 0);
  EXPECT_FALSE(Von(12, "HD_DNG_RG").isNull());
}

TEST_F(FensterHerbst, VorigerNaechsterUndDerSchlagDesFensters) {
  Feld(10, 1);
  Feld(15, 2);
  Feld(20, 1);
  Kultur(10, 224101);
  Vorauswahl(224101, 95);
  TDuengebedarfsfenster& f = Fenster();
  ASSERT_TRUE(f.SchlagSeite().Liste().Gehe(1));  // parcel 15, not on the first autumn page
  Seite(TSeite::Herbst);
  EXPECT_EQ(Parzelle(), 10);
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Parzelle")).toInt(), 10);
  Druecken(QStringLiteral("Nächster"));
  EXPECT_EQ(Parzelle(), 20);
  Druecken(QStringLiteral("Nächster"));
  EXPECT_EQ(Parzelle(), 20);
  Druecken(QStringLiteral("Voriger"));
  EXPECT_EQ(Parzelle(), 10);
  // By way of the nitrogen page, still back at the autumn page's field.
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  ASSERT_EQ(Stickstoffliste().Wert(QStringLiteral("Parzelle")).toInt(), 10);
  Seite(TSeite::Herbst);
  Druecken(QStringLiteral("Nächster"));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Parzelle")).toInt(), 20);
  Seite(TSeite::Nitratgebiet);
  EXPECT_EQ(Parzelle(), 15);
}

// The nitrate area's mean yield the crop page takes stays through every later run of group 20.
TEST_F(FensterHerbst, ErtragImNitratgebietBleibtNachGruppe20) {
  Feld(12, 2);
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}, {"TatsErtragRG", 70}});
  TDuengebedarfsfenster& f = Fenster();
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  Klick(QStringLiteral("Kultur anlegen"));
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 224101);
  EXPECT_DOUBLE_EQ(Kulturen().Wert(QStringLiteral("TatsErtrag")).toDouble(), 70);
  ASSERT_TRUE(Kulturen().Speichern());
  const qint64 id = Wert("select ID from Anbau").toLongLong();
  EXPECT_DOUBLE_EQ(StickstoffBetrieb::Von(id, "TatsErtrag").toDouble(), 70);
  Sql("update Anbau set Nmin_0_30 = 30, Nmin_30_60 = 20, Nmin_60_90 = 10, Nmin = 60, Quelle_0_30 = 1, "
      "Quelle_60_90 = 1, BerechnungsDatum = '2021-03-01'");
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  Klick(QStringLiteral("Berechnen"));
  EXPECT_DOUBLE_EQ(StickstoffBetrieb::Von(id, "TatsErtrag").toDouble(), 70);
  EXPECT_FALSE(StickstoffBetrieb::Von(id, "Duengebedarf").isNull());
  JahrBerechnen();
  EXPECT_DOUBLE_EQ(StickstoffBetrieb::Von(id, "TatsErtrag").toDouble(), 70);
}

}  // namespace
