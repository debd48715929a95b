// The autumn lists of both pages, read back by LibreOffice.
#include "listenbetrieb.h"

#include "herbstliste.h"

namespace {

using Herbstduengung::TSeite;

class Herbstliste_ : public ListenBetrieb {
protected:
  void SetUp() override {
    ListenBetrieb::SetUp();
    // Nitrate area: a result of 0 is listed, an empty one is not.
    Schlag(1, {{K("BewirtschaftungsAuflagen"), 2}, {K("HD_FA"), 9}, {K("HD_VF"), 8}, {K("HD_LOD"), 0},
               {K("HD_DNG_RG"), 0}});
    Schlag(2, {{K("BewirtschaftungsAuflagen"), 2}, {K("HD_DNG_RG"), QVariant()}});
    Schlag(3, {{K("BewirtschaftungsAuflagen"), 2}, {K("HD_FA"), 1}, {K("HD_VF"), 8}, {K("HD_LOD"), 1},
               {K("HD_DNG_RG"), 40}});
    // Outside: only on the first page.
    Schlag(4, {{K("HD_FA"), 5}, {K("HD_VF"), 8}, {K("HD_LOD"), 0}, {K("HD_DNG"), 60}});
  }
  TTabelle Exportiert(TSeite seite, const QString& name) {
    const QString datei = Ziel(name);
    EXPECT_EQ(Herbstliste::Exportieren(db, meldungen, Betrieb, Jahr, seite, ordner.path()),
              Listenausgabe::TErgebnis::Geschrieben);
    EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
    return TTabelle::Lesen(datei);
  }
};

TEST_F(Herbstliste_, NitratgebietListetNullUndUebergehtLeere) {
  LIBREOFFICE_ERFORDERLICH();
  const TTabelle t = Exportiert(TSeite::Nitratgebiet, K("Herbst RG.xlsx"));
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("H"));
  EXPECT_EQ(t(K("A"), 5), K("Schlagübersicht Herbstdüngung auf Ackerland (Nitratgebiet)"));

  EXPECT_EQ(t(K("A"), 9), K("10"));
  EXPECT_EQ(t(K("D"), 9), K("alle anderen Vorfrüchte"));
  EXPECT_EQ(t(K("E"), 9), K("Sonstige (kein N-Düngebedarf)"));
  EXPECT_EQ(t(K("F"), 9), K("Nein"));
  EXPECT_EQ(t.Zahl(K("G"), 9), 0);
  EXPECT_EQ(t.Zahl(K("H"), 9), 0);

  // Field 2 has no result and is skipped.
  EXPECT_EQ(t(K("A"), 10), K("30"));
  EXPECT_EQ(t(K("E"), 10), K("ZF, Leguminosenanteil 0 bis 75%; Aussaat bis 15.09. mit Futternutzung"));
  EXPECT_EQ(t(K("F"), 10), K("Ja"));
  EXPECT_EQ(t.Zahl(K("G"), 10), 40);
  EXPECT_EQ(t.Zahl(K("H"), 10), 30);
  EXPECT_EQ(t(K("A"), 11), QString());
}

TEST_F(Herbstliste_, ErsteSeiteListetDieFelderAusserhalb) {
  LIBREOFFICE_ERFORDERLICH();
  const TTabelle t = Exportiert(TSeite::Herbst, K("Herbst.xls"));
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("H"));
  EXPECT_EQ(t(K("A"), 5), K("Schlagübersicht Herbstdüngung auf Ackerland"));
  EXPECT_EQ(t(K("A"), 9), K("40"));
  EXPECT_EQ(t(K("E"), 9), K("Feldfutter nach anderen Vorfrüchten als Getreide; Aussaat bis 31.08."));
  EXPECT_EQ(t.Zahl(K("G"), 9), 60);
  EXPECT_EQ(t.Zahl(K("H"), 9), 30);
  EXPECT_EQ(t(K("A"), 10), QString());
}

TEST_F(Herbstliste_, AbgebrochenerDialogSchreibtNichts) {
  meldungen.dateien.push_back(QString());
  EXPECT_EQ(Herbstliste::Exportieren(db, meldungen, Betrieb, Jahr, TSeite::Herbst, ordner.path()),
            Listenausgabe::TErgebnis::Abgebrochen);
  EXPECT_EQ(meldungen.protokoll, QStringList{K("DateiSpeichern: Excel-Export")});
}

TEST(Herbstliste, KurzeTexteDerFruchtart) {
  struct Fall {
    int fruchtart;
    bool nitratgebiet;
    const char* text;
  };
  const Fall faelle[] = {
      {1, false, "ZF, Leguminosenanteil 0 bis 75%; Aussaat bis 15.09."},
      {5, false, "Feldfutter nach anderen Vorfrüchten als Getreide; Aussaat bis 31.08."},
      {7, false, "Feldfutter nach anderen VF als Getreide; Aussaat ab 01.09. bis 15.09."},
      {8, false, "Wintergerste nach Getreide; Aussaat bis 01.10."},
      {3, true, "Winterraps nach anderen VF; Aussaat bis 15.09., Nmin <= 45 kg/ha"},
      {9, true, "Sonstige (kein N-Düngebedarf)"},
      {2, true, "Winterraps nach Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha"},
      {8, true, ""},  // winter barley is not offered in a nitrate area
      {0, false, ""},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(Herbstliste::Fruchtarttext(f.fruchtart, f.nitratgebiet), QString::fromUtf8(f.text))
        << f.fruchtart << " " << f.nitratgebiet;
  EXPECT_EQ(Herbstliste::Vorfruchttext(1), QStringLiteral("Winterraps"));
  EXPECT_EQ(Herbstliste::Vorfruchttext(0), QString());
}

}  // namespace
