#include "dbasetabelle.h"

#include "blatt.h"
#include "zahlen.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <shapefil.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 in 0x80 … 0x9F; the five unassigned bytes keep their C1 code.
constexpr std::array<char16_t, 32> Windows80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Windows1252(unsigned char b) { return b >= 0x80 && b <= 0x9F ? Windows80[b - 0x80] : char16_t(b); }

// The German letters and signs of the DOS code page that files of the area
// application still carry; every other byte is read as Windows-1252.
char16_t Dos(unsigned char b) {
  switch (b) {
    case 0x81: return u'ü';
    case 0x84: return u'ä';
    case 0x8E: return u'Ä';
    case 0x94: return u'ö';
    case 0x99: return u'Ö';
    case 0x9A: return u'Ü';
    case 0xE1: return u'ß';
    case 0xEF: return u'´';
    case 0xF5: return u'§';
    case 0xF8: return u'°';
    case 0xFC: return u'³';
    case 0xFD: return u'²';
  }
  return Windows1252(b);
}

// shapelib reports through this hook; the reader words its own messages.
thread_local std::string letzterShapelibFehler;
void ShapelibFehler(const char* text) { letzterShapelibFehler = text ? text : ""; }

TCodeseite SeiteAus(const char* angabe) {
  const QString a = QString::fromLatin1(angabe ? angabe : "").trimmed().toUpper();
  if (a.startsWith(u"LDID/"_s)) {
    // Language drivers of the Windows code pages; 0 (unknown) and the DOS
    // drivers get the DOS reading.
    switch (a.mid(5).toInt()) {
      case 0x03: case 0x57: case 0x58: case 0x59: return TCodeseite::Windows;
      default: return TCodeseite::Dos;
    }
  }
  if (a.contains(u"UTF-8"_s) || a.contains(u"UTF8"_s) || a == u"65001"_s) return TCodeseite::Utf8;
  if (a.contains(u"1252"_s)) return TCodeseite::Windows;
  if (a.contains(u"8859-1"_s) || a.contains(u"88591"_s) || a.contains(u"LATIN1"_s)) return TCodeseite::Latin1;
  return TCodeseite::Dos;
}

quint32 Lesen32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}
quint16 Lesen16(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return quint16(u[0] | u[1] << 8);
}

// The versions of dBase, FoxBase and FoxPro whose records this reader understands.
bool BekannteVersion(unsigned char v) {
  const int stufe = v & 0x07;
  return stufe == 2 || stufe == 3 || stufe == 4 || stufe == 5 || v == 0x30 || v == 0x31 || v == 0x32;
}

}  // namespace

QString Dekodieren(const QByteArray& roh, TCodeseite seite) {
  if (seite == TCodeseite::Utf8) return QString::fromUtf8(roh);
  if (seite == TCodeseite::Latin1) return QString::fromLatin1(roh);
  QString t(roh.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < roh.size(); ++i) {
    const auto b = static_cast<unsigned char>(roh[i]);
    t[i] = QChar(seite == TCodeseite::Dos ? Dos(b) : Windows1252(b));
  }
  return t;
}

// --- fields ----------------------------------------------------------------------

void TDBaseFeld::setRoh(const QByteArray& satz) {
  QByteArray r = satz.mid(m_versatz, m_laenge);
  if (const qsizetype nul = r.indexOf('\0'); nul >= 0) r.truncate(nul);
  if (m_typ == 'C') {
    qsizetype n = r.size();
    while (n > 0 && r[n - 1] == ' ') --n;
    r.truncate(n);
  } else {
    r = r.trimmed();
  }
  m_roh = r;
}

QString TDBaseFeld::AlsText() const { return Dekodieren(m_roh, m_seite); }

QString TDBaseFloatFeld::AlsText() const {
  if (Roh().isEmpty() || Roh().startsWith('*')) return {};
  return Zahlen::Deutsch().toString(AlsZahl(), 'g', 15);
}

double TDBaseFloatFeld::AlsZahl() const {
  if (Roh().isEmpty() || Roh().startsWith('*')) return 0;
  bool ok = false;
  const double z = Roh().toDouble(&ok);
  return ok && std::isfinite(z) ? z : 0;
}

qint64 TDBaseFloatFeld::AlsGanzzahl() const {
  // Halves go to the even neighbour, as everywhere in the program.
  const double r = std::nearbyint(AlsZahl());
  return std::fabs(r) < 9.0e18 ? qint64(r) : 0;
}

