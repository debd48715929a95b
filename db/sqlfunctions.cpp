#include "sqlfunctions.h"

#include "sortierung.h"

#include <QDate>
#include <QDateTime>

#include <sqlcipher/sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Numbers keep their kind, so that Int of a REAL stays REAL and later
// divisions are not turned into integer divisions.
template <double (*Runden)(double)>
void Ganzzahlteil(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_value* x = argv[0];
  switch (sqlite3_value_numeric_type(x)) {
    case SQLITE_INTEGER:
      sqlite3_result_int64(ctx, sqlite3_value_int64(x));
      return;
    case SQLITE_FLOAT:
      sqlite3_result_double(ctx, Runden(sqlite3_value_double(x)));
      return;
    default:  // null, or a text that is no number
      sqlite3_result_null(ctx);
  }
}

double Abrunden(double d) { return std::floor(d); }
double Abschneiden(double d) { return std::trunc(d); }

void Iif(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_value* c = argv[0];
  bool wahr = false;
  switch (sqlite3_value_numeric_type(c)) {
    case SQLITE_INTEGER:
      wahr = sqlite3_value_int64(c) != 0;
      break;
    case SQLITE_FLOAT:
      wahr = sqlite3_value_double(c) != 0.0;
      break;
    default:
      wahr = false;  // null and texts take the else branch
  }
  sqlite3_result_value(ctx, argv[wahr ? 1 : 2]);
}

void Choose(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const int typ = sqlite3_value_numeric_type(argv[0]);
  if (typ != SQLITE_INTEGER && typ != SQLITE_FLOAT) {
    sqlite3_result_null(ctx);
    return;
  }
  // A fractional index is rounded to the nearest whole number.
  const double n = std::nearbyint(sqlite3_value_double(argv[0]));
  if (n < 1 || n > argc - 1) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_result_value(ctx, argv[int(n)]);
}

void Year(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
    sqlite3_result_null(ctx);
    return;
  }
  // Dates are stored as ISO text, "YYYY-MM-DD" with an optional time.
  const char* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  if (std::strlen(t) < 10 || t[4] != '-') {
    sqlite3_result_null(ctx);
    return;
  }
  for (int i = 0; i < 4; ++i)
    if (t[i] < '0' || t[i] > '9') {
      sqlite3_result_null(ctx);
      return;
    }
  sqlite3_result_int(ctx, std::atoi(std::string(t, 4).c_str()));
}

void Now(sqlite3_context* ctx, int, sqlite3_value**) {
  const QByteArray t =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
  sqlite3_result_text(ctx, t.constData(), t.size(), SQLITE_TRANSIENT);
}

void Date(sqlite3_context* ctx, int, sqlite3_value**) {
  const QByteArray t = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
  sqlite3_result_text(ctx, t.constData(), t.size(), SQLITE_TRANSIENT);
}

}  // namespace

void Regeln::FunktionenRegistrieren(sqlite3* db) {
  const int fest = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function_v2(db, "Int", 1, fest, nullptr, Ganzzahlteil<Abrunden>, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "Fix", 1, fest, nullptr, Ganzzahlteil<Abschneiden>, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "iif", 3, fest, nullptr, Iif, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "choose", -1, fest, nullptr, Choose, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "Year", 1, fest, nullptr, Year, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "Now", 0, SQLITE_UTF8, nullptr, Now, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "Date", 0, SQLITE_UTF8, nullptr, Date, nullptr, nullptr, nullptr);
  Sortierung::Registrieren(db);
}
