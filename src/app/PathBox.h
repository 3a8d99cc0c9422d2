#pragma once

#include <QLineEdit>

namespace pcbprep {

// A read-only box for a file path. A path longer than the box loses its middle ("…"),
// not its end, so the folder's start and the file name both show; text() and the tip
// keep the whole path, and with the focus the box shows it whole for selecting.
class PathBox : public QLineEdit {
 public:
  explicit PathBox(QWidget* parent = nullptr);

  // What the box shows at its present width.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect textArea() const;
};

}  // namespace pcbprep
