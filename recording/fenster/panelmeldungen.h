#pragma once
// The message service of the record panels. A record the list refuses to
// save has already said why; the panel's general "Speichern fehlgeschlagen"
// that follows would only repeat it, so it is dropped. Everything else goes
// to the window's service.

#include "aufzeichnungsliste.h"
#include "meldungen.h"

class TPanelMeldungen final : public TMeldungen {
public:
  TPanelMeldungen(TMeldungen& ziel, const TAufzeichnungsliste& liste) : m_ziel(ziel), m_liste(liste) {}

  void Info(const QString& text) override {
    if (text == QLatin1String("Speichern fehlgeschlagen") && m_liste.AblehnungGemeldet()) return;
    m_ziel.Info(text);
  }
  bool Frage(const QString& text) override { return m_ziel.Frage(text); }
  int Ganzzahleingabe(const QString& a) override { return m_ziel.Ganzzahleingabe(a); }
  std::optional<QDate> Datumseingabe(const QString& a) override { return m_ziel.Datumseingabe(a); }
  int Jahreseingabe(const QString& a) override { return m_ziel.Jahreseingabe(a); }
  QString DateiOeffnen(const QString& t, const QString& o, const QString& f) override {
    return m_ziel.DateiOeffnen(t, o, f);
  }
  QString DateiSpeichern(const QString& t, const QString& v, const QString& f) override {
    return m_ziel.DateiSpeichern(t, v, f);
  }
  QString OrdnerWaehlen(const QString& t, const QString& o) override { return m_ziel.OrdnerWaehlen(t, o); }
  void Piep() override { m_ziel.Piep(); }
  void WartenBeginnen(const QString& t) override { m_ziel.WartenBeginnen(t); }
  void WartenBeenden() override { m_ziel.WartenBeenden(); }
  bool Fortschritt(int e, int g, const QString& s, bool a) override { return m_ziel.Fortschritt(e, g, s, a); }

private:
  TMeldungen& m_ziel;
  const TAufzeichnungsliste& m_liste;
};
