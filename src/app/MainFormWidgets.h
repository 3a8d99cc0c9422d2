#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "app/UiSupport.h"

namespace pcbprep {

// The kinds of widget the main window's areas are built of, alike in every area.

inline QLineEdit* Box(const QString& name, int width = 0) {
  auto* box = Named(new QLineEdit, name);
  if (width > 0) box->setMaximumWidth(width);
  return box;
}

// A box for a count: wide enough for four digits and a sign at any window size.
inline QLineEdit* CountBox(const QString& name) {
  auto* box = Named(new QLineEdit, name);
  box->setReadOnly(true);
  box->setAlignment(Qt::AlignRight);
  ReserveChars(box, 5);
  box->setMaximumWidth(box->minimumWidth() + 16);
  return box;
}

// A box of the edit panel: room for twelve characters at any window size.
inline QLineEdit* EditBox(const QString& name) {
  auto* box = Named(new QLineEdit, name);
  ReserveChars(box, 12);
  return box;
}

inline QPushButton* Button(const QString& name, const QString& caption) {
  return Named(new QPushButton(caption), name);
}

inline QComboBox* Combo(const QString& name, bool editable) {
  auto* combo = Named(new QComboBox, name);
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMinimumContentsLength(8);
  // Sized by that length, not by the longest item, so the window can be narrow.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

}  // namespace pcbprep
