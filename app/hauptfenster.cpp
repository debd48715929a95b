#include "hauptfenster.h"

#include "connection.h"
#include "start.h"

#include <QCloseEvent>

THauptfenster::THauptfenster(TADOModConnection& db, QString ordner, QWidget* eltern)
    : QMainWindow(eltern), m_db(db), m_ordner(std::move(ordner)) {
  setWindowTitle(QStringLiteral("Programm Quendrix2022"));
  resize(900, 600);
}

void THauptfenster::closeEvent(QCloseEvent* ereignis) {
  Start::Beenden(m_db, m_ordner);
  ereignis->accept();
}
