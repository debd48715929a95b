#pragma once
// The reader of dBase attribute tables (.dbf) that come with the shape files
// of the area application: header, field descriptors and fixed-length
// records, read through shapelib. Every field converts its raw text to text,
// number, date or truth value; text is decoded by the table's code page.
// The reader only reads.

#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TBlatt;

// How the bytes of text fields are decoded.
enum class TCodeseite {
  Dos,      // DOS or unknown: Windows-1252 with the German DOS letters mapped
  Windows,  // Windows-1252 (language driver 0x03, 0x57, or a .cpg "1252")
  Latin1,   // ISO-8859-1 (.cpg "8859-1")
  Utf8,     // .cpg "UTF-8"
};
// Bytes of a text field as text of the code page.
QString Dekodieren(const QByteArray& roh, TCodeseite seite);

class TDBaseFeld {
public:
  TDBaseFeld(QString name, char typ, int versatz, int laenge, TCodeseite seite)
      : m_name(std::move(name)), m_typ(typ), m_versatz(versatz), m_laenge(laenge), m_seite(seite) {}
  virtual ~TDBaseFeld() = default;

  const QString& Name() const { return m_name; }
  char Typ() const { return m_typ; }
  int Versatz() const { return m_versatz; }  // within the record, from 1
  int Laenge() const { return m_laenge; }
  // The raw bytes of the current record, cut at the first NUL and trimmed
  // (text fields: trailing blanks only).
  const QByteArray& Roh() const { return m_roh; }
  void setRoh(const QByteArray& satz);

  virtual QString AlsText() const;
  virtual double AlsZahl() const { return 0; }
  virtual qint64 AlsGanzzahl() const { return 0; }
  // None when the text is no valid date.
  virtual std::optional<QDate> AlsDatum() const { return std::nullopt; }
  virtual int Tag() const { return 0; }
  virtual int Monat() const { return 0; }
  virtual QString Monatsname() const { return {}; }
  virtual int Jahr() const { return 0; }
  virtual bool AlsWahrheitswert() const { return false; }

protected:
  TCodeseite Seite() const { return m_seite; }

private:
  QString m_name;
  char m_typ;
  int m_versatz;
  int m_laenge;
  TCodeseite m_seite;
  QByteArray m_roh;
};

// "C" and every letter without a class of its own.
class TDBaseCharFeld : public TDBaseFeld {
  using TDBaseFeld::TDBaseFeld;
};

// "N": empty or "*…" (overflow) is 0.
class TDBaseFloatFeld : public TDBaseFeld {
public:
  using TDBaseFeld::TDBaseFeld;
  QString AlsText() const override;
  double AlsZahl() const override;
  qint64 AlsGanzzahl() const override;
};

// "D": YYYYMMDD.
class TDBaseDateFeld : public TDBaseFeld {
public:
  using TDBaseFeld::TDBaseFeld;
  QString AlsText() const override;
  std::optional<QDate> AlsDatum() const override;
  int Tag() const override;
  int Monat() const override;
  QString Monatsname() const override;
  int Jahr() const override;

private:
  int Teil(int von, int laenge) const;
};

// "L": true for "T" or "t" at the start.
class TDBaseLogicalFeld : public TDBaseFeld {
public:
  using TDBaseFeld::TDBaseFeld;
  QString AlsText() const override;
  bool AlsWahrheitswert() const override;
};

class TDBaseTable {
public:
  TDBaseTable();
  ~TDBaseTable();
  TDBaseTable(const TDBaseTable&) = delete;
  TDBaseTable& operator=(const TDBaseTable&) = delete;

  // Opens the file and reads header and field descriptors. A file that is no
  // sound dBase table is refused before any record is read: false, and
  // Fehler() names the file and says what is wrong.
  bool Oeffnen(const QString& datei);
  // Reads record n (1 … SatzAnzahl()); false and Fehler() on failure.
  bool SatzLesen(int n);
  bool Geloescht() const { return m_geloescht; }
  int SatzAnzahl() const { return m_satzAnzahl; }
  int FeldAnzahl() const { return int(m_felder.size()); }
  // None outside 0 … FeldAnzahl() − 1.
  TDBaseFeld* Feld(int i) const;
  TCodeseite Codeseite() const { return m_seite; }
  const QString& Fehler() const { return m_fehler; }
  void Schliessen();

private:
  struct TDatei;
  bool Ablehnen(const QString& grund);
  std::unique_ptr<TDatei> m_datei;
  QString m_name;
  std::vector<std::unique_ptr<TDBaseFeld>> m_felder;
  int m_satzAnzahl = 0;
  int m_satzLaenge = 0;
  bool m_geloescht = false;
  TCodeseite m_seite = TCodeseite::Dos;
  QString m_fehler;
};

// Loads the table into the emptied sheet: row 1 the trimmed field names,
// each record not marked deleted the next row, "N" fields as numbers and
// all others as text. On any failure the sheet is left empty, the result is
// false and fehler holds the German message. `fortschritt` gets each record
// number (for a progress bar).
bool TabelleLaden(const QString& datei, TBlatt& blatt, QString& fehler,
                  const std::function<void(int satz, int von)>& fortschritt = {});
