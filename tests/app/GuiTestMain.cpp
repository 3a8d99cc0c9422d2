// The window tests run on Qt's offscreen platform: no display is needed. Its one
// screen is set to a common laptop's 1366 x 768, and Qt's own texts are Japanese, as
// the program shows them, and the settings start empty.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "app/UiSupport.h"

int main(int argc, char** argv) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" PCBPREP_TEST_SCREEN_CONFIG);
  }
  QApplication app(argc, argv);
  // Settings the windows remember go to a fresh folder, so no run sees the user's
  // settings or those of an earlier run.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  // Tests close main windows; the run goes on after each.
  QApplication::setQuitOnLastWindowClosed(false);
  pcbprep::InstallJapaneseQtTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
