// A dBase table loaded through the grid's toolbar: field names in row 1,
// deleted records left out, numeric fields as numbers, DOS letters decoded.
#include "dbfschreiber.h"
#include "hf1book.h"
#include "skriptmeldungen.h"
#include "werkzeugleiste.h"

#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

TEST(WerkzeugleisteDbf, TabelleInsBlatt) {
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(u"schlaege_parzellen.dbf"_s);
  DbfSchreiben(datei, "LDID/2", {{"FLIK", 'C', 16}, {"GROESSE", 'N', 10, 4}},
               {{"DESTLI0000000001", "    5.2500"}, {"DESTLI0000000002", "    1.0000"}, {"M\x81hle", "   12.5000"}},
               {2});
  TSkriptMeldungen meldungen;
  THF1Book buch;
  TWerkzeugleiste* leiste = TWerkzeugleiste::Anbringen(buch, meldungen);
  buch.Blatt().setText(5, 5, u"alt"_s);
  ASSERT_TRUE(leiste->DateiLaden(datei));
  EXPECT_EQ(buch.Text(1, 1), u"FLIK"_s);
  EXPECT_EQ(buch.Text(2, 1), u"GROESSE"_s);
  EXPECT_EQ(buch.Blatt().Zahl(2, 2), 5.25);
  EXPECT_EQ(buch.Text(1, 3), u"Mühle"_s);  // the deleted second record is left out
  EXPECT_EQ(buch.Blatt().Zahl(2, 3), 12.5);
  EXPECT_EQ(buch.Blatt().LetzteZeile(), 3);
  EXPECT_EQ(buch.Text(5, 5), QString());
  EXPECT_EQ(leiste->Kopftext(), u"schlaege_parzellen.dbf"_s);
  EXPECT_TRUE(meldungen.Infos().isEmpty());
}

}  // namespace