int TDBaseDateFeld::Teil(int von, int laenge) const {
  bool ok = false;
  const int z = Roh().mid(von, laenge).toInt(&ok);
  return ok ? z : 0;
}
int TDBaseDateFeld::Jahr() const { return Teil(0, 4); }
int TDBaseDateFeld::Monat() const { return Teil(4, 2); }
int TDBaseDateFeld::Tag() const { return Teil(6, 2); }

std::optional<QDate> TDBaseDateFeld::AlsDatum() const {
  const QDate d(Jahr(), Monat(), Tag());
  if (!d.isValid() || Jahr() < 1) return std::nullopt;
  return d;
}

QString TDBaseDateFeld::AlsText() const {
  const auto d = AlsDatum();
  return d ? d->toString(u"dd.MM.yyyy"_s) : QString();
}

QString TDBaseDateFeld::Monatsname() const {
  static const char16_t* namen[] = {u"Januar", u"Februar", u"März",     u"April",   u"Mai",      u"Juni",
                                    u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember"};
  const int m = Monat();
  return m >= 1 && m <= 12 ? QString::fromUtf16(namen[m - 1]) : QString();
}

QString TDBaseLogicalFeld::AlsText() const { return AlsWahrheitswert() ? u"True"_s : u"False"_s; }
bool TDBaseLogicalFeld::AlsWahrheitswert() const { return !Roh().isEmpty() && (Roh()[0] == 'T' || Roh()[0] == 't'); }

// --- table ------------------------------------------------------------------------

struct TDBaseTable::TDatei {
  DBFHandle h = nullptr;
  ~TDatei() {
    if (h) DBFClose(h);
  }
};

TDBaseTable::TDBaseTable() = default;
TDBaseTable::~TDBaseTable() = default;

TDBaseFeld* TDBaseTable::Feld(int i) const {
  return i >= 0 && i < FeldAnzahl() ? m_felder[size_t(i)].get() : nullptr;
}

bool TDBaseTable::Ablehnen(const QString& grund) {
  Schliessen();
  m_fehler = u"Die Datei „%1“ kann nicht gelesen werden: %2"_s.arg(QFileInfo(m_name).fileName(), grund);
  return false;
}

void TDBaseTable::Schliessen() {
  m_datei.reset();
  m_felder.clear();
  m_satzAnzahl = 0;
  m_geloescht = false;
}

bool TDBaseTable::Oeffnen(const QString& datei) {
  Schliessen();
  m_name = datei;
  m_fehler.clear();
  const QString keineTabelle = u"sie ist keine dBase-Tabelle oder beschädigt (%1)."_s;

  // The header is checked against the file before a record is touched, so a
  // damaged file is refused whole instead of being read half.
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) return Ablehnen(u"sie lässt sich nicht öffnen (%1)."_s.arg(f.errorString()));
  const qint64 groesse = f.size();
  const QByteArray kopf = f.read(32);
  if (kopf.size() < 32) return Ablehnen(keineTabelle.arg(u"zu kurz"_s));
  if (!BekannteVersion(static_cast<unsigned char>(kopf[0])))
    return Ablehnen(keineTabelle.arg(u"unbekannte Kennung"_s));
  const quint32 saetze = Lesen32(kopf.constData() + 4);
  const int kopfLaenge = Lesen16(kopf.constData() + 8);
  const int satzLaenge = Lesen16(kopf.constData() + 10);
  if (kopfLaenge < 33 || kopfLaenge > groesse) return Ablehnen(keineTabelle.arg(u"Kopflänge %1"_s.arg(kopfLaenge)));
  if (satzLaenge < 1) return Ablehnen(keineTabelle.arg(u"Satzlänge 0"_s));
  const QByteArray beschreibungen = f.read(kopfLaenge - 32);
  int anzahl = (kopfLaenge - 33) / 32;
  int summe = 1;
  for (int i = 0; i < anzahl; ++i) {
    const char* d = beschreibungen.constData() + 32 * i;
    if (static_cast<unsigned char>(d[0]) == 0x0D) {
      anzahl = i;
      break;
    }
    const char typ = d[11];
    const int laenge = static_cast<unsigned char>(d[16]);
    if (typ == 'C' && d[17] != 0) return Ablehnen(u"Felder mit mehr als 255 Zeichen werden nicht unterstützt."_s);
    summe += laenge;
  }
  if (summe > satzLaenge)
    return Ablehnen(keineTabelle.arg(u"Satzlänge %1 kleiner als die Felder (%2)"_s.arg(satzLaenge).arg(summe)));
  if (saetze > quint32(std::numeric_limits<int>::max()) || qint64(kopfLaenge) + qint64(saetze) * satzLaenge > groesse)
    return Ablehnen(keineTabelle.arg(u"%1 Datensätze angegeben, die Datei ist zu kurz"_s.arg(saetze)));
  f.close();

  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.Error = ShapelibFehler;
  auto h = std::make_unique<TDatei>();
  h->h = DBFOpenLL(QFile::encodeName(datei).constData(), "rb", &hooks);
  if (!h->h) return Ablehnen(keineTabelle.arg(QString::fromLocal8Bit(letzterShapelibFehler.c_str())));
  if (DBFGetFieldCount(h->h) != anzahl || DBFGetRecordCount(h->h) != int(saetze))
    return Ablehnen(keineTabelle.arg(u"Feldbeschreibungen widersprüchlich"_s));
  m_seite = SeiteAus(DBFGetCodePage(h->h));

  int versatz = 1;
  for (int i = 0; i < anzahl; ++i) {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    int breite = 0;
    int stellen = 0;
    DBFGetFieldInfo(h->h, i, name, &breite, &stellen);
    const char typ = DBFGetNativeFieldType(h->h, i);
    const QString feldname = Dekodieren(QByteArray(name), m_seite).trimmed();
    std::unique_ptr<TDBaseFeld> feld;
    switch (typ) {
      case 'N': feld = std::make_unique<TDBaseFloatFeld>(feldname, typ, versatz, breite, m_seite); break;
      case 'D': feld = std::make_unique<TDBaseDateFeld>(feldname, typ, versatz, breite, m_seite); break;
      case 'L': feld = std::make_unique<TDBaseLogicalFeld>(feldname, typ, versatz, breite, m_seite); break;
      // Every other letter, "F" included, is read as text.
      default: feld = std::make_unique<TDBaseCharFeld>(feldname, 'C', versatz, breite, m_seite); break;
    }
    versatz += breite;
    m_felder.push_back(std::move(feld));
  }
  m_datei = std::move(h);
  m_satzAnzahl = int(saetze);
  m_satzLaenge = satzLaenge;
  return true;
}

