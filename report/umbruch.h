#pragma once
// Line breaking and German hyphenation for the word-wrapped text blocks of the
// printed sheets. Widths come from a measuring function, so the rules can be
// used (and tested) independently of fonts.

#include <QList>
#include <QString>

#include <functional>

namespace Umbruch {

// A–Z, a–z, Ä, Ö, Ü, ä, ö, ü, ß: the letters a word is made of.
bool IstBuchstabe(QChar c);
// "!", ",", ".", ":", ";", "?": marks that stay with the word or number before them.
bool IstSatzzeichen(QChar c);

// Characters of the leading part before every place where the word may be
// hyphenated, ascending. Syllables start with the consonant in front of a
// vowel group; "sch", "ch", "sh", "ph", "rh", "th" and "ck" stay together; the
// first part keeps at least a known prefix (else two letters), the second at
// least two letters.
QList<int> Silbengrenzen(const QString& wort);

// Length of the known prefix the word begins with (longest match), else 0.
int Vorsilbenlaenge(const QString& wort);

using TBreite = std::function<double(const QString&)>;

// Number of leading characters of the line s that go on a line of the given
// width. When the result splits a run of letters, the caller appends "-"; the
// result leaves room for it. 0 when not even one character fits.
int Umbruchstelle(const QString& s, double breite, bool trennen, const TBreite& breiteVon);

// Whether the break after n characters of s splits a run of letters, so that
// the piece needs a hyphen.
bool BrauchtBindestrich(const QString& s, int n);

}  // namespace Umbruch
