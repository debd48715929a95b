#pragma once
// The modal preview of a printed document: a page view and a side panel with
// the page counter and the commands to page, zoom, print and save as PDF.

#include <QDialog>
#include <QString>

class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class TDruckDokument;
class TDruckDienste;
class TMeldungen;
class TSeitenansicht;

class TDruckvorschau : public QDialog {
  Q_OBJECT
public:
  enum class TZoom { SeiteEinpassen, Seitenbreite, Prozent };
  // Said after saving when no viewer shows the file; the path follows.
  static inline const QString GespeichertText = QStringLiteral("Die PDF-Datei wurde gespeichert:\n");

  TDruckvorschau(const TDruckDokument& dokument, TMeldungen& meldungen, TDruckDienste& dienste,
                 QWidget* eltern = nullptr);
  ~TDruckvorschau() override;

  // 1-based.
  int AktuelleSeite() const { return m_seite; }
  void SeiteZeigen(int nummer);
  void NaechsteSeite();
  void VorigeSeite();
  void GeheZuSeite();

  void ZoomSetzen(TZoom art, int prozent = 100);
  TZoom Zoom() const { return m_zoom; }
  int ZoomProzent() const { return m_prozent; }
  // Screen pixels per millimetre of the sheet.
  double Massstab() const { return m_massstab; }

  // Prints on the default printer and closes; stays open when printing fails.
  bool Drucken();
  // Asks for a file, writes the whole document into it and opens it in the
  // default viewer. False when nothing was saved.
  bool PdfSpeichern();

  QString Seitenzaehler() const;

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void Aktualisieren();
  void ZoomAnwenden();

  const TDruckDokument& m_dokument;
  TMeldungen& m_meldungen;
  TDruckDienste& m_dienste;
  int m_seite = 1;
  TZoom m_zoom = TZoom::SeiteEinpassen;
  int m_prozent = 100;
  double m_massstab = 1;

  QLabel* m_zaehler;
  QPushButton* m_naechste;
  QPushButton* m_vorige;
  QPushButton* m_drucken;
  QScrollArea* m_flaeche;
  TSeitenansicht* m_ansicht;
};
