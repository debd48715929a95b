#include "werkzeugleiste.h"

#include "blattdateien.h"
#include "dbasetabelle.h"
#include "druckfenster.h"
#include "blattmodell.h"
#include "connection.h"
#include "datenbankexport.h"
#include "exportfenster.h"
#include "fehlertexte.h"
#include "files.h"
#include "tabellenauswahl.h"
#include "hf1book.h"
#include "meldungen.h"
#include "sicheredatei.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>

using namespace Qt::StringLiterals;
namespace D = Blattdateien;

const QString TWerkzeugleiste::StandardFuss = u"Seite &P von &N"_s;

namespace {

const QString LadeFilter = u"CSV-Dateien (*.CSV *.csv);;dBase-Tabellen (*.DBF *.dbf);;Textdateien (*.TXT *.txt);;"
                            "SQLite-Datenbanken (*.sqlite *.db *.mdb)"_s;
const QString SpeicherFilter =
    u"Textdateien (*.TXT *.txt);;CSV-Dateien (*.CSV *.csv);;SQLite-Datenbanken (*.sqlite *.db *.mdb)"_s;

// A name without extension gets that of the first type offered.
QString MitEndung(const QString& datei, const QString& endung) {
  return QFileInfo(datei).suffix().isEmpty() ? datei + endung : datei;
}

}  // namespace

TWerkzeugleiste* TWerkzeugleiste::Anbringen(THF1Book& buch, TMeldungen& meldungen) {
  auto* leiste = new TWerkzeugleiste(buch, meldungen, &buch);
  if (auto* l = qobject_cast<QBoxLayout*>(buch.layout())) l->insertWidget(0, leiste);
  return leiste;
}

