#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QToolTip>
#include <stdexcept>

#include "GuiTestSupport.h"
#include "app/FrmAbout.h"
#include "app/UiSupport.h"
#include "design/Text.h"

namespace pcbprep::testing {
namespace {

using MainWindow = MainFormFixture;

QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

// The icon comes from the SVG bundled in the window library's resources.
TEST(AppIcon, IsDrawnFromTheBundledPicture) {
  const QIcon icon = AppIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
  EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
}

TEST_F(MainWindow, StartsWithTheGivenCaptionsAndValues) {
  for (int i = 0; i < 10; ++i) {
    const QString expected = i == 4 ? "VCC" : i == 9 ? "GND" : "";
    EXPECT_EQ(find<QLineEdit>(qPrintable(QString("txtSkipNet_%1").arg(i)))->text(), expected);
  }
  EXPECT_EQ(find<QLineEdit>("Text14")->text(), "100");
  EXPECT_EQ(find<QLineEdit>("Text15")->text(), "100");

  auto* combo10 = find<QComboBox>("Combo10");
  EXPECT_EQ(Items(combo10),
            QStringList({"なし", "自動", "主部品 ABC指定", "100   番代 分離", "", "グループ解除"}));
  EXPECT_EQ(combo10->currentText(), "なし");
  EXPECT_EQ(Items(find<QComboBox>("Combo1")), QStringList({"C1005", "C1608", "C2012", "C3216"}));
  EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), "C1608");
  EXPECT_EQ(find<QComboBox>("Combo2")->currentText(), "R1608");
  EXPECT_EQ(find<QComboBox>("Combo3")->currentText(), "RA4-M");
  EXPECT_EQ(Items(find<QComboBox>("Combo4")),
            QStringList({"L1005", "L1608", "L2012", "L3216", "L3220", "L3225"}));
  EXPECT_EQ(find<QComboBox>("Combo4")->currentText(), "L1608");
  EXPECT_EQ(find<QComboBox>("Combo7")->currentText(), "TP06");
  EXPECT_EQ(Items(find<QComboBox>("Combo7")).size(), 5);
  for (const char* empty : {"Combo5", "Combo6", "Combo8"}) {
    EXPECT_EQ(find<QComboBox>(empty)->count(), 0);
    EXPECT_EQ(find<QComboBox>(empty)->currentText(), "");
  }

  const std::pair<const char*, const char*> captions[] = {{"Command13", "トップ"},
                                                          {"Command4", "検  索"},
                                                          {"Command7", "拡張ネットチェック"},
                                                          {"Command1", "シンボル名　　自動割付"},
                                                          {"cmdPast", "前の入力"},
                                                          {"Command10", "前入力"},
                                                          {"Command11", "前"},
                                                          {"Command2", "修正　実行"},
                                                          {"Command8", ".ＣＨＩ　検索"},
                                                          {"Command6", "主部品名処理"},
                                                          {"Command15", "解除"},
                                                          {"Command12", "グループ処理"},
                                                          {"Command5_0", "実行"},
                                                          {"Command5_1", "部品座標確定"},
                                                          {"Command9", "配置イメージ"},
                                                          {"Command14", "外形作成"},
                                                          {"Command3", "部品追加"},
                                                          {"Command16", "解除"},
                                                          {"Command17", "プレ配置設計"},
                                                          {"Command18", "接続解析"}};
  for (const auto& [name, caption] : captions) {
    EXPECT_EQ(find<QPushButton>(name)->text(), QString::fromUtf8(caption)) << name;
    // The pre-placement design and connection analysis buttons are shown as unavailable;
    // 解除 beside 部品追加 keeps its look, as it always had.
    const bool unavailable = QStringList({"Command17", "Command18"}).contains(name);
    EXPECT_EQ(find<QPushButton>(name)->isEnabled(), !unavailable) << name;
  }
  EXPECT_EQ(find<QRadioButton>("Option1")->text(), "主部品別");
  EXPECT_EQ(find<QRadioButton>("Option2")->text(), "グループ別");
  EXPECT_EQ(find<QRadioButton>("Option3")->text(), "標準");
  EXPECT_EQ(find<QRadioButton>("Option4")->text(), "ﾃﾞｰﾀﾍﾞｰｽ");
  EXPECT_EQ(find<QPushButton>("Command6")->toolTip(),
            "主部品名が未設定の部品に主部品名を設定します");

