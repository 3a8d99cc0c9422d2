#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pcbprep {

class Dialogs;

// What the KiCad board needs besides the design: the footprint library folders in
// search order, the footprint map file and where the outline comes from. The folders
// and the map are remembered between runs.
class BoardDialog final : public QDialog {
 public:
  // `outlineWindowOpen`: the outline window is open, so its settings can give the
  // outline; otherwise the board is the rectangle of the size boxes.
  BoardDialog(QWidget* parent, Dialogs& dialogs, bool outlineWindowOpen);

  QStringList footprintDirs() const;
  QString footprintMap() const;
  bool outlineFromWindow() const;
  // Stores the folders and the map for the next time.
  void remember() const;

  QListWidget* lstDirs = nullptr;            // library folders, searched top to bottom
  QPushButton* cmdAddDir = nullptr;          // 追加…
  QPushButton* cmdRemoveDir = nullptr;       // 削除
  QPushButton* cmdDirUp = nullptr;           // 上へ
  QPushButton* cmdDirDown = nullptr;         // 下へ
  QLineEdit* txtMap = nullptr;               // the footprint map file, may be empty
  QPushButton* cmdMap = nullptr;             // 参照…
  QRadioButton* optOutlineWindow = nullptr;  // the outline window's settings
  QRadioButton* optRectangle = nullptr;      // the rectangle X × Y
  QPushButton* cmdOk = nullptr;

 private:
  void moveDir(int step);
  Dialogs& dialogs_;
};

}  // namespace pcbprep