TWerkzeugleiste::TWerkzeugleiste(THF1Book& buch, TMeldungen& meldungen, QWidget* eltern)
    : QToolBar(eltern), m_buch(buch), m_meldungen(meldungen), m_fuss(StandardFuss) {
  setAccessibleName(u"Werkzeugleiste"_s);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto knopf = [this](const char* bild, const QString& text, const QString& hinweis, auto aktion) {
    QAction* a = addAction(text);
    a->setObjectName(QString::fromLatin1(bild));
    a->setToolTip(hinweis);
    connect(a, &QAction::triggered, this, aktion);
    if (auto* k = qobject_cast<QToolButton*>(widgetForAction(a))) k->setAccessibleName(hinweis);
  };
  using G = TBlatt::TGenauigkeit;
  knopf("NEUESBLATT", u"Neu"_s, u"bisheriges Blatt verwerfen"_s, [this] { NeuesBlatt(); });
  knopf("OEFFNEN", u"Öffnen"_s, u"bisheriges Blatt verwerfen und neues aus Datei laden"_s, [this] { Oeffnen(); });
  knopf("SPEICHERN", u"Speichern"_s, u"Blatt speichern"_s, [this] { Speichern(); });
  addSeparator();
  knopf("KOPIEREN", u"Kopieren"_s, u"In Zwischenablage kopieren"_s, [this] { Kopieren(); });
  knopf("EINFUEGEN", u"Einfügen"_s, u"Aus Zwischenablage einfügen"_s, [this] { Einfuegen(); });
  addSeparator();
  knopf("DRUCKEN", u"Drucken"_s, u"Blatt ausdrucken"_s, [this] { Drucken(false); });
  knopf("DRUCKEINSTELLUNG", u"Einrichten"_s, u"Blattausrichtung und Ränder einstellen"_s, [this] { Drucken(true); });
  knopf("KOPFTEXT", u"Kopf"_s, u"Kopftext eingeben/ändern"_s, [this] { KopftextAendern(); });
  knopf("FUSSTEXT", u"Fuß"_s, u"Fußtext eingeben/ändern"_s, [this] { FusstextAendern(); });
  knopf("HILFE", u"?"_s, u"Hilfe anzeigen (noch nicht unterstützt)"_s,
        [this] { m_meldungen.Info(u"Momentan nicht unterstützt"_s); });
  addSeparator();
  knopf("GANZZAHL", u"0"_s, u"Anzeige ohne Nachkommastellen"_s, [this] { m_buch.setGenauigkeit(G::Ganzzahl); });
  knopf("ZWEISTELLIG", u"0,00"_s, u"Anzeige mit zwei Nachkommastellen"_s,
        [this] { m_buch.setGenauigkeit(G::Zweistellig); });
  knopf("VIERSTELLIG", u"0,0000"_s, u"Anzeige mit vier Nachkommastellen"_s,
        [this] { m_buch.setGenauigkeit(G::Vierstellig); });
  knopf("EXAKT", u"exakt"_s, u"Anzeige mit voller Genauigkeit"_s, [this] { m_buch.setGenauigkeit(G::Exakt); });
  addSeparator();
  m_position = new QLineEdit(this);
  m_position->setReadOnly(true);
  m_position->setToolTip(u"Augenblickliche Position"_s);
  m_position->setAccessibleName(u"Augenblickliche Position"_s);
  m_position->setMaximumWidth(90);
  addWidget(m_position);
  m_zelltext = new QLineEdit(this);
  m_zelltext->setReadOnly(true);
  m_zelltext->setToolTip(u"Nur zum Ansehen des Zelltextes"_s);
  m_zelltext->setAccessibleName(u"Nur zum Ansehen des Zelltextes"_s);
  addWidget(m_zelltext);
  DruckenZeigen = [this](bool nurEinstellen) {
    // One printer for the running program, as its print settings.
    static QPrinter drucker(QPrinter::HighResolution);
    TDruckfenster f(m_buch.Blatt(), m_buch.Modell()->columnCount(), drucker, m_kopf, m_fuss, nurEinstellen, this);
    f.DruckerEinrichten = [&f](QPrinter& p) {
      QPrintDialog d(&p, &f);
      d.exec();
    };
    if (f.exec() != QDialog::Accepted) return;
    m_kopf = f.Kopftext();
    m_fuss = f.Fusstext();
  };
  TabelleWaehlen = [this](const QStringList& tabellen) {
    TTabellenauswahl f(tabellen, this);
    return f.exec() == QDialog::Accepted ? f.Tabelle() : QString();
  };
  ExportZeigen = [this](TADOModConnection& db, const QString& datei) {
    TExportfenster f(db, m_meldungen, m_buch.Blatt(), datei, this);
    return f.exec() == QDialog::Accepted;
  };
  connect(&m_buch, &THF1Book::PositionGeaendert, this, &TWerkzeugleiste::PositionZeigen);
  connect(&m_buch, &THF1Book::ZelleGeaendert, this, [this](int s, int z) {
    if (s == m_buch.AktuelleSpalte() && z == m_buch.AktuelleZeile()) PositionZeigen(s, z);
  });
}

void TWerkzeugleiste::PositionZeigen(int spalte, int zeile) {
  m_position->setText(u"Z%1S%2"_s.arg(zeile).arg(spalte));
  m_zelltext->setText(m_buch.Blatt().Roh(spalte, zeile));
  m_zelltext->setCursorPosition(0);
}

void TWerkzeugleiste::Ersetzt() {
  m_buch.Aktualisieren();
  if (BlattErsetzt) BlattErsetzt();
  else m_buch.setPosition(1, 1);
}

bool TWerkzeugleiste::NeuesBlatt() {
  if (!m_meldungen.Frage(u"Wirklich das gesamte Blatt löschen?"_s)) return false;
  m_buch.Blatt().Leeren();
  Ersetzt();
  return true;
}