  const std::pair<const char*, const char*> menus[] = {{"mnFile", "ネットファイル(&F)　　"},
                                                       {"mnEdit", "ネット編集(&E)　　"},
                                                       {"mnBuhin", "部品リスト(&B)　　"},
                                                       {"mnHelp", "ヘルプ(&H)"}};
  for (const auto& [name, caption] : menus) {
    EXPECT_EQ(find<QMenu>(name)->title(), QString::fromUtf8(caption)) << name;
  }
  const std::pair<const char*, const char*> actions[] = {
      {"mnOpen", "開く(&O)"},    {"mnsave", "保存(&S)"},       {"mnExit", "終了(&X)"},
      {"mnHozon", "保存（&H）"}, {"mnYobikomi", "呼込（&Y）"}, {"mnHelpVersion", "ﾊﾞｰｼﾞｮﾝ情報"}};
  for (const auto& [name, caption] : actions) {
    EXPECT_EQ(find<QAction>(name)->text(), QString::fromUtf8(caption)) << name;
  }
  // Labels of the lists and the panel are shown as given.
  QStringList labels;
  for (auto* label : form->findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"ネット名　　　　ピン数", "　　　　接続ピン名",
                           "部品リスト作成   　　　　　               部品数",
                           "（ 入力修正箇所をクリック ）", "ｼﾝﾎﾞﾙ名未定義数", "主/準/従",
                           "主部品決定時無視するNET名 (電源 GND)", "ネット理論エラーリスト"}) {
    EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
  }
}

TEST_F(MainWindow, OpensTheSampleAndFillsListsAndCounters) {
  openNetlist(ExamplePath("sample.NET"));
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, "open");
  // The formats are read from the content; the dialog lists them and any file.
  EXPECT_TRUE(dialogs.calls[0].filter.startsWith("ネットリスト (*.NET *.net"));
  EXPECT_TRUE(dialogs.calls[0].filter.endsWith("すべてのファイル (*)|*"));
  EXPECT_EQ(dialogs.count("warn"), 0);

  EXPECT_EQ(find<QLineEdit>("Text1")->text(), ExamplePath("sample.NET"));
  EXPECT_EQ(find<QLineEdit>("Text5")->text(), "20");
  EXPECT_EQ(find<QLineEdit>("Text4")->text(), "80");
  EXPECT_EQ(find<QLineEdit>("Text6")->text(), "OK");
  EXPECT_EQ(find<QLineEdit>("txtSkipNet_0")->text(), "GND");

  auto* list3 = find<QListWidget>("List3");
  ASSERT_EQ(list3->count(), 20);
  EXPECT_EQ(list3->item(0)->text(), "VCC          13");
  EXPECT_EQ(list3->item(2)->text(), "入力電源          2");
  auto* list2 = find<QListWidget>("List2");
  EXPECT_EQ(list2->item(0)->text(), "VCC");
  EXPECT_EQ(list2->item(1)->text(), "        U1-1");
  EXPECT_EQ(list2->item(14)->text(), "        ");
  EXPECT_EQ(list2->item(15)->text(), "GND");
  EXPECT_EQ(list2->count(), 20 * 2 + 80);
  EXPECT_TRUE(find<QPlainTextEdit>("RichTextBox1")->toPlainText().contains("入力電源[CN1-1"));
}

