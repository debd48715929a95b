#pragma once
// The print actions of the demand pages: the sheets of the entries one page
// per sheet into one document, shown in the preview, from which the user
// prints or saves a PDF file.

#include "bedarfsblaetter.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;
class TADOModConnection;
class TMeldungen;
class TWarten;
class TPDFDruckausgabe;

namespace Bedarfsdruck {

// How the finished document is shown; empty: the modal preview.
using TVorschau = std::function<void(TPDFDruckausgabe&)>;

inline const QString NichtsZuDrucken = QStringLiteral("Keine druckbaren Elemente vorhanden.");

// The sheets one per page, without an empty page after the last, then shown.
// Without a sheet nothing is shown but the message NichtsZuDrucken; false then.
// While the sheets are drawn the wait window counts them and offers
// "Abbrechen"; stopped, nothing is shown or written and the result is false.
bool Drucken(QWidget* eltern, TMeldungen& meldungen, const std::vector<Bedarfsblaetter::TBlatt>& blaetter,
             const TVorschau& vorschau = {});

// Draws the sheets into the writer, from its first page on, telling the
// wait window each sheet; false when it was stopped there.
bool Zeichnen(TPDFDruckausgabe& druck, const std::vector<Bedarfsblaetter::TBlatt>& blaetter,
              TWarten* warten = nullptr);

// The sheets of the entries in their order; an entry that no longer exists is left out.
using TBlattVon = std::function<std::optional<Bedarfsblaetter::TBlatt>(TADOModConnection&, qint64)>;
std::vector<Bedarfsblaetter::TBlatt> Blaetter(TADOModConnection& db, const std::vector<qint64>& ids,
                                              const TBlattVon& blatt);

// The sheets of the entries (see Blaetter), printed as above.
bool Drucken(QWidget* eltern, TMeldungen& meldungen, TADOModConnection& db, const std::vector<qint64>& ids,
             const TBlattVon& blatt, const TVorschau& vorschau = {});

// The wait cursor for the lifetime of the object.
class TWartezeiger {
public:
  TWartezeiger();
  ~TWartezeiger();
  TWartezeiger(const TWartezeiger&) = delete;
  TWartezeiger& operator=(const TWartezeiger&) = delete;
};

}  // namespace Bedarfsdruck
