#include "taschenrechner.h"

#include "eingabeformat.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QString Fehlertext = QStringLiteral("Fehler");
constexpr int MaxZiffern = 15;

QString Text(double w) {
  QLocale l(QLocale::German, QLocale::Germany);
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  if (w == 0.0) w = 0.0;  // no "-0"
  return l.toString(w, 'g', MaxZiffern);
}

}  // namespace

TTaschenrechner::TTaschenrechner(TArt art, QWidget* eltern) : QDialog(eltern), m_art(art) {
  setWindowTitle(QStringLiteral("Taschenrechner"));
  setAccessibleName(windowTitle());
  auto* raster = new QGridLayout(this);
  m_anzeige = new QLineEdit(this);
  m_anzeige->setReadOnly(true);
  m_anzeige->setAlignment(Qt::AlignRight);
  m_anzeige->setFocusPolicy(Qt::NoFocus);
  m_anzeige->setAccessibleName(QStringLiteral("Anzeige"));
  raster->addWidget(m_anzeige, 0, 0, 1, 4);

  const char* const tasten[6][4] = {
      {"MR", "M +", "C", "+/-"}, {"Pi", "sqrt", "X\u00b2", "1/X"}, {"7", "8", "9", "/"},
      {"4", "5", "6", "*"},      {"1", "2", "3", "-"},             {"0", ",", "=", "+"},
  };
  for (int z = 0; z < 6; ++z)
    for (int s = 0; s < 4; ++s) {
      const QString text = QString::fromUtf8(tasten[z][s]);
      auto* knopf = new QPushButton(text, this);
      knopf->setObjectName(text);
      knopf->setAccessibleName(text);
      // The keyboard stays with the window, which takes digits and operators.
      knopf->setFocusPolicy(Qt::NoFocus);
      knopf->setAutoDefault(false);
      connect(knopf, &QPushButton::clicked, this, [this, text] { Taste(text); });
      raster->addWidget(knopf, z + 1, s);
    }
  const QString uebernahme = art == TArt::Einfuegen ? QStringLiteral("Einfügen") : QStringLiteral("Kopieren");
  auto* knopf = new QPushButton(uebernahme, this);
  knopf->setObjectName(uebernahme);
  knopf->setAccessibleName(uebernahme);
  knopf->setFocusPolicy(Qt::NoFocus);
  knopf->setAutoDefault(false);
  connect(knopf, &QPushButton::clicked, this, [this] { Uebernehmen(); });
  raster->addWidget(knopf, 7, 0, 1, 4);
  Zeigen();
}

QPushButton* TTaschenrechner::Knopf(const QString& beschriftung) const {
  return findChild<QPushButton*>(beschriftung, Qt::FindDirectChildrenOnly);
}

double TTaschenrechner::Wert() const { return m_fehler ? 0.0 : m_wert; }

QString TTaschenrechner::Anzeige() const { return m_anzeige->text(); }

void TTaschenrechner::Taste(const QString& t) {
  if (t.size() == 1 && t[0].isDigit())
    Ziffer(t[0]);
  else if (t == QLatin1String(",") || t == QLatin1String("."))
    Trennzeichen();
  else if (t == QLatin1String("+") || t == QLatin1String("-") || t == QLatin1String("*") || t == QLatin1String("/"))
    Operator(t[0]);
  else if (t == QLatin1String("="))
    Gleich();
  else if (t == QLatin1String("C"))
    Loeschen();
  else if (t == QLatin1String("Einfügen") || t == QLatin1String("Kopieren"))
    Uebernehmen();
  else
    Funktion(t);
  Zeigen();
}

void TTaschenrechner::Ziffer(QChar z) {
  if (m_fehler) Loeschen();
  if (m_eingabe == QLatin1String("0"))
    m_eingabe = z;
  else if (m_eingabe == QLatin1String("-0"))
    m_eingabe = QStringLiteral("-") + z;
  else if (std::count_if(m_eingabe.begin(), m_eingabe.end(), [](QChar c) { return c.isDigit(); }) < MaxZiffern)
    m_eingabe += z;
  WertSetzen(Eingabe::Zahl(m_eingabe).value_or(0.0));
  if (!m_op.isNull()) m_operandDa = true;
}

