#include "schnellraster.h"

#include "auswahlpanel.h"
#include "blatt.h"
#include "blattmodell.h"
#include "hf1book.h"
#include "hilfsfenster.h"
#include "meldungen.h"

#include <QColor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
namespace S = Schnellerfassung;

namespace {

bool Suchzeichen(QChar c) {
  return c.isLetter() || c == u' ' || QStringView(u"$%&()-./:_").contains(c);
}

bool Navigation(int taste) {
  switch (taste) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F2:
      return true;
    default: return false;
  }
}

QString Listenname(int kategorie) {
  switch (kategorie) {
    case 4: return u"Weidetiere"_s;
    case 5: return u"Stoff"_s;
    default: return u"Düngemittel"_s;
  }
}

}  // namespace

TSchnellRaster::TSchnellRaster(THF1Book& buch, TAuswahlPanel& panel, TADOModConnection& db, TMeldungen& meldungen,
                               THilfsfenster& hilfe, int betrieb, int jahr, QObject* eltern)
    : QObject(eltern), m_buch(buch), m_panel(panel), m_db(db), m_meldungen(meldungen), m_hilfe(hilfe),
      m_betrieb(betrieb), m_jahr(jahr) {
  m_buch.setKopfZeileHalten(THF1Book::cnstHalten, S::Kopfzeilen);
  m_buch.setSpaltenzahl(S::SichtbareSpalten);
  m_buch.Modell()->setReservezeilen(1);
  m_buch.setEditierbar([](int s, int z) {
    return z >= S::ErsteZeile && (s == S::Parzelle || s == S::SchlagNr || s == S::Datum || s == S::Menge ||
                                  s == S::Tiere || s == S::Weidetage);
  });
  m_buch.setEingabe([this](int s, int, const QString& t) { return Eingabe(s, t); });
  m_buch.Taste = [this](int s, int z, QKeyEvent* t) { return Taste(s, z, t); };
  m_buch.Modell()->Hintergrund = [this](int s, int z) -> QVariant {
    if (m_markiert.count({s, z})) return QColor(255, 170, 170);
    // A date "Übernehmen" would refuse is marked as soon as it is typed.
    if (s == S::Datum && z >= S::ErsteZeile && !S::DatumLesen(m_buch.Blatt().Text(s, z))) return QColor(255, 170, 170);
    if (m_markiert.count({0, z})) return QColor(255, 225, 225);
    return {};
  };
  connect(&m_buch, &THF1Book::PositionGeaendert, this, &TSchnellRaster::PositionGeaendert);
  connect(&m_buch, &THF1Book::ZelleGeaendert, this, [this](int, int z) {
    if (z == m_buch.AktuelleZeile()) emit AnzeigeGeaendert();
  });
  connect(&m_panel, &TAuswahlPanel::Gewaehlt, this, &TSchnellRaster::Gewaehlt);
  connect(&m_panel, &TAuswahlPanel::TitelGeklickt, this, &TSchnellRaster::TitelGeklickt);
  connect(&m_panel, &TAuswahlPanel::Zurueck, this, &TSchnellRaster::Zurueck);
}

void TSchnellRaster::Leeren() {
  m_buch.Blatt().Leeren();
  Einrichten();
}

void TSchnellRaster::BlattErsetzt() {
  // Line 3 stays empty below the headings.
  for (int s = 1; s <= TBlatt::MaxSpalten; ++s) m_buch.Blatt().setText(s, S::Kopfzeilen, QString());
  Einrichten();
}

void TSchnellRaster::Einrichten() {
  S::KopfSchreiben(m_buch.Blatt());
  m_markiert.clear();
  m_gemerkt = 0;
  emit GemerktGeaendert();
  m_buch.Aktualisieren();  // the columns as wide as their headings
  // Names get more room than their headings need.
  const int breiten[S::SichtbareSpalten] = {0, 0, 140, 0, 0, 0, 160, 140, 0, 0, 0};
  for (int s = 1; s <= S::SichtbareSpalten; ++s)
    m_buch.setSpaltenbreite(s, std::max(m_buch.Ansicht()->columnWidth(s - 1), breiten[s - 1]));
  Gehe(S::SchlagName, S::ErsteZeile);
}

