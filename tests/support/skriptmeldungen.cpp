#include "skriptmeldungen.h"

#include <gtest/gtest.h>

namespace {
template <typename T>
T Naechste(std::deque<T>& q, const QString& was, T sonst) {
  if (q.empty()) {
    ADD_FAILURE() << "Keine geplante Antwort für: " << was.toStdString();
    return sonst;
  }
  T v = q.front();
  q.pop_front();
  return v;
}
}  // namespace

QStringList TSkriptMeldungen::Infos() const {
  QStringList infos;
  for (const QString& p : protokoll)
    if (p.startsWith(QLatin1String("Info: "))) infos << p.mid(6);
  return infos;
}

void TSkriptMeldungen::Info(const QString& text) { protokoll << QStringLiteral("Info: ") + text; }

void TSkriptMeldungen::InfoMitTitel(const QString& t, const QString& text) {
  titel << t;
  Info(text);
}

bool TSkriptMeldungen::Frage(const QString& text) {
  protokoll << QStringLiteral("Frage: ") + text;
  return Naechste(antworten, text, false);
}

int TSkriptMeldungen::Ganzzahleingabe(const QString& aufforderung) {
  protokoll << QStringLiteral("Ganzzahleingabe: ") + aufforderung;
  return Naechste(zahlen, aufforderung, 0);
}

std::optional<QDate> TSkriptMeldungen::Datumseingabe(const QString& aufforderung) {
  protokoll << QStringLiteral("Datumseingabe: ") + aufforderung;
  return Naechste(daten, aufforderung, std::optional<QDate>());
}

int TSkriptMeldungen::Jahreseingabe(const QString& aufforderung) {
  protokoll << QStringLiteral("Jahreseingabe: ") + aufforderung;
  return Naechste(zahlen, aufforderung, 0);
}

std::optional<QString> TSkriptMeldungen::Texteingabe(const QString& titel, const QString& aufforderung,
                                                    const QString& vorgabe) {
  protokoll << QStringLiteral("Texteingabe: ") + titel + QStringLiteral(": ") + aufforderung + QStringLiteral(" [") +
                   vorgabe + QLatin1Char(']');
  return Naechste(texte, titel, std::optional<QString>());
}

QString TSkriptMeldungen::DateiOeffnen(const QString& titel, const QString&, const QString&) {
  protokoll << QStringLiteral("DateiOeffnen: ") + titel;
  return Naechste(dateien, titel, QString());
}

QString TSkriptMeldungen::DateiSpeichern(const QString& titel, const QString&, const QString& filter) {
  protokoll << QStringLiteral("DateiSpeichern: ") + titel;
  letzterFilter = filter;
  return Naechste(dateien, titel, QString());
}

QString TSkriptMeldungen::OrdnerWaehlen(const QString& titel, const QString&) {
  protokoll << QStringLiteral("OrdnerWaehlen: ") + titel;
  return Naechste(dateien, titel, QString());
}

void TSkriptMeldungen::Piep() {
  protokoll << QStringLiteral("Piep");
  ++piepser;
}

void TSkriptMeldungen::WartenBeginnen(const QString& text) { protokoll << QStringLiteral("Warten: ") + text; }

void TSkriptMeldungen::WartenBeenden() { protokoll << QStringLiteral("Warten Ende"); }

bool TSkriptMeldungen::Fortschritt(int erledigt, int gesamt, const QString& schritt, bool abbrechbar) {
  fortschritte << QStringLiteral("%1/%2 %3%4").arg(erledigt).arg(gesamt).arg(schritt, abbrechbar ? QStringLiteral("+") : QString());
  return !(abbrechbar && abbrechenBei >= 0 && erledigt >= abbrechenBei);
}