TEST_F(MainWindow, ListsUseTheJapaneseMonospaceFont) {
  for (const char* name : {"List1", "List2", "List3"}) {
    const QFont font = find<QListWidget>(name)->font();
    EXPECT_EQ(font.family(), "ＭＳ ゴシック");
    if (QFontDatabase::families().contains("IPAGothic")) {
      EXPECT_EQ(QFontInfo(font).family(), "IPAGothic") << name;
    }
    // Full-width characters take two cells, whatever the language the program runs in,
    // so the columns of the lines stay in line.
    const QFontMetrics cells(font);
    const int twenty = cells.horizontalAdvance(QString(20, QLatin1Char('0')));
    EXPECT_EQ(cells.horizontalAdvance(QStringLiteral("ネット名／ピン数　電")), twenty) << name;
    EXPECT_EQ(cells.horizontalAdvance(QStringLiteral("/front/MIX-1 ｶﾅ (12)")), twenty) << name;
  }
}

// A long net name: the net lists scroll sideways to the end of every line and show the
// whole line in a tip; short and long lists alike (a long one sizes its lines at once).
TEST_F(MainWindow, NetListsScrollSidewaysAndShowTheWholeLineInATip) {
  QTemporaryDir dir;
  form->mnLarge->setChecked(true);
  for (const int nets : {3, 2500}) {
    SCOPED_TRACE(nets);
    QByteArray text;
    for (int n = 1; n <= nets; ++n) text += "N" + QByteArray::number(n) + "[R1-1\r\nR2-1]\r\n";
    text += "/frontend/MIX_BYPASS_CAPACITOR_NETWORK_OF_THE_SECOND_STAGE[U1-1\r\nU2-1]\r\n";
    const QString path = dir.filePath(QStringLiteral("long%1.NET").arg(nets));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    openNetlist(path);
    ASSERT_EQ(find<QListWidget>("List3")->count(), nets + 1);
    for (const char* name : {"List3", "List2"}) {
      auto* list = find<QListWidget>(name);
      QListWidgetItem* last = list->item(list->count() - 1);
      list->scrollToItem(last);
      list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
      QApplication::processEvents();
      const QRect line = list->visualItemRect(last);
      EXPECT_GE(line.width(), list->fontMetrics().horizontalAdvance(last->text())) << name;
      EXPECT_LE(line.right(), list->viewport()->width() + 1) << name << " the end in view";

      const QPoint at(4, line.center().y());
      QHelpEvent tip(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
      QApplication::sendEvent(list->viewport(), &tip);
      EXPECT_EQ(QToolTip::text(), last->text()) << name;
    }
  }
}

TEST_F(MainWindow, CancelledOpenChangesNothing) {
  openNetlist(ExamplePath("sample.NET"));
  dialogs.fileAnswers.push_back(std::nullopt);
  form->findChild<QAction*>("mnOpen")->trigger();
  EXPECT_EQ(form->design().NetCount, 20);
  EXPECT_EQ(form->design().NetTable.at(1, 0), u"VCC");
  EXPECT_EQ(find<QListWidget>("List3")->count(), 20);
}

// Everything the window shows of a loaded netlist and its results.
QStringList WindowState(MainFormFixture& f) {
  QStringList state;
  for (const char* list : {"List1", "List2", "List3"}) {
    auto* widget = f.find<QListWidget>(list);
    state << QString::number(widget->count());
    for (int i = 0; i < widget->count(); ++i) state << widget->item(i)->text();
  }
  for (const char* edit :
       {"Text1", "Text4", "Text5", "Text6", "Text24", "Text25", "Text26", "Text27"}) {
    state << f.find<QLineEdit>(edit)->text();
  }
  for (int i = 0; i < 10; ++i) {
    state << f.find<QLineEdit>(qPrintable(QString("txtSkipNet_%1").arg(i)))->text();
  }
  state << f.find<QPlainTextEdit>("Text7")->toPlainText()
        << f.find<QPlainTextEdit>("RichTextBox1")->toPlainText();
  state << QString::number(f.form->design().NetCount) << Q(f.form->design().NetTable.at(20, 0));
  return state;
}

TEST_F(MainWindow, FailedLoadSaysWhereAndWhyAndChangesNothing) {
  openNetlist(ExamplePath("sample.NET"));
  QTest::mouseClick(find<QPushButton>("Command7"), Qt::LeftButton);  // report and counts
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);  // part list
  clickItem(find<QListWidget>("List3"), 3);                          // a skip net
  const QStringList before = WindowState(*this);
  ASSERT_GT(find<QListWidget>("List1")->count(), 0);
  ASSERT_FALSE(find<QPlainTextEdit>("Text7")->toPlainText().isEmpty());

  QTemporaryDir dir;
  auto put = [&dir](const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  };
  const struct {
    QString path;
    QString says;
  } cases[] = {
      {put("bad.NET", "A[U1-1]\r\nB[U2-1\r\nbroken]\r\n"), "行: 3"},
      {put("utf16.NET", QByteArray("\xFF\xFE"
                                   "A\0[\0",
                                   6)),
       "UTF-16"},
      {dir.filePath("missing.NET"), "見つかりません"},
      {dir.path(), "ディレクトリ"},
      // Files that give no net or are not text at all replace nothing either.
      {put("empty.NET", ""), "ネットが１つもありません"},
      {put("notes.txt", "部品の手配メモ\nR1 は 10k\n"), "ネットが１つもありません"},
      {put("board.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
       "テキストのネットリストではありません"},
      {put("noise.bin", QByteArray(512, '\xFF')), "テキストのネットリストではありません"},
  };
  for (const auto& c : cases) {
    const int warnings = dialogs.count("warn");
    openNetlist(c.path);
    ASSERT_EQ(dialogs.count("warn"), warnings + 1) << c.path.toStdString();
    const QString message = dialogs.calls.back().text;
    EXPECT_TRUE(message.contains(c.path)) << message.toStdString();
    EXPECT_TRUE(message.contains(c.says)) << message.toStdString();
    EXPECT_EQ(WindowState(*this), before) << c.path.toStdString();
  }
}

TEST_F(MainWindow, AFileWithoutNetsIsRefusedWithTheReason) {
  QTemporaryDir dir;
  const QString path = dir.filePath("notes.NET");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("just some text\r\n");
  file.close();
  openNetlist(path);
  ASSERT_EQ(dialogs.count("warn"), 1);
  EXPECT_TRUE(dialogs.calls.back().text.contains("ネットが１つもありません"));
  EXPECT_EQ(find<QLineEdit>("Text1")->text(), "");
  EXPECT_EQ(find<QLineEdit>("Text5")->text(), "");
  EXPECT_TRUE(form->statusBar()->currentMessage().contains("読み込めませんでした"));
}

TEST_F(MainWindow, NetClickProposesASkipNetOnce) {
  openNetlist(ExamplePath("sample.NET"));
  auto* list3 = find<QListWidget>("List3");
  clickItem(list3, 3);  // VIN
  EXPECT_EQ(find<QLineEdit>("txtSkipNet_1")->text(), "VIN");
  clickItem(list3, 3);
  EXPECT_EQ(find<QLineEdit>("txtSkipNet_2")->text(), "");
  clickItem(list3, 0);  // VCC is already in box 4
  EXPECT_EQ(find<QLineEdit>("txtSkipNet_2")->text(), "");
}

TEST_F(MainWindow, PartClickFillsTheEditPanel) {
  Design& d = form->design();
  d.PartTable.set(1, kPartRef, u"U1");
  d.PartTable.set(2, kPartRef, u"R1");
  d.PartTable.set(2, kPartSymbol, u"R1608");
  d.PartTable.set(2, kPartSide, u"1");
  d.PartTable.set(2, kPartClass, u"7");
  d.PartTable.set(2, kPartMain, u"U1");
  d.PartCount = 2;
  form->refreshPartList(-1);
  auto* list1 = find<QListWidget>("List1");
  ASSERT_EQ(list1->count(), 2);
  EXPECT_EQ(find<QLineEdit>("Text10")->text(), "2");
  clickItem(list1, 1);
  EXPECT_EQ(find<QLineEdit>("Text11")->text(), "R1");
  EXPECT_EQ(find<QLineEdit>("SYNNAME")->text(), "R1608");
  EXPECT_EQ(find<QLineEdit>("Text17")->text(), "裏(1)");
  EXPECT_EQ(find<QLineEdit>("Text23")->text(), "");
  EXPECT_EQ(find<QLineEdit>("Text2")->text(), "U1");
  EXPECT_EQ(d.PartTable.at(2, kPartClass), u"");
}

TEST_F(MainWindow, KeysMoveThroughListsAsClicksWouldWithoutAddingSkipNets) {
  openNetlist(ExamplePath("sample.NET"));
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);  // part list
  auto* list1 = find<QListWidget>("List1");
  ASSERT_GT(list1->count(), 2);
  clickItem(list1, 0);
  const QString first = find<QLineEdit>("Text11")->text();
  QTest::keyClick(list1, Qt::Key_Down);
  ASSERT_EQ(list1->currentRow(), 1);
  const QString second = find<QLineEdit>("Text11")->text();
  EXPECT_NE(second, first);
  EXPECT_TRUE(list1->item(1)->text().contains(second)) << second.toStdString();
  QTest::keyClick(list1, Qt::Key_Up);
  EXPECT_EQ(find<QLineEdit>("Text11")->text(), first);

  auto* list3 = find<QListWidget>("List3");
  clickItem(list3, 3);  // VIN into box 1
  QTest::keyClick(list3, Qt::Key_Down);
  QTest::keyClick(list3, Qt::Key_Down);
  EXPECT_EQ(find<QLineEdit>("txtSkipNet_2")->text(), "");
  QTest::keyClick(list3, Qt::Key_Return);
  EXPECT_EQ(find<QLineEdit>("txtSkipNet_2")->text(),
            Q(form->design().NetTable.at(list3->currentRow() + 1, 0)));
  EXPECT_NE(find<QLineEdit>("txtSkipNet_2")->text(), "");
}

