#include "app/UiSupport.h"

#include "app/Dialogs.h"
#include "design/AppInfo.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QSvgRenderer>
#include <QTranslator>
#include <algorithm>

// The resources are compiled into a static library, so they must be registered
// by name before the first use (outside any namespace, as Qt requires).
static void InitAppResources() { Q_INIT_RESOURCE(resources); }

namespace pcbprep {

bool InstallJapaneseQtTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

void ReserveChars(QLineEdit* box, int chars) {
  // The box's own frame and inner margins come on top of the text.
  const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
  const QMargins margins = box->textMargins();
  const int text = box->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0')));
  box->setMinimumWidth(text + 2 * frame + 2 * 2 + margins.left() + margins.right() + 4);
}

QSize FittedWindowSize(const QSize& wanted, const QSize& minimum, const QRect& available) {
  // Title bar and borders are not part of the window's own size.
  constexpr int kFrameWidth = 16;
  constexpr int kFrameHeight = 40;
  const QSize room(available.width() - kFrameWidth, available.height() - kFrameHeight);
  return wanted.boundedTo(room).expandedTo(minimum);
}

void FitToScreen(QWidget* window, const QSize& wanted) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) {
    window->resize(wanted);
    return;
  }
  const QRect available = screen->availableGeometry();
  const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
  const QSize size = FittedWindowSize(wanted, minimum, available);
  window->resize(size);
  // Centred in the free area; a window manager may still place it elsewhere.
  const int x = available.x() + std::max(0, (available.width() - size.width()) / 2);
  const int y = available.y() + std::max(0, (available.height() - size.height() - 32) / 2);
  window->move(x, y);
}

QLabel* Caption(const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(QStringLiteral("Label_") + text.simplified().left(12));
  return label;
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

QIcon AppIcon() {
  // Rendered here rather than through an icon-engine plugin, so the icon needs
  // nothing at run time beyond the Qt SVG library.
  static const QIcon icon = [] {
    InitAppResources();
    QIcon result;
    QSvgRenderer renderer(QStringLiteral(":/pcbprep.svg"));
    if (!renderer.isValid()) return result;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      QPixmap pixmap(size, size);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      renderer.render(&painter);
      painter.end();
      result.addPixmap(pixmap);
    }
    return result;
  }();
  return icon;
}

void FillList(QListWidget* list, const std::vector<Text>& lines) {
  constexpr std::size_t kLongList = 2000;
  list->clear();
  list->setUniformItemSizes(lines.size() > kLongList);
  QStringList items;
  items.reserve(static_cast<qsizetype>(lines.size()));
  for (const Text& line : lines) items << Q(line);
  list->addItems(items);
  if (!list->uniformItemSizes() || lines.empty()) return;
  TextWidths widths(list->fontMetrics());
  int widest = 0;
  for (const Text& line : lines) widest = std::max(widest, widths.of(line));
  list->item(0)->setSizeHint(QSize(widest + ItemTextMargin(list), list->sizeHintForRow(0)));
}

int ItemTextMargin(const QWidget* view) {
  return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
}

int TextWidths::of(TextView text) {
  int width = 0;
  for (const char16_t c : text) {
    auto found = advances_.constFind(c);
    if (found == advances_.constEnd())
      found = advances_.insert(c, metrics_.horizontalAdvance(QChar(c)));
    width += *found;
  }
  return width;
}

QFont ListFont() {
  // The lists ask for "ＭＳ ゴシック"; where it is not installed, Qt substitutes a
  // Japanese monospace font with the same cell widths (IPAGothic on Debian).
  static const QString kListFamily = QStringLiteral("ＭＳ ゴシック");
  static const bool substituted = [] {
    const QStringList families = QFontDatabase::families();
    if (families.contains(kListFamily)) return true;
    QStringList available;
    for (const QString& name :
         {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
          QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic")}) {
      if (families.contains(name)) available << name;
    }
    available << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QFont::insertSubstitutions(kListFamily, available);
    return true;
  }();
  (void)substituted;
  QFont font(kListFamily);
  // 9 points at 96 dots per inch, in an even number of pixels: a full-width character
  // is then exactly two half-width cells (at 10 points, 13.3 pixels, hinting rounds the
  // two apart and the columns drift).
  font.setPixelSize(12);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

std::string FileSystemPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void ShowInternalError(Dialogs& dialogs, QWidget* window, const QString& what) {
  dialogs.warn(window, Q(kAppTitle), QStringLiteral("内部エラー: ") + what);
}

}  // namespace pcbprep
