// The part list as a table (表示モード ﾃﾞｰﾀﾍﾞｰｽ): the same parts as List1, sortable by
// heading, and a row fills the edit panel as the part's List1 line does.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <map>

#include "GuiTestSupport.h"

namespace pcbprep::testing {
namespace {

struct PartTableWindow : MainFormFixture {
  QTemporaryDir dir;
  // A netlist file of the given bytes in a folder of the test's own.
  QString netlistFile(const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QStringList panel() {
    QStringList texts;
    for (const char* name :
         {"Text11", "SYNNAME", "Text20", "Text21", "Text17", "Text23", "Text2", "Text12"}) {
      texts << find<QLineEdit>(name)->text();
    }
    return texts;
  }
  static void clickRow(QTableView* table, int row) {
    const QModelIndex cell = table->model()->index(row, 0);
    table->scrollTo(cell);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
  }
  static QString cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
  }
  static QStringList lines(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
};

TEST_F(PartTableWindow, RowsFillTheEditPanelAsTheirList1LinesDoInBothSortOrders) {
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command1")->click();
  auto* list1 = find<QListWidget>("List1");
  auto* table = find<QTableView>("List1Table");
  EXPECT_TRUE(find<QRadioButton>("Option3")->isChecked());  // the mode in use
  EXPECT_FALSE(find<QRadioButton>("Option4")->isChecked());
  EXPECT_TRUE(list1->isVisible());
  EXPECT_FALSE(table->isVisible());

  // One part on the back side, so both coded columns have shown texts.
  clickItem(list1, 2);
  find<QLineEdit>("Text17")->setText(QStringLiteral("裏(1)"));
  find<QPushButton>("Command2")->click();

  const int parts = list1->count();
  ASSERT_GT(parts, 10);
  std::map<QString, QStringList> byReference;
  for (int k = 0; k < parts; ++k) {
    clickItem(list1, k);
    byReference[find<QLineEdit>("Text11")->text()] = panel();
  }
  ASSERT_EQ(static_cast<int>(byReference.size()), parts);
  const QStringList list1Lines = lines(list1);

  auto* splitter = find<QSplitter>("TopSplitter");
  const QList<int> listSizes = splitter->sizes();
  find<QRadioButton>("Option4")->click();
  EXPECT_TRUE(table->isVisible());
  EXPECT_FALSE(list1->isVisible());
  EXPECT_TRUE(find<QRadioButton>("Option4")->isChecked());
  EXPECT_FALSE(find<QRadioButton>("Option3")->isChecked());
  // The other panels keep their room.
  QApplication::processEvents();
  EXPECT_EQ(splitter->sizes(), listSizes);
  ASSERT_EQ(table->model()->rowCount(), parts);
  QStringList headings;
  for (int c = 0; c < table->model()->columnCount(); ++c) {
    headings << table->model()->headerData(c, Qt::Horizontal).toString();
  }
  EXPECT_EQ(headings, QStringList({"部品番号", "シンボル名", "X", "Y", "実装面", "主/準/従",
                                   "主部品名", "グループ", "接続レベル"}));

  for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
    table->sortByColumn(1, order);
    QStringList symbols;
    for (int r = 0; r < parts; ++r) {
      clickRow(table, r);
      const QString reference = cell(table, r, 0);
      EXPECT_EQ(panel(), byReference.at(reference)) << qPrintable(reference);
      // The coded cells read as the panel shows them.
      EXPECT_EQ(cell(table, r, 4), byReference.at(reference)[4]);
      EXPECT_EQ(cell(table, r, 5), byReference.at(reference)[5]);
      symbols << cell(table, r, 1);
    }
    if (order == Qt::DescendingOrder) std::reverse(symbols.begin(), symbols.end());
    EXPECT_TRUE(std::is_sorted(symbols.begin(), symbols.end()));

    // The keyboard chooses a row as well as the mouse.
    clickRow(table, 0);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(panel(), byReference.at(cell(table, 1, 0)));
  }
  EXPECT_EQ(lines(list1), list1Lines);  // sorting orders the display only

  // Applying the panel refreshes the table with List1.
  clickRow(table, 0);
  const QString reference = find<QLineEdit>("Text11")->text();
  find<QLineEdit>("SYNNAME")->setText(QStringLiteral("QFP44"));
  find<QPushButton>("Command2")->click();
  bool shown = false;
  for (int r = 0; r < parts; ++r) {
    if (cell(table, r, 0) == reference) shown = cell(table, r, 1) == QStringLiteral("QFP44");
  }
  EXPECT_TRUE(shown);
  EXPECT_TRUE(list1->currentItem()->text().contains(QStringLiteral("QFP44")));

