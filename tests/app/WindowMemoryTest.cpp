// What the program keeps and shows as a desktop program: the title, the recent
// netlists, window places across sessions and the names save dialogs propose.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <functional>

#include "app/Form2.h"
#include "app/Form3.h"
#include "app/GuiTestSupport.h"
#include "app/WindowMemory.h"

namespace pcbprep::testing {
namespace {

struct WindowMemoryTest : MainFormFixture {
  QTemporaryDir dir;
  QString store() const { return dir.filePath(QStringLiteral("pcbprep.conf")); }
  std::unique_ptr<WindowMemory> memory() const {
    return std::make_unique<WindowMemory>(
        std::make_unique<QSettings>(store(), QSettings::IniFormat));
  }
  // A copy of the sample under another name.
  QString board(const QString& name) const {
    const QString path = dir.filePath(name);
    QFile::copy(ExamplePath("sample.NET"), path);
    return path;
  }
};

TEST_F(WindowMemoryTest, TitleMarksUnsavedPartsAndRecentFilesReopen) {
  form->useMemory(memory());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("pcbprep"));
  openNetlist(board(QStringLiteral("ctrl.NET")));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("ctrl.NET[*] - pcbprep"));
  EXPECT_FALSE(form->isWindowModified());
  form->Command1->click();
  EXPECT_TRUE(form->isWindowModified());
  dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("ctrl.csv")));
  form->mnHozon->trigger();
  EXPECT_EQ(dialogs.calls.back().preset.section(u'/', -1), QStringLiteral("ctrl.csv"));
  EXPECT_FALSE(form->isWindowModified());

  // Six boards opened: the last five, newest first; one of them opens from the menu.
  QStringList opened;
  for (int i = 1; i <= 6; ++i) {
    opened.prepend(board(QStringLiteral("b%1.NET").arg(i)));
    dialogs.confirmAnswers.push_back(true);
    openNetlist(opened.front());
  }
  EXPECT_EQ(form->memory().recentFiles(), opened.mid(0, WindowMemory::kRecentFiles));
  const QList<QAction*> recent = form->mnRecent->actions();
  ASSERT_EQ(recent.size(), WindowMemory::kRecentFiles);
  EXPECT_EQ(recent[2]->text(), QStringLiteral("&3 b4.NET"));
  recent[2]->trigger();
  EXPECT_EQ(form->Text1->text(), opened[2]);
  EXPECT_EQ(form->memory().recentFiles().front(), opened[2]);
  // A new session finds them.
  EXPECT_EQ(memory()->recentFiles().front(), opened[2]);
}

TEST_F(WindowMemoryTest, WindowsComeBackWhereTheyWereAndADamagedStoreIsIgnored) {
  form->useMemory(memory());
  openNetlist(ExamplePath("sample.NET"));
  form->Command14->click();
  auto* outline = form->findChild<Form3*>();
  ASSERT_NE(outline, nullptr);
  form->resize(1280, 600);
  const QSize left = form->size();
  auto* top = form->findChild<QSplitter*>(QStringLiteral("TopSplitter"));
  top->setSizes({400, 330, 500});
  outline->Splitter->setSizes({100, 400});
  const QList<int> topSizes = top->sizes();
  const QList<int> outlineSizes = outline->Splitter->sizes();
  ASSERT_TRUE(form->close());

  // The outline window proposes the board's name and says what it saved where.
  ScriptedDialogs again;
  MainForm next(again);
  next.useMemory(memory());
  next.show();
  EXPECT_EQ(next.size(), left);
  EXPECT_EQ(next.findChild<QSplitter*>(QStringLiteral("TopSplitter"))->sizes(), topSizes);
  again.fileAnswers.push_back(ExamplePath("sample.NET"));
  next.mnOpen->trigger();
  next.Command14->click();
  Form3* reopened = next.findChild<Form3*>();
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->Splitter->sizes(), outlineSizes);
  const QString saved = dir.filePath(QStringLiteral("outline.json"));
  again.fileAnswers.push_back(saved);
  reopened->Command4->click();
  EXPECT_EQ(again.calls.back().preset, ExamplePath("sample.json"));
  EXPECT_EQ(reopened->StatusBar->currentMessage(), "設定ファイルを保存しました: " + saved);
  next.Command9->click();
  again.fileAnswers.push_back(std::nullopt);
  next.form2()->Command3->click();
  EXPECT_EQ(again.calls.back().preset, ExamplePath("sample.png"));

  // Garbage in the store: the windows open as on the first day.
  {
    QFile damaged(store());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("[MainForm]\ngeometry=@ByteArray(\\x1\\x2junk)\n\x01\xff[[[\n");
  }
  ScriptedDialogs fresh;
  MainForm first(fresh);
  const QSize own = first.size();
  first.useMemory(memory());
  first.show();
  EXPECT_EQ(first.size(), own);
}

