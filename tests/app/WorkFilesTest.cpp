#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <functional>
#include <stdexcept>

#include "GuiTestSupport.h"
#include "app/Form3.h"
#include "app/UiSupport.h"
#include "symbol/PartListFile.h"

namespace pcbprep::testing {
namespace {

// The main window with a netlist loaded and its parts edited: symbol names assigned,
// U1 given a symbol with characters beyond ASCII, main parts set.
struct WorkFiles : MainFormFixture {
  QTemporaryDir dir;

  void SetUp() override {
    MainFormFixture::SetUp();
    edit();
  }

  void edit() {
    openNetlist(ExamplePath("sample.NET"));
    click("Command1");
    dialogs.calls.clear();
    find<QLineEdit>("Text11")->setText(QStringLiteral("U1"));
    find<QLineEdit>("SYNNAME")->setText(QStringLiteral("ＳＯＰ①,\"8\""));
    find<QLineEdit>("Text23")->setText(QStringLiteral("主(2)"));
    QTest::keyClick(find<QLineEdit>("Text12"), Qt::Key_Return);  // Enter applies the edit
    click("Command6");
  }

  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  void trigger(const char* action) { form->findChild<QAction*>(action)->trigger(); }
  QString status() { return form->statusBar()->currentMessage(); }

  int rowOf(TextView reference) {
    for (int r = 1; r <= form->design().PartCount; ++r) {
      if (form->design().PartTable.at(r, kPartRef) == reference) return r;
    }
    return 0;
  }

  QString csv(const char* name) { return dir.filePath(QString::fromLatin1(name)); }

