#include "app/Form2.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/Dialogs.h"
#include "app/UiSupport.h"
#include "design/FileIO.h"
#include "placement/PlacementSvg.h"

namespace pcbprep {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPngPixel = 15;  // 96 dots per inch
constexpr double kTipSlackPixels = 4;
constexpr int kPngMargin = 24;  // pixels of white around a saved picture
// The opening view's margin around the drawing, as a share of its larger side.
constexpr double kOpeningMargin = 0.03;

// The design-time picture box: the picture always takes in at least this much.
const QRectF kPictureBox(0, 0, 16215, 11535);

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

// The SVG picture as PNG bytes, at 96 dots per inch, or smaller when parts far away
// would make the image too large to hold, with a white margin around it; empty when it
// cannot be made.
QByteArray PngOf(const std::string& svg) {
  constexpr double kMaxSide = 16000;  // pixels
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  const QRectF box = renderer.viewBoxF();
  const double drawnSide = kMaxSide - 2 * kPngMargin;
  const double perPixel =
      std::max({kTwipsPerPngPixel, box.width() / drawnSide, box.height() / drawnSide});
  const int width = std::max(1, qRound(box.width() / perPixel));
  const int height = std::max(1, qRound(box.height() / perPixel));
  QImage image(width + 2 * kPngMargin, height + 2 * kPngMargin, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(kPngMargin, kPngMargin, width, height));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes;
}

}  // namespace

PlacementPicture::PlacementPicture(QWidget* parent) : PictureView(parent) {
  setObjectName(QStringLiteral("Picture1"));
  setTipFunction([this](QPointF at) {
    const auto found = PartAt(parts_, at.x(), at.y(), kTipSlackPixels / zoom());
    return found ? Q(PartTip(parts_[*found])) : QString();
  });
}

double PlacementPicture::scale() const { return logicalDpiX() / kTwipsPerInch; }

void PlacementPicture::showOpeningView() { fit(kOpeningMargin); }

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

  PlacementSvg svg;
  DrawPlacementImage(design, svg);
  svg_ = svg.document(PlacementLegend());
  parts_ = PlacedParts(design);

  const QRectF bounds = QRectF(picture_.boundingRect()).united(kPictureBox);
  setPicture(bounds, [this](QPainter& p) { p.drawPicture(0, 0, picture_); });
}

Form2::Form2(const Design& design, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("配置分類イメージ"));
  setAttribute(Qt::WA_DeleteOnClose);

  // The legend and the buttons in a column beside the picture, never over it: the
  // picture is wider than high, and a laptop screen has width to spare, not height.
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
  Text1->setReadOnly(true);  // a legend, not an input
  Command1 = new QPushButton(QStringLiteral("終了"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command2 = new QPushButton(QStringLiteral("全体表示"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command3 = new QPushButton(QStringLiteral("画像保存"), this);
  Command3->setObjectName(QStringLiteral("Command3"));
  for (QPushButton* b : {Command1, Command2, Command3}) b->setFocusPolicy(Qt::NoFocus);
  Command1->setToolTip(QStringLiteral("この画面を閉じます"));
  Command2->setToolTip(QStringLiteral("配置イメージ全体が見える大きさにします"));
  Command3->setToolTip(QStringLiteral("配置イメージを PNG か SVG の画像ファイルに保存します"));
  connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
  connect(Command2, &QPushButton::clicked, Picture1, &PlacementPicture::showOpeningView);
  connect(Command3, &QPushButton::clicked, this, Guarded(this, dialogs_, &Form2::command3Click));

  const double scale = Picture1->scale();
  Text1->setFixedSize(Pixels(3855, scale), Pixels(1335, scale));
  auto* side = new QVBoxLayout;
  side->setContentsMargins(6, 6, 6, 6);
  side->addWidget(Text1);
  side->addSpacing(6);
  side->addWidget(Command3);
  side->addWidget(Command2);
  side->addStretch(1);
  side->addWidget(Command1);
  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->addWidget(Picture1, 1);
  row->addLayout(side);
  column->addLayout(row, 1);
  column->addWidget(StatusBar);
  // The picture box's own size beside the column where the screen has room for it.
  FitToScreen(this, QSize(Pixels(16320, scale) + side->sizeHint().width(), Pixels(12225, scale)));

  Text1->setPlainText(Q(PlacementLegend()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  drawImage(design, false);
  // The + and - keys zoom as soon as the window opens.
  Picture1->setFocus();
}

void Form2::drawImage(const Design& design, bool keepView) {
  Picture1->draw(design);
  // A hidden window that was never shown sets its view when it is first shown.
  if (!keepView && placed_) Picture1->showOpeningView();
}

void Form2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!placed_) {
    // Only now does the view know its size, which the scroll position depends on.
    placed_ = true;
    Picture1->showOpeningView();
  }
}

void Form2::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void Form2::closeEvent(QCloseEvent* event) {
  unloaded_ = true;
  QWidget::closeEvent(event);
}

void Form2::command3Click() {
  const QString title = QStringLiteral("画像保存");
  const QString name = boardName_.isEmpty() ? QStringLiteral("配置イメージ") : boardName_;
  const auto path = dialogs_.saveFile(this, QStringLiteral("PNG 画像|*.png|SVG 画像|*.svg"),
                                      name + QStringLiteral(".png"));
  if (!path) return;
  QByteArray bytes;
  if (path->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    bytes = QByteArray::fromStdString(Picture1->svg());
  } else if (path->endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
    BusyCursor busy;
    bytes = PngOf(Picture1->svg());
    if (bytes.isEmpty()) {
      dialogs_.warn(this, title, QStringLiteral("PNG 画像を作れませんでした。\n%1").arg(*path));
      return;
    }
  } else {
    dialogs_.warn(
        this, title,
        QStringLiteral("ファイル名の拡張子を .png か .svg にしてください。\n%1").arg(*path));
    return;
  }
  const FileWriteResult written = WriteFileAtomic(FileSystemPath(*path), bytes.toStdString());
  if (!written.ok()) {
    StatusBar->showMessage(QStringLiteral("画像を保存できませんでした: %1").arg(*path));
    dialogs_.warn(this, title,
                  QStringLiteral("ファイルを書き込めませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(written.reason)));
    return;
  }
  StatusBar->showMessage(QStringLiteral("画像を保存しました: %1").arg(*path));
}

}  // namespace pcbprep
