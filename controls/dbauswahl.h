#pragma once
// The bound choice controls of the record windows: combo box, check box
// and radio group. Each writes its choice to a column at once and knows
// the same colouring rule as the input fields, which the panel checks.

#include "eingabeformat.h"
#include "pruefbaresfeld.h"

#include "dataset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPointer>

#include <functional>

class QButtonGroup;
class QVBoxLayout;

// The link of one control to one column.
class TFeldBindung {
public:
  void Binden(QObject* ziel, TADODataSetMod* liste, const QString& feld, std::function<void()> anzeigen);
  TADODataSetMod* Liste() const { return m_liste; }
  const QString& Feld() const { return m_feld; }
  QVariant Wert() const;
  // Writes the value; starts editing the row when it is browsed.
  void Schreiben(const QVariant& wert);
  bool Fehlerhaft(TFehlerFaerben regel) const;
  // Whether a column value stands for a choice value.
  static bool Entspricht(const QVariant& spalte, const QVariant& wahl);

private:
  QPointer<TADODataSetMod> m_liste;
  QString m_feld;
  std::vector<QMetaObject::Connection> m_verbindungen;
};

class TDBComboBoxMod : public QComboBox, public TPruefbaresFeld {
  Q_OBJECT
public:
  explicit TDBComboBoxMod(QWidget* eltern = nullptr);
  void Binden(TADODataSetMod* liste, const QString& feld);
  TADODataSetMod* DataSet() const { return m_bindung.Liste(); }
  // An entry; without a value its text is stored.
  void Eintrag(const QString& text, const QVariant& wert = {});
  TFehlerFaerben Fehler_Faerben() const { return m_faerben; }
  void setFehler_Faerben(TFehlerFaerben regel);
  void setGrundFarbe(const QColor& farbe);

  bool FeldFehlerhaft() const override { return m_bindung.Fehlerhaft(m_faerben); }
  void PanelFehlerZeigen() override;

public slots:
  void Anzeigen();

private:
  QVariant EintragsWert(int i) const;
  void Umfaerben();
  void FarbeSetzen(const QColor& farbe);

  TFeldBindung m_bindung;
  TFehlerFaerben m_faerben = cnstNichtFaeben;
  QColor m_grundFarbe = Eingabe::Weiss;
};

class TDBCheckBoxMod : public QCheckBox, public TPruefbaresFeld {
  Q_OBJECT
public:
  explicit TDBCheckBoxMod(const QString& text = {}, QWidget* eltern = nullptr);
  void Binden(TADODataSetMod* liste, const QString& feld);
  TADODataSetMod* DataSet() const { return m_bindung.Liste(); }
  // Stored values of the two states: 1 and 0.
  void setWerte(const QVariant& angehakt, const QVariant& leer);
  TFehlerFaerben Fehler_Faerben() const { return m_faerben; }
  void setFehler_Faerben(TFehlerFaerben regel);

  bool FeldFehlerhaft() const override { return m_bindung.Fehlerhaft(m_faerben); }
  void PanelFehlerZeigen() override;

public slots:
  void Anzeigen();

private:
  void Umfaerben();
  void FarbeSetzen(const QColor& farbe);

  TFeldBindung m_bindung;
  TFehlerFaerben m_faerben = cnstNichtFaeben;
  QVariant m_angehakt = qlonglong(1);
  QVariant m_leer = qlonglong(0);
};

class TDBRadioGroupMod : public QGroupBox, public TPruefbaresFeld {
  Q_OBJECT
public:
  explicit TDBRadioGroupMod(const QString& titel = {}, QWidget* eltern = nullptr);
  void Binden(TADODataSetMod* liste, const QString& feld);
  TADODataSetMod* DataSet() const { return m_bindung.Liste(); }
  // A choice with the value it stores.
  void Eintrag(const QString& text, const QVariant& wert);
  // Index of the chosen entry; -1 when none matches the column.
  int Gewaehlt() const;
  QAbstractButton* Knopf(int i) const;
  TFehlerFaerben Fehler_Faerben() const { return m_faerben; }
  void setFehler_Faerben(TFehlerFaerben regel);

  bool FeldFehlerhaft() const override { return m_bindung.Fehlerhaft(m_faerben); }
  void PanelFehlerZeigen() override;

public slots:
  void Anzeigen();

private:
  void Umfaerben();
  void FarbeSetzen(const QColor& farbe);

  TFeldBindung m_bindung;
  TFehlerFaerben m_faerben = cnstNichtFaeben;
  QButtonGroup* m_gruppe;
  QVBoxLayout* m_layout;
  std::vector<QVariant> m_werte;
};
