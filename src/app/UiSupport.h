#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QIcon>
#include <QString>
#include <exception>
#include <string>
#include <vector>

#include "design/Text.h"

class QCoreApplication;
class QLabel;
class QLineEdit;
class QListWidget;
class QRect;
class QSize;
class QWidget;

namespace pcbprep {

class Dialogs;

// Loads Qt's own Japanese texts (file dialogs, message-box buttons, the overwrite
// question) from the installed Qt translations, whatever the system language: the
// program speaks Japanese throughout. False when they are not installed.
bool InstallJapaneseQtTranslations(QCoreApplication& app);

// Gives a widget its name (the objectName tests and the window code find it by).
template <typename W>
W* Named(W* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

// A caption label, named "Label_" and the start of its text.
QLabel* Caption(const QString& text);

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

// Replaces the lines of a list box. A long list gives every line the size of the first
// (the lists are of one font, one line an item), so Qt does not lay out each of tens of
// thousands of lines to size them; the first is as wide as the widest, so the list
// scrolls sideways to the end of every line.
void FillList(QListWidget* list, const std::vector<Text>& lines);

// The room an item view's delegate leaves beside a line's text, both sides together.
int ItemTextMargin(const QWidget* view);

// Widths of many texts in one font, each character measured once: the sum of the
// advances, which is the width in a font without kerning (the list font) and close to
// it otherwise.
class TextWidths {
 public:
  explicit TextWidths(const QFontMetrics& metrics) : metrics_(metrics) {}
  int of(TextView text);

 private:
  const QFontMetrics& metrics_;
  QHash<char16_t, int> advances_;
};

// Keeps a box at least wide enough for `chars` digits of its font, whatever the
// window's size.
void ReserveChars(QLineEdit* box, int chars);

// The size a window opens at: the size it asks for, but no larger than the free area
// of its screen (task bars and docks left out) less room for the window frame, and
// never below its minimum size.
QSize FittedWindowSize(const QSize& wanted, const QSize& minimum, const QRect& available);

// Resizes a top-level window to FittedWindowSize on the screen it opens on and
// places it inside that screen's free area.
void FitToScreen(QWidget* window, const QSize& wanted);

// The application icon, drawn from its SVG at the usual sizes.
QIcon AppIcon();

// Shows "内部エラー: <what>" over the window.
void ShowInternalError(Dialogs& dialogs, QWidget* window, const QString& what);

// The windows' one boundary against exceptions: every handler runs inside it, so
// what a handler throws is shown as an internal error and the program keeps running.
// No exception may cross Qt's event loop, which is not built to unwind.
template <typename Handler>
void RunGuarded(Dialogs& dialogs, QWidget* window, Handler&& handler) noexcept {
  try {
    try {
      handler();
    } catch (const std::exception& e) {
      ShowInternalError(dialogs, window, QString::fromUtf8(e.what()));
    } catch (...) {
      ShowInternalError(dialogs, window, QStringLiteral("不明な例外"));
    }
  } catch (...) {
    // Even the message could not be shown; keep running all the same.
  }
}

// A slot for connect(): runs window->*handler inside the boundary.
template <typename Window>
auto Guarded(Window* window, Dialogs& dialogs, void (Window::*handler)()) {
  return
      [window, &dialogs, handler] { RunGuarded(dialogs, window, [&] { (window->*handler)(); }); };
}

// A path chosen in a dialog as the file helpers (design/FileIO.h) and the DBL save take
// it: in the file system's encoding.
std::string FileSystemPath(const QString& path);

inline QString Q(TextView text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline Text T(const QString& text) { return text.toStdU16String(); }

}  // namespace pcbprep
