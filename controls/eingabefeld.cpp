#include "eingabefeld.h"

#include "adopanel.h"
#include "hilfsfenster.h"
#include "meldungen.h"
#include "zahlen.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <limits>

TEingabeFeld* TEingabeFeld::s_verlassend = nullptr;

namespace {

bool Ziffer(QChar c) { return c >= u'0' && c <= u'9'; }

const QString DatumsMaske = QStringLiteral("09.09.99;_");

}  // namespace

TEingabeFeld::TEingabeFeld(TDatenTyp art, QWidget* eltern) : QLineEdit(eltern), m_art(dtString) {
  setArt(art);
  connect(this, &QLineEdit::textEdited, this, [this] {
    m_getippt = true;
    NachEingabe();
  });
  Umfaerben();
}

void TEingabeFeld::setArt(TDatenTyp art) {
  m_art = art;
  if (art == dtDatum && inputMask().isEmpty()) {
    // Day, month and two-digit year, separated by dots.
    setInputMask(DatumsMaske);
    m_maskeGesetzt = true;
  } else if (art != dtDatum && m_maskeGesetzt) {
    setInputMask(QString());
    m_maskeGesetzt = false;
  }
  setAlignment(IstZahlArt() ? Qt::AlignRight : Qt::AlignLeft);
}

void TEingabeFeld::setRO(bool ro) {
  m_ro = ro;
  NurLesenAnwenden();
}

void TEingabeFeld::setGenauigkeit(int stellen) { m_genauigkeit = std::max(0, stellen); }

void TEingabeFeld::setGrundFarbe(const QColor& farbe) {
  m_grundFarbe = farbe;
  Umfaerben();
}

void TEingabeFeld::NurLesenAnwenden() {
  const bool nurLesen = IstNurLesen();
  setReadOnly(nurLesen);
  // Out of the tab order while read-only; the old setting comes back after.
  if (nurLesen && !m_tabGemerkt) {
    m_alteFokusPolitik = focusPolicy();
    m_tabGemerkt = true;
    setFocusPolicy(Qt::ClickFocus);
  } else if (!nurLesen && m_tabGemerkt) {
    m_tabGemerkt = false;
    setFocusPolicy(m_alteFokusPolitik);
  }
  Umfaerben();
}

void TEingabeFeld::FarbeSetzen(const QColor& farbe) {
  QPalette p = palette();
  if (p.color(QPalette::Base) == farbe) return;
  p.setColor(QPalette::Base, farbe);
  setPalette(p);
}

void TEingabeFeld::Umfaerben() {
  FarbeSetzen(IstFehlerhaft() ? Eingabe::FarbeFehler : IstNurLesen() ? Eingabe::FarbeNurLesen : m_grundFarbe);
}

TMeldungen& TEingabeFeld::Meldungen() const {
  if (m_meldungen) return *m_meldungen;
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* panel = qobject_cast<TADOPanel*>(w))
      if (TMeldungen* m = panel->EigeneMeldungen()) return *m;
  if (TMeldungen* m = WeitereMeldungen()) return *m;
  return Eingabe::StandardMeldungen();
}

THilfsfenster& TEingabeFeld::Hilfsfenster() const {
  if (m_hilfsfenster) return *m_hilfsfenster;
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* panel = qobject_cast<TADOPanel*>(w))
      if (THilfsfenster* h = panel->Hilfsfenster()) return *h;
  return Eingabe::StandardHilfsfenster();
}

std::pair<qint64, qint64> TEingabeFeld::Bereich() const {
  return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
}

QString TEingabeFeld::ZahlAlsText(double wert) const {
  return m_art == dtFloat ? Eingabe::ZahlText(wert, Genauigkeit()) : QString::number(Zahlen::Gerundet(wert));
}

QString TEingabeFeld::Normalisiert(const QString& t) const {
  switch (m_art) {
    case dtInteger:
    case dtJahr: {
      bool ok = false;
      qint64 n = Eingabe::GanzzahlNormalisieren(t, m_unsigned).toLongLong(&ok);
      if (ok && m_art == dtJahr) n = JahrUmrechnen(n);
      const auto [von, bis] = Bereich();
      // Too many digits for the column: no value rather than an error.
      if (!ok || n < von || n > bis) return {};
      return QString::number(n);
    }
    case dtFloat: return Eingabe::KommazahlNormalisieren(t, Genauigkeit(), m_unsigned);
    case dtString:
    case dtDatum: return t;
  }
  return t;
}

qint64 TEingabeFeld::AsInteger() const {
  const auto w = Eingabe::Zahl(text());
  return w ? Zahlen::Gerundet(*w) : 0;
}

