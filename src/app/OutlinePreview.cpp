#include "app/OutlinePreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/PictureView.h"
#include "app/UiSupport.h"
#include "drawing/DblPicture.h"

namespace pcbprep {

namespace {

constexpr int kPlaneAlpha = 90;  // of 255: planes let what lies under them show

QColor ColorOf(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }
QPointF P(DblPoint p) { return {p.x, p.y}; }

// Draws the picture with a painter whose units are millimetres, Y upwards.
class QtDblCanvas final : public DblCanvas {
 public:
  explicit QtDblCanvas(QPainter& painter) : painter_(painter) {
    // Strokes stay at least one pixel wide however far the view is zoomed out.
    const double zoom = std::hypot(painter.transform().m11(), painter.transform().m12());
    minWidth_ = zoom > 0 ? 1 / zoom : 0;
  }

  void line(DblPoint from, DblPoint to, double width, DblInk ink) override {
    usePen(width, ink);
    painter_.drawLine(P(from), P(to));
  }
  void arc(DblPoint centre, double radius, double start, double sweep, double width,
           DblInk ink) override {
    usePen(width, ink);
    const double r = std::fabs(radius);
    if (std::fabs(sweep) >= 360) {
      painter_.drawEllipse(P(centre), r, r);
      return;
    }
    QPainterPath path(P(ArcPoint(centre, r, start)));
    AddArc(path, centre, r, start, sweep);
    painter_.drawPath(path);
  }
  void plane(const DblPath& steps, DblInk ink) override {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const DblPathStep& step : steps) {
      switch (step.kind) {
        case DblPathStep::Kind::kMove:
          path.closeSubpath();
          path.moveTo(P(step.to));
          break;
        case DblPathStep::Kind::kLine:
          path.lineTo(P(step.to));
          break;
        case DblPathStep::Kind::kArc:
          AddArc(path, step.centre, std::fabs(step.radius), step.start, step.sweep);
          break;
      }
    }
    path.closeSubpath();
    QColor fill = ColorOf(ink.color);
    fill.setAlpha(kPlaneAlpha);
    painter_.fillPath(path, fill);
  }
  void text(DblPoint at, double height, double rotation, bool mirror, DblInk ink,
            TextView characters) override {
    // Set upright again inside the flipped drawing, at a font size Qt handles well.
    constexpr double kFontPixels = 100;
    painter_.save();
    painter_.translate(P(at));
    painter_.rotate(rotation);
    painter_.scale((mirror ? -1 : 1) * height / kFontPixels, -height / kFontPixels);
    QFont font = painter_.font();
    font.setPixelSize(static_cast<int>(kFontPixels));
    painter_.setFont(font);
    painter_.setPen(ColorOf(ink.color));
    painter_.drawText(QPointF(0, 0), Q(characters));
    painter_.restore();
  }
  void via(DblPoint at, double diameter, DblInk ink) override {
    QColor fill = ColorOf(ink.color);
    fill.setAlpha(128);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(fill);
    painter_.drawEllipse(P(at), diameter / 2, diameter / 2);
    painter_.setBrush(Qt::NoBrush);
  }

 private:
  // Qt measures arc angles as seen with Y downwards; here Y points up.
  static void AddArc(QPainterPath& path, DblPoint centre, double r, double start, double sweep) {
    path.arcTo(QRectF(centre.x - r, centre.y - r, 2 * r, 2 * r), -start, -sweep);
  }
  void usePen(double width, DblInk ink) {
    QPen pen(ColorOf(ink.color), std::max(width, minWidth_));
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
  }

  QPainter& painter_;
  double minWidth_ = 0;
};

QIcon Swatch(std::uint32_t rgb) {
  QPixmap pixmap(12, 12);
  pixmap.fill(ColorOf(rgb));
  return QIcon(pixmap);
}

}  // namespace

