#pragma once

#include <QGraphicsView>
#include <functional>

class QGraphicsScene;

namespace pcbprep {

// A picture to explore: the mouse wheel and the + and - keys zoom around the pointer,
// dragging and the scroll bars pan, fit() shows everything drawn. What is drawn comes
// from a paint function in scene units; the view only transforms it.
class PictureView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);

  using Painter = std::function<void(QPainter&)>;
  // Sets what is drawn and the area it covers, in scene units. The view keeps its zoom
  // and scroll position.
  void setPicture(const QRectF& bounds, Painter painter);
  // Repaints after what the painter draws has changed.
  void redraw();

  // Text shown when the pointer rests on a scene point; empty for none.
  void setTipFunction(std::function<QString(QPointF)> tipAt) { tipAt_ = std::move(tipAt); }

  // Scales the whole picture into the view, with `margin` (a share of its larger side)
  // around it.
  void fit(double margin = 0);
  // Multiplies the zoom, keeping the scene point under `anchor` (viewport pixels) where
  // it is.
  void zoomBy(double factor, QPoint anchor);
  // Pixels per scene unit.
  double zoom() const;
  // Sets the zoom and puts a scene point at the upper left corner.
  void showAt(double zoom, QPointF topLeft);

  QRectF pictureBounds() const { return bounds_; }

  // The same whatever is drawn and however far it is zoomed, so that a new zoom never
  // asks the window's layout for another size.
  QSize sizeHint() const override;

 signals:
  // The user zoomed or panned.
  void userMoved();
  // The view changed its size: its window or layout resized it. Scroll bars coming
  // and going do not count.
  void resized();

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void updateSceneRect();

  QGraphicsScene* scene_ = nullptr;
  class PaintItem* item_ = nullptr;
  QRectF bounds_;
  std::function<QString(QPointF)> tipAt_;
  QSize outerSize_;  // the size resized() was last sent for
};

}  // namespace pcbprep
