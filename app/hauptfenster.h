#pragma once

#include <QMainWindow>

class TADOModConnection;

// The program's one top-level window.
class THauptfenster : public QMainWindow {
  Q_OBJECT
public:
  THauptfenster(TADOModConnection& db, QString ordner, QWidget* eltern = nullptr);

protected:
  void closeEvent(QCloseEvent* ereignis) override;

private:
  TADOModConnection& m_db;
  QString m_ordner;
};
