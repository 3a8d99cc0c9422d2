#pragma once

#include <QPicture>
#include <QWidget>

#include "design/Design.h"

class QPlainTextEdit;
class QPushButton;

namespace pcbprep {

// The picture box of the placement image: it keeps what was drawn on it, in twips,
// and shows it at 1440 twips per logical inch whenever it is painted.
class PlacementPicture : public QWidget {
  Q_OBJECT

 public:
  explicit PlacementPicture(QWidget* parent = nullptr);

  // Draws the placement image of the design onto the kept picture.
  void draw(const Design& design);
  const QPicture& picture() const { return picture_; }

  // Pixels per twip on this widget.
  double scale() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPicture picture_;
};

// The placement classification image window. The image is drawn once, when the
// window is created; hiding keeps it, closing discards the window.
class Form2 : public QWidget {
  Q_OBJECT

 public:
  explicit Form2(const Design& design, QWidget* parent = nullptr);

  // True once the window was closed with its close control: it is on its way out
  // and must not be shown again.
  bool isUnloaded() const { return unloaded_; }

  PlacementPicture* Picture1 = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool unloaded_ = false;
};

}  // namespace pcbprep
