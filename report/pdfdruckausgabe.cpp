#include "pdfdruckausgabe.h"

#include "druckdienste.h"
#include "druckvorschau.h"
#include "meldungen.h"
#include "umbruch.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QRegularExpression>

#include <cmath>

using Druckeinheiten::AusMm;

namespace {

const QString StandardSchrift = QStringLiteral("Tahoma");

// Characters up to code 32 count as blank at both ends.
QString Getrimmt(const QString& text) {
  qsizetype anfang = 0, ende = text.size();
  while (anfang < ende && text[anfang].unicode() <= 32) ++anfang;
  while (ende > anfang && text[ende - 1].unicode() <= 32) --ende;
  return text.mid(anfang, ende - anfang);
}

QFont SchriftFuer(const QString& name, int grad, bool fett, bool kursiv, bool unterstrichen) {
  QFont schrift(name);
  // Cell size in device units, as the sheets were laid out at 600 dpi.
  schrift.setPixelSize(std::max(1, int(std::nearbyint(grad * Druckeinheiten::JeZoll / 72.0))));
  schrift.setBold(fett);
  schrift.setItalic(kursiv);
  schrift.setUnderline(unterstrichen);
  // Design widths, the same on screen, printer and PDF, so measured texts fit where they are drawn.
  schrift.setHintingPreference(QFont::PreferNoHinting);
  schrift.setKerning(false);
  // No ligatures: "ff" stays two letters, as the sheets are read back and searched.
  schrift.setStyleStrategy(QFont::PreferNoShaping);
  return schrift;
}

Qt::PenStyle Linienart(int stil) {
  switch (stil) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle Fuellart(int stil) {
  switch (stil) {
    case 1: return Qt::NoBrush;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::FDiagPattern;
    case 5: return Qt::BDiagPattern;
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
  }
}

QPen StiftFuer(const QColor& farbe, int einheiten, Qt::PenStyle art) {
  return QPen(QBrush(farbe), std::max(1, einheiten), art, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

TPDFDruckausgabe::TPDFDruckausgabe(QWidget* eltern, bool querformat, TMeldungen& meldungen, TDruckDienste* dienste)
    : m_eltern(eltern), m_meldungen(meldungen), m_dienste(dienste), m_dokument(querformat) {
  if (!m_dienste) {
    m_eigeneDienste = std::make_unique<TSystemDruckDienste>();
    m_dienste = m_eigeneDienste.get();
  }
  m_leermarke = QImage(10, 10, QImage::Format_RGB32);
  m_leermarke.fill(Qt::white);
  m_seitenbreite = querformat ? 297 : 210;
  m_seitenhoehe = querformat ? 210 : 297;
  m_nutzbareBreite = m_seitenbreite - m_randLinks - m_randRechts;
  m_schrift = SchriftFuer(StandardSchrift, 12, false, false, false);
  m_schriftfarbe = Qt::black;
  m_stift = StiftFuer(Qt::black, 1, Qt::SolidLine);
  m_pinsel = QBrush(Qt::white, Qt::SolidPattern);
}

TPDFDruckausgabe::~TPDFDruckausgabe() = default;

QColor TPDFDruckausgabe::Farbe(TFarbe farbe) {
  return QColor(int(farbe & 0xFF), int((farbe >> 8) & 0xFF), int((farbe >> 16) & 0xFF));
}

double TPDFDruckausgabe::ZeilenvorschubFuer(int grad) {
  const double zelle = std::nearbyint(grad * Druckeinheiten::JeZoll / 72.0);
  return std::nearbyint(1.2 * zelle / 25.4);
}

// --- Document and pages ---------------------------------------------------

void TPDFDruckausgabe::DokumentBeginnen(bool querformat) {
  m_dokument.Leeren();
  m_dokument.QuerformatSetzen(querformat);
  m_seitenbreite = querformat ? 297 : 210;
  m_seitenhoehe = querformat ? 210 : 297;
  m_randLinks = m_randRechts = m_randOben = 7;
  m_nutzbareBreite = m_seitenbreite - m_randLinks - m_randRechts;
  SeiteAnfangen();
}

void TPDFDruckausgabe::NeueSeite() {
  if (m_dokument.Seitenzahl() == 0) DokumentBeginnen(m_dokument.Querformat());
  SeiteAnfangen();
}

void TPDFDruckausgabe::SeiteAnfangen() {
  TDruckSeite& seite = m_dokument.NeueSeite();
  // Every page starts with the engine's defaults; position and advance stay.
  m_schriftgrad = 12;
  m_schrift = SchriftFuer(StandardSchrift, 12, false, false, false);
  m_schriftfarbe = Qt::black;
  m_stift = StiftFuer(Qt::black, 1, Qt::SolidLine);
  m_pinsel = QBrush(Qt::white, Qt::SolidPattern);
  // The blank marker: a white 10 x 10 bitmap, 5 mm wide, near the top-left corner.
  seite.elemente.push_back(TBildElement{QRect(AusMm(1), AusMm(1), AusMm(6) - AusMm(1), AusMm(6) - AusMm(1)),
                                        m_leermarke});
}

TDruckSeite& TPDFDruckausgabe::Seite() {
  if (m_dokument.Seitenzahl() == 0) DokumentBeginnen(m_dokument.Querformat());
  return m_dokument.LetzteSeite();
}

std::unique_ptr<TDruckvorschau> TPDFDruckausgabe::VorschauErzeugen() {
  if (m_dokument.Seitenzahl() == 0) DokumentBeginnen(m_dokument.Querformat());
  return std::make_unique<TDruckvorschau>(m_dokument, m_meldungen, *m_dienste, m_eltern);
}

void TPDFDruckausgabe::DokumentAbschliessen() {
  std::unique_ptr<TDruckvorschau> vorschau = VorschauErzeugen();
  vorschau->exec();
}

// --- Attributes -------------------------------------------------------------

void TPDFDruckausgabe::SchriftSetzen(int grad, quint8 fett, quint8 kursiv, quint8 unterstrichen,
                                     const QString& name, TFarbe farbe) {
  Seite();
  if (grad > 0) m_schriftgrad = grad;
  const QString gesicht = name.isEmpty() ? m_schrift.family() : name;
  m_schrift = SchriftFuer(gesicht, m_schriftgrad, fett == 1, kursiv == 1, unterstrichen == 1);
  m_schriftfarbe = Farbe(farbe);
}

void TPDFDruckausgabe::StiftSetzen(TFarbe farbe, int stil, double breite) {
  Seite();
  m_stift = StiftFuer(Farbe(farbe), AusMm(breite), Linienart(stil));
}

void TPDFDruckausgabe::PinselSetzen(TFarbe farbe, int stil) {
  Seite();
  m_pinsel = QBrush(Farbe(farbe), Fuellart(stil));
}

// --- Text -------------------------------------------------------------------

double TPDFDruckausgabe::Textbreite(const QString& text) const {
  return Druckeinheiten::InMm(QFontMetricsF(m_schrift).horizontalAdvance(text));
}

double TPDFDruckausgabe::Texthoehe() const { return Druckeinheiten::InMm(QFontMetricsF(m_schrift).height()); }

void TPDFDruckausgabe::ZeilenvorschubSetzen(double zeilenabstand) {
  m_zeilenvorschub = zeilenabstand > 0 ? zeilenabstand : ZeilenvorschubFuer(m_schriftgrad);
}

int TPDFDruckausgabe::PassendeLaenge(const QString& text, double breite) const {
  int passt = 0, zuBreit = int(text.size()) + 1;
  while (zuBreit - passt > 1) {
    const int mitte = (passt + zuBreit) / 2;
    if (Textbreite(text.left(mitte)) <= breite)
      passt = mitte;
    else
      zuBreit = mitte;
  }
  return passt;
}

void TPDFDruckausgabe::Zeichnen(const QString& text, double x, double y) {
  if (text.isEmpty()) return;
  Seite().elemente.push_back(TTextElement{QPoint(AusMm(x), AusMm(y)), text, m_schrift, m_schriftfarbe});
}

void TPDFDruckausgabe::Schreiben(const QString& text) {
  if (Getrimmt(text).isEmpty()) return;
  const double w = Textbreite(text);
  double x = m_x;
  QString ausgabe = text;
  switch (m_ausrichtung) {
    case TAusrichtung::Links:
      break;
    case TAusrichtung::LinksBeschnitten:
      if (w > m_clipbreite) ausgabe = text.left(PassendeLaenge(text, m_clipbreite));
      break;
    case TAusrichtung::Seitenmitte:
      x = std::max(0.0, m_randLinks + m_nutzbareBreite / 2 - w / 2);
      break;
    case TAusrichtung::MitteAnX:
      x = std::max(0.0, m_x - w / 2);
      break;
    case TAusrichtung::RechtsAnX:
      x = std::max(0.0, m_x - w);
      break;
  }
  Zeichnen(ausgabe, x, m_y);
}

void TPDFDruckausgabe::TextAn(const QString& text, double x, double y, double zeilenabstand, double clipbreite) {
  m_x = x;
  m_y = y;
  m_ausrichtung = clipbreite != 0 ? TAusrichtung::LinksBeschnitten : TAusrichtung::Links;
  m_clipbreite = clipbreite;
  ZeilenvorschubSetzen(zeilenabstand);
  Schreiben(text);
}

void TPDFDruckausgabe::TextRechtsAn(const QString& text, double x, double y, double zeilenabstand, double) {
  // The clip width has no meaning for right-aligned text.
  m_x = x;
  m_y = y;
  m_ausrichtung = TAusrichtung::RechtsAnX;
  m_clipbreite = 0;
  ZeilenvorschubSetzen(zeilenabstand);
  Schreiben(text);
}

void TPDFDruckausgabe::TextZentriertAn(const QString& text, double x, double y, double zeilenabstand) {
  m_x = x;
  m_y = y;
  m_ausrichtung = TAusrichtung::MitteAnX;
  m_clipbreite = 0;
  ZeilenvorschubSetzen(zeilenabstand);
  Schreiben(text);
}

void TPDFDruckausgabe::TextSeitenmitte(const QString& text, double y, double zeilenabstand) {
  m_x = m_randLinks + m_nutzbareBreite / 2;
  m_y = y;
  m_ausrichtung = TAusrichtung::Seitenmitte;
  m_clipbreite = 0;
  ZeilenvorschubSetzen(zeilenabstand);
  Schreiben(text);
}

void TPDFDruckausgabe::TextLinks(const QString& text, double x) {
  m_x = x;
  m_ausrichtung = TAusrichtung::Links;
  m_clipbreite = 0;
  Schreiben(text);
}

void TPDFDruckausgabe::TextRechts(const QString& text, double x) {
  m_x = x;
  m_ausrichtung = TAusrichtung::RechtsAnX;
  m_clipbreite = 0;
  Schreiben(text);
}

void TPDFDruckausgabe::NaechsteZeile() { m_y += m_zeilenvorschub; }

void TPDFDruckausgabe::TextNaechsteZeile(const QString& text) {
  m_y += m_zeilenvorschub;
  Schreiben(text);
}

void TPDFDruckausgabe::TextBlock(const QString& text, quint8 silbentrennung, double x, double y, double breite,
                                 double hoehe, double einzug) {
  m_x = x;
  m_y = y;
  m_ausrichtung = TAusrichtung::LinksBeschnitten;
  m_clipbreite = breite;
  ZeilenvorschubSetzen(0);
  if (AusMm(breite) <= 10) return;

  const bool trennen = silbentrennung == 1;
  const Umbruch::TBreite breiteVon = [this](const QString& s) { return Textbreite(s); };
  const double unten = y + hoehe;
  bool erstesStueck = true;

  const QStringList zeilen = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  for (const QString& zeile : zeilen) {
    QString rest = Getrimmt(zeile);
    while (!rest.isEmpty()) {
      const double verfuegbar = erstesStueck ? breite - einzug : breite;
      const int n = Umbruch::Umbruchstelle(rest, verfuegbar, trennen, breiteVon);
      if (n <= 0) return;  // not even one character fits
      QString stueck = Getrimmt(rest.left(n));
      if (Umbruch::BrauchtBindestrich(rest, n)) stueck += QLatin1Char('-');
      rest = Getrimmt(rest.mid(n));
      if (stueck.isEmpty()) continue;
      if (!erstesStueck) m_y += m_zeilenvorschub;
      // Only pieces whose whole line stays inside the block are drawn.
      if (m_y + Texthoehe() <= unten) {
        const double links = erstesStueck ? x + einzug : x;
        const QString sichtbar = stueck.left(PassendeLaenge(stueck, verfuegbar));
        Zeichnen(sichtbar, links, m_y);
      }
      erstesStueck = false;
    }
  }
}

// --- Graphics ---------------------------------------------------------------

void TPDFDruckausgabe::Strecke(const QPolygon& punkte) {
  if (m_stift.style() == Qt::NoPen) return;
  Seite().elemente.push_back(TLinienElement{punkte, m_stift});
}

void TPDFDruckausgabe::LinieWaagerecht(double x, double y, double laenge) { Linie(x, y, laenge, 0); }

void TPDFDruckausgabe::LinieSenkrecht(double x, double y, double laenge) { Linie(x, y, 0, laenge); }

void TPDFDruckausgabe::Linie(double x, double y, double dx, double dy) {
  Strecke(QPolygon({QPoint(AusMm(x), AusMm(y)), QPoint(AusMm(x + dx), AusMm(y + dy))}));
}

void TPDFDruckausgabe::Rahmen(double x, double y, double breite, double hoehe) {
  const int x1 = AusMm(x), y1 = AusMm(y), x2 = AusMm(x + breite), y2 = AusMm(y + hoehe);
  Strecke(QPolygon({QPoint(x1, y1), QPoint(x2, y1), QPoint(x2, y2), QPoint(x1, y2), QPoint(x1, y1)}));
}

void TPDFDruckausgabe::Flaeche(double x, double y, double breite, double hoehe) {
  if (m_pinsel.style() == Qt::NoBrush) return;
  const int x1 = AusMm(x), y1 = AusMm(y), x2 = AusMm(x + breite), y2 = AusMm(y + hoehe);
  const QRect rechteck = QRect(x1, y1, x2 - x1, y2 - y1).normalized();
  if (rechteck.isEmpty()) return;
  Seite().elemente.push_back(TFlaechenElement{rechteck, m_pinsel});
}

void TPDFDruckausgabe::FlaecheMitRahmen(double x, double y, double breite, double hoehe) {
  Flaeche(x, y, breite, hoehe);
  Rahmen(x, y, breite, hoehe);
}

void TPDFDruckausgabe::BildAn(const QImage& bild, double x, double y, double breite, double hoehe) {
  if (bild.isNull()) return;
  const int x1 = AusMm(x), y1 = AusMm(y), x2 = AusMm(x + breite), y2 = AusMm(y + hoehe);
  Seite().elemente.push_back(TBildElement{QRect(x1, y1, x2 - x1, y2 - y1), bild});
}

void TPDFDruckausgabe::Bild(const QString& datei, double x, double y, double breite) {
  // The printouts name files the Windows way, relative to the working folder.
  QString pfad = datei;
  pfad.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const QFileInfo info(QDir::current(), pfad);
  if (!info.isFile()) return;
  const QImage bild(info.absoluteFilePath());
  if (bild.isNull() || bild.width() <= 0) return;
  const double links = std::nearbyint(x), oben = std::nearbyint(y), w = std::nearbyint(breite);
  const double h = w * bild.height() / bild.width();
  const int x1 = AusMm(links), y1 = AusMm(oben), x2 = AusMm(links + w), y2 = AusMm(oben + h);
  Seite().elemente.push_back(TBildElement{QRect(x1, y1, x2 - x1, y2 - y1), bild});
}
