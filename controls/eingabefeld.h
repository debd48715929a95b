#pragma once
// The common ground of the bound and unbound input fields: which keys a
// kind takes, how a text is normalised on leaving, the bound test with its
// messages and questions, and the colours.

#include "eingabeformat.h"

#include <QLineEdit>

class TMeldungen;
class THilfsfenster;

class TEingabeFeld : public QLineEdit {
  Q_OBJECT
public:
  static inline const QString KeineNegativenText =
      QStringLiteral("Ein negativer Wert ist hier nicht möglich. Bitte geben Sie 0 oder einen positiven Wert ein.");

  TDatenTyp DatenTyp() const { return m_art; }

  bool RO() const { return m_ro; }
  void setRO(bool ro);
  // Decimals of a float field; 0 for every other kind.
  int Genauigkeit() const { return m_art == dtFloat ? m_genauigkeit : 0; }
  void setGenauigkeit(int stellen);
  TLeerErlaubt LeerErlaubt() const { return m_leer; }
  void setLeerErlaubt(TLeerErlaubt leer) { m_leer = leer; }
  double Minwert() const { return m_min; }
  void setMinwert(double w) { m_min = w; }
  double MaxWert() const { return m_max; }
  void setMaxWert(double w) { m_max = w; }
  TMinMaxTest IsGrossKleinTest() const { return m_test; }
  void setIsGrossKleinTest(TMinMaxTest t) { m_test = t; }
  const QString& IsZuKleinString() const { return m_zuKlein; }
  void setIsZuKleinString(const QString& s) { m_zuKlein = s; }
  const QString& IsZuGrossString() const { return m_zuGross; }
  void setIsZuGrossString(const QString& s) { m_zuGross = s; }
  const QColor& GrundFarbe() const { return m_grundFarbe; }
  void setGrundFarbe(const QColor& farbe);
  bool IsUnsigned() const { return m_unsigned; }
  void setIsUnsigned(bool u) { m_unsigned = u; }
  // Areas, amounts and contents are never negative: such an entry is
  // refused with a message and the value from entering comes back.
  bool KeineNegativen() const { return m_keineNegativen; }
  void setKeineNegativen(bool keine) { m_keineNegativen = keine; }
  bool AutoSelect() const { return m_autoSelect; }
  void setAutoSelect(bool a) { m_autoSelect = a; }

  // Typed access to the text.
  QString AsString() const { return text(); }
  void setAsString(const QString& s) { setText(s); }
  qint64 AsInteger() const;
  void setAsInteger(qint64 n);
  double AsFloat() const;
  void setAsFloat(double w);
  // The number as a fraction: 12,5 gives 0.125.
  double AsProcent() const { return AsFloat() / 100.0; }
  void setAsProcent(double anteil) { setAsFloat(anteil * 100.0); }

  // Where messages, questions and beeps go: the field's own service, else
  // that of its panel, else the one of its list's connection.
  void setMeldungen(TMeldungen* meldungen) { m_meldungen = meldungen; }
  TMeldungen& Meldungen() const;
  void setHilfsfenster(THilfsfenster* fenster) { m_hilfsfenster = fenster; }
  THilfsfenster& Hilfsfenster() const;

  // What leaving does: normalise, write back, run the bound test, recolour.
  // False when the test wants the focus back in the field.
  bool VerlassenAusfuehren();
  // Whether some field is just running its leaving (it may ask the user);
  // focus moves meanwhile are not entering or leaving anything.
  static bool VerlassenLaeuft() { return s_verlassend != nullptr; }
  // Whether the user has entered the field and not yet left it.
  bool IstBetreten() const { return m_betreten; }

signals:
  // The focus has left the field after the leaving rules ran.
  void Verlassen();

protected:
  TEingabeFeld(TDatenTyp art, QWidget* eltern);

  void setArt(TDatenTyp art);
  // Read-only in effect (a bound counter column is always).
  virtual bool IstNurLesen() const { return m_ro; }
  virtual bool IstFehlerhaft() const { return false; }
  // Entering: a bound field starts editing its row here.
  virtual void BeimBetreten() {}
  // The user changed the text.
  virtual void NachEingabe() {}
  // Leaving: the normalised text goes to the column.
  virtual void Uebernehmen() {}
  // Escape after a change: the column gets its value from entering back.
  virtual void EingabeZuruecknehmen() {}
  // Escape without a change.
  virtual void EscapeOhneAenderung(QKeyEvent* e);
  // Why a text the user typed is refused on leaving; empty when it is taken.
  // A float refuses more decimals than it has: a typed value is never cut.
  virtual QString Ablehnung(const QString& text) const;
  // The row under a bound field changed while it has the focus: what it
  // shows now is the start of the visit.
  void BesuchNeuBeginnen();
  // Bound fields move on with Enter and the cursor keys.
  virtual bool Navigiert() const { return false; }
  virtual qint64 JahrUmrechnen(qint64 jahr) const { return Eingabe::JahrGebunden(jahr); }
  // Whole numbers the value may take.
  virtual std::pair<qint64, qint64> Bereich() const;
  virtual TMeldungen* WeitereMeldungen() const { return nullptr; }

  // The normalised text; empty when it cannot be converted.
  QString Normalisiert(const QString& text) const;
  // A number as the field shows it.
  QString ZahlAlsText(double wert) const;
  bool IstZahlArt() const { return m_art == dtInteger || m_art == dtFloat || m_art == dtJahr; }
  // The text stands for no value.
  bool TextLeer() const { return m_art == dtDatum ? Eingabe::DatumLeer(text()) : text().isEmpty(); }
  void NurLesenAnwenden();
  void Umfaerben();
  void FarbeSetzen(const QColor& farbe);

  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

  bool m_betreten = false;       // entered and not yet left
  bool m_getippt = false;        // the user changed the text since entering
  bool m_nullVersteckt = false;  // entering showed an empty text for a 0

private:
  bool ZeichenAnnehmen(QChar c, QKeyEvent* e);
  void Escape(QKeyEvent* e);
  bool GrenzenPruefen(double wert);
  void GrenzeSetzen(double grenze);
  QString Meldungstext(const QString& standard, const QString& eigen, double grenze) const;
  void RechnerOeffnen();
  void DatumWaehlen();

  static TEingabeFeld* s_verlassend;

  TDatenTyp m_art;
  bool m_ro = false;
  int m_genauigkeit = 2;
  TLeerErlaubt m_leer = TLeerErlaubt::Erlaubt;
  double m_min = 0;
  double m_max = 0;
  TMinMaxTest m_test = TMinMaxTest::Max_Free_Min_Free;
  QString m_zuKlein;
  QString m_zuGross;
  QColor m_grundFarbe = Eingabe::Weiss;
  bool m_unsigned = false;
  bool m_autoSelect = true;
  bool m_keineNegativen = false;
  TMeldungen* m_meldungen = nullptr;
  THilfsfenster* m_hilfsfenster = nullptr;

  QString m_gemerkt;  // text at entering, for Escape
  bool m_maskeGesetzt = false;
  bool m_tabGemerkt = false;
  Qt::FocusPolicy m_alteFokusPolitik = Qt::StrongFocus;
};
