#include "tsv.h"

#include <QFile>

namespace {

QString Entschluesseln(const QString& roh) {
  if (!roh.contains(QLatin1Char('\\'))) return roh;
  QString t;
  t.reserve(roh.size());
  for (int i = 0; i < roh.size(); ++i) {
    if (roh[i] == QLatin1Char('\\') && i + 1 < roh.size()) {
      const QChar c = roh[++i];
      t += c == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : c == QLatin1Char('t') ? QChar(QLatin1Char('\t')) : c;
    } else {
      t += roh[i];
    }
  }
  return t;
}

}  // namespace

int TTsv::Spalte(const QString& name) const {
  for (int i = 0; i < spalten.size(); ++i)
    if (spalten[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool TsvLesen(const QString& datei, TTsv& tsv) {
  tsv = {};
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QString text = QString::fromUtf8(f.readAll());
  const QStringList zeilen = text.split(QLatin1Char('\n'));
  bool kopf = true;
  for (QString zeile : zeilen) {
    if (zeile.endsWith(QLatin1Char('\r'))) zeile.chop(1);
    if (zeile.isEmpty()) continue;
    QStringList werte = zeile.split(QLatin1Char('\t'));
    for (QString& w : werte) w = Entschluesseln(w);
    if (kopf) {
      tsv.spalten = werte;
      kopf = false;
    } else {
      tsv.zeilen.push_back(werte);
    }
  }
  return !kopf;
}
