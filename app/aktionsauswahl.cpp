#include "aktionsauswahl.h"

#include "meldungen.h"

#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

const QString TAktionsauswahl::JahrFrage =
    QStringLiteral("Mit welchem Kalenderjahr wollen Sie beginnen? \r\n(-1 für Abbruch)");

QString TAktionsauswahl::Text(int wahl) {
  switch (wahl) {
    case MitShape2021: return QStringLiteral("a) Jahr 2021 anlegen mit InVeKoS-Antragsshape 2021.");
    case Jahr2022MitShape2021: return QStringLiteral("b) Jahr 2022 anlegen mit InVeKoS-Antragsshape 2021.");
    case OhneShape: return QStringLiteral("c) Jahr anlegen ohne InVeKoS-Antragsshape.");
  }
  return {};
}

QString TAktionsauswahl::Bestaetigung(int wahl) {
  switch (wahl) {
    case MitShape2021:
      return QStringLiteral(
          "Mit dem Shape 2021 für das Jahr 2021 werden Schläge mit den Hauptkulturen für 2021 im Programm angelegt. "
          "Dies ist zu empfehlen, weil\r\n  - im später anzuhängendem Jahr 2022 die eingelesenen Hauptkulturen als "
          "Vorfrüchte zur Verfügung stehen und\r\n- die Düngemaßnahmen 2021, die für eine N-Berechnung 2022 benötigt "
          "werden, im richtigen Jahr erfasst werden können.\r\nWeitere Erläuterungen finden Sie im Handbuch.\r\nMit "
          "der Auswahl fortfahren?");
    case Jahr2022MitShape2021:
      return QStringLiteral(
          "Mit dem Shape 2021 für das Jahr 2022 werden nur Schläge ohne Kulturen angelegt.\r\nBitte beachten Sie: wenn "
          "Sie die Meldepflichten an die Tessara bereits für das Jahr 2021 aus dem Quendrix heraus erfüllen möchten, "
          "müssen Sie zwingend mit dem Jahr 2021 beginnen.\r\nWeitere Erläuterungen finden Sie im Handbuch.\r\nMit "
          "der Auswahl fortfahren?");
    case OhneShape:
      return QStringLiteral(
          "Das Programm legt nur ein Jahr an, Schläge und Kulturen müssen händisch eingegeben werden. Es wird "
          "empfohlen, mit dem Jahr 2021 zu beginnen. Diese Daten werden für 2022 vom Programm übernommen.\r\nWeitere "
          "Erläuterungen finden Sie im Handbuch.\r\nMit der Auswahl fortfahren?");
  }
  return {};
}

const QString TAktionsauswahl::VorauswahlAnweisung =
    QStringLiteral("Bitte wählen Sie jettz die zu verwendenden Kulturen aus.");

QString TAktionsauswahl::FehlenderSchritt(int jahr, int wahl) {
  Q_UNUSED(wahl);
  return QStringLiteral("Das Jahr %1 wurde angelegt. ").arg(jahr) + QStringLiteral("Das Einlesen des InVeKoS-Antragsshapes ist in dieser Programmversion noch nicht "
                            "enthalten; bitte legen Sie die Schläge händisch an.");
}

TAktionsauswahl::TAktionsauswahl(TMeldungen& meldungen, TJahrAnlegen anlegen, QWidget* eltern)
    : QDialog(eltern), m_meldungen(meldungen), m_anlegen(std::move(anlegen)) {
  setWindowTitle(QStringLiteral("Aktionsauswahl"));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  auto* titel = new QLabel(QStringLiteral("Bitte auswählen"), this);
  m_liste = new QListWidget(this);
  m_liste->setAccessibleName(titel->text());
  titel->setBuddy(m_liste);
  for (int w : {MitShape2021, Jahr2022MitShape2021, OhneShape}) m_liste->addItem(Text(w));
  m_liste->setCurrentRow(0);
  m_auswaehlen = new QPushButton(QStringLiteral("Auswählen"), this);
  m_auswaehlen->setAccessibleName(m_auswaehlen->text());
  layout->addWidget(titel);
  layout->addWidget(m_liste, 1);
  layout->addWidget(m_auswaehlen);
  connect(m_auswaehlen, &QPushButton::clicked, this, [this] { Waehlen(m_liste->currentRow()); });
  resize(560, 220);
}

int TAktionsauswahl::LetztesJahr() { return QDate::currentDate().year() + 1; }

QString TAktionsauswahl::JahrBereich() {
  return QStringLiteral("Bitte ein Kalenderjahr von %1 bis %2 eingeben.").arg(ErstesJahr).arg(LetztesJahr());
}

bool TAktionsauswahl::Waehlen(int wahl) {
  if (wahl < MitShape2021 || wahl > OhneShape) return false;
  if (!m_meldungen.Frage(Bestaetigung(wahl))) return false;
  int jahr = wahl == MitShape2021 ? 2021 : wahl == Jahr2022MitShape2021 ? 2022 : 0;
  if (wahl == OhneShape) {
    for (;;) {
      jahr = m_meldungen.Jahreseingabe(JahrFrage);
      // -1 cancels; closing the box gives 0, which is no year either.
      if (jahr <= 0) return false;
      // A typed 0 arrives as 2000: no fertiliser year the program can plan.
      if (jahr >= ErstesJahr && jahr <= LetztesJahr()) break;
      m_meldungen.Info(JahrBereich());
    }
  }
  if (!m_anlegen || !m_anlegen(jahr)) return false;
  m_jahr = jahr;
  if (wahl == Jahr2022MitShape2021 && VorauswahlOeffnen) VorauswahlOeffnen(jahr, VorauswahlAnweisung);
  // The window closes first: the import opens over the main window.
  accept();
  if (wahl != OhneShape) {
    if (ShapeImportOeffnen)
      ShapeImportOeffnen(jahr, wahl == MitShape2021);
    else
      m_meldungen.Info(FehlenderSchritt(jahr, wahl));
  }
  return true;
}
