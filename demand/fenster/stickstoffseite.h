#pragma once
// The page "Stickstoff": the crop rows of the year, the Nmin inputs of the
// current one with their data sources and calculation date, "Berechnen" and
// the evaluation for arable land, grassland or vegetables.

#include "bedarfsseite.h"

#include <QVariant>

#include <optional>

class QLabel;
class QStackedWidget;
class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;

class TStickstoffSeite : public TBedarfsseite {
  Q_OBJECT
public:
  explicit TStickstoffSeite(TBedarfsdaten& daten, QWidget* eltern = nullptr);

  TADODataSetMod& Liste() const { return *m_liste; }
  bool Speichern() override;
  void Schliessen() override;

  // Opens the crop rows of the year at the row with this ID, else at the
  // first row of the parcel.
  void Zeigen(int parzelle, qint64 anbauId) override;
  std::optional<std::pair<int, qint64>> Stelle() const override;
  // The evaluation shown by crop group: 0 arable land, 1 grassland, 2 vegetables.
  int Auswertungsseite() const;

  // --- actions of the buttons ---------------------------------------------------
  void Berechnen();
  void NminMerken();
  void NminSetzen();
  // Layer 60-90 cm from the two layers above (double-click on it).
  void DritteSchichtAbleiten();
  void QuelleGewaehlt();
  void QuelleLoeschen();
  // The year is calculated first; then the sheet of the current crop row, or of every calculated one.
  void ErgebnisDrucken();
  void AlleBerechnetenDrucken();
  // "Excel-Export": the nitrogen list of the farm year.
  void ExcelExport();

signals:
  // "Berechnen" found the field incomplete: it is to be shown and checked.
  void SchlagZeigen(int parzelle);
  // "Berechnen" found the crop row incomplete: it is to be shown and checked.
  void KulturZeigen(int parzelle, qint64 anbauId);

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void AuswertungBauen();
  void Anzeigen();
  void NminSummeSetzen();
  // After a real change of the Nmin inputs: the stored demand is cleared.
  void BedarfVerwerfen();
  void DatumVerlassen();
  void Drucken(bool alle);

  TADODataSetMod* m_liste;
  TADOPanel* m_panel;
  QWidget* m_nminGruppe;
  TDBEditMod* m_schicht[3] = {};
  TDBComboBoxMod* m_quelle030;
  TDBComboBoxMod* m_quelle6090;
  TDBEditMod* m_datum;
  QStackedWidget* m_auswertung = nullptr;
  // The evaluation's values are read-only inputs: a screen reader reads
  // their caption as name and the number as value.
  QLabel* m_ertragLabel[3] = {};
  QWidget* m_ertragWert[3] = {};
  QLabel* m_rotLabel[3] = {};
  TDBEditMod* m_rotWert[3] = {};
  TDBEditMod* m_bedarfWert[3] = {};
  QLabel* m_hinweis = nullptr;
  QLabel* m_wrwghLabel = nullptr;
  QWidget* m_wrwghWert = nullptr;
  QLabel* m_rohproteinLabel = nullptr;
  QWidget* m_rohproteinWert = nullptr;
  QPushButton* m_nminSetzen;

  // Remembered values of "Nmin merken".
  std::optional<QVariantList> m_nmin;
};