TEST_F(MainWindow, AThrowingHandlerShowsAnInternalErrorAndTheWindowGoesOn) {
  RunGuarded(dialogs, form.get(), [] { throw std::out_of_range("row 1001"); });
  ASSERT_EQ(dialogs.count("warn"), 1);
  EXPECT_EQ(dialogs.calls.back().text, "内部エラー: row 1001");
  openNetlist(ExamplePath("sample.NET"));
  EXPECT_EQ(find<QListWidget>("List3")->count(), 20);
}

TEST_F(MainWindow, SearchStepsThroughMatchesAndWraps) {
  openNetlist(ExamplePath("sample.NET"));
  auto* view = find<QPlainTextEdit>("RichTextBox1");
  const QString text = view->toPlainText();
  find<QLineEdit>("Text3")->setText("xout");
  auto* search = find<QPushButton>("Command4");
  search->click();
  const int first = text.indexOf("XOUT");
  EXPECT_EQ(view->textCursor().selectionStart(), first);
  EXPECT_EQ(view->textCursor().selectedText(), "XOUT");
  search->click();  // the only match: wraps and finds it again
  EXPECT_EQ(view->textCursor().selectionStart(), first);

  find<QLineEdit>("Text3")->setText("c1-");
  search->click();
  const int c1 = text.indexOf("C1-", first, Qt::CaseInsensitive);
  EXPECT_EQ(view->textCursor().selectionStart(), c1);
  find<QPushButton>("Command13")->click();
  EXPECT_EQ(view->textCursor().position(), 0);
  EXPECT_FALSE(view->textCursor().hasSelection());
}