bool TWerkzeugleiste::Oeffnen() {
  if (!m_meldungen.Frage(u"Wirklich das aktuelle Blatt verwerfen und durch einzulesende Daten ersetzen?"_s))
    return false;
  const QString datei = m_meldungen.DateiOeffnen(u"Blatt laden"_s, QString(), LadeFilter);
  if (datei.isEmpty()) return false;
  return DateiLaden(MitEndung(datei, u".csv"_s));
}

bool TWerkzeugleiste::DateiLaden(const QString& datei) {
  const D::TTyp typ = D::Typ(datei);
  if (typ == D::TTyp::Datenbank) return DatenbankLaden(datei);
  if (typ != D::TTyp::Txt && typ != D::TTyp::Csv && typ != D::TTyp::Dbf) {
    m_meldungen.Info(D::Unzulaessig(datei));
    return false;
  }
  const QString name = QFileInfo(datei).fileName();
  TWarten warten(&m_meldungen, u"Die Datei %1 wird gelesen ..."_s.arg(name));
  if (typ == D::TTyp::Dbf) {
    QString fehler;
    if (!TabelleLaden(datei, m_buch.Blatt(), fehler)) {
      m_meldungen.Info(fehler);
      Ersetzt();
      return false;
    }
  } else {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) {
      m_meldungen.Info(u"Die Datei \u201E%1\u201C kann nicht gelesen werden (%2)."_s.arg(name, f.errorString()));
      return false;
    }
    const QByteArray inhalt = f.readAll();
    const D::TLaden l = typ == D::TTyp::Txt ? D::TxtLesen(inhalt, m_buch.Blatt()) : D::CsvLesen(inhalt, m_buch.Blatt());
    if (!l.Meldung().isEmpty()) m_meldungen.Info(l.Meldung());
  }
  m_kopf = name;
  m_fuss = QString::fromLatin1(D::FussNachLaden);
  m_letzteDatei = QFileInfo(datei).path() + u'/' + QFileInfo(datei).completeBaseName();
  Ersetzt();
  return true;
}

bool TWerkzeugleiste::Speichern() {
  const QString datei = m_meldungen.DateiSpeichern(u"Blatt speichern"_s, m_letzteDatei, SpeicherFilter);
  if (datei.isEmpty()) return false;
  return DateiSpeichern(MitEndung(datei, u".txt"_s));
}

bool TWerkzeugleiste::DateiSpeichern(const QString& datei) {
  const D::TTyp typ = D::Typ(datei);
  if (typ == D::TTyp::Datenbank) return DatenbankSpeichern(datei);
  if (typ != D::TTyp::Txt && typ != D::TTyp::Csv) {
    m_meldungen.Info(D::Unzulaessig(datei));
    return false;
  }
  const QByteArray inhalt = typ == D::TTyp::Txt ? D::TxtSchreiben(m_buch.Blatt()) : D::CsvSchreiben(m_buch.Blatt());
  QString fehler;
  if (!SichereDatei::Schreiben(datei, inhalt, &fehler)) {
    m_meldungen.Info(fehler + u" Das Blatt ist nicht gespeichert."_s);
    return false;
  }
  return true;
}

void TWerkzeugleiste::Kopieren() { QApplication::clipboard()->setText(D::ZwischenablageText(m_buch.Blatt())); }

bool TWerkzeugleiste::Einfuegen() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return false;
  if (!m_meldungen.Frage(u"Wirklich das gesamte Blatt löschen und durch Daten aus der Zwischenablage ersetzen?"_s))
    return false;
  const D::TLaden l = D::ZwischenablageLesen(text, m_buch.Blatt());
  if (!l.Meldung().isEmpty()) m_meldungen.Info(l.Meldung());
  Ersetzt();
  return true;
}

void TWerkzeugleiste::Drucken(bool nurEinstellen) {
  const TBlatt& b = m_buch.Blatt();
  if (!nurEinstellen && b.LetzteZeile() <= 1 && b.LetzteSpalte() <= 1 && b.Text(1, 1).isEmpty()) {
    m_meldungen.Info(u"keine druckbaren Daten vorhanden"_s);
    return;
  }
  if (DruckenZeigen) DruckenZeigen(nurEinstellen);
}

