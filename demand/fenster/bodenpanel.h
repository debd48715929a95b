#pragma once
// The soil analysis of the phosphate page ("Bodenuntersuchung"): method,
// P2O5 and P content (either one converts into the other), content class,
// dates and use, bound to the window's field list. Choosing EUF clears the
// results, another method derives the class; a double-click on the
// calculation date enters today.

#include <QGroupBox>

class QFormLayout;
class TADODataSetMod;
class TDBComboBoxMod;
class TDBEditMod;
class TMeldungen;

class TBodenpanel : public QGroupBox {
  Q_OBJECT
public:
  TBodenpanel(TADODataSetMod& schlaege, TMeldungen& meldungen, QWidget* eltern = nullptr);

  // The contents and class are hidden for EUF soils.
  void EufZeigen(bool euf);
  // Where "Berechnen" puts the user for a missing date or a content too small.
  QWidget* Datum() const;
  QWidget* PGehalt() const;

signals:
  // The method changed the field's class or results.
  void MethodeGeaendert();

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void MethodeGewaehlt();
  void DatumVerlassen();

  TADODataSetMod& m_schlaege;
  TMeldungen& m_meldungen;
  QFormLayout* m_form;
  TDBComboBoxMod* m_methode;
  TDBEditMod* m_p2o5;
  TDBEditMod* m_p;
  TDBEditMod* m_klasse;
  TDBEditMod* m_datum;
};
