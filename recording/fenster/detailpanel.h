#pragma once
// The base of the record panels below the record list: a record panel over
// the field's records with "OK" and "Abbruch", and the inputs every kind
// shares: the date with its check against the fertiliser year, amounts with
// their unit, the item chosen from a master list (which copies its master
// values) and the crop row the record is booked to.

#include "adopanel.h"
#include "panelmeldungen.h"

class QFormLayout;
class TADODataSetMod;
class TAufzeichnungsliste;
class TDBCheckBoxMod;
class TDBComboBoxMod;
class TDBEditMod;

class TDetailPanel : public TADOPanel {
  Q_OBJECT
public:
  TDetailPanel(TAufzeichnungsliste& liste, TMeldungen& meldungen, int duengejahr, const QString& name,
               QWidget* eltern = nullptr);

  // The input that takes the focus when a record of this kind is added.
  virtual QWidget* ErstesFeld() const = 0;
  // The panel shows another record (or the same one changed).
  virtual void Anzeigen() {}

signals:
  // "OK" saved or "Abbruch" took the changes back: the record list takes over.
  void Fertig();

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  QFormLayout* Form() const { return m_form; }
  TAufzeichnungsliste& Liste() const { return m_liste; }
  // A date input; leaving it checks the date against the fertiliser year.
  // With fokusZurueck the focus returns to it after the message.
  TDBEditMod* Datumsfeld(const QString& beschriftung, bool fokusZurueck);
  // A number input of the record with its unit beside it; a required one
  // is coloured while empty or 0. The label may differ from the accessible name.
  TDBEditMod* Zahlfeld(const QString& spalte, const QString& name, const QString& einheit, int nachkommastellen,
                       bool pflicht, const QString& beschriftung = QString());
  // The item (DngNummer) chosen from a master list; the choice copies the
  // item's master values. Entering it while no item is chosen takes the first.
  TDBComboBoxMod* Eintragsauswahl(const QString& beschriftung, TADODataSetMod& stammliste);
  // The crop row (ProbenID) of the field the record is booked to.
  TDBComboBoxMod* Kulturauswahl(const QString& beschriftung);
  TDBCheckBoxMod* Herbsthaken();
  // "OK" and "Abbruch", last in the panel.
  void Knoepfe();

private:
  void DatumPruefen(TDBEditMod* feld, bool fokusZurueck);
  void EintraegeFuellen(TDBComboBoxMod* auswahl, const TADODataSetMod& stammliste);
  void KulturenFuellen(TDBComboBoxMod* auswahl);
  void EintragGewaehlt();

  TAufzeichnungsliste& m_liste;
  TPanelMeldungen m_panelMeldungen;
  const int m_jahr;
  QFormLayout* m_form;
  TDBComboBoxMod* m_eintrag = nullptr;
};