void TTaschenrechner::Trennzeichen() {
  if (m_fehler) Loeschen();
  if (m_eingabe.isEmpty())
    m_eingabe = QStringLiteral("0,");
  else if (!m_eingabe.contains(Eingabe::Komma))
    m_eingabe += Eingabe::Komma;
  WertSetzen(Eingabe::Zahl(m_eingabe).value_or(0.0));
  if (!m_op.isNull()) m_operandDa = true;
}

void TTaschenrechner::Operator(QChar op) {
  if (m_fehler) return;
  if (!m_op.isNull() && m_operandDa)
    Rechnen();
  else if (m_op.isNull())
    m_akku = m_wert;
  m_op = op;
  m_operandDa = false;
  m_eingabe.clear();
}

void TTaschenrechner::Gleich() {
  if (m_fehler) return;
  if (!m_op.isNull()) Rechnen();  // "5 + =" takes the shown value as right operand
  m_op = QChar();
  m_operandDa = false;
  m_eingabe.clear();
}

void TTaschenrechner::Rechnen() {
  const double a = m_akku, b = m_wert;
  double r = 0;
  switch (m_op.unicode()) {
    case u'+': r = a + b; break;
    case u'-': r = a - b; break;
    case u'*': r = a * b; break;
    case u'/':
      if (b == 0.0) {
        m_fehler = true;
        return;
      }
      r = a / b;
      break;
    default: r = b;
  }
  WertSetzen(r);
  m_akku = m_wert;
}

void TTaschenrechner::Funktion(const QString& name) {
  if (m_fehler) return;
  if (name == QLatin1String("+/-") && !m_eingabe.isEmpty()) {
    // While typing, only the sign of the typed text changes.
    m_eingabe = m_eingabe.startsWith(u'-') ? m_eingabe.mid(1) : QStringLiteral("-") + m_eingabe;
    WertSetzen(Eingabe::Zahl(m_eingabe).value_or(0.0));
    return;
  }
  const double w = m_wert;
  if (name == QLatin1String("+/-")) {
    WertSetzen(-w);
  } else if (name == QLatin1String("Pi")) {
    WertSetzen(std::numbers::pi);
  } else if (name == QLatin1String("sqrt")) {
    if (w < 0) m_fehler = true;
    else WertSetzen(std::sqrt(w));
  } else if (name == QString::fromUtf8("X\u00b2")) {
    WertSetzen(w * w);
  } else if (name == QLatin1String("1/X")) {
    if (w == 0.0) m_fehler = true;
    else WertSetzen(1.0 / w);
  } else if (name == QLatin1String("MR")) {
    WertSetzen(m_speicher);
  } else if (name == QLatin1String("M +")) {
    m_speicher += w;
    m_eingabe.clear();
    return;  // the shown value is no new operand
  } else {
    return;
  }
  m_eingabe.clear();
  if (!m_op.isNull()) m_operandDa = true;
}

void TTaschenrechner::Loeschen() {
  m_eingabe.clear();
  m_wert = m_akku = 0;
  m_op = QChar();
  m_operandDa = false;
  m_fehler = false;
}

void TTaschenrechner::WertSetzen(double w) {
  if (!std::isfinite(w)) {
    m_fehler = true;
    return;
  }
  m_wert = w;
}

void TTaschenrechner::Zeigen() {
  m_anzeige->setText(m_fehler ? Fehlertext : !m_eingabe.isEmpty() ? m_eingabe : Text(m_wert));
}

void TTaschenrechner::Uebernehmen() {
  if (m_art == TArt::Kopieren) QGuiApplication::clipboard()->setText(Anzeige());
  accept();
}

void TTaschenrechner::keyPressEvent(QKeyEvent* e) {
  const QString t = e->text();
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || t == QLatin1String("=")) {
    Taste(QStringLiteral("="));
  } else if (e->key() == Qt::Key_Delete) {
    Taste(QStringLiteral("C"));
  } else if (e->key() == Qt::Key_Backspace) {
    if (!m_eingabe.isEmpty()) {
      m_eingabe.chop(1);
      if (m_eingabe == QLatin1String("-")) m_eingabe.clear();
      WertSetzen(Eingabe::Zahl(m_eingabe).value_or(0.0));
      Zeigen();
    }
  } else if (t.size() == 1 && (t[0].isDigit() || QStringLiteral(",.+-*/").contains(t[0]))) {
    Taste(t);
  } else {
    QDialog::keyPressEvent(e);
  }
}
