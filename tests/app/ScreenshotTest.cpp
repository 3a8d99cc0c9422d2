// Captures of the real windows for the README. They are written only when
// PCBPREP_SCREENSHOT_DIR names a folder (scripts/screenshots.sh sets it).
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "app/Form2.h"
#include "app/Form3.h"

namespace pcbprep::testing {
namespace {

using Screenshots = MainFormFixture;

QString ScreenshotDir() { return qEnvironmentVariable("PCBPREP_SCREENSHOT_DIR"); }

void Save(QWidget* window, const char* name) {
  QApplication::processEvents();
  ASSERT_TRUE(window->grab().save(QDir(ScreenshotDir()).filePath(QString::fromUtf8(name))));
}

TEST_F(Screenshots, TheThreeWindowsOfATypicalSession) {
  if (ScreenshotDir().isEmpty()) GTEST_SKIP() << "PCBPREP_SCREENSHOT_DIR not set";
  form->resize(1400, 920);
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command7")->click();
  find<QPushButton>("Command1")->click();
  Save(form.get(), "main-window.png");

  find<QPushButton>("Command6")->click();
  find<QComboBox>("Combo10")->setCurrentIndex(3);
  find<QPushButton>("Command12")->click();
  find<QPushButton>("Command5_0")->click();
  find<QPushButton>("Command9")->click();
  auto* form2 = form->findChild<Form2*>();
  ASSERT_NE(form2, nullptr);
  Save(form2, "placement-image.png");

  find<QPushButton>("Command14")->click();
  auto* form3 = form->findChild<Form3*>();
  ASSERT_NE(form3, nullptr);
  QTemporaryDir dir;
  dialogs.fileAnswers.push_back(dir.filePath("board.dbl"));
  form3->findChild<QPushButton*>("Command1")->click();
  Save(form3, "outline-window.png");
}

}  // namespace
}  // namespace pcbprep::testing
