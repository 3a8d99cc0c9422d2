#include "app/Form2.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "app/UiSupport.h"
#include "placement/PlacementImage.h"

namespace pcbprep {

namespace {

constexpr double kTwipsPerInch = 1440;

// Draws the core's strokes with a painter whose units are twips.
class QtPlacementCanvas final : public PlacementCanvas {
 public:
  QtPlacementCanvas(QPainter& painter, const QColor& drawingColor, const QFont& twipFont)
      : painter_(painter), drawingColor_(drawingColor) {
    painter_.setFont(twipFont);
    painter_.setBrush(Qt::NoBrush);
  }

  void line(double x1, double y1, double x2, double y2, CanvasColor color) override {
    if (!onSheet(x1, y1) || !onSheet(x2, y2)) return;
    usePen(color);
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  }
  void circle(double x, double y, double radius, CanvasColor color) override {
    if (!onSheet(x, y)) return;
    usePen(color);
    painter_.drawEllipse(QPointF(x, y), radius, radius);
  }
  void text(double x, double y, TextView text) override {
    if (!onSheet(x, y)) return;
    usePen(CanvasColor::Drawing());
    painter_.drawText(QRectF(x, y, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                      Q(text));
  }

 private:
  // Coordinates typed far beyond any screen are left out rather than handed to the
  // rasteriser.
  static bool onSheet(double x, double y) {
    constexpr double kLimit = 1e7;
    return std::fabs(x) < kLimit && std::fabs(y) < kLimit;
  }
  void usePen(CanvasColor color) {
    const QColor c = color.ownColor ? drawingColor_ : QColor(color.red, color.green, color.blue);
    painter_.setPen(QPen(c, 0));  // cosmetic: one pixel wide at every scale
  }

  QPainter& painter_;
  QColor drawingColor_;
};

int Pixels(double twips, double scale) { return static_cast<int>(std::lround(twips * scale)); }

}  // namespace

PlacementPicture::PlacementPicture(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Picture1"));
  setAutoFillBackground(true);
  QPalette colors = palette();
  colors.setColor(QPalette::Window, Qt::white);
  setPalette(colors);
}

double PlacementPicture::scale() const { return logicalDpiX() / kTwipsPerInch; }

void PlacementPicture::draw(const Design& design) {
  picture_ = QPicture();
  QPainter painter(&picture_);
  painter.setRenderHint(QPainter::Antialiasing);
  // The painter's unit is a twip, so the label font is sized in twips too.
  QFont labels = font();
  const double points =
      labels.pointSizeF() > 0 ? labels.pointSizeF() : labels.pixelSize() * 72.0 / logicalDpiY();
  labels.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kTwipsPerInch / 72))));
  QtPlacementCanvas canvas(painter, Qt::black, labels);
  DrawPlacementImage(design, canvas);
  painter.end();
  update();
}

void PlacementPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.scale(scale(), logicalDpiY() / kTwipsPerInch);
  painter.drawPicture(0, 0, picture_);
}

Form2::Form2(const Design& design, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("配置分類イメージ"));
  setAttribute(Qt::WA_DeleteOnClose);

  // The legend and the button lie over the upper right part of the picture.
  Picture1 = new PlacementPicture(this);
  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  // The legend box is small: a compact font and margin let its six lines show whole.
  QFont legendFont = Text1->font();
  legendFont.setPointSize(8);
  Text1->setFont(legendFont);
  Text1->document()->setDocumentMargin(2);
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Command1 = new QPushButton(QStringLiteral("終了"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

  const double scale = Picture1->scale();
  Text1->setGeometry(Pixels(10560, scale), Pixels(240, scale), Pixels(3855, scale),
                     Pixels(1335, scale));
  Command1->setGeometry(Pixels(12960, scale), Pixels(1680, scale), Pixels(1455, scale),
                        Pixels(495, scale));
  resize(Pixels(16320, scale), Pixels(12225, scale));

  // Loading the window draws the image, once.
  Text1->setPlainText(Q(PlacementLegend()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  Picture1->draw(design);
}

void Form2::resizeEvent(QResizeEvent* event) {
  // The picture follows the window; what was drawn stays as it is.
  Picture1->setGeometry(rect());
  QWidget::resizeEvent(event);
}

void Form2::closeEvent(QCloseEvent* event) {
  unloaded_ = true;
  QWidget::closeEvent(event);
}

}  // namespace pcbprep