void TSchnellRaster::ListenNeu() {
  m_schlaege = S::Schlaege(m_db, m_betrieb, m_jahr);
  m_nachKultur = false;
  m_liste = TListe::Keine;
  PanelZeigen(ListeDerSpalte(m_buch.AktuelleSpalte()), m_buch.AktuelleZeile());
}

bool TSchnellRaster::HatEingaben() const { return S::LetzteZeile(m_buch.Blatt()) >= S::ErsteZeile; }

QString TSchnellRaster::Schlagname() const { return m_buch.Text(S::SchlagName, m_buch.AktuelleZeile()); }
QString TSchnellRaster::Hinweis() const { return S::Hinweis(m_buch.AktuelleSpalte()); }

bool TSchnellRaster::Merken() {
  const int z = m_buch.AktuelleZeile();
  if (z < S::ErsteZeile) return false;
  m_gemerkt = z;
  return true;
}

bool TSchnellRaster::Setzen() {
  const int z = m_buch.AktuelleZeile();
  if (m_gemerkt == 0 || z <= m_gemerkt) {
    m_meldungen.Piep();
    return false;
  }
  Gehe(S::Uebertragen(m_buch.Blatt(), m_gemerkt, z, m_buch.AktuelleSpalte()));
  m_buch.Auffrischen();
  return true;
}

S::TUebernahme TSchnellRaster::Uebernehmen() {
  S::TUebernahme u = S::Uebernehmen(m_db, m_buch.Blatt(), m_betrieb, m_jahr);
  // The lines taken over disappear; the others move up and keep their marks.
  const std::vector<int> neu = S::LeereZeilenEntfernen(m_buch.Blatt());
  m_gemerkt = 0;
  emit GemerktGeaendert();
  m_markiert.clear();
  for (auto& f : u.unlesbar) {
    f.zeile = neu[size_t(f.zeile)];
    m_markiert.insert({0, f.zeile});
    m_markiert.insert({std::min(f.spalte, int(S::SichtbareSpalten)), f.zeile});
  }
  m_buch.Auffrischen();
  if (!u.unlesbar.empty())
    Gehe(std::min(u.unlesbar.front().spalte, int(S::SichtbareSpalten)), u.unlesbar.front().zeile);
  else
    Gehe(S::SchlagName, S::ErsteZeile);
  return u;
}

TSchnellRaster::TListe TSchnellRaster::ListeDerSpalte(int spalte) const {
  switch (spalte) {
    case S::Parzelle: return TListe::Parzelle;
    case S::SchlagNr: return TListe::SchlagNr;
    case S::SchlagName: return TListe::SchlagName;
    case S::Bezeichnung: return TListe::Eintrag;
    case S::Kultur: return TListe::Kultur;
    default: return TListe::Keine;
  }
}

void TSchnellRaster::Gehe(int spalte, int zeile) {
  m_buch.setPosition(spalte, zeile);
  m_buch.setFocus();
}

void TSchnellRaster::PositionGeaendert(int spalte, int zeile) {
  m_frisch = true;
  PanelZeigen(ListeDerSpalte(spalte), zeile);
  emit AnzeigeGeaendert();
}

void TSchnellRaster::SchlaegeZeigen(TListe liste) {
  auto& s = m_schlaege;
  const auto zahl = [](const QString& t) { return t.toLongLong(); };
  if (liste == TListe::Parzelle)
    std::stable_sort(s.begin(), s.end(), [](const auto& a, const auto& b) { return a.parzelle < b.parzelle; });
  else if (liste == TListe::SchlagNr)
    std::stable_sort(s.begin(), s.end(), [&](const auto& a, const auto& b) { return zahl(a.schlagNr) < zahl(b.schlagNr); });
  else
    std::stable_sort(s.begin(), s.end(), [this](const auto& a, const auto& b) {
      const int n = QString::localeAwareCompare(a.name, b.name);
      const int k = QString::localeAwareCompare(a.kultur, b.kultur);
      return m_nachKultur ? (k != 0 ? k < 0 : n < 0) : (n != 0 ? n < 0 : k < 0);
    });
  std::vector<QStringList> zeilen;
  for (const auto& f : s) {
    if (liste == TListe::Parzelle) zeilen.push_back({QString::number(f.parzelle), f.name});
    else if (liste == TListe::SchlagNr) zeilen.push_back({f.schlagNr, f.name});
    else zeilen.push_back({f.name, f.kultur, QString::number(f.parzelle), f.schlagNr});
  }
  if (liste == TListe::Parzelle) m_panel.Zeigen(u"Schläge"_s, {u"Parzelle"_s, u"Schlagname"_s}, zeilen, 0);
  else if (liste == TListe::SchlagNr) m_panel.Zeigen(u"Schläge"_s, {u"Schlagnr."_s, u"Schlagname"_s}, zeilen, 0);
  else
    m_panel.Zeigen(u"Schläge"_s, {u"Schlagname"_s, u"Kultur"_s, u"Parzelle"_s, u"Schlagnummer"_s}, zeilen,
                   m_nachKultur ? 1 : 0);
}

