#pragma once
// The main window on a copy of farm 2 "Hof Linde" (year 2021), shown and
// active so that the focus moves as on screen. Dialogs are not shown: the
// first-year window takes planned choices, the preview saves a PDF file.
#include "aktionsauswahl.h"
#include "dataset.h"
#include "druckdienste.h"
#include "druckvorschau.h"
#include "hauptfenster.h"
#include "testbetrieb.h"

#include <QApplication>
#include <QDialog>

#include <deque>
#include <memory>
#include <ostream>

// Readable failure output.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class TPlanFenster : public THauptfenster {
public:
  using THauptfenster::THauptfenster;
  QStringList dialoge;
  std::deque<int> wahlen;  // choices of "Aktionsauswahl", tried in turn while it is open
  QString pdfDatei;        // where the preview saves

protected:
  int DialogZeigen(QDialog& dialog) override {
    dialoge << QString::fromLatin1(dialog.metaObject()->className());
    if (auto* a = qobject_cast<TAktionsauswahl*>(&dialog)) {
      while (!wahlen.empty()) {
        const int w = wahlen.front();
        wahlen.pop_front();
        if (a->Waehlen(w)) return QDialog::Accepted;
      }
      return QDialog::Rejected;
    }
    if (auto* v = qobject_cast<TDruckvorschau*>(&dialog); v && !pdfDatei.isEmpty()) v->PdfSpeichern();
    return QDialog::Accepted;
  }
};

class TTestDienste final : public TDruckDienste {
public:
  QStringList angezeigt;
  bool DruckerVorhanden() override { return false; }
  bool Drucken(const TDruckDokument&) override { return false; }
  bool DateiAnzeigen(const QString& pfad) override {
    angezeigt << pfad;
    return true;
  }
};

class FensterBetrieb : public TestBetrieb {
protected:
  void Starten() {
    db.Schliessen();
    fenster = std::make_unique<TPlanFenster>(fensterDb, ordner.path(), meldungen);
    fenster->setDruckDienste(&dienste);
    ASSERT_TRUE(fenster->Starten());
    fenster->FensterEinsetzen(THauptfenster::TAktion::Ertraege, [this](THauptfenster& f) {
      ertraege << QStringLiteral("%1/%2").arg(f.BetriebsNr()).arg(f.Jahr());
    });
    fenster->show();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
  }
  void TearDown() override {
    if (fenster) fenster->close();
  }
  // On the window's own connection: the file is opened exclusively.
  QVariant FWert(const QString& sql, const TParameter& p = {}) { return fensterDb.Wert(sql, p); }
  QStringList Infos() const { return meldungen.Infos(); }

  TADOModConnection fensterDb{&meldungen};
  TTestDienste dienste;
  std::unique_ptr<TPlanFenster> fenster;
  QStringList ertraege;
};
