#pragma once
// The page writer through which every printed sheet is drawn. A printout
// places texts, lines, rectangles and images on A4 pages at positions in
// millimetres from the top-left corner of the sheet; the finished document
// is shown in the preview, from which it is printed or saved as PDF.

#include "druckdokument.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QString>

#include <memory>

class QWidget;
class TMeldungen;
class TDruckDienste;
class TDruckvorschau;

class TPDFDruckausgabe {
public:
  // Colours as 0x00BBGGRR: red in the lowest byte.
  using TFarbe = quint32;
  enum class TAusrichtung { Links, LinksBeschnitten, Seitenmitte, MitteAnX, RechtsAnX };

  // Without services the system's printers and PDF viewer are used.
  TPDFDruckausgabe(QWidget* eltern, bool querformat, TMeldungen& meldungen, TDruckDienste* dienste = nullptr);
  ~TPDFDruckausgabe();
  TPDFDruckausgabe(const TPDFDruckausgabe&) = delete;
  TPDFDruckausgabe& operator=(const TPDFDruckausgabe&) = delete;

  // Document and pages.
  void DokumentBeginnen(bool querformat);
  void NeueSeite();
  // Shows the preview modally and returns when the user closes it.
  void DokumentAbschliessen();

  // Attributes; flags are on only with the value 1, an empty face name keeps the face.
  void SchriftSetzen(int grad, quint8 fett, quint8 kursiv, quint8 unterstrichen, const QString& name,
                     TFarbe farbe = 0);
  void StiftSetzen(TFarbe farbe, int stil, double breite);
  void PinselSetzen(TFarbe farbe, int stil);

  // Text with explicit position; a line spacing of 0 takes the advance from the font.
  void TextAn(const QString& text, double x, double y, double zeilenabstand = 0, double clipbreite = 0);
  void TextRechtsAn(const QString& text, double x, double y, double zeilenabstand = 0, double clipbreite = 0);
  void TextZentriertAn(const QString& text, double x, double y, double zeilenabstand = 0);
  void TextSeitenmitte(const QString& text, double y, double zeilenabstand = 0);

  // Text on the current or the next line.
  void TextLinks(const QString& text, double x);
  void TextRechts(const QString& text, double x);
  void NaechsteZeile();
  void TextNaechsteZeile(const QString& text);
  void TextBlock(const QString& text, quint8 silbentrennung, double x, double y, double breite, double hoehe,
                 double einzug);

  double PositionX() const { return m_x; }
  double PositionY() const { return m_y; }
  double Textbreite(const QString& text) const;

  // Graphics; they leave the current position alone.
  void LinieWaagerecht(double x, double y, double laenge);
  void LinieSenkrecht(double x, double y, double laenge);
  void Linie(double x, double y, double dx, double dy);
  void Rahmen(double x, double y, double breite, double hoehe);
  void Flaeche(double x, double y, double breite, double hoehe);
  void FlaecheMitRahmen(double x, double y, double breite, double hoehe);
  void Bild(const QString& datei, double x, double y, double breite);
  // A picture drawn by the program, scaled into the rectangle.
  void BildAn(const QImage& bild, double x, double y, double breite, double hoehe);

  // State, for the preview and for checks.
  double Seitenbreite() const { return m_seitenbreite; }
  double Seitenhoehe() const { return m_seitenhoehe; }
  double RandLinks() const { return m_randLinks; }
  double RandRechts() const { return m_randRechts; }
  double RandOben() const { return m_randOben; }
  double NutzbareBreite() const { return m_nutzbareBreite; }
  TAusrichtung Ausrichtung() const { return m_ausrichtung; }
  double Clipbreite() const { return m_clipbreite; }
  double Zeilenvorschub() const { return m_zeilenvorschub; }
  const QFont& Schrift() const { return m_schrift; }
  QColor Schriftfarbe() const { return m_schriftfarbe; }
  const QPen& Stift() const { return m_stift; }
  const QBrush& Pinsel() const { return m_pinsel; }
  const TDruckDokument& Dokument() const { return m_dokument; }

  // The preview over the finished pages, not yet shown.
  std::unique_ptr<TDruckvorschau> VorschauErzeugen();

  static QColor Farbe(TFarbe farbe);
  // The advance of the next-line operations for a font size, in whole millimetres.
  static double ZeilenvorschubFuer(int grad);

private:
  TDruckSeite& Seite();
  void SeiteAnfangen();
  void ZeilenvorschubSetzen(double zeilenabstand);
  void Schreiben(const QString& text);
  void Zeichnen(const QString& text, double x, double y);
  // Longest leading part of the text not wider than the width.
  int PassendeLaenge(const QString& text, double breite) const;
  double Texthoehe() const;
  void Strecke(const QPolygon& punkte);

  QWidget* m_eltern;
  TMeldungen& m_meldungen;
  TDruckDienste* m_dienste;
  std::unique_ptr<TDruckDienste> m_eigeneDienste;
  TDruckDokument m_dokument;

  double m_seitenhoehe = 297, m_seitenbreite = 210;
  double m_randLinks = 7, m_randRechts = 7, m_randOben = 7;
  double m_nutzbareBreite = 196;
  double m_x = 0, m_y = 0;
  TAusrichtung m_ausrichtung = TAusrichtung::Links;
  double m_clipbreite = 0;
  double m_zeilenvorschub = 0;
  QImage m_leermarke;

  int m_schriftgrad = 12;
  QFont m_schrift;
  QColor m_schriftfarbe;
  QPen m_stift;
  QBrush m_pinsel;
};