void TEingabeFeld::setAsInteger(qint64 n) { setText(QString::number(n)); }

double TEingabeFeld::AsFloat() const { return Eingabe::Zahl(text()).value_or(0.0); }

void TEingabeFeld::setAsFloat(double w) { setText(ZahlAlsText(w)); }

// --- keys -------------------------------------------------------------------

void TEingabeFeld::keyPressEvent(QKeyEvent* e) {
  const int taste = e->key();
  const auto mods = e->modifiers() & ~Qt::KeypadModifier;
  if (Navigiert() && mods == Qt::NoModifier) {
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
      // Leaving normalises a date field; the focus moves on.
      focusNextPrevChild(true);
      e->accept();
      return;
    }
    if (taste == Qt::Key_Down || taste == Qt::Key_Up) {
      focusNextPrevChild(taste == Qt::Key_Down);
      e->accept();
      return;
    }
  }
  if (IstNurLesen()) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  if (taste == Qt::Key_Escape && mods == Qt::NoModifier) {
    Escape(e);
    return;
  }
  if (m_art == dtFloat && (taste == Qt::Key_Backspace || taste == Qt::Key_Delete) && mods == Qt::NoModifier &&
      !hasSelectedText()) {
    // At the separator the decimals go with it.
    const int trenner = text().indexOf(Eingabe::Komma);
    const int pos = cursorPosition();
    if (trenner >= 0 && ((taste == Qt::Key_Backspace && pos == trenner + 1) || (taste == Qt::Key_Delete && pos == trenner))) {
      setText(text().left(trenner));
      m_getippt = true;
      NachEingabe();
      e->accept();
      return;
    }
  }
  const QString t = e->text();
  const bool zeichen = t.size() == 1 && t[0].isPrint() &&
                       !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (zeichen && t[0] == u'?') {
    if (m_art == dtInteger || m_art == dtFloat) {
      RechnerOeffnen();
      e->accept();
      return;
    }
    if (m_art == dtDatum) {
      DatumWaehlen();
      e->accept();
      return;
    }
  }
  if (zeichen && IstZahlArt()) {
    if (!ZeichenAnnehmen(t[0], e)) {
      Meldungen().Piep();
      e->accept();
    }
    return;
  }
  QLineEdit::keyPressEvent(e);
}

bool TEingabeFeld::ZeichenAnnehmen(QChar c, QKeyEvent* e) {
  // What a typed character meets: the text without the selection it replaces.
  const int pos = hasSelectedText() ? selectionStart() : cursorPosition();
  QString rest = text();
  if (hasSelectedText()) rest.remove(selectionStart(), selectedText().size());
  if (Ziffer(c)) {
    // More decimals than the field has are refused on leaving, with a message.
    QLineEdit::keyPressEvent(e);
    return true;
  }
  if (c == u'-') {
    if (pos != 0 || rest.contains(u'-') || m_unsigned) return false;
    QLineEdit::keyPressEvent(e);
    return true;
  }
  if (m_art == dtFloat && (c == u',' || c == u'.')) {
    if (rest.contains(Eingabe::Komma)) return false;
    const bool nullDavor = pos == 0 || (pos == 1 && rest.startsWith(u'-'));
    insert(nullDavor ? QStringLiteral("0,") : QString(Eingabe::Komma));
    return true;
  }
  return false;
}

void TEingabeFeld::Escape(QKeyEvent* e) {
  if (text() != m_gemerkt) {
    setText(m_gemerkt);
    if (m_getippt) EingabeZuruecknehmen();
    m_getippt = false;
    if (m_autoSelect) selectAll();
    e->accept();
    return;
  }
  EscapeOhneAenderung(e);
}

void TEingabeFeld::EscapeOhneAenderung(QKeyEvent* e) { QLineEdit::keyPressEvent(e); }

QString TEingabeFeld::Ablehnung(const QString& t) const {
  if (m_art == dtFloat && Eingabe::Nachkommastellen(t) > Genauigkeit())
    return Eingabe::ZuVieleNachkommastellen(Genauigkeit());
  return {};
}

void TEingabeFeld::BesuchNeuBeginnen() {
  m_getippt = false;
  m_gemerkt = text();
}

void TEingabeFeld::RechnerOeffnen() {
  const double wert = Hilfsfenster().Taschenrechner(this);
  if (wert == 0.0) return;
  setText(ZahlAlsText(wert));
  m_getippt = true;
  NachEingabe();
}

void TEingabeFeld::DatumWaehlen() {
  const auto datum = Hilfsfenster().DatumAuswaehlen(this, Eingabe::DatumAusText(text()));
  if (!datum || !datum->isValid()) return;
  setText(Eingabe::DatumText(*datum));
  m_getippt = true;
  NachEingabe();
}

