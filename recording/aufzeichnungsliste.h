#pragma once
// The application records of one field as the recording window keeps them:
// the list of the field's records of the fertiliser year and the year after,
// the crop rows they may be booked to, and what adding, choosing and saving
// a record do. No widgets: the window binds its panels to these lists.

#include "aufzeichnung.h"

#include <QObject>
#include <QVariantList>

class TADODataSetMod;
class TADOModConnection;
class TMeldungen;

class TAufzeichnungsliste : public QObject {
  Q_OBJECT
public:
  // The farm is Betriebe.ID, the year its fertiliser year.
  TAufzeichnungsliste(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                      QObject* eltern = nullptr);

  // Dung rows of the field, ordered by Jahr, Kategorie, ID, with the computed
  // columns KategorieText, KulturText ("2021 Winterweizen") and HDText.
  TADODataSetMod& Liste() const { return *m_dung; }
  // The field's crop rows of the year and the year after: ID, Jahr, Kultur, FruchtNr.
  TADODataSetMod& Kulturen() const { return *m_kulturen; }
  // The text of a crop row of the field: its year, a blank, its crop.
  QString KulturText(qint64 anbauId) const;

  // Reads both lists for a field (parcel and size in ha of the fertiliser
  // year); a pending edit is saved first. False when that save failed: the
  // lists stay as they were.
  bool SchlagSetzen(int parzelle, double groesse);
  void Schliessen();
  int Parzelle() const { return m_parzelle; }
  double Groesse() const { return m_groesse; }

  // Appends a record of the category booked to the crop row; false when a
  // pending edit could not be saved.
  bool Anlegen(int kategorie, qint64 kultur);
  // The record's crop row was chosen: the record takes its year.
  void KulturGewaehlt();
  // The record's item was chosen: it takes the master values. A failing
  // read is reported and the record keeps what it had.
  void StammwerteUebernehmen();
  // Whether the row is booked to the crop of the year after.
  bool Folgejahr(int zeile) const;

  // Whether the last save was refused with a message of its own (so a
  // general "failed" need not follow).
  bool AblehnungGemeldet() const { return m_abgelehnt; }
  // One user step may try to save the same record twice (leaving the panel,
  // then moving the list): a refusal of unchanged values is said once. After
  // this call (the window makes it for every new key or mouse press) the
  // next refusal is said again, as for a new request.
  void NeuMelden() { m_abgelehnterStand.clear(); }

private:
  bool VorDemSpeichern(TADODataSetMod& l);

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  int m_parzelle = 0;
  double m_groesse = 0;
  bool m_abgelehnt = false;
  QVariantList m_abgelehnterStand;  // position, values and reason of the last refusal
  TADODataSetMod* m_dung;
  TADODataSetMod* m_kulturen;
};
