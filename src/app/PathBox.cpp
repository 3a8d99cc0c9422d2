#include "app/PathBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace pcbprep {

namespace {

constexpr int kTextIndent = 2;  // QLineEdit's own gap between its frame and its text

}  // namespace

PathBox::PathBox(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& path) { setToolTip(path); });
}

QRect PathBox::textArea() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).adjusted(kTextIndent, 0, -kTextIndent, 0);
}

QString PathBox::shownText() const {
  if (hasFocus()) return text();
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, textArea().width());
}

void PathBox::paintEvent(QPaintEvent* event) {
  const QString shown = shownText();
  if (shown == text()) {
    QLineEdit::paintEvent(event);
    return;
  }
  QPainter painter(this);
  QStyleOptionFrame option;
  initStyleOption(&option);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace pcbprep