// --- entering and leaving ---------------------------------------------------

void TEingabeFeld::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  // Back from a message box, or the focus was returned: still the same visit.
  if (m_betreten || (s_verlassend && s_verlassend != this)) return;
  m_betreten = true;
  m_getippt = false;
  m_nullVersteckt = false;
  BeimBetreten();
  m_gemerkt = text();
  if (m_autoSelect)
    selectAll();
  else if (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason)
    deselect();
}

void TEingabeFeld::focusOutEvent(QFocusEvent* e) {
  const Qt::FocusReason grund = e->reason();
  // Another window on top (a message box, a menu) is no leaving.
  if (!m_betreten || grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason) {
    QLineEdit::focusOutEvent(e);
    return;
  }
  if (!VerlassenAusfuehren() && isVisible() && isEnabled()) {
    setFocus(Qt::OtherFocusReason);
    if (hasFocus()) return;
  }
  m_betreten = false;
  QLineEdit::focusOutEvent(e);
  emit Verlassen();
}

bool TEingabeFeld::VerlassenAusfuehren() {
  struct TWache {
    TEingabeFeld* vorher;
    explicit TWache(TEingabeFeld* f) : vorher(s_verlassend) { s_verlassend = f; }
    ~TWache() { s_verlassend = vorher; }
  } wache(this);

  if (IstNurLesen()) {
    Umfaerben();
    return true;
  }
  if (m_art == dtDatum && Eingabe::DatumLeer(text())) setText(QString());
  if ((m_art == dtInteger || m_art == dtFloat) && m_nullVersteckt && !m_getippt && text().isEmpty())
    setText(ZahlAlsText(0));
  m_nullVersteckt = false;

  if (m_getippt && !TextLeer()) {
    // The typed text stays for correcting; Escape brings back the old value.
    if (const QString grund = Ablehnung(text()); !grund.isEmpty()) {
      Meldungen().Info(grund);
      Umfaerben();
      return false;
    }
  }
  std::optional<double> wert;
  if (!TextLeer() || m_leer == TLeerErlaubt::NichtErlaubt) {
    const QString n = Normalisiert(text());
    if (n != text()) setText(n);
    if (IstZahlArt()) wert = Eingabe::Zahl(n);
  }
  if (wert && *wert < 0 && m_keineNegativen) {
    Meldungen().Info(KeineNegativenText);
    EingabeZuruecknehmen();
    Umfaerben();
    return false;
  }
  Uebernehmen();
  const bool weiter = !wert || GrenzenPruefen(*wert);
  Umfaerben();
  return weiter;
}

QString TEingabeFeld::Meldungstext(const QString& standard, const QString& eigen, double grenze) const {
  QString text = eigen.trimmed().isEmpty() ? standard : eigen;
  return text.replace(QStringLiteral("%s"), Eingabe::ZahlText(grenze, Genauigkeit()));
}

void TEingabeFeld::GrenzeSetzen(double grenze) {
  setText(ZahlAlsText(grenze));
  Uebernehmen();
}

bool TEingabeFeld::GrenzenPruefen(double wert) {
  const bool zuKlein = wert < m_min;
  const bool zuGross = !zuKlein && wert > m_max;
  if (!zuKlein && !zuGross) return true;
  const TGrenzModus modus = zuKlein ? Eingabe::MinModus(m_test) : Eingabe::MaxModus(m_test);
  const double grenze = zuKlein ? m_min : m_max;
  const QString warnung = zuKlein ? Meldungstext(QStringLiteral("Der eingegebene Wert muß größer oder gleich %s sein"), m_zuKlein, grenze)
                                  : Meldungstext(QStringLiteral("Der eingegebene Wert muß kleiner oder gleich %s sein"), m_zuGross, grenze);
  switch (modus) {
    case TGrenzModus::Free: return true;
    case TGrenzModus::Korr: GrenzeSetzen(grenze); return true;
    case TGrenzModus::MKor:
      Meldungen().Info(warnung);
      GrenzeSetzen(grenze);
      return true;
    case TGrenzModus::Grenz: Meldungen().Info(warnung); return false;
    case TGrenzModus::Frag: {
      const QString frage = zuKlein ? Meldungstext(QStringLiteral("Soll der eingegebene Wert wirklich kleiner als %s sein"), m_zuKlein, grenze)
                                    : Meldungstext(QStringLiteral("Soll der eingegebene Wert wirklich größer als %s sein"), m_zuGross, grenze);
      return Meldungen().Frage(frage);
    }
  }
  return true;
}
