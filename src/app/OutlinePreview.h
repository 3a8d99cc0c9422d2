#pragma once

#include <QWidget>
#include <set>

#include "drawing/DblReader.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;

namespace pcbprep {

class PictureView;

// The drawing of a DBL text beside the outline window's settings: every layer in its
// own colour, a legend of the layers that appear whose check boxes show and hide
// them, zoom, pan and fit. It follows the drawing (fits each new one) until the user
// zooms or pans; "全体表示" fits and follows again.
class OutlinePreview : public QWidget {
  Q_OBJECT

 public:
  explicit OutlinePreview(QWidget* parent = nullptr);

  // Reads the text and draws it; layers hidden before stay hidden.
  void showDbl(TextView dblText);
  // A short text in place of the drawing, until the next showDbl.
  void showHint(const QString& hint);

  const DblReadResult& result() const { return result_; }
  const std::set<int>& hiddenLayers() const { return hidden_; }

  PictureView* picOutline = nullptr;  // the drawing
  QListWidget* lstLayers = nullptr;   // layer legend, a check box per layer
  QPushButton* cmdFit = nullptr;      // "全体表示"
  QLabel* lblDrawError = nullptr;     // why the text could not be drawn whole
  QLabel* lblHint = nullptr;          // what to type while there is nothing to draw

 private:
  void fillLegend();
  void legendChanged(QListWidgetItem* item);
  void fit();

  QStackedWidget* pages_ = nullptr;  // the drawing or the hint
  DblReadResult result_;
  std::set<int> hidden_;
  bool following_ = true;
};

}  // namespace pcbprep
