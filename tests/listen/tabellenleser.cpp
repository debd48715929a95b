#include "tabellenleser.h"

#include "mappe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <cmath>
#include <limits>

namespace {

// RFC 4180 with "," and '"', as LibreOffice writes it.
std::vector<QStringList> CsvZerlegen(const QString& text) {
  std::vector<QStringList> zeilen;
  QStringList zeile;
  QString feld;
  bool inAnfuehrung = false;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (inAnfuehrung) {
      if (c == u'"') {
        if (i + 1 < text.size() && text[i + 1] == u'"') {
          feld += u'"';
          ++i;
        } else {
          inAnfuehrung = false;
        }
      } else {
        feld += c;
      }
    } else if (c == u'"') {
      inAnfuehrung = true;
    } else if (c == u',') {
      zeile << feld;
      feld.clear();
    } else if (c == u'\n') {
      zeile << feld;
      feld.clear();
      zeilen.push_back(zeile);
      zeile.clear();
    } else if (c != u'\r') {
      feld += c;
    }
  }
  if (!feld.isEmpty() || !zeile.isEmpty()) {
    zeile << feld;
    zeilen.push_back(zeile);
  }
  return zeilen;
}

}  // namespace

TTabelle TTabelle::Lesen(const QString& datei) {
  TTabelle t;
  QTemporaryDir tmp;
  const QString programm = Listenausgabe::LibreOffice();
  if (programm.isEmpty() || !tmp.isValid()) {
    t.m_fehler = QStringLiteral("LibreOffice fehlt");
    return t;
  }
  // The converter names its output after the input; a copy with a plain name.
  const QString eingabe = tmp.filePath(QStringLiteral("eingabe.") + QFileInfo(datei).suffix());
  QFile::copy(datei, eingabe);
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(programm, {QStringLiteral("-env:UserInstallation=") +
                         QUrl::fromLocalFile(tmp.filePath(QStringLiteral("profil"))).toString(),
                     QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                     QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                     tmp.path(), eingabe});
  if (!p.waitForFinished(180000) || p.exitCode() != 0) {
    t.m_fehler = QString::fromLocal8Bit(p.readAll());
    return t;
  }
  QFile csv(tmp.filePath(QStringLiteral("eingabe.csv")));
  if (!csv.open(QIODevice::ReadOnly)) {
    t.m_fehler = QStringLiteral("keine CSV-Datei: ") + QString::fromLocal8Bit(p.readAll());
    return t;
  }
  t.m_zeilen = CsvZerlegen(QString::fromUtf8(csv.readAll()));
  t.m_ok = true;
  return t;
}

QString TTabelle::operator()(const QString& spalte, int zeile) const {
  const int s = TMappe::Spaltenindex(spalte);
  if (zeile < 1 || zeile > int(m_zeilen.size()) || s < 0) return {};
  const QStringList& z = m_zeilen[size_t(zeile - 1)];
  return s < z.size() ? z[s] : QString();
}

double TTabelle::Zahl(const QString& spalte, int zeile) const {
  bool ok = false;
  const double d = (*this)(spalte, zeile).replace(u',', u'.').toDouble(&ok);
  return ok ? d : std::numeric_limits<double>::quiet_NaN();
}
