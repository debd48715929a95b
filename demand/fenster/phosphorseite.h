#pragma once
// The page "Phosphor": the fields of the farm year with their phosphate
// demand; for the current field the soil analysis (bodenpanel.h), the crops of the period
// (previous and main crop, two follow crops, three harvested catch crops),
// "Berechnen" with its checks, and the results. The page works on the
// window's field list, so the content class is derived on every save.

#include "bedarfsseite.h"
#include "phosphorpruefung.h"

#include <optional>

class QFormLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class TADOPanel;
class TBodenpanel;
class TDBComboBoxMod;
class TDBEditMod;

class TPhosphorSeite : public TBedarfsseite {
  Q_OBJECT
public:
  explicit TPhosphorSeite(TBedarfsdaten& daten, QWidget* eltern = nullptr);

  TADODataSetMod& Liste() const { return *m_daten.schlaege; }

  // Fills the crop choices and sets the heading by the year's farming type.
  void Oeffnen() override;
  // The field list is read again (other pages store into the fields) and
  // goes to the parcel.
  void Zeigen(int parzelle, qint64 anbauId) override;

  // --- actions of the buttons ---------------------------------------------------
  // vomKnopf: started by the button itself (the high-content note is only said then).
  void Berechnen(bool vomKnopf = true);
  void Voriger();
  void Naechster();
  void DatumMethodeMerken();
  void DatumMethodeSetzen();
  // "Berechnen" first (a stop still prints the values stored), then the sheet of the current field.
  void ErgebnisDrucken();
  // Group 45 for the year, then the sheets of the fields with a demand.
  void AlleBerechnetenDrucken();
  // "Excel-Export": the phosphate list of the farm year.
  void ExcelExport();

signals:
  // "Berechnen" found the field incomplete: it is to be shown and checked.
  void SchlagZeigen(int parzelle);
  // "Berechnen" found a crop row incomplete (0: none there): it is to be shown.
  void KulturZeigen(int parzelle, qint64 anbauId);

private:
  // The crops of the period, one row each.
  enum TZeile { Vorfrucht, Hauptfrucht, Folge1, Folge2, Zf0, Zf1, Zf2, AnzahlZeilen };
  struct TKulturzeile {
    QString nummer;  // the column of the crop number
    TDBComboBoxMod* wahl = nullptr;
    TDBEditMod* ertrag = nullptr;
    QLabel* einheit = nullptr;
  };
  QGroupBox* KulturenBauen();
  QGroupBox* ErgebnisBauen();
  void Gewaehlt(int zeile);
  void Loeschen(int zeile);
  void Anzeigen();
  // Results 0 and no class on the stored field, then the list is read again.
  void Zuruecksetzen();
  QWidget* Eingabe(Phosphorpruefung::THindernis h, int zwischenfrucht) const;

  TListenAnsicht* m_raster;
  TADOPanel* m_panel;
  QLabel* m_ueberschrift;
  TBodenpanel* m_boden = nullptr;
  TKulturzeile m_zeilen[AnzahlZeilen];
  QPushButton* m_berechnen;
  QPushButton* m_drucken;
  QPushButton* m_alleDrucken;
  QPushButton* m_excel;
  QPushButton* m_setzen;

  // Remembered by "Datum/ Methode merken".
  std::optional<Phosphorpruefung::TDatumMethode> m_gemerkt;
};
