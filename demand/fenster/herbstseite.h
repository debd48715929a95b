#pragma once
// The pages "Herbstdüngung" and "Herbstdüngung Nitratgebiet": the fields the
// page lists, the crop planned or sown, its previous crop, long-term organic
// fertilisation and the calculation date of the current field, "Berechnen"
// and the page's autumn demand. The two pages share what "Herbstdüngung
// merken" keeps.

#include "bedarfsseite.h"
#include "herbstduengung.h"

#include <memory>
#include <optional>

class QPushButton;
class TADOPanel;
class TDBEditMod;
class TListenAnsicht;

class THerbstSeite : public TBedarfsseite {
  Q_OBJECT
public:
  // The second page is made with the first as partner: they share the kept inputs.
  THerbstSeite(TBedarfsdaten& daten, Herbstduengung::TSeite seite, THerbstSeite* partner = nullptr,
               QWidget* eltern = nullptr);

  Herbstduengung::TSeite Seite() const { return m_seite; }
  TADODataSetMod& Liste() const { return *m_liste; }
  TListenAnsicht& Raster() const { return *m_raster; }

  bool Speichern() override;
  void Schliessen() override;
  // Re-reads the page's fields and goes to the parcel, else to the first field.
  void Zeigen(int parzelle, qint64 anbauId) override;

  // --- actions of the buttons ---------------------------------------------------
  void Berechnen();
  void Merken();
  void Setzen();
  void AngabenLoeschen();
  // The date tested and "Berechnen" first; nothing is printed without the date.
  void ErgebnisDrucken();
  // The sheets of the fields this page lists with a demand above 0.
  void AlleBerechnetenDrucken();
  // "Excel-Export": the autumn list of this page.
  void ExcelExport();

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  QLayout* Knoepfe();
  QWidget* Eingaben();
  void EingabeGeklickt();
  // The window's field list follows the page, so the next page shows the same field.
  void SchlagFolgen();
  void SetzenFreigeben();

  const Herbstduengung::TSeite m_seite;
  TADODataSetMod* m_liste;
  TListenAnsicht* m_raster = nullptr;
  TADOPanel* m_panel = nullptr;
  TDBEditMod* m_datum = nullptr;
  QPushButton* m_setzen = nullptr;
  bool m_zeigt = false;  // Zeigen moves the list: the window's list stays

  // What "Herbstdüngung merken" kept, shared by both pages.
  std::shared_ptr<std::optional<Herbstduengung::TAngaben>> m_gemerkt;
  THerbstSeite* m_partner = nullptr;
};
