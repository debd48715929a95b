#pragma once
// The farm's own yields per crop, as the window "Ertragserfassung" edits
// them: which crops are listed, the column titles and hints by year, the
// range a yield must lie in, and what saving a row writes (the yield of the
// year into its year column). Free of widgets: the window shows the list.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class TADODataSetMod;
class TADOModConnection;
class TMeldungen;

namespace Ertraege {

// --- rules without a database ------------------------------------------------

// The stored year column of a yield: "TatsErtrag_18" … "TatsErtrag_30" for
// 2018 … 2030, empty for other years. The nitrate-area columns likewise
// ("TatsErtragRG_21" …), but only from 2021 on.
QString Jahresspalte(int jahr);
QString JahresspalteNG(int jahr);
// The column that holds the yield used the year before: "TatsErtrag_18" for
// 2018 and 2019, then the previous year's; empty outside 2018 … 2030.
QString VorjahrSpalte(int jahr);
// The nitrate-area yield exists from 2021 on.
bool MitNitratgebiet(int jahr);

// " (dt TM/ha)" for grassland and field forage (crop group 2), else " (dt/ha)".
QString Einheit(int kulturgruppe);
QString TitelKultur();
// "verwendeter Ertrag 2023 (dt/ha)"; once a row was saved
// "Durchschnittsertrag Vorjahr (dt/ha)".
QString TitelVorjahr(int jahr, int kulturgruppe, bool nachSpeichern);
QString TitelErtrag(int jahr, int kulturgruppe);
QString TitelErtragNG(int jahr, int kulturgruppe);
QString TitelAndererErtrag();
// The hints above the table and below it (the second and, from 2021, the third).
QString HinweisOben(int jahr);
QStringList HinweiseUnten(int jahr);

// A yield level above 1 bounds the yield to 0.1 … 2.25 times the level
// (bounds included); an empty yield counts as 0.
bool Ausserhalb(const QVariant& ertrag, const QVariant& ertragsniveau);
// The message of a yield out of range, with the bounds rounded.
QString BereichMeldung(bool nitratgebiet, double ertragsniveau);
extern const QString NegativMeldung;

// The values a row is checked on before it is saved.
struct TZeile {
  QVariant ertrag;    // TatsErtrag
  QVariant ertragNG;  // TatsErtragRG
  QVariant ertragsniveau;
};
// Why the row may not be saved in that year; empty when it may. A negative
// yield is refused; the nitrate-area yield is checked from 2021 on and only
// when it is above 0 (a farm without nitrate area leaves it empty).
QString Pruefen(const TZeile& zeile, int jahr);
// Whether the nitrate-area cell is shown out of range: as the check judges it.
bool AusserhalbNG(const QVariant& ertragNG, const QVariant& ertragsniveau);

// --- the list ------------------------------------------------------------------

// The farm's crops as the window lists them: chosen, or used as main crop,
// following crop or catch crop in any year; without crop group 750 unless all
// are wanted (after a field import); in German order of their names. The
// computed column "ErtragVorjahr" holds the yield used the year before.
class TErtragsliste : public QObject {
  Q_OBJECT
public:
  TErtragsliste(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr, bool alleGruppen = false,
                QObject* eltern = nullptr);

  TADODataSetMod& Liste() const { return *m_liste; }
  int Jahr() const { return m_jahr; }

  bool Oeffnen();
  // Saves a pending change first (with its checks); false when that failed:
  // the list stays open then.
  bool Schliessen();
  // Discards the pending change of the current row.
  void Verwerfen();

  // Flips "anderer Ertrag möglich" of the current row and saves it; false
  // when the row could not be saved (it stays in editing then).
  bool EinzelErtragUmschalten();
  // Whether some row has been saved since the list was opened.
  bool Gespeichert() const { return m_gespeichert; }

  // The current row's crop group; 0 when there is no row.
  int Kulturgruppe() const;
  // Whether a cell of row `zeile` is shown out of range.
  bool ErtragAusserhalb(int zeile) const;
  bool ErtragNGAusserhalb(int zeile) const;

private:
  bool VorDemSpeichern(TADODataSetMod& l);

  TMeldungen& m_meldungen;
  const int m_jahr;
  bool m_gespeichert = false;
  TADODataSetMod* m_liste;
};

}  // namespace Ertraege
