#pragma once

#include <QPicture>
#include <QWidget>
#include <string>
#include <vector>

#include "app/PictureView.h"
#include "design/Design.h"
#include "placement/PlacementImage.h"

class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace pcbprep {

class Dialogs;

// The picture box of the placement image: it keeps what was drawn on it, in twips,
// and shows it at 1440 twips per logical inch until the user zooms or pans. Pointing
// at a part names it.
class PlacementPicture : public PictureView {
  Q_OBJECT

 public:
  explicit PlacementPicture(QWidget* parent = nullptr);

  // Draws the placement image of the design onto the kept picture, replacing it.
  void draw(const Design& design);
  const QPicture& picture() const { return picture_; }
  // The same picture as SVG, as the command line writes it.
  const std::string& svg() const { return svg_; }
  const std::vector<PlacedPart>& parts() const { return parts_; }

  // Pixels per twip at 1440 twips to the logical inch.
  double scale() const;
  // The opening view: everything drawn, with a margin around it.
  void showOpeningView();

 private:
  QPicture picture_;
  std::string svg_;
  std::vector<PlacedPart> parts_;
};

// The placement classification image window. Every opening from the main window
// draws the current part table; hiding keeps the window's place and size (and the
// zoom, while the same part list of the same board is drawn again), closing discards
// it.
class Form2 : public QWidget {
  Q_OBJECT

 public:
  Form2(const Design& design, Dialogs& dialogs, QWidget* parent = nullptr);

  // Draws the image of the design anew. keepView keeps the user's zoom and scroll
  // position (the same part list drawn again); otherwise the picture opens at its
  // opening view.
  void drawImage(const Design& design, bool keepView);

  // True once the window was closed with its close control: it is on its way out
  // and must not be shown again.
  bool isUnloaded() const { return unloaded_; }

  void command3Click();  // save the picture
  // The loaded netlist's base name, which the picture's save dialog proposes.
  void setBoardName(const QString& name) { boardName_ = name; }

  PlacementPicture* Picture1 = nullptr;  // the image
  QPlainTextEdit* Text1 = nullptr;       // the legend
  QPushButton* Command1 = nullptr;       // "終了": hide
  QPushButton* Command2 = nullptr;       // "全体表示": fit everything drawn
  QPushButton* Command3 = nullptr;       // "画像保存": PNG or SVG
  QStatusBar* StatusBar = nullptr;       // what 画像保存 saved where

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc hides the window as 終了 does.
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Dialogs& dialogs_;
  bool unloaded_ = false;
  bool placed_ = false;
  QString boardName_;
};

}  // namespace pcbprep
