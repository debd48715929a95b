#include "mappe.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <array>

using namespace Qt::StringLiterals;

int TMappe::Spaltenindex(QStringView spalte) {
  if (spalte.isEmpty() || spalte.size() > 3) return -1;
  int index = 0;
  for (QChar c : spalte) {
    const char16_t u = c.toUpper().unicode();
    if (u < u'A' || u > u'Z') return -1;
    index = index * 26 + (u - u'A' + 1);
  }
  return index - 1;
}

void TMappe::Setzen(QStringView spalte, int zeile, TZelle zelle) {
  const int s = Spaltenindex(spalte);
  Q_ASSERT(s >= 0 && zeile >= 1);
  if (s < 0 || zeile < 1) return;
  m_zellen[{zeile - 1, s}] = std::move(zelle);
}

void TMappe::Text(QStringView spalte, int zeile, const QString& text, TFormat format) {
  Setzen(spalte, zeile, {TArt::Text, text, 0, {}, format});
}

void TMappe::Zahl(QStringView spalte, int zeile, double wert, TFormat format) {
  Setzen(spalte, zeile, {TArt::Zahl, {}, wert, {}, format});
}

void TMappe::Datum(QStringView spalte, int zeile, const QDate& datum) {
  if (!datum.isValid()) return;
  Setzen(spalte, zeile, {TArt::Datum, {}, 0, datum, TFormat::Datum});
}

void TMappe::Formel(QStringView spalte, int zeile, const QString& formel, double wert, TFormat format) {
  Setzen(spalte, zeile, {TArt::Formel, formel, wert, {}, format});
}

void TMappe::Spaltenbreite(QStringView spalte, double breite) {
  const int s = Spaltenindex(spalte);
  if (s >= 0) m_breiten[s] = breite;
}

void TMappe::Zeilenhoehe(int zeile, double hoehe) {
  if (zeile >= 1) m_hoehen[zeile - 1] = hoehe;
}

const TMappe::TZelle* TMappe::Zelle(QStringView spalte, int zeile) const {
  const auto it = m_zellen.find({zeile - 1, Spaltenindex(spalte)});
  return it == m_zellen.end() ? nullptr : &it->second;
}

int TMappe::LetzteZeile() const { return m_zellen.empty() ? 0 : m_zellen.rbegin()->first.first + 1; }

namespace {

constexpr int AnzahlFormate = int(TMappe::TFormat::Datum) + 1;

std::array<lxw_format*, AnzahlFormate> FormateAnlegen(lxw_workbook* mappe) {
  using F = TMappe::TFormat;
  std::array<lxw_format*, AnzahlFormate> f{};
  for (int i = 0; i < AnzahlFormate; ++i) {
    f[i] = workbook_add_format(mappe);
    format_set_font_name(f[i], "Arial");
    format_set_font_size(f[i], 10);
  }
  format_set_bold(f[int(F::Fett)]);
  format_set_bold(f[int(F::Titel)]);
  format_set_font_size(f[int(F::Titel)], 12);
  lxw_format* kopf = f[int(F::Spaltenkopf)];
  format_set_bold(kopf);
  format_set_text_wrap(kopf);
  format_set_align(kopf, LXW_ALIGN_VERTICAL_TOP);
  format_set_align(kopf, LXW_ALIGN_CENTER);
  format_set_align(f[int(F::Einheit)], LXW_ALIGN_CENTER);
  format_set_align(f[int(F::Mitte)], LXW_ALIGN_CENTER);
  format_set_bottom(kopf, LXW_BORDER_THIN);
  format_set_num_format(f[int(F::Ganz)], "0");
  format_set_num_format(f[int(F::EineStelle)], "0.0");
  format_set_num_format(f[int(F::ZweiStellen)], "0.00");
  format_set_num_format(f[int(F::DreiStellen)], "0.000");
  format_set_num_format(f[int(F::Datum)], "dd.mm.yyyy");
  format_set_align(f[int(F::Datum)], LXW_ALIGN_LEFT);
  return f;
}

QString Fehlertext(const QString& pfad, lxw_error e) {
  return u"Die Datei \"%1\" konnte nicht geschrieben werden (%2)."_s.arg(QDir::toNativeSeparators(pfad),
                                                                         QString::fromUtf8(lxw_strerror(e)));
}

}  // namespace

bool TMappe::Speichern(const QString& pfad, QString* fehler) const {
  const QByteArray name = QFile::encodeName(pfad);
  lxw_workbook* mappe = workbook_new(name.constData());
  if (!mappe) {
    if (fehler) *fehler = Fehlertext(pfad, LXW_ERROR_MEMORY_MALLOC_FAILED);
    return false;
  }
  lxw_worksheet* blatt = workbook_add_worksheet(mappe, "Tabelle1");
  const auto formate = FormateAnlegen(mappe);
  // The lists are wide: printed across A4 landscape, the column heads on every page.
  worksheet_set_landscape(blatt);
  worksheet_set_paper(blatt, 9);
  worksheet_fit_to_pages(blatt, 1, 0);
  worksheet_repeat_rows(blatt, 6, 7);
  for (const auto& [spalte, breite] : m_breiten)
    worksheet_set_column(blatt, lxw_col_t(spalte), lxw_col_t(spalte), breite, nullptr);
  for (const auto& [zeile, hoehe] : m_hoehen) worksheet_set_row(blatt, lxw_row_t(zeile), hoehe, nullptr);
  lxw_error e = LXW_NO_ERROR;
  for (const auto& [ort, z] : m_zellen) {
    const auto zeile = lxw_row_t(ort.first);
    const auto spalte = lxw_col_t(ort.second);
    lxw_format* format = formate[int(z.format)];
    switch (z.art) {
      case TArt::Text:
        // An empty text is an empty cell that keeps its format.
        e = z.text.isEmpty() ? worksheet_write_blank(blatt, zeile, spalte, format)
                             : worksheet_write_string(blatt, zeile, spalte, z.text.toUtf8().constData(), format);
        break;
      case TArt::Zahl:
        e = worksheet_write_number(blatt, zeile, spalte, z.zahl, format);
        break;
      case TArt::Datum: {
        lxw_datetime d{z.datum.year(), z.datum.month(), z.datum.day(), 0, 0, 0};
        e = worksheet_write_datetime(blatt, zeile, spalte, &d, format);
        break;
      }
      case TArt::Formel:
        e = worksheet_write_formula_num(blatt, zeile, spalte, z.text.toUtf8().constData(), format, z.zahl);
        break;
    }
    if (e != LXW_NO_ERROR) break;
  }
  // The file is written on closing, also after a failed cell, so that the handle goes.
  const lxw_error schluss = workbook_close(mappe);
  if (e == LXW_NO_ERROR) e = schluss;
  if (e != LXW_NO_ERROR) {
    QFile::remove(pfad);
    if (fehler) *fehler = Fehlertext(pfad, e);
    return false;
  }
  return true;
}