void TSchnellRaster::PanelZeigen(TListe liste, int zeile) {
  m_liste = liste;
  m_listenzeile = zeile;
  const TBlatt& b = m_buch.Blatt();
  switch (liste) {
    case TListe::Keine: m_panel.Leeren(); return;
    case TListe::Parzelle:
    case TListe::SchlagNr:
    case TListe::SchlagName: SchlaegeZeigen(liste); return;
    case TListe::Eintrag: {
      const int kategorie = b.Text(S::KategorieNr, zeile).toInt();
      m_eintraege = S::Eintraege(m_db, m_betrieb, kategorie);
      std::vector<QStringList> zeilen;
      for (const auto& e : m_eintraege) zeilen.push_back({e.name});
      const QString name = Listenname(kategorie);
      m_panel.Zeigen(name, {name}, zeilen, 0);
      return;
    }
    case TListe::Kultur: {
      const int parzelle = b.Text(S::Parzelle, zeile).toInt();
      m_kulturen = parzelle > 0 ? S::Kulturen(m_db, m_betrieb, m_jahr, parzelle) : std::vector<S::TKultur>{};
      std::vector<QStringList> zeilen;
      for (const auto& k : m_kulturen) zeilen.push_back({k.Text()});
      m_panel.Zeigen(u"gedüngte Kultur"_s, {u"gedüngte Kultur"_s}, zeilen, 0);
      return;
    }
  }
}

void TSchnellRaster::TitelGeklickt(int spalte) {
  if (m_liste != TListe::SchlagName) return;
  m_nachKultur = spalte != 0;
  SchlaegeZeigen(m_liste);
  m_panel.setSuchspalte(spalte);
  m_panel.Suchfeld()->setFocus();
}

void TSchnellRaster::Zurueck() { Gehe(m_buch.AktuelleSpalte(), m_buch.AktuelleZeile()); }

void TSchnellRaster::Gewaehlt(int listenzeile) {
  const int z = m_listenzeile;
  TBlatt& b = m_buch.Blatt();
  switch (m_liste) {
    case TListe::Parzelle:
    case TListe::SchlagNr:
    case TListe::SchlagName:
      if (listenzeile >= int(m_schlaege.size())) return;
      S::SchlagSetzen(b, z, m_schlaege[size_t(listenzeile)], false);
      m_buch.Auffrischen();
      Gehe(S::Datum, z);
      return;
    case TListe::Eintrag: {
      if (listenzeile >= int(m_eintraege.size())) return;
      const QString fehler = S::EintragSetzen(m_db, b, z, m_betrieb, m_eintraege[size_t(listenzeile)].nummer);
      m_buch.Auffrischen();
      if (!fehler.isEmpty()) {
        m_meldungen.Info(fehler);
        Gehe(S::Bezeichnung, z);
        return;
      }
      Gehe(S::Kultur, z);
      return;
    }
    case TListe::Kultur:
      if (listenzeile >= int(m_kulturen.size())) return;
      S::KulturSetzen(b, z, m_kulturen[size_t(listenzeile)]);
      m_buch.Auffrischen();
      Gehe(S::Herbst, z);
      return;
    case TListe::Keine: return;
  }
}