OutlinePreview::OutlinePreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("OutlinePreview"));
  picOutline = new PictureView(this);
  picOutline->setObjectName(QStringLiteral("picOutline"));
  lstLayers = new QListWidget(this);
  lstLayers->setObjectName(QStringLiteral("lstLayers"));
  lstLayers->setToolTip(QStringLiteral("チェックした層だけを図面に描きます"));
  lstLayers->setMaximumWidth(200);
  cmdFit = new QPushButton(QStringLiteral("全体表示"), this);
  cmdFit->setObjectName(QStringLiteral("cmdFit"));
  cmdFit->setToolTip(QStringLiteral("図面全体が見える大きさにします"));
  lblDrawError = new QLabel(this);
  lblDrawError->setObjectName(QStringLiteral("lblDrawError"));
  lblDrawError->setWordWrap(true);
  lblDrawError->hide();
  lblHint = new QLabel(this);
  lblHint->setObjectName(QStringLiteral("lblHint"));
  lblHint->setAlignment(Qt::AlignCenter);
  lblHint->setWordWrap(true);
  // The hint takes the drawing's place, and the window keeps the size the drawing needs.
  pages_ = new QStackedWidget(this);
  pages_->addWidget(picOutline);
  pages_->addWidget(lblHint);

  auto* side = new QVBoxLayout;
  side->addWidget(lstLayers, 1);
  side->addWidget(cmdFit);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(pages_, 1);
  row->addLayout(side);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(row, 1);
  column->addWidget(lblDrawError);

  connect(cmdFit, &QPushButton::clicked, this, [this] {
    following_ = true;
    fit();
  });
  connect(picOutline, &PictureView::userMoved, this, [this] { following_ = false; });
  connect(picOutline, &PictureView::resized, this, [this] {
    if (following_) fit();
  });
  connect(lstLayers, &QListWidget::itemChanged, this, &OutlinePreview::legendChanged);
}

void OutlinePreview::showHint(const QString& hint) {
  lblHint->setText(hint);
  pages_->setCurrentWidget(lblHint);
  lblDrawError->hide();
  result_ = {};
  fillLegend();
}

void OutlinePreview::showDbl(TextView dblText) {
  pages_->setCurrentWidget(picOutline);
  result_ = ReadDbl(dblText);
  if (result_.error) {
    lblDrawError->setText(QStringLiteral("描けないレコードがあります: ") +
                          Q(DblReadErrorMessage(*result_.error)));
  }
  lblDrawError->setVisible(result_.error.has_value());

  const DblBounds b = DrawingBounds(result_.drawing);
  const QRectF bounds =
      b.empty ? QRectF(0, 0, 1, 1) : QRectF(b.left, -b.top, b.right - b.left, b.top - b.bottom);
  picOutline->setPicture(bounds, [this](QPainter& painter) {
    painter.save();
    painter.scale(1, -1);  // scene Y runs down, the drawing's up
    QtDblCanvas canvas(painter);
    RenderDbl(result_.drawing, canvas, hidden_);
    painter.restore();
  });
  fillLegend();
  if (following_) fit();
}

void OutlinePreview::fit() {
  // Some room around the drawing.
  picOutline->fit();
  picOutline->zoomBy(0.95, picOutline->viewport()->rect().center());
}

void OutlinePreview::fillLegend() {
  const QSignalBlocker quiet(lstLayers);
  lstLayers->clear();
  for (const int layer : DblLayersUsed(result_.drawing)) {
    const Text name = DblLayerName(layer);
    const QString label =
        layer == kViaLayer ? Q(name) : QString::number(layer) + QLatin1Char(' ') + Q(name);
    auto* item = new QListWidgetItem(Swatch(DblLayerColor(layer)), label.trimmed(), lstLayers);
    item->setData(Qt::UserRole, layer);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(hidden_.contains(layer) ? Qt::Unchecked : Qt::Checked);
  }
}

void OutlinePreview::legendChanged(QListWidgetItem* item) {
  const int layer = item->data(Qt::UserRole).toInt();
  if (item->checkState() == Qt::Checked) {
    hidden_.erase(layer);
  } else {
    hidden_.insert(layer);
  }
  picOutline->redraw();
}

}  // namespace pcbprep
