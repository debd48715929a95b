#pragma once
// Every message, question, input box, file dialog and beep of the program goes
// through this one interface. The program uses the Qt implementation
// (controls/), tests a scripted one that records each text and returns planned
// answers. It lives here, beside the access layer, because reporting-mode SQL
// shows the engine's error text through it.

#include <QDate>
#include <QString>
#include <optional>

class TMeldungen {
public:
  virtual ~TMeldungen() = default;

  // Information box with "OK".
  virtual void Info(const QString& text) = 0;
  // The same with a caption of its own instead of the program's name.
  virtual void InfoMitTitel(const QString& titel, const QString& text) {
    (void)titel;
    Info(text);
  }
  // Question box with "Ja" and "Nein"; true for "Ja".
  virtual bool Frage(const QString& text) = 0;

  // "Ganzzahleingabe": an integer; closing without "OK" gives 0.
  virtual int Ganzzahleingabe(const QString& aufforderung) = 0;
  // "Datumseingabe": a date; closing without "OK" gives nothing.
  virtual std::optional<QDate> Datumseingabe(const QString& aufforderung) = 0;
  // "Jahreseingabe": a year; closing without "OK" gives 0.
  virtual int Jahreseingabe(const QString& aufforderung) = 0;

  // File dialogs; an empty text when the user cancels.
  virtual QString DateiOeffnen(const QString& titel, const QString& ordner,
                               const QString& filter) = 0;
  virtual QString DateiSpeichern(const QString& titel, const QString& vorschlag,
                                 const QString& filter) = 0;
  virtual QString OrdnerWaehlen(const QString& titel, const QString& ordner) = 0;

  virtual void Piep() = 0;

  // An input box for a line of text, preset with `vorgabe`; nothing when it
  // is closed without "OK".
  virtual std::optional<QString> Texteingabe(const QString& titel, const QString& aufforderung,
                                             const QString& vorgabe) {
    (void)titel, (void)aufforderung, (void)vorgabe;
    return std::nullopt;
  }

  // A small window with the text and the busy cursor while a long procedure
  // runs; every Beginn is followed by an Ende, also after an error.
  virtual void WartenBeginnen(const QString& text) { (void)text; }
  virtual void WartenBeenden() {}
  // How far the procedure in the wait window has come: `erledigt` of
  // `gesamt` at the step named in German. With `abbrechbar` the window
  // offers "Abbrechen" (only where stopping leaves the data whole); the
  // result is false once it was pressed, and the caller stops at its next
  // safe point.
  virtual bool Fortschritt(int erledigt, int gesamt, const QString& schritt, bool abbrechbar = false) {
    (void)erledigt, (void)gesamt, (void)schritt, (void)abbrechbar;
    return true;
  }
};

// Shows the wait window for the lifetime of the object.
class TWarten {
public:
  TWarten(TMeldungen* meldungen, const QString& text) : m_meldungen(meldungen) {
    if (m_meldungen) m_meldungen->WartenBeginnen(text);
  }
  ~TWarten() {
    if (m_meldungen) m_meldungen->WartenBeenden();
  }
  TWarten(const TWarten&) = delete;
  TWarten& operator=(const TWarten&) = delete;
  bool Schritt(int erledigt, int gesamt, const QString& schritt, bool abbrechbar = false) {
    return !m_meldungen || m_meldungen->Fortschritt(erledigt, gesamt, schritt, abbrechbar);
  }

private:
  TMeldungen* m_meldungen;
};

// Discards every message and answers "Nein", 0 or nothing: for code paths that
// have no one to ask (a connection opened by a tool, a benchmark).
class TStilleMeldungen final : public TMeldungen {
public:
  void Info(const QString&) override {}
  bool Frage(const QString&) override { return false; }
  int Ganzzahleingabe(const QString&) override { return 0; }
  std::optional<QDate> Datumseingabe(const QString&) override { return std::nullopt; }
  int Jahreseingabe(const QString&) override { return 0; }
  QString DateiOeffnen(const QString&, const QString&, const QString&) override { return {}; }
  QString DateiSpeichern(const QString&, const QString&, const QString&) override { return {}; }
  QString OrdnerWaehlen(const QString&, const QString&) override { return {}; }
  void Piep() override {}
};