std::optional<QString> TSchnellRaster::Eingabe(int spalte, const QString& text) {
  const QString t = text.trimmed();
  bool gut = true;
  QString ergebnis = t;
  switch (spalte) {
    case S::Parzelle:
    case S::SchlagNr:
      gut = std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
      break;
    case S::Datum: {
      const auto d = S::DatumLesen(t);
      gut = d.has_value();
      if (d && d->isValid()) ergebnis = S::DatumText(*d);
      break;
    }
    case S::Menge:
    case S::Tiere: gut = S::Zahl(t).has_value(); break;
    case S::Weidetage: {
      const auto w = S::Zahl(t);
      gut = w && *w == std::floor(*w);
      break;
    }
    default: break;
  }
  if (!gut) {
    m_meldungen.Piep();
    return std::nullopt;
  }
  return ergebnis;
}

bool TSchnellRaster::Taste(int spalte, int zeile, QKeyEvent* e) {
  const int taste = e->key();
  if (Navigation(taste)) return false;
  if (zeile < S::ErsteZeile) return true;
  if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
    Enter(spalte, zeile);
    return true;
  }
  if (taste == Qt::Key_Insert) {
    if (zeile > S::ErsteZeile) {
      Gehe(S::Uebertragen(m_buch.Blatt(), zeile - 1, zeile, spalte));
      m_buch.Auffrischen();
    }
    return true;
  }
  if (taste == Qt::Key_Backspace) {
    if (spalte == S::Herbst) m_buch.setText(spalte, zeile, QString());
    else if (spalte == S::Parzelle || spalte == S::SchlagNr || spalte == S::Datum || spalte == S::Menge ||
             spalte == S::Tiere || spalte == S::Weidetage)
      Zuruecksetzen(spalte, zeile);
    return true;
  }
  const QString text = e->text();
  if (text.size() != 1) return true;
  const QChar c = text.at(0);
  if (c == u'+') {
    if (spalte == S::Datum) m_buch.setText(spalte, zeile, S::DatumText(QDate::currentDate()));
    else if (const auto p = S::Plus(m_buch.Blatt(), zeile, spalte)) {
      m_buch.Auffrischen();
      Gehe(*p);
    }
    return true;
  }
  switch (spalte) {
    case S::Parzelle:
    case S::SchlagNr:
      if (c.isDigit()) Tippen(spalte, zeile, text);
      break;
    case S::SchlagName:
      if (Suchzeichen(c)) m_panel.Suchen(text);
      break;
    case S::Datum:
      if (c.isDigit() || c == u'.') Tippen(spalte, zeile, text);
      else if (c == u'-' || c == u'?') Datum(zeile, text);
      break;
    case S::Menge:
    case S::Tiere:
    case S::Weidetage:
      if (c.isDigit() || (c == u',' && spalte == S::Menge)) Tippen(spalte, zeile, text);
      else if (c == u'?') Rechner(spalte, zeile);
      break;
    case S::Kategorie:
      if (const auto k = S::KategorieTaste(c)) {
        TBlatt& b = m_buch.Blatt();
        // An item belongs to its category: another category drops it.
        if (b.Text(S::KategorieNr, zeile) != QString::number(k->nummer) && !b.Text(S::DngNummer, zeile).isEmpty())
          for (int s : {int(S::Bezeichnung), int(S::OrgGruppe), int(S::GruppeNr), int(S::NT), int(S::NH4N),
                        int(S::P2O5), int(S::P), int(S::TaVerfNr), int(S::AnrechenbarAL), int(S::AnrechenbarGL),
                        int(S::Herkunft), int(S::DngNummer)})
            b.setText(s, zeile, QString());
        b.setText(S::KategorieNr, zeile, QString::number(k->nummer));
        m_buch.setText(S::Kategorie, zeile, k->text);
        m_buch.Auffrischen();
        Gehe(S::Bezeichnung, zeile);
      }
      break;
    case S::Bezeichnung:
    case S::Kultur:
      if (Suchzeichen(c)) m_panel.Suchen(text);
      break;
    case S::Herbst:
      if (c == u'x' || c == u'X')
        m_buch.setText(spalte, zeile, m_buch.Text(spalte, zeile) == u"x"_s ? QString() : u"x"_s);
      else if (c == u' ')
        m_buch.setText(spalte, zeile, QString());
      break;
    default: break;
  }
  return true;
}

