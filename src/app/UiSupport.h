#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

#include "design/Text.h"

namespace pcbprep {

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The fixed-pitch font of the lists: "ＭＳ ゴシック" where it exists, otherwise an
// installed Japanese monospace font with the same cell widths (half-width ASCII,
// full-width kanji), so the columns line up.
QFont ListFont();

// The application icon, drawn from its SVG at the usual sizes.
QIcon AppIcon();

inline QString Q(TextView text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline Text T(const QString& text) { return text.toStdU16String(); }

}  // namespace pcbprep
