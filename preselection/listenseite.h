#pragma once
// One page of the preselection window: a farm's master list as a grid with
// its group buttons, choosing by double-click and Enter, type-ahead, the
// search field, sorting by column title and the buttons that choose or
// clear whole groups.

#include "auswahlmodell.h"
#include "dataset.h"

#include <QWidget>

class QBoxLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;
class TMeldungen;

struct TGruppenKnopf {
  QString text;
  QString filter;  // row filter; empty for "Alle"
};

class TListenSeite : public QWidget {
  Q_OBJECT
public:
  struct TArt {
    QString titel;
    QString tabelle;
    QString abfrage;  // select ... where ..., without ordering
    QString ordnung;  // default order
    QString schluessel = QStringLiteral("ID");
    QString name;  // column of type-ahead and search
    bool auswahl = true;  // the list has the column Auswahl
    bool enter = true;    // Enter flips Auswahl and moves on
    bool tippen = true;
    bool suche = true;
    bool sortieren = true;
    std::vector<TGruppenKnopf> gruppen;
    std::vector<TDataSetModel::TSpalte> spalten;
  };

  TListenSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, TArt art, QWidget* eltern = nullptr);

  // The origin of the nutrient values as text, a column of the query.
  static QString HerkunftSpalte();

  const QString& Titel() const { return m_art.titel; }
  TADODataSetMod& Liste() { return m_liste; }
  QTableView* Tabelle() const { return m_tabelle; }
  TAuswahlModell* Modell() const { return m_modell; }
  QLineEdit* Suchfeld() const { return m_suche; }
  QPushButton* Gruppenknopf(const QString& text) const;
  // Caption of the pressed group button, and its row filter.
  QString Gruppe() const;
  QString Filter() const;

  virtual bool Oeffnen();
  void Schliessen();
  // Saves a pending edit; one that cannot be saved is dropped.
  void SpeichernOderVerwerfen();
  // Reads the list anew with the current filter and order, back at the row.
  bool Neuladen();
  void GruppeWaehlen(const QString& text);
  // Saves the current row, then goes to the row shown at this position.
  bool GeheZu(int zeile);
  bool Finden(const QVariant& schluessel);
  // Flips Auswahl of the current row and saves it.
  virtual void Umschalten();
  // The first row whose name equals the text, else equals it ignoring case,
  // else starts with it ignoring case, else contains it ignoring case; a
  // beep when there is none.
  void Suchen(const QString& text);
  // The first row whose name starts with the character (case-sensitive).
  void Springen(QChar zeichen);
  // "alle auswählen" / "alle aufheben": the group filter only.
  void AlleSetzen(bool an);
  // "verwendete auswählen", over all years of the farm.
  void VerwendeteWaehlen();
  void Sortieren(int spalte);

signals:
  void GruppeGewechselt();

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  // Statements of "verwendete auswählen"; :BNR is the farm.
  virtual QStringList VerwendeteAnweisungen() const { return {}; }
  // Another row became current, or the list was read anew.
  virtual void PositionGewechselt() {}
  // A value of the current row changed.
  virtual void WertGeaendert() {}
  // Appends a row; rows come only through the create buttons.
  bool Anlegen();
  // After saving: the list anew, at the saved row or else the last.
  void NachSpeichernNeuLesen();
  // Whether the row being saved differs from the stored one.
  static bool HatAenderungen(const TADODataSetMod& liste);

  QVBoxLayout* Details() const { return m_details; }
  QHBoxLayout* Knoepfe() const { return m_knoepfe; }
  QPushButton* NeuerKnopf(const QString& text, QBoxLayout* ort);
  // "alle auswählen", "alle aufheben" and "verwendete auswählen", as every page has them.
  void AuswahlKnoepfe();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const TArt m_art;

private:
  QString Abfrage() const;
  bool Laden(const QVariant& schluessel, int altePosition);
  void SichtAbgleichen();
  void GruppenFarben();
  QVariant Schluessel(int zeile) const;
  QString Name(int zeile) const;

  TADODataSetMod m_liste;
  TAuswahlModell* m_modell;
  QTableView* m_tabelle;
  QLineEdit* m_suche = nullptr;
  QVBoxLayout* m_details;
  QHBoxLayout* m_knoepfe;
  std::vector<QPushButton*> m_gruppenKnoepfe;
  int m_gruppe = -1;
  QString m_sortFeld;
  bool m_abgleich = false;
  bool m_anfuegen = false;
};
