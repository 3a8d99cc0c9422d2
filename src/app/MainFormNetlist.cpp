// Netlist loading, the net and part lists, the raw-view search and the
// previous-input helpers of the edit panel.
#include <algorithm>

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "design/AppInfo.h"
#include "design/CodePage.h"
#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"

namespace pcbprep {

namespace {

// The raw view shows at most this many characters: a larger file is still loaded
// whole, but laying out megabytes of text would freeze the window.
constexpr std::size_t kRawViewLimit = 2'000'000;

// Every readable format, then each on its own, then any file: the format is read from
// the content, so the patterns only narrow the list.
const QString kNetlistFilter = QStringLiteral(
    "ネットリスト (*.NET *.net *.rpt *.RPT *.asc *.ASC *.txt *.TXT)|"
    "*.NET *.net *.rpt *.RPT *.asc *.ASC *.txt *.TXT|"
    "標準の形式 (*.NET)|*.NET *.net|"
    "KiCad / レガシー (*.net)|*.net *.NET|"
    "PADS ASCII (*.asc *.net)|*.asc *.ASC *.net *.NET|"
    "Allegro (*.rpt *.txt)|*.rpt *.RPT *.txt *.TXT|"
    "すべてのファイル (*)|*");

// Characters the raw view takes in one turn of the event loop: about 15 ms of layout.
constexpr qsizetype kRawSlice = 100'000;

// The end of the slice of `text` from `from`: after a line end where one is near.
qsizetype RawSliceEnd(const QString& text, qsizetype from) {
  const qsizetype end = std::min(text.size(), from + kRawSlice);
  if (end == text.size()) return end;
  const qsizetype lineEnd = text.lastIndexOf(u'\n', end - 1);
  return lineEnd >= from ? lineEnd + 1 : end;
}

// Adds text at the end of a view's document; the view's own cursor and scroll
// position stay where they are.
void AppendText(QPlainTextEdit* view, const QString& text) {
  QTextCursor cursor(view->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
}

}  // namespace

void MainForm::showRawText(QString text) {
  ++rawGeneration_;
  rawRest_.clear();
  rawRestFrom_ = 0;
  const qsizetype first = RawSliceEnd(text, 0);
  RichTextBox1->setPlainText(text.left(first));
  if (first == text.size()) return;
  rawRest_ = std::move(text);
  rawRestFrom_ = first;
  QTimer::singleShot(0, this, [this, generation = rawGeneration_] { appendRawSlice(generation); });
}

void MainForm::appendRawSlice(int generation) {
  if (generation != rawGeneration_ || rawRest_.isEmpty()) return;
  const qsizetype end = RawSliceEnd(rawRest_, rawRestFrom_);
  AppendText(RichTextBox1, rawRest_.mid(rawRestFrom_, end - rawRestFrom_));
  rawRestFrom_ = end;
  if (end == rawRest_.size()) {
    rawRest_.clear();
    return;
  }
  QTimer::singleShot(0, this, [this, generation] { appendRawSlice(generation); });
}

void MainForm::finishRawText() {
  if (rawRest_.isEmpty()) return;
  AppendText(RichTextBox1, rawRest_.mid(rawRestFrom_));
  rawRest_.clear();
  ++rawGeneration_;
}

void MainForm::mnOpenClick() {
  // The file is chosen first, so a cancel keeps the loaded netlist as it is.
  const std::optional<QString> chosen = dialogs_.openFile(this, kNetlistFilter);
  if (!chosen) return;
  openNetlistFile(*chosen);
}

void MainForm::openNetlistFile(const QString& path) {
  LoadResult result;
  if (loadNetlist(path, CapacityFor(mnLarge->isChecked()), result)) return;
  showStatus(QStringLiteral("ネットリストを読み込めませんでした: %1").arg(path));
  const QString message = Q(LoadFailureMessage(result, T(path)));
  const QString title = Q(kAppTitle) + QStringLiteral(" - ネットリストを開く");
  if (!LargeCapacityWouldLoad(result)) {
    dialogs_.warn(this, title, message);
    return;
  }
  // A board past the standard tables: offer the large ones; the entry then shows the
  // tables in use and is remembered.
  if (!dialogs_.confirm(this, title,
                        message + QStringLiteral("\n\n") + Q(LargeCapacityQuestion()))) {
    return;
  }
  mnLarge->setChecked(true);
  if (!loadNetlist(path, kLargeCapacity, result)) {
    dialogs_.warn(this, title, Q(LoadFailureMessage(result, T(path))));
  }
}

bool MainForm::loadNetlist(const QString& path, const Capacity& capacity, LoadResult& result) {
  std::optional<BusyCursor> busy(std::in_place);
  // The file is parsed into fresh tables; a failure (a file without any net or not
  // text at all among them) leaves the loaded netlist and everything the window shows
  // of it untouched.
  Text raw;
  std::string bytes;
  result = LoadNetlistFile(design_, FileSystemPath(path), capacity, &raw, &bytes);
  if (!result.ok()) return false;

  design_.NetFilePath = T(path);
  dialogs_.folders().setNetlistFolder(QFileInfo(path).absolutePath());
  netFileBytes_ = std::move(bytes);
  ++partListGeneration_;  // another board: the placement image opens at its opening view
  Text7->clear();
  for (QLineEdit* count : {Text24, Text25, Text26, Text27}) count->clear();
  Text1->setText(path);
  if (raw.size() > kRawViewLimit) {
    showRawText(Q(TextView(raw).substr(0, kRawViewLimit)) +
                QStringLiteral("\n……（ファイルが大きいため、先頭の一部だけを表示しています）"));
  } else {
    showRawText(Q(raw));
  }

  List2->setUpdatesEnabled(false);
  List3->setUpdatesEnabled(false);
  FillList(List3, NetListItems(design_));
  FillList(List2, NetPinListItems(design_));
  List2->setUpdatesEnabled(true);
  List3->setUpdatesEnabled(true);

  Text4->setText(QString::number(result.totalPins));
  Text5->setText(QString::number(design_.NetCount));
  Text6->setText(Q(result.status));
  txtSkipNet[0]->setText(Q(result.largestNet));
  QString status = Q(NetlistLoadedStatus(T(path), result, design_.NetCount));
  claimPartSourceNetlist();
  showPartSource();
  if (partListFromOtherNetlist()) {
    status += QStringLiteral("。部品リストは %1 から作ったままです")
                  .arg(QFileInfo(partSource_.path).fileName());
  }
  showStatus(status);
  memory_->addRecentFile(path);
  fillRecentMenu();
  updateTitle();
  return true;
}

void MainForm::list1Click(int index) {
  if (index < 0 || index + 1 > design_.capacity().parts) return;
  showEditPanel(FillEditPanel(design_, index + 1));
  // The part stays chosen in both views, whichever it was chosen in (mouse or keys),
  // so switching 標準 / ﾃﾞｰﾀﾍﾞｰｽ keeps it and the keys move on from it.
  if (index < static_cast<int>(list1_.items.size())) {
    list1_.selectedIndex = index;
    mirrorTableSelection();
  }
}

void MainForm::list3Click(int index) {
  if (index < 0 || index + 1 > design_.capacity().nets) return;
  std::array<Text, 10> boxes = readSkipNets();
  if (AddSkipNet(boxes, design_.NetTable.at(index + 1, kNetName)) >= 0) showSkipNets(boxes);
}

void MainForm::command4Click() {
  finishRawText();
  QTextCursor cursor = RichTextBox1->textCursor();
  const int caret = cursor.selectionEnd();
  cursor.setPosition(caret);
  RichTextBox1->setTextCursor(cursor);

  const Text needle = T(Text3->text());
  const Text text = T(RichTextBox1->toPlainText());
  if (const auto hit = FindInRawText(text, needle, static_cast<std::size_t>(caret))) {
    cursor.setPosition(static_cast<int>(*hit));
    cursor.setPosition(static_cast<int>(*hit + needle.size()), QTextCursor::KeepAnchor);
    RichTextBox1->setTextCursor(cursor);
    RichTextBox1->ensureCursorVisible();
  }
  RichTextBox1->setFocus();
}

void MainForm::command13Click() {
  QTextCursor cursor = RichTextBox1->textCursor();
  cursor.setPosition(0);
  RichTextBox1->setTextCursor(cursor);
  RichTextBox1->ensureCursorVisible();
}

void MainForm::cmbRirekiClick() { SYNNAME->setText(cmbRireki->currentText()); }
void MainForm::cmdPastClick() { SYNNAME->setText(cmdPast->text()); }
void MainForm::combo11Click() { Text2->setText(Combo11->currentText()); }
void MainForm::command10Click() { Text2->setText(Command10->text()); }
void MainForm::command11Click() { Text12->setText(Command11->text()); }

}  // namespace pcbprep