TEST_F(MainWindow, RawViewTakesALongFileInSlicesWhileTheWindowAnswers) {
  // 6000 nets: the large tables, and a text of several slices.
  QString text;
  for (int k = 1; k <= 6000; ++k) text += QString("N%1[R%1-1\nR%1-2]\n").arg(k);
  QTemporaryDir dir;
  const QString path = dir.filePath("long.NET");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toLatin1());
  file.close();
  form->findChild<QAction*>("mnLarge")->setChecked(true);
  auto* view = find<QPlainTextEdit>("RichTextBox1");

  // A search before the view is whole searches the whole file.
  openNetlist(path);
  EXPECT_TRUE(form->rawTextFilling());
  EXPECT_LT(view->toPlainText().size(), text.size());
  find<QLineEdit>("Text3")->setText("n5999[");
  find<QPushButton>("Command4")->click();
  EXPECT_FALSE(form->rawTextFilling());
  EXPECT_EQ(view->textCursor().selectedText(), "N5999[");
  EXPECT_EQ(view->toPlainText(), text);

  // Left to the event loop, the view fills to the same text, from the top.
  openNetlist(path);
  for (int turn = 0; turn < 100 && form->rawTextFilling(); ++turn) QApplication::processEvents();
  EXPECT_EQ(view->toPlainText(), text);
  EXPECT_EQ(view->textCursor().position(), 0);

  // Another netlist opened meanwhile replaces it; no slice of the first follows.
  openNetlist(path);
  openNetlist(ExamplePath("sample.NET"));
  for (int turn = 0; turn < 10; ++turn) QApplication::processEvents();
  EXPECT_FALSE(form->rawTextFilling());
  EXPECT_TRUE(view->toPlainText().startsWith("* pcbprep sample netlist"));
  EXPECT_FALSE(view->toPlainText().contains("N1["));
}

