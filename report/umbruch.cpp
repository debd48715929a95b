#include "umbruch.h"

#include <QStringList>

#include <algorithm>

namespace Umbruch {

namespace {

// The first part of a word beginning with one of these keeps at least the prefix.
const QStringList& Vorsilben() {
  static const QStringList liste = {
      "abs",  "ana",   "ant",   "aph",  "arsch", "auf",  "aus",  "acht", "bei",  "bin",  "cis",
      "dar",  "des",   "dia",   "dif",  "dis",   "durch", "drei", "ein",  "ent",  "erst", "erz",
      "elf",  "fehl",  "fern",  "fort", "für",   "fünf", "heim", "her",  "hin",  "kol",  "kom",
      "kon",  "kor",   "miss",  "mon",  "mono",  "mords", "möch", "nach", "neo",  "non",  "null",
      "neun", "oli",   "pan",   "per",  "pla",   "post", "pro",  "prä",  "pseu", "qua",  "red",
      "stock", "sub",  "suf",   "sug",  "suk",   "sup",  "sur",  "syl",  "sym",  "syn",  "sechs",
      "sex",  "tra",   "tran",  "trans", "tri",  "ver",  "vor",  "vier", "weg",  "wie",  "zer",
      "zir",  "zis",   "zwei",  "zehn", "äqu"};
  return liste;
}

// Consonant groups that are never split.
const char* const Gruppen[] = {"sch", "ch", "sh", "ph", "rh", "th", "ck"};

// Consonant groups that begin a syllable together when more consonants stand
// in front of them ("auf-brin-gen", "Hand-schrift").
const char* const Anlaute[] = {"schr", "schl", "bl", "br", "dr", "fl", "fr", "gl",
                                "gr",   "kl",   "kr", "pl", "pr", "tr"};

bool IstVokal(QChar c) { return QStringLiteral("aeiouyäöü").contains(c); }

bool IstDoppelvokal(QChar a, QChar b) {
  static const QStringList paare = {"ei", "au", "äu", "eu", "ai", "ie"};
  return paare.contains(QString(a) + b);
}

bool IstZiffer(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool TeiltGruppe(const QString& w, int k) {
  for (const char* g : Gruppen) {
    const QLatin1String gruppe(g);
    const int len = gruppe.size();
    for (int a = std::max(0, k - len + 1); a < k; ++a)
      if (a + len <= w.size() && QStringView(w).mid(a, len) == gruppe) return true;
  }
  return false;
}

// Where the syllable of the vowel group at i begins, given that the
// consonants between the previous group and it are w[von, i).
int SilbenanfangVor(const QString& w, int von, int i) {
  const QStringView lauf = QStringView(w).mid(von, i - von);
  // A group at the end of the run goes over whole.
  for (const char* g : Gruppen) {
    const QLatin1String gruppe(g);
    if (lauf.endsWith(gruppe)) return i - gruppe.size();
  }
  if (lauf.size() >= 3) {
    for (const char* a : Anlaute) {
      const QLatin1String anlaut(a);
      if (lauf.size() > anlaut.size() && lauf.endsWith(anlaut)) return i - anlaut.size();
    }
    // "ck" followed by more consonants closes its syllable ("Stick-stoff").
    const qsizetype ck = lauf.indexOf(QLatin1String("ck"));
    if (ck >= 0 && ck + 2 < lauf.size()) return von + int(ck) + 2;
  }
  return i - 1;
}

}  // namespace

bool IstBuchstabe(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == u'Ä' || u == u'Ö' || u == u'Ü' ||
         u == u'ä' || u == u'ö' || u == u'ü' || u == u'ß';
}

bool IstSatzzeichen(QChar c) { return QStringLiteral("!,.:;?").contains(c); }

int Vorsilbenlaenge(const QString& wort) {
  const QString w = wort.toLower();
  int laenge = 0;
  for (const QString& v : Vorsilben())
    if (v.size() > laenge && w.startsWith(v)) laenge = int(v.size());
  return laenge;
}

QList<int> Silbengrenzen(const QString& wort) {
  const QString w = wort.toLower();
  const int L = int(w.size());
  const int vorsilbe = Vorsilbenlaenge(w);
  const int mindestens = vorsilbe > 0 ? vorsilbe : 2;

  QList<int> grenzen;
  int vorherEnde = -1;  // end of the previous vowel group, -1 before the first
  for (int i = 0; i < L;) {
    if (!IstVokal(w[i])) {
      ++i;
      continue;
    }
    const int gruppe = (i + 1 < L && IstDoppelvokal(w[i], w[i + 1])) ? 2 : 1;
    if (vorherEnde >= 0 && i > vorherEnde) {
      int k = SilbenanfangVor(w, vorherEnde, i);
      // A prefix ending among the consonants marks the joint of the compound.
      if (vorsilbe >= vorherEnde && vorsilbe < i) k = vorsilbe;
      if (k >= mindestens && L - k >= 2 && !TeiltGruppe(w, k) && !grenzen.contains(k)) grenzen.append(k);
    }
    vorherEnde = i + gruppe;
    i += gruppe;
  }
  std::sort(grenzen.begin(), grenzen.end());
  return grenzen;
}

bool BrauchtBindestrich(const QString& s, int n) {
  return n > 0 && n < s.size() && IstBuchstabe(s[n - 1]) && IstBuchstabe(s[n]);
}

int Umbruchstelle(const QString& s, double breite, bool trennen, const TBreite& breiteVon) {
  const int laenge = int(s.size());
  if (laenge == 0) return 0;
  if (breiteVon(s) < breite) return laenge;

  // Longest leading part that fits, by bisection.
  int passt = 0, zuBreit = laenge + 1;
  while (zuBreit - passt > 1) {
    const int mitte = (passt + zuBreit) / 2;
    if (breiteVon(s.left(mitte)) <= breite)
      passt = mitte;
    else
      zuBreit = mitte;
  }
  const int roh = passt;
  if (roh == 0) return 0;
  if (roh >= laenge) return laenge;

  // Inside a word the piece needs room for "-".
  int p = roh;
  if (IstBuchstabe(s[p - 1]) && (IstBuchstabe(s[p]) || IstSatzzeichen(s[p])) &&
      breiteVon(s.left(p) + QLatin1Char('-')) > breite)
    --p;

  int n = p;
  auto innen = [&](int k) { return k > 0 && k < laenge; };

  // Never between the dots of "...".
  if (innen(n) && s[n - 1] == QLatin1Char('.') && s[n] == QLatin1Char('.'))
    while (n > 0 && s[n - 1] == QLatin1Char('.')) --n;

  // Numbers stay whole, with a sign in front of them.
  const bool inZahl =
      innen(n) && ((IstZiffer(s[n - 1]) && (IstZiffer(s[n]) || IstSatzzeichen(s[n]))) ||
                   (n >= 2 && (s[n - 1] == QLatin1Char(',') || s[n - 1] == QLatin1Char('.')) &&
                    IstZiffer(s[n - 2]) && IstZiffer(s[n])));
  if (inZahl) {
    while (n > 0 && (IstZiffer(s[n - 1]) || s[n - 1] == QLatin1Char(',') || s[n - 1] == QLatin1Char('.'))) --n;
    if (n > 0 && s[n - 1] == QLatin1Char('-')) --n;
  }

  if (innen(n) && IstBuchstabe(s[n - 1]) && (IstBuchstabe(s[n]) || IstSatzzeichen(s[n]))) {
    int anfang = n;
    while (anfang > 0 && IstBuchstabe(s[anfang - 1])) --anfang;
    int ende = n;
    while (ende < laenge && IstBuchstabe(s[ende])) ++ende;
    int neu = anfang;
    if (trennen) {
      const QList<int> grenzen = Silbengrenzen(s.mid(anfang, ende - anfang));
      for (auto it = grenzen.crbegin(); it != grenzen.crend(); ++it) {
        const int k = anfang + *it;
        if (k > n) continue;
        if (breiteVon(s.left(k) + QLatin1Char('-')) <= breite) {
          neu = k;
          break;
        }
      }
    }
    n = neu;
  }

  // A word wider than the whole line is cut hard.
  if (n == 0) n = p > 0 ? p : roh;
  return n;
}

}  // namespace Umbruch
