#include "infofenster.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString TInfoFenster::Versionstext = QStringLiteral("Quendrix2022 Version 3 Datenbankversion 6.7");
const QString TInfoFenster::Stand = QStringLiteral("Stand: Dezember 2021");
const QString TInfoFenster::Hersteller = QStringLiteral("Quendrix \u2013 Düngeplanung und Aufzeichnung, Sachsen-Anhalt");
const QString TInfoFenster::Unterstuetzung = QStringLiteral("Unterstützung: support@quendrix.example");

TInfoFenster::TInfoFenster(const QString& arbeitsordner, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Info"));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  auto zeile = [&](const QString& text, const QString& name) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
  };
  QFont gross = font();
  gross.setBold(true);
  zeile(Versionstext, QStringLiteral("lblVersion"))->setFont(gross);
  zeile(Stand, QStringLiteral("lblStand"));
  layout->addSpacing(8);
  auto* ueberschrift = zeile(QStringLiteral("aktuelles Arbeitsverzeichnis"), QStringLiteral("lblArbeitsverzeichnis"));
  auto* ordner = zeile(QDir::toNativeSeparators(arbeitsordner), QStringLiteral("lblOrdner"));
  ueberschrift->setBuddy(ordner);
  ordner->setAccessibleName(ueberschrift->text());
  ordner->setAccessibleDescription(ordner->text());
  layout->addSpacing(8);
  zeile(Hersteller, QStringLiteral("lblHersteller"));
  zeile(Unterstuetzung, QStringLiteral("lblUnterstuetzung"));

  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* ok = knoepfe->button(QDialogButtonBox::Ok);
  ok->setText(QStringLiteral("OK"));
  ok->setAccessibleName(ok->text());
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(knoepfe);
}
