#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include "GuiTestSupport.h"
#include "app/BoardDialog.h"

namespace pcbprep::testing {
namespace {

struct BoardWindow : MainFormFixture {
  QTemporaryDir dir;

  void trigger() { form->findChild<QAction*>(QStringLiteral("mnKicad"))->trigger(); }

  // Runs `answer` on the board dialog once it is shown, then presses `button` of it.
  void onDialog(std::function<void(BoardDialog&)> answer, const char* button = "cmdOk") {
    QTimer::singleShot(0, form.get(), [answer, button] {
      auto* dialog = dynamic_cast<BoardDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      answer(*dialog);
      if (std::string_view(button) == "cmdOk") {
        dialog->cmdOk->click();
      } else {
        dialog->reject();
      }
    });
  }
};

TEST_F(BoardWindow, NoPartsGiveAMessageNotAFile) {
  openNetlist(ExamplePath("sample.NET"));
  dialogs.calls.clear();
  trigger();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, "warn");
  EXPECT_EQ(dialogs.calls[0].title, "KiCad 基板出力");
}

TEST_F(BoardWindow, TheBoardIsWrittenWithTheChosenFoldersWhichAreRemembered) {
  openNetlist(ExamplePath("sample.NET"));
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  const QString board = dir.filePath(QStringLiteral("sample.kicad_pcb"));
  dialogs.fileAnswers = {QStringLiteral("/libs/b"), QStringLiteral("/libs/a"), board};
  onDialog([](BoardDialog& d) {
    // Without the outline window only the rectangle is offered.
    EXPECT_FALSE(d.optOutlineWindow->isVisible());
    EXPECT_TRUE(d.optRectangle->isChecked());
    d.cmdAddDir->click();
    d.cmdAddDir->click();
    d.cmdDirUp->click();  // a moves above b
  });
  trigger();
  ASSERT_EQ(dialogs.calls.back().kind, "save");
  EXPECT_EQ(dialogs.calls.back().preset, ExamplePath("sample.kicad_pcb"));
  EXPECT_TRUE(QFile::exists(board));
  EXPECT_TRUE(form->statusBar()->currentMessage().startsWith(
      QStringLiteral("KiCad 基板 sample.kicad_pcb: 部品 31（ライブラリ ")));

  // The folders come back in their order; a cancelled dialog writes nothing.
  QFile::remove(board);
  onDialog(
      [](BoardDialog& d) {
        ASSERT_EQ(d.footprintDirs(),
                  (QStringList{QStringLiteral("/libs/a"), QStringLiteral("/libs/b")}));
      },
      "cancel");
  trigger();
  EXPECT_FALSE(QFile::exists(board));
}

// The same output writes every board format, chosen by the extension of the name.
TEST_F(BoardWindow, IdfAndPlacementFilesByTheirExtension) {
  openNetlist(ExamplePath("sample.NET"));
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  const struct {
    const char* name;
    const char* beside;  // a second file written with it
    const char* status;
  } cases[] = {{"sample.emn", "sample.emp", "IDF sample.emn: 部品 31、"},
               {"place.csv", nullptr, "部品配置 CSV place.csv: 部品 31"},
               {"place.pos", nullptr, "KiCad 部品位置 place.pos: 部品 31"}};
  for (const auto& c : cases) {
    const QString file = dir.filePath(QString::fromUtf8(c.name));
    dialogs.fileAnswers = {file};
    onDialog([](BoardDialog&) {});
    trigger();
    ASSERT_EQ(dialogs.calls.back().kind, "save");
    for (const char* extension : {"*.kicad_pcb", "*.emn", "*.csv", "*.pos"}) {
      EXPECT_TRUE(dialogs.calls.back().filter.contains(QString::fromLatin1(extension)));
    }
    EXPECT_TRUE(QFile::exists(file)) << c.name;
    if (c.beside) {
      EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromUtf8(c.beside))));
    }
    EXPECT_TRUE(form->statusBar()->currentMessage().startsWith(QString::fromUtf8(c.status)))
        << form->statusBar()->currentMessage().toStdString();
  }
}

TEST_F(BoardWindow, AnOpenOutlineWindowOffersItsSettings) {
  openNetlist(ExamplePath("sample.NET"));
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  QTest::mouseClick(find<QPushButton>("Command14"), Qt::LeftButton);  // the outline window
  bool offered = false;
  onDialog(
      [&offered](BoardDialog& d) {
        offered = d.optOutlineWindow->isVisible() && d.outlineFromWindow();
      },
      "cancel");
  trigger();
  EXPECT_TRUE(offered);
}

}  // namespace
}  // namespace pcbprep::testing
