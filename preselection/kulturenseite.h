#pragma once
// The page "KulturenNP": which crops the farm grows, and its average
// yields. Choosing a crop without a yield asks for one; yields outside
// 0.1 to 2.25 times the reference yield are refused with a message.

#include "listenseite.h"

class QLabel;
class TADOPanel;
class TDBCheckBoxMod;
class TDBEditMod;
class TIntEdit;

class TKulturenSeite : public TListenSeite {
  Q_OBJECT
public:
  TKulturenSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, QWidget* eltern = nullptr);

  void Umschalten() override;

  static bool ErtragZulaessig(double ertrag, double ertragsniveau);
  static QString Bereichsmeldung(double ertragsniveau);
  // The year column of a fertiliser year ("TatsErtrag_21"); empty outside 2018 to 2030.
  static QString Jahresspalte(int jahr);

  TADOPanel* Panel() const { return m_panel; }
  TDBEditMod* Ertrag() const { return m_ertrag; }
  TDBEditMod* ErtragNG() const { return m_ertragNG; }
  TIntEdit* Frischmasse() const { return m_fm; }
  TIntEdit* FrischmasseNG() const { return m_fmNG; }

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  QStringList VerwendeteAnweisungen() const override;
  void PositionGewechselt() override;

private:
  void ErtragPruefen(const QString& feld);
  void FrischmasseUebernehmen(TIntEdit* eingabe, const QString& feld);

  const int m_jahr;
  TADOPanel* m_panel;
  TDBEditMod* m_ertrag;
  TDBEditMod* m_ertragNG;
  TIntEdit* m_fm;
  TIntEdit* m_fmNG;
  QLabel* m_fmBeschriftung;
  QLabel* m_fmNGBeschriftung;
};
