// Captures of the real windows for the README. They are written only when
// PCBPREP_SCREENSHOT_DIR names a folder (scripts/screenshots.sh sets it).
#include <QDir>
#include <QPixmap>

#include "GuiTestSupport.h"

namespace pcbprep::testing {
namespace {

using Screenshots = MainFormFixture;

QString ScreenshotDir() { return qEnvironmentVariable("PCBPREP_SCREENSHOT_DIR"); }

TEST_F(Screenshots, MainWindowWithSample) {
  if (ScreenshotDir().isEmpty()) GTEST_SKIP() << "PCBPREP_SCREENSHOT_DIR not set";
  form->resize(1400, 920);
  openNetlist(ExamplePath("sample.NET"));
  form->command7Click();
  form->command1Click();
  QApplication::processEvents();
  ASSERT_TRUE(form->grab().save(QDir(ScreenshotDir()).filePath("main-window.png")));
}

}  // namespace
}  // namespace pcbprep::testing
