#include "befehle.h"

#include "connection.h"
#include "dataset.h"
#include "fehlertexte.h"
#include "meldungen.h"
#include "tsv.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <optional>

namespace Befehle {

bool Lesen(const QString& ordner, TTsv& tsv) {
  QString inhalt;
  const QDir d(ordner);
  for (const QString& name : d.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
    QFile f(d.filePath(name));
    if (!f.open(QIODevice::ReadOnly)) return false;
    inhalt += QString::fromUtf8(f.readAll()) + QLatin1Char('\n');
  }
  tsv = {};
  tsv.spalten = {QStringLiteral("B_GruppeNr"), QStringLiteral("B_Nr"),   QStringLiteral("B_GruppenText"),
                 QStringLiteral("B_Text"),     QStringLiteral("B_1"),    QStringLiteral("B_2"),
                 QStringLiteral("B_Erklaerung"), QStringLiteral("AL_Nrn"), QStringLiteral("GL_Nrn"),
                 QStringLiteral("Gem_Nrn"),    QStringLiteral("Nr")};
  static const QRegularExpression kopf(QStringLiteral("^\\[(\\d+)/(\\d+)\\]\\s*$"));
  static const QRegularExpression feld(QStringLiteral("^(Gruppe|Text|Erklaerung|AL_Nrn|GL_Nrn|Gem_Nrn):\\s?(.*)$"));
  static const QRegularExpression regel(QStringLiteral("^(B_1|B_2):\\s*$"));
  const QHash<QString, int> spalteVon = {{QStringLiteral("Gruppe"), 2},     {QStringLiteral("Text"), 3},
                                         {QStringLiteral("B_1"), 4},        {QStringLiteral("B_2"), 5},
                                         {QStringLiteral("Erklaerung"), 6}, {QStringLiteral("AL_Nrn"), 7},
                                         {QStringLiteral("GL_Nrn"), 8},     {QStringLiteral("Gem_Nrn"), 9}};
  QStringList* zeile = nullptr;
  int inRegel = -1;  // column of the rule being read
  for (const QString& roh : inhalt.split(QLatin1Char('\n'))) {
    const QString l = roh.endsWith(QLatin1Char('\r')) ? roh.chopped(1) : roh;
    if (l.startsWith(QLatin1Char('#'))) continue;  // comments of the rules files; SQL has none of this form
    if (const auto m = kopf.match(l); m.hasMatch()) {
      tsv.zeilen.push_back({m.captured(1), m.captured(2), QString(), QString(), QString(), QString(), QString(),
                            QString(), QString(), QString(), QString()});
      zeile = &tsv.zeilen.back();
      inRegel = -1;
    } else if (!zeile) {
      continue;
    } else if (const auto r = regel.match(l); r.hasMatch()) {
      inRegel = spalteVon.value(r.captured(1));
    } else if (const auto k = feld.match(l); k.hasMatch() && inRegel < 0) {
      (*zeile)[spalteVon.value(k.captured(1))] = k.captured(2);
    } else if (inRegel >= 0) {
      QString& text = (*zeile)[inRegel];
      text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + l;
    }
  }
  std::stable_sort(tsv.zeilen.begin(), tsv.zeilen.end(), [](const QStringList& a, const QStringList& b) {
    return std::make_pair(a[0].toInt(), a[1].toInt()) < std::make_pair(b[0].toInt(), b[1].toInt());
  });
  for (size_t i = 0; i < tsv.zeilen.size(); ++i) {
    auto& z = tsv.zeilen[i];
    z[4] = z[4].trimmed();
    z[5] = z[5].trimmed();
    z[10] = QString::number(i + 1);
  }
  return !tsv.zeilen.empty();
}

QString Abbruchmeldung(TADOModConnection& db, const std::vector<int>& gruppen) {
  QStringList nummern;
  for (int g : gruppen) nummern << QString::number(g);
  return QStringLiteral("Die Berechnung (%1 %2) konnte nicht gespeichert werden, keine ihrer Änderungen "
                        "wurde übernommen. ")
             .arg(gruppen.size() == 1 ? QStringLiteral("Befehlsgruppe") : QStringLiteral("Befehlsgruppen"),
                  nummern.join(QStringLiteral(", "))) +
         Fehlertexte::Schreiben(db.DatenbankName(), db.LetzterCode(), db.LetzterFehler());
}

namespace {

// True when the text holds a further statement after a complete one.
bool MehrereAnweisungen(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  for (qsizetype i = utf8.indexOf(';'); i >= 0; i = utf8.indexOf(';', i + 1))
    if (sqlite3_complete(utf8.left(i + 1).constData())) return !utf8.mid(i + 1).trimmed().isEmpty();
  return false;
}

struct TBefehl {
  qlonglong nr;
  QString text;
  bool mehrteilig;
};

std::vector<TBefehl> BefehleDerGruppe(TADOModConnection& db, int gruppe, const char* variante) {
  std::vector<TBefehl> befehle;
  TAbfrage a(db, QStringLiteral("select B_Nr, %1 from Befehle where B_GruppeNr = :g order by B_Nr").arg(QLatin1String(variante)),
             {{QStringLiteral("g"), gruppe}});
  while (a.Naechste()) {
    const QString text = a.Wert(1).toString();
    if (!text.trimmed().isEmpty()) befehle.push_back({a.Wert(0).toLongLong(), text, MehrereAnweisungen(text)});
  }
  return befehle;
}

// False only when the engine gave up the transaction (full disk, disk error).
bool GruppeAusfuehren(TADOModConnection& db, int gruppe, const char* variante, const TParameter& parameter) {
  for (const TBefehl& b : BefehleDerGruppe(db, gruppe, variante)) {
    // A single statement that fails leaves nothing behind by itself; only a
    // command of several statements needs a savepoint to be undone whole.
    // (A savepoint per command costs a copy of every page it touches.)
    std::optional<TTransaktion> befehlTx;
    if (b.mehrteilig) befehlTx.emplace(db);
    if (db.Ausfuehren(b.text, parameter)) {
      if (befehlTx) befehlTx->Bestaetigen();
      continue;
    }
    const QString fehler = db.LetzterFehler();
    if (befehlTx) befehlTx->Verwerfen();
    if (db.TransaktionAbgebrochen()) return false;
    if (db.Meldungen())
      db.Meldungen()->Info(fehler + QStringLiteral("\nBefehl: %1/%2\n").arg(gruppe).arg(b.nr) + b.text);
  }
  return true;
}

// The groups of one run share one transaction: one commit instead of one
// per group, and a run whose changes cannot be saved leaves nothing half done.
bool Lauf(TADOModConnection& db, const std::vector<int>& gruppen, const char* variante, const TParameter& parameter) {
  TTransaktion laufTx(db);
  bool ok = true;
  // A later group builds on the earlier ones: after a failed one none runs.
  for (int g : gruppen)
    if (!(ok = GruppeAusfuehren(db, g, variante, parameter))) break;
  if (ok && laufTx.Bestaetigen()) return true;
  laufTx.Verwerfen();
  if (db.Meldungen()) db.Meldungen()->Info(Abbruchmeldung(db, gruppen));
  return false;
}

TParameter JahrUndBetrieb(int jahr, int betrieb) {
  return {{QStringLiteral("Jahr"), jahr}, {QStringLiteral("BetriebsNr"), betrieb}};
}

}  // namespace

bool GruppeFuerJahr(TADOModConnection& db, int jahr, int betrieb, int gruppe) {
  return Lauf(db, {gruppe}, "B_2", JahrUndBetrieb(jahr, betrieb));
}

bool GruppenFuerJahr(TADOModConnection& db, int jahr, int betrieb, const std::vector<int>& gruppen) {
  return Lauf(db, gruppen, "B_2", JahrUndBetrieb(jahr, betrieb));
}

bool GruppeFuerDatensatz(TADOModConnection& db, qint64 id, int gruppe) {
  return GruppenFuerDatensatz(db, id, {gruppe});
}

bool GruppenFuerDatensatz(TADOModConnection& db, qint64 id, const std::vector<int>& gruppen) {
  return Lauf(db, gruppen, "B_1", {{QStringLiteral("ID"), qlonglong(id)}});
}

namespace {

template <typename Lauf>
bool MitListe(TADODataSetMod& liste, Lauf lauf) {
  const bool bearbeitet =
      liste.Zustand() == TADODataSetMod::TZustand::Bearbeiten || liste.Zustand() == TADODataSetMod::TZustand::Einfuegen;
  if (!liste.SpeichernWennGeaendert()) return false;
  const QVariant id = liste.Wert(QStringLiteral("ID"));
  const bool ok = lauf(id);
  // Re-read either way: after a failed group the list shows what is stored.
  liste.Aktualisieren();
  if (bearbeitet && !id.isNull() && liste.Wert(QStringLiteral("ID")) == id) liste.Bearbeiten();
  return ok;
}

}  // namespace

bool FuerDatensatz(TADODataSetMod& liste, const std::vector<int>& gruppen) {
  return MitListe(liste, [&](const QVariant& id) {
    return id.isNull() || GruppenFuerDatensatz(liste.Verbindung(), id.toLongLong(), gruppen);
  });
}

bool FuerJahr(TADODataSetMod& liste, int jahr, int betrieb, const std::vector<int>& gruppen) {
  return MitListe(liste, [&](const QVariant&) { return GruppenFuerJahr(liste.Verbindung(), jahr, betrieb, gruppen); });
}

}  // namespace Befehle