  // Every part cell and what the window shows of the parts.
  std::vector<Text> snapshot() {
    std::vector<Text> cells;
    const Design& d = form->design();
    for (int r = 0; r <= kMaxParts; ++r) {
      for (int c = 0; c < kPartColumns; ++c) cells.push_back(d.PartTable.at(r, c));
    }
    for (const char* box : {"Text9", "Text10"}) cells.push_back(T(find<QLineEdit>(box)->text()));
    for (const Text& line : form->list1State().items) cells.push_back(line);
    auto* combo11 = find<QComboBox>("Combo11");
    for (int i = 0; i < combo11->count(); ++i) cells.push_back(T(combo11->itemText(i)));
    return cells;
  }
};

TEST_F(WorkFiles, PartListSavedAndLoadedGivesTheSameParts) {
  const int u1 = rowOf(u"U1");
  EXPECT_EQ(form->design().PartTable.at(u1, kPartMain), u"*U1");
  const std::vector<Text> edited = snapshot();

  dialogs.fileAnswers.push_back(csv("board.csv"));
  trigger("mnHozon");
  ASSERT_EQ(dialogs.calls.back().kind, "save");
  EXPECT_EQ(dialogs.calls.back().filter, "部品リスト (*.csv)|*.csv");
  EXPECT_EQ(dialogs.calls.back().preset, ExamplePath("sample.csv"));
  EXPECT_EQ(status(), "部品リストを保存しました: " + csv("board.csv") + "（部品 31 個）");
  QFile file(csv("board.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), PartListBytes(form->design()).bytes);

  // Cleared, then loaded again after the question on the unsaved change.
  dialogs.confirmAnswers = {true};
  click("Command15");
  ASSERT_NE(snapshot(), edited);
  dialogs.fileAnswers.push_back(csv("board.csv"));
  dialogs.saveAnswers = {SaveAnswer::kDiscard};
  trigger("mnYobikomi");
  EXPECT_EQ(dialogs.calls.back().kind, "askSave");
  EXPECT_EQ(snapshot(), edited);
  EXPECT_TRUE(status().startsWith("部品リストを読み込みました: ")) << status().toStdString();

  // The panel's lists work on the loaded parts.
  clickItem(form->List1, u1 - 1);
  EXPECT_EQ(find<QLineEdit>("SYNNAME")->text(), "ＳＯＰ①,\"8\"");
}

TEST_F(WorkFiles, EditPanelShowsThePartAsStoredAndEmptiesForANewList) {
  // U1 was applied as 主(2) with an empty main-part box: the panel shows its own *U1.
  const QStringList panel = {"Text11", "SYNNAME", "Text20", "Text21",
                             "Text17", "Text23",  "Text2",  "Text12"};
  EXPECT_EQ(find<QLineEdit>("Text11")->text(), "U1");
  EXPECT_EQ(find<QLineEdit>("Text2")->text(), "*U1");
  EXPECT_EQ(find<QLineEdit>("Text23")->text(), "主(2)");

  // A part list loaded or built anew leaves nothing of the old one for Enter to apply.
  dialogs.fileAnswers.push_back(csv("board.csv"));
  trigger("mnHozon");
  const auto emptied = [&](const char* after) {
    for (const QString& name : panel) {
      EXPECT_EQ(find<QLineEdit>(qPrintable(name))->text(), "") << after << " " << qPrintable(name);
    }
  };
  for (const char* step : {"mnYobikomi", "Command1"}) {
    clickItem(form->List1, 3);
    ASSERT_FALSE(find<QLineEdit>("Text11")->text().isEmpty());
    dialogs.confirmAnswers = {true};
    if (QByteArray(step).startsWith("mn")) {
      dialogs.fileAnswers.push_back(csv("board.csv"));
      trigger(step);
    } else {
      click(step);
    }
    emptied(step);
  }
}

TEST_F(WorkFiles, BadListChangesNothing) {
  const std::vector<Text> before = snapshot();
  QFile bad(csv("bad.csv"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(QByteArray::fromStdString(PartListBytes(form->design()).bytes) + "R99,a,b\r\n");
  bad.close();

  dialogs.fileAnswers.push_back(csv("bad.csv"));
  trigger("mnYobikomi");
  ASSERT_EQ(dialogs.calls.back().kind, "warn");
  EXPECT_TRUE(dialogs.calls.back().text.contains("33 行目: 欄の数が 3 個です"))
      << dialogs.calls.back().text.toStdString();
  EXPECT_EQ(dialogs.count("confirm"), 0);
  EXPECT_EQ(snapshot(), before);
}

// The scripted dialogs, except that the question before closing throws.
class ThrowingQuestion final : public Dialogs {
 public:
  explicit ThrowingQuestion(ScriptedDialogs& inner) : inner_(inner) {}
  std::optional<QString> chooseOpenFile(QWidget* p, const QString& f, const QString& d) override {
    return inner_.chooseOpenFile(p, f, d);
  }
  std::optional<QString> chooseSaveFile(QWidget* p, const QString& f, const QString& n) override {
    return inner_.chooseSaveFile(p, f, n);
  }
  std::optional<QString> openFolder(QWidget* p) override { return inner_.openFolder(p); }
  bool confirm(QWidget* p, const QString& t, const QString& q) override {
    return inner_.confirm(p, t, q);
  }
  SaveAnswer askSave(QWidget*, const QString&, const QString&) override {
    throw std::runtime_error("question");
  }
  void inform(QWidget* p, const QString& t, const QString& x) override { inner_.inform(p, t, x); }
  void warn(QWidget* p, const QString& t, const QString& x) override { inner_.warn(p, t, x); }

 private:
  ScriptedDialogs& inner_;
};

TEST_F(WorkFiles, AFailureWhileClosingKeepsTheWindowAndItsWork) {
  ThrowingQuestion throwing(dialogs);
  form = std::make_unique<MainForm>(throwing);
  form->show();
  edit();
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(dialogs.count("warn"), 1);
  EXPECT_EQ(dialogs.calls.back().text, "内部エラー: question");
  form.reset();  // before the dialogs it holds
}

TEST_F(WorkFiles, ClosingAsksBeforeUnsavedPartsAreLost) {
  const struct {
    const char* what;
    SaveAnswer answer;
    bool saveDialogAnswered;
    bool closes;
  } cases[] = {
      {"cancel", SaveAnswer::kCancel, false, false},
      {"discard", SaveAnswer::kDiscard, false, true},
      {"save", SaveAnswer::kSave, true, true},
      {"save, dialog cancelled", SaveAnswer::kSave, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form = std::make_unique<MainForm>(dialogs);
    form->show();
    edit();
    click("Command14");  // the outline window goes with the main window
    const QString saved = csv("closing.csv");
    QFile::remove(saved);
    dialogs.saveAnswers = {c.answer};
    dialogs.fileAnswers = {c.saveDialogAnswered ? std::optional(saved) : std::nullopt};

    trigger("mnExit");

    ASSERT_EQ(dialogs.count("askSave"), 1);
    EXPECT_EQ(dialogs.calls.front().text, "部品リストが保存されていません。保存しますか？");
    EXPECT_EQ(form->isVisible(), !c.closes);
    EXPECT_EQ(form->findChild<Form3*>()->isVisible(), !c.closes);
    EXPECT_EQ(QFile::exists(saved), c.saveDialogAnswered);
    dialogs.calls.clear();
  }

  // Saved work, and an edit that changes nothing after it, close without a question.
  dialogs.fileAnswers = {csv("closing.csv")};
  trigger("mnHozon");
  click("Command2");
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.count("askSave"), 0);
}

TEST_F(WorkFiles, AddPartStartsFromAnEmptyPanel) {
  clickItem(form->List1, 0);
  click("Command3");
  for (const char* box :
       {"Text11", "SYNNAME", "Text20", "Text21", "Text17", "Text23", "Text2", "Text12"}) {
    EXPECT_EQ(find<QLineEdit>(box)->text(), "") << box;
  }
  find<QLineEdit>("Text11")->setText(QStringLiteral("R99"));
  QTest::keyClick(find<QLineEdit>("Text11"), Qt::Key_Return);
  EXPECT_EQ(form->design().PartCount, 32);
  EXPECT_EQ(status(), "部品 R99 を追加しました");
}

// Our own commands ask only when the part list holds unsaved work; the original
// design's commands keep their question.
TEST_F(WorkFiles, LoadingAPartListAsksOnlyOnUnsavedWork) {
  dialogs.fileAnswers = {csv("board.csv"), csv("board.csv")};
  trigger("mnHozon");
  find<QLineEdit>("Text11")->setText(QStringLiteral("R99"));
  click("Command2");
  trigger("mnYobikomi");  // unsaved edits: asked, and Cancel keeps them
  EXPECT_EQ(dialogs.count("askSave"), 1);
  EXPECT_TRUE(form->isWindowModified());

  dialogs.fileAnswers = {csv("board.csv"), csv("board.csv")};
  trigger("mnHozon");
  trigger("mnYobikomi");  // right after the save: nothing to lose, no question
  EXPECT_EQ(dialogs.count("askSave"), 1);
  EXPECT_EQ(dialogs.count("confirm"), 0);
  EXPECT_TRUE(status().startsWith("部品リストを読み込みました: ")) << status().toStdString();

  click("Command1");  // the original command asks as it always did
  ASSERT_EQ(dialogs.count("confirm"), 1);
  EXPECT_EQ(dialogs.calls.back().text, "実行するとデータが失われますがよろしいですか？");
}

// Opening another netlist marks the part list alike, whether it was built from a
// netlist or loaded from its file.
TEST_F(WorkFiles, AnotherNetlistIsMarkedWhereverThePartListCameFrom) {
  const QString other = csv("other.NET");
  {
    QFile sample(ExamplePath("sample.NET"));
    QFile file(other);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly));
    file.write(sample.readAll() + "EXTRA[R1-1\r\nR2-1]\r\n");
  }
  dialogs.fileAnswers = {csv("board.csv")};
  trigger("mnHozon");
  const QString mark = QStringLiteral("※読み込み中のネットリストとは別です");
  auto* source = find<QLabel>("lblPartSource");
  const std::pair<const char*, std::function<void()>> sources[] = {
      {"built from the netlist",
       [&] {
         dialogs.confirmAnswers = {true};
         click("Command1");
       }},
      {"loaded from its file",
       [&] {
         dialogs.fileAnswers = {csv("board.csv")};
         dialogs.saveAnswers = {SaveAnswer::kDiscard};
         trigger("mnYobikomi");
       }},
  };
  for (const auto& [how, make] : sources) {
    SCOPED_TRACE(how);
    openNetlist(ExamplePath("sample.NET"));
    make();
    EXPECT_FALSE(source->text().contains(mark)) << source->text().toStdString();
    openNetlist(other);
    EXPECT_TRUE(source->text().contains(mark)) << source->text().toStdString();
    EXPECT_TRUE(status().contains(QStringLiteral("部品リストは"))) << status().toStdString();
    openNetlist(ExamplePath("sample.NET"));
    EXPECT_FALSE(source->text().contains(mark)) << source->text().toStdString();
  }
}

}  // namespace
}  // namespace pcbprep::testing
