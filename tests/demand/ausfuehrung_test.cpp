// Failed statements of the demand rules reach the user in German, with the
// engine's text only in brackets behind it.
#include "anbauregeln.h"
#include "ausfuehrung.h"
#include "kulturdaten.h"
#include "schlagdaten.h"
#include "stickstoff.h"
#include "stickstoffbetrieb.h"

#include <functional>

namespace {

using namespace Qt::StringLiterals;

TEST(Ausfuehrung, MeldungNenntFehlerAbhilfeUndMaschinentextInKlammern) {
  EXPECT_EQ(Ausfuehrung::Meldung(u"A ging nicht."_s, u"Tun Sie B."_s, u" disk I/O error "_s),
            u"A ging nicht. Tun Sie B. (disk I/O error)"_s);
  EXPECT_EQ(Ausfuehrung::Meldung(u"A ging nicht."_s, u"Tun Sie B."_s, QString()), u"A ging nicht. Tun Sie B."_s);
}

class AusfuehrungBetrieb : public StickstoffBetrieb {
protected:
  // Every statement of this kind on the table fails with the engine text "kaputt".
  void Sperren(const QString& tabelle, const QString& art) {
    Sql(u"create trigger sperre_%1 before %2 on %1 begin select raise(abort, 'kaputt'); end"_s.arg(tabelle, art));
  }
};

TEST_F(AusfuehrungBetrieb, FehlschlaegeSindDeutschMitMaschinentextInKlammern) {
  struct TFall {
    const char* name;
    QString tabelle, art;
    std::function<void(TADOModConnection&, qint64 schlag, qint64 kultur)> schritt;
    QString anfang;
  };
  const Kulturdaten::TSchlagJahr feld{Betrieb, Jahr, 12};
  const TFall faelle[] = {
      {"Schlag löschen", u"Schlag"_s, u"delete"_s,
       [](TADOModConnection& db, qint64 s, qint64) { EXPECT_FALSE(Schlagdaten::Loeschen(db, s)); },
       u"Der Schlag konnte nicht gelöscht werden."_s},
      {"Vorfrucht in den Schlag", u"Schlag"_s, u"update"_s,
       [feld](TADOModConnection& db, qint64, qint64) {
         Kulturdaten::VorfruchtInSchlag(db, feld, 2, 236101, {u"Winterraps"_s, 40});
       },
       u"Die Vorfrucht konnte nicht in den Schlag übernommen werden."_s},
      {"Zwischenfrucht in den Schlag", u"Schlag"_s, u"update"_s,
       [feld](TADOModConnection& db, qint64, qint64) { Kulturdaten::ZwischenfruchtInSchlag(db, feld, u"x"_s); },
       u"Die Zwischenfrucht konnte nicht in den Schlag übernommen werden."_s},
      {"Schlagteilung", u"Schlag"_s, u"insert"_s,
       [](TADOModConnection& db, qint64 s, qint64) { EXPECT_FALSE(Anbauregeln::SchlagTeilen(db, s, 112)); },
       u"Der Schlag konnte nicht geteilt werden."_s},
      {"Boden in die Kulturen", u"Anbau"_s, u"update"_s,
       [](TADOModConnection& db, qint64 s, qint64) { Anbauregeln::BodenInAnbau(db, s); },
       u"Die Bodendaten des Schlages konnten nicht in seine Kulturen übernommen werden."_s},
      {"Kultur löschen", u"Anbau"_s, u"delete"_s,
       [](TADOModConnection& db, qint64, qint64 k) { Anbauregeln::KulturLoeschen(db, k); },
       u"Die Kultur konnte nicht gelöscht werden."_s},
      {"Folgefrucht nachrücken", u"Anbau"_s, u"update"_s,
       [](TADOModConnection& db, qint64, qint64 k) { Anbauregeln::KulturLoeschen(db, k); },
       u"Nach dem Löschen der Kultur konnten die übrigen Kulturen des Schlages nicht angepasst werden."_s},
      {"Leguminosen-Datensatz", u"Dung"_s, u"insert"_s,
       [](TADOModConnection& db, qint64, qint64 k) { Anbauregeln::LegumAbgleichen(db, k); },
       u"Der Datensatz zur Stickstoffbindung der Leguminosen dieser Kultur konnte nicht angepasst werden."_s},
      {"Bedarfe ohne Ertrag leeren", u"Anbau"_s, u"update"_s,
       [](TADOModConnection& db, qint64, qint64) { Stickstoff::UngueltigeBedarfeLoeschen(db, Betrieb); },
       u"Die Düngebedarfe der Kulturen ohne Ertrag oder Berechnungsdatum konnten nicht geleert werden."_s},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Sql(u"delete from Dung; delete from Anbau; delete from Schlag"_s);
    Schlag(12);
    const qint64 schlag = Wert(u"select ID from Schlag"_s).toLongLong();
    const qint64 kultur = Kultur(12, 224101, {{u"IsLegum"_s, 1}});
    Kultur(12, 236101, {{u"FruchtNr"_s, 2}});
    Sperren(f.tabelle, f.art);
    meldungen.Leeren();
    f.schritt(db, schlag, kultur);
    Sql(u"drop trigger sperre_%1"_s.arg(f.tabelle));
    ASSERT_EQ(meldungen.Infos().size(), 1) << meldungen.protokoll.join(u'\n').toStdString();
    const QString text = meldungen.Infos().first();
    EXPECT_TRUE(text.startsWith(f.anfang)) << text.toStdString();
    EXPECT_TRUE(text.endsWith(u"(kaputt)"_s)) << text.toStdString();
  }
}

}  // namespace
