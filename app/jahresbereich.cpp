#include "jahresbereich.h"

#include "formular.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TJahresBereich::TJahresBereich(TADODataSetMod& jahre, TMeldungen& meldungen, QWidget* eltern) : QWidget(eltern) {
  auto* gesamt = new QVBoxLayout(this);
  gesamt->setContentsMargins(0, 0, 0, 0);
  m_panel = new TADOPanel(this);
  m_panel->setObjectName(QStringLiteral("pnlJahresdaten"));
  m_panel->setAccessibleName(QStringLiteral("Jahresdaten"));
  m_panel->setDataSet(&jahre);
  m_panel->setMeldungen(&meldungen);
  m_panel->setFrameShape(QFrame::StyledPanel);
  auto* form = new QFormLayout(m_panel);
  auto feld = [&](const QString& titel, const QString& spalte, bool pflicht, bool nurLesen) {
    auto* f = new TDBEditMod(m_panel);
    f->setObjectName(QStringLiteral("edt") + spalte);
    f->setMeldungen(&meldungen);
    f->setAccessibleName(titel);
    if (spalte != QLatin1String("Duengejahr")) {
      f->setDatenTyp(dtFloat);
      // Areas as the fields have them: a typed value is never cut.
      f->setGenauigkeit(2);
    }
    f->setKeineNegativen(true);
    f->Binden(&jahre, spalte);
    f->setRO(nurLesen);
    if (pflicht) f->setFehler_Faerben(cnstFaerbenWennNull);
    form->addRow(pflicht ? titel + QStringLiteral(" *") : titel, f);
    m_felder[spalte] = f;
  };
  feld(QStringLiteral("Kalenderjahr"), QStringLiteral("Duengejahr"), false, true);
  feld(QStringLiteral("Ackerland (ha)"), QStringLiteral("Ackerland"), true, false);
  feld(QStringLiteral("Grünland (ha)"), QStringLiteral("Gruenland"), true, false);
  feld(QStringLiteral("Betriebsgröße (ha LF)"), QStringLiteral("Betriebsgroesse"), false, true);
  feld(QStringLiteral("Fläche zur Berechnung der 170-kg-Grenze (ha)"), QStringLiteral("Flaeche170kg"), true, false);
  m_oeko = new TDBCheckBoxMod(QStringLiteral("Bewirtschaftung ökologisch"), m_panel);
  m_oeko->setObjectName(QStringLiteral("chkOeko"));
  m_oeko->Binden(&jahre, QStringLiteral("IsOeko"));
  form->addRow(m_oeko);
  // The state may suspend the nitrate-area rules; the fields keep their flag.
  m_nitratRegeln = new TDBCheckBoxMod(QStringLiteral("Regeln für Nitratgebiete anwenden"), m_panel);
  m_nitratRegeln->setObjectName(QStringLiteral("chkNitratgebietRegeln"));
  m_nitratRegeln->setAccessibleName(m_nitratRegeln->text());
  m_nitratRegeln->setToolTip(QStringLiteral("Prüfung der Sperrfristen und Obergrenzen nach § 13a DüV für die Schläge "
                                            "im Nitratgebiet (ab dem Düngejahr 2021)"));
  m_nitratRegeln->Binden(&jahre, QStringLiteral("NitratgebietRegeln"));
  form->addRow(m_nitratRegeln);
  std::tie(m_ok, m_abbruch) = Formular::OkAbbruch(form, m_panel);
  gesamt->addWidget(m_panel);

  auto knopf = [&](const QString& text, const char* objekt) {
    auto* k = new QPushButton(text, this);
    k->setObjectName(QLatin1String(objekt));
    k->setAccessibleName(text);
    return k;
  };
  auto* aktionen = new QHBoxLayout;
  m_anhaengen = knopf(QStringLiteral("Jahr anhängen"), "btnJahrAnhaengen");
  m_loeschen = knopf(QStringLiteral("Jahr löschen"), "btnJahrLoeschen");
  m_beginn = knopf(QStringLiteral("Beginn Düngejahr"), "btnBeginnDuengejahr");
  // Present on the window but not shown.
  m_beginn->setVisible(false);
  aktionen->addWidget(m_anhaengen);
  aktionen->addWidget(m_loeschen);
  aktionen->addWidget(m_beginn);
  gesamt->addLayout(aktionen);
}

TDBEditMod* TJahresBereich::Feld(const QString& spalte) const {
  const auto i = m_felder.find(spalte);
  return i == m_felder.end() ? nullptr : i->second;
}
