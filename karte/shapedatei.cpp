#include "shapedatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <shapefil.h>

namespace Karte {

namespace {

// The file with the extension in any case, as the area application's
// exports differ ("x.SHP", "x.shp").
QString Beiliegend(const QFileInfo& dbf, const QString& endung) {
  const QDir ordner = dbf.dir();
  for (const QString& e : {endung, endung.toUpper()}) {
    const QString pfad = ordner.filePath(dbf.completeBaseName() + e);
    if (QFileInfo::exists(pfad)) return pfad;
  }
  return {};
}

TShapeSatz Satz(SHPObject* o) {
  TShapeSatz s;
  if (!o || o->nSHPType == SHPT_NULL) return s;
  if (o->nSHPType != SHPT_POLYGON && o->nSHPType != SHPT_POLYGONZ && o->nSHPType != SHPT_POLYGONM) {
    s.fehler = QStringLiteral("keine Fläche (Geometrietyp %1)").arg(o->nSHPType);
    return s;
  }
  TUmriss u;
  for (int t = 0; t < o->nParts; ++t) {
    const int von = o->panPartStart[t];
    const int bis = t + 1 < o->nParts ? o->panPartStart[t + 1] : o->nVertices;
    if (von < 0 || bis > o->nVertices || von > bis) {
      s.fehler = QStringLiteral("Ring %1 ist beschädigt").arg(t + 1);
      return s;
    }
    TRing ring;
    ring.reserve(size_t(bis - von));
    for (int i = von; i < bis; ++i) ring.push_back({o->padfX[i], o->padfY[i]});
    u.ringe.push_back(std::move(ring));
  }
  s.fehler = Fehler(u);
  if (s.fehler.isEmpty()) s.umriss = std::move(u);
  return s;
}

}  // namespace

TShapeDatei Lesen(const QString& dbf) {
  TShapeDatei d;
  const QFileInfo info(dbf);
  const QString shp = Beiliegend(info, QStringLiteral(".shp"));
  const QString shx = Beiliegend(info, QStringLiteral(".shx"));
  if (shp.isEmpty() || shx.isEmpty()) {
    d.fehler = QStringLiteral("Die Datei „%1“ fehlt.")
                   .arg(info.completeBaseName() + (shp.isEmpty() ? QStringLiteral(".shp") : QStringLiteral(".shx")));
    return d;
  }
  // shapelib finds the index by the name of the .shp; both have to match in case.
  SHPHandle h = SHPOpen(QFile::encodeName(shp).constData(), "rb");
  if (!h) {
    d.fehler = QStringLiteral("Die Datei „%1“ ist beschädigt oder kein Shape.").arg(QFileInfo(shp).fileName());
    return d;
  }
  int anzahl = 0, typ = 0;
  SHPGetInfo(h, &anzahl, &typ, nullptr, nullptr);
  d.saetze.reserve(size_t(std::max(anzahl, 0)));
  for (int i = 0; i < anzahl; ++i) {
    SHPObject* o = SHPReadObject(h, i);
    if (!o) {
      d.saetze.push_back({std::nullopt, QStringLiteral("Satz nicht lesbar")});
      continue;
    }
    d.saetze.push_back(Satz(o));
    SHPDestroyObject(o);
  }
  SHPClose(h);
  d.gelesen = true;
  if (const QString prj = Beiliegend(info, QStringLiteral(".prj")); !prj.isEmpty()) {
    QFile f(prj);
    if (f.open(QIODevice::ReadOnly)) d.koordinatensystem = QString::fromLatin1(f.read(64 * 1024)).trimmed();
  }
  return d;
}

QString SystemName(const QString& prj) {
  const qsizetype a = prj.indexOf(u'"');
  const qsizetype b = a < 0 ? -1 : prj.indexOf(u'"', a + 1);
  return b > a ? prj.mid(a + 1, b - a - 1) : prj.trimmed();
}

}  // namespace Karte