TEST_F(MainWindow, PreviousInputButtonsCopyTheirCaptions) {
  find<QPushButton>("cmdPast")->click();
  EXPECT_EQ(find<QLineEdit>("SYNNAME")->text(), "前の入力");
  find<QPushButton>("Command10")->click();
  EXPECT_EQ(find<QLineEdit>("Text2")->text(), "前入力");
  find<QPushButton>("Command11")->click();
  EXPECT_EQ(find<QLineEdit>("Text12")->text(), "前");
}

TEST_F(MainWindow, NetlistSaveWritesTheLoadedBytes) {
  form->findChild<QAction*>("mnsave")->trigger();  // nothing loaded: it says so
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls.back().kind, "inform");

  openNetlist(ExamplePath("sample.NET"));
  QTemporaryDir dir;
  dialogs.fileAnswers.push_back(std::nullopt);
  dialogs.fileAnswers.push_back(dir.filePath("out.NET"));
  form->findChild<QAction*>("mnsave")->trigger();
  EXPECT_FALSE(QFile::exists(dir.filePath("out.NET")));  // cancelled
  form->findChild<QAction*>("mnsave")->trigger();
  ASSERT_EQ(dialogs.calls.back().kind, "save");
  EXPECT_EQ(dialogs.calls.back().filter, "*.NET|*.net");
  EXPECT_EQ(dialogs.calls.back().preset, ExamplePath("sample.NET"));
  QFile original(ExamplePath("sample.NET"));
  QFile copy(dir.filePath("out.NET"));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), original.readAll());
  EXPECT_EQ(form->design().NetCount, 20);
}

TEST_F(MainWindow, CarriesTheApplicationIcon) {
  EXPECT_FALSE(form->windowIcon().pixmap(32, 32).isNull());
}

TEST_F(MainWindow, VersionDialogShowsTitleAndVersion) {
  form->findChild<QAction*>("mnHelpVersion")->trigger();
  auto* about = form->findChild<FrmAbout*>("frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_FALSE(about->isModal());
  EXPECT_EQ(about->windowTitle(), "pcbprepのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about->lblVersion->text(), "ﾊﾞｰｼﾞｮﾝ 1.0.0");
  EXPECT_EQ(about->lblTitle->text(), "pcbprep");
  form->findChild<QAction*>("mnHelpVersion")->trigger();
  EXPECT_EQ(form->findChildren<FrmAbout*>().size(), 1);
  about->cmdOK->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form->findChild<FrmAbout*>("frmAbout"), nullptr);
  form->findChild<QAction*>("mnHelpVersion")->trigger();
  ASSERT_NE(form->findChild<FrmAbout*>("frmAbout"), nullptr);
  EXPECT_EQ(form->findChild<FrmAbout*>("frmAbout")->lblVersion->text(), "ﾊﾞｰｼﾞｮﾝ 1.0.0");
}

}  // namespace
}  // namespace pcbprep::testing
