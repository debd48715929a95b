#include "sortierung.h"

#include <sqlcipher/sqlite3.h>

QString Sortierung::Schluessel(const QString& text) {
  const QString zerlegt = text.toLower().normalized(QString::NormalizationForm_D);
  QString schluessel;
  schluessel.reserve(zerlegt.size());
  for (const QChar c : zerlegt) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    if (c == QChar(0x00DF)) schluessel += QStringLiteral("ss");
    else schluessel += c;
  }
  return schluessel;
}

int Sortierung::Vergleichen(const QString& a, const QString& b) {
  const int n = Schluessel(a).compare(Schluessel(b));
  return n != 0 ? n : a.compare(b);
}

namespace {
int Deutsch(void*, int laengeA, const void* a, int laengeB, const void* b) {
  return Sortierung::Vergleichen(QString::fromUtf8(static_cast<const char*>(a), laengeA),
                                 QString::fromUtf8(static_cast<const char*>(b), laengeB));
}
}  // namespace

void Sortierung::Registrieren(sqlite3* db) { sqlite3_create_collation_v2(db, "Deutsch", SQLITE_UTF8, nullptr, Deutsch, nullptr); }
