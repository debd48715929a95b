#include "betriebe.h"

#include "connection.h"
#include "dataset.h"
#include "pdfdruckausgabe.h"

#include <algorithm>

namespace Betriebe {

const QString EuNummerMeldung = QStringLiteral("Bitte exakt 12 Stellen eingeben.");
const QString LoeschenFrage = QStringLiteral("Betrieb mit allen Daten wirklich löschen?");
const QString UebernehmenFrage = QStringLiteral("Von welcher Betriebsnummer soll die Auswahl übernommen werden?");
const QString FlaechenMeldung =
    QStringLiteral("Bitte tragen Sie jetzt die Flächen für Ackerland, Grünland und die 170-kg-Grenze ein.");

bool EuZeichenErlaubt(QChar c, int laenge) {
  static const QString verboten = QStringLiteral(" \"!$%&()*+,-./:;=?\\^_`§°´ÄÖÜßäöü");
  if (verboten.contains(c)) return false;
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return false;
  if (c.isDigit()) return laenge < 12;
  return true;
}

bool EuNummerVollstaendig(const QString& nummer) { return nummer.length() == 12; }

bool Suchen(TADODataSetMod& liste, const QString& text) {
  if (text.isEmpty() || text == QLatin1String("*")) return true;
  if (!liste.IstOffen()) return false;
  if (!liste.SpeichernWennGeaendert()) liste.Abbrechen();
  const int feld = liste.FeldIndex(QStringLiteral("Betriebsname"));
  const QString genau = text.trimmed();
  const std::function<bool(const QString&)> regeln[] = {
      [&](const QString& n) { return n == genau; },
      [&](const QString& n) { return n.compare(genau, Qt::CaseInsensitive) == 0; },
      [&](const QString& n) { return n.startsWith(text, Qt::CaseInsensitive); },
      [&](const QString& n) { return n.contains(text, Qt::CaseInsensitive); },
  };
  for (const auto& passt : regeln)
    for (int i = 0; i < liste.Anzahl(); ++i)
      if (passt(liste.Wert(i, feld).toString())) return liste.Gehe(i);
  return false;
}

void AuswahlUebernehmen(TADOModConnection& db, qint64 ziel, qint64 quelle) {
  struct TTabelle {
    const char* name;
    const char* schluessel;
    const char* spalten;  // copied columns
    const char* werte;
  };
  static const TTabelle tabellen[] = {
      {"S_KulturenNP", "FA_NR", "Auswahl, TatsErtrag", "q.Auswahl, q.TatsErtrag"},
      {"S_OrgDung", "OrgDngNummer", "Auswahl", "q.Auswahl"},
      {"S_MinDung", "DuengeMittelNr", "Auswahl", "q.Auswahl"},
      {"S_Tiere", "TA_NR", "Auswahl", "q.Auswahl"},
  };
  const TParameter p = {{QStringLiteral("z"), ziel}, {QStringLiteral("q"), quelle}};
  for (const TTabelle& t : tabellen) {
    const QString partner = QStringLiteral("FROM %1 q WHERE q.%2 = %1.%2 AND q.BetriebsNr = :q AND q.Auswahl = 1")
                                .arg(QLatin1String(t.name), QLatin1String(t.schluessel));
    db.AusfuehrenStill(QStringLiteral("UPDATE %1 SET ( %2 ) = ( SELECT %3 %4 ) WHERE EXISTS ( SELECT 1 %4 ) "
                                      "AND BetriebsNr = :z")
                           .arg(QLatin1String(t.name), QLatin1String(t.spalten), QLatin1String(t.werte), partner),
                       p);
  }
}

std::vector<TListenZeile> ListenZeilen(const TADODataSetMod& liste) {
  std::vector<TListenZeile> zeilen;
  auto wert = [&](int zeile, const char* feld) {
    return liste.Wert(zeile, liste.FeldIndex(QLatin1String(feld))).toString().trimmed();
  };
  for (int i = 0; i < liste.Anzahl(); ++i)
    zeilen.push_back({wert(i, "Betriebsname"), wert(i, "EU_NUMMER"), wert(i, "SitzStrasse"), wert(i, "SitzPLZ"),
                      wert(i, "SitzOrt"), wert(i, "SitzTelefon"), wert(i, "SitzEmail")});
  return zeilen;
}

namespace {

void SeiteZeichnen(TPDFDruckausgabe& d, const QDate& heute, int seite) {
  d.SchriftSetzen(9, 1, 0, 0, QStringLiteral("Tahoma"), 0);
  d.StiftSetzen(0, 0, 0.3);
  d.PinselSetzen(0xFFFFFF, 0);
  // DejaVu Sans runs wider than the Tahoma the layout was made for: the frame grows with its title.
  const QString titel = QStringLiteral("Betriebsübersicht Quendrix am ") + heute.toString(QStringLiteral("dd.MM.yyyy"));
  d.Rahmen(108, 20, std::max(74.0, d.Textbreite(titel) + 5), 8.5);
  d.TextAn(titel, 110.5, 22.6);
  d.PinselSetzen(13816530, 0);
  d.FlaecheMitRahmen(21, 57, 254, 16);
  for (double y : {83.0, 93.0, 103.0, 113.0, 123.0, 133.0, 143.0, 153.0, 163.0, 177.0}) d.LinieWaagerecht(21, y, 254);
  for (double x : {21.0, 75.0, 106.0, 137.0, 151.0, 185.0, 212.5, 275.0}) d.LinieSenkrecht(x, 57, 106);
  d.PinselSetzen(0xFFFFFF, 0);
  const std::pair<const char*, double> kopf[] = {{"Betriebsname", 22.5}, {"EU-", 76},      {"Straße/Nr.", 108},
                                                 {"PLZ", 138},           {"Ort", 152},      {"Telefon/Fax", 186},
                                                 {"E-Mail", 214}};
  for (const auto& [text, x] : kopf) d.TextAn(QString::fromUtf8(text), x, 58);
  // The second line of the EU column's title is set smaller where it would touch the column line.
  const QString nummer = QStringLiteral("Betriebsnummer");
  if (d.Textbreite(nummer) > 106 - 76 - 1) d.SchriftSetzen(8, 1, 0, 0, QStringLiteral("Tahoma"), 0);
  d.TextAn(nummer, 76, 58 + TPDFDruckausgabe::ZeilenvorschubFuer(9));
  d.SchriftSetzen(8, 0, 0, 0, QStringLiteral("Tahoma"), 0);
  d.TextAn(QStringLiteral("Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021"), 21, 184);
  d.TextRechtsAn(QStringLiteral("Seite ") + QString::number(seite), 274, 184);
  d.Bild(QStringLiteral("src\\LOGO_BEHOERDE_VRL.bmp"), 242, 20, 32);
}

}  // namespace

void ListeZeichnen(TPDFDruckausgabe& d, const std::vector<TListenZeile>& zeilen, const QDate& heute) {
  d.DokumentBeginnen(true);
  const int seiten = std::max<int>(1, (int(zeilen.size()) + ZeilenJeSeite - 1) / ZeilenJeSeite);
  for (int s = 0; s < seiten; ++s) {
    if (s > 0) d.NeueSeite();
    SeiteZeichnen(d, heute, s + 1);
    d.SchriftSetzen(8, 0, 0, 0, QStringLiteral("Tahoma"), 0);
    for (int i = 0; i < ZeilenJeSeite && s * ZeilenJeSeite + i < int(zeilen.size()); ++i) {
      const TListenZeile& z = zeilen[s * ZeilenJeSeite + i];
      const double y = 76 + 10 * i;
      d.TextAn(z.name, 22, y, 0, 52);
      d.TextAn(z.euNummer, 76, y, 0, 29);
      d.TextAn(z.strasse, 108, y, 0, 29);
      d.TextAn(z.plz, 138, y, 0, 11);
      d.TextAn(z.ort, 152, y, 0, 31);
      d.TextAn(z.telefon, 186, y, 0, 25);
      d.TextAn(z.email, 214, y, 0, 57);
    }
  }
}

}  // namespace Betriebe
