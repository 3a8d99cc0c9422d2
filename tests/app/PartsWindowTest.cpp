#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "app/UiSupport.h"
#include "app/WindowMemory.h"
#include "design/Design.h"

namespace pcbprep::testing {
namespace {

// Six parts whose first pins come in the order U1, C2, R1, C10, CN1, LED1.
constexpr char kSixParts[] =
    "N1[U1-1\r\nC2-1\r\nR1-1]\r\n"
    "N2[C2-2\r\nR1-2\r\nC10-1]\r\n"
    "N3[C10-2\r\nCN1-1\r\nLED1-1]\r\n"
    "N4[LED1-2\r\nU1-2]\r\n";

// The 50-character line of a part with a symbol name, side and class only.
QString PartLine(const char* reference, const char* symbol, const char* side, const char* cls,
                 const char* main = "", const char* level = "") {
  auto field = [](const char* value, int width) {
    return (QString::fromUtf8(value) + QLatin1Char(' ')).leftJustified(width);
  };
  return field(reference, 7) + field(symbol, 13) + field("", 5) + field("", 5) + field(side, 2) +
         QStringLiteral("  ") + field(cls, 2) + field(main, 7) + field(level, 3) +
         QStringLiteral(" ") + field("", 3);
}

struct PartsWindow : MainFormFixture {
  QTemporaryDir dir;