bool TDBaseTable::SatzLesen(int n) {
  if (!m_datei || n < 1 || n > m_satzAnzahl) {
    m_fehler = u"Der Datensatz %1 der Datei „%2“ gibt es nicht."_s.arg(n).arg(QFileInfo(m_name).fileName());
    return false;
  }
  const char* satz = DBFReadTuple(m_datei->h, n - 1);
  if (!satz) {
    m_fehler = u"Der Datensatz %1 der Datei „%2“ konnte nicht gelesen werden."_s.arg(n).arg(QFileInfo(m_name).fileName());
    return false;
  }
  const QByteArray roh = QByteArray::fromRawData(satz, m_satzLaenge);
  m_geloescht = roh.at(0) == '*';
  for (auto& f : m_felder) f->setRoh(roh);
  return true;
}

bool TabelleLaden(const QString& datei, TBlatt& blatt, QString& fehler,
                  const std::function<void(int satz, int von)>& fortschritt) {
  blatt.Leeren();
  fehler.clear();
  TDBaseTable t;
  if (!t.Oeffnen(datei)) {
    fehler = t.Fehler();
    return false;
  }
  for (int i = 0; i < t.FeldAnzahl(); ++i) blatt.setText(i + 1, 1, t.Feld(i)->Name());
  int zeile = 1;
  for (int n = 1; n <= t.SatzAnzahl(); ++n) {
    if (fortschritt) fortschritt(n, t.SatzAnzahl());
    if (!t.SatzLesen(n)) {
      fehler = t.Fehler();
      blatt.Leeren();
      return false;
    }
    if (t.Geloescht()) continue;
    if (++zeile > TBlatt::MaxZeilen) {
      fehler = u"Die Datei „%1“ hat mehr gültige Datensätze, als das Arbeitsblatt Zeilen fasst (%2, "
               "Excel-4-Grenze); sie wurde nicht eingelesen."_s.arg(QFileInfo(datei).fileName()).arg(TBlatt::MaxZeilen - 1);
      blatt.Leeren();
      return false;
    }
    for (int i = 0; i < t.FeldAnzahl() && i < TBlatt::MaxSpalten; ++i) {
      const TDBaseFeld* f = t.Feld(i);
      if (f->Typ() == 'N') {
        // An empty number stays an empty cell; the overflow marker reads as 0.
        if (!f->Roh().isEmpty()) blatt.setZahl(i + 1, zeile, f->AlsZahl());
      } else {
        blatt.setText(i + 1, zeile, f->AlsText());
      }
    }
  }
  return true;
}
