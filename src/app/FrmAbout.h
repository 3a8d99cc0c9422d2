#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

namespace pcbprep {

// The version dialog: modeless, rebuilt each time it is opened after OK closed it.
class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit FrmAbout(QWidget* parent = nullptr);

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QFrame* Line1 = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace pcbprep
