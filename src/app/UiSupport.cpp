#include "app/UiSupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources are compiled into the static window library, whose linking drops
// their registration unless something refers to it; this does.
static void InitAppResources() { Q_INIT_RESOURCE(resources); }

namespace pcbprep {

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
  font.setPointSize(10);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace pcbprep
