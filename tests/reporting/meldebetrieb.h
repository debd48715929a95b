#pragma once
// Farm 2 "Hof Linde" prepared for the reporting run: district 87, an EU
// number of 11 digits, areas entered, and three fields of 2021 with crop rows
// of every crop group (arable land with a catch crop in the nitrate area,
// grassland without a calculated demand, vegetables under foil). The values
// are chosen so that every number text of the demand file can be worked out
// by hand.

#include "testbetrieb.h"

#include <QDir>
#include <QFile>
#include <QVariantMap>

class MeldeBetrieb : public TestBetrieb {
protected:
  static QString K(const char* s) { return QString::fromUtf8(s); }

  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(K("update Betriebe set KreisNr = 87, Kreis = 'Börde', EU_NUMMER = ' 27615000123 ', SitzPLZ = '39387', "
          "SitzOrt = 'Oschersleben (Bode)', SitzOrtsTeil = 'Groß Germersleben' where ID = 2"));
    Sql(K("update DuengeJahr set Betriebsgroesse = 16.25, Flaeche170kg = 16.25, IsOeko = 1 where BetriebsNr = 2"));
  }

  void Feld(int parzelle, const QVariantMap& werte) {
    QVariantMap w = {{K("BetriebsNr"), Betrieb}, {K("Jahr"), Jahr}, {K("Parzelle"), parzelle},
                     {K("SchlagNr"), parzelle}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    Einfuegen(K("Schlag"), w);
  }
  qint64 Kultur(int parzelle, const QVariantMap& werte) {
    QVariantMap w = {{K("BetriebsNr"), Betrieb}, {K("Jahr"), Jahr}, {K("Parzelle"), parzelle}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    return Einfuegen(K("Anbau"), w);
  }

  // The three fields and four crop rows.
  void FelderAnlegen() {
    Feld(7, {{K("SchlagName"), K("Über dem Bach")},
             {K("Feldblock"), K("DESTLI0123456789")},
             {K("Groesse"), 12.5},
             {K("BewirtschaftungsAuflagen"), 2},
             {K("P_Gehalt"), 5.234},
             {K("P2O5_Gehalt"), 11.99},
             {K("P_AnalyseDatum"), K("2020-03-05")},
             {K("P_Methode"), 3},
             {K("P_GehaltsKlasse"), K("C")}});
    Kultur(7, {{K("FruchtNr"), 0},
               {K("KulturGruppe"), 1},
               {K("HauptfruchtNummer"), 6},
               {K("Kultur"), K("--Zwischenfrucht-- Senf")},
               {K("Duengebedarf"), QVariant()}});
    Kultur(7, {{K("FruchtNr"), 1},
               {K("KulturGruppe"), 1},
               {K("BerechnungsDatum"), K("2021-03-01")},
               {K("AlGlSonst"), 1},
               {K("BKR"), 104},
               {K("BG"), 3},
               {K("AZ"), 45},
               {K("SteingehaltKrume"), 5},
               {K("HumusGroesserVier"), 1},
               {K("GL_Bodenart"), 4},
               {K("Durchwurzelungstiefe"), 90},
               {K("VorfruchtText"), K("Winterraps")},
               {K("Vorfrucht"), 311101},
               {K("ZwischenfruchtText"), K("Senf")},
               {K("Zwischenfrucht"), 6},
               {K("Kultur"), K("Winterweizen")},
               {K("HauptfruchtNummer"), 115101},
               {K("Stickstoffbedarfswert"), 230},
               {K("Ertragsniveau"), 80},
               {K("TatsErtrag"), 85.5},
               {K("Ertragsdifferenz"), 5.5},
               {K("Rohprotein"), 12},
               {K("TatsRohprotein"), 13},
               {K("RohproteinDifferenz"), 1},
               {K("Nmin"), 45.25},
               {K("Nmin_0_30"), 20.04},
               {K("Nmin_30_60"), 15},
               {K("Nmin_60_90"), 10.21},
               {K("Quelle_0_30"), 1},
               {K("Quelle_60_90"), 3},
               {K("ZuAbschlagErtrag"), 5},
               {K("ZuAbschlagRohprotein"), 7},
               {K("Stickstoffnachlieferung"), 10},
               {K("StickstoffnachlieferungOD"), 3.35},
               {K("StickstoffnachlieferungLegum"), 4},
               {K("VfAbschlag"), 10},
               {K("ZfAbschlag"), -0.25},
               {K("ZuschlagFolie"), 8},
               {K("Duengebedarf"), 151},
               {K("StickstoffnachlieferungWRWGH"), 2},
               {K("AbzugNausMistKompost"), 1.05},
               {K("Is1MonatVorher"), 1}});
    Feld(8, {{K("SchlagName"), K("Wiese")},
             {K("Feldblock"), K("Bewirtschaftungseinheit")},
             {K("Groesse"), 3},
             {K("BewirtschaftungsAuflagen"), 1},
             {K("P_Gehalt"), QVariant()},
             {K("P2O5_Gehalt"), QVariant()},
             {K("P_Methode"), 1},
             {K("P_GehaltsKlasse"), QVariant()},
             {K("Teilflaechen"), K("DESTLI0123456789/8/1,5;DESTLI0123456780/2/1,5")}});
    Kultur(8, {{K("FruchtNr"), 1},
               {K("KulturGruppe"), 2},
               {K("AlGlSonst"), 2},
               {K("HumusGroesserVier"), 1},
               {K("GL_Bodenart"), 4},
               {K("Kultur"), K("Dauergrünland")},
               {K("HauptfruchtNummer"), 459201},
               {K("Ertragsniveau"), 90},
               {K("TatsErtrag"), 95},
               {K("Ertragsdifferenz"), 5},
               {K("Rohprotein"), 17.5},
               {K("TatsRohprotein"), 18},
               {K("RohproteinDifferenz"), 0.5},
               {K("Nmin"), 30},
               {K("Quelle_0_30"), 2},
               {K("ZuAbschlagRohprotein"), 4},
               {K("StickstoffnachlieferungLegum"), 20.96},
               {K("VfAbschlag"), 10},
               {K("StickstoffnachlieferungWRWGH"), 3},
               {K("Duengebedarf"), QVariant()}});
    Feld(9, {{K("SchlagName"), K("Gärtnerei")},
             {K("Feldblock"), K("DESTLI0123456781")},
             {K("Groesse"), 0.75},
             {K("P_Methode"), 0}});
    Kultur(9, {{K("FruchtNr"), 1},
               {K("KulturGruppe"), 3},
               {K("AlGlSonst"), 3},
               {K("HumusGroesserVier"), 1},
               {K("Kultur"), K("Möhren")},
               {K("HauptfruchtNummer"), 702301},
               {K("Ertragsniveau"), 500},
               {K("TatsErtrag"), 480},
               {K("Ertragsdifferenz"), -20},
               {K("Nmin"), 60},
               {K("Quelle_0_30"), 4},
               {K("Quelle_60_90"), 2},
               {K("ZuschlagFolie"), 12.35},
               {K("Duengebedarf"), 95}});
  }

  static QByteArray Lesen(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "Nicht lesbar: " << pfad.toStdString();
    return f.readAll();
  }
  // The lines of a file without the check number, split into columns.
  static std::vector<QStringList> Zeilen(const QByteArray& datei) {
    const QString text = QString::fromLatin1(datei.left(datei.size() - 10));
    std::vector<QStringList> z;
    for (const QString& l : text.split(K("\r\n"), Qt::SkipEmptyParts)) z.push_back(l.split(u'\t'));
    return z;
  }
};