// Every save and open dialog starts in the folder last used for its kind of file, else
// in the loaded netlist's folder.
TEST_F(WindowMemoryTest, DialogsStartWhereTheirKindOfFileWentLastElseAtTheNetlist) {
  const QString boards = dir.filePath(QStringLiteral("boards"));
  const QString parts = dir.filePath(QStringLiteral("parts"));
  const QString images = dir.filePath(QStringLiteral("images"));
  for (const QString& folder : {boards, parts, images}) ASSERT_TRUE(QDir().mkpath(folder));
  const QString netlist = boards + QStringLiteral("/ctrl.NET");
  ASSERT_TRUE(QFile::copy(ExamplePath("sample.NET"), netlist));
  openNetlist(netlist);
  form->Command1->click();
  form->Command9->click();
  form->Command14->click();
  Form2* image = form->form2();
  Form3* outline = form->findChild<Form3*>();
  ASSERT_TRUE(image != nullptr && outline != nullptr);

  const struct {
    const char* step;
    std::function<void()> open;
    QString answer;    // the file chosen; none: cancelled
    QString startsIn;  // the dialog's proposal: a folder, or a folder and a name
  } steps[] = {
      {"part list", [&] { form->mnHozon->trigger(); }, parts + "/a.csv", boards + "/ctrl.csv"},
      {"part list again", [&] { form->mnHozon->trigger(); }, {}, parts + "/ctrl.csv"},
      {"part list load", [&] { form->mnYobikomi->trigger(); }, {}, parts},
      {"image", [&] { image->Command3->click(); }, images + "/a.png", boards + "/ctrl.png"},
      {"image again", [&] { image->Command3->click(); }, {}, images + "/ctrl.png"},
      {"outline settings", [&] { outline->Command4->click(); }, {}, boards + "/ctrl.json"},
      {"outline settings load", [&] { outline->Command3->click(); }, {}, boards},
      {"netlist copy", [&] { form->mnsave->trigger(); }, {}, boards + "/ctrl.NET"},
      {"netlist open", [&] { form->mnOpen->trigger(); }, {}, boards},
  };
  for (const auto& s : steps) {
    dialogs.fileAnswers = {s.answer.isEmpty() ? std::nullopt : std::optional(s.answer)};
    s.open();
    EXPECT_EQ(dialogs.calls.back().preset, s.startsIn) << s.step;
  }
}

// The settings of every part of the program go to one file, ~/.config/pcbprep/pcbprep.conf
// (under $XDG_CONFIG_HOME where it is set), and come back from it.
TEST(SettingsStore, OneFileInTheUsersConfigFolder) {
  const QByteArray home = qgetenv("HOME");
  const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
  for (const bool xdgSet : {false, true}) {
    SCOPED_TRACE(xdgSet ? "XDG_CONFIG_HOME set" : "HOME only");
    QTemporaryDir root;
    qputenv("HOME", root.path().toLocal8Bit());
    if (xdgSet) {
      qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("xdg")).toLocal8Bit());
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
    const QString expected = root.filePath(xdgSet ? QStringLiteral("xdg/pcbprep/pcbprep.conf")
                                                  : QStringLiteral(".config/pcbprep/pcbprep.conf"));
    {
      ScriptedDialogs dialogs;
      MainForm form(dialogs);
      form.useMemory(std::make_unique<WindowMemory>(UserSettingsStore()));
      form.show();
      dialogs.fileAnswers.push_back(ExamplePath("sample.NET"));
      form.mnOpen->trigger();
      form.mnLarge->setChecked(true);
      ASSERT_TRUE(form.close());
    }
    QStringList files;
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    EXPECT_EQ(files, QStringList{expected});

    ScriptedDialogs dialogs;
    MainForm next(dialogs);
    next.useMemory(std::make_unique<WindowMemory>(UserSettingsStore()));
    EXPECT_TRUE(next.mnLarge->isChecked());
    EXPECT_EQ(next.memory().recentFiles(), QStringList{ExamplePath("sample.NET")});
  }
  qputenv("HOME", home);
  if (xdg.isEmpty()) {
    qunsetenv("XDG_CONFIG_HOME");
  } else {
    qputenv("XDG_CONFIG_HOME", xdg);
  }
}

}  // namespace
}  // namespace pcbprep::testing