void TSchnellRaster::Tippen(int spalte, int zeile, const QString& zeichen) {
  const QString alt = m_frisch ? QString() : m_buch.Blatt().Roh(spalte, zeile);
  if (zeichen == u","_s && alt.contains(u',')) return;
  if (alt.size() >= 12) return;
  m_buch.setText(spalte, zeile, alt + zeichen);
  m_frisch = false;
}

void TSchnellRaster::Zuruecksetzen(int spalte, int zeile) {
  QString t = m_buch.Blatt().Roh(spalte, zeile);
  t.chop(1);
  m_buch.setText(spalte, zeile, t);
  m_frisch = false;
}

void TSchnellRaster::Datum(int zeile, const QString& taste) {
  const auto d = S::DatumLesen(m_buch.Text(S::Datum, zeile));
  const QDate bisher = d && d->isValid() ? *d : QDate();
  if (taste == u"-"_s) {
    m_buch.setText(S::Datum, zeile, S::DatumText(bisher.isValid() ? bisher.addDays(-1) : QDate::currentDate().addDays(-1)));
    return;
  }
  if (const auto gewaehlt = m_hilfe.DatumAuswaehlen(m_buch.window(), bisher))
    m_buch.setText(S::Datum, zeile, S::DatumText(*gewaehlt));
}

void TSchnellRaster::Rechner(int spalte, int zeile) {
  const double w = m_hilfe.Taschenrechner(m_buch.window());
  if (w == 0) return;
  m_buch.setText(spalte, zeile,
                 spalte == S::Menge ? QString::number(w, 'f', 3).replace(u'.', u',') : QString::number(std::llround(w)));
}

void TSchnellRaster::Enter(int spalte, int zeile) {
  TBlatt& b = m_buch.Blatt();
  const bool gefuellt = !b.Text(spalte, zeile).isEmpty();
  switch (spalte) {
    case S::Parzelle: {
      if (b.Text(S::SchlagName, zeile).isEmpty() && gefuellt) {
        const int nr = b.Text(spalte, zeile).toInt();
        const auto f = std::find_if(m_schlaege.begin(), m_schlaege.end(), [nr](const auto& s) { return s.parzelle == nr; });
        if (f != m_schlaege.end()) {
          S::SchlagSetzen(b, zeile, *f, true);
          m_buch.Auffrischen();
          Gehe(S::Datum, zeile);
          return;
        }
      }
      Gehe(S::SchlagNr, zeile);
      return;
    }
    case S::SchlagNr: {
      if (!b.Text(S::SchlagName, zeile).isEmpty() || !gefuellt) {
        Gehe(S::SchlagName, zeile);
        return;
      }
      const QString nr = b.Text(spalte, zeile);
      SchlaegeZeigen(TListe::SchlagNr);
      const auto f = std::find_if(m_schlaege.begin(), m_schlaege.end(), [&nr](const auto& s) { return s.schlagNr == nr; });
      if (f == m_schlaege.end()) {
        Gehe(S::SchlagName, zeile);
        return;
      }
      m_panel.setAktuell(int(f - m_schlaege.begin()));
      m_panel.ListeFokussieren();
      return;
    }
    case S::SchlagName:
    case S::Bezeichnung:
    case S::Kultur:
      if (gefuellt) Gehe(spalte + 1, zeile);
      else m_panel.ListeFokussieren();
      return;
    case S::Datum:
      if (!gefuellt) return;
      // A readable date is shown in full.
      if (const auto d = S::DatumLesen(b.Text(spalte, zeile)); d && d->isValid())
        m_buch.setText(spalte, zeile, S::DatumText(*d));
      Gehe(spalte + 1, zeile);
      return;
    case S::Kategorie:
      if (gefuellt) Gehe(spalte + 1, zeile);
      return;
    case S::Menge:
    case S::Tiere: Gehe(spalte + 1, zeile); return;
    case S::Weidetage: Gehe(S::SchlagName, zeile + 1); return;
    case S::Herbst:
      if (b.Text(S::KategorieNr, zeile).toInt() == 4) Gehe(S::Tiere, zeile);
      else Gehe(S::SchlagName, zeile + 1);
      return;
    default: return;
  }
}
