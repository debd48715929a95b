#include "dbeditmod.h"

#include "connection.h"

#include <QKeyEvent>

using Eingabe::TSpaltenArt;

TDBEditMod::TDBEditMod(QWidget* eltern) : TEingabeFeld(dtString, eltern) {}

TDBEditMod::TDBEditMod(TADODataSetMod* liste, const QString& feld, QWidget* eltern) : TDBEditMod(eltern) {
  Binden(liste, feld);
}

void TDBEditMod::Binden(TADODataSetMod* liste, const QString& feld) {
  for (const auto& v : m_verbindungen) disconnect(v);
  m_verbindungen.clear();
  m_liste = liste;
  m_feld = feld;
  if (liste) {
    m_verbindungen.push_back(connect(liste, &TADODataSetMod::Zurueckgesetzt, this, [this] {
      ArtAbleiten();
      Anzeigen();
    }));
    m_verbindungen.push_back(connect(liste, &TADODataSetMod::PositionGeaendert, this, [this] {
      Anzeigen();
      // Another row: its value is not the user's typing, and Escape goes back to it.
      if (IstBetreten()) {
        m_wertBeimBetreten = Wert();
        BesuchNeuBeginnen();
      }
    }));
    m_verbindungen.push_back(connect(liste, &TADODataSetMod::ZustandGeaendert, this, &TDBEditMod::Anzeigen));
    m_verbindungen.push_back(connect(liste, &TADODataSetMod::ZeileGeaendert, this, [this](int zeile) {
      if (m_liste && zeile == m_liste->Position()) Anzeigen();
    }));
  }
  ArtAbleiten();
  Anzeigen();
}

const TADODataSetMod::TFeld* TDBEditMod::Spalte() const {
  return m_liste && m_liste->IstOffen() ? m_liste->Feld(m_feld) : nullptr;
}

void TDBEditMod::ArtAbleiten() {
  const auto* f = Spalte();
  if (!f) return;
  m_typ = f->typ;
  m_spaltenArt = Eingabe::SpaltenArt(f->typ, Wert());
  m_zaehler = !f->tabelle.isEmpty() && f->spalte.compare(QStringLiteral("ID"), Qt::CaseInsensitive) == 0 &&
              m_spaltenArt == TSpaltenArt::Ganzzahl;
  // A column that is never written back (an expression, another table's) can only be shown.
  m_schreibbar = m_liste->Gespeichert(*f);
  if (!m_artFest) setArt(Eingabe::DatenTypFuer(m_spaltenArt));
  const int laenge = Eingabe::TextLaenge(m_typ);
  if (DatenTyp() != dtDatum) setMaxLength(DatenTyp() == dtString && laenge > 0 ? laenge : 32767);
  NurLesenAnwenden();
}

void TDBEditMod::setDatenTyp(TDatenTyp art) {
  m_artFest = true;
  setArt(art);
  ArtAbleiten();
  Anzeigen();
}

void TDBEditMod::setSchalter(bool schalter) {
  m_schalter = schalter;
  m_artFest = false;
  ArtAbleiten();
  Anzeigen();
}

void TDBEditMod::setFehler_Faerben(TFehlerFaerben regel) {
  m_faerben = regel;
  Umfaerben();
}

QString TDBEditMod::DisplayFormat() const {
  return DatenTyp() == dtFloat ? QStringLiteral("0.") + QString(Genauigkeit(), u'0') : QString();
}

QVariant TDBEditMod::Wert() const {
  if (!m_liste || !m_liste->IstOffen() || m_liste->Position() < 0) return {};
  return m_liste->Wert(m_feld);
}

bool TDBEditMod::WertGeaendert() const { return !Gleich(m_wertBeimBetreten, Wert()); }

bool TDBEditMod::Bearbeitet() const {
  return m_liste && (m_liste->Zustand() == TADODataSetMod::TZustand::Bearbeiten ||
                     m_liste->Zustand() == TADODataSetMod::TZustand::Einfuegen);
}

bool TDBEditMod::IstFehlerhaft() const {
  if (!m_liste || !m_liste->IstOffen() || m_liste->Position() < 0) return false;
  return Eingabe::FehlerRegelGreift(m_faerben, Wert(), m_spaltenArt);
}

void TDBEditMod::PanelFehlerZeigen() { FarbeSetzen(Eingabe::FarbePanelFehler); }

std::pair<qint64, qint64> TDBEditMod::Bereich() const {
  return m_typ.isEmpty() ? TEingabeFeld::Bereich() : Eingabe::GanzzahlBereich(m_typ);
}

TMeldungen* TDBEditMod::WeitereMeldungen() const { return m_liste ? m_liste->Verbindung().Meldungen() : nullptr; }

// --- value and text ---------------------------------------------------------

