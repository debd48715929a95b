#pragma once
// Many farms at once: for one fertiliser year and a set of farms, the steps
// an adviser repeats for each farm, in this order: recalculate the demands
// (the per-year rules of nitrogen, phosphate and autumn), check the legal
// limits, write the reporting files and the spreadsheet lists. One farm's
// failure is recorded for it and the run goes on with the next; what a farm
// writes goes through the safe writers, so a failed farm leaves no half file.
// No widgets: the window and the command line show what this returns.

#include "mappe.h"
#include "meldungen.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class TADOModConnection;

namespace Stapel {

enum class TSchritt { Berechnen, Pruefen, Melden, Drucken, Listen };
// The steps in the order they run, with their names on the command line.
inline constexpr TSchritt AlleSchritte[] = {TSchritt::Berechnen, TSchritt::Pruefen, TSchritt::Melden,
                                            TSchritt::Drucken, TSchritt::Listen};
QString Name(TSchritt s);  // "berechnen", …
// Its caption in the window and the progress: "Düngebedarfe neu berechnen", …
QString Anzeigename(TSchritt s);
std::optional<TSchritt> SchrittAusName(const QString& name);

struct TAuftrag {
  int jahr = 0;
  std::vector<int> betriebe;       // in this order
  std::vector<TSchritt> schritte;  // run in the order of AlleSchritte
  QString ausgabe;                 // the folder the files go to
  QDate heute;                     // the creation date of the reporting files
  // Writes the farm's printouts as one PDF (batch/druck); false with the
  // reason. Without it the step Drucken fails.
  std::function<bool(TADOModConnection& db, int betrieb, int jahr, const QString& datei, QString* fehler)> pdf;
  // Told before each step of a farm, for the progress shown.
  std::function<void(int betrieb, TSchritt schritt)> schrittBeginnt;
};

// What a farm's run gave.
struct TErgebnis {
  int betrieb = 0;
  QString name;
  std::vector<TSchritt> erledigt;
  QStringList dateien;     // written, full paths
  QStringList ohneBedarf;  // crops without a calculated nitrogen demand
  int ohneDatum = 0;       // records without a date
  int befunde = -1;        // legal findings; -1 when not checked
  QString schwersterBefund;
  QString fehler;  // why the farm failed (German); empty when it did not
  bool Ok() const { return fehler.isEmpty(); }
};

// The farms (not the template farm) that keep the year, by number.
std::vector<int> BetriebeDesJahres(TADOModConnection& db, int jahr);
struct TBetrieb {
  int nr = 0;
  QString name;
};
std::vector<TBetrieb> BetriebeMitNamen(TADOModConnection& db, int jahr);

// One farm: the steps of the order, stopping at the first that fails.
TErgebnis Betrieb(TADOModConnection& db, const TAuftrag& auftrag, int betrieb);

// Told before each farm (its index and number); returns false to stop
// before that farm (the farms before it are done and complete).
using TFortschritt = std::function<bool(int index, int betrieb)>;
std::vector<TErgebnis> Ausfuehren(TADOModConnection& db, const TAuftrag& auftrag, const TFortschritt& weiter = {});

// What the rules, lists and printouts would show in a window, collected for
// the farm's summary; every question is answered "Nein".
class TSammler : public TMeldungen {
public:
  QStringList texte;
  void Info(const QString& text) override { texte << text; }
  bool Frage(const QString& text) override {
    Info(text);
    return false;
  }
  int Ganzzahleingabe(const QString&) override { return 0; }
  std::optional<QDate> Datumseingabe(const QString&) override { return std::nullopt; }
  int Jahreseingabe(const QString&) override { return 0; }
  QString DateiOeffnen(const QString&, const QString&, const QString&) override { return {}; }
  QString DateiSpeichern(const QString&, const QString&, const QString&) override { return {}; }
  QString OrdnerWaehlen(const QString&, const QString&) override { return {}; }
  void Piep() override {}
};

// The folder below the output folder that holds a farm's lists and PDFs.
QString Betriebsordner(const QString& ausgabe, int betrieb, int jahr);

// The traffic light of a farm's row: failed, done with something to look
// at (legal findings, crops without demand, records without a date), done.
enum class TAmpel { Rot, Gelb, Gruen };
TAmpel Ampel(const TErgebnis& e);
// Its word in the summary: "Fehler", "Hinweise", "fertig".
QString AmpelText(TAmpel a);
// The steps done as the summary shows them: "berechnen, pruefen".
QString Schritte(const TErgebnis& e);

// The summary as a spreadsheet list: one row per farm.
TMappe Mappe(const std::vector<TErgebnis>& ergebnisse, int jahr, const QDate& datum);

// The summary as JSON: a list of one object per farm.
QByteArray Json(const std::vector<TErgebnis>& ergebnisse);

}  // namespace Stapel
