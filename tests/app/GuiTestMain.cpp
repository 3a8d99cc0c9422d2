// The window tests run on Qt's offscreen platform: no display is needed. Its one
// screen is set to a common laptop's 1366 x 768, and Qt's own texts are Japanese, as
// the program shows them.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/UiSupport.h"

int main(int argc, char** argv) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" PCBPREP_TEST_SCREEN_CONFIG);
  }
  QApplication app(argc, argv);
  // Tests close main windows; the run goes on after each.
  QApplication::setQuitOnLastWindowClosed(false);
  pcbprep::InstallJapaneseQtTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