QVariant TDBEditMod::WertAusText(const QString& t) const {
  switch (DatenTyp()) {
    case dtInteger:
    case dtJahr: {
      bool ok = false;
      const qlonglong n = t.toLongLong(&ok);
      return ok ? QVariant(n) : QVariant();
    }
    case dtFloat: {
      const auto w = Eingabe::Zahl(t);
      return w ? QVariant(*w) : QVariant();
    }
    case dtDatum: {
      const QDate d = Eingabe::DatumAusText(t);
      return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
    }
    case dtString:
      if (m_spaltenArt == TSpaltenArt::Wahrheitswert) {
        const QString s = t.trimmed().toLower();
        if (s == QLatin1String("1") || s == QLatin1String("-1") || s == QLatin1String("wahr") || s == QLatin1String("ja") ||
            s == QLatin1String("true"))
          return qlonglong(1);
        if (s == QLatin1String("0") || s == QLatin1String("falsch") || s == QLatin1String("nein") || s == QLatin1String("false"))
          return qlonglong(0);
        return {};
      }
      return t;
  }
  return t;
}

QString TDBEditMod::TextAusWert(const QVariant& w) const {
  if (w.isNull() || !w.isValid()) return {};
  bool ok = false;
  switch (DatenTyp()) {
    case dtInteger:
    case dtJahr: {
      if (w.typeId() == QMetaType::LongLong) return QString::number(w.toLongLong());
      const double d = w.toDouble(&ok);
      return ok ? ZahlAlsText(d) : QString();
    }
    case dtFloat: {
      const double d = w.toDouble(&ok);
      return ok ? ZahlAlsText(d) : QString();
    }
    case dtDatum: return Eingabe::DatumText(Eingabe::DatumAusSpalte(w));
    case dtString:
      if (m_spaltenArt == TSpaltenArt::Wahrheitswert)
        return w.toLongLong() != 0 ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
      return w.toString();
  }
  return w.toString();
}

bool TDBEditMod::Gleich(const QVariant& a, const QVariant& b) const {
  if (DatenTyp() == dtString && m_spaltenArt != TSpaltenArt::Wahrheitswert) return a.toString() == b.toString();
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
  // The same day keeps a stored time of day.
  if (DatenTyp() == dtDatum) return Eingabe::DatumAusSpalte(a) == Eingabe::DatumAusSpalte(b);
  return a.toDouble() == b.toDouble();
}

void TDBEditMod::Schreiben(const QVariant& wert) {
  if (!m_liste || !m_liste->IstOffen() || IstNurLesen() || Gleich(wert, Wert())) return;
  m_schreibt = true;
  m_liste->setWert(m_feld, wert);
  m_schreibt = false;
  Umfaerben();
}

void TDBEditMod::Anzeigen() {
  if (m_schreibt) return;
  const QVariant w = Wert();
  const bool nullWert = !w.isNull() && w.toDouble() == 0.0;
  if (m_nullVersteckt && !nullWert) m_nullVersteckt = false;
  const QString t = m_nullVersteckt && !m_getippt ? QString() : TextAusWert(w);
  const bool gleich = DatenTyp() == dtDatum ? (t.isEmpty() ? TextLeer() : t == text()) : t == text();
  if (!gleich) {
    setText(t);
    // A long name shows its beginning, not its end.
    if (!hasFocus()) setCursorPosition(0);
  }
  Umfaerben();
}

// --- entering, typing, leaving ----------------------------------------------

void TDBEditMod::BeimBetreten() {
  if (m_liste && m_liste->IstOffen() && !IstNurLesen() && isEnabled()) m_liste->EditierenOderAnfuegen();
  m_wertBeimBetreten = Wert();
  Anzeigen();
  if ((DatenTyp() == dtInteger || DatenTyp() == dtFloat) && !IstNurLesen()) {
    // A 0 is shown as an empty text while the field has the focus.
    if (!m_wertBeimBetreten.isNull() && m_wertBeimBetreten.toDouble() == 0.0) {
      m_nullVersteckt = true;
      setText(QString());
    }
  }
}

void TDBEditMod::NachEingabe() {
  if (IstNurLesen() || !m_liste || !m_liste->IstOffen()) return;
  if (!TextLeer() && !Ablehnung(text()).isEmpty()) {
    // A text that leaving will refuse never reaches the column.
    Schreiben(m_wertBeimBetreten);
    return;
  }
  if (DatenTyp() == dtString) {
    Schreiben(WertAusText(text()));
  } else if (TextLeer()) {
    Schreiben(LeerErlaubt() == TLeerErlaubt::NichtErlaubt && IstZahlArt() ? WertAusText(Normalisiert(QString()))
                                                                        : QVariant());
  } else {
    Schreiben(WertAusText(IstZahlArt() ? Normalisiert(text()) : text()));
  }
}

void TDBEditMod::Uebernehmen() {
  if (!Bearbeitet()) return;
  // Untouched, the text only shows the stored value (rounded, or with a
  // two-digit year): writing it back would change the value.
  const QString anzeige = TextAusWert(Wert());
  if (!m_getippt && (DatenTyp() == dtDatum ? (anzeige.isEmpty() ? TextLeer() : anzeige == text()) : anzeige == text()))
    return;
  Schreiben(DatenTyp() == dtString ? WertAusText(text()) : TextLeer() ? QVariant() : WertAusText(text()));
}

void TDBEditMod::EingabeZuruecknehmen() {
  if (Bearbeitet()) Schreiben(m_wertBeimBetreten);
  // The column may not have changed at all (a refused entry): show it again.
  Anzeigen();
}

void TDBEditMod::EscapeOhneAenderung(QKeyEvent* e) {
  if (Bearbeitet()) m_liste->Abbrechen();
  e->ignore();
}
