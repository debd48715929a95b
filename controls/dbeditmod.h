#pragma once
// The input field bound to a column of an editable list. Its value kind
// follows the column's declared type; a year column is made a year field
// with setDatenTyp(dtJahr). What the user types goes to the column at once
// (normalised), so saving the row while the field has the focus loses
// nothing; leaving the field runs the bound test.

#include "eingabefeld.h"
#include "pruefbaresfeld.h"

#include "dataset.h"

#include <QPointer>

class TDBEditMod : public TEingabeFeld, public TPruefbaresFeld {
  Q_OBJECT
public:
  explicit TDBEditMod(QWidget* eltern = nullptr);
  TDBEditMod(TADODataSetMod* liste, const QString& feld, QWidget* eltern = nullptr);

  void Binden(TADODataSetMod* liste, const QString& feld);
  TADODataSetMod* DataSet() const { return m_liste; }
  const QString& DataField() const { return m_feld; }

  // Fixes the value kind instead of taking it from the column.
  void setDatenTyp(TDatenTyp art);
  // Setting it takes the value kind from the column again.
  bool Schalter() const { return m_schalter; }
  void setSchalter(bool schalter);
  TFehlerFaerben Fehler_Faerben() const { return m_faerben; }
  void setFehler_Faerben(TFehlerFaerben regel);
  // The display format of a float field: "0." and one "0" per decimal.
  QString DisplayFormat() const;
  // The column's value in the current row; null when there is none.
  QVariant Wert() const;
  // Whether the column's value now differs from the one at entering: after
  // Verlassen, whether the user really changed it.
  bool WertGeaendert() const;
  // Counter columns are always read-only.
  bool IstZaehler() const { return m_zaehler; }

  bool FeldFehlerhaft() const override { return IstFehlerhaft(); }
  void PanelFehlerZeigen() override;

public slots:
  // Shows the column's value again.
  void Anzeigen();

protected:
  bool IstNurLesen() const override { return RO() || m_zaehler || !m_schreibbar; }
  bool IstFehlerhaft() const override;
  void BeimBetreten() override;
  void NachEingabe() override;
  void Uebernehmen() override;
  void EingabeZuruecknehmen() override;
  void EscapeOhneAenderung(QKeyEvent* e) override;
  bool Navigiert() const override { return true; }
  std::pair<qint64, qint64> Bereich() const override;
  TMeldungen* WeitereMeldungen() const override;

private:
  void ArtAbleiten();
  const TADODataSetMod::TFeld* Spalte() const;
  bool Bearbeitet() const;
  QVariant WertAusText(const QString& text) const;
  QString TextAusWert(const QVariant& wert) const;
  bool Gleich(const QVariant& a, const QVariant& b) const;
  void Schreiben(const QVariant& wert);

  QPointer<TADODataSetMod> m_liste;
  QString m_feld;
  QString m_typ;  // declared type of the column
  Eingabe::TSpaltenArt m_spaltenArt = Eingabe::TSpaltenArt::Text;
  TFehlerFaerben m_faerben = cnstNichtFaeben;
  bool m_artFest = false;
  bool m_schalter = false;
  bool m_zaehler = false;
  bool m_schreibbar = true;
  bool m_schreibt = false;  // our own write must not overwrite what is typed
  QVariant m_wertBeimBetreten;
  std::vector<QMetaObject::Connection> m_verbindungen;
};