  void load(const QByteArray& netlist) {
    static int files = 0;
    const QString path = dir.filePath(QStringLiteral("parts%1.NET").arg(++files));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(netlist);
    file.close();
    loaded = QFileInfo(path).fileName();
    openNetlist(path);
  }
  QString loaded;  // file name of the netlist opened last
  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  QString text(const char* name) { return find<QLineEdit>(name)->text(); }
  QStringList items(const char* name) {
    QStringList out;
    if (auto* list = form->findChild<QListWidget*>(QString::fromLatin1(name))) {
      for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    } else if (auto* combo = find<QComboBox>(name)) {
      for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    }
    return out;
  }
};

TEST_F(PartsWindow, AssignmentFillsTheListAndAsksBeforeReplacingIt) {
  load(kSixParts);
  find<QComboBox>("Combo6")->setEditText(QStringLiteral("LED3216"));

  click("Command1");

  EXPECT_EQ(dialogs.count(QStringLiteral("confirm")), 0);  // nothing to lose yet
  EXPECT_EQ(items("List1"),
            (QStringList{PartLine("C2", "C1608", "0", "0"), PartLine("C10", "C1608", "0", "0"),
                         PartLine("CN1", "", "0", "1"), PartLine("LED1", "LED3216", "0", "0"),
                         PartLine("R1", "R1608", "0", "0"), PartLine("U1", "", "0", "2")}));
  EXPECT_EQ(text("Text9"), QStringLiteral("2"));
  EXPECT_EQ(text("Text10"), QStringLiteral("6"));
  EXPECT_EQ(items("Combo11"), (QStringList{QStringLiteral("CN1"), QStringLiteral("U1")}));

  // Cancel, the default answer, keeps everything.
  find<QComboBox>("Combo1")->setCurrentIndex(2);  // C2012
  const QStringList before = items("List1");
  click("Command1");
  ASSERT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(dialogs.calls.back().title, QStringLiteral("編集中のデータがあります。"));
  EXPECT_EQ(dialogs.calls.back().text,
            QStringLiteral("実行するとデータが失われますがよろしいですか？"));
  EXPECT_EQ(items("List1"), before);
  EXPECT_EQ(form->design().PartTable.at(1, kPartSymbol), u"C1608");

  dialogs.confirmAnswers.push_back(true);
  click("Command1");
  EXPECT_EQ(items("List1").front(), PartLine("C2", "C2012", "0", "0"));
  // The chooser is never cleared: the anchors are offered again.
  EXPECT_EQ(items("Combo11").size(), 4);
}

TEST_F(PartsWindow, CodedBoxesTakeSpaceAndArrowsAsAClickAndEnterGoesToTheSymbol) {
  load(kSixParts);
  click("Command1");
  auto* list1 = find<QListWidget>("List1");
  clickItem(list1, 5);
  for (const char* name : {"Text17", "Text23"}) {
    auto* box = find<QLineEdit>(name);
    const CodeTable codes =
        QByteArray(name) == "Text17" ? CodeTable(kSideCodes) : CodeTable(kClassCodes);
    for (const Qt::Key key :
         {Qt::Key_Space, Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Left}) {
      const QString next = Q(NextShown(codes, T(box->text())));
      QTest::keyClick(box, key);
      EXPECT_EQ(box->text(), next) << name << " key " << key;
    }
  }

  // Enter on a part, in the list and in the table, fills the panel and goes on to the
  // symbol name.
  list1->setFocus();
  list1->setCurrentRow(2);
  QTest::keyClick(list1, Qt::Key_Return);
  EXPECT_EQ(text("Text11"), list1->item(2)->text().section(u' ', 0, 0));
  EXPECT_EQ(form->focusWidget(), find<QLineEdit>("SYNNAME"));
  QTest::mouseClick(find<QRadioButton>("Option4"), Qt::LeftButton);
  auto* table = find<QTableView>("List1Table");
  table->setFocus();
  table->setCurrentIndex(table->model()->index(4, 1));
  QTest::keyClick(table, Qt::Key_Enter);
  EXPECT_EQ(text("Text11"), table->model()->index(4, 0).data().toString());
  EXPECT_EQ(form->focusWidget(), find<QLineEdit>("SYNNAME"));
}

TEST_F(PartsWindow, EditedPartReplacesItsLineAndUnknownReferenceIsAppended) {
  load(kSixParts);
  click("Command1");
  auto* list1 = find<QListWidget>("List1");
  clickItem(list1, 5);
  ASSERT_EQ(text("Text11"), QStringLiteral("U1"));
  ASSERT_EQ(text("Text23"), QStringLiteral("主(2)"));

  QTest::mouseClick(find<QLineEdit>("Text17"), Qt::LeftButton);
  QTest::mouseClick(find<QLineEdit>("Text23"), Qt::LeftButton);
  EXPECT_EQ(text("Text17"), QStringLiteral("裏(1)"));
  EXPECT_EQ(text("Text23"), QStringLiteral("準(1)"));
  find<QLineEdit>("SYNNAME")->setText(QStringLiteral("QFP44"));
  find<QLineEdit>("Text12")->setText(QStringLiteral("A"));
  click("Command2");

  ASSERT_EQ(list1->count(), 6);
  EXPECT_EQ(
      list1->item(5)->text(),
      QString(PartLine("U1", "QFP44", "1", "1", "*U1", "0")).replace(47, 3, QStringLiteral("A  ")));
  EXPECT_EQ(list1->currentRow(), 5);
  EXPECT_EQ(text("Text9"), QStringLiteral("2"));  // CN1 and LED1
  EXPECT_EQ(find<QPushButton>("cmdPast")->text(), QStringLiteral("QFP44"));
  EXPECT_EQ(find<QPushButton>("Command10")->text(), QStringLiteral("*U1"));
  EXPECT_EQ(find<QPushButton>("Command11")->text(), QStringLiteral("A"));
  EXPECT_EQ(find<QComboBox>("cmbRireki")->currentText(), QStringLiteral("QFP44"));
  EXPECT_EQ(items("Combo11"), (QStringList{QStringLiteral("CN1"), QStringLiteral("U1")}));

  // The helpers copy back what was applied.
  find<QLineEdit>("SYNNAME")->clear();
  click("cmdPast");
  EXPECT_EQ(text("SYNNAME"), QStringLiteral("QFP44"));

  find<QLineEdit>("Text11")->setText(QStringLiteral("R99"));
  find<QLineEdit>("Text17")->setText(QStringLiteral("1"));  // not a shown side value
  click("Command2");
  EXPECT_EQ(text("Text17"), QString());
  ASSERT_EQ(list1->count(), 7);
  EXPECT_TRUE(list1->item(6)->text().startsWith(QStringLiteral("R99    QFP44")));
  EXPECT_EQ(list1->currentRow(), 6);
  EXPECT_EQ(text("Text10"), QStringLiteral("7"));
  EXPECT_EQ(form->design().PartTable.at(7, kPartMain), u"");  // a new semi part
}

TEST_F(PartsWindow, PartFileNameBecomesTheSymbolName) {
  find<QLineEdit>("SYNNAME")->setText(QStringLiteral("KEEP"));
  click("Command8");  // cancelled
  EXPECT_EQ(text("SYNNAME"), QStringLiteral("KEEP"));
  ASSERT_EQ(dialogs.count(QStringLiteral("open")), 1);
  EXPECT_EQ(dialogs.calls.back().filter, QStringLiteral("部品ファイル(*.CHI)|*.chi"));

  dialogs.fileAnswers.push_back(QStringLiteral("/home/pcb/lib/QFP.44.CHI"));
  click("Command8");
  EXPECT_EQ(text("SYNNAME"), QStringLiteral("QFP"));
}

TEST_F(PartsWindow, PartListNamesTheNetlistItWasBuiltFrom) {
  auto* source = find<QLabel>("lblPartSource");
  load(kSixParts);
  EXPECT_EQ(source->text(), "");
  dialogs.confirmAnswers.assign(4, true);
  click("Command1");
  const QString built = loaded;
  EXPECT_EQ(source->text(), "作成元: " + built);

  // Another netlist keeps the part list, and the window says so.
  load(QByteArray(kSixParts) + "EXTRA[R9-1]\r\n");
  EXPECT_EQ(find<QListWidget>("List1")->count(), 6);
  EXPECT_EQ(source->text(), "作成元: " + built + "　※読み込み中のネットリストとは別です");
  EXPECT_TRUE(form->statusBar()->currentMessage().endsWith("。部品リストは " + built +
                                                           " から作ったままです"))
      << form->statusBar()->currentMessage().toStdString();
  click("Command1");
  EXPECT_EQ(source->text(), "作成元: " + loaded);
  EXPECT_FALSE(form->statusBar()->currentMessage().contains("作ったまま"));
}

TEST_F(PartsWindow, NetlistWithoutPartsIsRefusedAndKeepsTheList) {
  load(kSixParts);
  click("Command1");
  load("no nets here\r\n");
  EXPECT_EQ(dialogs.count(QStringLiteral("warn")), 1);
  dialogs.confirmAnswers.push_back(true);
  click("Command1");
  EXPECT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(find<QListWidget>("List1")->count(), 6);
  EXPECT_EQ(text("Text10"), QStringLiteral("6"));
}

TEST_F(PartsWindow, TooManyPartsAreRefusedWithAMessage) {
  QByteArray netlist;
  for (int n = 0; n < 3; ++n) {
    for (int p = 0; p < 334; ++p) {
      const QByteArray token = "R" + QByteArray::number(n * 334 + p + 1) + "-1";
      if (p == 0)
        netlist += "N" + QByteArray::number(n) + "[" + token + "\r\n";
      else if (p == 333)
        netlist += token + "]\r\n";
      else
        netlist += token + "\r\n";
    }
  }
  load(netlist);
  ASSERT_EQ(form->design().NetCount, 3);

  click("Command1");

  // The message offers the large tables; Cancel (the default) changes nothing.
  ASSERT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(dialogs.calls.back().title, QStringLiteral("pcbprep - シンボル名の自動割付"));
  EXPECT_TRUE(dialogs.calls.back().text.contains(QStringLiteral("1002")));
  EXPECT_TRUE(dialogs.calls.back().text.contains(QStringLiteral("1000")));
  EXPECT_EQ(find<QListWidget>("List1")->count(), 0);
  EXPECT_EQ(form->design().PartCount, 0);
  EXPECT_EQ(text("Text9"), QString());

  // OK reads the netlist again in the large tables, which take all the parts.
  dialogs.confirmAnswers.push_back(true);
  click("Command1");
  EXPECT_EQ(form->design().PartCount, 1002);
  EXPECT_EQ(find<QListWidget>("List1")->count(), 1002);
  EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("mnLarge"))->isChecked());
}

