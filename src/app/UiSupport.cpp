#include "app/UiSupport.h"

#include <QApplication>
#include <QFontDatabase>

namespace pcbprep {

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

QFont ListFont() {
  static const QStringList candidates = {
      QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
      QStringLiteral("IPAGothic"),    QStringLiteral("IPAゴシック"),
      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic")};
  const QStringList families = QFontDatabase::families();
  for (const QString& name : candidates) {
    if (families.contains(name)) {
      QFont font(name);
      font.setPointSize(10);
      font.setStyleHint(QFont::TypeWriter);
      return font;
    }
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  return font;
}

}  // namespace pcbprep