  find<QRadioButton>("Option3")->click();
  EXPECT_TRUE(list1->isVisible());
  EXPECT_FALSE(table->isVisible());
  EXPECT_EQ(splitter->sizes(), listSizes);
}

TEST_F(PartTableWindow, TheTableLeavesTheOtherColumnsReadable) {
  // A board in a deep folder, with a reference of sixteen characters.
  QTemporaryDir dir;
  const QString folder =
      dir.filePath(QStringLiteral("projects/customer-a/2026/controller-board/rev-b"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + QStringLiteral("/controller.NET");
  QFile sample(ExamplePath("sample.NET"));
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(sample.readAll() + "LONG[CONNECTOR1234567-1\r\nR1-1]\r\n");
  file.close();
  openNetlist(path);
  find<QPushButton>("Command1")->click();
  find<QRadioButton>("Option4")->click();
  QApplication::processEvents();

  auto* report = find<QPlainTextEdit>("Text7");
  EXPECT_GE(report->viewport()->width(),
            report->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('0'))));
  int headings = 0;
  for (QLabel* heading : form->findChildren<QLabel*>()) {
    if (!heading->text().contains(QStringLiteral("ピン"))) continue;
    ++headings;
    EXPECT_GE(heading->width(), heading->sizeHint().width()) << heading->text().toStdString();
  }
  EXPECT_EQ(headings, 2);  // ネット名 ピン数, 接続ピン名
  // The path loses its middle, not the file name.
  const QString shown = form->Text1->shownText();
  EXPECT_EQ(form->Text1->text(), path);
  EXPECT_TRUE(shown.endsWith(QStringLiteral("/controller.NET"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();

  auto* table = find<QTableView>("List1Table");
  const int room = table->horizontalHeader()->sectionSize(0);
  EXPECT_GE(room, table->fontMetrics().horizontalAdvance(QStringLiteral("CONNECTOR1234567")) + 6);
}

TEST_F(PartTableWindow, BothViewsKeepTheChosenPartAcrossModesAndKeys) {
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command1")->click();
  auto* list1 = find<QListWidget>("List1");
  auto* table = find<QTableView>("List1Table");
  ASSERT_GT(list1->count(), 4);
  clickItem(list1, 1);
  QTest::keyClick(list1, Qt::Key_Down);  // List1 at row 2, the panel with it

  find<QRadioButton>("Option4")->click();
  table->sortByColumn(0, Qt::DescendingOrder);
  const QString chosen = find<QLineEdit>("Text11")->text();
  ASSERT_TRUE(table->currentIndex().isValid());
  EXPECT_EQ(cell(table, table->currentIndex().row(), 0), chosen);
  // The keys go on from the chosen row, in the table's order.
  const int row = table->currentIndex().row();
  QTest::keyClick(table, row + 1 < table->model()->rowCount() ? Qt::Key_Down : Qt::Key_Up);
  const QString next = find<QLineEdit>("Text11")->text();
  EXPECT_NE(next, chosen);
  EXPECT_EQ(cell(table, table->currentIndex().row(), 0), next);

  // Chosen with the mouse, each mode gives its view the keys (not the option button).
  QTest::mouseClick(find<QRadioButton>("Option3"), Qt::LeftButton);
  EXPECT_TRUE(list1->currentItem()->text().contains(next)) << next.toStdString();
  EXPECT_EQ(form->focusWidget(), list1);
  QTest::mouseClick(find<QRadioButton>("Option4"), Qt::LeftButton);
  EXPECT_EQ(form->focusWidget(), table);
}

// A KiCad netlist: the status names the format, the footprints become symbol names on
// request, and the table shows the value and footprint the netlist gives.
TEST_F(PartTableWindow, AKicadNetlistShowsItsFormatValuesAndFootprints) {
  const QString path =
      netlistFile("board.net",
                  "(export (version \"E\")\n"
                  " (components (comp (ref \"R1\") (value \"10k\") (footprint \"R:R_0603\"))\n"
                  "  (comp (ref \"C1\") (value \"1u\")))\n"
                  " (nets (net (code \"1\") (name \"GND\") (node (ref \"R1\") (pin \"1\"))\n"
                  "   (node (ref \"C1\") (pin \"2\")) (node (ref \"#PWR1\") (pin \"1\")))))\n");
  openNetlist(path);
  EXPECT_EQ(dialogs.count("warn"), 0);
  const QString status = form->statusBar()->currentMessage();
  EXPECT_TRUE(status.contains(QStringLiteral("KiCad"))) << status.toStdString();
  EXPECT_TRUE(status.contains(QStringLiteral("電源・フラグのピン 1"))) << status.toStdString();

  auto* footprints = find<QCheckBox>("chkFootprints");
  EXPECT_EQ(footprints->text(), QStringLiteral("回路図のフットプリントを使う"));
  EXPECT_FALSE(footprints->isChecked());
  footprints->setChecked(true);
  find<QPushButton>("Command1")->click();
  find<QRadioButton>("Option4")->click();
  auto* table = find<QTableView>("List1Table");
  ASSERT_EQ(table->model()->columnCount(), 11);
  EXPECT_EQ(table->model()->headerData(9, Qt::Horizontal).toString(), QStringLiteral("値"));
  EXPECT_EQ(table->model()->headerData(10, Qt::Horizontal).toString(),
            QStringLiteral("フットプリント"));
  std::map<QString, QStringList> rows;
  for (int r = 0; r < table->model()->rowCount(); ++r) {
    rows[cell(table, r, 0)] = {cell(table, r, 1), cell(table, r, 9), cell(table, r, 10)};
  }
  EXPECT_EQ(rows[QStringLiteral("R1")], (QStringList{"R_0603", "10k", "R:R_0603"}));
  EXPECT_EQ(rows[QStringLiteral("C1")].mid(1), (QStringList{"1u", ""}));
  EXPECT_NE(rows[QStringLiteral("C1")][0], QString()) << "no footprint: the rule by reference";
}

// A column is never narrower than its widest text (nor X and Y than "-32768"), from the
// first fill and after whatever moves the table.
TEST_F(PartTableWindow, EveryColumnStaysAsWideAsItsWidestText) {
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command1")->click();
  find<QRadioButton>("Option4")->click();
  auto* table = find<QTableView>("List1Table");
  QHeaderView* header = table->horizontalHeader();
  const auto edit = [&](const char* reference, const char* box, const char* text) {
    find<QLineEdit>("Text11")->setText(QString::fromUtf8(reference));
    find<QLineEdit>(box)->setText(QString::fromUtf8(text));
    find<QPushButton>("Command2")->click();
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"filled", [] {}},
      {"sorted", [&] { table->sortByColumn(2, Qt::DescendingOrder); }},
      {"edited", [&] { edit("U1", "SYNNAME", "QFP-100-14x14mm-P0.5mm-EXTRA-WIDE"); }},
      {"grown", [&] { edit("ZZ-PART-WITH-LONG-REFERENCE", "Text2", "主部品名の長い名前"); }},
      {"resized", [&] { form->resize(form->minimumSizeHint()); }},
      {"narrowed by hand", [&] { header->resizeSection(2, 4); }},
  };
  for (const auto& [step, act] : steps) {
    act();
    QApplication::processEvents();
    const QFontMetrics metrics = table->fontMetrics();
    for (int c = 0; c < table->model()->columnCount(); ++c) {
      const QString heading = table->model()->headerData(c, Qt::Horizontal).toString();
      int widest = heading == "X" || heading == "Y"
                       ? metrics.horizontalAdvance(QStringLiteral("-32768"))
                       : 0;
      for (int r = 0; r < table->model()->rowCount(); ++r) {
        widest = std::max(widest, metrics.horizontalAdvance(cell(table, r, c)));
      }
      EXPECT_GE(header->sectionSize(c), widest + 6) << step << " " << heading.toStdString();
      EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << step;
    }
  }
}

TEST_F(PartTableWindow, TabLeavesTheTableWhoseArrowsMoveInside) {
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command1")->click();
  find<QRadioButton>("Option4")->click();
  auto* table = find<QTableView>("List1Table");
  ASSERT_EQ(form->focusWidget(), table);
  QTest::keyClick(table, Qt::Key_Down);
  QTest::keyClick(table, Qt::Key_Right);
  EXPECT_EQ(form->focusWidget(), table);
  QTest::keyClick(table, Qt::Key_Tab);
  EXPECT_EQ(form->focusWidget(), find<QPushButton>("Command1"));
  QTest::keyClick(form->focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(form->focusWidget(), table);
}

// 値 sorts by the value a text stands for, texts after numbers; clicking a row keeps
// the table scrolled sideways where it was.
TEST_F(PartTableWindow, ValuesSortBySizeAndARowClickKeepsTheSidewaysScroll) {
  const char* const values[] = {"1uF", "BAT54", "4k7", "100nF", "10k", "10nF", "2.2uH", "470"};
  QByteArray components;
  QByteArray nodes;
  for (int i = 0; i < 8; ++i) {
    components += QByteArray("(comp (ref \"X") + QByteArray::number(i + 1) + "\") (value \"" +
                  values[i] + "\"))\n";
    nodes += "(node (ref \"X" + QByteArray::number(i + 1) + "\") (pin \"1\"))";
  }
  openNetlist(netlistFile("values.net", "(export (version \"E\")\n (components " + components +
                                            ")\n (nets (net (code \"1\") (name \"N\") " + nodes +
                                            ")))\n"));
  find<QPushButton>("Command1")->click();
  find<QRadioButton>("Option4")->click();
  auto* table = find<QTableView>("List1Table");
  ASSERT_EQ(table->model()->columnCount(), 11);
  table->sortByColumn(9, Qt::AscendingOrder);
  QStringList sorted;
  for (int r = 0; r < table->model()->rowCount(); ++r) sorted << cell(table, r, 9);
  EXPECT_EQ(sorted, (QStringList{"10nF", "100nF", "1uF", "2.2uH", "470", "4k7", "10k", "BAT54"}));

  form->resize(form->minimumSizeHint());
  QApplication::processEvents();
  QScrollBar* across = table->horizontalScrollBar();
  ASSERT_GT(across->maximum(), 0) << "the table is wider than its place";
  across->setValue(across->maximum());
  for (int r : {3, 0, 6}) {
    const QModelIndex value = table->model()->index(r, 9);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(value).center());
    EXPECT_EQ(find<QLineEdit>("Text11")->text(), cell(table, r, 0));
    EXPECT_EQ(across->value(), across->maximum()) << r;
  }
}

}  // namespace
}  // namespace pcbprep::testing
