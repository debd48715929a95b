#pragma once
// The farm's yearly text files for the state's reporting obligations: the
// whole-farm statement ("Anl5_"), the nitrate-area statement ("Anl5NG_"),
// the application records ("Duengungen_") and the yields ("Ertraege_").
// Each is written into the given folder by Meldedatei, with its check number.

#include <QString>
#include <QStringList>

class TADOModConnection;

namespace Export {

// The column names of the files, in their order.
QStringList KopfGesamtbetrieb();
QStringList KopfNitratgebiet();
QStringList KopfDuengungen();
QStringList KopfErtraege();

// The records of the farm year without a date (not grazing), which the
// records file leaves out.
int OhneDatum(TADOModConnection& db, int betrieb, int jahr);

// Each export computes its values afresh and writes the file. False with a
// German text in *fehler when the file cannot be written or the values cannot
// be computed (no file is written then). *hinweis, when given, receives what
// the file leaves out and why; empty when nothing.
bool Gesamtbetrieb(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler);
bool Nitratgebiet(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler);
bool Duengungen(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler,
                QString* hinweis = nullptr);
// The crops the yield window lists, with the yields of the year.
bool Ertraege(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler);

}  // namespace Export
