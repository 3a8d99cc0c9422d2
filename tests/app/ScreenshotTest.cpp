// Captures of the real windows for the README. They are written only when
// PCBPREP_SCREENSHOT_DIR names a folder (scripts/screenshots.sh sets it).
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "app/Form2.h"
#include "app/Form3.h"
#include "app/OutlinePreview.h"
#include "outline/OutlineGenerator.h"

namespace pcbprep::testing {
namespace {

using Screenshots = MainFormFixture;

QString ScreenshotDir() { return qEnvironmentVariable("PCBPREP_SCREENSHOT_DIR"); }

void Save(QWidget* window, const char* name) {
  QApplication::processEvents();
  ASSERT_TRUE(window->grab().save(QDir(ScreenshotDir()).filePath(QString::fromUtf8(name))));
}

// The netlist of the captures: a generated board of several hundred parts when
// PCBPREP_SCREENSHOT_NETLIST names one, otherwise the sample.
QString ScreenshotNetlist() {
  const QString generated = qEnvironmentVariable("PCBPREP_SCREENSHOT_NETLIST");
  return generated.isEmpty() ? ExamplePath("sample.NET") : generated;
}

// The main window at the size it opens at on the tests' 1366 x 768 screen.
TEST_F(Screenshots, TheWindowsOfATypicalSession) {
  if (ScreenshotDir().isEmpty()) GTEST_SKIP() << "PCBPREP_SCREENSHOT_DIR not set";
  openNetlist(ScreenshotNetlist());
  find<QPushButton>("Command7")->click();
  find<QPushButton>("Command1")->click();
  Save(form.get(), "main-window.png");

  find<QPushButton>("Command6")->click();
  find<QComboBox>("Combo10")->setCurrentIndex(3);
  find<QPushButton>("Command12")->click();
  find<QPushButton>("Command5_0")->click();
  // The table after the whole pre-placement, sorted by main part.
  find<QRadioButton>("Option4")->click();
  auto* table = find<QTableView>("List1Table");
  table->sortByColumn(6, Qt::DescendingOrder);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualRect(table->model()->index(5, 0)).center());
  Save(form.get(), "part-table.png");
  find<QRadioButton>("Option3")->click();

  find<QPushButton>("Command9")->click();
  auto* form2 = form->findChild<Form2*>();
  ASSERT_NE(form2, nullptr);
  Save(form2, "placement-image.png");
  // Zoomed in around the first main part of the table.
  const PlacedPart& anchor = form2->Picture1->parts().front();
  form2->Picture1->zoomBy(3, form2->Picture1->mapFromScene(QPointF(anchor.x, anchor.y)));
  Save(form2, "placement-zoomed.png");

  find<QPushButton>("Command14")->click();
  auto* form3 = form->findChild<Form3*>();
  ASSERT_NE(form3, nullptr);
  // The board of examples/outline.json.
  form3->Text4->setText(QStringLiteral("120"));
  form3->Text5->setText(QStringLiteral("80.5"));
  form3->Text23->setText(QStringLiteral("3"));
  form3->Option4->click();
  form3->Combo1->setCurrentIndex(4);
  form3->Text13->setText(QStringLiteral("4.5"));
  form3->Text1->setText(QStringLiteral("CTRL-A01"));
  form3->Text8->setText(QStringLiteral("制御基板 REV.A"));
  // Saved beside the netlist, so the path the status bar shows is the same every time.
  QTemporaryDir dir;
  const QString generated = qEnvironmentVariable("PCBPREP_SCREENSHOT_NETLIST");
  const QDir beside = generated.isEmpty() ? QDir(dir.path()) : QFileInfo(generated).dir();
  dialogs.fileAnswers.push_back(beside.filePath(QStringLiteral("board.dbl")));
  form3->findChild<QPushButton*>("Command1")->click();
  Save(form3, "outline-window.png");
  // The same drawing on its own at a size that shows its detail.
  OutlinePreview drawing;
  drawing.resize(1100, 640);
  drawing.show();
  drawing.showDbl(GenerateDbl(form3->readSettings()).text());
  Save(&drawing, "outline-drawing.png");
}

}  // namespace
}  // namespace pcbprep::testing