void TWerkzeugleiste::KopftextAendern() {
  if (const auto t = m_meldungen.Texteingabe(
          u"Kopftext"_s,
          u"Bitte Kopftext eingeben (&D für Datum, &T für Zeit, &P für Seitennummer, &N für Gesamtseitenzahl)"_s, m_kopf))
    m_kopf = *t;
}

void TWerkzeugleiste::FusstextAendern() {
  if (const auto t = m_meldungen.Texteingabe(
          u"Fußtext"_s,
          u"Bitte Fußtext eingeben (&D für Datum, &T für Zeit, &P für Seitennummer, &N für Gesamtseitenzahl)"_s, m_fuss))
    m_fuss = *t;
}

bool TWerkzeugleiste::DatenbankLaden(const QString& datei) {
  TADOModConnection db;
  if (const QString fehler = Datenbankexport::Oeffnen(db, datei, false); !fehler.isEmpty()) {
    m_meldungen.Info(fehler);
    return false;
  }
  const QStringList tabellen = Datenbankexport::Tabellen(db);
  if (tabellen.isEmpty()) {
    m_meldungen.Info(u"Keine Tabellen in Datenbank enthalten"_s);
    return false;
  }
  const QString tabelle = TabelleWaehlen ? TabelleWaehlen(tabellen) : QString();
  if (tabelle.isEmpty()) return false;
  QString meldung;
  {
    TWarten warten(&m_meldungen, u"Die Tabelle %1 wird gelesen ..."_s.arg(tabelle));
    const bool ok = Datenbankexport::TabelleLesen(db, tabelle, m_buch.Blatt(), meldung);
    if (!ok) {
      m_meldungen.Info(meldung);
      Ersetzt();
      return false;
    }
  }
  if (!meldung.isEmpty()) m_meldungen.Info(meldung);
  m_kopf = QFileInfo(datei).fileName() + u':' + tabelle;
  m_fuss = QString::fromLatin1(D::FussNachLaden);
  m_letzteDatei = QFileInfo(datei).path() + u'/' + QFileInfo(datei).completeBaseName();
  Ersetzt();
  return true;
}

bool TWerkzeugleiste::DatenbankSpeichern(const QString& datei) {
  const bool neu = !QFileInfo::exists(datei);
  if (neu && !m_meldungen.Frage(u"Datenbank "_s + datei + u" existiert noch nicht, erstellen?"_s)) return false;
  // A new file is made under a temporary name beside it and takes its name
  // only with its table in it; an existing one is changed by the engine in
  // one transaction.
  const QString pfad = neu ? TSichereDatei::Zwischenpraefix(datei) + u"export"_s : datei;
  const auto wegraeumen = [&pfad] {
    Dateien::Entfernen(pfad);
    Dateien::Entfernen(pfad + u"-journal"_s);
  };
  if (neu) wegraeumen();
  bool exportiert = false;
  {
    TADOModConnection db;
    if (const QString fehler = Datenbankexport::Oeffnen(db, pfad, neu); !fehler.isEmpty()) {
      m_meldungen.Info(QString(fehler).replace(QFileInfo(pfad).fileName(), QFileInfo(datei).fileName()));
      if (neu) wegraeumen();
      return false;
    }
    exportiert = ExportZeigen && ExportZeigen(db, datei);
  }
  if (!neu) return true;
  int e = 0;
  if (exportiert && !Dateien::Umbenennen(pfad, datei, false, &e)) {
    m_meldungen.Info(Fehlertexte::Dateisystem(datei, e) + u" Die Tabelle ist nicht gespeichert."_s);
    exportiert = false;
  }
  if (!exportiert) wegraeumen();
  return true;
}
