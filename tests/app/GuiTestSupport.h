#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QSettings>
#include <QTest>
#include <memory>

#include "app/Dialogs.h"
#include "app/MainForm.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace pcbprep::testing {

// A main window with scripted dialogs, shown offscreen.
struct MainFormFixture : ::testing::Test {
  ScriptedDialogs dialogs;
  std::unique_ptr<MainForm> form;

  void SetUp() override {
    QSettings().clear();  // each test starts from the program's first start
    form = std::make_unique<MainForm>(dialogs);
    form->show();
  }
  void TearDown() override { form.reset(); }

  template <typename W>
  W* find(const char* name) {
    W* widget = form->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Opens a netlist through the menu with the scripted file dialog answering.
  void openNetlist(const QString& path) {
    dialogs.fileAnswers.push_back(path);
    form->findChild<QAction*>(QStringLiteral("mnOpen"))->trigger();
  }

  // Clicks list item k as the user would.
  static void clickItem(QListWidget* list, int k) {
    QListWidgetItem* item = list->item(k);
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }
};

inline QString ExamplePath(const char* name) {
  return QString::fromUtf8(PCBPREP_EXAMPLES_DIR) + QLatin1Char('/') + QString::fromUtf8(name);
}

}  // namespace pcbprep::testing
