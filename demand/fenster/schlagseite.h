#pragma once
// The page "Schlag-Grunddaten": the fields of the farm year in a grid (the
// incomplete ones red) and the soil data of the current field. Fields are
// added only through "neuen Schlag anlegen" and "Schlagteilung".

#include "bedarfsseite.h"
#include "schlagdaten.h"

#include <QVariant>

#include <optional>
#include <utility>

class QFormLayout;
class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;

class TSchlagSeite : public TBedarfsseite {
  Q_OBJECT
public:
  explicit TSchlagSeite(TBedarfsdaten& daten, QWidget* eltern = nullptr);

  TADODataSetMod& Liste() const { return *m_daten.schlaege; }

  // Shows the inputs the current field asks for (grassland soil class or
  // humus, part areas of a management unit).
  void Sichtbarkeit();
  // Checks the inputs as "OK" does: marks and names the first missing one.
  bool Pruefen();
  // After the field list saved a row; angezeigt: this page is the current one.
  void NachDemSpeichern(TADODataSetMod& liste, bool angezeigt);
  // Before the field list saves a row: false when the field cannot be saved
  // under its parcel number (none, or one in use). The reason is said once
  // for a number, not at every later try; the focus goes to the number.
  bool SpeichernPruefen();
  // Why the field being edited cannot be saved; empty when it can.
  QString Speicherhindernis() const;
  // The focus to the parcel number, marked, when the page is shown.
  void ParzelleZeigen();

  // --- actions of the buttons ---------------------------------------------------
  void NeuerSchlag();
  void SchlagTeilung();
  void SchlagLoeschen();

signals:
  // The crop rows are to follow the current field anew.
  void KulturenNeuLaden();
  // Rows of the form were shown or hidden for the current field.
  void SichtbarkeitGeaendert();

private:
  void ParzelleVerlassen();
  // A typed region that is none is said and the focus goes back to it.
  void BkrVerlassen();
  void BkrHinweisZeigen();
  Schlagdaten::TParzelle ParzelleJetzt() const;
  void ParzelleMelden(Schlagdaten::TParzelle p);

  bool m_schlagNeu = false;  // a field is being added through "neuen Schlag anlegen"
  // The parcel refusal said last (kind and number), until the field is saved or dropped.
  std::optional<std::pair<Schlagdaten::TParzelle, QVariant>> m_gemeldet;
  TListenAnsicht* m_raster;
  TADOPanel* m_panel;
  QFormLayout* m_form;
  TDBEditMod* m_parzelle;
  TDBEditMod* m_teilflaechen;
  TDBEditMod* m_feldblock;
  TDBEditMod* m_bkr;
  QWidget* m_bkrHinweis;
  bool m_bkrPruefung = false;
  TDBComboBoxMod* m_nutzung;
  TDBComboBoxMod* m_bodengruppe;
  TDBComboBoxMod* m_glBoden;
  QWidget* m_humus;
};
