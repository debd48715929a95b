#pragma once
// The page "Anbau": the fields, the crop rows of the current field in this
// and the following year (the following year yellow) and the inputs of the
// current crop row or catch crop. Crop rows are added only through "Kultur
// anlegen" and "Zwischenfrucht anlegen".

#include "bedarfsseite.h"

#include <QVariant>

#include <optional>
#include <utility>

class QFormLayout;
class QTabWidget;
class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;

class TAnbauSeite : public TBedarfsseite {
  Q_OBJECT
public:
  explicit TAnbauSeite(TBedarfsdaten& daten, QWidget* eltern = nullptr);

  TADODataSetMod& Liste() const { return *m_daten.kulturen; }

  // Fills the crop, previous-crop and catch-crop choices.
  void Oeffnen() override { KulturlistenLaden(); }
  void KulturlistenLaden();
  // Saves a pending edit, then reads the crop rows of the current field.
  void KulturenOeffnen();
  // Shows the inputs the current crop row asks for (vegetables, grassland,
  // individual yield; the catch-crop tab for a catch crop).
  void Sichtbarkeit();
  // Checks the inputs as "OK" does: marks and names the first missing one.
  bool Pruefen();
  // After the crop rows saved a row: the rules run, the lists are re-read.
  void NachDemSpeichern(TADODataSetMod& liste);

  // --- actions of the buttons ---------------------------------------------------
  void KulturAnlegen();
  void ZwischenfruchtAnlegen();
  void KulturLoeschen();
  void FruchtMerken();
  void FruchtSetzen();
  void VorfruchtMerken();
  void VorfruchtSetzen();
  void ZwischenfruchtMerken();
  void ZwischenfruchtSetzen();
  // The choices, as when the user picks an entry.
  void KulturGewaehlt();
  void VorfruchtGewaehlt();
  void ZwischenfruchtGewaehlt();

signals:
  // "Vorauswahl": the farm's preselection is to be opened.
  void VorauswahlVerlangt();

private:
  bool m_kulturNeu = false;  // a crop row is being added through the buttons
  TADOPanel* m_panel;
  QTabWidget* m_fruchtart;
  QFormLayout* m_hfForm;
  TDBComboBoxMod* m_kultur;
  TDBComboBoxMod* m_vorfrucht;
  TDBComboBoxMod* m_zwischenfrucht;
  TDBEditMod* m_einzelertrag;
  QWidget* m_folie;
  QWidget* m_ganzePflanze;
  QWidget* m_einMonatVorher;
  TDBEditMod* m_legAnteil;
  TDBEditMod* m_rohprotein;
  QPushButton* m_fruchtSetzen;
  QPushButton* m_vorfruchtSetzen;
  QPushButton* m_zfSetzen;

  // Remembered values of the "merken" buttons.
  std::optional<std::pair<QVariant, QVariant>> m_frucht;
  std::optional<std::pair<QVariant, QVariant>> m_vorfruchtGemerkt;
  std::optional<std::pair<QVariant, QVariant>> m_zf;
};
