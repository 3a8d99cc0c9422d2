#include "app/PictureView.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace pcbprep {

namespace {

constexpr double kStep = 1.25;     // one wheel notch or key press
constexpr double kMinZoom = 1e-4;  // pixels per scene unit
constexpr double kMaxZoom = 1e4;

}  // namespace

// The one item of the scene: it paints through the view's painter function.
class PaintItem final : public QGraphicsItem {
 public:
  QRectF boundingRect() const override { return bounds; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    if (painter_) painter_(*painter);
  }

  QRectF bounds;
  PictureView::Painter painter_;

  void setBounds(const QRectF& b) {
    prepareGeometryChange();
    bounds = b;
  }
};

PictureView::PictureView(QWidget* parent) : QGraphicsView(parent) {
  scene_ = new QGraphicsScene(this);
  item_ = new PaintItem;
  scene_->addItem(item_);
  setScene(scene_);
  setBackgroundBrush(Qt::white);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setRenderHint(QPainter::Antialiasing);
  setTransformationAnchor(QGraphicsView::NoAnchor);
  setResizeAnchor(QGraphicsView::NoAnchor);
  setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
  setFocusPolicy(Qt::StrongFocus);
  // Scroll bars that came and went with the zoom would change the viewport, which a
  // fit to the viewport would answer with another zoom: with both always shown the
  // viewport is the same for every zoom. The room around the picture (see
  // updateSceneRect) leaves something to scroll at any zoom anyway.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Scroll bar use by hand (not the scrolling done here) is a pan too.
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    connect(bar, &QScrollBar::actionTriggered, this, [this] { emit userMoved(); });
  }
}

void PictureView::setPicture(const QRectF& bounds, Painter painter) {
  bounds_ = bounds;
  item_->painter_ = std::move(painter);
  item_->setBounds(bounds);
  updateSceneRect();
  redraw();
}

void PictureView::redraw() {
  item_->update();
  viewport()->update();
}

void PictureView::updateSceneRect() {
  // Room beyond the picture on every side, so any part of it can be scrolled to the
  // middle of the view.
  const double margin = std::max(bounds_.width(), bounds_.height());
  setSceneRect(bounds_.adjusted(-margin, -margin, margin, margin));
}

double PictureView::zoom() const { return transform().m11(); }

void PictureView::zoomBy(double factor, QPoint anchor) {
  const double next = std::clamp(zoom() * factor, kMinZoom, kMaxZoom);
  const QPointF fixed = mapToScene(anchor);
  setTransform(QTransform::fromScale(next, next));
  // Scroll so that the same scene point lies under the anchor again.
  const QPointF now = mapToScene(anchor);
  const QPointF shift = (fixed - now) * next;
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(shift.x()));
  verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(shift.y()));
}

void PictureView::showAt(double zoom, QPointF topLeft) {
  setTransform(QTransform::fromScale(zoom, zoom));
  const QPointF now = mapToScene(QPoint(0, 0));
  const QPointF shift = (topLeft - now) * zoom;
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(shift.x()));
  verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(shift.y()));
}

void PictureView::fit(double margin) {
  if (bounds_.isEmpty()) return;
  const double around = margin * std::max(bounds_.width(), bounds_.height());
  const QRectF shown = bounds_.adjusted(-around, -around, around, around);
  const QRectF area = viewport()->rect().adjusted(4, 4, -4, -4);
  const double z = std::clamp(
      std::min(area.width() / shown.width(), area.height() / shown.height()), kMinZoom, kMaxZoom);
  setTransform(QTransform::fromScale(z, z));
  centerOn(shown.center());
}

QSize PictureView::sizeHint() const { return {400, 300}; }

void PictureView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y();
  if (steps == 0) return;
  zoomBy(std::pow(kStep, steps / 120.0), event->position().toPoint());
  event->accept();
  emit userMoved();
}

void PictureView::keyPressEvent(QKeyEvent* event) {
  const bool in = event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal;
  const bool out = event->key() == Qt::Key_Minus;
  if (!in && !out) {
    QGraphicsView::keyPressEvent(event);
    return;
  }
  // Around the pointer when it is over the picture, else around the middle.
  QPoint anchor = viewport()->mapFromGlobal(QCursor::pos());
  if (!viewport()->rect().contains(anchor)) anchor = viewport()->rect().center();
  zoomBy(in ? kStep : 1 / kStep, anchor);
  emit userMoved();
}

void PictureView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  // A scroll area gets its viewport's resizes here too; only a new size of the view
  // itself is one the user or the layout made.
  if (size() == outerSize_) return;
  outerSize_ = size();
  emit resized();
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  // A press starts a drag that pans the picture.
  QGraphicsView::mousePressEvent(event);
  emit userMoved();
}

bool PictureView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip && tipAt_) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = tipAt_(mapToScene(help->pos()));
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, viewport());
    }
    return true;
  }
  return QGraphicsView::viewportEvent(event);
}

}  // namespace pcbprep
