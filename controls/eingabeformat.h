#pragma once
// What every input field of the program shares: the value kinds, the bound
// test modes, the colours, and how typed text is normalised. Kept free of
// widgets so the rules can be checked on their own.

#include <QColor>
#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

// Value kind of an input field.
enum TDatenTyp { dtString, dtInteger, dtFloat, dtJahr, dtDatum };

enum class TLeerErlaubt { Erlaubt, NichtErlaubt };

// When a bound field shows the error colour.
enum TFehlerFaerben { cnstNichtFaeben, cnstFaerbenWennNull, cnstFaerbenWenn0orLeer };

// What happens at one bound.
enum class TGrenzModus { Free = 0, Korr = 1, MKor = 2, Grenz = 3, Frag = 4 };

// The ordinal is max mode + 5 × min mode.
enum class TMinMaxTest {
  Max_Free_Min_Free, Max_Korr_Min_Free, Max_MKor_Min_Free, Max_Grenz_Min_Free, Max_Frag_Min_Free,
  Max_Free_Min_Korr, Max_Korr_Min_Korr, Max_MKor_Min_Korr, Max_Grenz_Min_Korr, Max_Frag_Min_Korr,
  Max_Free_Min_MKor, Max_Korr_Min_MKor, Max_MKor_Min_MKor, Max_Grenz_Min_MKor, Max_Frag_Min_MKor,
  Max_Free_Min_Grenz, Max_Korr_Min_Grenz, Max_MKor_Min_Grenz, Max_Grenz_Min_Grenz, Max_Frag_Min_Grenz,
  Max_Free_Min_Frag, Max_Korr_Min_Frag, Max_MKor_Min_Frag, Max_Grenz_Min_Frag, Max_Frag_Min_Frag,
};

namespace Eingabe {

inline TGrenzModus MaxModus(TMinMaxTest t) { return TGrenzModus(int(t) % 5); }
inline TGrenzModus MinModus(TMinMaxTest t) { return TGrenzModus(int(t) / 5); }
inline TMinMaxTest Test(TGrenzModus max, TGrenzModus min) { return TMinMaxTest(int(max) + 5 * int(min)); }
// "Max_MKor_Min_Korr" and so on.
QString Name(TMinMaxTest t);

// Colours of the fields.
inline const QColor Weiss{255, 255, 255};
inline const QColor FarbeNurLesen{252, 252, 194};
inline const QColor FarbeFehler{243, 176, 175};
inline const QColor FarbePanelFehler{250, 220, 218};

// The one decimal separator of the program, whatever the system says.
inline constexpr QChar Komma{u','};

// The kind of a column by its declared type; empty for an expression.
enum class TSpaltenArt { Text, Ganzzahl, Wahrheitswert, Kommazahl, Datum, Zeit };
TSpaltenArt SpaltenArt(const QString& deklarierterTyp, const QVariant& beispiel = {});
// Value kind a bound field takes for a column of this kind.
TDatenTyp DatenTypFuer(TSpaltenArt art);
// Largest text of a VARCHAR(n) column; 0 when unlimited.
int TextLaenge(const QString& deklarierterTyp);
// Range of whole numbers a column of this declared type holds.
std::pair<qint64, qint64> GanzzahlBereich(const QString& deklarierterTyp);

// Whether the colouring rule holds for a column value.
bool FehlerRegelGreift(TFehlerFaerben regel, const QVariant& wert, TSpaltenArt art);

// Leaving a field: a leading minus (unless unsigned) and the digits; "0"
// when there is no digit.
QString GanzzahlNormalisieren(const QString& text, bool ohneVorzeichen);
// A leading minus, the digits and the first separator, completed with "0"
// on either side, as a number with the given decimals.
QString KommazahlNormalisieren(const QString& text, int genauigkeit, bool ohneVorzeichen);
// Two- or four-digit years of a bound field: 0–50 → 20xx, 51–100 → 19xx.
qint64 JahrGebunden(qint64 jahr);
// Years of the unbound year field: 0–30 → 20xx, 31–99 → 19xx.
qint64 JahrUngebunden(qint64 jahr);

// Decimals a typed number text has, trailing zeros not counted ("8,250" has 2).
int Nachkommastellen(const QString& text);
// The message that refuses a number with more decimals than the field has.
QString ZuVieleNachkommastellen(int genauigkeit);

// Number text with a decimal comma, as fields show numbers.
QString ZahlText(double wert, int genauigkeit);
// German number text as a number; also takes "." as the separator.
std::optional<double> Zahl(const QString& text);

// A typed date as Datumseingabe::Lesen reads it ("TT.MM.JJ", "TT.MM.JJJJ",
// "TTMMJJ"); two-digit years 00–49 are 20xx, 50–99 are 19xx. Invalid when
// the text is no date.
QDate DatumAusText(const QString& text);
// The text a date field shows: "TT.MM.JJ".
QString DatumText(const QDate& datum);
// The stored text of a date column ("yyyy-MM-dd", optionally with a time).
QDate DatumAusSpalte(const QVariant& wert);
// Whether a date field holds only its empty mask.
bool DatumLeer(const QString& text);

}  // namespace Eingabe