TEST_F(PartsWindow, ANetlistPastTheTablesIsOfferedTheLargeOnesWhichAreRemembered) {
  const QTemporaryDir dir;
  const auto store = [&] {
    return std::make_unique<WindowMemory>(std::make_unique<QSettings>(
        dir.filePath(QStringLiteral("pcbprep.conf")), QSettings::IniFormat));
  };
  form->useMemory(store());
  QByteArray netlist = "GND[U0-1\r\n";
  for (int p = 1; p <= 398; ++p) netlist += "C" + QByteArray::number(p) + "-2\r\n";
  netlist += "X1-1]\r\n";
  load(netlist);  // Cancel, the default
  ASSERT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(dialogs.calls.back().title, QStringLiteral("pcbprep - ネットリストを開く"));
  EXPECT_TRUE(dialogs.calls.back().text.contains(QStringLiteral("ネット GND のピン数 400")));
  EXPECT_TRUE(dialogs.calls.back().text.contains(QStringLiteral("大規模ネットリスト")));
  EXPECT_EQ(form->design().NetCount, 0);

  dialogs.confirmAnswers.push_back(true);
  load(netlist);
  EXPECT_EQ(form->design().NetCount, 1);
  EXPECT_EQ(text("Text4"), QStringLiteral("400"));
  EXPECT_EQ(text("Text6"), QStringLiteral("OK"));
  EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("mnLarge"))->isChecked());

  // The next start has the entry checked and loads the file without asking.
  form = std::make_unique<MainForm>(dialogs);
  form->useMemory(store());
  EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("mnLarge"))->isChecked());
  load(netlist);
  EXPECT_EQ(form->design().NetCount, 1);
  EXPECT_EQ(dialogs.count(QStringLiteral("confirm")), 2);
}

}  // namespace
}  // namespace pcbprep::testing
